#include "runtime/random.h"

#include <cstdint>

namespace rt {

namespace {
// The classic runtime's generator: a 24-bit linear congruential sequence of full period from a
// fixed start.
constexpr uint32_t kStart = 0x50000;
constexpr uint32_t kMultiplier = 0x43FD43FD, kIncrement = 0xC39EC3, kMask = 0xFFFFFF;
uint32_t state = kStart;
}  // namespace

double Rnd() {
    state = (state * kMultiplier + kIncrement) & kMask;
    return static_cast<double>(state) / (kMask + 1.0);
}

void detail::ResetRnd() {
    state = kStart;
}

}  // namespace rt
