#include "controls/chrome/titlebar_buttons.h"

#include <cstdint>
#include <cstring>
#include <vector>

#include "runtime/dib.h"
#include "runtime/win.h"

namespace controls {

namespace {

// A small drawing board: colours and a transparency mask, pixel by pixel.
struct Board {
    int w, h;
    std::vector<COLORREF> color;
    std::vector<bool> clear;
    Board(int width, int height) : w(width), h(height), color(size_t(width * height), 0), clear(size_t(width * height), true) {}
    void Set(int x, int y, COLORREF c) {
        if (x < 0 || y < 0 || x >= w || y >= h) return;
        color[size_t(y * w + x)] = c;
        clear[size_t(y * w + x)] = false;
    }
    void Fill(int x1, int y1, int x2, int y2, COLORREF c) {
        for (int y = y1; y <= y2; ++y)
            for (int x = x1; x <= x2; ++x) Set(x, y, c);
    }
    void Clear(int x, int y) {
        if (x < 0 || y < 0 || x >= w || y >= h) return;
        color[size_t(y * w + x)] = 0;
        clear[size_t(y * w + x)] = true;
    }
    // The glyph of a button inside the box, two pixels thick.
    void Glyph(int which, int x1, int y1, int x2, int y2, COLORREF c) {
        if (which == 0) {
            Fill(x1, y2 - 1, x2, y2, c);
        } else if (which == 1) {
            Fill(x1, y1, x2, y1 + 1, c);
            Fill(x1, y1, x1, y2, c);
            Fill(x2, y1, x2, y2, c);
            Fill(x1, y2, x2, y2, c);
        } else {
            int n = y2 - y1;
            for (int i = 0; i <= n; ++i) {
                int x = x1 + i * (x2 - x1) / (n ? n : 1);
                Fill(x, y1 + i, x + 1, y1 + i, c);
                Fill(x2 - (x - x1) - 1, y1 + i, x2 - (x - x1), y1 + i, c);
            }
        }
    }

    rt::Picture ToIcon() const {
        const BITMAPINFO bi = rt::DibHeader(w, h, 32);
        void* bits = nullptr;
        rt::Bitmap colorBmp(CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
        if (!colorBmp || !bits) return {};
        auto* px = static_cast<uint32_t*>(bits);
        for (size_t i = 0; i < color.size(); ++i) {
            COLORREF c = clear[i] ? 0 : color[i];
            px[i] = (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);  // alpha 0: the mask decides
        }
        const int stride = ((w + 15) / 16) * 2;
        std::vector<uint8_t> mask(size_t(stride * h), 0);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                if (clear[size_t(y * w + x)]) mask[size_t(y * stride + x / 8)] |= uint8_t(0x80 >> (x % 8));
        rt::Bitmap maskBmp(CreateBitmap(w, h, 1, 1, mask.data()));
        if (!maskBmp) return {};
        ICONINFO ii{};
        ii.fIcon = TRUE;
        ii.hbmMask = maskBmp.get();
        ii.hbmColor = colorBmp.get();
        HICON icon = CreateIconIndirect(&ii);
        if (!icon) return {};
        return rt::Picture::FromIcon(icon, true);
    }
};

}  // namespace

rt::Picture MakeButtonPicture(int which, int iconStyle, int state) {
    if (iconStyle == 0) {
        Board b(16, 16);
        COLORREF c = state == 1 ? RGB(208, 32, 32) : state == 2 ? RGB(64, 64, 64) : RGB(192, 192, 192);
        // Outlined rounded rectangle.
        b.Fill(2, 0, 13, 0, c);
        b.Fill(2, 15, 13, 15, c);
        b.Fill(0, 2, 0, 13, c);
        b.Fill(15, 2, 15, 13, c);
        b.Set(1, 1, c);
        b.Set(14, 1, c);
        b.Set(1, 14, c);
        b.Set(14, 14, c);
        b.Glyph(which, 4, 4, 11, 11, c);
        return b.ToIcon();
    }
    const int w = iconStyle == 1 ? 26 : 20, h = iconStyle == 1 ? 18 : 14;
    Board b(w, h);
    COLORREF plate = RGB(92, 112, 150);  // slate blue
    if (state == 1) plate = which == 2 ? RGB(232, 84, 36) : RGB(40, 120, 250);
    auto shade = [](COLORREF c, int d) {
        auto ch = [d](int v) { return v + d < 0 ? 0 : v + d > 255 ? 255 : v + d; };
        return RGB(ch(GetRValue(c)), ch(GetGValue(c)), ch(GetBValue(c)));
    };
    b.Fill(0, 0, w - 1, h - 1, plate);
    b.Fill(0, 0, w - 1, 0, shade(plate, 60));
    b.Fill(0, 0, 0, h - 1, shade(plate, 60));
    b.Fill(0, h - 1, w - 1, h - 1, shade(plate, -60));
    b.Fill(w - 1, 0, w - 1, h - 1, shade(plate, -60));
    b.Clear(0, 0);
    b.Clear(w - 1, 0);
    b.Clear(0, h - 1);
    b.Clear(w - 1, h - 1);
    const int g = h / 2 - 3;  // glyph box half-size
    b.Glyph(which, w / 2 - g - 1, h / 2 - g - 1, w / 2 + g, h / 2 + g, RGB(255, 255, 255));
    return b.ToIcon();
}

}  // namespace controls
