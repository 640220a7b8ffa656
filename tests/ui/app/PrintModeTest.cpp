// The batch print mode of the built program: a calculation file printed on
// the default printer or into a PDF file, with one line of complaint and exit
// code 1 whenever nothing was printed.

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <string>

namespace {

const QString Program = QStringLiteral(QM_BUILD_DIR "/src/app/quillmate");

struct ProgramRun {
    int code = -1;
    std::string out;
    std::string err;
};

// No display and, through a server address that leads nowhere, no printer:
// printing must still work into a PDF and fail plainly otherwise.
ProgramRun runProgram(const QStringList& args)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("DISPLAY"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C"));
    env.insert(QStringLiteral("CUPS_SERVER"), QStringLiteral("/nonexistent/quillmate-cups.sock"));
    QProcess p;
    p.setProcessEnvironment(env);
    p.start(Program, args);
    ProgramRun r;
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

// The PDF's text, one entry per printed line with its words separated by
// single blanks.
QStringList pdfLines(const QString& pdf)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    if (!p.waitForFinished(30000))
        return {};
    QStringList lines;
    for (QString line : QString::fromUtf8(p.readAllStandardOutput()).split(QLatin1Char('\n'))) {
        line = line.remove(QLatin1Char('\f')).simplified();
        if (!line.isEmpty())
            lines << line;
    }
    return lines;
}

class PrintMode : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(QFileInfo::exists(Program)) << "build the target quillmate first";
        ASSERT_TRUE(dir.isValid());
    }
    QString file(const QString& name, const QByteArray& bytes)
    {
        QFile f(dir.filePath(name));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return f.fileName();
    }
    QTemporaryDir dir;
};

TEST_F(PrintMode, PrintsIntoAPdf)
{
    // Empty, negative and text lines do not print.
    const QString calc = file(QStringLiteral("roll.Clc"),
                              "Ferrowick 6\r\n+12.5\r\nx3\r\n+0\r\n--1\r\n+Sin(0)\r\n+1\r\n");
    const bool canRead = !QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty();
    const struct {
        QStringList decimals;
        QStringList lines;
    } cases[] = {
        {{"--decimals", "2"}, {"+ 12.50", "x 3.00", "+ 1.00", "= 39.50"}},
        {{"--decimals", "variable"}, {"+ 12.5", "x 3", "+ 1", "= 39.5"}},
        {{"--decimals", "0"}, {"+ 13", "x 3", "+ 1", "= 40"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.decimals.join(' ').toStdString());
        const QString pdf = dir.filePath(QStringLiteral("out.pdf"));
        QFile::remove(pdf);
        QStringList args{"--print", calc, "--output", pdf};
        args += c.decimals;
        const ProgramRun r = runProgram(args);
        EXPECT_EQ(r.code, 0) << r.err;
        EXPECT_EQ(r.err, "");
        EXPECT_EQ(r.out, "");
        ASSERT_TRUE(QFileInfo(pdf).size() > 0);
        if (canRead) {
            EXPECT_EQ(pdfLines(pdf), c.lines);
        }
    }
}

TEST_F(PrintMode, NothingPrintedIsOneLineAndExitCodeOne)
{
    const QString good = file(QStringLiteral("good.Clc"), "Ferrowick 6\r\n+1\r\n");
    const QString bad = file(QStringLiteral("bad.Clc"), "Ferrowick 6\r\n+1\r\n+abc\r\n");
    const QString missing = dir.filePath(QStringLiteral("missing.Clc"));
    const QString pdf = dir.filePath(QStringLiteral("never.pdf"));
    const struct {
        QStringList args;
        const char* says;
    } cases[] = {
        {{"--print", missing, "--output", pdf}, "does not exist"},
        {{"--print", bad, "--output", pdf}, "(line 3)"},
        {{"--print", dir.path(), "--output", pdf}, "does not exist"},   // a folder
        {{"--print", good, "--output", dir.filePath("no/such/folder/x.pdf")}, "cannot be written"},
        {{"--print", good}, "no default printer"},
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

TEST_F(PrintMode, MalformedCommandLinesAndHelp)
{
    const QString good = file(QStringLiteral("good.Clc"), "Ferrowick 6\r\n+1\r\n");
    const struct {
        QStringList args;
        std::string message;
    } cases[] = {
        {{"--print"}, "Missing value after '--print'."},
        {{"--output", "x.pdf"}, "--output needs --print"},
        {{"--print", good, "--total", good}, "--print cannot be combined with --total or --evaluate"},
        {{"--print", good, "--decimals", "8"}, "--decimals takes 0 to 6 or variable, not '8'"},
        {{"--print", good, "--stat", "mean"}, "--stat and --settings need --total"},
    };
    for (const auto& c : cases) {
        const ProgramRun r = runProgram(c.args);
        EXPECT_EQ(r.code, 2) << c.message;
        EXPECT_EQ(r.err, "quillmate: " + c.message + "\nTry 'quillmate --help'.\n");
    }

    const ProgramRun help = runProgram({"--help"});
    EXPECT_EQ(help.code, 0);
    for (const char* part : {"--print <FILE>", "--output <FILE>", "--total <FILE>",
                             "--evaluate <EXPR>", "--decimals <N>", "the window starts"})
        EXPECT_NE(help.out.find(part), std::string::npos) << part;
}

} // namespace
