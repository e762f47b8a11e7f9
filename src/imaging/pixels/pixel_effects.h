// The image object's effects that need no window: colour inversion, the colour key and its
// reversal, and the blurred drop shadow. Pixels are the image object's own (bottom-up BGRA,
// premultiplied); colours are given with red in the low byte.
#pragma once

#include <cstdint>

#include "imaging/pixels/soft_render.h"

namespace imaging {

// Each colour byte c of a pixel with alpha a above 0 becomes a - c, so premultiplied colours stay
// premultiplied; a colour byte above its alpha is left as it is.
void InvertPixels(const ImageView& image);

// The stored value of an opaque pixel of `colour`.
uint32_t ColourKey(int32_t colour);

// Every pixel equal to the colour key becomes 0, 0, 0, 0; true when at least one did.
bool KeyColourToTransparent(const ImageView& image, int32_t colour);

// Every 0, 0, 0, 0 pixel becomes the colour key.
void TransparentToKeyColour(const ImageView& image, int32_t colour);

// The blur depth a shadow uses (0 to 10).
int32_t ShadowBlurDepth(int32_t blurDepth);

// Fills `shadow` (the source's size plus 2 x depth each way) with the source's alpha summed over
// a (2 x depth + 1)-pixel box ending at each shadow pixel, divided by the box's area, in
// `colour`, premultiplied.
void BlurShadow(const ImageView& source, const ImageView& shadow, int32_t blurDepth, int32_t colour);

}  // namespace imaging
