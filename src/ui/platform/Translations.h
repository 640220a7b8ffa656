#pragma once
// The program's texts in the user's language: its own translation (built into
// the program) and Qt's for the standard dialogs and buttons, both chosen from
// the system locale's languages.

#include <QLocale>
#include <QString>
#include <QStringList>

class QCoreApplication;

namespace qm::ui {

// Installs on `app` the translations for `locale` that exist; returns the
// catalogues installed ("quillmate", "qtbase"), none for English.
QStringList installTranslations(QCoreApplication& app, const QLocale& locale = QLocale::system());

// The title of the program's message boxes: its name, which a box of any
// width shows whole (the window's title, with its edition, does not fit).
QString messageTitle();

} // namespace qm::ui
