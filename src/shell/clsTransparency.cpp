#include "shell/clsTransparency.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "runtime/dib.h"
#include "runtime/error.h"
#include "runtime/win.h"

namespace {

// One region from many rectangles, built in batches (the platform limits one call's data).
rt::Region RegionOf(const std::vector<RECT>& rects) {
    rt::Region result(CreateRectRgn(0, 0, 0, 0));
    if (!result) rt::Raise(rt::errOutOfMemory, "clsTransparency");
    constexpr size_t kBatch = 2000;
    for (size_t at = 0; at < rects.size(); at += kBatch) {
        const size_t n = std::min(kBatch, rects.size() - at);
        std::vector<uint8_t> data(sizeof(RGNDATAHEADER) + n * sizeof(RECT));
        auto* head = reinterpret_cast<RGNDATAHEADER*>(data.data());
        head->dwSize = sizeof(RGNDATAHEADER);
        head->iType = RDH_RECTANGLES;
        head->nCount = static_cast<DWORD>(n);
        head->nRgnSize = static_cast<DWORD>(n * sizeof(RECT));
        RECT bounds{LONG_MAX, LONG_MAX, LONG_MIN, LONG_MIN};
        for (size_t i = 0; i < n; ++i) {
            const RECT& r = rects[at + i];
            bounds.left = std::min(bounds.left, r.left);
            bounds.top = std::min(bounds.top, r.top);
            bounds.right = std::max(bounds.right, r.right);
            bounds.bottom = std::max(bounds.bottom, r.bottom);
        }
        head->rcBound = bounds;
        std::copy(rects.begin() + static_cast<std::ptrdiff_t>(at),
                  rects.begin() + static_cast<std::ptrdiff_t>(at + n),
                  reinterpret_cast<RECT*>(data.data() + sizeof(RGNDATAHEADER)));
        rt::Region part(ExtCreateRegion(nullptr, static_cast<DWORD>(data.size()),
                                        reinterpret_cast<const RGNDATA*>(data.data())));
        if (!part) rt::Raise(rt::errOutOfMemory, "clsTransparency");
        CombineRgn(result.get(), result.get(), part.get(), RGN_OR);
    }
    return result;
}

}  // namespace

void clsTransparency::DoTransparency(rt::Form& frm, COLORREF transColor) {
    const int w = rt::RoundEven(frm.Width() / rt::TwipsPerPixelX());
    const int h = rt::RoundEven(frm.Height() / rt::TwipsPerPixelY());
    // The persistent image holds the window's own background: its colour and picture, without
    // the page's objects.
    frm.AutoRedraw(true);
    HDC dc = frm.hDC();
    if (!dc) rt::Raise(rt::errInvalidProcedureCall, "clsTransparency");

    // The whole image is read at once; a pixel outside it counts as one that differs.
    auto* bitmap = static_cast<HBITMAP>(GetCurrentObject(dc, OBJ_BITMAP));
    BITMAP info{};
    if (!bitmap || !GetObjectA(bitmap, sizeof info, &info))
        rt::Raise(rt::errInvalidProcedureCall, "clsTransparency");
    const int bw = info.bmWidth, bh = info.bmHeight;
    std::vector<uint32_t> pixels(static_cast<size_t>(bw) * static_cast<size_t>(std::max(bh, 0)));
    BITMAPINFO bi = rt::DibHeader(bw, bh, 32);  // top-down
    // The bitmap is selected into the DC; GetDIBits reads it there all the same.
    if (bh > 0 && GetDIBits(dc, bitmap, 0, static_cast<UINT>(bh), pixels.data(), &bi, DIB_RGB_COLORS) == 0)
        rt::Raise(rt::errInvalidProcedureCall, "clsTransparency");
    auto differs = [&](int x, int y) {
        if (x >= bw || y >= bh) return true;
        const uint32_t p = pixels[static_cast<size_t>(y) * static_cast<size_t>(bw) + static_cast<size_t>(x)];
        const COLORREF c = RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
        return c != (transColor & 0xFFFFFF);
    };

    // Vertical runs of differing pixels, column by column; column 0 and row 0 belong to the
    // window like any other.
    std::vector<RECT> runs;
    for (int x = 0; x < w; ++x) {
        for (int y = 0; y < h; ++y) {
            if (!differs(x, y)) continue;
            const int y0 = y;
            while (y + 1 < h && differs(x, y + 1)) ++y;
            runs.push_back(RECT{x, y0, x + 1, y + 1});
        }
    }
    rt::Region region = RegionOf(runs);
    // From here on the window owns the region.
    if (SetWindowRgn(frm.hWnd(), region.get(), TRUE)) region.release();
}
