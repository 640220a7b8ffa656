#include "ui/platform/SettingsLocation.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

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
    return argument.contains(QStringLiteral(".Clc"), Qt::CaseSensitive);
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

// An ordinary file: present, not a folder, not hidden.
bool ordinaryFile(const QString& path)
{
    const QFileInfo info(path);
    return info.isFile() && !info.fileName().startsWith(QLatin1Char('.'));
}

} // namespace

SettingsChoice chooseSettingsFile(const QString& argument, const QString& programDir,
                                  const QString& name, const QString& fallbackDir)
{
    const QString arg = stripQuotes(argument);
    SettingsChoice choice;
    if (!arg.isEmpty() && !namesCalculation(arg)) {
        choice.path = QFileInfo(arg).absoluteFilePath();
        choice.read = ordinaryFile(choice.path);
        return choice;
    }

    QString dir = programDir;
    if (!folderWritable(dir) && !fallbackDir.isEmpty()) {
        QDir().mkpath(fallbackDir);
        dir = fallbackDir;
    }
    choice.path = QDir(dir).filePath(settingsFileName(name));
    choice.read = ordinaryFile(choice.path);
    return choice;
}

SettingsChoice chooseSettingsFile(const QString& argument)
{
    return chooseSettingsFile(argument, programFolder(), programName(),
                              QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation));
}

} // namespace qm::ui
