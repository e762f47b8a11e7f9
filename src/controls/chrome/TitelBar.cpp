#include "controls/chrome/TitelBar.h"

#include "controls/chrome/titlebar_buttons.h"
#include "controls/common/main_window_link.h"
#include "runtime/convert.h"
#include "runtime/error.h"
#include "runtime/form.h"
#include "runtime/ui.h"

namespace controls {

TitelBar::TitelBar(rt::Container& parent, std::string name, std::shared_ptr<const rt::PropertyBag> stored)
    : UserControl(parent, std::move(name), -1, Windowing::Windowed, std::move(stored)) {
    Surface().ScaleMode(rt::vbPixels);
    // Before the first layout the buttons stand empty at their designed places.
    buttons_[Minimise] = ButtonElement{225, 6};
    buttons_[Maximise] = ButtonElement{246, 6};
    buttons_[Close] = ButtonElement{267, 6};
    for (int which = 0; which < 3; ++which)
        for (int style = 0; style < 3; ++style)
            for (int state = 1; state <= 3; ++state)
                sets_[size_t(which)][size_t(style * 10 + state)] = MakeButtonPicture(which, style, state);
    Create();
}

// ---- Stored properties

// Read straight into the values, without the checks of the setters.
VANTREL_PROPERTY_TABLE(TitelBar, VANTREL_TITLEBAR_PROPERTIES)

void TitelBar::UserControl_InitProperties() {
    Properties().InitAll(*this);
    // A new bar lies along its container's top edge, 31 pixels high.
    RECT area{};
    GetClientRect(ContainerHwnd(), &area);
    Move(0, 0, rt::ToTwipsX(area.right), rt::ToTwipsY(31));
    built_ = true;
    Refresh();
}

void TitelBar::UserControl_ReadProperties(rt::PropertyBag& PropBag) {
    Properties().ReadAll(*this, PropBag);
    Surface().AutoRedraw(PropBag.ReadProperty("AutoRedraw", false));
    built_ = true;
    Refresh();
}

void TitelBar::UserControl_WriteProperties(rt::PropertyBag& PropBag) {
    Properties().WriteAll(*this, PropBag);
    // The surface's retained-drawing flag goes under the same key. Every repaint leaves it off,
    // and writing its default would drop the stored property's value written above.
    if (Surface().AutoRedraw()) PropBag.WriteProperty("AutoRedraw", true, false);
}

// ---- Properties kept elsewhere than in their own member

void TitelBar::BackColor(uint32_t v) {
    UserControl::BackColor(v);
    PropertyChanged("BackColor");
    Refresh();
}
void TitelBar::ForeColor(uint32_t v) {
    UserControl::ForeColor(v);
    PropertyChanged("ForeColor");
    Refresh();
}
void TitelBar::CaptionColor(uint32_t v) {
    UserControl::ForeColor(v);
    Set(settings_.CaptionColor, v, "CaptionColor");
}
void TitelBar::SetPicture(rt::Picture pic) {
    // The new background goes into the image, and the icon over it; no full repaint.
    Surface().SetPicture(std::move(pic));
    PropertyChanged("Picture");
    SetImageI();
    Invalidate();
}

const rt::Picture& TitelBar::ButtonPicture(Which which, int index) const {
    static const rt::Picture none;
    if (index < 0 || index >= 24) return none;
    return sets_[size_t(which)][size_t(index)];
}

// ---- Drawing

TitleBarLook TitelBar::Look() {
    TitleBarLook k{settings_};  // the settings as they stand, and what is measured of the bar
    k.ScaleWidth = ScaleWidth();
    k.ScaleHeight = ScaleHeight();
    auto box = [](const ButtonElement& b) {
        return ButtonBox{b.Left, b.Top, double(b.Width), double(b.Height)};
    };
    k.TBAR_ = box(buttons_[Minimise]);
    k.TBARX = box(buttons_[Close]);
    rt::Font& font = Surface().GetFont();
    if (settings_.DashBack && Surface().ImageDC()) {
        HDC image = Surface().ImageDC();
        rt::SelectGuard sel(image, font.Handle());
        SIZE s{};
        GetTextExtentPoint32A(image, settings_.Caption.c_str(), static_cast<int>(settings_.Caption.size()),
                              &s);
        k.CaptionTextWidth = s.cx;
    }
    k.IconHeld = !settings_.PictureButton.Empty() && settings_.PictureButton.Handle() != 0;
    k.IconWidth = k.IconHeld ? settings_.PictureButton.PixelWidth() : 0;
    k.ForeColor = ForeColor();
    k.FontName = font.Name();
    k.FontSize = font.Size();
    k.FontBold = font.Bold();
    k.FontCharset = font.Charset();
    return k;
}

void TitelBar::Refresh() {
    if (!built_ || !hwnd_) return;
    rt::Canvas& surface = Surface();
    surface.AutoRedraw(true);
    surface.Cls();
    surface.ForeColor(settings_.CaptionColor);
    SetTBX_();
    HDC image = surface.hDC();
    SetVerlauf(image, Look(), settings_.BackColorV1Begin, settings_.BackColorV1End,
               settings_.BackColorV2Begin, settings_.BackColorV2End);
    SetImageI();
    Shadow(image, Look(), *text_);
    BSetBorder(image, Look(), settings_.BorderNormal);
    // The drawing stays as the background the window is painted from.
    surface.AutoRedraw(false);
}

void TitelBar::ShowPicture(Which which, int index) {
    ButtonElement& b = buttons_[which];
    b.PictureIndex = index;
    const rt::Picture& pic = ButtonPicture(which, index);
    if (!pic.Empty()) {
        b.Width = pic.PixelWidth();
        b.Height = pic.PixelHeight();
    }
    Invalidate();
}

void TitelBar::SetTBX_() {
    double m = 3, t = 0;
    if (settings_.Style == 13) {
        m = buttons_[Close].Width;
        t = 2;
    } else if (settings_.Style == 14) {
        m = 6;
        t = 2;
    }
    buttons_[Close].Visible = settings_.ShowClose;
    buttons_[Minimise].Visible = settings_.ShowMinimized;
    buttons_[Maximise].Visible = settings_.ShowMaximized;
    const bool enabled[3] = {settings_.ShowMinimizedEnabled, settings_.ShowMaximizedEnabled,
                             settings_.ShowCloseEnabled};
    for (Which w : {Close, Maximise, Minimise}) {
        int want = settings_.IconStyle * 10 + (enabled[w] ? 2 : 3);
        if (buttons_[w].PictureIndex != want) ShowPicture(w, want);
    }
    const double SH = static_cast<float>(ScaleHeight());
    double x = rt::RoundEven(static_cast<float>(ScaleWidth()));
    auto top = [&](const ButtonElement& b) { return static_cast<float>((SH - b.Height) / 2 + t); };
    if (settings_.ShowClose) {
        ButtonElement& b = buttons_[Close];
        b.Left = static_cast<float>(x - b.Width - 3 - m);
        b.Top = top(b);
        x = rt::RoundEven(b.Left);
        m = 3;
    }
    if (settings_.ShowMaximized) {
        ButtonElement& b = buttons_[Maximise];
        b.Left = static_cast<float>(x - b.Width - 3 - m);
        b.Top = top(b);
        x = rt::RoundEven(b.Left);
    }
    if (settings_.ShowMinimized) {
        ButtonElement& b = buttons_[Minimise];
        b.Left = static_cast<float>(x - b.Width - 6);
        b.Top = top(b);
    }
    Invalidate();
}

void TitelBar::SetImageI() {
    const rt::Picture& held = settings_.PictureButton;  // the holder Image1
    if (held.Empty() || held.Handle() == 0) return;
    const int w = held.PixelWidth(), h = held.PixelHeight();
    if (settings_.PicturePosMode == 1 || settings_.PicturePosMode == 3)
        settings_.PicturePosX = rt::NumberToInt16(rt::RoundEven((ScaleWidth() - w) / 2));
    if (settings_.PicturePosMode == 2 || settings_.PicturePosMode == 3)
        settings_.PicturePosY = rt::NumberToInt16(rt::RoundEven((ScaleHeight() - h) / 2));
    // Into the persistent image, the background the window is painted from.
    HDC image = Surface().AutoRedraw() ? Surface().hDC() : Surface().ImageDC();
    if (!image) return;
    const bool icon = held.Type() == rt::vbPicTypeIcon;
    DrawStateA(image, nullptr, nullptr, static_cast<LPARAM>(held.Handle()), 0, settings_.PicturePosX,
               settings_.PicturePosY, w, h, (icon ? DST_ICON : DST_BITMAP) | DSS_NORMAL);
}

void TitelBar::PaintButtons(HDC dc) {
    for (Which w : {Minimise, Maximise, Close}) {
        const ButtonElement& b = buttons_[w];
        const rt::Picture& pic = ButtonPicture(w, b.PictureIndex);
        if (!b.Visible || pic.Empty()) continue;
        DrawIconEx(dc, rt::RoundEven(b.Left), rt::RoundEven(b.Top), reinterpret_cast<HICON>(pic.Handle()),
                   b.Width, b.Height, 0, nullptr, DI_NORMAL);
    }
}

void TitelBar::UserControl_Paint() {
    PaintButtons(hDC());
}

void TitelBar::UserControl_Resize() {
    if (!built_) return;
    RaiseEvent(Resize);
    rt::Try([&] { Refresh(); });
}

// ---- Mouse

int TitelBar::ButtonAt(int x, int y) const {
    for (Which w : {Close, Maximise, Minimise}) {
        const ButtonElement& b = buttons_[w];
        int left = rt::RoundEven(b.Left), top = rt::RoundEven(b.Top);
        if (b.Visible && x >= left && x < left + b.Width && y >= top && y < top + b.Height) return w;
    }
    return -1;
}

void TitelBar::ToIdle() {
    tracking_ = 255;
}

namespace {
void ReleaseIfHeld(HWND hwnd) {
    if (GetCapture() == hwnd) ReleaseCapture();
}
}  // namespace

void TitelBar::SurfaceMove(int16_t button, int16_t shift, float x, float y) {
    for (Which w : {Close, Minimise, Maximise}) {
        const ButtonElement& b = buttons_[w];
        if (b.Left < x && x < b.Left + b.Width && b.Top < y && y < b.Top + b.Height) {
            ReleaseIfHeld(hwnd_);
            return;
        }
    }
    const bool enabled[3] = {settings_.ShowMinimizedEnabled, settings_.ShowMaximizedEnabled,
                             settings_.ShowCloseEnabled};
    for (Which w : {Close, Maximise, Minimise}) {
        int normal = settings_.IconStyle * 10 + 2;
        if (enabled[w] && buttons_[w].PictureIndex != normal) ShowPicture(w, normal);
    }
    if (tracking_ == 255 && leave_.PointerInside()) {
        if (GetCapture() != hwnd_) SetCapture(hwnd_);
        tracking_ = 1;
        leave_.Start();
    }
    if (button == rt::vbLeftButton) {
        ToIdle();
        leave_.Stop();
        ReleaseIfHeld(hwnd_);
        SendMessageA(GetAncestor(hwnd_, GA_ROOT), WM_NCLBUTTONDOWN, HTCAPTION, 0);
    }
    RaiseEvent(MouseMove, button, shift, x, y);
}

void TitelBar::LeftTheBar() {
    ToIdle();
    ReleaseIfHeld(hwnd_);
}

void TitelBar::ButtonMove(Which which) {
    leave_.Stop();
    ReleaseIfHeld(hwnd_);
    ToIdle();
    const bool enabled[3] = {settings_.ShowMinimizedEnabled, settings_.ShowMaximizedEnabled,
                             settings_.ShowCloseEnabled};
    int hover = settings_.IconStyle * 10 + 1;
    if (enabled[which] && buttons_[which].PictureIndex != hover) ShowPicture(which, hover);
}

void TitelBar::ButtonAction(Which which) {
    leave_.Stop();
    ReleaseIfHeld(hwnd_);
    ToIdle();
    rt::Form& holder = OwnerForm();
    rt::Form* main = MainWindow().window;
    if (which == Minimise) {
        if (main) main->WindowState(rt::vbMinimized);
        holder.Hide();
    } else if (which == Maximise) {
        holder.WindowState(holder.WindowState() == rt::vbNormal ? rt::vbMaximized : rt::vbNormal);
    } else {
        if (main) main->Unload();
        holder.Unload();
    }
    rt::DoEvents();
}

bool TitelBar::OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
    switch (msg) {
        case WM_PRINTCLIENT: {
            HDC dc = reinterpret_cast<HDC>(wp);
            RECT r;
            GetClientRect(hwnd_, &r);
            Surface().Paint(dc, r);
            PaintButtons(dc);
            result = 0;
            return true;
        }
        default:
            break;
    }
    return UserControl::OnMessage(msg, wp, lp, result);
}

void TitelBar::UserControl_MouseMove(int16_t Button, int16_t Shift, float X, float Y) {
    int hit = ButtonAt(static_cast<int>(X), static_cast<int>(Y));
    if (hit >= 0)
        ButtonMove(static_cast<Which>(hit));
    else
        rt::Try([&] { SurfaceMove(Button, Shift, X, Y); });
}

void TitelBar::UserControl_MouseDown(int16_t Button, int16_t Shift, float X, float Y) {
    int hit = ButtonAt(static_cast<int>(X), static_cast<int>(Y));
    pressedButton_ = hit;
    if (hit == Maximise) {
        rt::Try([&] { ButtonAction(Maximise); });
    } else if (hit < 0) {
        if (GetCapture() != hwnd_) SetCapture(hwnd_);
        ToIdle();
        RaiseEvent(MouseDown, Button, Shift, X, Y);
    } else {
        // A press on minimise or close does nothing; the release acts.
        ReleaseIfHeld(hwnd_);
    }
}

void TitelBar::UserControl_MouseUp(int16_t Button, int16_t Shift, float X, float Y) {
    int hit = pressedButton_ >= 0 ? pressedButton_ : ButtonAt(static_cast<int>(X), static_cast<int>(Y));
    pressedButton_ = -1;
    clickOnSurface_ = hit < 0;
    if (hit == Minimise || hit == Close) {
        rt::Try([&] { ButtonAction(static_cast<Which>(hit)); });
    } else if (hit < 0) {
        ToIdle();
        ReleaseIfHeld(hwnd_);
        RaiseEvent(MouseUp, Button, Shift, X, Y);
    }
}

void TitelBar::UserControl_Click() {
    if (clickOnSurface_) RaiseEvent(Click);
}

void TitelBar::UserControl_DblClick() {
    const POINT pt = rt::CursorIn(hwnd_);
    if (ButtonAt(pt.x, pt.y) < 0) RaiseEvent(DblClick);
}

void TitelBar::UserControl_KeyDown(int16_t& KeyCode, int16_t Shift) {
    RaiseEvent(KeyDown, KeyCode, Shift);
}

void TitelBar::UserControl_KeyUp(int16_t& KeyCode, int16_t Shift) {
    RaiseEvent(KeyUp, KeyCode, Shift);
}

void TitelBar::UserControl_KeyPress(int16_t& KeyAscii) {
    RaiseEvent(KeyPress, KeyAscii);
}

}  // namespace controls
