// The window classes the runtime registers for its own windows.
#pragma once

#include <windows.h>

namespace rt {

enum class ClassCursor { None, Arrow };

// Registers the window class `name` of this module the first time it is asked for; later calls
// with the same name do nothing.
void RegisterWindowClass(const char* name, WNDPROC proc, UINT style = 0,
                         ClassCursor cursor = ClassCursor::None);

}  // namespace rt
