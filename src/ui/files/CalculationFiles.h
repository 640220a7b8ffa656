#pragma once
// Opening and saving calculation files for the main window, and choosing one
// in the file dialog.

#include "core/number/TextForm.h"
#include "core/tape/Tape.h"

#include <QString>

#include <cstddef>
#include <cstdint>

class QWidget;

namespace qm::ui {

// The message every failure of saving shows, above the cause.
inline constexpr const char* CalculationFileMessage =
    QT_TRANSLATE_NOOP("CalculationFiles", "Cannot write to read only file or drive...");

// Reads the file at `path` into a new tape and only then swaps it into
// `tape`, so a failed opening leaves the old tape whole.
// - `path` empty: nothing happens, no message; returns false and leaves
//   `error` empty.
// - A file that cannot be opened (missing, a folder, a pipe or device, not
//   readable) or read: shows a message box (OK only, titled with the parent
//   window's title) that names the file and the cause in the user's language
//   (""a.Clc" could not be opened. Line 3: "abc" is not a number."), puts
//   that text in `error`, returns false. Running out of memory is such a
//   failure too.
bool openCalculation(QWidget* parent, const QString& path, const qm::Regional& regional,
                     qm::Tape& tape, QString* error = nullptr);

// Writes the tape's first `lines` lines (all by default) to `path` through a temporary file renamed over the
// target, so the old file stays intact when anything fails. On failure shows
// the message box with, below it, the file and the cause (""a.Clc" was not
// saved: The disk is full."), puts that text in `error` and returns false.
bool saveCalculation(QWidget* parent, const QString& path, const qm::Tape& tape,
                     const qm::Regional& regional, QString* error = nullptr,
                     std::size_t lines = SIZE_MAX);

// Shows the file dialog modally over `parent`, captioned for opening (index 0:
// "Open Calculation...", accept "Open") or saving (index 1: "Save
// Calculation...", accept "Save"). Returns the chosen name resolved against
// the current folder (which the dialog's browser leaves at the folder shown)
// as an absolute path, or an empty text when the user cancelled. Any other
// index returns an empty text without showing anything.
// The dialog is created on first use and kept, hidden, as a child of `parent`,
// so its name box keeps its text between uses.
// `tapeFile`: the file last opened or saved. The dialog starts in its folder,
// and saving over it asks nothing (over any other existing file it asks).
QString chooseCalculationFile(QWidget* parent, int index, const QString& tapeFile = QString());

// The message box of a failed save: only OK, titled with `parent`'s window
// title; the file and the cause, when given, below the message.
void showCalculationFileMessage(QWidget* parent, const QString& detail = QString());


} // namespace qm::ui
