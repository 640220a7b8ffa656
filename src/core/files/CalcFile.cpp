#include "core/files/CalcFile.h"

#include "core/files/Cp1252.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <limits>

namespace qm {

namespace {

// The line count is kept in 32 bits, as the files have always been read.
constexpr std::size_t MaxTapeLines = static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max());

// Splits the buffer into lines; a line end is CR LF, LF or a lone CR. A final
// line without a line end still counts; nothing after the last line end does.
class LineReader {
public:
    explicit LineReader(std::string_view bytes) : bytes_(bytes) {}

    bool next(std::string_view& line)
    {
        const std::size_t n = bytes_.size();
        if (pos_ >= n)
            return false;
        const char* base = bytes_.data();
        const std::size_t start = pos_;
        // The next LF is remembered, so that a file of lone CRs is not
        // searched to its end once per line.
        if (!lfKnown_ || nextLf_ < start) {
            lfKnown_ = true;
            const void* lf = std::memchr(base + start, '\n', n - start);
            nextLf_ = lf ? static_cast<std::size_t>(static_cast<const char*>(lf) - base) : n;
        }
        const std::size_t end = nextLf_;
        const void* cr = std::memchr(base + start, '\r', end - start);
        if (cr) {
            const auto at = static_cast<std::size_t>(static_cast<const char*>(cr) - base);
            line = bytes_.substr(start, at - start);
            // CR LF ends the line at the LF; a lone CR ends it by itself.
            pos_ = at + 1 == end && end < n ? end + 1 : at + 1;
            return true;
        }
        line = bytes_.substr(start, end - start);
        pos_ = end + 1;   // past the LF, or past the end
        return true;
    }

private:
    std::string_view bytes_;
    std::size_t pos_ = 0;
    std::size_t nextLf_ = 0;   // position of the next LF (or the end), valid while >= pos_
    bool lfKnown_ = false;
};

// A short, printable excerpt of a value part for a message.
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

bool keptAsText(std::string_view part)
{
    return part.find('(') != std::string_view::npos || part.find('%') != std::string_view::npos;
}

CalcFileRead failAt(std::size_t line, std::string reason)
{
    CalcFileRead r;
    r.error.line = line;
    r.error.reason = std::move(reason);
    return r;
}

char operatorForFile(char op)
{
    const auto b = static_cast<unsigned char>(op);
    if (b >= 0x80 || op == '\r' || op == '\n')
        return '?';
    return op;
}

} // namespace

CalcFileRead readCalcFile(std::string_view bytes, const Regional& regional)
{
    LineReader reader(bytes);
    std::string_view line;
    if (!reader.next(line))
        return failAt(1, "the file is empty: no header line");

    Tape tape;
    // Exact for CR LF and LF files, so the tape is neither copied while it
    // grows nor shrunk afterwards.
    const auto lineEnds = static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), '\n'));
    tape.TapeValue.reserve(std::min(lineEnds + 1, MaxTapeLines));
    tape.TapeOp.reserve(std::min(lineEnds + 1, MaxTapeLines));

    std::size_t fileLine = 1;
    while (reader.next(line)) {
        ++fileLine;
        if (tape.TapeValue.size() >= MaxTapeLines)
            return failAt(fileLine, "too many tape lines");
        if (line.empty())
            return failAt(fileLine, "empty line: no operator");

        const auto first = static_cast<unsigned char>(line.front());
        const char op = first < 0x80 ? line.front() : '?';
        const std::string_view part = line.substr(1);
        if (keptAsText(part)) {
            tape.TapeValue.emplace_back(decodeCp1252(part));
        } else if (part.empty()) {
            tape.TapeValue.emplace_back(Decimal());
        } else {
            Result<Decimal> number = parseRegional(part, regional);
            if (!number) {
                const char* why = number.failure() == Failure::Overflow
                    ? "number out of range: \""
                    : "not a number: \"";
                return failAt(fileLine, why + excerpt(part) + "\"");
            }
            tape.TapeValue.emplace_back(*number);
        }
        tape.TapeOp.push_back(op);
    }
    if (tape.TapeValue.empty())
        return failAt(2, "no tape line after the header");

    CalcFileRead result;
    result.tape = std::move(tape);
    return result;
}

CalcFileRead loadCalcFile(const std::filesystem::path& path, const Regional& regional)
{
    FileBytes file = readFileBytes(path);
    if (!file)
        return failAt(0, file.reason);
    return readCalcFile(file.bytes, regional);
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

std::string writeCalcFile(const Tape& tape, const Regional& regional)
{
    std::string out;
    out.reserve(CalcFileHeader.size() + 2 + tape.TapeValue.size() * 12);
    out.append(CalcFileHeader);
    out.append("\r\n");
    for (std::size_t i = 0; i < tape.TapeValue.size(); ++i) {
        const Value& value = tape.TapeValue[i];
        out.push_back(i < tape.TapeOp.size() ? operatorForFile(tape.TapeOp[i]) : '+');
        if (value.isText()) {
            const std::size_t from = out.size();
            out.append(encodeCp1252(value.text()));
            for (std::size_t k = from; k < out.size(); ++k) {
                if (out[k] == '\r' || out[k] == '\n')
                    out[k] = '?';
            }
        } else {
            // Numbers are plain ASCII apart from the separator, which is
            // stored as its own byte.
            out.append(calcFileValueText(value, regional.decimalSep));
        }
        out.append("\r\n");
    }
    return out;
}

FileStatus saveCalcFile(const std::filesystem::path& path, const Tape& tape,
                        const Regional& regional)
{
    return writeFileSafely(path, writeCalcFile(tape, regional));
}

} // namespace qm
