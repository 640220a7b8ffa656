#pragma once
// The reasons the file layer gives for a failed read or write ("the disk is
// full", "\"abc\" is not a number"), in the user's language. The core writes
// them in English; their English forms are the keys of the translation.

#include <QString>

#include <string>

namespace qm::ui {

// A reason translated; the parts it quotes (a line's text, a number, the
// system's own message) stay as they are. Unknown reasons come back unchanged.
QString shownFileReason(const QString& reason);

// A calculation file's failure as its message box details it: "Line 3: ..."
// for a line of the file (`line` > 0), else the reason as a sentence.
QString fileErrorDetail(long long line, const std::string& reason);

} // namespace qm::ui
