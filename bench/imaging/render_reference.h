// What the drawing benchmarks share: the picture they draw (premultiplied, with an alpha
// ramp, so every path blends) and the target it is drawn onto (a 24-bit memory bitmap, as a
// window's back buffer would be). The buttons' benchmark measures against the same AlphaBlend draw.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>

#include "imaging/c32bppDIB.h"
#include "runtime/handles.h"

namespace bench {

// The reference picture, size x size pixels.
inline bool MakeRampPicture(imaging::c32bppDIB& picture, int size) {
    if (!picture.InitializeDIB(size, size)) return false;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            uint8_t* p = picture.BitsPointer() + (static_cast<size_t>(y) * static_cast<size_t>(size) + static_cast<size_t>(x)) * 4;
            const int a = (x + y) / 2;
            p[0] = static_cast<uint8_t>(x * a / 255);
            p[1] = static_cast<uint8_t>(y * a / 255);
            p[2] = static_cast<uint8_t>(128 * a / 255);
            p[3] = static_cast<uint8_t>(a);
        }
    return true;
}

// A 640 x 640 24-bit memory bitmap selected into its own DC.
class RenderTarget {
public:
    RenderTarget() : dc_(screen_.get()), bitmap_(Make(dc_.get())), select_(dc_.get(), bitmap_.get()) {}
    HDC dc() const noexcept { return dc_.get(); }

private:
    static HBITMAP Make(HDC dc) {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = 640;
        info.bmiHeader.biHeight = 640;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 24;
        void* bits = nullptr;
        return CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    }
    rt::ScreenDC screen_;
    rt::MemoryDC dc_;
    rt::Bitmap bitmap_;
    rt::SelectGuard select_;
};

}  // namespace bench
