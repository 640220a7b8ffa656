// What the window keeps safe: the recovery copy of the tape (written after
// changes and at close, one per window, reopened from the menu, offered after
// a crash) and the settings file (read at start-up, written back whole on
// changes and at quit).

#include "ui/UiTestSupport.h"

#include "core/game/GameScores.h"
#include "core/tape/DefaultButtons.h"
#include "core/tape/SettingsFile.h"
#include "ui/files/TapeRecovery.h"
#include "ui/input/FunctionButtonEditor.h"
#include "ui/platform/FilePath.h"
#include "ui/platform/SettingsLocation.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QListWidget>
#include <QLockFile>
#include <QPushButton>

#include <chrono>
#include <filesystem>

namespace qm::ui {
namespace {

using namespace test;

// The recovery folder of the windows, emptied.
QString freshRecoveryFolder()
{
    const QString folder = TapeRecovery::defaultFolder();
    QDir(folder).removeRecursively();
    return folder;
}

QString fileText(const QString& path) { return QString::fromLatin1(readFile(path)); }

TEST(TapeRecoveryInTheWindow, ACopyAfterChangesAndAtCloseThatTheNextRunReopens)
{
    const QString folder = freshRecoveryFolder();
    const QString copy = folder + "/" + TapeRecovery::RecoveryName;
    {
        auto w = editingWindow();
        ASSERT_TRUE(w->recovery().keepsCopies());
        EXPECT_FALSE(w->recovery().lastRunEndedAbnormally());
        typeText("42-8");
        ASSERT_TRUE(QTest::qWaitFor([&] { return fileText(copy).startsWith("Ferrowick 6\r\n+42\r\n-8\r\n"); }, 5000))
            << fileText(copy).left(40).toStdString();
        typeText("5");   // the last key: the close writes it at once
        w->close();
        // The copy became the last tape.
        EXPECT_TRUE(fileText(folder + "/" + TapeRecovery::LastTapeName).startsWith("Ferrowick 6\r\n+42\r\n-85\r\n+0\r\n"));
        EXPECT_FALSE(QFileInfo::exists(copy));
        EXPECT_FALSE(QFileInfo::exists(folder + "/" + TapeRecovery::LockName));
    }
    auto w = editingWindow();
    EXPECT_FALSE(w->recovery().lastRunEndedAbnormally());
    EXPECT_EQ(lineText(*w, 0), "0");
    menuItem(*w, "Reopen Last Tape")->trigger();
    EXPECT_EQ(lineText(*w, 0), "42");
    EXPECT_EQ(lineText(*w, 1), "85");
    EXPECT_EQ(total(*w), "-43");
    menuItem(*w, "Undo")->trigger();   // reopening is a change like any other
    EXPECT_EQ(lineText(*w, 0), "0");

    // An empty tape is not kept: the last tape stays for the next run.
    menuItem(*w, "Clear All...")->trigger();
    w->close();
    EXPECT_FALSE(QFileInfo::exists(copy));
    EXPECT_TRUE(QFileInfo::exists(folder + "/" + TapeRecovery::LastTapeName));
}

// The lock of a window that was killed: the format of a lock this process
// takes, under the number of a process that has ended.
void leaveLockOfADeadRun(const QString& folder, const QString& name = TapeRecovery::LockName)
{
    QTemporaryDir scratch;
    ASSERT_TRUE(scratch.isValid());
    QLockFile probe(scratch.filePath("probe.lock"));
    ASSERT_TRUE(probe.tryLock(0));
    QList<QByteArray> lines = readFile(scratch.filePath("probe.lock")).split('\n');
    probe.unlock();
    QProcess ended;
    ended.start(QStringLiteral("true"), {});
    ASSERT_TRUE(ended.waitForStarted());
    const qint64 pid = ended.processId();
    ASSERT_TRUE(ended.waitForFinished());
    ASSERT_FALSE(lines.isEmpty());
    lines[0] = QByteArray::number(pid);
    ASSERT_TRUE(QDir().mkpath(folder));
    ASSERT_TRUE(writeFile(folder + "/" + name, lines.join('\n')));
}

TEST(TapeRecoveryInTheWindow, AStartAfterACrashOffersTheLastTape)
{
    const struct { const char* what; QMessageBox::StandardButton answer; const char* line0; } cases[] = {
        {"taken", QMessageBox::Yes, "7.5"},
        {"declined", QMessageBox::No, "0"},
    };
    for (const auto& c : cases) {
        const QString folder = freshRecoveryFolder();
        leaveLockOfADeadRun(folder);
        ASSERT_TRUE(writeFile(folder + "/" + TapeRecovery::RecoveryName, "Ferrowick 6\r\n+7.5\r\nx2\r\n"));
        MessageAnswerer answer(c.answer);
        auto w = editingWindow();
        EXPECT_TRUE(w->recovery().lastRunEndedAbnormally()) << c.what;
        EXPECT_TRUE(w->recovery().keepsCopies()) << c.what;
        ASSERT_TRUE(QTest::qWaitFor([&] { return answer.seen > 0; }, 3000)) << c.what;
        EXPECT_EQ(answer.text, "The program did not close normally last time. Reopen the last tape?");
        EXPECT_EQ(lineText(*w, 0), c.line0) << c.what;
        EXPECT_TRUE(w->recovery().hasLastTape()) << c.what;   // declined, it stays for the menu
        w.reset();
    }

    // A start with a calculation to open is not interrupted by the question.
    const QString folder = freshRecoveryFolder();
    leaveLockOfADeadRun(folder);
    ASSERT_TRUE(writeFile(folder + "/" + TapeRecovery::RecoveryName, "Ferrowick 6\r\n+7.5\r\n"));
    QTemporaryDir calc;
    const QString file = calc.filePath("given.Clc");
    ASSERT_TRUE(writeFile(file, "Ferrowick 6\r\n+3\r\n"));
    MessageAnswerer answer(QMessageBox::Yes);
    auto w = shownWindow(466, file);
    w->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
    QTest::qWait(200);
    EXPECT_EQ(answer.seen, 0);
    EXPECT_EQ(lineText(*w, 0), "3");
}

// Two windows at once keep a copy each; the one closed last gives the last tape.
TEST(TapeRecoveryInTheWindow, EachWindowKeepsItsOwnCopy)
{
    const QString folder = freshRecoveryFolder();
    auto first = editingWindow();
    auto second = editingWindow();
    ASSERT_TRUE(first->recovery().keepsCopies());
    ASSERT_TRUE(second->recovery().keepsCopies());
    EXPECT_EQ(QFileInfo(first->recovery().recoveryFile()).fileName(), "recovery.Clc");
    EXPECT_EQ(QFileInfo(second->recovery().recoveryFile()).fileName(), "recovery 2.Clc");
    EXPECT_TRUE(QFileInfo::exists(folder + "/running 2.lock"));
    setTape(*first, tapeOf({{'+', dec("1")}}));
    setTape(*second, tapeOf({{'+', dec("2")}}));
    for (MainWindow* w : {first.get(), second.get()}) {
        const QString copy = w->recovery().recoveryFile();
        const QString want = w == first.get() ? "Ferrowick 6\r\n+1\r\n" : "Ferrowick 6\r\n+2\r\n";
        EXPECT_TRUE(QTest::qWaitFor([&] { return fileText(copy).startsWith(want); }, 3000)) << copy.toStdString();
    }
    first->close();
    second->close();
    EXPECT_TRUE(fileText(folder + "/" + TapeRecovery::LastTapeName).startsWith("Ferrowick 6\r\n+2\r\n"));
    EXPECT_EQ(QDir(folder).entryList(QDir::Files), QStringList{TapeRecovery::LastTapeName});
}

// Two windows were killed: the next start lists both tapes, newest first;
// the one not reopened is offered again at the start after.
TEST(TapeRecoveryInTheWindow, AStartAfterSeveralWindowsWereKilledOffersEachTape)
{
    const QString folder = freshRecoveryFolder();
    leaveLockOfADeadRun(folder);
    leaveLockOfADeadRun(folder, "running 2.lock");
    ASSERT_TRUE(writeFile(folder + "/recovery.Clc", "Ferrowick 6\r\n+7.5\r\nx2\r\n"));
    ASSERT_TRUE(writeFile(folder + "/recovery 2.Clc", "Ferrowick 6\r\n+1\r\n+2\r\n+3\r\n+4\r\n"));
    const std::filesystem::path older = toFsPath(folder + "/recovery.Clc");
    std::filesystem::last_write_time(older, std::filesystem::last_write_time(older) - std::chrono::minutes(1));

    QStringList names;
    QTimer picker;
    QObject::connect(&picker, &QTimer::timeout, &picker, [&] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        auto* list = dialog ? dialog->findChild<QListWidget*>() : nullptr;
        if (!list || dialog->objectName() != "unclosedTapes")
            return;
        for (int i = 0; i < list->count(); ++i)
            names << list->item(i)->text();
        list->setCurrentRow(1);
        dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Yes)->click();
    });
    picker.start(10);
    {
        auto w = editingWindow();
        ASSERT_TRUE(QTest::qWaitFor([&] { return !names.isEmpty(); }, 3000));
        ASSERT_EQ(names.size(), 2);
        EXPECT_TRUE(names[0].startsWith(u"+1  +2  +3 \u2026  (4 lines, ")) << names[0].toStdString();
        EXPECT_TRUE(names[1].startsWith("+7.5  x2  (2 lines, ")) << names[1].toStdString();
        EXPECT_EQ(lineText(*w, 0), "7.5");
        EXPECT_EQ(total(*w), "15");
        EXPECT_EQ(QFileInfo(w->recovery().recoveryFile()).fileName(), "recovery.Clc");
    }
    picker.stop();
    MessageAnswerer answer(QMessageBox::No);
    auto w = editingWindow();
    ASSERT_TRUE(QTest::qWaitFor([&] { return answer.seen > 0; }, 3000));
    EXPECT_EQ(lineText(*w, 0), "0");
    EXPECT_EQ(fileText(folder + "/" + TapeRecovery::LastTapeName), "Ferrowick 6\r\n+1\r\n+2\r\n+3\r\n+4\r\n");
    EXPECT_TRUE(w->recovery().unclosedTapes().isEmpty());
}

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

TEST(SettingsFile, ArgumentFileIsReadAndWrittenBackAtShutdown)
{
    QTemporaryDir dir;   // the program's and the user's folder in it: nothing beside the test program
    ASSERT_TRUE(QDir(dir.path()).mkpath("program") && QDir(dir.path()).mkpath("user"));
    const QString path = dir.filePath("my settings.cal");
    SettingsData data = customSettings();
    ASSERT_TRUE(test::writeFile(path, bytesOf(data)));
    ASSERT_TRUE(QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup));   // made writable then
    MainWindow w(QLatin1Char('"') + path + QLatin1Char('"'),
                 {dir.filePath("program"), QStringLiteral("quillmate"), dir.filePath("user")});
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
    w.show();
    menuItem(w, "Quit")->trigger();   // as a user ends the program
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(test::readFile(path), bytesOf(data));
}

} // namespace
} // namespace qm::ui
