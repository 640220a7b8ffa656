#include "core/files/RecoveryWriter.h"

#include "core/commands/TapeCommands.h"
#include "core/files/CalcFile.h"

#include <utility>

namespace qm {

namespace {

bool worthKeeping(const Value& v)
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

std::optional<Tape> recoveryCopy(const Tape& tape)
{
    std::size_t lines = std::min(tape.TapeValue.size(), tape.TapeOp.size());
    while (lines > 0 && tape.TapeOp[lines - 1] == BlankOp)
        --lines;
    bool anything = false;
    for (std::size_t i = 0; i < lines && !anything; ++i)
        anything = tape.TapeOp[i] != BlankOp && worthKeeping(tape.TapeValue[i]);
    if (!anything)
        return std::nullopt;
    Tape copy;
    copy.TapeValue.assign(tape.TapeValue.begin(), tape.TapeValue.begin() + static_cast<std::ptrdiff_t>(lines));
    copy.TapeOp.assign(tape.TapeOp.begin(), tape.TapeOp.begin() + static_cast<std::ptrdiff_t>(lines));
    for (std::size_t i = 0; i < lines; ++i) {
        if (copy.TapeOp[i] == BlankOp) {
            copy.TapeOp[i] = '+';
            copy.TapeValue[i] = Value(Decimal());
        }
    }
    return copy;
}

RecoveryWriter::RecoveryWriter(std::filesystem::path target)
    : target_(std::move(target)), worker_([this] { run(); })
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
        FileStatus status = writeFileSafely(target_, writeCalcFile(tape, regional));
        tape = Tape{};
        lock.lock();
        status_ = std::move(status);
        ++done_;
        busy_ = false;
        if (!pending_)
            idle_.notify_all();
    }
}

} // namespace qm
