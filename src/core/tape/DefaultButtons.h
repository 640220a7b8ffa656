#pragma once
// The function buttons as the program ships them, before the settings file or
// the editor changes them.

#include "core/tape/Tape.h"

namespace qm {

FunctionButtons defaultFunctionButtons();

} // namespace qm
