// The program's entry: guard, splash, creation of the windows, message loop.
#pragma once

namespace quinkle {

/// Runs the program and returns its exit code. --help and --version print their text and end
/// (code 0), a wrong option ends with a message (code 2), all without a window. A second copy
/// of the same program file hands its document to the running copy, whose window comes to
/// the front, and ends without showing anything (code 0; 1 when the running copy does not
/// answer).
///
/// Environment switches for measuring and checking the start-up: QUINKLE_EXIT_AFTER_PAINT
/// ends the program right after the main window's first painting, writing
/// "first paint: <steady clock in ns>" to the standard output (with the value "menu" it then
/// chooses File > Exit, writing "exit: <ns>" first); QUINKLE_GRAB=<file.png> saves
/// a picture of the main window then; QUINKLE_TRACE_STARTUP lists the steps on the standard
/// error.
int RunProgram(int argc, char* argv[]);

}  // namespace quinkle
