// Times painting a 300 x 300 alpha picture (the image benchmark's ramp, scaled from 256 pixels
// with per-pixel alpha) on a shown window, drawn from the picture each time and from its
// AutoRedraw buffer, and one hover repaint of the pressed-and-lit look (brightness 20, offset 1, 1);
// each as a ratio to one AlphaBlend draw of the 256 x 256 ramp, the image benchmark's reference.
#include <windows.h>

#include <cstdio>
#include <memory>
#include <vector>

#include "../timing.h"
#include "controls/alpha/aicAlphaImage.h"
#include "imaging/c32bppDIB.h"
#include "render_reference.h"
#include "runtime/form.h"
#include "runtime/lifetime.h"
#include "runtime/ui.h"

namespace {

class BenchForm : public rt::Form {
public:
    BenchForm() : Form("BenchForm") {
        BorderStyle(rt::vbBSNone);
        Move(rt::ToTwipsX(20), rt::ToTwipsY(20), rt::ToTwipsX(320), rt::ToTwipsY(320));
        BackColor(0xFFFFFF);
    }
};

// The form's painting (background and pictures) into the target.
void PaintForm(rt::Form& f, HDC target) {
    SendMessageA(f.hWnd(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(target), PRF_CLIENT);
    GdiFlush();
}

}  // namespace

int main() {
    imaging::c32bppDIB ramp;
    if (!bench::MakeRampPicture(ramp, 256)) return 1;
    bench::RenderTarget target;
    std::vector<uint8_t> png;
    {
        imaging::c32bppDIB scaled;
        scaled.InitializeDIB(300, 300);
        HDC dc = scaled.LoadDIBinDC(true);
        ramp.Render(dc, 0, 0, 300, 300, 0, 0, 0, 0, 100, true, true, &scaled);
        scaled.LoadDIBinDC(false);
        if (!scaled.SaveToStream_PNG(png)) return 1;
    }

    BenchForm& form = rt::Load<BenchForm>();
    form.Show();
    rt::DoEvents();
    auto bag = std::make_shared<rt::PropertyBag>(rt::PropertyBag{{"Caption", ""}});
    auto picture = std::make_unique<aicAlphaImage>(form, "pic", -1, bag);
    picture->Move(rt::ToTwipsX(10), rt::ToTwipsY(10), rt::ToTwipsX(300), rt::ToTwipsY(300));
    picture->Visible(true);
    picture->ScaleMethod(3);
    if (!picture->LoadImage_FromArray(png)) return 1;
    rt::DoEvents();

    ramp.isAlphaBlendFriendly(true);
    ramp.isGDIplusEnabled(false);
    auto alphaBlend = [&] { ramp.Render(target.dc(), 10, 10, 256, 256); };
    auto bare = [&] { PaintForm(form, target.dc()); };

    bool lit = false;
    // One hover change of the lit look: the setter repaints the picture's place on the window.
    auto hover = [&] {
        lit = !lit;
        picture->IntensityOffset(lit ? 20.0f : 0.0f);
    };
    picture->Visible(false);
    const auto [background, reference] = bench::Medians(bare, alphaBlend);
    picture->Visible(true);
    const auto [direct, ref1] = bench::Medians(bare, alphaBlend);
    const auto [hoverDirect, ref2] = bench::Medians(hover, alphaBlend);
    picture->AutoRedraw(true);
    picture->RotateEnabled(true);  // a layout, which draws the buffer
    picture->RotateEnabled(false);
    const auto [buffered, ref3] = bench::Medians(bare, alphaBlend);
    const auto [hoverBuffered, ref4] = bench::Medians(hover, alphaBlend);
    const double ref = (reference + ref1 + ref2 + ref3 + ref4) / 5;

    std::printf("%-56s %10s %8s\n", "case", "ms", "/AB");
    std::printf("%-56s %10.3f %8.2f\n", "AlphaBlend of the 256x256 ramp (reference)", ref, 1.0);
    std::printf("%-56s %10.3f %8.2f\n", "bare form background (subtracted below)", background,
                background / ref);
    std::printf("%-56s %10.3f %8.2f\n", "paint 300x300 picture, without AutoRedraw", direct - background,
                (direct - background) / ref);
    std::printf("%-56s %10.3f %8.2f\n", "paint 300x300 picture, with AutoRedraw", buffered - background,
                (buffered - background) / ref);
    std::printf("%-56s %10.3f %8.2f\n", "hover repaint (brightness 20), without AutoRedraw", hoverDirect,
                hoverDirect / ref);
    std::printf("%-56s %10.3f %8.2f\n", "hover repaint (brightness 20), with AutoRedraw", hoverBuffered,
                hoverBuffered / ref);
    picture.reset();
    rt::UnloadAll();
    rt::FlushDeferred();
    return 0;
}
