// Shell and system actions: documents, addresses, programs, component registration, mail, the
// clipboard, printing, the CD door, shutting down and restarting. Results of the shell and of
// the system are not looked at.
#include <windows.h>

#include <string>
#include <vector>

#include "actions/interpreter.h"
#include "runtime/convert.h"
#include "runtime/effects.h"
#include "runtime/error.h"
#include "runtime/ui.h"
#include "shell/Form1.h"
#include "shell/FormDrag.h"
#include "shell/dec.h"

namespace actions {

namespace {

constexpr std::string_view kQk = "**qk**";
constexpr std::string_view kCdRoot = "%CDROOT%";

void RunProgram(Form1& main, const std::string& argument) {
    const std::vector<std::string> parts = rt::Split(argument, kQk);
    if (parts.empty()) rt::Raise(rt::errSubscriptOutOfRange);
    const std::string file = parts[0];
    std::string parameters;
    rt::Try([&] {
        if (parts.size() < 2) rt::Raise(rt::errSubscriptOutOfRange);
        parameters = parts[1];
        // Only parameters that begin with the marker have it replaced, every occurrence then.
        if (parameters.compare(0, kCdRoot.size(), kCdRoot) == 0)
            parameters = rt::Replace(parameters, kCdRoot, main.pat.Text());
    });
    rt::Effects().ShellExecuteA(nullptr, "", main.pat.Text() + file, parameters, "", SW_SHOWNORMAL);
}

}  // namespace

void ShellAction(Form1& main, ShellOp op, const ActionCommand& command) {
    switch (op) {
        case ShellOp::OpenAddress:
            rt::Effects().ShellExecuteA(main.hWnd(), "", command.Arg(1), "", main.pat.Text() + "\\Data",
                                        SW_SHOWNORMAL);
            break;
        case ShellOp::RunProgram:
            RunProgram(main, command.Arg(1));
            break;
        case ShellOp::DosCommand:
            rt::Effects().StartProcess(command.Arg(1), "", SW_SHOWNORMAL);
            break;
        case ShellOp::RegisterComponent:
            rt::Effects().ShellExecuteA(nullptr, "open", "regsvr32.exe", " " + command.Arg(1), "",
                                        SW_SHOWNORMAL);
            break;
        case ShellOp::RegisterComponentQuietly:
            rt::Effects().ShellExecuteA(nullptr, "open", "regsvr32.exe", "/s " + command.Arg(1), "",
                                        SW_SHOWNORMAL);
            break;
        case ShellOp::Mail:
            rt::Effects().ShellExecuteA(main.hWnd(), "open", "mailto:" + command.Arg(1), "", "",
                                        SW_SHOWNORMAL);
            break;
        case ShellOp::Clipboard:
            rt::Try([] { rt::Clipboard::Clear(); });
            rt::Clipboard::SetText(command.Arg(1));
            break;
        case ShellOp::Print:
            main.PrintForm();
            break;
        case ShellOp::OpenCdDoor:
            FormDrag::OpenCdDoor();
            break;
        case ShellOp::OpenCdDoorAndEnd:
            FormDrag::OpenCdDoor();
            // At once: no window is unloaded and no exit window shows.
            rt::App::End();
            break;
        case ShellOp::CloseCdDoor:
            FormDrag::CloseCdDoor();
            break;
        case ShellOp::ShutDown:
            dec::ShutdownWindows();
            break;
        case ShellOp::Restart:
            dec::RestartWindows();
            break;
    }
}

}  // namespace actions
