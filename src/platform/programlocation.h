#pragma once

#include <QString>

namespace platform {

// Where the program finds its own files and where it keeps the user's data.
//
// A copy run from a folder it can write (its build folder, an unpacked
// folder on a stick) is portable: the data tree lives in "data" beside the
// program. An installed copy cannot write there, so the same tree lives per
// user under the platform's application data folder.
struct ProgramLocation {
    // The folder of the executable and of the companion program.
    QString programFolder;
    // The folder that holds "data", the plain settings file of older
    // versions and the work folder of a restore.
    QString dataHome;
    // The first page of the help.
    QString helpPage;

    // Everything beside the program, as the tests and scenarios run it.
    static ProgramLocation portable(const QString& programFolder);
    // The program at programFolder, with userDataHome the per-user folder
    // to fall back on.
    static ProgramLocation find(const QString& programFolder, const QString& userDataHome);

    bool isPortable() const;
};

// "kirabilog" in the platform's per-user application data folder
// ($XDG_DATA_HOME, normally ~/.local/share, on Linux).
QString userDataHome();

// The folder an installed copy keeps its shared files in (help, icons),
// relative to the program's own folder "bin".
QString installedShareFolder(const QString& programFolder);

}  // namespace platform
