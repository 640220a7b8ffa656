#include "ui/tape/RollingCaculator.h"

#include "ui/controls/EzyVerticalScroll.h"
#include "ui/controls/SuperButton.h"
#include "ui/platform/RegionalSettings.h"
#include "ui/tape/EntryBox.h"
#include "ui/tape/WindowTestSupport.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include <gtest/gtest.h>

#include <memory>

namespace qm::ui {
namespace {

std::string text(const Value& v) { return plainText(v, '.'); }

TEST(StartUp, TitleRowsAndFirstSettings)
{
    Rolling_Caculator w;
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Quillmate 8.1    (Educational Version)"));

    // Screen 1920 x 1080: N = floor((1920 - 31) / 26) + 1 = 73 rows added.
    EXPECT_EQ(w.LastLoadedRow, 73);
    EXPECT_EQ(w.CalAmount.size(), 74);
    EXPECT_EQ(w.Op.size(), 74);
    EXPECT_EQ(w.tape.size(), 74u);
    EXPECT_EQ(w.tape.TapeOp.size(), 74u);
    for (int n = 0; n <= w.LastLoadedRow; ++n) {
        EXPECT_EQ(w.CalAmount[n]->geometry().top(), 73 + 26 * n) << n;
        EXPECT_EQ(w.Op[n]->geometry().top(), 74 + 26 * n) << n;
        EXPECT_EQ(w.tape.TapeOp[static_cast<std::size_t>(n)], '+');
        EXPECT_EQ(w.Op[n]->caption(), QStringLiteral("+"));
    }

    EXPECT_EQ(w.DecimalPlaces(), 25);
    EXPECT_EQ(w.StatMode(), 0);
    EXPECT_TRUE(w.dp1[25]->isChecked());
    EXPECT_TRUE(w.CalcFuntions[0]->isChecked());
    EXPECT_EQ(w.CalC_Button[10]->caption(), QString(QChar(w.DecimalSep())));
    const Regional sys = systemRegional();
    EXPECT_EQ(w.DecimalSep(), sys.decimalSep);
    EXPECT_EQ(w.ThousandSep(), sys.thousandSep);
    EXPECT_TRUE(w.TotalAmount->text().isEmpty());
    EXPECT_EQ(w.All_Timers, nullptr);   // the game's panel waits for a game
}

TEST(StartUp, ButtonsAtTheirDesignPlacesWithCaptionsTooltipsAndColours)
{
    Rolling_Caculator w;
    const struct {
        SuperButton* button;
        const char* caption;   // nullptr: not checked
        QRect rect;
        std::uint32_t renderColor;
        const char* toolTip;
    } rows[] = {
        {w.CalC_Button[0], "0", {270, 414, 104, 50}, 0xCCCC99, ""},
        {w.CalC_Button[9], "9", {378, 252, 50, 50}, 0xCCCC99, ""},
        {w.CalC_Button[10], nullptr, {378, 414, 50, 50}, 0xCCCC99, "Decimal point..."},
        {w.CalC_Button[11], "CA", {270, 144, 81, 50}, 0x0000FF, "Clear All..."},
        {w.CalC_Button[12], "+", {432, 198, 65, 50}, 0x01B207, "Addition..."},
        {w.CalC_Button[15], "/", {432, 360, 65, 50}, 0x01B207, "Division..."},
        {w.CalC_Button[16], "C", {356, 144, 71, 50}, 0x0000FF, "Clear current number..."},
        {w.CalC_Button[17], "Del", {432, 144, 65, 50}, 0x00C0C0, "Back space..."},
        {w.CalC_Button[18], "^", {432, 414, 65, 50}, 0x01B207,
         "Raise a number to the power of an exponent"},
        {w.CalC_Button[19], "+/-", {378, 198, 50, 50}, 0xCCCC99, ""},
        {w.CalC_Button[20], "%", {324, 198, 50, 50}, 0xCCCC99, ""},
        {w.MemoryRc[0], "M+", {345, 94, 65, 40}, 0x0340F2, "Store selected value to memory..."},
        {w.MemoryRc[1], "MR", {414, 93, 77, 40}, 0x0340F2, "Memory Recall..."},
        {w.MemoryRc[2], "M=", {276, 93, 65, 40}, 0x0340F2, "Store total to memory..."},
        {w.PieValue, "Pi", {270, 198, 50, 49}, 0xCCCC99, "Value of Pi."},
        {w.Stific[0], "Exp", {501, 78, 54, 46}, 0x000063, nullptr},
        {w.Stific[5], "Tan", {615, 126, 54, 46}, 0x000063, "Specifying the tangent of an angle"},
        {w.Stific[11], "Atan", {615, 222, 54, 46}, 0x000063, nullptr},
        {w.Stific[12], "Fix", {501, 273, 54, 46}, 0x00270F, nullptr},
        {w.Stific[18], "", {501, 369, 54, 46}, 0x00270F, "Custom function button..."},
        {w.Stific[23], "Edit", {615, 417, 54, 46}, 0x00270F, "Edit function buttons..."},
    };
    for (const auto& r : rows) {
        const std::string name = r.caption ? r.caption : "decimal key";
        if (r.caption) {
            EXPECT_EQ(r.button->caption(), QString::fromLatin1(r.caption));
        }
        EXPECT_EQ(r.button->geometry(), r.rect) << name;
        EXPECT_EQ(r.button->renderColor(), r.renderColor) << name;
        if (r.toolTip) {
            EXPECT_EQ(r.button->toolTip(), QString::fromLatin1(r.toolTip)) << name;
        }
    }
    for (SuperButton* key : w.CalC_Button)
        EXPECT_EQ(key->backColor(), 0xCCCC99u);
    EXPECT_EQ(w.Stific[23]->backColor(), 0xE0E0E0u);
    EXPECT_FALSE(w.Stific[11]->toolTip().isEmpty());
    EXPECT_NE(w.Stific[11]->toolTip(), w.Stific[10]->toolTip());
    EXPECT_NE(w.Stific[5]->toolTip(), w.Stific[4]->toolTip());
}

TEST(StartUp, MenuBarItemsSeparatorsAndShortcuts)
{
    Rolling_Caculator w;
    QStringList menus;
    for (QAction* a : w.menuBar()->actions())
        menus << a->text();
    EXPECT_EQ(menus, (QStringList{"Options", "Decimals", "Total", "Games"}));

    auto captions = [](QMenu* m) {
        QStringList out;
        for (QAction* a : m->actions())
            out << (a->isSeparator() ? QStringLiteral("-") : a->text());
        return out;
    };
    EXPECT_EQ(captions(w.E_m),
              (QStringList{"Clear All...", "-", "Open Calculation...", "Save Calculation...", "-",
                           "Copy Numbers...", "Paste Numbers...", "-", "Sort Numbers...", "-",
                           "Print Calculation..."}));
    EXPECT_EQ(captions(w.dp), (QStringList{"0", "0.0", "0.00", "0.000", "0.0000", "0.00000",
                                           "0.000000", "Variable"}));
    EXPECT_EQ(captions(w.OtherFeatures),
              (QStringList{"Numbers...", "Average...", "Mean...", "Mode..."}));
    EXPECT_EQ(captions(w.Games),
              (QStringList{"Start Nixie Invaders...", "Start Nixie Blaster..."}));
    EXPECT_EQ(w.LD[0]->shortcut(), QKeySequence(QStringLiteral("Ctrl+O")));
    EXPECT_EQ(w.LD[1]->shortcut(), QKeySequence(QStringLiteral("Ctrl+S")));
    EXPECT_EQ(w.PrintCalc->shortcut(), QKeySequence(QStringLiteral("Ctrl+P")));
}

TEST(StartUp, FirstActivationClearsAndFocusesLaterOnesDoNot)
{
    Rolling_Caculator w;
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    w.activateWindow();
    QTest::qWait(20);
    w.Form_Activate();   // in case the platform gave no activation
    ASSERT_TRUE(w.Activated);
    EXPECT_TRUE(w.CalAmount[0]->hasFocus());

    w.tape.TapeValue[0] = Value(Decimal::fromInt(5));
    w.tape.TapeOp[1] = 'x';
    w.Form_Activate();
    EXPECT_EQ(text(w.tape.TapeValue[0]), "5");
    EXPECT_EQ(w.tape.TapeOp[1], 'x');
}

TEST(TotalAmount, TypingIsDiscardedAndNegativeTextIsRed)
{
    Rolling_Caculator w;
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    w.TotalAmount->setText(QStringLiteral("12"));
    w.TotalAmount->setFocus();
    QTest::keyClicks(w.TotalAmount, QStringLiteral("345"));
    QTest::keyClick(w.TotalAmount, Qt::Key_Backspace);
    EXPECT_EQ(w.TotalAmount->text(), QStringLiteral("12"));
    EXPECT_EQ(w.TotalFocused, 1);

    // Even unlocked (as during a game) no typed character reaches the box.
    w.TotalAmount->setReadOnly(false);
    QTest::keyClicks(w.TotalAmount, QStringLiteral("7a"));
    EXPECT_EQ(w.TotalAmount->text(), QStringLiteral("12"));
    w.TotalAmount->setReadOnly(true);

    const struct { const char* text; std::uint32_t colour; } rows[] = {
        {"-5", 0x0000C0}, {"12", 0x000000}, {"Average : -5", 0x000000}, {"-", 0x0000C0}, {"", 0x000000}};
    for (const auto& r : rows) {
        w.TotalAmount->setText(QString::fromLatin1(r.text));
        EXPECT_EQ(w.TotalAmount->foreColor(), r.colour) << r.text;
    }
}

TEST(TotalAmount, RecalculationShowsTheTotal)
{
    Rolling_Caculator w;
    w.tape.TapeValue[0] = Value(Decimal::fromInt(12));
    w.tape.TapeValue[1] = Value(Decimal::fromInt(30));
    w.tape.TapeOp[1] = '-';
    w.MailCalc();
    EXPECT_EQ(w.TotalAmount->text(), QStringLiteral("-18"));
    EXPECT_EQ(w.TotalAmount->foreColor(), 0x0000C0u);
}

TEST(TotalAmount, GameKeysOnlyWhileAGameRuns)
{
    Rolling_Caculator w;
    w.TotalAmount->setText(QStringLiteral("42"));
    int code = 48;
    w.TotalAmount_KeyDown(code, 0);
    EXPECT_EQ(w.TotalAmount->text(), QStringLiteral("42"));

    ASSERT_TRUE(w.game.start(0, w.nowMs()));
    const GameTick tick = w.game.tick(w.nowMs());
    ASSERT_EQ(tick.kind, GameTick::Kind::Grew);
    ASSERT_FALSE(w.game.targets().empty());
    const int figure = w.game.targets().front() - '0';
    int miss = 48 + (figure + 1) % 10;
    w.TotalAmount_KeyDown(miss, 0);
    EXPECT_EQ(w.TotalAmount->text(), QStringLiteral("42"));
    int hit = 96 + figure;   // the numeric keypad's key counts as well
    w.TotalAmount_KeyDown(hit, 0);
    EXPECT_EQ(w.game.score(), 1);
    EXPECT_EQ(w.TotalAmount->text().toStdString(), w.game.targets());
}

} // namespace
} // namespace qm::ui
