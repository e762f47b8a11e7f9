#include "controls/chrome/shadow_pixels.h"

namespace controls::shadow {

uint8_t RightStripAlpha(int32_t w, int32_t h, int32_t r, int32_t c) {
    int64_t base;
    if (r < w)
        base = int64_t{r} * 255 / w;
    else if (r < h - w)
        base = 255;
    else
        base = int64_t{h - r} * 255 / w;
    return static_cast<uint8_t>(int64_t{w - c} * base / w);
}

uint8_t BottomStripAlpha(int32_t /*w*/, int32_t h, int32_t r, int32_t c) {
    int64_t base = c < h ? int64_t{c} * 255 / h : 255;
    return static_cast<uint8_t>(base * r / h);
}

uint32_t ShadowPixel(int32_t color, uint8_t alpha) {
    // channel * alpha / 255 to the nearest integer; 255 is odd, so there is never a tie to break
    auto scale = [alpha](uint32_t channel) { return (channel * alpha + 127) / 255; };
    uint32_t c = static_cast<uint32_t>(color);
    uint32_t red = scale(c & 0xFF), green = scale((c >> 8) & 0xFF), blue = scale((c >> 16) & 0xFF);
    return blue | green << 8 | red << 16 | uint32_t{alpha} << 24;
}

void FillStrip(uint32_t* bits, ShadowStrip strip, int32_t w, int32_t h, int32_t color, bool luna) {
    if (bits == nullptr || w <= 0 || h <= 0) return;
    for (int32_t r = 0; r < h; ++r) {
        uint32_t* row = bits + static_cast<int64_t>(r) * w;
        for (int32_t c = 0; c < w; ++c) {
            uint8_t alpha =
                strip == ShadowStrip::Right ? RightStripAlpha(w, h, r, c) : BottomStripAlpha(w, h, r, c);
            row[c] = ShadowPixel(color, alpha);
        }
    }
    if (luna && strip == ShadowStrip::Right) {
        // the rounded top-right corner of that visual style
        static constexpr int32_t cut[] = {5, 3, 2, 1, 1};
        for (int32_t i = 0; i < 5; ++i) {
            int32_t r = h - 1 - i;
            if (r < 0) break;
            for (int32_t k = 0; k < cut[i] && k < w; ++k) bits[static_cast<int64_t>(r) * w + (w - 1 - k)] = 0;
        }
    }
}

}  // namespace controls::shadow
