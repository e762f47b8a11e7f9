// Times building a page of 20 gradient labels against a page of 20 plain labels on a shown window:
// each member is loaded and given its settings in the order the page builder sets them (a
// gradient label repaints at every one of its ten property settings, and at its show and sizes),
// then the page is removed again, as the next build does. Prints both times and their ratio.
#include <windows.h>

#include <cstdio>
#include <string>

#include "../timing.h"
#include "controls/chrome/bsGradientLabel.h"
#include "runtime/control_array.h"
#include "runtime/controls.h"
#include "runtime/form.h"
#include "runtime/lifetime.h"
#include "runtime/ui.h"

namespace {

constexpr int kLabels = 20;

class BenchForm : public rt::Form {
public:
    BenchForm() : Form("BenchForm") {
        BorderStyle(rt::vbBSNone);
        Move(rt::ToTwipsX(20), rt::ToTwipsY(20), rt::ToTwipsX(640), rt::ToTwipsY(480));
        BackColor(0xFFFFFF);
        Label1[0].Visible(false);
        bsGradientLabel1[0].Visible(false);
    }
    rt::ControlArray<rt::Label> Label1{*this, "Label1"};
    // The page template's settings: a centred caption over a text shadow.
    rt::ControlArray<controls::bsGradientLabel> bsGradientLabel1{
        *this, "bsGradientLabel1",
        std::make_shared<const rt::PropertyBag>(rt::PropertyBag{
            {"Fount", rt::Font("Arial", 8.25f)}, {"CaptionAlignment", 1}, {"TextShadow", true}})};
};

double Top(int i) {
    return rt::ToTwipsY(8 + 22 * i);
}

void GradientPage(BenchForm& f) {
    for (int i = 1; i <= kLabels; ++i) {
        controls::bsGradientLabel& g = f.bsGradientLabel1.Load(i);
        g.Caption("Gradient label " + std::to_string(i));
        g.Left(rt::ToTwipsX(8));
        g.Top(Top(i));
        g.Visible(true);
        g.Tag("jump***Sepa***2");
        g.Colour1(0x800000);
        g.Colour2(0xFFC080);
        g.Fount().Size(10);
        g.Fount().Name("Arial");
        g.Fount().Charset(0);
        g.BorderStyle(5);
        g.LabelType(0);
        g.GradientType(i % 3);
        g.CaptionColour(0xFFFFFF);
        g.ShadowColour(0x808080);
        g.TextShadowColour(0);
        g.CaptionAlignment(1);
        g.Width(rt::ToTwipsX(300));
        g.Height(rt::ToTwipsY(20));
    }
    rt::DoEvents();
    f.bsGradientLabel1.UnloadAll();
    rt::FlushDeferred();
}

void PlainPage(BenchForm& f) {
    for (int i = 1; i <= kLabels; ++i) {
        rt::Label& l = f.Label1.Load(i);
        l.Visible(false);
        l.Caption("Plain label " + std::to_string(i));
        l.Left(rt::ToTwipsX(8));
        l.Top(Top(i));
        l.Height(rt::ToTwipsY(20));
        l.Width(rt::ToTwipsX(300));
        l.Tag("jump***Sepa***2");
        l.BackStyle(0);
        l.ToolTipText("");
        l.BackColor(0xFFFFFF);
        l.GetFont().Bold(false);
        l.GetFont().Italic(false);
        l.ForeColor(0x800000);
        l.Alignment(0);
        l.GetFont().Size(10);
        l.GetFont().Name("Arial");
        l.GetFont().Underline(false);
        l.GetFont().Charset(0);
        l.ZOrder(0);
        l.Visible(true);
    }
    rt::DoEvents();
    f.Label1.UnloadAll();
    rt::FlushDeferred();
}

}  // namespace

int main() {
    BenchForm& form = rt::Load<BenchForm>();
    form.Show();
    rt::DoEvents();
    const auto [gradient, plain] = bench::Medians([&] { GradientPage(form); }, [&] { PlainPage(form); });
    std::printf("%-44s %10s\n", "page of 20 labels, built and removed", "ms");
    std::printf("%-44s %10.2f\n", "gradient labels (bsGradientLabel)", gradient);
    std::printf("%-44s %10.2f\n", "plain labels", plain);
    std::printf("%-44s %10.2f\n", "ratio gradient / plain", gradient / plain);
    rt::UnloadAll();
    return 0;
}
