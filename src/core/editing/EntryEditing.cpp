#include "core/editing/EntryEditing.h"

#include "core/commands/TapeCommands.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <compare>

namespace qm {

namespace {

bool contains(std::string_view text, char c) { return text.find(c) != std::string_view::npos; }

bool isDigit(char c) { return c >= '0' && c <= '9'; }

int ascii(char c) { return static_cast<unsigned char>(c); }

// The second and later bytes of a character in UTF-8.
bool isContinuationByte(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

std::string without(std::string_view text, char c)
{
    std::string out;
    out.reserve(text.size());
    for (char ch : text)
        if (ch != c)
            out.push_back(ch);
    return out;
}

int length(const std::string& s)
{
    // Entry texts are short; a text beyond int range cannot come from a box.
    return static_cast<int>(std::min<std::size_t>(s.size(), 32767));
}

} // namespace

char operatorOfKey(int keyAscii)
{
    switch (keyAscii) {
    case '+': return '+';
    case '-': return '-';
    case '*': return 'x';
    case '/': return '/';
    default: return 0;
    }
}

KeyDecision classifyKeyPress(int keyAscii, std::string_view boxText, char thousandSep,
                             char decimalSep)
{
    KeyDecision d;
    if (keyAscii == AsciiCopy || keyAscii == AsciiPaste) {
        d.tail = true;
    } else if (keyAscii == AsciiBackspace) {
        // left to the box, nothing else
    } else if (keyAscii == AsciiEnter) {
        d.swallow = true;
        d.tail = true;
        d.enter = true;
    } else if (const char op = operatorOfKey(keyAscii)) {
        d.swallow = true;
        d.tail = true;
        d.op = op;
    } else if (keyAscii == 'H' || keyAscii == 'I') {
        // typed as they are, with no further step
    } else if (keyAscii >= '0' && keyAscii <= '9') {
        d.tail = true;
    } else if (keyAscii == ascii(thousandSep)) {
        d.tail = true;
    } else if (keyAscii == ascii(decimalSep)) {
        d.swallow = contains(boxText, decimalSep);
        d.tail = true;
    } else {
        d.swallow = true;
        d.tail = true;
    }
    return d;
}

std::string withoutThousands(std::string_view text, const Regional& regional)
{
    if (regional.thousandSep == regional.decimalSep)
        return std::string(text);
    return without(text, regional.thousandSep);
}

std::optional<Decimal> entryNumber(std::string_view text, const Regional& regional)
{
    Result<Decimal> d = parseRegional(withoutThousands(text, regional), regional);
    if (!d)
        return std::nullopt;
    return *d;
}

namespace {

// The figures of a number's text, leading and trailing zeros dropped, so
// that two texts of the same figures compare equal ("0012.50" and "12.5").
std::string significantFigures(std::string_view text)
{
    text = text.substr(0, text.find_first_of("Ee"));
    std::string figures;
    for (char c : text)
        if (isDigit(c))
            figures.push_back(c);
    const std::size_t first = figures.find_first_not_of('0');
    if (first == std::string::npos)
        return {};
    const std::size_t last = figures.find_last_not_of('0');
    return figures.substr(first, last - first + 1);
}

// Texts that stand for 0 while a number is being typed.
bool isZeroForm(std::string_view text, char decimalSep)
{
    if (!text.empty() && text.front() == '-')
        text.remove_prefix(1);
    return text.empty() || (text.size() == 1 && text.front() == decimalSep);
}

bool isTextForm(std::string_view text) { return isFunctionLine(text) || contains(text, '%'); }

} // namespace

std::optional<Decimal> exactEntryNumber(std::string_view boxText, const Regional& regional)
{
    std::optional<Decimal> d = entryNumber(boxText, regional);
    if (!d)
        return std::nullopt;
    // The decimal separator is the only non-figure the two texts share.
    if (significantFigures(withoutThousands(boxText, regional)) != significantFigures(plainText(*d, '.')))
        return std::nullopt;
    return d;
}

std::optional<Value> keyReleaseValue(const Value& stored, std::string_view boxText,
                                     const Regional& regional)
{
    // An emptied line holds 0, whatever it held: an empty text would be
    // saved as a line that opens as 0.
    if (boxText.empty())
        return Value(Decimal());
    // Only a text line can hold "(" or "%": a number's text never does.
    if (stored.isText() && (contains(stored.text(), '(') || contains(stored.text(), '%')))
        return Value(std::string(boxText));
    if (isTextForm(boxText))
        return Value(std::string(boxText));
    if (isZeroForm(boxText, regional.decimalSep))
        return Value(Decimal());
    if (std::optional<Decimal> d = exactEntryNumber(boxText, regional))
        return Value(*d);
    return std::nullopt;
}

bool editTextReadsBack(std::string_view text, const Value& value, const Regional& regional)
{
    switch (value.kind()) {
    case Value::Kind::Empty:
        return text.empty();
    case Value::Kind::Text:
        return text == value.text();
    case Value::Kind::Double:
        if (text == doubleText(value.dbl(), regional.decimalSep))
            return true;
        break;
    case Value::Kind::Decimal:
        break;
    }
    if (isZeroForm(text, regional.decimalSep))
        return std::is_eq(compare(Value(Decimal()), value));
    const std::optional<Decimal> d = exactEntryNumber(text, regional);
    return d && std::is_eq(compare(Value(*d), value));
}

bool isFunctionLine(std::string_view text) { return text.size() > 1 && text.find('(', 1) != std::string_view::npos; }

std::string argumentDigits(std::string_view text, char decimalSep)
{
    std::string out;
    for (char c : text)
        if (isDigit(c) || c == decimalSep)
            out.push_back(c);
    return out;
}

DeleteEdit keypadDelete(std::string_view text, int caret, const Regional& regional)
{
    DeleteEdit e;
    if (contains(text, '(') || contains(text, ')')) {
        // A function line falls back to its bare argument.
        e.text = argumentDigits(text, regional.decimalSep);
        e.caret = length(e.text);
        const double v = leadingNumber(e.text);
        if (std::isfinite(v) && editTextReadsBack(e.text, Value(v), regional))
            e.value = Value(v);
        else if (std::optional<Decimal> d = exactEntryNumber(e.text, regional))
            e.value = Value(*d);   // more figures than a double holds: kept exactly
        else if (isZeroForm(e.text, regional.decimalSep))
            e.value = Value(Decimal());
        return e;
    }
    if (text.empty()) {
        e.value = Value(Decimal());
        return e;
    }
    // The character before the caret goes (the first one at the start), whole
    // even when it takes several bytes; the caret takes its place, so the next
    // figure goes where the deleted one stood.
    const std::size_t size = text.size();
    std::size_t end = caret <= 0 ? 1 : std::min(static_cast<std::size_t>(caret), size);
    while (end < size && isContinuationByte(text[end]))
        ++end;
    std::size_t start = end - 1;
    while (start > 0 && isContinuationByte(text[start]))
        --start;
    std::string t(text.substr(0, start));
    t.append(text.substr(end));
    // Every "%" goes too; those before the caret take it along.
    const auto percentsBefore = std::count(t.begin(), t.begin() + static_cast<std::ptrdiff_t>(start), '%');
    t = without(t, '%');
    e.text = t;
    e.caret = static_cast<int>(std::min<std::size_t>(start - static_cast<std::size_t>(percentsBefore), 32767));
    if (t.empty() || t == "." || t == "-") {
        e.value = Value(Decimal());
    } else if (std::optional<Decimal> d = exactEntryNumber(t, regional)) {
        e.value = Value(*d);
    }
    return e;
}

SignEdit keypadSign(std::string_view text, const Regional& regional)
{
    SignEdit e;
    if (isFunctionLine(text)) {
        if (contains(text, '-')) {
            e.text = without(text, '-');
        } else {
            for (char c : text) {
                e.text.push_back(c);
                if (c == '(')
                    e.text.push_back('-');
            }
        }
        e.caret = std::max(0, length(e.text) - 1);
        e.value = Value(e.text);
        return e;
    }
    if (text.empty()) {
        e.value = Value(Decimal());
        return e;
    }
    if (contains(text, '-')) {
        e.text = without(text, '-');
        e.foreColor = RowTextBlack;
    } else {
        e.text.reserve(text.size() + 1);
        e.text.push_back('-');
        e.text.append(text);
        e.foreColor = RowTextDarkRed;
    }
    e.caret = length(e.text);
    e.focus = true;
    if (contains(e.text, '%')) {
        // A percent line stays text, so that the tape keeps what the box shows.
        e.value = Value(e.text);
    } else if (std::optional<Decimal> d = entryNumber(e.text, regional)) {
        e.value = Value(*d);
    }
    return e;
}

std::string togglePercent(std::string_view text)
{
    if (contains(text, '%'))
        return without(text, '%');
    return std::string(text) + '%';
}

std::string functionLineText(std::string_view caption, std::string_view text, char decimalSep)
{
    std::string argument = (contains(text, '(') || contains(text, ')'))
                               ? argumentDigits(text, decimalSep)
                               : std::string(text);
    std::string s;
    s.reserve(caption.size() + argument.size() + 2);
    s.append(caption);
    s.push_back('(');
    s.append(argument);
    s.push_back(')');
    return s;
}

std::optional<char> nextOperator(char op, bool firstLine)
{
    switch (op) {
    case '+': return '-';
    case '-': return 'x';
    case 'x': return firstLine ? '+' : '/';
    case '/': return '^';
    case '^': return '+';
    default: return std::nullopt;
    }
}

char operatorOfCaption(std::string_view caption) { return caption.empty() ? BlankOp : caption.front(); }

Result<int> growTape(Tape& tape, int scrollMax, int lastRow, char op, std::size_t maxLines)
{
    if (scrollMax < 0 || lastRow < 0)
        return Failure::InvalidArgument;
    const long long m = static_cast<long long>(scrollMax) + 1;
    // A full tape stays as it is: the caller says so.
    if (static_cast<unsigned long long>(m + lastRow) + 1 > maxLines || m > INT_MAX)
        return Failure::OutOfRange;
    const std::size_t oldSize = tape.size();
    const auto lines = static_cast<std::size_t>(m + lastRow) + 1;
    tape.resize(lines);
    // Lines added here are empty until something is typed on them.
    for (std::size_t i = oldSize; i < lines; ++i) {
        tape.TapeValue[i] = Value();
        tape.TapeOp[i] = BlankOp;
    }
    tape.TapeOp[lines - 1] = op;
    return static_cast<int>(m);
}

std::string memoryText(const Value& value, int decimalPlaces, const Regional& regional)
{
    if (value.isText())
        return value.text();
    if (decimalPlaces >= 0 && decimalPlaces < 7) {
        if (Result<std::string> s = formatFixed(value, decimalPlaces, regional))
            return *s;
    }
    return plainText(value, regional.decimalSep);
}

std::optional<Value> totalMemoryValue(std::string_view totalText, const Regional& regional)
{
    if (contains(totalText, '('))
        return Value(std::string(totalText));
    if (totalText.empty())
        return Value(Decimal());
    if (Result<Decimal> d = parseRegional(totalText, regional))
        return Value(*d);
    return std::nullopt;
}

double piValue() { return 4.0 * std::atan(1.0); }

bool showsNegative(const Value& value)
{
    if (value.isText())
        return !value.text().empty() && value.text().front() == '-';
    const std::string s = plainText(value, '.');
    return !s.empty() && s.front() == '-';
}

} // namespace qm
