#include "controls/buttons/chameleon_colors.h"

#include <algorithm>
#include <cmath>
#include <cwctype>

namespace controls {

namespace {

uint32_t Pack(int r, int g, int b) {
    return static_cast<uint32_t>(r) + 256u * static_cast<uint32_t>(g) + 65536u * static_cast<uint32_t>(b);
}

}  // namespace

uint32_t ChameleonShiftColor(uint32_t c, int32_t n, bool blueWeighted, bool softBevel) {
    if (softBevel) n /= 2;
    int64_t r = c & 255, g = (c / 256) & 255, b = (c / 65536) & 255;
    b = blueWeighted ? b + (b * n) / 192 : b + n;
    g += n;
    r += n;
    auto limit = [n](int64_t v) -> int {
        if (n > 0) v = std::min<int64_t>(v, 255);
        if (n < 0) v = std::max<int64_t>(v, 0);
        return static_cast<int>(v);
    };
    // A zero shift leaves the channels as they were, so no limit applies.
    return Pack(limit(r), limit(g), limit(b));
}

uint32_t ChameleonLightenColor(uint32_t c, int f) {
    auto ch = [f](uint32_t v) { return std::min(255, f + (255 - f) * static_cast<int>(v & 255) / 255); };
    return Pack(ch(c), ch(c / 256), ch(c / 65536));
}

ChameleonColors ChameleonSchemeColors(const ChameleonSchemeInput& in, const ChameleonSystemColors& sys) {
    ChameleonColors k;
    auto s = [&](uint32_t c, int n) { return ChameleonShiftColor(c, n, false, in.softBevel); };
    auto derive = [&] {
        k.shadow = s(k.face, -64);
        k.light = s(k.face, 31);
        k.highlight = s(k.face, 47);
        k.dark = s(k.face, -192);
    };
    switch (in.scheme) {
    case 2:
        k.face = in.back;
        k.caption = in.fore;
        k.hoverCaption = in.foreOver;
        derive();
        k.accent = s(k.face, -128);
        k.tint = k.face;
        break;
    case 3:
        k.face = 0xC0C0C0;
        k.caption = k.hoverCaption = 0;
        k.shadow = 0x808080;
        k.light = 0xDFDFDF;
        k.highlight = 0xFFFFFF;
        k.dark = 0;
        k.accent = 0x800000;
        k.tint = 0xD1ADAD;
        break;
    case 4:
        k.face = in.back;
        k.caption = k.hoverCaption = in.fore;
        derive();
        k.accent = sys.selection;
        k.tint = ChameleonLightenColor(k.accent, 176);
        break;
    default:
        k.face = sys.face;
        k.caption = k.hoverCaption = sys.text;
        k.shadow = sys.shadow;
        k.light = sys.light;
        k.highlight = sys.highlight;
        k.dark = sys.dark;
        k.accent = sys.selection;
        k.tint = ChameleonLightenColor(k.accent, 176);
        break;
    }
    k.mask = in.mask;
    k.tinted = ChameleonShiftColor(k.face, 48, in.buttonType == 3, in.softBevel);
    return k;
}

void ChameleonComposeRows(uint8_t* background, const uint8_t* picture, int w, int h, const ChameleonBlend& how) {
    const int stride = ChameleonRowBytes(w);
    for (int row = 0; row < h; ++row) {
        uint8_t* d = background + static_cast<size_t>(row) * stride;
        const uint8_t* p = picture + static_cast<size_t>(row) * stride;
        for (int col = 0; col < w; ++col, d += 3, p += 3) {
            const int b = p[0], g = p[1], r = p[2];
            if (how.useMask && Pack(r, g, b) == how.mask) continue;
            if (how.paint >= 0) {
                if (how.darkOnly && r + g + b > 384) continue;
                const auto c = static_cast<uint32_t>(how.paint);
                d[0] = static_cast<uint8_t>(c >> 16);
                d[1] = static_cast<uint8_t>(c >> 8);
                d[2] = static_cast<uint8_t>(c);
            } else if (how.grey) {
                // The default rounding mode rounds halves to even.
                const double v = std::nearbyint(std::nearbyint(0.3 * r) + 0.59 * g + 0.11 * b);
                const auto y = static_cast<uint8_t>(std::clamp(v, 0.0, 255.0));
                d[0] = d[1] = d[2] = y;
            } else if (how.blend) {
                d[0] = static_cast<uint8_t>((2 * b + d[0]) / 3);
                d[1] = static_cast<uint8_t>((2 * g + d[1]) / 3);
                d[2] = static_cast<uint8_t>((2 * r + d[2]) / 3);
            } else {
                d[0] = static_cast<uint8_t>(b);
                d[1] = static_cast<uint8_t>(g);
                d[2] = static_cast<uint8_t>(r);
            }
        }
    }
}

int ChameleonFocusInset(int buttonType) {
    if (buttonType >= 7 && buttonType <= 13) return 3;
    if (buttonType == 14) return 5;
    return 4;
}

std::vector<ChameleonPixel> ChameleonCutPixels(int t, int w, int h) {
    switch (t) {
    case 1:
    case 14:
        return {{0, 0}, {w - 1, 0}, {0, h - 1}, {w - 1, h - 1}};
    case 5:
        return {{0, h - 1}, {w - 1, 0}};
    case 3:
    case 4:
        return {{0, 0},         {1, 0},         {0, 1},         {w - 2, 0},     {w - 1, 0},     {w - 1, 1},
                {0, h - 1},     {1, h - 1},     {0, h - 2},     {w - 2, h - 1}, {w - 1, h - 1}, {w - 1, h - 2}};
    default:
        return {};
    }
}

wchar_t ChameleonAccessKey(const std::wstring& caption) {
    if (caption.size() < 2) return 0;
    size_t i = caption.find(L'&');
    if (i == std::wstring::npos || i + 1 >= caption.size()) return 0;
    if (caption[i + 1] != L'&') return static_cast<wchar_t>(std::towlower(caption[i + 1]));
    i = caption.find(L'&', i + 2);
    if (i == std::wstring::npos || i + 1 >= caption.size() || caption[i + 1] == L'&') return 0;
    return static_cast<wchar_t>(std::towlower(caption[i + 1]));
}

}  // namespace controls
