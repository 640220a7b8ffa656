#pragma once
// Tapes the benchmarks measure on.

#include "core/tape/Tape.h"

#include <cstddef>
#include <cstdint>

namespace qm::bench {

// Whole numbers 1..1000, mostly added, every fourth subtracted.
inline Tape plainTape(std::size_t lines)
{
    Tape tape;
    tape.TapeValue.reserve(lines);
    tape.TapeOp.reserve(lines);
    const char ops[] = {'+', '+', '-', '+'};
    for (std::size_t i = 0; i < lines; ++i) {
        tape.TapeValue.emplace_back(Decimal::fromInt(static_cast<std::int64_t>(i % 1000) + 1));
        tape.TapeOp.push_back(ops[i % 4]);
    }
    return tape;
}

} // namespace qm::bench
