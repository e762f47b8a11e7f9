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

// The main window's registry object, made by its first registry action.
RegistryFunctions& Registry(Form1& main) {
    if (!main.registryObject) main.registryObject = std::make_shared<RegistryFunctions>();
    return *main.registryObject;
}

// Argument 1 of a value action: key path, value name and data, split at the marker.
std::vector<std::string> ValueParts(const ActionCommand& command) {
    return rt::Split(command.Arg(1), kQk);
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

void RegistryAction(Form1& main, RegistryOp op, const ActionCommand& command) {
    switch (op) {
        case RegistryOp::CreateKey:
            Registry(main).CreateKey(command.Arg(1));
            break;
        case RegistryOp::DeleteKey:
            Registry(main).DeleteKey(command.Arg(1));
            break;
        case RegistryOp::RunAtStartup:
            Registry(main).SetStringValue(kRunKey, command.Arg(1), StartupCommand(main));
            break;
        case RegistryOp::SetString: {
            RegistryFunctions& reg = Registry(main);
            const std::vector<std::string> parts = ValueParts(command);
            reg.SetStringValue(Part(parts, 0), Part(parts, 1), Part(parts, 2));
            break;
        }
        case RegistryOp::SetDWord: {
            RegistryFunctions& reg = Registry(main);
            const std::vector<std::string> parts = ValueParts(command);
            reg.SetDWordValue(Part(parts, 0), Part(parts, 1), rt::TextToInt32(Part(parts, 2)));
            break;
        }
        case RegistryOp::DeleteValue: {
            RegistryFunctions& reg = Registry(main);
            const std::vector<std::string> parts = ValueParts(command);
            reg.DeleteKeyValue(Part(parts, 0), Part(parts, 1));
            break;
        }
        case RegistryOp::Message:
            MessageBoxAction(command);
            break;
    }
}

}  // namespace actions
