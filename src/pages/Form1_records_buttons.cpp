// The button records: page buttons ("obj1", `Command1`), glossy buttons ("MacBT", `Macbt`) and
// picture-shaped buttons ("imageover", `imageover`).
#include <string>

#include <shlwapi.h>

#include "pages/PageBuilder.h"
#include "runtime/font_batch.h"

namespace {

// The look codes of "obj1" above this draw nothing known; 12 itself draws no body.
constexpr double kHighestLook = 12;

}  // namespace

void PageBuilder::obj1() {
    auto m = [&]() -> controls::vxbutton& { return f.Command1[Index()]; };
    Create(f.Command1);
    step([&] { m().Caption(F(3)); });
    Placement(m);
    step([&] { m().Tag(F(8)); });
    step([&] { m().ButtonStyle(rt::TextToInt32(F(10))); });
    if (test([&] { return rt::TextToDouble(F(10)) > kHighestLook; })) step([&] { m().ButtonStyle(0); });
    // After the look, which puts its own colours in place.
    step([&] { m().BackColor(static_cast<uint32_t>(rt::TextToInt32(F(9)))); });
    {
        // The font's settings reach the button as one change.
        rt::FontChangeBatch fontChange;
        ButtonFontFace(m);
        skipMode();
        ButtonFontStyle(m);
    }
    step([&] { m().ToolTipText(F(13)); });
    step([&] { m().ForeColor(static_cast<uint32_t>(rt::TextToInt32(F(14)))); });
    StorePicture([&] { return f.page.Text() + "P" + std::to_string(Index()) + "but" + ".pic"; },
                 [&](rt::Picture picture) { m().Picture(std::move(picture)); });
}

void page_events::Command1Events(Form1& f) {
    f.Command1.Design([&f](controls::vxbutton& t) {
        t.Click = [&f](int i) { f.Command1_Click(i); };
        t.MouseMove = [&f](int i, int16_t& b, int16_t& s, float& x, float& y) {
            f.Command1_MouseMove(i, b, s, x, y);
        };
    });
}

void PageBuilder::MacBT() {
    auto m = [&]() -> controls::CandyButton& { return f.Macbt[Index()]; };
    Create(f.Macbt);
    step([&] { m().Caption(F(3)); });
    Position(m);
    Dimensions(m);
    step([&] { m().Tag(F(8)); });
    step([&] { m().ColorBright(static_cast<uint32_t>(rt::TextToInt32(F(9)))); });
    step([&] { m().Style(rt::TextToInt32(F(10))); });
    {
        rt::FontChangeBatch fontChange;
        ButtonFontFace(m);
        ButtonFontStyle(m);
    }
    step([&] { m().ColorButtonUp(static_cast<uint32_t>(rt::TextToInt32(Item(12, 0)))); });
    step([&] { m().ColorButtonHover(static_cast<uint32_t>(rt::TextToInt32(Item(12, 1)))); });
    step([&] { m().ColorButtonDown(static_cast<uint32_t>(rt::TextToInt32(Item(12, 2)))); });
    step([&] { m().ColorBright(static_cast<uint32_t>(rt::TextToInt32(Item(12, 3)))); });
    step([&] { m().ToolTipText(F(13)); });
    step([&] { m().ForeColor(static_cast<uint32_t>(rt::TextToInt32(F(14)))); });
    step([&] { m().Visible(true); });
}

void page_events::MacbtEvents(Form1& f) {
    f.Macbt.Design([&f](controls::CandyButton& t) {
        t.Click = [&f](int i) { f.Macbt_Click(i); };
        t.MouseMove = [&f](int i, int16_t b, int16_t s, float x, float y) {
            f.Macbt_MouseMove(i, b, s, x, y);
        };
    });
}

void PageBuilder::imageover() {
    auto m = [&]() -> controls::ShapedButton& { return f.imageover[Index()]; };
    Create(f.imageover);
    step([&] { m().Caption(F(3)); });
    Position(m);
    step([&] { m().Visible(false); });
    Dimensions(m);
    step([&] { m().Tag(F(8)); });
    step([&] { m().ForeColor(static_cast<uint32_t>(rt::TextToInt32(F(9)))); });
    // Before the pictures: the normal picture shapes the button with the mask colour in force.
    step([&] { m().MaskColor(static_cast<uint32_t>(rt::TextToInt32(F(10)))); });
    step([&] { m().Font().Size(rt::TextToSingle(Item(11, 0))); });
    if (test([&] { return f.chk_fnt(Item(11, 1)); })) step([&] { m().Font().Name(Item(11, 1)); });
    step([&] { m().ToolTipText(F(13)); });
    skipMode();
    // A member index that is no number fails each step that names a file.
    auto base = [&] { return f.page.Text() + "p" + std::to_string(Index()); };
    step([&] {
        const std::string cursor = f.pat.Text() + "\\data\\" + base() + "cucur" + ".ico";
        if (PathFileExistsA(cursor.c_str())) m().MouseIcon(rt::LoadPicture(cursor));
    });
    // Each picture on its own: a missing member is skipped without a word; one that cannot be
    // read leaves the button without that picture.
    auto picture = [&](const char* state, void (controls::ShapedButton::*set)(rt::Picture)) {
        StorePicture([&] { return base() + state + ".pic"; },
                     [&](rt::Picture loaded) { (m().*set)(std::move(loaded)); });
    };
    picture("Normal", &controls::ShapedButton::PictureOnMouseLeave);
    picture("Down", &controls::ShapedButton::PictureOnMouseDown);
    picture("Over", &controls::ShapedButton::PictureOnMouseMove);
    step([&] { m().Visible(true); });
}

void page_events::imageoverEvents(Form1& f) {
    f.imageover.Design([&f](controls::ShapedButton& t) {
        t.Click = [&f](int i) { f.imageover_Click(i); };
        t.MouseMove = [&f](int i, int16_t b, int16_t s, float x, float y) {
            f.imageover_MouseMove(i, b, s, x, y);
        };
    });
}
