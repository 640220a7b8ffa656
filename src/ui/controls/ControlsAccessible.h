#pragma once
// What assistive technology learns about the owner-drawn controls: a
// SuperButton is a push button named by its caption that presses on the
// accessible action; the scroll bar is a scroll bar with its value and range.

namespace qm::ui {

// Registers the accessibility factory once; safe to call again.
void installControlsAccessibility();

} // namespace qm::ui
