// The own half of turned drawing without a window: the square work image's size and place, and
// the nearest-pixel and bilinear samplers that turn a source rectangle into it.
#pragma once

#include <cstdint>

#include "imaging/pixels/soft_render.h"

namespace imaging {

// The work square of a turned drawing into the box (DestX, DestY, DestWidth, DestHeight) with
// positive sizes: its side is the box's diagonal rounded, and it is placed so that its centre
// falls on the box's centre. False when the squared diagonal or the place leave the 32-bit range.
struct RotationSquare {
    int32_t side = 0;
    int32_t x = 0;
    int32_t y = 0;
};
bool RotationSquareFor(int32_t DestX, int32_t DestY, int32_t DestWidth, int32_t DestHeight,
                       RotationSquare& square);

// Samples the source rectangle (SrcX, SrcY counted from the top-left), scaled to DestWidth x
// DestHeight and turned by `Angle` rounded to whole degrees (positive = clockwise on the screen),
// into the transparent square `work`, centred. Nearest pixel, or bilinear when `bilinear`. Work
// pixels outside the turned rectangle are left as they are.
void RotateIntoSquare(const ImageView& source, int32_t SrcX, int32_t SrcY, int32_t SrcWidth,
                      int32_t SrcHeight, int32_t DestWidth, int32_t DestHeight, float Angle, bool bilinear,
                      const ImageView& work);

}  // namespace imaging
