#pragma once
// Sorting of tape values for the statistics and "Sort Numbers...".

#include "core/number/Value.h"

#include <cstdint>
#include <vector>

namespace qm {

// Sorts ascending by compare() (selection sort: at each place the first of the
// smallest remaining values is swapped in), then moves the values greater than
// 0 to the front in their order and sets every later element to the number 0.
// Returns (number of values greater than 0) - 1, so -1 when there is none.
// Text values compare above every number and so count as greater than 0.
std::int32_t Selectionsort(std::vector<Value>& values);

namespace detail {
// The selection sort step done literally, one pass per place over the rest:
// O(n^2) comparisons. Kept as the reference the fast form is checked against.
void selectionSortLiteral(std::vector<Value>& values);
// The same permutation in O(n log n): a tournament tree yields at each place
// the first of the smallest remaining values, which is exactly what the
// literal pass picks because compare() orders by value (a strict weak order).
void selectionSortTree(std::vector<Value>& values);
} // namespace detail

} // namespace qm
