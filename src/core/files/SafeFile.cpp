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
FileStatus writeFailure(const std::error_code& ec)
{
    if (is(ec, std::errc::no_space_on_device))
        return fileFailure(FileProblem::DiskFull);
    if (is(ec, std::errc::permission_denied) || is(ec, std::errc::operation_not_permitted))
        return fileFailure(FileProblem::NoWritePermission);
    if (is(ec, std::errc::read_only_file_system))
        return fileFailure(FileProblem::ReadOnlyDrive);
    if (is(ec, std::errc::no_such_file_or_directory) || is(ec, std::errc::not_a_directory))
        return fileFailure(FileProblem::FolderMissing);
    if (is(ec, std::errc::filename_too_long))
        return fileFailure(FileProblem::NameTooLong);
#ifdef EDQUOT
    if (ec.value() == EDQUOT && ec.category() == std::generic_category())
        return fileFailure(FileProblem::QuotaUsed);
#endif
    return fileFailure(FileProblem::WriteFailed, ec.message());
}

// Replaces the first "%1" by `subject` and the first "%2" by `extra`.
std::string filled(std::string text, const std::string& subject, const std::string& extra)
{
    if (const std::size_t at = text.find("%1"); at != std::string::npos)
        text.replace(at, 2, subject);
    if (const std::size_t at = text.find("%2"); at != std::string::npos)
        text.replace(at, 2, extra);
    return text;
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

std::string fileProblemText(FileProblem problem, const std::string& subject, const std::string& extra)
{
    const char* text = "";
    switch (problem) {
    case FileProblem::None: text = ""; break;
    case FileProblem::NotFound: text = "file not found"; break;
    case FileProblem::IsFolder: text = "is a folder"; break;
    case FileProblem::NotRegular: text = "not a regular file"; break;
    case FileProblem::NoPermission: text = "permission denied"; break;
    case FileProblem::ReadFailed: text = "cannot read the file (%1)"; break;
    case FileProblem::TooLarge: text = "the file is larger than %1 bytes"; break;
    case FileProblem::OutOfMemory: text = "not enough memory"; break;
    case FileProblem::DiskFull: text = "the disk is full"; break;
    case FileProblem::NoWritePermission: text = "no permission to write in the file's folder"; break;
    case FileProblem::ReadOnlyDrive: text = "the drive is read-only"; break;
    case FileProblem::FolderMissing: text = "the folder does not exist"; break;
    case FileProblem::NameTooLong: text = "the file name is too long"; break;
    case FileProblem::QuotaUsed: text = "the disk quota is used up"; break;
    case FileProblem::WriteFailed: text = "cannot write the file (%1)"; break;
    case FileProblem::ReplaceFailed: text = "cannot replace the file (%1)"; break;
    case FileProblem::NotAFileName: text = "not a file name"; break;
    case FileProblem::TargetIsFolder: text = "is a folder"; break;
    case FileProblem::TargetReadOnly: text = "file is read-only"; break;
    case FileProblem::NoTempName: text = "cannot choose a temporary file name"; break;
    case FileProblem::EmptyFile: text = "the file is empty: no header line"; break;
    case FileProblem::NotHeader: text = "%1 is not the header of a calculation file (\"Ferrowick 6\")"; break;
    case FileProblem::NoTapeLine: text = "no tape line after the header"; break;
    case FileProblem::EmptyLine: text = "the line is empty"; break;
    case FileProblem::TooManyLines: text = "the tape would have more than %1 lines"; break;
    case FileProblem::LineTooLong: text = "the line is longer than %1 bytes"; break;
    case FileProblem::NoOperator: text = "%1 does not start with an operator (+ - x / ^)"; break;
    case FileProblem::GroupingSymbol: text = "%1 holds the grouping symbol \"%2\""; break;
    case FileProblem::OutOfRange: text = "%1 is out of range"; break;
    case FileProblem::NotANumber: text = "%1 is not a number"; break;
    case FileProblem::BadNote: text = "the note %1 is longer than %2 characters or holds a control character"; break;
    case FileProblem::ExportWouldReplaceCalculation: text = "a calculation file is not replaced by an export"; break;
    }
    return filled(text, subject, extra);
}

FileStatus failedWith(std::string reason)
{
    FileStatus status;
    status.ok = false;
    status.reason = std::move(reason);
    return status;
}

FileStatus fileFailure(FileProblem problem, std::string subject, std::string extra)
{
    FileStatus status;
    status.ok = false;
    status.reason = fileProblemText(problem, subject, extra);
    status.problem = problem;
    status.subject = std::move(subject);
    status.extra = std::move(extra);
    return status;
}

FileProblem problemOf(FileError error)
{
    switch (error) {
    case FileError::None: return FileProblem::None;
    case FileError::NotFound: return FileProblem::NotFound;
    case FileError::IsFolder: return FileProblem::IsFolder;
    case FileError::NotRegular: return FileProblem::NotRegular;
    case FileError::NoPermission: return FileProblem::NoPermission;
    case FileError::TooLarge: return FileProblem::TooLarge;
    case FileError::ReadFailed: return FileProblem::ReadFailed;
    case FileError::OutOfMemory: return FileProblem::OutOfMemory;
    }
    return FileProblem::ReadFailed;
}

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
        subject_ = error_ == FileError::ReadFailed ? ec.message() : std::string();
        reason_ = fileProblemText(problemOf(error_), subject_);
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
        subject_ = error_ == FileError::ReadFailed ? open.message() : std::string();
        reason_ = fileProblemText(problemOf(error_), subject_);
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
        subject_ = lastError().message();
        reason_ = fileProblemText(FileProblem::ReadFailed, subject_);
    }
    return n;
}

std::string tooLargeReason(std::uintmax_t limit)
{
    return fileProblemText(FileProblem::TooLarge, std::to_string(limit));
}

FileBytes readFileBytes(const fs::path& path, std::size_t maxBytes)
{
    FileBytes result;
    InputFile in(path);
    auto fail = [&](FileError error, std::string reason) {
        result.bytes = std::string();
        result.error = error;
        result.reason = std::move(reason);
        if (error == FileError::ReadFailed)
            result.subject = in.subject();
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
        return fileFailure(FileProblem::NotAFileName);
    std::error_code ec;
    const fs::file_status old = fs::status(target, ec);
    if (ec || !fs::exists(old))
        return {};
    if (fs::is_directory(old))
        return fileFailure(FileProblem::TargetIsFolder);
    constexpr fs::perms anyWrite = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    if ((old.permissions() & anyWrite) == fs::perms::none)
        return fileFailure(FileProblem::TargetReadOnly);
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
        temp.status = fileFailure(FileProblem::NotAFileName);
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
            temp.status = writeFailure(ec);
            return temp;
        }
    }
    temp.status = fileFailure(FileProblem::NoTempName);
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
        return is(ec, std::errc::filename_too_long) ? fileFailure(FileProblem::NameTooLong)
                                                    : fileFailure(FileProblem::ReplaceFailed, ec.message());
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
        return writeFailure(failure);
    }
    return replaceWithTempFile(temp.path, target);
}

} // namespace qm
