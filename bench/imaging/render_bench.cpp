// Times the three drawing paths of the image object on one picture: the own pipeline (mirror,
// resample, blend through a 24-bit work bitmap), the platform's AlphaBlend and GDI+, unscaled
// and scaled, and prints each path's time per draw and its ratio to AlphaBlend.
#include <windows.h>

#include <cstdio>
#include <cstdlib>

#include "../timing.h"
#include "imaging/c32bppDIB.h"
#include "imaging/gdiplus_service.h"
#include "render_reference.h"

using namespace imaging;

namespace {

enum class Path { Own, AlphaBlend, GdiPlus };

struct Case {
    const char* name;
    int destWidth, destHeight;
    bool highQuality;
};

}  // namespace

int main(int argc, char** argv) {
    const int repeats = argc > 1 ? std::atoi(argv[1]) : 200;
    const int size = 256;

    c32bppDIB picture;
    if (!bench::MakeRampPicture(picture, size)) return 1;
    bench::RenderTarget target;

    ULONG_PTR token = 0;
    const bool gdiplus = GdiplusService::Instance().Start(token);

    const Case cases[] = {
        {"unscaled 256x256", size, size, false},
        {"scaled to 384x384, nearest", 384, 384, false},
        {"scaled to 384x384, bilinear/high quality", 384, 384, true},
    };
    std::printf("%-42s %12s %12s %12s %10s %10s\n", "case", "own us", "AlphaBlend us", "GDI+ us", "own/AB",
                "own/GDI+");
    for (const Case& c : cases) {
        double us[3] = {0, 0, 0};
        for (Path path : {Path::Own, Path::AlphaBlend, Path::GdiPlus}) {
            if (path == Path::GdiPlus && !gdiplus) continue;
            picture.HighQualityInterpolation(c.highQuality);
            picture.isGDIplusEnabled(path == Path::GdiPlus);
            picture.isAlphaBlendFriendly(path == Path::AlphaBlend);
            picture.gdiToken(path == Path::GdiPlus ? token : 0);
            // AlphaBlend draws low-quality scaling only; its scaled case is always nearest/halftone.
            if (path == Path::AlphaBlend) picture.HighQualityInterpolation(false);
            picture.Render(target.dc(), 10, 10, c.destWidth, c.destHeight);  // warm-up
            const double start = bench::Seconds();
            for (int i = 0; i < repeats; ++i) picture.Render(target.dc(), 10, 10, c.destWidth, c.destHeight);
            GdiFlush();
            us[static_cast<int>(path)] = (bench::Seconds() - start) * 1e6 / repeats;
        }
        std::printf("%-42s %12.1f %12.1f %12.1f %10.2f %10.2f\n", c.name, us[0], us[1], us[2],
                    us[1] > 0 ? us[0] / us[1] : 0.0, us[2] > 0 ? us[0] / us[2] : 0.0);
    }
    if (gdiplus) GdiplusService::Instance().Stop(token);
    return 0;
}
