// Reading any bytes as a settings file must not crash. What cannot be read
// keeps the value it had; bytes beyond the largest settings file are never a
// settings file; a file read whole writes out and reads back the same (texts
// cut to the longest length written).

#include "core/files/Cp1252.h"
#include "core/tape/SettingsFile.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

void check(bool condition)
{
    if (!condition)
        std::abort();
}

std::string asWritten(const std::string& text)
{
    std::string bytes = qm::encodeCp1252(text);
    if (bytes.size() > qm::SettingsTextMaxBytes)
        bytes.resize(qm::SettingsTextMaxBytes);
    return qm::decodeCp1252(bytes);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const qm::SettingsData base = qm::builtInSettings();
    const qm::SettingsRead first = qm::readSettings(bytes, base);
    check(first.complete == first.problem.empty());
    if (size > qm::SettingsFileMaxBytes)
        check(!first.complete && qm::writeSettings(first.data) == qm::writeSettings(base));

    const std::string written = qm::writeSettings(first.data);
    check(written.size() <= qm::SettingsFileMaxBytes);
    const qm::SettingsRead second = qm::readSettings(written, qm::SettingsData{});
    check(second.complete);
    for (std::size_t k = 0; k < first.data.buttons.size(); ++k) {
        check(second.data.buttons[k].Caption == asWritten(first.data.buttons[k].Caption));
        check(second.data.buttons[k].Formula == asWritten(first.data.buttons[k].Formula));
        check(second.data.buttons[k].ToolTip == asWritten(first.data.buttons[k].ToolTip));
    }
    for (std::size_t k = 0; k < first.data.HighScores.size(); ++k) {
        const qm::Value& a = first.data.HighScoreNames[k];
        const qm::Value& b = second.data.HighScoreNames[k];
        check(a.kind() == b.kind());
        check(!a.isText() || b.text() == asWritten(a.text()));
        check(first.data.HighScores[k] == second.data.HighScores[k]);
    }
    check(qm::writeSettings(second.data) == written);
    return 0;
}
