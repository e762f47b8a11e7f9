#include "shell/Module2.h"

#include <windows.h>

namespace Module2 {

int32_t TranslateOleColor(int32_t& colour) {
    if (colour >= 0) return colour;
    return static_cast<int32_t>(GetSysColor(colour & 0xFF));
}

}  // namespace Module2
