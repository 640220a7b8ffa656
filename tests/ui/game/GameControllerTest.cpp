// The game controller on a stand-in window whose clock and timer the test
// drives: keypad buttons, the name prompt and the pause before the next game.
// Whole games played with keys in the real window: MainWindowGameTest.

#include "ui/game/GameController.h"

#include "ui/controls/KeyCodes.h"
#include "ui/game/All_Timers.h"
#include "ui/tape/WindowTestSupport.h"

#include <QInputDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

#include <array>

namespace qm::ui {
namespace {

// A grand-total box whose key presses reach the game as virtual-key codes,
// the way the main window passes them.
class FakeWindow : public QWidget, public GameHost {
public:
    FakeWindow() : total(this), panel(this), game(session, *this, panel)
    {
        resize(671, 466);
        total.setReadOnly(true);
        total.installEventFilter(this);
        game.setNamePrompt([this](QWidget* parent) {
            ++prompts;
            EXPECT_EQ(parent, this);
            clock += promptMs;
            return answer;
        });
    }
    bool eventFilter(QObject*, QEvent* e) override
    {
        if (e->type() != QEvent::KeyPress)
            return false;
        game.TotalAmount_KeyDown(virtualKeyCode(*static_cast<QKeyEvent*>(e)));
        return true;
    }

    void setTotalText(const QString& text) override { total.setText(text); }
    void setTotalAlignment(Qt::Alignment a) override { total.setAlignment(a); }
    void setTotalLocked(bool locked) override { total.setReadOnly(locked); }
    void focusTotal() override {}
    HighScoreNames highScoreNames() override { return names; }
    HighScoreList highScores() override { return scores; }
    std::int64_t nowMs() const override { return clock; }

    void start(int index)
    {
        ASSERT_TRUE(game.Nixie_Invaders_Go_Click(index));
        game.timer().stop();
    }
    // Ticks the game timer by hand; false once the row is invaded.
    bool tick()
    {
        clock += game.timer().interval();
        game.GameTimer_Timer();
        return game.running();
    }
    void key(int figure) { QTest::keyClick(&total, static_cast<Qt::Key>(Qt::Key_0 + figure), Qt::KeypadModifier); }
    int first() const { return total.text().front().digitValue(); }
    void playUntilInvaded(int hits)
    {
        for (int i = 0; i < hits; ++i) {
            tick();
            key(first());
        }
        while (tick()) {
        }
    }

    QLineEdit total;
    All_Timers panel;
    GameSession session;
    GameController game;
    std::array<Value, 41> names{};
    std::array<std::int16_t, 41> scores{};
    std::int64_t clock = 100000, promptMs = 0;
    QString answer = QStringLiteral("Ann");
    int prompts = 0;
};

TEST(GameController, KeypadNamePromptAndThePauseAfterIt)
{
    FakeWindow w;
    for (int i = 0; i < 20; ++i)
        w.scores[static_cast<std::size_t>(i)] = 10;
    w.start(0);
    ASSERT_TRUE(w.tick());
    const QString row = w.total.text();
    EXPECT_TRUE(w.game.CalC_Button_Game(10));   // not a figure: taken, no hit
    EXPECT_EQ(w.total.text(), row);
    EXPECT_TRUE(w.game.CalC_Button_Game(w.first()));
    EXPECT_EQ(w.total.text(), QString());
    w.playUntilInvaded(8);   // 9 in all, below the whole table: no name asked
    EXPECT_EQ(w.total.text(), "Invaded / Score : 9");
    EXPECT_EQ(w.prompts, 0);
    EXPECT_FALSE(w.game.CalC_Button_Game(1)) << "no game: the keypad is the tape's again";

    // Two seconds from the end of the name entry, however long it took.
    w.clock += 2000;
    w.answer = QString();   // cancelled: stored as the empty name
    w.promptMs = 60000;
    w.start(1);
    w.playUntilInvaded(0);
    EXPECT_EQ(w.prompts, 1);
    ASSERT_TRUE(w.names[20].isText());   // the blaster's own table
    EXPECT_EQ(w.names[20].text(), "");
    EXPECT_EQ(w.scores[0], 10);
    EXPECT_TRUE(w.game.paused());
    w.clock += 1999;
    EXPECT_FALSE(w.game.Nixie_Invaders_Go_Click(0));
    EXPECT_FALSE(w.panel.isVisible());
    w.clock += 1;
    EXPECT_TRUE(w.game.Nixie_Invaders_Go_Click(0));
    EXPECT_EQ(w.panel.ScoreTitle[0]->text(), "10");
    w.game.timer().stop();
    EXPECT_FALSE(w.game.Nixie_Invaders_Go_Click(2)) << "no third game";
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
            box->setTextValue(QStringLiteral("Zed"));
            step++ == 0 ? box->accept() : box->reject();
        }
    });
    poll.start(20);
    EXPECT_EQ(GameController::askName(&parent), "Zed");
    EXPECT_EQ(title, "You have Scored a Top Position...");
    EXPECT_EQ(label, "Enter your Name...");
    EXPECT_EQ(GameController::askName(&parent), QString()) << "cancel gives the empty name";
}

} // namespace
} // namespace qm::ui
