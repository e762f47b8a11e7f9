// Effects: colour inversion, the colour key and its reversal, mirroring in place, the blurred
// drop shadow and the checkerboard.
#include <algorithm>
#include <cstring>

#include "imaging/c32bppDIB.h"
#include "runtime/handles.h"
#include "imaging/pixels/pixel_effects.h"

namespace imaging {

bool c32bppDIB::MakeImageInverse() {
    if (!section_) return false;
    GdiFlush();
    InvertPixels(View());
    return true;
}

bool c32bppDIB::MakeTransparent(int32_t TransparentColor, bool Revert) {
    if (!section_) return false;
    GdiFlush();
    if (!Revert) {
        if (KeyColourToTransparent(View(), TransparentColor)) {
            alpha_ = true;
            if (imageType_ == imgBitmap) imageType_ = imgPremultipliedAlpha;
        }
        return true;
    }
    TransparentToKeyColour(View(), TransparentColor);
    bool hasAlpha = false;
    int32_t code = imgBlank;
    ClassifyAlphaChannel(PixelBlock{bits_, width_, height_}, false, hasAlpha, code);
    alpha_ = hasAlpha;
    if (!hasAlpha && (imageType_ == imgStraightAlpha || imageType_ == imgPremultipliedAlpha))
        imageType_ = imgBitmap;
    return true;
}

bool c32bppDIB::MirrorImage(bool MirrorAxisX, bool MirrorAxisY) {
    if (!section_ || (!MirrorAxisX && !MirrorAxisY)) return false;
    GdiFlush();
    int32_t sx = 0, sy = 0;
    int32_t w = MirrorAxisX ? -width_ : width_, h = MirrorAxisY ? -height_ : height_;
    float noLight = 0;
    PixelArray work;
    if (!MirrorPixels(View(), sx, sy, width_, height_, w, h, work, nullptr, noLight)) return false;
    std::memcpy(bits_, work.bytes.data(), work.bytes.size());
    return true;
}

std::unique_ptr<c32bppDIB> c32bppDIB::CreateDropShadow(int32_t blurDepth, int32_t Color) const {
    if (!section_) return nullptr;
    const int32_t a = 2 * ShadowBlurDepth(blurDepth);
    auto shadow = std::make_unique<c32bppDIB>();
    shadow->gdiToken(token_);
    if (!shadow->InitializeDIB(width_ + a, height_ + a)) return nullptr;
    GdiFlush();
    BlurShadow(View(), shadow->View(), blurDepth, Color);
    shadow->alpha_ = true;
    shadow->imageType_ = imgPremultipliedAlpha;
    return shadow;
}

bool c32bppDIB::RenderDropShadow_JIT(HDC hdc, int32_t x, int32_t y, int32_t blurDepth, int32_t Color,
                                     int32_t Opacity) const {
    const std::unique_ptr<c32bppDIB> shadow = CreateDropShadow(blurDepth, Color);
    return shadow &&
           shadow->Render(hdc, x, y, 0, 0, 0, 0, 0, 0, Opacity, true, true, nullptr, -1, 0, 0, false);
}

bool c32bppDIB::CreateCheckerBoard(int32_t CheckerSize, int32_t FirstColor, int32_t SecondColor) {
    // Squares of no size would never end the painting.
    if (!section_ || CheckerSize < 1) return false;
    const bool selected = displaced_ != nullptr;
    HDC dc = LoadDIBinDC(true);
    if (!dc) return false;
    {
        const rt::Brush first(CreateSolidBrush(static_cast<COLORREF>(FirstColor)));
        const rt::Brush second(CreateSolidBrush(static_cast<COLORREF>(SecondColor)));
        int64_t row = 0;
        for (int64_t y = 0; y < height_; y += CheckerSize, ++row) {
            int64_t column = 0;
            for (int64_t x = 0; x < width_; x += CheckerSize, ++column) {
                const RECT square{static_cast<LONG>(x), static_cast<LONG>(y),
                                  static_cast<LONG>(std::min<int64_t>(x + CheckerSize, width_)),
                                  static_cast<LONG>(std::min<int64_t>(y + CheckerSize, height_))};
                FillRect(dc, &square, ((row + column) & 1) ? second.get() : first.get());
            }
        }
    }
    if (!selected) LoadDIBinDC(false);
    GdiFlush();
    uint8_t* p = bits_;
    for (size_t i = static_cast<size_t>(width_) * static_cast<size_t>(height_); i > 0; --i, p += 4)
        p[3] = 255;
    alpha_ = false;
    imageType_ = imgCheckerBoard;
    return true;
}

}  // namespace imaging
