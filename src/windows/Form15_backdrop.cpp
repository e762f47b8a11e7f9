#include "windows/Form15_backdrop.h"

#include "controls/common/main_window_link.h"

namespace windows {

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
    // Maximised while still hidden: it has the screen's size from the start.
    WindowState(rt::vbMaximized);
    CaptionLabel(Label1, 340, 130, 0xFFFFFF);
    CaptionLabel(Label2, 390, 180, 0x000000);

    l.Click = [this](int) { GoBehind(); };
    l.MouseMove = [this](int, int16_t, int16_t, float, float) { GoBehind(); };
    Label1.MouseMove = [this](int, int16_t, int16_t, float, float) { GoBehind(); };
    Label1.Change = [this](int) { Label2.Caption(Label1.Caption()); };
}

void Form15::Form_Click() {
    GoBehind();
}

void Form15::Form_MouseMove(int16_t, int16_t, float, float) {
    GoBehind();
}

void Form15::GoBehind() {
    ZOrder(1);
    if (rt::Form* main = controls::MainWindow().window) main->WindowState(rt::vbNormal);
}

}  // namespace windows
