// What controls need of the main window. Controls sit below the shell and never include it: the
// title-bar window follows the main window, the backdrop restores it, the style file colours the
// main window's border line, and the combo box runs its items' action lists through the main
// window's interpreter. The shell fills this in when its main window has loaded; until then, and
// after it has gone, every member is empty.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace rt {
class Form;
}

namespace controls {

struct MainWindowLink {
    rt::Form* window = nullptr;                               // the main window
    std::function<void(int32_t)> setBorderColor;              // its border line's BorderColor
    std::function<std::string(const std::string&)> pckex;   // a store member's temporary copy, or "error"
    std::function<std::string()> pat;                         // the application folder, ending with a backslash
    // Runs an action list through the main window's interpreter: its "***code***" pieces, all
    // taken before the first runs.
    std::function<void(const std::string&)> runActions;
};

// The one link of the program.
MainWindowLink& MainWindow();

}  // namespace controls
