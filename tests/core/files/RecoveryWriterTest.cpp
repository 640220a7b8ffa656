#include "core/files/RecoveryWriter.h"
#include "core/files/RecoverySchedule.h"

#include "core/commands/TapeCommands.h"
#include "core/files/CalcFile.h"

#include "core/CoreTestSupport.h"

#include <limits>
#include <new>

namespace qm {
namespace {

using namespace test;

TEST(RecoveryCopy, KeepsTheLinesThatCountAndReadsBack)
{
    Tape t;
    clearAllLines(t, 4);
    t.TapeValue.resize(9);
    t.TapeOp.resize(9, BlankOp);
    t.TapeValue[1] = val("12.5");
    t.TapeOp[2] = 'x';
    t.TapeValue[2] = Value("Sin(3)");
    std::optional<Tape> copy = recoveryCopy(t);
    ASSERT_TRUE(copy);
    // The lines without an operator at the end are left out.
    EXPECT_EQ(writeCalcFile(*copy, English), "Ferrowick 6\r\n+0\r\n+12.5\r\nxSin(3)\r\n+0\r\n+0\r\n");
    // A line without an operator between others is kept as an empty "+" line.
    t.TapeOp[6] = '-';
    t.TapeValue[6] = val("1");
    copy = recoveryCopy(t);
    ASSERT_TRUE(copy);
    EXPECT_EQ(tapeText(*copy), "+0|+12.5|xSin(3)|+0|+0|+0|-1");
    const CalcFileRead back = readCalcFile(writeCalcFile(*copy, English), English);
    ASSERT_TRUE(back.ok()) << back.error.reason;
    EXPECT_EQ(back.tape->size(), 7u);
    // Nothing but empty lines and zeros is not worth a copy.
    Tape empty;
    clearAllLines(empty, 4);
    empty.TapeOp[2] = '/';
    EXPECT_FALSE(recoveryCopy(empty) || recoveryCopy(Tape{}));
}

TEST(RecoveryCopy, TakenInSlicesItIsTheSameCopy)
{
    Tape t;
    clearAllLines(t, 2);
    t.TapeValue.resize(1000);
    t.TapeOp.resize(1000, BlankOp);
    for (std::size_t i = 3; i < 900; ++i) {
        t.TapeOp[i] = i % 3 ? '+' : 'x';
        t.TapeValue[i] = Value(Decimal::fromInt(static_cast<std::int64_t>(i)));
    }
    t.TapeOp[400] = BlankOp;
    const std::optional<Tape> whole = recoveryCopy(t);
    ASSERT_TRUE(whole);
    RecoverySnapshot slices(t);
    int turns = 0;
    while (!slices.copyMore(t, 64))
        ++turns;
    EXPECT_EQ(turns, 14);   // 900 lines, 64 a turn
    const std::optional<Tape> taken = slices.take();
    ASSERT_TRUE(taken);
    EXPECT_EQ(writeCalcFile(*taken, English), writeCalcFile(*whole, English));
    // A tape that shrank under the copy is not read beyond its end.
    RecoverySnapshot cut(t);
    Tape shorter = t;
    shorter.resize(100);
    EXPECT_FALSE(cut.copyMore(shorter, 1000) || cut.take());
}

TEST(RecoveryWriter, WritesTheNewestCopyWholeAndFinishesBeforeItEnds)
{
    const TempDir dir;
    const std::filesystem::path target = dir / "recovery.Clc";
    {
        RecoveryWriter writer(target);
        for (int i = 1; i <= 50; ++i)
            writer.submit(tapeOf({{'+', Value(Decimal::fromInt(i))}}), English);
        writer.waitIdle();
        EXPECT_TRUE(writer.lastStatus().ok);
        // Copies that waited were replaced.
        EXPECT_TRUE(writer.writesDone() >= 1u && writer.writesDone() <= 50u) << writer.writesDone();
        EXPECT_EQ(fileBytes(target), "Ferrowick 6\r\n+50\r\n");
        writer.submit(tapeOf({{'-', val("7.5")}}), German);
    }   // the destructor writes what was queued
    EXPECT_EQ(fileBytes(target), "Ferrowick 6\r\n-7,5\r\n");
    EXPECT_EQ(dir.entries(), 1u);   // no temporary file is left
}

// A key every 200 ms from 100 on: the copy falls due one second after the
// first key since the last copy (100, then 1100 just after that copy, ...),
// however many keys follow.
TEST(RecoverySchedule, TheFirstChangeStartsTheWaitAndLaterOnesDoNotPutItOff)
{
    RecoverySchedule schedule(1000);
    std::vector<std::int64_t> copiedAt;
    for (std::int64_t now = 0; now <= 2400; now += 100) {
        if (schedule.due(now)) {
            schedule.copied();
            copiedAt.push_back(now);
        }
        if (now % 200 == 100) {
            EXPECT_EQ(schedule.changed(now), now == 100 || now == 1100 || now == 2100) << now;
        }
    }
    EXPECT_EQ(copiedAt, (std::vector<std::int64_t>{1100, 2100}));
    // A clock near its end does not wrap into the past.
    RecoverySchedule late(1000);
    late.changed(std::numeric_limits<std::int64_t>::max() - 10);
    EXPECT_FALSE(late.due(std::numeric_limits<std::int64_t>::max() - 5));
}

// Running out of memory while making the file skips that copy, says so, and
// the thread goes on with the next one; a failed write keeps the previous file.
TEST(RecoveryWriter, AFailureToAllocateSkipsTheCopyAndTheNextOneIsWritten)
{
    const TempDir dir;
    const std::filesystem::path target = dir / "recovery.Clc";
    std::vector<std::string> notices;
    bool fail = true;
    RecoveryWriter writer(
        target, [&](const FileStatus& status) { notices.push_back(status.reason); },
        [&](const Tape& tape, const Regional& regional) -> std::string {
            if (fail)
                throw std::bad_alloc();
            return writeCalcFile(tape, regional);
        });
    writer.submit(tapeOf({{'+', val("1")}}), English);
    writer.waitIdle();
    EXPECT_FALSE(writer.lastStatus().ok || std::filesystem::exists(target));
    EXPECT_EQ(notices, std::vector<std::string>{"out of memory"});
    fail = false;
    writer.submit(tapeOf({{'+', val("2")}}), English);
    writer.waitIdle();
    EXPECT_TRUE(writer.lastStatus().ok);
    EXPECT_EQ(fileBytes(target), "Ferrowick 6\r\n+2\r\n");
    EXPECT_EQ(notices.size(), 1u);
    std::filesystem::permissions(target, std::filesystem::perms::owner_read);
    writer.submit(tapeOf({{'+', val("3")}}), English);
    writer.waitIdle();
    EXPECT_FALSE(writer.lastStatus().ok);
    EXPECT_EQ(fileBytes(target), "Ferrowick 6\r\n+2\r\n");
}

} // namespace
} // namespace qm
