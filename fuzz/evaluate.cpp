// The evaluator on arbitrary bytes: no crash, and every answer is either a
// number the strict reading accepts or one of the five error texts. A reused
// evaluator must answer exactly like a fresh one.
#include "core/input/Evaluator.h"
#include "core/number/TextForm.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static qm::Evaluator reused;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto a = reused.Evaluate(text);
    qm::Evaluator fresh;
    const auto b = fresh.Evaluate(text);
    if (a.ok() != b.ok())
        __builtin_trap();
    if (!a.ok()) {
        if (a.failure() != b.failure())
            __builtin_trap();
        return 0;
    }
    if (*a != *b)
        __builtin_trap();
    const std::string& r = *a;
    if (r == "Error" || r == "Error - Token" || r == "Error - ()" || r == "Error - Sign" ||
        r == "Error - Division")
        return 0;
    if (!qm::parseStrict(r).ok())
        __builtin_trap();
    return 0;
}
