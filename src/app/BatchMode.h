#pragma once
// The command line: either the window (with an optional path argument) or one
// of the batch modes, which print a result and need no display.
//
//   quillmate [PATH]
//   quillmate --total FILE [--decimals 0..6|variable] [--stat total|average|mean|mode]
//             [--settings FILE]
//   quillmate --evaluate EXPR
//   quillmate --print FILE.Clc [--decimals 0..6|variable] [--output OUT.pdf]
//   quillmate --help | --version

#include <QString>
#include <QStringList>

#include <iosfwd>

namespace qm::app {

enum class Mode { Window, Total, Evaluate, Print, Help, Version, UsageError };

struct CommandLine {
    Mode mode = Mode::Window;
    QString argument;       // Window: the path argument, double quotes removed; may be empty
    QString calcPath;       // Total, Print
    QString outputPath;     // Print: a PDF file to write instead of the default printer
    QString settingsPath;   // Total: empty for the built-in function buttons
    int decimalPlaces = 25; // Total, Print: 0..6, or 25 for "Variable"
    int statMode = 0;       // Total, Print: 0 total, 1 average, 2 middle value, 3 most frequent value
    QString expression;     // Evaluate
    QString message;        // UsageError: what is wrong; Help: the help text
};

// Exit codes of the batch modes.
constexpr int ExitOk = 0;
constexpr int ExitUnreadable = 1;   // a file that cannot be read, a tape that was not printed
constexpr int ExitUsage = 2;        // a malformed command line
constexpr int ExitEvaluateFailed = 3;

// True when the arguments (the program name first) name any batch option, so
// that the program must not start the window.
bool isBatchCommandLine(const QStringList& arguments);

// Reads the arguments (the program name first). Without batch options all
// further arguments together form the window's path argument, joined by
// blanks as the command line's text, with every double quote removed.
CommandLine parseCommandLine(const QStringList& arguments);

// True when the command line asks for printing, which needs a
// QGuiApplication (fonts and printers) where the other modes need only a
// QCoreApplication.
bool needsGuiApplication(const CommandLine& commandLine);

// Runs a batch mode: writes its result to `out`, complaints to `err`, and
// returns the exit code. Needs a QCoreApplication for the regional settings
// (a QGuiApplication for Print, whose one-line complaint goes to the standard
// error stream).
int runBatch(const CommandLine& commandLine, std::ostream& out, std::ostream& err);

} // namespace qm::app
