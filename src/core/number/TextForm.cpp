#include "core/number/TextForm.h"

#include "core/number/DecimalRaw.h"
#include "core/number/WideUInt.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

namespace qm {

using detail::Coef96Max;
using detail::Pow10;
using detail::u128;

namespace {

// ------------------------------------------------------------------ digits out

constexpr char DigitPairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

// Writes the digits of v backwards so that they end just before `end`, at
// least `minDigits` of them (leading zeros); returns where they start.
char* writeBackward(char* end, std::uint64_t v, int minDigits)
{
    char* p = end;
    while (v >= 100) {
        const auto pair = static_cast<unsigned>(v % 100) * 2;
        v /= 100;
        *--p = DigitPairs[pair + 1];
        *--p = DigitPairs[pair];
    }
    if (v >= 10) {
        const auto pair = static_cast<unsigned>(v) * 2;
        *--p = DigitPairs[pair + 1];
        *--p = DigitPairs[pair];
    } else {
        *--p = static_cast<char>('0' + v);
    }
    while (end - p < minDigits)
        *--p = '0';
    return p;
}

// Decimal digits of a coefficient (< 2^96), ending at `end`; zero gives "0".
// Returns where they start (at most 29 characters before `end`).
char* coefDigits(u128 c, char* end)
{
    constexpr std::uint64_t Ten19 = 10000000000000000000ull;
    if (c <= std::numeric_limits<std::uint64_t>::max())
        return writeBackward(end, static_cast<std::uint64_t>(c), 1);
    std::uint64_t low = 0;
    const std::uint64_t high = detail::div128by64(static_cast<std::uint64_t>(c >> 64),
                                                  static_cast<std::uint64_t>(c), Ten19, low);
    return writeBackward(writeBackward(end, low, 19), high, 1);
}

// ------------------------------------------------------------------ parsing

// A scanned number: value = (sign) D * 10^q, D being the significant digits
// (from the first nonzero digit to the last digit written). Only the first
// Kept digits are stored; `beyond` tells whether any later one is nonzero.
struct Scanned {
    static constexpr int Kept = 31;
    bool negative = false;
    char digit[Kept] = {};
    std::int64_t count = 0;     // significant digits in D
    bool beyond = false;
    std::int64_t q = 0;
};

class Scanner {
public:
    explicit Scanner(std::string_view t) : t_(t) {}

    bool atEnd() const { return i_ >= t_.size(); }
    char peek() const { return atEnd() ? '\0' : t_[i_]; }
    void next() { ++i_; }
    std::size_t pos() const { return i_; }
    void reset(std::size_t p) { i_ = p; }
    static bool isDigit(char c) { return c >= '0' && c <= '9'; }

    void skipBlanks()
    {
        while (!atEnd() && (peek() == ' ' || peek() == '\t'))
            next();
    }

    bool sign(bool& negative)
    {
        if (peek() == '+' || peek() == '-') {
            negative = peek() == '-';
            next();
            return true;
        }
        return false;
    }

    // Digits with an optional point; `group` (if not '\0') may follow any
    // digit of the integer part and is skipped. Returns false when no digit
    // was read.
    bool mantissa(Scanned& s, char point, char group)
    {
        bool anyDigit = false;
        bool afterPoint = false;
        std::int64_t fracDigits = 0;
        for (;;) {
            const char c = peek();
            if (isDigit(c)) {
                anyDigit = true;
                if (afterPoint)
                    ++fracDigits;
                if (c != '0' || s.count > 0) {
                    if (s.count < Scanned::Kept)
                        s.digit[s.count] = c;
                    else if (c != '0')
                        s.beyond = true;
                    ++s.count;
                }
                next();
            } else if (c == point && !afterPoint && !atEnd()) {
                afterPoint = true;
                next();
            } else if (group != '\0' && c == group && !afterPoint && anyDigit && !atEnd()) {
                next();
            } else {
                break;
            }
        }
        s.q = -fracDigits;
        return anyDigit;
    }

    // [eE][+-]?digits; on a malformed exponent nothing is consumed and false returned.
    bool exponent(std::int64_t& e)
    {
        const std::size_t start = i_;
        if (peek() != 'E' && peek() != 'e')
            return false;
        next();
        bool negative = false;
        sign(negative);
        if (!isDigit(peek())) {
            reset(start);
            return false;
        }
        std::int64_t v = 0;
        while (isDigit(peek())) {
            // Saturate: anything this large over- or underflows anyway.
            if (v < 1'000'000'000)
                v = v * 10 + (peek() - '0');
            next();
        }
        e = negative ? -v : v;
        return true;
    }

private:
    std::string_view t_;
    std::size_t i_ = 0;
};

// The scanned value as a decimal at the largest scale (at most the written
// one and at most 28) whose half-to-even rounded coefficient fits.
Result<Decimal> toDecimal(const Scanned& s)
{
    if (s.count == 0)
        return Decimal();
    const std::int64_t n = s.count;
    const std::int64_t natural = std::clamp<std::int64_t>(-s.q, 0, Decimal::MaxScale);
    // At most 29 coefficient digits: scale <= 29 - n - q.
    std::int64_t scale = std::min(natural, 29 - n - s.q);
    for (; scale >= 0; --scale) {
        const std::int64_t t = s.q + scale;   // digits appended (> 0) or dropped (< 0)
        u128 c = 0;
        if (t >= 0) {
            for (std::int64_t i = 0; i < n; ++i)
                c = c * 10 + static_cast<unsigned>(s.digit[i] - '0');
            c *= Pow10[t];   // n + t <= 29 digits
        } else {
            const std::int64_t kept = n + t;
            for (std::int64_t i = 0; i < kept; ++i)
                c = c * 10 + static_cast<unsigned>(s.digit[i] - '0');
            int roundDigit = 0;
            bool sticky = s.beyond;
            if (kept >= 0) {
                roundDigit = s.digit[kept] - '0';   // kept < n and kept <= 29 < Kept
                for (std::int64_t i = kept + 1; i < std::min<std::int64_t>(n, Scanned::Kept); ++i)
                    sticky |= s.digit[i] != '0';
            } else {
                sticky = true;   // every digit lies below the rounding position
            }
            if (roundDigit > 5 || (roundDigit == 5 && (sticky || (c & 1) != 0)))
                ++c;
        }
        if (c <= Coef96Max)
            return detail::DecimalRaw::make(c, static_cast<int>(scale), s.negative);
    }
    return Failure::Overflow;
}

} // namespace

std::string plainText(const Decimal& d, char decimalSep)
{
    char digitBuf[32];
    char* const digitEnd = digitBuf + sizeof digitBuf;
    const char* digits = coefDigits(detail::DecimalRaw::coef(d), digitEnd);
    int n = static_cast<int>(digitEnd - digits);
    int scale = d.scale();
    while (scale > 0 && n > 1 && digits[n - 1] == '0') {
        --n;
        --scale;
    }
    if (n == 1 && digits[0] == '0')
        scale = 0;
    char buf[64];   // sign, 29 digits, point and up to 27 leading zeros
    char* p = buf;
    if (d.isNegative())
        *p++ = '-';
    if (scale == 0) {
        std::memcpy(p, digits, static_cast<std::size_t>(n));
        p += n;
    } else if (n > scale) {
        std::memcpy(p, digits, static_cast<std::size_t>(n - scale));
        p += n - scale;
        *p++ = decimalSep;
        std::memcpy(p, digits + (n - scale), static_cast<std::size_t>(scale));
        p += scale;
    } else {
        *p++ = '0';
        *p++ = decimalSep;
        std::memset(p, '0', static_cast<std::size_t>(scale - n));
        p += scale - n;
        std::memcpy(p, digits, static_cast<std::size_t>(n));
        p += n;
    }
    return std::string(buf, p);
}

std::string doubleText(double d, char decimalSep)
{
    if (std::isnan(d))
        return "NaN";
    if (std::isinf(d))
        return d < 0 ? "-Infinity" : "Infinity";
    if (d == 0.0)
        return "0";
    // d.dddddddddddddde[+-]x..., correctly rounded to 15 significant digits.
    char sci[40];
    const char* end = std::to_chars(sci, sci + sizeof sci, std::fabs(d),
                                    std::chars_format::scientific, 14).ptr;
    char digits[15];
    int n = 0;
    const char* p = sci;
    for (; p < end && *p != 'e'; ++p)
        if (*p != '.')
            digits[n++] = *p;
    int exp10 = 0;
    std::from_chars(p + (*(p + 1) == '+' ? 2 : 1), end, exp10);
    while (n > 1 && digits[n - 1] == '0')
        --n;

    std::string out;
    out.reserve(32);
    if (d < 0)
        out.push_back('-');
    if (exp10 >= 15 || exp10 < -5) {
        out.push_back(digits[0]);
        if (n > 1) {
            out.push_back(decimalSep);
            out.append(digits + 1, static_cast<std::size_t>(n - 1));
        }
        out.push_back('E');
        out.push_back(exp10 < 0 ? '-' : '+');
        const int ae = exp10 < 0 ? -exp10 : exp10;   // at most 324
        char expDigits[4];
        char* const expEnd = expDigits + sizeof expDigits;
        const char* e = writeBackward(expEnd, static_cast<std::uint64_t>(ae), 2);
        out.append(e, static_cast<std::size_t>(expEnd - e));
    } else if (exp10 >= 0) {
        const int intDigits = exp10 + 1;
        if (n <= intDigits) {
            out.append(digits, static_cast<std::size_t>(n));
            out.append(static_cast<std::size_t>(intDigits - n), '0');
        } else {
            out.append(digits, static_cast<std::size_t>(intDigits));
            out.push_back(decimalSep);
            out.append(digits + intDigits, static_cast<std::size_t>(n - intDigits));
        }
    } else {
        out.push_back('0');
        out.push_back(decimalSep);
        out.append(static_cast<std::size_t>(-exp10 - 1), '0');
        out.append(digits, static_cast<std::size_t>(n));
    }
    return out;
}

std::string plainText(const Value& v, char decimalSep)
{
    switch (v.kind()) {
    case Value::Kind::Decimal: return plainText(v.decimal(), decimalSep);
    case Value::Kind::Double: return doubleText(v.dbl(), decimalSep);
    case Value::Kind::Text: return v.text();
    case Value::Kind::Empty: break;
    }
    return {};
}

Result<Decimal> parseStrict(std::string_view text)
{
    Scanner sc(text);
    Scanned s;
    sc.sign(s.negative);
    if (!sc.mantissa(s, '.', '\0'))
        return Failure::Conversion;
    std::int64_t e = 0;
    if (sc.exponent(e))
        s.q += e;
    if (!sc.atEnd())
        return Failure::Conversion;
    return toDecimal(s);
}

Result<Decimal> parseRegional(std::string_view text, const Regional& r)
{
    const char group = r.thousandSep == r.decimalSep ? '\0' : r.thousandSep;
    Scanner sc(text);
    Scanned s;
    sc.skipBlanks();
    sc.sign(s.negative);
    if (!sc.mantissa(s, r.decimalSep, group))
        return Failure::Conversion;
    std::int64_t e = 0;
    if (sc.exponent(e))
        s.q += e;
    sc.skipBlanks();
    if (!sc.atEnd())
        return Failure::Conversion;
    return toDecimal(s);
}

double leadingNumber(std::string_view text)
{
    Scanner sc(text);
    sc.skipBlanks();
    bool negative = false;
    sc.sign(negative);
    const std::size_t start = sc.pos();
    Scanned s;
    if (!sc.mantissa(s, '.', '\0'))
        return 0.0;
    std::int64_t e = 0;
    const bool hasExponent = sc.exponent(e);
    const std::string_view number = text.substr(start, sc.pos() - start);

    double v = 0.0;
    const auto res = std::from_chars(number.data(), number.data() + number.size(), v,
                                     std::chars_format::general);
    if (res.ec == std::errc::result_out_of_range) {
        // Decimal magnitude of the leading digit decides: overflow or underflow.
        const std::int64_t magnitude = s.count + s.q + (hasExponent ? e : 0);
        v = magnitude > 0 ? std::numeric_limits<double>::infinity() : 0.0;
    } else if (res.ec != std::errc()) {
        v = 0.0;
    }
    return negative ? -v : v;
}

Result<std::string> formatFixed(const Decimal& d, int decimals, const Regional& r)
{
    if (decimals < 0 || decimals > Decimal::MaxScale)
        return Failure::InvalidArgument;
    const Decimal rounded = d.roundHalfAwayFromZero(decimals).value();
    char digitBuf[32];
    char* const digitEnd = digitBuf + sizeof digitBuf;
    const char* digits = coefDigits(detail::DecimalRaw::coef(rounded), digitEnd);
    const int n = static_cast<int>(digitEnd - digits);
    const bool zero = rounded.isZero();
    const int scale = zero ? 0 : rounded.scale();   // decimals actually held, <= decimals
    // Integer digits: none below 1 ("0" only when no decimals are shown).
    const int intDigits = zero ? 0 : n - scale;

    // Sign, 29 digits with a separator between any two, point, 28 decimals.
    char buf[96];
    char* p = buf;
    if (rounded.isNegative())
        *p++ = '-';
    if (intDigits > 0) {
        const int g = r.grouping;
        int untilSep = g > 0 ? (intDigits % g == 0 ? g : intDigits % g) : intDigits;
        for (int i = 0; i < intDigits; ++i) {
            if (untilSep == 0) {
                *p++ = r.thousandSep;
                untilSep = g;
            }
            *p++ = digits[i];
            --untilSep;
        }
    } else if (decimals == 0) {
        *p++ = '0';
    }
    if (decimals > 0) {
        *p++ = r.decimalSep;
        const int leadingZeros = intDigits < 0 ? -intDigits : 0;
        std::memset(p, '0', static_cast<std::size_t>(leadingZeros));
        p += leadingZeros;
        if (!zero) {
            const int from = intDigits > 0 ? intDigits : 0;
            std::memcpy(p, digits + from, static_cast<std::size_t>(n - from));
            p += n - from;
        }
        std::memset(p, '0', static_cast<std::size_t>(decimals - scale));
        p += decimals - scale;
    }
    return std::string(buf, p);
}

Result<std::string> formatFixed(const Value& v, int decimals, const Regional& r)
{
    switch (v.kind()) {
    case Value::Kind::Empty: return formatFixed(Decimal(), decimals, r);
    case Value::Kind::Decimal: return formatFixed(v.decimal(), decimals, r);
    case Value::Kind::Double: {
        const auto d = Decimal::fromDouble(v.dbl());
        if (!d)
            return d.failure();
        return formatFixed(*d, decimals, r);
    }
    case Value::Kind::Text: break;
    }
    return Failure::Conversion;
}

} // namespace qm
