// The main window's "Open Calculation..." and "Save Calculation..." and the
// calculation named on the command line: what the tape, the rows, the scroll
// bar and the total show afterwards.

#include "ui/tape/RollingCaculator.h"

#include "FilesTestSupport.h"
#include "ui/controls/EzyVerticalScroll.h"
#include "ui/controls/SuperButton.h"
#include "ui/files/LoadSave.h"
#include "ui/platform/RegionalSettings.h"
#include "ui/tape/EntryBox.h"

#include <QLineEdit>

#include <functional>

namespace qm::ui {
namespace {

using testing::MessageCatcher;
using testing::readFile;
using testing::writeFile;

constexpr const char* Message = "Cannot write to read only file or drive...";

// A calculation file of `lines` tape lines: line i holds i + 1, under "x"
// when i is a multiple of 5 (but not line 0), else under "+".
QByteArray numberedFile(int lines)
{
    QByteArray bytes = "Ferrowick 6\r\n";
    for (int i = 0; i < lines; ++i)
        bytes += (i % 5 == 0 && i > 0 ? "x" : "+") + QByteArray::number(i + 1) + "\r\n";
    return bytes;
}

std::string text(const Value& v) { return plainText(v, '.'); }

Value dec(const char* s)
{
    const Result<Decimal> d = parseStrict(s);
    EXPECT_TRUE(d.ok()) << s;
    return d.ok() ? Value(*d) : Value();
}

QString lineText(const Rolling_Caculator& w, int line)
{
    const auto at = static_cast<std::size_t>(line);
    return QString(QChar(w.tape.TapeOp[at])) + toQ(text(w.tape.TapeValue[at]));
}

class MainWindowFiles : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(tmp.isValid());
        savedCurrent = QDir::currentPath();
        dir = QDir(tmp.path()).canonicalPath();
        ASSERT_TRUE(QDir::setCurrent(dir));
        catcher.arm();
    }
    void TearDown() override { QDir::setCurrent(savedCurrent); }

    QString path(const QString& name) const { return dir + "/" + name; }

    // Opens `file` the way the start-up opening does, without the dialog.
    static void open(Rolling_Caculator& w, const QString& file)
    {
        w.FilePath = file;
        w.LD_Click(5);
    }

    // Runs `act` while the file dialog, once it shows, gets `name` typed into
    // its name box and is answered with its accept (or cancel) button.
    static void withDialog(Rolling_Caculator& w, const QString& name, bool accept,
                           const std::function<void()>& act)
    {
        bool answered = false;
        QTimer poll;
        poll.setInterval(10);
        QObject::connect(&poll, &QTimer::timeout, &poll, [&] {
            auto* dialog = w.findChild<LoadSave*>();
            if (answered || !dialog || !dialog->isVisible())
                return;
            answered = true;
            dialog->nameBox()->clear();
            QTest::keyClicks(dialog->nameBox(), name);
            QTest::mouseClick(accept ? dialog->acceptButton() : dialog->cancelButton(),
                              Qt::LeftButton);
        });
        poll.start();
        act();
        poll.stop();
        EXPECT_TRUE(answered) << "the file dialog never showed";
    }

    QTemporaryDir tmp;
    QString dir;
    QString savedCurrent;
    MessageCatcher catcher;
};

TEST_F(MainWindowFiles, OpeningSetsTheRangeKeepsTheScrollPositionAndPadsShortTapes)
{
    Rolling_Caculator w;
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    const int rows = w.LastLoadedRow + 1;
    ASSERT_GT(w.LastRow, 3);
    ASSERT_GE(w.LastLoadedRow, w.LastRow);

    const struct {
        const char* what;
        int lines;      // tape lines in the file
        int scrolled;   // scroll position before opening
    } cases[] = {
        {"long tape, unscrolled", 300, 0},
        {"long tape keeps the position", 300, 7},
        {"short tape while scrolled", 3, 7},
        {"short tape scrolled beyond its padding", 3, 250},
        {"one line more than the shown rows", w.LastRow + 2, 1},
        {"tape ending above the position", rows + 10, 250},
        {"tape ending at the position", rows + 10, rows + 9 - w.LastRow},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        // A tall tape first, so that any scroll position can be reached.
        ASSERT_TRUE(writeFile(path("tall.Clc"), numberedFile(400)));
        open(w, path("tall.Clc"));
        w.ScrollNum->setValue(c.scrolled);
        ASSERT_EQ(w.scrollValue(), c.scrolled);

        ASSERT_TRUE(writeFile(path("case.Clc"), numberedFile(c.lines)));
        open(w, path("case.Clc"));
        EXPECT_EQ(catcher.seen, 0);

        const int size = std::max(c.lines, rows);
        ASSERT_EQ(w.tape.size(), static_cast<std::size_t>(size));
        ASSERT_EQ(w.tape.TapeOp.size(), w.tape.size());
        const int max = std::max(0, size - 1 - w.LastRow);
        EXPECT_EQ(w.scrollMax(), max);
        // Kept while the new tape reaches it, else back to the first line.
        EXPECT_EQ(w.scrollValue(), c.scrolled <= max ? c.scrolled : 0);
        for (int i = 0; i < size; ++i) {
            const QString expected = i >= c.lines ? QStringLiteral("+0")
                                                  : QString(i % 5 == 0 && i > 0 ? "x" : "+") +
                                                        QString::number(i + 1);
            ASSERT_EQ(lineText(w, i), expected) << "line " << i;
        }
        // Every shown row shows its line: padded lines empty under "+".
        for (int j = 0; j <= w.LastRow; ++j) {
            const int line = w.scrollValue() + j;
            const bool real = line < c.lines;
            EXPECT_EQ(w.CalAmount[j]->text(), real ? QString::number(line + 1) : QString()) << j;
            EXPECT_EQ(w.Op[j]->caption(), real && line % 5 == 0 && line > 0 ? "x" : "+") << j;
        }
        EXPECT_FALSE(w.TotalAmount->text().isEmpty());

        // The far end of the range shows the last line on the last row.
        w.ScrollNum->setValue(w.scrollMax());
        EXPECT_EQ(w.scrollValue() + w.LastRow, std::max(size - 1, w.LastRow));
    }
}

TEST_F(MainWindowFiles, OpeningRecalculatesTheTotal)
{
    Rolling_Caculator w;
    w.settings.regional = Regional{'.', ',', 3};
    ASSERT_TRUE(writeFile(path("t.Clc"), "Ferrowick 6\r\n+12.5\r\nx3\r\n--5\r\n+Sin(0)\r\n"));
    open(w, path("t.Clc"));
    ASSERT_EQ(catcher.seen, 0);
    // (12.5 x 3) - (-5) + sin 0
    EXPECT_EQ(w.TotalAmount->text(), QStringLiteral("42.5"));
    EXPECT_EQ(w.tape.TapeOp[2], '-');
    EXPECT_EQ(text(w.tape.TapeValue[2]), "-5");
    EXPECT_EQ(w.CalAmount[3]->text(), QStringLiteral("Sin(0)"));
}

TEST_F(MainWindowFiles, FailedOpeningSaysSoAndKeepsTheWholeOldTape)
{
    Rolling_Caculator w;
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    ASSERT_TRUE(writeFile(path("good.Clc"), numberedFile(120)));
    open(w, path("good.Clc"));
    w.ScrollNum->setValue(4);
    const QString total = w.TotalAmount->text();
    const QString row0 = w.CalAmount[0]->text();

    const struct {
        const char* name;
        QByteArray bytes;
        bool message;
    } cases[] = {
        {"value.Clc", "Ferrowick 6\r\n+1\r\n+abc\r\n", true},
        {"empty.Clc", "", true},
        {"header.Clc", "Ferrowick 6\r\n", true},
        {"missing.Clc", {}, false},   // not written: a path that does not exist
    };
    int messages = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.message) {
            ASSERT_TRUE(writeFile(path(c.name), c.bytes));
        }
        open(w, path(c.name));
        QTest::qWait(40);
        messages += c.message ? 1 : 0;
        EXPECT_EQ(catcher.seen, messages);
        if (c.message) {
            EXPECT_EQ(catcher.text, Message);
            EXPECT_EQ(catcher.title, w.windowTitle());
        }
        ASSERT_EQ(w.tape.size(), 120u);
        EXPECT_EQ(lineText(w, 119), "+120");
        EXPECT_EQ(w.scrollValue(), 4);
        EXPECT_EQ(w.CalAmount[0]->text(), row0);
        EXPECT_EQ(w.TotalAmount->text(), total);
    }
}

TEST_F(MainWindowFiles, CommandLineCalculationOpensAtTheFirstActivationOnly)
{
    const QString file = path("start up.Clc");
    ASSERT_TRUE(writeFile(file, "Ferrowick 6\r\n+2\r\nx21\r\n"));
    Rolling_Caculator w(QStringLiteral("\"") + file + QStringLiteral("\""));
    EXPECT_EQ(text(w.tape.TapeValue[0]), "0");   // not before the window is activated
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    if (!w.Activated)
        w.Form_Activate();
    EXPECT_TRUE(w.windowTitle().endsWith(file));
    EXPECT_EQ(w.FilePath, file);
    EXPECT_NE(w.CustomFile, file);
    EXPECT_EQ(lineText(w, 0), "+2");
    EXPECT_EQ(lineText(w, 1), "x21");
    EXPECT_EQ(w.CalAmount[1]->text(), QStringLiteral("21"));
    EXPECT_EQ(w.TotalAmount->text(), QStringLiteral("42"));

    // A later activation neither clears the tape nor opens the file again.
    ASSERT_TRUE(writeFile(file, "Ferrowick 6\r\n+7\r\n"));
    w.Form_Activate();
    EXPECT_EQ(lineText(w, 0), "+2");
    EXPECT_EQ(catcher.seen, 0);
}

TEST_F(MainWindowFiles, SaveAndOpenThroughTheDialog)
{
    Rolling_Caculator w;
    w.settings.regional = Regional{'.', ',', 3};
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    const int lines = static_cast<int>(w.tape.size());
    w.tape.TapeValue[0] = dec("12.5");
    w.tape.TapeOp[1] = 'x';
    w.tape.TapeValue[1] = Value(Decimal::fromInt(3));
    w.tape.TapeOp[2] = '-';
    w.tape.TapeValue[2] = dec("-5");
    w.MailCalc();

    withDialog(w, QStringLiteral("roll"), true, [&] { w.LD_Click(1); });
    EXPECT_EQ(w.FilePath, QDir::toNativeSeparators(path("roll.Clc")));
    QByteArray expected = "Ferrowick 6\r\n+12.5\r\nx3\r\n--5\r\n";
    for (int i = 3; i < lines; ++i)
        expected += "+0\r\n";
    EXPECT_EQ(readFile(path("roll.Clc")), expected);
    EXPECT_EQ(catcher.seen, 0);

    // A fresh window opens it whole through "Open Calculation...".
    Rolling_Caculator other;
    other.settings.regional = Regional{'.', ',', 3};
    other.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&other));
    withDialog(other, QStringLiteral("roll"), true, [&] { other.LD_Click(0); });
    ASSERT_EQ(other.tape.size(), w.tape.size());
    for (int i = 0; i < lines; ++i)
        ASSERT_EQ(lineText(other, i), lineText(w, i)) << i;
    EXPECT_EQ(other.TotalAmount->text(), w.TotalAmount->text());

    // Cancelling changes nothing, saving over the file replaces it.
    withDialog(other, QStringLiteral("roll"), false, [&] { other.LD_Click(1); });
    EXPECT_TRUE(other.FilePath.isEmpty());
    EXPECT_EQ(readFile(path("roll.Clc")), expected);
    other.tape.TapeValue[0] = Value(Decimal::fromInt(9));
    withDialog(other, QStringLiteral("roll"), true, [&] { other.LD_Click(1); });
    EXPECT_TRUE(readFile(path("roll.Clc")).startsWith("Ferrowick 6\r\n+9\r\nx3\r\n"));
    EXPECT_EQ(catcher.seen, 0);
}

TEST_F(MainWindowFiles, FailedSaveSaysSoAndKeepsTheOldFile)
{
    const QByteArray old = "Ferrowick 6\r\n+9\r\n";
    ASSERT_TRUE(writeFile(path("ro.Clc"), old));
    ASSERT_TRUE(QFile::setPermissions(path("ro.Clc"),
                                      QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    Rolling_Caculator w;
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    w.tape.TapeValue[0] = Value(Decimal::fromInt(5));
    withDialog(w, QStringLiteral("ro"), true, [&] { w.LD_Click(1); });
    QTest::qWait(40);
    EXPECT_EQ(catcher.seen, 1);
    EXPECT_EQ(catcher.text, Message);
    EXPECT_EQ(catcher.title, w.windowTitle());
    EXPECT_EQ(readFile(path("ro.Clc")), old);
    EXPECT_EQ(QDir(dir).entryList(QDir::Files), QStringList{"ro.Clc"});
    EXPECT_EQ(text(w.tape.TapeValue[0]), "5");
}

} // namespace
} // namespace qm::ui
