#include "core/tape/PositiveSort.h"

#include <cstddef>
#include <utility>

namespace qm {

namespace {

bool less(const Value& a, const Value& b)
{
    return compare(a, b) < 0;
}

} // namespace

namespace detail {

void selectionSortTree(std::vector<Value>& values)
{
    const std::size_t n = values.size();
    if (n < 2)
        return;
    std::size_t size = 1;
    while (size < n)
        size <<= 1;
    // Node k holds the index of the leftmost smallest live value below it, or
    // -1. A place stops being live once the sort has filled it.
    std::vector<std::ptrdiff_t> tree(2 * size, -1);
    auto pick = [&](std::ptrdiff_t l, std::ptrdiff_t r) -> std::ptrdiff_t {
        if (l < 0)
            return r;
        if (r < 0)
            return l;
        return less(values[static_cast<std::size_t>(r)], values[static_cast<std::size_t>(l)]) ? r : l;
    };
    for (std::size_t i = 0; i < n; ++i)
        tree[size + i] = static_cast<std::ptrdiff_t>(i);
    for (std::size_t k = size - 1; k >= 1; --k)
        tree[k] = pick(tree[2 * k], tree[2 * k + 1]);
    auto refresh = [&](std::size_t leaf) {
        for (std::size_t k = (size + leaf) / 2; k >= 1; k /= 2)
            tree[k] = pick(tree[2 * k], tree[2 * k + 1]);
    };
    for (std::size_t i = 0; i + 1 < n; ++i) {
        const auto b = static_cast<std::size_t>(tree[1]);
        tree[size + i] = -1;
        if (b != i) {
            std::swap(values[i], values[b]);
            refresh(b);   // holds the value that stood at i
        }
        refresh(i);
    }
}

} // namespace detail

std::size_t sortPositivesFirst(std::vector<Value>& values)
{
    detail::selectionSortTree(values);

    const Value zero{Decimal()};
    std::size_t k = 0;
    for (std::size_t j = 0; j < values.size(); ++j) {
        if (compare(values[j], zero) > 0) {
            if (k != j)
                values[k] = std::move(values[j]);
            ++k;
        }
    }
    for (std::size_t j = k; j < values.size(); ++j)
        values[j] = zero;
    return k;
}

} // namespace qm
