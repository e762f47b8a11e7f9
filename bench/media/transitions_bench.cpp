// Times the ten page transitions on 800 x 600 picture boxes, as the main window plays them:
//  - one step of each code (its drawing plus the refresh of the overlay) with no wait between
//    steps, as a ratio to the plainest step: one 800 x 600 copy into the overlay plus its refresh;
//  - each code's wall time at its own step delay on the real tick count;
//  - the tick count's granularity, which paces every code but the two random-lines ones.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "../timing.h"
#include "controls/media/Module4.h"
#include "controls/media/modTransEffects.h"
#include "runtime/controls.h"
#include "runtime/form.h"
#include "runtime/handles.h"
#include "runtime/ui.h"

namespace {

constexpr int W = 800, H = 600;

rt::Picture Solid(COLORREF colour) {
    rt::ScreenDC screen;
    rt::Bitmap bitmap(CreateCompatibleBitmap(screen.get(), W, H));
    {
        rt::MemoryDC dc(screen.get());
        rt::SelectGuard sel(dc.get(), bitmap.get());
        rt::Brush brush(CreateSolidBrush(colour));
        RECT r{0, 0, W, H};
        FillRect(dc.get(), &r, brush.get());
    }
    return rt::Picture::FromBitmap(bitmap.release(), true);
}

class Stage : public rt::Form {
public:
    Stage() : Form("Stage") {
        BorderStyle(rt::vbBSNone);
        Move(0, 0, W * 15, H * 15);
        for (rt::PictureBox* b : {&Picture5, &Picture6, &Picture7}) {
            b->BorderStyle(0);
            b->AutoRedraw(true);
            b->AutoSize(true);
        }
        Picture5.Visible(false);
        Picture6.Visible(false);
        Picture5.SetPicture(Solid(RGB(255, 0, 0)));
        Picture6.SetPicture(Solid(RGB(0, 0, 255)));
    }
    rt::PictureBox Picture5{*this, "Picture5"};
    rt::PictureBox Picture6{*this, "Picture6"};
    rt::PictureBox Picture7{*this, "Picture7"};

    // The overlay shows the old page again.
    void Reset() {
        Picture7.SetPicture(Picture5.GetPicture());
        Picture7.Refresh();
    }
};

// Milliseconds between two changes of the tick count, over a number of changes.
std::vector<double> TickSteps(int changes) {
    std::vector<double> steps;
    DWORD last = GetTickCount();
    while (GetTickCount() == last) {
    }
    last = GetTickCount();
    for (int i = 0; i < changes; ++i) {
        DWORD now;
        while ((now = GetTickCount()) == last) {
        }
        steps.push_back(static_cast<double>(now - last));
        last = now;
    }
    return steps;
}

}  // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::atoi(argv[1]) : 5;
    Stage& stage = rt::Load<Stage>();
    stage.Show();
    const Module4::TransitionBoxes boxes{stage.Picture5, stage.Picture6, stage.Picture7};
    const char* const codes[] = {"wl", "wr", "wu", "wd", "wh", "wv", "sp", "su", "rlh", "rlv"};

    // One step of each code with no wait (ticks that leap on at every reading), against as many
    // plainest steps: the whole new page copied into the overlay, and the refresh. The two run in
    // turn, and the medians of the rounds are compared, so that other work on the machine slows
    // both alike.
    int refreshes = 0;
    uint32_t fakeTick = 0;
    modTransEffects::Seam().tickCount = [&] { return fakeTick += 1000; };
    modTransEffects::Seam().refreshed = [&](rt::PictureBox&) { ++refreshes; };
    std::printf("%-4s %6s %12s %12s %8s\n", "code", "steps", "ms per step", "plain step", "ratio");
    for (const char* code : codes) {
        stage.Reset();
        refreshes = 0;
        Module4::PageTransition(code, boxes);
        const int steps = refreshes;
        const auto [effect, plain] = bench::Medians(
            [&] {
                stage.Reset();
                Module4::PageTransition(code, boxes);
            },
            [&] {
                stage.Reset();
                for (int i = 0; i < steps; ++i) {
                    BitBlt(stage.Picture7.hDC(), 0, 0, W, H, stage.Picture6.hDC(), 0, 0, SRCCOPY);
                    stage.Picture7.Refresh();
                }
            },
            runs);
        std::printf("%-4s %6d %12.3f %12.3f %8.2f\n", code, steps, effect / steps, plain / steps,
                    effect / plain);
    }

    // Each code at its own pace on the real tick count.
    modTransEffects::Seam() = {};
    const std::vector<double> ticks = TickSteps(60);
    double sum = 0;
    for (double s : ticks) sum += s;
    std::printf("\ntick count granularity over %zu changes: mean %.2f ms, min %.0f, max %.0f\n\n",
                ticks.size(), sum / static_cast<double>(ticks.size()),
                *std::min_element(ticks.begin(), ticks.end()), *std::max_element(ticks.begin(), ticks.end()));
    std::printf("%-4s %10s\n", "code", "wall s");
    for (const char* code : codes) {
        stage.Reset();
        const double t0 = bench::Seconds();
        Module4::PageTransition(code, boxes);
        std::printf("%-4s %10.2f\n", code, bench::Seconds() - t0);
    }
    stage.Unload();
    return 0;
}
