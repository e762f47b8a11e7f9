// The title-bar window: a borderless window without a task-bar button that carries the title bar
// and sits directly above the main window. While the bar is pressed its follow timer keeps the
// main window glued under it with the same width. `tib` reads the style file "TbRsG.tib" of the
// project store into the bar and the main window's border line.
#pragma once

#include <memory>

#include "controls/chrome/TitelBar.h"
#include "runtime/controls.h"
#include "runtime/form.h"

namespace windows {

class Form17 : public rt::Form {
public:
    Form17();

    controls::TitelBar TitelBar1;
    rt::Timer Timer1{*this, "Timer1"};

    // Reads the style file; nothing changes when its copy cannot be opened, and the copy is
    // deleted in every case.
    void tib();

    void Form_Load() override;
    void Form_Resize() override;

    // The bar's settings as the window was designed (its property bag), before any style record.
    static std::shared_ptr<const rt::PropertyBag> DesignedBar();

private:
    void Timer1_Timer();
};

}  // namespace windows
