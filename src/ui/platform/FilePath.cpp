#include "ui/platform/FilePath.h"

namespace qm::ui {

namespace {

constexpr char16_t ByteEscape = 0xDC00;

bool isKeptByte(char16_t c) { return c >= ByteEscape + 0x80 && c <= ByteEscape + 0xFF; }

// Length of the valid UTF-8 sequence starting at `i`, 0 when there is none
// (overlong forms, surrogates and values beyond U+10FFFF are not valid).
std::size_t utf8Length(std::string_view s, std::size_t i, char32_t& code)
{
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
    const unsigned char b0 = byte(i);
    std::size_t n = 0;
    char32_t min = 0;
    if (b0 < 0x80) {
        code = b0;
        return 1;
    } else if ((b0 & 0xE0) == 0xC0) {
        n = 2, code = b0 & 0x1F, min = 0x80;
    } else if ((b0 & 0xF0) == 0xE0) {
        n = 3, code = b0 & 0x0F, min = 0x800;
    } else if ((b0 & 0xF8) == 0xF0) {
        n = 4, code = b0 & 0x07, min = 0x10000;
    } else {
        return 0;
    }
    if (s.size() - i < n)
        return 0;
    for (std::size_t k = 1; k < n; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80)
            return 0;
        code = (code << 6) | (byte(i + k) & 0x3F);
    }
    if (code < min || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
        return 0;
    return n;
}

} // namespace

QString fileNameFromBytes(std::string_view bytes)
{
    QString name;
    name.reserve(static_cast<qsizetype>(bytes.size()));
    for (std::size_t i = 0; i < bytes.size();) {
        char32_t code = 0;
        const std::size_t n = utf8Length(bytes, i, code);
        if (n == 0) {
            name.append(QChar(static_cast<char16_t>(ByteEscape + static_cast<unsigned char>(bytes[i]))));
            ++i;
            continue;
        }
        name.append(QString::fromUcs4(&code, 1));
        i += n;
    }
    return name;
}

std::string fileNameToBytes(const QString& name)
{
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(name.size()));
    qsizetype from = 0;
    const auto flush = [&](qsizetype to) {
        if (to > from)
            bytes += name.mid(from, to - from).toStdString();
    };
    for (qsizetype i = 0; i < name.size(); ++i) {
        const char16_t c = name.at(i).unicode();
        const bool afterHigh = i > 0 && name.at(i - 1).isHighSurrogate();
        if (isKeptByte(c) && !afterHigh) {
            flush(i);
            bytes.push_back(static_cast<char>(c - ByteEscape));
            from = i + 1;
        }
    }
    flush(name.size());
    return bytes;
}

std::filesystem::path toFsPath(const QString& path)
{
#ifdef _WIN32
    return std::filesystem::path(path.toStdWString());
#else
    return std::filesystem::path(fileNameToBytes(path));
#endif
}

QString fromFsPath(const std::filesystem::path& path)
{
#ifdef _WIN32
    return QString::fromStdWString(path.native());
#else
    return fileNameFromBytes(path.native());
#endif
}

QString displayFileName(const QString& name)
{
    QString shown = name;
    for (qsizetype i = 0; i < shown.size(); ++i) {
        if (isKeptByte(shown.at(i).unicode()) && !(i > 0 && shown.at(i - 1).isHighSurrogate()))
            shown[i] = QChar::ReplacementCharacter;
    }
    return shown;
}

} // namespace qm::ui
