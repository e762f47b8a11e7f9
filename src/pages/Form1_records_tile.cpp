// The tile record, "metrodes1": a tile with its colours, caption, font, tooltip and icon. The
// tile keeps the shape, back style, border and polygon values only for its saved settings.
#include <string>

#include "pages/PageBuilder.h"

void PageBuilder::metrodes1Record() {
    auto m = [&]() -> controls::win8Metro& { return f.metrodes1[Index()]; };
    Create(f.metrodes1);
    step([&] { m().Shape(rt::TextToInt32(F(3))); });
    Placement(m);
    step([&] { m().Tag(F(8)); });
    step([&] { m().BackStyle(rt::TextToInt16(F(9))); });
    step([&] { m().tot(F(10)); });
    step([&] { m().BackColor(static_cast<uint32_t>(rt::TextToInt32(F(11)))); });
    step([&] { m().ForeColor(static_cast<uint32_t>(rt::TextToInt32(F(12)))); });
    step([&] { m().BorderWidth(rt::TextToInt32(F(13))); });
    step([&] { m().BorderStyle(rt::TextToInt16(Item(14, 0))); });
    ShapeItems(m, [](auto& member, const std::string& text) { member.Caption(text); });
    // The icon's copy stays in the temporary folder until the next extraction of the member
    // replaces it.
    const std::string icon = f.page.Text() + "metro" + F(2) + ".pic";
    if (test([&] { return f.pckex(icon) != "error"; })) step([&] { m().LoadImage_FromFile(f.pckex(icon)); });
    step([&] { m().Font().Size(rt::TextToSingle(Item(14, 12))); });
    step([&] { m().Value(rt::TextToInt16(Item(14, 13))); });
    step([&] { m().ref(); });
}

void page_events::metrodes1Events(Form1& f) {
    f.metrodes1.Design([&f](controls::win8Metro& t) {
        t.Click = [&f](int i) { f.metrodes1_Click(i); };
        t.Move(1080, 3000, 3495, 1575);  // the template's place and size as designed
    });
}
