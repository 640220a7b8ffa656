#include "core/commands/TapeCommands.h"

#include "core/editing/TapeEditor.h"   // VariableDecimals

#include <algorithm>
#include <optional>
#include <utility>

namespace qm {

std::uint32_t operatorColour(char op)
{
    switch (op) {
    case '-': return 0x0000FF;
    case 'x': return 0x00FF00;
    case '/': return 0xFF0000;
    case '^': return 0x000000;
    default: return OpColourPlus;
    }
}

namespace {

// Function, rounding, percent and user-function lines are shown as typed.
bool shownAsTyped(const std::string& text)
{
    return text.find('(', 1) != std::string::npos || text.find('%') != std::string::npos;
}

bool isNumericZero(const Value& v)
{
    if (v.isDecimal())
        return v.decimal().isZero();
    if (v.isDouble())
        return v.dbl() == 0.0;
    return false;
}

} // namespace

std::string rowText(const Value& value, int decimalPlaces, const Regional& regional)
{
    if (value.isEmpty() || isNumericZero(value))
        return {};
    if (value.isText()) {
        const std::string& text = value.text();
        if (shownAsTyped(text))
            return text;
        // A line being edited can hold a number as text; it is shown like the
        // number. Any other text cannot be formatted and stands as it is.
        Result<Decimal> number = parseRegional(text, regional);
        if (!number)
            return text;
        if (number->isZero())
            return {};
        if (decimalPlaces == VariableDecimals)
            return text;
        return rowText(Value(*number), decimalPlaces, regional);
    }
    if (decimalPlaces == VariableDecimals || decimalPlaces < 0 || decimalPlaces > Decimal::MaxScale)
        return plainText(value, regional.decimalSep);
    Result<std::string> fixed = formatFixed(value, decimalPlaces, regional);
    // A double beyond the decimal range cannot take fixed decimals; its plain
    // form is better than a stale or empty box.
    return fixed ? *fixed : plainText(value, regional.decimalSep);
}

std::uint32_t rowTextColour(std::string_view text)
{
    return !text.empty() && text.front() == '-' ? RowTextDarkRed : RowTextBlack;
}

void clearAllLines(Tape& tape, int lastLoadedRow)
{
    const std::size_t rows = lastLoadedRow >= 0 ? static_cast<std::size_t>(lastLoadedRow) + 1 : 0;
    const std::size_t lines = std::max(tape.size(), rows);
    tape.TapeValue.assign(lines, Value());
    tape.TapeOp.assign(lines, BlankOp);
    tape.TapeNote.clear();
    for (std::size_t i = 0; i < rows; ++i) {
        tape.TapeValue[i] = Value(Decimal());
        tape.TapeOp[i] = '+';
    }
}

std::size_t enteredLines(const Tape& tape, std::size_t keptLines)
{
    const std::size_t size = std::min(tape.TapeValue.size(), tape.TapeOp.size());
    std::size_t end = size;
    while (end > 0) {
        const char op = tape.TapeOp[end - 1];
        const Value& v = tape.TapeValue[end - 1];
        if ((op != '+' && op != BlankOp) || !(v.isEmpty() || isNumericZero(v)) || !tape.note(end - 1).empty())
            break;
        --end;
    }
    return std::min(size, std::max({end, keptLines, std::size_t{1}}));
}

std::string copyNumbersText(const Tape& tape, char decimalSep, std::size_t lines)
{
    const std::size_t n = std::min(tape.size(), lines);
    std::string out;
    out.reserve(n * 8);
    for (std::size_t i = 0; i < n; ++i) {
        if (i > 0)
            out += "\r\n";
        out += plainText(tape.TapeValue[i], decimalSep);
    }
    return out;
}

std::vector<std::string_view> clipboardLines(std::string_view text)
{
    std::vector<std::string_view> lines;
    if (text.empty())
        return lines;
    std::size_t start = 0;
    for (;;) {
        const std::size_t lf = text.find('\n', start);
        if (lf == std::string_view::npos) {
            lines.push_back(text.substr(start));
            return lines;
        }
        std::size_t end = lf;
        if (end > start && text[end - 1] == '\r')
            --end;
        lines.push_back(text.substr(start, end - start));
        start = lf + 1;
    }
}

namespace {

std::vector<std::string_view> tabFields(std::string_view line)
{
    std::vector<std::string_view> fields;
    std::size_t start = 0;
    for (;;) {
        const std::size_t tab = line.find('\t', start);
        if (tab == std::string_view::npos) {
            fields.push_back(line.substr(start));
            return fields;
        }
        fields.push_back(line.substr(start, tab - start));
        start = tab + 1;
    }
}

// An amount of the statement form: the period is the point; grouping commas,
// blanks and apostrophes are removed and the sign kept, so "-1,234.56" is
// -1234.56 exactly. Text that does not read so gives its leading number
// (nothing readable gives 0); a leading number beyond the decimal range
// leaves the line as it was.
std::optional<Value> statementAmount(std::string_view field)
{
    std::string amount;
    for (const char c : field) {
        if (c != ',' && c != ' ' && c != '\'')
            amount.push_back(c);
    }
    if (Result<Decimal> d = parseStrict(amount))
        return Value(*d);
    if (Result<Decimal> lead = Decimal::fromDouble(leadingNumber(amount)))
        return Value(*lead);
    return std::nullopt;
}

std::string_view firstField(std::string_view line)
{
    return line.substr(0, line.find('\t'));
}

// Makes sure line i exists. The scroll maximum rises by one for each line
// beyond the shown rows and the tape grows with it; a step that would pass
// the 16-bit line index fails and changes nothing, so the scroll range never
// outruns the tape.
bool makeRoom(Tape& tape, int i, int lastRow, int& scrollMax)
{
    if (i <= lastRow)
        return static_cast<std::size_t>(i) < tape.size();
    const long long m = static_cast<long long>(scrollMax) + 1;
    if (m > MaxTapeIndex || m + lastRow > MaxTapeIndex)
        return false;
    scrollMax = static_cast<int>(m);
    // Never shrinks: lines of a longer old tape stay as Clear All left them.
    const auto lines = static_cast<std::size_t>(m + lastRow) + 1;
    if (lines > tape.size())
        tape.resize(lines);
    return static_cast<std::size_t>(i) < tape.size();
}

} // namespace

int pasteNumbers(Tape& tape, std::string_view clipboard, const Regional& regional, int lastRow,
                 int scrollMax)
{
    const std::vector<std::string_view> lines = clipboardLines(clipboard);
    if (lines.empty())
        return scrollMax;
    const std::size_t n = lines.size() - 1;

    if (lines[n] == "DE") {
        // Tab-separated statement lines: the 1st field empty means a debit,
        // the 4th field holds the amount.
        for (std::size_t i = 0; i < n && i <= static_cast<std::size_t>(MaxTapeIndex); ++i) {
            const int line = static_cast<int>(i);
            if (!makeRoom(tape, line, lastRow, scrollMax))
                continue;
            const std::vector<std::string_view> fields = tabFields(lines[i]);
            tape.TapeOp[i] = fields[0].empty() ? '-' : '+';
            if (fields.size() >= 4) {
                if (std::optional<Value> amount = statementAmount(fields[3]))
                    tape.TapeValue[i] = std::move(*amount);
            }
        }
        return scrollMax;
    }

    const int startMax = scrollMax;
    std::string number;
    for (std::size_t i = 0; i <= n && i <= static_cast<std::size_t>(MaxTapeIndex); ++i) {
        const int line = static_cast<int>(i);
        if (makeRoom(tape, line, lastRow, scrollMax)) {
            tape.TapeOp[i] = '+';
            number.assign(firstField(lines[i]));
            std::erase(number, regional.thousandSep);
            if (Result<Decimal> d = parseRegional(number, regional)) {
                tape.TapeValue[i] = Value(*d);
            } else if (Result<Decimal> lead = Decimal::fromDouble(leadingNumber(number))) {
                tape.TapeValue[i] = Value(*lead);
            }
        }
        if (scrollMax - startMax > PasteLineCap)
            break;
    }
    return scrollMax;
}

} // namespace qm
