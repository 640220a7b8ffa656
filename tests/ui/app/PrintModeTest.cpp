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
    const QString good = file("good.Clc", calc("+1\r\n"));
    const QString bad = file("bad.Clc", calc("+1\r\n+abc\r\n"));
    const std::string tape = calc("+12.5\r\n");
    const QString clc = file("tape.Clc", tape);
    const QString upper = file("OLD.PDF", "%PDF-1.4 old");
    const QString fake = file("fake.pdf", tape);
    ASSERT_TRUE(QFile::link(clc, dir.filePath("link.pdf")));
    ASSERT_TRUE(QDir().mkpath(dir.filePath("folder.pdf")));
    // A save of out.pdf that was killed left its temporary file.
    const QString out = dir.filePath("out.pdf");
    const TempFile leftover = createTempFileFor(std::filesystem::path(out.toStdString()));
    ASSERT_TRUE(leftover.status);
    const QString never = dir.filePath("never.pdf");

    const struct { QStringList args; int code; std::string says; } cases[] = {
        {{dir.filePath("missing.Clc"), "--output", never}, 1, "missing.Clc\" cannot be read: File not found.\n"},
        {{bad, "--output", never}, 1, "bad.Clc\" cannot be read: Line 3: \"abc\" is not a number.\n"},
        {{dir.path(), "--output", never}, 1, "\" cannot be read: Is a folder.\n"},
        {{good, "--output", dir.filePath("no/such/folder/x.pdf")}, 1,
         "x.pdf\" cannot be written: the folder does not exist.\n"},
        {{good}, 1, "The tape was not printed: no default printer is set up.\n"},
        {{good, "--output", clc}, 1,
         "\" already exists and its name does not end in \".pdf\", so it is not replaced.\n"},
        {{good, "--output", fake}, 1, "fake.pdf\" already exists and is not a PDF file, so it is not replaced.\n"},
        {{good, "--output", dir.filePath("link.pdf")}, 1,
         "link.pdf\" is a link to \"" + clc.toStdString() + "\", which is not a PDF file, so it is not replaced.\n"},
        {{good, "--output", dir.filePath("folder.pdf")}, 1, "folder.pdf\" cannot be replaced: is a folder.\n"},
        {{good, "--output", upper}, 0, ""},
        {{good, "--output", dir.filePath("report")}, 0, ""},   // a new file may have any name
        {{good, "--output", out}, 0, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.join(' ').toStdString());
        const ProgramRun r = runProgram(QStringList{"--print"} + c.args);
        EXPECT_EQ(r.code, c.code) << r.err;
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(r.err.substr(r.err.size() - std::min(r.err.size(), c.says.size())), c.says);
        if (c.code == 0) {
            EXPECT_EQ(r.err, "");
            EXPECT_EQ(readFile(c.args.back()).left(5), "%PDF-");
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
