// Typing on the tape rows: what the boxes keep, what the lines store, where
// the focus goes and when the tape grows.

#include "ui/input/EditingSupport.h"

namespace qm::ui {
namespace {

using namespace test;

TEST(EditingKeyboard, TotalFollowsEveryKey)
{
    auto w = editingWindow();
    // "*" on an empty line multiplies by its 0 until a figure is typed.
    const struct { char key; const char* box; const char* total; int row; } steps[] = {
        {'1', "1", "1", 0},         {'2', "12", "12", 0},     {'.', "12.", "12", 0},
        {'5', "12.5", "12.5", 0},   {'+', "12.5", "12.5", 1}, {'2', "2", "14.5", 1},
        {'*', "2", "0", 2},         {'2', "2", "29", 2}};
    for (const auto& s : steps) {
        const int typedOn = w->CurrentRow;
        typeText(std::string(1, s.key));
        EXPECT_EQ(w->CalAmount[typedOn]->text(), s.box) << s.key;
        EXPECT_EQ(total(*w), s.total) << s.key;
        EXPECT_EQ(focusedRow(*w), s.row) << s.key;
    }
    EXPECT_EQ(w->tape.TapeOp[2], 'x');
    EXPECT_EQ(w->Op[2]->renderColor(), 0x00FF00u);
    // The current row is shaded, the others are plain.
    EXPECT_EQ(w->CalAmount[2]->backColor(), 0xF9F9F9u);
    EXPECT_EQ(w->CalAmount[0]->backColor(), 0xFFFFFFu);

    // The row left behind is re-formatted; "/" on the empty line divides by 0.
    w->settings.DecimalPlaces = 2;
    typeText("/");
    EXPECT_EQ(w->CalAmount[2]->text(), "2.00");
    EXPECT_EQ(w->Op[3]->caption(), "/");
    EXPECT_EQ(w->tape.TapeOp[3], '/');
    EXPECT_EQ(total(*w), "Error");
    typeText("3");
    EXPECT_EQ(total(*w), "9.67");   // 29 / 3
}

TEST(EditingKeyboard, WhatTheBoxRefusesKeepsAndStores)
{
    auto w = editingWindow();
    typeText("1.2.3a(% x");   // a second point, letters, brackets, "%" and blanks do nothing
    EXPECT_EQ(w->CalAmount[0]->text(), "1.23");
    typeText("H");   // "H" goes in; with no number the line keeps its value
    EXPECT_EQ(w->CalAmount[0]->text(), "1.23H");
    EXPECT_EQ(lineText(*w, 0), "1.23");
    // Thousands separators may be typed anywhere and are not stored.
    w->CalAmount[1]->setFocus(Qt::OtherFocusReason);
    typeText("1,234,5,,6.5");
    EXPECT_EQ(lineText(*w, 1), "123456.5");
    EXPECT_EQ(total(*w), "123457.73");

    // Releasing any key stores the line and colours a negative one.
    EntryBox* box = w->CalAmount[0];
    const struct { const char* text; Qt::Key key; const char* line; std::uint32_t colour; int caret; } keys[] = {
        {"-5", Qt::Key_End, "-5", 0x0000C0, 2}, {"5", Qt::Key_Left, "5", 0x000000, 0}, {"", Qt::Key_Home, "0", 0, 0}};
    box->setFocus(Qt::OtherFocusReason);
    for (const auto& k : keys) {
        box->setText(k.text);   // as pasted into the box
        pressKey(k.key);
        EXPECT_EQ(lineText(*w, 0), k.line);
        EXPECT_EQ(box->foreColor(), k.colour) << k.text;
        EXPECT_EQ(w->CaretPos, k.caret) << k.text;
    }
}

TEST(EditingKeyboard, EnterAndOperatorsOnTheLastRow)
{
    auto w = editingWindow();
    const int last = w->LastRow;
    ASSERT_EQ(w->scrollMax(), 0);   // start-up cleared the tape: nothing to scroll yet
    // At the end of the tape Enter appends a line under the row's operator.
    w->CalAmount[last]->setFocus(Qt::OtherFocusReason);
    w->tape.TapeOp[static_cast<std::size_t>(last)] = 'x';
    w->ScrollNum_Change();
    typeText("4\r");
    EXPECT_EQ(w->tape.TapeLast(), last + 1);
    EXPECT_EQ(w->scrollMax(), 1);
    EXPECT_EQ(w->scrollValue(), 1);
    EXPECT_EQ(w->tape.TapeOp.back(), 'x');
    EXPECT_EQ(lineText(*w, last + 1), "0");   // the key up of Enter stored the new line
    EXPECT_EQ(w->CalAmount[last - 1]->text(), "4");

    // A line left below: an operator stores itself on it and scrolls by one.
    w->ScrollNum->setValue(0);
    typeText("-");
    EXPECT_EQ(w->scrollValue(), 1);
    EXPECT_EQ(w->tape.TapeLast(), last + 1);
    EXPECT_EQ(w->tape.TapeOp[static_cast<std::size_t>(last + 1)], '-');
    EXPECT_EQ(w->Op[last]->caption(), "-");
    // ... with none left an operator appends a line that carries it.
    typeText("6/");
    EXPECT_EQ(w->tape.TapeLast(), last + 2);
    EXPECT_EQ(w->scrollValue(), 2);
    EXPECT_EQ(w->Op[last]->caption(), "/");
    EXPECT_EQ(focusedRow(*w), last);
    EXPECT_EQ(total(*w), "Error");   // 0 x 4 - 6, then 0 under "/"
    typeText("2");
    EXPECT_EQ(total(*w), "-3");
}

TEST(EditingKeyboard, TapeEdgesStoreNothingBeyond)
{
    auto w = editingWindow();
    const int last = w->LastRow;
    w->tape.resize(32767);   // lines 0..32766: one more fits in a 16-bit index
    w->ScrollNum->setValueMax(32766 - last);
    w->ScrollNum->setValue(w->scrollMax());
    w->CalAmount[last]->setFocus(Qt::OtherFocusReason);
    typeText("\r5+");
    EXPECT_EQ(w->tape.TapeLast(), 32767);
    EXPECT_EQ(w->scrollMax(), 32767 - last);
    EXPECT_EQ(w->scrollValue(), 32767 - last);
    EXPECT_EQ(lineText(*w, 32767), "5");
    EXPECT_EQ(total(*w), "5");

    // Rows below a short tape (as a short calculation file leaves it).
    w->tape.resize(3);
    w->tape.TapeValue[2] = dec("8");
    w->ScrollNum->setValueMax(0);
    w->ScrollNum->setValue(0);
    w->CalAmount[5]->setFocus(Qt::OtherFocusReason);
    typeText("7+");
    click(w->Op[6]);
    EXPECT_EQ(w->tape.size(), 3u);
    EXPECT_EQ(total(*w), "8");
}

} // namespace
} // namespace qm::ui
