#include "core/files/StripExtension.h"

namespace qm {

std::string StripExtension(std::string_view path)
{
    const auto dot = path.rfind('.');
    if (dot == std::string_view::npos)
        return std::string(path);
    return std::string(path.substr(0, dot));
}

} // namespace qm
