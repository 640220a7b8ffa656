// The window starting, following resizes, drawing rows, and forwarding every
// input to the session. The editing rules themselves are tested in core.

#include "ui/controls/PixelImage.h"
#include "ui/mainwindow/MainWindowSupport.h"

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

TEST(EditingWiring, TypingReachesTheTapeAndTheTotal)
{
    auto w = editingWindow();
    typeText("12.5+2*");
    EXPECT_EQ(lineText(*w, 0), "12.5");
    EXPECT_EQ(lineText(*w, 1), "2");
    EXPECT_EQ(w->editor().tape().TapeOp[2], 'x');
    EXPECT_EQ(focusedRow(*w), 2);
    EXPECT_EQ(operatorButton(*w, 2)->caption(), "x");
    EXPECT_EQ(operatorButton(*w, 2)->renderColor(), 0x00FF00u);
    EXPECT_EQ(row(*w, 0)->text(), "12.5");
    typeText("4");
    EXPECT_EQ(total(*w), "58");
    // The current row is shaded, the others are plain.
    EXPECT_EQ(w->editor().row(2).background, 0xF9F9F9u);
    EXPECT_EQ(row(*w, 2)->palette().color(QPalette::Base), QColor(0xF9, 0xF9, 0xF9));
}

// Two quick taps as the window system delivers them: press, release, then
// a double click in place of the second press, and its release.
void quickPair(QWidget* target)
{
    const QPointF at(10, 10);
    for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease,
                              QEvent::MouseButtonDblClick, QEvent::MouseButtonRelease}) {
        const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
        QMouseEvent e(type, at, target->mapToGlobal(at), Qt::LeftButton, held, Qt::NoModifier);
        QApplication::sendEvent(target, &e);
    }
}

TEST(EditingWiring, ButtonsNeverTakeTheTyping)
{
    auto w = editingWindow();
    typeText("2+");
    click(operatorButton(*w, 1));   // + becomes -
    typeText("5");
    EXPECT_EQ(w->editor().tape().TapeOp[1], '-');
    EXPECT_EQ(lineText(*w, 1), "5");
    click(key(*w, KeypadKey::Percent));
    typeText("5");
    EXPECT_EQ(row(*w, 1)->text(), "5%5");
    EXPECT_EQ(focusedRow(*w), 1);

    // Tab reaches a button; a digit typed there still goes to the line, and
    // Space presses the button.
    row(*w, 3)->setFocus(Qt::TabFocusReason);
    SuperButton* op = operatorButton(*w, 4);
    op->setFocus(Qt::TabFocusReason);
    ASSERT_TRUE(op->hasFocus());
    pressKey(Qt::Key_7, QStringLiteral("7"));
    EXPECT_EQ(lineText(*w, 3), "7");
    EXPECT_EQ(w->editor().tape().TapeOp[4], '+');
    op->setFocus(Qt::TabFocusReason);
    pressKey(Qt::Key_Space, QStringLiteral(" "));
    EXPECT_EQ(w->editor().tape().TapeOp[4], '-');
}

TEST(EditingWiring, PasteCutAndTheContextMenuGoThroughTheTape)
{
    auto w = editingWindow();
    typeText("1");
    QApplication::clipboard()->setText(QStringLiteral("77"));
    pressKey(Qt::Key_V, QString(), Qt::ControlModifier);
    EXPECT_EQ(lineText(*w, 0), "177");
    EXPECT_EQ(total(*w), "177");
    pressKey(Qt::Key_A, QString(), Qt::ControlModifier);
    QApplication::clipboard()->setText(QStringLiteral("untouched"));
    pressKey(Qt::Key_C, QString(), Qt::ControlModifier);   // the line's copy: only its text
    EXPECT_EQ(QApplication::clipboard()->text(), "177");
    QApplication::clipboard()->clear();
    pressKey(Qt::Key_X, QString(), Qt::ControlModifier);
    EXPECT_EQ(lineText(*w, 0), "0");
    EXPECT_EQ(QApplication::clipboard()->text(), "177");

    // The box's own menu: Paste there is a change of the line like typing.
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

// The keypad's decimal key types the regional separator; two quick taps
// each count.
TEST(EditingWiring, KeypadKeysAndQuickTapsReachTheLine)
{
    auto w = editingWindow();
    pressKey(Qt::Key_7, QStringLiteral("7"), Qt::KeypadModifier);
    pressKey(Qt::Key_Comma, QStringLiteral(","), Qt::KeypadModifier);
    quickPair(digit(*w, 1));
    quickPair(digit(*w, 1));
    EXPECT_EQ(lineText(*w, 0), "7.1111");
    quickPair(operatorButton(*w, 1));
    EXPECT_EQ(w->editor().tape().TapeOp[1], 'x');   // + - x: two steps
}

TEST(EditingWiring, WheelBarAndPageKeysScrollAtOnce)
{
    auto w = editingWindow();
    Tape t;
    t.resize(200);
    for (std::size_t i = 0; i < t.size(); ++i)
        t.TapeValue[i] = dec(std::to_string(i + 1));
    setTape(*w, t);
    auto* bar = part<EzyVerticalScroll>(*w, "tapeScrollBar");
    const int shown = w->editor().lastRow() + 1;

    // Three lines a notch over a row or over the bar; the small steps of a
    // high-resolution wheel add up to whole lines.
    const struct { bool overBar; int delta, times, firstLine; } wheels[] = {
        {false, -120, 1, 3}, {true, -120, 2, 9}, {false, 40, 1, 8}, {true, -20, 5, 10}, {false, 120, 9, 0},
    };
    for (const auto& r : wheels) {
        turnWheel(r.overBar ? static_cast<QWidget*>(bar) : row(*w, 3), r.delta, r.times);
        EXPECT_EQ(w->editor().firstLine(), r.firstLine) << (r.overBar ? "bar " : "row ") << r.delta;
        EXPECT_EQ(bar->value(), r.firstLine);
    }

    // A click on the bar moves the tape at once: the down arrow by a line,
    // the track below the thumb by the shown rows.
    QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(15, bar->height() - 5));
    EXPECT_EQ(w->editor().firstLine(), 1);
    QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(15, bar->height() - 60));
    EXPECT_EQ(w->editor().firstLine(), 1 + shown);
    EXPECT_EQ(row(*w, 0)->text(), QString::number(2 + shown));   // line 1 + shown, counted from 1

    // Page Down and Page Up move the current line, and the tape, by a page.
    QTest::mouseClick(row(*w, 0), Qt::LeftButton);
    pressKey(Qt::Key_PageDown);
    EXPECT_EQ(w->editor().currentLine(), 1 + 2 * shown);
    EXPECT_EQ(w->editor().firstLine(), 1 + 2 * shown);
    EXPECT_EQ(bar->value(), 1 + 2 * shown);
    pressKey(Qt::Key_PageUp);
    EXPECT_EQ(w->editor().currentLine(), 1 + shown);
}

TEST(EditingWiring, PadsMemoryAndFunctions)
{
    auto w = editingWindow();
    click(functionButton(*w, 3));   // Sin
    EXPECT_EQ(row(*w, 0)->text(), "Sin()");
    EXPECT_EQ(row(*w, 0)->cursorPosition(), 4);
    // A selection made leftwards reaches the session with its anchor on the right.
    QTest::keyClick(row(*w, 0), Qt::Key_Left, Qt::ShiftModifier);
    EXPECT_EQ(w->editor().caret(), 3);
    EXPECT_EQ(w->editor().selectionAnchor(), 4);
    row(*w, 0)->setCursorPosition(4);
    click(digit(*w, 3));
    click(digit(*w, 0));
    EXPECT_EQ(lineText(*w, 0), "Sin(30)");
    click(part<SuperButton>(*w, "pi"));
    EXPECT_EQ(row(*w, 0)->text(), "3.14159265358979");
    click(part<SuperButton>(*w, "memoryStore"));
    EXPECT_EQ(part<QLabel>(*w, "memoryDisplay")->text(), "3.14159265358979");
    EXPECT_EQ(w->editor().row(0).background, 0xC0E0FFu);
    EXPECT_EQ(focusedRow(*w), 0);
    typeText("+");
    click(part<SuperButton>(*w, "memoryRecall"));
    EXPECT_EQ(row(*w, 1)->text(), "3.14159265358979");
    EXPECT_TRUE(total(*w).startsWith("6.28318530717958"));
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
