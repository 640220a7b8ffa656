// The main window's settings file: read at start-up, written back whole on
// changes and at quit, and never the calculation named on the command line.

#include "core/game/GameScores.h"
#include "core/tape/DefaultButtons.h"
#include "core/tape/SettingsFile.h"
#include "ui/input/FunctionButtonEditor.h"
#include "ui/platform/SettingsLocation.h"
#include "ui/UiTestSupport.h"

namespace qm::ui {
namespace {

QByteArray bytesOf(const SettingsData& data) { return QByteArray::fromStdString(writeSettings(data)); }

// Every button renamed, two high scores, one negative.
SettingsData customSettings()
{
    SettingsData d;
    for (std::size_t k = 0; k < d.buttons.size(); ++k)
        d.buttons[k] = {std::string("F").append(std::to_string(k)), k % 2 ? std::string("X*").append(std::to_string(k)) : "",
                        std::string("Tip ").append(std::to_string(k))};
    d.HighScoreNames[0] = Value("Ada");
    d.HighScores[0] = 31;
    d.HighScoreNames[20] = Value("Bob");
    d.HighScores[20] = -2;
    return d;
}

// The program's folder and the user's folder inside `dir`, so that no test
// writes the default settings file beside the test program.
SettingsFolders foldersIn(const QTemporaryDir& dir)
{
    QDir(dir.path()).mkpath(QStringLiteral("program"));
    QDir(dir.path()).mkpath(QStringLiteral("user"));
    return {dir.filePath(QStringLiteral("program")), QStringLiteral("quillmate"), dir.filePath(QStringLiteral("user"))};
}

// Ends the window by its Quit item (Ctrl+Q), as a user ends the program.
void quit(MainWindow& w)
{
    w.show();
    test::menuItem(w, QStringLiteral("Quit"))->trigger();
    EXPECT_FALSE(w.isVisible());
}

TEST(SettingsFile, ArgumentFileIsReadAndWrittenBackAtShutdown)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("my settings.cal");
    SettingsData data = customSettings();
    ASSERT_TRUE(test::writeFile(path, bytesOf(data)));
    ASSERT_TRUE(QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup));   // made writable then
    MainWindow w(QLatin1Char('"') + path + QLatin1Char('"'), foldersIn(dir));
    EXPECT_EQ(w.settingsFile(), path);
    EXPECT_EQ(w.windowTitle(), test::windowTitle("(Educational Version)" + path));
    EXPECT_EQ(test::functionButton(w, 0)->caption(), "F0");
    EXPECT_EQ(test::functionButton(w, 22)->toolTip(), "Tip 22");
    EXPECT_EQ(w.editor().functionButtons()[3].Formula, "X*3");
    EXPECT_EQ(test::functionButton(w, 23)->caption(), "Edit");   // not stored
    EXPECT_EQ(w.highScores()[20], -2);
    EXPECT_EQ(nameText(w.highScoreNames()[0]), "Ada");

    // "Use" in the button editor writes the file at once, and so does a game
    // that ends in the high-score table: neither is lost if the program is killed.
    test::click(test::functionButton(w, 23));
    FunctionButtonEditor* editor = w.findChild<FunctionButtonEditor*>();
    ASSERT_NE(editor, nullptr);
    FunctionButtons changed = w.editor().functionButtons();
    changed[1].Caption = "Neu";
    emit editor->used(changed);
    data.buttons[1].Caption = "Neu";
    EXPECT_EQ(test::readFile(path), bytesOf(data));
    EXPECT_TRUE(QFile::permissions(path) & QFile::WriteOwner);
    editor->close();

    const QByteArray outOfDate = bytesOf(customSettings());
    ASSERT_TRUE(test::writeFile(path, outOfDate));
    emit w.gameController()->gameOver(3, -1);   // not in the table: nothing to write
    EXPECT_EQ(test::readFile(path), outOfDate);
    emit w.gameController()->gameOver(77, 5);
    EXPECT_EQ(test::readFile(path), bytesOf(data));
    quit(w);
    EXPECT_EQ(test::readFile(path), bytesOf(data));
}

} // namespace
} // namespace qm::ui
