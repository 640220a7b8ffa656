#pragma once
// Fonts and button making shared by the main window's pads.

#include "core/tape/MainWindowDesign.h"

#include <QFont>
#include <QPoint>

namespace qm::ui {

class SuperButton;

// Arial where installed, else the metric-compatible Liberation Sans.
QFont designFont(double points, bool bold);

// A pad button at its design place, given relative to the pad's own origin.
// A click never takes the keyboard focus from the tape; Tab still reaches it.
SuperButton* makePadButton(QWidget* pad, const design::ButtonDesign& d, double fontSize,
                           QPoint padOrigin);

} // namespace qm::ui
