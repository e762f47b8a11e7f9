#include "shell/resolution.h"

#include <windows.h>

#include "runtime/handles.h"
#include "shell/requmet.h"

namespace resolution {

void ChangeResolution(int32_t width, int32_t height) {
    int bits = 0;
    if (rt::CreatedDC display(CreateDCA("DISPLAY", nullptr, nullptr, nullptr)); display)
        bits = GetDeviceCaps(display.get(), BITSPIXEL);
    requmet::SetDisplayMode(width, height, bits);
}

}  // namespace resolution
