#include "core/tape/SettingsFile.h"

#include "core/files/Cp1252.h"
#include "core/number/TextForm.h"
#include "core/tape/DefaultButtons.h"

#include <optional>
#include <system_error>
#include <utility>

namespace qm {

namespace {

constexpr std::uint16_t TypeEmpty = 0;
constexpr std::uint16_t TypeText = 8;

// Sequential reader that turns into "stopped" for good at the first field it
// cannot make sense of; every later read then gives nothing.
class FieldReader {
public:
    explicit FieldReader(std::string_view bytes) : bytes_(bytes) {}

    // Nothing when the field cannot be read; a read empty value is Value().
    std::optional<Value> tagged()
    {
        std::uint16_t type = 0;
        if (!word(type))
            return std::nullopt;
        if (type == TypeEmpty)
            return countField(Value());
        if (type != TypeText) {
            stop("field " + std::to_string(fields_ + 1) + " has the unknown type code " + std::to_string(type));
            return std::nullopt;
        }
        std::uint16_t length = 0;
        if (!word(length))
            return std::nullopt;
        if (bytes_.size() - pos_ < length) {
            stop(endedInside());
            return std::nullopt;
        }
        std::string text = decodeCp1252(bytes_.substr(pos_, length));
        pos_ += length;
        return countField(Value(std::move(text)));
    }

    std::optional<std::int16_t> score()
    {
        std::uint16_t raw = 0;
        if (!word(raw))
            return std::nullopt;
        ++fields_;
        return static_cast<std::int16_t>(raw);   // two's complement, as stored
    }

    bool stopped() const { return stopped_; }
    const std::string& problem() const { return problem_; }

private:
    Value countField(Value v)
    {
        ++fields_;
        return v;
    }

    std::string endedInside() const
    {
        if (bytes_.empty())
            return "the file is empty";
        return "the file ends inside field " + std::to_string(fields_ + 1) + " of "
            + std::to_string(SettingsFieldCount);
    }

    bool word(std::uint16_t& out)
    {
        if (stopped_)
            return false;
        if (bytes_.size() - pos_ < 2) {
            stop(endedInside());
            return false;
        }
        const auto lo = static_cast<unsigned char>(bytes_[pos_]);
        const auto hi = static_cast<unsigned char>(bytes_[pos_ + 1]);
        out = static_cast<std::uint16_t>(lo | (hi << 8));
        pos_ += 2;
        return true;
    }

    void stop(std::string why)
    {
        if (!stopped_)
            problem_ = std::move(why);
        stopped_ = true;
    }

    std::string_view bytes_;
    std::size_t pos_ = 0;
    int fields_ = 0;
    bool stopped_ = false;
    std::string problem_;
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

SettingsData builtInSettings()
{
    SettingsData data;
    data.buttons = defaultFunctionButtons();
    return data;
}

SettingsRead readSettings(std::string_view bytes, const SettingsData& base)
{
    SettingsRead read;
    read.data = base;
    FieldReader in(bytes);
    if (bytes.size() > SettingsFileMaxBytes) {
        read.problem = "larger than the largest settings file (" + std::to_string(SettingsFileMaxBytes) + " bytes)";
        return read;
    }
    auto text = [&in](std::string& field) {
        if (std::optional<Value> v = in.tagged())
            field = textOf(*v);
    };
    for (FunctionButton& b : read.data.buttons) {
        text(b.Caption);
        text(b.Formula);
        text(b.ToolTip);
    }
    for (std::size_t k = 0; k < static_cast<std::size_t>(HighScoreCount); ++k) {
        if (std::optional<Value> name = in.tagged())
            read.data.HighScoreNames[k] = std::move(*name);
        if (std::optional<std::int16_t> score = in.score())
            read.data.HighScores[k] = *score;
    }
    read.complete = !in.stopped();
    read.problem = in.problem();
    return read;
}

SettingsData readSettings(std::string_view bytes)
{
    return readSettings(bytes, SettingsData{}).data;
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
    load.data = builtInSettings();
    FileBytes file = readFileBytes(path, SettingsFileMaxBytes);
    if (file.error == FileError::TooLarge) {
        load.ok = true;
        load.reason = "larger than the largest settings file (" + std::to_string(SettingsFileMaxBytes) + " bytes)";
        return load;
    }
    if (!file) {
        load.error = file.error;
        load.reason = file.reason;
        return load;
    }
    SettingsRead read = readSettings(file.bytes, load.data);
    load.ok = true;
    load.data = std::move(read.data);
    load.complete = read.complete;
    load.reason = std::move(read.problem);
    return load;
}

std::filesystem::path damagedSettingsPath(const std::filesystem::path& path)
{
    for (int n = 1; n <= MaxDamagedCopies; ++n) {
        std::filesystem::path damaged = path;
        damaged += n == 1 ? std::string(".damaged") : ".damaged-" + std::to_string(n);
        std::error_code ec;
        const auto type = std::filesystem::symlink_status(damaged, ec).type();
        if (type == std::filesystem::file_type::not_found)
            return damaged;
    }
    return {};
}

FileStatus saveSettingsFile(const std::filesystem::path& path, const SettingsData& data)
{
    const std::filesystem::path target = saveTargetOf(path);
    const SettingsLoad old = loadSettingsFile(target);
    if (!old.ok && old.error != FileError::NotFound)
        return failedWith("the file there cannot be read (" + old.reason + "), so it is not replaced");
    if (old.ok && !old.complete) {
        const std::filesystem::path aside = damagedSettingsPath(target);
        if (aside.empty())
            return failedWith("the damaged file there cannot be kept aside (too many damaged copies)");
        std::error_code ec;
        std::filesystem::rename(target, aside, ec);
        if (ec)
            return failedWith("the damaged file there cannot be kept aside (" + ec.message() + ")");
    }
    return writeFileSafely(path, writeSettings(data));
}

} // namespace qm
