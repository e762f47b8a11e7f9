// Module mMain: the program's icon on a window (and on its top-level owner).
#pragma once

#include <windows.h>

#include <string>

namespace mMain {

// Sends the big and the small image of the icon resource to the window's topmost owner (with
// includeOwner) and to the window. The icons are shared resources and never destroyed.
void SetFormIcons(HWND hwnd, const std::string& iconResName, bool includeOwner);

}  // namespace mMain
