#include "ui/platform/SettingsLocation.h"

#include "ui/platform/FilePath.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <cstdio>
#include <filesystem>

namespace qm::ui {

QString programName()
{
    QString name = QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
    if (name.isEmpty())
        name = QCoreApplication::applicationName();
    return name.isEmpty() ? QStringLiteral("quillmate") : name;
}

QString programFolder() { return QCoreApplication::applicationDirPath(); }

QString settingsFileName(const QString& programName)
{
    return QStringLiteral("Custom ") + programName + QStringLiteral(".cal");
}

QString stripQuotes(const QString& argument)
{
    QString s = argument;
    s.remove(QLatin1Char('"'));
    return s;
}

bool namesCalculation(const QString& argument)
{
    return argument.contains(QStringLiteral(".clc"), Qt::CaseInsensitive);
}

SettingsFolders programSettingsFolders()
{
    return {programFolder(), programName(),
            QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation)};
}

namespace {

// A folder whose write bits are all off counts as read-only even for a user
// (such as root) whom the system would let write there anyway.
bool folderWritable(const QString& dir)
{
#ifndef _WIN32
    // An installed program's folder belongs to the package manager, even where
    // root could write into it.
    const QString clean = QDir::cleanPath(dir);
    if (clean.startsWith(QLatin1String("/usr/")) || clean == QLatin1String("/bin")
        || clean == QLatin1String("/sbin"))
        return false;
#endif
    const QFileInfo info(dir);
    constexpr QFile::Permissions anyWrite =
        QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther;
    return !dir.isEmpty() && info.isDir() && info.isWritable() && (info.permissions() & anyWrite);
}

QString reasonOf(const SettingsLoad& load) { return QString::fromStdString(load.reason); }

QString notReadNotice(const QString& path, const SettingsLoad& load)
{
    return QStringLiteral("%1: cannot be read (%2); the built-in settings are used and nothing is "
                          "written at close")
        .arg(path, reasonOf(load));
}

void takeRead(SettingsPlan& plan, const QString& path, SettingsLoad load)
{
    plan.readPath = path;
    plan.data = std::move(load.data);
    plan.damaged = !load.complete;
}

SettingsPlan defaultPlan(const SettingsFolders& f)
{
    SettingsPlan plan;
    plan.data = builtInSettings();
    const QString name = settingsFileName(f.programName);
    const bool programWritable = folderWritable(f.programDir);
    const QString dir = programWritable || f.userDir.isEmpty() ? f.programDir : f.userDir;
    const QString file = QDir(dir).filePath(name);

    SettingsLoad load = loadSettingsFile(toFsPath(file));
    if (!load.ok && load.error != FileError::NotFound) {
        plan.notice = notReadNotice(file, load);
        return plan;
    }
    plan.writePath = file;
    if (load.ok) {
        if (!load.complete)
            plan.notice = QStringLiteral("%1: damaged settings file (%2); what could not be read keeps its "
                                         "built-in value, and the file is kept as \"%3\" at close")
                              .arg(file, reasonOf(load), fromFsPath(qm::damagedSettingsPath(toFsPath(file)).filename()));
        takeRead(plan, file, std::move(load));
        return plan;
    }
    // No user file yet beside a read-only program folder: start from the
    // program folder's file.
    if (!programWritable && dir != f.programDir) {
        const QString shipped = QDir(f.programDir).filePath(name);
        SettingsLoad fromProgram = loadSettingsFile(toFsPath(shipped));
        if (fromProgram.ok)
            takeRead(plan, shipped, std::move(fromProgram));
        plan.damaged = false;   // nothing to keep aside: that file is never written
    }
    return plan;
}

} // namespace

SettingsPlan planSettings(const QString& argument, const SettingsFolders& folders)
{
    const QString arg = stripQuotes(argument);
    if (arg.isEmpty() || namesCalculation(arg))
        return defaultPlan(folders);

    const QString path = QFileInfo(arg).absoluteFilePath();
    SettingsLoad load = loadSettingsFile(toFsPath(path));
    SettingsPlan plan;
    plan.data = builtInSettings();
    if (load.error == FileError::NotFound) {
        plan.writePath = path;   // a new settings file, made at close
        return plan;
    }
    if (load.ok && load.complete) {
        plan.writePath = path;
        takeRead(plan, path, std::move(load));
        return plan;
    }
    if (load.error == FileError::NoPermission || load.error == FileError::ReadFailed) {
        plan.notice = notReadNotice(path, load);
        return plan;
    }
    // Damaged, a folder or anything else: never written, whatever it holds.
    SettingsPlan fallback = defaultPlan(folders);
    QString notice = QStringLiteral("%1: not a settings file (%2), so it is left as it is; ").arg(path, reasonOf(load));
    notice += fallback.writePath.isEmpty()
        ? QStringLiteral("no settings file is written at close")
        : QStringLiteral("the settings go to %1").arg(fallback.writePath);
    if (!fallback.notice.isEmpty())
        notice += QStringLiteral("; ") + fallback.notice;
    fallback.notice = notice;
    return fallback;
}

void printSettingsNotice(const QString& notice)
{
    if (notice.isEmpty())
        return;
    const QByteArray line = QStringLiteral("quillmate: %1\n").arg(notice).toLocal8Bit();
    std::fwrite(line.constData(), 1, static_cast<std::size_t>(line.size()), stderr);
    std::fflush(stderr);
}

} // namespace qm::ui
