// The alpha picture's layout, its caches (AutoRedraw buffer, drop shadow, hit region) and painting.
#include <cmath>

#include "controls/alpha/aicAlphaImage.h"
#include "runtime/error.h"

using imaging::c32bppDIB;

namespace {

constexpr int32_t kCheckerSize = 12;
constexpr int32_t kCheckerWhite = 0xFFFFFF;
constexpr int32_t kCheckerSilver = 0xC0C0C0;
constexpr int32_t kSmallShadow = 128;  // unscaled pictures up to this size get their shadow at each paint

int32_t nint(double v) {
    return static_cast<int32_t>(std::nearbyint(v));
}

int32_t TranslateOleColor(uint32_t c) {
    if (c & 0x80000000u) return static_cast<int32_t>(GetSysColor(static_cast<int>(c & 255)));
    return static_cast<int32_t>(c);
}

}  // namespace

void aicAlphaImage::UserControl_Resize() {
    Layout();
}

void aicAlphaImage::CentreLabel() {
    const RECT r = Label1.PixelRect();
    const int32_t left = nint(ScaleWidth() - (r.right - r.left)) / 2;
    const int32_t top = nint(ScaleHeight() - (r.bottom - r.top)) / 2;
    Label1.Move(ScaleX(left, rt::vbPixelsUnit, rt::vbTwipsUnit),
                ScaleY(top, rt::vbPixelsUnit, rt::vbTwipsUnit));
}

void aicAlphaImage::Layout() {
    if (drawWidth_ < 0) return;  // a layout is running (the size request of AutoSize)
    const int32_t sw = nint(ScaleWidth()), sh = nint(ScaleHeight());
    // In design mode an empty control shows the checkerboard at its own size, in 12-pixel squares.
    const bool checkerboard = SourceImage->ImageType() == imaging::imgCheckerBoard;
    if (DesignMode() && (!SourceImage->HasPicture() ||
                         (checkerboard && (SourceImage->Width() != sw || SourceImage->Height() != sh)))) {
        if (SourceImage->InitializeDIB(sw, sh))
            SourceImage->CreateCheckerBoard(kCheckerSize, kCheckerWhite, kCheckerSilver);
    }
    GetImageScales(drawWidth_, drawHeight_, settings_.Scaler, sw, sh, RotateEnabled());
    if (RotateEnabled()) {
        rotatedSide_ = nint(std::sqrt(static_cast<double>(drawWidth_) * drawWidth_ +
                                      static_cast<double>(drawHeight_) * drawHeight_));
        if (settings_.Scaler == 4) {
            imageX_ = std::max(0, nint(ScaleWidth() - drawWidth_) / 2);
            imageY_ = std::max(0, nint(ScaleHeight() - drawHeight_) / 2);
        } else {
            // The square may stick out on every side.
            imageX_ = nint(ScaleWidth() - rotatedSide_) / 2;
            imageY_ = nint(ScaleHeight() - rotatedSide_) / 2;
        }
        drawnUnscaled_ = false;
    } else {
        // A picture larger than the control is anchored at the top-left corner.
        imageX_ = std::max(0, nint(ScaleWidth() - drawWidth_) / 2);
        imageY_ = std::max(0, nint(ScaleHeight() - drawHeight_) / 2);
        drawnUnscaled_ = SourceImage->HasPicture() && drawHeight_ == SourceImage->Height() &&
                         drawWidth_ == SourceImage->Width();
    }
    CentreLabel();
    if (AutoSize()) {
        const int32_t w = RotateEnabled() ? rotatedSide_ : drawWidth_;
        const int32_t h = RotateEnabled() ? rotatedSide_ : drawHeight_;
        // Without a picture there is nothing to size to: the control keeps its size.
        if (w > 0 && h > 0) {
            drawWidth_ = -drawWidth_;
            imageX_ = imageY_ = 0;
            rt::Try([&] {
                Size(ScaleX(w, rt::vbPixelsUnit, rt::vbTwipsUnit),
                     ScaleY(h, rt::vbPixelsUnit, rt::vbTwipsUnit));
            });
            drawWidth_ = -drawWidth_;
            CentreLabel();
        }
    }
    if (!RenderAutoRedrawBuffer(true, true)) BuildHitRegion();
}

void aicAlphaImage::RelayoutImage() {
    const int32_t sw = nint(ScaleWidth()), sh = nint(ScaleHeight());
    Layout();
    // A changed size repaints through the container anyway.
    if (nint(ScaleWidth()) == sw && nint(ScaleHeight()) == sh) Repaint();
}

bool aicAlphaImage::RenderAutoRedrawBuffer(bool force, bool rebuildRegion) {
    bool drew = false;
    if (settings_.Props & kBufferFlag) {
        if (force || !RedrawBuffer) {
            if (!RedrawBuffer) {
                RedrawBuffer = std::make_unique<c32bppDIB>();
                RedrawBuffer->gdiToken(SourceImage->gdiToken());
                RedrawBuffer->ManageOwnDC(true);
            }
            if (drawWidth_ == 0) return false;
            const int32_t w = nint(ScaleWidth()), h = nint(ScaleHeight());
            if (RedrawBuffer->Width() != w || RedrawBuffer->Height() != h)
                RedrawBuffer->InitializeDIB(w, h);
            else
                RedrawBuffer->EraseDIB();
        } else {
            RedrawBuffer->EraseDIB();
        }
        if (HDC dc = RedrawBuffer->LoadDIBinDC(true)) {
            if (RotateEnabled()) {
                RedrawBuffer->SetAlpha(true);
                SourceImage->Render(dc, RedrawBuffer->Width() / 2, RedrawBuffer->Height() / 2, drawWidth_,
                                    drawHeight_, 0, 0, 0, 0, 100, true, true, RedrawBuffer.get(), -1, 0,
                                    static_cast<float>(settings_.Angle), true);
            } else {
                // Where the picture leaves part of the buffer empty, that part is transparent, and the
                // hit region made from the buffer must see it so.
                const bool covers = imageX_ <= 0 && imageY_ <= 0 &&
                                    imageX_ + drawWidth_ >= RedrawBuffer->Width() &&
                                    imageY_ + drawHeight_ >= RedrawBuffer->Height();
                RedrawBuffer->SetAlpha(SourceImage->Alpha() || !covers);
                SourceImage->Render(dc, imageX_, imageY_, drawWidth_, drawHeight_, 0, 0, 0, 0, 100, true,
                                    false, RedrawBuffer.get(), -1, 0, 0, false);
            }
        }
        if (rebuildRegion) BuildHitRegion();
        drew = true;
    }
    if (ShadowEnabled()) BuildShadowImage();
    return drew;
}

void aicAlphaImage::BuildShadowImage() {
    shadowFromBuffer_ = false;
    if (!ShadowEnabled()) {
        ShadowImage.reset();
        return;
    }
    const bool small = drawnUnscaled_ && !RotateEnabled() && SourceImage->Width() <= kSmallShadow &&
                       SourceImage->Height() <= kSmallShadow;
    if (small) {
        ShadowImage.reset();
        return;
    }
    const int32_t c = TranslateOleColor(settings_.ShadowColor);
    if (RedrawBuffer) {
        ShadowImage = RedrawBuffer->CreateDropShadow(settings_.ShadowDepth, c);
        shadowFromBuffer_ = static_cast<bool>(ShadowImage);
    } else if (RotateEnabled()) {
        c32bppDIB scaled;
        scaled.gdiToken(SourceImage->gdiToken());
        if (SourceImage->CopyImageTo(scaled, drawWidth_, drawHeight_))
            ShadowImage = scaled.CreateDropShadow(settings_.ShadowDepth, c);
        else
            ShadowImage.reset();
    } else {
        c32bppDIB drawn;
        drawn.gdiToken(SourceImage->gdiToken());
        ShadowImage.reset();
        if (drawWidth_ > 0 && drawHeight_ > 0 && drawn.InitializeDIB(drawWidth_, drawHeight_)) {
            if (HDC dc = drawn.LoadDIBinDC(true)) {
                SourceImage->Render(dc, 0, 0, drawWidth_, drawHeight_, 0, 0, 0, 0, 100, true, true, &drawn);
                drawn.LoadDIBinDC(false);
            }
            ShadowImage = drawn.CreateDropShadow(settings_.ShadowDepth, c);
        }
    }
    if (ShadowImage) ShadowImage->gdiToken(SourceImage->gdiToken());
}

void aicAlphaImage::BuildHitRegion() {
    const bool runs = !DesignMode();
    hitRegion_.reset();
    if (Enabled() && runs && SourceImage->HasPicture() && settings_.HitTest != 0) {
        rt::Region region;
        if (RedrawBuffer) {
            region.reset(RedrawBuffer->CreateRegion(settings_.HitTest - 1, 0, 0));
        } else {
            // A buffer for the moment, only to read the drawn pixels from.
            settings_.Props |= kBufferFlag;
            RenderAutoRedrawBuffer(true, false);
            if (RedrawBuffer) region.reset(RedrawBuffer->CreateRegion(settings_.HitTest - 1, 0, 0));
            settings_.Props &= ~kBufferFlag;
            RedrawBuffer.reset();
        }
        if (settings_.HitTest == 1 || !region) {
            hitRect_ = RECT{0, 0, 0, 0};
            if (region) GetRgnBox(region.get(), &hitRect_);
        } else {
            hitRegion_ = std::move(region);
        }
        return;
    }
    hitRect_ = RECT{0, 0, nint(ScaleWidth()), nint(ScaleHeight())};
}

bool aicAlphaImage::InsideHitArea(int32_t x, int32_t y) const {
    if (hitRegion_) return PtInRegion(hitRegion_.get(), x, y) != FALSE;
    const POINT p{x, y};
    return PtInRect(&hitRect_, p) != FALSE;
}

RECT aicAlphaImage::HitArea() const {
    RECT r = hitRect_;
    if (hitRegion_) GetRgnBox(hitRegion_.get(), &r);
    return r;
}

void aicAlphaImage::UserControl_Paint() {
    if (drawWidth_ < 0) return;
    HDC dc = hDC();
    if (!dc) return;
    RECT clip{};
    GetClipBox(dc, &clip);
    const int32_t boxW = RotateEnabled() ? rotatedSide_ : drawWidth_;
    const int32_t boxH = RotateEnabled() ? rotatedSide_ : drawHeight_;
    const RECT box{imageX_, imageY_, imageX_ + boxW, imageY_ + boxH};
    RECT v{};
    if (!IntersectRect(&v, &clip, &box)) return;

    if (ShadowEnabled()) {
        const int32_t opacity = settings_.ShadowOpacity * settings_.Opacity / 100;
        const int32_t colour = TranslateOleColor(settings_.ShadowColor);
        if (!ShadowImage) {
            SourceImage->RenderDropShadow_JIT(
                dc, nint(ScaleWidth() - SourceImage->Width()) / 2 + settings_.ShadowX,
                nint(ScaleHeight() - SourceImage->Height()) / 2 + settings_.ShadowY, settings_.ShadowDepth,
                colour, opacity);
        } else if (RotateEnabled() && !shadowFromBuffer_) {
            ShadowImage->Render(dc, nint(ScaleWidth()) / 2 + settings_.ShadowX,
                                nint(ScaleHeight()) / 2 + settings_.ShadowY, drawWidth_, drawHeight_, 0, 0, 0,
                                0, opacity, true, true, nullptr, settings_.GrayScale, 0,
                                static_cast<float>(settings_.Angle), true);
        } else {
            // Also the shadow of the AutoRedraw buffer, already placed and turned: at its own size.
            ShadowImage->Render(dc, nint(ScaleWidth() - ShadowImage->Width()) / 2 + settings_.ShadowX,
                                nint(ScaleHeight() - ShadowImage->Height()) / 2 + settings_.ShadowY, 0, 0, 0,
                                0, 0, 0, opacity, true, false, nullptr, -1, 0, 0, false);
        }
    }

    const int32_t w = v.right - v.left, h = v.bottom - v.top;
    if (RedrawBuffer) {
        RedrawBuffer->Render(dc, v.left + offsetX_, v.top + offsetY_, w, h, v.left, v.top, w, h,
                             settings_.Opacity, true, true, nullptr, settings_.GrayScale,
                             settings_.Intensity);
    } else if (RotateEnabled()) {
        SourceImage->Render(dc, nint(ScaleWidth()) / 2 + offsetX_, nint(ScaleHeight()) / 2 + offsetY_,
                            drawWidth_, drawHeight_, 0, 0, 0, 0, settings_.Opacity, true, true, nullptr,
                            settings_.GrayScale, settings_.Intensity, static_cast<float>(settings_.Angle),
                            true);
    } else if (drawnUnscaled_) {
        SourceImage->Render(dc, v.left + offsetX_, v.top + offsetY_, w, h, v.left - imageX_, v.top - imageY_,
                            w, h, settings_.Opacity, true, true, nullptr, settings_.GrayScale,
                            settings_.Intensity);
    } else {
        SourceImage->Render(dc, imageX_ + offsetX_, imageY_ + offsetY_, drawWidth_, drawHeight_, 0, 0, 0, 0,
                            settings_.Opacity, true, true, nullptr, settings_.GrayScale, settings_.Intensity);
    }
}
