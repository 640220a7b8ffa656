// The window's menus: captions, tape commands run from them (their rules are
// tested in core), shortcuts, the Keyboard Shortcuts window and About.

#include "ui/UiTestSupport.h"

#include "ui/commands/PrintTape.h"
#include "ui/mainwindow/ShortcutsWindow.h"
#include "ui/platform/Clipboard.h"

#include <QMenu>
#include <QPrinterInfo>
#include <QTableWidget>

namespace qm::ui {
namespace {

using namespace test;

// Every shortcut is given once, none takes a line's own keys (the undo keys
// belong to the tape's Undo and Redo, whichever line has the focus), and F1
// lists each once. About names the version, the licence and Qt; the captions
// are checked with their translation.
TEST(DesktopMenus, ShortcutsNeverClashF1ListsEachOnceAndAboutNamesTheVersion)
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

    MessageAnswerer answerer;
    menuItem(*w, "About Quillmate")->trigger();
    EXPECT_EQ(answerer.seen, 1);
    EXPECT_EQ(answerer.title, QStringLiteral("About Quillmate"));
    for (const QString& part : {QStringLiteral("Quillmate ") + QLatin1String(ProgramVersion), QStringLiteral("MIT"),
                                QString::fromLatin1(qVersion()), QStringLiteral("rolling tape")})
        EXPECT_TRUE(answerer.text.contains(part)) << part.toStdString() << " in " << answerer.text.toStdString();
}

TEST(MenuCommands, APasteCutOffAtTheTapesLimitSaysHowMuchWentIn)
{
    auto w = shownWindow();   // the shown rows, then 32001 lines beyond them
    MessageAnswerer answerer;
    setClipboardText(QStringLiteral("1\r\n").repeated(33000) + QStringLiteral("1"));
    menuItem(*w, "Paste Numbers...")->trigger();
    const int pasted = w->editor().lastRow() + 1 + 32001;
    EXPECT_EQ(answerer.seen, 1);
    EXPECT_EQ(answerer.text, QStringLiteral("The tape is full: %1 of 33001 lines were pasted.").arg(pasted));
    EXPECT_EQ(answerer.title, QStringLiteral("Quillmate"));   // the program's name, short enough for the box
    EXPECT_EQ(total(*w), QString::number(pasted));
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

} // namespace
} // namespace qm::ui
