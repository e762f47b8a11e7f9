// Page jumps. Writing the page field rebuilds the window before the write returns, so whatever
// follows a jump in an action list runs on the new page. While the page builder creates alpha
// pictures no jump does anything.
#include <optional>
#include <string>

#include "actions/interpreter.h"
#include "runtime/convert.h"
#include "runtime/error.h"
#include "shell/Form1.h"

namespace actions {

void JumpAction(Form1& main, const std::string& keyword, const ActionCommand& command) {
    if (main.png_prs) return;
    rt::Try([&] { main.de.Text("0"); });
    rt::Try([&] { main.Text2.Text(""); });

    // No target: the page stays as it is.
    std::optional<std::string> target;
    rt::Try([&] {
        if (keyword == "jump") {
            target = command.Arg(1);
        } else if (keyword == "f_page") {
            target = "1";
        } else if (keyword == "l_page") {
            target = rt::Str(static_cast<int64_t>(static_cast<int16_t>(main.pagelast.ListCount())));
        } else {
            const int16_t pages = static_cast<int16_t>(main.pagelast.ListCount());
            const double current = rt::TextToDouble(main.page.Text());
            if (keyword == "n_page" && current < pages) target = rt::Str(current + 1);
            if (keyword == "b_page" && current > 1) target = rt::Str(current - 1);
        }
    });
    if (target) rt::Try([&] { main.page.Text(*target); });
    rt::Try([&] { main.Picture16.Visible(false); });
}

}  // namespace actions
