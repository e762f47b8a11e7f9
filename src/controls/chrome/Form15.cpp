#include "controls/chrome/Form15.h"

#include "controls/chrome/main_window_link.h"
#include "runtime/ui.h"

namespace controls {

namespace {
void CaptionLabel(rt::Label& label, double left, double top, uint32_t color) {
    label.Move(left, top, 13000, 1500);
    label.BackStyle(rt::vbTransparent);
    label.ForeColor(color);
    rt::Font font("Tahoma", 27.75f, true);
    font.Charset(178);
    label.SetFont(font);
}
}  // namespace

Form15::Form15() : Form("Form15") {
    BorderStyle(rt::vbBSNone);
    ShowInTaskbar(false);
    BackColor(0x80000001);  // the desktop colour
    // Hidden, the window only records the maximised state; give it the screen's size as well, so
    // that it covers the screen however it is shown.
    Move(0, 0, rt::Screen::Width(), rt::Screen::Height());
    WindowState(rt::vbMaximized);
    CaptionLabel(Label1, 340, 130, 0xFFFFFF);
    CaptionLabel(Label2, 390, 180, 0x000000);

    l.Click = [this](int) { GoBehind(); };
    l.MouseMove = [this](int, int16_t, int16_t, float, float) { GoBehind(); };
    Label1.MouseMove = [this](int, int16_t, int16_t, float, float) { GoBehind(); };
    Label1.Change = [this](int) { Label2.Caption(Label1.Caption()); };
}

void Form15::ZOrder(int position) {
    if (position == 0) {
        SetWindowPos(hWnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    } else {
        SetWindowPos(hWnd(), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
}

void Form15::Form_Click() {
    GoBehind();
}

void Form15::Form_MouseMove(int16_t, int16_t, float, float) {
    GoBehind();
}

void Form15::GoBehind() {
    ZOrder(1);
    if (rt::Form* main = MainWindow().window) main->WindowState(rt::vbNormal);
}

}  // namespace controls
