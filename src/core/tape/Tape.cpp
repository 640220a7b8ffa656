#include "core/tape/Tape.h"

namespace qm {

void Tape::resize(std::size_t lines)
{
    TapeValue.resize(lines, Value(Decimal()));
    TapeOp.resize(lines, '+');
    if (TapeNote.size() > lines)
        TapeNote.resize(lines);
}

void Tape::setNote(std::size_t line, std::string note)
{
    if (line >= TapeValue.size())
        return;
    if (note.empty() && line >= TapeNote.size())
        return;
    if (line >= TapeNote.size())
        TapeNote.resize(line + 1);
    TapeNote[line] = std::move(note);
    while (!TapeNote.empty() && TapeNote.back().empty())
        TapeNote.pop_back();
}

bool Tape::hasNotes() const { return !TapeNote.empty(); }

bool validNote(std::string_view note)
{
    std::size_t chars = 0;
    for (std::size_t i = 0; i < note.size();) {
        const auto c = static_cast<unsigned char>(note[i]);
        if (c < 0x20 || c == 0x7F)
            return false;
        std::size_t len = c < 0x80 ? 1 : (c & 0xE0) == 0xC0 ? 2 : (c & 0xF0) == 0xE0 ? 3 : (c & 0xF8) == 0xF0 ? 4 : 0;
        if (len == 0 || i + len > note.size())
            return false;
        for (std::size_t k = 1; k < len; ++k) {
            if ((static_cast<unsigned char>(note[i + k]) & 0xC0) != 0x80)
                return false;
        }
        // C1 controls (U+0080..U+009F) are control characters too.
        if (len == 2 && c == 0xC2 && static_cast<unsigned char>(note[i + 1]) < 0xA0)
            return false;
        i += len;
        if (++chars > MaxNoteChars)
            return false;
    }
    return true;
}

void Tape::clear()
{
    for (auto& v : TapeValue)
        v = Value(Decimal());
    for (auto& op : TapeOp)
        op = '+';
    TapeNote.clear();
}

} // namespace qm
