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
    step([&] { m().PolygonAngle(rt::TextToSingle(Item(14, 1))); });
    step([&] { m().PolygonSides(rt::TextToInt32(Item(14, 2))); });
    step([&] { m().Caption(Item(14, 3)); });
    step([&] { m().BorderTransparency(rt::TextToInt32(Item(14, 4))); });
    step([&] { m().BackTransparency(rt::TextToInt32(Item(14, 5))); });
    step([&] { m().FillColor(static_cast<uint32_t>(rt::TextToInt32(Item(14, 6)))); });
    step([&] { m().FillStyle(rt::TextToInt32(Item(14, 7))); });
    // The face is taken whether or not it is installed.
    step([&] { m().Font().Name(Item(14, 8)); });
    step([&] { m().Font().Bold(rt::TextToBoolean(Item(14, 9))); });
    step([&] { m().Font().Italic(rt::TextToBoolean(Item(14, 10))); });
    skipMode();
    if (test([&] { return Item(14, 11) != ""; })) step([&] { m().ToolTipText(Item(14, 11)); });
    // The icon's copy stays in the temporary folder until the next extraction of the member
    // replaces it.
    const std::string icon = f.page.Text() + "metro" + F(2) + ".pic";
    if (test([&] { return f.pckex(icon) != "error"; })) step([&] { m().LoadImage_FromFile(f.pckex(icon)); });
    step([&] { m().Font().Size(rt::TextToSingle(Item(14, 12))); });
    step([&] { m().Value(rt::TextToInt16(Item(14, 13))); });
    step([&] { m().ref(); });
}
