// Drives on Linux and other POSIX systems: the mounted file systems.
#ifndef _WIN32

#include "ui/platform/Drives.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStorageInfo>

#include <algorithm>

namespace qm::ui {

namespace {

bool readsOne(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    return f.read(1) == "1";
}

// /sys/class/block/<dev>/removable, or that of the disk a partition lies on.
bool isRemovableDevice(const QByteArray& device)
{
    QString node = QString::fromLocal8Bit(device);
    const QString canonical = QFileInfo(node).canonicalFilePath();   // /dev/mapper/x -> /dev/dm-0
    if (!canonical.isEmpty())
        node = canonical;
    const std::string name = qm::blockDeviceName(node.toStdString());
    if (name.empty())
        return false;
    const QString sysEntry = QStringLiteral("/sys/class/block/") + QString::fromStdString(name);
    if (QFileInfo::exists(sysEntry + QStringLiteral("/removable")))
        return readsOne(sysEntry + QStringLiteral("/removable"));
    const QString real = QFileInfo(sysEntry).canonicalFilePath();
    if (real.isEmpty())
        return false;
    return readsOne(QFileInfo(real).path() + QStringLiteral("/removable"));
}

qm::DriveInfo toDrive(const QStorageInfo& volume, const QString& mountPoint)
{
    qm::DriveInfo d;
    d.root = mountPoint.toStdString();
    d.path = d.root;
    const std::string fsType = volume.fileSystemType().toStdString();
    d.type = qm::driveTypeForFileSystem(fsType, isRemovableDevice(volume.device()));
    if (mountPoint == QLatin1String("/") && d.type == qm::DriveUnknown)
        d.type = qm::DriveFixed;   // the root is always there to browse
    const QString label = volume.name();
    if (!label.isEmpty())
        d.label = label.toStdString();
    return d;
}

} // namespace

std::vector<qm::DriveInfo> listDrives()
{
    std::vector<qm::DriveInfo> rootDrive;
    std::vector<qm::DriveInfo> others;
    const QList<QStorageInfo> volumes = QStorageInfo::mountedVolumes();
    for (const QStorageInfo& v : volumes) {
        if (!v.isValid())
            continue;
        const QString mountPoint = v.rootPath();
        if (mountPoint == QLatin1String("/")) {
            if (rootDrive.empty())
                rootDrive.push_back(toDrive(v, mountPoint));
            continue;
        }
        const std::string path = mountPoint.toStdString();
        if (qm::isPseudoFileSystem(v.fileSystemType().toStdString()) || !qm::isBrowsableMountPoint(path))
            continue;
        if (!QFileInfo(mountPoint).isDir())   // bind-mounted single files
            continue;
        const bool seen = std::any_of(others.begin(), others.end(),
                                      [&](const qm::DriveInfo& d) { return d.root == path; });
        if (!seen)
            others.push_back(toDrive(v, mountPoint));
    }
    if (rootDrive.empty())
        rootDrive.push_back({"/", "/", qm::DriveFixed, std::nullopt});
    std::sort(others.begin(), others.end(),
              [](const qm::DriveInfo& a, const qm::DriveInfo& b) { return a.root < b.root; });
    rootDrive.insert(rootDrive.end(), others.begin(), others.end());
    return rootDrive;
}

} // namespace qm::ui

#endif
