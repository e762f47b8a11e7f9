// The slideshow window: a full-screen slideshow over one folder with its own looping music. The
// pictures change every 3 seconds at their own size, centred, under a small tool strip with
// close, minimise, play, pause, previous and next, and a counter "n / t". While it is open the
// main window's background music is stopped; its close button starts that music again.
#pragma once

#include <cstdint>

#include "controls/buttons/chameleonButton.h"
#include "controls/media/QuendelActiveMovie.h"
#include "runtime/controls.h"
#include "runtime/form.h"
#include "runtime/picture.h"

class Form3 : public rt::Form {
public:
    Form3();

    rt::FileListBox File1{*this, "File1"};
    rt::Label p{*this, "p"};  // the folder's full path
    rt::Image l{*this, "l"};  // the picture shown
    rt::Label n{*this, "n"};
    rt::Label Label1{*this, "Label1"};
    rt::Label t{*this, "t"};
    rt::Label lo{*this, "lo"};
    rt::Timer Timer1{*this, "Timer1"};
    controls::QuendelActiveMovie bm{*this, "bm"};
    controls::chameleonButton chameleonButton1{*this, "chameleonButton1"};
    controls::chameleonButton chameleonButton2{*this, "chameleonButton2"};
    controls::chameleonButton chameleonButton3{*this, "chameleonButton3"};
    controls::chameleonButton chameleonButton4{*this, "chameleonButton4"};
    controls::chameleonButton chameleonButton5{*this, "chameleonButton5"};
    controls::chameleonButton chameleonButton6{*this, "chameleonButton6"};

    void Form_Load() override;
    void Form_Resize() override;

    void chameleonButton1_Click();  // next
    void chameleonButton2_Click();  // previous
    void chameleonButton3_Click();  // pause
    void chameleonButton4_Click();  // close
    void chameleonButton5_Click();  // minimise
    void chameleonButton6_Click();  // play
    void Timer1_Timer();
    void bm_OnFinished(bool Finished);
    // Puts lo at the lower-right corner, 20 twips beyond both edges.
    void PlaceLogo();

private:
    void ShowSlide(int direction);
    void CentrePicture();
};
