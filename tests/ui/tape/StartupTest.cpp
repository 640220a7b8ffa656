// The main window as it starts: rows for the screen, the first settings,
// the first activation, and the grand-total box that takes no typing.

#include "ui/controls/SuperButton.h"
#include "ui/platform/RegionalSettings.h"
#include "ui/tape/EntryBox.h"
#include "ui/tape/WindowTestSupport.h"

#include <QAction>

namespace qm::ui {
namespace {

using namespace test;

TEST(StartUp, RowsForTheScreenAndFirstSettings)
{
    Rolling_Caculator w;
    EXPECT_EQ(w.windowTitle(), "Quillmate 8.1    (Educational Version)");
    // Screen 1920 x 1080: floor((1920 - 31) / 26) + 1 = 73 rows added to row 0.
    EXPECT_EQ(w.LastLoadedRow, 73);
    EXPECT_EQ(w.CalAmount.size(), 74);
    EXPECT_EQ(w.tape.TapeOp, std::vector<char>(74, '+'));   // one line per row

    EXPECT_EQ(w.DecimalPlaces(), 25);
    EXPECT_TRUE(w.dp1[25]->isChecked());
    EXPECT_EQ(w.StatMode(), 0);
    EXPECT_TRUE(w.CalcFuntions[0]->isChecked());
    const Regional sys = systemRegional();
    EXPECT_EQ(w.DecimalSep(), sys.decimalSep);
    EXPECT_EQ(w.ThousandSep(), sys.thousandSep);
    EXPECT_EQ(w.CalC_Button[10]->caption(), QString(QChar(sys.decimalSep)));
    EXPECT_EQ(w.All_Timers, nullptr);   // the game's panel waits for a game
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
    w.tape.TapeValue[0] = dec("5");
    w.tape.TapeOp[1] = 'x';
    w.Form_Activate();
    EXPECT_EQ(shown(w.tape.TapeValue[0]), "5");
    EXPECT_EQ(w.tape.TapeOp[1], 'x');
}

TEST(TotalAmount, TypingIsDiscardedAndNegativeTextIsRed)
{
    auto w = shownWindow();
    w->TotalAmount->setText(QStringLiteral("12"));
    w->TotalAmount->setFocus();
    QTest::keyClicks(w->TotalAmount, QStringLiteral("345"));
    QTest::keyClick(w->TotalAmount, Qt::Key_Backspace);
    EXPECT_EQ(w->TotalAmount->text(), "12");
    EXPECT_EQ(w->TotalFocused, 1);
    // Even unlocked (as during a game) no typed character reaches the box.
    w->TotalAmount->setReadOnly(false);
    QTest::keyClicks(w->TotalAmount, QStringLiteral("7a"));
    EXPECT_EQ(w->TotalAmount->text(), "12");

    const struct { const char* text; std::uint32_t colour; } rows[] = {
        {"-5", 0x0000C0}, {"12", 0x000000}, {"Average : -5", 0x000000}, {"-", 0x0000C0}, {"", 0x000000}};
    for (const auto& r : rows) {
        w->TotalAmount->setText(QString::fromLatin1(r.text));
        EXPECT_EQ(w->TotalAmount->foreColor(), r.colour) << r.text;
    }
}

} // namespace
} // namespace qm::ui
