#include "windows/Form11_picture_viewer.h"

#include <cmath>

#include "runtime/error.h"
#include "windows/window_layout.h"

namespace {

constexpr double kZoomStep = 100;  // twips added to or taken from the shorter side
constexpr double kMoveStep = 50;   // twips per arrow key

// The runtime's floating-point division: a zero divisor fails the step.
double Divide(double a, double b) {
    if (b == 0) rt::Raise(rt::errDivisionByZero);
    return a / b;
}

}  // namespace

Form11::Form11() : Form("Form11") {
    Caption("Vantrel Picture Viewer");
    BorderStyle(rt::vbSizable);
    BackColor(0xE0E0E0);
    KeyPreview(true);
    windows::SetClientSize(*this, 11385, 8805);
    windows::CentreOnScreen(*this);
    Picture1.Move(0, 0, 1815, 615);
    Picture1.BorderStyle(0);
    Image1.Move(0, 0, 1815, 615);
    Image1.Stretch(true);
    // The tool buttons show captions: the program carries no tool pictures.
    const struct {
        controls::chameleonButton& button;
        double left;
        const char* caption;
        void (Form11::*click)();
    } tools[] = {
        {chameleonButton1, 0, "-", &Form11::chameleonButton1_Click},
        {chameleonButton2, 600, "+", &Form11::chameleonButton2_Click},
        {chameleonButton3, 1200, "1:1", &Form11::chameleonButton3_Click},
    };
    for (const auto& t : tools) {
        t.button.ButtonType(3);
        t.button.Move(t.left, 0, 555, 495);
        t.button.Caption(t.caption);
        t.button.Click = [this, click = t.click](int) { (this->*click)(); };
    }
    const struct {
        rt::CommandButton& button;
        void (Form11::*click)();
    } moves[] = {
        {Command1, &Form11::Command1_Click},
        {Command2, &Form11::Command2_Click},
        {Command3, &Form11::Command3_Click},
        {Command4, &Form11::Command4_Click},
    };
    for (const auto& m : moves) {
        m.button.Visible(false);
        m.button.Click = [this, click = m.click](int) { (this->*click)(); };
    }
}

void Form11::Form_Load() {
    Centre();
}

void Form11::Form_Resize() {
    Centre();
}

// Showing the window the first time counts as a resize: the picture it was given before then
// is centred at the window's size.
bool Form11::OnFormMessage(UINT msg, WPARAM wp, LPARAM, LRESULT&) {
    if (msg == WM_SHOWWINDOW && wp && !shown_) {
        shown_ = true;
        Centre();
    }
    return false;
}

// The picture in the middle of the window's outer size.
void Form11::Centre() {
    rt::Try([&] {
        l.Move(std::floor(Width() / 2) - std::floor(l.Width() / 2),
               std::floor(Height() / 2) - std::floor(l.Height() / 2));
    });
}

// The shorter side changes by one step, the longer in proportion. A step that would divide by a
// side of zero or make a side negative fails and is skipped, so the picture stops shrinking.
void Form11::Zoom(int sign) {
    l.Stretch(true);
    rt::Procedure proc(rt::OnError::Skip);
    double W = 0, H = 0;
    proc.step([&] {
        W = l.Width();
        H = l.Height();
    });
    if (W > H) {
        proc.step([&] { l.Width(W + Divide(sign * kZoomStep * W, H)); });
        proc.step([&] { l.Height(H + sign * kZoomStep); });
    } else if (W < H) {
        proc.step([&] { l.Height(H + Divide(sign * kZoomStep * H, W)); });
        proc.step([&] { l.Width(W + sign * kZoomStep); });
    }
    Centre();
}

void Form11::chameleonButton1_Click() {
    Zoom(-1);
}

void Form11::chameleonButton2_Click() {
    Zoom(+1);
}

void Form11::chameleonButton3_Click() {
    l.Stretch(false);  // the image takes the picture's own size again
    Centre();
}

void Form11::Command1_Click() {
    l.Top(l.Top() - kMoveStep);
}

void Form11::Command2_Click() {
    l.Top(l.Top() + kMoveStep);
}

void Form11::Command3_Click() {
    l.Left(l.Left() + kMoveStep);
}

void Form11::Command4_Click() {
    l.Left(l.Left() - kMoveStep);
}

void Form11::Form_KeyDown(int16_t& KeyCode, int16_t) {
    switch (KeyCode) {
        case VK_LEFT:
            Command4_Click();
            break;
        case VK_UP:
            Command1_Click();
            break;
        case VK_RIGHT:
            Command3_Click();
            break;
        case VK_DOWN:
            Command2_Click();
            break;
        case VK_ADD:
            chameleonButton2_Click();
            break;
        case VK_SUBTRACT:
            chameleonButton1_Click();
            break;
        default:
            break;
    }
}
