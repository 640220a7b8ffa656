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

// The line box's own menu: Paste there is a change of the line like typing.
TEST(EditingWiring, TheLinesContextMenuGoesThroughTheTape)
{
    auto w = editingWindow();
    QApplication::clipboard()->setText(QStringLiteral("42"));
    QStringList captions;
    QTimer::singleShot(0, [&captions] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(menu, nullptr);
        for (QAction* a : menu->actions())
            if (!a->isSeparator())
                captions << a->text();
        for (QAction* a : menu->actions())
            if (a->text() == QStringLiteral("&Paste"))
                a->trigger();
        menu->close();
    });
    QContextMenuEvent menuEvent(QContextMenuEvent::Mouse, QPoint(5, 5), row(*w, 0)->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(row(*w, 0), &menuEvent);
    EXPECT_EQ(captions, QStringList({"Cu&t", "&Copy", "&Paste", "Select &All", "&Note..."}));
    EXPECT_EQ(lineText(*w, 0), "42");
    EXPECT_EQ(total(*w), "42");
}

// A game keeps the input, and a dialog command holds its clock while open.
TEST(EditingWiring, TheGameKeepsItsInput)
{
    auto w = editingWindow();
    GameController* game = startedGame(*w);
    ASSERT_TRUE(totalBox(*w)->hasFocus());
    click(digit(*w, 9));   // 9 never appears: no hit, but the focus stays on the game
    EXPECT_TRUE(totalBox(*w)->hasFocus());
    EXPECT_EQ(lineText(*w, 0), "0");
    game->timer().start();
    bool heldWhileOpen = false;
    QTimer::singleShot(0, [&] {
        heldWhileOpen = !game->timer().isActive();
        for (QWidget* top : QApplication::topLevelWidgets())
            if (auto* dialog = qobject_cast<QDialog*>(top); dialog && dialog->isVisible())
                dialog->reject();
    });
    pressKey(Qt::Key_S, QString(), Qt::ControlModifier);
    EXPECT_TRUE(heldWhileOpen);
    EXPECT_TRUE(game->timer().isActive());
}

} // namespace
} // namespace qm::ui
