#include "ui/platform/SettingsStore.h"

#include "ui/platform/FilePath.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <filesystem>

namespace qm::ui {

SettingsStore::SettingsStore(const QString& argument)
    : SettingsStore(argument, programSettingsFolders())
{
}

SettingsStore::SettingsStore(const QString& argument, const SettingsFolders& folders)
    : argument_(argument), folders_(folders)
{
    plan_.data = builtInSettings();
}

const SettingsData& SettingsStore::load()
{
    if (!loaded_) {
        loaded_ = true;
        plan_ = planSettings(argument_, folders_);
        printSettingsNotice(plan_.notice);
    }
    return plan_.data;
}

bool SettingsStore::save(const SettingsData& data)
{
    if (!loaded_)
        load();
    if (!writesAtClose())
        return false;
    const QString path = plan_.writePath;
    // The user's configuration folder may not exist yet; no other folder is made.
    if (!folders_.userDir.isEmpty() && QFileInfo(path).absolutePath() == QDir(folders_.userDir).absolutePath())
        QDir().mkpath(folders_.userDir);
    // A read-only settings file is replaced all the same: made writable first.
    const QFileInfo info(path);
    constexpr QFile::Permissions anyWrite = QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther;
    if (info.isFile() && (!info.isWritable() || !(info.permissions() & anyWrite)))
        QFile::setPermissions(path, info.permissions() | QFile::WriteOwner | QFile::WriteUser);
    const FileStatus status = saveSettingsFile(toFsPath(path), data);
    if (!status) {
        printSettingsNotice(QStringLiteral("%1: the settings were not saved (%2)")
                                .arg(path, QString::fromStdString(status.reason)));
        return false;
    }
    return true;
}

} // namespace qm::ui
