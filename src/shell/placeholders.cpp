#include "shell/placeholders.h"

namespace placeholders {

std::string MoviePositionText(int32_t s) {
    if (s <= 0) return "00:00";
    if (s <= 59) return "00:" + std::to_string(s);
    const int32_t m = s / 60;
    return std::to_string(m) + ":" + std::to_string(s - 60 * m);
}

}  // namespace placeholders
