// The action interpreter's shared pieces: one action command taken apart, the name lookup of
// target objects, the table of keywords, and the action families that Form1::ExecuteTag
// dispatches to. A keyword's row names its family and the family's operation; each family
// switches over its operations with no default, and this folder builds with -Werror=switch, so an
// operation without a handler fails the build. Families of named objects also get the name-list
// entry that the lookup found.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>
#include <variant>
#include <vector>

#include "shell/text/name_list.h"

class Form1;

namespace actions {

// Between an action's keyword and its arguments.
inline constexpr std::string_view kSepa = "***Sepa***";
// Between the actions of an action list.
inline constexpr std::string_view kCode = "***code***";

// One action: keyword, argument 1, argument 2. Parts after the second argument are ignored.
class ActionCommand {
public:
    explicit ActionCommand(const std::string& text);

    // The first part; "" when the text was empty.
    const std::string& Keyword() const;
    bool Has(int part) const noexcept { return part >= 0 && part < static_cast<int>(parts_.size()); }
    // An argument as the action needs it; a missing one raises 9, which fails the step.
    const std::string& Arg(int part) const;

private:
    std::vector<std::string> parts_;
};

// The pieces of an action list, all of them, empty ones included (none for an empty list).
std::vector<std::string> SplitActionList(const std::string& list);

// The name lookup: the first entry of the main window's name list for the current page with
// this kind code and name. Lets the message loop run once after every entry that does not match.
std::optional<namelist::NameEntry> FindOnPage(Form1& main, std::string_view kind, const std::string& name);

// ---- the families and their operations

// Registry and message box.
enum class RegistryOp : uint8_t {
    CreateKey,
    DeleteKey,
    SetString,
    RunAtStartup,
    SetDWord,
    DeleteValue,
    Message
};
// Text boxes, labels and combo boxes of the page (named objects).
enum class TextOp : uint8_t { SetText, SetCaption, StepCombo, SearchWeb };
// A text box's text as the address of a web view: two lookups of its own.
struct TextToWebOp {
    bool operator==(const TextToWebOp&) const = default;
};
// The popup menu.
struct MenuOp {
    bool operator==(const MenuOp&) const = default;
};
// Page jumps.
enum class JumpOp : uint8_t { ToPage, Next, Back, First, Last };
// Shell and system.
enum class ShellOp : uint8_t {
    OpenAddress,
    RunProgram,
    DosCommand,
    RegisterComponent,
    RegisterComponentQuietly,
    Mail,
    Clipboard,
    Print,
    OpenCdDoor,
    OpenCdDoorAndEnd,
    CloseCdDoor,
    ShutDown,
    Restart,
};
// Flash viewers and alpha pictures (named objects).
enum class FlashPictureOp : uint8_t { Flash, AlphaPicture };
// Media players and web views (named objects).
enum class PlayerWebOp : uint8_t { Player, Web };
// Slideshows and thumbnail browsers (named objects).
enum class SlideshowThumbOp : uint8_t { Slideshow, Thumbnails };
// The page's PDF viewer.
struct PdfOp {
    bool operator==(const PdfOp&) const = default;
};
// Movie and background sound.
enum class MovieOp : uint8_t {
    MusicStop,
    MusicPlay,
    MovieWindow,
    PageMovie,
    Resume,
    Stop,
    Pause,
    FullScreen,
    VolumeUp,
    VolumeDown,
    SeekBack,
    SeekForward,
};
// The main window, its page buttons and the secondary windows.
enum class WindowOp : uint8_t {
    OnTop,
    NotOnTop,
    HideButton,
    ShowButton,
    DisableButton,
    EnableButton,
    CopyDialog,
    MediaFolder,
    ToTray,
    Resize,
    EndAsked,
    PicturePopup,
    PictureViewer,
    MaximiseMovie,
    Slideshow,
    End,
    Minimise,
    About,
};

// A keyword's operation; its type is the family.
using Operation = std::variant<RegistryOp, TextOp, TextToWebOp, MenuOp, JumpOp, ShellOp, FlashPictureOp,
                               PlayerWebOp, SlideshowThumbOp, PdfOp, MovieOp, WindowOp>;

// Families that act on the page object named by argument 1, found with the row's kind code.
template <class Op>
inline constexpr bool kOnNamedObject =
    std::is_same_v<Op, TextOp> || std::is_same_v<Op, FlashPictureOp> || std::is_same_v<Op, PlayerWebOp> ||
    std::is_same_v<Op, SlideshowThumbOp>;

void RegistryAction(Form1& main, RegistryOp op, const ActionCommand& command);
void TextAction(Form1& main, TextOp op, const ActionCommand& command, const namelist::NameEntry& target);
void TextToWebAction(Form1& main, const ActionCommand& command);
void MenuAction(Form1& main, const ActionCommand& command);
void JumpAction(Form1& main, JumpOp op, const ActionCommand& command);
void ShellAction(Form1& main, ShellOp op, const ActionCommand& command);
void FlashPictureAction(Form1& main, FlashPictureOp op, const ActionCommand& command,
                        const namelist::NameEntry& target);
void PlayerWebAction(Form1& main, PlayerWebOp op, const ActionCommand& command,
                     const namelist::NameEntry& target);
// Navigates member `index` of the web-view array to the address (loadTXT2WEB's last step).
void WebNavigate(Form1& main, int16_t index, const std::string& address);
void SlideshowThumbAction(Form1& main, SlideshowThumbOp op, const ActionCommand& command,
                          const namelist::NameEntry& target);
void PdfAction(Form1& main, const ActionCommand& command);
void MovieAction(Form1& main, MovieOp op, const ActionCommand& command);
void WindowAction(Form1& main, WindowOp op, const ActionCommand& command);

// ---- the table

// A keyword's row: its operation and, for a family of named objects, the kind code of the lookup.
struct ActionRow {
    std::string_view keyword;
    Operation operation;
    std::string_view kind;
};

// Every row, keywords distinct.
std::span<const ActionRow> ActionTable();
// The row of a keyword, compared whole and case-sensitively; nullptr for any other text.
const ActionRow* FindAction(std::string_view keyword);

// ---- arguments that name one of a few fixed commands

template <class Target>
struct NamedCommand {
    std::string_view text;
    void (*run)(Target&);
};

// Runs the command whose text the argument is (whole and case-sensitive); false when it names none.
template <class Target>
bool RunNamedCommand(Target& target, std::string_view argument,
                     std::initializer_list<NamedCommand<std::type_identity_t<Target>>> commands) {
    for (const auto& command : commands) {
        if (argument == command.text) {
            command.run(target);
            return true;
        }
    }
    return false;
}

}  // namespace actions
