// The dialog button's redraw: the looks of the fourteen types in the up, hot, down and disabled
// states, the caption modes, the caption and picture effects, the pictures and the focus mark.
#include <cmath>
#include <utility>

#include "controls/buttons/chameleonButton.h"
#include "controls/buttons/chameleon_draw.h"
#include "controls/common/paint.h"

namespace controls {

namespace {

// A gradient row's shift: the step is held in single precision and rounded half to even.
int GradientShift(float step, int i) {
    return static_cast<int>(std::nearbyint(-step * static_cast<float>(i)));
}

// Sets a value back when the scope ends, also when a step in between fails.
template <class T>
class Restore {
public:
    Restore(T& target, T saved) : target_(target), saved_(std::move(saved)) {}
    ~Restore() { target_ = std::move(saved_); }
    Restore(const Restore&) = delete;
    Restore& operator=(const Restore&) = delete;

private:
    T& target_;
    T saved_;
};

}  // namespace

void chameleonButton::ChameleonRedraw(int state, bool force) {
    if (settings_.CheckBoxBehaviour && settings_.Value) state = 2;
    if (!force && settings_.Caption == lastCaption_ && state == lastState_) return;
    if (H == 0 || !redrawOn_ || !hWnd()) return;
    lastState_ = state;
    lastCaption_ = settings_.Caption;
    dc_ = Surface().hDC();
    if (!dc_) return;
    {
        Restore<HDC> done(dc_, nullptr);
        // Scheme 2's hot look takes every colour from the hover face; the stored face and its
        // colours come back whatever happens while drawing.
        const bool lend = hot_ && settings_.ColorScheme == 2;
        struct Lent {
            chameleonButton& b;
            bool on;
            uint32_t saved;
            ~Lent() {
                if (!on) return;
                b.settings_.BackColor = saved;
                b.ChameleonSetColors();  // no failure: the platform's colours and arithmetic only
            }
        } lent{*this, lend, settings_.BackColor};
        if (lend) {
            settings_.BackColor = settings_.BackOver;
            ChameleonSetColors();
        }
        ChameleonDrawRect(0, 0, W, H, colors_.face, false);
        if (!settings_.Enabled || state == 0 || state == 2) PaintLook(settings_.Enabled ? state : 1);
    }
    Invalidate();
}

// state: 0 up, 2 down, 1 disabled.
void chameleonButton::PaintLook(int state) {
    const ChameleonColors& k = colors_;
    const bool up = state == 0, down = state == 2;
    const int pictureMode = up ? 0 : down ? 1 : 2;
    const int upCaption = hot_ ? 1 : 0;
    switch (settings_.ButtonType) {
        case 1:
            ChameleonDrawCaption(up ? upCaption : down ? 2 : 3);
            if (down)
                ChameleonDrawBevel(k.shadow, k.highlight, k.shadow, k.highlight, -1, false);
            else
                ChameleonDrawBevel(k.highlight, k.shadow, k.highlight, k.shadow, -1, false);
            ChameleonDrawRect(0, 0, W, H, k.dark, true);
            if (up || down) ChameleonDrawFocusRect();
            break;
        case 2: {
            const bool isDefault = settings_.ShowFocusRect && Default();
            if (up) {
                ChameleonDrawCaption(upCaption);
                if (isDefault) {
                    ChameleonDrawBevel(k.highlight, k.dark, k.light, k.shadow, -1, false);
                    ChameleonDrawFocusRect();
                    ChameleonDrawRect(0, 0, W, H, k.dark, true);
                } else {
                    ChameleonDrawBevel(k.highlight, k.dark, k.light, k.shadow, 0, false);
                }
            } else if (down) {
                ChameleonDrawCaption(2);
                if (isDefault) {
                    ChameleonDrawRect(0, 0, W, H, k.dark, true);
                    ChameleonDrawRect(1, 1, W - 2, H - 2, k.shadow, true);
                    ChameleonDrawFocusRect();
                } else {
                    ChameleonDrawBevel(k.dark, k.highlight, k.shadow, k.light, 0, false);
                }
            } else {
                ChameleonDrawCaption(3);
                ChameleonDrawBevel(k.highlight, k.dark, k.light, k.shadow, 0, false);
            }
            break;
        }
        case 3:
            PaintType3(state);
            break;
        case 4:
            PaintType4(state);
            break;
        case 5:
            if (up) {
                ChameleonDrawRect(1, 1, W - 1, H - 1, S(k.face, 12), false);
                ChameleonDrawCaption(upCaption);
                ChameleonDrawRect(1, 1, W - 1, H - 1, k.highlight, true);
                ChameleonDrawRect(0, 0, W - 1, H - 1, S(k.shadow, -26), true);
                ChameleonDrawPixel(1, H - 2, S(k.shadow, 26));
                ChameleonDrawPixel(W - 2, 1, S(k.shadow, 26));
            } else if (down) {
                ChameleonDrawRect(1, 1, W - 2, H - 2, S(k.shadow, 16), false);
                ChameleonDrawRect(0, 0, W - 1, H - 1, S(k.shadow, -26), true);
                ChameleonDrawLine(W - 1, 1, W - 1, H, k.highlight);
                ChameleonDrawLine(1, H - 1, W - 1, H - 1, k.highlight);
                CaptionText(captionRect_, k.hoverCaption);
            } else {
                ChameleonDrawCaption(4);
                ChameleonDrawRect(0, 0, W, H, k.shadow, true);
            }
            if ((up || down) && hasFocus_ && settings_.ShowFocusRect)
                ChameleonDrawRect(captionRect_.left - 2, captionRect_.top - 1, captionW_ + 4, captionH_ + 2,
                                  0xCC9999u, true);
            break;
        case 6: {
            const uint32_t l8 = S(k.light, 8);
            if (up) {
                ChameleonDrawCaption(upCaption);
                ChameleonDrawBevel(l8, k.shadow, l8, k.shadow, 0, false);
                ChameleonDrawFocusRect();
            } else if (down) {
                ChameleonDrawCaption(2);
                ChameleonDrawBevel(k.shadow, l8, k.shadow, l8, 0, false);
                ChameleonDrawFocusRect();
            } else {
                ChameleonDrawCaption(4);
                ChameleonDrawBevel(l8, k.shadow, l8, k.shadow, 0, false);
            }
            break;
        }
        case 7:
        case 8:
        case 12:
            if (up) {
                ChameleonDrawCaption(upCaption);
                if (settings_.ButtonType == 7 || (settings_.ButtonType == 8 && hot_))
                    ChameleonDrawBevel(k.highlight, k.shadow, 0, 0, 0, true);
                else if (settings_.ButtonType == 12 && hot_)
                    ChameleonDrawBevel(k.highlight, k.dark, k.light, k.shadow, 0, false);
                ChameleonDrawFocusRect();
            } else if (down) {
                ChameleonDrawCaption(2);
                if (settings_.ButtonType == 12)
                    ChameleonDrawBevel(k.dark, k.highlight, k.shadow, k.light, 0, false);
                else
                    ChameleonDrawBevel(k.shadow, k.highlight, 0, 0, 0, true);
                ChameleonDrawFocusRect();
            } else {
                ChameleonDrawCaption(3);
                if (settings_.ButtonType == 7) ChameleonDrawBevel(k.highlight, k.shadow, 0, 0, 0, true);
            }
            break;
        case 9:
            if (up) {
                if (hot_) ChameleonDrawRect(1, 1, W, H, k.tint, false);
                ChameleonDrawCaption(upCaption);
                if (hot_) ChameleonDrawRect(0, 0, W, H, k.accent, true);
                ChameleonDrawFocusRect();
            } else if (down) {
                if (hot_)
                    ChameleonDrawRect(
                        0, 0, W, H,
                        settings_.ColorScheme != 2 ? ChameleonLightenColor(k.accent, 128) : S(k.tint, -32),
                        false);
                ChameleonDrawCaption(2);
                ChameleonDrawRect(0, 0, W, H, k.accent, true);
                ChameleonDrawFocusRect();
            } else {
                ChameleonDrawCaption(4);
            }
            break;
        case 11:
            if (background_ && backgroundBitmap_) BitBlt(dc_, 0, 0, W, H, background_.get(), 0, 0, SRCCOPY);
            ChameleonDrawCaption(up ? upCaption : down ? 2 : 3);
            if (up || down) ChameleonDrawFocusRect();
            break;
        case 13:
            if (up)
                ChameleonDrawEllipse(0, 0, W, H, hot_ ? k.shadow : k.face, k.face);
            else if (down)
                ChameleonDrawEllipse(0, 0, W, H, k.dark, S(k.face, -32));
            ChameleonDrawCaption(up ? upCaption : down ? 2 : 3);
            break;
        case 14:
            PaintType14(state);
            break;
        default:
            break;  // type 10 and unknown types: the face and the picture only
    }
    // Types 3, 4 and 14 draw their pictures themselves, in their own order.
    if (settings_.ButtonType != 3 && settings_.ButtonType != 4 && settings_.ButtonType != 14)
        ChameleonDrawPicture(pictureMode);
}

void chameleonButton::Corners(uint32_t c) {
    ChameleonDrawPixel(1, 1, c);
    ChameleonDrawPixel(1, H - 2, c);
    ChameleonDrawPixel(W - 2, 1, c);
    ChameleonDrawPixel(W - 2, H - 2, c);
}

void chameleonButton::PaintType3(int state) {
    const uint32_t tinted = colors_.tinted;
    const float step = 25.0f / static_cast<float>(H);
    if (state == 0) {
        for (int i = 1; i <= H; ++i) ChameleonDrawLine(0, i, W, i, SB(tinted, GradientShift(step, i)));
        ChameleonDrawCaption(hot_ ? 1 : 0);
        ChameleonDrawRect(0, 0, W, H, 0x733C00, true);
        Corners(0x7B4D10);
        auto ring = [&](uint32_t a, uint32_t b, uint32_t c, uint32_t d, uint32_t e) {
            ChameleonDrawRect(1, 2, W - 2, H - 4, a, true);
            ChameleonDrawLine(2, H - 2, W - 2, H - 2, b);
            ChameleonDrawLine(2, 1, W - 2, 1, c);
            ChameleonDrawLine(1, 2, W - 1, 2, d);
            ChameleonDrawLine(2, 3, 2, H - 3, e);
            ChameleonDrawLine(W - 3, 3, W - 3, H - 3, e);
        };
        if (hot_) {
            ring(0x31B2FF, 0x0096E7, 0xCEF3FF, 0x8CDBFF, 0x6BCBFF);
        } else if (settings_.ShowFocusRect && (hasFocus_ || Default())) {
            ring(0xE7AE8C, 0xEF826B, 0xFFE7CE, 0xF7D7BD, 0xF0D1B5);
        } else {
            ChameleonDrawLine(2, H - 2, W - 2, H - 2, SB(tinted, -48));
            ChameleonDrawLine(1, H - 3, W - 2, H - 3, SB(tinted, -32));
            ChameleonDrawLine(W - 2, 2, W - 2, H - 2, SB(tinted, -36));
            ChameleonDrawLine(W - 3, 3, W - 3, H - 3, SB(tinted, -24));
            ChameleonDrawLine(2, 1, W - 2, 1, SB(tinted, 16));
            ChameleonDrawLine(1, 2, W - 2, 2, SB(tinted, 10));
            ChameleonDrawLine(1, 2, 1, H - 2, SB(tinted, -5));
            ChameleonDrawLine(2, 3, 2, H - 3, SB(tinted, -10));
        }
        ChameleonDrawPicture(0);
    } else if (state == 2) {
        const uint32_t base = SB(tinted, -32);
        for (int i = 1; i <= H; ++i) ChameleonDrawLine(0, H - i, W, H - i, SB(base, GradientShift(step, i)));
        ChameleonDrawCaption(2);
        ChameleonDrawRect(0, 0, W, H, 0x733C00, true);
        Corners(0x7B4D10);
        ChameleonDrawLine(2, H - 2, W - 2, H - 2, SB(base, 16));
        ChameleonDrawLine(1, H - 3, W - 2, H - 3, SB(base, 10));
        ChameleonDrawLine(W - 2, 2, W - 2, H - 2, SB(base, 5));
        ChameleonDrawLine(W - 3, 3, W - 3, H - 3, tinted);
        ChameleonDrawLine(2, 1, W - 2, 1, SB(base, -32));
        ChameleonDrawLine(1, 2, W - 2, 2, SB(base, -24));
        ChameleonDrawLine(1, 2, 1, H - 2, SB(base, -32));
        ChameleonDrawLine(2, 2, 2, H - 2, SB(base, -22));
        ChameleonDrawPicture(1);
    } else {
        ChameleonDrawRect(0, 0, W, H, SB(tinted, -24), false);
        ChameleonDrawCaption(5);
        ChameleonDrawRect(0, 0, W, H, SB(tinted, -84), true);
        Corners(SB(tinted, -72));
        ChameleonDrawPicture(2);
    }
}

void chameleonButton::PaintType4(int state) {
    const ChameleonColors& k = colors_;
    auto upLook = [&](int captionMode) {
        ChameleonDrawRect(1, 1, W - 2, H - 2, k.light, false);
        ChameleonDrawCaption(captionMode);
        ChameleonDrawRect(0, 0, W, H, k.dark, true);
        Corners(k.dark);
        ChameleonDrawLine(1, 2, 2, 0, k.face);
        ChameleonDrawLine(3, 2, W - 3, 2, k.highlight);
        ChameleonDrawLine(2, 2, 2, H - 3, k.highlight);
        ChameleonDrawPixel(3, 3, k.highlight);
        ChameleonDrawLine(W - 3, 1, W - 3, H - 3, k.face);
        ChameleonDrawLine(1, H - 3, W - 3, H - 3, k.face);
        ChameleonDrawPixel(W - 4, H - 4, k.face);
        ChameleonDrawLine(W - 2, 2, W - 2, H - 2, k.shadow);
        ChameleonDrawLine(2, H - 2, W - 2, H - 2, k.shadow);
        ChameleonDrawPixel(W - 3, H - 3, k.shadow);
    };
    if (state == 0) {
        upLook(hot_ ? 1 : 0);
        ChameleonDrawPicture(0);
    } else if (state == 2) {
        const uint32_t s16 = S(k.shadow, -16), s32 = S(k.shadow, -32), s64 = S(k.shadow, -64);
        ChameleonDrawRect(1, 1, W - 2, H - 2, s16, false);
        {
            // The caption's effect takes the pressed face as its base; the tinted face comes back
            // afterwards, also when the caption fails.
            Restore<uint32_t> back(colors_.tinted, S(k.face, 48));
            colors_.tinted = s16;
            ChameleonDrawCaption(2);
        }
        ChameleonDrawRect(0, 0, W, H, k.dark, true);
        ChameleonDrawRect(1, 1, W - 2, H - 2, s64, true);
        ChameleonDrawRect(2, 2, W - 4, H - 4, s32, true);
        ChameleonDrawPixel(2, 2, s64);
        ChameleonDrawPixel(3, 3, s32);
        Corners(k.dark);
        ChameleonDrawLine(W - 3, 1, W - 3, H - 3, k.shadow);
        ChameleonDrawLine(1, H - 3, W - 2, H - 3, k.shadow);
        ChameleonDrawPixel(W - 4, H - 4, k.shadow);
        ChameleonDrawLine(W - 2, 3, W - 2, H - 2, s16);
        ChameleonDrawLine(3, H - 2, W - 2, H - 2, s16);
        ChameleonDrawLine(W - 2, H - 3, W - 4, H - 1, s32);
        ChameleonDrawPixel(2, H - 2, s32);
        ChameleonDrawPixel(W - 2, 2, s32);
        ChameleonDrawPicture(1);
    } else {
        upLook(3);
        ChameleonDrawPicture(2);
    }
}

void chameleonButton::PaintType14(int state) {
    const ChameleonColors& k = colors_;
    const float step = 58.0f / static_cast<float>(H);
    auto gradient = [&] {
        for (int i = 1; i <= H; ++i) ChameleonDrawLine(0, i, W, i, S(k.highlight, GradientShift(step, i)));
    };
    auto frames = [&] {
        ChameleonDrawRect(0, 0, W, H, S(k.shadow, -50), true);
        ChameleonDrawRect(1, 1, W - 2, H - 2, S(k.face, -9), true);
        ChameleonDrawRect(2, 2, W - 4, 2, k.highlight, false);
        ChameleonDrawRect(2, 4, 2, H - 6, k.highlight, false);
    };
    if (state == 0) {
        if (hot_)
            ChameleonDrawRect(0, 0, W, H, k.light, false);
        else
            gradient();
        if (Default()) {
            // The default button's caption in bold. Redraws stay off and the font comes back to
            // its weight (laid out again) whatever happens in between.
            rt::Font& font = GetFont();
            struct Bold {
                chameleonButton& b;
                rt::Font& font;
                bool savedBold, savedOn;
                ~Bold() {
                    b.redrawOn_ = savedOn;
                    try {
                        font.Bold(savedBold);
                        b.ChameleonLayoutCaption();
                    } catch (...) {
                        // The weight is back; a listener's failure is not the redraw's.
                    }
                }
            } bold{*this, font, font.Bold(), redrawOn_};
            redrawOn_ = false;
            font.Bold(true);
            ChameleonLayoutCaption();
            ChameleonDrawCaption(hot_ ? 1 : 0);
        } else {
            ChameleonDrawCaption(hot_ ? 1 : 0);
        }
        frames();
        ChameleonDrawFocusRect();
        ChameleonDrawPicture(0);
    } else if (state == 2) {
        ChameleonDrawRect(1, 1, W, H, S(k.face, -9), false);
        ChameleonDrawRect(0, 0, W, H, S(k.shadow, -48), true);
        ChameleonDrawLine(2, H - 2, W - 2, H - 2, k.highlight);
        ChameleonDrawLine(W - 2, 2, W - 2, H - 1, k.highlight);
        ChameleonDrawCaption(7);
        ChameleonDrawFocusRect();
        ChameleonDrawPicture(1);
    } else {
        gradient();
        frames();
        ChameleonDrawCaption(6);
        ChameleonDrawPicture(2);
    }
}

// ---- Caption

void chameleonButton::CaptionText(const RECT& r, uint32_t colour) {
    if (!dc_) return;
    RECT box = r;
    rt::SelectGuard font(dc_, GetFont().Handle());
    SetBkMode(dc_, TRANSPARENT);
    SetTextColor(dc_, colour);
    DrawTextA(dc_, settings_.Caption.c_str(), static_cast<int>(settings_.Caption.size()), &box,
              DT_CENTER | DT_VCENTER | DT_WORDBREAK);
}

void chameleonButton::ChameleonDrawCaption(int mode) {
    captionMode_ = mode;
    const ChameleonColors& k = colors_;
    switch (mode) {
        case 0:
        case 1:
            ChameleonCaptionEffect(captionRect_);
            CaptionText(captionRect_, mode == 0 ? k.caption : k.hoverCaption);
            break;
        case 2:
            ChameleonCaptionEffect(pressedRect_);
            CaptionText(pressedRect_, settings_.ButtonType == 4 ? k.light : k.hoverCaption);
            break;
        case 3:
            CaptionText(pressedRect_, k.highlight);
            CaptionText(captionRect_, k.shadow);
            break;
        case 4:
            CaptionText(captionRect_, k.shadow);
            break;
        case 5:
            CaptionText(captionRect_, SB(k.tinted, -104));
            break;
        case 6:
            CaptionText(pressedRect_, k.highlight);
            CaptionText(captionRect_, k.face);
            break;
        case 7:
            CaptionText(pressedRect_, S(k.shadow, -50));
            CaptionText(captionRect_, k.highlight);
            break;
        default:
            break;
    }
}

void chameleonButton::ChameleonCaptionEffect(const RECT& r) {
    if (settings_.SpecialEffect <= 0) return;
    const ChameleonColors& k = colors_;
    uint32_t base = k.face;
    if (settings_.ButtonType == 3 || settings_.ButtonType == 4 || settings_.ButtonType == 14)
        base = k.tinted;
    else if (settings_.ButtonType == 9 && lastState_ == 0 && hot_ && settings_.ColorScheme != 2)
        base = k.tint;
    const bool sunken = settings_.SpecialEffect == 2;
    RECT below = r, above = r;
    OffsetRect(&below, 1, 1);
    OffsetRect(&above, -1, -1);
    CaptionText(below, S(base, sunken ? 40 : -40));
    if (settings_.SpecialEffect < 3) CaptionText(above, S(base, sunken ? -40 : 40));
}

// ---- Picture

void chameleonButton::Picture(const rt::Picture& p, int x, int y, int64_t paint, bool darkOnly, bool grey,
                              bool blend) {
    if (!dc_ || p.Empty()) return;
    ChameleonBlend how{settings_.UseMaskColor, colors_.mask, paint, darkOnly, grey, blend};
    ChameleonMaskBlt(dc_, x, y, picW_, picH_, p, how);
}

void chameleonButton::ChameleonDrawPicture(int mode) {
    if (settings_.PictureNormal.Empty()) return;
    const ChameleonColors& k = colors_;
    const rt::Picture& normal = settings_.PictureNormal;
    const bool hover = !settings_.PictureOver.Empty();
    const int x = picX_, y = picY_, t = settings_.ButtonType;
    if (mode == 0) {
        if (hot_ && t == 9) {
            ChameleonPictureEffect(-1, normal);
            Picture(normal, x + 1, y + 1, k.shadow, false, false, false);
            Picture(normal, x - 1, y - 1, -1, false, false, false);
        } else if (hot_ && hover) {
            ChameleonPictureEffect(0, settings_.PictureOver);
            Picture(settings_.PictureOver, x, y, -1, false, false, false);
        } else if (hot_) {
            ChameleonPictureEffect(0, normal);
            Picture(normal, x, y, -1, false, false, false);
        } else {
            ChameleonPictureEffect(0, normal);
            Picture(normal, x, y, -1, false, settings_.UseGreyscale, !settings_.UseGreyscale && t == 9);
        }
    } else if (mode == 1) {
        if (hover && t != 9) {
            const int d = t == 5 ? 0 : 1;
            Picture(settings_.PictureOver, x + d, y + d, -1, false, false, false);
        } else if (t == 5 || t == 9) {
            ChameleonPictureEffect(0, normal);
            Picture(normal, x, y, -1, false, false, false);
        } else {
            ChameleonPictureEffect(1, normal);
            Picture(normal, x + 1, y + 1, -1, false, false, false);
        }
    } else {
        if (t == 3) {
            Picture(normal, x + 1, y + 1, -1, false, true, false);
        } else if (t == 5 || t == 6) {
            Picture(normal, x, y, k.shadow, true, false, false);
        } else if (t == 9) {
            Picture(normal, x, y, S(k.shadow, 13), true, false, false);
        } else {
            Picture(normal, x + 1, y + 1, k.highlight, true, false, false);
            Picture(normal, x, y, k.shadow, true, false, false);
        }
    }
    // A picture behind the caption: the caption goes on top again.
    if (settings_.PicturePosition == 4) ChameleonDrawCaption(captionMode_);
}

void chameleonButton::ChameleonPictureEffect(int offset, const rt::Picture& picture) {
    if (settings_.SpecialEffect <= 0) return;
    const ChameleonColors& k = colors_;
    uint32_t base = k.face;
    if (settings_.ButtonType == 3)
        base = k.tinted;
    else if (offset == -1 && settings_.ColorScheme != 2)
        base = k.tint;
    const bool sunken = settings_.SpecialEffect == 2;
    Picture(picture, picX_ + offset + 1, picY_ + offset + 1, S(base, sunken ? 40 : -40), false, false, false);
    if (settings_.SpecialEffect < 3)
        Picture(picture, picX_ + offset - 1, picY_ + offset - 1, S(base, sunken ? -40 : 40), false, false,
                false);
}

void chameleonButton::ChameleonDrawFocusRect() {
    if (!settings_.ShowFocusRect || !hasFocus_ || !dc_) return;
    SetTextColor(dc_, colors_.caption);
    DrawFocusRect(dc_, &focusRect_);
}

// ---- Primitives

void chameleonButton::ChameleonDrawRect(int x, int y, int w, int h, uint32_t c, bool frameOnly) {
    if (!dc_) return;
    RECT r{x, y, x + w, y + h};
    rt::Brush brush(CreateSolidBrush(c));
    if (!brush) return;
    if (frameOnly)
        FrameRect(dc_, &r, brush.get());
    else
        FillRect(dc_, &r, brush.get());
}

void chameleonButton::ChameleonDrawEllipse(int x, int y, int w, int h, uint32_t pen, uint32_t brush) {
    if (!dc_) return;
    rt::Pen p(CreatePen(PS_SOLID, 2, pen));
    rt::Brush b(CreateSolidBrush(brush));
    rt::SelectGuard sp(dc_, p.get()), sb(dc_, b.get());
    Ellipse(dc_, x, y, x + w, y + h);
}

void chameleonButton::ChameleonDrawLine(int x1, int y1, int x2, int y2, uint32_t c) {
    if (!dc_) return;
    SolidLine(dc_, x1, y1, x2, y2, c);
}

void chameleonButton::ChameleonDrawBevel(uint32_t c1, uint32_t c2, uint32_t c3, uint32_t c4, int16_t k,
                                         bool single) {
    if (!dc_) return;
    const int e = k < 0 ? -k : k, x = W - 1 + k, y = H - 1 + k;
    auto with = [&](uint32_t c, auto draw) {
        rt::Pen pen(CreatePen(PS_SOLID, 1, c));
        rt::SelectGuard sel(dc_, pen.get());
        draw();
    };
    MoveToEx(dc_, e, y, nullptr);
    with(c1, [&] {
        LineTo(dc_, e, e);
        LineTo(dc_, x, e);
    });
    with(c2, [&] {
        LineTo(dc_, x, y);
        LineTo(dc_, e - 1, y);
    });
    MoveToEx(dc_, e + 1, y - 1, nullptr);
    if (single) return;
    with(c3, [&] {
        LineTo(dc_, e + 1, e + 1);
        LineTo(dc_, x - 1, e + 1);
    });
    with(c4, [&] {
        LineTo(dc_, x - 1, y - 1);
        LineTo(dc_, e, y - 1);
    });
}

void chameleonButton::ChameleonDrawPixel(int x, int y, uint32_t c) {
    if (dc_) SetPixelV(dc_, x, y, c);
}

}  // namespace controls
