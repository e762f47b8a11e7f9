#include "imaging/pixels/image_math.h"

#include <cstddef>

namespace imaging {

void ClassifyAlphaChannel(PixelBlock block, bool modify, bool& hasAlpha, int32_t& imageType) {
    const int64_t pixels = static_cast<int64_t>(block.width) * block.rows;
    const size_t rowBytes = static_cast<size_t>(block.width) * 4;
    int32_t code = imgBitmap;
    if (imageType != imgNone && block.bits && pixels > 0) {
        enum { Undecided, ColouredTransparent, Straight } state = Undecided;
        int64_t transparent = 0, opaque = 0;
        bool complete = true;
        for (int32_t y = 0; y < block.rows && complete; ++y) {
            const uint8_t* p = block.bits + rowBytes * y;
            for (int32_t x = 0; x < block.width; ++x, p += 4) {
                const uint8_t a = p[3];
                if (a == 0) {
                    ++transparent;
                    if (state == Undecided && (p[2] | p[1] | p[0]) != 0) state = ColouredTransparent;
                } else if (a == 255) {
                    if (state == ColouredTransparent) {
                        state = Straight;
                        complete = false;
                        break;
                    }
                    ++opaque;
                } else if (state == ColouredTransparent || p[0] > a || p[1] > a || p[2] > a) {
                    state = Straight;
                    complete = false;
                    break;
                }
            }
        }
        if (complete && (transparent == pixels || opaque == pixels))
            code = imgBitmap;
        else if (state != Undecided)
            code = imgStraightAlpha;
        else
            code = imgPremultipliedAlpha;
    }

    if (modify && block.bits && code != imgPremultipliedAlpha) {
        for (int32_t y = 0; y < block.rows; ++y) {
            uint8_t* p = block.bits + rowBytes * y;
            for (int32_t x = 0; x < block.width; ++x, p += 4) {
                if (code == imgBitmap) {
                    p[3] = 255;
                } else if (p[3] == 0) {
                    p[0] = p[1] = p[2] = 0;
                } else if (p[3] != 255) {
                    const unsigned a = p[3];
                    p[0] = static_cast<uint8_t>(p[0] * a / 255);
                    p[1] = static_cast<uint8_t>(p[1] * a / 255);
                    p[2] = static_cast<uint8_t>(p[2] * a / 255);
                }
            }
        }
    }
    hasAlpha = code != imgBitmap;
    imageType = code;
}

void GrayscaleWeights(int32_t formula, float& red, float& green, float& blue) {
    switch (formula) {
        case -1: red = 1.0f, green = 1.0f, blue = 1.0f; break;
        case 1: red = 0.213f, green = 0.715f, blue = 0.072f; break;
        case 2: red = 0.333f, green = 0.334f, blue = 0.333f; break;
        case 3: red = 0.8f, green = 0.1f, blue = 0.1f; break;
        case 4: red = 0.1f, green = 0.8f, blue = 0.1f; break;
        case 5: red = 0.1f, green = 0.1f, blue = 0.8f; break;
        case 6: red = 0.45f, green = 0.45f, blue = 0.1f; break;
        case 7: red = 0.1f, green = 0.45f, blue = 0.45f; break;
        default: red = 0.299f, green = 0.587f, blue = 0.114f; break;
    }
}

int64_t AlignedRowBytes(int32_t bits, int32_t width) {
    const int64_t total = static_cast<int64_t>(bits) * width + 31;
    return (total & ~static_cast<int64_t>(31)) / 8;
}

uint32_t AddressAdd(uint32_t address, int32_t offset) {
    const int64_t sum = static_cast<int64_t>(address) + offset;
    if (sum < 0 || sum > static_cast<int64_t>(UINT32_MAX)) return 0;
    return static_cast<uint32_t>(sum);
}

int32_t SwapLongBytes(int32_t value) {
    const uint32_t v = static_cast<uint32_t>(value);
    return static_cast<int32_t>((v >> 24) | ((v >> 8) & 0xFF00u) | ((v << 8) & 0xFF0000u) | (v << 24));
}

int32_t CapabilityFlagsForVersion(uint32_t platformId, uint32_t major, uint32_t minor,
                                  uint32_t servicePackMajor) {
    if (platformId == 1) return minor != 0 ? capAlphaBlendPresent | capWin9x : capNoGdiPlus;
    if (major > 4) return capAlphaBlendUsable | capAlphaBlendPresent;
    if (servicePackMajor < 6) return capNoGdiPlus;
    return 0;
}

}  // namespace imaging
