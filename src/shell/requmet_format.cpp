#include "shell/requmet_format.h"

#include <cstdio>

namespace requmet {

std::string FormatKilobytes(int32_t k) {
    if (k < 1024) return std::to_string(k) + " KB";
    if (k >= 1073741824) return std::to_string(k);
    const float megabytes = static_cast<float>(static_cast<double>(k) / 1024.0);
    char text[32];
    // %g drops trailing zeros and the bare separator; below 2^20 it never needs an exponent.
    std::snprintf(text, sizeof text, "%.7g", static_cast<double>(megabytes));
    return text;
}

}  // namespace requmet
