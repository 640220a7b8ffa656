// The built program's batch modes: totals, evaluation and the command line,
// with their exit codes: 0 a number, 1 unreadable, 2 usage, 3 not a number.

#include "ProgramRun.h"

#include "core/Version.h"
#include "core/files/CalcFile.h"
#include "core/files/Cp1252.h"
#include "core/tape/DefaultButtons.h"
#include "core/tape/SettingsFile.h"

#include <QDir>
#include <QStandardPaths>

#include <unistd.h>

namespace qm::ui::test {
namespace {

using BatchMode = ProgramTest;

TEST_F(BatchMode, TotalsAndTheirExitCodes)
{
    struct Row { const char* name; std::string file; QStringList extra; std::string out; int code; QString locale = "C"; };
    const Row rows[] = {
        {"two decimals", calc("+12.5\r\nx3\r\n+0\r\n"), {"--decimals", "2"}, "37.50\n", 0},
        {"variable", calc("+1\r\n/3\r\n"), {"--decimals", "variable"}, "0.3333333333333333333333333333\n", 0},
        {"grouping", calc("+1234567.891\r\n"), {"--decimals", "2"}, "1,234,567.89\n", 0},
        {"below one", calc("+0.5\r\n"), {"--decimals", "2"}, ".50\n", 0},
        {"beyond the decimal range: still a number", calc("+10\r\n^29\r\n"), {}, "1E+29\n", 0},
        {"percent and function", calc("+10\r\n+15%\r\n+Kilo(22)\r\n"), {}, "21.5\n", 0},
        {"average", calc("+3\r\n+1\r\n+3\r\n+2\r\n+0\r\n"), {"--stat", "average"}, "Average : 2.25\n", 0},
        {"mode", calc("+3\r\n+1\r\n+3\r\n+2\r\n"), {"--stat", "mode"}, "Mode : 3\n", 0},
        // Qt takes the separators from LC_ALL itself: no installed locale needed.
        {"German", calc("+1234,5\r\nx2\r\n-0,25\r\n"), {}, "2468,75\n", 0, "de_DE.UTF-8"},
        {"German, grouped", calc("+1234,5\r\nx2\r\n-0,25\r\n"), {"--decimals", "1"}, "2.468,8\n", 0, "de_DE.UTF-8"},
        // Error texts are results, but not numbers.
        {"overflow", calc("+1\r\nx1000000\r\nx1000000\r\nx1000000\r\nx1000000\r\nx1000000\r\n"), {}, "Overflow\n", 3},
        {"error", calc("+5\r\n/0\r\n"), {}, "Error\n", 3},
        {"failed statistic: empty box", calc("+0\r\n"), {"--stat", "average"}, "\n", 3},
    };
    for (const Row& r : rows) {
        const ProgramRun result = runProgram(QStringList{"--total", file("t.Clc", r.file)} + r.extra, r.locale);
        EXPECT_EQ(result.code, r.code) << r.name << ": " << result.err;
        EXPECT_EQ(result.out, r.out) << r.name;
        EXPECT_EQ(result.err, "") << r.name;
    }
}

TEST_F(BatchMode, FunctionButtonsFromASettingsFile)
{
    SettingsData settings;
    settings.buttons = defaultFunctionButtons();
    settings.buttons[16].Formula = "X*3";          // Kilo
    settings.buttons[18] = {"Caf\u00E9", "", ""};  // a name outside ASCII, no formula
    const QString settingsPath = file("Custom.cal", writeSettings(settings));
    const QString kilo = file("kilo.Clc", calc("+Kilo(22)\r\n"));
    EXPECT_EQ(runProgram({"--total", kilo}).out, "10\n");
    EXPECT_EQ(runProgram({"--total", kilo, "--settings", settingsPath}).out, "66\n");
    // The file holds the name in Windows-1252; the output is UTF-8.
    const QString cafe = file("cafe.Clc", calc("+1\r\n+" + encodeCp1252("Caf\u00E9(2)") + "\r\n"));
    const ProgramRun error = runProgram({"--total", cafe, "--settings", settingsPath});
    EXPECT_EQ(error.out, "Caf\u00E9 Error\n");
    EXPECT_EQ(error.code, 3);
    // A settings file cut short is not used.
    const QString cut = file("cut.cal", writeSettings(settings).substr(0, 10));
    const ProgramRun damaged = runProgram({"--total", kilo, "--settings", cut});
    EXPECT_EQ(damaged.code, 1);
    EXPECT_EQ(damaged.err, cut.toStdString() + ": not a settings file (the file ends inside field 2 of 149)\n");
}

TEST_F(BatchMode, UnreadableFilesGiveOneLineNamingTheCauseAndExitCodeOne)
{
    const QString bad = file("bad.Clc", calc("+1\r\nxabc\r\n"));
    const QString empty = file("empty.Clc", "");
    const QString headless = file("headless.Clc", "+100\r\n+2\r\n");
    const QString good = file("good.Clc", calc("+1\r\n"));
    const QString missing = dir.filePath("missing.Clc");
    const QString german = file("de.Clc", calc("+1234,5\r\n"));   // never read scaled under "."
    const QString huge = file("huge.Clc", calc("+1\r\n"));
    ASSERT_TRUE(QFile::resize(huge, qint64{40} << 30));   // sparse: no disk used
    const struct { QStringList args; std::string err; } rows[] = {
        {{"--total", bad}, bad.toStdString() + ":3: \"abc\" is not a number\n"},
        {{"--total", german}, german.toStdString() + ":2: \"1234,5\" holds the grouping symbol \",\"\n"},
        {{"--total", empty}, empty.toStdString() + ":1: the file is empty: no header line\n"},
        {{"--total", headless},
         headless.toStdString() + ":1: \"+100\" is not the header of a calculation file (\"Ferrowick 6\")\n"},
        {{"--total", missing}, missing.toStdString() + ": file not found\n"},
        {{"--total", dir.path()}, dir.path().toStdString() + ": is a folder\n"},
        {{"--total", huge}, huge.toStdString() + ": the file is larger than 536870912 bytes\n"},
        {{"--total", good, "--settings", missing}, missing.toStdString() + ": file not found\n"},
    };
    for (const auto& r : rows) {
        const ProgramRun result = runProgram(r.args);
        EXPECT_EQ(result.code, 1) << r.err;
        EXPECT_EQ(result.err, r.err);
        EXPECT_EQ(result.out, "") << r.err;
    }
}

// File names are the system's bytes: a calculation and a PDF named in no
// UTF-8 are found and written, and "--" ends the options also before a file
// starting with a dash.
TEST_F(BatchMode, FileNamesAsTheSystemGivesThem)
{
    const char* script = "d=\"$(printf 'd\\377')\"; f=\"$d/$(printf 'a\\377.Clc')\"; mkdir \"$d\" && "
                         "printf 'Ferrowick 6\\r\\n+2\\r\\nx21\\r\\n' > \"$f\" && cp -- \"$f\" -dash.Clc && "
                         "\"$0\" --total \"$f\" && \"$0\" --total -- -dash.Clc && "
                         "\"$0\" --print \"$f\" --output \"$d/$(printf 'r\\377.pdf')\" && head -c 5 \"$d/$(printf 'r\\377.pdf')\" && "
                         "ls -A \"$d\" | wc -l";   // no temporary file left beside the PDF
    const ProgramRun r = runProcess(QStringLiteral("sh"), {"-c", script, Program}, QStringLiteral("C"), dir.path());
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, "42\n42\n%PDF-2\n");
}

// A file the user may not read says so; run as "nobody" where the test runs
// as root.
TEST_F(BatchMode, PermissionDeniedIsNamed)
{
    const QString secret = file("secret.Clc", calc("+1\r\n"));
    ASSERT_TRUE(QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner
                                                      | QFile::ExeGroup | QFile::ExeOther));
    ASSERT_TRUE(QFile::setPermissions(secret, QFile::WriteOwner));
    QStringList args{"--total", secret};
    QString program = Program;
    if (::geteuid() == 0) {
        const QString setpriv = QStandardPaths::findExecutable(QStringLiteral("setpriv"));
        if (setpriv.isEmpty())
            GTEST_SKIP() << "running as root without setpriv: no ordinary user to be";
        args = QStringList{"--reuid=65534", "--regid=65534", "--clear-groups", Program} + args;
        program = setpriv;
    }
    const ProgramRun r = runProcess(program, args);
    EXPECT_EQ(r.code, 1) << r.err;
    EXPECT_EQ(r.err, secret.toStdString() + ": permission denied\n");
}

// Running out of memory is a message and exit code 1, never an abort.
TEST_F(BatchMode, OutOfMemoryIsAFailureNotAnAbort)
{
#if defined(__has_feature)
#if __has_feature(address_sanitizer)
    GTEST_SKIP() << "AddressSanitizer reserves terabytes of address space: no address-space limit can apply";
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "AddressSanitizer reserves terabytes of address space: no address-space limit can apply";
#endif
    const QString prlimit = QStandardPaths::findExecutable(QStringLiteral("prlimit"));
    if (prlimit.isEmpty())
        GTEST_SKIP() << "prlimit is not installed: the address space cannot be limited";
    std::string lines = "Ferrowick 6\r\n";
    for (int i = 0; i < 4'000'000; ++i)
        lines += "+1\r\n";
    const QString big = file("big.Clc", lines);   // a tape of 160 MB
    const ProgramRun r = runProcess(prlimit, {"--as=" + QString::number(150 << 20), Program, "--total", big});
    EXPECT_EQ(r.code, 1) << r.err;
    EXPECT_EQ(r.err, big.toStdString() + ": not enough memory\n");
}

TEST_F(BatchMode, EvaluateAndItsExitCodes)
{
    const struct { QString expr; int code; std::string out; } rows[] = {
        {"-3+4", 0, "1\n"},                      // a leading minus is a value, not an option
        {"2^0.5", 0, "1.4142135623731\n"},
        {"(1", 3, "Error - ()\n"},                // error texts are results, but no numbers
        {"1/0", 3, "Error - Division\n"},
        {"", 3, "Error\n"},
        {"99999999999999999999999999999*10", 3, "failure: overflow\n"},
        {"1..2", 3, "failure: conversion\n"},
    };
    for (const auto& r : rows) {
        const ProgramRun result = runProgram({"--evaluate", r.expr});
        EXPECT_EQ(result.code, r.code) << r.expr.toStdString();
        EXPECT_EQ(result.out, r.out) << r.expr.toStdString();
    }
    EXPECT_EQ(runProgram({"--evaluate=2^3"}).out, "8\n");
}

// A usage error prints the usage and exits 2 before any window or file
// exists; Qt's own options are no such error.
TEST_F(BatchMode, VersionHelpAndUsageErrors)
{
    EXPECT_EQ(runProgram({"--version"}).out, std::string(ProgramVersion) + "\n");
    const ProgramRun help = runProgram({"--help"});
    EXPECT_EQ(help.code, 0);
    for (const char* says : {"--total <FILE>", "Exit status:", "  3  --total or --evaluate: the result is not a number"})
        EXPECT_NE(help.out.find(says), std::string::npos) << says;
    EXPECT_EQ(runProgram({"-h"}).out, help.out);

    // The program in a folder of its own, run in an empty one: nothing may appear in either.
    const QString bin = dir.filePath("bin"), work = dir.filePath("work");
    ASSERT_TRUE(QDir().mkpath(bin) && QDir().mkpath(work));
    ASSERT_TRUE(QFile::copy(Program, bin + "/quillmate"));
    const QString good = file("good.Clc", calc("+1\r\n"));
    const struct { QStringList args; std::string message; } rows[] = {
        {{"--total"}, "Missing value after '--total'."},
        {{"--total", good, "--decimals", "7"}, "--decimals takes 0 to 6 or variable, not '7'"},
        {{"--total", good, "--stat", "median"}, "--stat takes total, average, mean or mode, not 'median'"},
        {{"--decimals", "2"}, "--decimals needs --total or --print"},
        {{"--evaluate", "1", "--stat", "mean"}, "--stat needs --total or --print"},
        {{"--print", good, "--settings", good}, "--settings needs --total"},
        {{"--total", good, "--evaluate", "1"}, "--total and --evaluate cannot be combined"},
        {{"--print", good, "--total", good}, "--print cannot be combined with --total or --evaluate"},
        {{"--total", good, "other.Clc"}, "unexpected argument 'other.Clc' in a batch mode"},
        {{"--total", good, "--nonsense"}, "Unknown option '--nonsense'."},
        {{"--version=2"}, "Option '--version' takes no value."},
        {{"--nonsense"}, "Unknown option '--nonsense'."},
        {{"-v"}, "Unknown option '-v'."},
        {{"-"}, "Unknown option '-'."},
        {{"budget.clc", "--bogus=1"}, "Unknown option '--bogus'."},
        {{"-platform", "offscreen", "-x"}, "Unknown option '-x'."},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.message);
        const ProgramRun result = runProcess(bin + "/quillmate", r.args, QStringLiteral("C"), work);
        EXPECT_EQ(result.code, 2);
        EXPECT_EQ(result.err.rfind("quillmate: " + r.message + "\nUsage: ", 0), 0u) << result.err;
        EXPECT_NE(result.err.find("\nTry 'quillmate --help'.\n"), std::string::npos);
        EXPECT_EQ(result.out, "");
        EXPECT_EQ(QDir(work).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), QStringList());
        EXPECT_EQ(QDir(bin).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                  QStringList{"quillmate"});
    }
}

} // namespace
} // namespace qm::ui::test
