#pragma once
// Undo and redo of changes of the tape.
//
// A step keeps only what it changed: for an edit of a few lines, their old
// value and operator; for a command that replaces the whole tape (Clear All,
// Paste, Sort, Open), the old tape itself, moved in, never copied. Undo and
// redo swap a step's contents with the tape, so both cost what the step
// holds, and a replaced tape comes back in constant time.
//
// The session opens a step before it changes the tape and records each line
// before it writes it. Typing on one line keeps its step open, so that a
// run of keys on a line is undone at once; anything else closes it.

#include "core/tape/Tape.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <vector>

namespace qm {

// The same value in the same form: kind, figures and scale (1.0 is not 1).
bool identicalValues(const Value& a, const Value& b);
bool identicalTapes(const Tape& a, const Tape& b);

// Where the session stood, so that undo and redo bring the user back to the
// change: the first shown line, the last line the scroll range reaches
// (scroll maximum + last shown row) and the current row; and which tape it
// was.
struct UndoView {
    int firstLine = 0;
    long long lastReachable = 0;
    int currentRow = 0;
    std::uint64_t tapeState = 0;   // the session's name for the tape's content
};

class UndoHistory {
public:
    // Bounds on what the history keeps; the oldest steps go first, the
    // newest step is always kept.
    static constexpr std::size_t MaxSteps = 10000;
    static constexpr std::size_t MaxKeptLines = 4'000'000;

    // Opens a step for a change about to happen. `typingLine`: the line a
    // typing key edits; a step opened for typing on the same line as the open
    // step continues it. Any other step closes the open one first.
    void begin(const Tape& tape, const UndoView& view, std::optional<long long> typingLine = std::nullopt);
    // Keeps line `line` as it is now, before the session writes it (only the
    // first time within a step; lines added by the step are not kept).
    void recordLine(const Tape& tape, long long line);
    // The whole tape is about to be replaced: the old one is moved in (the
    // caller's tape is left empty, to be rebuilt).
    void recordWholeTape(Tape&& old);
    // The change is done; `view` is where it left the user. A typing step
    // stays open for the next key on its line.
    void end(const Tape& tape, const UndoView& view);
    // Closes the open step (a command follows, or undo).
    void close(const Tape& tape);
    // Closes the open step if it is a typing step: the caret left its line.
    void closeTyping(const Tape& tape);

    bool canUndo() const { return !undo_.empty() || openHasChange(); }
    bool canRedo() const { return !redo_.empty(); }
    // Puts the tape back as it was before the last step (after the step
    // undone last); returns the view to show, nothing when there is no step.
    std::optional<UndoView> undo(Tape& tape);
    std::optional<UndoView> redo(Tape& tape);
    void clear();

    std::size_t undoSteps() const { return undo_.size(); }
    std::size_t redoSteps() const { return redo_.size(); }
    // Tape lines held by all steps (a kept whole tape counts all its lines).
    std::size_t keptLines() const { return keptLines_; }

private:
    struct LineImage {
        std::size_t line = 0;
        Value value;
        char op = '+';
        std::string note;
    };
    struct Step {
        std::optional<long long> typingLine;
        // Either a whole tape ...
        bool whole = false;
        Tape otherTape;
        // ... or the lines that differ, and the other state's length.
        std::size_t otherLength = 0;
        std::vector<LineImage> lines;
        UndoView before;
        UndoView after;
        std::size_t kept() const { return whole ? otherTape.size() : lines.size(); }
    };

    bool openHasChange() const;
    bool isNoOp(const Step& step, const Tape& tape) const;
    void push(Step&& step);
    void trim();
    static void swapIn(Step& step, Tape& tape);
    void startChange();

    std::optional<Step> open_;
    std::deque<Step> undo_;
    std::deque<Step> redo_;
    std::size_t keptLines_ = 0;
};

} // namespace qm
