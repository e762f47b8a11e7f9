#include "shell/resolution.h"

#include <windows.h>

#include "shell/requmet.h"

namespace resolution {

void ChangeResolution(int32_t width, int32_t height) {
    int bits = 0;
    if (HDC display = CreateDCA("DISPLAY", nullptr, nullptr, nullptr)) {
        bits = GetDeviceCaps(display, BITSPIXEL);
        DeleteDC(display);
    }
    requmet::SetDisplayMode(width, height, bits);
}

}  // namespace resolution
