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

namespace {

int16_t PageCount(Form1& main) {
    return static_cast<int16_t>(main.pagelast.ListCount());
}

}  // namespace

void JumpAction(Form1& main, JumpOp op, const ActionCommand& command) {
    if (main.png_prs) return;
    rt::Try([&] { main.de.Text("0"); });
    rt::Try([&] { main.Text2.Text(""); });

    // No target: the page stays as it is.
    std::optional<std::string> target;
    rt::Try([&] {
        switch (op) {
            case JumpOp::ToPage:
                target = command.Arg(1);
                break;
            case JumpOp::First:
                target = "1";
                break;
            case JumpOp::Last:
                target = rt::Str(static_cast<int64_t>(PageCount(main)));
                break;
            case JumpOp::Next: {
                const int16_t pages = PageCount(main);
                const double current = rt::TextToDouble(main.page.Text());
                if (current < pages) target = rt::Str(current + 1);
                break;
            }
            case JumpOp::Back:
                if (const double current = rt::TextToDouble(main.page.Text()); current > 1)
                    target = rt::Str(current - 1);
                break;
        }
    });
    if (target) rt::Try([&] { main.page.Text(*target); });
    rt::Try([&] { main.Picture16.Visible(false); });
}

}  // namespace actions
