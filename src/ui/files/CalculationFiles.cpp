#include "ui/files/CalculationFiles.h"

#include "core/files/CalcFile.h"
#include "ui/files/FileProblemText.h"
#include "ui/files/FileDialog.h"
#include "ui/platform/Drives.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include "ui/platform/FilePath.h"
#include "ui/platform/Translations.h"

#include <QPointer>

#include <filesystem>
#include <system_error>
#include <utility>

namespace qm::ui {

namespace {

// Without a parent window the dialog still lives only once.
QPointer<FileDialog>& parentlessDialog()
{
    static QPointer<FileDialog> dialog;
    return dialog;
}

FileDialog* dialogFor(QWidget* parent)
{
    if (!parent) {
        QPointer<FileDialog>& d = parentlessDialog();
        if (!d)
            d = new FileDialog(nullptr);
        return d;
    }
    if (auto* d = parent->findChild<FileDialog*>(QString(), Qt::FindDirectChildrenOnly))
        return d;
    return new FileDialog(parent);
}

} // namespace

void showCalculationFileMessage(QWidget* parent, const QString& detail)
{
    QMessageBox box(QMessageBox::Warning, messageTitle(), QCoreApplication::translate("CalculationFiles", CalculationFileMessage),
                    QMessageBox::Ok, parent);
    if (!detail.isEmpty())
        box.setInformativeText(detail);
    box.exec();
}

QString shownFileName(const QString& path)
{
    return displayFileName(fromFsPath(toFsPath(path).filename()));
}

QString openFailureText(const QString& path, const qm::CalcFileError& error)
{
    return QCoreApplication::translate("CalculationFiles", "\"%1\" could not be opened.\n%2")
        .arg(shownFileName(path), calcFileErrorText(error));
}

QString saveFailureText(const QString& path, const qm::FileStatus& status)
{
    return QCoreApplication::translate("CalculationFiles", "\"%1\" was not saved: %2")
        .arg(shownFileName(path), fileStatusText(status));
}

bool openCalculation(QWidget* parent, const QString& path, const qm::Regional& regional,
                     qm::Tape& tape, QString* error)
{
    if (error)
        error->clear();
    if (path.isEmpty())
        return false;   // nothing chosen: the command ends silently

    // The reader reports running out of memory itself; the old tape stays.
    qm::CalcFileRead read = qm::loadCalcFile(toFsPath(path), regional);
    if (!read.ok()) {
        const QString text = openFailureText(path, read.error);
        if (error)
            *error = text;
        QMessageBox box(QMessageBox::Warning, messageTitle(), text, QMessageBox::Ok, parent);
        box.exec();
        return false;
    }
    std::swap(tape, *read.tape);
    return true;
}

bool saveCalculation(QWidget* parent, const QString& path, const qm::Tape& tape,
                     const qm::Regional& regional, QString* error, std::size_t lines)
{
    if (error)
        error->clear();
    const qm::FileStatus status = path.isEmpty() ? qm::fileFailure(qm::FileProblem::NotAFileName)
                                                 : qm::saveCalcFile(toFsPath(path), tape, regional, lines);
    if (!status.ok) {
        const QString detail = saveFailureText(path, status);
        if (error)
            *error = detail;
        showCalculationFileMessage(parent, detail);
        return false;
    }
    return true;
}

QString chooseCalculationFile(QWidget* parent, int index, const QString& tapeFile)
{
    if (index != 0 && index != 1)
        return {};
    FileDialog* dialog = dialogFor(parent);
    dialog->setSaving(index == 1, tapeFile);
    if (!tapeFile.isEmpty()) {
        // The browser shows the current folder.
        std::error_code ec;
        const std::filesystem::path folder = std::filesystem::absolute(toFsPath(tapeFile), ec).parent_path();
        if (!ec && std::filesystem::is_directory(folder, ec))
            setCurrentFolder(fromFsPath(folder));
    }
    const QString menuCaption = index == 0 ? QCoreApplication::translate("CalculationFiles", "Open Calculation...")
                                           : QCoreApplication::translate("CalculationFiles", "Save Calculation...");
    dialog->setWindowTitle(menuCaption);
    dialog->setAcceptCaption(index == 0 ? QCoreApplication::translate("CalculationFiles", "&Open")
                                        : QCoreApplication::translate("CalculationFiles", "&Save"));

    QPointer<FileDialog> guard(dialog);
    dialog->exec();
    if (!guard)
        return {};
    const QString name = guard->filePath();
    if (guard->isDiscarded())
        guard->deleteLater();   // closed with the close box: the next use starts afresh
    if (name.isEmpty())
        return {};
    return QDir::toNativeSeparators(QDir(currentFolder()).absoluteFilePath(name));
}

} // namespace qm::ui
