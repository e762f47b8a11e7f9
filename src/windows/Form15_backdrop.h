// The desktop backdrop: a borderless maximised window in the desktop colour behind the main
// window, with the backdrop picture `l` and the main window's caption twice (white over a black
// copy). Any click or pointer movement on it drops it behind and restores the main window.
#pragma once

#include "runtime/controls.h"
#include "runtime/form.h"

namespace windows {

class Form15 : public rt::Form {
public:
    Form15();

    rt::Label Label1{*this, "Label1"};
    rt::Label Label2{*this, "Label2"};
    rt::Image l{*this, "l"};

    void Form_Click() override;
    void Form_MouseMove(int16_t Button, int16_t Shift, float X, float Y) override;

private:
    void GoBehind();
};

}  // namespace windows
