// The games as the main window runs them: the "Games" menu, the grand-total
// box as the screen, the number keys and the keypad as the trigger, the score
// panel, and the window's high-score table.

#include "core/game/GameScores.h"
#include "ui/controls/SuperButton.h"
#include "ui/game/All_Timers.h"
#include "ui/game/GameController.h"
#include "ui/tape/EntryBox.h"
#include "ui/tape/WindowTestSupport.h"

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
    All_Timers* panel() const { return qobject_cast<All_Timers*>(w.All_Timers); }
    bool menuEnabled() const { return w.Nixie_Invaders_Go[0]->isEnabled() && w.Nixie_Invaders_Go[1]->isEnabled(); }
    // Starts game `index` from the menu; the test then plays the timer.
    void start(int index)
    {
        w.Nixie_Invaders_Go[index]->trigger();
        w.gameController()->timer().stop();
    }
    void tick() { w.gameController()->GameTimer_Timer(); }
    int first() const { return w.TotalAmount->text().front().digitValue(); }
    void tickUntilInvaded()
    {
        for (int ticks = 0; w.game.running() && ticks < 100; ++ticks)
            tick();
    }

    Rolling_Caculator w;
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
    Rolling_Caculator& w = g.w;
    g.start(0);
    for (int i = 0; i < 30; ++i) {
        g.tick();
        ASSERT_EQ(w.TotalAmount->text().size(), 1) << i;
        const int f = g.first();
        if (i % 3 == 2)
            emit w.CalC_Button[f]->Click();
        else
            QTest::keyClick(w.TotalAmount, static_cast<Qt::Key>(Qt::Key_0 + f), i % 3 ? Qt::KeypadModifier : Qt::NoModifier);
        ASSERT_EQ(w.TotalAmount->text(), QString()) << i;
    }
    EXPECT_EQ(w.CalAmount[0]->text(), QString()) << "the tape took none of those figures";
    g.tick();
    const QString row = w.TotalAmount->text();
    const int wrong = (g.first() + 1) % 9;   // a wrong figure, by key and by button
    QTest::keyClick(w.TotalAmount, static_cast<Qt::Key>(Qt::Key_0 + wrong));
    emit w.CalC_Button[wrong]->Click();
    EXPECT_EQ(w.TotalAmount->text(), row);

    g.tickUntilInvaded();
    EXPECT_EQ(w.TotalAmount->text(), "Invaded / Score : 30");
    EXPECT_TRUE(w.TotalAmount->isReadOnly());
    EXPECT_FALSE(g.panel()->isVisible());
    EXPECT_EQ(g.prompts, 1);
    EXPECT_EQ(nameText(w.HighScoreNames[0]), "Zoe");
    EXPECT_EQ(w.HighScores[0], 30);
    QTest::keyClick(w.TotalAmount, Qt::Key_0);   // keys after the game do nothing to the box
    EXPECT_EQ(w.TotalAmount->text(), "Invaded / Score : 30");

    // The pause: the menu is greyed, no game starts, and the window still
    // handles events until the menu comes back.
    EXPECT_FALSE(g.menuEnabled());
    w.Nixie_Invaders_Go_Click(0);
    EXPECT_FALSE(w.game.running());
    ASSERT_TRUE(QTest::qWaitFor([&] { return g.menuEnabled(); }, 3000));
    EXPECT_GE(w.nowMs(), w.game.pauseUntil());
    g.start(0);
    EXPECT_TRUE(w.game.running());
    EXPECT_EQ(g.panel()->ScoreTitle[0]->text(), "30");
}

} // namespace
} // namespace qm::ui
