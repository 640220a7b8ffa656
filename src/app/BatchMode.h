#pragma once
// The batch modes: --total, --evaluate and --print print a result and need no
// display; --help, --version and a usage error print their text.

#include "CommandLine.h"

#include <iosfwd>

namespace qm::app {

// True when the command line asks for printing, which needs a
// QGuiApplication (fonts and printers) where the other modes need only a
// QCoreApplication.
bool needsGuiApplication(const CommandLine& commandLine);

// Runs a batch mode: writes its result to `out`, complaints to `err` (one
// line naming the file and the cause), and returns the exit code (see
// CommandLine.h). Running out of memory is exit code 1 with a message, never
// an abort. Total, Evaluate and Print need a QCoreApplication (Print a
// QGuiApplication); Help, Version and UsageError need none.
int runBatch(const CommandLine& commandLine, std::ostream& out, std::ostream& err);

} // namespace qm::app
