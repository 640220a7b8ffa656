#pragma once
// "Sort Numbers...": the order of the values on the tape after sorting.
// Unlike the statistics' sort, nothing is dropped.

#include "core/tape/Tape.h"

#include <vector>

namespace qm {

// The values in sorted order: every number other than 0, negatives included,
// ascending (equal numbers keep their order); then the empty and zero lines
// as they are; then the text lines (functions, percentages, roundings) in
// the order they stand on the tape.
std::vector<Value> sortedNumbers(std::vector<Value> values);

// Sorts the values of the lines that take part in the calculation (those
// with an operator); the operators stay on their lines, as do the lines left
// without one by Clear All.
void sortTapeNumbers(Tape& tape);

} // namespace qm
