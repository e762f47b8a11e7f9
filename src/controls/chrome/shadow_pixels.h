// The pixels of the window shadow's two strips: alpha ramps in the shadow colour, as 32-bit
// bottom-up BGRA with premultiplied alpha (row 0 is the bottom row). Window-free.
#pragma once

#include <cstdint>

namespace controls {

enum class ShadowStrip { Right, Bottom };

namespace shadow {

// Alpha of one pixel. Right strip (w = depth, h = form height): row r from the bottom, column c
// from the form side. Bottom strip (w = form width - depth, h = depth): column c from the left,
// row r from the bottom.
uint8_t RightStripAlpha(int32_t w, int32_t h, int32_t r, int32_t c);
uint8_t BottomStripAlpha(int32_t w, int32_t h, int32_t r, int32_t c);

// The colour (0x00BBGGRR) at that alpha, premultiplied, as the 32-bit value B, G, R, A in memory.
uint32_t ShadowPixel(int32_t color, uint8_t alpha);

// Fills a w x h buffer (w * h values). luna cuts the right strip's top outer corner.
void FillStrip(uint32_t* bits, ShadowStrip strip, int32_t w, int32_t h, int32_t color, bool luna);

}  // namespace shadow
}  // namespace controls
