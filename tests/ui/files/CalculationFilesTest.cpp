// Opening and saving calculation files from a window: the tape comes back
// whole, and a failure shows one message and leaves tape and file as they were.

#include "FilesTestSupport.h"

#include "core/files/CalcFile.h"
#include "ui/files/CalculationFiles.h"

#include <QMainWindow>

namespace qm::ui {
namespace {

using namespace test;

// Lines as a file holds them, to compare tapes.
std::vector<std::string> lineTexts(const Tape& t)
{
    std::vector<std::string> out;
    for (std::size_t i = 0; i < t.size(); ++i)
        out.emplace_back(1, t.TapeOp[i]).append(calcFileValueText(t.TapeValue[i], '.'));
    return out;
}

// Answers every message box with OK, keeping its title, text and details.
struct BoxCatcher {
    QString title, text;
    QStringList details;
    int seen = 0;
    QTimer timer;
    BoxCatcher()
    {
        QObject::connect(&timer, &QTimer::timeout, &timer, [this] {
            for (QWidget* w : QApplication::topLevelWidgets()) {
                auto* box = qobject_cast<QMessageBox*>(w);
                if (box && box->isVisible()) {
                    title = box->windowTitle();
                    text = box->text();
                    details << box->detailedText();
                    ++seen;
                    box->button(QMessageBox::Ok)->click();
                }
            }
        });
        timer.start(10);
    }
};

class CalculationFilesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(tmp.isValid());
        window.setWindowTitle("Quillmate 8.1 (Educational Version)");
    }
    QString path(const char* name) const { return tmp.filePath(name); }

    QTemporaryDir tmp;
    QMainWindow window;
    BoxCatcher catcher;
    const Regional regional{'.', ',', 3};
    const Tape five = tapeOf({{'+', dec("5")}});
};

TEST_F(CalculationFilesTest, SavedTapeOpensWholeOverTheOldOne)
{
    const Tape tape = tapeOf({{'+', dec("-40")}, {'/', dec("12.5")}, {'^', Value()}, {'x', Value("Sin(30)")}});
    QString error;
    ASSERT_TRUE(saveCalculation(&window, path("t.Clc"), tape, regional, &error)) << error.toStdString();
    EXPECT_EQ(readFile(path("t.Clc")), "Ferrowick 6\r\n+-40\r\n/12.5\r\n^0\r\nxSin(30)\r\n");
    Tape back = tapeOf({{'+', dec("99")}, {'+', dec("1")}, {'+', dec("2")}, {'+', dec("3")}, {'+', dec("4")}});
    ASSERT_TRUE(openCalculation(&window, path("t.Clc"), regional, back, &error)) << error.toStdString();
    EXPECT_EQ(lineTexts(back), (std::vector<std::string>{"+-40", "/12.5", "^0", "xSin(30)"}));
    EXPECT_TRUE(back.TapeValue[3].isText());

    // Saving over it replaces it, with no temporary left beside it.
    ASSERT_TRUE(saveCalculation(&window, path("t.Clc"), tapeOf({{'-', dec("0.25")}}), regional));
    EXPECT_EQ(readFile(path("t.Clc")), "Ferrowick 6\r\n-0.25\r\n");
    EXPECT_EQ(QDir(tmp.path()).entryList(QDir::Files), QStringList{"t.Clc"});
    EXPECT_EQ(catcher.seen, 0);
}

TEST_F(CalculationFilesTest, FailedOpeningKeepsTheOldTapeAndSaysSo)
{
    const Tape old = tapeOf({{'+', dec("1")}, {'x', Value("Cos(0)")}});
    // The reasons are the file reader's; the box shows them as its details.
    const struct { QByteArray file; QString detail; } cases[] = {
        {"Ferrowick 6\r\n+1\r\n+abc\r\n+3\r\n", "Line 3: \"abc\" is not a number."},   // after a good line
        {"", "Line 1: the file is empty: no header line."},
        {"Ferrowick 6\r\n*5\r\n", "Line 2: \"*5\" does not start with an operator (+ - x / ^)."},
        {"Ferrowick 6\r\n+1,5\r\n", "Line 2: \"1,5\" holds the grouping symbol \",\"."},   // written under a comma
        {QByteArray(), "The file is larger than 536870912 bytes."},   // sparse: no disk used
    };
    int messages = 0;
    for (const auto& c : cases) {
        ASSERT_TRUE(writeFile(path("bad.Clc"), c.file.isNull() ? QByteArray("Ferrowick 6\r\n") : c.file));
        if (c.file.isNull()) {
            ASSERT_TRUE(QFile::resize(path("bad.Clc"), qint64(qm::MaxCalcFileBytes) + 1));
        }
        Tape tape = old;
        QString error;
        EXPECT_FALSE(openCalculation(&window, path("bad.Clc"), regional, tape, &error)) << c.file.toStdString();
        EXPECT_EQ(catcher.seen, ++messages);
        EXPECT_EQ(catcher.text, "Cannot write to read only file or drive...");
        EXPECT_EQ(catcher.title, QStringLiteral("Quillmate"));
        EXPECT_EQ(error, c.detail);
        ASSERT_EQ(catcher.details.size(), messages);
        EXPECT_EQ(catcher.details.last(), c.detail);
        EXPECT_EQ(lineTexts(tape), lineTexts(old));
    }

    // Nothing to open is silent.
    Tape tape = old;
    QString error = "stale";
    for (const QString& nothing : {path("missing.Clc"), tmp.path(), QString()})
        EXPECT_FALSE(openCalculation(&window, nothing, regional, tape, &error)) << nothing.toStdString();
    QTest::qWait(40);
    EXPECT_EQ(catcher.seen, messages);
    EXPECT_TRUE(error.isEmpty());
    EXPECT_EQ(lineTexts(tape), lineTexts(old));
}

TEST_F(CalculationFilesTest, FailedSavingKeepsTheOldFileAndSaysSo)
{
    const QByteArray old = "Ferrowick 6\r\n+9\r\n";
    ASSERT_TRUE(writeFile(path("ro.Clc"), old));
    ASSERT_TRUE(QFile::setPermissions(path("ro.Clc"), QFile::ReadOwner | QFile::ReadGroup));
    QString error;
    EXPECT_FALSE(saveCalculation(&window, path("ro.Clc"), five, regional, &error));
    EXPECT_EQ(error, "File is read-only.");
    EXPECT_EQ(readFile(path("ro.Clc")), old);
    EXPECT_EQ(catcher.seen, 1);
    EXPECT_EQ(catcher.text, "Cannot write to read only file or drive...");
    EXPECT_EQ(catcher.title, QStringLiteral("Quillmate"));
    // A path whose folder is a regular file.
    EXPECT_FALSE(saveCalculation(&window, path("ro.Clc") + "/x.Clc", five, regional));
    EXPECT_EQ(catcher.seen, 2);
    EXPECT_EQ(catcher.details, (QStringList{"File is read-only.", "The folder does not exist."}));
    EXPECT_EQ(QDir(tmp.path()).entryList(QDir::Files), QStringList{"ro.Clc"});
}

} // namespace
} // namespace qm::ui
