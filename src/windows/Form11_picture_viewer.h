// The picture viewer: a sizable window with the picture centred, a tool strip to zoom out, zoom
// in and return to the actual size, the arrow keys to move the picture and the keypad's plus and
// minus to zoom. Lengths are twips.
#pragma once

#include <cstdint>

#include "controls/buttons/chameleonButton.h"
#include "runtime/controls.h"
#include "runtime/form.h"

class Form11 : public rt::Form {
public:
    Form11();

    rt::Image l{*this, "l"};
    rt::PictureBox Picture1{*this, "Picture1"};
    rt::Image Image1{Picture1, "Image1"};
    controls::chameleonButton chameleonButton1{Picture1, "chameleonButton1"};
    controls::chameleonButton chameleonButton2{Picture1, "chameleonButton2"};
    controls::chameleonButton chameleonButton3{Picture1, "chameleonButton3"};
    rt::CommandButton Command1{Picture1, "Command1"};
    rt::CommandButton Command2{Picture1, "Command2"};
    rt::CommandButton Command3{Picture1, "Command3"};
    rt::CommandButton Command4{Picture1, "Command4"};

    void Form_Load() override;
    void Form_Resize() override;
    void Form_KeyDown(int16_t& KeyCode, int16_t Shift) override;
    void chameleonButton1_Click();  // zoom out
    void chameleonButton2_Click();  // zoom in
    void chameleonButton3_Click();  // actual size
    void Command1_Click();          // up
    void Command2_Click();          // down
    void Command3_Click();          // right
    void Command4_Click();          // left

protected:
    bool OnFormMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

private:
    void Zoom(int sign);
    void Centre();
    bool shown_ = false;
};
