// Reading any bytes as a calculation file must not crash, and a tape that was
// read must write out and read back to the same tape and the same bytes.

#include "core/files/CalcFile.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

bool sameValue(const qm::Value& a, const qm::Value& b)
{
    if (a.kind() != b.kind())
        return false;
    if (a.isDecimal())
        return a.decimal() == b.decimal();
    if (a.isText())
        return a.text() == b.text();
    return true;
}

void check(bool condition)
{
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const qm::Regional regionals[] = {{'.', ',', 3}, {',', '.', 3}};
    for (const qm::Regional& regional : regionals) {
        const qm::CalcFileRead first = qm::readCalcFile(bytes, regional);
        if (!first.ok()) {
            check(!first.error.reason.empty());
            continue;
        }
        const qm::Tape& tape = *first.tape;
        check(tape.size() >= 1 && tape.TapeOp.size() == tape.TapeValue.size());

        const std::string written = qm::writeCalcFile(tape, regional);
        const qm::CalcFileRead second = qm::readCalcFile(written, regional);
        check(second.ok());
        const qm::Tape& again = *second.tape;
        check(again.size() == tape.size() && again.TapeOp.size() == tape.TapeOp.size());
        for (std::size_t i = 0; i < tape.size(); ++i) {
            check(again.TapeOp[i] == tape.TapeOp[i]);
            check(sameValue(again.TapeValue[i], tape.TapeValue[i]));
        }
        check(qm::writeCalcFile(again, regional) == written);
    }
    return 0;
}
