// The button records of the program's own controls: "imageover" (picture-shaped buttons).
#include <string>

#include <shlwapi.h>

#include "pages/PageBuilder.h"

void PageBuilder::imageover() {
    auto m = [&]() -> controls::ShapedButton& { return f.imageover[Index()]; };
    Create(f.imageover);
    step([&] { m().Caption(F(3)); });
    step([&] { m().Left(rt::TextToSingle(F(4))); });
    step([&] { m().Top(rt::TextToSingle(F(5))); });
    step([&] { m().Visible(false); });
    step([&] { m().Height(rt::TextToSingle(F(6))); });
    step([&] { m().Width(rt::TextToSingle(F(7))); });
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
        std::string name;
        if (!test([&] { return f.pckex(name = base() + state + ".pic") != "error"; })) return;
        rt::Picture loaded;
        step([&] { loaded = rt::LoadPicture(f.pckex(name)); });
        step([&] { (m().*set)(loaded); });
        step([&] { rt::Kill(f.pckex(name)); });
    };
    picture("Normal", &controls::ShapedButton::PictureOnMouseLeave);
    picture("Down", &controls::ShapedButton::PictureOnMouseDown);
    picture("Over", &controls::ShapedButton::PictureOnMouseMove);
    step([&] { m().Visible(true); });
}
