// Fuzz target for the number layer: text reading in all three forms, printing,
// fixed formatting and arithmetic on decimals decoded from the raw bytes.
// Every property below holds for all inputs; a violation aborts.

#include "core/number/Decimal.h"
#include "core/number/TextForm.h"
#include "core/number/Value.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

namespace {

using qm::Decimal;

[[noreturn]] void fail(const char* what, const std::string& detail)
{
    std::fprintf(stderr, "property violated: %s [%s]\n", what, detail.c_str());
    std::abort();
}

void check(bool ok, const char* what, const std::string& detail = {})
{
    if (!ok)
        fail(what, detail);
}

// 13 bytes: 12 of coefficient, then sign (top bit) and scale (0..28).
Decimal decode(const std::uint8_t* p)
{
    std::uint32_t w[3];
    std::memcpy(w, p, sizeof w);
    const auto r = Decimal::fromParts(w[0], w[1], w[2], (p[12] & 0x80) != 0, (p[12] & 0x7F) % 29);
    check(r.ok(), "fromParts accepts scales 0..28");
    return r.value();
}

qm::Regional regionalFrom(std::uint8_t b)
{
    static const char points[] = {'.', ','};
    static const char groups[] = {',', '.', ' ', '\''};
    qm::Regional r;
    r.decimalSep = points[b & 1];
    r.thousandSep = groups[(b >> 1) & 3];
    r.grouping = (b >> 3) % 5;
    return r;
}

void checkTextRoundTrip(const Decimal& x, const qm::Regional& r)
{
    const std::string plain = qm::plainText(x);
    const auto back = qm::parseStrict(plain);
    check(back.ok() && *back == x, "parseStrict(plainText(x)) == x", plain);

    // Fixed formatting reads back through the regional parser as the rounded value
    // (unless the separators clash, which no real setting does).
    if (r.decimalSep == r.thousandSep)
        return;
    for (int n : {0, 1, 2, 6, 28}) {
        const auto text = qm::formatFixed(x, n, r);
        check(text.ok(), "formatFixed succeeds for 0..28 decimals", plain);
        const auto rounded = x.roundHalfAwayFromZero(n);
        const auto parsed = qm::parseRegional(*text, r);
        check(parsed.ok() && *parsed == *rounded, "parseRegional(formatFixed(x)) == rounded x",
              plain + " -> " + *text);
    }
}

void checkArithmetic(const Decimal& a, const Decimal& b)
{
    const std::string what = qm::plainText(a) + " , " + qm::plainText(b);
    const auto sum = a.add(b);
    const auto sum2 = b.add(a);
    check(sum.ok() == sum2.ok() && (!sum.ok() || *sum == *sum2), "add commutes", what);
    if (sum.ok()) {
        // Rounding is monotone: adding a positive number never decreases.
        if (!b.isNegative())
            check(*sum >= a, "a + b >= a for b >= 0", what);
        else
            check(*sum <= a, "a + b <= a for b < 0", what);
    } else {
        check(sum.failure() == qm::Failure::Overflow, "add fails only by overflow", what);
    }
    const auto d1 = a.sub(b);
    const auto d2 = b.sub(a);
    check(d1.ok() == d2.ok() && (!d1.ok() || *d1 == d2->negated()), "a - b == -(b - a)", what);
    if (d1.ok() && !d1->isZero())
        check((a <=> b) == (d1->isNegative() ? std::strong_ordering::less : std::strong_ordering::greater),
              "sign of a - b matches the ordering", what);

    const auto p1 = a.mul(b);
    const auto p2 = b.mul(a);
    check(p1.ok() == p2.ok() && (!p1.ok() || *p1 == *p2), "mul commutes", what);
    if (p1.ok() && !p1->isZero())
        check(p1->isNegative() == (a.isNegative() != b.isNegative()), "sign of a * b", what);

    const auto q = a.div(b);
    if (b.isZero()) {
        check(!q.ok() && q.failure() == qm::Failure::DivisionByZero, "division by zero", what);
    } else if (q.ok()) {
        if (!q->isZero())
            check(q->isNegative() == (a.isNegative() != b.isNegative()), "sign of a / b", what);
        // |a / b| <= |a| exactly when |b| >= 1.
        if (b.abs() >= Decimal::fromInt(1))
            check(q->abs() <= a.abs(), "|a / b| <= |a| for |b| >= 1", what);
    } else {
        check(q.failure() == qm::Failure::Overflow, "div fails only by overflow", what);
    }

    const Decimal f = a.floor();
    const Decimal t = a.trunc();
    check(f <= a && a.sub(f).value() < Decimal::fromInt(1), "floor(a) <= a < floor(a) + 1", what);
    check(t.abs() <= a.abs() && f <= t, "trunc moves toward zero", what);
    for (int n : {0, 3, 27}) {
        const Decimal r = a.round(n).value();
        check(r.scale() <= std::max(n, 0) || r.scale() == a.scale(), "round keeps at most n decimals", what);
    }
    check(qm::compare(qm::Value(a), qm::Value(b)) == (a <=> b), "Value ordering of decimals", what);
}

void checkDouble(double d)
{
    if (!std::isfinite(d))
        return;
    const std::string text = qm::doubleText(d);
    const auto parsed = qm::parseStrict(text);
    if (std::fabs(d) < 7.9e28)
        check(parsed.ok(), "parseStrict reads doubleText inside the decimal range", text);
    else
        check(parsed.ok() || parsed.failure() == qm::Failure::Overflow, "doubleText is a number", text);
    const double lead = qm::leadingNumber(text);
    // 15 digits of the largest doubles round beyond the double range.
    if (std::isinf(lead))
        check(std::fabs(d) > 1.7976931348623e308, "leadingNumber(doubleText(d)) is finite", text);
    else
        check(lead == d || std::fabs(lead - d) <= std::fabs(d) * 1e-14, "leadingNumber(doubleText(d)) ~ d", text);

    const auto dec = Decimal::fromDouble(d);
    if (dec.ok()) {
        const qm::Value vd(d);
        const qm::Value vx(*dec);
        // Both orders of a mixed comparison agree.
        const auto c1 = qm::compare(vd, vx);
        const auto c2 = qm::compare(vx, vd);
        check((c1 < 0) == (c2 > 0) && (c1 == 0) == (c2 == 0), "mixed comparison is antisymmetric", text);
    } else {
        check(dec.failure() == qm::Failure::Overflow && std::fabs(d) >= 0x1p96, "fromDouble fails only at 2^96",
              text);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const qm::Regional r = regionalFrom(size > 0 ? data[0] : 0);

    const auto strict = qm::parseStrict(text);
    if (strict.ok())
        checkTextRoundTrip(*strict, r);
    else
        check(strict.failure() == qm::Failure::Conversion || strict.failure() == qm::Failure::Overflow,
              "parseStrict fails by conversion or overflow");
    const auto regional = qm::parseRegional(text.substr(size > 0 ? 1 : 0), r);
    if (regional.ok())
        checkTextRoundTrip(*regional, r);
    (void)qm::leadingNumber(text);

    if (size >= 27) {
        const Decimal a = decode(data + 1);
        const Decimal b = decode(data + 14);
        checkTextRoundTrip(a, r);
        checkArithmetic(a, b);
        double d;
        std::memcpy(&d, data + 1, sizeof d);
        checkDouble(d);
        checkDouble(a.toDouble());
    }
    return 0;
}
