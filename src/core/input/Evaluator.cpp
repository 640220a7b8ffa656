#include "core/input/Evaluator.h"

#include "core/input/DecimalText.h"
#include "core/number/TextForm.h"

#include <algorithm>
#include <cmath>

namespace qm {

namespace {

// The 19 characters an expression may hold once upper-cased.
constexpr std::array<bool, 256> allowedTable()
{
    std::array<bool, 256> t{};
    for (char c : std::string_view("()0123456789+-^/*.,"))
        t[static_cast<unsigned char>(c)] = true;
    return t;
}
constexpr std::array<bool, 256> Allowed = allowedTable();

bool isOperatorChar(char c)
{
    return c == '+' || c == '-' || c == '/' || c == '*' || c == '^';
}

char upper(char c)
{
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

// Base to the power exponent in double; a result that is not a finite real
// number fails.
Result<double> powerOf(double base, double exponent)
{
    const double r = std::pow(base, exponent);
    if (std::isnan(r))
        return Failure::Power;
    if (std::isinf(r))
        return Failure::Overflow;
    return r;
}

} // namespace

std::string_view EvalError::text() const
{
    switch (kind_) {
    case Kind::Empty: return "Error";
    case Kind::Token: return "Error - Token";
    case Kind::Brackets: return "Error - ()";
    case Kind::Sign: return "Error - Sign";
    case Kind::Division: return "Error - Division";
    case Kind::RunTime: break;
    }
    return {};
}

std::string EvalError::describe() const
{
    return isRunTime() ? std::string("failure: ") + failureName(failure_) : std::string(text());
}

Result<std::string, EvalError> Evaluator::evaluate(std::string_view text)
{
    // Blanks go (tabs stay and are rejected below); letters are upper-cased so
    // that a lower-case name is reported like an upper-case one.
    source_.resize(text.size());
    char* out = source_.data();
    for (char c : text) {
        *out = upper(c);
        out += c != ' ';
    }
    source_.resize(static_cast<std::size_t>(out - source_.data()));
    if (source_.empty())
        return EvalError::Kind::Empty;

    // One pass for both checks; a stray character is reported before any
    // bracket fault, wherever the two stand.
    bool stray = false;
    bool unmatched = false;
    std::size_t opened = 0;
    std::size_t closed = 0;
    for (char c : source_) {
        stray |= !Allowed[static_cast<unsigned char>(c)];
        if (c == ')') {
            unmatched |= opened <= closed;
            ++closed;
        } else if (c == '(') {
            ++opened;
        }
    }
    if (stray)
        return EvalError::Kind::Token;
    if (unmatched || opened != closed)
        return EvalError::Kind::Brackets;

    head_.clear();
    tailPos_ = 0;
    opens_.clear();
    bracketsLeft_ = opened;

    for (;;) {
        if (Step found = findBrackets(); !found)
            return found.failure();
        if (Step tokenized = tokenize(piece_); !tokenized)
            return tokenized.failure();
        if (Step calculated = calculate(); !calculated)
            return calculated.failure();
        const std::string& value = tokens_[1].text;
        if (openPos_ == 0)
            return value;
        // The value replaces the bracket pair and its contents, joined directly
        // to whatever stands beside the brackets.
        head_.resize(static_cast<std::size_t>(openPos_ - 1));
        head_ += value;
        opens_.pop_back();
        --bracketsLeft_;
    }
}

Evaluator::Step Evaluator::findBrackets()
{
    openPos_ = 0;
    closePos_ = 0;
    if (bracketsLeft_ == 0) {
        // No bracket left: the piece is the whole expression.
        if (head_.empty()) {
            piece_ = std::string_view(source_).substr(tailPos_);
        } else {
            scratch_.assign(head_);
            scratch_.append(source_, tailPos_, std::string::npos);
            piece_ = scratch_;
        }
        return true;
    }
    // head_ holds no ")" (each substitution removed the first one), so the pair
    // wanted closes at the first ")" of the tail; the brackets are balanced, so
    // there is one.
    std::size_t q = tailPos_;
    std::size_t pos = head_.size();   // 1-based position of source_[q] is pos + 1
    const std::size_t openBefore = opens_.size();
    for (; q < source_.size(); ++q) {
        ++pos;
        if (pos > static_cast<std::size_t>(MaxBracketPos))
            return Failure::Overflow;   // the closing bracket lies further still
        const char c = source_[q];
        if (c == '(')
            opens_.push_back(static_cast<std::int32_t>(pos));
        else if (c == ')')
            break;
    }
    if (q >= source_.size() || opens_.empty()) {
        opens_.resize(openBefore);
        return Failure::Overflow;   // unreachable with balanced brackets; never index past the end
    }
    head_.append(source_, tailPos_, q - tailPos_ + 1);
    tailPos_ = q + 1;
    openPos_ = static_cast<std::int16_t>(opens_.back());
    closePos_ = static_cast<std::int16_t>(pos);
    const auto from = static_cast<std::size_t>(openPos_);   // first character after "("
    piece_ = std::string_view(head_).substr(from, static_cast<std::size_t>(closePos_) - 1 - from);
    return true;
}

void Evaluator::clearTables()
{
    for (int i = 1; i <= usedTokens_; ++i) {
        Token& t = tokens_[static_cast<std::size_t>(i)];
        t.kind = TokenKind::Empty;
        t.text.clear();
        t.hasValue = false;
    }
    for (int i = 1; i <= usedRaw_; ++i) {
        Token& t = raw_[static_cast<std::size_t>(i)];
        t.kind = TokenKind::Empty;
        t.text.clear();
        t.hasValue = false;
    }
    usedTokens_ = 0;
    usedRaw_ = 0;
}

Evaluator::Step Evaluator::tokenize(std::string_view piece)
{
    clearTables();

    // Raw pass: runs of digits and points form one raw number; each operator
    // character takes a slot of its own.
    int n = 1;
    const std::size_t size = piece.size();
    for (std::size_t i = 0; i < size;) {
        const char c = piece[i];
        if ((c >= '0' && c <= '9') || c == '.' || c == ',') {
            // A run of digits and points joins the raw number at n in one go.
            std::size_t end = i + 1;
            while (end < size && ((piece[end] >= '0' && piece[end] <= '9') || piece[end] == '.' ||
                                   piece[end] == ','))
                ++end;
            if (n > MaxTokens)
                return Failure::Tokens;
            Token& t = raw_[static_cast<std::size_t>(n)];
            t.kind = TokenKind::Number;
            const std::size_t from = t.text.size();
            t.text.append(piece, i, end - i);
            std::replace(t.text.begin() + static_cast<std::ptrdiff_t>(from), t.text.end(), ',', '.');
            if (n > usedRaw_)
                usedRaw_ = n;
            i = end;
            continue;
        }
        if (isOperatorChar(c)) {
            if (n > MaxTokens)
                return Failure::Tokens;
            if (raw_[static_cast<std::size_t>(n)].kind != TokenKind::Empty) {
                ++n;
                if (n > MaxTokens)
                    return Failure::Tokens;
            }
            Token& t = raw_[static_cast<std::size_t>(n)];
            t.kind = TokenKind::Operator;
            t.text.assign(1, c);
            if (n > usedRaw_)
                usedRaw_ = n;
            ++n;
        }
        ++i;   // anything else (a bracket cannot be here) is passed over
    }

    auto rawAt = [&](int idx) -> const Token* {
        return idx >= 0 && idx <= MaxTokens ? &raw_[static_cast<std::size_t>(idx)] : nullptr;
    };

    // Sign folding: every "+" and "-" becomes the sign of the number after it.
    int out = 1;
    auto emit = [&](TokenKind kind, std::string_view sign, const std::string& text) {
        Token& t = tokens_[static_cast<std::size_t>(out)];
        t.kind = kind;
        t.text.assign(sign);
        t.text += text;
        t.hasValue = false;
        if (out > usedTokens_)
            usedTokens_ = out;
        ++out;
    };
    int j = 1;
    while (j <= n) {
        const Token* rj = rawAt(j);
        if (!rj)
            return Failure::Tokens;
        if (out > MaxTokens)
            return Failure::Tokens;   // cannot happen: out never passes j
        const bool isOp = rj->kind == TokenKind::Operator;
        if (j == 1 && isOp && rj->text != "-") {
            return EvalError::Kind::Sign;
        }
        if (isOp && (rj->text == "-" || rj->text == "+")) {
            const bool minus = rj->text == "-";
            const Token* r1 = rawAt(j + 1);
            if (!r1)
                return Failure::Tokens;
            if (r1->kind == TokenKind::Number) {
                emit(TokenKind::Number, minus ? "-" : "+", r1->text);
                j += 1;
            } else if (r1->kind == TokenKind::Operator && (r1->text == "+" || r1->text == "-")) {
                const Token* r2 = rawAt(j + 2);
                if (!r2)
                    return Failure::Tokens;
                // Unlike signs give "-", like signs cancel.
                const bool negative = minus != (r1->text == "-");
                emit(TokenKind::Number, negative ? "-" : "", r2->text);
                j += 2;
            } else {
                return EvalError::Kind::Sign;
            }
        } else {
            emit(rj->kind == TokenKind::Number ? TokenKind::Number : TokenKind::Operator, "", rj->text);
        }
        j += 1;
    }
    tokenCount_ = static_cast<std::int16_t>(out - 1);
    return true;
}

int Evaluator::findToken(std::string_view text, int start) const
{
    for (int i = start; i <= tokenCount_ && i <= MaxTokens; ++i) {
        if (i >= 0 && tokens_[static_cast<std::size_t>(i)].text == text)
            return i;
    }
    return 0;
}

Result<Decimal> Evaluator::strictValue(const Token& t) const
{
    if (t.hasValue)
        return t.value;
    return parseStrict(t.text);
}

void Evaluator::setResult(Token& t, const Decimal& d)
{
    t.text.clear();
    appendDecimalText(t.text, d);
    t.hasValue = true;
    t.value = d;
}

void Evaluator::removePair(int p)
{
    // Entries p and p+1 go; everything after them moves down by two places.
    const int count = tokenCount_;
    int i = p;
    for (; i + 2 <= count && i + 2 <= MaxTokens; ++i) {
        Token& dst = tokens_[static_cast<std::size_t>(i)];
        Token& src = tokens_[static_cast<std::size_t>(i + 2)];
        std::swap(dst, src);
    }
    for (; i <= count && i <= MaxTokens; ++i) {
        if (i < 1)
            continue;
        Token& t = tokens_[static_cast<std::size_t>(i)];
        t.kind = TokenKind::Empty;
        t.text.clear();
        t.hasValue = false;
    }
    tokenCount_ = static_cast<std::int16_t>(tokenCount_ - 2);
}

Evaluator::Step Evaluator::calculate()
{
    // Operands of the operator at p; p + 1 may lie beyond the table.
    auto operands = [&](int p, const Token*& a, const Token*& b) -> bool {
        if (p < 1 || p + 1 > MaxTokens)
            return false;
        a = &tokens_[static_cast<std::size_t>(p - 1)];
        b = &tokens_[static_cast<std::size_t>(p + 1)];
        return true;
    };

    int p = 0;
    while ((p = findToken("^", 1)) != 0) {
        const Token* a = nullptr;
        const Token* b = nullptr;
        if (!operands(p, a, b))
            return Failure::Tokens;
        auto base = strictValue(*a);
        if (!base)
            return base.failure();
        auto r = powerOf(base->toDouble(), leadingNumber(b->text));
        if (!r)
            return r.failure();
        Token& target = tokens_[static_cast<std::size_t>(p - 1)];
        target.text = doubleText(*r);
        target.hasValue = false;
        removePair(p);
    }
    // Division before multiplication; a divisor reading as zero is the
    // evaluator's own error, not a failure.
    for (const bool divide : {true, false}) {
        while ((p = findToken(divide ? "/" : "*", 1)) != 0) {
            const Token* a = nullptr;
            const Token* b = nullptr;
            if (!operands(p, a, b))
                return Failure::Tokens;
            if (divide && leadingNumber(b->text) == 0.0)
                return EvalError::Kind::Division;
            auto x = strictValue(*a);
            if (!x)
                return x.failure();
            auto y = strictValue(*b);
            if (!y)
                return y.failure();
            auto r = divide ? x->div(*y) : x->mul(*y);
            if (!r)
                return r.failure();
            setResult(tokens_[static_cast<std::size_t>(p - 1)], *r);
            removePair(p);
        }
    }

    if (tokenCount_ >= 2) {
        Decimal total;
        for (int i = 1; i <= tokenCount_ && i <= MaxTokens; ++i) {
            auto term = strictValue(tokens_[static_cast<std::size_t>(i)]);
            if (!term)
                return term.failure();
            auto sum = total.add(*term);
            if (!sum)
                return sum.failure();
            total = *sum;
        }
        setResult(tokens_[1], total);
    }

    // A lone number loses a "+" it carries and a power's text becomes decimal text.
    Token& first = tokens_[1];
    auto v = strictValue(first);
    if (!v)
        return v.failure();
    if (!first.hasValue)
        setResult(first, *v);
    return true;
}

} // namespace qm
