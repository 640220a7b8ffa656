// The main window's layout as it follows resizes, and the rows it draws.

#include "ui/controls/EzyVerticalScroll.h"
#include "ui/controls/SuperButton.h"
#include "ui/tape/EntryBox.h"
#include "ui/tape/WindowTestSupport.h"

namespace qm::ui {
namespace {

using namespace test;

TEST(Layout, RowsAndBarFollowTheInteriorHeight)
{
    // Rows 0..floor((interior - 117) / 21), at most those made at start-up;
    // the bar spans the shown rows, 26 pixels each.
    const struct { int interior; int lastRow; } rows[] = {
        {466, 16}, {473, 16}, {474, 17}, {1000, 42}, {2400, 73},
    };
    auto w = shownWindow();
    for (const auto& r : rows) {
        w->resize(671, r.interior + 30 + w->menuBar()->height());
        w->resize(671, r.interior + w->menuBar()->height());
        QCoreApplication::processEvents();
        ASSERT_EQ(w->centralWidget()->height(), r.interior);
        EXPECT_EQ(w->LastRow, r.lastRow) << r.interior;
        EXPECT_EQ(w->ScrollNum->height(), 26 + 26 * r.lastRow) << r.interior;
        for (int j = 0; j <= w->LastLoadedRow; ++j) {
            EXPECT_EQ(w->CalAmount[j]->isVisible(), j <= r.lastRow) << j;
            EXPECT_EQ(w->Op[j]->isVisible(), j <= r.lastRow) << j;
        }
        // The scroll range reaches the tape's last line from the last row.
        EXPECT_EQ(w->scrollMax(), static_cast<int>(w->tape.TapeLast()) - r.lastRow);
    }
}

TEST(Layout, SizeLimitsAndMaximizeInTwips)
{
    // 96 dpi: 15 twips per pixel; no frame offscreen, so outer = window size.
    const struct { QSize asked, got; } rows[] = {
        {{300, 500}, {516, 500}},   // narrower than 7740 twips
        {{900, 500}, {689, 500}},   // wider than 10335 twips
        {{100, 100}, {516, 472}},   // lower than 7080 twips
        {{600, 700}, {600, 700}},
    };
    auto w = shownWindow();
    for (const auto& r : rows) {
        w->resize(r.asked);
        QCoreApplication::processEvents();
        EXPECT_EQ(w->size(), r.got) << r.asked.width() << " x " << r.asked.height();
    }

    // Maximize alternates a tall form at the left edge and the normal window.
    w->resize(671, 582);
    w->move(500 / 15, 40);
    QCoreApplication::processEvents();
    const struct { QPoint pos; QSize size; } steps[] = {
        {{0, 0}, {689, 1037}},   // 0.96 x 1080
        {{33, 40}, {689, 582}},
        {{0, 0}, {689, 1037}},
    };
    for (const auto& s : steps) {
        w->setWindowState(Qt::WindowMaximized);
        QTest::qWait(50);
        EXPECT_FALSE(w->isMaximized());
        EXPECT_EQ(w->x(), s.pos.x());
        EXPECT_EQ(w->size(), s.size);
    }
}

TEST(Layout, EveryResizeScrollsBackToTheFirstLine)
{
    auto w = shownWindow();
    w->tape.TapeValue[0] = dec("11");
    w->tape.TapeValue[5] = dec("55");
    w->resize(672, w->height());
    QCoreApplication::processEvents();
    w->ScrollNum->setValue(5);
    EXPECT_EQ(w->CalAmount[0]->text(), "55");
    w->resize(671, w->height() + 10);
    QCoreApplication::processEvents();
    EXPECT_EQ(w->scrollValue(), 0);
    EXPECT_EQ(w->CalAmount[0]->text(), "11");
}

TEST(ScrollRows, EachRowShowsItsLineFormattedAndColoured)
{
    auto w = shownWindow();
    w->settings.DecimalPlaces = 2;
    const struct { Value value; char op; const char* text; std::uint32_t textColour, opColour; } rows[] = {
        {dec("-1234.5"), '-', "-1,234.50", 0x0000C0, 0x0000FF},
        {dec("0"), 'x', "", 0x000000, 0x00FF00},
        {Value("Sin(30)"), '/', "Sin(30)", 0x000000, 0xFF0000},
        {Value(), ' ', "", 0x000000, 0xC0C0C0},
        {dec("0.5"), '^', ".50", 0x000000, 0x000000},
    };
    // Scrolled by one line: row j shows line j + 1.
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        w->tape.TapeValue[i + 1] = rows[i].value;
        w->tape.TapeOp[i + 1] = rows[i].op;
    }
    w->ScrollNum->setValueMax(10);
    w->ScrollNum->setValue(1);
    for (int j = 0; j < static_cast<int>(std::size(rows)); ++j) {
        const auto& r = rows[j];
        EXPECT_EQ(w->CalAmount[j]->text(), QString::fromLatin1(r.text)) << j;
        EXPECT_EQ(w->CalAmount[j]->foreColor(), r.textColour) << j;
        EXPECT_EQ(w->Op[j]->renderColor(), r.opColour) << j;
        EXPECT_EQ(w->Op[j]->caption(), r.op == ' ' ? QString() : QString(QChar(r.op))) << j;
    }
}

TEST(ScrollRows, RowsBeyondAShortTapeAreEmptyUnderPlus)
{
    auto w = shownWindow();
    w->tape.TapeValue.assign(3, dec("7"));
    w->tape.TapeOp.assign(3, '/');
    w->ScrollNum_Change();
    EXPECT_EQ(w->CalAmount[2]->text(), "7");
    for (int j = 3; j <= w->LastRow; ++j) {
        EXPECT_TRUE(w->CalAmount[j]->text().isEmpty()) << j;
        EXPECT_EQ(w->Op[j]->caption(), "+") << j;
        EXPECT_EQ(w->Op[j]->renderColor(), 0xC0C0C0u) << j;
    }
    w->resize(672, w->height());   // the layout keeps a short tape's range at 0
    QCoreApplication::processEvents();
    EXPECT_EQ(w->scrollMax(), 0);

    // A key on the bar sends the focus to the first row.
    w->activateWindow();
    w->ScrollNum->setFocus();
    QTest::keyClick(w->ScrollNum, Qt::Key_5);
    EXPECT_TRUE(w->CalAmount[0]->hasFocus());
}

} // namespace
} // namespace qm::ui
