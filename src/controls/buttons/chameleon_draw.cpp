#include "controls/buttons/chameleon_draw.h"

#include <algorithm>
#include <vector>

#include "runtime/dib.h"

namespace controls {

namespace {

// A 24-bit bottom-up section the composing pass reads and writes in place.
struct Section {
    rt::Bitmap bitmap;
    uint8_t* bits = nullptr;

    Section(HDC compatible, int w, int h) {
        const BITMAPINFO bi = rt::DibHeader(w, h, 24, true);
        void* p = nullptr;
        bitmap.reset(CreateDIBSection(compatible, &bi, DIB_RGB_COLORS, &p, nullptr, 0));
        bits = static_cast<uint8_t*>(p);
    }
};

// The part of dc that holds pixels: a memory DC's bitmap, otherwise its clipping box.
RECT SurfaceBounds(HDC dc) {
    RECT r{0, 0, 0, 0};
    if (GetObjectType(dc) == OBJ_MEMDC) {
        BITMAP bm{};
        if (GetObject(GetCurrentObject(dc, OBJ_BITMAP), sizeof bm, &bm)) r = {0, 0, bm.bmWidth, bm.bmHeight};
    } else {
        GetClipBox(dc, &r);
    }
    return r;
}

}  // namespace

void ChameleonMaskBlt(HDC dc, int x, int y, int w, int h, const rt::Picture& picture, const ChameleonBlend& how) {
    if (!dc || picture.Empty() || w == 0 || h == 0) return;
    const int pw = picture.PixelWidth(), ph = picture.PixelHeight();
    if (w < 0) w = pw;
    if (h < 0) h = ph;
    const bool isBitmap = picture.Type() == rt::vbPicTypeBitmap;
    if (isBitmap) {
        // A bitmap smaller than the box: what lies beyond it is left as it was.
        w = std::min(w, pw);
        h = std::min(h, ph);
    }
    // Only the part of the box on dc's surface is read and written back.
    const RECT s = SurfaceBounds(dc);
    const int left = std::max<int>(x, s.left), top = std::max<int>(y, s.top);
    const int right = std::min<int>(x + w, s.right), bottom = std::min<int>(y + h, s.bottom);
    if (right <= left || bottom <= top) return;
    const int cw = right - left, ch = bottom - top;

    rt::MemoryDC work(dc);
    if (!work) return;
    Section background(dc, cw, ch), source(dc, cw, ch);
    if (!background.bits || !source.bits) return;
    {
        rt::SelectGuard sel(work.get(), background.bitmap.get());
        BitBlt(work.get(), 0, 0, cw, ch, dc, left, top, SRCCOPY);
    }
    {
        rt::SelectGuard sel(work.get(), source.bitmap.get());
        if (isBitmap) {
            rt::MemoryDC pic(dc);
            rt::SelectGuard selPic(pic.get(), reinterpret_cast<HGDIOBJ>(picture.Handle()));
            BitBlt(work.get(), 0, 0, cw, ch, pic.get(), left - x, top - y, SRCCOPY);
        } else {
            // The box is filled with the value compared against, so an icon's surround drops out.
            const uint32_t m = how.mask;
            rt::Brush fill(CreateSolidBrush(m));
            RECT all{0, 0, cw, ch};
            FillRect(work.get(), &all, fill.get());
            DrawIconEx(work.get(), x - left, y - top, reinterpret_cast<HICON>(picture.Handle()), 0, 0, 0, nullptr,
                       DI_NORMAL);
        }
    }
    GdiFlush();
    ChameleonComposeRows(background.bits, source.bits, cw, ch, how);
    rt::SelectGuard sel(work.get(), background.bitmap.get());
    BitBlt(dc, left, top, cw, ch, work.get(), 0, 0, SRCCOPY);
}

rt::Region ChameleonMakeRegion(int buttonType, int w, int h) {
    if (buttonType == 13) return rt::Region(CreateEllipticRgn(0, 0, w, h));
    rt::Region r(CreateRectRgn(0, 0, w, h));
    for (ChameleonPixel p : ChameleonCutPixels(buttonType, w, h)) {
        rt::Region dot(CreateRectRgn(p.x, p.y, p.x + 1, p.y + 1));
        CombineRgn(r.get(), r.get(), dot.get(), RGN_DIFF);
    }
    return r;
}

}  // namespace controls
