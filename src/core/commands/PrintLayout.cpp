#include "core/commands/PrintLayout.h"

#include "core/tape/MailCalc.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace qm {

namespace {

// Decimals settings from 7 up mean "Variable".
constexpr int FirstVariableSetting = 7;
// The room left of the widest expected amount, the grand total.
constexpr std::string_view EdgeRoom = "WWW";

double safeWidth(const PrintTextWidth& width, std::string_view text, bool bold)
{
    const double w = width ? width(text, bold) : 0.0;
    return std::isfinite(w) && w > 0 ? w : 0.0;
}

constexpr std::string_view Ellipsis = "\xE2\x80\xA6";

} // namespace

std::string elidedToWidth(const std::string& text, double room, bool bold, const PrintTextWidth& width)
{
    if (safeWidth(width, text, bold) <= room)
        return text;
    // Ends of whole characters: never cut a UTF-8 sequence.
    std::vector<std::size_t> ends;
    for (std::size_t i = 1; i <= text.size(); ++i) {
        if (i == text.size() || (static_cast<unsigned char>(text[i]) & 0xC0) != 0x80)
            ends.push_back(i);
    }
    const auto fits = [&](std::size_t end) {
        std::string candidate = text.substr(0, end);
        candidate += Ellipsis;
        return safeWidth(width, candidate, bold) <= room;
    };
    // The widths grow with the length: the longest start that fits.
    std::size_t lo = 0, hi = ends.size();   // ends[0 .. lo) fit, ends[hi ..) do not
    while (lo < hi) {
        const std::size_t mid = lo + (hi - lo) / 2;
        if (fits(ends[mid]))
            lo = mid + 1;
        else
            hi = mid;
    }
    std::string shortened = lo == 0 ? std::string() : text.substr(0, ends[lo - 1]);
    shortened += Ellipsis;
    return shortened;
}

bool printsOnTape(const Value& value, char op)
{
    if (std::string_view("+-x/^").find(op) == std::string_view::npos)
        return false;   // the total skips a line without a known operator
    if (value.isText())
        return !value.text().empty();   // and a line of empty text
    const bool zero = value.isEmpty() || (value.isDecimal() && value.decimal().isZero()) ||
                      (value.isDouble() && value.dbl() == 0.0);
    return !zero || op == 'x' || op == '/' || op == '^';
}

std::string printAmountText(const Value& line, int decimalPlaces, const Regional& regional)
{
    // An empty line prints only under "x", "/" or "^", where it is the number 0.
    const Value value = line.isEmpty() ? Value(Decimal()) : line;
    if (decimalPlaces >= FirstVariableSetting || decimalPlaces < 0)
        return plainText(value, regional.decimalSep);
    Result<std::string> fixed = formatFixed(value, decimalPlaces, regional);
    if (fixed.ok())
        return std::move(fixed).value();
    return plainText(value, regional.decimalSep);
}

Result<std::int32_t> roundHalfEvenToInt32(double x)
{
    if (!std::isfinite(x))
        return Failure::Overflow;
    double whole = std::floor(x);
    const double frac = x - whole;
    if (frac > 0.5 || (frac == 0.5 && std::fmod(whole, 2.0) != 0.0))
        whole += 1.0;
    constexpr double lo = static_cast<double>(std::numeric_limits<std::int32_t>::min());
    constexpr double hi = static_cast<double>(std::numeric_limits<std::int32_t>::max());
    if (whole < lo || whole > hi)
        return Failure::Overflow;
    return static_cast<std::int32_t>(whole);
}

Result<PrintPlan> planPrintedTape(const Tape& tape, int decimalPlaces, const Regional& regional,
                                  const std::string& totalText, const PrintTextWidth& width,
                                  const PrintColumns& columns)
{
    const std::string edgeText = std::string(EdgeRoom) + totalText;
    Result<std::int32_t> edge = roundHalfEvenToInt32(safeWidth(width, edgeText, true));
    if (!edge)
        return edge.failure();

    PrintPlan plan;
    const std::size_t lines = std::min(tape.TapeValue.size(), tape.TapeOp.size());
    std::vector<bool> isText;   // text lines may be shortened, numbers never
    double needed = 0;          // room for every line whole
    double neededByNumbers = 0; // room for the numbers and the total
    for (std::size_t i = 0; i < lines; ++i) {
        const Value& v = tape.TapeValue[i];
        if (!printsOnTape(v, tape.TapeOp[i]))
            continue;
        PrintLine line;
        line.op = std::string(1, tape.TapeOp[i]);
        line.amount = printAmountText(v, decimalPlaces, regional);
        line.note = tape.note(i);
        if (columns.runningTotals && i < columns.runningTotals->size())
            line.runningTotal = (*columns.runningTotals)[i];
        const double w = safeWidth(width, line.op + " ", false) + safeWidth(width, line.amount, false);
        needed = std::max(needed, w);
        if (!v.isText())
            neededByNumbers = std::max(neededByNumbers, w);
        isText.push_back(v.isText());
        plan.lines.push_back(std::move(line));
    }
    PrintLine total;
    total.op = "=";
    total.amount = totalText;
    total.bold = true;
    const double totalWidth = safeWidth(width, "= ", true) + safeWidth(width, totalText, true);
    needed = std::max(needed, totalWidth);
    neededByNumbers = std::max(neededByNumbers, totalWidth);
    isText.push_back(false);
    plan.lines.push_back(std::move(total));

    const double pageWidth = columns.pageWidth;
    const bool limited = pageWidth > 0 && std::isfinite(pageWidth);
    double edgeWanted = std::max<double>(edge.value(), std::ceil(needed));
    if (limited && edgeWanted > pageWidth)
        edgeWanted = std::max(std::floor(pageWidth), std::ceil(neededByNumbers));
    const Result<std::int32_t> edgeAt = roundHalfEvenToInt32(edgeWanted);
    if (!edgeAt)
        return edgeAt.failure();
    std::int32_t right = edgeAt.value();
    // The notes' column goes between the operators and the amounts, as wide
    // as the widest note or as the page allows, whichever is less.
    const double gap = safeWidth(width, "  ", false);
    double widestNote = 0;
    double widestTotal = 0;
    for (const PrintLine& line : plan.lines) {
        if (!line.note.empty())
            widestNote = std::max(widestNote, safeWidth(width, line.note, false));
        widestTotal = std::max(widestTotal, safeWidth(width, line.runningTotal, false));
    }
    const double totalsColumn = columns.runningTotals ? gap + widestTotal : 0.0;
    if (widestNote > 0) {
        double room = widestNote + gap;
        if (limited)
            room = std::min(room, pageWidth - right - totalsColumn);
        if (room > 0) {
            Result<std::int32_t> wider = roundHalfEvenToInt32(std::ceil(right + room));
            if (!wider)
                return wider.failure();
            right = wider.value();
        }
    }
    plan.rightEdge = right;
    const double totalsRight = right + totalsColumn;
    for (std::size_t i = 0; i < plan.lines.size(); ++i) {
        PrintLine& line = plan.lines[i];
        const double opWidth = safeWidth(width, line.op + " ", false);
        if (limited && isText[i])
            line.amount = elidedToWidth(line.amount, plan.rightEdge - opWidth, false, width);
        line.amountX = plan.rightEdge - safeWidth(width, line.amount, line.bold);
        if (!line.note.empty()) {
            line.noteX = opWidth;
            line.note = elidedToWidth(line.note, line.amountX - gap - line.noteX, false, width);
        }
        if (!line.runningTotal.empty())
            line.runningTotalX = totalsRight - safeWidth(width, line.runningTotal, false);
    }
    return plan;
}

std::string printedTotalText(const Tape& tape, const CalcSettings& settings,
                             const FunctionButtons& buttons, Evaluator& evaluator)
{
    CalcSettings running = settings;
    running.StatMode = 0;
    std::string total = MailCalc(tape, running, buttons, std::string(), evaluator).text;
    if (settings.StatMode == 0)
        return total;
    return MailCalc(tape, settings, buttons, total, evaluator).text;
}

int linesPerPrintedPage(double lineHeight, double pageHeight)
{
    if (!(lineHeight > 0) || !(pageHeight >= lineHeight) || !std::isfinite(pageHeight))
        return 1;
    const double n = std::floor(pageHeight / lineHeight);
    if (n >= static_cast<double>(std::numeric_limits<int>::max()))
        return std::numeric_limits<int>::max();
    return std::max(1, static_cast<int>(n));
}

PrintPlace printPlace(std::size_t lineIndex, double lineHeight, double pageHeight)
{
    const auto perPage = static_cast<std::size_t>(linesPerPrintedPage(lineHeight, pageHeight));
    const std::size_t page = lineIndex / perPage;
    PrintPlace place;
    place.page = page > static_cast<std::size_t>(std::numeric_limits<int>::max())
                     ? std::numeric_limits<int>::max()
                     : static_cast<int>(page);
    const double h = lineHeight > 0 && std::isfinite(lineHeight) ? lineHeight : 0.0;
    place.y = static_cast<double>(lineIndex % perPage) * h;
    return place;
}

} // namespace qm
