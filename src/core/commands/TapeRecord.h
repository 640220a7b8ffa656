#pragma once
// The tape as a record for other programs: "Copy Tape" (tab-separated text
// that spreadsheets paste as columns) and "Export CSV..." / --csv (RFC 4180).
// Each line that counts gives its operator, value, running total and note;
// the grand total comes last, in the running-total column.

#include "core/files/SafeFile.h"
#include "core/tape/MailCalc.h"
#include "core/tape/Tape.h"

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace qm {

enum class RecordFormat {
    Tabs,   // regional decimal separator, CR LF between lines
    Csv,    // UTF-8, a header row, "." as the decimal point, CR LF after every record
};

// `lines`: the lines that count (the trailing "+0" padding left out, as
// Copy Numbers does); lines left without an operator by Clear All are
// skipped. `totals`: every line's running total from the recalculation.
// Numbers are given in their plain form (no grouping, all their figures),
// so that a spreadsheet reads them as numbers.
std::string tapeRecord(const Tape& tape, std::size_t lines, const std::vector<LineTotal>& totals,
                       const CalcSettings& settings, const FunctionButtons& buttons, RecordFormat format);

// Writes an exported record through the safe write; a calculation file
// (".Clc" in any case) is never replaced by one.
FileStatus writeRecordFile(const std::filesystem::path& path, std::string_view bytes);

} // namespace qm
