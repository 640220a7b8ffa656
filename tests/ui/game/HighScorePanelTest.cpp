// The score panel shows the running game's twenty entries of the table; the
// name box asks for a top position.

#include "ui/game/HighScorePanel.h"
#include "ui/game/GameController.h"

#include "ui/tape/WindowTestSupport.h"

#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

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

} // namespace
} // namespace qm::ui
