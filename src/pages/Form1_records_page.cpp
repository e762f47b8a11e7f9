// The page-level records: "Label3" (tooltip label, movie frame, glow picture, open actions) and
// "Form" (the window, its shadow, size, style, state, transition and the page movie).
#include <string>

#include "controls/chrome/window_shadow.h"
#include "pages/PageBuilder.h"
#include "runtime/ui.h"

void PageBuilder::Label3Record() {
    Placement([&]() -> auto& { return f.Label3; });
    step([&] { f.Label2.Width(rt::TextToSingle(F(8))); });
    step([&] { f.Tag(F(9)); });
    step([&] { f.Label2.Left(rt::TextToSingle(F(10))); });
    step([&] { f.Label2.Top(rt::TextToSingle(F(11))); });
    step([&] { f.gr.Width(rt::TextToSingle(F(12))); });
    step([&] { f.Label3.ForeColor(static_cast<uint32_t>(rt::TextToInt32(F(13)))); });
    skipMode();
    // Item 0 of F14: the seek bar keeps "0" for 0 and 1, "1" for any other number; nothing reads it.
    step([&] {
        const double v = rt::TextToDouble(Item(14, 0));
        f.Picture16.Tag(v == 0 || v == 1 ? "0" : "1");
    });
    step([&] { f.Label3.GetFont().Size(rt::TextToSingle(Item(14, 1))); });
}

void PageBuilder::FormRecord() {
    step([&] { f.Caption(Item(2, 0)); });
    step([&] { f.Text11.Text(""); });
    step([&] { f.Text11.Text(Item(2, 4)); });
    step([&] { f.BackColor(static_cast<uint32_t>(rt::TextToInt32(Item(3, 0)))); });
    step([&] { f.xmlsn = Item(3, 1); });
    auto shadow = [&]() -> controls::clsShadow& {
        if (!f.windowShadow) rt::Raise(rt::errObjectVariableNotSet, "LoadOpen");
        return *f.windowShadow;
    };
    step([&] { shadow().Depth(rt::TextToInt32(Item(3, 2))); });
    step([&] { shadow().Transparency(rt::TextToByte(Item(3, 3))); });
    step([&] { shadow().Color(rt::TextToInt32(Item(3, 4))); });
    step([&] { f.gr.Top(rt::TextToSingle(F(4))); });
    step([&] { f.gr.Left(rt::TextToSingle(F(5))); });
    step([&] { f.pageHeight = rt::TextToInt32(F(6)); });
    step([&] { f.pageWidth = rt::TextToInt32(F(7)); });
    if (test([&] { return rt::TextToDouble(f.pos.Caption()) != 1; })) {
        step([&] { f.Left((rt::Screen::Width() - f.Width()) / 2); });
        step([&] { f.Top((rt::Screen::Height() - f.Height()) / 2); });
    }
    step([&] { f.Label2.Height(rt::TextToSingle(F(8))); });
    step([&] { f.gr.Height(rt::TextToSingle(F(9))); });
    step([&] { f.Text1.Text(F(10)); });
    step([&] { f.mb.Tag(Item(11, 0, "##qk##")); });
    step([&] { f.mb.Left(f.Label2.Left()); });
    step([&] { f.mb.Top(f.Label2.Top()); });
    step([&] { f.mb.Height(f.Label2.Height()); });
    step([&] { f.mb.Width(f.Label2.Width()); });
    // The seek bar lies along the bottom edge inside the movie's rectangle.
    step([&] { f.Picture16.Width(f.mb.Width()); });
    step([&] { f.Picture16.Left(f.mb.Left()); });
    step([&] { f.Picture16.Top(f.mb.Top() + f.mb.Height() - f.Picture16.Height()); });
    step([&] { f.v.Text(F(12)); });
    step([&] { f.Text2.Text(F(13).substr(0, 1)); });
    if (test([&] { return rt::TextToDouble(f.Text2.Text()) == 3; })) step([&] { f.Visible(false); });
}
