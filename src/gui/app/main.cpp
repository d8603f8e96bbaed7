// Entry of the editor program htmquinkle.
#include "gui/app/ProgramEntry.h"

int main(int argc, char* argv[]) { return quinkle::RunProgram(argc, argv); }
