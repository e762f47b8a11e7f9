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
    Position(m);
    Dimensions(m);
    step([&] { m().Tag(F(8)); });
    step([&] { m().BackStyle(rt::TextToInt32(F(9))); });
    step([&] { m().ToolTipText(F(10)); });
    step([&] { m().BackColor(colour(F(11))); });
    step([&] { m().BorderColor(colour(F(12))); });
    step([&] { m().BorderWidth(rt::TextToInt32(F(13))); });
    step([&] { m().ZOrder(0); });
    step([&] { m().BorderStyle(rt::TextToInt32(Item(14, 0))); });
    ShapeItems(m, [](auto& member, const std::string& text) { member.ShapeText(text); });
    // The style as the control kept it: an out-of-range item leaves an earlier 60 in force.
    if (test([&] { return m().FillStyle() == 60; })) {
        skipMode();
        const std::string member = f.page.Text() + "shptext" + F(2) + ".pic";
        step([&] { m().Texture(rt::LoadPicture(f.pckex(member))); });
        step([&] { rt::Kill(f.pckex(member)); });
    }
}

void page_events::Shaper1Events(Form1& f) {
    f.Shaper1.Design([&f](controls::AlphaShapeCtl& t) {
        t.Click = [&f](int i) { f.Shaper1_Click(i); };
        t.MouseMove = [&f](int i, int16_t b, int16_t s, float x, float y) {
            f.Shaper1_MouseMove(i, b, s, x, y);
        };
    });
}
