#include "core/files/CalcFile.h"

#include "core/files/Cp1252.h"

#include <cctype>
#include <algorithm>
#include <new>
#include <optional>
#include <utility>
#include <vector>

namespace qm {

namespace {

// A short, printable excerpt of a line for a message.
std::string excerpt(std::string_view raw)
{
    constexpr std::size_t Limit = 40;
    std::string text = decodeCp1252(raw.substr(0, Limit));
    for (char& c : text) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            c = '?';
    }
    if (raw.size() > Limit)
        text += "...";
    return text;
}

std::string quoted(std::string_view raw)
{
    std::string text(1, '"');
    text += excerpt(raw);
    text += '"';
    return text;
}

bool keptAsText(std::string_view part)
{
    return part.find('(') != std::string_view::npos || part.find('%') != std::string_view::npos;
}

bool isOperator(char c) { return c == '+' || c == '-' || c == 'x' || c == '/' || c == '^'; }

char operatorForFile(char op) { return isOperator(op) ? op : '+'; }

CalcFileError errorOf(std::size_t line, FileProblem problem, std::string subject = std::string(),
                      std::string extra = std::string())
{
    CalcFileError e;
    e.line = line;
    e.reason = fileProblemText(problem, subject, extra);
    e.problem = problem;
    e.subject = std::move(subject);
    e.extra = std::move(extra);
    return e;
}

CalcFileRead failure(CalcFileError error)
{
    CalcFileRead r;
    r.error = std::move(error);
    return r;
}

CalcFileRead failure(std::size_t line, FileProblem problem, std::string subject = std::string())
{
    return failure(errorOf(line, problem, std::move(subject)));
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isBlank(char c) { return c == ' ' || c == '\t'; }

} // namespace

bool isCalcFileHeader(std::string_view line)
{
    constexpr std::string_view Bom = "\xEF\xBB\xBF";
    constexpr std::string_view Name = "ferrowick";
    if (line.substr(0, Bom.size()) == Bom)
        line.remove_prefix(Bom.size());
    std::size_t i = 0;
    while (i < line.size() && isBlank(line[i]))
        ++i;
    if (line.size() - i < Name.size())
        return false;
    for (std::size_t k = 0; k < Name.size(); ++k, ++i) {
        if (std::tolower(static_cast<unsigned char>(line[i])) != Name[k])
            return false;
    }
    while (i < line.size() && isBlank(line[i]))
        ++i;
    // Digits, with single points between groups of them: 6, 6.1, 10.0.2.
    bool digitsBefore = false;
    for (; i < line.size() && !isBlank(line[i]); ++i) {
        if (isDigit(line[i])) {
            digitsBefore = true;
        } else if (line[i] == '.' && digitsBefore && i + 1 < line.size() && isDigit(line[i + 1])) {
            digitsBefore = false;
        } else {
            return false;
        }
    }
    if (!digitsBefore)
        return false;
    while (i < line.size() && isBlank(line[i]))
        ++i;
    return i == line.size();
}

std::string describeCalcFileError(const CalcFileError& error)
{
    if (error.line > 0)
        return "Line " + std::to_string(error.line) + ": " + error.reason + ".";
    std::string text = error.reason;
    if (!text.empty())
        text[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(text[0])));
    return text + ".";
}

// The lines kept so far go into a tape reserved for the number of lines a
// first reading counted; without that count, into blocks of fixed size, so
// that growing never copies the tape.
struct CalcFileReader::State {
    static constexpr std::size_t BlockLines = 1 << 16;

    State(const Regional& r, bool keep, std::size_t expectedLines)
        : regional(r), keepLines(keep), expected(std::min(expectedLines, MaxTapeLines))
    {
        if (keepLines && expected > 0) {
            values.reserve(expected);
            ops.reserve(expected);
        }
    }

    Regional regional;
    bool keepLines = true;               // false: only check that the file reads
    std::size_t expected = 0;            // lines counted before; 0: unknown
    bool failed = false;
    CalcFileError error;
    std::size_t bytesSeen = 0;
    std::size_t linesEnded = 0;          // file lines ended so far, the header included
    bool afterCr = false;                // the last piece ended with CR: a leading LF belongs to it
    std::string partial;                 // the start of a line that the next piece continues
    std::size_t emptyLine = 0;           // an empty line not yet known to be the last one
    std::vector<Value> values;           // when the count is known
    std::vector<std::vector<Value>> blocks;
    std::vector<char> ops;
    std::vector<std::pair<std::size_t, std::string>> notes;   // tape line, note
    std::size_t count = 0;

    void fail(std::size_t line, FileProblem problem, std::string subject = std::string(),
              std::string extra = std::string())
    {
        failed = true;
        error = errorOf(line, problem, std::move(subject), std::move(extra));
        partial = std::string();
        values = {};
        blocks = {};
        ops = {};
        notes = {};
    }

    void keep(char op, Value value)
    {
        if (!keepLines) {
            ++count;
            return;
        }
        if (expected > 0) {
            values.push_back(std::move(value));   // grows only if the file grew since it was counted
            ops.push_back(op);
            ++count;
            return;
        }
        if (blocks.empty() || blocks.back().size() == BlockLines) {
            blocks.emplace_back();
            if (blocks.size() > 1)
                blocks.back().reserve(BlockLines);
        }
        blocks.back().push_back(std::move(value));
        ops.push_back(op);
        ++count;
    }

    void endLine(std::string_view line)
    {
        const std::size_t fileLine = ++linesEnded;
        if (fileLine == 1) {
            if (!isCalcFileHeader(line))
                fail(1, FileProblem::NotHeader, quoted(line));
            return;
        }
        if (emptyLine != 0)
            return fail(emptyLine, FileProblem::EmptyLine);
        if (line.empty()) {
            emptyLine = fileLine;   // fine if nothing follows
            return;
        }
        if (count >= MaxTapeLines)
            return fail(fileLine, FileProblem::TooManyLines, std::to_string(MaxTapeLines));
        const char op = line.front();
        if (!isOperator(op))
            return fail(fileLine, FileProblem::NoOperator, quoted(line));
        std::string_view part = line.substr(1);
        // A tab ends the value: the rest of the line is the line's note.
        if (const std::size_t tab = part.find('\t'); tab != std::string_view::npos) {
            std::string note = decodeCp1252(part.substr(tab + 1));
            if (!validNote(note))
                return fail(fileLine, FileProblem::BadNote, quoted(part.substr(tab + 1)), std::to_string(MaxNoteChars));
            if (keepLines && !note.empty())
                notes.emplace_back(count, std::move(note));
            part = part.substr(0, tab);
        }
        if (keptAsText(part)) {
            keep(op, Value(decodeCp1252(part)));
            return;
        }
        if (part.empty()) {
            keep(op, Value(Decimal()));
            return;
        }
        if (regional.thousandSep != regional.decimalSep
            && part.find(regional.thousandSep) != std::string_view::npos)
            return fail(fileLine, FileProblem::GroupingSymbol, quoted(part), std::string(1, regional.thousandSep));
        const Result<Decimal> number = parseRegional(part, regional);
        if (!number)
            return fail(fileLine, number.failure() == Failure::Overflow ? FileProblem::OutOfRange : FileProblem::NotANumber,
                        quoted(part));
        keep(op, Value(*number));
    }

    void feed(std::string_view bytes)
    {
        if (bytes.size() > MaxCalcFileBytes - bytesSeen)
            return fail(0, FileProblem::TooLarge, std::to_string(MaxCalcFileBytes));
        bytesSeen += bytes.size();
        const char* const data = bytes.data();
        const std::size_t n = bytes.size();
        std::size_t i = 0;
        if (afterCr) {
            afterCr = false;
            if (n > 0 && data[0] == '\n')
                i = 1;
        }
        while (i < n && !failed) {
            std::size_t j = i;
            while (j < n && data[j] != '\n' && data[j] != '\r')
                ++j;
            if (partial.size() + (j - i) > MaxCalcLineBytes)
                return fail(linesEnded + 1, FileProblem::LineTooLong, std::to_string(MaxCalcLineBytes));
            if (j == n) {
                partial.append(data + i, n - i);
                return;
            }
            if (partial.empty()) {
                endLine(bytes.substr(i, j - i));
            } else {
                partial.append(data + i, j - i);
                endLine(partial);
                partial.clear();
            }
            // CR LF ends one line; a lone CR or LF ends one by itself.
            if (data[j] == '\r') {
                if (j + 1 == n)
                    afterCr = true;
                else if (data[j + 1] == '\n')
                    ++j;
            }
            i = j + 1;
        }
    }

    CalcFileRead finish()
    {
        if (!failed && !partial.empty()) {
            std::string last = std::move(partial);
            partial = std::string();
            endLine(last);
        }
        if (!failed && linesEnded == 0)
            fail(1, FileProblem::EmptyFile);
        if (!failed && count == 0)
            fail(2, FileProblem::NoTapeLine);
        if (failed)
            return failure(error);
        if (!keepLines)
            return CalcFileRead{Tape(), {}};

        CalcFileRead result;
        Tape& tape = result.tape.emplace();
        if (expected > 0) {
            tape.TapeValue = std::move(values);
            tape.TapeOp = std::move(ops);
            takeNotes(tape);
            return result;
        }
        tape.TapeValue.reserve(count);
        for (std::vector<Value>& block : blocks) {
            for (Value& v : block)
                tape.TapeValue.push_back(std::move(v));
            block = std::vector<Value>();   // gives the block's memory back at once
        }
        blocks = {};
        tape.TapeOp = std::move(ops);
        tape.TapeOp.shrink_to_fit();
        takeNotes(tape);
        return result;
    }

    void takeNotes(Tape& tape)
    {
        for (auto& [line, note] : notes)
            tape.setNote(line, std::move(note));
        notes = {};
    }
};

CalcFileReader::CalcFileReader(const Regional& regional, bool keepLines, std::size_t expectedLines)
    : s_(std::make_unique<State>(regional, keepLines, expectedLines))
{
}

std::size_t CalcFileReader::tapeLines() const { return s_->count; }

CalcFileReader::~CalcFileReader() = default;

bool CalcFileReader::feed(std::string_view bytes)
{
    if (s_->failed)
        return false;
    try {
        s_->feed(bytes);
    } catch (const std::bad_alloc&) {
        s_->fail(0, FileProblem::OutOfMemory);
    }
    return !s_->failed;
}

CalcFileRead CalcFileReader::finish()
{
    try {
        return s_->finish();
    } catch (const std::bad_alloc&) {
        s_->fail(0, FileProblem::OutOfMemory);
        return failure(0, FileProblem::OutOfMemory);
    }
}

// Both read the file twice: the first reading checks it and counts its lines
// keeping nothing, the second keeps them in a tape of exactly that size. So a
// bad file fails before anything is allocated, and the tape is neither copied
// while it grows nor kept twice.
CalcFileRead readCalcFile(std::string_view bytes, const Regional& regional)
{
    try {
        CalcFileReader check(regional, false);
        check.feed(bytes);
        CalcFileRead checked = check.finish();
        if (!checked.ok())
            return checked;
        CalcFileReader reader(regional, true, check.tapeLines());
        reader.feed(bytes);
        return reader.finish();
    } catch (const std::bad_alloc&) {
        return failure(0, FileProblem::OutOfMemory);
    }
}

namespace {

// Feeds the whole file to `reader`; a failure to read the file comes back.
std::optional<CalcFileRead> readThrough(const std::filesystem::path& path, CalcFileReader& reader)
{
    InputFile in(path);
    if (!in.ok())
        return failure(0, problemOf(in.error()), in.subject());
    if (in.size() > MaxCalcFileBytes)
        return failure(0, FileProblem::TooLarge, std::to_string(MaxCalcFileBytes));
    std::vector<char> buffer(1 << 16);
    while (const std::size_t n = in.read(buffer.data(), buffer.size())) {
        if (!reader.feed(std::string_view(buffer.data(), n)))
            break;
    }
    if (!in.ok())
        return failure(0, problemOf(in.error()), in.subject());
    return std::nullopt;
}

} // namespace

CalcFileRead loadCalcFile(const std::filesystem::path& path, const Regional& regional)
{
    try {
        CalcFileReader check(regional, false);
        if (std::optional<CalcFileRead> failed = readThrough(path, check))
            return std::move(*failed);
        CalcFileRead checked = check.finish();
        if (!checked.ok())
            return checked;
        CalcFileReader reader(regional, true, check.tapeLines());
        if (std::optional<CalcFileRead> failed = readThrough(path, reader))
            return std::move(*failed);
        return reader.finish();
    } catch (const std::bad_alloc&) {
        return failure(0, FileProblem::OutOfMemory);
    }
}

std::string calcFileValueText(const Value& value, char decimalSep)
{
    switch (value.kind()) {
    case Value::Kind::Empty:
        return "0";
    case Value::Kind::Decimal:
        return plainText(value.decimal(), decimalSep);
    case Value::Kind::Double:
        return doubleText(value.dbl(), decimalSep);
    case Value::Kind::Text:
        return value.text();
    }
    return "0";
}

std::string writeCalcFile(const Tape& tape, const Regional& regional, std::size_t lines)
{
    const std::size_t n = std::min(tape.TapeValue.size(), lines);
    std::string out;
    out.reserve(CalcFileHeader.size() + 2 + n * 12);
    out.append(CalcFileHeader);
    out.append("\r\n");
    for (std::size_t i = 0; i < n; ++i) {
        const Value& value = tape.TapeValue[i];
        out.push_back(i < tape.TapeOp.size() ? operatorForFile(tape.TapeOp[i]) : '+');
        if (value.isText()) {
            const std::size_t from = out.size();
            out.append(encodeCp1252(value.text()));
            for (std::size_t k = from; k < out.size(); ++k) {
                if (out[k] == '\r' || out[k] == '\n' || out[k] == '\t')
                    out[k] = '?';
            }
        } else {
            // Numbers are plain ASCII apart from the separator, which is
            // stored as its own byte.
            out.append(calcFileValueText(value, regional.decimalSep));
        }
        // Only a line with a note gets the tab, so a tape without notes is
        // written as before and opens in older versions.
        if (const std::string& note = tape.note(i); !note.empty()) {
            out.push_back('\t');
            const std::size_t from = out.size();
            out.append(encodeCp1252(note));
            for (std::size_t k = from; k < out.size(); ++k) {
                if (static_cast<unsigned char>(out[k]) < 0x20)
                    out[k] = '?';
            }
        }
        out.append("\r\n");
    }
    return out;
}

FileStatus saveCalcFile(const std::filesystem::path& path, const Tape& tape,
                        const Regional& regional, std::size_t lines)
{
    std::string bytes;
    try {
        bytes = writeCalcFile(tape, regional, lines);
        // Every file written must open again: a text line whose brackets were
        // edited away, a value no number can express or a tape beyond the
        // reader's limits is refused here rather than found out later.
        CalcFileReader check(regional, false);
        check.feed(bytes);
        const CalcFileRead read = check.finish();
        if (!read.ok()) {
            FileStatus refused = fileFailure(read.error.problem, read.error.subject, read.error.extra);
            refused.wouldNotReopen = true;
            refused.tapeLine = read.error.line >= 2 ? read.error.line - 1 : 0;
            refused.reason = (read.error.line >= 2
                                  ? "tape line " + std::to_string(refused.tapeLine) + " would not open again: "
                                  : "the file would not open again: ")
                + read.error.reason;
            return refused;
        }
    } catch (const std::bad_alloc&) {
        return fileFailure(FileProblem::OutOfMemory);
    }
    return writeFileSafely(path, bytes);
}

} // namespace qm
