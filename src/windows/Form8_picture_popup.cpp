#include "windows/Form8_picture_popup.h"

#include "runtime/error.h"

Form8::Form8() : Form("Form8") {
    Caption("Picture");
    BorderStyle(rt::vbBSNone);
    ControlBox(false);
    ShowInTaskbar(false);
    Image1.Click = [this](int) { Image1_Click(); };
}

void Form8::Form_Load() {
    FitToPicture();
}

void Form8::Form_Resize() {
    FitToPicture();
}

void Form8::Form_Click() {
    Unload();
}

void Form8::Image1_Click() {
    Unload();
}

// Whatever changes the window's size, it snaps back to the picture's. Only a real difference
// moves the window, so the resize that this causes ends here.
void Form8::FitToPicture() {
    if (fitting_) return;
    fitting_ = true;
    rt::Try([&] {
        Image1.Move(0, 0);
        if (Width() != Image1.Width() || Height() != Image1.Height())
            Move(Left(), Top(), Image1.Width(), Image1.Height());
    });
    fitting_ = false;
}
