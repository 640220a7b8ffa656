#pragma once
// Re-formatting of the current entry line from its stored value.

#include "core/number/TextForm.h"
#include "core/number/Value.h"

#include <string>

namespace qm {

// The text the current entry box gets from its line's stored value: with
// `decimals` 25 ("Variable") the value's plain text form, otherwise exactly
// `decimals` decimals as the grand total is formatted. Empty when the value
// cannot be formatted (a text value, for instance) or when its text reads as 0.
// The caller leaves an entry box that is already empty as it is.
std::string fmNoText(const Value& stored, int decimals, const Regional& regional);

} // namespace qm
