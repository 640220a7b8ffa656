#include "ui/tape/RollingCaculator.h"

#include "core/commands/TapeCommands.h"
#include "ui/controls/EzyVerticalScroll.h"
#include "ui/controls/SuperButton.h"
#include "ui/platform/Clipboard.h"
#include "ui/tape/EntryBox.h"
#include "ui/tape/WindowTestSupport.h"

#include <QAction>
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

std::string shown(const Value& v) { return plainText(v, '.'); }

// A shown window of the design size with English separators, whatever the
// machine's regional settings.
std::unique_ptr<Rolling_Caculator> window()
{
    auto w = std::make_unique<Rolling_Caculator>();
    w->settings.regional = Regional{'.', ',', 3};
    w->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(w.get()));
    w->resize(671, 466 + w->menuBar()->height());
    QCoreApplication::processEvents();
    EXPECT_EQ(w->LastRow, 16);
    return w;
}

TEST(ClearAll, EmptiesTapeRowsAndTotal)
{
    auto w = window();
    // 100 lines: more than the 74 rows made for the screen.
    setClipboardText(QStringLiteral("5") + QString(99, QLatin1Char('\n')));
    w->P_m_Click();
    ASSERT_EQ(w->tape.size(), 100u);
    ASSERT_GT(w->scrollMax(), 0);
    w->ScrollNum->setValue(3);
    w->tape.TapeOp[2] = 'x';
    w->TotalAmount->setText(QStringLiteral("99"));
    const std::size_t lines = w->tape.size();

    w->Clear_Total_Click();
    EXPECT_EQ(w->scrollValue(), 0);
    EXPECT_EQ(w->scrollMax(), 0);
    EXPECT_EQ(w->tape.size(), lines);
    for (int i = 0; i <= w->LastLoadedRow; ++i) {
        EXPECT_EQ(w->tape.TapeOp[static_cast<std::size_t>(i)], '+');
        EXPECT_EQ(shown(w->tape.TapeValue[static_cast<std::size_t>(i)]), "0");
        EXPECT_EQ(w->Op[i]->caption(), QStringLiteral("+"));
        EXPECT_EQ(w->Op[i]->renderColor(), 0xC0C0C0u);
        EXPECT_TRUE(w->CalAmount[i]->text().isEmpty());
    }
    for (std::size_t i = static_cast<std::size_t>(w->LastLoadedRow) + 1; i < lines; ++i) {
        EXPECT_EQ(w->tape.TapeOp[i], BlankOp);
        EXPECT_TRUE(w->tape.TapeValue[i].isEmpty());
    }
    EXPECT_TRUE(w->TotalAmount->text().isEmpty());
    EXPECT_EQ(w->LastRow, 16);
}

TEST(CopyNumbers, ValuesAsLinesOnTheClipboard)
{
    auto w = window();
    w->tape.TapeValue[0] = dec("12.5");
    w->tape.TapeValue[2] = dec("3");
    w->tape.TapeValue[3] = Value("Sin(30)");
    w->tape.TapeOp[2] = 'x';
    w->C_m_Click();
    QString expected = QStringLiteral("12.5\r\n0\r\n3\r\nSin(30)");
    for (std::size_t i = 4; i < w->tape.size(); ++i)
        expected += QStringLiteral("\r\n0");
    EXPECT_EQ(clipboardText(), expected);
}

TEST(PasteNumbers, BothFormsReachRowsAndTotal)
{
    auto w = window();
    setClipboardText(QStringLiteral("1,234.5\r\n7\r\nabc"));
    w->P_m_Click();
    EXPECT_EQ(w->CalAmount[0]->text(), QStringLiteral("1234.5"));
    EXPECT_EQ(w->CalAmount[1]->text(), QStringLiteral("7"));
    EXPECT_TRUE(w->CalAmount[2]->text().isEmpty());   // "abc" is 0
    EXPECT_EQ(w->TotalAmount->text(), QStringLiteral("1241.5"));
    EXPECT_EQ(w->scrollMax(), 0);

    setClipboardText(QStringLiteral("\t1.2.\tRent\t12.50\r\nx\t2.2.\tPay\t20\r\nDE"));
    w->P_m_Click();
    EXPECT_EQ(w->Op[0]->caption(), QStringLiteral("-"));
    EXPECT_EQ(w->Op[0]->renderColor(), 0x0000FFu);
    EXPECT_EQ(w->Op[1]->caption(), QStringLiteral("+"));
    EXPECT_EQ(w->CalAmount[0]->text(), QStringLiteral("12.5"));
    EXPECT_TRUE(w->CalAmount[2]->text().isEmpty());   // the old 7 is cleared
    EXPECT_EQ(w->TotalAmount->text(), QStringLiteral("7.5"));
}

TEST(PasteNumbers, MoreLinesThanRowsGrowTheTapeAndTheScrollRange)
{
    auto w = window();
    QString text;
    for (int i = 1; i <= 100; ++i)
        text += QString::number(i) + QStringLiteral("\r\n");
    text.chop(2);
    setClipboardText(text);
    w->P_m_Click();
    // 74 lines exist (rows made for a 1920-pixel screen); 100 pasted.
    EXPECT_EQ(w->tape.size(), 100u);
    EXPECT_EQ(w->scrollMax(), 100 - 1 - 16);
    EXPECT_EQ(w->TotalAmount->text(), QStringLiteral("5050"));
    w->ScrollNum->setValue(w->scrollMax());
    EXPECT_EQ(w->CalAmount[16]->text(), QStringLiteral("100"));
}

TEST(SortNumbers, ValuesMoveOperatorsStay)
{
    auto w = window();
    const char* values[] = {"5", "-3", "0", "2"};
    const char ops[] = {'+', 'x', '-', '/'};
    for (std::size_t i = 0; i < 4; ++i) {
        w->tape.TapeValue[i] = dec(values[i]);
        w->tape.TapeOp[i] = ops[i];
    }
    w->TotalAmount->setText(QStringLiteral("old"));
    w->SortNm_Click();
    EXPECT_EQ(shown(w->tape.TapeValue[0]), "2");
    EXPECT_EQ(shown(w->tape.TapeValue[1]), "5");
    EXPECT_EQ(shown(w->tape.TapeValue[2]), "0");
    EXPECT_EQ(shown(w->tape.TapeValue[3]), "0");
    for (std::size_t i = 0; i < 4; ++i)
        EXPECT_EQ(w->tape.TapeOp[i], ops[i]);
    EXPECT_EQ(w->CalAmount[0]->text(), QStringLiteral("2"));
    EXPECT_EQ(w->CalAmount[1]->text(), QStringLiteral("5"));
    EXPECT_EQ(w->Op[1]->caption(), QStringLiteral("x"));
    EXPECT_TRUE(w->CalAmount[3]->text().isEmpty());
    EXPECT_EQ(w->TotalAmount->text(), QStringLiteral("old"));   // not recomputed
}

TEST(Decimals, RowsAtOnceTotalAtTheNextChange)
{
    auto w = window();
    w->tape.TapeValue[0] = dec("0.5");
    w->tape.TapeValue[1] = dec("1234");
    w->MailCalc();
    ASSERT_EQ(w->TotalAmount->text(), QStringLiteral("1234.5"));

    w->dp1[2]->trigger();
    EXPECT_EQ(w->DecimalPlaces(), 2);
    EXPECT_EQ(w->CalAmount[0]->text(), QStringLiteral(".50"));
    EXPECT_EQ(w->CalAmount[1]->text(), QStringLiteral("1,234.00"));
    EXPECT_EQ(w->TotalAmount->text(), QStringLiteral("1234.5"));
    w->MailCalc();
    EXPECT_EQ(w->TotalAmount->text(), QStringLiteral("1,234.50"));

    for (int i = 0; i < w->dp1.size(); ++i) {
        if (w->dp1[i]) {
            EXPECT_EQ(w->dp1[i]->isChecked(), i == 2) << i;
        }
    }

    w->dp1[25]->trigger();
    EXPECT_EQ(w->CalAmount[1]->text(), QStringLiteral("1234"));
    EXPECT_TRUE(w->dp1[25]->isChecked());
    EXPECT_FALSE(w->dp1[2]->isChecked());
    // Choosing the checked item again keeps its check mark.
    w->dp1[25]->trigger();
    EXPECT_TRUE(w->dp1[25]->isChecked());
}

TEST(TotalMode, CheckMarkFollowsAndTheStatisticShowsAtOnce)
{
    auto w = window();
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

} // namespace
} // namespace qm::ui
