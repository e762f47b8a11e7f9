// What several intrinsic controls share in their implementation: the system colours they start
// with and the range check of their numbered properties. Not for use outside the controls' files.
#pragma once

#include <cstdint>
#include <string>

#include "runtime/error.h"

namespace rt {

inline constexpr uint32_t kWindowColor = 0x80000005, kWindowText = 0x80000008, kButtonFace = 0x8000000F,
                          kButtonText = 0x80000012;

// Raises 380 when v lies outside lo..hi.
inline void CheckRange(int64_t v, int64_t lo, int64_t hi, const std::string& source) {
    if (v < lo || v > hi) Raise(errInvalidPropertyValue, source);
}

}  // namespace rt
