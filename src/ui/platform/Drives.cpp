// The parts of the drive layer that are the same on every platform.
#include "ui/platform/Drives.h"

#include <QDir>
#include <QFileInfo>

namespace qm::ui {

qm::PathStyle nativePathStyle()
{
#ifdef _WIN32
    return qm::PathStyle::Windows;
#else
    return qm::PathStyle::Posix;
#endif
}

QString userFolder()
{
#ifdef _WIN32
    return qEnvironmentVariable("USERPROFILE");
#else
    return qEnvironmentVariable("HOME");
#endif
}

QString currentFolder()
{
    return QDir::toNativeSeparators(QDir::currentPath());
}

bool setCurrentFolder(const QString& path)
{
    if (path.isEmpty())
        return false;
    return QDir::setCurrent(path);
}

std::vector<qm::FolderItem> listFolderItems(const QString& folder)
{
    std::vector<qm::FolderItem> items;
    const QDir dir(folder);
    const QFileInfoList infos = dir.entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot,
                                                  QDir::Name | QDir::IgnoreCase);
    items.reserve(static_cast<std::size_t>(infos.size()));
    // WriteUser is left out: it asks access(), which always says yes to root.
    constexpr QFileDevice::Permissions anyWrite =
        QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther;
    for (const QFileInfo& info : infos) {
        qm::FolderItem item;
        item.name = info.fileName().toStdString();
        item.isFolder = info.isDir();
        item.readOnly = !item.isFolder && (info.permissions() & anyWrite) == 0;
        items.push_back(std::move(item));
    }
    return items;
}

} // namespace qm::ui
