#include "core/files/SafeFile.h"

#include "core/CoreTestSupport.h"

#include <fstream>
#include <string>

namespace fs = std::filesystem;

namespace qm {
namespace {

using test::TempDir;

std::string slurp(const fs::path& p)
{
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}
void put(const fs::path& p, const std::string& bytes) { std::ofstream(p, std::ios::binary) << bytes; }
// A failed or finished save must leave no temporary file behind.
std::size_t entries(const fs::path& dir)
{
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(dir), {}));
}

class SafeFileTest : public ::testing::Test {
protected:
    TempDir temp{std::string("safefile_") + ::testing::UnitTest::GetInstance()->current_test_info()->name()};
    const fs::path& dir_ = temp.path;
};

TEST_F(SafeFileTest, WritesAndReplacesKeepingTheOldModeAndLinks)
{
    const fs::path target = dir_ / "a.Clc";
    const std::string first("one\r\n\0two", 10);
    ASSERT_TRUE(writeFileSafely(target, first));
    EXPECT_EQ(slurp(target), first);

    const auto mode = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
    fs::permissions(target, mode);
    ASSERT_TRUE(writeFileSafely(target, "2"));
    EXPECT_EQ(slurp(target), "2");
    EXPECT_EQ(fs::status(target).permissions() & fs::perms::mask, mode);
    EXPECT_EQ(entries(dir_), 1u);

    // A symbolic link stays a link; the file it names gets the bytes.
    const fs::path link = dir_ / "link.cal";
    fs::create_symlink(target, link);
    ASSERT_TRUE(writeFileSafely(link, "new"));
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(slurp(target), "new");
}

TEST_F(SafeFileTest, RefusedTargetsKeepTheOldStateAndLeaveNoTemporaryFile)
{
    const fs::path readOnly = dir_ / "ro.Clc";
    put(readOnly, "old");
    fs::permissions(readOnly, fs::perms::owner_read | fs::perms::group_read);
    const fs::path folder = dir_ / "folder.Clc";
    fs::create_directory(folder);

    struct Row { fs::path target; const char* reason; };
    const Row rows[] = {
        {readOnly, "file is read-only"}, {folder, "is a folder"},
        {dir_ / "missing" / "x.Clc", "cannot write to the file's folder"},
    };
    for (const Row& r : rows) {
        const FileStatus st = writeFileSafely(r.target, "new");
        EXPECT_FALSE(st.ok) << r.target;
        EXPECT_EQ(st.reason, r.reason) << r.target;
    }
    EXPECT_EQ(slurp(readOnly), "old");
    EXPECT_FALSE(fs::exists(dir_ / "missing"));
    EXPECT_EQ(entries(dir_), 2u);
}

TEST_F(SafeFileTest, ReadsWholeFilesAndRefusesOthers)
{
    std::string big(200000, 'x');
    big[123456] = '\0';
    put(dir_ / "big", big);
    const FileBytes ok = readFileBytes(dir_ / "big");
    ASSERT_TRUE(ok.ok);
    EXPECT_EQ(ok.bytes, big);

    put(dir_ / "empty", "");
    EXPECT_TRUE(readFileBytes(dir_ / "empty").ok);
    EXPECT_EQ(readFileBytes(dir_ / "nope").reason, "file not found");
    EXPECT_EQ(readFileBytes(dir_).reason, "not a regular file");
}

} // namespace
} // namespace qm
