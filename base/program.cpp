// Program-wide state of the application shell.
#include "base/program.h"

ProgramState program;
