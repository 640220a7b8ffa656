#pragma once
// The texts of the window's design tables (tooltips, the "Edit" caption, the
// title's edition, the built-in function buttons' tooltips) and of the
// grand-total box's fixed results and game end, in the user's language. The tables are plain C++ without Qt; their English texts are the
// keys of the translation.

#include <QString>
#include <QStringList>

namespace qm::ui {

// A text of the design tables, translated; unknown texts come back as they are.
QString designText(const char* english);

// Every design text offered for translation (kept beside their translation
// marks, so that a text added to the tables but not here is caught by a test).
const QStringList& translatableDesignTexts();

// A result of the grand-total box as the user reads it: the fixed words
// ("Overflow", "Error", "Average : ", ...) translated, the figures untouched.
QString shownResultText(const QString& result);

} // namespace qm::ui
