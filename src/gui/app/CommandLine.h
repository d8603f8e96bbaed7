// The program's command line: its own options, Qt's standard options and the document.
#pragma once

#include <string>

namespace quinkle {

/// What a command line asks the program to do.
struct CommandLine {
    enum class Action { Run, Help, Version, Error };
    Action What = Action::Run;
    /// The first file argument as given (relative names stay relative); empty when none.
    std::string Document;
    /// For Action::Error: what is wrong, one line without the program's name.
    std::string Error;
};

/// Reads argv[1..argc-1] from left to right; the first option that ends the program decides.
/// "-h"/"--help" and "-v"/"--version" ask for their text; Qt's standard options ("-style
/// fusion", "-platform offscreen", "-reverse", also written with "--" or "=") are passed over
/// with their values, as QApplication takes them later; "--" ends the options; any other word
/// that starts with "-" (but "-" itself) is an error. Only the first file counts: the others
/// are ignored.
CommandLine ParseCommandLine(int argc, const char* const* argv);

/// The text that --help prints for a program started as `program`.
std::string CommandLineHelp(const std::string& program);

/// The text that --version prints.
std::string CommandLineVersion();

}  // namespace quinkle
