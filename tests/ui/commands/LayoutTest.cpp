#include "ui/tape/RollingCaculator.h"

#include "ui/controls/EzyVerticalScroll.h"
#include "ui/controls/SuperButton.h"
#include "ui/tape/EntryBox.h"
#include "ui/tape/WindowTestSupport.h"

#include <QFrame>
#include <QMenuBar>

#include <gtest/gtest.h>

#include <memory>

namespace qm::ui {
namespace {

Value dec(const char* text)
{
    Result<Decimal> d = parseStrict(text);
    EXPECT_TRUE(d.ok()) << text;
    return d.ok() ? Value(*d) : Value();
}

// A shown window whose interior (below the menu bar) is `height` pixels high.
std::unique_ptr<Rolling_Caculator> shownWindow(int height = 466)
{
    auto w = std::make_unique<Rolling_Caculator>();
    w->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(w.get()));
    w->resize(671, height + w->menuBar()->height());
    QCoreApplication::processEvents();
    return w;
}

int interiorHeight(const Rolling_Caculator& w) { return w.centralWidget()->height(); }

TEST(Layout, RowsAndBarFollowTheInteriorHeight)
{
    // end = interior - 112; rows 0..floor((interior - 117) / 21); the bar
    // spans the shown rows, 26 pixels each.
    const struct { int interior; int lastRow; } rows[] = {
        {466, 16}, {473, 16}, {474, 17}, {600, 23}, {900, 37}, {1000, 42},
    };
    auto w = shownWindow();
    for (const auto& r : rows) {
        w->resize(671, r.interior + 30 + w->menuBar()->height());
        w->resize(671, r.interior + w->menuBar()->height());
        QCoreApplication::processEvents();
        ASSERT_EQ(interiorHeight(*w), r.interior);
        EXPECT_EQ(w->LastRow, r.lastRow) << "interior " << r.interior;
        EXPECT_EQ(w->ScrollNum->height(), 26 + 26 * r.lastRow) << "interior " << r.interior;
        EXPECT_EQ(w->ScrollNum->x(), 230);
        for (int j = 0; j <= w->LastLoadedRow; ++j) {
            EXPECT_EQ(w->CalAmount[j]->isVisible(), j <= r.lastRow) << j;
            EXPECT_EQ(w->Op[j]->isVisible(), j <= r.lastRow) << j;
        }
        EXPECT_EQ(w->CalAmount[0]->width(), 200);
        // The scroll range reaches the tape's last line from the last row.
        EXPECT_EQ(w->scrollMax(), static_cast<int>(w->tape.TapeLast()) - r.lastRow);
    }
    EXPECT_EQ(w->TotalAmount->width(), 671 - 42);
    EXPECT_EQ(w->Dzx->width(), 671 - 12);
}

TEST(Layout, RowCountStopsAtTheRowsMadeAtStartUp)
{
    auto w = shownWindow();
    w->resize(671, 2400);
    QCoreApplication::processEvents();
    EXPECT_EQ(w->LastRow, w->LastLoadedRow);
    EXPECT_EQ(w->scrollMax(), 0);
}

TEST(Layout, SizeLimitsInTwips)
{
    // 96 dpi: 15 twips per pixel; no frame offscreen, so outer = window size.
    const struct { QSize asked; QSize got; } rows[] = {
        {{300, 500}, {516, 500}},   // narrower than 7740 twips
        {{900, 500}, {689, 500}},   // wider than 10335 twips
        {{600, 300}, {600, 472}},   // lower than 7080 twips
        {{100, 100}, {516, 472}},
        {{600, 700}, {600, 700}},
    };
    auto w = shownWindow();
    for (const auto& r : rows) {
        w->resize(r.asked);
        QCoreApplication::processEvents();
        EXPECT_EQ(w->size(), r.got) << r.asked.width() << " x " << r.asked.height();
    }
}

TEST(Layout, MaximizeAlternatesTallFormAndNormalWindow)
{
    auto w = shownWindow();
    w->move(500 / 15, 40);   // left edge 500 twips
    QCoreApplication::processEvents();

    w->setWindowState(Qt::WindowMaximized);
    QTest::qWait(50);
    EXPECT_FALSE(w->isMaximized());
    EXPECT_EQ(w->SavedLeft, 495);   // 33 pixels
    EXPECT_EQ(w->pos(), QPoint(0, 0));
    EXPECT_EQ(w->width(), 689);
    EXPECT_EQ(w->height(), 1037);   // 0.96 x 1080

    w->setWindowState(Qt::WindowMaximized);
    QTest::qWait(50);
    EXPECT_FALSE(w->isMaximized());
    EXPECT_EQ(w->SavedLeft, 0);
    EXPECT_EQ(w->x(), 33);
    EXPECT_EQ(w->size(), QSize(689, 582));

    w->setWindowState(Qt::WindowMaximized);
    QTest::qWait(50);
    EXPECT_EQ(w->pos(), QPoint(0, 0));
    EXPECT_EQ(w->height(), 1037);
}

TEST(Layout, EveryResizeScrollsBackToTheFirstLine)
{
    auto w = shownWindow();
    w->tape.TapeValue[0] = dec("11");
    w->tape.TapeValue[5] = dec("55");
    w->resize(672, w->height());
    QCoreApplication::processEvents();
    w->ScrollNum->setValue(5);
    EXPECT_EQ(w->CalAmount[0]->text(), QStringLiteral("55"));
    w->resize(671, w->height() + 10);
    QCoreApplication::processEvents();
    EXPECT_EQ(w->scrollValue(), 0);
    EXPECT_EQ(w->CalAmount[0]->text(), QStringLiteral("11"));
}

TEST(ScrollRows, TextsOperatorsAndColours)
{
    auto w = shownWindow();
    w->settings.regional = Regional{'.', ',', 3};
    const struct { Value value; char op; const char* text; std::uint32_t textColour; std::uint32_t opColour; } rows[] = {
        {dec("12.5"), '+', "12.5", 0x000000, 0xC0C0C0},
        {dec("-3"), '-', "-3", 0x0000C0, 0x0000FF},
        {dec("0"), 'x', "", 0x000000, 0x00FF00},
        {Value("Sin(30)"), '/', "Sin(30)", 0x000000, 0xFF0000},
        {Value("15%"), '^', "15%", 0x000000, 0x000000},
        {Value(), ' ', "", 0x000000, 0xC0C0C0},
    };
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        w->tape.TapeValue[i] = rows[i].value;
        w->tape.TapeOp[i] = rows[i].op;
    }
    w->ScrollNum_Change();
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        const int j = static_cast<int>(i);
        EXPECT_EQ(w->CalAmount[j]->text(), QString::fromLatin1(rows[i].text)) << j;
        EXPECT_EQ(w->CalAmount[j]->foreColor(), rows[i].textColour) << j;
        EXPECT_EQ(w->Op[j]->renderColor(), rows[i].opColour) << j;
        EXPECT_EQ(w->Op[j]->caption(),
                  rows[i].op == ' ' ? QString() : QString(QChar(rows[i].op))) << j;
    }

    // Decimals: with 2, 0.5 shows .50 and -1234.5 -1,234.50 in dark red.
    w->tape.TapeValue[0] = dec("0.5");
    w->tape.TapeValue[1] = dec("-1234.5");
    w->settings.DecimalPlaces = 2;
    w->ScrollNum_Change();
    EXPECT_EQ(w->CalAmount[0]->text(), QStringLiteral(".50"));
    EXPECT_EQ(w->CalAmount[1]->text(), QStringLiteral("-1,234.50"));
    EXPECT_EQ(w->CalAmount[1]->foreColor(), 0x0000C0u);
}

TEST(ScrollRows, ScrollingShiftsEveryRowByOneLine)
{
    auto w = shownWindow();
    for (std::size_t i = 0; i < w->tape.size(); ++i) {
        w->tape.TapeValue[i] = Value(Decimal::fromInt(static_cast<long long>(i) + 1));
        w->tape.TapeOp[i] = i % 2 ? '-' : 'x';
    }
    w->ScrollNum->setValueMax(static_cast<int>(w->tape.TapeLast()) - w->LastRow);
    w->ScrollNum->setValue(1);
    for (int j = 0; j <= w->LastRow; ++j) {
        EXPECT_EQ(w->CalAmount[j]->text(), QString::number(j + 2));
        EXPECT_EQ(w->Op[j]->caption(), j % 2 ? QStringLiteral("x") : QStringLiteral("-"));
    }
}

TEST(ScrollRows, RowsBeyondAShortTapeAreEmptyUnderPlus)
{
    auto w = shownWindow();
    w->tape.TapeValue.assign(3, dec("7"));
    w->tape.TapeOp.assign(3, '/');
    w->ScrollNum_Change();
    EXPECT_EQ(w->CalAmount[2]->text(), QStringLiteral("7"));
    for (int j = 3; j <= w->LastRow; ++j) {
        EXPECT_TRUE(w->CalAmount[j]->text().isEmpty()) << j;
        EXPECT_EQ(w->Op[j]->caption(), QStringLiteral("+")) << j;
        EXPECT_EQ(w->Op[j]->renderColor(), 0xC0C0C0u) << j;
    }
    // The layout keeps a short tape's scroll range at 0.
    w->resize(672, w->height());
    QCoreApplication::processEvents();
    EXPECT_EQ(w->scrollMax(), 0);
    EXPECT_EQ(w->scrollValue(), 0);
}

TEST(ScrollRows, KeyOnTheBarSendsTheFocusToTheFirstRow)
{
    auto w = shownWindow();
    w->activateWindow();
    w->ScrollNum->setFocus();
    QTest::keyClick(w->ScrollNum, Qt::Key_5);
    EXPECT_TRUE(w->CalAmount[0]->hasFocus());
}

} // namespace
} // namespace qm::ui
