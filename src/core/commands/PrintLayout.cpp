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

} // namespace

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

std::string shortenedToWidth(const std::string& text, double room, const PrintTextWidth& width)
{
    if (safeWidth(width, text, false) <= room)
        return text;
    std::string cut = text;
    while (!cut.empty()) {
        // Back to the start of the last UTF-8 character.
        std::size_t end = cut.size() - 1;
        while (end > 0 && (static_cast<unsigned char>(cut[end]) & 0xC0) == 0x80)
            --end;
        cut.resize(end);
        if (safeWidth(width, cut + "...", false) <= room)
            return cut + "...";
    }
    return safeWidth(width, "...", false) <= room ? std::string("...") : std::string();
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
    double needed = 0;
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
        needed = std::max(needed, safeWidth(width, line.op + " ", false) +
                                      safeWidth(width, line.amount, false));
        plan.lines.push_back(std::move(line));
    }
    PrintLine total;
    total.op = "=";
    total.amount = totalText;
    total.bold = true;
    needed = std::max(needed, safeWidth(width, "= ", true) + safeWidth(width, totalText, true));
    plan.lines.push_back(std::move(total));

    std::int32_t right = edge.value();
    if (needed > right) {
        Result<std::int32_t> wider = roundHalfEvenToInt32(std::ceil(needed));
        if (!wider)
            return wider.failure();
        right = wider.value();
    }
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
        if (columns.pageWidth > 0)
            room = std::min(room, columns.pageWidth - right - totalsColumn);
        if (room > 0) {
            Result<std::int32_t> wider = roundHalfEvenToInt32(std::ceil(right + room));
            if (!wider)
                return wider.failure();
            right = wider.value();
        }
    }
    plan.rightEdge = right;
    const double totalsRight = right + totalsColumn;
    for (PrintLine& line : plan.lines) {
        line.amountX = right - safeWidth(width, line.amount, line.bold);
        if (!line.note.empty()) {
            line.noteX = safeWidth(width, line.op + " ", false);
            line.note = shortenedToWidth(line.note, line.amountX - gap - line.noteX, width);
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
