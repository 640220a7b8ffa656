// The built program's batch modes: totals, evaluation and the command line.

#include "ProgramRun.h"

#include "core/files/Cp1252.h"
#include "core/tape/DefaultButtons.h"
#include "core/tape/SettingsFile.h"

namespace qm::ui::test {
namespace {

using BatchMode = ProgramTest;

TEST_F(BatchMode, Totals)
{
    struct Row { const char* name; std::string file; QStringList extra; std::string out; };
    const Row rows[] = {
        {"two decimals", calc("+12.5\r\nx3\r\n+0\r\n"), {"--decimals", "2"}, "37.50\n"},
        {"variable", calc("+1\r\n/3\r\n"), {"--decimals", "variable"}, "0.3333333333333333333333333333\n"},
        {"grouping", calc("+1234567.891\r\n"), {"--decimals", "2"}, "1,234,567.89\n"},
        {"LF only, operator alone", "x\n+4\nx\n+2\n", {}, "2\n"},
        {"percent and function", calc("+10\r\n+15%\r\n+Kilo(22)\r\n"), {}, "21.5\n"},
        {"overflow", calc("+1\r\nx1000000\r\nx1000000\r\nx1000000\r\nx1000000\r\nx1000000\r\n"), {}, "Overflow\n"},
        {"error", calc("+5\r\n/0\r\n"), {}, "Error\n"},
        {"average", calc("+3\r\n+1\r\n+3\r\n+2\r\n+0\r\n"), {"--stat", "average"}, "Average : 2.25\n"},
        {"mode", calc("+3\r\n+1\r\n+3\r\n+2\r\n"), {"--stat", "mode"}, "Mode : 3\n"},
        {"failed statistic: empty box", calc("+0\r\n"), {"--stat", "average"}, "\n"},
    };
    for (const Row& r : rows) {
        const ProgramRun result = runProgram(QStringList{"--total", file("t.Clc", r.file)} + r.extra);
        EXPECT_EQ(result.code, 0) << r.name << ": " << result.err;
        EXPECT_EQ(result.out, r.out) << r.name;
        EXPECT_EQ(result.err, "") << r.name;
    }
}

// Qt takes the separators from LC_ALL itself: no installed locale needed.
TEST_F(BatchMode, TotalsFollowTheLocale)
{
    const QString path = file("de.Clc", calc("+1234,5\r\nx2\r\n-0,25\r\n"));
    const QString german = QStringLiteral("de_DE.UTF-8");
    EXPECT_EQ(runProgram({"--total", path}, german).out, "2468,75\n");
    EXPECT_EQ(runProgram({"--total", path, "--decimals", "1"}, german).out, "2.468,8\n");
    EXPECT_EQ(runProgram({"--total", path}).out, "24665\n");   // C: commas group
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
    EXPECT_EQ(runProgram({"--total", cafe, "--settings", settingsPath}).out, "Caf\u00E9 Error\n");
}

TEST_F(BatchMode, UnreadableFilesGiveOneLineAndExitCodeOne)
{
    const QString bad = file("bad.Clc", calc("+1\r\nxabc\r\n"));
    const QString empty = file("empty.Clc", "");
    const QString good = file("good.Clc", calc("+1\r\n"));
    const QString missing = dir.filePath("missing.Clc");
    const struct { QStringList args; std::string err; } rows[] = {
        {{"--total", bad}, bad.toStdString() + ":3: not a number: \"abc\"\n"},
        {{"--total", empty}, empty.toStdString() + ":1: the file is empty: no header line\n"},
        {{"--total", missing}, missing.toStdString() + ": file not found\n"},
        {{"--total", dir.path()}, dir.path().toStdString() + ": not a regular file\n"},
        {{"--total", good, "--settings", missing}, missing.toStdString() + ": file not found\n"},
    };
    for (const auto& r : rows) {
        const ProgramRun result = runProgram(r.args);
        EXPECT_EQ(result.code, 1) << r.err;
        EXPECT_EQ(result.err, r.err);
        EXPECT_EQ(result.out, "") << r.err;
    }
}

TEST_F(BatchMode, Evaluate)
{
    const struct { QString expr; int code; std::string out; } rows[] = {
        {"-3+4", 0, "1\n"},                      // a leading minus is a value, not an option
        {"(1", 0, "Error - ()\n"},                // error texts are results
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

TEST_F(BatchMode, VersionHelpAndUsageErrors)
{
    EXPECT_EQ(runProgram({"--version"}).out, "8.1\n");
    const ProgramRun help = runProgram({"--help"});
    EXPECT_EQ(help.code, 0);
    EXPECT_NE(help.out.find("--total <FILE>"), std::string::npos);
    EXPECT_EQ(runProgram({"-h"}).out, help.out);
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
        {{"--total", good, "--nonsense"}, "Unknown option 'nonsense'."},
    };
    for (const auto& r : rows) {
        const ProgramRun result = runProgram(r.args);
        EXPECT_EQ(result.code, 2) << r.message;
        EXPECT_EQ(result.err, "quillmate: " + r.message + "\nTry 'quillmate --help'.\n");
        EXPECT_EQ(result.out, "");
    }
}

} // namespace
} // namespace qm::ui::test
