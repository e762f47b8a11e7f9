// The image object's pixel members without a window: one pixel's colour, pixel bytes handed out
// and taken in other layouts, and the rectangle list behind an alpha region. Coordinates count
// from the picture's top-left pixel; the pixels are the image object's own (bottom-up BGRA,
// premultiplied).
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "imaging/pixels/soft_render.h"

namespace imaging {

// Pixel bytes as they are handed out: one dimension, or two (byte within a row, row).
struct PixelBytes {
    std::vector<uint8_t> bytes;
    int32_t rowLength = 0;  // bytes of one row
    int32_t rows = 0;
    bool twoDimensional = false;
};

// How the bytes are laid out: blue or red first, 4 or 3 bytes per pixel, 3-byte rows padded to a
// multiple of 4, last picture row first, colours premultiplied or divided back by alpha.
struct PixelLayout {
    bool bgr = true;
    bool bits32 = true;
    bool wordAligned = true;
    bool bottomUp = true;
    bool premultiplied = true;

    int32_t BytesPerPixel() const { return bits32 ? 4 : 3; }
    int64_t RowLength(int32_t width) const;
};

// Colour of the pixel (x, y) as red + green * 256 + blue * 65536, divided back by alpha unless
// `asPreMultiplied`; -1 outside the picture. `alphaValue` (when given) receives its alpha, 0
// outside. A colour above its alpha reads 255.
int32_t ReadPixel(const ImageView& image, int32_t x, int32_t y, int32_t* alphaValue, bool asPreMultiplied);

// The rectangle (x, y, width, height; 0 = to the picture's edge, cut at the right and bottom)
// in the layout. False, with `out` untouched, when there is no picture or the rectangle does not
// start inside it.
bool ExportPixels(const ImageView& image, PixelBytes& out, bool as2dArray, const PixelLayout& layout,
                  int32_t x, int32_t y, int32_t width, int32_t height);

// Writes `size` bytes laid out as rows of the rectangle's width into the rectangle, then
// classifies the whole picture (premultiplying straight alpha; `hasAlpha` receives the answer).
// False, with nothing changed, when there is no picture, no data, a rectangle that does not start
// inside the picture, or fewer bytes than the row length times the picture's height. A 3-byte
// layout keeps the alpha bytes.
bool ImportPixels(const ImageView& image, const uint8_t* data, size_t size, const PixelLayout& layout,
                  int32_t dstx, int32_t dsty, int32_t dstwidth, int32_t dstheight, bool& hasAlpha);

// One rectangle of a region: left, top, right, bottom.
struct RegionRect {
    int32_t left = 0, top = 0, right = 0, bottom = 0;
};
static_assert(sizeof(RegionRect) == 16, "two slots hold the 32-byte region-data header");

// The rectangles of the visible (alpha above 0) pixels, rows from the top: style 0 one bounding
// box, 1 one span per row from its first to its last visible pixel, 2 one rectangle per run.
// The list keeps slots 0 and 1 free for the region-data header; rectangles start at slot 2.
// Returns the number of rectangles (0: nothing visible, or a style other than 0, 1, 2).
size_t AlphaRegionRects(const ImageView& image, int32_t style, std::vector<RegionRect>& list);

}  // namespace imaging
