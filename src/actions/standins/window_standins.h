// Stand-ins for what the window actions need of controls and windows still to come: the page
// buttons on the main window and the slideshow window. The real ones replace this file.
#pragma once

#include <cstdint>
#include <string>

#include "runtime/control.h"
#include "runtime/error.h"

class Form1;

namespace actions {

// The page button of the array index: none exists yet, so addressing one fails as a missing
// array member does.
[[noreturn]] inline rt::Control& PageButton(Form1&, int16_t) {
    rt::Raise(rt::errControlArrayElementMissing, "Command1");
}

// "sld": opens the slideshow window on the folder. No slideshow window yet: nothing.
inline void OpenSlideshow(Form1&, const std::string&) {}

}  // namespace actions
