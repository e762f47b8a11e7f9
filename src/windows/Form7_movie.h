// The movie window: a movie across the whole screen with a seek bar and a close button. "mov"
// plays a file in it; "max" moves the running page movie into it and marks it for hand-back, so
// that closing the window continues the page movie from the second reached here.
#pragma once

#include "controls/chrome/ucSlider.h"
#include "controls/media/QuendelActiveMovie.h"
#include "runtime/controls.h"
#include "runtime/form.h"

class Form7 : public rt::Form {
public:
    Form7();

    rt::TextBox Text1{*this, "Text1"};  // hand-back flag: "1" while the window holds the page movie
    controls::QuendelActiveMovie ll{*this, "ll"};
    controls::ucSlider Picture16{*this, "Picture16", -1, SeekBarSettings()};
    rt::CommandButton Command1{*this, "Command1"};  // close

    void Form_Load() override;
    void Form_Unload(int16_t& Cancel) override;

private:
    // Horizontal, Max 1, the drawn thumb on a sunken rail.
    static std::shared_ptr<const rt::PropertyBag> SeekBarSettings();
    void ll_movierun();
    void Seek();
};
