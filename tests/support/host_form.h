// A form that hosts the controls under test: borderless and shown where the tests read the
// screen, at (100, 100) pixels, white.
#pragma once

#include <string>
#include <utility>

#include "runtime/form.h"

namespace testsupport {

class HostForm : public rt::Form {
public:
    // The size in twips, 15 to a pixel.
    HostForm(std::string name, double width, double height) : Form(std::move(name)) {
        BorderStyle(rt::vbBSNone);
        Move(1500, 1500, width, height);
        BackColor(0xFFFFFF);
    }
};

}  // namespace testsupport
