#pragma once
// Sorting of tape values for the statistics and "Sort Numbers...".

#include "core/number/Value.h"

#include <cstddef>
#include <vector>

namespace qm {

// Sorts ascending by compare() (selection sort: at each place the first of the
// smallest remaining values is swapped in), then moves the values greater than
// 0 to the front in their order and sets every later element to the number 0.
// Returns the number of values greater than 0. Text values compare above
// every number and so count as greater than 0.
std::size_t sortPositivesFirst(std::vector<Value>& values);

namespace detail {
// The selection sort's permutation in O(n log n): a tournament tree yields at
// each place the first of the smallest remaining values, which is exactly
// what a pass over the rest picks because compare() orders by value (a strict
// weak order).
void selectionSortTree(std::vector<Value>& values);
} // namespace detail

} // namespace qm
