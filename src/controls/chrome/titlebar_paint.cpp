#include "controls/chrome/titlebar_paint.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <optional>
#include <utility>

#include "runtime/convert.h"
#include "runtime/win.h"

namespace controls {

SIZE CaptionTextSink::Measure(HDC dc, const std::string& text) {
    SIZE size{};
    GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
    return size;
}

void CaptionTextSink::Write(HDC dc, int x, int y, const std::string& text, COLORREF color) {
    SetTextColor(dc, color);
    TextOutA(dc, x, y, text.c_str(), static_cast<int>(text.size()));
}

CaptionTextSink& PlatformCaptionText() {
    static CaptionTextSink sink;
    return sink;
}

namespace {

int16_t I16(double v) {
    return rt::NumberToInt16(v);
}

// The surface's line: OLE colour, fractional coordinates rounded, the end point left out.
void Line(HDC dc, double x1, double y1, double x2, double y2, uint32_t oleColor) {
    rt::Pen pen(CreatePen(PS_SOLID, 1, rt::ToColorRef(oleColor)));
    rt::SelectGuard sel(dc, pen.get());
    MoveToEx(dc, rt::RoundEven(x1), rt::RoundEven(y1), nullptr);
    LineTo(dc, rt::RoundEven(x2), rt::RoundEven(y2));
}

void Row(HDC dc, int y, float SW, uint32_t color) {
    Line(dc, 0, y, SW, y, color);
}

}  // namespace

void SetVerlauf(HDC dc, const TitleBarLook& look, uint32_t BegColor, uint32_t EndColor, uint32_t BegColor2,
                uint32_t EndColor2) {
    const float SW = static_cast<float>(look.ScaleWidth);
    const float SH = static_cast<float>(look.ScaleHeight);
    const int16_t style = look.Style;

    int16_t L = I16(rt::RoundEven(SH));
    if (style == 14) L = I16(rt::RoundEven(L / 2.0));
    if (L <= 0) L = 25;
    const int16_t L0 = L;
    const Gradient G1{GetRealColor(BegColor), GetRealColor(EndColor), L0};
    const Gradient G2{GetRealColor(BegColor2), GetRealColor(EndColor2), L0};
    const Gradient G3{GetRealColor(look.BorderColorHighLight), GetRealColor(look.BorderColorDarkLight), 2 * L0};

    switch (style) {
    case 3: case 4: case 7: case 8: L = I16(L - (look.BorderNormal + 1)); break;
    case 10: L = I16(L - (look.BorderNormal + 2)); break;
    case 11: L = I16(L - (look.BorderNormal + 5)); break;
    case 12: L = I16(L - (look.BorderNormal + 7)); break;
    default: break;
    }

    const float cover = look.BackColorCover / 10.0f;
    const double F = std::trunc(static_cast<double>(SW) * static_cast<double>(cover));

    if (style == 0) {
        for (int i = 0; i <= L; ++i) Row(dc, i, SW, G1(i));
    } else if (style >= 1 && style <= 8) {
        const bool falling = style >= 5;
        const bool stripes = style % 2 == 0;
        auto stripe = [&](int i) {
            double s = falling ? F + i : F - i;
            Line(dc, s + 2, i, s + 1, i, G1(i));
            Line(dc, s + 6, i, s + 5, i, G1(i));
            Line(dc, s + 11, i, s + 10, i, G1(i));
        };
        for (int i = 0; i <= L; ++i) {
            double s = falling ? F + i : F - i;
            Line(dc, 0, i, s, i, G1(i));
            Line(dc, s, i, SW, i, G2(i));
            if (stripes && !falling) stripe(i);
        }
        if (stripes && falling)
            for (int i = 0; i <= L; ++i) stripe(i);
        if (SH != static_cast<float>(L))
            for (int i = L, last = I16(rt::RoundEven(SH)); i <= last; ++i) Row(dc, i, SW, G1(i));
    } else if (style >= 9 && style <= 12) {
        const int16_t top = I16(rt::RoundEven(static_cast<float>((SH - static_cast<float>(L)) / 2.0f)));
        const bool banded = SH != static_cast<float>(L);
        if (banded)
            for (int i = 0; i <= top; ++i) Row(dc, i, SW, G2(i));
        const double step = 2.0 / L;
        int y = top;
        for (double t = -1; t <= 1; t += step) {
            const float X = static_cast<float>(F + std::tan(t) * (L / 1.3));
            Line(dc, 0, y, X, y, G1(y));
            Line(dc, X, y, SW, y, G2(y));
            y = I16(y + 1);
        }
        if (banded)
            for (int i = I16(rt::RoundEven(SH - top)), last = I16(rt::RoundEven(SH)); i <= last; ++i)
                Row(dc, i, SW, G1(i));
    } else if (style == 13) {
        if (look.ShowClose && look.ShowMinimized) {
            const float X0 = static_cast<float>(look.TBAR_.Left - L * 1.2);
            const double half = std::trunc(L / 2.0);
            for (int i = 0; i <= L; ++i) {
                Line(dc, 0, i, X0 + i, i, G1(i));
                if (i > 4) Line(dc, X0 + i, i, SW - half + i, i, G2(i));
            }
            const uint32_t dark = look.BorderColorDarkLight;
            Line(dc, X0 + 4, 4, SW - half + 4, 4, dark);
            Line(dc, SW - half + 4, 4, SW + half + 4, L + 4, dark);
            Line(dc, X0, 0, X0 + L, L, dark);
            const double D = std::trunc((look.TBARX.Height - 2) / 4);
            auto dot = [&](double x, double y, COLORREF c) { SetPixelV(dc, rt::RoundEven(x), rt::RoundEven(y), c); };
            const COLORREF engraved = RGB(90, 90, 90), lit = RGB(255, 255, 255);
            for (int r = 0; r <= 3; ++r) {
                for (int k = 0; k <= 3 - r; ++k) {
                    dot(look.TBAR_.Left - 5 - 3 * k, look.TBARX.Top + 2 + D * r, engraved);
                    dot(look.TBAR_.Left - 6 - 3 * k, look.TBARX.Top + 3 + D * r, lit);
                }
                for (int k = 0; k <= r; ++k) {
                    double right = look.TBARX.Left + look.TBARX.Width;
                    dot(right + 3 + 3 * k, look.TBARX.Top + 2 + D * r, engraved);
                    dot(right + 4 + 3 * k, look.TBARX.Top + 3 + D * r, lit);
                }
            }
        }
    } else if (style == 14) {
        for (int i = 0; i <= L; ++i) Row(dc, i, SW, G1(i));
        for (int i = 0; i <= L; ++i) Row(dc, L + i, SW, G2(i));
        const float X0 = static_cast<float>(look.TBAR_.Left - L - L * 1.2);
        for (int i = 0; i <= 2 * L - 1; ++i) Line(dc, X0 + i, i, SW, i, G3(i));
        if (look.BorderNormal >= 1) BSetBorder(dc, look, look.BorderNormal);
    }

    if (look.DashBack) {
        const int16_t W = I16(rt::RoundEven(look.CaptionTextWidth * 1.2));
        const int16_t T = I16(look.BorderNormal + 2);
        const int16_t H = I16(rt::RoundEven(SH - T - T));
        const int sy = H + 2;
        StretchBlt(dc, 6, T, W, H, dc, 3, sy, 1, -H, SRCCOPY);
        StretchBlt(dc, 5, T + 1, 1, H - 2, dc, 3, sy, 1, -(H - 2), SRCCOPY);
        StretchBlt(dc, 4, T + 2, 1, H - 4, dc, 3, sy, 1, -(H - 4), SRCCOPY);
        StretchBlt(dc, W + 6, T + 1, 1, H - 2, dc, 3, sy, 1, -(H - 2), SRCCOPY);
        StretchBlt(dc, W + 7, T + 2, 1, H - 4, dc, 3, sy, 1, -(H - 4), SRCCOPY);
    }
}

void BSetBorder(HDC dc, const TitleBarLook& look, uint8_t BorderWidth) {
    if (BorderWidth == 0) return;
    const float SW = static_cast<float>(look.ScaleWidth);
    const float SH = static_cast<float>(look.ScaleHeight);
    Line(dc, 0, SH - 1, SW, SH - 1, look.BorderColorDarkLight);
    Line(dc, SW - 1, 0, SW - 1, SH - 1, look.BorderColorDarkLight);
    Line(dc, 0, 0, SW, 0, look.BorderColorHighLight);
    Line(dc, 0, 0, 0, SH, look.BorderColorHighLight);
}

HFONT CreateCaptionFont(const std::string& face, int16_t size, int16_t width, bool antialias, bool bold,
                        int16_t charset) {
    LOGFONTA lf{};
    lf.lfHeight = rt::RoundEven(size * 1.5);
    lf.lfWidth = width;
    lf.lfWeight = bold ? 800 : 0;
    lf.lfCharSet = static_cast<BYTE>(charset);
    lf.lfQuality = antialias ? ANTIALIASED_QUALITY : NONANTIALIASED_QUALITY;
    std::memcpy(lf.lfFaceName, face.data(), std::min(face.size(), sizeof lf.lfFaceName - 1));
    return CreateFontIndirectA(&lf);
}

namespace {
// The caption and outline colours reach the text colour as stored; a system colour is looked up,
// since its stored form is no colour at all.
COLORREF AsStored(uint32_t c) {
    return (c & 0x80000000u) ? GetRealColor(c) : (c & 0xFFFFFFu);
}
}  // namespace

void Shadow(HDC dc, const TitleBarLook& look, CaptionTextSink& text) {
    uint8_t W = look.Caption3DWidth;
    const bool T = look.Caption3DTop, B = look.Caption3DBottom, L = look.Caption3DLeft, R = look.Caption3DRight;
    const RgbChannels s = SplitRgb(GetRealColor(look.CaptionShadowColor));
    uint32_t O = 0;
    if (look.CaptionBorder) O = look.CaptionBorderColor | 0x10000u;
    if (W > 0 && O != 0) W = rt::NumberToByte(W + 1);
    int16_t x = 6;
    if (look.IconHeld) x = I16(rt::RoundEven(look.PicturePosX + 6 + look.IconWidth));
    const uint32_t C = look.ForeColor;
    const RgbChannels b = SplitRgb(GetRealColor(look.CaptionColorBack));
    const std::string& caption = look.Caption;

    const int16_t points = I16(rt::RoundEven(look.FontSize));
    rt::FontHandle layerFont(CreateCaptionFont(look.FontName, points, 0, false, false, look.FontCharset));
    std::optional<rt::SelectGuard> layerSelected;
    layerSelected.emplace(dc, layerFont.get());
    SetBkMode(dc, TRANSPARENT);
    const SIZE extent = text.Measure(dc, caption);
    const int32_t cx = extent.cx, cy = extent.cy;

    const double SH = static_cast<float>(look.ScaleHeight), SW = static_cast<float>(look.ScaleWidth);
    const int bn = look.BorderNormal;
    int16_t y = 0;
    switch (look.CaptionPosY) {
    case 0: y = I16(rt::RoundEven((SH - cy) / 2)); break;
    case 2: y = I16(std::trunc((SH - cy - bn) / 2)); break;
    case 3: y = I16(rt::RoundEven(SH - cy - bn)); break;
    default: y = 0; break;
    }
    switch (look.CaptionPosX) {
    case 1: x = I16(bn + 1); break;
    case 2: x = I16(rt::RoundEven((SW - cx) / 2)); break;
    case 3: x = I16(rt::RoundEven(SW - cx - bn - 1 - W)); break;
    default: break;
    }

    auto at = [&](int dx, int dy) { return std::pair<int, int>{I16(x + dx), I16(y + dy)}; };
    for (int i = W; i >= 1; --i) {
        auto mix = [&](int cb, int cs) {
            return rt::RoundEven(i * (static_cast<double>(cb) / W) + (W - i) * (static_cast<double>(cs) / W));
        };
        const COLORREF layer = static_cast<COLORREF>(mix(b.r, s.r) + 256 * mix(b.g, s.g) + 65536 * mix(b.b, s.b));
        auto put = [&](int dx, int dy) {
            auto [px, py] = at(dx, dy);
            text.Write(dc, px, py, caption, layer);
        };
        if (T && B && L && R) {
            for (int j = -i; j <= i; ++j) {
                put(j, i);
                put(j, -i);
                put(i, j);
                put(-i, -j);
            }
        } else if (B && R) {
            put(i, i);
        } else if (L && T) {
            put(-i, -i);
        } else {
            if (B) put(0, i);
            if (T) put(0, -i);
            if (R) put(i, 0);
            if (L) put(-i, 0);
        }
    }
    layerSelected.reset();
    layerFont.reset();

    rt::FontHandle captionFont(CreateCaptionFont(look.FontName, points, 0, true, look.FontBold, look.FontCharset));
    rt::SelectGuard captionSelected(dc, captionFont.get());
    if (O != 0) {
        static constexpr int ring[8][2] = {{1, 0}, {1, 1}, {1, -1}, {-1, 0}, {-1, -1}, {-1, 1}, {0, -1}, {0, 1}};
        for (const auto& d : ring) {
            auto [px, py] = at(d[0], d[1]);
            text.Write(dc, px, py, caption, AsStored(O));
        }
    }
    text.Write(dc, x, y, caption, AsStored(C));
}

}  // namespace controls
