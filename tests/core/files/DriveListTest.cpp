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
    struct Case { double y; int rowHeight, top, count; std::optional<int> index; };
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const Case cases[] = {
        {19.9, 20, 1, 5, 1},   {20, 20, 1, 5, 2},     {100, 20, 1, 5, {}},  // below the last entry
        {45, 20, 3, 5, 5},     {-1, 20, 1, 5, {}},    {10, 0, 1, 5, {}},
        {nan, 20, 1, 5, {}},   {1e300, 20, 1, 5, {}}, {0, 20, 0, 5, {}},    // entry 0 holds nothing
    };
    for (const Case& c : cases)
        EXPECT_EQ(qm::entryAt(c.y, c.rowHeight, c.top, c.count), c.index)
            << "y " << c.y << " top " << c.top;
    // The scroll bar divides by max - min; at the largest value the bottom row holds the last entry.
    for (int count : {0, 1, 10, 11, 100}) {
        const qm::ScrollLayout s = qm::scrollLayout(count, 10);
        EXPECT_GT(s.valueMax, s.valueMin);
        EXPECT_EQ(qm::clampTopIndex(s.valueMax + 5, count, 10), count > 10 ? count - 9 : 1) << count;
    }
}

} // namespace
