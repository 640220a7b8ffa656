#include "core/files/RecoverySchedule.h"

#include <limits>

namespace qm {

bool RecoverySchedule::changed(std::int64_t nowMs)
{
    if (dueAt_)
        return false;
    // A clock near its end saturates rather than wrapping.
    dueAt_ = nowMs > std::numeric_limits<std::int64_t>::max() - delayMs_
        ? std::numeric_limits<std::int64_t>::max()
        : nowMs + delayMs_;
    return true;
}

} // namespace qm
