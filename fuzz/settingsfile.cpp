// Reading any bytes as a settings file must not crash; what was read writes
// out and reads back the same (texts cut to the longest length written).

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
    const qm::SettingsData first = qm::readSettings(bytes);
    const std::string written = qm::writeSettings(first);
    const qm::SettingsData second = qm::readSettings(written);

    for (std::size_t k = 0; k < first.buttons.size(); ++k) {
        check(second.buttons[k].Caption == asWritten(first.buttons[k].Caption));
        check(second.buttons[k].Formula == asWritten(first.buttons[k].Formula));
        check(second.buttons[k].ToolTip == asWritten(first.buttons[k].ToolTip));
    }
    for (std::size_t k = 0; k < first.HighScores.size(); ++k) {
        const qm::Value& a = first.HighScoreNames[k];
        const qm::Value& b = second.HighScoreNames[k];
        check(a.kind() == b.kind());
        check(!a.isText() || b.text() == asWritten(a.text()));
        check(first.HighScores[k] == second.HighScores[k]);
    }
    check(qm::writeSettings(second) == written);
    return 0;
}
