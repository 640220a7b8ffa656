#include "ui/files/CalculationFiles.h"

#include "core/files/CalcFile.h"
#include "ui/files/FileReasons.h"
#include "ui/files/LoadSave.h"
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
#include <utility>

namespace qm::ui {

namespace {

// Without a parent window the dialog still lives only once.
QPointer<LoadSave>& parentlessDialog()
{
    static QPointer<LoadSave> dialog;
    return dialog;
}

LoadSave* dialogFor(QWidget* parent)
{
    if (!parent) {
        QPointer<LoadSave>& d = parentlessDialog();
        if (!d)
            d = new LoadSave(nullptr);
        return d;
    }
    if (auto* d = parent->findChild<LoadSave*>(QString(), Qt::FindDirectChildrenOnly))
        return d;
    return new LoadSave(parent);
}

} // namespace

void showCalculationFileMessage(QWidget* parent, const QString& detail)
{
    QMessageBox box(QMessageBox::NoIcon, messageTitle(), QCoreApplication::translate("CalculationFiles", CalculationFileMessage),
                    QMessageBox::Ok, parent);
    if (!detail.isEmpty())
        box.setDetailedText(detail);
    box.exec();
}

QString calculationFileDetail(const QString& reason)
{
    if (reason.isEmpty())
        return reason;
    QString text = reason;
    text[0] = text[0].toUpper();
    if (!text.endsWith(QLatin1Char('.')))
        text += QLatin1Char('.');
    return text;
}

bool openCalculation(QWidget* parent, const QString& path, const qm::Regional& regional,
                     qm::Tape& tape, QString* error)
{
    if (error)
        error->clear();
    if (path.isEmpty() || !QFileInfo(path).isFile())
        return false;   // nothing to open: the command ends silently

    // The reader reports running out of memory itself; the old tape stays.
    qm::CalcFileRead read = qm::loadCalcFile(toFsPath(path), regional);
    if (!read.ok()) {
        const QString detail = fileErrorDetail(read.error.line, read.error.reason);
        if (error)
            *error = detail;
        showCalculationFileMessage(parent, detail);
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
    const qm::FileStatus status = path.isEmpty() ? qm::FileStatus{false, "no file name"}
                                                 : qm::saveCalcFile(toFsPath(path), tape, regional, lines);
    if (!status.ok) {
        const QString detail = calculationFileDetail(shownFileReason(QString::fromStdString(status.reason)));
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
    LoadSave* dialog = dialogFor(parent);
    dialog->setSaving(index == 1, tapeFile);
    if (!tapeFile.isEmpty()) {
        const QString folder = QFileInfo(tapeFile).absolutePath();
        if (QFileInfo(folder).isDir())
            setCurrentFolder(folder);   // the browser shows the current folder
    }
    const QString menuCaption = index == 0 ? QCoreApplication::translate("CalculationFiles", "Open Calculation...")
                                           : QCoreApplication::translate("CalculationFiles", "Save Calculation...");
    dialog->setWindowTitle(menuCaption);
    dialog->setAcceptCaption(index == 0 ? QCoreApplication::translate("CalculationFiles", "Open")
                                        : QCoreApplication::translate("CalculationFiles", "Save"));

    QPointer<LoadSave> guard(dialog);
    dialog->exec();
    if (!guard)
        return {};
    const QString name = guard->FilePath();
    if (guard->isDiscarded())
        guard->deleteLater();   // closed with the close box: the next use starts afresh
    if (name.isEmpty())
        return {};
    return QDir::toNativeSeparators(QDir::current().absoluteFilePath(name));
}

} // namespace qm::ui
