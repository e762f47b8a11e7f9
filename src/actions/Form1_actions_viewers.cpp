// Viewer actions: Flash viewers and alpha pictures, slideshows, thumbnail browsers and the PDF
// viewer.
#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "actions/interpreter.h"
#include "runtime/activex.h"
#include "runtime/convert.h"
#include "runtime/error.h"
#include "runtime/ui.h"
#include "shell/Form1.h"

namespace actions {

namespace {

bool EndsWith(const std::string& text, std::string_view tail) {
    return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

// loadyoutube: the page's Flash viewer named "tovi" & the entry's index, found by walking the
// window's controls in order; the message loop runs once after each control that is not it.
void FlashAction(Form1& main, const ActionCommand& command, const namelist::NameEntry& target) {
    rt::Procedure proc(rt::OnError::Skip);
    std::string c;
    proc.step([&] { c = command.Arg(2); });
    c = rt::Replace(c, "#~~#", "\"");
    const std::string name = "tovi" + target.index;
    // The walk runs over the controls as they were when it began; one removed while the loop ran
    // is passed over.
    const std::vector<rt::Control*> controls = main.Controls();
    for (rt::Control* control : controls) {
        const auto& now = main.Controls();
        if (std::find(now.begin(), now.end(), control) == now.end() || control->Name() != name) {
            rt::DoEvents();
            continue;
        }
        rt::Object player;
        proc.step([&] {
            auto* viewer = dynamic_cast<rt::ActiveXControl*>(control);
            if (!viewer) rt::Raise(rt::errObjectDoesNotSupport, "loadyoutube");
            player = viewer->object();
            main.FlashViewer(player);
        });
        const bool movie = EndsWith(c, ".swf");
        if (c != "Play" && c != "Pause" && c != "Rewind" && !movie)
            proc.step([&] { player.Call("LoadMovie", static_cast<int32_t>(0), c); });
        if (c == "Play") proc.step([&] { player.Call("play"); });
        if (c == "Pause") proc.step([&] { player.Call("Stop"); });
        if (c == "Rewind") proc.step([&] { player.Call("Rewind"); });
        if (movie) proc.step([&] { player.Call("LoadMovie", static_cast<int32_t>(0), main.pat.Text() + c); });
        return;
    }
}

// loadaap: another picture, from the application folder, for the named alpha picture.
void AlphaPictureAction(Form1& main, const ActionCommand& command, const namelist::NameEntry& target) {
    const std::string file = command.Has(2) ? command.Arg(2) : std::string();
    main.aap[target.Index()].LoadImage_FromFile(main.pat.Text() + file);
}

}  // namespace

void FlashPictureAction(Form1& main, FlashPictureOp op, const ActionCommand& command,
                        const namelist::NameEntry& target) {
    switch (op) {
        case FlashPictureOp::Flash:
            FlashAction(main, command, target);
            break;
        case FlashPictureOp::AlphaPicture:
            AlphaPictureAction(main, command, target);
            break;
    }
}

void SlideshowThumbAction(Form1& main, SlideshowThumbOp op, const ActionCommand& command,
                          const namelist::NameEntry& target) {
    const int16_t index = target.Index();
    switch (op) {
        case SlideshowThumbOp::Thumbnails: {
            controls::thumb& browser = main.thumb[index];
            rt::Try([&] { browser.pathflder = command.Arg(2); });
            rt::Try([&] { main.thumb[index].strtload(); });
            break;
        }
        case SlideshowThumbOp::Slideshow: {
            controls::slideshowacx& show = main.slideshow[index];
            const std::string& c = command.Arg(2);
            const bool named = RunNamedCommand(show, c,
                                               {{"Back", [](auto& s) { s.backp(); }},
                                                {"Next", [](auto& s) { s.nextp(); }},
                                                {"Stop", [](auto& s) { s.StartPlayv = false; }},
                                                {"Play", [](auto& s) {
                                                     s.StartPlayv = true;
                                                     s.playp();
                                                 }}});
            if (!named) show.FPath(c);
            break;
        }
    }
}

void PdfAction(Form1& main, const ActionCommand& command) {
    if (!main.PdfOnPage()) return;
    const rt::Object& viewer = main.PdfViewer();
    const std::string& c = command.Arg(2);
    const bool turned = RunNamedCommand(viewer, c,
                                        {{"Next Page", [](auto& v) { v.Call("gotoNextPage"); }},
                                         {"Previous Page", [](auto& v) { v.Call("gotoPreviousPage"); }},
                                         {"First Page", [](auto& v) { v.Call("gotoFirstPage"); }},
                                         {"Last Page", [](auto& v) { v.Call("gotoLastPage"); }},
                                         {"Print", [](auto& v) { v.Call("printWithDialog"); }}});
    if (turned) return;
    rt::Procedure proc(rt::OnError::Skip);
    proc.step([&] { viewer.Call("LoadFile", main.pat.Text() + c); });
    proc.step([&] { viewer.Call("setShowToolbar", static_cast<int32_t>(main.pdfsrol.Value())); });
    proc.step([&] { viewer.Call("setShowScrollbars", static_cast<int32_t>(main.pdftool.Value())); });
    proc.step([&] {
        rt::Control* container = rt::FindControl(main, "PDF");
        if (!container) rt::Raise(rt::errObjectVariableNotSet, "PDF");
        container->Visible(true);
    });
}

}  // namespace actions
