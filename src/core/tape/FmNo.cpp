#include "core/tape/FmNo.h"

namespace qm {

std::string fmNoText(const Value& stored, int decimals, const Regional& regional)
{
    std::string text;
    if (decimals != 25) {
        auto formatted = formatFixed(stored, decimals, regional);
        if (!formatted)
            return {};
        text = std::move(formatted.value());
    } else {
        text = plainText(stored, regional.decimalSep);
    }
    // The zero test reads the value's own text with "." as point: read in the
    // regional form, 0,5 would stop at the comma and pass for 0.
    if (leadingNumber(plainText(stored, '.')) == 0.0)
        return {};
    return text;
}

} // namespace qm
