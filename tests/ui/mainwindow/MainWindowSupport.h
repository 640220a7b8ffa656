#pragma once
// Shared by the main-window tests: an active window of the design size with
// English separators, its parts found by name, and keys and taps sent the way
// a keyboard and a mouse send them.

#include "ui/controls/EzyVerticalScroll.h"
#include "ui/controls/SuperButton.h"
#include "ui/game/GameController.h"
#include "ui/mainwindow/TapeLineBox.h"
#include "ui/tape/EntryBox.h"
#include "ui/tape/WindowTestSupport.h"

#include <QAction>

namespace qm::ui::test {

inline std::unique_ptr<MainWindow> editingWindow(int height = 466)
{
    auto w = shownWindow(height);
    w->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(w.get()));
    EXPECT_EQ(w->editor().lastRow(), 14);   // rows 0..14 fit the design's interior
    return w;
}

template <class T>
T* part(const MainWindow& w, const QString& name)
{
    T* found = w.findChild<T*>(name);
    EXPECT_NE(found, nullptr) << name.toStdString();
    return found;
}

inline TapeLineBox* row(const MainWindow& w, int j) { return part<TapeLineBox>(w, QStringLiteral("row%1").arg(j)); }
inline SuperButton* operatorButton(const MainWindow& w, int j)
{
    return part<SuperButton>(w, QStringLiteral("operator%1").arg(j));
}
inline SuperButton* key(const MainWindow& w, KeypadKey k)
{
    return part<SuperButton>(w, QStringLiteral("keypad%1").arg(static_cast<int>(k)));
}
inline SuperButton* digit(const MainWindow& w, int d) { return key(w, static_cast<KeypadKey>(d)); }
inline SuperButton* functionButton(const MainWindow& w, int k)
{
    return part<SuperButton>(w, QStringLiteral("function%1").arg(k));
}
inline EntryBox* totalBox(const MainWindow& w) { return part<EntryBox>(w, QStringLiteral("total")); }
inline QString total(const MainWindow& w) { return totalBox(w)->text(); }

// One key: down and up to whichever widget has the focus at that moment.
inline void pressKey(Qt::Key k, const QString& text = QString(), Qt::KeyboardModifiers mods = Qt::NoModifier)
{
    for (auto action : {QTest::Press, QTest::Release}) {
        QWidget* target = QApplication::focusWidget();
        ASSERT_NE(target, nullptr);
        QTest::sendKeyEvent(action, target, k, text, mods);
    }
}

inline void typeText(const std::string& s)
{
    for (char c : s) {
        Qt::Key k = Qt::Key_unknown;
        if (c >= '0' && c <= '9')
            k = static_cast<Qt::Key>(Qt::Key_0 + (c - '0'));
        else if ((c | 0x20) >= 'a' && (c | 0x20) <= 'z')
            k = static_cast<Qt::Key>(Qt::Key_A + ((c | 0x20) - 'a'));
        else if (c == '\r')
            k = Qt::Key_Return;
        else
            k = static_cast<Qt::Key>(static_cast<unsigned char>(c));   // Qt's keys for ASCII marks are their codes
        pressKey(k, QString(QChar::fromLatin1(c)));
    }
}

inline void click(QWidget* b) { QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(10, 10)); }

inline std::string lineText(const MainWindow& w, std::size_t line)
{
    return shown(w.editor().tape().TapeValue.at(line));
}

inline int focusedRow(const MainWindow& w)
{
    auto* box = qobject_cast<TapeLineBox*>(QApplication::focusWidget());
    return box && w.isAncestorOf(box) ? box->row() : -1;
}

// A tape for the window, as opening a file gives one.
inline void setTape(MainWindow& w, const Tape& t)
{
    w.editor().replaceTape(t);
    w.refresh();
}

// Nixie Invaders started in the window, asking no name, its clock stopped
// after the first tick: the test plays the clock.
inline GameController* startedGame(MainWindow& w)
{
    GameController* game = w.gameController();
    game->setNamePrompt([](QWidget*) { return QString(); });
    game->startGame(GameKind::Invaders);
    game->timer().stop();
    game->tick();
    return game;
}

// The menu item with this caption, without its access key and key column.
inline QAction* menuItem(const MainWindow& w, const QString& caption)
{
    for (QAction* a : w.menuBar()->findChildren<QAction*>()) {
        if (a->text().section(QLatin1Char('\t'), 0, 0).remove(QLatin1Char('&')) == caption)
            return a;
    }
    ADD_FAILURE() << "no menu item " << caption.toStdString();
    return nullptr;
}

} // namespace qm::ui::test
