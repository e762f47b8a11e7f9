// The list records: "ComboBox" (an action combo box), "slideshow" and "thumb" (a thumbnail
// browser). Their item lists come after the last record, from the page finishing.
#include <string>

#include "pages/PageBuilder.h"

void PageBuilder::ComboBox() {
    auto m = [&]() -> controls::combobx& { return f.combobx1[Index()]; };
    Create(f.combobx1);
    step([&] { m().liston(rt::TextToBoolean(F(3))); });
    Placement(m);
    step([&] { m().Tag(F(8)); });
    step([&] { m().ForeColor(static_cast<uint32_t>(rt::TextToInt32(F(9)))); });
    step([&] { m().BackColor(static_cast<uint32_t>(rt::TextToInt32(F(10)))); });
    step([&] { m().Font().Name(F(11)); });
    step([&] { m().Font().Size(rt::TextToSingle(F(12))); });
    step([&] { m().Font().Bold(rt::TextToBoolean(F(13))); });
    step([&] { m().Font().Italic(rt::TextToBoolean(Item(14, 0))); });
    step([&] { m().Font().Charset(rt::TextToInt16(Item(14, 1))); });
}

void PageBuilder::slideshowRecord() {
    auto m = [&]() -> controls::slideshowacx& { return f.slideshow[Index()]; };
    Create(f.slideshow);
    step([&] { m().Tag(F(3)); });
    Placement(m);
    step([&] { m().Interval(rt::TextToInt32(F(8))); });
    step([&] { m().trnsname(F(9)); });
    step([&] { m().FPath(F(10)); });
    step([&] { m().BackColor(static_cast<uint32_t>(rt::TextToInt32(F(11)))); });
    step([&] { m().StartPlayv = rt::TextToBoolean(F(12)); });
}

void PageBuilder::thumbRecord() {
    auto m = [&]() -> controls::thumb& { return f.thumb[Index()]; };
    Create(f.thumb);
    step([&] { m().pathflder = F(3); });
    Placement(m);
    skipMode();
    step([&] { m().Font().Name(F(8)); });
    step([&] { m().Font().Bold(rt::TextToBoolean(F(9))); });
    step([&] { m().Font().Size(rt::TextToSingle(Item(10, 0))); });
    step([&] { m().Font().Charset(rt::TextToInt16(Item(10, 1))); });
    step([&] { m().BackColor(static_cast<uint32_t>(rt::TextToInt32(Item(11, 0)))); });
    step([&] { m().BorderStyle(rt::TextToInt16(Item(11, 1))); });
    step([&] { m().ForeColor(static_cast<uint32_t>(rt::TextToInt32(Item(12, 0)))); });
    step([&] { m().colorselect = static_cast<uint32_t>(rt::TextToInt32(Item(12, 1))); });
    step([&] { m().Text(F(13)); });
    step([&] { m().Tag(F(14)); });
}

void page_events::thumbEvents(Form1& f) {
    f.thumb.Design([&f](controls::thumb& t) {
        t.MouseDown = [&f](int i, int16_t b, int16_t s, float x, float y) {
            f.thumb_MouseDown(i, b, s, x, y);
        };
    });
}
