#include "app/program.h"

#include "actions/registry/RegistryFunctions.h"
#include "runtime/form.h"
#include "runtime/lifetime.h"
#include "runtime/ui.h"
#include "shell/Form4.h"
#include "shell/store/dFileArc.h"

namespace app {

void StartProgram() {
    // The program's message boxes come from the runtime.
    RegistryFunctions::ShowMessage = [](const std::string& text, const std::string& title, unsigned flags) {
        rt::MsgBox(text, static_cast<int32_t>(flags), title);
    };
    RegistryFunctions::AppTitle = [] { return rt::App::Title(); };
    dFileArc::ShowDeleteError = [](const std::string& text, const std::string& title) {
        rt::MsgBox(text, rt::vbExclamation, title);
    };
    rt::HandlerScope keep;  // the launcher may unload itself during its load
    Form4& launcher = rt::Load<Form4>();
    // The load may have handed over already and unloaded the launcher.
    if (launcher.Loaded()) launcher.Show();
}

}  // namespace app
