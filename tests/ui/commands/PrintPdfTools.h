#pragma once
// Reading printed PDF files back with poppler's command-line tools.

#include <QByteArray>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QString>
#include <QStringList>

#include <algorithm>
#include <cmath>
#include <ostream>
#include <vector>

// Readable failure messages for Qt strings.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace qm::ui::test {

inline bool haveTool(const QString& name)
{
    return !QStandardPaths::findExecutable(name).isEmpty();
}

// Runs a tool and returns its standard output ("" when it fails).
inline QString runTool(const QString& program, const QStringList& args, int timeoutMs = 30000)
{
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(timeoutMs) || p.exitStatus() != QProcess::NormalExit ||
        p.exitCode() != 0)
        return {};
    return QString::fromUtf8(p.readAllStandardOutput());
}

// The non-empty lines of the layout text, each split at runs of blanks.
inline std::vector<QStringList> layoutLines(const QString& pdf)
{
    std::vector<QStringList> out;
    const QString text = runTool(QStringLiteral("pdftotext"), {"-layout", pdf, "-"});
    for (const QString& line : text.split(QLatin1Char('\n'))) {
        QStringList words = line.split(QRegularExpression(QStringLiteral("\\s+")),
                                       Qt::SkipEmptyParts);
        // A form feed separates pages.
        words.removeAll(QStringLiteral("\f"));
        if (!words.isEmpty())
            out.push_back(words);
    }
    return out;
}

struct PdfWord {
    QString text;
    double xMin = 0, yMin = 0, xMax = 0, yMax = 0;
};

// Every word with its box in points, top to bottom, then left to right.
inline std::vector<PdfWord> pdfWords(const QString& pdf)
{
    std::vector<PdfWord> out;
    const QString html = runTool(QStringLiteral("pdftotext"), {"-bbox", pdf, "-"});
    static const QRegularExpression word(QStringLiteral(
        "<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\" xMax=\"([0-9.]+)\" yMax=\"([0-9.]+)\">"
        "([^<]*)</word>"));
    for (auto it = word.globalMatch(html); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        out.push_back({m.captured(5), m.captured(1).toDouble(), m.captured(2).toDouble(),
                       m.captured(3).toDouble(), m.captured(4).toDouble()});
    }
    std::stable_sort(out.begin(), out.end(), [](const PdfWord& a, const PdfWord& b) {
        if (std::abs(a.yMin - b.yMin) > 1.0)
            return a.yMin < b.yMin;
        return a.xMin < b.xMin;
    });
    return out;
}

// The texts printed in a bold font.
inline QStringList boldTexts(const QString& pdf)
{
    QStringList out;
    const QString xml = runTool(QStringLiteral("pdftohtml"), {"-xml", "-i", "-stdout", pdf});
    static const QRegularExpression bold(QStringLiteral("<b>([^<]*)</b>"));
    for (auto it = bold.globalMatch(xml); it.hasNext();)
        out << it.next().captured(1).trimmed();
    return out;
}

inline int pdfPages(const QString& pdf)
{
    const QString info = runTool(QStringLiteral("pdfinfo"), {pdf});
    const QRegularExpressionMatch m =
        QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(info);
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

} // namespace qm::ui::test
