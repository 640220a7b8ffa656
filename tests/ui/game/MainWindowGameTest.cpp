// The games as the main window runs them: the "Games" menu, the grand-total
// box as the screen, the number keys and the keypad as the trigger, the score
// panel over the tape, and the high-score table kept in the settings file.

#include "ui/tape/RollingCaculator.h"

#include "core/game/GameScores.h"
#include "ui/controls/SuperButton.h"
#include "ui/game/All_Timers.h"
#include "ui/game/GameController.h"
#include "ui/tape/EntryBox.h"

#include <QAction>
#include <QDeadlineTimer>
#include <QFile>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>

namespace qm::ui {
namespace {

enum class Trigger { NumberRow, NumericKeypad, KeypadButton };

// A window whose settings file lives in a temporary folder, so closing it
// writes there, and whose name box answers by itself.
struct GameWindow {
    explicit GameWindow(const QString& settingsFile, const QString& player = QStringLiteral("Zoe"))
        : w(settingsFile)
    {
        w.gameController()->setNamePrompt([this, player](QWidget*) {
            ++prompts;
            return player;
        });
        w.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&w));
    }

    qm::ui::All_Timers* panel() const { return qobject_cast<qm::ui::All_Timers*>(w.All_Timers); }
    bool menuEnabled() const
    {
        return w.Nixie_Invaders_Go[0]->isEnabled() && w.Nixie_Invaders_Go[1]->isEnabled();
    }

    // Starts game `index` from the menu; the test then plays the timer.
    void start(int index)
    {
        w.Nixie_Invaders_Go[index]->trigger();
        w.gameController()->timer().stop();
    }
    void tick() { w.gameController()->GameTimer_Timer(); }

    // Shoots the first figure of the row shown in the grand-total box.
    void shoot(Trigger how)
    {
        const QString row = w.TotalAmount->text();
        ASSERT_FALSE(row.isEmpty());
        const int f = row.front().digitValue();
        ASSERT_GE(f, 0);
        switch (how) {
        case Trigger::NumberRow:
            QTest::keyClick(w.TotalAmount, static_cast<Qt::Key>(Qt::Key_0 + f));
            break;
        case Trigger::NumericKeypad:
            QTest::keyClick(w.TotalAmount, static_cast<Qt::Key>(Qt::Key_0 + f), Qt::KeypadModifier);
            break;
        case Trigger::KeypadButton:
            emit w.CalC_Button[f]->Click();
            break;
        }
    }

    // Ticks without shooting until the game ends; returns the ticks taken.
    int tickUntilInvaded()
    {
        int ticks = 0;
        while (w.game.running() && ticks < 100) {
            tick();
            ++ticks;
        }
        return ticks;
    }

    Rolling_Caculator w;
    int prompts = 0;
};

bool waitFor(const std::function<bool()>& condition, int ms)
{
    const QDeadlineTimer deadline(ms);
    while (!condition() && !deadline.hasExpired())
        QTest::qWait(20);
    return condition();
}

class MainWindowGame : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(tmp.isValid()); }
    QString settingsFile() const { return tmp.path() + QStringLiteral("/scores.cal"); }
    QTemporaryDir tmp;
};

TEST_F(MainWindowGame, MenuStartsAGameOnTheTotalBoxWithItsOwnTable)
{
    GameWindow g(settingsFile());
    Rolling_Caculator& w = g.w;
    w.HighScoreNames[0] = Value("Ada");
    w.HighScores[0] = 31;
    w.HighScoreNames[20] = Value("Bob");
    w.HighScores[20] = 12;
    EXPECT_FALSE(g.panel()->isVisible());
    EXPECT_TRUE(w.TotalAmount->isReadOnly());

    const struct {
        int index;
        int mode;
        const char* name;
        const char* score;
    } games[] = {{1, 4, "Bob", "12"}, {0, 1, "Ada", "31"}};   // the second one switches game
    for (const auto& c : games) {
        SCOPED_TRACE(c.index);
        w.Nixie_Invaders_Go[c.index]->trigger();
        EXPECT_EQ(w.game.mode(), c.mode);
        EXPECT_TRUE(w.gameController()->timer().isActive());
        EXPECT_EQ(w.gameController()->timer().interval(), 1000);
        EXPECT_EQ(w.TotalAmount->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
        EXPECT_FALSE(w.TotalAmount->isReadOnly());
        EXPECT_TRUE(waitFor([&] { return w.TotalAmount->hasFocus(); }, 500));

        qm::ui::All_Timers* panel = g.panel();
        ASSERT_NE(panel, nullptr);
        EXPECT_TRUE(panel->isVisible());
        EXPECT_EQ(panel->geometry(), QRect(3, 72, 265, 391));
        EXPECT_EQ(panel->HiNames[0]->text(), QString::fromLatin1(c.name));
        EXPECT_EQ(panel->ScoreTitle[0]->text(), QString::fromLatin1(c.score));
        // The panel covers the tape rows.
        QWidget* top = w.centralWidget()->childAt(w.CalAmount[3]->geometry().center());
        EXPECT_TRUE(top == panel || panel->isAncestorOf(top));
    }
    w.gameController()->timer().stop();
}

TEST_F(MainWindowGame, GamePlayedWithKeysAndKeypadUntilInvaded)
{
    GameWindow g(settingsFile());
    Rolling_Caculator& w = g.w;
    g.start(0);

    const Trigger triggers[] = {Trigger::NumberRow, Trigger::NumericKeypad, Trigger::KeypadButton};
    for (int i = 0; i < 30; ++i) {
        g.tick();
        ASSERT_EQ(w.TotalAmount->text().size(), 1) << i;
        g.shoot(triggers[i % 3]);
        ASSERT_EQ(w.TotalAmount->text(), QString()) << i;
    }
    EXPECT_EQ(w.game.score(), 30);
    // The tape took none of those figures.
    EXPECT_EQ(w.CalAmount[0]->text(), QString());

    // A wrong figure, by key and by keypad button, changes nothing.
    g.tick();
    const QString row = w.TotalAmount->text();
    const int wrong = (row.front().digitValue() + 1) % 9;
    QTest::keyClick(w.TotalAmount, static_cast<Qt::Key>(Qt::Key_0 + wrong));
    emit w.CalC_Button[wrong]->Click();
    EXPECT_EQ(w.TotalAmount->text(), row);
    EXPECT_EQ(w.game.score(), 30);

    EXPECT_EQ(g.tickUntilInvaded(), 35);   // 34 more figures, then the invasion
    EXPECT_EQ(w.TotalAmount->text(), QStringLiteral("Invaded / Score : 30"));
    EXPECT_EQ(w.TotalAmount->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    EXPECT_TRUE(w.TotalAmount->isReadOnly());
    EXPECT_FALSE(g.panel()->isVisible());
    EXPECT_EQ(g.prompts, 1);
    EXPECT_EQ(nameText(w.HighScoreNames[0]), "Zoe");
    EXPECT_EQ(w.HighScores[0], 30);
    EXPECT_EQ(w.HighScores[20], 0);

    // The pause: the menu is greyed, no game starts, no key reaches the box,
    // and the window still handles events.
    EXPECT_FALSE(g.menuEnabled());
    w.Nixie_Invaders_Go_Click(0);
    EXPECT_FALSE(w.game.running());
    QTest::keyClick(w.TotalAmount, Qt::Key_0);
    EXPECT_EQ(w.TotalAmount->text(), QStringLiteral("Invaded / Score : 30"));
    QTest::qWait(50);
    EXPECT_FALSE(g.menuEnabled());

    ASSERT_TRUE(waitFor([&] { return g.menuEnabled(); }, 3000));
    EXPECT_GE(w.nowMs(), w.game.pauseUntil());
    g.start(0);
    EXPECT_TRUE(w.game.running());
    EXPECT_EQ(g.panel()->HiNames[0]->text(), QStringLiteral("Zoe"));
    EXPECT_EQ(g.panel()->ScoreTitle[0]->text(), QStringLiteral("30"));
}

TEST_F(MainWindowGame, HighScoresSurviveARestart)
{
    {
        GameWindow g(settingsFile(), QStringLiteral("Eve"));
        g.start(1);
        for (int i = 0; i < 3; ++i) {
            g.tick();
            g.shoot(Trigger::NumberRow);
        }
        EXPECT_EQ(g.w.game.score(), 3);
        g.tickUntilInvaded();
        EXPECT_EQ(g.prompts, 1);
        EXPECT_EQ(g.w.HighScores[20], 3);
        EXPECT_TRUE(g.w.close());
    }
    ASSERT_TRUE(QFile::exists(settingsFile()));

    GameWindow again(settingsFile());
    EXPECT_EQ(nameText(again.w.HighScoreNames[20]), "Eve");
    EXPECT_EQ(again.w.HighScores[20], 3);
    for (int k = 0; k < 20; ++k) {   // the other game's table is untouched
        EXPECT_EQ(nameText(again.w.HighScoreNames[static_cast<std::size_t>(k)]), "") << k;
        EXPECT_EQ(again.w.HighScores[static_cast<std::size_t>(k)], 0) << k;
    }
    again.start(1);
    EXPECT_EQ(again.panel()->HiNames[0]->text(), QStringLiteral("Eve"));
    EXPECT_EQ(again.panel()->ScoreTitle[0]->text(), QStringLiteral("3"));
    again.w.gameController()->timer().stop();
}

} // namespace
} // namespace qm::ui
