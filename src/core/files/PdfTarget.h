#pragma once
// Where a printed tape may be written as a PDF file: never over a file that
// is not a PDF, such as the tape's own calculation file.

#include <filesystem>

namespace qm {

enum class PdfTargetProblem {
    None,
    NameNotPdf,       // the name does not end in ".pdf" (when that is required)
    ExistingNotPdf,   // an existing file whose name does not end in ".pdf"
    ContentNotPdf,    // an existing ".pdf" file that does not hold a PDF document
    LinkToNotPdf,     // a symbolic link to such a file
};

struct PdfTarget {
    PdfTargetProblem problem = PdfTargetProblem::None;
    std::filesystem::path file;   // the file written: the one a link points to, else the name itself
};

// True when the name ends in ".pdf" in any letter case.
bool hasPdfName(const std::filesystem::path& path);

// Checks `requested` before a PDF is written there. An existing file (or the
// file a link points to) is replaced only when its name ends in ".pdf" and it
// is empty or starts as a PDF document does ("%PDF-"). A new file needs a
// ".pdf" name only when `newNameMustBePdf` is set.
PdfTarget checkPdfTarget(const std::filesystem::path& requested, bool newNameMustBePdf);

} // namespace qm
