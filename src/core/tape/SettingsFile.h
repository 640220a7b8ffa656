#pragma once
// The settings file: the 23 function buttons and the high-score table, as a
// plain sequence of binary fields without a header.
//
// For each button: caption, formula and tooltip as tagged values; then for
// each of the 40 stored high-score entries: the name as a tagged value and the
// score as 2 bytes, 16-bit signed, little-endian.
//
// A tagged value is a 2-byte little-endian type code and its data:
//   8  text: 2-byte little-endian length n, then n bytes in Windows-1252;
//   0  empty: no data.
//
// Reading never fails as a whole; what cannot be read is empty (or 0):
//  - the end of the data ends reading, every later field is empty / 0;
//  - a text length running past the end makes that field empty, and reading
//    stops there: the bytes after it cannot be trusted to start a field;
//  - an unknown type code gives an empty field and stops reading likewise,
//    because the size of its data is unknown.
// Button fields are always texts (empty gives ""); a name keeps its kind:
// text (type 8, even when empty) or empty (type 0).
//
// Writing: button fields always as type 8; a name as type 8 when it is text
// (a number is written as its plain text), as type 0 when empty. A text longer
// than 32767 bytes in the code page is cut to its first 32767 bytes, so the
// length stays a positive 16-bit number. Bytes after the last field are never
// read, so a file may be longer than the data.

#include "core/files/SafeFile.h"
#include "core/number/Value.h"
#include "core/tape/Tape.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace qm {

constexpr int HighScoreCount = 40;
constexpr std::size_t SettingsTextMaxBytes = 32767;

struct SettingsData {
    FunctionButtons buttons;
    std::array<Value, HighScoreCount> HighScoreNames;
    std::array<std::int16_t, HighScoreCount> HighScores{};
};

SettingsData readSettings(std::string_view bytes);
std::string writeSettings(const SettingsData& data);

// Reads the file at `path`; fails only when the file cannot be read at all.
struct SettingsLoad {
    bool ok = false;
    SettingsData data;
    std::string reason;   // why the file could not be read
};
SettingsLoad loadSettingsFile(const std::filesystem::path& path);

// Writes through writeFileSafely, so a failed write keeps the old file.
FileStatus saveSettingsFile(const std::filesystem::path& path, const SettingsData& data);

} // namespace qm
