// Action families whose objects and windows come with the media, window and viewer controls (each
// accepts its keywords and, until its controls are on the main window, does nothing), and the
// slideshow, thumbnail and PDF actions.
#include <string>
#include <utility>

#include "actions/interpreter.h"
#include "runtime/activex.h"
#include "runtime/error.h"
#include "shell/Form1.h"

namespace actions {

void FlashPictureAction(Form1&, const std::string&, const ActionCommand&, const namelist::NameEntry&) {}

void SlideshowThumbAction(Form1& main, const std::string& keyword, const ActionCommand& command,
                          const namelist::NameEntry& target) {
    const int16_t index = target.Index();
    if (keyword == "loadthumb") {
        controls::thumb& browser = main.thumb[index];
        rt::Try([&] { browser.pathflder = command.Arg(2); });
        rt::Try([&] { main.thumb[index].strtload(); });
        return;
    }
    controls::slideshowacx& show = main.slideshow[index];
    const std::string& c = command.Arg(2);
    if (c == "Back") {
        show.backp();
    } else if (c == "Next") {
        show.nextp();
    } else if (c == "Stop") {
        show.StartPlayv = false;
    } else if (c == "Play") {
        show.StartPlayv = true;
        show.playp();
    } else {
        show.FPath(c);
    }
}

void PdfAction(Form1& main, const std::string&, const ActionCommand& command) {
    if (!main.PdfOnPage()) return;
    const rt::Object& viewer = main.PdfViewer();
    const std::string& c = command.Arg(2);
    static const std::pair<const char*, const char*> kTurns[] = {{"Next Page", "gotoNextPage"},
                                                                 {"Previous Page", "gotoPreviousPage"},
                                                                 {"First Page", "gotoFirstPage"},
                                                                 {"Last Page", "gotoLastPage"},
                                                                 {"Print", "printWithDialog"}};
    for (const auto& [text, method] : kTurns) {
        if (c == text) {
            viewer.Call(method);
            return;
        }
    }
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
