// Module resolution: a new display size at the current colour depth.
#pragma once

#include <cstdint>

namespace resolution {

// Switches the display to width x height pixels, keeping the bits per pixel; a mode the display
// rejects changes nothing.
void ChangeResolution(int32_t width, int32_t height);

}  // namespace resolution
