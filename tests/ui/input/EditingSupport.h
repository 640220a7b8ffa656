#pragma once
// Shared by the editing tests: a shown, active main window of the design size
// with English separators, and keys sent the way a keyboard sends them (the
// key down to the focused box, the key up to whichever box has the focus
// after it).

#include "ui/controls/EzyVerticalScroll.h"
#include "ui/controls/SuperButton.h"
#include "ui/tape/EntryBox.h"
#include "ui/tape/WindowTestSupport.h"

namespace qm::ui::test {

inline std::unique_ptr<Rolling_Caculator> editingWindow()
{
    auto w = shownWindow();
    w->CalC_Button[10]->setCaption(QStringLiteral("."));
    w->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(w.get()));
    if (!w->Activated)
        w->Form_Activate();
    EXPECT_EQ(w->LastRow, 16);
    w->CalAmount[0]->setFocus(Qt::OtherFocusReason);
    return w;
}

// One key: down and character to the focused widget, up to the one focused then.
inline void pressKey(Qt::Key key, const QString& text = QString())
{
    for (auto action : {QTest::Press, QTest::Release}) {
        QWidget* target = QApplication::focusWidget();
        ASSERT_NE(target, nullptr);
        QTest::sendKeyEvent(action, target, key, text, Qt::NoModifier);
    }
}

inline void typeText(const std::string& s)
{
    for (char c : s) {
        Qt::Key key = Qt::Key_unknown;
        if (c >= '0' && c <= '9')
            key = static_cast<Qt::Key>(Qt::Key_0 + (c - '0'));
        else if (c >= 'A' && c <= 'Z')
            key = static_cast<Qt::Key>(Qt::Key_A + (c - 'A'));
        else if (c >= 'a' && c <= 'z')
            key = static_cast<Qt::Key>(Qt::Key_A + (c - 'a'));
        else if (c == '\r')
            key = Qt::Key_Return;
        else
            key = static_cast<Qt::Key>(static_cast<unsigned char>(c));   // Qt's keys for ASCII marks are their codes
        pressKey(key, QString(QChar::fromLatin1(c)));
    }
}

inline void click(SuperButton* b) { QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(10, 10)); }

inline std::string lineText(const Rolling_Caculator& w, int line)
{
    return shown(w.tape.TapeValue.at(static_cast<std::size_t>(line)));
}

inline QString total(const Rolling_Caculator& w) { return w.TotalAmount->text(); }

inline int focusedRow(const Rolling_Caculator& w)
{
    for (int j = 0; j < w.CalAmount.size(); ++j) {
        if (w.CalAmount[j]->hasFocus())
            return j;
    }
    return -1;
}

} // namespace qm::ui::test
