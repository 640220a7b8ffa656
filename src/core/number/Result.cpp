#include "core/number/Result.h"

namespace qm {

const char* failureName(Failure f)
{
    switch (f) {
    case Failure::Conversion: return "conversion";
    case Failure::Overflow: return "overflow";
    case Failure::DivisionByZero: return "division by zero";
    case Failure::InvalidArgument: return "invalid argument";
    case Failure::OutOfRange: return "out of range";
    case Failure::Power: return "power";
    case Failure::Tokens: return "tokens";
    }
    return "unknown";
}

} // namespace qm
