// The program's entry: the launcher is the first window; nothing of the program runs before it,
// and the command line is not read.
#include <windows.h>

#include "app/program.h"
#include "runtime/form.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    app::StartProgram();
    return rt::Run();
}
