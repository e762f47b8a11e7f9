// Stateless image routines that need no window: alpha classification, grey scale weights, row
// widths, byte order and address arithmetic, and the capability flags of a reported system version.
#pragma once

#include <cstdint>

namespace imaging {

// Image type codes of the image object.
enum ImageTypeCode : int32_t {
    imgNone = -1,
    imgBlank = 0,
    imgBitmap = 1,
    imgMetafile = 2,
    imgIcon = 3,
    imgEnhMetafile = 4,
    imgCursor = 5,
    imgStraightAlpha = 6,
    imgPremultipliedAlpha = 7,
    imgIconAlpha = 8,
    imgGIF = 9,
    imgPNG = 10,
    imgIconPNG = 11,
    imgCursorAlpha = 12,
    imgCheckerBoard = 64,
};

// Capability bits of the image object.
enum CapabilityBit : int32_t {
    capAlphaBlendUsable = 1,
    capGdiPlusEnabled = 2,
    capAlphaBlendPresent = 8,
    capWin9x = 16,
    capNoGdiPlus = 32,
};

// A block of 32-bit pixels (blue, green, red, alpha) laid over existing memory: `rows` rows of
// width x 4 bytes each, handled in storage order.
struct PixelBlock {
    uint8_t* bits = nullptr;
    int32_t width = 0;
    int32_t rows = 0;
};

// Decides opaque (1), straight (6) or premultiplied (7) alpha; with `modify` brings the pixels to
// the premultiplied form. An `imageType` of -1 on entry skips the examination (opaque).
void ClassifyAlphaChannel(PixelBlock block, bool modify, bool& hasAlpha, int32_t& imageType);

// Red, green and blue weights of a grey scale formula (-1 sums the three colours).
void GrayscaleWeights(int32_t formula, float& red, float& green, float& blue);

// Bytes of a row of `width` pixels of `bits` bits each, made up to a multiple of 4.
int64_t AlignedRowBytes(int32_t bits, int32_t width);

// Unsigned 32-bit address plus a signed offset; 0 when the sum leaves the address space.
uint32_t AddressAdd(uint32_t address, int32_t offset);

// The four bytes of a 32-bit value in reverse order.
int32_t SwapLongBytes(int32_t value);

// Capability flags for a reported system version (platform 1 = the Windows 9x family).
int32_t CapabilityFlagsForVersion(uint32_t platformId, uint32_t major, uint32_t minor,
                                  uint32_t servicePackMajor);

}  // namespace imaging
