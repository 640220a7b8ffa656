#pragma once
// The tape: one value and one operator per line, always of equal length.

#include "core/number/TextForm.h"
#include "core/number/Value.h"

#include <array>
#include <cstddef>
#include <string>
#include <vector>

namespace qm {

// The most lines a tape holds. Opening a longer calculation file fails, and
// the tape does not grow past it (the user is told the tape is full). Ten
// million lines take about 420 MB; a file of them stays below the largest
// calculation file that is read (MaxCalcFileBytes).
inline constexpr std::size_t MaxTapeLines = 10'000'000;

struct Tape {
    std::vector<Value> TapeValue;   // decimal for number lines, text for keyword lines
    std::vector<char> TapeOp;       // '+', '-', 'x', '/' or '^'

    std::size_t size() const { return TapeValue.size(); }
    // Upper index; -1 for an empty tape.
    long long TapeLast() const { return static_cast<long long>(TapeValue.size()) - 1; }
    // Resizes both arrays, keeping contents; new lines are 0 under "+".
    void resize(std::size_t lines);
    // Every line 0 under "+", size kept.
    void clear();
};

// One user-defined function button as the recalculation sees it.
struct FunctionButton {
    std::string Caption;   // function name as typed on the tape
    std::string Formula;   // formula in X (argument) and T (running total): the button's Tag
    std::string ToolTip;
};

constexpr int FunctionButtonCount = 23;
using FunctionButtons = std::array<FunctionButton, FunctionButtonCount>;

// Everything besides the tape that shapes the grand total.
struct CalcSettings {
    int DecimalPlaces = 25;        // 0..6, or 25 = "Variable"
    int StatMode = 0;              // 0 total, 1 average, 2 middle value, 3 most frequent
    Regional regional;
};

} // namespace qm
