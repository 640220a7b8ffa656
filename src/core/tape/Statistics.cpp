#include "core/tape/Statistics.h"

#include "core/tape/PositiveSort.h"
#include "core/tape/Tape.h"

#include <cmath>
#include <cstdint>

namespace qm {

namespace {

std::optional<std::string> average(const std::vector<Value>& values, const Regional& regional)
{
    Value sum{Decimal()};
    std::int64_t count = 0;
    for (const Value& v : values) {
        const bool nonZero = (v.isDecimal() && !v.decimal().isZero()) || (v.isDouble() && v.dbl() != 0.0);
        if (!nonZero)
            continue;
        auto s = add(sum, v);
        if (!s)
            return std::nullopt;
        sum = std::move(s.value());
        ++count;
    }
    auto mean = div(sum, Value(Decimal::fromInt(count)));   // count 0: division by zero
    if (!mean)
        return std::nullopt;
    return "Average : " + plainText(*mean, regional.decimalSep);
}

std::optional<std::string> middle(const std::vector<Value>& values, const Regional& regional)
{
    std::vector<Value> sorted(values);
    // The middle place among the values greater than 0; a half when their
    // count is even, -0.5 when there is none.
    const double h = (static_cast<double>(sortPositivesFirst(sorted)) - 1) / 2.0;
    const auto at = [&](double index) -> const Value* {
        if (index < 0 || index >= static_cast<double>(sorted.size()))
            return nullptr;
        return &sorted[static_cast<std::size_t>(index)];
    };
    if (h - std::floor(h) == 0.5) {
        const double k = std::floor(h);
        const Value* low = at(k);
        const Value* high = at(k + 1);
        if (!low || !high)
            return std::nullopt;   // no value greater than 0
        auto gap = sub(*high, *low);
        if (!gap)
            return std::nullopt;
        auto half = div(*gap, Value(Decimal::fromInt(2)));
        if (!half)
            return std::nullopt;
        auto mid = add(*low, *half);
        if (!mid)
            return std::nullopt;
        return "Mean : " + plainText(*mid, regional.decimalSep);
    }
    const Value* m = at(h);
    if (!m)
        return std::nullopt;
    return "Mean : " + plainText(*m, regional.decimalSep);
}

std::optional<std::string> mode(const std::vector<Value>& values, const Regional& regional)
{
    std::vector<Value> s(values);
    const std::size_t positives = sortPositivesFirst(s);
    std::int64_t run = 0;
    std::int64_t best = 0;
    const Value* bestValue = nullptr;
    for (std::size_t i = 0; i < positives; ++i) {
        if (i == 0 || compare(s[i], s[i - 1]) != 0) {
            if (i > 0 && run > best) {
                best = run;
                bestValue = &s[i - 1];
            }
            run = 1;
        } else {
            ++run;
        }
    }
    if (positives > 0 && run > best)
        bestValue = &s[positives - 1];
    return "Mode : " + (bestValue ? plainText(*bestValue, regional.decimalSep) : std::string());
}

} // namespace

std::optional<std::string> statisticText(const std::vector<Value>& values, int statMode,
                                         const Regional& regional)
{
    switch (static_cast<StatMode>(statMode)) {
    case StatMode::Average: return average(values, regional);
    case StatMode::Middle: return middle(values, regional);
    case StatMode::MostFrequent: return mode(values, regional);
    default: return std::nullopt;   // the plain total, or no mode at all
    }
}

} // namespace qm
