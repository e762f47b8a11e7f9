// The About box: the tooltip text of the page object clicked last, and an OK button that closes
// it. The click handlers of the page objects fill the label (loading the box hidden); "about"
// shows it.
#pragma once

#include "controls/buttons/chameleonButton.h"
#include "runtime/controls.h"
#include "runtime/form.h"

class Form5 : public rt::Form {
public:
    Form5();

    rt::Label Label1{*this, "Label1"};
    controls::chameleonButton chameleonButton1{*this, "chameleonButton1"};

    void chameleonButton1_Click();
};
