// The games as the window runs them: score panel, name box, menu, total box as
// screen, keys as trigger, high-score table. Scoring is tested in core.

#include "core/game/GameScores.h"
#include "ui/game/HighScorePanel.h"
#include "ui/UiTestSupport.h"

#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>

#include <array>

namespace qm::ui {
namespace {

TEST(HighScorePanel, ShowsTheTableOfTheRunningGame)
{
    std::array<Value, 41> names;
    std::array<std::int16_t, 41> scores{};
    for (int i = 0; i < 40; ++i) {
        names[static_cast<std::size_t>(i)] = Value(std::string("P").append(std::to_string(i)));
        scores[static_cast<std::size_t>(i)] = static_cast<std::int16_t>(1000 - i);
    }
    names[21] = Value();   // an unused entry
    HighScorePanel panel;
    const auto shown = [&panel](std::initializer_list<int> rows) {
        QStringList out;
        for (int r : rows)
            out << panel.nameLabel(r)->text() + "/" + panel.scoreLabel(r)->text();
        return out;
    };
    panel.showTable(names, scores, 20);
    EXPECT_EQ(shown({0, 1, 19}), (QStringList{"P20/980", "/979", "P39/961"}));
    panel.showTable(names, scores, 0);
    EXPECT_EQ(shown({5}), QStringList{"P5/995"});
    // Arrays too short for the table leave the missing rows empty.
    panel.showTable(HighScoreNames(names).first(25), HighScoreList(scores).first(22), 20);
    EXPECT_EQ(shown({1, 2, 4, 5}), (QStringList{"/979", "P22/", "P24/", "/"}));
}

// The name box: Enter takes the typed name, Escape leaves it empty, and the
// label's access key leads to the name.
TEST(GameController, NameBoxAsksWithItsTitleAndPromptAndKeys)
{
    QWidget parent;
    QString title, label;
    bool buddy = false;
    int step = 0;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        for (QWidget* top : QApplication::topLevelWidgets()) {
            auto* box = qobject_cast<QInputDialog*>(top);
            if (!box || !box->isVisible())
                continue;
            title = box->windowTitle();
            label = box->labelText();
            auto* edit = box->findChild<QLineEdit*>();
            auto* text = box->findChild<QLabel*>();
            buddy = text && edit && text->buddy() == edit;
            if (!edit)
                return box->reject();
            QTest::keyClicks(edit, QStringLiteral("Zed"));
            QTest::keyClick(edit, step++ == 0 ? Qt::Key_Return : Qt::Key_Escape);
        }
    });
    poll.start(20);
    EXPECT_EQ(GameController::askName(&parent), "Zed");
    // The question is the box's text; the title is short enough for a narrow box.
    EXPECT_EQ(title, "Quillmate");
    EXPECT_EQ(label, "You have Scored a Top Position...\nEnter your &Name...");
    EXPECT_TRUE(buddy);
    EXPECT_EQ(GameController::askName(&parent), QString()) << "Escape gives the empty name";
}

// A window with a settings file of its own (no scores) whose name box answers
// by itself; the test plays the game's clock.
TEST(MainWindowGame, KeysAndKeypadShootUntilInvadedThenAPause)
{
    using namespace test;
    QTemporaryDir tmp;
    MainWindow w(tmp.filePath(QStringLiteral("scores.cal")));
    GameController* game = w.gameController();
    int prompts = 0;
    game->setNamePrompt([&prompts](QWidget*) { ++prompts; return QStringLiteral("Zoe"); });
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    QAction* invaders = menuItem(w, "Start Nixie Invaders...");
    QAction* blaster = menuItem(w, "Start Nixie Blaster...");
    const auto start = [&] { invaders->trigger(); game->timer().stop(); };
    const auto first = [&] { return total(w).front().digitValue(); };
    start();
    for (int i = 0; i < 30; ++i) {
        game->tick();
        ASSERT_EQ(total(w).size(), 1) << i;
        if (i % 3 == 2)
            click(digit(w, first()));
        else
            QTest::keyClick(totalBox(w), static_cast<Qt::Key>(Qt::Key_0 + first()), i % 3 ? Qt::KeypadModifier : Qt::NoModifier);
        ASSERT_EQ(total(w), QString()) << i;
    }
    EXPECT_EQ(row(w, 0)->text(), QString()) << "the tape took none of those figures";
    game->tick();
    const QString shown = total(w);
    const int wrong = (first() + 1) % 9;   // a wrong figure, by key and by button
    QTest::keyClick(totalBox(w), static_cast<Qt::Key>(Qt::Key_0 + wrong));
    click(digit(w, wrong));
    EXPECT_EQ(total(w), shown);

    for (int ticks = 0; game->running() && ticks < 100; ++ticks)
        game->tick();
    EXPECT_EQ(total(w), "Invaded / Score : 30");
    EXPECT_TRUE(totalBox(w)->isReadOnly());
    EXPECT_FALSE(w.findChild<HighScorePanel*>()->isVisible());
    EXPECT_EQ(prompts, 1);
    EXPECT_EQ(nameText(w.highScoreNames()[0]), "Zoe");
    EXPECT_EQ(w.highScores()[0], 30);
    QTest::keyClick(totalBox(w), Qt::Key_0);   // keys after the game do nothing to the box
    EXPECT_EQ(total(w), "Invaded / Score : 30");

    // The pause: the menu is greyed, no game starts, and the window still
    // handles events until the menu comes back.
    EXPECT_FALSE(invaders->isEnabled() || blaster->isEnabled());
    invaders->setEnabled(true);
    invaders->trigger();
    invaders->setEnabled(false);
    EXPECT_FALSE(game->running());
    ASSERT_TRUE(QTest::qWaitFor([&] { return invaders->isEnabled() && blaster->isEnabled(); }, 3000));
    EXPECT_FALSE(game->paused());
    start();
    EXPECT_TRUE(game->running());
    EXPECT_EQ(w.findChild<HighScorePanel*>()->scoreLabel(0)->text(), "30");
}

} // namespace
} // namespace qm::ui
