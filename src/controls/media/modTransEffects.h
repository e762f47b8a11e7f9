// Transition effects: a picture box turned from what it shows into a new picture by random lines,
// a two-phase slide, a stretch push, a wipe from one edge or a wipe from both opposite edges.
//
// Each effect runs to its end inside the call: draw a step, refresh the destination, wait for the
// next step by polling the tick count, and finally give the destination the new picture. No
// message is processed meanwhile, so the interface is blocked until the effect ends. The pictures
// are picture boxes with a persistent image (AutoRedraw); the sources are read at the destination's
// own pixel coordinates.
#pragma once

#include <cstdint>
#include <functional>

namespace rt {
class PictureBox;
}

namespace modTransEffects {

// Milliseconds between two steps at least; each caller sets it just before it calls an effect.
extern int32_t EffectStepDelay;

// True when no effect's step loop runs.
bool EffectIdle();

// direction 1: one-pixel columns; any other: one-pixel rows. linesPerStep + 1 lines a step.
void RandomLinesEffect(rt::PictureBox& dest, rt::PictureBox& newPicture, int32_t direction,
                       int32_t linesPerStep);
// direction 1 upward, 2 downward; the destination first takes the old picture.
void TwoPhaseSlideEffect(rt::PictureBox& dest, rt::PictureBox& oldPicture, rt::PictureBox& newPicture,
                         int32_t direction, int32_t step);
// direction 1: the new picture enters from the left, 2 from the right. oldMode 1 squeezes the old
// picture, 3 pushes it out, any other leaves it under the incoming picture.
void StretchPushEffect(rt::PictureBox& dest, rt::PictureBox& oldPicture, rt::PictureBox& newPicture,
                       int32_t direction, int32_t step, int32_t linesPerStep, int32_t oldMode);
// direction 1 from the top down, 2 from the bottom up, 4 from the left, 8 from the right.
void WipeEffect(rt::PictureBox& dest, rt::PictureBox& newPicture, int32_t direction, int32_t step);
// direction 1: rows from the top and bottom edges; 2: columns from the left and right edges.
void EdgesWipeEffect(rt::PictureBox& dest, rt::PictureBox& newPicture, int32_t direction, int32_t step);

// Tests and benchmarks: the tick source (GetTickCount when empty) and an observer called after
// each step's refresh of the destination.
struct EffectSeam {
    std::function<uint32_t()> tickCount;
    std::function<void(rt::PictureBox& dest)> refreshed;
};
EffectSeam& Seam();

}  // namespace modTransEffects
