#include "core/editing/UndoHistory.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace qm {

bool identicalValues(const Value& a, const Value& b)
{
    if (a.kind() != b.kind())
        return false;
    switch (a.kind()) {
    case Value::Kind::Empty:
        return true;
    case Value::Kind::Decimal: {
        // Same figures and scale: 1.0 and 1 are equal numbers but show apart.
        const Decimal& x = a.decimal();
        const Decimal& y = b.decimal();
        return x.lo() == y.lo() && x.mid() == y.mid() && x.hi() == y.hi() && x.scale() == y.scale()
               && x.isNegative() == y.isNegative();
    }
    case Value::Kind::Double: {
        const double x = a.dbl();
        const double y = b.dbl();
        return std::memcmp(&x, &y, sizeof x) == 0;
    }
    case Value::Kind::Text:
        return a.text() == b.text();
    }
    return false;
}

bool identicalTapes(const Tape& a, const Tape& b)
{
    if (a.TapeValue.size() != b.TapeValue.size() || a.TapeOp != b.TapeOp)
        return false;
    for (std::size_t i = 0; i < a.TapeValue.size(); ++i) {
        if (!identicalValues(a.TapeValue[i], b.TapeValue[i]) || a.note(i) != b.note(i))
            return false;
    }
    return true;
}

void UndoHistory::begin(const Tape& tape, const UndoView& view, std::optional<long long> typingLine)
{
    if (open_ && typingLine && open_->typingLine == typingLine)
        return;   // the next key of a run on one line
    close(tape);
    Step step;
    step.typingLine = typingLine;
    step.otherLength = tape.size();
    step.before = view;
    step.after = view;
    open_ = std::move(step);
}

void UndoHistory::startChange()
{
    // A new change makes the undone steps unreachable.
    for (const Step& s : redo_)
        keptLines_ -= s.kept();
    redo_.clear();
}

void UndoHistory::recordLine(const Tape& tape, long long line)
{
    if (!open_ || open_->whole || line < 0)
        return;
    const auto at = static_cast<std::size_t>(line);
    // Lines the step added are simply cut again; a line must exist to be kept.
    if (at >= open_->otherLength || at >= tape.TapeValue.size() || at >= tape.TapeOp.size())
        return;
    std::vector<LineImage>& lines = open_->lines;
    if (std::any_of(lines.begin(), lines.end(), [at](const LineImage& l) { return l.line == at; }))
        return;
    if (lines.empty())
        startChange();
    lines.push_back(LineImage{at, tape.TapeValue[at], tape.TapeOp[at], tape.note(at)});
}

void UndoHistory::recordWholeTape(Tape&& old)
{
    if (!open_) {
        // Never reached through the session, which opens a step first; the
        // change is then kept as a step of its own all the same.
        open_ = Step{};
    }
    Step& step = *open_;
    if (step.whole) {
        old = Tape{};   // the tape before the step is kept already
        return;
    }
    if (step.lines.empty())
        startChange();
    // Lines changed earlier in the same step are put back into the old tape,
    // which then is the tape from before the step.
    swapIn(step, old);
    step.lines.clear();
    step.whole = true;
    step.otherTape = std::move(old);
    old = Tape{};
}

void UndoHistory::end(const Tape& tape, const UndoView& view)
{
    if (!open_)
        return;
    open_->after = view;
    if (!open_->typingLine)
        close(tape);
}

void UndoHistory::close(const Tape& tape)
{
    if (!open_)
        return;
    Step step = std::move(*open_);
    open_.reset();
    if (!isNoOp(step, tape))
        push(std::move(step));
}

void UndoHistory::closeTyping(const Tape& tape)
{
    if (open_ && open_->typingLine)
        close(tape);
}

bool UndoHistory::openHasChange() const
{
    return open_ && (open_->whole || !open_->lines.empty());
}

bool UndoHistory::isNoOp(const Step& step, const Tape& tape) const
{
    if (step.whole)
        return identicalTapes(step.otherTape, tape);
    if (step.otherLength != tape.size())
        return false;
    return std::all_of(step.lines.begin(), step.lines.end(), [&tape](const LineImage& l) {
        return l.op == tape.TapeOp[l.line] && identicalValues(l.value, tape.TapeValue[l.line])
               && l.note == tape.note(l.line);
    });
}

void UndoHistory::push(Step&& step)
{
    // Also for a step that only added lines, which records none.
    startChange();
    keptLines_ += step.kept();
    undo_.push_back(std::move(step));
    trim();
}

void UndoHistory::trim()
{
    while (undo_.size() > 1 && (undo_.size() > MaxSteps || keptLines_ > MaxKeptLines)) {
        keptLines_ -= undo_.front().kept();
        undo_.pop_front();
    }
}

// Turns the tape into the step's other state and the step into the way back.
void UndoHistory::swapIn(Step& step, Tape& tape)
{
    if (step.whole) {
        std::swap(step.otherTape, tape);
        return;
    }
    const std::size_t current = std::min(tape.TapeValue.size(), tape.TapeOp.size());
    std::vector<LineImage> back;
    back.reserve(step.lines.size() + (current > step.otherLength ? current - step.otherLength : 0));
    for (const LineImage& l : step.lines) {
        if (l.line < current)
            back.push_back(LineImage{l.line, std::move(tape.TapeValue[l.line]), tape.TapeOp[l.line], tape.note(l.line)});
    }
    for (std::size_t i = step.otherLength; i < current; ++i)
        back.push_back(LineImage{i, std::move(tape.TapeValue[i]), tape.TapeOp[i], tape.note(i)});
    tape.resize(step.otherLength);
    for (LineImage& l : step.lines) {
        if (l.line < tape.TapeValue.size()) {
            tape.TapeValue[l.line] = std::move(l.value);
            tape.TapeOp[l.line] = l.op;
            tape.setNote(l.line, std::move(l.note));
        }
    }
    step.lines = std::move(back);
    step.otherLength = current;
}

std::optional<UndoView> UndoHistory::undo(Tape& tape)
{
    close(tape);
    if (undo_.empty())
        return std::nullopt;
    Step step = std::move(undo_.back());
    undo_.pop_back();
    keptLines_ -= step.kept();
    swapIn(step, tape);
    const UndoView view = step.before;
    keptLines_ += step.kept();
    redo_.push_back(std::move(step));
    return view;
}

std::optional<UndoView> UndoHistory::redo(Tape& tape)
{
    close(tape);
    if (redo_.empty())
        return std::nullopt;
    Step step = std::move(redo_.back());
    redo_.pop_back();
    keptLines_ -= step.kept();
    swapIn(step, tape);
    const UndoView view = step.after;
    keptLines_ += step.kept();
    undo_.push_back(std::move(step));
    trim();
    return view;
}

void UndoHistory::clear()
{
    open_.reset();
    undo_.clear();
    redo_.clear();
    keptLines_ = 0;
}

} // namespace qm
