// The built program run as from a shell: no display, the C locale unless
// another is asked for, and a print server address that leads nowhere. Its
// batch modes (totals, evaluation, the command line) and its print mode.

#include "ui/UiTestSupport.h"

#include "core/files/Cp1252.h"
#include "core/files/SafeFile.h"
#include "core/tape/DefaultButtons.h"
#include "core/tape/SettingsFile.h"

#include <unistd.h>

#include <tuple>

namespace qm::ui::test {
namespace {

const QString Program = QStringLiteral(QM_BUILD_DIR "/src/app/quillmate");

struct ProgramRun { int code = -1; std::string out, err; };

// Any program in that setting (a shell, unshare, ...).
ProgramRun runProcess(const QString& program, const QStringList& args,
                             const QString& locale = QStringLiteral("C"), const QString& workingDir = QString())
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "LC_NUMERIC"})
        env.remove(QString::fromLatin1(name));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    env.insert(QStringLiteral("LC_ALL"), locale);
    env.insert(QStringLiteral("LANG"), locale);
    env.insert(QStringLiteral("CUPS_SERVER"), QStringLiteral("/nonexistent/quillmate-cups.sock"));
    QProcess p;
    p.setProcessEnvironment(env);
    p.setWorkingDirectory(workingDir);
    p.start(program, args);
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit) {
        p.kill();
        p.waitForFinished();
        return {-1, "", "program did not finish normally"};
    }
    return {p.exitCode(), p.readAllStandardOutput().toStdString(), p.readAllStandardError().toStdString()};
}

ProgramRun runProgram(const QStringList& args, const QString& locale = QStringLiteral("C")) { return runProcess(Program, args, locale); }

class ProgramTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(QFileInfo::exists(Program) && dir.isValid()) << "build quillmate first"; }
    QString file(const QString& name, const std::string& bytes)
    {
        EXPECT_TRUE(writeFile(dir.filePath(name), QByteArray::fromStdString(bytes))) << name.toStdString();
        return dir.filePath(name);
    }
    static std::string calc(const std::string& lines) { return "Ferrowick 6\r\n" + lines; }

    QTemporaryDir dir;
};

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

using PrintMode = ProgramTest;

TEST_F(PrintMode, PrintsIntoAPdfEveryLineThatCountsAndTheRecalculatedTotal)
{
    const bool canRead = haveTool(QStringLiteral("pdftotext"));
    for (const qm::test::CaseRow& row : qm::test::caseFile("app_print.tsv", 4)) {
        SCOPED_TRACE(row.where);
        const QString pdf = dir.filePath("out.pdf");
        QFile::remove(pdf);
        QStringList args{"--print", file("roll.Clc", row[1]), "--output", pdf};
        if (!row[2].empty())
            args += QString::fromStdString(row[2]).split(' ');
        const ProgramRun r = runProgram(args, QString::fromStdString(row[0]));
        EXPECT_EQ(r.code, 0) << r.err;
        EXPECT_EQ(r.err + r.out, "");
        ASSERT_GT(QFileInfo(pdf).size(), 0);
        if (canRead) {
            EXPECT_EQ(layoutText(pdf), QString::fromStdString(row[3]).split('|'));
        }
    }
}

// Whenever nothing was printed: exit code 1 and one line naming the cause.
// The PDF goes to a temporary file that replaces the output only when it is
// complete; only a file named ".pdf", or a new one, is ever replaced.
TEST_F(PrintMode, OutputIsReplacedSafelyAndFailuresAreOneLine)
{
    file("good.Clc", calc("+1\r\n"));
    file("bad.Clc", calc("+1\r\n+abc\r\n"));
    const std::string tape = calc("+12.5\r\n");
    const QString clc = file("tape.Clc", tape);
    file("OLD.PDF", "%PDF-1.4 old");
    file("fake.pdf", tape);
    ASSERT_TRUE(QFile::link(clc, dir.filePath("link.pdf")));
    ASSERT_TRUE(QDir().mkpath(dir.filePath("folder.pdf")));
    // A save of out.pdf that was killed left its temporary file.
    const QString out = dir.filePath("out.pdf");
    const TempFile leftover = createTempFileFor(std::filesystem::path(out.toStdString()));
    ASSERT_TRUE(leftover.status);
    for (const qm::test::CaseRow& c : qm::test::caseFile("app_print_outcomes.tsv", 3)) {
        SCOPED_TRACE(c.where);
        const QStringList args = QString::fromStdString(c[0]).replace("DIR", dir.path()).split(' ');
        const std::string says = QString::fromStdString(c[2]).replace("DIR", dir.path()).toStdString();
        const ProgramRun r = runProgram(QStringList{"--print"} + args);
        EXPECT_EQ(r.code, c.number(1)) << r.err;
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(r.err.substr(r.err.size() - std::min(r.err.size(), says.size())), says);
        if (c.number(1) == 0) {
            EXPECT_EQ(r.err, "");
            EXPECT_EQ(readFile(args.back()).left(5), "%PDF-");
        } else {
            EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << r.err;   // exactly one line
            EXPECT_EQ(r.err.rfind("The tape was not printed: ", 0), 0u) << r.err;
        }
    }
    EXPECT_EQ(readFile(clc).toStdString(), tape);
    EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(leftover.path.string())));
    QStringList left = QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    left.sort();
    EXPECT_EQ(left, (QStringList{"OLD.PDF", "bad.Clc", "fake.pdf", "folder.pdf", "good.Clc", "link.pdf", "out.pdf",
                                 "report", "tape.Clc"}));
}

// On a full disk the old PDF stays whole and no temporary file is left. The
// small disk is a tmpfs mounted in a namespace of its own.
TEST_F(PrintMode, AFullDiskLeavesTheOldPdfWhole)
{
    const QString unshare = QStandardPaths::findExecutable(QStringLiteral("unshare"));
    if (unshare.isEmpty())
        GTEST_SKIP() << "unshare is not installed: no small disk can be mounted";
    const QString good = file("good.Clc", calc("+12.5\r\nx3\r\n"));
    const QString mnt = dir.filePath("small");
    ASSERT_TRUE(QDir().mkpath(mnt));
    const char* script =
        "mount -t tmpfs -o size=256k tmpfs \"$1\" 2>/dev/null || exit 77\n"
        "printf '%%PDF- old' > \"$1/out.pdf\"\n"
        "dd if=/dev/zero of=\"$1/fill\" bs=4096 2>/dev/null\n"
        "\"$2\" --print \"$3\" --output \"$1/out.pdf\"\n"
        "echo \"exit $?\"; cat \"$1/out.pdf\"; echo; ls -A \"$1\"\n";
    const ProgramRun r = runProcess(unshare, {"-rm", "sh", "-c", script, "sh", mnt, Program, good});
    if (r.code == 77 || r.code == 1)
        GTEST_SKIP() << "no tmpfs could be mounted here: " << r.err;
    EXPECT_EQ(r.out, "exit 1\n%PDF- old\nfill\nout.pdf\n");
    // The message names the file asked for, not the temporary one.
    EXPECT_EQ(r.err, "The tape was not printed: \"" + mnt.toStdString() + "/out.pdf\" cannot be written: the disk is full.\n");
}

} // namespace
} // namespace qm::ui::test
