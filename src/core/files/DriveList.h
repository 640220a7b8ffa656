#pragma once
// What the drive/folder/file browser lists, in which order, icon and colour,
// and what a tap on an entry opens or selects. No file-system access here: the
// caller gathers drives and folder items, so every rule is testable as data.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qm {

// Paths are written with "/" (POSIX) or "\" (Windows drive letters).
enum class PathStyle { Posix, Windows };

char separator(PathStyle style);

// Entry kinds. A drive is DriveKindBase + its drive type.
namespace EntryKind {
inline constexpr int Folder = 1;         // a sub-folder or ".."
inline constexpr int File = 2;           // a file whose name matches the pattern
inline constexpr int ReadOnlyFile = 3;
inline constexpr int DriveBase = 10;
inline constexpr int FloppyDrive = 100;  // drive A or B
inline constexpr int UserFolder = 110;
} // namespace EntryKind

// Drive types, as the platform reports them.
enum DriveType : int {
    DriveUnknown = 0,
    DriveNoRootFolder = 1,
    DriveRemovable = 2,
    DriveFixed = 3,
    DriveNetwork = 4,
    DriveOptical = 5,
    DriveMemory = 6,
};

struct DriveInfo {
    std::string root;                 // "C:\" or a mount point such as "/media/stick"
    std::string path;                 // what a tap opens; the root when empty
    int type = DriveUnknown;
    std::optional<std::string> label; // set when the volume label could be read
};

struct FolderItem {
    std::string name;
    bool isFolder = false;
    bool readOnly = false;
};

struct DriveEntry {
    std::string text;   // what the row shows
    int kind = 0;
    std::string path;   // drives and the user's folder: the folder a tap opens
};

// Everything one listing is built from.
struct ListingInput {
    std::vector<DriveInfo> drives;     // in the platform's order
    std::string userFolder;            // HOME / USERPROFILE; empty when unset
    std::string currentFolder;         // native separators
    std::vector<FolderItem> items;     // the current folder's entries, in listing order
    std::string pattern;               // ".Clc", ".*" or empty
    PathStyle style = PathStyle::Posix;
};

// The rows in their final order: drives, the user's folder, "..", folders,
// then the matching files. Drives of unknown type are left out.
std::vector<DriveEntry> buildListing(const ListingInput& in);

// The lower-case name contains the lower-case pattern, or the pattern is
// ".*". Case is folded for ASCII letters only.
bool matchesPattern(std::string_view name, std::string_view pattern);

// Icon index 0..6 and text colour (0x00BBGGRR) of an entry kind.
int entryIcon(int kind);
std::uint32_t entryColour(int kind);

// A folder with no parent: "/" on POSIX; fewer than four characters ("C:\")
// with drive letters.
bool isRootPath(std::string_view path, PathStyle style);
// folder + separator + name; no separator is doubled when folder ends in one.
std::string joinPath(std::string_view folder, std::string_view name, PathStyle style);
// The part after the last separator, trailing separators ignored.
std::string lastComponent(std::string_view path, PathStyle style);

// What a tap on an entry changes.
struct TapResult {
    std::string drivePathFile;               // the browser's new DrivePathFile
    std::optional<std::string> openFolder;   // rebuild the list for this folder
    std::optional<std::string> selectPath;   // the browser's new SelectPath
    std::optional<std::string> fileName;     // the browser's new FileName (files only)
};
TapResult resolveTap(const DriveEntry& entry, std::string_view currentFolder, PathStyle style);

// The 1-based entry index under pointer position y, given the row height,
// the entry shown on the top row (1-based) and the number of entries; none
// above the list, below its last entry or for a degenerate row height.
std::optional<int> entryAt(double y, int rowHeight, int topIndex, int count);

// Scroll bar settings for `count` entries when `fullRows` rows fit whole.
struct ScrollLayout {
    bool visible = false;
    int pageSize = 1;       // step of Page Up / Page Down
    int largeChange = 1;
    int valueMin = 1;
    int valueMax = 2;
    int value = 1;
};
ScrollLayout scrollLayout(int count, int fullRows);
// The top entry actually shown for a scroll value: within 1 .. the last top
// that still fills the rows (1 when everything fits).
int clampTopIndex(int value, int count, int fullRows);

// Mounted file systems as drives (Linux).
// Kernel and container file systems nobody browses (proc, sysfs, cgroup, ...).
bool isPseudoFileSystem(std::string_view fsType);
// Mount points below /proc, /sys, /dev, /snap and /run (except /run/media)
// are the system's own.
bool isBrowsableMountPoint(std::string_view mountPoint);
// Network, optical, memory, removable or fixed; unknown for an empty type.
int driveTypeForFileSystem(std::string_view fsType, bool removable);
// The block device whose "removable" flag tells about a device node:
// "/dev/sdb1" -> "sdb1" (the caller also tries the parent of a partition);
// empty for anything that is not under /dev.
std::string blockDeviceName(std::string_view device);

} // namespace qm
