#include "FilesTestSupport.h"

#include "core/files/CalcFile.h"
#include "ui/files/CalculationFiles.h"

#include <QMainWindow>

#ifdef __linux__
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/mount.h>
#include <unistd.h>
#endif

namespace qm::ui {
namespace {

using testing::MessageCatcher;
using testing::readFile;
using testing::writeFile;

qm::Decimal dec(const char* text)
{
    return qm::parseStrict(text).value();
}

qm::Tape tapeOf(std::initializer_list<std::pair<char, qm::Value>> lines)
{
    qm::Tape t;
    for (const auto& [op, value] : lines) {
        t.TapeOp.push_back(op);
        t.TapeValue.push_back(value);
    }
    return t;
}

// Value texts as a file would hold them, to compare tapes line by line.
std::vector<std::string> lineTexts(const qm::Tape& t)
{
    std::vector<std::string> out;
    for (std::size_t i = 0; i < t.size(); ++i)
        out.push_back(std::string(1, t.TapeOp[i]) + qm::calcFileValueText(t.TapeValue[i], '.'));
    return out;
}

QList<QByteArray> fileLines(const QString& path)
{
    QList<QByteArray> lines = readFile(path).split('\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

class CalculationFilesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(tmp.isValid());
        window.setWindowTitle("Quillmate 8.1 (Educational Version)");
        catcher.arm();
    }
    QString path(const char* name) const { return tmp.filePath(name); }

    QTemporaryDir tmp;
    QMainWindow window;
    MessageCatcher catcher;
    qm::Regional regional;   // "." and ","
};

TEST_F(CalculationFilesTest, SeventeenLinesRoundTrip)
{
    qm::Tape tape;
    const char ops[] = {'+', '-', 'x', '/', '^'};
    for (int i = 0; i < 17; ++i) {
        tape.TapeOp.push_back(ops[i % 5]);
        tape.TapeValue.push_back(qm::Decimal::fromInt(i * 7 - 40));
    }
    tape.TapeValue[3] = dec("12.5");
    tape.TapeValue[4] = qm::Value();   // never set: written as "0"
    tape.TapeValue[5] = qm::Value("Sin(30)");

    QString error;
    ASSERT_TRUE(saveCalculation(&window, path("t.Clc"), tape, regional, &error)) << error.toStdString();
    const QList<QByteArray> lines = fileLines(path("t.Clc"));
    ASSERT_EQ(lines.size(), 18);
    EXPECT_EQ(lines[0], "Ferrowick 6\r");
    EXPECT_EQ(lines[1], "+-40\r");
    EXPECT_EQ(lines[4], "/12.5\r");
    EXPECT_EQ(lines[5], "^0\r");
    EXPECT_EQ(lines[6], "+Sin(30)\r");

    qm::Tape back = tapeOf({{'+', qm::Decimal::fromInt(99)}});
    ASSERT_TRUE(openCalculation(&window, path("t.Clc"), regional, back, &error)) << error.toStdString();
    ASSERT_EQ(back.size(), 17u);
    EXPECT_EQ(back.TapeOp, tape.TapeOp);
    std::vector<std::string> expected = lineTexts(tape);
    EXPECT_EQ(lineTexts(back), expected);
    EXPECT_TRUE(back.TapeValue[5].isText());
    EXPECT_EQ(catcher.seen, 0);
}

TEST_F(CalculationFilesTest, LinesAsOtherInstallationsWriteThem)
{
    const struct {
        const char* file;
        std::vector<std::string> lines;
    } cases[] = {
        // Two minus signs and 5: operator "-", value -5.
        {"Ferrowick 6\r\n--5\r\n", {"--5"}},
        // The header is not checked; function, rounding and percent lines stay text.
        {"anything\r\n+3\r\nxSin(30)\r\n+Roun(2)\r\n-10%\r\n+Kilo(12)\r\n", {"+3", "xSin(30)", "+Roun(2)", "-10%", "+Kilo(12)"}},
        // An operator alone (a never-set line) reads as 0; LF-only files open too.
        {"Ferrowick 6\n+\n/4\n", {"+0", "/4"}},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(writeFile(path("in.Clc"), c.file));
        qm::Tape tape;
        ASSERT_TRUE(openCalculation(&window, path("in.Clc"), regional, tape)) << c.file;
        EXPECT_EQ(lineTexts(tape), c.lines) << c.file;
    }
    qm::Tape minus;
    ASSERT_TRUE(writeFile(path("in.Clc"), "Ferrowick 6\r\n--5\r\n"));
    ASSERT_TRUE(openCalculation(&window, path("in.Clc"), regional, minus));
    ASSERT_TRUE(minus.TapeValue[0].isDecimal());
    EXPECT_EQ(minus.TapeValue[0].decimal(), qm::Decimal::fromInt(-5));
    EXPECT_EQ(catcher.seen, 0);
}

TEST_F(CalculationFilesTest, TwentyFiveThousandLinesOpenWhole)
{
    QByteArray file = "Ferrowick 6\r\n";
    for (int i = 0; i < 25000; ++i)
        file += (i % 2 ? "x" : "+") + QByteArray::number(i) + "\r\n";
    ASSERT_TRUE(writeFile(path("big.Clc"), file));
    qm::Tape tape;
    ASSERT_TRUE(openCalculation(&window, path("big.Clc"), regional, tape));
    ASSERT_EQ(tape.size(), 25000u);
    ASSERT_EQ(tape.TapeOp.size(), 25000u);
    EXPECT_EQ(tape.TapeValue[24999].decimal(), qm::Decimal::fromInt(24999));
    EXPECT_EQ(tape.TapeOp[24999], 'x');
    EXPECT_EQ(tape.TapeValue[10000].decimal(), qm::Decimal::fromInt(10000));
}

TEST_F(CalculationFilesTest, ShortFileOpens)
{
    // Fewer lines than any window shows rows.
    ASSERT_TRUE(writeFile(path("one.Clc"), "Ferrowick 6\r\n+7\r\n"));
    qm::Tape tape;
    tape.resize(74);
    ASSERT_TRUE(openCalculation(&window, path("one.Clc"), regional, tape));
    EXPECT_EQ(tape.size(), 1u);
    EXPECT_EQ(tape.TapeOp.size(), 1u);
}

TEST_F(CalculationFilesTest, FailedOpeningKeepsTheOldTapeAndSaysSo)
{
    const qm::Tape old = tapeOf({{'+', qm::Decimal::fromInt(1)}, {'x', qm::Value("Cos(0)")}});
    const struct {
        const char* file;
        int line;   // 0: no line in the reason
    } cases[] = {
        {"Ferrowick 6\r\n+1\r\n+abc\r\n+3\r\n", 3},
        {"", 1},                      // no header line
        {"Ferrowick 6\r\n", 2},       // a header but no tape line
        {"Ferrowick 6\r\n+1\r\n\r\n+2\r\n", 3},
    };
    int expectedMessages = 0;
    for (const auto& c : cases) {
        ASSERT_TRUE(writeFile(path("bad.Clc"), c.file));
        qm::Tape tape = old;
        QString error;
        EXPECT_FALSE(openCalculation(&window, path("bad.Clc"), regional, tape, &error)) << c.file;
        ++expectedMessages;
        EXPECT_EQ(catcher.seen, expectedMessages);
        EXPECT_EQ(catcher.text, "Cannot write to read only file or drive...");
        EXPECT_EQ(catcher.title, "Quillmate 8.1 (Educational Version)");
        EXPECT_TRUE(error.startsWith(QStringLiteral("line %1:").arg(c.line))) << error.toStdString();
        EXPECT_EQ(lineTexts(tape), lineTexts(old));
    }
}

TEST_F(CalculationFilesTest, NothingToOpenIsSilent)
{
    qm::Tape tape = tapeOf({{'+', qm::Decimal::fromInt(4)}});
    QString error = "stale";
    EXPECT_FALSE(openCalculation(&window, path("missing.Clc"), regional, tape, &error));
    EXPECT_FALSE(openCalculation(&window, tmp.path(), regional, tape, &error));   // a folder
    EXPECT_FALSE(openCalculation(&window, "", regional, tape, &error));
    QTest::qWait(60);
    EXPECT_EQ(catcher.seen, 0);
    EXPECT_TRUE(error.isEmpty());
    EXPECT_EQ(tape.size(), 1u);
}

TEST_F(CalculationFilesTest, SavingOverAnExistingFileReplacesIt)
{
    ASSERT_TRUE(writeFile(path("s.Clc"), "Ferrowick 6\r\n+1\r\n+2\r\n+3\r\n+4\r\n"));
    const qm::Tape tape = tapeOf({{'-', dec("0.25")}});
    ASSERT_TRUE(saveCalculation(&window, path("s.Clc"), tape, regional));
    EXPECT_EQ(readFile(path("s.Clc")), "Ferrowick 6\r\n-0.25\r\n");
    // Only the file itself is left: no temporary beside it.
    EXPECT_EQ(QDir(tmp.path()).entryList(QDir::Files), QStringList{"s.Clc"});
    EXPECT_EQ(catcher.seen, 0);
}

// A folder that refuses writes even to root, which the tests run as: a
// tmpfs mounted over it and remounted read-only, else the immutable flag.
class ReadOnlyFolder {
public:
    explicit ReadOnlyFolder(const QString& dir) : dir_(QFile::encodeName(dir).toStdString()) {}
    ~ReadOnlyFolder() { release(); }

    // Makes the folder read-only after `fill` has written into it.
    template <class Fill>
    QString make(Fill fill)
    {
#ifdef __linux__
        if (::mount("tmpfs", dir_.c_str(), "tmpfs", 0, "size=1m") == 0) {
            mounted_ = true;
            fill();
            if (::mount(nullptr, dir_.c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) == 0)
                return "read-only mount";
            return {};
        }
        fill();
        const int fd = ::open(dir_.c_str(), O_RDONLY | O_DIRECTORY);
        if (fd >= 0) {
            int flags = 0;
            if (::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0) {
                flags |= FS_IMMUTABLE_FL;
                if (::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0)
                    immutable_ = true;
            }
            ::close(fd);
        }
        if (immutable_)
            return "immutable folder";
        if (::geteuid() != 0 && QFile::setPermissions(QString::fromStdString(dir_), QFile::ReadOwner | QFile::ExeOwner))
            return "folder without write permission";
#else
        fill();
#endif
        return {};
    }

    void release()
    {
#ifdef __linux__
        if (immutable_) {
            const int fd = ::open(dir_.c_str(), O_RDONLY | O_DIRECTORY);
            int flags = 0;
            if (fd >= 0 && ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0) {
                flags &= ~FS_IMMUTABLE_FL;
                ::ioctl(fd, FS_IOC_SETFLAGS, &flags);
            }
            if (fd >= 0)
                ::close(fd);
            immutable_ = false;
        }
        if (mounted_) {
            ::umount2(dir_.c_str(), MNT_DETACH);
            mounted_ = false;
        }
#endif
        QFile::setPermissions(QString::fromStdString(dir_), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

private:
    std::string dir_;
    bool mounted_ = false;
    bool immutable_ = false;
};

TEST_F(CalculationFilesTest, SaveIntoAReadOnlyFolderFailsAndKeepsTheOldFile)
{
    const QString dir = path("locked");
    ASSERT_TRUE(QDir().mkpath(dir));
    const QByteArray old = "Ferrowick 6\r\n+1\r\n+2\r\n";
    ReadOnlyFolder folder(dir);
    const QString how = folder.make([&] { ASSERT_TRUE(writeFile(dir + "/old.Clc", old)); });
    if (how.isEmpty())
        GTEST_SKIP() << "no way to make a folder read-only here";

    const qm::Tape tape = tapeOf({{'+', qm::Decimal::fromInt(5)}});
    QString error;
    EXPECT_FALSE(saveCalculation(&window, dir + "/old.Clc", tape, regional, &error)) << how.toStdString();
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(catcher.seen, 1);
    EXPECT_EQ(catcher.text, "Cannot write to read only file or drive...");
    EXPECT_EQ(catcher.title, window.windowTitle());
    EXPECT_EQ(readFile(dir + "/old.Clc"), old);
    EXPECT_EQ(QDir(dir).entryList(QDir::Files), QStringList{"old.Clc"});
    // A new file there fails the same way.
    EXPECT_FALSE(saveCalculation(&window, dir + "/new.Clc", tape, regional));
    EXPECT_EQ(catcher.seen, 2);
    folder.release();
}

TEST_F(CalculationFilesTest, SaveOverAReadOnlyFileOrThroughAFileFails)
{
    const QByteArray old = "Ferrowick 6\r\n+9\r\n";
    ASSERT_TRUE(writeFile(path("ro.Clc"), old));
    ASSERT_TRUE(QFile::setPermissions(path("ro.Clc"), QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    const qm::Tape tape = tapeOf({{'+', qm::Decimal::fromInt(5)}});
    EXPECT_FALSE(saveCalculation(&window, path("ro.Clc"), tape, regional));
    EXPECT_EQ(readFile(path("ro.Clc")), old);
    // A path whose folder is a regular file.
    EXPECT_FALSE(saveCalculation(&window, path("ro.Clc") + "/x.Clc", tape, regional));
    EXPECT_EQ(catcher.seen, 2);
}

TEST_F(CalculationFilesTest, MessageTitleWithoutAWindowTitle)
{
    QWidget plain;
    QWidget child(&plain);
    showCalculationFileMessage(&child);
    EXPECT_EQ(catcher.seen, 1);
    EXPECT_EQ(catcher.title, QApplication::applicationName());
    plain.setWindowTitle("Host");
    showCalculationFileMessage(&child);
    EXPECT_EQ(catcher.title, "Host");
}

} // namespace
} // namespace qm::ui
