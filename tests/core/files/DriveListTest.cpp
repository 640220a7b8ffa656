#include "core/files/DriveList.h"

#include "core/CoreTestSupport.h"

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

TEST(DriveList, OrdersDrivesUserFolderParentFoldersThenMatchingFiles)
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
    in.pattern = ".Clc";
    const auto entries = qm::buildListing(in);
    EXPECT_EQ(texts(entries), (std::vector<std::string>{"/", "/media/stick <STICK>", "ann", "..", "sub",
                                                        "old", "a.Clc", "b.CLC", "locked.Clc"}));
    const int kinds[] = {13, 12, Kind::UserFolder, Kind::Folder, Kind::Folder, Kind::Folder,
                         Kind::File, Kind::File, Kind::ReadOnlyFile};
    for (std::size_t k = 0; k < entries.size() && k < std::size(kinds); ++k)
        EXPECT_EQ(entries[k].kind, kinds[k]) << entries[k].text;
    EXPECT_EQ(entries[1].path, "/media/stick");   // path falls back to the root
    EXPECT_EQ(entries[2].path, "/home/ann/");
}

TEST(DriveList, EntryUnderThePointerAndScrollRange)
{
    for (const qm::test::CaseRow& c : qm::test::caseFile("core_drive_entry_at.tsv", 5)) {
        const std::optional<int> at = qm::entryAt(std::stod(c[0]), c.number(1), c.number(2), c.number(3));
        EXPECT_EQ(at ? std::to_string(*at) : "-", c[4]) << c.where;
    }
    // The scroll bar divides by max - min; at the largest value the bottom row holds the last entry.
    for (int count : {0, 1, 10, 11, 100}) {
        const qm::ScrollLayout s = qm::scrollLayout(count, 10);
        EXPECT_GT(s.valueMax, s.valueMin);
        EXPECT_EQ(qm::clampTopIndex(s.valueMax + 5, count, 10), count > 10 ? count - 9 : 1) << count;
    }
}

} // namespace
