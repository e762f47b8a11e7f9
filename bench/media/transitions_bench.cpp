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

#include "../bench_clock.h"
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
    const int repeats = argc > 1 ? std::atoi(argv[1]) : 3;
    Stage& stage = rt::Load<Stage>();
    stage.Show();
    const Module4::TransitionBoxes boxes{stage.Picture5, stage.Picture6, stage.Picture7};
    const char* const codes[] = {"wl", "wr", "wu", "wd", "wh", "wv", "sp", "su", "rlh", "rlv"};

    // The plainest step: the whole new page copied into the overlay, and the refresh.
    const int plainSteps = 300;
    stage.Reset();
    double t0 = Seconds();
    for (int i = 0; i < plainSteps; ++i) {
        BitBlt(stage.Picture7.hDC(), 0, 0, W, H, stage.Picture6.hDC(), 0, 0, SRCCOPY);
        stage.Picture7.Refresh();
    }
    const double plain = (Seconds() - t0) / plainSteps;
    std::printf("plain 800x600 BitBlt + refresh: %.3f ms\n\n", plain * 1000);

    // One step of each code with no wait: ticks that leap on at every reading.
    int refreshes = 0;
    uint32_t fakeTick = 0;
    modTransEffects::Seam().tickCount = [&] { return fakeTick += 1000; };
    modTransEffects::Seam().refreshed = [&](rt::PictureBox&) { ++refreshes; };
    std::printf("%-4s %6s %12s %8s\n", "code", "steps", "ms per step", "ratio");
    for (const char* code : codes) {
        double best = 1e9;
        int steps = 0;
        for (int r = 0; r < repeats; ++r) {
            stage.Reset();
            refreshes = 0;
            t0 = Seconds();
            Module4::PageTransition(code, boxes);
            best = std::min(best, (Seconds() - t0) / refreshes);
            steps = refreshes;
        }
        std::printf("%-4s %6d %12.3f %8.2f\n", code, steps, best * 1000, best / plain);
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
        t0 = Seconds();
        Module4::PageTransition(code, boxes);
        std::printf("%-4s %10.2f\n", code, Seconds() - t0);
    }
    stage.Unload();
    return 0;
}
