// The entry box: key down, then the typed character, and handlers that cancel
// either.

#include "ui/UiTestSupport.h"

#include <vector>

namespace qm::ui {
namespace {

TEST(EntryBox, KeysGiveDownThenPressAndHandlersCancelThem)
{
    EntryBox box{4};
    std::vector<std::string> events;
    int cancelPressOf = -1, cancelDownOf = -1;
    box.onKeyDown = [&](int index, int& code, int shift) {
        EXPECT_EQ(index, 4);
        events.push_back("down:" + std::to_string(code) + "/" + std::to_string(shift));
        if (code == cancelDownOf)
            code = 0;
    };
    box.onKeyPress = [&](int, int& ascii) {
        events.push_back("press:" + std::to_string(ascii));
        if (ascii == cancelPressOf)
            ascii = 0;
    };
    box.show();
    box.setFocus();

    QTest::keyClick(&box, Qt::Key_7);
    QTest::keyClick(&box, Qt::Key_7, Qt::KeypadModifier);   // the numeric keypad's 7
    QTest::keyClick(&box, Qt::Key_Up);   // no character: no press
    EXPECT_EQ(events, (std::vector<std::string>{"down:55/0", "press:55", "down:103/0", "press:55", "down:38/0"}));
    EXPECT_EQ(box.text(), "77");

    box.clear();
    cancelPressOf = '5';
    QTest::keyClicks(&box, QStringLiteral("456"));
    EXPECT_EQ(box.text(), "46");
    // A key code set to 0 stops a key that types nothing.
    cancelDownOf = 37;   // Left
    QTest::keyClick(&box, Qt::Key_Left);
    EXPECT_EQ(box.cursorPosition(), 2);
    cancelDownOf = -1;
    QTest::keyClick(&box, Qt::Key_Left);
    EXPECT_EQ(box.cursorPosition(), 1);
}

} // namespace
} // namespace qm::ui
