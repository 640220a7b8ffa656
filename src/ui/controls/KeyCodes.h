#pragma once
// Key and mouse arguments in the form the controls' events pass them to the
// host: Windows virtual-key codes, a Shift mask (1 Shift, 2 Ctrl, 4 Alt), a
// mouse button mask (1 left, 2 right, 4 middle) and the typed character.

#include <QKeyEvent>
#include <QtGlobal>

#include <optional>

namespace qm::ui {

// The virtual-key codes the program's own handlers look at.
namespace VirtualKey {
inline constexpr qint16 PageUp = 0x21;
inline constexpr qint16 PageDown = 0x22;
inline constexpr qint16 Up = 0x26;
inline constexpr qint16 Down = 0x28;
} // namespace VirtualKey

// Virtual-key code of the key (a US keyboard's for punctuation); 0 for keys
// that have none.
qint16 virtualKeyCode(int qtKey, Qt::KeyboardModifiers modifiers);
inline qint16 virtualKeyCode(const QKeyEvent& e) { return virtualKeyCode(e.key(), e.modifiers()); }

qint16 shiftState(Qt::KeyboardModifiers modifiers);
qint16 mouseButtonCode(Qt::MouseButtons buttons);

// The character a key press types (its code 0..255; other characters give
// 63, "?"), or nothing for keys that type none (arrows, Delete, F-keys...).
std::optional<qint16> keyAscii(const QKeyEvent& e);

} // namespace qm::ui
