#include "ui/files/CalculationFiles.h"

#include "core/files/CalcFile.h"
#include "ui/files/LoadSave.h"
#include "ui/platform/Drives.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QPointer>

#include <filesystem>
#include <utility>

namespace qm::ui {

namespace {

std::filesystem::path toFsPath(const QString& path)
{
#ifdef _WIN32
    return std::filesystem::path(path.toStdWString());
#else
    return std::filesystem::path(QFile::encodeName(path).toStdString());
#endif
}

QString messageTitle(QWidget* parent)
{
    if (parent && !parent->window()->windowTitle().isEmpty())
        return parent->window()->windowTitle();
    return QApplication::applicationName();
}

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

void showCalculationFileMessage(QWidget* parent)
{
    QMessageBox box(QMessageBox::NoIcon, messageTitle(parent), QString::fromLatin1(CalculationFileMessage),
                    QMessageBox::Ok, parent);
    box.exec();
}

bool openCalculation(QWidget* parent, const QString& path, const qm::Regional& regional,
                     qm::Tape& tape, QString* error)
{
    if (error)
        error->clear();
    if (path.isEmpty() || !QFileInfo(path).isFile())
        return false;   // nothing to open: the command ends silently

    qm::CalcFileRead read = qm::loadCalcFile(toFsPath(path), regional);
    if (!read.ok()) {
        if (error) {
            const QString reason = QString::fromStdString(read.error.reason);
            *error = read.error.line > 0
                         ? QStringLiteral("line %1: %2").arg(read.error.line).arg(reason)
                         : reason;
        }
        showCalculationFileMessage(parent);
        return false;
    }
    std::swap(tape, *read.tape);
    return true;
}

bool saveCalculation(QWidget* parent, const QString& path, const qm::Tape& tape,
                     const qm::Regional& regional, QString* error)
{
    if (error)
        error->clear();
    const qm::FileStatus status = path.isEmpty() ? qm::FileStatus{false, "no file name"}
                                                 : qm::saveCalcFile(toFsPath(path), tape, regional);
    if (!status.ok) {
        if (error)
            *error = QString::fromStdString(status.reason);
        showCalculationFileMessage(parent);
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
    const QString menuCaption = index == 0 ? QStringLiteral("Open Calculation...")
                                           : QStringLiteral("Save Calculation...");
    dialog->setWindowTitle(menuCaption);
    dialog->setAcceptCaption(QString(menuCaption).remove(QStringLiteral(" Calculation...")));

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
