// The parts of the drive layer that are the same on every platform.
#include "ui/platform/Drives.h"

#include "ui/platform/FilePath.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <filesystem>
#include <system_error>

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

// The folders and names go through the file system's own bytes, so that a
// name that is not UTF-8 is listed and opens.
QString currentFolder()
{
    std::error_code ec;
    const std::filesystem::path here = std::filesystem::current_path(ec);
    if (ec)
        return QDir::toNativeSeparators(QDir::currentPath());
    return QDir::toNativeSeparators(fromFsPath(here));
}

bool setCurrentFolder(const QString& path)
{
    if (path.isEmpty())
        return false;
    std::error_code ec;
    std::filesystem::current_path(toFsPath(path), ec);
    return !ec;
}

std::vector<qm::FolderItem> listFolderItems(const QString& folder)
{
    namespace fs = std::filesystem;
    struct Found {
        QString name;
        qm::FolderItem item;
    };
    std::vector<Found> found;
    std::error_code ec;
    fs::directory_iterator it(toFsPath(folder), fs::directory_options::skip_permission_denied, ec);
    // Owner, group or others may write: the read-only attribute is none of
    // them (asking access() would always say yes to root).
    constexpr fs::perms anyWrite = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
        const fs::path name = it->path().filename();
        const QString shown = fromFsPath(name);
        if (shown.startsWith(QLatin1Char('.')))
            continue;   // hidden, as the system's own browsers keep them
        std::error_code statusError;
        const fs::file_status st = fs::status(it->path(), statusError);
        Found f;
        f.name = shown;
        f.item.name = fileNameToBytes(shown);
        f.item.isFolder = !statusError && fs::is_directory(st);
        f.item.readOnly = !f.item.isFolder && !statusError && (st.permissions() & anyWrite) == fs::perms::none;
        found.push_back(std::move(f));
    }
    std::sort(found.begin(), found.end(), [](const Found& a, const Found& b) {
        const int c = a.name.compare(b.name, Qt::CaseInsensitive);
        return c != 0 ? c < 0 : a.name < b.name;
    });
    std::vector<qm::FolderItem> items;
    items.reserve(found.size());
    for (Found& f : found)
        items.push_back(std::move(f.item));
    return items;
}

} // namespace qm::ui
