// Stand-in for what the window actions need of a window still to come: the slideshow window.
// The real one replaces this file.
#pragma once

#include <string>

class Form1;

namespace actions {

// "sld": opens the slideshow window on the folder. No slideshow window yet: nothing.
inline void OpenSlideshow(Form1&, const std::string&) {}

}  // namespace actions
