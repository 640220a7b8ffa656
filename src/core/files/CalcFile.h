#pragma once
// Calculation files (".Clc"): a header line, then one line per tape line made
// of the operator character and the text form of the line's value. Windows-1252
// on disk, UTF-8 in memory; every line ends with CR LF.

#include "core/files/SafeFile.h"
#include "core/number/TextForm.h"
#include "core/number/Value.h"
#include "core/tape/Tape.h"

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace qm {

inline constexpr std::string_view CalcFileHeader = "Ferrowick 6";

struct CalcFileError {
    std::size_t line = 0;   // 1-based line of the file (the header is line 1); 0: the file as a whole
    std::string reason;
};

struct CalcFileRead {
    std::optional<Tape> tape;   // the new tape; empty when reading failed
    CalcFileError error;        // meaningful only when reading failed
    bool ok() const { return tape.has_value(); }
};

// Reads a whole file's bytes into a new tape. The first line is skipped
// whatever it says. Line ends may be CR LF, LF or CR alone. Each further line
// gives one tape line: its first character is the operator (kept as it is; a
// byte outside ASCII becomes "?"), the rest is the value:
//  - holding "(" or "%": kept as text (function, rounding, percent lines);
//  - empty: the number 0 (older files wrote a never-set line as its operator);
//  - otherwise a number in the regional format; when that fails, reading fails
//    at that line.
// A file without a header line, one with no tape line and an empty tape line
// fail as well.
CalcFileRead readCalcFile(std::string_view bytes, const Regional& regional);

// The same for a file on disk; a file that cannot be read fails with line 0.
CalcFileRead loadCalcFile(const std::filesystem::path& path, const Regional& regional);

// The value part of one line as it is written (UTF-8, before the code page):
// plain text of a number with the regional decimal separator, a text as it
// stands, and "0" for a line whose value was never set.
std::string calcFileValueText(const Value& value, char decimalSep);

// The bytes of a file holding the whole tape. Line breaks inside a text value,
// which would split the line, are written as "?", and so is an operator that
// is not a plain ASCII character.
std::string writeCalcFile(const Tape& tape, const Regional& regional);

// Writes the file through writeFileSafely: a failed save keeps the old file.
FileStatus saveCalcFile(const std::filesystem::path& path, const Tape& tape,
                        const Regional& regional);

} // namespace qm
