#include "controls/media/modTransEffects.h"

#include <windows.h>

#include <numeric>
#include <vector>

#include "runtime/controls.h"
#include "runtime/random.h"
#include "runtime/win.h"

namespace modTransEffects {

int32_t EffectStepDelay = 0;

namespace {

bool EffectRunning = false;
// Read right after the last step was shown; it carries over from one effect to the next.
uint32_t EffectLastTick = 0;

uint32_t TickCount() {
    return Seam().tickCount ? Seam().tickCount() : GetTickCount();
}

// The running flag for the length of one step loop. It is cleared however the loop ends: a flag
// left set by a failure would turn every later effect into nothing.
class Running {
public:
    Running() { EffectRunning = true; }
    ~Running() { EffectRunning = false; }
    Running(const Running&) = delete;
    Running& operator=(const Running&) = delete;
};

struct Area {
    int32_t W, H;
};

Area EffectArea(rt::PictureBox& dest) {
    return {rt::RoundEven(dest.Width()) / rt::TwipsPerPixelX(),
            rt::RoundEven(dest.Height()) / rt::TwipsPerPixelY()};
}

void Copy(rt::PictureBox& dest, int x, int y, int w, int h, rt::PictureBox& source, int sx, int sy) {
    BitBlt(dest.hDC(), x, y, w, h, source.hDC(), sx, sy, SRCCOPY);
}

void Stretch(rt::PictureBox& dest, int x, int w, int h, rt::PictureBox& source, int sw) {
    StretchBlt(dest.hDC(), x, 0, w, h, source.hDC(), 0, 0, sw, h, SRCCOPY);
}

// The frame's step loop. step() tests the end, draws and advances; it answers false when the
// effect ended, and then nothing more is shown. Tick differences are taken unsigned, so the
// wrap of the counter costs at most one short wait.
template <class Step>
void StepLoop(rt::PictureBox& dest, Step step) {
    Running running;
    const uint32_t delay = EffectStepDelay > 0 ? static_cast<uint32_t>(EffectStepDelay) : 0u;
    for (;;) {
        while (TickCount() - EffectLastTick < delay) {
        }
        if (!step()) return;
        dest.Refresh();
        EffectLastTick = TickCount();
        if (Seam().refreshed) Seam().refreshed(dest);
    }
}

// The end of every effect: the destination shows exactly the new picture.
void Finish(rt::PictureBox& dest, rt::PictureBox& newPicture) {
    dest.SetPicture(newPicture.GetPicture());
}

}  // namespace

EffectSeam& Seam() {
    static EffectSeam seam;
    return seam;
}

bool EffectIdle() {
    return !EffectRunning;
}

void RandomLinesEffect(rt::PictureBox& dest, rt::PictureBox& newPicture, int32_t direction,
                       int32_t linesPerStep) {
    if (!EffectIdle()) return;
    const Area a = EffectArea(dest);
    const int32_t n = direction == 1 ? a.W : a.H;
    std::vector<int32_t> order(static_cast<size_t>(n < 0 ? 0 : n) + 1);
    std::iota(order.begin(), order.end(), 0);
    for (int pass = 0; pass < 3; ++pass)
        for (int32_t k = 1; k <= n; ++k) {
            const auto r = static_cast<size_t>(rt::RoundEven(rt::Rnd() * n));
            std::swap(order[static_cast<size_t>(k)], order[r]);
        }
    // The table holds one value too many: n, the line just outside the picture. It is passed
    // over, so that every step draws a line of the picture and every line is drawn once.
    int32_t k = 0;
    size_t next = 0;
    StepLoop(dest, [&] {
        for (int32_t sub = 0; sub <= linesPerStep; ++sub) {
            if (k >= n) return false;
            if (order[next] == n) ++next;
            const int line = order[next++];
            if (direction == 1)
                Copy(dest, line, 0, 1, a.H, newPicture, line, 0);
            else
                Copy(dest, 0, line, a.W, 1, newPicture, 0, line);
            ++k;
        }
        return true;
    });
    Finish(dest, newPicture);
}

void TwoPhaseSlideEffect(rt::PictureBox& dest, rt::PictureBox& oldPicture, rt::PictureBox& newPicture,
                         int32_t direction, int32_t step) {
    if (!EffectIdle()) return;
    const Area a = EffectArea(dest);
    const int32_t W = a.W, H = a.H;
    dest.SetPicture(oldPicture.GetPicture());
    const int32_t half = (direction > 2 ? W : H) / 2;
    int32_t y = 0;
    // Phase 1: the old picture moves away and a band of the new one follows it in.
    StepLoop(dest, [&] {
        if (y >= half) return false;
        if (direction == 1) {
            Copy(dest, 0, 0, W, H - y, oldPicture, 0, y);
            Copy(dest, 0, H - y, W, y, newPicture, 0, H - 2 * y);
        } else if (direction == 2) {
            Copy(dest, 0, y, W, H - y, oldPicture, 0, 0);
            Copy(dest, 0, 0, W, y, newPicture, 0, y);
        }
        y += step;
        return true;
    });
    // Phase 2, from where phase 1 stopped: the new picture settles into place.
    StepLoop(dest, [&] {
        if (y < 0) return false;
        if (direction == 1) {
            Copy(dest, 0, 0, W, y, oldPicture, 0, y);
            Copy(dest, 0, y, W, H - y, newPicture, 0, 0);
        } else if (direction == 2) {
            Copy(dest, 0, y, W, H - y, oldPicture, 0, 0);
            Copy(dest, 0, 0, W, H - y, newPicture, 0, y);
        }
        y -= step;
        return true;
    });
    Finish(dest, newPicture);
}

void StretchPushEffect(rt::PictureBox& dest, rt::PictureBox& oldPicture, rt::PictureBox& newPicture,
                       int32_t direction, int32_t step, int32_t linesPerStep, int32_t oldMode) {
    if (!EffectIdle()) return;
    const Area a = EffectArea(dest);
    const int32_t W = a.W, H = a.H;
    SetStretchBltMode(dest.hDC(), HALFTONE);
    int32_t x = 0;
    StepLoop(dest, [&] {
        for (int32_t sub = 0; sub <= linesPerStep; ++sub) {
            if (x >= W) return false;
            if (direction == 1) {
                Stretch(dest, 0, x, H, newPicture, W);
                if (oldMode == 1)
                    Stretch(dest, x, W - x, H, oldPicture, W);
                else if (oldMode == 3)
                    Copy(dest, x, 0, W - x, H, oldPicture, 0, 0);
            } else if (direction == 2) {
                Stretch(dest, W - x, x, H, newPicture, W);
                if (oldMode == 1)
                    Stretch(dest, 0, W - x, H, oldPicture, W);
                else if (oldMode == 3)
                    Copy(dest, 0, 0, W - x, H, oldPicture, x, 0);
            }
            x += step;
        }
        return true;
    });
    Finish(dest, newPicture);
}

void WipeEffect(rt::PictureBox& dest, rt::PictureBox& newPicture, int32_t direction, int32_t step) {
    if (!EffectIdle()) return;
    const Area a = EffectArea(dest);
    const int32_t W = a.W, H = a.H;
    const int32_t extent = direction > 3 ? W : H;
    int32_t s = 0;
    StepLoop(dest, [&] {
        if (s >= extent) return false;
        switch (direction) {
            case 1:
                Copy(dest, 0, 0, W, s, newPicture, 0, 0);
                break;
            case 2:
                Copy(dest, 0, H - s, W, s, newPicture, 0, H - s);
                break;
            case 4:
                Copy(dest, 0, 0, s, H, newPicture, 0, 0);
                break;
            case 8:
                Copy(dest, W - s, 0, s, H, newPicture, W - s, 0);
                break;
            default:
                break;
        }
        s += step;
        return true;
    });
    Finish(dest, newPicture);
}

void EdgesWipeEffect(rt::PictureBox& dest, rt::PictureBox& newPicture, int32_t direction, int32_t step) {
    if (!EffectIdle()) return;
    const Area a = EffectArea(dest);
    const int32_t W = a.W, H = a.H;
    const int32_t half = rt::RoundEven((direction == 1 ? H : W) / 2.0);
    int32_t s = 0;
    StepLoop(dest, [&] {
        if (s >= half) return false;
        if (direction == 1) {
            Copy(dest, 0, 0, W, s, newPicture, 0, 0);
            Copy(dest, 0, H - s, W, s, newPicture, 0, H - s);
        } else if (direction == 2) {
            Copy(dest, 0, 0, s, H, newPicture, 0, 0);
            Copy(dest, W - s, 0, s, H, newPicture, W - s, 0);
        }
        s += step;
        return true;
    });
    Finish(dest, newPicture);
}

}  // namespace modTransEffects
