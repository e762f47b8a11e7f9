// The program's one pseudo-random generator, shared by every caller in the process. It is never
// seeded (the classic runtime's Rnd without Randomize), so every run draws the same sequence: the
// random transitions and shuffles repeat from one run to the next.
#pragma once

namespace rt {

// The next number of the sequence, uniform in [0, 1), a multiple of 2^-24.
double Rnd();

namespace detail {
// Back to the start of the sequence, as at process start (tests).
void ResetRnd();
}  // namespace detail

}  // namespace rt
