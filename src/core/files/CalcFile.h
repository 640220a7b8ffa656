#pragma once
// Calculation files (".Clc"): a header line, then one line per tape line made
// of the operator character and the text form of the line's value; a line
// with a note adds a tab and the note. Windows-1252
// on disk, UTF-8 in memory; every line ends with CR LF.

#include "core/files/SafeFile.h"
#include "core/number/TextForm.h"
#include "core/number/Value.h"
#include "core/tape/Tape.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace qm {

inline constexpr std::string_view CalcFileHeader = "Ferrowick 6";

// Files larger than this are refused before they are read: far beyond a tape
// of MaxTapeLines lines of the longest numbers (34 bytes a line), and small
// enough that reading one cannot exhaust the memory of a desktop machine.
inline constexpr std::size_t MaxCalcFileBytes = 512u * 1024 * 1024;
// The longest line read. An entry box holds at most 32767 characters, so a
// function line the program writes stays far below this.
inline constexpr std::size_t MaxCalcLineBytes = 1024 * 1024;

struct CalcFileError {
    std::size_t line = 0;   // 1-based line of the file (the header is line 1); 0: the file as a whole
    std::string reason;     // lower case, no full stop: "\"abc\" is not a number"
    FileProblem problem = FileProblem::None;   // the same, for a message in another language
    std::string subject;    // the parts of the problem's text (fileProblemText)
    std::string extra;
};

// True for a first line that is a calculation file's header: "Ferrowick"
// (in any letter case) and a version number such as 6 or 6.1, blanks around
// them allowed. A UTF-8 byte-order mark before it is skipped.
bool isCalcFileHeader(std::string_view line);

// The failure as the user reads it: "Line 3: "abc" is not a number." (or the
// reason alone, capitalised, for the file as a whole).
std::string describeCalcFileError(const CalcFileError& error);

struct CalcFileRead {
    std::optional<Tape> tape;   // the new tape; empty when reading failed
    CalcFileError error;        // meaningful only when reading failed
    bool ok() const { return tape.has_value(); }
};

// Reads a file given in pieces into a new tape, keeping nothing but the lines
// read so far (memory grows with the tape, never with a guess from the file's
// size). The first line must be the header (isCalcFileHeader): a file
// without one fails at line 1 rather than losing its first tape line. Line
// ends may be CR LF, LF or CR alone. Each further line gives one tape line:
//  - its first character must be an operator: + - x / ^;
//  - the rest holding "(" or "%" is kept as text (function, rounding and
//    percent lines);
//  - an empty rest is the number 0 (older files wrote a never-set line as its
//    operator);
//  - otherwise the rest must be a number in the regional format without the
//    grouping symbol (a file written under the other decimal separator must
//    not open with its amounts scaled);
//  - a tab ends the value and starts the line's note, which must be a
//    valid note (validNote).
// One empty line at the very end is accepted; any other empty line fails. So
// do a file without a header line, one with no tape line, a line longer than
// MaxCalcLineBytes, more than MaxTapeLines tape lines and more than
// MaxCalcFileBytes bytes. Reading stops at the first failure.
class CalcFileReader {
public:
    // With `keepLines` false the reader only checks the file; the tape it
    // gives is then empty. `expectedLines`, the count of an earlier reading,
    // lets the tape be made at its size at once.
    explicit CalcFileReader(const Regional& regional, bool keepLines = true, std::size_t expectedLines = 0);
    ~CalcFileReader();
    CalcFileReader(const CalcFileReader&) = delete;
    CalcFileReader& operator=(const CalcFileReader&) = delete;

    // The next piece of the file; false once reading has failed.
    bool feed(std::string_view bytes);
    // The end of the file: the tape, or why there is none.
    CalcFileRead finish();
    // Tape lines read so far.
    std::size_t tapeLines() const;

private:
    struct State;
    std::unique_ptr<State> s_;
};

// The same for a whole file in memory.
CalcFileRead readCalcFile(std::string_view bytes, const Regional& regional);

// The same for a file on disk, read in pieces; a file that cannot be read, or
// is larger than MaxCalcFileBytes, fails with line 0. Never throws: running
// out of memory is a failure like the others. Both read the file twice, first
// only to check it and count its lines, so a bad file fails before any tape is
// made and a good one is kept at exactly its size.
CalcFileRead loadCalcFile(const std::filesystem::path& path, const Regional& regional);

// The value part of one line as it is written (UTF-8, before the code page):
// plain text of a number with the regional decimal separator, a text as it
// stands, and "0" for a line whose value was never set.
std::string calcFileValueText(const Value& value, char decimalSep);

// The bytes of a file holding the tape's first `lines` lines (the whole tape
// by default). Line breaks and tabs inside a text value, which would split
// the line, are written as "?". A line without one of the
// five operators (a line Clear All left blank) is written under "+", so that
// every file written can be opened again.
std::string writeCalcFile(const Tape& tape, const Regional& regional, std::size_t lines = SIZE_MAX);

// Writes the file through writeFileSafely: a failed save keeps the old file.
// A tape whose file would not open again (a text line that is neither a
// number nor a function, a value no number can express, a file beyond the
// reader's limits) is refused, naming the tape line.
FileStatus saveCalcFile(const std::filesystem::path& path, const Tape& tape,
                        const Regional& regional, std::size_t lines = SIZE_MAX);

} // namespace qm
