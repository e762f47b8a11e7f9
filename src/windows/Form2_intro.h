// The intro video window: plays the project's intro video before the first page is seen, while
// the main window waits off-screen. The end of the video, a video that cannot be played, the skip
// button and a double-click each finish the intro: the main window comes back where it was, this
// window closes and the background music starts from the first file of the music folder.
#pragma once

#include "controls/buttons/vxbutton.h"
#include "controls/media/QuendelActiveMovie.h"
#include "runtime/controls.h"
#include "runtime/form.h"

class Form2 : public rt::Form {
public:
    Form2();

    controls::QuendelActiveMovie mb{*this, "mb"};
    controls::vxbutton chameleonButton1{*this, "chameleonButton1"};  // the skip button
    rt::Label Label1{*this, "Label1"};  // the video's file name; setting it starts the video
    rt::TextBox Text1{*this, "Text1"};  // the main window's saved Left
    rt::Timer Timer1{*this, "Timer1"};  // watchdog: gives up a video that could not be opened
    rt::Timer Timer2{*this, "Timer2"};  // one-shot start

    void Form_DblClick() override;
    void Form_Unload(int16_t& Cancel) override;

private:
    void Label1_Change();
    void Timer1_Timer();
    void Timer2_Timer();
    void mb_OnFinished(bool Finished);
    void chameleonButton1_Click();
    void FinishIntro();
};
