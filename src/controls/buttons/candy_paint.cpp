// The glossy button's painting: the redraw, the rounded window region, the two classic looks,
// the gloss looks with their glow, the pearl look, and the caption with the picture. Everything
// is drawn into the surface's persistent image, which the window is then refreshed from.
#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

#include "controls/buttons/CandyButton.h"
#include "runtime/win.h"
#include "controls/buttons/candy_math.h"
#include "runtime/dib.h"
#include "controls/common/paint.h"

namespace controls {

namespace {

constexpr uint32_t kWhite = 0xFFFFFF;

constexpr uint32_t Rgb(int r, int g, int b) {
    return static_cast<uint32_t>(r) | (static_cast<uint32_t>(g) << 8) | (static_cast<uint32_t>(b) << 16);
}

int Round(double v) {
    return static_cast<int>(std::nearbyint(v));
}

// The surface's drawing operations in the classic looks' terms.
struct Drawing {
    HDC dc;
    void Pixel(int x, int y, uint32_t c) const { SetPixelV(dc, x, y, c); }
    // A line without its end point.
    void Line(int x1, int y1, int x2, int y2, uint32_t c) const { SolidLine(dc, x1, y1, x2, y2, c); }
    // A filled box between two corners, both included.
    void Box(int x1, int y1, int x2, int y2, uint32_t c) const {
        SolidFill(dc, RECT{std::min(x1, x2), std::min(y1, y2), std::max(x1, x2) + 1, std::max(y1, y2) + 1}, c);
    }
    // Corner pixels A, corner diagonals B, straight edges C; W and H are the last column and row.
    void Border(int W, int H, uint32_t A, uint32_t B, uint32_t C) const {
        Pixel(1, 0, A), Pixel(0, 1, A);
        Line(0, 2, 2, 0, B), Line(2, 0, W - 2, 0, C);
        Pixel(W - 1, 0, A), Pixel(W, 1, A);
        Line(W - 2, 0, W, 2, B), Line(W, 2, W, H - 2, C);
        Pixel(W, H - 1, A), Pixel(W - 1, H, A);
        Line(W, H - 2, W - 2, H, B), Line(W - 2, H, 2, H, C);
        Pixel(1, H, A), Pixel(0, H - 1, A);
        Line(2, H, 0, H - 2, B), Line(0, H - 2, 0, 2, C);
    }
};

// One gradient run of full-width lines from (x1, row) to (x2, row).
struct Run {
    int from, to;     // i
    int rowOffset;    // row = rowOffset + i
    double den;       // t = i / den
    uint32_t S, E;
};

void DrawRun(const Drawing& s, const Run& run, int x1, int x2) {
    for (int i = run.from; i <= run.to; ++i)
        s.Line(x1, run.rowOffset + i, x2, run.rowOffset + i, CandyRunColor(run.S, run.E, i, run.den));
}

// A copy of the surface's pixels for the looks painted pixel by pixel: single pixels and rows go
// into memory, and the whole copy goes back to the surface in one operation.
class PixelScratch {
public:
    PixelScratch(HDC target, int w, int h) : target_(target), w_(std::max(w, 1)), h_(std::max(h, 1)), dc_(target) {
        const BITMAPINFO info = rt::DibHeader(w_, h_, 32);
        void* bits = nullptr;
        bitmap_.reset(CreateDIBSection(target, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        bits_ = static_cast<uint32_t*>(bits);
        if (bitmap_) {
            old_ = SelectObject(dc_.get(), bitmap_.get());
            BitBlt(dc_.get(), 0, 0, w_, h_, target_, 0, 0, SRCCOPY);
            GdiFlush();
        }
    }
    PixelScratch(const PixelScratch&) = delete;
    PixelScratch& operator=(const PixelScratch&) = delete;
    ~PixelScratch() {
        if (old_) SelectObject(dc_.get(), old_);
    }
    bool Ready() const noexcept { return bits_ != nullptr; }
    void Set(int x, int y, uint32_t rgb) {
        if (x >= 0 && x < w_ && y >= 0 && y < h_) bits_[static_cast<size_t>(y) * static_cast<size_t>(w_) + static_cast<size_t>(x)] = Dib(rgb);
    }
    // Columns x1 up to x2, x2 excluded.
    void Row(int x1, int x2, int y, uint32_t rgb) {
        if (y < 0 || y >= h_) return;
        const uint32_t v = Dib(rgb);
        for (int x = std::max(x1, 0); x < std::min(x2, w_); ++x)
            bits_[static_cast<size_t>(y) * static_cast<size_t>(w_) + static_cast<size_t>(x)] = v;
    }
    void Commit() {
        GdiFlush();
        BitBlt(target_, 0, 0, w_, h_, dc_.get(), 0, 0, SRCCOPY);
    }

private:
    static uint32_t Dib(uint32_t rgb) {
        return ((rgb & 0xFF) << 16) | (rgb & 0xFF00) | ((rgb >> 16) & 0xFF);
    }
    HDC target_;
    int w_, h_;
    rt::MemoryDC dc_;
    rt::Bitmap bitmap_;
    uint32_t* bits_ = nullptr;
    HGDIOBJ old_ = nullptr;
};

// The pixels of a region within w x h, one byte each (1 inside).
std::vector<uint8_t> CandyRegionMask(HRGN region, int w, int h) {
    std::vector<uint8_t> mask(static_cast<size_t>(std::max(w, 0)) * static_cast<size_t>(std::max(h, 0)), 0);
    if (!region || mask.empty()) return mask;
    const DWORD size = GetRegionData(region, 0, nullptr);
    if (size == 0) return mask;
    std::vector<uint8_t> buffer(size);
    auto* data = reinterpret_cast<RGNDATA*>(buffer.data());
    if (GetRegionData(region, size, data) == 0) return mask;
    const RECT* rects = reinterpret_cast<const RECT*>(data->Buffer);
    for (DWORD i = 0; i < data->rdh.nCount; ++i) {
        const RECT& r = rects[i];
        for (int y = std::max<int>(r.top, 0); y < std::min<int>(r.bottom, h); ++y)
            for (int x = std::max<int>(r.left, 0); x < std::min<int>(r.right, w); ++x)
                mask[static_cast<size_t>(y) * static_cast<size_t>(w) + static_cast<size_t>(x)] = 1;
    }
    return mask;
}

}  // namespace

// ---- Redraw

void CandyButton::CandyRedraw(int32_t state) {
    if (settings_.Checked) state = CheckedLook;
    if (!m_Ready) return;
    Surface().SetPicture(rt::Picture());
    switch (settings_.Style) {
        case 0:
            CandyPaintStyle0(state);
            break;
        case 1:
            CandyPaintStyle1(state);
            break;
        case 2:
        case 3:
        case 4:
        case 5:
        case 7:
            CandyGlossShape(state);
            break;
        case 6:
            CandyPaintStyle6(state);
            break;
        default:
            break;  // no body
    }
    DrawIconWCaption(state);
}

// ---- Region

rt::Region CandyButton::CandyBuildRegion(int X, int Y, int W, int H, int R) {
    m_CornerRadius = R < 1 ? 1 : R;
    rt::Region region(CreateRectRgn(0, 0, X + W, Y + H));
    if (!region) return region;
    CandyCarveRegion(X, Y, W, H, m_CornerRadius, [&](int l, int t, int r, int b) {
        rt::Region piece(CreateRectRgn(l, t, r, b));
        if (piece) CombineRgn(region.get(), region.get(), piece.get(), RGN_XOR);
    });
    return region;
}

void CandyButton::CandyApplyRegion() {
    HWND wnd = hWnd();
    if (!wnd) return;
    const double SW = ScaleWidth(), SH = ScaleHeight();
    const int w = Round(SW), h = Round(SH);
    // The regions are the same as long as the look and the size are: a paint does not carve
    // them again, and setting the window's region again would only ask for another paint.
    if (regionStyle_ == settings_.Style && regionW_ == w && regionH_ == h) return;
    regionStyle_ = settings_.Style, regionW_ = w, regionH_ = h;
    m_InnerRegion.reset();
    innerMask_.clear();
    maskW_ = maskH_ = 0;
    if (settings_.Style >= 2 && settings_.Style <= 7) {
        const int R = CandyRegionRadius(settings_.Style, SW, SH);
        rt::Region outer = CandyBuildRegion(0, 0, w, h, R);
        if (outer && SetWindowRgn(wnd, outer.get(), TRUE)) outer.release();  // the window owns it now
        m_InnerRegion = CandyBuildRegion(1, 1, Round(SW - 2), Round(SH - 2), R);
        // The painters ask for every pixel whether it lies inside: one look-up table per region.
        innerMask_ = CandyRegionMask(m_InnerRegion.get(), w + 1, h + 1);
        maskW_ = w + 1, maskH_ = h + 1;
    } else {
        SetWindowRgn(wnd, nullptr, TRUE);
    }
}

// ---- Classic looks

void CandyButton::CandyPaintStyle0(int32_t state) {
    const Drawing s{hDC()};
    const int W = Round(ScaleWidth() - 1), H = Round(ScaleHeight() - 1);
    s.Box(0, 0, W, H, rt::ToColorRef(Ambient().BackColor));
    if (state == Down) {
        DrawRun(s, Run{0, 3, 1, 3, Rgb(209, 204, 193), Rgb(229, 228, 221)}, 0, W);
        DrawRun(s, Run{4, H - 4, 0, static_cast<double>(H - 6), Rgb(229, 228, 221), Rgb(226, 226, 218)}, 0, W);
        DrawRun(s, Run{0, 4, H - 4, 3, Rgb(226, 226, 218), Rgb(242, 241, 238)}, 0, W);
    } else {
        const uint32_t S = Rgb(236, 235, 230), E = Rgb(214, 208, 197);
        DrawRun(s, Run{0, H - 3, 0, static_cast<double>(H - 3), S, E}, 1, W);
        DrawRun(s, Run{0, 3, H - 4, 3, S, E}, 0, W);
    }
    auto ring = [&](uint32_t row1, uint32_t row2, uint32_t end, uint32_t last) {
        s.Line(0, 1, W, 1, row1);
        s.Line(0, 2, W, 2, row2);
        for (int i = 3; i <= H - 3; ++i) {
            const uint32_t c = CandyRunColor(row2, end, i, H);
            s.Line(0, i, 3, i, c);
            s.Line(W - 2, i, W, i, c);
        }
        s.Line(0, H - 2, W, H - 2, end);
        s.Line(0, H - 1, W, H - 1, last);
    };
    if (state == Focus)
        ring(Rgb(206, 231, 255), Rgb(188, 212, 246), Rgb(137, 173, 228), Rgb(105, 130, 238));
    else if (state == Hover)
        ring(Rgb(255, 240, 202), Rgb(253, 216, 137), Rgb(248, 178, 48), Rgb(229, 151, 0));
    s.Border(W, H, Rgb(122, 149, 168), Rgb(37, 87, 131), Rgb(0, 60, 116));
}

void CandyButton::CandyPaintStyle1(int32_t state) {
    const Drawing s{hDC()};
    const int W = Round(ScaleWidth() - 1), H = Round(ScaleHeight() - 1);
    s.Box(0, 0, W, H, rt::ToColorRef(Ambient().BackColor));
    auto runs = [&](uint32_t a, uint32_t b, uint32_t c, uint32_t d) {
        DrawRun(s, Run{0, 3, 1, 3, a, b}, 0, W);
        DrawRun(s, Run{4, H - 4, 0, static_cast<double>(H - 6), b, c}, 0, W);
        DrawRun(s, Run{0, 3, H - 4, 3, c, d}, 0, W);
    };
    if (state == Down) {
        runs(Rgb(220, 218, 209), Rgb(231, 230, 224), Rgb(225, 224, 216), Rgb(235, 234, 229));
        s.Border(W, H, Rgb(215, 215, 204), Rgb(179, 179, 168), Rgb(157, 157, 146));
    } else if (state == Hover) {
        runs(Rgb(254, 254, 253), Rgb(252, 252, 249), Rgb(238, 237, 229), Rgb(215, 210, 198));
        s.Border(W, H, Rgb(232, 232, 221), Rgb(216, 216, 205), Rgb(206, 206, 195));
    } else if (state == CheckedLook) {
        s.Box(1, 1, W - 1, H - 1, kWhite);
        s.Border(W, H, Rgb(203, 213, 214), Rgb(152, 175, 190), Rgb(122, 152, 175));
    }
}

// ---- Gloss and pearl looks

bool CandyButton::InInnerRegion(int x, int y) const {
    return x >= 0 && y >= 0 && x < maskW_ && y < maskH_ &&
           innerMask_[static_cast<size_t>(y) * static_cast<size_t>(maskW_) + static_cast<size_t>(x)] != 0;
}

uint32_t CandyButton::BodyColor(int32_t state, bool& paints) const {
    paints = true;
    switch (state) {
        case Normal:
        case Focus:
            return settings_.ColorButtonUp;
        case Hover:
            return settings_.ColorButtonHover;
        case Down:
        case CheckedLook:
            return settings_.ColorButtonDown;
        default:
            paints = false;
            return 0;
    }
}

void CandyButton::CandyGlossShape(int32_t state) {
    bool paints = false;
    uint32_t C = BodyColor(state, paints);
    if (!paints) return;
    const double SW = ScaleWidth(), SH = ScaleHeight();
    if (m_CornerRadius < 1) m_CornerRadius = 1;
    CandyGlossParams p;
    if (!controls::CandyGlossShape(settings_.Style, m_CornerRadius, SW, SH, p)) return;

    // CandyPaintGloss
    const HDC dc = hDC();
    const Drawing s{dc};
    const int W = Round(SW), H = Round(SH);
    uint32_t G = rt::ToColorRef(settings_.ColorBright);
    C = rt::ToColorRef(C);
    if (!settings_.Enabled) C = 0xB0C0C0, G = kWhite;
    const uint32_t border = settings_.BorderBrightness >= 0
                                ? CandyBlend(C, kWhite, settings_.BorderBrightness)
                                : CandyBlendBy(C, 0, -settings_.BorderBrightness);
    rt::Region gloss(CreateRoundRectRgn(p.P[2], p.P[3], p.P[6], p.P[5], 2 * p.P[4], 2 * p.P[4]));
    s.Box(0, 0, W - 1, H - 1, C);

    // CandyPaintGlow: shrinking ellipses from the body colour toward the gloss colour. A glow
    // without half width or half height has nothing to shrink toward.
    const CandyGlowBox glow = CandyGlowSize(W, H, p);
    if (glow.cx != 0 && glow.cy != 0) {
        RECT box{p.P[9] - glow.cx, p.P[10] - glow.cy, p.P[9] + glow.cx, p.P[10] + glow.cy};
        double stepX = 1, stepY = 1;
        if (glow.cx > glow.cy)
            stepX = static_cast<double>(glow.cx) / glow.cy;
        else
            stepY = static_cast<double>(glow.cy) / glow.cx;
        rt::Brush brush(CreateSolidBrush(C));
        HGDIOBJ oldBrush = SelectObject(dc, brush.get());
        HGDIOBJ oldPen = SelectObject(dc, GetStockObject(NULL_PEN));
        for (int i = 1; !IsRectEmpty(&box);) {
            Ellipse(dc, box.left, box.top, box.right, box.bottom);
            InflateRect(&box, -Round(stepX), -Round(stepY));
            ++i;
            rt::Brush next(CreateSolidBrush(CandyBlendBy(C, G, Round(p.P[11] * static_cast<double>(i) / glow.cy))));
            SelectObject(dc, next.get());
            brush = std::move(next);
        }
        SelectObject(dc, oldPen);
        SelectObject(dc, oldBrush);
    }

    // The border ring outside the inner region, and the gloss band: one line per row where the
    // row first enters the gloss region. Pixel work goes through a copy of the surface.
    const std::vector<uint8_t> glossMask = CandyRegionMask(gloss.get(), W + 1, H + 1);
    auto inGloss = [&](int x, int y) {
        return x >= 0 && y >= 0 && x <= W && y <= H &&
               glossMask[static_cast<size_t>(y) * static_cast<size_t>(W + 1) + static_cast<size_t>(x)] != 0;
    };
    PixelScratch px(dc, W, H);
    if (!px.Ready()) return;
    for (int y = 0; y <= H; ++y) {
        for (int x = 0; x <= W / 2; ++x) {
            if (!InInnerRegion(x, y)) {
                px.Set(x, y, border);
                px.Set(W - x, y, border);
            } else if (inGloss(x, y)) {
                const int32_t pct = p.P[0] + (p.P[1] * y) / m_CornerRadius;
                px.Row(x, W - x + 1, y, CandyBlendBy(kWhite, C, pct));
                ++y;
                x = 0;  // the next row goes on from column 1
                if (y > H) break;
            }
        }
    }
    px.Commit();
}

void CandyButton::CandyPaintStyle6(int32_t state) {
    bool paints = false;
    const uint32_t C = BodyColor(state, paints);
    if (!paints) return;
    const int W = Round(ScaleWidth() - 1), H = Round(ScaleHeight() - 1);
    PixelScratch px(hDC(), W + 1, H + 1);
    if (!px.Ready()) return;
    CandyPaintPearlPixels(W, H, m_CornerRadius, rt::ToColorRef(C), rt::ToColorRef(settings_.ColorBright),
                          [&](int x, int y, uint32_t c) {
                              px.Set(x, y, c);
                              px.Set(W - x, y, c);
                          });
    px.Commit();
}

// ---- Caption and picture

void CandyButton::DrawIconWCaption(int32_t vState) {
    const HDC dc = hDC();
    const double SW = ScaleWidth(), SH = ScaleHeight();
    int pw = 0, ph = 0, tw = 0, th = 0;
    if (!settings_.Picture.Empty()) {
        pw = Round(ScaleX(settings_.Picture.Width(), rt::vbHimetric, rt::vbPixelsUnit));
        ph = Round(ScaleY(settings_.Picture.Height(), rt::vbHimetric, rt::vbPixelsUnit));
    }
    rt::SelectGuard font(dc, GetFont().Handle());
    if (!settings_.Caption.empty()) {
        tw = Round(Surface().TextWidth(settings_.Caption));
        th = Round(Surface().TextHeight(settings_.Caption));
    }
    const int m = m_CornerRadius == 0 ? 8 : m_CornerRadius;
    int px = 0, py = 0, tx = 0, ty = 0;
    switch (settings_.PictureAlignment) {
        case 0:
            px = Round(SW - pw) / 2 + 1, py = Round(SH - (ph + th)) / 2 + 1;
            tx = std::abs(Round(SW) / 2 - tw / 2), ty = std::abs(Round(SH) / 2 + ph / 2 - th / 2);
            break;
        case 1:
            px = Round(SW - pw) / 2, py = Round(SH - (ph - th)) / 2 + 1;
            tx = std::abs(Round(SW) / 2 - tw / 2), ty = std::abs(Round(SH) / 2 - (ph + th) / 2);
            break;
        case 2:
            px = m, py = Round(SH - ph) / 2 + 1;
            tx = std::abs(Round(SW) / 2 - tw / 2), ty = std::abs(Round(SH) / 2 - th / 2);
            break;
        case 3:
            px = Round(SW - m - pw), py = Round(SH - ph) / 2 + 1;
            tx = std::abs(Round(SW) / 2 - tw / 2), ty = std::abs(Round(SH) / 2 - th / 2);
            break;
        default:
            break;
    }
    if (vState == Down) ++px, ++py, ++tx, ++ty;

    if (!settings_.Caption.empty()) {
        const uint32_t textColor = vState == Hover && settings_.CaptionHighLite
                                       ? settings_.CaptionHighLiteColor
                                       : settings_.ForeColor;
        SetTextColor(dc, rt::ToColorRef(textColor));
        SetBkMode(dc, TRANSPARENT);
        DrawStateA(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(settings_.Caption.c_str()),
                   static_cast<WPARAM>(settings_.Caption.size()), tx, ty, 0, 0,
                   DST_PREFIXTEXT | (settings_.Enabled ? DSS_NORMAL : DSS_DISABLED));
        SetTextColor(dc, rt::ToColorRef(settings_.ForeColor));
    }
    const int16_t type = settings_.Picture.Type();
    if (type == rt::vbPicTypeBitmap || type == rt::vbPicTypeIcon) {
        UINT flags = type == rt::vbPicTypeBitmap ? DST_BITMAP : DST_ICON;
        rt::Brush silhouette;
        if (!settings_.Enabled) {
            flags |= DSS_DISABLED;
        } else if (vState == Hover && settings_.IconHighLite) {
            silhouette.reset(CreateSolidBrush(rt::ToColorRef(settings_.IconHighLiteColor)));
            flags |= DSS_MONO;
        }
        DrawStateA(dc, silhouette.get(), nullptr, static_cast<LPARAM>(settings_.Picture.Handle()), 0, px, py,
                   pw, ph, flags);
    }
    Refresh();
}

}  // namespace controls
