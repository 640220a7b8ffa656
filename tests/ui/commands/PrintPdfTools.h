#pragma once
// Reading printed PDF files back with poppler's command-line tools.

#include "ui/tape/WindowTestSupport.h"

#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

namespace qm::ui::test {

inline bool haveTool(const QString& name) { return !QStandardPaths::findExecutable(name).isEmpty(); }

// The non-empty lines of the layout text, runs of blanks as one, without the
// form feeds between pages ("" when the tool fails).
inline QStringList layoutText(const QString& pdf)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    if (!p.waitForFinished(30000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        return {};
    QStringList lines;
    for (const QString& line : QString::fromUtf8(p.readAllStandardOutput()).split(QLatin1Char('\n'))) {
        const QString words = QString(line).remove(QLatin1Char('\f')).simplified();
        if (!words.isEmpty())
            lines << words;
    }
    return lines;
}

} // namespace qm::ui::test
