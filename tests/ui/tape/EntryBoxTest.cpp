// The tape's entry box: key events in their order, handlers that cancel or
// replace a key.

#include "ui/tape/EntryBox.h"

#include "ui/tape/WindowTestSupport.h"

#include <vector>

namespace qm::ui {
namespace {

// Records the events of box 4 as "down:CODE/SHIFT", "press:ASCII", "up:CODE".
struct Recorder {
    EntryBox box{4};
    std::vector<std::string> events;
    int cancelPressOf = -1, replacePressOf = -1, cancelDownOf = -1;

    Recorder()
    {
        box.onKeyDown = [this](int index, int& code, int shift) {
            EXPECT_EQ(index, 4);
            events.push_back("down:" + std::to_string(code) + "/" + std::to_string(shift));
            if (code == cancelDownOf)
                code = 0;
        };
        box.onKeyPress = [this](int, int& ascii) {
            events.push_back("press:" + std::to_string(ascii));
            ascii = ascii == cancelPressOf ? 0 : ascii == replacePressOf ? 'X' : ascii;
        };
        box.onKeyUp = [this](int, int& code, int) { events.push_back("up:" + std::to_string(code)); };
        box.show();
        box.setFocus();
    }
};

TEST(EntryBox, KeysGiveDownPressUpAndHandlersCancelOrReplaceThem)
{
    Recorder r;
    QTest::keyClick(&r.box, Qt::Key_7);
    QTest::keyClick(&r.box, Qt::Key_7, Qt::KeypadModifier);   // the numeric keypad's 7
    QTest::keyClick(&r.box, Qt::Key_Up);   // no character: no press
    EXPECT_EQ(r.events, (std::vector<std::string>{"down:55/0", "press:55", "up:55", "down:103/0",
                                                  "press:55", "up:103", "down:38/0", "up:38"}));
    EXPECT_EQ(r.box.text(), "77");

    r.box.clear();
    r.cancelPressOf = '5';
    r.replacePressOf = '+';
    QTest::keyClicks(&r.box, QStringLiteral("45+6"));
    EXPECT_EQ(r.box.text(), "4X6");
    // A key code set to 0 stops a key that types nothing.
    r.cancelDownOf = 37;   // Left
    QTest::keyClick(&r.box, Qt::Key_Left);
    EXPECT_EQ(r.box.cursorPosition(), 3);
    r.cancelDownOf = -1;
    QTest::keyClick(&r.box, Qt::Key_Left);
    EXPECT_EQ(r.box.cursorPosition(), 2);
}

} // namespace
} // namespace qm::ui
