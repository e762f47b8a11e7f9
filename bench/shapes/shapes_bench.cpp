// Times restyling 20 shown vector shapes: eight settings each (border width, colours, fill style,
// transparencies, polygon sides and angle), once setting by setting (every setting rebuilds its
// part and repaints) and once grouped under SetRedraw False, where the closing SetRedraw True
// rebuilds the figure, the brush and the pen once each and repaints once. Each round alternates
// between two looks, so that every setting changes. Prints both times and their ratio.
#include <windows.h>

#include <cstdio>

#include "../timing.h"
#include "controls/alpha/AlphaShapeCtl.h"
#include "runtime/control_array.h"
#include "runtime/form.h"
#include "runtime/lifetime.h"
#include "runtime/ui.h"

namespace {

constexpr int kShapes = 20;

class BenchForm : public rt::Form {
public:
    BenchForm() : Form("BenchForm") {
        BorderStyle(rt::vbBSNone);
        Move(rt::ToTwipsX(20), rt::ToTwipsY(20), rt::ToTwipsX(640), rt::ToTwipsY(480));
        BackColor(0xFFFFFF);
        Shaper1[0].Visible(false);
        for (int i = 1; i <= kShapes; ++i) {
            controls::AlphaShapeCtl& s = Shaper1.Load(i);
            s.Move(rt::ToTwipsX(10 + 120 * ((i - 1) % 5)), rt::ToTwipsY(10 + 110 * ((i - 1) / 5)),
                   rt::ToTwipsX(100), rt::ToTwipsY(100));
            s.Shape(3);
            s.Visible(true);
        }
    }
    rt::ControlArray<controls::AlphaShapeCtl> Shaper1{*this, "Shaper1"};
};

void Restyle(controls::AlphaShapeCtl& s, bool odd) {
    s.BorderWidth(odd ? 3 : 2);
    s.BorderColor(odd ? 0x800000 : 0x008000);
    s.FillColor(odd ? 0x00FFFF : 0xFF00FF);
    s.BackColor(odd ? 0xFF0000 : 0x0000FF);
    s.FillStyle(odd ? 59 : 56);
    s.BackTransparency(odd ? 20 : 30);
    s.PolygonSides(odd ? 6 : 7);
    s.PolygonAngle(odd ? 10.0f : 20.0f);
}

int round = 0;

void OneByOne(BenchForm& f) {
    const bool odd = (++round % 2) != 0;
    for (int i = 1; i <= kShapes; ++i) Restyle(f.Shaper1[i], odd);
    rt::DoEvents();
}

void Grouped(BenchForm& f) {
    const bool odd = (++round % 2) != 0;
    for (int i = 1; i <= kShapes; ++i) {
        controls::AlphaShapeCtl& s = f.Shaper1[i];
        s.SetRedraw(false);
        Restyle(s, odd);
        s.SetRedraw(true);
    }
    rt::DoEvents();
}

}  // namespace

int main() {
    BenchForm& form = rt::Load<BenchForm>();
    form.Show();
    rt::DoEvents();
    const auto [single, grouped] = bench::Medians([&] { OneByOne(form); }, [&] { Grouped(form); });
    std::printf("%-44s %10s\n", "20 shapes, 8 settings each", "ms");
    std::printf("%-44s %10.2f\n", "setting by setting", single);
    std::printf("%-44s %10.2f\n", "grouped under SetRedraw", grouped);
    std::printf("%-44s %10.2f\n", "ratio single / grouped", single / grouped);
    rt::UnloadAll();
    return 0;
}
