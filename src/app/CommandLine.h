#pragma once
// The command line: either the window (with an optional path argument) or one
// of the batch modes, which print a result and need no display.
//
//   quillmate [PATH]
//   quillmate --total FILE [--decimals 0..6|variable] [--stat total|average|mean|mode]
//             [--settings FILE]
//   quillmate --evaluate EXPR
//   quillmate --print FILE.Clc [--decimals 0..6|variable] [--output OUT.pdf]
//   quillmate --csv FILE.Clc [--output OUT.csv]
//   quillmate --help | --version
//
// Arguments are kept as the bytes the system gives: a file name need not be
// valid UTF-8 to be found.

#include "core/tape/Tape.h"

#include <string>
#include <vector>

namespace qm::app {

enum class Mode { Window, Total, Evaluate, Print, Csv, Help, Version, UsageError };

struct CommandLine {
    Mode mode = Mode::Window;
    std::string argument;       // Window: the path argument, double quotes removed; may be empty
    std::string calcPath;       // Total, Print, Csv
    std::string outputPath;     // Print: a PDF file to write instead of the default printer; Csv: the CSV file
    std::string settingsPath;   // Total: empty for the built-in function buttons
    int decimalPlaces = VariableDecimals;           // Total, Print: 0..6 or VariableDecimals
    int statMode = static_cast<int>(StatMode::Total);   // Total, Print
    std::string expression;     // Evaluate
    std::string message;        // UsageError: what is wrong
};

// Exit codes.
constexpr int ExitOk = 0;            // the result is a number; the tape was printed
constexpr int ExitUnreadable = 1;    // a file could not be read, the tape was not printed, no memory
constexpr int ExitUsage = 2;         // a malformed command line, an unknown option
constexpr int ExitNotANumber = 3;    // the result is an error text (Error, Overflow, ...) or a failure

// Reads the arguments after the program's name. Without batch options the
// remaining arguments together form the window's path argument, joined by
// blanks as the command line's text, with every double quote removed; "--"
// ends the options, so a path may start with "-". Qt's own window options
// (-platform NAME, -style NAME, -geometry WxH+X+Y, -display, -reverse, ...)
// are left to Qt. Any other argument starting with "-" is a usage error.
CommandLine parseCommandLine(const std::vector<std::string>& arguments);

// The synopsis printed with a usage error, and the whole --help text.
std::string usageText();
std::string helpText();

} // namespace qm::app
