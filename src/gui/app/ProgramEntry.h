// The program's entry: guard, splash, creation of the windows, message loop.
#pragma once

namespace quinkle {

/// Runs the program and returns its exit code. A second copy of the same program file ends
/// at once (code 0) without showing anything.
///
/// Environment switches for measuring and checking the start-up: QUINKLE_EXIT_AFTER_PAINT
/// ends the program right after the main window's first painting, writing
/// "first paint: <steady clock in ns>" to the standard output (with the value "menu" it then
/// chooses File > Exit, writing "exit: <ns>" first); QUINKLE_GRAB=<file.png> saves
/// a picture of the main window then; QUINKLE_TRACE_STARTUP lists the steps on the standard
/// error.
int RunProgram(int argc, char* argv[]);

}  // namespace quinkle
