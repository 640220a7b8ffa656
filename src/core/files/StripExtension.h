#pragma once
// Removes a file name's extension: everything from the last "." on.

#include <string>
#include <string_view>

namespace qm {

// "my.budget.txt" -> "my.budget", "budget" -> "budget", ".Clc" -> "".
// The text is UTF-8; "." never occurs inside a multi-byte character, so the
// byte scan is safe.
std::string StripExtension(std::string_view path);

} // namespace qm
