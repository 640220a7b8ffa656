#pragma once
// Conversion between the Windows-1252 single-byte code page used on disk and
// the UTF-8 texts held in memory.

#include <string>
#include <string_view>

namespace qm {

// Every byte maps to one character. The five bytes that Windows-1252 leaves
// unassigned (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the control characters of
// the same number, as Windows itself does, so decoding never loses a byte and
// encodeCp1252(decodeCp1252(b)) == b for any b.
std::string decodeCp1252(std::string_view bytes);

// Characters that the code page cannot hold, and each byte of malformed UTF-8,
// become "?".
std::string encodeCp1252(std::string_view utf8);

// True when the text is pure ASCII, so that both conversions leave it as it is.
bool isAscii(std::string_view text);

} // namespace qm
