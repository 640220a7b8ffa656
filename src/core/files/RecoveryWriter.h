#pragma once
// Writes copies of the tape to a recovery file on a thread of its own, so that
// keeping the tape safe never holds up a key. Each write goes through the
// same safe save as "Save Calculation...": the file on disk is always either
// the previous copy or the new one, whole. A copy that cannot be made (the
// memory or the disk ran out) is skipped and reported; the thread goes on.

#include "core/files/CalcFile.h"
#include "core/files/SafeFile.h"
#include "core/number/TextForm.h"
#include "core/tape/Tape.h"

#include <condition_variable>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <mutex>
#include <optional>
#include <thread>

namespace qm {

// The tape as the recovery file keeps it, or nothing when it holds no value
// worth keeping (every line empty or 0). Lines that Clear All left without an
// operator take no part in the total: those at the end are left out, any
// other is kept as an empty "+" line, so that the file reads back.
std::optional<Tape> recoveryCopy(const Tape& tape);

// The same copy taken a slice at a time, so that copying a long tape never
// holds up the keys in between. The tape must not change between slices
// (the caller starts afresh when it did).
class RecoverySnapshot {
public:
    explicit RecoverySnapshot(const Tape& tape);
    // Copies up to `lines` more lines; true once the copy is complete.
    bool copyMore(const Tape& tape, std::size_t lines);
    bool complete() const { return copy_.size() == length_; }
    // The complete copy, or nothing when it is not worth keeping.
    std::optional<Tape> take();

private:
    std::size_t length_ = 0;
    Tape copy_;
    bool worthKeeping_ = false;
};

class RecoveryWriter {
public:
    // Told on the writer's thread of each copy that was not written.
    using FailureNotice = std::function<void(const FileStatus&)>;
    // The file's bytes for a tape: the calculation file format.
    using Format = std::function<std::string(const Tape&, const Regional&)>;

    explicit RecoveryWriter(std::filesystem::path target, FailureNotice onFailure = {},
                            Format format = wholeTapeFile);
    // The whole tape, padding rows too: the copy is the tape as it stands.
    static std::string wholeTapeFile(const Tape& tape, const Regional& regional)
    {
        return writeCalcFile(tape, regional);
    }
    // Finishes the write under way and a waiting one, then ends the thread.
    ~RecoveryWriter();
    RecoveryWriter(const RecoveryWriter&) = delete;
    RecoveryWriter& operator=(const RecoveryWriter&) = delete;

    const std::filesystem::path& target() const { return target_; }
    // Queues a copy for writing; a copy still waiting is replaced, as only the
    // newest one matters.
    void submit(Tape tape, const Regional& regional);
    // Blocks until every queued copy is written.
    void waitIdle();
    // The outcome of the last write, and how many were done.
    FileStatus lastStatus() const;
    std::uint64_t writesDone() const;

private:
    void run();

    const std::filesystem::path target_;
    const FailureNotice onFailure_;
    const Format format_;
    mutable std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable idle_;
    std::optional<Tape> pending_;
    Regional pendingRegional_;
    bool busy_ = false;
    bool stopping_ = false;
    FileStatus status_;
    std::uint64_t done_ = 0;
    std::thread worker_;   // last: started once everything above exists
};

} // namespace qm
