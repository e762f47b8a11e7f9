// What the chrome windows need of the main window. The title-bar window follows the main window,
// the backdrop restores it, and the style file colours the main window's border line; the shell
// fills this in when its main window has loaded.
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
};

// The one link of the program.
MainWindowLink& MainWindow();

}  // namespace controls
