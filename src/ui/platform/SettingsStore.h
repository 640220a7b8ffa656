#pragma once
// The settings file of one run, as the main window uses it: load() once at
// start, save() once at close. Which file is read and which is written, and
// what is never written, is planSettings' choice (SettingsLocation.h).

#include "core/tape/SettingsFile.h"
#include "ui/platform/SettingsLocation.h"

#include <QString>

namespace qm::ui {

class SettingsStore {
public:
    // `argument`: the command line's path argument as given (quotes are
    // removed here); empty when there is none. This program's folders.
    explicit SettingsStore(const QString& argument);
    SettingsStore(const QString& argument, const SettingsFolders& folders);

    // Chooses and reads the file: the function buttons and high scores to
    // start with, built-in values for every field the file did not give.
    // When the file cannot be used as asked, writes one line to standard
    // error saying why. Reads the disk only on the first call.
    const SettingsData& load();

    // At close: writes `data` to file() (a read-only file is made writable
    // first; a damaged one is kept as "<name>.damaged"). Does nothing when
    // writesAtClose() is false. Returns true when the file was written;
    // a failure is one line on standard error, never a question to the user.
    bool save(const SettingsData& data);

    bool writesAtClose() const { return !plan_.writePath.isEmpty(); }
    // The file written at close; empty when none is.
    QString file() const { return plan_.writePath; }
    // The file the settings were read from; empty for the built-in values.
    QString readFile() const { return plan_.readPath; }
    // The line written to standard error at load; empty when there was none.
    QString notice() const { return plan_.notice; }

private:
    QString argument_;
    SettingsFolders folders_;
    SettingsPlan plan_;
    bool loaded_ = false;
};

} // namespace qm::ui
