#pragma once
// The text of "About Quillmate": what the program is, its version and
// licence, and the Qt it runs on.

#include <QString>

namespace qm::ui {

// The program's version as the build names it.
QString programVersion();

// Rich text for the About box, translated.
QString aboutText();

} // namespace qm::ui
