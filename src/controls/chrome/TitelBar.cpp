#include "controls/chrome/TitelBar.h"

#include "controls/chrome/titlebar_buttons.h"
#include "controls/common/main_window_link.h"
#include "runtime/convert.h"
#include "runtime/error.h"
#include "runtime/form.h"
#include "runtime/ui.h"

namespace controls {

namespace {

constexpr UINT_PTR kLeaveTimer = 1;
constexpr uint32_t kDefaultBackColor = 0x8000000Fu;  // the key's default when it is written
constexpr uint32_t kReadBackColor = 0xE6E6E6u;
constexpr uint32_t kReadForeColor = 0x80000012u;

}  // namespace

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

TitelBar::~TitelBar() {
    if (hwnd_) KillTimer(hwnd_, kLeaveTimer);
}

// ---- Property bag

void TitelBar::UserControl_InitProperties() {
    p_ = Props{};
    UserControl::BackColor(0x4F3026);
    UserControl::ForeColor(0xFFFFFF);
    Surface().GetFont() = rt::Font("Tahoma", 14.25f);
    p_.BackColorCover = 3.0f;
    p_.ShowMaximizedEnabled = true;
    p_.BorderNormal = 2;
    // A new bar lies along its container's top edge, 31 pixels high.
    RECT area{};
    GetClientRect(ContainerHwnd(), &area);
    Move(0, 0, rt::ToTwipsX(area.right), rt::ToTwipsY(31));
    built_ = true;
    Refresh();
}

void TitelBar::UserControl_ReadProperties(rt::PropertyBag& PropBag) {
    // Straight into the stored values, without the checks of the setters.
    auto byte = [&](const char* key, int32_t def) {
        return rt::NumberToByte(PropBag.ReadProperty(key, def));
    };
    p_.AutoRedraw = PropBag.ReadProperty("AutoRedraw", false);
    p_.DashBack = PropBag.ReadProperty("DashBack", false);
    p_.Style = PropBag.ReadProperty("Style", int16_t{8});
    UserControl::BackColor(PropBag.ReadProperty("BackColor", kReadBackColor));
    p_.BackColorCover = PropBag.ReadProperty("BackColorCover", 0.0f);
    p_.BackColorV2Begin = PropBag.ReadProperty("BackColorV2Begin", 0x8C6E5Au);
    p_.BackColorV2End = PropBag.ReadProperty("BackColorV2End", 0x4F3026u);
    p_.BackColorV1Begin = PropBag.ReadProperty("BackColorV1Begin", 0xE6E6E6u);
    p_.BackColorV1End = PropBag.ReadProperty("BackColorV1End", 0x8C6E5Au);
    p_.BorderColorHighLight = PropBag.ReadProperty("BorderColorHighLight", 0xFFFFFFu);
    p_.BorderColorDarkLight = PropBag.ReadProperty("BorderColorDarkLight", 0u);
    UserControl::ForeColor(PropBag.ReadProperty("ForeColor", kReadForeColor));
    p_.CaptionColorBack = PropBag.ReadProperty("CaptionColorBack", 0x3C3C3Cu);
    p_.CaptionColor = PropBag.ReadProperty("CaptionColor", 0xFFFFFFu);
    p_.CaptionBorderColor = PropBag.ReadProperty("CaptionBorderColor", 0u);
    p_.CaptionShadowColor = PropBag.ReadProperty("CaptionShadowColor", 0x3C3C3Cu);
    p_.CaptionBorder = PropBag.ReadProperty("CaptionBorder", false);
    p_.Caption3DWidth = byte("Caption3DWidth", 2);
    p_.Caption3DTop = PropBag.ReadProperty("Caption3DTop", false);
    p_.Caption3DBottom = PropBag.ReadProperty("Caption3DBottom", true);
    p_.Caption3DLeft = PropBag.ReadProperty("Caption3DLeft", false);
    p_.Caption3DRight = PropBag.ReadProperty("Caption3DRight", true);
    p_.ShowClose = PropBag.ReadProperty("ShowClose", true);
    p_.ShowMinimized = PropBag.ReadProperty("ShowMinimized", true);
    p_.ShowMaximized = PropBag.ReadProperty("ShowMaximized", false);
    p_.ShowCloseEnabled = PropBag.ReadProperty("ShowCloseEnabled", true);
    p_.ShowMinimizedEnabled = PropBag.ReadProperty("ShowMinimizedEnabled", true);
    p_.ShowMaximizedEnabled = PropBag.ReadProperty("ShowMaximizedEnabled", false);
    Surface().GetFont() = PropBag.ReadProperty("Font", Ambient().Font);
    p_.ToolTipText = PropBag.ReadProperty("ToolTipText", "");
    p_.Caption = PropBag.ReadProperty("Caption", "TitelBar");
    p_.CaptionPosX = PropBag.ReadProperty("CaptionPosX", int32_t{0});
    p_.CaptionPosY = PropBag.ReadProperty("CaptionPosY", int32_t{2});
    p_.BorderNormal = byte("BorderNormal", 0);
    p_.IconStyle = byte("IconStyle", 0);
    p_.PictureButton = PropBag.ReadProperty("PictureButton", rt::Picture());
    p_.PicturePosMode = PropBag.ReadProperty("PicturePosMode", int32_t{0});
    p_.PicturePosX = PropBag.ReadProperty("PicturePosX", int16_t{6});
    p_.PicturePosY = PropBag.ReadProperty("PicturePosY", int16_t{4});
    Surface().AutoRedraw(PropBag.ReadProperty("AutoRedraw", false));
    Surface().SetPicture(PropBag.ReadProperty("Picture", rt::Picture()));
    built_ = true;
    Refresh();
}

void TitelBar::UserControl_WriteProperties(rt::PropertyBag& PropBag) {
    PropBag.WriteProperty("AutoRedraw", p_.AutoRedraw, false);
    PropBag.WriteProperty("DashBack", p_.DashBack, false);
    PropBag.WriteProperty("Style", p_.Style, int16_t{8});
    PropBag.WriteProperty("BackColor", BackColor(), kDefaultBackColor);
    PropBag.WriteProperty("BackColorCover", p_.BackColorCover, 0.0f);
    PropBag.WriteProperty("BackColorV2Begin", p_.BackColorV2Begin, 0x8C6E5Au);
    PropBag.WriteProperty("BackColorV2End", p_.BackColorV2End, 0x4F3026u);
    PropBag.WriteProperty("BackColorV1Begin", p_.BackColorV1Begin, 0xE6E6E6u);
    PropBag.WriteProperty("BackColorV1End", p_.BackColorV1End, 0x8C6E5Au);
    PropBag.WriteProperty("BorderColorHighLight", p_.BorderColorHighLight, 0xFFFFFFu);
    PropBag.WriteProperty("BorderColorDarkLight", p_.BorderColorDarkLight, 0u);
    PropBag.WriteProperty("ForeColor", ForeColor(), kReadForeColor);
    PropBag.WriteProperty("CaptionColorBack", p_.CaptionColorBack, 0x3C3C3Cu);
    PropBag.WriteProperty("CaptionColor", p_.CaptionColor, 0xFFFFFFu);
    PropBag.WriteProperty("CaptionBorderColor", p_.CaptionBorderColor, 0u);
    PropBag.WriteProperty("CaptionShadowColor", p_.CaptionShadowColor, 0x3C3C3Cu);
    PropBag.WriteProperty("CaptionBorder", p_.CaptionBorder, false);
    PropBag.WriteProperty("Caption3DWidth", int32_t{p_.Caption3DWidth}, int32_t{2});
    PropBag.WriteProperty("Caption3DTop", p_.Caption3DTop, false);
    PropBag.WriteProperty("Caption3DBottom", p_.Caption3DBottom, true);
    PropBag.WriteProperty("Caption3DLeft", p_.Caption3DLeft, false);
    PropBag.WriteProperty("Caption3DRight", p_.Caption3DRight, true);
    PropBag.WriteProperty("ShowClose", p_.ShowClose, true);
    PropBag.WriteProperty("ShowMinimized", p_.ShowMinimized, true);
    PropBag.WriteProperty("ShowMaximized", p_.ShowMaximized, false);
    PropBag.WriteProperty("ShowCloseEnabled", p_.ShowCloseEnabled, true);
    PropBag.WriteProperty("ShowMinimizedEnabled", p_.ShowMinimizedEnabled, true);
    PropBag.WriteProperty("ShowMaximizedEnabled", p_.ShowMaximizedEnabled, false);
    PropBag.WriteProperty("Font", Surface().GetFont(), Ambient().Font);
    PropBag.WriteProperty("ToolTipText", p_.ToolTipText, "");
    PropBag.WriteProperty("Caption", p_.Caption, "TitelBar");
    PropBag.WriteProperty("CaptionPosX", p_.CaptionPosX, int32_t{0});
    PropBag.WriteProperty("CaptionPosY", p_.CaptionPosY, int32_t{2});
    PropBag.WriteProperty("BorderNormal", int32_t{p_.BorderNormal}, int32_t{0});
    PropBag.WriteProperty("IconStyle", int32_t{p_.IconStyle}, int32_t{0});
    PropBag.WriteProperty("Picture", Surface().GetPicture(), rt::Picture());
    PropBag.WriteProperty("PictureButton", p_.PictureButton, rt::Picture());
    PropBag.WriteProperty("PicturePosMode", p_.PicturePosMode, int32_t{0});
    PropBag.WriteProperty("PicturePosX", p_.PicturePosX, int16_t{6});
    PropBag.WriteProperty("PicturePosY", p_.PicturePosY, int16_t{4});
    // The surface's retained-drawing flag goes under the same key. Every repaint leaves it off,
    // and writing its default would drop the stored property's value written above.
    if (Surface().AutoRedraw()) PropBag.WriteProperty("AutoRedraw", true, false);
}

// ---- Properties: every let marks its property changed for the bag.

void TitelBar::AutoRedraw(bool v) {
    p_.AutoRedraw = v;
    PropertyChanged("AutoRedraw");
}
void TitelBar::DashBack(bool v) {
    p_.DashBack = v;
    PropertyChanged("DashBack");
    Refresh();
}
void TitelBar::Style(int32_t v) {
    p_.Style = rt::NumberToInt16(v);
    PropertyChanged("Style");
    Refresh();
}
void TitelBar::BackColor(uint32_t v) {
    UserControl::BackColor(v);
    PropertyChanged("BackColor");
    Refresh();
}
void TitelBar::BackColorCover(float v) {
    if (v >= 10)
        v = 10;
    else if (v <= 0)
        v = 1;
    p_.BackColorCover = v;
    PropertyChanged("BackColorCover");
    Refresh();
}
void TitelBar::BackColorV2Begin(uint32_t v) {
    p_.BackColorV2Begin = v;
    PropertyChanged("BackColorV2Begin");
    Refresh();
}
void TitelBar::BackColorV2End(uint32_t v) {
    p_.BackColorV2End = v;
    PropertyChanged("BackColorV2End");
    Refresh();
}
void TitelBar::BackColorV1Begin(uint32_t v) {
    p_.BackColorV1Begin = v;
    PropertyChanged("BackColorV1Begin");
    Refresh();
}
void TitelBar::BackColorV1End(uint32_t v) {
    p_.BackColorV1End = v;
    PropertyChanged("BackColorV1End");
    Refresh();
}
void TitelBar::BorderColorHighLight(uint32_t v) {
    p_.BorderColorHighLight = v;
    PropertyChanged("BorderColorHighLight");
    Refresh();
}
void TitelBar::BorderColorDarkLight(uint32_t v) {
    p_.BorderColorDarkLight = v;
    PropertyChanged("BorderColorDarkLight");
    Refresh();
}
void TitelBar::ForeColor(uint32_t v) {
    UserControl::ForeColor(v);
    PropertyChanged("ForeColor");
    Refresh();
}
void TitelBar::CaptionColorBack(uint32_t v) {
    p_.CaptionColorBack = v;
    PropertyChanged("CaptionColorBack");
    Refresh();
}
void TitelBar::CaptionColor(uint32_t v) {
    p_.CaptionColor = v;
    UserControl::ForeColor(v);
    PropertyChanged("CaptionColor");
    Refresh();
}
void TitelBar::CaptionBorderColor(uint32_t v) {
    p_.CaptionBorderColor = v;
    PropertyChanged("CaptionBorderColor");
    Refresh();
}
void TitelBar::CaptionShadowColor(uint32_t v) {
    p_.CaptionShadowColor = v;
    PropertyChanged("CaptionShadowColor");
    Refresh();
}
void TitelBar::CaptionBorder(bool v) {
    p_.CaptionBorder = v;
    PropertyChanged("CaptionBorder");
    Refresh();
}
void TitelBar::Caption3DWidth(uint8_t v) {
    p_.Caption3DWidth = v;
    PropertyChanged("Caption3DWidth");
    Refresh();
}
void TitelBar::Caption3DTop(bool v) {
    p_.Caption3DTop = v;
    PropertyChanged("Caption3DTop");
    Refresh();
}
void TitelBar::Caption3DBottom(bool v) {
    p_.Caption3DBottom = v;
    PropertyChanged("Caption3DBottom");
    Refresh();
}
void TitelBar::Caption3DLeft(bool v) {
    p_.Caption3DLeft = v;
    PropertyChanged("Caption3DLeft");
    Refresh();
}
void TitelBar::Caption3DRight(bool v) {
    p_.Caption3DRight = v;
    PropertyChanged("Caption3DRight");
    Refresh();
}
void TitelBar::ShowClose(bool v) {
    p_.ShowClose = v;
    PropertyChanged("ShowClose");
    SetTBX_();
}
void TitelBar::ShowMinimized(bool v) {
    p_.ShowMinimized = v;
    PropertyChanged("ShowMinimized");
    SetTBX_();
}
void TitelBar::ShowMaximized(bool v) {
    p_.ShowMaximized = v;
    PropertyChanged("ShowMaximized");
    SetTBX_();
}
void TitelBar::ShowCloseEnabled(bool v) {
    p_.ShowCloseEnabled = v;
    PropertyChanged("ShowCloseEnabled");
    SetTBX_();
}
void TitelBar::ShowMinimizedEnabled(bool v) {
    p_.ShowMinimizedEnabled = v;
    PropertyChanged("ShowMinimizedEnabled");
    SetTBX_();
}
void TitelBar::ShowMaximizedEnabled(bool v) {
    p_.ShowMaximizedEnabled = v;
    PropertyChanged("ShowMaximizedEnabled");
    SetTBX_();
}
void TitelBar::SetFont(rt::Font f) {
    Surface().GetFont() = std::move(f);
    PropertyChanged("Font");
    Refresh();
}
void TitelBar::BarToolTipText(std::string v) {
    p_.ToolTipText = std::move(v);
    PropertyChanged("ToolTipText");
}
void TitelBar::Caption(std::string v) {
    p_.Caption = std::move(v);
    PropertyChanged("Caption");
    Refresh();
}
void TitelBar::CaptionPosX(int32_t v) {
    p_.CaptionPosX = v;
    PropertyChanged("CaptionPosX");
    Refresh();
}
void TitelBar::CaptionPosY(int32_t v) {
    p_.CaptionPosY = v;
    PropertyChanged("CaptionPosY");
    Refresh();
}
void TitelBar::BorderNormal(uint8_t v) {
    p_.BorderNormal = v;
    PropertyChanged("BorderNormal");
    Refresh();
}
void TitelBar::IconStyle(uint8_t v) {
    p_.IconStyle = v >= 2 ? 2 : v;
    PropertyChanged("IconStyle");
    Refresh();
}
void TitelBar::SetPicture(rt::Picture pic) {
    // The new background goes into the image, and the icon over it; no full repaint.
    Surface().SetPicture(std::move(pic));
    PropertyChanged("Picture");
    SetImageI();
    Invalidate();
}
void TitelBar::PictureButton(rt::Picture pic) {
    p_.PictureButton = std::move(pic);
    PropertyChanged("PictureButton");
    Refresh();
}
void TitelBar::PicturePosMode(int32_t v) {
    p_.PicturePosMode = v;
    PropertyChanged("PicturePosMode");
    Refresh();
}
void TitelBar::PicturePosX(int16_t v) {
    p_.PicturePosX = v;
    PropertyChanged("PicturePosX");
    Refresh();
}
void TitelBar::PicturePosY(int16_t v) {
    p_.PicturePosY = v;
    PropertyChanged("PicturePosY");
    Refresh();
}

const rt::Picture& TitelBar::ButtonPicture(Which which, int index) const {
    static const rt::Picture none;
    if (index < 0 || index >= 24) return none;
    return sets_[size_t(which)][size_t(index)];
}

// ---- Drawing

TitleBarLook TitelBar::Look() {
    TitleBarLook k;
    k.ScaleWidth = ScaleWidth();
    k.ScaleHeight = ScaleHeight();
    k.Style = p_.Style;
    k.BackColorCover = p_.BackColorCover;
    k.BorderNormal = p_.BorderNormal;
    k.DashBack = p_.DashBack;
    k.Caption = p_.Caption;
    k.ShowClose = p_.ShowClose;
    k.ShowMinimized = p_.ShowMinimized;
    k.BorderColorHighLight = p_.BorderColorHighLight;
    k.BorderColorDarkLight = p_.BorderColorDarkLight;
    auto box = [](const ButtonElement& b) {
        return ButtonBox{b.Left, b.Top, double(b.Width), double(b.Height)};
    };
    k.TBAR_ = box(buttons_[Minimise]);
    k.TBARX = box(buttons_[Close]);
    rt::Font& font = Surface().GetFont();
    if (p_.DashBack && Surface().ImageDC()) {
        HDC image = Surface().ImageDC();
        rt::SelectGuard sel(image, font.Handle());
        SIZE s{};
        GetTextExtentPoint32A(image, p_.Caption.c_str(), static_cast<int>(p_.Caption.size()), &s);
        k.CaptionTextWidth = s.cx;
    }
    k.Caption3DWidth = p_.Caption3DWidth;
    k.Caption3DTop = p_.Caption3DTop;
    k.Caption3DBottom = p_.Caption3DBottom;
    k.Caption3DLeft = p_.Caption3DLeft;
    k.Caption3DRight = p_.Caption3DRight;
    k.CaptionColorBack = p_.CaptionColorBack;
    k.CaptionShadowColor = p_.CaptionShadowColor;
    k.CaptionBorder = p_.CaptionBorder;
    k.CaptionBorderColor = p_.CaptionBorderColor;
    k.CaptionPosX = p_.CaptionPosX;
    k.CaptionPosY = p_.CaptionPosY;
    k.PicturePosX = p_.PicturePosX;
    k.IconHeld = !p_.PictureButton.Empty() && p_.PictureButton.Handle() != 0;
    k.IconWidth = k.IconHeld ? p_.PictureButton.PixelWidth() : 0;
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
    surface.ForeColor(p_.CaptionColor);
    SetTBX_();
    HDC image = surface.hDC();
    SetVerlauf(image, Look(), p_.BackColorV1Begin, p_.BackColorV1End, p_.BackColorV2Begin, p_.BackColorV2End);
    SetImageI();
    Shadow(image, Look(), *text_);
    BSetBorder(image, Look(), p_.BorderNormal);
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
    if (p_.Style == 13) {
        m = buttons_[Close].Width;
        t = 2;
    } else if (p_.Style == 14) {
        m = 6;
        t = 2;
    }
    buttons_[Close].Visible = p_.ShowClose;
    buttons_[Minimise].Visible = p_.ShowMinimized;
    buttons_[Maximise].Visible = p_.ShowMaximized;
    const bool enabled[3] = {p_.ShowMinimizedEnabled, p_.ShowMaximizedEnabled, p_.ShowCloseEnabled};
    for (Which w : {Close, Maximise, Minimise}) {
        int want = p_.IconStyle * 10 + (enabled[w] ? 2 : 3);
        if (buttons_[w].PictureIndex != want) ShowPicture(w, want);
    }
    const double SH = static_cast<float>(ScaleHeight());
    double x = rt::RoundEven(static_cast<float>(ScaleWidth()));
    auto top = [&](const ButtonElement& b) { return static_cast<float>((SH - b.Height) / 2 + t); };
    if (p_.ShowClose) {
        ButtonElement& b = buttons_[Close];
        b.Left = static_cast<float>(x - b.Width - 3 - m);
        b.Top = top(b);
        x = rt::RoundEven(b.Left);
        m = 3;
    }
    if (p_.ShowMaximized) {
        ButtonElement& b = buttons_[Maximise];
        b.Left = static_cast<float>(x - b.Width - 3 - m);
        b.Top = top(b);
        x = rt::RoundEven(b.Left);
    }
    if (p_.ShowMinimized) {
        ButtonElement& b = buttons_[Minimise];
        b.Left = static_cast<float>(x - b.Width - 6);
        b.Top = top(b);
    }
    Invalidate();
}

void TitelBar::SetImageI() {
    const rt::Picture& held = p_.PictureButton;  // the holder Image1
    if (held.Empty() || held.Handle() == 0) return;
    const int w = held.PixelWidth(), h = held.PixelHeight();
    if (p_.PicturePosMode == 1 || p_.PicturePosMode == 3)
        p_.PicturePosX = rt::NumberToInt16(rt::RoundEven((ScaleWidth() - w) / 2));
    if (p_.PicturePosMode == 2 || p_.PicturePosMode == 3)
        p_.PicturePosY = rt::NumberToInt16(rt::RoundEven((ScaleHeight() - h) / 2));
    // Into the persistent image, the background the window is painted from.
    HDC image = Surface().AutoRedraw() ? Surface().hDC() : Surface().ImageDC();
    if (!image) return;
    const bool icon = held.Type() == rt::vbPicTypeIcon;
    DrawStateA(image, nullptr, nullptr, static_cast<LPARAM>(held.Handle()), 0, p_.PicturePosX, p_.PicturePosY,
               w, h, (icon ? DST_ICON : DST_BITMAP) | DSS_NORMAL);
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

bool TitelBar::IsCursorInside() const {
    POINT pt{};
    GetCursorPos(&pt);
    ScreenToClient(hwnd_, &pt);
    return pt.x >= 0 && pt.x <= ScaleWidth() && pt.y >= 0 && pt.y <= ScaleHeight();
}

void TitelBar::TimerOn(bool on) {
    if (on)
        SetTimer(hwnd_, kLeaveTimer, 25, nullptr);
    else
        KillTimer(hwnd_, kLeaveTimer);
    timerOn_ = on;
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
    const bool enabled[3] = {p_.ShowMinimizedEnabled, p_.ShowMaximizedEnabled, p_.ShowCloseEnabled};
    for (Which w : {Close, Maximise, Minimise}) {
        int normal = p_.IconStyle * 10 + 2;
        if (enabled[w] && buttons_[w].PictureIndex != normal) ShowPicture(w, normal);
    }
    if (tracking_ == 255 && IsCursorInside()) {
        if (GetCapture() != hwnd_) SetCapture(hwnd_);
        tracking_ = 1;
        TimerOn(true);
    }
    if (button == rt::vbLeftButton) {
        ToIdle();
        TimerOn(false);
        ReleaseIfHeld(hwnd_);
        SendMessageA(GetAncestor(hwnd_, GA_ROOT), WM_NCLBUTTONDOWN, HTCAPTION, 0);
    }
    RaiseEvent(MouseMove, button, shift, x, y);
}

void TitelBar::ButtonMove(Which which) {
    TimerOn(false);
    ReleaseIfHeld(hwnd_);
    ToIdle();
    const bool enabled[3] = {p_.ShowMinimizedEnabled, p_.ShowMaximizedEnabled, p_.ShowCloseEnabled};
    int hover = p_.IconStyle * 10 + 1;
    if (enabled[which] && buttons_[which].PictureIndex != hover) ShowPicture(which, hover);
}

void TitelBar::ButtonAction(Which which) {
    TimerOn(false);
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
        case WM_TIMER:
            if (wp != kLeaveTimer) break;
            result = 0;
            if (!IsCursorInside()) {
                TimerOn(false);
                ToIdle();
                ReleaseIfHeld(hwnd_);
            }
            return true;
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
    POINT pt{};
    GetCursorPos(&pt);
    ScreenToClient(hwnd_, &pt);
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
