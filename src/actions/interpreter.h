// The action interpreter's shared pieces: one action command taken apart, the name lookup of
// target objects, and the action families that Form1::ExecuteTag dispatches to. A family gets
// the keyword that matched and the command; families of named objects get the name-list entry
// that the lookup found as well.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
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

using Family = void (*)(Form1& main, const std::string& keyword, const ActionCommand& command);
using NamedFamily = void (*)(Form1& main, const std::string& keyword, const ActionCommand& command,
                             const namelist::NameEntry& target);

// The main window while it is loaded; nullptr once it was unloaded (the secondary windows reach
// back into it and must not load a fresh one at the end of the program).
Form1* LoadedMainWindow();

// Registry and message box: CKEY, DKEY, CVALUE, runatstartup, CDWORD, DVALUE, MessageBox.
void RegistryAction(Form1& main, const std::string& keyword, const ActionCommand& command);
// Text boxes, labels, combo boxes of the page: loadTXT, loadlbl, loadcombo, loadTXT2go.
void TextAction(Form1& main, const std::string& keyword, const ActionCommand& command,
                const namelist::NameEntry& target);
// loadTXT2WEB (two lookups of its own) and the popup menu, mnuload.
void TextToWebAction(Form1& main, const std::string& keyword, const ActionCommand& command);
void MenuAction(Form1& main, const std::string& keyword, const ActionCommand& command);
// Page jumps: jump, n_page, b_page, f_page, l_page.
void JumpAction(Form1& main, const std::string& keyword, const ActionCommand& command);
// Shell and system: URL, EXE, doscmd, Activex, Activexno, EML, clip, PNT, opcd, button, label,
// clcd, shut, rest.
void ShellAction(Form1& main, const std::string& keyword, const ActionCommand& command);

// Families of the media, window and viewer objects.
// Flash viewers and alpha pictures: loadyoutube, loadaap.
void FlashPictureAction(Form1& main, const std::string& keyword, const ActionCommand& command,
                        const namelist::NameEntry& target);
// Media players and web views: loadwmp, loadWEB.
void PlayerWebAction(Form1& main, const std::string& keyword, const ActionCommand& command,
                     const namelist::NameEntry& target);
// Navigates member `index` of the web-view array to the address (loadTXT2WEB's last step).
void WebNavigate(Form1& main, int16_t index, const std::string& address);
// Slideshows and thumbnail browsers: loadsld, loadthumb.
void SlideshowThumbAction(Form1& main, const std::string& keyword, const ActionCommand& command,
                          const namelist::NameEntry& target);
// The page's PDF viewer: loadpdf.
void PdfAction(Form1& main, const std::string& keyword, const ActionCommand& command);
// Movie and background sound: sunstop, sunPlay, mov, movon, play, stop, puse, full, inc, dec,
// bac, forw.
void MovieAction(Form1& main, const std::string& keyword, const ActionCommand& command);
// The main window and the secondary windows: ontop, notop, ButtonHide, ButtonShow,
// ButtonDisabled, ButtonEnabled, copy, opmedf, try, size, endco, pic, picviw, max, sld, end, min,
// about.
void WindowAction(Form1& main, const std::string& keyword, const ActionCommand& command);

}  // namespace actions
