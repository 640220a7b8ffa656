#pragma once
// The statistics the grand-total box can show in place of the running total.

#include "core/number/TextForm.h"
#include "core/number/Value.h"

#include <optional>
#include <string>
#include <vector>

namespace qm {

// StatMode 1: "Average : " and the mean of every value numerically different
// from 0 (text values have no numeric meaning here and are left out).
// StatMode 2: "Mean : " and the middle of the values greater than 0.
// StatMode 3: "Mode : " and the most frequent value greater than 0 (ties go
// to the smaller value).
// Nothing when the computation fails or StatMode is none of these: the box
// then keeps its text.
std::optional<std::string> statisticText(const std::vector<Value>& values, int statMode,
                                         const Regional& regional);

} // namespace qm
