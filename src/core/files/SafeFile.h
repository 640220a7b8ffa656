#pragma once
// Reading files in pieces or whole (with a size limit), and a save that never
// destroys the previous file.
//
// Paths are taken as the system gives them: on POSIX systems a path's bytes
// are used as they are, whatever their encoding.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <limits>
#include <string>
#include <string_view>

namespace qm {

// Why reading or writing a file failed, for a message in the user's language;
// the English reason beside it says the same.
enum class FileProblem {
    None,
    // Opening and reading.
    NotFound, IsFolder, NotRegular, NoPermission, ReadFailed, TooLarge, OutOfMemory,
    // Writing.
    DiskFull, NoWritePermission, ReadOnlyDrive, FolderMissing, NameTooLong, QuotaUsed, WriteFailed,
    ReplaceFailed, NotAFileName, TargetIsFolder, TargetReadOnly, NoTempName,
    // The contents of a calculation file.
    EmptyFile, NotHeader, NoTapeLine, EmptyLine, TooManyLines, LineTooLong, NoOperator,
    GroupingSymbol, OutOfRange, NotANumber, BadNote,
    // Exports.
    ExportWouldReplaceCalculation,
};

// The English text of a problem: `subject` fills its first gap (an excerpt of
// the line, a limit, the system's message), `extra` the second.
std::string fileProblemText(FileProblem problem, const std::string& subject = std::string(),
                            const std::string& extra = std::string());

struct FileStatus {
    bool ok = true;
    std::string reason;   // why it failed (without the path); empty on success
    FileProblem problem = FileProblem::None;
    std::string subject;  // the parts of the problem's text (see fileProblemText)
    std::string extra;
    // A save refused because its file would not open again: the tape line
    // (1-based) the reading fails at, 0 for the file as a whole.
    bool wouldNotReopen = false;
    std::size_t tapeLine = 0;
    explicit operator bool() const { return ok; }
};

// A failed status with a reason of its own, in English only.
FileStatus failedWith(std::string reason);

// A failed status with its English reason made from the problem.
FileStatus fileFailure(FileProblem problem, std::string subject = std::string(), std::string extra = std::string());

// Why a file could not be read.
enum class FileError { None, NotFound, IsFolder, NotRegular, NoPermission, TooLarge, ReadFailed, OutOfMemory };

struct FileBytes {
    bool ok = false;
    std::string bytes;
    std::string reason;   // why it failed (without the path); empty on success
    FileError error = FileError::None;
    std::string subject;   // the system's message for ReadFailed
    explicit operator bool() const { return ok; }
};

// The problem a read error is.
FileProblem problemOf(FileError error);

// A regular file opened for reading in pieces. A missing file, a folder, a
// device or pipe (which could block or never end) and a file the user may not
// read fail at opening, each with its own reason.
class InputFile {
public:
    explicit InputFile(const std::filesystem::path& path);
    ~InputFile();
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    bool ok() const { return error_ == FileError::None; }
    FileError error() const { return error_; }
    const std::string& reason() const { return reason_; }
    // The system's message for a failure without a reason of its own.
    const std::string& subject() const { return subject_; }
    // The size when it was opened; the file may still change while it is read.
    std::uintmax_t size() const { return size_; }
    // Up to `capacity` bytes; 0 at the end of the file or after a read error
    // (then ok() is false).
    std::size_t read(char* buffer, std::size_t capacity);

private:
    std::FILE* file_ = nullptr;
    std::uintmax_t size_ = 0;
    FileError error_ = FileError::None;
    std::string reason_;
    std::string subject_;
};

// Reads a regular file whole. A file larger than `maxBytes` is refused before
// anything is read (and a file that grows past it while being read as well).
FileBytes readFileBytes(const std::filesystem::path& path,
                        std::size_t maxBytes = std::numeric_limits<std::size_t>::max());

// "the file is larger than N bytes": the reason given for a refused size.
std::string tooLargeReason(std::uintmax_t limit);

// Writes `bytes` to a new file in the target's folder, flushes it and renames it
// over the target. On any failure the temporary file is removed and the target
// is left as it was. A target that exists but is read-only (no write permission
// bit at all) or is a folder is refused. A symbolic link is followed, so the
// file it points to is replaced, not the link.
FileStatus writeFileSafely(const std::filesystem::path& target, std::string_view bytes);

// The steps of writeFileSafely, for a writer that produces the file itself
// (such as a PDF printer) instead of handing over its bytes.
//
// The file a save to `requested` replaces: the file a symbolic link points to,
// else `requested` itself.
std::filesystem::path saveTargetOf(const std::filesystem::path& requested);
// Refuses a target that is a folder or read-only; a missing target is fine.
FileStatus checkReplaceable(const std::filesystem::path& target);

// A new, empty temporary file beside `target`, created for this save alone.
// Its name is short whatever the target's name ("." + 16 hex digits naming the
// target + "." + 8 hex digits + ".tmp", 30 bytes), so any target whose name the
// system accepts can be saved. Temporary files that an interrupted save of the
// same target left behind are removed first.
struct TempFile {
    FileStatus status;
    std::filesystem::path path;
};
TempFile createTempFileFor(const std::filesystem::path& target);

// True when `candidate` is named as a temporary file of a save to `target`.
bool isTempFileOf(const std::filesystem::path& candidate, const std::filesystem::path& target);

// Renames the finished temporary file over `target`, giving it the mode of the
// file it replaces. On failure the temporary file is removed.
FileStatus replaceWithTempFile(const std::filesystem::path& temp, const std::filesystem::path& target);

} // namespace qm
