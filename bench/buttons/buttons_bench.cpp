// Times the button controls' pixel work against the platform's nearest operation: a picture-shaped
// button's poll tick (stretch the state picture, find its opaque runs, build the outline) against
// one StretchBlt of the same size, and the dialog button's compositing at 32 by 32 against
// TransparentBlt.
#include <windows.h>

#include <cstdio>
#include <cstdlib>

#include "../timing.h"
#include "controls/buttons/chameleon_draw.h"
#include "controls/buttons/shaped_region.h"
#include "runtime/handles.h"

namespace {

template <class F>
double PerCall(int repeats, F&& f) {
    f();
    const double start = bench::Seconds();
    for (int i = 0; i < repeats; ++i) f();
    return (bench::Seconds() - start) / repeats;
}

// A w by h bitmap: the left quarter magenta, the rest red.
HBITMAP StatePicture(HDC screen, int w, int h) {
    HBITMAP bm = CreateCompatibleBitmap(screen, w, h);
    rt::MemoryDC dc(screen);
    rt::SelectGuard sel(dc.get(), bm);
    rt::Brush red(CreateSolidBrush(RGB(255, 0, 0))), magenta(CreateSolidBrush(RGB(255, 0, 255)));
    RECT all{0, 0, w, h}, left{0, 0, w / 4, h};
    FillRect(dc.get(), &all, red.get());
    FillRect(dc.get(), &left, magenta.get());
    return bm;
}

}  // namespace

int main(int argc, char** argv) {
    const int repeats = argc > 1 ? std::atoi(argv[1]) : 2000;
    rt::ScreenDC screen;
    rt::MemoryDC target(screen.get());
    rt::Bitmap surface(CreateCompatibleBitmap(screen.get(), 200, 200));
    rt::SelectGuard selTarget(target.get(), surface.get());

    // The poll tick at 80 by 40 from a 40 by 20 picture.
    const rt::Picture state = rt::Picture::FromBitmap(StatePicture(screen.get(), 40, 20));
    const int w = 80, h = 40;
    rt::MemoryDC source(screen.get());
    rt::Bitmap sourceBitmap(StatePicture(screen.get(), 40, 20));
    rt::SelectGuard selSource(source.get(), sourceBitmap.get());
    const double stretch =
        PerCall(repeats, [&] { StretchBlt(target.get(), 0, 0, w, h, source.get(), 0, 0, 40, 20, SRCCOPY); });
    const double tick = PerCall(repeats, [&] {
        BITMAPINFO bi{};
        bi.bmiHeader.biSize = sizeof bi.bmiHeader;
        bi.bmiHeader.biWidth = w;
        bi.bmiHeader.biHeight = -h;
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        rt::Bitmap stretched(CreateDIBSection(screen.get(), &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
        rt::MemoryDC dc(screen.get());
        rt::SelectGuard sel(dc.get(), stretched.get());
        state.Render(dc.get(), 0, 0, w, h);
        GdiFlush();
        rt::Region outline(CreateRectRgn(0, 0, 0, 0));
        for (const controls::ShapedRun& r :
             controls::ShapedOpaqueRuns(static_cast<uint8_t*>(bits), w, h, 0xFF00FF)) {
            rt::Region part(CreateRectRgn(r.left, r.top, r.right, r.bottom));
            CombineRgn(outline.get(), outline.get(), part.get(), RGN_OR);
        }
    });

    // Compositing at 32 by 32 with a mask colour.
    const rt::Picture icon = rt::Picture::FromBitmap(StatePicture(screen.get(), 32, 32));
    rt::MemoryDC iconDc(screen.get());
    rt::Bitmap iconBitmap(StatePicture(screen.get(), 32, 32));
    rt::SelectGuard selIcon(iconDc.get(), iconBitmap.get());
    const controls::ChameleonBlend masked{true, 0xFF00FF, -1, false, false, false};
    const double compose =
        PerCall(repeats, [&] { controls::ChameleonMaskBlt(target.get(), 10, 10, 32, 32, icon, masked); });
    const double transparent = PerCall(repeats, [&] {
        TransparentBlt(target.get(), 10, 10, 32, 32, iconDc.get(), 0, 0, 32, 32, RGB(255, 0, 255));
    });

    std::printf("ShapedButton poll tick 80x40: %.2f us, StretchBlt: %.2f us, ratio %.1f\n", tick * 1e6,
                stretch * 1e6, tick / stretch);
    std::printf("ChameleonMaskBlt 32x32: %.2f us, TransparentBlt: %.2f us, ratio %.1f\n", compose * 1e6,
                transparent * 1e6, compose / transparent);
    return 0;
}
