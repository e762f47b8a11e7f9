// The picture, file-list, player and viewer records: "Image", "gif", "file", "picture2" (Flash),
// "WMPlayer", "PDF", "rt" and "web".
#include <cmath>
#include <string>

#include "pages/PageBuilder.h"
#include "runtime/ui.h"

void PageBuilder::Image() {
    auto m = [&]() -> rt::Image& { return f.pic[Index()]; };
    Create(f.pic);
    step([&] { f.Picpath(m(), F(3)); });
    Placement(m);
    step([&] { m().Stretch(rt::TextToBoolean(F(8))); });
    step([&] { m().Visible(rt::TextToBoolean(F(12))); });
    step([&] { m().Tag(F(13)); });
    step([&] { m().BorderStyle(rt::TextToInt16(F(14))); });
}

void page_events::picEvents(Form1& f) {
    f.pic.Design([&f](rt::Image& t) {
        t.Click = [&f](int i) { f.pic_Click(i); };
        t.MouseMove = [&f](int i, int16_t b, int16_t s, float x, float y) { f.pic_MouseMove(i, b, s, x, y); };
    });
}

void PageBuilder::gifRecord() {
    auto m = [&]() -> controls::AniGif& { return f.gif[Index()]; };
    Create(f.gif);
    Placement(m);
    step([&] { m().BackColor(static_cast<uint32_t>(rt::TextToInt32(F(8)))); });
    step([&] { m().Visible(rt::TextToBoolean(F(12))); });
    step([&] { m().Tag(F(13)); });
    // F2 as written names the member (the store ignores case).
    const std::string member = f.page.Text() + "P" + F(2) + ".gif";
    step([&] { m().LoadFile(f.pckex(member), false); });
    skipMode();
    step([&] { rt::Kill(f.pckex(member)); });
}

void page_events::gifEvents(Form1& f) {
    f.gif.Design([&f](controls::AniGif& t) {
        t.MouseUp = [&f](int i, int16_t b, int16_t s, float x, float y) { f.gif_MouseUp(i, b, s, x, y); };
    });
}

void PageBuilder::file() {
    auto m = [&]() -> rt::FileListBox& { return f.File[Index()]; };
    Create(f.File);
    step([&] { m().Pattern(F(3)); });
    Placement(m);
    skipMode();
    step([&] { m().Path(f.pat.Text() + F(8)); });
    step([&] { m().BackColor(static_cast<uint32_t>(rt::TextToInt32(F(11)))); });
    step([&] { m().ForeColor(static_cast<uint32_t>(rt::TextToInt32(F(13)))); });
}

void page_events::FileEvents(Form1& f) {
    f.File.Design([&f](rt::FileListBox& t) { t.DblClick = [&f](int i) { f.File_DblClick(i); }; });
}

void PageBuilder::picture2() {
    const std::string& movie = F(8);
    const bool web = movie.compare(0, 7, "http://") == 0;
    step([&] {
        std::string source;
        if (movie.empty())
            source = "";
        else if (web)
            source = rt::Replace(movie, "#~~#", "\"");
        else
            source = f.pat.Text() + movie;
        auto n = [&](int field) { return rt::NumberToInt16(rt::LeadingNumber(F(field))); };
        const int16_t inx = n(2), lft = n(4), tp = n(5), hig = n(6), wdth = n(7);
        f.ladfla(inx, lft, tp, hig, wdth, source);
    });
    if (web) step([&] { f.flashViewer.Let("AllowFullScreen", true); });
}

void page_events::Picture2Events(Form1& f) {
    f.Picture2.Design([&f](rt::PictureBox& t) { t.Click = [&f](int i) { f.Picture2_Click(i); }; });
}

void PageBuilder::WMPlayerRecord() {
    auto m = [&]() -> rt::MediaPlayer& { return f.WMPlayer[Index()]; };
    Create(f.WMPlayer);
    step([&] { m().Tag(F(3)); });
    Placement(m);
    step([&] { m().stretchToFit(rt::TextToBoolean(F(8))); });
    step([&] { m().enableContextMenu(rt::TextToBoolean(F(9))); });
    skipMode();
    step([&] { m().autoStart(rt::TextToBoolean(F(10))); });
    step([&] { m().uiMode(F(11)); });
    step([&] { m().playCount(rt::TextToInt32(F(12))); });
    step([&] { m().ZOrder(0); });
    // Item 1 of the source: the text after the first "#$#", up to a second one.
    auto address = [&](const std::string& tag) {
        const std::vector<std::string> parts = rt::Split(tag, "#$#");
        if (parts.size() < 2) rt::Raise(rt::errSubscriptOutOfRange, "LoadOpen");
        return parts[1];
    };
    step([&] {
        const std::string tag = m().Tag();
        if (tag.compare(0, 3, "url") == 0) m().URL(address(tag));
    });
    step([&] {
        const std::string tag = m().Tag();
        if (tag.compare(0, 3, "fle") == 0) m().URL(rt::App::Path() + "\\" + address(tag));
    });
}

void PageBuilder::PDF() {
    step([&] { f.crtpdf(); });
    f.pageHasPdf = true;
    f.pdfHasFile = !F(3).empty();
    if (f.pdfViewerReady) {
        auto viewer = [&]() -> rt::Control& {
            rt::Control* c = rt::FindControl(f, "PDF");
            if (!c) rt::Raise(rt::errObjectVariableNotSet, "PDF");
            return *c;
        };
        Position(viewer);
        Dimensions(viewer);
        step([&] { f.pdfsrol.Value(rt::TextToInt16(F(12))); });
        step([&] { f.pdftool.Value(rt::TextToInt16(F(8))); });
        if (!F(3).empty()) step([&] { f.pdfViewer.Call("LoadFile", f.pat.Text() + F(3)); });
    } else {
        auto frame = [&]() -> auto& {
            return f.Picture8;
        };
        Position(frame);
        Dimensions(frame);
        step([&] { f.Picture8.Visible(true); });
    }
}

void PageBuilder::rtRecord() {
    auto m = [&]() -> controls::JRTF& { return f.rt[Index()]; };
    Create(f.rt);
    Placement(m);
    if (!F(8).empty()) step([&] { m().LoadFile(f.pat.Text() + F(8)); });
    step([&] { m().BackColor(static_cast<uint32_t>(rt::TextToInt32(F(9)))); });
}

void PageBuilder::webRecord() {
    auto m = [&]() -> controls::UserControl1& { return f.web[Index()]; };
    Create(f.web);
    step([&] { m().ToolTipText(F(3)); });
    Position(m);
    Dimensions(m);
    step([&] { m().Tag(F(8)); });
    // Each test reads the mode again; in skip mode one that fails counts as met.
    auto mode = [&](double wanted) {
        return test([&] { return rt::TextToDouble(m().ToolTipText()) == wanted; });
    };
    if (mode(2)) {
        skipMode();
        step([&] { m().Navigate(f.pat.Text() + m().Tag()); });
    }
    if (mode(1)) {
        skipMode();
        step([&] { m().Navigate(m().Tag()); });
    }
    if (mode(0)) {
        skipMode();
        step([&] { m().Navigate(f.pat.Text() + m().Tag()); });
    }
    step([&] { m().Value(rt::TextToInt16(F(9))); });
    step([&] { m().Visible(true); });
}
