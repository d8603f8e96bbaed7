// Entry of the editor program htmquinkle.
#include "app/ProgramEntry.h"

int main(int argc, char* argv[]) { return quinkle::RunProgram(argc, argv); }
