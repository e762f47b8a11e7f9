// Stand-in for the desktop backdrop window until the window chrome arrives: the members the
// shell uses. The real window replaces this file.
#pragma once

#include "runtime/controls.h"
#include "runtime/form.h"

class Form15 : public rt::Form {
public:
    Form15() : Form("Form15") { BorderStyle(rt::vbBSNone); }
    rt::Image l{*this, "l"};
    rt::Label Label1{*this, "Label1"};
};
