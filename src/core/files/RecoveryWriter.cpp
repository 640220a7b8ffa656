#include "core/files/RecoveryWriter.h"

#include "core/commands/TapeCommands.h"
#include "core/files/CalcFile.h"

#include <algorithm>
#include <exception>
#include <new>
#include <utility>

namespace qm {

namespace {

bool valueWorthKeeping(const Value& v)
{
    switch (v.kind()) {
    case Value::Kind::Empty: return false;
    case Value::Kind::Decimal: return !v.decimal().isZero();
    case Value::Kind::Double: return v.dbl() != 0.0;
    case Value::Kind::Text: return !v.text().empty();
    }
    return false;
}

} // namespace

RecoverySnapshot::RecoverySnapshot(const Tape& tape)
{
    length_ = std::min(tape.TapeValue.size(), tape.TapeOp.size());
    while (length_ > 0 && tape.TapeOp[length_ - 1] == BlankOp)
        --length_;
    copy_.TapeValue.reserve(length_);
    copy_.TapeOp.reserve(length_);
}

bool RecoverySnapshot::copyMore(const Tape& tape, std::size_t lines)
{
    const std::size_t from = copy_.size();
    const std::size_t to = from + std::min(lines, length_ - from);
    if (to > tape.TapeValue.size() || to > tape.TapeOp.size())
        return false;   // the tape changed under the copy; the caller starts afresh
    for (std::size_t i = from; i < to; ++i) {
        if (tape.TapeOp[i] == BlankOp) {
            copy_.TapeOp.push_back('+');
            copy_.TapeValue.emplace_back(Decimal());
        } else {
            copy_.TapeOp.push_back(tape.TapeOp[i]);
            copy_.TapeValue.push_back(tape.TapeValue[i]);
            if (const std::string& note = tape.note(i); !note.empty()) {
                copy_.setNote(i, note);
                worthKeeping_ = true;
            }
            worthKeeping_ = worthKeeping_ || valueWorthKeeping(tape.TapeValue[i]);
        }
    }
    return complete();
}

std::optional<Tape> RecoverySnapshot::take()
{
    if (!complete() || !worthKeeping_)
        return std::nullopt;
    return std::move(copy_);
}

std::optional<Tape> recoveryCopy(const Tape& tape)
{
    RecoverySnapshot snapshot(tape);
    snapshot.copyMore(tape, tape.size());
    return snapshot.take();
}

RecoveryWriter::RecoveryWriter(std::filesystem::path target, FailureNotice onFailure, Format format)
    : target_(std::move(target)), onFailure_(std::move(onFailure)), format_(std::move(format)),
      worker_([this] { run(); })
{
}

RecoveryWriter::~RecoveryWriter()
{
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_all();
    worker_.join();
}

void RecoveryWriter::submit(Tape tape, const Regional& regional)
{
    Tape replaced;
    {
        std::lock_guard lock(mutex_);
        if (pending_)
            replaced = std::move(*pending_);   // freed outside the lock
        pending_ = std::move(tape);
        pendingRegional_ = regional;
    }
    wake_.notify_one();
}

void RecoveryWriter::waitIdle()
{
    std::unique_lock lock(mutex_);
    idle_.wait(lock, [this] { return !pending_ && !busy_; });
}

FileStatus RecoveryWriter::lastStatus() const
{
    std::lock_guard lock(mutex_);
    return status_;
}

std::uint64_t RecoveryWriter::writesDone() const
{
    std::lock_guard lock(mutex_);
    return done_;
}

void RecoveryWriter::run()
{
    std::unique_lock lock(mutex_);
    for (;;) {
        wake_.wait(lock, [this] { return pending_ || stopping_; });
        if (!pending_)
            return;   // stopping, and nothing left to write
        Tape tape = std::move(*pending_);
        pending_.reset();
        const Regional regional = pendingRegional_;
        busy_ = true;
        lock.unlock();
        FileStatus status;
        const char* failure = nullptr;
        try {
            status = writeFileSafely(target_, format_(tape, regional));
        } catch (const std::bad_alloc&) {
            failure = "out of memory";
        } catch (const std::exception&) {
            failure = "copy failed";
        }
        tape = Tape{};   // given back before anything more is asked of the memory
        if (failure) {
            status.ok = false;
            status.reason = failure;   // short enough to need no allocation
        }
        if (!status.ok && onFailure_) {
            try {
                onFailure_(status);
            } catch (const std::exception&) {
                // the notice is lost; the copy is skipped all the same
            }
        }
        lock.lock();
        status_ = std::move(status);
        ++done_;
        busy_ = false;
        if (!pending_)
            idle_.notify_all();
    }
}

} // namespace qm
