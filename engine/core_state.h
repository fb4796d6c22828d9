// The one reset of the whole program-wide state, which start-up and every test fixture use. The program-wide
// state is six objects, one per subsystem: `program` (base/program.h), `catalogue` (layouts), `testState`
// (engine), `testLog`, `hostLink` and `lineLink` (records). Every other piece of state is local to its file.
#pragma once

// Brings every program-wide state object back to its start: mode flags and directories cleared, layouts
// freed, engine state cleared, no log, no host block, the line not yet asked. An open log stream is
// forgotten, not closed: start-up has none, and a fixture closes its own.
void ResetCoreState();
