#include "core/tape/SettingsFile.h"

#include "core/files/Cp1252.h"
#include "core/number/TextForm.h"

namespace qm {

namespace {

constexpr std::uint16_t TypeEmpty = 0;
constexpr std::uint16_t TypeText = 8;

// Sequential reader that turns into "stopped" for good at the first field it
// cannot make sense of; every later read then gives nothing.
class FieldReader {
public:
    explicit FieldReader(std::string_view bytes) : bytes_(bytes) {}

    // Empty when the field is empty or unreadable.
    Value tagged()
    {
        std::uint16_t type = 0;
        if (!word(type))
            return {};
        if (type == TypeEmpty)
            return {};
        if (type != TypeText) {
            stop();
            return {};
        }
        std::uint16_t length = 0;
        if (!word(length))
            return {};
        if (bytes_.size() - pos_ < length) {
            stop();
            return {};
        }
        std::string text = decodeCp1252(bytes_.substr(pos_, length));
        pos_ += length;
        return Value(std::move(text));
    }

    std::int16_t score()
    {
        std::uint16_t raw = 0;
        if (!word(raw))
            return 0;
        return static_cast<std::int16_t>(raw);   // two's complement, as stored
    }

private:
    bool word(std::uint16_t& out)
    {
        if (stopped_ || bytes_.size() - pos_ < 2) {
            stop();
            return false;
        }
        const auto lo = static_cast<unsigned char>(bytes_[pos_]);
        const auto hi = static_cast<unsigned char>(bytes_[pos_ + 1]);
        out = static_cast<std::uint16_t>(lo | (hi << 8));
        pos_ += 2;
        return true;
    }

    void stop() { stopped_ = true; }

    std::string_view bytes_;
    std::size_t pos_ = 0;
    bool stopped_ = false;
};

void putWord(std::string& out, std::uint16_t w)
{
    out.push_back(static_cast<char>(w & 0xFF));
    out.push_back(static_cast<char>(w >> 8));
}

void putText(std::string& out, std::string_view utf8)
{
    std::string bytes = encodeCp1252(utf8);
    if (bytes.size() > SettingsTextMaxBytes)
        bytes.resize(SettingsTextMaxBytes);
    putWord(out, TypeText);
    putWord(out, static_cast<std::uint16_t>(bytes.size()));
    out.append(bytes);
}

std::string textOf(const Value& v)
{
    return v.isText() ? v.text() : std::string();
}

} // namespace

SettingsData readSettings(std::string_view bytes)
{
    SettingsData data;
    FieldReader in(bytes);
    for (FunctionButton& b : data.buttons) {
        b.Caption = textOf(in.tagged());
        b.Formula = textOf(in.tagged());
        b.ToolTip = textOf(in.tagged());
    }
    for (int k = 0; k < HighScoreCount; ++k) {
        const auto i = static_cast<std::size_t>(k);
        data.HighScoreNames[i] = in.tagged();
        data.HighScores[i] = in.score();
    }
    return data;
}

std::string writeSettings(const SettingsData& data)
{
    std::string out;
    for (const FunctionButton& b : data.buttons) {
        putText(out, b.Caption);
        putText(out, b.Formula);
        putText(out, b.ToolTip);
    }
    for (int k = 0; k < HighScoreCount; ++k) {
        const auto i = static_cast<std::size_t>(k);
        const Value& name = data.HighScoreNames[i];
        if (name.isEmpty())
            putWord(out, TypeEmpty);
        else
            putText(out, name.isText() ? name.text() : plainText(name));
        putWord(out, static_cast<std::uint16_t>(data.HighScores[i]));
    }
    return out;
}

SettingsLoad loadSettingsFile(const std::filesystem::path& path)
{
    SettingsLoad load;
    FileBytes file = readFileBytes(path);
    if (!file) {
        load.reason = file.reason;
        return load;
    }
    load.ok = true;
    load.data = readSettings(file.bytes);
    return load;
}

FileStatus saveSettingsFile(const std::filesystem::path& path, const SettingsData& data)
{
    return writeFileSafely(path, writeSettings(data));
}

} // namespace qm
