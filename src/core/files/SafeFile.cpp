#include "core/files/SafeFile.h"

#include <atomic>
#include <chrono>
#include <cstdint>
#include <fstream>
#include <system_error>

namespace fs = std::filesystem;

namespace qm {

namespace {

// A name in the same folder that is not in use yet. No std::random_device: it
// may throw, and uniqueness within the folder is all that is needed.
bool pickTempName(const fs::path& target, fs::path& out)
{
    static std::atomic<std::uint64_t> counter{0};
    const auto stamp = static_cast<std::uint64_t>(
        std::chrono::steady_clock::now().time_since_epoch().count());
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::uint64_t mix = stamp ^ (counter.fetch_add(1) * 0x9E3779B97F4A7C15ull);
        mix ^= mix >> 29;
        char hex[17];
        for (int i = 15; i >= 0; --i) {
            hex[i] = "0123456789abcdef"[mix & 0xF];
            mix >>= 4;
        }
        hex[16] = '\0';
        fs::path candidate = target.parent_path() /
            ("." + target.filename().string() + "." + hex + ".tmp");
        std::error_code ec;
        if (fs::symlink_status(candidate, ec).type() == fs::file_type::not_found) {
            out = std::move(candidate);
            return true;
        }
    }
    return false;
}

} // namespace

FileBytes readFileBytes(const fs::path& path)
{
    FileBytes result;
    std::error_code ec;
    const fs::file_status st = fs::status(path, ec);
    if (st.type() == fs::file_type::not_found) {
        result.reason = std::string("file not found");
        return result;
    }
    if (ec) {
        result.reason = std::string("cannot open file for reading");
        return result;
    }
    if (!fs::is_regular_file(st)) {
        result.reason = std::string("not a regular file");
        return result;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        result.reason = std::string("cannot open file for reading");
        return result;
    }
    const std::uintmax_t size = fs::file_size(path, ec);
    if (!ec && size < result.bytes.max_size())
        result.bytes.reserve(static_cast<std::size_t>(size));
    char buffer[1 << 16];
    while (in.read(buffer, sizeof buffer) || in.gcount() > 0)
        result.bytes.append(buffer, static_cast<std::size_t>(in.gcount()));
    if (in.bad()) {
        result.bytes.clear();
        result.reason = std::string("read error");
        return result;
    }
    result.ok = true;
    return result;
}

FileStatus writeFileSafely(const fs::path& requested, std::string_view bytes)
{
    std::error_code ec;
    fs::path target = requested;
    if (fs::is_symlink(fs::symlink_status(requested, ec))) {
        fs::path resolved = fs::weakly_canonical(requested, ec);
        if (!ec)
            target = resolved;
    }
    if (target.filename().empty())
        return {false, std::string("not a file name")};

    const fs::file_status old = fs::status(target, ec);
    const bool existed = !ec && fs::exists(old);
    if (existed) {
        if (fs::is_directory(old))
            return {false, std::string("is a folder")};
        constexpr fs::perms anyWrite =
            fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
        if ((old.permissions() & anyWrite) == fs::perms::none)
            return {false, std::string("file is read-only")};
    }

    fs::path temp;
    if (!pickTempName(target, temp))
        return {false, std::string("cannot choose a temporary file name")};

    bool written = false;
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        if (out) {
            out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
            out.flush();
            written = out.good();
            out.close();
            written = written && !out.fail();
        }
    }
    if (!written) {
        fs::remove(temp, ec);
        return {false, std::string("cannot write to the file's folder")};
    }
    if (existed)
        fs::permissions(temp, old.permissions(), ec);   // keep the old file's mode; best effort

    fs::rename(temp, target, ec);
    if (ec) {
        std::error_code ignored;
        fs::remove(temp, ignored);
        return {false, std::string("cannot replace the file")};
    }
    return {};
}

} // namespace qm
