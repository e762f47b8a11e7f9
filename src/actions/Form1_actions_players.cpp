// Media player and web view actions: loadwmp, loadWEB, and the navigation of loadTXT2WEB.
#include <string>
#include <string_view>
#include <vector>

#include "actions/interpreter.h"
#include "runtime/convert.h"
#include "runtime/error.h"
#include "shell/Form1.h"

namespace actions {

namespace {

// Piece i of a text split at a marker; an empty text has no pieces, a text without the marker
// only the first (a missing one raises 9).
std::string Piece(const std::vector<std::string>& pieces, size_t i) {
    if (pieces.size() <= i) rt::Raise(rt::errSubscriptOutOfRange);
    return pieces[i];
}

// What a player or web view opens for an argument that names none of its commands: "URL", the
// marker and an address as it stands; anything else, a file of the application folder.
std::string Address(Form1& main, const std::string& what, std::string_view marker) {
    const std::vector<std::string> pieces = rt::Split(what, marker);
    if (Piece(pieces, 0) == "URL") return Piece(pieces, 1);
    return main.pat.Text() + what;
}

void PlayerCommand(Form1& main, int16_t index, const std::string& what) {
    rt::MediaPlayer& p = main.WMPlayer[index];
    const bool named = RunNamedCommand(p, what,
                                       {{"Play", [](auto& m) { m.play(); }},
                                        {"Pause", [](auto& m) { m.pause(); }},
                                        {"Stop", [](auto& m) { m.stop(); }},
                                        {"Full screen", [](auto& m) { m.fullScreen(true); }},
                                        {"Next Track", [](auto& m) { m.next(); }},
                                        {"Previous Track", [](auto& m) { m.previous(); }}});
    if (!named) p.URL(Address(main, what, "Url**#**URL"));
}

void WebCommand(Form1& main, int16_t index, const std::string& what) {
    controls::UserControl1& w = main.web[index];
    const bool named = RunNamedCommand(w, what,
                                       {{"Go Back", [](auto& v) { v.GoBack(); }},
                                        {"Go Forward", [](auto& v) { v.GoForward(); }},
                                        {"Stop", [](auto& v) { v.Stopbrow(); }},
                                        {"Go Home", [](auto& v) { v.GoHome(); }},
                                        {"Refresh", [](auto& v) { v.Refresh(); }}});
    if (!named) w.Navigate(Address(main, what, "#"));
}

}  // namespace

void PlayerWebAction(Form1& main, PlayerWebOp op, const ActionCommand& command,
                     const namelist::NameEntry& target) {
    rt::Try([&] {
        switch (op) {
            case PlayerWebOp::Player:
                PlayerCommand(main, target.Index(), command.Arg(2));
                break;
            case PlayerWebOp::Web:
                WebCommand(main, target.Index(), command.Arg(2));
                break;
        }
    });
}

void WebNavigate(Form1& main, int16_t index, const std::string& address) {
    main.web[index].Navigate(address);
}

}  // namespace actions
