// Media player and web view actions: loadwmp, loadWEB, and the navigation of loadTXT2WEB.
#include <string>
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

void PlayerCommand(Form1& main, int16_t index, const std::string& what) {
    rt::MediaPlayer& p = main.WMPlayer[index];
    if (what == "Play")
        p.play();
    else if (what == "Pause")
        p.pause();
    else if (what == "Stop")
        p.stop();
    else if (what == "Full screen")
        p.fullScreen(true);
    else if (what == "Next Track")
        p.next();
    else if (what == "Previous Track")
        p.previous();
    else {
        const std::vector<std::string> pieces = rt::Split(what, "Url**#**URL");
        if (Piece(pieces, 0) == "URL")
            p.URL(Piece(pieces, 1));
        else
            p.URL(main.pat.Text() + what);
    }
}

void WebCommand(Form1& main, int16_t index, const std::string& what) {
    controls::UserControl1& w = main.web[index];
    if (what == "Go Back")
        w.GoBack();
    else if (what == "Go Forward")
        w.GoForward();
    else if (what == "Stop")
        w.Stopbrow();
    else if (what == "Go Home")
        w.GoHome();
    else if (what == "Refresh")
        w.Refresh();
    else {
        const std::vector<std::string> pieces = rt::Split(what, "#");
        if (Piece(pieces, 0) == "URL")
            w.Navigate(Piece(pieces, 1));
        else
            w.Navigate(main.pat.Text() + what);
    }
}

}  // namespace

void PlayerWebAction(Form1& main, const std::string& keyword, const ActionCommand& command,
                     const namelist::NameEntry& target) {
    rt::Try([&] {
        if (keyword == "loadwmp")
            PlayerCommand(main, target.Index(), command.Arg(2));
        else
            WebCommand(main, target.Index(), command.Arg(2));
    });
}

void WebNavigate(Form1& main, int16_t index, const std::string& address) {
    main.web[index].Navigate(address);
}

}  // namespace actions
