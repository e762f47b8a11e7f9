// The decorated text records: gradient labels ("bsGradientLabel1") and marquees ("Scroll1").
#include <string>

#include "pages/PageBuilder.h"
#include "runtime/picture.h"

// Every setting paints the label again, and a paint first turns a label whose shape contradicts
// its type; so the size comes last, after the type, the width before the height. The block
// never switches to skipping failing steps.
void PageBuilder::bsGradientLabel1() {
    auto m = [&]() -> controls::bsGradientLabel& { return f.bsGradientLabel1[Index()]; };
    Create(f.bsGradientLabel1);
    step([&] { m().Caption(F(3)); });
    Position(m);
    step([&] { m().Visible(true); });
    step([&] { m().Tag(F(8)); });
    step([&] { m().Colour1(static_cast<uint32_t>(rt::TextToInt32(F(9)))); });
    step([&] { m().Colour2(static_cast<uint32_t>(rt::TextToInt32(F(10)))); });
    // The font takes size, face and character set as they stand; the face need not be installed.
    step([&] { m().Fount().Size(rt::TextToSingle(Item(11, 0))); });
    step([&] { m().Fount().Name(Item(11, 1)); });
    step([&] { m().Fount().Charset(rt::TextToInt16(Item(11, 2))); });
    step([&] { m().BorderStyle(rt::TextToInt32(F(12))); });
    step([&] { m().LabelType(rt::TextToInt32(F(13))); });
    step([&] { m().GradientType(rt::TextToInt32(Item(14, 0))); });
    step([&] { m().CaptionColour(static_cast<uint32_t>(rt::TextToInt32(Item(14, 1)))); });
    step([&] { m().ShadowColour(static_cast<uint32_t>(rt::TextToInt32(Item(14, 2)))); });
    step([&] { m().TextShadowColour(static_cast<uint32_t>(rt::TextToInt32(Item(14, 3)))); });
    step([&] { m().CaptionAlignment(rt::TextToInt32(Item(14, 4))); });
    step([&] { m().Width(rt::TextToSingle(F(7))); });
    step([&] { m().Height(rt::TextToSingle(F(6))); });
}

void page_events::bsGradientLabel1Events(Form1& f) {
    f.bsGradientLabel1.Design(
        [&f](controls::bsGradientLabel& t) { t.Click = [&f](int i) { f.bsGradientLabel1_Click(i); }; });
}

void PageBuilder::Scroll1() {
    auto m = [&]() -> controls::Scroll& { return f.Scroll1[Index()]; };
    Create(f.Scroll1);
    step([&] { m().Caption(F(3)); });
    Placement(m);
    step([&] { m().Tag(F(8)); });
    step([&] { m().Interval(rt::TextToInt32(F(9))); });
    step([&] { m().ToolTipText(F(10)); });
    step([&] { m().BackColor(static_cast<uint32_t>(rt::TextToInt32(F(11)))); });
    skipMode();
    step([&] { m().FontBold(rt::TextToBoolean(Item(12, 0))); });
    step([&] { m().FontItalic(rt::TextToBoolean(Item(12, 1))); });
    step([&] { m().ForeColor(static_cast<uint32_t>(rt::TextToInt32(Item(13, 0)))); });
    step([&] { m().Text(Item(13, 1)); });
    step([&] { m().FontSize(rt::TextToSingle(Item(14, 0))); });
    step([&] {
        const std::string face = Item(14, 1);
        if (f.chk_fnt(face)) m().FontName(face);
    });
    step([&] { m().Font().Charset(rt::TextToInt16(Item(14, 2))); });
    step([&] { m().ZOrder(0); });
    // The background; one that is found but cannot be loaded removes the old one.
    StorePicture(
        [&] { return f.page.Text() + "p" + rt::Str(static_cast<int64_t>(m().Index())) + "scro" + ".pic"; },
        [&](rt::Picture p) { m().Picture(std::move(p)); });
}
