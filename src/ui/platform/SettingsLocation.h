#pragma once
// Where the settings file (function buttons and high scores) lives, and which
// file a run reads and writes.

#include "core/tape/SettingsFile.h"

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
// An argument naming a calculation file: its text contains ".clc" in any
// letter case (as file managers pass "budget.clc" or "BUDGET.CLC").
bool namesCalculation(const QString& argument);

// The folders the settings file is looked for in.
struct SettingsFolders {
    QString programDir;    // the program's folder: the default file lives here when it is writable
    QString programName;   // gives the file's name
    QString userDir;       // the user's configuration folder, used when the program's folder is read-only
};
// This program's folder, name and configuration folder.
SettingsFolders programSettingsFolders();

// What a run does with the settings file.
struct SettingsPlan {
    QString readPath;        // the file read at start; empty: the built-in values
    QString writePath;       // the file written at close; empty: nothing is written
    SettingsData data;       // what was read, over the built-in values
    bool damaged = false;    // the file read lacks fields (kept aside as ".damaged" when it is written)
    QString notice;          // one line for standard error when the file cannot be used as asked
};

// Chooses and reads the settings file.
// - No argument, or one naming a calculation: the default file,
//   settingsFileName in the program's folder when that folder is writable,
//   else in the user's folder; while the user has no file there yet, the
//   program folder's file is read (and the user's written at close).
// - An argument naming a file that does not exist yet: that file, written at
//   close. One naming a settings file: that file. One naming an existing file
//   that is not a settings file (damaged, a folder, anything else): never
//   written; the default file is used and the notice says why.
// - A file that exists but cannot be read (no permission) is never written:
//   the built-in values are used and the notice says why.
// - A default file that is damaged gives what can be read of it, the rest
//   built-in; it is kept as "<name>.damaged" when the new one is written.
SettingsPlan planSettings(const QString& argument, const SettingsFolders& folders);

// Writes the notice as one line to standard error ("quillmate: ...").
void printSettingsNotice(const QString& notice);

} // namespace qm::ui
