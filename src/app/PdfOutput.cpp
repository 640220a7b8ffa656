#include "PdfOutput.h"

#include "core/files/SafeFile.h"
#include "ui/commands/PrintTape.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace fs = std::filesystem;

namespace qm::app {

namespace {

std::string quoted(const std::string& s)
{
    std::string text(1, '"');
    text += s;
    text += '"';
    return text;
}

bool endsInPdf(const fs::path& p)
{
    std::string ext = p.extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return ext == ".pdf";
}

// A PDF ends with its trailer's "%%EOF" line; a file cut short by a full disk
// does not.
bool completePdf(const fs::path& p)
{
    std::ifstream in(p, std::ios::binary | std::ios::ate);
    if (!in)
        return false;
    const std::streamoff size = in.tellg();
    if (size < 8)
        return false;
    const std::streamoff tail = std::min<std::streamoff>(size, 32);
    std::string end(static_cast<std::size_t>(tail), '\0');
    in.seekg(size - tail);
    in.read(end.data(), tail);
    return in.good() && end.find("%%EOF") != std::string::npos;
}

// Restores the current folder when the writing is over.
class FolderChange {
public:
    explicit FolderChange(const fs::path& folder)
    {
        old_ = fs::current_path(ec_);
        if (!ec_)
            fs::current_path(folder, ec_);
    }
    ~FolderChange()
    {
        std::error_code ignored;
        if (!old_.empty())
            fs::current_path(old_, ignored);
    }
    FolderChange(const FolderChange&) = delete;
    FolderChange& operator=(const FolderChange&) = delete;
    const std::error_code& error() const { return ec_; }

private:
    fs::path old_;
    std::error_code ec_;
};

} // namespace

std::string writeTapePdf(const std::string& output, const Tape& tape, int decimalPlaces,
                         const Regional& regional, const QString& totalText)
{
    std::error_code ec;
    const fs::path requested = fs::absolute(fs::path(output), ec);
    if (ec)
        return quoted(output) + " cannot be written (" + ec.message() + ").";
    const fs::path target = saveTargetOf(requested);

    if (fs::exists(fs::status(target, ec)) && !fs::is_directory(fs::status(target, ec)) && !endsInPdf(target))
        return quoted(output) + " already exists and its name does not end in \".pdf\", so it is not replaced.";
    if (const FileStatus refused = checkReplaceable(target); !refused)
        return quoted(output) + " cannot be replaced: " + refused.reason + ".";

    const TempFile temp = createTempFileFor(target);
    if (!temp.status)
        return quoted(output) + " cannot be written: " + temp.status.reason + ".";

    // The printer gets the temporary file's own name, in its folder made the
    // current one: the folder's name may be bytes that Qt's file names cannot
    // carry (not UTF-8), the temporary file's name is plain ASCII.
    ui::PrintResult printed;
    {
        FolderChange into(target.parent_path());
        if (into.error()) {
            fs::remove(temp.path, ec);
            return quoted(output) + " cannot be written (" + into.error().message() + ").";
        }
        printed = ui::printTapeToPdf(QString::fromLatin1(temp.path.filename().string()), tape,
                                     decimalPlaces, regional, totalText);
    }
    if (!printed.printed) {
        fs::remove(temp.path, ec);
        return printed.reason.toStdString();
    }
    if (!completePdf(temp.path)) {
        fs::remove(temp.path, ec);
        return quoted(output) + " could not be written completely (is the disk full?); nothing was replaced.";
    }
    if (const FileStatus replaced = replaceWithTempFile(temp.path, target); !replaced)
        return quoted(output) + " could not be replaced: " + replaced.reason + ".";
    return {};
}

} // namespace qm::app
