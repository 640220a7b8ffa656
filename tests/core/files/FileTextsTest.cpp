// File names and texts: the code page, extensions and the drive list.

#include "core/files/Cp1252.h"
#include "core/files/DriveList.h"
#include "core/files/StripExtension.h"

#include "core/CoreTestSupport.h"

namespace qm {
namespace {

TEST(FileTexts, CodePageAndExtensionCases)
{
    for (const test::CaseRow& r : test::caseFile("core_cp1252.tsv", 3)) {
        if (r[0] == "strip") {
            EXPECT_EQ(StripExtension(r[1]), r[2]) << r.where;
            continue;
        }
        EXPECT_EQ(encodeCp1252(r[r[0] == "decode" ? 2 : 1]), r[r[0] == "decode" ? 1 : 2]) << r.where;
        if (r[0] == "decode") {
            EXPECT_EQ(decodeCp1252(r[1]), r[2]) << r.where;
        }
    }
}

TEST(Cp1252, EveryByteSurvivesDecodeAndEncode)
{
    std::string all;
    for (int b = 0; b < 256; ++b)
        all.push_back(static_cast<char>(b));
    const std::string utf8 = decodeCp1252(all);
    EXPECT_EQ(utf8.size(), 128u + 128u * 2u + 17u);   // 17 of the high bytes need three
    EXPECT_EQ(encodeCp1252(utf8), all);
    EXPECT_FALSE(isAscii(all));
    EXPECT_TRUE(isAscii(all.substr(0, 128)));
    EXPECT_EQ(decodeCp1252(all.substr(0, 128)), all.substr(0, 128));
}

TEST(DriveList, OrdersDrivesUserFolderParentFoldersThenMatchingFiles)
{
    ListingInput in;
    in.style = PathStyle::Posix;
    in.drives = {{"/", "/", DriveFixed, std::nullopt}, {"/media/stick", "", DriveRemovable, std::string("STICK")}};
    in.userFolder = "/home/ann";
    in.currentFolder = "/home/ann/calc";
    // Listing order as the platform gives it: files and folders mixed.
    in.items = {{"a.Clc", false, false}, {"b.CLC", false, false}, {"notes.txt", false, false},
                {"sub", true, false},    {"locked.Clc", false, true}, {"old", true, false},
                {".", true, false},      {"..", true, false}};
    in.pattern = ".Clc";
    std::string got;
    for (const DriveEntry& e : buildListing(in))
        got += e.text + " " + std::to_string(e.kind) + " " + e.path + "|";
    // Kinds: 13 fixed drive, 12 removable (its path falls back to the root),
    // 110 user folder, 1 folder, 2 file, 3 read-only file.
    EXPECT_EQ(got, "/ 13 /|/media/stick <STICK> 12 /media/stick|ann 110 /home/ann/|.. 1 |sub 1 |old 1 |a.Clc 2 |b.CLC 2 |locked.Clc 3 |");
}

TEST(DriveList, EntryUnderThePointerAndScrollRange)
{
    for (const test::CaseRow& c : test::caseFile("core_drive_entry_at.tsv", 5)) {
        const std::optional<int> at = entryAt(std::stod(c[0]), c.number(1), c.number(2), c.number(3));
        EXPECT_EQ(at ? std::to_string(*at) : "-", c[4]) << c.where;
    }
    // The scroll bar divides by max - min; at the largest value the bottom row holds the last entry.
    for (int count : {0, 1, 10, 11, 100}) {
        const ScrollLayout s = scrollLayout(count, 10);
        EXPECT_GT(s.valueMax, s.valueMin);
        EXPECT_EQ(clampTopIndex(s.valueMax + 5, count, 10), count > 10 ? count - 9 : 1) << count;
    }
}

} // namespace
} // namespace qm
