#include "core/files/SafeFile.h"

#include <atomic>
#include <cerrno>
#include <chrono>
#include <new>
#include <system_error>

namespace fs = std::filesystem;

namespace qm {

namespace {

bool is(const std::error_code& ec, std::errc e) { return ec == std::make_error_condition(e); }

// errno as an error code; a failure that left errno unset counts as an I/O error.
std::error_code lastError()
{
    return errno != 0 ? std::error_code(errno, std::generic_category())
                      : std::make_error_code(std::errc::io_error);
}

// What a failed write into the target's folder means for the user.
std::string writeReason(const std::error_code& ec)
{
    if (is(ec, std::errc::no_space_on_device))
        return "the disk is full";
    if (is(ec, std::errc::permission_denied) || is(ec, std::errc::operation_not_permitted))
        return "no permission to write in the file's folder";
    if (is(ec, std::errc::read_only_file_system))
        return "the drive is read-only";
    if (is(ec, std::errc::no_such_file_or_directory) || is(ec, std::errc::not_a_directory))
        return "the folder does not exist";
    if (is(ec, std::errc::filename_too_long))
        return "the file name is too long";
#ifdef EDQUOT
    if (ec.value() == EDQUOT && ec.category() == std::generic_category())
        return "the disk quota is used up";
#endif
    return "cannot write the file (" + ec.message() + ")";
}

std::uint64_t nameHash(const std::string& name)
{
    std::uint64_t h = 0xcbf29ce484222325ull;   // FNV-1a
    for (const char c : name) {
        h ^= static_cast<unsigned char>(c);
        h *= 0x100000001b3ull;
    }
    return h;
}

std::string hex(std::uint64_t v, int digits)
{
    std::string s(static_cast<std::size_t>(digits), '0');
    for (int i = digits - 1; i >= 0; --i) {
        s[static_cast<std::size_t>(i)] = "0123456789abcdef"[v & 0xF];
        v >>= 4;
    }
    return s;
}

constexpr std::string_view TempSuffix = ".tmp";
constexpr std::size_t TempNameLength = 1 + 16 + 1 + 8 + TempSuffix.size();

std::string tempPrefix(const fs::path& target)
{
    return "." + hex(nameHash(target.filename().string()), 16) + ".";
}

fs::path folderOf(const fs::path& target)
{
    const fs::path parent = target.parent_path();
    return parent.empty() ? fs::path(".") : parent;
}

// No std::random_device: it may throw, and uniqueness within the folder is all
// that is needed (the file is created exclusively anyway).
std::uint64_t uniqueNumber()
{
    static std::atomic<std::uint64_t> counter{0};
    int local = 0;
    std::uint64_t x = static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count())
        ^ (counter.fetch_add(1) * 0x9E3779B97F4A7C15ull)
        ^ static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(&local));
    x ^= x >> 30;
    x *= 0xbf58476d1ce4e5b9ull;
    x ^= x >> 27;
    x *= 0x94d049bb133111ebull;
    return x ^ (x >> 31);
}

void removeLeftovers(const fs::path& target)
{
    std::error_code ec;
    fs::directory_iterator it(folderOf(target), ec);
    if (ec)
        return;
    for (; it != fs::directory_iterator(); it.increment(ec)) {
        if (ec)
            return;
        const fs::path& p = it->path();
        std::error_code ignored;
        if (isTempFileOf(p, target) && fs::symlink_status(p, ignored).type() == fs::file_type::regular)
            fs::remove(p, ignored);
    }
}

} // namespace

// ---- Reading ------------------------------------------------------------------

InputFile::InputFile(const fs::path& path)
{
    std::error_code ec;
    const fs::file_status st = fs::status(path, ec);
    if (st.type() == fs::file_type::not_found) {
        error_ = FileError::NotFound;
        reason_ = "file not found";
        return;
    }
    if (ec) {
        error_ = is(ec, std::errc::permission_denied) ? FileError::NoPermission : FileError::ReadFailed;
        reason_ = error_ == FileError::NoPermission ? "permission denied" : "cannot open file (" + ec.message() + ")";
        return;
    }
    if (fs::is_directory(st)) {
        error_ = FileError::IsFolder;
        reason_ = "is a folder";
        return;
    }
    if (!fs::is_regular_file(st)) {
        error_ = FileError::NotRegular;
        reason_ = "not a regular file";
        return;
    }
    errno = 0;
    file_ = std::fopen(path.c_str(), "rb");
    if (!file_) {
        const std::error_code open = lastError();
        error_ = is(open, std::errc::permission_denied) ? FileError::NoPermission : FileError::ReadFailed;
        reason_ = error_ == FileError::NoPermission ? "permission denied"
                                                    : "cannot open file (" + open.message() + ")";
        return;
    }
    size_ = fs::file_size(path, ec);
    if (ec)
        size_ = 0;
}

InputFile::~InputFile()
{
    if (file_)
        std::fclose(file_);
}

std::size_t InputFile::read(char* buffer, std::size_t capacity)
{
    if (!file_ || error_ != FileError::None)
        return 0;
    errno = 0;
    const std::size_t n = std::fread(buffer, 1, capacity, file_);
    if (n == 0 && std::ferror(file_)) {
        error_ = FileError::ReadFailed;
        reason_ = "read error (" + lastError().message() + ")";
    }
    return n;
}

std::string tooLargeReason(std::uintmax_t limit)
{
    return "the file is larger than " + std::to_string(limit) + " bytes";
}

FileBytes readFileBytes(const fs::path& path, std::size_t maxBytes)
{
    FileBytes result;
    InputFile in(path);
    auto fail = [&](FileError error, std::string reason) {
        result.bytes = std::string();
        result.error = error;
        result.reason = std::move(reason);
        return std::move(result);
    };
    if (!in.ok())
        return fail(in.error(), in.reason());
    if (in.size() > maxBytes)
        return fail(FileError::TooLarge, tooLargeReason(maxBytes));
    try {
        result.bytes.reserve(static_cast<std::size_t>(in.size()));
        char buffer[1 << 16];
        while (const std::size_t n = in.read(buffer, sizeof buffer)) {
            if (n > maxBytes - result.bytes.size())
                return fail(FileError::TooLarge, tooLargeReason(maxBytes));
            result.bytes.append(buffer, n);
        }
    } catch (const std::bad_alloc&) {
        return fail(FileError::OutOfMemory, "not enough memory");
    }
    if (!in.ok())
        return fail(in.error(), in.reason());
    result.ok = true;
    return result;
}

// ---- Saving ---------------------------------------------------------------------

fs::path saveTargetOf(const fs::path& requested)
{
    std::error_code ec;
    if (fs::is_symlink(fs::symlink_status(requested, ec))) {
        fs::path resolved = fs::weakly_canonical(requested, ec);
        if (!ec)
            return resolved;
    }
    return requested;
}

FileStatus checkReplaceable(const fs::path& target)
{
    if (target.filename().empty())
        return {false, "not a file name"};
    std::error_code ec;
    const fs::file_status old = fs::status(target, ec);
    if (ec || !fs::exists(old))
        return {};
    if (fs::is_directory(old))
        return {false, "is a folder"};
    constexpr fs::perms anyWrite = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    if ((old.permissions() & anyWrite) == fs::perms::none)
        return {false, "file is read-only"};
    return {};
}

bool isTempFileOf(const fs::path& candidate, const fs::path& target)
{
    const std::string name = candidate.filename().string();
    const std::string prefix = tempPrefix(target);
    if (name.size() != TempNameLength || name.compare(0, prefix.size(), prefix) != 0
        || name.compare(name.size() - TempSuffix.size(), TempSuffix.size(), TempSuffix) != 0)
        return false;
    for (std::size_t i = prefix.size(); i < name.size() - TempSuffix.size(); ++i) {
        const char c = name[i];
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f')))
            return false;
    }
    return true;
}

TempFile createTempFileFor(const fs::path& target)
{
    TempFile temp;
    if (target.filename().empty()) {
        temp.status = {false, "not a file name"};
        return temp;
    }
    removeLeftovers(target);
    const std::string prefix = tempPrefix(target);
    for (int attempt = 0; attempt < 100; ++attempt) {
        const fs::path candidate =
            target.parent_path() / (prefix + hex(uniqueNumber(), 8) + std::string(TempSuffix));
        errno = 0;
        // "x": created here or not at all, so no other file is ever clobbered.
        std::FILE* f = std::fopen(candidate.c_str(), "wbx");
        if (f) {
            std::fclose(f);
            temp.path = candidate;
            return temp;
        }
        const std::error_code ec = lastError();
        if (!is(ec, std::errc::file_exists)) {
            temp.status = {false, writeReason(ec)};
            return temp;
        }
    }
    temp.status = {false, "cannot choose a temporary file name"};
    return temp;
}

FileStatus replaceWithTempFile(const fs::path& temp, const fs::path& target)
{
    std::error_code ec;
    const fs::file_status old = fs::status(target, ec);
    if (!ec && fs::exists(old))
        fs::permissions(temp, old.permissions(), ec);   // keep the old file's mode; best effort
    fs::rename(temp, target, ec);
    if (ec) {
        std::error_code ignored;
        fs::remove(temp, ignored);
        return {false, is(ec, std::errc::filename_too_long) ? std::string("the file name is too long")
                                                            : "cannot replace the file (" + ec.message() + ")"};
    }
    return {};
}

FileStatus writeFileSafely(const fs::path& requested, std::string_view bytes)
{
    const fs::path target = saveTargetOf(requested);
    if (FileStatus refused = checkReplaceable(target); !refused)
        return refused;

    TempFile temp = createTempFileFor(target);
    if (!temp.status)
        return temp.status;

    std::error_code failure;
    errno = 0;
    std::FILE* f = std::fopen(temp.path.c_str(), "wb");
    if (!f) {
        failure = lastError();
    } else {
        errno = 0;
        if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), f) != bytes.size())
            failure = lastError();
        if (!failure && std::fflush(f) != 0)
            failure = lastError();
        errno = 0;
        if (std::fclose(f) != 0 && !failure)
            failure = lastError();
    }
    if (failure) {
        std::error_code ignored;
        fs::remove(temp.path, ignored);
        return {false, writeReason(failure)};
    }
    return replaceWithTempFile(temp.path, target);
}

} // namespace qm
