// What the controls and the secondary windows need of the main window. Both sit below the shell
// and never include it: the title-bar window follows the main window, the backdrop restores it,
// the style file colours the main window's border line, the combo box and the popup menu run
// action lists through the main window's interpreter, and the intro, slideshow, movie and media
// windows work its two players. The shell fills this in when its main window has loaded; until
// then, and after it has gone, every member is empty.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace rt {
class Control;
class FileListBox;
class Form;
}  // namespace rt

namespace controls {

class QuendelActiveMovie;

struct MainWindowLink {
    rt::Form* window = nullptr;                            // the main window
    std::function<void(int32_t)> setBorderColor;           // its border line's BorderColor
    std::function<std::string(const std::string&)> pckex;  // a store member's temporary copy, or "error"
    std::function<std::string()> pat;                      // the application folder, ending with a backslash
    // Runs an action list through the main window's interpreter: its "***code***" pieces, all
    // taken before the first runs.
    std::function<void(const std::string&)> runActions;
    QuendelActiveMovie* music = nullptr;      // the background music player
    rt::FileListBox* musicFiles = nullptr;    // the music folder's files, in play order
    QuendelActiveMovie* pageMovie = nullptr;  // the page's movie player
    rt::Control* movieArea = nullptr;         // where the page shows a movie played from elsewhere
};

// The one link of the program.
MainWindowLink& MainWindow();

// The link while the main window is loaded; nullptr before its load and once it was unloaded, so
// that a window closing at the end of the program does not reach into a main window on its way out.
const MainWindowLink* LoadedMainWindow();

}  // namespace controls
