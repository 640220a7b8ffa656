#pragma once
// A file name as the file system takes it: the bytes the platform encodes it to.

#include <QFile>
#include <QString>

#include <filesystem>

namespace qm::ui {

inline std::filesystem::path toFsPath(const QString& path)
{
#ifdef _WIN32
    return std::filesystem::path(path.toStdWString());
#else
    return std::filesystem::path(QFile::encodeName(path).toStdString());
#endif
}

} // namespace qm::ui
