#pragma once
// Recalculation of the grand total from the whole tape.

#include "core/tape/Tape.h"

#include <array>
#include <cstdint>
#include <cstring>
#include <type_traits>
#include <optional>
#include <string>
#include <vector>

namespace qm {

class Evaluator;

// Text colours of the grand-total box (0x00BBGGRR).
constexpr std::uint32_t TotalColourBlack = 0x000000;
constexpr std::uint32_t TotalColourRed = 0x0000C0;   // red 192, green 0, blue 0

struct TotalResult {
    std::string text;          // what the box shows after the run
    std::uint32_t colour = TotalColourBlack;
};

// The running total after one line: what the grand-total box would show if
// the tape ended after that line. Kept compact: the text is made only when
// it is asked for (runningTotalText).
struct LineTotal {
    enum : std::uint8_t { Fine = 0, Failed = 1, Overflow = 2 };
    // The total: a Decimal, or a double after a power or function step. Kept
    // as bytes, so that a line costs 19 bytes on a tape of millions.
    std::array<unsigned char, sizeof(Decimal)> bits{};
    bool isDouble = false;
    std::uint8_t failure = Fine;
    std::uint8_t label = 0;     // the error label so far: 0 none, 1..12 a keyword, 100 + k button k

    void set(const Decimal& d)
    {
        std::memcpy(bits.data(), &d, sizeof d);
        isDouble = false;
    }
    void set(double x)
    {
        std::memcpy(bits.data(), &x, sizeof x);
        isDouble = true;
    }
    Value value() const
    {
        if (isDouble) {
            double x;
            std::memcpy(&x, bits.data(), sizeof x);
            return Value(x);
        }
        Decimal d;
        std::memcpy(&d, bits.data(), sizeof d);
        return Value(d);
    }
};
static_assert(std::is_trivially_copyable_v<Decimal> && sizeof(Decimal) >= sizeof(double));

// Full pass over the tape. `previousText` is the box's text before the run:
// the statistics keep it when their computation fails. `evaluator` carries the
// evaluator's state between calls (user-defined function lines use it).
TotalResult MailCalc(const Tape& tape, const CalcSettings& settings,
                     const FunctionButtons& buttons, const std::string& previousText,
                     Evaluator& evaluator);
// The same pass, also giving every line's running total in `runningTotals`
// (one per tape line; its capacity is reused). In the statistics modes the
// box shows the statistic while the running totals are still worked out.
TotalResult MailCalc(const Tape& tape, const CalcSettings& settings,
                     const FunctionButtons& buttons, const std::string& previousText,
                     Evaluator& evaluator, std::vector<LineTotal>& runningTotals);

// What the box would show for a running total: the total formatted as the
// grand total is (decimals, separators), or "Overflow", or the label and "Error".
std::string runningTotalText(const LineTotal& total, const CalcSettings& settings,
                             const FunctionButtons& buttons);

// Red when the text begins with "-", black otherwise.
std::uint32_t totalColour(const std::string& text);

} // namespace qm
