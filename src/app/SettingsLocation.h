#pragma once

#include <QString>

namespace yomari::app {

// Where the settings file lies: the file written at exit, and the file read
// at start.
struct SettingsLocation {
    QString file;
    // `file` once it exists. Before that, a settings file beside an
    // installed program that this user cannot write, as the starting values.
    QString readFrom;
};

// Beside the program (named after it, ".ini") when a settings file there is
// writable, or when the program's folder is writable and is no installed
// copy (a build folder, a copy carried around with its data). Otherwise in
// the user's configuration folder: $XDG_CONFIG_HOME/yomari/, same name.
// An installed copy keeps its data in ../share/yomari instead of beside it.
SettingsLocation FindSettings();

// The file to write, with its folder created when missing.
QString SettingsFileForWriting();

// A window's own settings file ("Table" gives YomariTable.ini): beside the
// program's settings, never inside them, as that file keeps its fixed lines.
QString WindowSettingsFile(const QString& window);

} // namespace yomari::app
