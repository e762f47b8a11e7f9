// The action interpreter: one action command, its keyword looked up in the table of 69, the
// family that runs the row's operation. Nothing it runs ever reaches the caller as an error.
#include <string>
#include <string_view>
#include <unordered_map>
#include <variant>

#include "actions/interpreter.h"
#include "runtime/convert.h"
#include "runtime/error.h"
#include "runtime/lifetime.h"
#include "runtime/ui.h"
#include "shell/Form1.h"

namespace actions {

ActionCommand::ActionCommand(const std::string& text) : parts_(rt::Split(text, kSepa)) {
    if (parts_.size() > 3) parts_.resize(3);
}

const std::string& ActionCommand::Keyword() const {
    static const std::string none;
    return parts_.empty() ? none : parts_[0];
}

const std::string& ActionCommand::Arg(int part) const {
    if (!Has(part)) rt::Raise(rt::errSubscriptOutOfRange);
    return parts_[static_cast<size_t>(part)];
}

std::vector<std::string> SplitActionList(const std::string& list) {
    return rt::Split(list, kCode);
}

std::optional<namelist::NameEntry> FindOnPage(Form1& main, std::string_view kind, const std::string& name) {
    return namelist::FindNamedObject(
        main.namelist, [&main] { return main.page.Text(); }, kind, name, [] { rt::DoEvents(); });
}

namespace {

// A row of a family that takes the command as it is.
template <class Op>
constexpr ActionRow Plain(std::string_view keyword, Op op) {
    static_assert(!kOnNamedObject<Op>, "a family of named objects needs the kind code of its lookup");
    return ActionRow{keyword, op, {}};
}
// A row of a family that acts on the page object named by argument 1, looked up with this kind.
template <class Op>
constexpr ActionRow Named(std::string_view keyword, Op op, std::string_view kind) {
    static_assert(kOnNamedObject<Op>, "this family takes the command as it is");
    return ActionRow{keyword, op, kind};
}

using namespace namelist;

// Each keyword once, in the order of comparison, with its family's operation.
constexpr ActionRow kTable[] = {
    Plain("CKEY", RegistryOp::CreateKey),
    Plain("DKEY", RegistryOp::DeleteKey),
    Plain("CVALUE", RegistryOp::SetString),
    Plain("runatstartup", RegistryOp::RunAtStartup),
    Plain("CDWORD", RegistryOp::SetDWord),
    Plain("DVALUE", RegistryOp::DeleteValue),
    Plain("MessageBox", RegistryOp::Message),
    Named("loadTXT", TextOp::SetText, kindText),
    Plain("mnuload", MenuOp{}),
    Named("loadlbl", TextOp::SetCaption, kindLabel),
    Named("loadcombo", TextOp::StepCombo, kindCombo),
    Named("loadyoutube", FlashPictureOp::Flash, kindFlash),
    Named("loadTXT2go", TextOp::SearchWeb, kindText),
    Named("loadaap", FlashPictureOp::AlphaPicture, kindAlphaPicture),
    Plain("loadTXT2WEB", TextToWebOp{}),
    Named("loadwmp", PlayerWebOp::Player, kindMediaPlayer),
    Named("loadWEB", PlayerWebOp::Web, kindWeb),
    Named("loadsld", SlideshowThumbOp::Slideshow, kindSlideshow),
    Named("loadthumb", SlideshowThumbOp::Thumbnails, kindThumbnails),
    Plain("loadpdf", PdfOp{}),
    Plain("URL", ShellOp::OpenAddress),
    Plain("ontop", WindowOp::OnTop),
    Plain("notop", WindowOp::NotOnTop),
    Plain("ButtonHide", WindowOp::HideButton),
    Plain("ButtonShow", WindowOp::ShowButton),
    Plain("ButtonDisabled", WindowOp::DisableButton),
    Plain("ButtonEnabled", WindowOp::EnableButton),
    Plain("clip", ShellOp::Clipboard),
    Plain("doscmd", ShellOp::DosCommand),
    Plain("Activex", ShellOp::RegisterComponent),
    Plain("Activexno", ShellOp::RegisterComponentQuietly),
    Plain("copy", WindowOp::CopyDialog),
    Plain("opcd", ShellOp::OpenCdDoor),
    Plain("opmedf", WindowOp::MediaFolder),
    Plain("clcd", ShellOp::CloseCdDoor),
    Plain("try", WindowOp::ToTray),
    Plain("size", WindowOp::Resize),
    Plain("EML", ShellOp::Mail),
    Plain("endco", WindowOp::EndAsked),
    Plain("PNT", ShellOp::Print),
    Plain("sunstop", MovieOp::MusicStop),
    Plain("sunPlay", MovieOp::MusicPlay),
    Plain("pic", WindowOp::PicturePopup),
    Plain("picviw", WindowOp::PictureViewer),
    Plain("max", WindowOp::MaximiseMovie),
    Plain("sld", WindowOp::Slideshow),
    Plain("EXE", ShellOp::RunProgram),
    Plain("end", WindowOp::End),
    Plain("shut", ShellOp::ShutDown),
    Plain("rest", ShellOp::Restart),
    Plain("min", WindowOp::Minimise),
    Plain("button", ShellOp::OpenCdDoor),
    Plain("label", ShellOp::OpenCdDoorAndEnd),
    Plain("about", WindowOp::About),
    Plain("jump", JumpOp::ToPage),
    Plain("n_page", JumpOp::Next),
    Plain("b_page", JumpOp::Back),
    Plain("f_page", JumpOp::First),
    Plain("l_page", JumpOp::Last),
    Plain("mov", MovieOp::MovieWindow),
    Plain("movon", MovieOp::PageMovie),
    Plain("play", MovieOp::Resume),
    Plain("stop", MovieOp::Stop),
    Plain("puse", MovieOp::Pause),
    Plain("full", MovieOp::FullScreen),
    Plain("inc", MovieOp::VolumeUp),
    Plain("dec", MovieOp::VolumeDown),
    Plain("bac", MovieOp::SeekBack),
    Plain("forw", MovieOp::SeekForward),
};

// Runs a row's family with its operation; a family of named objects only once argument 1 names
// an entry of the page.
struct Dispatch {
    Form1& main;
    const ActionCommand& command;
    std::string_view kind;

    void operator()(RegistryOp op) const { RegistryAction(main, op, command); }
    void operator()(TextOp op) const { OnTarget(TextAction, op); }
    void operator()(TextToWebOp) const { TextToWebAction(main, command); }
    void operator()(MenuOp) const { MenuAction(main, command); }
    void operator()(JumpOp op) const { JumpAction(main, op, command); }
    void operator()(ShellOp op) const { ShellAction(main, op, command); }
    void operator()(FlashPictureOp op) const { OnTarget(FlashPictureAction, op); }
    void operator()(PlayerWebOp op) const { OnTarget(PlayerWebAction, op); }
    void operator()(SlideshowThumbOp op) const { OnTarget(SlideshowThumbAction, op); }
    void operator()(PdfOp) const { PdfAction(main, command); }
    void operator()(MovieOp op) const { MovieAction(main, op, command); }
    void operator()(WindowOp op) const { WindowAction(main, op, command); }

    template <class Op>
    void OnTarget(void (*family)(Form1&, Op, const ActionCommand&, const NameEntry&), Op op) const {
        // Without argument 1 no entry can match.
        if (!command.Has(1)) return;
        if (std::optional<NameEntry> target = FindOnPage(main, kind, command.Arg(1)))
            family(main, op, command, *target);
    }
};

}  // namespace

std::span<const ActionRow> ActionTable() {
    return kTable;
}

// Keywords are distinct and compared whole and case-sensitively, so a map answers exactly as a
// walk through the table in its order would.
const ActionRow* FindAction(std::string_view keyword) {
    static const std::unordered_map<std::string_view, const ActionRow*> rows = [] {
        std::unordered_map<std::string_view, const ActionRow*> map;
        for (const ActionRow& row : kTable) map.emplace(row.keyword, &row);
        return map;
    }();
    auto found = rows.find(keyword);
    return found == rows.end() ? nullptr : found->second;
}

}  // namespace actions

void Form1::ExecuteTag(const std::string& StringToExe) {
    // Whatever the action unloads (a page jump removes the page's objects, possibly the caller)
    // is destroyed only after the outermost handler has returned.
    rt::HandlerScope scope;
    rt::Try([&] {
        const actions::ActionCommand command(StringToExe);
        if (const actions::ActionRow* row = actions::FindAction(command.Keyword()))
            std::visit(actions::Dispatch{*this, command, row->kind}, row->operation);
    });
}
