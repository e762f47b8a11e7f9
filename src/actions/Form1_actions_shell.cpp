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
#include "shell/program.h"

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

void ShellAction(Form1& main, const std::string& keyword, const ActionCommand& command) {
    if (keyword == "URL") {
        rt::Effects().ShellExecuteA(main.hWnd(), "", command.Arg(1), "", main.pat.Text() + "\\Data",
                                    SW_SHOWNORMAL);
    } else if (keyword == "EXE") {
        RunProgram(main, command.Arg(1));
    } else if (keyword == "doscmd") {
        rt::Effects().StartProcess(command.Arg(1), "", SW_SHOWNORMAL);
    } else if (keyword == "Activex") {
        rt::Effects().ShellExecuteA(nullptr, "open", "regsvr32.exe", " " + command.Arg(1), "", SW_SHOWNORMAL);
    } else if (keyword == "Activexno") {
        rt::Effects().ShellExecuteA(nullptr, "open", "regsvr32.exe", "/s " + command.Arg(1), "",
                                    SW_SHOWNORMAL);
    } else if (keyword == "EML") {
        rt::Effects().ShellExecuteA(main.hWnd(), "open", "mailto:" + command.Arg(1), "", "", SW_SHOWNORMAL);
    } else if (keyword == "clip") {
        rt::Try([] { rt::Clipboard::Clear(); });
        rt::Clipboard::SetText(command.Arg(1));
    } else if (keyword == "PNT") {
        main.PrintForm();
    } else if (keyword == "opcd" || keyword == "button") {
        FormDrag::OpenCdDoor();
    } else if (keyword == "label") {
        FormDrag::OpenCdDoor();
        // At once: no window is unloaded and no exit window shows.
        shell::EndProgram();
    } else if (keyword == "clcd") {
        FormDrag::CloseCdDoor();
    } else if (keyword == "shut") {
        dec::ShutdownWindows();
    } else if (keyword == "rest") {
        dec::RestartWindows();
    }
}

}  // namespace actions
