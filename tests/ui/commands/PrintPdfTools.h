#pragma once
// Reading printed PDF files back with poppler's command-line tools.

#include "ui/tape/WindowTestSupport.h"

#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

#include <algorithm>
#include <cmath>
#include <vector>

namespace qm::ui::test {

inline bool haveTool(const QString& name) { return !QStandardPaths::findExecutable(name).isEmpty(); }

// Runs a tool and returns its standard output ("" when it fails).
inline QString runTool(const QString& program, const QStringList& args)
{
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(30000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        return {};
    return QString::fromUtf8(p.readAllStandardOutput());
}

// The non-empty lines of the layout text, each split at runs of blanks
// (a form feed separates pages).
inline std::vector<QStringList> layoutLines(const QString& pdf)
{
    std::vector<QStringList> out;
    for (const QString& line : runTool("pdftotext", {"-layout", pdf, "-"}).split(QLatin1Char('\n'))) {
        QStringList words = line.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
        words.removeAll(QStringLiteral("\f"));
        if (!words.isEmpty())
            out.push_back(words);
    }
    return out;
}

// The same lines, words separated by single blanks.
inline QStringList layoutText(const QString& pdf)
{
    QStringList lines;
    for (const QStringList& words : layoutLines(pdf))
        lines << words.join(QLatin1Char(' '));
    return lines;
}

struct PdfWord {
    QString text;
    double xMin = 0, yMin = 0, xMax = 0;
};

// Every word with its box in points, top to bottom, then left to right.
inline std::vector<PdfWord> pdfWords(const QString& pdf)
{
    static const QRegularExpression word(QStringLiteral(
        "<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\" xMax=\"([0-9.]+)\" yMax=\"[0-9.]+\">([^<]*)</word>"));
    std::vector<PdfWord> out;
    for (auto it = word.globalMatch(runTool("pdftotext", {"-bbox", pdf, "-"})); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        out.push_back({m.captured(4), m.captured(1).toDouble(), m.captured(2).toDouble(),
                       m.captured(3).toDouble()});
    }
    std::stable_sort(out.begin(), out.end(), [](const PdfWord& a, const PdfWord& b) {
        return std::abs(a.yMin - b.yMin) > 1.0 ? a.yMin < b.yMin : a.xMin < b.xMin;
    });
    return out;
}

// The texts printed in a bold font.
inline QStringList boldTexts(const QString& pdf)
{
    static const QRegularExpression bold(QStringLiteral("<b>([^<]*)</b>"));
    QStringList out;
    for (auto it = bold.globalMatch(runTool("pdftohtml", {"-xml", "-i", "-stdout", pdf})); it.hasNext();)
        out << it.next().captured(1).trimmed();
    return out;
}

inline int pdfPages(const QString& pdf)
{
    const QRegularExpressionMatch m =
        QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(runTool("pdfinfo", {pdf}));
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

} // namespace qm::ui::test
