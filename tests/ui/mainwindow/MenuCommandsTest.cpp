// The tape menu's commands in the main window: what the tape, the rows, the
// scroll range and the total show afterwards.

#include "ui/mainwindow/MainWindowSupport.h"

#include "ui/commands/PrintTape.h"
#include "ui/platform/Clipboard.h"

#include <QAction>
#include <QPrinterInfo>

namespace qm::ui {
namespace {

using namespace test;

QAction* action(const MainWindow& w, const char* caption)
{
    for (QAction* a : w.menuBar()->findChildren<QAction*>()) {
        // without the access key and the key column
        if (a->text().section(QLatin1Char('\t'), 0, 0).remove(QLatin1Char('&')) == QString::fromLatin1(caption))
            return a;
    }
    ADD_FAILURE() << "no menu item " << caption;
    return nullptr;
}

Tape tapeOfValues(std::initializer_list<const char*> values, std::size_t lines = 74)
{
    Tape t;
    t.resize(lines);
    std::size_t i = 0;
    for (const char* v : values)
        t.TapeValue[i++] = *v == 'S' ? Value(v) : dec(v);
    return t;
}

TEST(MenuCommands, CopyPasteAndClearAllThroughTheClipboard)
{
    auto w = shownWindow();
    setTape(*w, tapeOfValues({"12.5", "0", "Sin(30)"}));
    action(*w, "Copy Numbers...")->trigger();
    EXPECT_TRUE(clipboardText().startsWith(QStringLiteral("12.5\r\n0\r\nSin(30)\r\n0\r\n")));

    setClipboardText(QStringLiteral("1,234.5\r\n7\r\nabc"));
    action(*w, "Paste Numbers...")->trigger();
    EXPECT_EQ(row(*w, 1)->text(), "7");
    EXPECT_EQ(total(*w), "1241.5");

    // More lines than rows grow the tape and the scroll range.
    QStringList lines;
    for (int i = 1; i <= 100; ++i)
        lines << QString::number(i);
    setClipboardText(lines.join(QStringLiteral("\r\n")));
    action(*w, "Paste Numbers...")->trigger();
    EXPECT_EQ(w->editor().tape().size(), 100u);
    const int lastRow = w->editor().lastRow();
    EXPECT_EQ(w->editor().scrollMax(), 100 - 1 - lastRow);
    EXPECT_EQ(total(*w), "5050");
    part<EzyVerticalScroll>(*w, "tapeScrollBar")->setValue(w->editor().scrollMax());
    EXPECT_EQ(row(*w, lastRow)->text(), "100");

    action(*w, "Clear All...")->trigger();
    EXPECT_EQ(w->editor().firstLine(), 0);
    EXPECT_EQ(w->editor().scrollMax(), 0);
    EXPECT_TRUE(row(*w, 3)->text().isEmpty());
    EXPECT_TRUE(total(*w).isEmpty());
}

TEST(MenuCommands, SortDecimalsAndTotalMode)
{
    auto w = shownWindow();
    setTape(*w, tapeOfValues({"0.5", "1234"}));
    ASSERT_EQ(total(*w), "1234.5");
    action(*w, "0.00")->trigger();
    EXPECT_EQ(w->editor().settings().DecimalPlaces, 2);
    EXPECT_EQ(row(*w, 1)->text(), "1,234.00");
    EXPECT_EQ(total(*w), "1,234.50");   // the total is shown with the decimals at once
    action(*w, "Variable")->trigger();
    EXPECT_EQ(row(*w, 1)->text(), "1234");
    EXPECT_TRUE(action(*w, "Variable")->isChecked());
    EXPECT_FALSE(action(*w, "0.00")->isChecked());

    setTape(*w, tapeOfValues({"3", "1", "3", "2"}));
    const struct { const char* item; const char* text; } modes[] = {
        {"Average...", "Average : 2.25"}, {"Mean...", "Mean : 2.5"}, {"Mode...", "Mode : 3"}, {"Numbers...", "9"}};
    for (const auto& m : modes) {
        action(*w, m.item)->trigger();
        EXPECT_EQ(total(*w), QString::fromLatin1(m.text)) << m.item;
        EXPECT_TRUE(action(*w, m.item)->isChecked());
    }
    action(*w, "Sort Numbers...")->trigger();
    EXPECT_EQ(row(*w, 1)->text(), "2");
    EXPECT_EQ(row(*w, 3)->text(), "3");
}

TEST(MenuCommands, MissingPrinterIsReportedAndChangesNothing)
{
    if (!QPrinterInfo::defaultPrinter().isNull())
        GTEST_SKIP() << "a default printer is set up here; the command would really print";
    auto w = shownWindow();
    setTape(*w, tapeOfValues({"12", "3"}));
    MessageCatcher catcher;
    action(*w, "Print Calculation...")->trigger();
    EXPECT_EQ(catcher.seen, 1);
    EXPECT_EQ(catcher.text, printFailureText(QStringLiteral("no default printer is set up.")));
    EXPECT_EQ(catcher.title, QStringLiteral("Quillmate"));   // the program's name, short enough for the box
    EXPECT_EQ(total(*w), "15");
}

} // namespace
} // namespace qm::ui
