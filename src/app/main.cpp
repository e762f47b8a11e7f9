// The program's entry: the launcher is the first window; nothing of the program runs before it,
// and the command line is not read.
#include <windows.h>

#include "runtime/form.h"
#include "shell/program.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    shell::StartProgram();
    return rt::Run();
}
