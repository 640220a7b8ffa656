#include "ui/game/GameController.h"

#include "ui/controls/KeyCodes.h"
#include "ui/game/All_Timers.h"

#include <QApplication>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include <array>

namespace qm::ui {
namespace {

// A window with a grand-total box whose key presses reach the game the way
// the main window passes them: as virtual-key codes.
class FakeWindow : public QWidget, public GameHost {
public:
    FakeWindow() : total(this), panel(this), game(session, *this, panel)
    {
        resize(671, 466);
        total.setGeometry(30, 21, 458, 33);
        total.setReadOnly(true);
        total.installEventFilter(&keys);
        keys.window = this;
        game.setNamePrompt([this](QWidget* parent) {
            ++prompts;
            promptParent = parent;
            return answer;
        });
    }

    void setTotalText(const QString& text) override { total.setText(text); }
    void setTotalAlignment(Qt::Alignment a) override { total.setAlignment(a); }
    void setTotalLocked(bool locked) override { total.setReadOnly(locked); }
    void focusTotal() override { ++focusCalls; }
    HighScoreNames highScoreNames() override { return names; }
    HighScoreList highScores() override { return scores; }
    std::int64_t nowMs() const override { return clock; }

    // Ticks the game timer by hand (the test is the timer).
    GameTick::Kind tick()
    {
        clock += game.timer().interval();
        const bool wasRunning = game.running();
        game.GameTimer_Timer();
        if (!wasRunning)
            return GameTick::Kind::Idle;
        return game.running() ? GameTick::Kind::Grew : GameTick::Kind::Invaded;
    }

    // Shoots the first figure with the number row or the numeric keypad.
    void shoot(bool keypad)
    {
        const QString row = total.text();
        ASSERT_FALSE(row.isEmpty());
        const int f = row.front().digitValue();
        QTest::keyClick(&total, static_cast<Qt::Key>(Qt::Key_0 + f),
                        keypad ? Qt::KeypadModifier : Qt::NoModifier);
    }

    struct KeyForwarder : QObject {
        FakeWindow* window = nullptr;
        bool eventFilter(QObject*, QEvent* e) override
        {
            if (e->type() != QEvent::KeyPress)
                return false;
            window->game.TotalAmount_KeyDown(virtualKeyCode(*static_cast<QKeyEvent*>(e)));
            return true;
        }
    } keys;

    QLineEdit total;
    All_Timers panel;
    GameSession session;
    GameController game;
    std::array<Value, 41> names{};
    std::array<std::int16_t, 41> scores{};
    std::int64_t clock = 100000;
    QString answer = QStringLiteral("Ann");
    int prompts = 0;
    int focusCalls = 0;
    QWidget* promptParent = nullptr;
};

TEST(GameController, FullInvadersGamePlayedWithKeys)
{
    FakeWindow w;
    w.show();
    ASSERT_TRUE(w.game.Nixie_Invaders_Go_Click(0));
    w.game.timer().stop();   // the test drives the ticks itself
    EXPECT_TRUE(w.panel.isVisible());
    EXPECT_EQ(w.panel.HiNames[0]->text(), QString());
    EXPECT_EQ(w.panel.ScoreTitle[0]->text(), QStringLiteral("0"));
    EXPECT_EQ(w.total.alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
    EXPECT_FALSE(w.total.isReadOnly());
    EXPECT_EQ(w.focusCalls, 1);
    EXPECT_EQ(w.game.timer().interval(), 1000);

    // Keep up for 60 figures, alternating the number row and the numeric keypad.
    for (int i = 0; i < 60; ++i) {
        ASSERT_EQ(w.tick(), GameTick::Kind::Grew);
        EXPECT_EQ(w.total.text().size(), 1);
        w.shoot(i % 2 == 1);
        EXPECT_EQ(w.total.text(), QString()) << i;
    }
    EXPECT_EQ(w.session.score(), 60);
    EXPECT_EQ(w.game.timer().interval(), 940);

    // A wrong key changes nothing.
    ASSERT_EQ(w.tick(), GameTick::Kind::Grew);
    const QString row = w.total.text();
    const int wrong = (row.front().digitValue() + 1) % 10;
    QTest::keyClick(&w.total, static_cast<Qt::Key>(Qt::Key_0 + wrong));
    EXPECT_EQ(w.total.text(), row);
    EXPECT_EQ(w.session.score(), 60);

    // Then stop shooting: 34 more figures fill the row, the next tick invades.
    for (int i = 0; i < 34; ++i)
        ASSERT_EQ(w.tick(), GameTick::Kind::Grew);
    EXPECT_EQ(w.total.text().size(), 35);
    ASSERT_EQ(w.tick(), GameTick::Kind::Invaded);

    EXPECT_EQ(w.total.text(), QStringLiteral("Invaded / Score : 60"));
    EXPECT_EQ(w.total.alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    EXPECT_TRUE(w.total.isReadOnly());
    EXPECT_FALSE(w.game.timer().isActive());
    EXPECT_FALSE(w.panel.isVisible());
    EXPECT_EQ(w.prompts, 1);
    EXPECT_EQ(w.promptParent, &w);
    EXPECT_EQ(nameText(w.names[0]), "Ann");
    EXPECT_EQ(w.scores[0], 60);

    // Keys after the game do nothing to the box.
    QTest::keyClick(&w.total, Qt::Key_0);
    EXPECT_EQ(w.total.text(), QStringLiteral("Invaded / Score : 60"));

    // Two seconds without a new game, then it starts.
    w.clock += 1999;
    EXPECT_FALSE(w.game.Nixie_Invaders_Go_Click(0));
    EXPECT_FALSE(w.panel.isVisible());
    EXPECT_TRUE(w.game.paused());
    w.clock += 1;
    EXPECT_TRUE(w.game.Nixie_Invaders_Go_Click(0));
    EXPECT_EQ(w.panel.HiNames[0]->text(), QStringLiteral("Ann"));
    EXPECT_EQ(w.panel.ScoreTitle[0]->text(), QStringLiteral("60"));
}

TEST(GameController, BlasterWithTheKeypadKeepsToItsOwnTable)
{
    FakeWindow w;
    for (int i = 0; i < 40; ++i) {
        w.names[static_cast<std::size_t>(i)] = Value(i < 20 ? "inv" : "bla");
        w.scores[static_cast<std::size_t>(i)] = 10;
    }
    ASSERT_TRUE(w.game.Nixie_Invaders_Go_Click(1));
    w.game.timer().stop();
    EXPECT_EQ(w.panel.ScoreTitle[0]->text(), QStringLiteral("10"));
    // Ten hits through the keypad buttons: each takes every copy of the figure.
    int hits = 0;
    while (hits < 10) {
        ASSERT_EQ(w.tick(), GameTick::Kind::Grew);
        ASSERT_EQ(w.tick(), GameTick::Kind::Grew);
        const QString row = w.total.text();
        const QChar f = row.front();
        EXPECT_TRUE(w.game.CalC_Button_Game(10));   // not a figure: taken, no hit
        EXPECT_EQ(w.total.text(), row);
        EXPECT_TRUE(w.game.CalC_Button_Game(f.digitValue()));
        EXPECT_FALSE(w.total.text().contains(f));
        ++hits;
    }
    EXPECT_EQ(w.session.score(), 10);
    EXPECT_EQ(w.game.timer().interval(), 1000 - 4 * 20);
    GameTick::Kind k;
    while ((k = w.tick()) == GameTick::Kind::Grew) {
    }
    ASSERT_EQ(k, GameTick::Kind::Invaded);
    EXPECT_FALSE(w.game.CalC_Button_Game(1)) << "no game: the keypad is the tape's again";
    EXPECT_EQ(w.prompts, 1);
    EXPECT_EQ(nameText(w.names[20]), "Ann");   // a tie goes above the older 10s
    EXPECT_EQ(w.scores[20], 10);
    EXPECT_EQ(nameText(w.names[39]), "bla");
    for (int i = 0; i < 20; ++i) {
        EXPECT_EQ(nameText(w.names[static_cast<std::size_t>(i)]), "inv");
        EXPECT_EQ(w.scores[static_cast<std::size_t>(i)], 10);
    }
}

TEST(GameController, ScoreOutsideTheTableAsksNoName)
{
    FakeWindow w;
    for (int i = 0; i < 20; ++i)
        w.scores[static_cast<std::size_t>(i)] = 10;
    ASSERT_TRUE(w.game.Nixie_Invaders_Go_Click(0));
    w.game.timer().stop();
    for (int i = 0; i < 9; ++i) {
        w.tick();
        w.shoot(false);
    }
    while (w.tick() == GameTick::Kind::Grew) {
    }
    EXPECT_EQ(w.total.text(), QStringLiteral("Invaded / Score : 9"));
    EXPECT_EQ(w.prompts, 0);
    for (int i = 0; i < 20; ++i)
        EXPECT_EQ(w.scores[static_cast<std::size_t>(i)], 10);
}

TEST(GameController, CancelledNameIsStoredEmpty)
{
    FakeWindow w;
    w.answer = QString();
    ASSERT_TRUE(w.game.Nixie_Invaders_Go_Click(0));
    w.game.timer().stop();
    while (w.tick() == GameTick::Kind::Grew) {
    }
    EXPECT_EQ(w.prompts, 1);
    ASSERT_TRUE(w.names[0].isText());
    EXPECT_EQ(w.names[0].text(), "");
}

TEST(GameController, PauseCountsFromTheEndOfTheNameEntry)
{
    FakeWindow w;
    w.game.setNamePrompt([&w](QWidget*) {
        w.clock += 60000;   // the player takes a minute to type
        return QStringLiteral("Slow");
    });
    ASSERT_TRUE(w.game.Nixie_Invaders_Go_Click(0));
    w.game.timer().stop();
    while (w.tick() == GameTick::Kind::Grew) {
    }
    EXPECT_TRUE(w.game.paused());
    w.clock += 1999;
    EXPECT_FALSE(w.game.Nixie_Invaders_Go_Click(1));
    w.clock += 1;
    EXPECT_TRUE(w.game.Nixie_Invaders_Go_Click(1));
}

TEST(GameController, RealTimerTicksAndSpeedsUp)
{
    FakeWindow w;
    ASSERT_TRUE(w.game.Nixie_Invaders_Go_Click(1));
    ASSERT_TRUE(w.game.timer().isActive());
    for (int waited = 0; w.total.text().isEmpty() && waited < 3000; waited += 50)
        QTest::qWait(50);
    EXPECT_EQ(w.total.text().size(), 1);
    EXPECT_EQ(w.game.timer().interval(), 996);
    EXPECT_TRUE(w.game.timer().isActive());
}

TEST(GameController, NameBoxAsksWithItsTitleAndPrompt)
{
    QWidget parent;
    QString title, label;
    int step = 0;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        for (QWidget* top : QApplication::topLevelWidgets()) {
            auto* box = qobject_cast<QInputDialog*>(top);
            if (!box || !box->isVisible())
                continue;
            title = box->windowTitle();
            label = box->labelText();
            if (step++ == 0) {
                box->setTextValue(QStringLiteral("Zed"));
                box->accept();
            } else {
                box->setTextValue(QStringLiteral("ignored"));
                box->reject();
            }
        }
    });
    poll.start(20);
    EXPECT_EQ(GameController::askName(&parent), QStringLiteral("Zed"));
    EXPECT_EQ(title, QStringLiteral("You have Scored a Top Position..."));
    EXPECT_EQ(label, QStringLiteral("Enter your Name..."));
    EXPECT_EQ(GameController::askName(&parent), QString()) << "cancel gives the empty name";
    poll.stop();
}

TEST(GameController, UnknownGameIsRefused)
{
    FakeWindow w;
    EXPECT_FALSE(w.game.Nixie_Invaders_Go_Click(2));
    EXPECT_FALSE(w.game.timer().isActive());
    EXPECT_FALSE(w.panel.isVisibleTo(&w));
    EXPECT_FALSE(w.game.TotalAmount_KeyDown(48));
}

} // namespace
} // namespace qm::ui
