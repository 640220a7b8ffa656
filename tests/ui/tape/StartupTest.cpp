// The main window as it starts: rows for the screen, the first settings,
// and the grand-total box that takes no typing.

#include "ui/controls/SuperButton.h"
#include "ui/platform/RegionalSettings.h"
#include "ui/tape/EntryBox.h"
#include "ui/tape/WindowTestSupport.h"

namespace qm::ui {
namespace {

using namespace test;

TEST(StartUp, RowsForTheScreenAndFirstSettings)
{
    Rolling_Caculator w;
    // Screen 1920 x 1080: floor((1920 - 31) / 26) + 1 = 73 rows added to row 0.
    EXPECT_EQ(w.LastLoadedRow, 73);
    EXPECT_EQ(w.CalAmount.size(), 74);
    EXPECT_EQ(w.tape.TapeOp, std::vector<char>(74, '+'));   // one line per row
    EXPECT_EQ(w.DecimalPlaces(), 25);
    EXPECT_EQ(w.StatMode(), 0);
    const Regional sys = systemRegional();
    EXPECT_EQ(w.DecimalSep(), sys.decimalSep);
    EXPECT_EQ(w.ThousandSep(), sys.thousandSep);
    EXPECT_EQ(w.CalC_Button[10]->caption(), QString(QChar(sys.decimalSep)));
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
