#pragma once
// Shared by the editing tests: a shown, active main window of the design size
// with English separators, and keys sent the way a keyboard sends them (the
// key down to the focused box, the key up to whichever box has the focus
// after it).

#include "core/number/TextForm.h"
#include "ui/controls/EzyVerticalScroll.h"
#include "ui/controls/SuperButton.h"
#include "ui/tape/EntryBox.h"
#include "ui/tape/RollingCaculator.h"

#include <QApplication>
#include <QMenuBar>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace qm::ui::test {

inline std::unique_ptr<Rolling_Caculator> editingWindow()
{
    auto w = std::make_unique<Rolling_Caculator>();
    w->settings.regional = Regional{'.', ',', 3};
    w->CalC_Button[10]->setCaption(QStringLiteral("."));
    w->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(w.get()));
    w->resize(671, 466 + w->menuBar()->height());
    w->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(w.get()));
    if (!w->Activated)
        w->Form_Activate();
    QCoreApplication::processEvents();
    EXPECT_EQ(w->LastRow, 16);
    w->CalAmount[0]->setFocus(Qt::OtherFocusReason);
    EXPECT_EQ(w->CurrentRow, 0);
    return w;
}

inline Qt::Key qtKeyOf(char c)
{
    if (c >= '0' && c <= '9')
        return static_cast<Qt::Key>(Qt::Key_0 + (c - '0'));
    if (c >= 'A' && c <= 'Z')
        return static_cast<Qt::Key>(Qt::Key_A + (c - 'A'));
    if (c >= 'a' && c <= 'z')
        return static_cast<Qt::Key>(Qt::Key_A + (c - 'a'));
    switch (c) {
    case '.': return Qt::Key_Period;
    case ',': return Qt::Key_Comma;
    case '+': return Qt::Key_Plus;
    case '-': return Qt::Key_Minus;
    case '*': return Qt::Key_Asterisk;
    case '/': return Qt::Key_Slash;
    case '(': return Qt::Key_ParenLeft;
    case '%': return Qt::Key_Percent;
    case ' ': return Qt::Key_Space;
    case '\r': return Qt::Key_Return;
    default: return Qt::Key_unknown;
    }
}

// One key: down and character to the focused widget, up to the one focused then.
inline void pressKey(Qt::Key key, const QString& text = QString(),
                     Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QWidget* target = QApplication::focusWidget();
    ASSERT_NE(target, nullptr);
    QTest::sendKeyEvent(QTest::Press, target, key, text, modifiers);
    target = QApplication::focusWidget();
    ASSERT_NE(target, nullptr);
    QTest::sendKeyEvent(QTest::Release, target, key, text, modifiers);
}

inline void typeChar(char c) { pressKey(qtKeyOf(c), QString(QChar::fromLatin1(c))); }

inline void typeText(const std::string& s)
{
    for (char c : s)
        typeChar(c);
}

inline std::string shown(const Value& v) { return plainText(v, '.'); }

inline std::string lineText(const Rolling_Caculator& w, int line)
{
    return shown(w.tape.TapeValue.at(static_cast<std::size_t>(line)));
}

inline QString total(const Rolling_Caculator& w) { return w.TotalAmount->text(); }

inline int focusedRow(const Rolling_Caculator& w)
{
    for (int j = 0; j < w.CalAmount.size(); ++j)
        if (w.CalAmount[j]->hasFocus())
            return j;
    return -1;
}

} // namespace qm::ui::test
