#pragma once
// File names as the file system takes them: their bytes, whatever their
// encoding. On POSIX systems a name need not be valid UTF-8, and Qt's own
// QFile::decodeName gives such a name a replacement character that no longer
// names the file. The names here keep every byte: each byte that is not part
// of valid UTF-8 is held as the lone surrogate U+DC00 + byte, which no valid
// UTF-8 text can give, and becomes that byte again on the way back.

#include <QByteArray>
#include <QString>

#include <filesystem>
#include <string>
#include <string_view>

namespace qm::ui {

// The name for the file system's bytes (POSIX: as they stand).
QString fileNameFromBytes(std::string_view bytes);
// Its bytes again; plain UTF-8 for every other character.
std::string fileNameToBytes(const QString& name);

// The path of a name, and the name of a path.
std::filesystem::path toFsPath(const QString& path);
QString fromFsPath(const std::filesystem::path& path);

// A name for showing: every kept byte as the replacement character, as Qt
// shows such names.
QString displayFileName(const QString& name);

} // namespace qm::ui
