#pragma once
// --print --output: the printed tape written into a PDF file as safely as a
// calculation file is saved.

#include "core/number/TextForm.h"
#include "core/tape/Tape.h"

#include <QString>

#include <string>

namespace qm::app {

// Writes the printed tape into a temporary file beside `output` (a path as
// the system gives it, any bytes) and renames it over `output` only once the
// document is complete, so a full disk or a failing printer leaves an old
// file whole and no temporary file behind. An existing `output` that is not a
// PDF file (checkPdfTarget), such as a calculation file, is never replaced,
// nor is the file a link points to; a new file may have any name. Returns an
// empty text on success, else the reason, naming `output` ("\"tape.Clc\"
// already exists and ...").
std::string writeTapePdf(const std::string& output, const Tape& tape, int decimalPlaces,
                         const Regional& regional, const QString& totalText);

} // namespace qm::app
