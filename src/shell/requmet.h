// Module requmet: what the launcher's requirement check learns of the machine, and the display
// mode change behind module resolution.
#pragma once

#include <cstdint>
#include <string>

#include "shell/requmet_format.h"

namespace requmet {

// The visible physical memory as FormatKilobytes writes it; empty until GatherSystemInfo found it.
std::string& MemoryFigure();

// Asks the management service for the operating system's visible memory; every failing step is
// skipped, so a machine whose service cannot be reached leaves MemoryFigure empty.
void GatherSystemInfo();

// The registry value at a full path ("HKEY_LOCAL_MACHINE\...\CurrentVersion") as text; empty on
// any failure.
std::string RegReadValue(const std::string& path);

// Tests the mode and, when the display accepts it, applies and stores it and tells every
// top-level window. Returns the test's result code (0: changed).
int32_t SetDisplayMode(int32_t width, int32_t height, int32_t bits);

}  // namespace requmet
