// The tape menu's commands in the main window: what the tape, the rows, the
// scroll range and the total show afterwards.

#include "ui/commands/PrintTape.h"
#include "ui/controls/EzyVerticalScroll.h"
#include "ui/controls/SuperButton.h"
#include "ui/platform/Clipboard.h"
#include "ui/tape/EntryBox.h"
#include "ui/tape/WindowTestSupport.h"

#include <QAction>
#include <QPrinterInfo>

namespace qm::ui {
namespace {

using namespace test;

TEST(CopyPasteAndClearAll, ThroughTheClipboard)
{
    auto w = shownWindow();
    w->tape.TapeValue[0] = dec("12.5");
    w->tape.TapeValue[2] = Value("Sin(30)");
    w->C_m_Click();
    EXPECT_TRUE(clipboardText().startsWith(QStringLiteral("12.5\r\n0\r\nSin(30)\r\n0\r\n")));
    EXPECT_EQ(clipboardText().count(QStringLiteral("\r\n")), static_cast<qsizetype>(w->tape.size() - 1));

    setClipboardText(QStringLiteral("1,234.5\r\n7\r\nabc"));
    w->P_m_Click();
    EXPECT_EQ(w->CalAmount[0]->text(), "1234.5");
    EXPECT_TRUE(w->CalAmount[2]->text().isEmpty());   // "abc" is 0
    EXPECT_EQ(w->TotalAmount->text(), "1241.5");

    // The statement form: the operator from the sign, the old 7 cleared.
    setClipboardText(QStringLiteral("\t1.2.\tRent\t12.50\r\nx\t2.2.\tPay\t20\r\nDE"));
    w->P_m_Click();
    EXPECT_EQ(w->Op[0]->caption(), "-");
    EXPECT_EQ(w->Op[0]->renderColor(), 0x0000FFu);
    EXPECT_TRUE(w->CalAmount[2]->text().isEmpty());
    EXPECT_EQ(w->TotalAmount->text(), "7.5");

    // More lines than rows grow the tape and the scroll range.
    QStringList lines;
    for (int i = 1; i <= 100; ++i)
        lines << QString::number(i);
    setClipboardText(lines.join(QStringLiteral("\r\n")));
    w->P_m_Click();
    EXPECT_EQ(w->tape.size(), 100u);
    EXPECT_EQ(w->scrollMax(), 100 - 1 - 16);
    EXPECT_EQ(w->TotalAmount->text(), "5050");
    w->ScrollNum->setValue(w->scrollMax());
    EXPECT_EQ(w->CalAmount[16]->text(), "100");

    // Clear All: lines past the rows made for the screen (74) go blank.
    w->ScrollNum->setValue(3);
    w->Clear_Total_Click();
    EXPECT_EQ(w->scrollValue(), 0);
    EXPECT_EQ(w->scrollMax(), 0);
    EXPECT_EQ(w->tape.size(), 100u);
    EXPECT_EQ(shown(w->tape.TapeValue[3]), "0");
    EXPECT_TRUE(w->tape.TapeValue[99].isEmpty());
    for (int i = 0; i <= w->LastRow; ++i) {
        EXPECT_EQ(w->Op[i]->caption(), "+");
        EXPECT_TRUE(w->CalAmount[i]->text().isEmpty());
    }
    EXPECT_TRUE(w->TotalAmount->text().isEmpty());
}

TEST(SortAndDecimals, RowsAtOnceTotalAtTheNextChange)
{
    auto s = shownWindow();   // sorting: values move, operators stay, the total waits
    s->tape.TapeValue[0] = dec("5");
    s->tape.TapeValue[1] = dec("2");
    s->tape.TapeOp[1] = 'x';
    s->TotalAmount->setText(QStringLiteral("old"));
    s->SortNm_Click();
    EXPECT_EQ(s->CalAmount[0]->text(), "2");
    EXPECT_EQ(s->CalAmount[1]->text(), "5");
    EXPECT_EQ(s->Op[1]->caption(), "x");
    EXPECT_EQ(s->TotalAmount->text(), "old");
    s.reset();

    auto w = shownWindow();
    w->tape.TapeValue[0] = dec("0.5");
    w->tape.TapeValue[1] = dec("1234");
    w->MailCalc();
    ASSERT_EQ(w->TotalAmount->text(), "1234.5");
    w->dp1[2]->trigger();
    EXPECT_EQ(w->DecimalPlaces(), 2);
    EXPECT_EQ(w->CalAmount[0]->text(), ".50");
    EXPECT_EQ(w->CalAmount[1]->text(), "1,234.00");
    EXPECT_EQ(w->TotalAmount->text(), "1234.5");
    w->MailCalc();
    EXPECT_EQ(w->TotalAmount->text(), "1,234.50");

    w->dp1[25]->trigger();
    EXPECT_EQ(w->CalAmount[1]->text(), "1234");
    w->dp1[25]->trigger();   // choosing the checked item again keeps its mark
    EXPECT_TRUE(w->dp1[25]->isChecked());
    EXPECT_FALSE(w->dp1[2]->isChecked());
}

TEST(TotalMode, CheckMarkFollowsAndTheStatisticShowsAtOnce)
{
    auto w = shownWindow();
    const char* values[] = {"3", "1", "3", "2"};
    for (std::size_t i = 0; i < 4; ++i)
        w->tape.TapeValue[i] = dec(values[i]);
    const struct { int mode; const char* text; } rows[] = {
        {1, "Average : 2.25"}, {2, "Mean : 2.5"}, {3, "Mode : 3"}, {0, "9"}};
    for (const auto& r : rows) {
        w->CalcFuntions[r.mode]->trigger();
        EXPECT_EQ(w->StatMode(), r.mode);
        EXPECT_EQ(w->TotalAmount->text(), QString::fromLatin1(r.text)) << r.mode;
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(w->CalcFuntions[i]->isChecked(), i == r.mode) << r.mode << " item " << i;
    }
}

TEST(PrintCalculation, MissingPrinterIsReportedAndChangesNothing)
{
    if (!QPrinterInfo::defaultPrinter().isNull())
        GTEST_SKIP() << "a default printer is set up here; the command would really print";
    auto w = shownWindow();
    w->tape.TapeValue[0] = dec("12");
    w->tape.TapeOp[1] = 'x';
    w->tape.TapeValue[1] = dec("3");
    w->MailCalc();
    MessageCatcher catcher;
    w->PrintCalc->trigger();
    EXPECT_EQ(catcher.seen, 1);
    EXPECT_EQ(catcher.text, printFailureText(QStringLiteral("no default printer is set up.")));
    EXPECT_EQ(catcher.title, w->windowTitle());
    EXPECT_EQ(w->TotalAmount->text(), "36");
    EXPECT_EQ(w->tape.TapeOp[1], 'x');
}

} // namespace
} // namespace qm::ui
