#pragma once
// Drives, the user's folder and folder listings for the file browser. On
// Windows the drives are the drive letters; elsewhere they are the mounted
// file systems a user can browse, "/" first.

#include "core/files/DriveList.h"

#include <QString>

#include <vector>

namespace qm::ui {

// The path style of this platform ("\" with drive letters, "/" elsewhere).
qm::PathStyle nativePathStyle();

// Every drive in the platform's order, with its type and, where it can be
// read, its volume label. Texts are UTF-8.
std::vector<qm::DriveInfo> listDrives();

// USERPROFILE on Windows, HOME elsewhere; empty when unset.
QString userFolder();

// The process's current folder with native separators.
QString currentFolder();
// Makes `path` (and its drive) the current folder; false when it cannot be entered.
bool setCurrentFolder(const QString& path);

// The entries of `folder` without "." and "..", hidden entries left out,
// sorted by name ignoring case. A file is read-only when no write permission
// bit is set (permission bits rather than access(), which always says yes to
// root). An unreadable folder gives an empty list.
std::vector<qm::FolderItem> listFolderItems(const QString& folder);

} // namespace qm::ui
