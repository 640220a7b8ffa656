#pragma once
// Whole-file reading and a save that never destroys the previous file.

#include <filesystem>
#include <string>
#include <string_view>

namespace qm {

struct FileStatus {
    bool ok = true;
    std::string reason;   // why it failed (without the path); empty on success
    explicit operator bool() const { return ok; }
};

struct FileBytes {
    bool ok = false;
    std::string bytes;
    std::string reason;   // why it failed (without the path); empty on success
    explicit operator bool() const { return ok; }
};

// Reads a regular file whole. A folder, a missing file or a read error fails.
FileBytes readFileBytes(const std::filesystem::path& path);

// Writes `bytes` to a new file in the target's folder, flushes it and renames it
// over the target. On any failure the temporary file is removed and the target
// is left as it was. A target that exists but is read-only (no write permission
// bit at all) or is a folder is refused. A symbolic link is followed, so the
// file it points to is replaced, not the link.
FileStatus writeFileSafely(const std::filesystem::path& target, std::string_view bytes);

} // namespace qm
