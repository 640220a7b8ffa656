// The window starting, its shortcuts, the game and printer wiring, and as
// assistive technology sees it. Input is in the window script.

#include "ui/UiTestSupport.h"

#include "ui/commands/PrintTape.h"
#include "ui/mainwindow/ShortcutsWindow.h"
#include "ui/platform/RegionalSettings.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QMenu>
#include <QPrinterInfo>
#include <QTableWidget>

#include <algorithm>

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

// Every shortcut is given once, none takes a line's own keys (the undo keys
// belong to the tape's Undo and Redo, whichever line has the focus), and F1
// lists each once.
TEST(DesktopMenus, ShortcutsNeverClashAndF1ListsEachOnce)
{
    auto w = editingWindow();
    const QList<QKeySequence> lineKeys = {QKeySequence::Copy, QKeySequence::Paste, QKeySequence::Cut,
                                          QKeySequence::SelectAll};
    const QList<QKeySequence> undoKeys = {QKeySequence::Undo, QKeySequence::Redo, QKeySequence(Qt::CTRL | Qt::Key_Y),
                                          QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)};
    QList<QAction*> all = w->actions();
    for (QAction* a : w->menuBar()->actions())
        if (a->menu())
            all += a->menu()->actions();
    QSet<QString> seen;
    QStringList listedKeys;
    for (const QAction* a : all) {
        const QString caption = a->text().remove(QLatin1Char('&'));
        QStringList keys;
        for (const QKeySequence& k : a->shortcuts()) {
            EXPECT_FALSE(seen.contains(k.toString())) << "twice: " << k.toString().toStdString();
            seen.insert(k.toString());
            EXPECT_FALSE(lineKeys.contains(k)) << caption.toStdString();
            if (undoKeys.contains(k)) {
                EXPECT_TRUE(caption == QStringLiteral("Undo") || caption == QStringLiteral("Redo")) << caption.toStdString();
            }
            keys << k.toString(QKeySequence::NativeText);
        }
        if (!keys.isEmpty())
            listedKeys << keys.join(QStringLiteral(", "));
    }
    for (const char* expected : {"Ctrl+Shift+C", "Ctrl+Shift+V", "Ctrl+Shift+O", "Ctrl+Shift+Del", "F1", "Ctrl+Q"})
        EXPECT_TRUE(seen.contains(QString::fromLatin1(expected))) << expected;
    EXPECT_GE(listedKeys.size(), 10);

    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1);
    auto* shortcuts = w->findChild<ShortcutsWindow*>();
    ASSERT_NE(shortcuts, nullptr);
    EXPECT_TRUE(shortcuts->isVisible());
    EXPECT_EQ(shortcuts->windowTitle(), QStringLiteral("Keyboard Shortcuts"));
    QStringList keyColumn;
    for (int r = 0; r < shortcuts->table()->rowCount(); ++r)
        if (const QTableWidgetItem* i = shortcuts->table()->item(r, 0))
            keyColumn << i->text();
    for (const QString& keys : listedKeys)
        EXPECT_EQ(keyColumn.count(keys), 1) << keys.toStdString();
    EXPECT_TRUE(keyColumn.contains(QStringLiteral("Enter")));
    // A second F1 brings the same window forward.
    w->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1);
    EXPECT_EQ(w->findChildren<ShortcutsWindow*>().size(), 1);
    shortcuts->close();

}

TEST(MenuCommands, MissingPrinterIsReportedAndChangesNothing)
{
    if (!QPrinterInfo::defaultPrinter().isNull())
        GTEST_SKIP() << "a default printer is set up here; the command would really print";
    auto w = shownWindow();
    setTape(*w, tapeOf({{'+', dec("12")}, {'+', dec("3")}}));
    MessageAnswerer answerer;
    menuItem(*w, "Print Calculation...")->trigger();
    EXPECT_EQ(answerer.seen, 1);
    EXPECT_EQ(answerer.text, printFailureText(QStringLiteral("no default printer is set up.")));
    EXPECT_EQ(answerer.title, QStringLiteral("Quillmate"));
    EXPECT_EQ(total(*w), "15");
}

bool interactive(QAccessibleInterface* a)
{
    static const QSet<QAccessible::Role> roles = {
        QAccessible::Button,   QAccessible::EditableText, QAccessible::ScrollBar,
        QAccessible::MenuItem, QAccessible::CheckBox,     QAccessible::RadioButton,
        QAccessible::ComboBox, QAccessible::Slider,       QAccessible::SpinBox,
        QAccessible::Link,     QAccessible::PageTab};
    if (roles.contains(a->role()) || a->state().focusable)
        return true;
    const QAccessibleActionInterface* actions = a->actionInterface();
    return actions && actions->actionNames().contains(QAccessibleActionInterface::pressAction());
}

struct Walk {
    QStringList unnamed;
    QList<QAccessibleInterface*> named;
    void visit(QAccessibleInterface* a, const QString& path, int depth = 0)
    {
        if (!a || !a->isValid() || a->state().invisible || depth > 20)
            return;
        const QString name = a->text(QAccessible::Name);
        const QString here = path + QStringLiteral("/") + QString::number(a->role(), 16);
        if (interactive(a)) {
            if (name.trimmed().isEmpty())
                unnamed << here + QStringLiteral(" ") + (a->object() ? a->object()->objectName() : QString());
            else
                named << a;
        }
        for (int i = 0; i < a->childCount(); ++i)
            visit(a->child(i), here, depth + 1);
    }
    bool has(const QString& name, QAccessible::Role role) const
    {
        return std::any_of(named.begin(), named.end(),
                           [&](QAccessibleInterface* a) { return a->text(QAccessible::Name) == name && a->role() == role; });
    }
};

TEST(AccessibilityWalk, EveryElementNamedAndTabTakesTheTapeAsOneStopThenTheButtonsInScreenOrder)
{
    auto w = editingWindow();
    Walk walk;
    walk.visit(QAccessible::queryAccessibleInterface(w.get()), QStringLiteral("window"));
    EXPECT_TRUE(walk.unnamed.isEmpty()) << walk.unnamed.join(QLatin1Char('\n')).toStdString();
    // What is there: menus, the 15 rows with their operators, the pads, total and bar.
    EXPECT_GE(walk.named.size(), 15 * 2 + 21 + 1 + 3 + 24 + 5 + 2);
    const std::pair<const char*, QAccessible::Role> expected[] = {
        {"Options", QAccessible::MenuItem}, {"Grand total", QAccessible::EditableText},
        {"Tape scroll bar", QAccessible::ScrollBar}, {"Line 15", QAccessible::EditableText},
        {"CA", QAccessible::Button}, {"Edit", QAccessible::Button}, {"Sin", QAccessible::Button}};
    for (const auto& [name, role] : expected)
        EXPECT_TRUE(walk.has(QString::fromLatin1(name), role)) << name;

    // Tab leaves the tape in one step for the buttons, in the order the
    // screen shows them, and comes back to the line being edited.
    row(*w, 3)->setFocus();
    QStringList stops;
    do {
        pressKey(Qt::Key_Tab);
        stops << QApplication::focusWidget()->accessibleName();
    } while (stops.size() < 60 && !qobject_cast<TapeLineBox*>(QApplication::focusWidget()));
    ASSERT_GE(stops.size(), 50);
    EXPECT_EQ(stops.mid(0, 43).join(QLatin1Char(' ')),
              "CA C Del Pi % +/- + 7 8 9 - 4 5 6 x 1 2 3 / 0 . ^ M= M+ MR Exp Log Sqr Sin Cos Tan Cot Csc Sec "
              "Asin Acos Atan Fix Int Roun Svol Kilo Ibs");
    EXPECT_EQ(QApplication::focusWidget(), row(*w, 3));
    EXPECT_EQ(stops.at(stops.size() - 2), totalBox(*w)->accessibleName());
    EXPECT_EQ(stops.at(stops.size() - 3), QStringLiteral("Edit"));
    pressKey(Qt::Key_Backtab, QString(), Qt::ShiftModifier);
    EXPECT_EQ(QApplication::focusWidget(), totalBox(*w));
    pressKey(Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), row(*w, 3));
}

} // namespace
} // namespace qm::ui
