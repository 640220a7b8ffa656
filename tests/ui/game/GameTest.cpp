// The games as the window runs them: score panel, name box, menu, total box as
// screen, keys as trigger, high-score table. Scoring is tested in core.

#include "core/game/GameScores.h"
#include "ui/game/GameController.h"
#include "ui/game/HighScorePanel.h"
#include "ui/UiTestSupport.h"

#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>

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
    panel.showTable(names, scores, 20);
    const struct { int row; const char* name; const char* score; } rows[] = {
        {0, "P20", "980"}, {1, "", "979"}, {19, "P39", "961"}};
    for (const auto& r : rows) {
        EXPECT_EQ(panel.nameLabel(r.row)->text(), r.name) << r.row;
        EXPECT_EQ(panel.scoreLabel(r.row)->text(), r.score) << r.row;
    }
    panel.showTable(names, scores, 0);
    EXPECT_EQ(panel.nameLabel(5)->text(), "P5");

    // Arrays too short for the table leave the missing rows empty.
    panel.showTable(HighScoreNames(names).first(25), HighScoreList(scores).first(22), 20);
    EXPECT_EQ(panel.nameLabel(4)->text(), "P24");
    EXPECT_EQ(panel.nameLabel(5)->text(), "");
    EXPECT_EQ(panel.scoreLabel(1)->text(), "979");
    EXPECT_EQ(panel.scoreLabel(2)->text(), "");
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
        return test::menuItem(w, index ? "Start Nixie Blaster..." : "Start Nixie Invaders...");
    }
    bool menuEnabled() const { return menuItem(0)->isEnabled() && menuItem(1)->isEnabled(); }
    bool running() { return w.gameController()->running(); }
    // Starts Nixie Invaders from the menu; the test then plays the timer.
    void start()
    {
        menuItem(0)->trigger();
        w.gameController()->timer().stop();
    }
    void tick() { w.gameController()->tick(); }
    int first() const { return test::total(w).front().digitValue(); }

    MainWindow w;
    int prompts = 0;
};

TEST(MainWindowGame, KeysAndKeypadShootUntilInvadedThenAPause)
{
    QTemporaryDir tmp;
    GameWindow g(tmp.filePath(QStringLiteral("scores.cal")));
    MainWindow& w = g.w;
    g.start();
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

    for (int ticks = 0; g.running() && ticks < 100; ++ticks)
        g.tick();
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
    g.start();
    EXPECT_TRUE(g.running());
    EXPECT_EQ(g.panel()->scoreLabel(0)->text(), "30");
}

} // namespace
} // namespace qm::ui
