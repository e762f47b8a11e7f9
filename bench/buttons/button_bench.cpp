// Times the hover redraw of a 200 x 40 page button (the multi-style button in look 8, the glossy
// button in Styles 2 and 6) on a shown window, each paired with the reference, one unscaled
// 256 x 256 AlphaBlend draw of the image object as render_bench measures it, and prints each as
// a ratio to it. Run under Wine: wine button_bench.exe
#include <windows.h>

#include <cstdio>
#include <memory>

#include "../imaging/render_reference.h"
#include "../timing.h"
#include "controls/buttons/CandyButton.h"
#include "controls/buttons/vxbutton.h"
#include "runtime/control_array.h"
#include "runtime/form.h"
#include "runtime/ui.h"

namespace {

class BenchForm : public rt::Form {
public:
    BenchForm() : Form("BenchForm") {
        BorderStyle(rt::vbBSNone);
        Move(rt::ToTwipsX(50), rt::ToTwipsY(50), rt::ToTwipsX(300), rt::ToTwipsY(200));
        BackColor(0xFFFFFF);
        Command1[0].Visible(false);
        Macbt[0].Visible(false);
    }
    rt::ControlArray<controls::vxbutton> Command1{*this, "Command1", std::make_shared<const rt::PropertyBag>()};
    rt::ControlArray<controls::CandyButton> Macbt{*this, "Macbt", std::make_shared<const rt::PropertyBag>()};
};

}  // namespace

int main() {
    const int size = 256;
    imaging::c32bppDIB picture;
    if (!bench::MakeRampPicture(picture, size)) return 1;
    bench::RenderTarget target;
    picture.isGDIplusEnabled(false);
    picture.isAlphaBlendFriendly(true);
    picture.HighQualityInterpolation(false);
    auto reference = [&] {
        picture.Render(target.dc(), 10, 10, size, size);
        GdiFlush();
    };

    BenchForm& form = rt::Load<BenchForm>();
    form.Show();
    controls::vxbutton& vx = form.Command1.Load(1);
    vx.Move(rt::ToTwipsX(10), rt::ToTwipsY(10), rt::ToTwipsX(200), rt::ToTwipsY(40));
    vx.Visible(true);
    vx.ButtonStyle(8);
    vx.Caption("Next page");
    controls::CandyButton& candy = form.Macbt.Load(1);
    candy.Move(rt::ToTwipsX(10), rt::ToTwipsY(80), rt::ToTwipsX(200), rt::ToTwipsY(40));
    candy.Visible(true);
    candy.Caption("Page 2");
    rt::DoEvents();

    std::printf("%-46s %12s %12s %8s\n", "case", "redraw ms", "reference ms", "ratio");
    auto report = [&](const char* name, const std::function<void()>& redraw) {
        const auto [ms, ref] = bench::Medians(
            [&] {
                redraw();
                GdiFlush();
            },
            reference);
        std::printf("%-46s %12.3f %12.3f %8.2f\n", name, ms, ref, ms / ref);
    };
    // The hot look: what every pointer move over the button redraws.
    SendMessageA(vx.hWnd(), WM_MOUSEMOVE, 0, MAKELPARAM(20, 20));
    report("vxbutton look 8, 200x40, hot redraw", [&] { vx.VxRedraw(); });
    candy.Style(2);
    report("CandyButton Style 2, 200x40, hover redraw", [&] { candy.CandyRedraw(controls::CandyButton::Hover); });
    candy.Style(6);
    report("CandyButton Style 6, 200x40, hover redraw", [&] { candy.CandyRedraw(controls::CandyButton::Hover); });
    rt::UnloadAll();
    return 0;
}
