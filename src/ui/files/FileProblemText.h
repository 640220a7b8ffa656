#pragma once
// Why a file could not be read or written, in the user's language: the same
// sentences the command line prints in English.

#include "core/files/CalcFile.h"
#include "core/files/SafeFile.h"

#include <QString>

namespace qm::ui {

// The problem as a phrase: "the disk is full", "\"5\" is not a number".
QString fileProblemText(qm::FileProblem problem, const QString& subject = QString(),
                        const QString& extra = QString());

// A failed reading as a sentence: "Line 3: "5" is not a number." or, for the
// file as a whole, "File not found."
QString calcFileErrorText(const qm::CalcFileError& error);

// A failed save as a sentence: "The disk is full." or "Tape line 2 would not
// open again: ..."
QString fileStatusText(const qm::FileStatus& status);

// "abc" -> "Abc."
QString asSentence(const QString& phrase);

} // namespace qm::ui
