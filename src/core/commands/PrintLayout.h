#pragma once
// What a printed tape looks like, independent of the printer: which lines
// print, the text of each amount, and where each amount starts so that all of
// them end on one right edge. The printer only supplies text widths.

#include "core/number/Result.h"
#include "core/number/TextForm.h"
#include "core/number/Value.h"
#include "core/tape/Tape.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace qm {

class Evaluator;

// Width of `text` in the printer's font (bold or regular), in printer units.
using PrintTextWidth = std::function<double(std::string_view text, bool bold)>;

struct PrintLine {
    std::string op;        // printed at the start of the line
    std::string amount;    // printed so that it ends at the right edge
    double amountX = 0;    // horizontal position of the amount
    bool bold = false;     // the whole line (the total line only)
    std::string note;      // the line's note, shortened to the room before the amount
    double noteX = 0;
    std::string runningTotal;   // with running totals asked for, right of the amounts
    double runningTotalX = 0;
};

// What the strip prints besides operators and amounts: each line's note
// beside its amount, and, when given, the running totals (one text per tape
// line) in a column at the right. `pageWidth` (0: not known) bounds the room
// the notes may take; the amounts never move for them.
struct PrintColumns {
    const std::vector<std::string>* runningTotals = nullptr;
    double pageWidth = 0;
};

struct PrintPlan {
    std::int32_t rightEdge = 0;
    std::vector<PrintLine> lines;   // the printed tape lines, then the "=" line
};

// A tape line prints when it counts in the total, so that the strip adds up:
// any number other than 0 (negatives too, whatever the decimal separator),
// any line kept as text (functions, percent, rounding), and an empty or zero
// line under "x", "/" or "^", which changes the total. An empty or zero line
// under "+" or "-", an empty text and an unknown operator change nothing and
// are left out.
bool printsOnTape(const Value& value, char op);

// The amount as printed: the plain text form for "Variable" decimals (7 or
// more), otherwise exactly `decimalPlaces` decimals with regional grouping.
// A line kept as text (Sin(30), 50%, Int) prints as its text.
std::string printAmountText(const Value& value, int decimalPlaces, const Regional& regional);

// Rounds to the nearest 32-bit integer, halves to even. NaN, infinities and
// values outside the 32-bit range are an Overflow.
Result<std::int32_t> roundHalfEvenToInt32(double x);

// The whole printed document. The right edge R is the bold width of "WWW"
// followed by the total text. An amount wider than the room R leaves after its
// operator would start left of the page or over the operator; R then moves
// right just far enough for it, so no printed figure is ever cut off.
// With a `pageWidth` (above 0), R never moves beyond it for a text line: a
// text line too long for the page is shortened with an ellipsis instead, so
// that every amount and the total stay on the page.
Result<PrintPlan> planPrintedTape(const Tape& tape, int decimalPlaces, const Regional& regional,
                                  const std::string& totalText, const PrintTextWidth& width,
                                  const PrintColumns& columns = {});

// `text` when it is at most `room` wide; else its longest start (whole
// UTF-8 characters) that fits with "…" after it, or "…" alone.
std::string elidedToWidth(const std::string& text, double room, bool bold, const PrintTextWidth& width);

// The text of the printed total line, recalculated from the tape: the running
// total, or the statistic `settings.StatMode` selects. Never the grand-total
// box's text, which a game may have borrowed. A statistic that cannot be
// computed (nothing to average) falls back to the running total instead of
// keeping whatever the box showed before.
std::string printedTotalText(const Tape& tape, const CalcSettings& settings,
                             const FunctionButtons& buttons, Evaluator& evaluator);

// Where the n-th printed line goes: lines fill a page top-down, a new page
// starts when the next line would not fit. A page too short for one line
// still takes one line per page.
struct PrintPlace {
    int page = 0;
    double y = 0;
};
PrintPlace printPlace(std::size_t lineIndex, double lineHeight, double pageHeight);
int linesPerPrintedPage(double lineHeight, double pageHeight);

} // namespace qm
