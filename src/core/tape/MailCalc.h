#pragma once
// Recalculation of the grand total from the whole tape.

#include "core/tape/Tape.h"

#include <cstdint>
#include <optional>
#include <string>

namespace qm {

class Evaluator;

// Text colours of the grand-total box (0x00BBGGRR).
constexpr std::uint32_t TotalColourBlack = 0x000000;
constexpr std::uint32_t TotalColourRed = 0x0000C0;   // red 192, green 0, blue 0

struct TotalResult {
    std::string text;          // what the box shows after the run
    std::uint32_t colour = TotalColourBlack;
};

// Full pass over the tape. `previousText` is the box's text before the run:
// the statistics keep it when their computation fails. `evaluator` carries the
// evaluator's state between calls (user-defined function lines use it).
TotalResult MailCalc(const Tape& tape, const CalcSettings& settings,
                     const FunctionButtons& buttons, const std::string& previousText,
                     Evaluator& evaluator);

// Red when the text begins with "-", black otherwise.
std::uint32_t totalColour(const std::string& text);

} // namespace qm
