#include "core/files/SafeFile.h"
#include "core/files/RecoveryWriter.h"
#include "core/files/RecoverySchedule.h"
#include "core/commands/TapeCommands.h"
#include "core/files/CalcFile.h"

#include "core/CoreTestSupport.h"

#include <csignal>
#include <cstdlib>
#include <limits>
#include <new>

#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace qm {
namespace {

using namespace test;

class SafeFileTest : public ::testing::Test {
protected:
    TempDir temp;
    const fs::path& dir_ = temp.path;
};

TEST_F(SafeFileTest, WritesAndReplacesKeepingTheOldModeAndLinks)
{
    const fs::path target = dir_ / "a.Clc";
    const std::string first("one\r\n\0two", 10);
    ASSERT_TRUE(writeFileSafely(target, first));
    EXPECT_EQ(fileBytes(target), first);
    const auto mode = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
    fs::permissions(target, mode);
    ASSERT_TRUE(writeFileSafely(target, "2"));
    EXPECT_EQ(fileBytes(target), "2");
    EXPECT_EQ(fs::status(target).permissions() & fs::perms::mask, mode);
    EXPECT_EQ(temp.entries(), 1u);
    // A symbolic link stays a link; the file it names gets the bytes.
    const fs::path link = dir_ / "link.cal";
    fs::create_symlink(target, link);
    ASSERT_TRUE(writeFileSafely(link, "new"));
    EXPECT_TRUE(fs::is_symlink(link) && fileBytes(target) == "new");
    // The temporary name does not grow with the target's: the longest names are saved.
    for (std::size_t length : {240u, 255u}) {
        const fs::path named = dir_ / (std::string(length - 4, 'n') + ".Clc");
        ASSERT_TRUE(writeFileSafely(named, "Ferrowick 6\r\n")) << length;
        EXPECT_EQ(fileBytes(named), "Ferrowick 6\r\n");
        fs::remove(named);
    }
    EXPECT_EQ(temp.entries(), 2u);
}

TEST_F(SafeFileTest, RefusedTargetsKeepTheOldStateAndLeaveNoTemporaryFile)
{
    const fs::path readOnly = dir_ / "ro.Clc";
    putFile(readOnly, "old");
    fs::permissions(readOnly, fs::perms::owner_read | fs::perms::group_read);
    const fs::path folder = dir_ / "folder.Clc";
    fs::create_directory(folder);
    struct Row { fs::path target; const char* reason; };
    const Row rows[] = {
        {readOnly, "file is read-only"}, {folder, "is a folder"},
        {dir_ / "missing" / "x.Clc", "the folder does not exist"},
        {dir_ / (std::string(256, 'n')), "the file name is too long"},
    };
    for (const Row& r : rows) {
        const FileStatus st = writeFileSafely(r.target, "new");
        EXPECT_TRUE(!st.ok && st.reason == r.reason) << r.target << ": " << st.reason;
    }
    EXPECT_EQ(fileBytes(readOnly), "old");
    EXPECT_FALSE(fs::exists(dir_ / "missing"));
    EXPECT_EQ(temp.entries(), 2u);
}

TEST_F(SafeFileTest, ReadsWholeFilesAndRefusesOthers)
{
    std::string big(200000, 'x');
    big[123456] = '\0';
    putFile(dir_ / "big", big);
    const FileBytes ok = readFileBytes(dir_ / "big");
    ASSERT_TRUE(ok.ok);
    EXPECT_EQ(ok.bytes, big);
    putFile(dir_ / "empty", "");
    EXPECT_TRUE(readFileBytes(dir_ / "empty").ok);
    // A sparse file far beyond the limit is refused before anything is read.
    putFile(dir_ / "huge", "");
    fs::resize_file(dir_ / "huge", std::uintmax_t{40} << 30);
    const struct { fs::path path; std::size_t limit; FileError error; const char* reason; } rows[] = {
        {dir_ / "nope", 10, FileError::NotFound, "file not found"},
        {dir_, 10, FileError::IsFolder, "is a folder"},
        {"/dev/null", 10, FileError::NotRegular, "not a regular file"},
        {dir_ / "huge", 1000, FileError::TooLarge, "the file is larger than 1000 bytes"},
        {dir_ / "big", 199999, FileError::TooLarge, "the file is larger than 199999 bytes"},
    };
    for (const auto& r : rows) {
        const FileBytes got = readFileBytes(r.path, r.limit);
        EXPECT_TRUE(!got.ok && got.error == r.error && got.bytes.empty()) << r.path;
        EXPECT_EQ(got.reason, r.reason) << r.path;
    }
    EXPECT_TRUE(readFileBytes(dir_ / "big", 200000).ok);
}

TEST_F(SafeFileTest, TemporaryNamesBelongToOneTarget)
{
    const fs::path target = dir_ / "tape.Clc";
    const TempFile a = createTempFileFor(target);
    const TempFile b = createTempFileFor(target);
    ASSERT_TRUE(a.status && b.status);
    EXPECT_TRUE(a.path != b.path && a.path.parent_path() == dir_ && a.path.filename().string().size() == 30u) << a.path;
    const std::string name = a.path.filename().string();
    const struct { fs::path candidate; fs::path target; bool mine; } rows[] = {
        {a.path, target, true},
        {dir_ / "sub" / name, dir_ / "sub" / "tape.Clc", true},   // the folder is not part of the name
        {a.path, dir_ / "other.Clc", false},
        {dir_ / (name.substr(0, 18) + "0000000g.tmp"), target, false},
        {dir_ / (name.substr(0, 26) + ".tmq"), target, false},
        {dir_ / (name + "x"), target, false},
    };
    for (const auto& r : rows)
        EXPECT_EQ(isTempFileOf(r.candidate, r.target), r.mine) << r.candidate << " of " << r.target;
}

// A save killed half-way leaves its temporary file; the next save of the same
// target removes it, and nothing else.
TEST_F(SafeFileTest, LeftoverOfAKilledSaveIsRemovedByTheNextSave)
{
    const fs::path target = dir_ / "tape.Clc";
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        const TempFile temp = createTempFileFor(target);
        std::ofstream(temp.path, std::ios::binary) << std::string(1 << 20, 'x');
        ::raise(SIGKILL);
        std::_Exit(0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);
    ASSERT_EQ(temp.entries(), 1u);
    const fs::path leftover = fs::directory_iterator(dir_)->path();
    EXPECT_TRUE(isTempFileOf(leftover, target));
    EXPECT_EQ(fs::file_size(leftover), 1u << 20);
    const fs::path otherTemp = createTempFileFor(dir_ / "other.Clc").path;
    putFile(dir_ / ".mine.tmp", "not a temporary file of ours");
    ASSERT_TRUE(writeFileSafely(target, "new"));
    EXPECT_TRUE(!fs::exists(leftover) && fs::exists(otherTemp) && fs::exists(dir_ / ".mine.tmp"));
    EXPECT_EQ(fileBytes(target), "new");
    EXPECT_EQ(temp.entries(), 3u);
}

TEST(RecoveryCopy, KeepsTheLinesThatCountReadsBackAndIsTheSameTakenInSlices)
{
    Tape t = tapeOfLines("+0|+12.5|xSin(3)|+0|+0| | | | ");   // " ": a line without an operator
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
    EXPECT_FALSE(recoveryCopy(tapeOfLines("+0|+0|/0|+0|+0")) || recoveryCopy(Tape{}));
    // Taken in slices, a copy of a long tape is the same copy.
    Tape big;
    clearAllLines(big, 2);
    big.TapeValue.resize(1000);
    big.TapeOp.resize(1000, BlankOp);
    for (std::size_t i = 3; i < 900; ++i) {
        big.TapeOp[i] = i % 3 ? '+' : 'x';
        big.TapeValue[i] = Value(Decimal::fromInt(static_cast<std::int64_t>(i)));
    }
    big.TapeOp[400] = BlankOp;
    const std::optional<Tape> whole = recoveryCopy(big);
    ASSERT_TRUE(whole);
    RecoverySnapshot slices(big);
    int turns = 0;
    while (!slices.copyMore(big, 64))
        ++turns;
    EXPECT_EQ(turns, 14);   // 900 lines, 64 a turn
    const std::optional<Tape> taken = slices.take();
    ASSERT_TRUE(taken);
    EXPECT_EQ(writeCalcFile(*taken, English), writeCalcFile(*whole, English));
    // A tape that shrank under the copy is not read beyond its end.
    RecoverySnapshot cut(big);
    Tape shorter = big;
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

    // A failed write keeps the previous file; with no one to tell, the status says so.
    RecoveryWriter unheard(target);
    std::filesystem::permissions(target, std::filesystem::perms::owner_read);
    unheard.submit(tapeOf({{'+', val("3")}}), English);
    unheard.waitIdle();
    EXPECT_FALSE(unheard.lastStatus().ok);
    EXPECT_EQ(fileBytes(target), "Ferrowick 6\r\n-7,5\r\n");
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
// the thread goes on with the next one.
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
}

} // namespace
} // namespace qm
