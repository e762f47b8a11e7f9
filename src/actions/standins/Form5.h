// Stand-in for the About window until the secondary windows arrive: the label that keeps the
// tooltip text of the last clicked object. The real window replaces this file.
#pragma once

#include "runtime/controls.h"
#include "runtime/form.h"

class Form5 : public rt::Form {
public:
    Form5() : Form("Form5") { BorderStyle(rt::vbFixedDialog); }
    rt::Label Label1{*this, "Label1"};
};
