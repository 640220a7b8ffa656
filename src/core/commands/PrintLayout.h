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

// Width of `text` in the printer's font (bold or regular), in printer units.
using PrintTextWidth = std::function<double(std::string_view text, bool bold)>;

struct PrintLine {
    std::string op;        // printed at the start of the line
    std::string amount;    // printed so that it ends at the right edge
    double amountX = 0;    // horizontal position of the amount
    bool bold = false;     // the whole line (the total line only)
};

struct PrintPlan {
    std::int32_t rightEdge = 0;
    std::vector<PrintLine> lines;   // the printed tape lines, then the "=" line
};

// A tape line prints when the text form of its value, read with the period as
// the decimal point, is a number above 0. The text form uses the regional
// separator, so under a comma setting 0,5 reads as 0 and is left out.
bool printsOnTape(const Value& value, char decimalSep);

// The amount as printed: the plain text form for "Variable" decimals (7 or
// more), otherwise exactly `decimalPlaces` decimals with regional grouping.
// A value that cannot be formatted (a text line whose text starts with a
// positive number, such as 10%) prints as its plain text.
std::string printAmountText(const Value& value, int decimalPlaces, const Regional& regional);

// Rounds to the nearest 32-bit integer, halves to even. NaN, infinities and
// values outside the 32-bit range are an Overflow.
Result<std::int32_t> roundHalfEvenToInt32(double x);

// The whole printed document. The right edge R is the bold width of "WWW"
// followed by the total text. An amount wider than the room R leaves after its
// operator would start left of the page or over the operator; R then moves
// right just far enough for it, so no printed figure is ever cut off.
Result<PrintPlan> planPrintedTape(const Tape& tape, int decimalPlaces, const Regional& regional,
                                  const std::string& totalText, const PrintTextWidth& width);

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
