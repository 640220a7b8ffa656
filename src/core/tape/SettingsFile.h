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
// Reading never fails as a whole; a field that cannot be read keeps the value
// it had before reading (the caller's base: the built-in values at start-up):
//  - the end of the data ends reading, every later field keeps its value;
//  - a text length running past the end leaves that field unread, and
//    reading stops there: the bytes after it cannot be trusted to start a
//    field;
//  - an unknown type code stops reading likewise, because the size of its
//    data is unknown.
// Bytes that give every field are a settings file; any others are damaged.
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

// Fields of the file: three for each button, then a name and a score for each
// high-score entry.
constexpr int SettingsFieldCount = FunctionButtonCount * 3 + HighScoreCount * 2;
// The largest settings file there can be: every field a text of the longest
// length its 16-bit length can give. A longer file is not a settings file
// (and is refused unread, whatever its size).
constexpr std::size_t SettingsFileMaxBytes =
    static_cast<std::size_t>(FunctionButtonCount * 3 + HighScoreCount) * (2 + 2 + 0xFFFF) + HighScoreCount * 2;

struct SettingsData {
    FunctionButtons buttons;
    std::array<Value, HighScoreCount> HighScoreNames;
    std::array<std::int16_t, HighScoreCount> HighScores{};
};

// What the program has before any settings file: the design-time buttons and
// an empty high-score table.
SettingsData builtInSettings();

struct SettingsRead {
    SettingsData data;
    bool complete = false;   // every field was read: the bytes are a settings file
    std::string problem;     // why they are not ("the file ends inside field 7 of 149")
};
// Reads the fields over `base`: every field read replaces base's value.
SettingsRead readSettings(std::string_view bytes, const SettingsData& base);
// The same over empty values.
SettingsData readSettings(std::string_view bytes);
std::string writeSettings(const SettingsData& data);

// Reads the file at `path` over the built-in values.
struct SettingsLoad {
    bool ok = false;          // the file was there and could be read (complete or not)
    SettingsData data;        // built-in values for what the file did not give
    bool complete = false;    // ok, and every field came from the file
    std::string reason;       // why the file could not be read, or why it is damaged
    FileError error = FileError::None;   // why it could not be read
};
// A file larger than SettingsFileMaxBytes is not read at all: ok, damaged,
// built-in values.
SettingsLoad loadSettingsFile(const std::filesystem::path& path);

// The name a damaged settings file is kept under: the first of
// "<name>.damaged", "<name>.damaged-2", "<name>.damaged-3", ... that names
// nothing yet, so an earlier copy is never replaced. Empty when all of the
// first MaxDamagedCopies are taken.
inline constexpr int MaxDamagedCopies = 1000;
std::filesystem::path damagedSettingsPath(const std::filesystem::path& path);

// Writes through writeFileSafely, so a failed write keeps the old file. The
// file found there is never lost: one that cannot be read (no permission) is
// not replaced, and one that is not a settings file is first renamed to
// damagedSettingsPath (when that fails, nothing is written).
FileStatus saveSettingsFile(const std::filesystem::path& path, const SettingsData& data);

} // namespace qm
