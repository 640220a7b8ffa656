#include "core/commands/TapeRecord.h"

#include "core/commands/TapeCommands.h"
#include "core/files/CalcFile.h"

#include <algorithm>
#include <string_view>

namespace qm {

namespace {

void appendCsvField(std::string& out, std::string_view field, bool alwaysQuote = false)
{
    if (!alwaysQuote && field.find_first_of(",\"\r\n") == std::string_view::npos) {
        out.append(field);
        return;
    }
    out.push_back('"');
    for (char c : field) {
        if (c == '"')
            out.push_back('"');
        out.push_back(c);
    }
    out.push_back('"');
}

// A note that a spreadsheet would take for a formula (=, +, -, @ first) is
// written with an apostrophe before it, which spreadsheets show as text.
std::string csvNote(const std::string& note)
{
    if (!note.empty() && std::string_view("=+-@").find(note.front()) != std::string_view::npos)
        return "'" + note;
    return note;
}

} // namespace

std::string tapeRecord(const Tape& tape, std::size_t lines, const std::vector<LineTotal>& totals,
                       const CalcSettings& settings, const FunctionButtons& buttons, RecordFormat format)
{
    const bool csv = format == RecordFormat::Csv;
    // Plain numbers: every figure, no grouping; CSV always with the point.
    CalcSettings plain = settings;
    plain.DecimalPlaces = VariableDecimals;
    if (csv)
        plain.regional.decimalSep = '.';
    const char sep = plain.regional.decimalSep;
    const std::size_t n = std::min({lines, tape.TapeValue.size(), tape.TapeOp.size(), totals.size()});

    std::string out;
    out.reserve(32 + n * 24);
    if (csv)
        out.append("Operator,Value,Running total,Note\r\n");
    bool first = true;
    auto startLine = [&] {
        if (!csv && !first)
            out.append("\r\n");
        first = false;
    };
    for (std::size_t i = 0; i < n; ++i) {
        const char op = tape.TapeOp[i];
        if (op == BlankOp)
            continue;
        startLine();
        const std::string value = calcFileValueText(tape.TapeValue[i], sep);
        const std::string total = runningTotalText(totals[i], plain, buttons);
        const std::string& note = tape.note(i);
        if (csv) {
            out.push_back(op);
            out.push_back(',');
            appendCsvField(out, value);
            out.push_back(',');
            appendCsvField(out, total);
            out.push_back(',');
            appendCsvField(out, csvNote(note), !note.empty());
            out.append("\r\n");
        } else {
            // Notes hold no tab or line break, and neither do numbers.
            out.push_back(op);
            out.push_back('\t');
            out.append(value);
            out.push_back('\t');
            out.append(total);
            out.push_back('\t');
            out.append(note);
        }
    }
    // The grand total: the running total after the whole tape.
    const std::string grand = totals.empty() ? std::string() : runningTotalText(totals.back(), plain, buttons);
    startLine();
    if (csv) {
        out.append("=,,");
        appendCsvField(out, grand);
        out.append(",\r\n");
    } else {
        out.append("=\t\t");
        out.append(grand);
        out.push_back('\t');
    }
    return out;
}

FileStatus writeRecordFile(const std::filesystem::path& path, std::string_view bytes)
{
    std::string ext = path.extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c); });
    if (ext == ".clc")
        return fileFailure(FileProblem::ExportWouldReplaceCalculation);
    return writeFileSafely(path, bytes);
}

} // namespace qm
