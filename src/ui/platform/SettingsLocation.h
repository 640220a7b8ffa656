#pragma once
// Where the settings file (function buttons and high scores) lives.

#include <QString>

namespace qm::ui {

// The program's own file name without its extension ("quillmate").
QString programName();
// The folder of the program's executable.
QString programFolder();
// "Custom " + program name + ".cal".
QString settingsFileName(const QString& programName);

// The command-line argument with every double quote removed.
QString stripQuotes(const QString& argument);
// An argument naming a calculation file: its text contains ".Clc".
bool namesCalculation(const QString& argument);

struct SettingsChoice {
    QString path;        // the settings file in use, read at start, written at shutdown
    bool read = false;   // whether to read it at start
};

// Chooses the settings file.
// - The default file is settingsFileName(name) in `programDir` when that folder
//   is writable, otherwise in `fallbackDir` (the user's configuration folder,
//   created here when missing).
// - A non-empty argument (quotes removed) that does not name a calculation file
//   replaces the default, written at shutdown whether it exists or not.
// - The file is read at start only when it exists as an ordinary file: a
//   hidden one (name starting with ".") or a missing one leaves the design-time
//   buttons.
SettingsChoice chooseSettingsFile(const QString& argument, const QString& programDir,
                                  const QString& name, const QString& fallbackDir);

// The same with this program's folder, name and configuration folder.
SettingsChoice chooseSettingsFile(const QString& argument);

} // namespace qm::ui
