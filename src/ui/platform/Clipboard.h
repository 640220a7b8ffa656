#pragma once
// Plain-text access to the system clipboard.

#include <QString>

namespace qm::ui {

// The clipboard's plain text; empty when it holds none.
QString clipboardText();
// Empties the clipboard, then puts `text` on it as plain text.
void setClipboardText(const QString& text);

} // namespace qm::ui
