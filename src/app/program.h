// The program's wiring: what the lower rooms leave to it (message boxes, the application title)
// hooked up, then the launcher, the first window of the program.
#pragma once

namespace app {

// Creates the launcher and shows it when its load kept it.
void StartProgram();

}  // namespace app
