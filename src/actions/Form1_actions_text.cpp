// Text, label, combo-box, web-search and popup-menu actions.
#include <string>

#include "actions/interpreter.h"
#include "controls/common/mdlList.h"
#include "runtime/convert.h"
#include "runtime/effects.h"
#include "runtime/error.h"
#include "runtime/files.h"
#include "runtime/form.h"
#include "runtime/ui.h"
#include "shell/Form1.h"
#include "windows/mnu_popup_menu.h"

namespace actions {

namespace {
// The result page of a public web search; the text follows the query key unchanged.
constexpr const char* kSearchPrefix = "http://www.google.com/search?q=";
}  // namespace

void TextAction(Form1& main, TextOp op, const ActionCommand& command, const namelist::NameEntry& target) {
    rt::Try([&] {
        switch (op) {
            case TextOp::SetText:
                main.txt[target.Index()].Text(command.Arg(2));
                break;
            case TextOp::SetCaption:
                main.Label1[target.Index()].Caption(command.Arg(2));
                break;
            case TextOp::StepCombo: {
                const std::string& which = command.Arg(2);
                RunNamedCommand(main.combobx1[target.Index()], which,
                                {{"Next Item", [](auto& box) { box.NextItem(); }},
                                 {"Previous Item", [](auto& box) { box.BackItem(); }},
                                 {"First Item", [](auto& box) { box.FristItem(); }},
                                 {"Last Item", [](auto& box) { box.LastItem(); }}});
                break;
            }
            case TextOp::SearchWeb: {
                const std::string address = kSearchPrefix + main.txt[target.Index()].Text();
                rt::Effects().ShellExecuteA(nullptr, "", address, "", "", SW_SHOWNORMAL);
                break;
            }
        }
    });
}

void TextToWebAction(Form1& main, const ActionCommand& command) {
    int32_t textIndex = 0;
    rt::Try([&] {
        if (auto entry = FindOnPage(main, namelist::kindText, command.Arg(1)))
            textIndex = rt::TextToInt32(entry->index);
    });
    std::optional<namelist::NameEntry> web;
    rt::Try([&] { web = FindOnPage(main, namelist::kindWeb, command.Arg(2)); });
    rt::Try([&] { main.txt[textIndex].Locked(false); });
    rt::Try([&] {
        if (!web) rt::Raise(rt::errObjectVariableNotSet);
        WebNavigate(main, web->Index(), main.txt[textIndex].Text());
    });
}

void MenuAction(Form1& main, const ActionCommand& command) {
    // Each step on its own: without a member name the menu still pops up, holding only its
    // first, empty item.
    std::string copy;
    rt::Try([&] { copy = main.pckex(command.Arg(1)); });
    rt::Try([&] {
        mnu& menu = rt::Load<mnu>();
        mdlList::LoadPairedList(copy, menu.List1, menu.List2, [] { rt::DoEvents(); });
    });
    rt::Try([&] { rt::Load<mnu>().AddtoDynPop(); });
    // Returns once the chosen item's actions have run, or the menu was dismissed.
    rt::Try([&] { main.PopupMenu(rt::Load<mnu>().myMenu); });
    // The copy is replaced by a fresh extraction first, so the path deleted is the store's own.
    rt::Try([&] { rt::Kill(main.pckex(command.Arg(1))); });
    rt::Try([&] { rt::Load<mnu>().Unload(); });
}

}  // namespace actions
