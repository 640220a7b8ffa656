#include "core/tape/MailCalc.h"

#include "core/input/DecimalText.h"
#include "core/input/Evaluator.h"
#include "core/tape/Statistics.h"

#include <array>
#include <charconv>
#include <cmath>
#include <numbers>
#include <optional>
#include <string_view>

namespace qm {

namespace {

enum class Fn { Sin, Cos, Tan, Log, Exp, Sqr, Cot, Csc, Sec, Asin, Acos, Atan };

struct Keyword {
    std::string_view text;
    Fn fn;
    std::string_view label;   // what ErrorLabel becomes; empty: left as it is
};

// In the order they are tested. Case matters, so "Asin(" does not contain "Sin(".
constexpr std::array<Keyword, 12> Keywords{{
    {"Sin(", Fn::Sin, {}},
    {"Cos(", Fn::Cos, {}},
    {"Tan(", Fn::Tan, {}},
    {"Log(", Fn::Log, {}},
    {"Exp(", Fn::Exp, {}},
    {"Sqr(", Fn::Sqr, {}},
    {"Cot(", Fn::Cot, {}},
    {"Csc(", Fn::Csc, {}},
    {"Sec(", Fn::Sec, {}},
    {"Asin(", Fn::Asin, "Asin "},
    {"Acos(", Fn::Acos, "Acos "},
    {"Atan(", Fn::Atan, "Atan "},
}};

bool contains(std::string_view text, std::string_view part)
{
    return text.find(part) != std::string_view::npos;
}

// out = text with every occurrence of `a` and of `b` removed (b may be empty).
void removeAll(std::string& out, std::string_view text, std::string_view a, std::string_view b)
{
    out.clear();
    std::size_t i = 0;
    while (i < text.size()) {
        if (!a.empty() && text.compare(i, a.size(), a) == 0) {
            i += a.size();
        } else if (!b.empty() && text.compare(i, b.size(), b) == 0) {
            i += b.size();
        } else {
            out += text[i];
            ++i;
        }
    }
}

// out = text with every `from` character replaced by `to`.
void replaceAll(std::string& out, std::string_view text, char from, std::string_view to)
{
    out.clear();
    for (char c : text) {
        if (c == from)
            out += to;
        else
            out += c;
    }
}

Result<double> finite(double v)
{
    if (std::isinf(v))
        return Failure::Overflow;
    if (std::isnan(v))
        return Failure::InvalidArgument;
    return v;
}

Result<double> reciprocal(double v)
{
    if (v == 0.0)
        return Failure::DivisionByZero;
    return finite(1.0 / v);
}

// The inverse sine and cosine by their arctangent forms; at +-1, where those
// divide by zero, the exact limits pi/2, -pi/2, 0 and pi.
Result<double> arcSine(double a)
{
    if (std::isnan(a) || std::fabs(a) > 1.0)
        return Failure::InvalidArgument;   // square root of a negative number
    if (a == 1.0)
        return std::numbers::pi / 2;
    if (a == -1.0)
        return -std::numbers::pi / 2;
    return finite(std::atan(a / std::sqrt(1.0 - a * a)));
}

Result<double> arcCosine(double a)
{
    if (std::isnan(a) || std::fabs(a) > 1.0)
        return Failure::InvalidArgument;
    if (a == 1.0)
        return 0.0;
    if (a == -1.0)
        return std::numbers::pi;
    return finite(std::atan(-a / std::sqrt(1.0 - a * a)) + 2 * std::atan(1.0));
}

// Log is the natural logarithm, Exp e to the power a, Sqr the square root.
// Whatever has no finite value fails the step.
Result<double> apply(Fn fn, double a)
{
    switch (fn) {
    case Fn::Sin: return finite(std::sin(a));
    case Fn::Cos: return finite(std::cos(a));
    case Fn::Tan: return finite(std::tan(a));
    case Fn::Log:
        if (!(a > 0.0))
            return Failure::InvalidArgument;
        return finite(std::log(a));
    case Fn::Exp: return finite(std::exp(a));
    case Fn::Sqr:
        if (a < 0.0)
            return Failure::InvalidArgument;
        return finite(std::sqrt(a));
    case Fn::Cot: return reciprocal(std::tan(a));
    case Fn::Csc: return reciprocal(std::sin(a));
    case Fn::Sec: return reciprocal(std::cos(a));
    case Fn::Asin: return arcSine(a);
    case Fn::Acos: return arcCosine(a);
    case Fn::Atan: return finite(std::atan(a));
    }
    return Failure::InvalidArgument;
}

Result<Value> fromDecimal(Result<Decimal> r)
{
    if (!r)
        return r.failure();
    return Value(*r);
}

// T op v. Two decimals, the common case, go straight to the decimal type.
Result<Value> combine(char op, const Value& t, const Value& v)
{
    if (t.isDecimal() && v.isDecimal() && op != '^') {
        const Decimal& a = t.decimal();
        const Decimal& b = v.decimal();
        switch (op) {
        case '+': return fromDecimal(a.add(b));
        case '-': return fromDecimal(a.sub(b));
        case 'x': return fromDecimal(a.mul(b));
        default: return fromDecimal(a.div(b));
        }
    }
    switch (op) {
    case '+': return add(t, v);
    case '-': return sub(t, v);
    case 'x': return mul(t, v);
    case '/': return div(t, v);
    default: return power(t, v);
    }
}

// Fixed decimals for a power's double beyond the decimal range, as numbers
// are shown everywhere: 15 significant digits, zeros up to the units, the
// regional grouping, and the decimals (all zero at that magnitude).
std::optional<std::string> fixedLargeDouble(double x, int decimals, const Regional& r)
{
    if (!std::isfinite(x) || std::fabs(x) < 1e20 || decimals < 0 || decimals > 28)
        return std::nullopt;
    char buf[40];
    const auto res = std::to_chars(buf, buf + sizeof buf, std::fabs(x), std::chars_format::scientific, 14);
    if (res.ec != std::errc())
        return std::nullopt;
    // d.dddddddddddddde+XX
    const std::string_view sci(buf, static_cast<std::size_t>(res.ptr - buf));
    const std::size_t e = sci.find('e');
    if (e == std::string_view::npos || e < 2)
        return std::nullopt;
    int exponent = 0;
    const char* expBegin = sci.data() + e + 1 + (sci[e + 1] == '+' ? 1 : 0);
    if (std::from_chars(expBegin, sci.data() + sci.size(), exponent).ec != std::errc() || exponent < 15)
        return std::nullopt;
    std::string digits(1, sci[0]);
    digits.append(sci.substr(2, e - 2));
    digits.resize(static_cast<std::size_t>(exponent) + 1, '0');

    std::string out;
    if (x < 0)
        out += '-';
    const std::size_t n = digits.size();
    const auto g = static_cast<std::size_t>(r.grouping > 0 ? r.grouping : 0);
    for (std::size_t i = 0; i < n; ++i) {
        if (g > 0 && i > 0 && (n - i) % g == 0)
            out += r.thousandSep;
        out += digits[i];
    }
    if (decimals > 0) {
        out += r.decimalSep;
        out.append(static_cast<std::size_t>(decimals), '0');
    }
    return out;
}

bool isOperator(char op)
{
    return op == '+' || op == '-' || op == 'x' || op == '/' || op == '^';
}

constexpr std::uint8_t ButtonLabelBase = 100;

// The texts roundingLine takes as a rounding instruction.
bool isRoundingText(std::string_view text)
{
    return contains(text, "Int") || contains(text, "Fix") || contains(text, "Roun(");
}

// The box's text at the end of a run (or of a cut tape).
std::string totalText(const Value& total, bool failed, bool overflow, std::string_view label,
                      const CalcSettings& settings)
{
    if (overflow)
        return "Overflow";
    if (failed)
        return std::string(label) + "Error";
    const char sep = settings.regional.decimalSep;
    if (settings.DecimalPlaces == VariableDecimals)
        return plainText(total, sep);
    auto formatted = formatFixed(total, settings.DecimalPlaces, settings.regional);
    if (formatted)
        return std::move(formatted.value());
    if (total.isDouble()) {
        if (auto large = fixedLargeDouble(total.dbl(), settings.DecimalPlaces, settings.regional))
            return std::move(*large);
    }
    return plainText(total, sep);
}

// One run over the tape. Failing steps leave the total as it was; the most
// recent failure decides between "Overflow" and "Error".
class TapeRun {
public:
    TapeRun(const Tape& tape, const CalcSettings& settings, const FunctionButtons& buttons,
            Evaluator& evaluator, std::vector<LineTotal>* totals = nullptr)
        : tape_(tape), settings_(settings), buttons_(buttons), evaluator_(evaluator), totals_(totals)
    {
        for (std::size_t k = 0; k < buttons.size(); ++k)
            needles_[k] = buttons[k].Caption + "(";
    }

    std::string run();

private:
    void fail(Failure f)
    {
        failed_ = true;
        lastOverflow_ = f == Failure::Overflow;
    }
    // Puts a total held by the decimal fast path back into RunningTotal;
    // every step but a plain decimal line starts with it.
    void syncTotal()
    {
        if (fastTotal_) {
            RunningTotal = Value(*fastTotal_);
            fastTotal_.reset();
        }
    }
    // True when `r` holds a value; otherwise the run notes the failure and
    // the caller leaves the line (the total stays, "Error" shows at the end).
    template <class T>
    bool passed(const Result<T>& r)
    {
        if (!r)
            fail(r.failure());
        return r.ok();
    }
    void setTotal(Result<Value> r)
    {
        if (passed(r))
            RunningTotal = std::move(r.value());
    }
    // Notes the running total after line `line`.
    void record(std::size_t line)
    {
        if (!totals_ || line >= totals_->size())
            return;
        LineTotal& t = (*totals_)[line];
        if (fastTotal_)
            t.set(*fastTotal_);
        else if (RunningTotal.isDouble())
            t.set(RunningTotal.dbl());
        else
            t.set(RunningTotal.isDecimal() ? RunningTotal.decimal() : Decimal());
        t.failure = lastOverflow_ ? LineTotal::Overflow : failed_ ? LineTotal::Failed : LineTotal::Fine;
        t.label = labelId_;
    }
    // A rounding line followed by another line: were the tape cut after it,
    // the rounding line would be the last one and taken as an operand.
    void recordCut(std::size_t line, const Value& value, char op)
    {
        const Value total = RunningTotal;
        const std::string label = ErrorLabel;
        const std::uint8_t labelId = labelId_;
        const bool failed = failed_;
        const bool overflow = lastOverflow_;
        if (isOperator(op))
            operandLine(value, op);
        syncTotal();
        record(line);
        RunningTotal = total;
        ErrorLabel = label;
        labelId_ = labelId;
        failed_ = failed;
        lastOverflow_ = overflow;
    }
    bool roundingLine(std::string_view text);
    void operandLine(const Value& value, char op);
    void functionLine(const Keyword& kw, std::string_view text, char op);
    void percentLine(std::string_view text, char op);
    void userLine(std::size_t k, std::string_view text, char op);
    std::string showTotal();

    const Tape& tape_;
    const CalcSettings& settings_;
    const FunctionButtons& buttons_;
    Evaluator& evaluator_;
    std::vector<LineTotal>* totals_;
    std::array<std::string, FunctionButtonCount> needles_;   // Caption + "("
    std::uint8_t labelId_ = 0;   // names ErrorLabel for the running totals

    Value RunningTotal{Decimal()};
    std::optional<Decimal> fastTotal_;   // when set, the true running total
    std::string ErrorLabel;
    bool failed_ = false;
    bool lastOverflow_ = false;
    std::string arg_;       // scratch buffers reused by every line
    std::string formula_;
    std::string formula2_;
    std::string totalText_;
};

std::string TapeRun::run()
{
    const std::size_t count = std::min(tape_.TapeValue.size(), tape_.TapeOp.size());
    if (totals_)
        totals_->resize(count);
    for (std::size_t i = 0; i < count; ++i) {
        const Value* value = &tape_.TapeValue[i];
        if (value->isText())
            syncTotal();
        if (value->isText() && totals_ && i + 1 < count && isRoundingText(value->text()))
            recordCut(i, *value, tape_.TapeOp[i]);
        if (value->isText() && roundingLine(value->text())) {
            // The rounding line gives no operand: the line after it is taken
            // at once, without its own rounding test. The last line has no
            // line after it and is taken as an operand itself.
            if (i + 1 < count) {
                ++i;
                value = &tape_.TapeValue[i];
            }
        }
        const char op = tape_.TapeOp[i];
        if (isOperator(op))
            operandLine(*value, op);
        record(i);
    }
    syncTotal();
    return showTotal();
}

bool TapeRun::roundingLine(std::string_view text)
{
    if (contains(text, "Int")) {
        if (RunningTotal.isDouble())
            RunningTotal = Value(std::floor(RunningTotal.dbl()));
        else if (RunningTotal.isDecimal())
            RunningTotal = Value(RunningTotal.decimal().floor());
        return true;
    }
    if (contains(text, "Fix")) {
        if (RunningTotal.isDouble())
            RunningTotal = Value(std::trunc(RunningTotal.dbl()));
        else if (RunningTotal.isDecimal())
            RunningTotal = Value(RunningTotal.decimal().trunc());
        return true;
    }
    if (!contains(text, "Roun("))
        return false;

    removeAll(arg_, text, "Roun(", ")");
    const double n = std::nearbyint(leadingNumber(arg_));   // ties to even
    if (!std::isfinite(n) || std::fabs(n) > 2147483647.0) {
        fail(Failure::Overflow);
        return true;
    }
    if (n < 0) {
        fail(Failure::InvalidArgument);
        return true;
    }
    const int digits = static_cast<int>(n);
    if (RunningTotal.isDecimal()) {
        auto r = RunningTotal.decimal().round(digits);
        if (passed(r))
            RunningTotal = Value(*r);
    } else if (RunningTotal.isDouble() && digits <= 22) {
        // Scaled by an exactly held power of ten; beyond 22 decimals a double
        // has nothing left to round.
        const double scale = std::pow(10.0, digits);
        const double scaled = RunningTotal.dbl() * scale;
        if (std::isfinite(scaled))
            RunningTotal = Value(std::nearbyint(scaled) / scale);
    }
    return true;
}

void TapeRun::operandLine(const Value& value, char op)
{
    if (!value.isText()) {
        if (value.isEmpty())
            return;
        if (value.isDecimal() && op != '^' && (fastTotal_ || RunningTotal.isDecimal())) {
            // The common line: decimal with decimal, kept apart from the Value.
            if (!fastTotal_)
                fastTotal_ = RunningTotal.decimal();
            const Decimal& a = *fastTotal_;
            const Decimal& b = value.decimal();
            Result<Decimal> r = op == '+' ? a.add(b) : op == '-' ? a.sub(b) : op == 'x' ? a.mul(b) : a.div(b);
            if (passed(r))
                fastTotal_ = *r;
            return;
        }
        syncTotal();
        setTotal(combine(op, RunningTotal, value));
        return;
    }
    const std::string_view text = value.text();
    for (const Keyword& kw : Keywords) {
        if (contains(text, kw.text)) {
            functionLine(kw, text, op);
            return;
        }
    }
    if (contains(text, "%")) {
        percentLine(text, op);
        return;
    }
    for (std::size_t k = 0; k < needles_.size(); ++k) {
        if (contains(text, needles_[k])) {
            userLine(k, text, op);
            return;
        }
    }
    if (text.empty())
        return;
    auto number = parseRegional(text, settings_.regional);
    if (!passed(number))
        return;
    setTotal(combine(op, RunningTotal, Value(*number)));
}

void TapeRun::functionLine(const Keyword& kw, std::string_view text, char op)
{
    if (!kw.label.empty()) {
        ErrorLabel = kw.label;
        labelId_ = static_cast<std::uint8_t>(1 + (&kw - Keywords.data()));
    }
    removeAll(arg_, text, kw.text, ")");
    // Every argument is read under the regional settings; the inverse cosine
    // and tangent keep it as a decimal until the function itself is taken.
    auto a = parseRegional(arg_, settings_.regional);
    if (!passed(a))
        return;
    auto v = apply(kw.fn, a->toDouble());
    if (!passed(v))
        return;
    setTotal(combine(op, RunningTotal, Value(*v)));
}

void TapeRun::percentLine(std::string_view text, char op)
{
    removeAll(arg_, text, "%", {});
    auto parsed = parseRegional(arg_, settings_.regional);
    if (!passed(parsed))
        return;
    const Value& t = RunningTotal;
    const Value p(*parsed);
    const Value hundred(Decimal::fromInt(100));
    if (op == 'x') {
        auto share = div(p, hundred);   // T * (p / 100)
        if (!passed(share))
            return;
        setTotal(mul(t, *share));
        return;
    }
    auto tp = mul(t, p);   // T * p / 100, left to right
    if (!passed(tp))
        return;
    auto part = div(*tp, hundred);
    if (!passed(part))
        return;
    switch (op) {
    case '+': setTotal(add(t, *part)); break;
    case '-': setTotal(sub(t, *part)); break;
    case '/': setTotal(div(t, *part)); break;
    default: setTotal(power(t, *part)); break;
    }
}

void TapeRun::userLine(std::size_t k, std::string_view text, char op)
{
    const FunctionButton& button = buttons_[k];
    ErrorLabel = button.Caption;
    ErrorLabel += ' ';
    labelId_ = static_cast<std::uint8_t>(ButtonLabelBase + k);

    removeAll(arg_, text, needles_[k], ")");
    if (arg_.empty())
        arg_.push_back('0');   // it is empty here
    // X takes the argument as typed; T the running total in the evaluator's
    // own notation ("." as point). The evaluator reads "," as a point too, so
    // "2,5" works where "," is the decimal separator, while a typed thousands
    // separator ("1,234.5") makes a number with two points and fails.
    replaceAll(formula_, button.Formula, 'X', arg_);
    totalText_.clear();
    if (RunningTotal.isDouble())
        totalText_ = doubleText(RunningTotal.dbl(), '.');
    else if (RunningTotal.isDecimal())
        appendDecimalText(totalText_, RunningTotal.decimal(), '.');
    replaceAll(formula2_, formula_, 'T', totalText_);

    auto result = evaluator_.evaluate(formula2_);
    if (!result) {
        // The evaluator's own errors are texts, and a text is not a number.
        const EvalError& why = result.failure();
        fail(why.isRunTime() ? why.runTimeFailure() : Failure::Conversion);
        return;
    }
    auto v = parseStrict(*result);
    if (!passed(v))
        return;
    setTotal(combine(op, RunningTotal, Value(*v)));
}

std::string TapeRun::showTotal()
{
    return totalText(RunningTotal, failed_, lastOverflow_, ErrorLabel, settings_);
}

} // namespace

std::uint32_t totalColour(const std::string& text)
{
    return !text.empty() && text.front() == '-' ? TotalColourRed : TotalColourBlack;
}

TotalResult MailCalc(const Tape& tape, const CalcSettings& settings, const FunctionButtons& buttons,
                     const std::string& previousText, Evaluator& evaluator)
{
    TotalResult result;
    if (isStatistic(settings.StatMode)) {
        auto stat = statisticText(tape.TapeValue, settings.StatMode, settings.regional);
        result.text = stat ? std::move(*stat) : previousText;
    } else if (settings.StatMode == static_cast<int>(StatMode::Total)) {
        TapeRun run(tape, settings, buttons, evaluator);
        result.text = run.run();
    } else {
        result.text = previousText;
    }
    result.colour = totalColour(result.text);
    return result;
}

TotalResult MailCalc(const Tape& tape, const CalcSettings& settings, const FunctionButtons& buttons,
                     const std::string& previousText, Evaluator& evaluator,
                     std::vector<LineTotal>& runningTotals)
{
    TapeRun run(tape, settings, buttons, evaluator, &runningTotals);
    std::string text = run.run();
    if (settings.StatMode == static_cast<int>(StatMode::Total)) {
        TotalResult result;
        result.text = std::move(text);
        result.colour = totalColour(result.text);
        return result;
    }
    return MailCalc(tape, settings, buttons, previousText, evaluator);
}

std::string runningTotalText(const LineTotal& total, const CalcSettings& settings,
                             const FunctionButtons& buttons)
{
    std::string label;
    if (total.label >= 1 && total.label <= Keywords.size())
        label = Keywords[total.label - 1].label;
    else if (total.label >= ButtonLabelBase && total.label - ButtonLabelBase < FunctionButtonCount)
        label = buttons[total.label - ButtonLabelBase].Caption + " ";
    return totalText(total.value(), total.failure != LineTotal::Fine, total.failure == LineTotal::Overflow,
                     label, settings);
}

} // namespace qm
