// The action interpreter: one action command, its keyword looked up in the table of 69, the
// family that runs it. Nothing it runs ever reaches the caller as an error.
#include <string>
#include <string_view>
#include <unordered_map>

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

// A keyword's row: a family that takes the command as it is, or one that acts on the object
// that the name lookup finds with the row's kind code (named by argument 1).
struct Row {
    Family plain = nullptr;
    NamedFamily named = nullptr;
    std::string_view kind;
};

Row Plain(Family f) {
    return Row{f, nullptr, {}};
}
Row Named(NamedFamily f, std::string_view kind) {
    return Row{nullptr, f, kind};
}

// Keywords are distinct and compared whole and case-sensitively, so a map answers exactly as a
// walk through the table in its order would.
const std::unordered_map<std::string, Row>& Table() {
    using namespace namelist;
    static const std::unordered_map<std::string, Row> table = {
        {"CKEY", Plain(RegistryAction)},
        {"DKEY", Plain(RegistryAction)},
        {"CVALUE", Plain(RegistryAction)},
        {"runatstartup", Plain(RegistryAction)},
        {"CDWORD", Plain(RegistryAction)},
        {"DVALUE", Plain(RegistryAction)},
        {"MessageBox", Plain(RegistryAction)},
        {"loadTXT", Named(TextAction, kindText)},
        {"mnuload", Plain(MenuAction)},
        {"loadlbl", Named(TextAction, kindLabel)},
        {"loadcombo", Named(TextAction, kindCombo)},
        {"loadyoutube", Named(FlashPictureAction, kindFlash)},
        {"loadTXT2go", Named(TextAction, kindText)},
        {"loadaap", Named(FlashPictureAction, kindAlphaPicture)},
        {"loadTXT2WEB", Plain(TextToWebAction)},
        {"loadwmp", Named(PlayerWebAction, kindMediaPlayer)},
        {"loadWEB", Named(PlayerWebAction, kindWeb)},
        {"loadsld", Named(SlideshowThumbAction, kindSlideshow)},
        {"loadthumb", Named(SlideshowThumbAction, kindThumbnails)},
        {"loadpdf", Plain(PdfAction)},
        {"URL", Plain(ShellAction)},
        {"ontop", Plain(WindowAction)},
        {"notop", Plain(WindowAction)},
        {"ButtonHide", Plain(WindowAction)},
        {"ButtonShow", Plain(WindowAction)},
        {"ButtonDisabled", Plain(WindowAction)},
        {"ButtonEnabled", Plain(WindowAction)},
        {"clip", Plain(ShellAction)},
        {"doscmd", Plain(ShellAction)},
        {"Activex", Plain(ShellAction)},
        {"Activexno", Plain(ShellAction)},
        {"copy", Plain(WindowAction)},
        {"opcd", Plain(ShellAction)},
        {"opmedf", Plain(WindowAction)},
        {"clcd", Plain(ShellAction)},
        {"try", Plain(WindowAction)},
        {"size", Plain(WindowAction)},
        {"EML", Plain(ShellAction)},
        {"endco", Plain(WindowAction)},
        {"PNT", Plain(ShellAction)},
        {"sunstop", Plain(MovieAction)},
        {"sunPlay", Plain(MovieAction)},
        {"pic", Plain(WindowAction)},
        {"picviw", Plain(WindowAction)},
        {"max", Plain(WindowAction)},
        {"sld", Plain(WindowAction)},
        {"EXE", Plain(ShellAction)},
        {"end", Plain(WindowAction)},
        {"shut", Plain(ShellAction)},
        {"rest", Plain(ShellAction)},
        {"min", Plain(WindowAction)},
        {"button", Plain(ShellAction)},
        {"label", Plain(ShellAction)},
        {"about", Plain(WindowAction)},
        {"jump", Plain(JumpAction)},
        {"n_page", Plain(JumpAction)},
        {"b_page", Plain(JumpAction)},
        {"f_page", Plain(JumpAction)},
        {"l_page", Plain(JumpAction)},
        {"mov", Plain(MovieAction)},
        {"movon", Plain(MovieAction)},
        {"play", Plain(MovieAction)},
        {"stop", Plain(MovieAction)},
        {"puse", Plain(MovieAction)},
        {"full", Plain(MovieAction)},
        {"inc", Plain(MovieAction)},
        {"dec", Plain(MovieAction)},
        {"bac", Plain(MovieAction)},
        {"forw", Plain(MovieAction)},
    };
    return table;
}

}  // namespace

}  // namespace actions

void Form1::ExecuteTag(const std::string& StringToExe) {
    // Whatever the action unloads (a page jump removes the page's objects, possibly the caller)
    // is destroyed only after the outermost handler has returned.
    rt::HandlerScope scope;
    rt::Try([&] {
        const actions::ActionCommand command(StringToExe);
        const std::string keyword = command.Keyword();
        const auto& table = actions::Table();
        auto row = table.find(keyword);
        if (row == table.end()) return;
        if (row->second.plain) {
            row->second.plain(*this, keyword, command);
            return;
        }
        // Without argument 1 no entry can match.
        if (!command.Has(1)) return;
        std::optional<namelist::NameEntry> target =
            actions::FindOnPage(*this, row->second.kind, command.Arg(1));
        if (target) row->second.named(*this, keyword, command, *target);
    });
}
