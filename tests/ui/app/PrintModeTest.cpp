// The built program's print mode: a calculation file printed into a PDF or
// on the default printer.

#include "ProgramRun.h"

#include "core/CoreTestSupport.h"
#include "core/files/SafeFile.h"
#include "ui/UiTestSupport.h"

#include <QDir>
#include <QStandardPaths>

namespace qm::ui::test {
namespace {

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
