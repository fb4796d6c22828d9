// Program-wide state of the application shell.
#include "app/program.h"

ProgramState program;

void ResetProgramState() {
    program = ProgramState();
}
