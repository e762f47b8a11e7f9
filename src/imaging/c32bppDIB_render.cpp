// Render: argument normalisation, the choice between AlphaBlend, GDI+ and the own pipeline, and
// the own pipeline's blend onto a device context through a 24-bit work bitmap.
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "imaging/c32bppDIB.h"
#include "imaging/gdiplus_bridge.h"
#include "imaging/pixels/image_math.h"
#include "imaging/pixels/soft_render.h"
#include "runtime/dib.h"
#include "runtime/handles.h"

namespace imaging {

namespace {

bool FitsInt32(int64_t v) { return v >= INT32_MIN && v <= INT32_MAX; }

// The host image's device context for the length of one drawing call.
class HostDC {
public:
    HostDC(c32bppDIB* host, HDC fallback) : host_(host), dc_(host ? host->LoadDIBinDC(true) : fallback) {}
    HostDC(const HostDC&) = delete;
    HostDC& operator=(const HostDC&) = delete;
    ~HostDC() {
        if (host_) host_->LoadDIBinDC(false);
    }
    HDC get() const { return dc_; }

private:
    c32bppDIB* host_;
    HDC dc_;
};

}  // namespace

bool c32bppDIB::Render(HDC destinationDC, int32_t DestX, int32_t DestY, int32_t DestWidth, int32_t DestHeight,
                       int32_t SrcX, int32_t SrcY, int32_t SrcWidth, int32_t SrcHeight, int32_t Opacity, bool Blend,
                       bool SetHalfTone, c32bppDIB* destHostDIB, int32_t grayScale, float LightAdjustment,
                       float Angle, bool CenterOnDestXY) {
    lastPath_ = RenderPath::None;
    if (Opacity < 1) return static_cast<bool>(section_);
    if (!section_) return false;
    if (!destinationDC && !destHostDIB) return false;
    if (destHostDIB && !destHostDIB->Handle()) return false;

    if (DestWidth == 0) DestWidth = width_;
    if (DestHeight == 0) DestHeight = height_;
    if (SrcX < 0) SrcX = 0;
    if (SrcY < 0) SrcY = 0;
    // A negated size that does not fit 32 bits is an overflow: nothing is drawn.
    if (DestWidth == INT32_MIN || DestHeight == INT32_MIN || SrcWidth == INT32_MIN || SrcHeight == INT32_MIN)
        return false;
    if (SrcWidth == 0) {
        SrcWidth = width_;
    } else if (SrcWidth < 0) {
        SrcWidth = -SrcWidth;
        DestWidth = -DestWidth;
    }
    if (SrcHeight == 0) {
        SrcHeight = height_;
    } else if (SrcHeight < 0) {
        SrcHeight = -SrcHeight;
        DestHeight = -DestHeight;
    }
    if (static_cast<int64_t>(SrcX) + SrcWidth > width_) SrcWidth = width_ - SrcX;
    if (static_cast<int64_t>(SrcY) + SrcHeight > height_) SrcHeight = height_ - SrcY;
    // An empty source rectangle draws nothing.
    if (SrcWidth < 1 || SrcHeight < 1) return false;

    const bool rotate = Angle != std::trunc(Angle) || std::fmod(std::trunc(Angle), 360.0f) != 0;
    int32_t percent = std::abs(Opacity) % 100;
    if (percent == 0) percent = 100;
    if (LightAdjustment > 100 || LightAdjustment < -100) LightAdjustment = 0;

    if (CenterOnDestXY) {
        if (!rotate) {
            DestX -= std::abs(DestWidth) / 2;
            DestY -= std::abs(DestHeight) / 2;
        } else {
            DestX -= DestWidth / 2;
            DestY -= DestHeight / 2;
        }
    }
    // Destinations whose far edge leaves the coordinate range are refused rather than wrapped.
    if (!FitsInt32(static_cast<int64_t>(DestX) + std::abs(static_cast<int64_t>(DestWidth))) ||
        !FitsInt32(static_cast<int64_t>(DestY) + std::abs(static_cast<int64_t>(DestHeight))))
        return false;

    if (rotate) {
        lastPath_ = RenderPath::Rotated;
        HostDC target(destHostDIB, destinationDC);
        return RenderRotated(target.get(), Angle, DestX, DestY, DestWidth, DestHeight, SrcX, SrcY, SrcWidth,
                             SrcHeight, percent, destHostDIB, grayScale, LightAdjustment);
    }

    const bool mirrored = DestWidth <= 0 || DestHeight < 0;
    const bool scaled = std::abs(DestWidth) != SrcWidth || std::abs(DestHeight) != SrcHeight;
    const bool gdiplusRunning = isGDIplusEnabled() && token_ != 0;
    const bool useAlphaBlend = !gdiplusRunning && isAlphaBlendFriendly() && !mirrored && grayScale == -1 &&
                               LightAdjustment == 0 && (!scaled || !highQuality_);

    if (useAlphaBlend) {
        lastPath_ = RenderPath::AlphaBlend;
        HostDC target(destHostDIB, destinationDC);
        if (!target.get()) return false;
        // The section as the source: borrowed from the own device context or made for the call.
        rt::CreatedDC temporary;
        HDC source = ownDC_.get();
        if (!source) {
            rt::ScreenDC screen;
            temporary.reset(CreateCompatibleDC(screen.get()));
            source = temporary.get();
        }
        if (!source) return false;
        std::optional<rt::SelectGuard> select;
        if (!displaced_) {
            select.emplace(source, section_.get());
            if (!select->ok()) return false;
        }
        int oldMode = 0;
        const bool halftone = SetHalfTone && !(flags_ & capWin9x);
        if (halftone) oldMode = SetStretchBltMode(target.get(), HALFTONE);
        BLENDFUNCTION blend{AC_SRC_OVER, 0, static_cast<BYTE>(percent * 255 / 100),
                            static_cast<BYTE>(alpha_ ? AC_SRC_ALPHA : 0)};
        const bool ok = AlphaBlend(target.get(), DestX, DestY, DestWidth, DestHeight, source, SrcX, SrcY, SrcWidth,
                                   SrcHeight, blend) != FALSE;
        if (halftone && oldMode) SetStretchBltMode(target.get(), oldMode);
        return ok;
    }

    if (isGDIplusEnabled()) {
        lastPath_ = RenderPath::GdiPlus;
        HostDC target(destHostDIB, destinationDC);
        if (!target.get()) return false;
        return cGDIPlus().RenderWithGdiPlus(*this, target.get(), 0, percent, DestX, DestY, DestWidth, DestHeight, SrcX,
                                            SrcY, SrcWidth, SrcHeight, highQuality_, grayScale, token_,
                                            LightAdjustment);
    }

    lastPath_ = RenderPath::Own;
    GdiFlush();
    PixelArray work;
    if (mirrored)
        MirrorPixels(View(), SrcX, SrcY, SrcWidth, SrcHeight, DestWidth, DestHeight, work, nullptr, LightAdjustment);
    const uint8_t constantAlpha = static_cast<uint8_t>(percent * 255 / 100);
    if (scaled) {
        PixelArray scaledPixels;
        if (!ResampleImage(View(), scaledPixels, work, nullptr, highQuality_, SrcX, SrcY, SrcWidth, SrcHeight, DestX,
                           DestY, DestWidth, DestHeight, LightAdjustment))
            return false;
        return BlendOntoDC(destinationDC, scaledPixels, SrcX, SrcY, DestX, DestY, DestWidth, DestHeight,
                           constantAlpha, destHostDIB, grayScale, LightAdjustment, false);
    }
    return BlendOntoDC(destinationDC, work, SrcX, SrcY, DestX, DestY, DestWidth, DestHeight, constantAlpha,
                       destHostDIB, grayScale, LightAdjustment, true);
}

bool c32bppDIB::BlendOntoDC(HDC destinationDC, PixelArray& pixels, int32_t SrcX, int32_t SrcY, int32_t DestX,
                            int32_t DestY, int32_t DestWidth, int32_t DestHeight, uint8_t constantAlpha,
                            c32bppDIB* destHostDIB, int32_t grayScale, float LightAdjustment, bool clipArray) {
    ImageView source;
    PixelArray lightCopy;
    int32_t sx = 0, sy = 0;
    bool clip = true;
    if (!pixels.empty()) {
        source = pixels.View();
        // A resampled array was already cut at the left and top; a mirrored one is cut here.
        clip = clipArray;
    } else {
        if (LightAdjustment != 0) {
            const ImageView self = View();
            AdjustLightness(&self, LightAdjustment, lightCopy);
            source = lightCopy.View();
        } else {
            source = View();
        }
        sx = SrcX;
        sy = SrcY;
    }
    if (DestX < 0) {
        if (clip) {
            sx -= DestX;
            DestWidth += DestX;
        }
        DestX = 0;
    }
    if (DestY < 0) {
        if (clip) {
            sy -= DestY;
            DestHeight += DestY;
        }
        DestY = 0;
    }
    if (destHostDIB) {
        DestWidth = std::min(DestWidth, destHostDIB->Width());
        DestHeight = std::min(DestHeight, destHostDIB->Height());
    }
    if (DestWidth < 1 || DestHeight < 1) return false;

    if (destHostDIB) {
        GdiFlush();
        BlendTarget target{destHostDIB->Bits(), destHostDIB->Width(), destHostDIB->Height(),
                           destHostDIB->scanWidth(), 4};
        BlendPixels(source, sx, sy, target, DestX, DestY, DestWidth, DestHeight, constantAlpha, grayScale);
        pixels.Erase();
        return true;
    }

    BITMAPINFO info = rt::DibHeader(DestWidth, DestHeight, 24, true);
    const int64_t stride = AlignedRowBytes(24, DestWidth);
    if (stride * DestHeight > INT32_MAX) return false;
    info.bmiHeader.biSizeImage = static_cast<DWORD>(stride * DestHeight);
    rt::Bitmap work;
    void* bits = nullptr;
    {
        rt::ScreenDC screen;
        rt::MemoryDC memory(screen.get());
        if (!memory) return false;
        work.reset(CreateDIBSection(memory.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        if (!work || !bits) return false;
        rt::SelectGuard select(memory.get(), work.get());
        if (!select.ok()) return false;
        BitBlt(memory.get(), 0, 0, DestWidth, DestHeight, destinationDC, DestX, DestY, SRCCOPY);
    }
    GdiFlush();
    BlendTarget target{static_cast<uint8_t*>(bits), DestWidth, DestHeight, static_cast<int32_t>(stride), 3};
    BlendPixels(source, sx, sy, target, 0, 0, DestWidth, DestHeight, constantAlpha, grayScale);
    pixels.Erase();
    SetDIBitsToDevice(destinationDC, DestX, DestY, static_cast<DWORD>(DestWidth), static_cast<DWORD>(DestHeight), 0, 0,
                      0, static_cast<UINT>(DestHeight), bits, &info, DIB_RGB_COLORS);
    return true;
}

}  // namespace imaging
