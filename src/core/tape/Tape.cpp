#include "core/tape/Tape.h"

namespace qm {

void Tape::resize(std::size_t lines)
{
    TapeValue.resize(lines, Value(Decimal()));
    TapeOp.resize(lines, '+');
}

void Tape::clear()
{
    for (auto& v : TapeValue)
        v = Value(Decimal());
    for (auto& op : TapeOp)
        op = '+';
}

} // namespace qm
