// The built program's print mode: a calculation file printed into a PDF or
// on the default printer, with one line of complaint and exit code 1
// whenever nothing was printed.

#include "ProgramRun.h"

#include "ui/commands/PrintPdfTools.h"

namespace qm::ui::test {
namespace {

using PrintMode = ProgramTest;

TEST_F(PrintMode, PrintsIntoAPdfEveryLineThatCountsAndTheRecalculatedTotal)
{
    // Negative and function lines print as the tape shows them; empty lines
    // do not: 37.5 - (-1) + sin 30 (radians) + 1.
    const QString roll = file("roll.Clc", calc("+12.5\r\nx3\r\n+0\r\n--1\r\n+Sin(30)\r\n+1\r\n"));
    const QString third = file("third.Clc", calc("+1\r\n/3\r\n"));
    const QString german = file("german.Clc", calc("+0,5\r\n+12,25\r\n+-3\r\n"));
    const QString stats = file("stats.Clc", calc("+3\r\n+1\r\n+3\r\n+2\r\n+-5\r\n+0\r\n"));
    const QStringList statLines{"+ 3", "+ 1", "+ 3", "+ 2", "+ -5"};
    const bool canRead = haveTool(QStringLiteral("pdftotext"));
    const struct { QString calc; QStringList options; QStringList lines; QString locale = "C"; } cases[] = {
        {roll, {"--decimals", "2"}, {"+ 12.50", "x 3.00", "- -1.00", "+ Sin(30)", "+ 1.00", "= 38.51"}},
        {roll, {"--decimals", "0"}, {"+ 13", "x 3", "- -1", "+ Sin(30)", "+ 1", "= 39"}},
        {third, {}, {"+ 1", "/ 3", "= 0.3333333333333333333333333333"}},   // Variable unless asked
        {german, {}, {"+ 0,5", "+ 12,25", "+ -3", "= 9,75"}, "de_DE.UTF-8"},
        {stats, {"--stat", "total"}, statLines + QStringList{"= 4"}},
        {stats, {"--stat", "average"}, statLines + QStringList{"= Average : 0.8"}},
        {stats, {"--stat", "mean"}, statLines + QStringList{"= Mean : 2.5"}},
        {stats, {"--stat", "mode", "--decimals", "2"},
         QStringList{"+ 3.00", "+ 1.00", "+ 3.00", "+ 2.00", "+ -5.00", "= Mode : 3"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE((c.options.join(' ') + " " + c.lines.join(" | ")).toStdString());
        const QString pdf = dir.filePath("out.pdf");
        QFile::remove(pdf);
        const ProgramRun r = runProgram(QStringList{"--print", c.calc, "--output", pdf} + c.options, c.locale);
        EXPECT_EQ(r.code, 0) << r.err;
        EXPECT_EQ(r.err + r.out, "");
        ASSERT_GT(QFileInfo(pdf).size(), 0);
        if (canRead) {
            EXPECT_EQ(layoutText(pdf), c.lines);
        }
    }
}

TEST_F(PrintMode, NothingPrintedIsOneLineAndExitCodeOne)
{
    const QString good = file("good.Clc", calc("+1\r\n"));
    const QString bad = file("bad.Clc", calc("+1\r\n+abc\r\n"));
    const QString pdf = dir.filePath("never.pdf");
    const struct { QStringList args; const char* says; } cases[] = {
        {{"--print", dir.filePath("missing.Clc"), "--output", pdf}, "does not exist"},
        {{"--print", bad, "--output", pdf}, "(line 3)"},
        {{"--print", dir.path(), "--output", pdf}, "does not exist"},   // a folder
        {{"--print", good, "--output", dir.filePath("no/such/folder/x.pdf")}, "cannot be written"},
        {{"--print", good}, "The tape was not printed: no default printer is set up.\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.join(' ').toStdString());
        const ProgramRun r = runProgram(c.args);
        EXPECT_EQ(r.code, 1);
        EXPECT_EQ(r.out, "");
        ASSERT_FALSE(r.err.empty());
        EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << r.err;   // exactly one line
        EXPECT_EQ(r.err.rfind("The tape was not printed: ", 0), 0u) << r.err;
        EXPECT_NE(r.err.find(c.says), std::string::npos) << r.err;
        EXPECT_FALSE(QFileInfo::exists(pdf));
    }
}

} // namespace
} // namespace qm::ui::test
