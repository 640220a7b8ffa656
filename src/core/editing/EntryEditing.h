#pragma once
// The text work behind editing an entry line: which typed characters a box
// takes, what a line stores when a key is released or a keypad key is pressed,
// the keypad's Del, +/- and % on a line's text, the text a function button
// makes, the operator button's cycle and the growth of the tape at its end.
// The main window's handlers apply these to their widgets.

#include "core/number/Result.h"
#include "core/number/TextForm.h"
#include "core/number/Value.h"
#include "core/tape/Tape.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace qm {

// Colours (0x00BBGGRR) the editing handlers give entry boxes.
inline constexpr std::uint32_t EntryBackPlain = 0xFFFFFF;
inline constexpr std::uint32_t EntryBackCurrent = 0xF9F9F9;
inline constexpr std::uint32_t EntryBackMemory = 0xC0E0FF;

// Windows key codes the entry boxes act on.
inline constexpr int KeyCodeUp = 38;
inline constexpr int KeyCodeDown = 40;

// Typed characters with a meaning of their own.
inline constexpr int AsciiCopy = 3;
inline constexpr int AsciiPaste = 22;
inline constexpr int AsciiBackspace = 8;
inline constexpr int AsciiEnter = 13;

// The operator a typed character stands for: '+', '-', '/' as typed and 'x'
// for '*'; 0 for every other character.
char operatorOfKey(int keyAscii);

// What an entry box does with one typed character.
struct KeyDecision {
    bool swallow = false;   // the character is not typed into the box
    bool tail = false;      // the common steps after the character run
    bool enter = false;     // Enter: the focus moves down
    char op = 0;            // an operator key: the operator it stands for
};

// Decides by the character, in this order: copy and paste, backspace, Enter,
// the four operators, "H" and "I", digits, the thousands separator, the
// decimal separator (refused when `boxText` holds one already), anything else.
KeyDecision classifyKeyPress(int keyAscii, std::string_view boxText, char thousandSep,
                             char decimalSep);

// `text` without any thousands separator (unchanged if the two separators
// were ever the same character, so that no decimal point is lost).
std::string withoutThousands(std::string_view text, const Regional& regional);

// The number an entry text stands for in the regional format, thousands
// separators removed; nothing when it is no number.
std::optional<Decimal> entryNumber(std::string_view text, const Regional& regional);

// What a line holding `stored` stores when an edit leaves its box showing
// `boxText`: a line whose stored text holds "(" or "%" keeps the box's text
// as text, and so does a text in a form the tape keeps as text (a function
// line, a percent); an empty box, a lone decimal separator or a lone sign
// store 0; otherwise the box's number, exactly. Nothing when the text reads
// as no number, or as one the decimal cannot hold without cutting figures:
// the edit is then refused, so that a line never shows what it does not hold.
std::optional<Value> keyReleaseValue(const Value& stored, std::string_view boxText,
                                     const Regional& regional);

// The number of a box's text when the decimal holds it exactly (no figure
// rounded away); nothing for any other text.
std::optional<Decimal> exactEntryNumber(std::string_view boxText, const Regional& regional);

// Whether a line box showing `text` shows the value `value`: the same text for
// a text line, nothing for an empty line, the same number for a number (a
// double also in its own text form).
bool editTextReadsBack(std::string_view text, const Value& value, const Regional& regional);

// True when `text` holds "(" somewhere after its first character: a function
// line (a line made by a button with an empty name starts with "(").
bool isFunctionLine(std::string_view text);

// Only the digits and decimal separators of `text`, in their order: the
// argument left of a function line.
std::string argumentDigits(std::string_view text, char decimalSep);

// The keypad's Del on a box showing `text` with the caret at `caret`.
struct DeleteEdit {
    std::string text;               // the box's new text
    int caret = 0;                  // where the caret goes: where the deleted character stood
    std::optional<Value> value;     // the line's new value; nothing keeps it
};
DeleteEdit keypadDelete(std::string_view text, int caret, const Regional& regional);

// The keypad's +/- on a box showing `text`.
struct SignEdit {
    std::string text;
    int caret = 0;
    bool focus = false;                      // number lines get the focus back
    std::optional<std::uint32_t> foreColor;  // the box's new text colour, if any
    std::optional<Value> value;              // the line's new value; nothing keeps it
};
SignEdit keypadSign(std::string_view text, const Regional& regional);

// The keypad's %: removes every "%" or appends one.
std::string togglePercent(std::string_view text);

// The line a function button named `caption` makes of a box showing `text`:
// a function line keeps only its argument, so Sin on Cos(45) gives Sin(45).
std::string functionLineText(std::string_view caption, std::string_view text, char decimalSep);

// The operator after `op` when its button is clicked: + - x / ^ and round;
// tape line 0 goes from "x" straight back to "+". Nothing for a character
// that is no operator (the button then stays as it is).
std::optional<char> nextOperator(char op, bool firstLine);

// First character of an operator button's caption; a blank operator when the
// caption is empty.
char operatorOfCaption(std::string_view caption);

// Appends one line to the tape for Enter or an operator on the last shown
// row at the end of the tape: the new scroll maximum m = scrollMax + 1, the
// tape resized to lines 0..m + lastRow (contents kept, the new line empty)
// and the new line's operator `op`. A tape that would pass `maxLines` lines
// (the same limit a calculation file may have) is full: nothing changes and
// the result is an OutOfRange failure. Returns m.
Result<int> growTape(Tape& tape, int scrollMax, int lastRow, char op, std::size_t maxLines = MaxTapeLines);

// The memory display and the recalled line: with fewer than 7 decimals the
// value as the grand total is formatted, else its plain text form. A text
// value shows as it stands.
std::string memoryText(const Value& value, int decimalPlaces, const Regional& regional);

// The grand total's text as the memory keeps it: text with "(" stays text,
// an empty text is 0, otherwise the number; nothing when it is no number
// (a statistics text, "Overflow"), so the memory keeps what it had.
std::optional<Value> totalMemoryValue(std::string_view totalText, const Regional& regional);

// Value of pi as the pi button stores it (a binary floating-point number).
double piValue();

// True when the value's text form begins with "-".
bool showsNegative(const Value& value);

} // namespace qm
