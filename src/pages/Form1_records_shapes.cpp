// The vector shape records ("Shaper1"). A shape is built hidden; the page's revealing shows it.
#include <string>

#include "pages/PageBuilder.h"
#include "runtime/files.h"
#include "runtime/picture.h"

void PageBuilder::Shaper1() {
    auto m = [&]() -> controls::AlphaShapeCtl& { return f.Shaper1[Index()]; };
    // A colour field is a whole number whose bits are the colour.
    auto colour = [](const std::string& text) { return static_cast<uint32_t>(rt::TextToInt32(text)); };
    Create(f.Shaper1);
    step([&] { m().Visible(false); });
    step([&] { m().Shape(rt::TextToInt32(F(3))); });
    step([&] { m().Left(rt::TextToSingle(F(4))); });
    step([&] { m().Top(rt::TextToSingle(F(5))); });
    step([&] { m().Height(rt::TextToSingle(F(6))); });
    step([&] { m().Width(rt::TextToSingle(F(7))); });
    step([&] { m().Tag(F(8)); });
    step([&] { m().BackStyle(rt::TextToInt32(F(9))); });
    step([&] { m().ToolTipText(F(10)); });
    step([&] { m().BackColor(colour(F(11))); });
    step([&] { m().BorderColor(colour(F(12))); });
    step([&] { m().BorderWidth(rt::TextToInt32(F(13))); });
    step([&] { m().ZOrder(0); });
    step([&] { m().BorderStyle(rt::TextToInt32(Item(14, 0))); });
    step([&] { m().PolygonAngle(rt::TextToSingle(Item(14, 1))); });
    step([&] { m().PolygonSides(rt::TextToInt32(Item(14, 2))); });
    step([&] { m().ShapeText(Item(14, 3)); });
    step([&] { m().BorderTransparency(rt::TextToInt32(Item(14, 4))); });
    step([&] { m().BackTransparency(rt::TextToInt32(Item(14, 5))); });
    step([&] { m().FillColor(colour(Item(14, 6))); });
    step([&] { m().FillStyle(rt::TextToInt32(Item(14, 7))); });
    // The face is taken whether or not it is installed.
    step([&] { m().Font().Name(Item(14, 8)); });
    step([&] { m().Font().Bold(rt::TextToBoolean(Item(14, 9))); });
    step([&] { m().Font().Italic(rt::TextToBoolean(Item(14, 10))); });
    skipMode();
    if (test([&] { return Item(14, 11) != ""; })) step([&] { m().ToolTipText(Item(14, 11)); });
    // The style as the control kept it: an out-of-range item leaves an earlier 60 in force.
    if (test([&] { return m().FillStyle() == 60; })) {
        skipMode();
        const std::string member = f.page.Text() + "shptext" + F(2) + ".pic";
        step([&] { m().Texture(rt::LoadPicture(f.pckex(member))); });
        step([&] { rt::Kill(f.pckex(member)); });
    }
}
