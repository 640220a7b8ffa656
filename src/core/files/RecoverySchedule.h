#pragma once
// When the recovery copy of the tape is due. The wait starts with the first
// change since the last copy and is not put off by the changes that follow,
// so a user who never stops typing still has a copy at most one delay old.

#include <cstdint>
#include <optional>

namespace qm {

class RecoverySchedule {
public:
    explicit RecoverySchedule(std::int64_t delayMs) : delayMs_(delayMs) {}

    std::int64_t delayMs() const { return delayMs_; }
    // A change at `nowMs` (any steady clock). True when it starts the wait:
    // the caller then arms its timer for delayMs().
    bool changed(std::int64_t nowMs);
    // Whether a copy is due at `nowMs`.
    bool due(std::int64_t nowMs) const { return dueAt_ && nowMs >= *dueAt_; }
    // The copy was taken: the next change starts a new wait.
    void copied() { dueAt_.reset(); }

private:
    std::int64_t delayMs_;
    std::optional<std::int64_t> dueAt_;
};

} // namespace qm
