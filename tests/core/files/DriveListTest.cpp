#include "core/files/DriveList.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

using qm::DriveEntry;
using qm::ListingInput;
using qm::PathStyle;
namespace Kind = qm::EntryKind;

std::vector<std::string> texts(const std::vector<DriveEntry>& entries)
{
    std::vector<std::string> out;
    for (const DriveEntry& e : entries)
        out.push_back(e.text);
    return out;
}

std::vector<int> kinds(const std::vector<DriveEntry>& entries)
{
    std::vector<int> out;
    for (const DriveEntry& e : entries)
        out.push_back(e.kind);
    return out;
}

ListingInput posixFolder(std::string pattern)
{
    ListingInput in;
    in.style = PathStyle::Posix;
    in.drives = {{"/", "/", qm::DriveFixed, std::nullopt},
                 {"/media/stick", "", qm::DriveRemovable, std::string("STICK")}};
    in.userFolder = "/home/ann";
    in.currentFolder = "/home/ann/calc";
    // Listing order as the platform gives it: files and folders mixed.
    in.items = {{"a.Clc", false, false}, {"b.CLC", false, false}, {"notes.txt", false, false},
                {"sub", true, false},    {"locked.Clc", false, true}, {"old", true, false},
                {".", true, false},      {"..", true, false}};
    in.pattern = std::move(pattern);
    return in;
}

TEST(DriveList, OrdersDrivesUserFolderParentFoldersThenMatchingFiles)
{
    const auto entries = qm::buildListing(posixFolder(".Clc"));
    EXPECT_EQ(texts(entries), (std::vector<std::string>{"/", "/media/stick <STICK>", "ann", "..", "sub",
                                                        "old", "a.Clc", "b.CLC", "locked.Clc"}));
    EXPECT_EQ(kinds(entries),
              (std::vector<int>{13, 12, Kind::UserFolder, Kind::Folder, Kind::Folder, Kind::Folder,
                                Kind::File, Kind::File, Kind::ReadOnlyFile}));
    EXPECT_EQ(entries[0].path, "/");
    EXPECT_EQ(entries[1].path, "/media/stick");   // path falls back to the root
    EXPECT_EQ(entries[2].path, "/home/ann/");
}

TEST(DriveList, PatternsSelectFiles)
{
    struct Case { const char* pattern; std::vector<std::string> files; };
    const Case cases[] = {
        {".Clc", {"a.Clc", "b.CLC", "locked.Clc"}}, {".clc", {"a.Clc", "b.CLC", "locked.Clc"}},
        {".*", {"a.Clc", "b.CLC", "notes.txt", "locked.Clc"}},
        {"", {"a.Clc", "b.CLC", "notes.txt", "locked.Clc"}}, {"NOTES", {"notes.txt"}},
        {"*.txt", {}},   // no wildcards: only ".*" is special
        {".xyz", {}},
    };
    for (const Case& c : cases) {
        const auto entries = qm::buildListing(posixFolder(c.pattern));
        std::vector<std::string> files;
        for (const DriveEntry& e : entries)
            if (e.kind == Kind::File || e.kind == Kind::ReadOnlyFile)
                files.push_back(e.text);
        EXPECT_EQ(files, c.files) << "pattern " << c.pattern;
        // Folders are listed whatever the pattern.
        EXPECT_EQ(std::count_if(entries.begin(), entries.end(),
                                [](const DriveEntry& e) { return e.kind == Kind::Folder; }),
                  3)
            << "pattern " << c.pattern;
    }
}

TEST(DriveList, ParentAndUserFolderOnlyBelowARoot)
{
    const PathStyle posix = PathStyle::Posix, windows = PathStyle::Windows;
    struct { PathStyle style; const char* folder; const char* home; std::vector<std::string> texts; } cases[] = {
        {posix, "/", "", {}},           {posix, "//", "/", {}},
        {posix, "/a", "/r", {"r", ".."}}, {posix, "/home/ann", "/root/", {"root", ".."}},
        {windows, "C:\\", "C:\\", {}}, {windows, "C:\\x", "C:\\U", {"U", ".."}},
    };
    for (const auto& c : cases) {
        ListingInput in;
        in.style = c.style;
        in.currentFolder = c.folder;
        in.userFolder = c.home;
        EXPECT_EQ(texts(qm::buildListing(in)), c.texts) << c.folder << " " << c.home;
    }
}

TEST(DriveList, WindowsDrivesUpperCaseLabelsFloppiesAndUnknownTypes)
{
    ListingInput in;
    in.style = PathStyle::Windows;
    in.drives = {{"a:\\", "", qm::DriveRemovable, std::nullopt},
                 {"c:\\", "", qm::DriveFixed, std::string("SYSTEM")},
                 {"D:\\", "", qm::DriveOptical, std::string("")},   // label read, but empty
                 {"E:\\", "", qm::DriveUnknown, std::nullopt},      // left out
                 {"F:\\", "", qm::DriveNoRootFolder, std::nullopt},
                 {"G:\\", "", 42, std::nullopt}};                   // nonsense type: unknown
    in.userFolder = "C:\\Users\\ann";
    in.currentFolder = "C:\\";
    const auto entries = qm::buildListing(in);
    EXPECT_EQ(texts(entries),
              (std::vector<std::string>{"A:\\", "C:\\ <SYSTEM>", "D:\\ <>", "F:\\", "ann"}));
    EXPECT_EQ(kinds(entries), (std::vector<int>{Kind::FloppyDrive, 13, 15, 11, Kind::UserFolder}));
    EXPECT_EQ(entries[4].path, "C:\\Users\\ann\\");
}

TEST(DriveList, TapResolvesPaths)
{
    const PathStyle posix = PathStyle::Posix, windows = PathStyle::Windows;
    // DrivePathFile, the folder opened, SelectPath and FileName; "-" is none.
    const struct {
        DriveEntry entry; const char* folder; PathStyle style; const char *path, *open, *select, *file;
    } rows[] = {
        {{"sub", Kind::Folder, {}}, "/home/ann", posix, "/home/ann/sub", "/home/ann/sub", "/home/ann/sub", "-"},
        {{"etc", Kind::Folder, {}}, "/", posix, "/etc", "/etc", "/etc", "-"},
        {{"Data", Kind::Folder, {}}, "C:\\", windows, "C:\\Data", "C:\\Data", "C:\\Data", "-"},
        {{"..", Kind::Folder, {}}, "C:\\Data", windows, "C:\\Data\\..", "C:\\Data\\..", "C:\\Data\\..", "-"},
        // A file is selected; nothing opens.
        {{"a.Clc", Kind::ReadOnlyFile, {}}, "/home/ann", posix, "/home/ann/a.Clc", "-", "-", "a.Clc"},
        // A drive opens its kept mount path, not the text with its label.
        {{"/media/usb stick <STICK>", 12, "/media/usb stick"}, "/", posix, "/media/usb stick <STICK>",
         "/media/usb stick", "-", "-"},
        {{"ann", Kind::UserFolder, "/home/ann/"}, "/", posix, "ann", "/home/ann/", "-", "-"},
    };
    const auto text = [](const std::optional<std::string>& s) { return s.value_or("-"); };
    for (const auto& r : rows) {
        const qm::TapResult t = qm::resolveTap(r.entry, r.folder, r.style);
        SCOPED_TRACE(r.entry.text + " in " + r.folder);
        EXPECT_EQ(t.drivePathFile, r.path);
        EXPECT_EQ(text(t.openFolder), r.open);
        EXPECT_EQ(text(t.selectPath), r.select);
        EXPECT_EQ(text(t.fileName), r.file);
    }
}

TEST(DriveList, EntryUnderThePointer)
{
    struct Case { double y; int rowHeight, top, count; std::optional<int> index; };
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const Case cases[] = {
        {0, 20, 1, 5, 1},      {19.9, 20, 1, 5, 1},   {20, 20, 1, 5, 2},
        {99, 20, 1, 5, 5},     {100, 20, 1, 5, {}},   // below the last entry
        {45, 20, 3, 5, 5},     {65, 20, 3, 5, {}},    // scrolled
        {-1, 20, 1, 5, {}},    {10, 0, 1, 5, {}},     {10, -3, 1, 5, {}},
        {nan, 20, 1, 5, {}},   {1e300, 20, 1, 5, {}}, {0, 20, 1, 0, {}},
        {0, 20, 0, 5, {}},     // entry 0 holds nothing
    };
    for (const Case& c : cases)
        EXPECT_EQ(qm::entryAt(c.y, c.rowHeight, c.top, c.count), c.index)
            << "y " << c.y << " top " << c.top;
}

TEST(DriveList, ScrollRangeLetsTheLastEntryReachTheBottomRow)
{
    for (int rows : {1, 3, 10}) {
        for (int count : {0, 1, 2, 3, 9, 10, 11, 12, 100}) {
            const qm::ScrollLayout s = qm::scrollLayout(count, rows);
            EXPECT_EQ(s.value, 1);
            EXPECT_EQ(s.valueMin, 1);
            EXPECT_GT(s.valueMax, s.valueMin);   // the bar divides by max - min
            if (count <= rows) {
                EXPECT_FALSE(s.visible);
                EXPECT_EQ(s.pageSize, count + 1);
                EXPECT_EQ(s.largeChange, 1);
                EXPECT_EQ(qm::clampTopIndex(s.valueMax, count, rows), 1);
            } else {
                EXPECT_TRUE(s.visible);
                EXPECT_EQ(s.pageSize, rows);
                EXPECT_EQ(s.largeChange, rows);
                // At the largest value the bottom row holds the last entry.
                EXPECT_EQ(s.valueMax + rows - 1, count) << count << " in " << rows;
                EXPECT_EQ(qm::clampTopIndex(s.valueMax + 5, count, rows), s.valueMax);
            }
            EXPECT_EQ(qm::clampTopIndex(-4, count, rows), 1);
        }
    }
    // A control too small for one row still scrolls one entry at a time.
    EXPECT_EQ(qm::scrollLayout(4, 0).valueMax, 4);
}

TEST(DriveList, PathHelpers)
{
    EXPECT_EQ(qm::joinPath("/a/", "b", PathStyle::Posix), "/a/b");
    EXPECT_EQ(qm::joinPath("", "b", PathStyle::Posix), "b");
    EXPECT_EQ(qm::joinPath("C:/x", "b", PathStyle::Windows), "C:/x\\b");
    EXPECT_EQ(qm::lastComponent("C:\\Users\\ann\\", PathStyle::Windows), "ann");
    EXPECT_EQ(qm::lastComponent("/home/a\\b", PathStyle::Posix), "a\\b");   // "\" is a name character
    EXPECT_EQ(qm::lastComponent("plain", PathStyle::Posix), "plain");
}

TEST(DriveList, MountedFileSystemsAsDrives)
{
    struct { const char* fs; bool removable; int type; } types[] = {
        {"ext4", false, qm::DriveFixed},      {"ext4", true, qm::DriveRemovable},
        {"smb3", false, qm::DriveNetwork},    {"fuse.sshfs", false, qm::DriveNetwork},
        {"iso9660", true, qm::DriveOptical},  {"tmpfs", false, qm::DriveMemory},
        {"", false, qm::DriveUnknown},        {"overlay", false, qm::DriveFixed},
    };
    for (const auto& c : types)
        EXPECT_EQ(qm::driveTypeForFileSystem(c.fs, c.removable), c.type) << c.fs;
    for (const char* fs : {"proc", "cgroup2", "overlay", "nsfs"})
        EXPECT_TRUE(qm::isPseudoFileSystem(fs)) << fs;
    for (const char* fs : {"ext4", "tmpfs", "nfs"})
        EXPECT_FALSE(qm::isPseudoFileSystem(fs)) << fs;

    struct { const char* path; bool browsable; } mounts[] = {
        {"/", true},          {"/media/ann/STICK", true}, {"/devices", true},
        {"/run/media/ann/STICK", true}, {"/proc", false},  {"/sys/fs/cgroup", false},
        {"/dev/shm", false},  {"/run/lock", false},       {"/run/media/", false},
        {"/snap/core/1", false}, {"relative", false},     {"", false},
    };
    for (const auto& m : mounts)
        EXPECT_EQ(qm::isBrowsableMountPoint(m.path), m.browsable) << m.path;

    EXPECT_EQ(qm::blockDeviceName("/dev/sdb1"), "sdb1");
    EXPECT_EQ(qm::blockDeviceName("/dev/"), "");
    EXPECT_EQ(qm::blockDeviceName("server:/export"), "");
    EXPECT_EQ(qm::blockDeviceName("tmpfs"), "");
}

} // namespace
