// Turned drawing: through GDI+ when it is enabled and draws, otherwise by the image's own
// rotation into a square work image that is then drawn unturned.
#include <cstdint>
#include <exception>

#include "imaging/c32bppDIB.h"
#include "imaging/gdiplus_bridge.h"
#include "imaging/pixels/rotation.h"
#include "imaging/pixels/soft_render.h"

namespace imaging {

bool c32bppDIB::RenderRotated(HDC destinationDC, float Angle, int32_t DestX, int32_t DestY, int32_t DestWidth,
                              int32_t DestHeight, int32_t SrcX, int32_t SrcY, int32_t SrcWidth,
                              int32_t SrcHeight, int32_t opacity, c32bppDIB* destHostDIB, int32_t grayScale,
                              float LightAdjustment) {
    if (isGDIplusEnabled() &&
        cGDIPlus().RenderWithGdiPlus(*this, destinationDC, Angle, opacity, DestX, DestY, DestWidth,
                                     DestHeight, SrcX, SrcY, SrcWidth, SrcHeight, highQuality_, grayScale,
                                     token_, LightAdjustment)) {
        lastPath_ = RenderPath::GdiPlus;
        return true;
    }
    // A work square that cannot be made draws nothing and reports false.
    try {
        // A mirrored box extends to the left of, or above, its position.
        const int64_t left = static_cast<int64_t>(DestX) + (DestWidth < 0 ? DestWidth : 0);
        const int64_t top = static_cast<int64_t>(DestY) + (DestHeight < 0 ? DestHeight : 0);
        if (left < INT32_MIN || top < INT32_MIN) return false;
        DestX = static_cast<int32_t>(left);
        DestY = static_cast<int32_t>(top);
        GdiFlush();
        PixelArray copy;
        if (!MirrorPixels(View(), SrcX, SrcY, SrcWidth, SrcHeight, DestWidth, DestHeight, copy, nullptr,
                          LightAdjustment) &&
            LightAdjustment != 0) {
            const ImageView self = View();
            AdjustLightness(&self, LightAdjustment, copy);
        }
        RotationSquare square;
        if (!RotationSquareFor(DestX, DestY, DestWidth, DestHeight, square)) return false;
        c32bppDIB work(SiblingOf{*this});
        if (!work.InitializeDIB(square.side, square.side)) return false;
        RotateIntoSquare(copy.empty() ? View() : copy.View(), SrcX, SrcY, SrcWidth, SrcHeight, DestWidth,
                         DestHeight, Angle, highQuality_, work.View());
        copy.Erase();
        return work.Render(destinationDC, square.x, square.y, 0, 0, 0, 0, 0, 0, opacity, true,
                           destHostDIB == nullptr, destHostDIB, grayScale, 0, 0, false);
    } catch (const std::exception&) {
        return false;
    }
}

}  // namespace imaging
