#include "PdfOutput.h"

#include "core/files/PdfTarget.h"
#include "core/files/SafeFile.h"
#include "ui/commands/PrintTape.h"

#include <QByteArray>

#include <filesystem>
#include <string_view>
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

} // namespace

std::string writeTapePdf(const std::string& output, const Tape& tape, int decimalPlaces,
                         const Regional& regional, const QString& totalText)
{
    std::error_code ec;
    const fs::path requested = fs::absolute(fs::path(output), ec);
    if (ec)
        return quoted(output) + " cannot be written (" + ec.message() + ").";

    const PdfTarget target = checkPdfTarget(requested, false);
    switch (target.problem) {
    case PdfTargetProblem::None:
    case PdfTargetProblem::NameNotPdf:
        break;
    case PdfTargetProblem::ExistingNotPdf:
        return quoted(output) + " already exists and its name does not end in \".pdf\", so it is not replaced.";
    case PdfTargetProblem::ContentNotPdf:
        return quoted(output) + " already exists and is not a PDF file, so it is not replaced.";
    case PdfTargetProblem::LinkToNotPdf:
        return quoted(output) + " is a link to " + quoted(target.file.string())
            + ", which is not a PDF file, so it is not replaced.";
    }
    if (const FileStatus refused = checkReplaceable(target.file); !refused)
        return quoted(output) + " cannot be replaced: " + refused.reason + ".";

    // The whole document is made first; only then is it written, through a
    // temporary file beside the target that replaces it when complete, so a
    // full disk or a failing printer leaves an old file whole.
    QByteArray pdf;
    const ui::PrintResult printed = ui::renderTapePdf(pdf, tape, decimalPlaces, regional, totalText);
    if (!printed.printed)
        return printed.reason.toStdString();
    const FileStatus written =
        writeFileSafely(target.file, std::string_view(pdf.constData(), static_cast<std::size_t>(pdf.size())));
    if (!written)
        return quoted(output) + " cannot be written: " + written.reason + ".";
    return {};
}

} // namespace qm::app
