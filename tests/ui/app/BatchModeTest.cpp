// The built program's batch modes: totals, evaluation and the command line.

#include "ProgramRun.h"

#include "core/CoreTestSupport.h"
#include "core/Version.h"
#include "core/files/Cp1252.h"
#include "core/tape/DefaultButtons.h"
#include "core/tape/SettingsFile.h"

#include <QDir>
#include <QStandardPaths>

#include <unistd.h>

#include <tuple>

namespace qm::ui::test {
namespace {

using BatchMode = ProgramTest;

// Every row runs the program copied into a folder of its own, in an empty
// one: nothing may appear in either.
TEST_F(BatchMode, ResultsMessagesAndExitCodes)
{
    const QString bin = dir.filePath("bin"), work = dir.filePath("work");
    ASSERT_TRUE(QDir().mkpath(bin) && QDir().mkpath(work));
    ASSERT_TRUE(QFile::copy(Program, bin + "/quillmate"));
    const QString path = dir.filePath("t.Clc");
    const auto placed = [&](std::string text) {
        for (const auto& [name, by] : {std::pair{"FILE", path}, std::pair{"DIR", dir.path()}})
            for (std::size_t at; (at = text.find(name)) != std::string::npos;)
                text.replace(at, std::string_view(name).size(), by.toStdString());
        return text;
    };
    for (const qm::test::CaseRow& row : qm::test::caseFile("app_batch.tsv", 6)) {
        SCOPED_TRACE(row.where);
        QFile::remove(path);
        if (row[1] != "-")
            file("t.Clc", row[1]);
        QStringList args;
        for (const QString& arg : QString::fromStdString(placed(row[2])).split(' '))
            args << (arg == "''" ? QString() : arg);
        const ProgramRun r = runProcess(bin + "/quillmate", args, QString::fromStdString(row[0]), work);
        EXPECT_EQ(r.code, row.number(3)) << r.err;
        EXPECT_EQ(r.out, row[4]);
        const std::string err = placed(row[5]);
        if (row.number(3) == 2) {
            EXPECT_EQ(r.err.rfind(err + "Usage: ", 0), 0u) << r.err;
            EXPECT_NE(r.err.find("\nTry 'quillmate --help'.\n"), std::string::npos);
        } else {
            EXPECT_EQ(r.err, err);
        }
        EXPECT_EQ(QDir(work).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), QStringList());
        EXPECT_EQ(QDir(bin).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), QStringList{"quillmate"});
    }
    const QString huge = file("huge.Clc", calc("+1\r\n"));
    ASSERT_TRUE(QFile::resize(huge, qint64{40} << 30));   // sparse: no disk used
    EXPECT_EQ(runProgram({"--total", huge}).err, huge.toStdString() + ": the file is larger than 536870912 bytes\n");
}

TEST_F(BatchMode, FunctionButtonsFromASettingsFile)
{
    SettingsData settings;
    settings.buttons = defaultFunctionButtons();
    settings.buttons[16].Formula = "X*3";          // Kilo
    settings.buttons[18] = {"Caf\u00E9", "", ""};  // a name outside ASCII, no formula
    const QString custom = file("Custom.cal", writeSettings(settings));
    const QString cut = file("cut.cal", writeSettings(settings).substr(0, 10));   // cut short: not used
    const QString kilo = file("kilo.Clc", calc("+Kilo(22)\r\n"));
    // The file holds the name in Windows-1252; the output is UTF-8.
    const QString cafe = file("cafe.Clc", calc("+1\r\n+" + encodeCp1252("Caf\u00E9(2)") + "\r\n"));
    const struct { QStringList args; int code; std::string out, err; } rows[] = {
        {{"--total", kilo}, 0, "10\n", ""},
        {{"--total", kilo, "--settings", custom}, 0, "66\n", ""},
        {{"--total", cafe, "--settings", custom}, 3, "Caf\u00E9 Error\n", ""},
        {{"--total", kilo, "--settings", cut}, 1, "",
         cut.toStdString() + ": not a settings file (the file ends inside field 2 of 149)\n"},
    };
    for (const auto& r : rows) {
        const ProgramRun result = runProgram(r.args);
        EXPECT_EQ(std::tie(result.code, result.out, result.err), std::tie(r.code, r.out, r.err));
    }
}

// A calculation and a PDF named in no UTF-8 are found and written; "--" ends
// the options also before a file starting with a dash.
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

// Run as "nobody" where the test runs as root.
TEST_F(BatchMode, PermissionDeniedIsNamed)
{
    const QString secret = file("secret.Clc", calc("+1\r\n"));
    ASSERT_TRUE(QFile::setPermissions(dir.path(), QFile::Permissions(0x7011)));   // others may only enter
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
#ifdef QM_SANITIZED
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

TEST_F(BatchMode, VersionAndHelp)
{
    EXPECT_EQ(runProgram({"--version"}).out, std::string(ProgramVersion) + "\n");
    const ProgramRun help = runProgram({"--help"});
    EXPECT_EQ(help.code, 0);
    for (const char* says : {"--total <FILE>", "Exit status:", "  3  --total or --evaluate: the result is not a number"})
        EXPECT_NE(help.out.find(says), std::string::npos) << says;
    EXPECT_EQ(runProgram({"-h"}).out, help.out);
}

} // namespace
} // namespace qm::ui::test
