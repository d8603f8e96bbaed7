// Program-wide values that the start-up sets once and every window may read.
#pragma once

#include <QString>

namespace quinkle {

/// False until the main window has finished its first showing; then true for the run.
bool StartupComplete();
void SetStartupComplete(bool complete);

/// The application's title: "Loading..." during start-up, then product name and version.
QString ApplicationTitle();
void SetApplicationTitle(const QString& title);

/// The writable program folder with a trailing slash (see PrepareProgramDir); empty before.
QString ProgramDir();

/// Works out the program folder: $QUINKLE_HOME when set, else $XDG_DATA_HOME/quinkle/ (or
/// ~/.local/share/quinkle/). The folder is created when need be and given the files
/// of the read-only data folder shipped beside the program that it lacks. Makes the folder the
/// current directory and returns it (with a trailing slash).
QString PrepareProgramDir();

/// The read-only data folder shipped with the program, with a trailing slash: "data" beside
/// the program, "../share/htmquinkle" from it where the program is installed, or the source
/// tree's data folder for a program in its build folder; empty when none is found.
QString ShippedDataDir();

}  // namespace quinkle

namespace quinkle {

/// Writes "startup: <step>" to the standard error when $QUINKLE_TRACE_STARTUP is set, so the
/// order of the start-up can be watched from outside.
void TraceStartup(const QString& step);

}  // namespace quinkle
