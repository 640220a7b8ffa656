// The tape menu's commands in the main window: what the tape, the rows, the
// scroll range and the total show afterwards. The rules of each command are
// tested in core; here, that the window runs them and shows the outcome.

#include "ui/mainwindow/MainWindowSupport.h"

#include "ui/commands/PrintTape.h"
#include "ui/platform/Clipboard.h"

#include <QPrinterInfo>

namespace qm::ui {
namespace {

using namespace test;

// The lines given, then empty ones up to the rows of the screen.
Tape onTheRows(Tape t)
{
    t.resize(74);
    return t;
}

TEST(MenuCommands, CopyPasteAndClearAllThroughTheClipboard)
{
    auto w = shownWindow();
    // A paste cut off at the tape's limit says how much went in: the shown
    // rows, then 32001 lines beyond them.
    MessageAnswerer answerer;
    setClipboardText(QStringLiteral("1\r\n").repeated(33000) + QStringLiteral("1"));
    menuItem(*w, "Paste Numbers...")->trigger();
    const int pasted = w->editor().lastRow() + 1 + 32001;
    EXPECT_EQ(answerer.seen, 1);
    EXPECT_EQ(answerer.text, QStringLiteral("The tape is full: %1 of 33001 lines were pasted.").arg(pasted));
    EXPECT_EQ(answerer.title, QStringLiteral("Quillmate"));   // the program's name, short enough for the box
    EXPECT_EQ(total(*w), QString::number(pasted));

    setTape(*w, onTheRows(tapeOf({{'+', dec("12.5")}, {'+', dec("0")}, {'+', Value("Sin(30)")}})));
    menuItem(*w, "Copy Numbers...")->trigger();
    EXPECT_TRUE(clipboardText().startsWith(QStringLiteral("12.5\r\n0\r\nSin(30)\r\n0\r\n")));
    setClipboardText(QStringLiteral("1,234.5\r\n7\r\nabc"));
    menuItem(*w, "Paste Numbers...")->trigger();
    EXPECT_EQ(row(*w, 1)->text(), "7");
    EXPECT_EQ(total(*w), "1241.5");

    // More lines than rows grow the tape and the scroll range.
    QStringList lines;
    for (int i = 1; i <= 100; ++i)
        lines << QString::number(i);
    setClipboardText(lines.join(QStringLiteral("\r\n")));
    menuItem(*w, "Paste Numbers...")->trigger();
    EXPECT_EQ(w->editor().tape().size(), 100u);
    const int lastRow = w->editor().lastRow();
    EXPECT_EQ(w->editor().scrollMax(), 100 - 1 - lastRow);
    EXPECT_EQ(total(*w), "5050");
    part<EzyVerticalScroll>(*w, "tapeScrollBar")->setValue(w->editor().scrollMax());
    EXPECT_EQ(row(*w, lastRow)->text(), "100");

    menuItem(*w, "Clear All...")->trigger();
    EXPECT_EQ(w->editor().firstLine(), 0);
    EXPECT_EQ(w->editor().scrollMax(), 0);
    EXPECT_TRUE(row(*w, 3)->text().isEmpty());
    EXPECT_TRUE(total(*w).isEmpty());
    EXPECT_EQ(answerer.seen, 1);
}

TEST(MenuCommands, SortDecimalsAndTotalMode)
{
    auto w = shownWindow();
    setTape(*w, onTheRows(tapeOf({{'+', dec("0.5")}, {'+', dec("1234")}})));
    ASSERT_EQ(total(*w), "1234.5");
    menuItem(*w, "0.00")->trigger();
    EXPECT_EQ(w->editor().settings().DecimalPlaces, 2);
    EXPECT_EQ(row(*w, 1)->text(), "1,234.00");
    EXPECT_EQ(total(*w), "1,234.50");   // the total is shown with the decimals at once
    menuItem(*w, "Variable")->trigger();
    EXPECT_EQ(row(*w, 1)->text(), "1234");
    EXPECT_TRUE(menuItem(*w, "Variable")->isChecked());
    EXPECT_FALSE(menuItem(*w, "0.00")->isChecked());

    setTape(*w, onTheRows(tapeOf({{'+', dec("3")}, {'+', dec("1")}, {'+', dec("3")}, {'+', dec("2")}})));
    const struct { const char* item; const char* text; } modes[] = {
        {"Average...", "Average : 2.25"}, {"Mean...", "Mean : 2.5"}, {"Mode...", "Mode : 3"}, {"Numbers...", "9"}};
    for (const auto& m : modes) {
        menuItem(*w, m.item)->trigger();
        EXPECT_EQ(total(*w), QString::fromLatin1(m.text)) << m.item;
        EXPECT_TRUE(menuItem(*w, m.item)->isChecked());
    }
    menuItem(*w, "Sort Numbers...")->trigger();
    EXPECT_EQ(row(*w, 1)->text(), "2");
    EXPECT_EQ(row(*w, 3)->text(), "3");
}

TEST(MenuCommands, MissingPrinterIsReportedAndChangesNothing)
{
    if (!QPrinterInfo::defaultPrinter().isNull())
        GTEST_SKIP() << "a default printer is set up here; the command would really print";
    auto w = shownWindow();
    setTape(*w, onTheRows(tapeOf({{'+', dec("12")}, {'+', dec("3")}})));
    MessageAnswerer answerer;
    menuItem(*w, "Print Calculation...")->trigger();
    EXPECT_EQ(answerer.seen, 1);
    EXPECT_EQ(answerer.text, printFailureText(QStringLiteral("no default printer is set up.")));
    EXPECT_EQ(answerer.title, QStringLiteral("Quillmate"));
    EXPECT_EQ(total(*w), "15");
}

} // namespace
} // namespace qm::ui
