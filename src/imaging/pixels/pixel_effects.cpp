#include "imaging/pixels/pixel_effects.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace imaging {

namespace {

inline uint32_t Load(const uint8_t* p) {
    uint32_t v;
    std::memcpy(&v, p, 4);
    return v;
}
inline void Store(uint8_t* p, uint32_t v) {
    std::memcpy(p, &v, 4);
}

size_t PixelCount(const ImageView& image) {
    return static_cast<size_t>(image.width) * static_cast<size_t>(image.height);
}

}  // namespace

void InvertPixels(const ImageView& image) {
    if (image.empty()) return;
    uint8_t* p = image.bits;
    for (size_t i = PixelCount(image); i > 0; --i, p += 4) {
        const uint8_t a = p[3];
        if (a == 0) continue;
        for (int c = 0; c < 3; ++c)
            if (p[c] <= a) p[c] = static_cast<uint8_t>(a - p[c]);
    }
}

uint32_t ColourKey(int32_t colour) {
    const uint32_t c = static_cast<uint32_t>(colour);
    const uint32_t red = c & 0xFFu, green = (c >> 8) & 0xFFu, blue = (c >> 16) & 0xFFu;
    return 0xFF000000u | red << 16 | green << 8 | blue;
}

bool KeyColourToTransparent(const ImageView& image, int32_t colour) {
    if (image.empty()) return false;
    const uint32_t key = ColourKey(colour);
    bool changed = false;
    uint8_t* p = image.bits;
    for (size_t i = PixelCount(image); i > 0; --i, p += 4)
        if (Load(p) == key) {
            Store(p, 0);
            changed = true;
        }
    return changed;
}

void TransparentToKeyColour(const ImageView& image, int32_t colour) {
    if (image.empty()) return;
    const uint32_t key = ColourKey(colour);
    uint8_t* p = image.bits;
    for (size_t i = PixelCount(image); i > 0; --i, p += 4)
        if (Load(p) == 0) Store(p, key);
}

int32_t ShadowBlurDepth(int32_t blurDepth) {
    return std::clamp(blurDepth, 0, 10);
}

void BlurShadow(const ImageView& source, const ImageView& shadow, int32_t blurDepth, int32_t colour) {
    if (source.empty() || shadow.empty()) return;
    const int32_t a = 2 * ShadowBlurDepth(blurDepth);
    const int32_t box = a + 1;
    const int32_t area = box * box;
    const uint32_t c = static_cast<uint32_t>(colour);
    const uint32_t red = c & 0xFFu, green = (c >> 8) & 0xFFu, blue = (c >> 16) & 0xFFu;
    const int32_t w = std::min(source.width, shadow.width - a);
    const int32_t h = source.height;
    const size_t srcStride = static_cast<size_t>(source.width) * 4;

    // Per shadow row: the column sums of the box's rows go round a ring of box sums, and a running
    // total over the ring gives each pixel's sum.
    std::vector<int32_t> ring(static_cast<size_t>(box));
    for (int32_t Y = 0; Y < shadow.height; ++Y) {
        std::fill(ring.begin(), ring.end(), 0);
        int32_t total = 0;
        const int32_t firstRow = std::max(0, Y - a), lastRow = std::min(h - 1, Y);
        uint8_t* out = shadow.RowFromTop(Y);
        for (int32_t X = 0; X < shadow.width; ++X, out += 4) {
            int32_t column = 0;
            if (X < w && firstRow <= lastRow) {
                const uint8_t* p = source.RowFromTop(firstRow) + static_cast<size_t>(X) * 4 + 3;
                for (int32_t r = firstRow; r <= lastRow; ++r, p -= srcStride) column += *p;
            }
            int32_t& slot = ring[static_cast<size_t>(X % box)];
            total += column - slot;
            slot = column;
            const uint32_t alpha = static_cast<uint32_t>(total / area);
            if (alpha == 0) {
                Store(out, 0);
            } else if (alpha == 255) {
                Store(out, 0xFF000000u | red << 16 | green << 8 | blue);
            } else {
                out[0] = static_cast<uint8_t>(blue * alpha / 255);
                out[1] = static_cast<uint8_t>(green * alpha / 255);
                out[2] = static_cast<uint8_t>(red * alpha / 255);
                out[3] = static_cast<uint8_t>(alpha);
            }
        }
    }
}

}  // namespace imaging
