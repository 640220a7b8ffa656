// The window as a desktop program: the menus' access keys and captions, the
// shortcuts of the whole-tape commands beside a tape line's own keys, the
// Keyboard Shortcuts window, About, and quitting with Ctrl+Q.

#include "ui/mainwindow/MainWindowSupport.h"

#include "ui/mainwindow/AboutText.h"
#include "ui/mainwindow/ShortcutsWindow.h"
#include "ui/platform/Clipboard.h"

#include <QAction>
#include <QMenu>
#include <QTableWidget>
#include <QMap>
#include <QTemporaryDir>

namespace qm::ui {
namespace {

using namespace test;

QList<QMenu*> menus(const MainWindow& w)
{
    QList<QMenu*> list;
    for (QAction* a : w.menuBar()->actions())
        if (a->menu())
            list << a->menu();
    return list;
}

QAction* item(const MainWindow& w, const QString& caption)
{
    for (QMenu* m : menus(w))
        for (QAction* a : m->actions())
            if (a->text().section(QLatin1Char('\t'), 0, 0).remove(QLatin1Char('&')) == caption)
                return a;
    ADD_FAILURE() << "no menu item " << caption.toStdString();
    return nullptr;
}

// The caption a menu item shows, without its access key's mark and the key
// column (where the Decimals items show theirs).
QString caption(const QAction* a) { return a->text().section(QLatin1Char('\t'), 0, 0).remove(QLatin1Char('&')); }

// The access keys themselves are checked, in both languages, by the
// translation test's walk of every menu.
TEST(DesktopMenus, DocumentedCaptionsInTheirOrder)
{
    auto w = shownWindow();
    const QStringList expected[] = {
        {"Options", "Clear All...", "Open Calculation...", "Save Calculation...", "Copy Numbers...",
         "Paste Numbers...", "Copy Tape", "Sort Numbers...", "Print Calculation...", "Print Preview...",
         "Print...", "Export PDF...", "Export CSV...", "Quit"},
        {"Decimals", "0", "0.0", "0.00", "0.000", "0.0000", "0.00000", "0.000000", "Variable"},
        {"Total", "Numbers...", "Average...", "Mean...", "Mode..."},
        {"Games", "Start Nixie Invaders...", "Start Nixie Blaster..."},
        {"Help", "Keyboard Shortcuts", "About Quillmate"},
    };
    QMap<QString, QStringList> captions;
    QStringList order;
    for (const QMenu* menu : menus(*w)) {
        const QString title = menu->title().remove(QLatin1Char('&'));
        order << title;
        for (const QAction* a : menu->actions())
            if (!a->isSeparator())
                captions[title] << caption(a);
    }
    // The documented captions, letter for letter, in the documented order; Help last.
    int previous = -1;
    for (const QStringList& menu : expected) {
        EXPECT_EQ(captions.value(menu.front()), menu.mid(1)) << menu.front().toStdString();
        const int at = static_cast<int>(order.indexOf(menu.front()));
        EXPECT_GT(at, previous) << menu.front().toStdString();
        previous = at;
    }
    EXPECT_EQ(order.back(), QStringLiteral("Help"));
}

TEST(DesktopMenus, AltAndTheLetterOpensTheMenu)
{
    auto w = editingWindow();
    const struct { Qt::Key key; const char* menu; } rows[] = {
        {Qt::Key_O, "Options"}, {Qt::Key_D, "Decimals"}, {Qt::Key_T, "Total"},
        {Qt::Key_G, "Games"},   {Qt::Key_H, "Help"},
    };
    for (const auto& r : rows) {
        QTest::keyClick(QApplication::focusWidget(), r.key, Qt::AltModifier);
        auto* open = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(open, nullptr) << r.menu;
        EXPECT_EQ(open->title().remove(QLatin1Char('&')), QString::fromLatin1(r.menu));
        open->close();
        QCoreApplication::processEvents();
        w->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
    }
}

// Ctrl+Shift runs the whole-tape command; the same letter without Shift stays
// the line's own copy, paste or select-all.
TEST(DesktopMenus, TapeCommandShortcutsBesideTheLineKeys)
{
    auto w = editingWindow();
    setTape(*w, tapeOf({{'+', dec("5")}, {'+', dec("-3")}, {'+', dec("2")}}));
    row(*w, 0)->setFocus();
    QCoreApplication::processEvents();
    auto keys = [](Qt::Key k, Qt::KeyboardModifiers mods) { QTest::keyClick(QApplication::focusWidget(), k, mods); };

    setClipboardText(QStringLiteral("untouched"));
    keys(Qt::Key_A, Qt::ControlModifier);   // the line's select-all
    keys(Qt::Key_C, Qt::ControlModifier);   // the line's copy: only its text
    EXPECT_EQ(clipboardText(), QStringLiteral("5"));
    keys(Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);   // Copy Numbers: every line
    EXPECT_EQ(clipboardText(), QStringLiteral("5\r\n-3\r\n2"));   // not the rows' padding


    setClipboardText(QStringLiteral("7\r\n8"));
    row(*w, 1)->setFocus();
    QCoreApplication::processEvents();
    keys(Qt::Key_V, Qt::ControlModifier);   // the line's paste: into line 2 only
    EXPECT_EQ(lineText(*w, 0), "5");
    EXPECT_EQ(lineText(*w, 2), "2");
    keys(Qt::Key_Delete, Qt::ControlModifier | Qt::ShiftModifier);   // Clear All
    EXPECT_TRUE(total(*w).isEmpty());
    EXPECT_EQ(focusedRow(*w), 0);
}

TEST(DesktopMenus, ShortcutsNeverClashWithALinesKeys)
{
    auto w = shownWindow();
    const QList<QKeySequence> lineKeys = {
        QKeySequence::Copy, QKeySequence::Paste, QKeySequence::Cut, QKeySequence::SelectAll};
    // The undo keys belong to the tape's Undo and Redo, whichever line has the focus.
    const QList<QKeySequence> undoKeys = {QKeySequence::Undo, QKeySequence::Redo, QKeySequence(Qt::CTRL | Qt::Key_Y),
                                          QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)};
    QSet<QString> seen;
    QList<QAction*> all;
    for (QMenu* m : menus(*w))
        all += m->actions();
    all += w->actions();
    for (const QAction* a : all) {
        for (const QKeySequence& k : a->shortcuts()) {
            const QString text = k.toString();
            EXPECT_FALSE(seen.contains(text)) << "twice: " << text.toStdString();
            seen.insert(text);
            for (const QKeySequence& line : lineKeys)
                EXPECT_NE(k, line) << a->text().toStdString();
            const QString caption = a->text().remove(QLatin1Char('&'));
            if (undoKeys.contains(k)) {
                EXPECT_TRUE(caption == QStringLiteral("Undo") || caption == QStringLiteral("Redo")) << text.toStdString();
            }
        }
    }
    for (const char* expected : {"Ctrl+Shift+C", "Ctrl+Shift+V", "Ctrl+Shift+O", "Ctrl+Shift+Del", "F1", "Ctrl+Q"})
        EXPECT_TRUE(seen.contains(QString::fromLatin1(expected))) << expected;
}

TEST(DesktopHelp, F1ListsEveryShortcutOnce)
{
    auto w = editingWindow();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1);
    auto* shortcuts = w->findChild<ShortcutsWindow*>();
    ASSERT_NE(shortcuts, nullptr);
    EXPECT_TRUE(shortcuts->isVisible());
    EXPECT_EQ(shortcuts->windowTitle(), QStringLiteral("Keyboard Shortcuts"));

    QStringList keyColumn;
    for (int r = 0; r < shortcuts->table()->rowCount(); ++r)
        if (const QTableWidgetItem* i = shortcuts->table()->item(r, 0))
            keyColumn << i->text();
    QList<QAction*> all;
    for (QMenu* m : menus(*w))
        all += m->actions();
    all += w->actions();
    int listed = 0;
    for (const QAction* a : all) {
        if (a->shortcut().isEmpty())
            continue;
        QStringList keys;
        for (const QKeySequence& k : a->shortcuts())
            keys << k.toString(QKeySequence::NativeText);
        EXPECT_EQ(keyColumn.count(keys.join(QStringLiteral(", "))), 1) << a->text().toStdString();
        ++listed;
    }
    EXPECT_GE(listed, 10);
    EXPECT_TRUE(keyColumn.contains(QStringLiteral("Enter")));

    // A second F1 brings the same window forward.
    w->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1);
    EXPECT_EQ(w->findChildren<ShortcutsWindow*>().size(), 1);
    shortcuts->close();
}

TEST(DesktopHelp, AboutNamesVersionLicenceAndQt)
{
    auto w = shownWindow();
    MessageCatcher catcher;
    item(*w, QStringLiteral("About Quillmate"))->trigger();
    EXPECT_EQ(catcher.seen, 1);
    EXPECT_EQ(catcher.title, QStringLiteral("About Quillmate"));
    EXPECT_TRUE(catcher.text.contains(QStringLiteral("Quillmate 8.1"))) << catcher.text.toStdString();
    EXPECT_EQ(programVersion(), QStringLiteral("8.1"));
    EXPECT_TRUE(catcher.text.contains(QStringLiteral("MIT"))) << catcher.text.toStdString();
    EXPECT_TRUE(catcher.text.contains(QString::fromLatin1(qVersion()))) << catcher.text.toStdString();
    EXPECT_TRUE(catcher.text.contains(QStringLiteral("rolling tape"))) << catcher.text.toStdString();
}

TEST(DesktopHelp, CtrlQClosesTheWindowAndWritesTheSettings)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString settings = dir.filePath(QStringLiteral("quit settings.cal"));
    auto w = shownWindow(466, settings);
    w->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
    ASSERT_FALSE(QFile::exists(settings));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Q, Qt::ControlModifier);
    EXPECT_FALSE(w->isVisible());
    EXPECT_TRUE(QFile::exists(settings));
    EXPECT_GT(QFileInfo(settings).size(), 0);
}

} // namespace
} // namespace qm::ui
