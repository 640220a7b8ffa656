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

} // namespace
} // namespace qm::ui
