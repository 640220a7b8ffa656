#pragma once
// The tape: one value and one operator per line, always of equal length.

#include "core/number/TextForm.h"
#include "core/number/Value.h"

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace qm {

// The most lines a tape holds. Opening a longer calculation file fails, and
// the tape does not grow past it (the user is told the tape is full). Ten
// million lines take about 420 MB; a file of them stays below the largest
// calculation file that is read (MaxCalcFileBytes).
inline constexpr std::size_t MaxTapeLines = 10'000'000;

// The longest note a line may carry, in characters.
inline constexpr std::size_t MaxNoteChars = 100;

// A note fits a line: at most MaxNoteChars characters of valid UTF-8 and no
// control character (a tab or line break would split the line in a file).
bool validNote(std::string_view note);

struct Tape {
    std::vector<Value> TapeValue;   // decimal for number lines, text for keyword lines
    std::vector<char> TapeOp;       // '+', '-', 'x', '/' or '^'
    // Notes of the first lines; lines past its end have none. A tape
    // without notes keeps this empty, so that it costs nothing.
    std::vector<std::string> TapeNote;

    const std::string& note(std::size_t line) const
    {
        static const std::string none;
        return line < TapeNote.size() ? TapeNote[line] : none;
    }
    // Sets or (with an empty text) removes a line's note; the line must exist.
    void setNote(std::size_t line, std::string note);
    bool hasNotes() const;

    std::size_t size() const { return TapeValue.size(); }
    // Upper index; -1 for an empty tape.
    long long TapeLast() const { return static_cast<long long>(TapeValue.size()) - 1; }
    // Resizes both arrays, keeping contents; new lines are 0 under "+".
    void resize(std::size_t lines);
    // Every line 0 under "+" without a note, size kept.
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

// "Variable" in the Decimals menu: numbers in their plain form. The number
// is the one the settings file stores.
inline constexpr int VariableDecimals = 25;

// What the grand-total box shows (the Total menu), by the number stored.
enum class StatMode : int { Total = 0, Average = 1, Middle = 2, MostFrequent = 3 };

constexpr bool isStatistic(int mode)
{
    return mode >= static_cast<int>(StatMode::Average) && mode <= static_cast<int>(StatMode::MostFrequent);
}

// Everything besides the tape that shapes the grand total.
struct CalcSettings {
    int DecimalPlaces = VariableDecimals;   // 0..6 or VariableDecimals
    int StatMode = static_cast<int>(StatMode::Total);
    Regional regional;
};

} // namespace qm
