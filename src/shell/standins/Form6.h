// Stand-in for the exit window until the secondary windows arrive: shows cr.pic of the data
// folder for 2 seconds (not at all when it is missing), then unloads every window and ends.
#pragma once

#include "runtime/controls.h"
#include "runtime/form.h"

class Form6 : public rt::Form {
public:
    Form6();
    rt::Image Image1{*this, "Image1"};
    rt::Timer Timer1{*this, "Timer1"};
    void Form_Load() override;

private:
    void Finish();
};
