#pragma once
// The tape menu commands and the row drawing, as pure functions on the tape.
// The window applies their results to its widgets.

#include "core/number/TextForm.h"
#include "core/number/Value.h"
#include "core/tape/Tape.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace qm {

// Operator of a line that "Clear All..." left without one (beyond the rows
// made at start-up). The recalculation skips such lines.
inline constexpr char BlankOp = ' ';

// The tape's line indexes are 16-bit: no line lies beyond this index.
inline constexpr int MaxTapeIndex = 32767;
// Paste Numbers (one number per line) stops once this many lines have been
// added beyond the shown rows.
inline constexpr int PasteLineCap = 32000;

// Colours (0x00BBGGRR) of an operator button and of an entry box's text.
inline constexpr std::uint32_t OpColourPlus = 0xC0C0C0;
inline constexpr std::uint32_t RowTextBlack = 0x000000;
inline constexpr std::uint32_t RowTextDarkRed = 0x0000C0;

// "+" light grey, "-" red, "x" green, "/" blue, "^" black; anything else grey.
std::uint32_t operatorColour(char op);

// What entry box shows for a tape value: function, rounding and percent texts
// as typed; 0 and empty values as the empty text; numbers in their plain form
// ("Variable", 25 decimals) or with exactly `decimalPlaces` decimals.
std::string rowText(const Value& value, int decimalPlaces, const Regional& regional);
// Dark red for a text beginning with "-", black otherwise.
std::uint32_t rowTextColour(std::string_view text);

// The tape part of "Clear All...": new arrays of the old length (at least
// lastLoadedRow + 1 lines); lines 0..lastLoadedRow become 0 under "+", the
// rest empty with no operator.
void clearAllLines(Tape& tape, int lastLoadedRow);

// The lines Copy Numbers and Save give: the tape up to its last line that is
// not padding, but at least `keptLines` (the lines a file or a paste gave, kept
// as they came) and at least one line of a tape that has any. Padding is a
// line under "+" or no operator whose value is empty or zero: the rows the
// window made and the lines Enter added, where nothing was entered.
std::size_t enteredLines(const Tape& tape, std::size_t keptLines);

// "Copy Numbers...": the plain text form of the first `lines` values (every
// line by default), joined by CR LF.
std::string copyNumbersText(const Tape& tape, char decimalSep, std::size_t lines = SIZE_MAX);

// Splits clipboard text into lines at CR LF (and at a lone LF, the line end of
// text copied from programs on this platform).
std::vector<std::string_view> clipboardLines(std::string_view text);

// "Paste Numbers..." onto a tape that Clear All has just emptied. `lastRow` is
// the last shown row and `scrollMax` the scroll bar's maximum (0 after Clear
// All). Returns the new scroll maximum; the tape grows to hold the pasted
// lines. Lines that would lie beyond index 32767 are skipped.
int pasteNumbers(Tape& tape, std::string_view clipboard, const Regional& regional, int lastRow,
                 int scrollMax);

} // namespace qm
