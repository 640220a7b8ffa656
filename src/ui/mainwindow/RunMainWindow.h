#pragma once
// Starts the main window and runs the program's event loop until it closes.

#include <QString>

class QApplication;

namespace qm::ui {

// `argument`: the command line's one optional argument (a calculation file to
// open, or the settings file to use), as given; empty when there is none.
// Returns the event loop's exit code.
int runMainWindow(QApplication& app, const QString& argument);

} // namespace qm::ui
