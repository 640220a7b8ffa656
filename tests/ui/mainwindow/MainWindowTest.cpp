// The window starting, following resizes, drawing rows, and forwarding every
// input to the session. The editing rules themselves are tested in core.

#include "ui/controls/PixelImage.h"
#include "ui/UiTestSupport.h"

#include "ui/platform/RegionalSettings.h"

#include <QClipboard>
#include <QLabel>
#include <QMenu>

namespace qm::ui {
namespace {

using namespace test;

TEST(StartUp, RowsForTheScreenAndFirstSettings)
{
    MainWindow w;
    // Screen 1920 x 1080: floor((1920 - 31) / 26) + 1 = 73 rows added to row 0.
    EXPECT_EQ(w.editor().lastLoadedRow(), 73);
    EXPECT_EQ(w.editor().tape().TapeOp, std::vector<char>(74, '+'));   // one line per row
    EXPECT_EQ(w.editor().settings().DecimalPlaces, VariableDecimals);
    EXPECT_EQ(w.editor().settings().StatMode, 0);
    const Regional sys = systemRegional();
    EXPECT_EQ(w.editor().settings().regional.decimalSep, sys.decimalSep);
    EXPECT_EQ(key(w, KeypadKey::Decimal)->caption(), QString(QChar(sys.decimalSep)));
    EXPECT_EQ(w.windowTitle(), test::windowTitle("(Educational Version)"));
}

TEST(TotalBox, TypingIsDiscardedAndNegativeTextIsRed)
{
    auto w = shownWindow();
    EntryBox* box = totalBox(*w);
    box->setText(QStringLiteral("12"));
    box->setFocus();
    QTest::keyClicks(box, QStringLiteral("345"));
    QTest::keyClick(box, Qt::Key_Backspace);
    EXPECT_EQ(box->text(), "12");
    EXPECT_TRUE(w->editor().totalFocused());
    box->setReadOnly(false);   // even unlocked, as during a game
    QTest::keyClicks(box, QStringLiteral("7a"));
    EXPECT_EQ(box->text(), "12");
    const struct { const char* text; std::uint32_t colour; } rows[] = {
        {"-5", 0x0000C0}, {"12", 0x000000}, {"Average : -5", 0x000000}, {"", 0x000000}};
    for (const auto& r : rows) {
        box->setText(QString::fromLatin1(r.text));
        EXPECT_EQ(box->foreColor(), r.colour) << r.text;
    }
}

TEST(Layout, RowsAndBarFollowTheInteriorHeight)
{
    // Rows 0..floor((interior - 100) / 26): row j's operator button, 1 lower
    // than its box, ends at 100 + 26 j; the bar spans the shown rows.
    const struct { int interior; int lastRow; } rows[] = {{466, 14}, {489, 14}, {490, 15}, {1000, 34}};
    auto w = shownWindow();
    // The rows and the bar stand at their design places in the interior.
    EXPECT_EQ(row(*w, 0)->mapTo(w->centralWidget(), QPoint(0, 0)), QPoint(30, 73));
    EXPECT_EQ(operatorButton(*w, 1)->mapTo(w->centralWidget(), QPoint(0, 0)), QPoint(3, 74 + 26));
    auto* bar = part<EzyVerticalScroll>(*w, "tapeScrollBar");
    EXPECT_EQ(bar->mapTo(w->centralWidget(), QPoint(0, 0)), QPoint(230, 72));
    // Scrolled to the end first: growing rows reach beyond the tape's last line.
    bar->setValue(w->editor().scrollMax());
    for (const auto& r : rows) {
        w->resize(671, r.interior + 30 + w->menuBar()->height());
        w->resize(671, r.interior + w->menuBar()->height());
        QCoreApplication::processEvents();
        ASSERT_EQ(w->centralWidget()->height(), r.interior);
        EXPECT_EQ(w->editor().lastRow(), r.lastRow) << r.interior;
        EXPECT_EQ(bar->height(), 26 + 26 * r.lastRow);
        EXPECT_EQ(bar->valueLargeChange(), r.lastRow + 1);   // a page is the shown rows
        EXPECT_TRUE(row(*w, r.lastRow)->isVisible());
        if (TapeLineBox* below = w->findChild<TapeLineBox*>(QStringLiteral("row%1").arg(r.lastRow + 1))) {
            EXPECT_FALSE(below->isVisible()) << r.interior;
        }
        // The scroll range reaches the tape's last line from the last row.
        EXPECT_EQ(w->editor().scrollMax(), static_cast<int>(w->editor().tape().TapeLast()) - r.lastRow);
    }
}

TEST(Layout, EachRowShowsItsLineFormattedAndColoured)
{
    auto w = shownWindow();
    const struct { Value value; char op; const char* text; std::uint32_t textColour, opColour; } rows[] = {
        {dec("-1234.5"), '-', "-1,234.50", 0x0000C0, 0x0000FF},
        {dec("0"), 'x', "", 0x000000, 0x00FF00},
        {Value("Sin(30)"), '/', "Sin(30)", 0x000000, 0xFF0000},
        {dec("0.5"), '^', ".50", 0x000000, 0x000000},
    };
    Tape t;
    t.resize(40);
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        t.TapeValue[i + 2] = rows[i].value;
        t.TapeOp[i + 2] = rows[i].op;
    }
    setTape(*w, t);
    w->editor().setDecimals(2);
    w->editor().scrollTo(1);   // row j shows line j + 1
    w->refresh();
    for (int j = 1; j <= static_cast<int>(std::size(rows)); ++j) {
        const auto& r = rows[j - 1];
        EXPECT_EQ(row(*w, j)->text(), QString::fromLatin1(r.text)) << j;
        EXPECT_EQ(row(*w, j)->palette().color(QPalette::Text), toQColor(r.textColour)) << j;
        EXPECT_EQ(operatorButton(*w, j)->renderColor(), r.opColour) << j;
        EXPECT_EQ(operatorButton(*w, j)->caption(), QString(QChar(r.op))) << j;
    }
}

// The line box's own menu: Paste there is a change of the line like typing.
TEST(EditingWiring, TheLinesContextMenuGoesThroughTheTape)
{
    auto w = editingWindow();
    QApplication::clipboard()->setText(QStringLiteral("42"));
    QStringList captions;
    QTimer::singleShot(0, [&captions] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(menu, nullptr);
        for (QAction* a : menu->actions()) {
            if (!a->isSeparator())
                captions << a->text();
        }
        for (QAction* a : menu->actions()) {
            if (a->text() == QStringLiteral("&Paste"))
                a->trigger();
        }
        menu->close();
    });
    QContextMenuEvent menuEvent(QContextMenuEvent::Mouse, QPoint(5, 5), row(*w, 0)->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(row(*w, 0), &menuEvent);
    EXPECT_EQ(captions, QStringList({"Cu&t", "&Copy", "&Paste", "Select &All", "&Note..."}));
    EXPECT_EQ(lineText(*w, 0), "42");
    EXPECT_EQ(total(*w), "42");
}

TEST(EditingWiring, TheGameKeepsItsInput)
{
    auto w = editingWindow();
    GameController* game = startedGame(*w);
    ASSERT_TRUE(totalBox(*w)->hasFocus());
    click(digit(*w, 9));   // 9 never appears: no hit, but the focus stays on the game
    EXPECT_TRUE(totalBox(*w)->hasFocus());
    EXPECT_EQ(lineText(*w, 0), "0");
    // A dialog command holds the game's clock while it is open.
    game->timer().start();
    bool heldWhileOpen = false;
    QTimer::singleShot(0, [&] {
        heldWhileOpen = !game->timer().isActive();
        for (QWidget* top : QApplication::topLevelWidgets()) {
            if (auto* dialog = qobject_cast<QDialog*>(top); dialog && dialog->isVisible())
                dialog->reject();
        }
    });
    pressKey(Qt::Key_S, QString(), Qt::ControlModifier);
    EXPECT_TRUE(heldWhileOpen);
    EXPECT_TRUE(game->timer().isActive());
}

} // namespace
} // namespace qm::ui
