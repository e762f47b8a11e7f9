// Stand-in for the dialog button until it arrives: a plain push button with the members the
// secondary windows use (Caption, ToolTipText, Enabled and Click). The real control replaces
// this file.
#pragma once

#include <string>
#include <utility>

#include "runtime/controls.h"

namespace controls {

class chameleonButton : public rt::CommandButton {
public:
    chameleonButton(rt::Container& c, std::string name, int index = -1)
        : CommandButton(c, std::move(name), index) {}
};

}  // namespace controls
