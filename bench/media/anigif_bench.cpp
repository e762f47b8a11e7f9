// Times the animated picture on a 200 x 150 GIF of 100 frames (40 x 40 squares going round):
//  - loading it (read, cut, one decode per frame, the first frame drawn) as a ratio to decoding
//    its 100 one-frame GIFs with the picture loader alone;
//  - one frame step (disposal, the transparent draw, the refresh) as a ratio to one copy of the
//    logical screen onto the display, and the two parts of a step.
// Windows only; run under Wine: wine anigif_bench.exe
#include <windows.h>

#include <cstdio>
#include <span>
#include <string>
#include <vector>

#include "../timing.h"
#include "controls/media/AniGif.h"
#include "controls/media/gif_frames.h"
#include "runtime/form.h"
#include "runtime/handles.h"
#include "runtime/picture.h"
#include "runtime/ui.h"
#include "support/gif_fixture.h"

namespace {

constexpr int W = 200, H = 150, kFrames = 100, kSquare = 40;

std::string HundredFrames() {
    std::vector<giftest::Image> frames;
    for (int i = 0; i < kFrames; ++i) {
        const int x = (i * 7) % (W - kSquare), y = (i * 3) % (H - kSquare);
        giftest::Image square{x, y, kSquare, kSquare, {uint8_t(i % 3)}, 4, 2, -1};
        frames.push_back(square);
    }
    return giftest::Gif(W, H, frames);
}

class Stage : public rt::Form {
public:
    Stage() : Form("Stage") {
        BorderStyle(rt::vbBSNone);
        Move(0, 0, (W + 20) * 15, (H + 20) * 15);
    }
    controls::AniGif Gif{*this, "Gif"};
};

}  // namespace

int main() {
    const std::string bytes = HundredFrames();
    char dir[MAX_PATH];
    GetTempPathA(MAX_PATH, dir);
    const std::string path = std::string(dir) + "anigif_bench.gif";
    if (FILE* f = std::fopen(path.c_str(), "wb")) {
        std::fwrite(bytes.data(), 1, bytes.size(), f);
        std::fclose(f);
    }
    const auto cut = controls::gif::SplitFrames(
        std::span<const uint8_t>(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()));

    Stage& stage = rt::Load<Stage>();
    stage.Show();
    stage.Gif.Visible(true);

    const auto load = bench::Medians([&] { stage.Gif.LoadFile(path, true); },
                                     [&] {
                                         for (const auto& piece : cut.pieces)
                                             rt::LoadPictureFromMemory(piece.bytes.data(), piece.bytes.size());
                                     });
    stage.Gif.LoadFile(path, true);
    rt::ScreenDC screen;
    rt::MemoryDC source(screen.get());
    rt::Bitmap bitmap(CreateCompatibleBitmap(screen.get(), W, H));
    SelectObject(source.get(), bitmap.get());
    const auto step = bench::Medians([&] { stage.Gif.NextFrame(); },
                                     [&] { BitBlt(stage.Gif.Picture5.hDC(), 0, 0, W, H, source.get(), 0, 0, SRCCOPY); });

    // Where a step's time goes: the transparent draw and the display's refresh.
    const auto parts = bench::Medians([&] { stage.Gif.CopyTransImage(); }, [&] { stage.Gif.Picture5.Refresh(); });

    std::printf("%d frames, %zu bytes, %d x %d screen\n", stage.Gif.Picture(), bytes.size(), W, H);
    std::printf("load: %.2f ms; the picture loader alone: %.2f ms; ratio %.2f\n", load.first, load.second,
                load.first / load.second);
    std::printf("frame step: %.4f ms; one BitBlt of the screen: %.4f ms; ratio %.1f\n", step.first, step.second,
                step.first / step.second);
    std::printf("  of which the transparent draw: %.4f ms, the display's refresh: %.4f ms\n", parts.first,
                parts.second);
    stage.Unload();
    DeleteFileA(path.c_str());
    return 0;
}
