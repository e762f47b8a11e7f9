// Pixel access, regions and copies: one pixel's colour, pixel bytes out and in, the alpha region,
// and copies into other image objects at the same or another size.
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>

#include "imaging/c32bppDIB.h"
#include "imaging/gdiplus_bridge.h"
#include "imaging/parsers_win.h"
#include "imaging/pixels/soft_render.h"

namespace imaging {

namespace {

PixelLayout LayoutOf(bool bgr, bool bits32, bool wordAligned, bool bottomUp, bool premultiplied) {
    PixelLayout layout;
    layout.bgr = bgr;
    layout.bits32 = bits32;
    layout.wordAligned = wordAligned;
    layout.bottomUp = bottomUp;
    layout.premultiplied = premultiplied;
    return layout;
}

// Clears a flag bit for a scope and sets it again at the end.
class ClearedBit {
public:
    ClearedBit(int32_t& flags, int32_t bit, bool clear) : flags_(flags), bit_(clear ? bit : 0) {
        flags_ &= ~bit_;
    }
    ClearedBit(const ClearedBit&) = delete;
    ClearedBit& operator=(const ClearedBit&) = delete;
    ~ClearedBit() { flags_ |= bit_; }

private:
    int32_t& flags_;
    int32_t bit_;
};

}  // namespace

int32_t c32bppDIB::GetPixel(int32_t x, int32_t y, int32_t* AlphaValue, bool asPreMultiplied) const {
    if (section_) GdiFlush();
    return ReadPixel(View(), x, y, AlphaValue, asPreMultiplied);
}

bool c32bppDIB::GetDIBbits(PixelBytes& outStream, bool as2dArray, bool asBGRformat, bool as32bpp,
                           bool asWordAligned, bool asBottomUp, int32_t x, int32_t y, int32_t Width,
                           int32_t Height, bool asPreMultiplied) const {
    if (!section_) return false;
    GdiFlush();
    return ExportPixels(View(), outStream, as2dArray,
                        LayoutOf(asBGRformat, as32bpp, asWordAligned, asBottomUp, asPreMultiplied), x, y,
                        Width, Height);
}

bool c32bppDIB::SetDIBbits(const std::vector<uint8_t>& inStream, bool isBGRformat, bool is32bpp,
                           bool isWordAligned, bool isBottomUp, int32_t dstx, int32_t dsty, int32_t dstwidth,
                           int32_t dstheight) {
    if (!section_) return false;
    GdiFlush();
    bool hasAlpha = alpha_;
    if (!ImportPixels(View(), inStream.data(), inStream.size(),
                      LayoutOf(isBGRformat, is32bpp, isWordAligned, isBottomUp, true), dstx, dsty, dstwidth,
                      dstheight, hasAlpha))
        return false;
    alpha_ = hasAlpha;
    return true;
}

HRGN c32bppDIB::CreateRegion(int32_t Style, int32_t xOffset, int32_t yOffset) const {
    if (!section_ || Style < 0 || Style > 2) return nullptr;
    HRGN region = BuildAlphaRegion(*this, Style);
    if (region && (xOffset != 0 || yOffset != 0)) OffsetRgn(region, xOffset, yOffset);
    return region;
}

bool c32bppDIB::CopyImageTo(std::unique_ptr<c32bppDIB>& cDIBclass, int32_t newWidth, int32_t newHeight,
                            bool CopyOriginalFormat) {
    if (cDIBclass) return CopyImageTo(*cDIBclass, newWidth, newHeight, CopyOriginalFormat);
    if (!section_) return false;
    std::unique_ptr<c32bppDIB> made(new c32bppDIB(SiblingOf{*this}));
    if (!CopyImageTo(*made, newWidth, newHeight, CopyOriginalFormat)) return false;
    cDIBclass = std::move(made);
    return true;
}

bool c32bppDIB::CopyImageTo(c32bppDIB& cDIBclass, int32_t newWidth, int32_t newHeight,
                            bool CopyOriginalFormat) {
    if (!section_) return false;
    if (newWidth == 0) newWidth = width_;
    if (newHeight == 0) newHeight = height_;
    if (newWidth == INT32_MIN || newHeight == INT32_MIN) return false;
    const int32_t w = std::abs(newWidth), h = std::abs(newHeight);
    const bool exact = newWidth == width_ && newHeight == height_;
    c32bppDIB& target = cDIBclass;
    // A picture cannot be drawn into itself.
    if (&target == this) return exact;

    target.gdiToken(token_);
    if (!target.section_ || target.width_ != w || target.height_ != h) {
        if (!target.InitializeDIB(w, h)) return false;
    } else if (!exact) {
        // A target of the right size is reused; what it held must not show through the copy.
        target.EraseDIB();
    }
    target.alpha_ = alpha_;
    target.imageType_ = imageType_;
    if (CopyOriginalFormat) target.sourceBytes_ = sourceBytes_;

    GdiFlush();
    if (exact) {
        std::memcpy(target.bits_, bits_, static_cast<size_t>(width_) * static_cast<size_t>(height_) * 4);
        return true;
    }

    const ClearedBit scaling(flags_, capAlphaBlendUsable,
                             (flags_ & capAlphaBlendUsable) && (flags_ & capWin9x));
    const bool alphaBlendPlain = isAlphaBlendFriendly() && !highQuality_;
    const ImageView host = target.View();
    float noLight = 0;
    int32_t dw = newWidth, dh = newHeight;
    try {
        if (isGDIplusEnabled() && !alphaBlendPlain) {
            HDC dc = target.LoadDIBinDC(true);
            const bool drawn =
                dc && cGDIPlus().RenderWithGdiPlus(*this, dc, 0, 100, 0, 0, newWidth, newHeight, 0, 0, width_,
                                                   height_, true, -1, token_, 0);
            target.LoadDIBinDC(false);
            return drawn;
        }
        if (newWidth < 0 || newHeight < 0) {
            int32_t sx = 0, sy = 0;
            PixelArray mirrored, unused;
            if (w == width_ && h == height_)
                return MirrorPixels(View(), sx, sy, width_, height_, dw, dh, unused, &host, noLight);
            // Mirrored and scaled: the mirrored picture is then scaled into the target.
            MirrorPixels(View(), sx, sy, width_, height_, dw, dh, mirrored, nullptr, noLight);
            return ResampleImage(View(), unused, mirrored, &host, highQuality_, 0, 0, width_, height_, 0, 0,
                                 dw, dh, noLight);
        }
        if (alphaBlendPlain)
            return Render(nullptr, 0, 0, newWidth, newHeight, 0, 0, width_, height_, 100, true, false,
                          &target, -1, 0, 0, false);
        PixelArray unused, none;
        return ResampleImage(View(), unused, none, &host, highQuality_, 0, 0, width_, height_, 0, 0, dw, dh,
                             noLight);
    } catch (const std::bad_alloc&) {
        return false;
    }
}

}  // namespace imaging
