// The games as the main window runs them: the "Games" menu, the grand-total
// box as the screen, the number keys and the keypad as the trigger, the score
// panel, and the window's high-score table.

#include "core/game/GameScores.h"
#include "ui/controls/SuperButton.h"
#include "ui/game/HighScorePanel.h"
#include "ui/game/GameController.h"
#include "ui/tape/EntryBox.h"
#include "ui/mainwindow/MainWindowSupport.h"

#include <QAction>
#include <QLabel>
#include <QTemporaryDir>

namespace qm::ui {
namespace {

// A window with a settings file of its own (no scores) whose name box
// answers by itself.
struct GameWindow {
    explicit GameWindow(const QString& settingsFile) : w(settingsFile)
    {
        w.gameController()->setNamePrompt([this](QWidget*) {
            ++prompts;
            return QStringLiteral("Zoe");
        });
        w.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&w));
    }
    HighScorePanel* panel() const { return w.findChild<HighScorePanel*>(); }
    QAction* menuItem(int index) const
    {
        const QString caption = index ? QStringLiteral("Start Nixie Blaster...") : QStringLiteral("Start Nixie Invaders...");
        for (QAction* a : w.menuBar()->findChildren<QAction*>()) {
            if (a->text().remove(QLatin1Char('&')) == caption)   // without the access key
                return a;
        }
        return nullptr;
    }
    bool menuEnabled() const { return menuItem(0)->isEnabled() && menuItem(1)->isEnabled(); }
    bool running() { return w.gameController()->running(); }
    // Starts game `index` from the menu; the test then plays the timer.
    void start(int index)
    {
        menuItem(index)->trigger();
        w.gameController()->timer().stop();
    }
    void tick() { w.gameController()->GameTimer_Timer(); }
    int first() const { return test::total(w).front().digitValue(); }
    void tickUntilInvaded()
    {
        for (int ticks = 0; running() && ticks < 100; ++ticks)
            tick();
    }

    MainWindow w;
    int prompts = 0;
};

class MainWindowGame : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(tmp.isValid()); }
    QString settingsFile() const { return tmp.path() + QStringLiteral("/scores.cal"); }
    QTemporaryDir tmp;
};

TEST_F(MainWindowGame, KeysAndKeypadShootUntilInvadedThenAPause)
{
    GameWindow g(settingsFile());
    MainWindow& w = g.w;
    g.start(0);
    for (int i = 0; i < 30; ++i) {
        g.tick();
        ASSERT_EQ(test::total(w).size(), 1) << i;
        const int f = g.first();
        if (i % 3 == 2)
            test::click(test::digit(w, f));
        else
            QTest::keyClick(test::totalBox(w), static_cast<Qt::Key>(Qt::Key_0 + f), i % 3 ? Qt::KeypadModifier : Qt::NoModifier);
        ASSERT_EQ(test::total(w), QString()) << i;
    }
    EXPECT_EQ(test::row(w, 0)->text(), QString()) << "the tape took none of those figures";
    g.tick();
    const QString row = test::total(w);
    const int wrong = (g.first() + 1) % 9;   // a wrong figure, by key and by button
    QTest::keyClick(test::totalBox(w), static_cast<Qt::Key>(Qt::Key_0 + wrong));
    test::click(test::digit(w, wrong));
    EXPECT_EQ(test::total(w), row);

    g.tickUntilInvaded();
    EXPECT_EQ(test::total(w), "Invaded / Score : 30");
    EXPECT_TRUE(test::totalBox(w)->isReadOnly());
    EXPECT_FALSE(g.panel()->isVisible());
    EXPECT_EQ(g.prompts, 1);
    EXPECT_EQ(nameText(w.highScoreNames()[0]), "Zoe");
    EXPECT_EQ(w.highScores()[0], 30);
    QTest::keyClick(test::totalBox(w), Qt::Key_0);   // keys after the game do nothing to the box
    EXPECT_EQ(test::total(w), "Invaded / Score : 30");

    // The pause: the menu is greyed, no game starts, and the window still
    // handles events until the menu comes back.
    EXPECT_FALSE(g.menuEnabled());
    g.menuItem(0)->setEnabled(true);
    g.menuItem(0)->trigger();
    g.menuItem(0)->setEnabled(false);
    EXPECT_FALSE(g.running());
    ASSERT_TRUE(QTest::qWaitFor([&] { return g.menuEnabled(); }, 3000));
    EXPECT_FALSE(w.gameController()->paused());
    g.start(0);
    EXPECT_TRUE(g.running());
    EXPECT_EQ(g.panel()->scoreLabel(0)->text(), "30");
}

} // namespace
} // namespace qm::ui
