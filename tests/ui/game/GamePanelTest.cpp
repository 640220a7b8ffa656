#include "ui/game/All_Timers.h"

#include <QImage>
#include <QLabel>
#include <QWidget>

#include <gtest/gtest.h>

#include <array>

namespace qm::ui {
namespace {

TEST(All_Timers, DesignPlacesInPixels)
{
    QWidget window;
    window.resize(671, 466);
    All_Timers panel(&window);
    EXPECT_EQ(panel.geometry(), QRect(3, 72, 265, 391));
    EXPECT_FALSE(panel.isVisibleTo(&window)) << "hidden until a game starts";

    EXPECT_EQ(panel.Best->text(), QStringLiteral("Top 20 Scores"));
    EXPECT_EQ(panel.Best->pos(), QPoint(3, 3));
    struct Row {
        int j;
        QRect name, score;
    };
    // Twips / 15: names at 45, 2800 wide; scores at 2925, 1005 wide; rows at
    // 405 + 270 j, 285 high.
    const Row rows[] = {
        {0, QRect(3, 27, 187, 19), QRect(195, 27, 67, 19)},
        {1, QRect(3, 45, 187, 19), QRect(195, 45, 67, 19)},
        {19, QRect(3, 369, 187, 19), QRect(195, 369, 67, 19)},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(panel.HiNames[static_cast<std::size_t>(r.j)]->geometry(), r.name) << r.j;
        EXPECT_EQ(panel.ScoreTitle[static_cast<std::size_t>(r.j)]->geometry(), r.score) << r.j;
    }
    // Every row lies inside the panel.
    EXPECT_LE(panel.HiNames[19]->geometry().bottom(), panel.height());
    EXPECT_LE(panel.ScoreTitle[0]->geometry().right(), panel.width());
}

TEST(All_Timers, BlackOnLightRed)
{
    All_Timers panel;
    panel.showTable({}, {}, 0);
    panel.show();
    const QImage img = panel.grab().toImage();
    // 0xC0C0FF in 0x00BBGGRR is red 255, green 192, blue 192.
    EXPECT_EQ(img.pixelColor(260, 5), QColor(255, 192, 192));
    EXPECT_EQ(panel.Best->palette().color(QPalette::WindowText), QColor(Qt::black));
    // The heading's ink is black.
    bool black = false;
    const QRect heading = panel.Best->geometry();
    for (int y = heading.top(); y <= heading.bottom(); ++y)
        for (int x = heading.left(); x <= heading.right(); ++x)
            black = black || img.pixelColor(x, y).lightness() < 40;
    EXPECT_TRUE(black);
}

TEST(All_Timers, ShowsTheTableOfTheRunningGame)
{
    std::array<Value, 41> names;
    std::array<std::int16_t, 41> scores{};
    for (int i = 0; i < 40; ++i) {
        names[static_cast<std::size_t>(i)] = Value("P" + std::to_string(i));
        scores[static_cast<std::size_t>(i)] = static_cast<std::int16_t>(1000 - i);
    }
    names[21] = Value();   // an unused entry
    All_Timers panel;
    panel.showTable(names, scores, 20);
    EXPECT_EQ(panel.HiNames[0]->text(), QStringLiteral("P20"));
    EXPECT_EQ(panel.ScoreTitle[0]->text(), QStringLiteral("980"));
    EXPECT_EQ(panel.HiNames[1]->text(), QString());
    EXPECT_EQ(panel.HiNames[19]->text(), QStringLiteral("P39"));
    EXPECT_EQ(panel.ScoreTitle[19]->text(), QStringLiteral("961"));

    panel.showTable(names, scores, 0);
    EXPECT_EQ(panel.HiNames[5]->text(), QStringLiteral("P5"));
    EXPECT_EQ(panel.ScoreTitle[5]->text(), QStringLiteral("995"));

    // Arrays too short for the table leave the missing rows empty.
    panel.showTable(HighScoreNames(names).first(25), HighScoreList(scores).first(22), 20);
    EXPECT_EQ(panel.HiNames[4]->text(), QStringLiteral("P24"));
    EXPECT_EQ(panel.HiNames[5]->text(), QString());
    EXPECT_EQ(panel.ScoreTitle[1]->text(), QStringLiteral("979"));
    EXPECT_EQ(panel.ScoreTitle[2]->text(), QString());
}

} // namespace
} // namespace qm::ui
