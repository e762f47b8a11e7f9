#include "windows/Form5_about.h"

#include "windows/window_layout.h"

Form5::Form5() : Form("Form5") {
    Caption("About");
    BorderStyle(rt::vbFixedDialog);
    MinButton(false);
    MaxButton(false);
    ShowInTaskbar(false);
    windows::SetClientSize(*this, 4785, 3330);
    windows::CentreOnScreen(*this);
    Label1.Move(120, 120, 4455, 2535);
    Label1.Caption("");
    chameleonButton1.ButtonType(3);
    chameleonButton1.Caption("OK");
    chameleonButton1.Move(3240, 2880, 1335, 375);
    chameleonButton1.Click = [this](int) { chameleonButton1_Click(); };
}

void Form5::chameleonButton1_Click() {
    // The next load starts with an empty label.
    Unload();
}
