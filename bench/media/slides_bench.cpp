// The slideshow's fit and the thumbnail browser's rebuild:
//  - one fit of a 1920 x 1080 bitmap into 800 x 600 as the slideshow makes it (GDI+ started and
//    stopped around it), split into the start and stop alone and the decode and draw with GDI+
//    kept running, against a bare GdipDrawImageRectRectI of a ready image into ready graphics;
//  - a rebuild over 50 generated 1920 x 1080 JPEGs: time per picture and the process's peak memory.
// Windows only; run under Wine: wine slides_bench.exe
#include <windows.h>
// after windows.h
#include <psapi.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include "../timing.h"
#include "controls/common/main_window_link.h"
#include "controls/media/modGDIPlusResize.h"
#include "controls/media/thumb.h"
#include "runtime/form.h"
#include "runtime/handles.h"
#include "runtime/ui.h"
#include "support/picture_files.h"

namespace {

constexpr int PW = 1920, PH = 1080, BW = 800, BH = 600;

rt::Picture Solid(int w, int h) {
    rt::ScreenDC screen;
    rt::Bitmap bitmap(CreateCompatibleBitmap(screen.get(), w, h));
    {
        rt::MemoryDC dc(screen.get());
        rt::SelectGuard sel(dc.get(), bitmap.get());
        for (int i = 0; i < 16; ++i) {
            rt::Brush brush(CreateSolidBrush(RGB(i * 16, 255 - i * 16, 128)));
            RECT r{i * w / 16, 0, (i + 1) * w / 16, h};
            FillRect(dc.get(), &r, brush.get());
        }
    }
    return rt::Picture::FromBitmap(bitmap.release(), true);
}

size_t PeakMegabytes() {
    PROCESS_MEMORY_COUNTERS pmc{};
    pmc.cb = sizeof pmc;
    GetProcessMemoryInfo(GetCurrentProcess(), &pmc, sizeof pmc);
    return pmc.PeakPagefileUsage / (1024 * 1024);
}

class Stage : public rt::Form {
public:
    Stage() : Form("Stage") {
        BorderStyle(rt::vbBSNone);
        Move(0, 0, 800 * 15, 600 * 15);
        Show();
    }
};

}  // namespace

int main() {
    const rt::Picture picture = Solid(PW, PH);
    const uintptr_t handle = picture.Handle();
    using modGDIPlusResize::GdipEndToken;
    using modGDIPlusResize::GdipStartToken;
    using modGDIPlusResize::ScalePictureGdip;

    // The fit as the slideshow makes it, against the start and stop alone.
    auto [fit, startStop] = bench::Medians(
        [&] {
            ULONG_PTR t = GdipStartToken();
            ScalePictureGdip(handle, rt::vbPicTypeBitmap, BW, BH, 0, true, false);
            GdipEndToken(t);
        },
        [&] {
            ULONG_PTR t = GdipStartToken();
            GdipEndToken(t);
        },
        7);

    // With GDI+ kept running: the fit's decode and draw, against a bare draw.
    ULONG_PTR keep = GdipStartToken();
    const imaging::GdiplusApi& api = *imaging::GdiplusService::Instance().Api(keep);
    imaging::gdip::GpImage* image = nullptr;
    api.GdipCreateBitmapFromHBITMAP(reinterpret_cast<HBITMAP>(handle), nullptr, &image);
    rt::ScreenDC screen;
    rt::MemoryDC memory(screen.get());
    rt::Bitmap target(CreateCompatibleBitmap(screen.get(), BW, BH));
    rt::SelectGuard sel(memory.get(), target.get());
    imaging::gdip::GpGraphics* graphics = nullptr;
    api.GdipCreateFromHDC(memory.get(), &graphics);
    api.GdipSetInterpolationMode(graphics, imaging::gdip::InterpolationModeHighQualityBicubic);
    auto [fitRunning, bareDraw] =
        bench::Medians([&] { ScalePictureGdip(handle, rt::vbPicTypeBitmap, BW, BH, 0, true, false); },
                       [&] {
                           api.GdipDrawImageRectRectI(graphics, image, 0, 34, 800, 450, 0, 0, PW, PH,
                                                      imaging::gdip::UnitPixel, nullptr, nullptr, nullptr);
                       },
                       7);
    api.GdipDeleteGraphics(graphics);
    api.GdipDisposeImage(image);

    std::printf("fit %dx%d into %dx%d (ms, medians)\n", PW, PH, BW, BH);
    std::printf("  whole fit with start and stop: %8.2f\n", fit);
    std::printf("  start and stop alone:          %8.2f\n", startStop);
    std::printf("  decode and draw (GDI+ running):%8.2f\n", fitRunning);
    std::printf("  bare GdipDrawImageRectRectI:   %8.2f  (fit / bare %.2f)\n", bareDraw,
                fitRunning / bareDraw);

    // 50 JPEGs of 1920 x 1080 in a folder of their own.
    const std::filesystem::path root = std::filesystem::temp_directory_path() / "vantrel-slides-bench";
    std::filesystem::create_directories(root / "jpegs");
    for (int i = 0; i < 50; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "p%02d.jpg", i);
        mediatest::WritePicture((root / "jpegs" / name).string(), PW, PH, RGB(i * 5, 100, 200),
                                RGB(200, i * 5, 50), L"image/jpeg");
    }
    GdipEndToken(keep);
    controls::MainWindow().pat = [&] { return root.string() + "\\"; };
    const size_t peakBefore = PeakMegabytes();
    double perPicture = 0;
    {
        Stage stage;
        controls::thumb browser(stage, "browser", -1, std::make_shared<const rt::PropertyBag>());
        browser.Move(0, 0, 800 * 15, 600 * 15);
        browser.pathflder = "jpegs";
        const double t0 = bench::Seconds();
        browser.strtload();
        perPicture = (bench::Seconds() - t0) * 1000 / 50;
    }
    std::printf(
        "thumbnails of 50 JPEGs %dx%d at zoom 3: %.1f ms per picture; peak memory %zu MB (%zu MB before)\n",
        PW, PH, perPicture, PeakMegabytes(), peakBefore);
    std::error_code ec;
    std::filesystem::remove_all(root, ec);
    return 0;
}
