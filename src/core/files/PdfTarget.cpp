#include "core/files/PdfTarget.h"

#include "core/files/SafeFile.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <string>
#include <system_error>

namespace fs = std::filesystem;

namespace qm {

namespace {

// Empty, or the signature every PDF document starts with.
bool holdsPdf(const fs::path& file)
{
    std::error_code ec;
    if (fs::file_size(file, ec) == 0 && !ec)
        return true;
    std::ifstream in(file, std::ios::binary);
    char start[5] = {};
    in.read(start, sizeof start);
    return in.gcount() == static_cast<std::streamsize>(sizeof start) && std::string(start, sizeof start) == "%PDF-";
}

} // namespace

bool hasPdfName(const fs::path& path)
{
    std::string ext = path.extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return ext == ".pdf";
}

PdfTarget checkPdfTarget(const fs::path& requested, bool newNameMustBePdf)
{
    PdfTarget t;
    t.file = saveTargetOf(requested);
    std::error_code ec;
    const bool link = fs::is_symlink(fs::symlink_status(requested, ec));
    const fs::file_status st = fs::status(t.file, ec);
    if (!ec && fs::exists(st) && !fs::is_directory(st)) {
        // Only a regular file is read: a pipe could block for ever.
        const bool regularPdfName = fs::is_regular_file(st) && hasPdfName(t.file);
        if (!regularPdfName || !holdsPdf(t.file))
            t.problem = link ? PdfTargetProblem::LinkToNotPdf
                             : regularPdfName ? PdfTargetProblem::ContentNotPdf : PdfTargetProblem::ExistingNotPdf;
        return t;
    }
    if (newNameMustBePdf && !hasPdfName(requested))
        t.problem = PdfTargetProblem::NameNotPdf;
    return t;
}

} // namespace qm
