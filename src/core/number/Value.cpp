#include "core/number/Value.h"

#include "core/number/DecimalRaw.h"
#include "core/number/WideUInt.h"

#include <bit>
#include <cmath>

namespace qm {

namespace {

// A numeric operand: a decimal, or a double when `isDouble`.
struct Num {
    bool isDouble = false;
    Decimal dec;
    double dbl = 0.0;
};

Result<Num> numOf(const Value& v)
{
    switch (v.kind()) {
    case Value::Kind::Empty: return Num{};
    case Value::Kind::Decimal: return Num{false, v.decimal(), 0.0};
    case Value::Kind::Double: return Num{true, Decimal(), v.dbl()};
    case Value::Kind::Text: break;
    }
    return Failure::Conversion;
}

Result<Decimal> asDecimal(const Num& n)
{
    return n.isDouble ? Decimal::fromDouble(n.dbl) : Result<Decimal>(n.dec);
}

enum class Op { Add, Sub, Mul, Div };

Result<Value> arithmetic(const Value& a, const Value& b, Op op)
{
    const auto na = numOf(a);
    if (!na)
        return na.failure();
    const auto nb = numOf(b);
    if (!nb)
        return nb.failure();

    if (na->isDouble && nb->isDouble) {
        const double x = na->dbl;
        const double y = nb->dbl;
        double r = 0.0;
        switch (op) {
        case Op::Add: r = x + y; break;
        case Op::Sub: r = x - y; break;
        case Op::Mul: r = x * y; break;
        case Op::Div:
            if (y == 0.0)
                return Failure::DivisionByZero;
            r = x / y;
            break;
        }
        if (!std::isfinite(r))
            return Failure::Overflow;
        return Value(r);
    }

    const auto da = asDecimal(*na);
    if (!da)
        return da.failure();
    const auto db = asDecimal(*nb);
    if (!db)
        return db.failure();
    Result<Decimal> r = Failure::InvalidArgument;
    switch (op) {
    case Op::Add: r = da->add(*db); break;
    case Op::Sub: r = da->sub(*db); break;
    case Op::Mul: r = da->mul(*db); break;
    case Op::Div: r = da->div(*db); break;
    }
    if (!r)
        return r.failure();
    return Value(r.value());
}

std::weak_ordering fromInt(int c)
{
    return c < 0 ? std::weak_ordering::less
         : c > 0 ? std::weak_ordering::greater
                 : std::weak_ordering::equivalent;
}

// Doubles ordered with NaN below every number (so sorting stays well defined).
std::weak_ordering compareDoubles(double x, double y)
{
    const bool xn = std::isnan(x);
    const bool yn = std::isnan(y);
    if (xn || yn)
        return fromInt(static_cast<int>(yn) - static_cast<int>(xn));
    return fromInt(x < y ? -1 : x > y ? 1 : 0);
}

// Exact comparison of |dec| with the finite, nonzero double magnitude `ad`.
int compareMagnitude(const Decimal& dec, double ad)
{
    if (ad >= 0x1p96)
        return -1;   // beyond every decimal
    if (dec.isZero())
        return -1;
    if (ad < 0x1p-100)
        return 1;    // below the smallest nonzero decimal, 1E-28
    const auto bits = std::bit_cast<std::uint64_t>(ad);
    const int biased = static_cast<int>((bits >> 52) & 0x7FF);
    std::uint64_t m = bits & ((std::uint64_t{1} << 52) - 1);
    int e = -1074;
    if (biased != 0) {
        m |= std::uint64_t{1} << 52;
        e = biased - 1075;
    }
    // |dec| = c / 10^s, ad = m * 2^e with -153 <= e <= 43: both sides stay below 2^256.
    detail::WideUInt lhs = detail::WideUInt::from(detail::DecimalRaw::coef(dec));
    detail::WideUInt rhs = detail::WideUInt::from(m);
    rhs.mulPow10(dec.scale());
    if (e >= 0)
        rhs.shiftLeft(e);
    else
        lhs.shiftLeft(-e);
    return compare(lhs, rhs);
}

std::weak_ordering compareDecimalDouble(const Decimal& dec, double d)
{
    if (std::isnan(d))
        return std::weak_ordering::greater;
    const int ds = d < 0 ? -1 : d > 0 ? 1 : 0;
    const int cs = dec.isNegative() ? -1 : dec.isZero() ? 0 : 1;
    if (ds != cs)
        return fromInt(cs - ds);
    if (ds == 0)
        return std::weak_ordering::equivalent;
    const int mag = compareMagnitude(dec, std::fabs(d));
    return fromInt(ds > 0 ? mag : -mag);
}

std::weak_ordering compareNums(const Num& a, const Num& b)
{
    if (!a.isDouble && !b.isDouble)
        return a.dec <=> b.dec;
    if (a.isDouble && b.isDouble)
        return compareDoubles(a.dbl, b.dbl);
    if (!a.isDouble)
        return compareDecimalDouble(a.dec, b.dbl);
    const auto r = compareDecimalDouble(b.dec, a.dbl);
    return r < 0 ? std::weak_ordering::greater
         : r > 0 ? std::weak_ordering::less
                 : std::weak_ordering::equivalent;
}

} // namespace

Result<Value> add(const Value& a, const Value& b) { return arithmetic(a, b, Op::Add); }
Result<Value> sub(const Value& a, const Value& b) { return arithmetic(a, b, Op::Sub); }
Result<Value> mul(const Value& a, const Value& b) { return arithmetic(a, b, Op::Mul); }
Result<Value> div(const Value& a, const Value& b) { return arithmetic(a, b, Op::Div); }

Result<Value> power(const Value& base, const Value& exponent)
{
    if (base.isText() || exponent.isText())
        return Failure::Conversion;
    const double r = std::pow(toDouble(base), toDouble(exponent));
    if (std::isnan(r))
        return Failure::Power;
    if (std::isinf(r))
        return Failure::Overflow;
    return Value(r);
}

std::weak_ordering compare(const Value& a, const Value& b)
{
    const bool at = a.isText();
    const bool bt = b.isText();
    if (at || bt) {
        if (at && bt)
            return fromInt(a.text().compare(b.text()));
        return at ? std::weak_ordering::greater : std::weak_ordering::less;
    }
    return compareNums(numOf(a).value(), numOf(b).value());
}

double toDouble(const Value& v)
{
    switch (v.kind()) {
    case Value::Kind::Decimal: return v.decimal().toDouble();
    case Value::Kind::Double: return v.dbl();
    case Value::Kind::Empty:
    case Value::Kind::Text: break;
    }
    return 0.0;
}

Result<Decimal> toDecimal(const Value& v)
{
    const auto n = numOf(v);
    if (!n)
        return n.failure();
    return asDecimal(*n);
}

} // namespace qm
