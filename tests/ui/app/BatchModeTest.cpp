// Runs the built program in its batch modes, as a user would from a shell.

#include "core/files/Cp1252.h"
#include "core/tape/DefaultButtons.h"
#include "core/tape/SettingsFile.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <string>

namespace {

const QString Program = QStringLiteral(QM_BUILD_DIR "/src/app/quillmate");

struct ProcessRun {
    int code = -1;
    std::string out;
    std::string err;
};

// The batch modes must work without a display: the platform is set to one
// that needs an X server, and there is none to reach.
ProcessRun runProgram(const QStringList& args, const QString& locale = QStringLiteral("C"))
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("DISPLAY"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    env.remove(QStringLiteral("LC_NUMERIC"));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    env.insert(QStringLiteral("LC_ALL"), locale);
    env.insert(QStringLiteral("LANG"), locale);

    QProcess p;
    p.setProcessEnvironment(env);
    p.start(Program, args);
    ProcessRun r;
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit) {
        p.kill();
        p.waitForFinished();
        r.err = "program did not finish normally";
        return r;
    }
    r.code = p.exitCode();
    r.out = p.readAllStandardOutput().toStdString();
    r.err = p.readAllStandardError().toStdString();
    return r;
}

class BatchMode : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(QFileInfo::exists(Program)) << "build the target quillmate first: "
                                                << Program.toStdString();
        ASSERT_TRUE(dir_.isValid());
    }

    QString file(const QString& name, const std::string& bytes)
    {
        const QString path = dir_.filePath(name);
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes.data(), static_cast<qint64>(bytes.size()));
        return path;
    }

    QTemporaryDir dir_;
};

std::string calc(const std::string& lines)
{
    return "Ferrowick 6\r\n" + lines;
}

TEST_F(BatchMode, TotalsUnderTheCLocale)
{
    struct Row { const char* name; std::string file; QStringList extra; std::string out; };
    const Row rows[] = {
        {"example", calc("+12.5\r\nx3\r\n+0\r\n"), {}, "37.5\n"},
        {"two decimals", calc("+12.5\r\nx3\r\n+0\r\n"), {"--decimals", "2"}, "37.50\n"},
        {"variable", calc("+1\r\n/3\r\n"), {"--decimals", "variable"}, "0.3333333333333333333333333333\n"},
        {"grouping", calc("+1234567.891\r\n"), {"--decimals", "2"}, "1,234,567.89\n"},
        {"double minus", calc("+1\r\n--5\r\n"), {}, "6\n"},
        {"negative", calc("+-5\r\n"), {}, "-5\n"},
        {"LF only and operator alone", "x\n+4\nx\n+2\n", {}, "2\n"},
        {"percent and function", calc("+10\r\n+15%\r\n+Kilo(22)\r\n"), {}, "21.5\n"},
        {"overflow", calc("+1\r\nx1000000\r\nx1000000\r\nx1000000\r\nx1000000\r\nx1000000\r\n"), {}, "Overflow\n"},
        {"error", calc("+5\r\n/0\r\n"), {}, "Error\n"},
        {"average", calc("+3\r\n+1\r\n+3\r\n+2\r\n+0\r\n"), {"--stat", "average"}, "Average : 2.25\n"},
        {"middle value", calc("+3\r\n+1\r\n+3\r\n+2\r\n"), {"--stat", "mean"}, "Mean : 2.5\n"},
        {"most frequent", calc("+3\r\n+1\r\n+3\r\n+2\r\n"), {"--stat", "mode"}, "Mode : 3\n"},
        {"running total asked for", calc("+4\r\n+2\r\n"), {"--stat", "total"}, "6\n"},
        {"statistic fails: box stays empty", calc("+0\r\n"), {"--stat", "average"}, "\n"},
    };
    for (const Row& r : rows) {
        const QString path = file(QStringLiteral("t.Clc"), r.file);
        QStringList args{"--total", path};
        args += r.extra;
        const ProcessRun result = runProgram(args);
        EXPECT_EQ(result.code, 0) << r.name << ": " << result.err;
        EXPECT_EQ(result.out, r.out) << r.name;
        EXPECT_EQ(result.err, "") << r.name;
    }
}

// Qt takes the separators from LC_ALL itself, so this needs no installed
// system locale.
TEST_F(BatchMode, TotalsUnderAGermanLocale)
{
    const QString german = QStringLiteral("de_DE.UTF-8");
    const QString path = file(QStringLiteral("de.Clc"), calc("+1234,5\r\nx2\r\n-0,25\r\n"));
    EXPECT_EQ(runProgram({"--total", path}, german).out, "2468,75\n");
    EXPECT_EQ(runProgram({"--total", path, "--decimals", "1"}, german).out, "2.468,8\n");
    // Under the C locale the commas are thousands separators.
    EXPECT_EQ(runProgram({"--total", path}).out, "24665\n");
}

TEST_F(BatchMode, FunctionButtonsFromASettingsFile)
{
    qm::SettingsData settings;
    settings.buttons = qm::defaultFunctionButtons();
    settings.buttons[16].Formula = "X*3";          // Kilo
    settings.buttons[18] = {"Caf\u00E9", "", ""};  // a name outside ASCII, no formula
    const QString settingsPath = file(QStringLiteral("Custom.cal"), qm::writeSettings(settings));

    const QString kilo = file(QStringLiteral("kilo.Clc"), calc("+Kilo(22)\r\n"));
    EXPECT_EQ(runProgram({"--total", kilo}).out, "10\n");
    EXPECT_EQ(runProgram({"--total", kilo, "--settings", settingsPath}).out, "66\n");

    // The calculation file holds the name in Windows-1252; the output is UTF-8.
    const QString cafe = file(QStringLiteral("cafe.Clc"), calc("+1\r\n+" + qm::encodeCp1252("Caf\u00E9(2)") + "\r\n"));
    const ProcessRun r = runProgram({"--total", cafe, "--settings", settingsPath});
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.out, "Caf\u00E9 Error\n");
}

TEST_F(BatchMode, UnreadableFilesGiveOneLineOnStandardError)
{
    const QString bad = file(QStringLiteral("bad.Clc"), calc("+1\r\nxabc\r\n"));
    const QString empty = file(QStringLiteral("empty.Clc"), "");
    const QString good = file(QStringLiteral("good.Clc"), calc("+1\r\n"));
    const QString missing = dir_.filePath(QStringLiteral("missing.Clc"));
    struct Row { QStringList args; std::string err; };
    const Row rows[] = {
        {{"--total", bad}, bad.toStdString() + ":3: not a number: \"abc\"\n"},
        {{"--total", empty}, empty.toStdString() + ":1: the file is empty: no header line\n"},
        {{"--total", missing}, missing.toStdString() + ": file not found\n"},
        {{"--total", dir_.path()}, dir_.path().toStdString() + ": not a regular file\n"},
        {{"--total", good, "--settings", missing}, missing.toStdString() + ": file not found\n"},
    };
    for (const Row& r : rows) {
        const ProcessRun result = runProgram(r.args);
        EXPECT_EQ(result.code, 1) << r.err;
        EXPECT_EQ(result.err, r.err);
        EXPECT_EQ(result.out, "") << r.err;
    }
}

TEST_F(BatchMode, Evaluate)
{
    std::string manyTerms = "1";
    for (int i = 0; i < 100; ++i)
        manyTerms += "+1";
    struct Row { QString expr; int code; std::string out; };
    const Row rows[] = {
        {"1+2*3", 0, "7\n"},
        {"-3+4", 0, "1\n"},                      // a leading minus is a value, not an option
        {"(1", 0, "Error - ()\n"},                // error texts are results
        {"99999999999999999999999999999*10", 3, "failure: overflow\n"},
        {"(0-8)^0.5", 3, "failure: power\n"},
        {"1..2", 3, "failure: conversion\n"},
        {QString::fromStdString(manyTerms), 3, "failure: tokens\n"},
    };
    for (const Row& r : rows) {
        const ProcessRun result = runProgram({"--evaluate", r.expr});
        EXPECT_EQ(result.code, r.code) << r.expr.toStdString();
        EXPECT_EQ(result.out, r.out) << r.expr.toStdString();
    }
    EXPECT_EQ(runProgram({"--evaluate=2^3"}).out, "8\n");
}

TEST_F(BatchMode, VersionHelpAndUsageErrors)
{
    const ProcessRun version = runProgram({"--version"});
    EXPECT_EQ(version.code, 0);
    EXPECT_EQ(version.out, "8.1\n");

    for (const char* help : {"--help", "-h"}) {
        const ProcessRun r = runProgram({help});
        EXPECT_EQ(r.code, 0) << help;
        EXPECT_NE(r.out.find("--total <FILE>"), std::string::npos) << help;
        EXPECT_NE(r.out.find("--evaluate <EXPR>"), std::string::npos) << help;
        EXPECT_EQ(r.out.back(), '\n') << help;
    }

    const QString good = file(QStringLiteral("good.Clc"), calc("+1\r\n"));
    struct Row { QStringList args; std::string message; };
    const Row rows[] = {
        {{"--total"}, "Missing value after '--total'."},
        {{"--total", good, "--decimals", "7"}, "--decimals takes 0 to 6 or variable, not '7'"},
        {{"--total", good, "--stat", "median"}, "--stat takes total, average, mean or mode, not 'median'"},
        {{"--decimals", "2"}, "--decimals needs --total or --print"},
        {{"--stat", "mean"}, "--stat and --settings need --total"},
        {{"--total", good, "--evaluate", "1"}, "--total and --evaluate cannot be combined"},
        {{"--total", good, "other.Clc"}, "unexpected argument 'other.Clc' in a batch mode"},
        {{"--total", good, "--nonsense"}, "Unknown option 'nonsense'."},
    };
    for (const Row& r : rows) {
        const ProcessRun result = runProgram(r.args);
        EXPECT_EQ(result.code, 2) << r.message;
        EXPECT_EQ(result.err, "quillmate: " + r.message + "\nTry 'quillmate --help'.\n");
        EXPECT_EQ(result.out, "");
    }
}

} // namespace
