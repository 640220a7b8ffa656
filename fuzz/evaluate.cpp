// The evaluator on arbitrary bytes: no crash, and every value is a number the
// strict reading accepts. A reused evaluator must answer exactly like a fresh
// one.
#include "core/input/Evaluator.h"
#include "core/number/TextForm.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static qm::Evaluator reused;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto a = reused.evaluate(text);
    qm::Evaluator fresh;
    const auto b = fresh.evaluate(text);
    if (a.ok() != b.ok())
        __builtin_trap();
    if (!a.ok()) {
        if (a.failure() != b.failure())
            __builtin_trap();
        return 0;
    }
    if (*a != *b || !qm::parseStrict(*a).ok())
        __builtin_trap();
    return 0;
}
