// Registry and message-box actions. The registry work is the registry class's; these only take
// the arguments apart and call it. Its error messages stay off.
#include <memory>
#include <string>

#include "actions/interpreter.h"
#include "actions/registry/RegistryFunctions.h"
#include "runtime/convert.h"
#include "runtime/error.h"
#include "runtime/ui.h"
#include "shell/Form1.h"

namespace actions {

namespace {

constexpr const char* kRunKey = "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr std::string_view kQk = "**qk**";
constexpr std::string_view kMsg = "**msg**";

// Part n of a split argument; a missing part fails the step that needs it.
const std::string& Part(const std::vector<std::string>& parts, size_t n) {
    if (n >= parts.size()) rt::Raise(rt::errSubscriptOutOfRange);
    return parts[n];
}

// The program as the Run value starts it: the application folder, the executable's name and
// ".exe". A path with a blank is quoted, or the system would take the text up to the blank as
// the program.
std::string StartupCommand(Form1& main) {
    std::string path = main.pat.Text() + rt::App::EXEName() + ".exe";
    if (path.find(' ') != std::string::npos) path = "\"" + path + "\"";
    return path;
}

void MessageBoxAction(const ActionCommand& command) {
    const std::vector<std::string> parts = rt::Split(command.Arg(1), kMsg);
    const std::string kind = parts.size() > 2 ? parts[2] : std::string();
    int32_t icon;
    if (kind == "i")
        icon = rt::vbInformation;
    else if (kind == "e")
        icon = rt::vbExclamation;
    else if (kind == "q")
        icon = rt::vbQuestion;
    else if (kind == "c")
        icon = rt::vbCritical;
    else if (kind == "n")
        icon = 0;
    else
        return;
    rt::MsgBox(Part(parts, 1), rt::vbOKOnly | icon, Part(parts, 0));
}

}  // namespace

void RegistryAction(Form1& main, const std::string& keyword, const ActionCommand& command) {
    if (keyword == "MessageBox") {
        MessageBoxAction(command);
        return;
    }
    if (!main.registryObject) main.registryObject = std::make_shared<RegistryFunctions>();
    RegistryFunctions& reg = *main.registryObject;

    if (keyword == "CKEY") {
        reg.CreateKey(command.Arg(1));
    } else if (keyword == "DKEY") {
        reg.DeleteKey(command.Arg(1));
    } else if (keyword == "runatstartup") {
        reg.SetStringValue(kRunKey, command.Arg(1), StartupCommand(main));
    } else {
        const std::vector<std::string> parts = rt::Split(command.Arg(1), kQk);
        if (keyword == "CVALUE")
            reg.SetStringValue(Part(parts, 0), Part(parts, 1), Part(parts, 2));
        else if (keyword == "CDWORD")
            reg.SetDWordValue(Part(parts, 0), Part(parts, 1), rt::TextToInt32(Part(parts, 2)));
        else if (keyword == "DVALUE")
            reg.DeleteKeyValue(Part(parts, 0), Part(parts, 1));
    }
}

}  // namespace actions
