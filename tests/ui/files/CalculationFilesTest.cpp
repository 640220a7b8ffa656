// Opening and saving calculation files from a window: the tape comes back
// whole, and a failure shows one message and leaves tape and file as they were.

#include "FilesTestSupport.h"

#include "core/files/CalcFile.h"
#include "ui/files/CalculationFiles.h"

#include <QMainWindow>
#include <QTranslator>

#include <sys/stat.h>

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

class CalculationFilesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(tmp.isValid());
        window.setWindowTitle(windowTitle(QStringLiteral("(Educational Version)")));
    }
    QString path(const char* name) const { return tmp.filePath(name); }

    QTemporaryDir tmp;
    QMainWindow window;
    MessageAnswerer catcher;
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

TEST_F(CalculationFilesTest, FailedOpeningKeepsTheOldTapeAndSaysWhy)
{
    const Tape old = tapeOf({{'+', dec("1")}, {'x', Value("Cos(0)")}});
    ASSERT_TRUE(QDir().mkpath(path("folder.Clc")));
    ASSERT_EQ(::mkfifo(QFile::encodeName(path("pipe.Clc")).constData(), 0600), 0);
    // The reasons are the file reader's, as the command line prints them.
    const struct { QByteArray file; const char* name; QString reason; } cases[] = {
        {"Ferrowick 6\r\n+1\r\n+abc\r\n+3\r\n", "bad.Clc", "Line 3: \"abc\" is not a number."},   // after a good line
        {"", "bad.Clc", "Line 1: the file is empty: no header line."},
        {"Ferrowick 6\r\n", "bad.Clc", "Line 2: no tape line after the header."},
        {"+100\r\n+2\r\n", "bad.Clc", "Line 1: \"+100\" is not the header of a calculation file (\"Ferrowick 6\")."},
        {"Ferrowick 6\r\n*5\r\n", "bad.Clc", "Line 2: \"*5\" does not start with an operator (+ - x / ^)."},
        {"Ferrowick 6\r\n+1,5\r\n", "bad.Clc", "Line 2: \"1,5\" holds the grouping symbol \",\"."},   // written under a comma
        {QByteArray(), "bad.Clc", "The file is larger than 536870912 bytes."},   // sparse: no disk used
        {"-", "missing.Clc", "File not found."},
        {"-", "folder.Clc", "Is a folder."},
        {"-", "pipe.Clc", "Not a regular file."},
    };
    int messages = 0;
    for (const auto& c : cases) {
        if (c.file != "-") {
            ASSERT_TRUE(writeFile(path(c.name), c.file.isNull() ? QByteArray("Ferrowick 6\r\n") : c.file));
            if (c.file.isNull()) {
                ASSERT_TRUE(QFile::resize(path(c.name), qint64(qm::MaxCalcFileBytes) + 1));
            }
        }
        Tape tape = old;
        QString error;
        EXPECT_FALSE(openCalculation(&window, path(c.name), regional, tape, &error)) << c.file.toStdString();
        const QString says = QStringLiteral("\"%1\" could not be opened.\n").arg(QLatin1String(c.name)) + c.reason;
        EXPECT_EQ(catcher.seen, ++messages);
        EXPECT_EQ(catcher.text, says);
        EXPECT_EQ(catcher.title, QStringLiteral("Quillmate"));
        EXPECT_EQ(error, says);
        EXPECT_EQ(lineTexts(tape), lineTexts(old));
    }

    // Nothing chosen is silent.
    Tape tape = old;
    QString error = "stale";
    EXPECT_FALSE(openCalculation(&window, QString(), regional, tape, &error));
    QTest::qWait(40);
    EXPECT_EQ(catcher.seen, messages);
    EXPECT_TRUE(error.isEmpty());
}

// The same in German: the cause in the user's language.
TEST_F(CalculationFilesTest, FailuresSayWhyInGerman)
{
    QTranslator german;
    ASSERT_TRUE(german.load(QStringLiteral(":/i18n/quillmate_de.qm")));
    QCoreApplication::installTranslator(&german);
    ASSERT_TRUE(writeFile(path("bad.Clc"), "Ferrowick 6\r\n+1\r\n5\r\n"));
    Tape tape = five;
    QString error;
    EXPECT_FALSE(openCalculation(&window, path("bad.Clc"), regional, tape, &error));
    EXPECT_EQ(error, QString::fromUtf8("\"bad.Clc\" konnte nicht ge\u00f6ffnet werden.\n"
                                       "Zeile 3: \"5\" beginnt nicht mit einem Rechenzeichen (+ - x / ^)."));
    ASSERT_TRUE(writeFile(path("ro.Clc"), "Ferrowick 6\r\n+9\r\n"));
    ASSERT_TRUE(QFile::setPermissions(path("ro.Clc"), QFile::ReadOwner | QFile::ReadGroup));
    EXPECT_FALSE(saveCalculation(&window, path("ro.Clc"), five, regional, &error));
    EXPECT_EQ(error, QString::fromUtf8("\"ro.Clc\" wurde nicht gespeichert: Die Datei ist schreibgesch\u00fctzt."));
    QCoreApplication::removeTranslator(&german);
}

TEST_F(CalculationFilesTest, FailedSavingKeepsTheOldFileAndSaysSo)
{
    const QByteArray old = "Ferrowick 6\r\n+9\r\n";
    ASSERT_TRUE(writeFile(path("ro.Clc"), old));
    ASSERT_TRUE(QFile::setPermissions(path("ro.Clc"), QFile::ReadOwner | QFile::ReadGroup));
    QString error;
    EXPECT_FALSE(saveCalculation(&window, path("ro.Clc"), five, regional, &error));
    EXPECT_EQ(error, "\"ro.Clc\" was not saved: File is read-only.");
    EXPECT_EQ(readFile(path("ro.Clc")), old);
    EXPECT_EQ(catcher.seen, 1);
    EXPECT_EQ(catcher.text, "Cannot write to read only file or drive...");
    EXPECT_EQ(catcher.title, QStringLiteral("Quillmate"));
    // A path whose folder is a regular file.
    EXPECT_FALSE(saveCalculation(&window, path("ro.Clc") + "/x.Clc", five, regional));
    EXPECT_EQ(catcher.seen, 2);
    EXPECT_EQ(catcher.details, (QStringList{"\"ro.Clc\" was not saved: File is read-only.",
                                            "\"x.Clc\" was not saved: The folder does not exist."}));
    EXPECT_EQ(QDir(tmp.path()).entryList(QDir::Files), QStringList{"ro.Clc"});
}

} // namespace
} // namespace qm::ui
