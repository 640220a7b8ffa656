#include "ui/files/FileProblemText.h"

#include <QCoreApplication>

namespace qm::ui {

namespace {

const char* const Context = "FileProblems";

// The English texts are those of qm::fileProblemText, word for word.
const char* problemTemplate(qm::FileProblem problem)
{
    using P = qm::FileProblem;
    switch (problem) {
    case P::None: return "";
    case P::NotFound: return QT_TRANSLATE_NOOP("FileProblems", "file not found");
    case P::IsFolder: return QT_TRANSLATE_NOOP("FileProblems", "is a folder");
    case P::NotRegular: return QT_TRANSLATE_NOOP("FileProblems", "not a regular file");
    case P::NoPermission: return QT_TRANSLATE_NOOP("FileProblems", "permission denied");
    case P::ReadFailed: return QT_TRANSLATE_NOOP("FileProblems", "cannot read the file (%1)");
    case P::TooLarge: return QT_TRANSLATE_NOOP("FileProblems", "the file is larger than %1 bytes");
    case P::OutOfMemory: return QT_TRANSLATE_NOOP("FileProblems", "not enough memory");
    case P::DiskFull: return QT_TRANSLATE_NOOP("FileProblems", "the disk is full");
    case P::NoWritePermission: return QT_TRANSLATE_NOOP("FileProblems", "no permission to write in the file's folder");
    case P::ReadOnlyDrive: return QT_TRANSLATE_NOOP("FileProblems", "the drive is read-only");
    case P::FolderMissing: return QT_TRANSLATE_NOOP("FileProblems", "the folder does not exist");
    case P::NameTooLong: return QT_TRANSLATE_NOOP("FileProblems", "the file name is too long");
    case P::QuotaUsed: return QT_TRANSLATE_NOOP("FileProblems", "the disk quota is used up");
    case P::WriteFailed: return QT_TRANSLATE_NOOP("FileProblems", "cannot write the file (%1)");
    case P::ReplaceFailed: return QT_TRANSLATE_NOOP("FileProblems", "cannot replace the file (%1)");
    case P::NotAFileName: return QT_TRANSLATE_NOOP("FileProblems", "not a file name");
    case P::TargetIsFolder: return QT_TRANSLATE_NOOP("FileProblems", "is a folder");
    case P::TargetReadOnly: return QT_TRANSLATE_NOOP("FileProblems", "file is read-only");
    case P::NoTempName: return QT_TRANSLATE_NOOP("FileProblems", "cannot choose a temporary file name");
    case P::EmptyFile: return QT_TRANSLATE_NOOP("FileProblems", "the file is empty: no header line");
    case P::NotHeader:
        return QT_TRANSLATE_NOOP("FileProblems", "%1 is not the header of a calculation file (\"Ferrowick 6\")");
    case P::NoTapeLine: return QT_TRANSLATE_NOOP("FileProblems", "no tape line after the header");
    case P::EmptyLine: return QT_TRANSLATE_NOOP("FileProblems", "the line is empty");
    case P::TooManyLines: return QT_TRANSLATE_NOOP("FileProblems", "the tape would have more than %1 lines");
    case P::LineTooLong: return QT_TRANSLATE_NOOP("FileProblems", "the line is longer than %1 bytes");
    case P::NoOperator: return QT_TRANSLATE_NOOP("FileProblems", "%1 does not start with an operator (+ - x / ^)");
    case P::GroupingSymbol: return QT_TRANSLATE_NOOP("FileProblems", "%1 holds the grouping symbol \"%2\"");
    case P::OutOfRange: return QT_TRANSLATE_NOOP("FileProblems", "%1 is out of range");
    case P::NotANumber: return QT_TRANSLATE_NOOP("FileProblems", "%1 is not a number");
    case P::BadNote:
        return QT_TRANSLATE_NOOP("FileProblems", "the note %1 is longer than %2 characters or holds a control character");
    case P::ExportWouldReplaceCalculation:
        return QT_TRANSLATE_NOOP("FileProblems", "a calculation file is not replaced by an export");
    }
    return "";
}

} // namespace

QString fileProblemText(qm::FileProblem problem, const QString& subject, const QString& extra)
{
    QString text = QCoreApplication::translate(Context, problemTemplate(problem));
    // Filled one by one, the short `extra` first, so that a "%1" in a
    // file's line (the subject) stays as it is.
    if (const qsizetype at = text.indexOf(QLatin1String("%2")); at >= 0)
        text.replace(at, 2, extra);
    if (const qsizetype at = text.indexOf(QLatin1String("%1")); at >= 0)
        text.replace(at, 2, subject);
    return text;
}

QString asSentence(const QString& phrase)
{
    if (phrase.isEmpty())
        return phrase;
    QString text = phrase;
    text[0] = text[0].toUpper();
    if (!text.endsWith(QLatin1Char('.')))
        text += QLatin1Char('.');
    return text;
}

QString calcFileErrorText(const qm::CalcFileError& error)
{
    const QString phrase = error.problem == qm::FileProblem::None
        ? QString::fromStdString(error.reason)
        : fileProblemText(error.problem, QString::fromStdString(error.subject), QString::fromStdString(error.extra));
    if (error.line > 0)
        return QCoreApplication::translate("FileProblems", "Line %1: %2.").arg(error.line).arg(phrase);
    return asSentence(phrase);
}

QString fileStatusText(const qm::FileStatus& status)
{
    const QString phrase = status.problem == qm::FileProblem::None
        ? QString::fromStdString(status.reason)
        : fileProblemText(status.problem, QString::fromStdString(status.subject), QString::fromStdString(status.extra));
    if (!status.wouldNotReopen)
        return asSentence(phrase);
    if (status.tapeLine > 0)
        return QCoreApplication::translate("FileProblems", "Tape line %1 would not open again: %2.").arg(status.tapeLine).arg(phrase);
    return QCoreApplication::translate("FileProblems", "The file would not open again: %1.").arg(phrase);
}

} // namespace qm::ui
