#include "core/files/DriveList.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace qm {

namespace {

char lowerAscii(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

char upperAscii(char c)
{
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

std::string lowerAscii(std::string_view s)
{
    std::string out(s);
    for (char& c : out)
        c = lowerAscii(c);
    return out;
}

bool isSeparator(char c, PathStyle style)
{
    // Windows accepts both; POSIX only the slash ("\" is an ordinary name character).
    return c == '/' || (style == PathStyle::Windows && c == '\\');
}

bool endsWithSeparator(std::string_view path, PathStyle style)
{
    return !path.empty() && isSeparator(path.back(), style);
}

template <std::size_t N>
bool oneOf(std::string_view s, const std::array<std::string_view, N>& set)
{
    return std::find(set.begin(), set.end(), s) != set.end();
}

// `path` is `prefix` or lies below it ("/dev" matches "/dev/pts", not "/devices").
bool isUnder(std::string_view path, std::string_view prefix)
{
    if (path.substr(0, prefix.size()) != prefix)
        return false;
    return path.size() == prefix.size() || path[prefix.size()] == '/';
}

} // namespace

char separator(PathStyle style)
{
    return style == PathStyle::Windows ? '\\' : '/';
}

bool matchesPattern(std::string_view name, std::string_view pattern)
{
    if (pattern == ".*")
        return true;
    return lowerAscii(name).find(lowerAscii(pattern)) != std::string::npos;
}

int entryIcon(int kind)
{
    switch (kind) {
    case EntryKind::Folder: return 1;
    case EntryKind::File:
    case EntryKind::ReadOnlyFile: return 5;
    case EntryKind::FloppyDrive: return 3;
    case EntryKind::UserFolder: return 6;
    case EntryKind::DriveBase + DriveRemovable: return 4;
    case EntryKind::DriveBase + DriveOptical: return 2;
    default: return 0;
    }
}

std::uint32_t entryColour(int kind)
{
    switch (kind) {
    case EntryKind::Folder: return 0xFF0000;        // blue
    case EntryKind::File: return 0x000000;          // black
    case EntryKind::ReadOnlyFile: return 0x808080;  // grey
    default: return 0x008000;                       // green: drives and the user's folder
    }
}

bool isRootPath(std::string_view path, PathStyle style)
{
    if (style == PathStyle::Windows)
        return path.size() < 4;
    return std::all_of(path.begin(), path.end(), [](char c) { return c == '/'; });
}

std::string joinPath(std::string_view folder, std::string_view name, PathStyle style)
{
    std::string out(folder);
    if (!out.empty() && !endsWithSeparator(out, style))
        out += separator(style);
    out += name;
    return out;
}

std::string lastComponent(std::string_view path, PathStyle style)
{
    while (!path.empty() && isSeparator(path.back(), style))
        path.remove_suffix(1);
    std::size_t i = path.size();
    while (i > 0 && !isSeparator(path[i - 1], style))
        --i;
    return std::string(path.substr(i));
}

std::vector<DriveEntry> buildListing(const ListingInput& in)
{
    std::vector<DriveEntry> collected;
    collected.reserve(in.drives.size() + in.items.size() + 2);

    for (const DriveInfo& d : in.drives) {
        DriveEntry e;
        e.text = d.root;
        if (in.style == PathStyle::Windows)
            std::transform(e.text.begin(), e.text.end(), e.text.begin(),
                           [](char c) { return upperAscii(c); });
        const int type = (d.type >= DriveUnknown && d.type <= DriveMemory) ? d.type : DriveUnknown;
        e.kind = EntryKind::DriveBase + type;
        if (in.style == PathStyle::Windows && !e.text.empty() && (e.text[0] == 'A' || e.text[0] == 'B'))
            e.kind = EntryKind::FloppyDrive;
        if (d.label)
            e.text += " <" + *d.label + ">";
        e.path = d.path.empty() ? d.root : d.path;
        collected.push_back(std::move(e));
    }

    const bool hasUserFolder = in.style == PathStyle::Windows
                                   ? in.userFolder.size() >= 4
                                   : !in.userFolder.empty() && !isRootPath(in.userFolder, in.style);
    if (hasUserFolder) {
        DriveEntry e;
        e.text = lastComponent(in.userFolder, in.style);
        e.kind = EntryKind::UserFolder;
        e.path = in.userFolder;
        if (!endsWithSeparator(e.path, in.style))
            e.path += separator(in.style);
        collected.push_back(std::move(e));
    }

    if (!isRootPath(in.currentFolder, in.style))
        collected.push_back({"..", EntryKind::Folder, {}});

    for (const FolderItem& item : in.items) {
        if (item.name == "." || item.name == ".." || item.name.empty())
            continue;
        if (item.isFolder)
            collected.push_back({item.name, EntryKind::Folder, {}});
        else if (matchesPattern(item.name, in.pattern))
            collected.push_back({item.name, item.readOnly ? EntryKind::ReadOnlyFile : EntryKind::File, {}});
    }

    // Two passes keep the order inside each group: everything one can open,
    // then the files. Kind 10 (a drive of unknown type) is in neither.
    std::vector<DriveEntry> out;
    out.reserve(collected.size());
    for (const DriveEntry& e : collected)
        if (e.kind == EntryKind::Folder || e.kind >= EntryKind::DriveBase + 1)
            out.push_back(e);
    for (DriveEntry& e : collected)
        if (e.kind >= EntryKind::File && e.kind <= 9)
            out.push_back(std::move(e));
    return out;
}

TapResult resolveTap(const DriveEntry& entry, std::string_view currentFolder, PathStyle style)
{
    TapResult r;
    r.drivePathFile = entry.text;
    if (entry.kind == EntryKind::Folder) {
        r.drivePathFile = joinPath(currentFolder, entry.text, style);
        r.selectPath = r.drivePathFile;
        r.openFolder = r.drivePathFile;
    } else if (entry.kind == EntryKind::UserFolder || entry.kind > EntryKind::DriveBase) {
        // The drive's mount path is kept with the entry rather than parsed
        // back out of its text, which may carry a volume label.
        r.openFolder = entry.path.empty() ? entry.text : entry.path;
    } else if (entry.kind == EntryKind::File || entry.kind == EntryKind::ReadOnlyFile) {
        r.fileName = entry.text;
        r.drivePathFile = joinPath(currentFolder, entry.text, style);
    }
    return r;
}

std::optional<int> entryAt(double y, int rowHeight, int topIndex, int count)
{
    if (rowHeight <= 0 || !std::isfinite(y) || y < 0 || count <= 0)
        return std::nullopt;
    const double row = std::floor(y / rowHeight);
    if (row > static_cast<double>(count))
        return std::nullopt;
    const long long index = static_cast<long long>(row) + topIndex;
    if (index < 1 || index > count)
        return std::nullopt;
    return static_cast<int>(index);
}

ScrollLayout scrollLayout(int count, int fullRows)
{
    fullRows = std::max(fullRows, 1);
    ScrollLayout s;
    if (count <= fullRows) {
        s.visible = false;
        s.pageSize = std::max(count, 0) + 1;
        s.largeChange = 1;
        s.valueMax = 2;
        s.value = 1;
        return s;
    }
    // The last entry reaches the bottom row when the top shows count - rows + 1.
    s.visible = true;
    s.pageSize = fullRows;
    s.largeChange = fullRows;
    s.valueMax = count - fullRows + 1;
    s.value = 1;
    return s;
}

int clampTopIndex(int value, int count, int fullRows)
{
    fullRows = std::max(fullRows, 1);
    const int maxTop = count <= fullRows ? 1 : count - fullRows + 1;
    return std::clamp(value, 1, maxTop);
}

bool isPseudoFileSystem(std::string_view fsType)
{
    static constexpr std::array<std::string_view, 29> pseudo{
        "proc",      "sysfs",       "cgroup",     "cgroup2",    "devpts",    "devtmpfs",
        "mqueue",    "debugfs",     "tracefs",    "securityfs", "pstore",    "bpf",
        "configfs",  "fusectl",     "hugetlbfs",  "autofs",     "binfmt_misc", "efivarfs",
        "rpc_pipefs", "nsfs",       "selinuxfs",  "overlay",    "aufs",      "nfsd",
        "fuse.lxcfs", "fuse.gvfsd-fuse", "fuse.portal", "rootfs", "none"};
    return oneOf(fsType, pseudo);
}

bool isBrowsableMountPoint(std::string_view mountPoint)
{
    if (mountPoint.empty() || mountPoint.front() != '/')
        return false;
    for (std::string_view prefix : {"/proc", "/sys", "/dev", "/snap", "/var/lib/docker", "/var/snap"})
        if (isUnder(mountPoint, prefix))
            return false;
    if (isUnder(mountPoint, "/run"))
        return isUnder(mountPoint, "/run/media") && mountPoint.size() > std::string_view("/run/media/").size();
    return true;
}

int driveTypeForFileSystem(std::string_view fsType, bool removable)
{
    static constexpr std::array<std::string_view, 16> network{
        "nfs", "nfs4", "cifs", "smb3", "smbfs", "sshfs", "fuse.sshfs", "9p",
        "ceph", "glusterfs", "fuse.glusterfs", "davfs", "fuse.davfs2", "afs", "ncpfs", "fuse.rclone"};
    static constexpr std::array<std::string_view, 2> optical{"iso9660", "udf"};
    static constexpr std::array<std::string_view, 2> memory{"tmpfs", "ramfs"};
    if (fsType.empty())
        return DriveUnknown;
    if (oneOf(fsType, network))
        return DriveNetwork;
    if (oneOf(fsType, optical))
        return DriveOptical;
    if (oneOf(fsType, memory))
        return DriveMemory;
    return removable ? DriveRemovable : DriveFixed;
}

std::string blockDeviceName(std::string_view device)
{
    constexpr std::string_view dev = "/dev/";
    if (device.substr(0, dev.size()) != dev || device.size() == dev.size())
        return {};
    return lastComponent(device, PathStyle::Posix);
}

} // namespace qm
