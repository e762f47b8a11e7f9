// The exit window: shows data\cr.pic of the application folder for 2 seconds, then unloads the
// program's windows in a fixed order and ends the program. Without the picture it ends while it
// loads.
#pragma once

#include "runtime/controls.h"
#include "runtime/form.h"

class Form6 : public rt::Form {
public:
    Form6();

    rt::Image Image1{*this, "Image1"};
    rt::Timer Timer1{*this, "Timer1"};

    void Form_Load() override;
    void Timer1_Timer();

private:
    void EndAll();
};
