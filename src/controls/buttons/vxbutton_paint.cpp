// The multi-style page button's drawing: the redraw, its small drawing operations, the window
// region, the caption and picture, and the painters of the twelve looks. Everything is drawn
// straight onto the control's window, in pixels.
#include <algorithm>
#include <utility>
#include <vector>

#include "controls/buttons/vx_math.h"
#include "controls/buttons/vxbutton.h"
#include "runtime/dib.h"
#include "runtime/error.h"
#include "runtime/handles.h"

namespace controls {

namespace {

constexpr uint32_t kWhite = 0xFFFFFF;
constexpr uint32_t kBlack = 0;
constexpr uint32_t kWorkspace = 0x8000000Cu;  // system colour 12
constexpr uint32_t kGrayText = 0x80000011u;   // 17

uint32_t S(uint32_t c, float f) {
    return VxShiftColor(c, f);
}
uint32_t Bl(uint32_t a, uint32_t b) {
    return VxBlendColors(a, b);
}
uint32_t Sys(uint32_t ole) {
    return vxbutton::VxTranslateColor(ole);
}

// The caption's extent: its widest line and all its lines.
SIZE MeasureCaption(HDC dc, const std::string& text) {
    TEXTMETRICA tm{};
    GetTextMetricsA(dc, &tm);
    SIZE out{0, 0};
    size_t start = 0;
    int lines = 0;
    for (;;) {
        size_t end = text.find('\n', start);
        std::string line = text.substr(start, end == std::string::npos ? std::string::npos : end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        SIZE s{};
        GetTextExtentPoint32A(dc, line.c_str(), static_cast<int>(line.size()), &s);
        out.cx = std::max(out.cx, s.cx);
        ++lines;
        if (end == std::string::npos) break;
        start = end + 1;
    }
    out.cy = lines * tm.tmHeight;
    return out;
}

bool RoundedLook(int32_t look) {
    return look == 2 || look == 3 || look == 6 || look == 7 || look == 9 || look == 10;
}

}  // namespace

// ---- The redraw

void vxbutton::VxRedraw() {
    HWND wnd = hWnd();
    if (!wnd) return;
    // Inside a paint the paint DC; otherwise the window's own, for this redraw only.
    rt::WindowDC own;
    HDC dc = painting_ ? hDC() : nullptr;
    if (!dc) {
        own = rt::WindowDC(wnd);
        dc = own.get();
    }
    if (!dc) return;
    HDC outer = std::exchange(dc_, dc);

    RECT client{};
    GetClientRect(wnd, &client);
    SolidFill(dc_, client, rt::ToColorRef(UserControl::BackColor()));
    RefreshSize();
    face_ = RECT{0, 0, W, H};
    if (Checked()) m_State = 2;
    PaintLook(m_State);
    VxDrawCaption();
    dc_ = outer;
}

void vxbutton::UserControl_Paint() {
    painting_ = true;
    VxRedraw();
    painting_ = false;
}

void vxbutton::RefreshSize() {
    W = rt::RoundEven(ScaleWidth());
    H = rt::RoundEven(ScaleHeight());
}

void vxbutton::PaintLook(int32_t state) {
    switch (settings_.ButtonStyle) {
        case 0:
        case 11:
            PaintClassic(state);
            break;
        case 1:
            PaintFlat(state);
            break;
        case 2:
            PaintBlueRounded(state);
            break;
        case 3:
            PaintSilver(state);
            break;
        case 4:
            PaintToolbar(state);
            break;
        case 5:
            PaintShadowed(state);
            break;
        case 6:
            PaintLight(state);
            break;
        case 7:
            PaintPaleBlue(state);
            break;
        case 8:
            PaintGlassy(state);
            break;
        case 9:
            PaintWhiteTop(state);
            break;
        case 10:
            PaintBanded(state);
            break;
        default:
            break;  // no body: the caption and picture on the cleared surface
    }
}

void vxbutton::SetOwnBackColor(uint32_t c) {
    // Only a change: a new background repaints the window, and that paint comes back here.
    if (UserControl::BackColor() != c) UserControl::BackColor(c);
}

// ---- Drawing operations

void vxbutton::VxMakeRegion() {
    HWND wnd = hWnd();
    if (!wnd) return;
    const RECT r = rt::ClientRectOf(wnd);
    const int w = r.right, h = r.bottom;
    // The region is the same as long as the look and the size are: setting it again would only
    // ask for another paint, which comes back here.
    if (regionStyle_ == settings_.ButtonStyle && regionW_ == w && regionH_ == h) return;
    rt::Region region(RoundedLook(settings_.ButtonStyle) ? CreateRoundRectRgn(0, 0, w + 1, h + 1, 3, 3)
                                                         : CreateRectRgn(0, 0, w, h));
    if (!region) return;
    regionStyle_ = settings_.ButtonStyle, regionW_ = w, regionH_ = h;
    if (SetWindowRgn(wnd, region.get(), TRUE)) region.release();  // the window owns it
}

void vxbutton::VxLine(int x1, int y1, int x2, int y2, uint32_t color) {
    SolidLine(dc_, x1, y1, x2, y2, color);
}

void vxbutton::VxFrameRect(int x, int y, int w, int h, uint32_t color) {
    rt::Brush brush(CreateSolidBrush(color));
    RECT r{x, y, x + w, y + h};
    FrameRect(dc_, &r, brush.get());
}

void vxbutton::VxFillRect(uint32_t color, const RECT& r) {
    SolidFill(dc_, r, color);
}

void vxbutton::VxGradient(int x, int y, int w, int h, uint32_t c1, uint32_t c2, int direction) {
    if (w <= 0 || h <= 0) return;
    std::vector<uint32_t> bits(static_cast<size_t>(w) * static_cast<size_t>(h));
    VxGradientPixels(w, h, c1, c2, direction, bits.data());
    const BITMAPINFO info = rt::DibHeader(w, h, 32);
    StretchDIBits(dc_, x, y, w, h, 0, 0, w, h, bits.data(), &info, DIB_RGB_COLORS, SRCCOPY);
}

void vxbutton::VxCornerPixels(uint32_t color) {
    RefreshSize();
    SetPixelV(dc_, 1, 1, color);
    SetPixelV(dc_, 1, H - 2, color);
    SetPixelV(dc_, W - 2, 1, color);
    SetPixelV(dc_, W - 2, H - 2, color);
}

void vxbutton::VxEdge(UINT kind) {
    RECT r = face_;
    DrawEdge(dc_, &r, kind, BF_RECT);
}

void vxbutton::VxFocus(int l, int t, int r, int b) {
    RECT rect{l, t, r, b};
    DrawFocusRect(dc_, &rect);
}

void vxbutton::VxPickMaskColor() {
    rt::ScreenDC screen;
    rt::MemoryDC mem(screen.get());
    COLORREF pixel = CLR_INVALID;
    if (settings_.Picture.Type() == rt::vbPicTypeBitmap) {
        rt::SelectGuard sel(mem.get(), reinterpret_cast<HGDIOBJ>(settings_.Picture.Handle()));
        pixel = GetPixel(mem.get(), 0, 0);
    } else {
        // Other pictures: their top-left pixel as drawn over the mask colour in force.
        rt::Picture flat = settings_.Picture.ToBitmap(VxTranslateColor(settings_.MaskColor));
        rt::SelectGuard sel(mem.get(), reinterpret_cast<HGDIOBJ>(flat.Handle()));
        pixel = GetPixel(mem.get(), 0, 0);
    }
    if (pixel != CLR_INVALID) settings_.MaskColor = pixel;
}

// ---- Caption and picture

void vxbutton::VxDrawCaption() {
    RefreshSize();
    rt::SelectGuard font(dc_, GetFont().Handle());
    const SIZE text = MeasureCaption(dc_, settings_.Caption);

    VxCaptionInput in;
    in.W = W, in.H = H, in.tw = text.cx, in.th = text.cy;
    in.hasPicture = !settings_.Picture.Empty();
    in.ps = in.hasPicture ? std::min(settings_.Picture.PixelHeight(), 48) : 0;
    in.hasAccessKey = !AccessKeys().empty();
    in.pictureAlign = settings_.PictureAlign, in.captionAlign = settings_.CaptionAlign;
    in.look = settings_.ButtonStyle, in.state = m_State;
    const VxCaptionLayout at = VxLayoutCaption(in);
    if (at.setsFocusRect) captionFocus_ = RECT{at.focusLeft, at.focusTop, at.focusRight, at.focusBottom};

    const int ps = in.ps;
    const int16_t type = settings_.Picture.Type();
    const uintptr_t handle = settings_.Picture.Handle();
    if (type == rt::vbPicTypeIcon) {
        if (settings_.Enabled)
            DrawIconEx(dc_, at.px, at.py, reinterpret_cast<HICON>(handle), 0, 0, 0, nullptr, DI_NORMAL);
        else
            VxDrawPicture(dc_, handle, at.px, at.py, ps, ps);
    } else if (type == rt::vbPicTypeBitmap) {
        if (!settings_.Enabled) {
            VxDrawPicture(dc_, handle, at.px, at.py, ps, ps);
        } else if (settings_.UseMaskColor) {
            rt::MemoryDC mem(dc_);
            rt::SelectGuard sel(mem.get(), reinterpret_cast<HGDIOBJ>(handle));
            TransparentBlt(dc_, at.px, at.py, ps, ps, mem.get(), 0, 0, ps, ps,
                           VxTranslateColor(settings_.MaskColor));
        } else {
            settings_.Picture.Render(dc_, at.px, at.py, ps, ps);
        }
    }

    SetTextColor(dc_, settings_.Enabled ? VxTranslateColor(settings_.ForeColor) : Sys(kGrayText));
    SetBkMode(dc_, TRANSPARENT);
    RECT r{at.left, at.top, at.right, at.bottom};
    DrawTextA(dc_, settings_.Caption.c_str(), -1, &r, DT_CENTER | DT_WORDBREAK);
}

bool vxbutton::VxDrawPicture(HDC dc, uintptr_t handle, int x, int y, int w, int h) {
    // An icon is no drawing object of its own: its colour and mask bitmaps are.
    ICONINFO icon{};
    HBITMAP color = nullptr, mask = nullptr;
    if (GetObjectType(reinterpret_cast<HGDIOBJ>(handle)) == 0) {
        if (!GetIconInfo(reinterpret_cast<HICON>(handle), &icon)) return false;
        color = icon.hbmColor, mask = icon.hbmMask;
    } else {
        color = reinterpret_cast<HBITMAP>(handle);
    }
    rt::Bitmap iconColor(icon.hbmColor), iconMask(icon.hbmMask);  // released at the end
    if (!color) return false;
    BITMAP bm{};
    if (!GetObjectA(color, sizeof bm, &bm)) return false;
    const int bw = bm.bmWidth, bh = bm.bmHeight;
    if (w == -1) w = bw;
    if (h == -1) h = bh;

    BITMAPINFO info = rt::DibHeader(bw, bh, 24, true);
    const size_t stride = (static_cast<size_t>(bw) * 3 + 3) & ~size_t{3};
    std::vector<uint8_t> grey(stride * static_cast<size_t>(bh)), maskBits(grey.size(), 0);
    rt::ScreenDC screen;
    GetDIBits(screen.get(), color, 0, static_cast<UINT>(bh), grey.data(), &info, DIB_RGB_COLORS);
    for (int row = 0; row < bh; ++row)
        for (int col = 0; col < bw; ++col) {
            uint8_t* p = grey.data() + static_cast<size_t>(row) * stride + static_cast<size_t>(col) * 3;
            const uint8_t mean = static_cast<uint8_t>((p[0] + p[1] + p[2]) / 3);
            p[0] = p[1] = p[2] = mean;
        }
    if (mask) GetDIBits(screen.get(), mask, 0, static_cast<UINT>(bh), maskBits.data(), &info, DIB_RGB_COLORS);

    // The mask keeps what lies below the icon's transparent pixels; the grey picture goes over it.
    StretchDIBits(dc, x, y, w, h, 0, 0, bw, bh, maskBits.data(), &info, DIB_RGB_COLORS, SRCAND);
    return StretchDIBits(dc, x, y, w, h, 0, 0, bw, bh, grey.data(), &info, DIB_RGB_COLORS, SRCPAINT) != 0;
}

// ---- The looks

void vxbutton::PaintClassic(int32_t state) {
    const uint32_t B = VxTranslateColor(settings_.BackColor);
    const bool flat = settings_.ButtonStyle == 11;
    if (!settings_.Enabled) VxEdge(EDGE_RAISED);
    if (Checked()) {
        VxFill(S(B, 0.02f));
        VxEdge(EDGE_SUNKEN);
        if (settings_.ShowFocusRect && m_HasFocus) VxFrameRect(4, 4, W - 7, H - 7, Sys(kWorkspace));
        return;
    }
    if (state == 0) {
        VxMakeRegion();
        VxFill(B);
        if (!flat) VxEdge(EDGE_RAISED);
    } else if (state == 1) {
        VxFill(B);
        VxEdge(EDGE_RAISED);
    } else if (state == 2) {
        VxFill(B);
        if (flat) {
            VxEdge(EDGE_SUNKEN);
        } else {
            VxFrameRect(1, 1, W - 2, H - 2, 0x99A8AC);
            VxFrameRect(0, 0, W, H, kBlack);
        }
    }
    if (!FocusedOrDefault()) return;
    if (settings_.ShowFocusRect && Ambient().UserMode) VxFocus(4, 4, W - 4, H - 4);
    if (state == 2 || flat) return;
    RECT edge{0, 0, W - 1, H - 1};
    DrawEdge(dc_, &edge, EDGE_RAISED, BF_RECT);
    VxFrameRect(0, 0, W - 1, H - 1, Sys(kWorkspace));
    VxFrameRect(0, 0, W, H, kBlack);
}

void vxbutton::PaintFlat(int32_t state) {
    const uint32_t B = VxTranslateColor(settings_.BackColor);
    if (!settings_.Enabled) {
        VxEdge(BDR_RAISEDINNER);
        return;
    }
    if (state == 0) {
        VxMakeRegion();
        VxFill(B);
        VxEdge(BDR_RAISEDINNER);
    } else if (state == 1) {
        VxFill(B);
        VxEdge(BDR_RAISEDINNER);
    } else if (state == 2) {
        VxFill(B);
        VxFrameRect(0, 0, W, H, kWhite);
        VxFrameRect(0, 0, W + 1, H + 1, Sys(kGrayText));
    }
    if (settings_.ShowFocusRect && FocusedOrDefault()) VxFocus(3, 3, W - 3, H - 3);
}

void vxbutton::PaintBlueRounded(int32_t state) {
    const uint32_t B = VxTranslateColor(settings_.BackColor);
    // The hot and the focused rims: two lines a side, inner and outer.
    auto rim = [&](uint32_t topIn, uint32_t topOut, uint32_t sideOut, uint32_t sideIn, uint32_t bottomIn,
                   uint32_t bottomOut) {
        VxLine(1, 2, W - 2, 2, topIn);
        VxLine(1, 1, W - 2, 1, topOut);
        VxLine(1, 1, 1, H - 2, sideOut);
        VxLine(W - 2, 2, W - 2, H - 2, sideOut);
        VxLine(2, 2, 2, H - 3, sideIn);
        VxLine(W - 3, 3, W - 3, H - 3, sideIn);
        VxLine(2, H - 3, W - 2, H - 3, bottomIn);
        VxLine(2, H - 2, W - 2, H - 2, bottomOut);
    };
    if (!settings_.Enabled) {
        VxMakeRegion();
        VxFill(S(B, 0.03f));
        VxFrameRect(0, 0, W, H, S(B, -0.1f));
        VxCornerPixels(S(B, 0.2f));
        return;
    }
    if (state == 0) {
        VxMakeRegion();
        VxGradient(0, 0, W, H, S(B, 0.07f), B);
        VxGradient(0, 0, W, 5, S(B, 0.2f), S(B, 0.08f));
        VxLine(1, H - 2, W - 2, H - 2, S(B, -0.09f));
        VxLine(1, H - 3, W - 2, H - 3, S(B, -0.05f));
        VxLine(1, H - 4, W - 2, H - 4, S(B, -0.01f));
        VxLine(W - 2, 2, W - 2, H - 2, S(B, -0.08f));
        VxLine(1, 1, 1, H - 2, Bl(kWhite, B));
        VxLine(2, 2, 2, H - 2, Bl(kWhite, B));
    } else if (state == 1) {
        VxGradient(0, 0, W, H, S(B, 0.07f), B);
        VxGradient(0, 0, W, 5, S(B, 0.2f), S(B, 0.08f));
        rim(0x89D8FD, 0xCFF0FF, 0x49BDF9, 0x7AD2FC, 0x30B3F8, 0x0097E5);
    } else if (state == 2) {
        VxFill(S(B, -0.05f));
        VxLine(1, 1, W - 2, 1, S(B, -0.16f));
        VxLine(1, 2, W - 2, 2, S(B, -0.1f));
        VxLine(1, H - 2, W - 2, H - 2, S(B, 0.07f));
        VxLine(1, 1, 1, H - 2, S(B, -0.16f));
        VxLine(2, 2, 2, H - 2, S(B, -0.1f));
        VxLine(W - 2, 2, W - 2, H - 2, S(B, 0.04f));
    }
    if (FocusedOrDefault() && state == 0) {
        rim(0xF6D4BC, 0xFFE7CE, 0xE6AF8E, 0xF4D1B8, 0xE4AD89, 0xEE8269);
    }
    if (Ambient().UserMode && settings_.ShowFocusRect && FocusedOrDefault()) VxFocus(2, 2, W - 2, H - 2);
    VxFrameRect(0, 0, W, H, 0x743C00);
    VxCornerPixels(S(0x743C00, 0.3f));
}

void vxbutton::PaintSilver(int32_t state) {
    const uint32_t B = VxTranslateColor(settings_.BackColor);
    if (!settings_.Enabled) {
        VxMakeRegion();
        VxFill(B);
        VxFrameRect(0, 0, W, H, S(B, -0.25f));
        VxFrameRect(1, 1, W - 2, H - 2, S(B, 0.25f));
        VxCornerPixels(S(B, -0.1f));
        return;
    }
    const int H2 = rt::RoundEven(H / 2.0);
    if (state == 0) {
        VxMakeRegion();
        VxGradient(1, 1, W - 1, H, S(B, 0.05f), B);
        VxGradient(1, H2, W - 2, H - 2, S(B, -0.02f), S(B, -0.15f));
        VxFrameRect(0, 0, W, H, 0x707070);
        VxFrameRect(1, 1, W - 2, H - 2, kWhite);
    } else if (state == 1) {
        VxGradient(1, 1, W - 2, H, S(0xFFF7E3, 0.02f), 0xFEE6B9);
        VxGradient(1, H2, W - 2, H - 2, 0xFEE6B9, 0xFEE6B9);
        VxFrameRect(0, 0, W, H, 0xA77532);
        VxFrameRect(1, 1, W - 2, H - 2, kWhite);
    } else if (state == 2) {
        VxGradient(1, 1, W - 1, H, 0xF9EDD5, 0xE6C483);
        VxGradient(1, H2, W - 2, H - 2, 0xE6C483, S(0xE6C483, -0.03f));
        VxFrameRect(0, 0, W, H, 0x8B622C);
        VxFrameRect(1, 1, W - 2, H, S(0xBAB09E, 0.02f));
    }
    if (FocusedOrDefault() && state == 0) {
        VxFrameRect(0, 0, W, H, 0xA77532);
        VxFrameRect(1, 1, W - 2, H - 2, 0xF0CD3D);
    }
    if (settings_.ShowFocusRect && m_HasFocus && Ambient().UserMode) VxFocus(2, 2, W - 2, H - 2);
    VxCornerPixels(S(0x707070, 0.3f));
}

void vxbutton::PaintToolbar(int32_t state) {
    const uint32_t B = VxTranslateColor(settings_.BackColor);
    if (settings_.Enabled) {
        if (Checked()) {
            VxFill(S(0xE2B598, 0.1f));
            VxFrameRect(0, 0, W, H, S(0x6F4B4B, 0.05f));
            return;
        }
        if (state == 1) {
            VxFill(0xEED2C1);
            VxFrameRect(0, 0, W, H, 0xC56A31);
            return;
        }
        if (state == 2) {
            VxFill(0xE2B598);
            VxFrameRect(0, 0, W, H, 0x6F4B4B);
            return;
        }
        if (state != 0) return;
    }
    VxGradient(0, 0, W, H, Bl(S(B, 0.26f), kWhite), B);
}

void vxbutton::PaintShadowed(int32_t state) {
    SetOwnBackColor(Ambient().BackColor);
    const uint32_t B = VxTranslateColor(settings_.BackColor);
    if (state == 0 || state == 1) {
        if (state == 0) VxMakeRegion();
        VxFrameRect(6, 6, W - 9, H - 9, 0x808080);
        VxFrameRect(5, 5, W - 7, H - 7, 0xA0A0A0);
        VxFrameRect(4, 4, W - 5, H - 5, 0xC0C0C0);
        VxFillRect(B, RECT{0, 0, W - 5, H - 5});
        VxFrameRect(0, 0, W - 4, H - 4, S(B, 0.3f));
    } else if (state == 2) {
        VxFillRect(B, RECT{3, 3, W, H});
        VxFrameRect(3, 3, W - 3, H - 3, S(B, 0.3f));
    }
    if (settings_.ShowFocusRect && FocusedOrDefault()) {
        if (state == 2)
            VxFocus(6, 6, W - 3, H - 3);
        else
            VxFocus(3, 3, W - 6, H - 6);
    }
}

void vxbutton::PaintLight(int32_t state) {
    SetOwnBackColor(Ambient().BackColor);
    const uint32_t B = VxTranslateColor(settings_.BackColor);
    if (Checked()) {
        VxFill(S(B, 0.2f));
        settings_.ForeColor = Sys(kButtonText);
        VxFrameRect(0, 0, W, H, S(B, -0.3f));
        VxCornerPixels(S(B, -0.1f));
        if (m_MouseInside) {
            VxLine(W - 2, 1, W - 2, H - 2, S(B, -0.04f));
            VxLine(1, H - 2, W - 2, H - 2, S(B, -0.07f));
            VxLine(1, H - 3, W - 2, H - 3, S(B, -0.04f));
        }
        return;
    }
    if (state == 0) {
        VxMakeRegion();
        VxFill(B);
    } else if (state == 1) {
        VxGradient(0, 0, W, H - 1, S(B, 0.03f), B);
        VxGradient(0, 0, W, 5, S(B, 0.11f), S(B, 0.04f));
        VxLine(W - 2, 1, W - 2, H - 2, S(B, -0.06f));
        VxLine(0, H - 5, W - 3, H - 5, S(B, -0.01f));
        VxLine(0, H - 3, W - 3, H - 3, S(B, -0.06f));
        VxLine(0, H - 4, W - 3, H - 4, S(B, -0.04f));
        VxLine(1, H - 1, W - 1, H - 1, S(B, -0.17f));
        VxLine(0, 1, 1, H - 4, S(B, 0.04f));
        VxFrameRect(0, 0, W, H - 1, S(B, -0.15f));
        VxCornerPixels(S(B, -0.1f));
    } else if (state == 2) {
        VxFill(S(B, -0.05f));
        VxLine(1, 1, W - 2, 1, S(B, -0.12f));
        VxLine(1, 2, W - 2, 2, S(B, -0.08f));
        VxLine(1, H - 2, W - 2, H - 2, S(B, -0.01f));
        VxLine(1, H - 1, W - 2, H - 1, S(B, -0.02f));
        VxFrameRect(0, 0, W, H, S(B, -0.3f));
        VxCornerPixels(S(B, -0.1f));
    }
    // The caption is white while pressed, the button text colour otherwise, whatever was set.
    settings_.ForeColor = state == 2 ? kWhite : Sys(kButtonText);
}

void vxbutton::PaintPaleBlue(int32_t state) {
    const uint32_t B = VxTranslateColor(settings_.BackColor);
    if (!settings_.Enabled) {
        VxFill(B);
        VxCornerPixels(B);
        return;
    }
    if (state == 0) {
        VxMakeRegion();
        VxFill(B);
    } else if (state == 1) {
        const int H17 = rt::RoundEven(H / 1.7);
        VxGradient(1, 1, W - 2, H - 2, 0xFDF9F1, 0xF8ECD0);
        VxGradient(1, H17, W - 2, H - 2, 0xF8ECD0, 0xF8ECD0);
        VxFrameRect(0, 0, W, H, 0xCA9E61);
        VxFrameRect(1, 1, W - 2, H - 2, kWhite);
    } else if (state == 2) {
        VxGradient(1, 1, W - 2, H - 2, 0xF1DEB0, S(0xF8EFD8, 0.04f));
        VxFrameRect(0, 0, W, H, 0xCA9E61);
        VxFrameRect(1, 1, W - 2, H - 2, kWhite);
    }
    if (state == 1 || state == 2) VxCornerPixels(S(0xCA9E61, 0.3f));
}

void vxbutton::PaintGlassy(int32_t state) {
    const uint32_t B = VxTranslateColor(settings_.BackColor);
    const int Ht = rt::RoundEven(H / 2.7), Hb = rt::RoundEven(H - H / 2.7);
    const uint32_t frame = S(B, -0.34f);
    auto pressed = [&] {
        VxGradient(0, 0, W, Ht, 0x58C1FF, 0x51AFFF);
        VxGradient(0, Ht, W, Hb, 0x468FFF, 0x5FD3FF);
        VxFrameRect(0, 0, W, H, frame);
    };
    if (Checked()) {
        VxGradient(0, 0, W, Ht, 0xA9D9FF, 0x6FC0FF);
        VxGradient(0, Ht, W, Hb, 0x3FABFF, 0x75E1FF);
        VxFrameRect(0, 0, W, H, frame);
        if (m_MouseInside) pressed();
        return;
    }
    if (state == 1) {
        VxGradient(0, 0, W, Ht, 0xE1FFFF, 0xACEAFF);
        VxGradient(0, Ht, W, Hb, 0x67D7FF, 0x99E4FF);
        VxFrameRect(0, 0, W, H, frame);
    } else if (state == 2) {
        pressed();
    } else if (state == 0) {
        VxFill(B);
        VxGradient(0, 0, W, Ht, Bl(S(B, 0.09f), kWhite), Bl(S(B, 0.07f), B));
        VxGradient(0, Ht, W, Hb, B, S(B, 0.03f));
        VxFrameRect(0, 0, W, H, frame);
    }
}

void vxbutton::PaintWhiteTop(int32_t state) {
    const uint32_t B = VxTranslateColor(settings_.BackColor);
    if (!settings_.Enabled) state = 0;
    const int half = rt::RoundEven(H / 2.0);
    if (state == 0 || state == 1) {
        if (state == 0) VxMakeRegion();
        VxGradient(0, 0, W, half, kWhite, B);
        VxGradient(0, half, W, H, B, B);  // reaches past the bottom, clipped
        VxFrameRect(1, 1, W - 2, H, kWhite);
        VxFrameRect(0, 0, W, H, S(B, -0.2f));
        VxLine(2, H - 1, W - 2, H - 1, S(B, -0.25f));
    } else if (state == 2) {
        VxGradient(0, 0, W, half, kWhite, S(B, -0.1f));
        VxGradient(0, half, W, H, S(B, -0.1f), S(B, -0.05f));
        VxFrameRect(1, 1, W - 2, H, kWhite);
        VxFrameRect(0, 0, W, H, S(B, -0.23f));
        VxCornerPixels(S(B, -0.1f));
        VxLine(2, H - 1, W - 2, H - 1, S(B, -0.4f));
    }
    VxCornerPixels(S(B, 0.05f));
    if (settings_.ShowFocusRect && FocusedOrDefault())
        VxFocus(captionFocus_.left, captionFocus_.top, captionFocus_.right, captionFocus_.bottom);
}

void vxbutton::PaintBanded(int32_t state) {
    const uint32_t B = VxTranslateColor(settings_.BackColor);
    if (!settings_.Enabled) return;
    if (state == 0) {
        VxMakeRegion();
        VxFill(B);
        VxGradient(0, 0, W, 5, S(Bl(B, kWhite), 0.1f), B);
        VxLine(1, 6, 1, H - 1, S(B, -0.03f));
        VxLine(2, 6, 2, H - 1, S(B, -0.01f));
        VxGradient(0, 6, W, H - 1, S(B, -0.05f), Bl(kWhite, S(B, 0.1f)));
        VxFrameRect(0, 0, W, H, S(B, -0.33f));
    } else if (state == 1) {
        VxFill(S(B, 0.05f));
        VxGradient(0, 0, W, 5, S(Bl(S(B, 0.05f), kWhite), 0.15f), S(B, 0.05f));
        VxLine(1, 6, 1, H - 1, S(B, -0.35f));
        VxLine(2, 6, 2, H - 1, S(B, -0.15f));
        VxGradient(0, 6, W, H - 1, B, Bl(kWhite, S(B, 0.15f)));
        VxFrameRect(0, 0, W, H, S(B, -0.28f));
    } else if (state == 2) {
        VxFill(S(B, -0.03f));
        VxGradient(0, 0, W, 5, S(Bl(B, kWhite), 0.1f), B);
        VxLine(1, 6, 1, H - 1, S(B, -0.06f));
        VxLine(2, 6, 2, H - 1, S(B, -0.04f));
        VxGradient(0, 6, W, H - 1, S(B, -0.08f), Bl(kWhite, S(B, 0.07f)));
        VxFrameRect(0, 0, W, H, S(B, -0.36f));
    }
    VxCornerPixels(S(B, -0.1f));
}

}  // namespace controls
