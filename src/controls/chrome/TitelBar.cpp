#include "controls/chrome/TitelBar.h"

#include "controls/chrome/main_window_link.h"
#include "controls/chrome/titlebar_buttons.h"
#include "runtime/convert.h"
#include "runtime/error.h"
#include "runtime/form.h"
#include "runtime/ui.h"

namespace controls {

namespace {

constexpr UINT_PTR kLeaveTimer = 1;

void RegisterBarClass() {
    static bool done = [] {
        WNDCLASSA wc{};
        wc.style = CS_DBLCLKS | CS_OWNDC;
        wc.lpfnWndProc = DefWindowProcA;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
        wc.lpszClassName = "VantrelTitelBar";
        return RegisterClassA(&wc) != 0;
    }();
    (void)done;
}

int16_t ButtonOf(WPARAM wp) {
    int16_t b = 0;
    if (wp & MK_LBUTTON) b |= rt::vbLeftButton;
    if (wp & MK_RBUTTON) b |= rt::vbRightButton;
    if (wp & MK_MBUTTON) b |= rt::vbMiddleButton;
    return b;
}

int16_t ShiftOf() {
    int16_t s = 0;
    if (GetKeyState(VK_SHIFT) < 0) s |= rt::vbShiftMask;
    if (GetKeyState(VK_CONTROL) < 0) s |= rt::vbCtrlMask;
    if (GetKeyState(VK_MENU) < 0) s |= rt::vbAltMask;
    return s;
}

int16_t ButtonOfMessage(UINT msg) {
    switch (msg) {
    case WM_RBUTTONDOWN: case WM_RBUTTONUP: return rt::vbRightButton;
    case WM_MBUTTONDOWN: case WM_MBUTTONUP: return rt::vbMiddleButton;
    default: return rt::vbLeftButton;
    }
}

}  // namespace

TitelBarProps TitelBarProps::NewInstance() {
    TitelBarProps p;
    p.BackColor = 0x4F3026;
    p.BackColorCover = 3.0f;
    p.ForeColor = 0xFFFFFF;
    p.ShowMaximizedEnabled = true;
    p.BorderNormal = 2;
    return p;
}

TitelBar::TitelBar(rt::Container& parent, std::string name, const TitelBarProps& props)
    : Control(parent, std::move(name), -1, Kind::Windowed), p_(props) {
    RegisterBarClass();
    CreateChild("VantrelTitelBar", WS_CLIPCHILDREN);
    // Before the first layout the buttons stand empty at their designed places.
    buttons_[Minimise] = ButtonElement{225, 6};
    buttons_[Maximise] = ButtonElement{246, 6};
    buttons_[Close] = ButtonElement{267, 6};
    for (int which = 0; which < 3; ++which)
        for (int style = 0; style < 3; ++style)
            for (int state = 1; state <= 3; ++state)
                sets_[size_t(which)][size_t(style * 10 + state)] = MakeButtonPicture(which, style, state);
    built_ = true;
    Refresh();
}

TitelBar::~TitelBar() {
    if (hwnd_) KillTimer(hwnd_, kLeaveTimer);
    if (image_.get() && imageOld_) SelectObject(image_.get(), imageOld_);
}

// ---- Properties

void TitelBar::DashBack(bool v) { p_.DashBack = v; Refresh(); }
void TitelBar::Style(int32_t v) { p_.Style = rt::NumberToInt16(v); Refresh(); }
void TitelBar::BackColor(uint32_t v) { p_.BackColor = v; Cls(); Refresh(); }
void TitelBar::BackColorCover(float v) {
    if (v >= 10) v = 10;
    else if (v <= 0) v = 1;
    p_.BackColorCover = v;
    Refresh();
}
void TitelBar::BackColorV2Begin(uint32_t v) { p_.BackColorV2Begin = v; Refresh(); }
void TitelBar::BackColorV2End(uint32_t v) { p_.BackColorV2End = v; Refresh(); }
void TitelBar::BackColorV1Begin(uint32_t v) { p_.BackColorV1Begin = v; Refresh(); }
void TitelBar::BackColorV1End(uint32_t v) { p_.BackColorV1End = v; Refresh(); }
void TitelBar::BorderColorHighLight(uint32_t v) { p_.BorderColorHighLight = v; Refresh(); }
void TitelBar::BorderColorDarkLight(uint32_t v) { p_.BorderColorDarkLight = v; Refresh(); }
void TitelBar::ForeColor(uint32_t v) { p_.ForeColor = v; Refresh(); }
void TitelBar::CaptionColorBack(uint32_t v) { p_.CaptionColorBack = v; Refresh(); }
void TitelBar::CaptionColor(uint32_t v) { p_.CaptionColor = v; p_.ForeColor = v; Refresh(); }
void TitelBar::CaptionBorderColor(uint32_t v) { p_.CaptionBorderColor = v; Refresh(); }
void TitelBar::CaptionShadowColor(uint32_t v) { p_.CaptionShadowColor = v; Refresh(); }
void TitelBar::CaptionBorder(bool v) { p_.CaptionBorder = v; Refresh(); }
void TitelBar::Caption3DWidth(uint8_t v) { p_.Caption3DWidth = v; Refresh(); }
void TitelBar::Caption3DTop(bool v) { p_.Caption3DTop = v; Refresh(); }
void TitelBar::Caption3DBottom(bool v) { p_.Caption3DBottom = v; Refresh(); }
void TitelBar::Caption3DLeft(bool v) { p_.Caption3DLeft = v; Refresh(); }
void TitelBar::Caption3DRight(bool v) { p_.Caption3DRight = v; Refresh(); }
void TitelBar::ShowClose(bool v) { p_.ShowClose = v; SetTBX_(); }
void TitelBar::ShowMinimized(bool v) { p_.ShowMinimized = v; SetTBX_(); }
void TitelBar::ShowMaximized(bool v) { p_.ShowMaximized = v; SetTBX_(); }
void TitelBar::ShowCloseEnabled(bool v) { p_.ShowCloseEnabled = v; SetTBX_(); }
void TitelBar::ShowMinimizedEnabled(bool v) { p_.ShowMinimizedEnabled = v; SetTBX_(); }
void TitelBar::ShowMaximizedEnabled(bool v) { p_.ShowMaximizedEnabled = v; SetTBX_(); }
void TitelBar::SetFont(rt::Font f) { p_.Font = std::move(f); Refresh(); }
void TitelBar::Caption(std::string v) { p_.Caption = std::move(v); Refresh(); }
void TitelBar::CaptionPosX(int32_t v) { p_.CaptionPosX = v; Refresh(); }
void TitelBar::CaptionPosY(int32_t v) { p_.CaptionPosY = v; Refresh(); }
void TitelBar::BorderNormal(uint8_t v) { p_.BorderNormal = v; Refresh(); }
void TitelBar::IconStyle(uint8_t v) { p_.IconStyle = v >= 2 ? 2 : v; Refresh(); }
void TitelBar::SetPicture(rt::Picture pic) {
    p_.Picture = std::move(pic);
    EnsureImage();
    if (!p_.Picture.Empty())
        p_.Picture.Render(image_.get(), 0, 0, p_.Picture.PixelWidth(), p_.Picture.PixelHeight());
    SetImageI();
    InvalidateRect(hwnd_, nullptr, FALSE);
}
void TitelBar::PictureButton(rt::Picture pic) { p_.PictureButton = std::move(pic); Refresh(); }
void TitelBar::PicturePosMode(int32_t v) { p_.PicturePosMode = v; Refresh(); }
void TitelBar::PicturePosX(int16_t v) { p_.PicturePosX = v; Refresh(); }
void TitelBar::PicturePosY(int16_t v) { p_.PicturePosY = v; Refresh(); }

const rt::Picture& TitelBar::ButtonPicture(Which which, int index) const {
    static const rt::Picture none;
    if (index < 0 || index >= 24) return none;
    return sets_[size_t(which)][size_t(index)];
}

HDC TitelBar::hdc() const {
    return hwnd_ ? GetDC(hwnd_) : nullptr;  // the class keeps its own DC: nothing to release
}

double TitelBar::ScaleWidth() const {
    RECT r{};
    if (hwnd_) GetClientRect(hwnd_, &r);
    return r.right;
}
double TitelBar::ScaleHeight() const {
    RECT r{};
    if (hwnd_) GetClientRect(hwnd_, &r);
    return r.bottom;
}

// ---- Drawing

void TitelBar::EnsureImage() {
    SIZE want{std::max<LONG>(static_cast<LONG>(ScaleWidth()), 1), std::max<LONG>(static_cast<LONG>(ScaleHeight()), 1)};
    if (image_.get() && want.cx == imageSize_.cx && want.cy == imageSize_.cy) return;
    rt::WindowDC screen(hwnd_);
    rt::MemoryDC dc(screen.get());
    rt::Bitmap bmp(CreateCompatibleBitmap(screen.get(), want.cx, want.cy));
    HGDIOBJ old = SelectObject(dc.get(), bmp.get());
    if (image_.get()) SelectObject(image_.get(), imageOld_);
    image_ = std::move(dc);
    imageBitmap_ = std::move(bmp);
    imageOld_ = old;
    imageSize_ = want;
}

void TitelBar::Cls() {
    EnsureImage();
    RECT all{0, 0, imageSize_.cx, imageSize_.cy};
    rt::Brush back(CreateSolidBrush(rt::ToColorRef(p_.BackColor)));
    FillRect(image_.get(), &all, back.get());
    if (!p_.Picture.Empty())
        p_.Picture.Render(image_.get(), 0, 0, p_.Picture.PixelWidth(), p_.Picture.PixelHeight());
    if (hwnd_) InvalidateRect(hwnd_, nullptr, FALSE);
}

TitleBarLook TitelBar::Look() const {
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
    auto box = [](const ButtonElement& b) { return ButtonBox{b.Left, b.Top, double(b.Width), double(b.Height)}; };
    k.TBAR_ = box(buttons_[Minimise]);
    k.TBARX = box(buttons_[Close]);
    if (p_.DashBack && image_.get()) {
        rt::SelectGuard sel(image_.get(), p_.Font.Handle());
        SIZE s{};
        GetTextExtentPoint32A(image_.get(), p_.Caption.c_str(), static_cast<int>(p_.Caption.size()), &s);
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
    k.ForeColor = p_.ForeColor;
    k.FontName = p_.Font.Name();
    k.FontSize = p_.Font.Size();
    k.FontBold = p_.Font.Bold();
    k.FontCharset = p_.Font.Charset();
    return k;
}

void TitelBar::Refresh() {
    if (!built_ || !hwnd_) return;
    Cls();
    p_.ForeColor = p_.CaptionColor;
    SetTBX_();
    SetVerlauf(image_.get(), Look(), p_.BackColorV1Begin, p_.BackColorV1End, p_.BackColorV2Begin,
               p_.BackColorV2End);
    SetImageI();
    Shadow(image_.get(), Look(), *text_);
    BSetBorder(image_.get(), Look(), p_.BorderNormal);
    InvalidateRect(hwnd_, nullptr, FALSE);
}

void TitelBar::ShowPicture(Which which, int index) {
    ButtonElement& b = buttons_[which];
    b.PictureIndex = index;
    const rt::Picture& pic = ButtonPicture(which, index);
    if (!pic.Empty()) {
        b.Width = pic.PixelWidth();
        b.Height = pic.PixelHeight();
    }
    if (hwnd_) InvalidateRect(hwnd_, nullptr, FALSE);
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
    if (hwnd_) InvalidateRect(hwnd_, nullptr, FALSE);
}

void TitelBar::SetImageI() {
    const rt::Picture& held = p_.PictureButton;  // the holder Image1
    if (held.Empty() || held.Handle() == 0) return;
    const int w = held.PixelWidth(), h = held.PixelHeight();
    if (p_.PicturePosMode == 1 || p_.PicturePosMode == 3)
        p_.PicturePosX = rt::NumberToInt16(rt::RoundEven((ScaleWidth() - w) / 2));
    if (p_.PicturePosMode == 2 || p_.PicturePosMode == 3)
        p_.PicturePosY = rt::NumberToInt16(rt::RoundEven((ScaleHeight() - h) / 2));
    EnsureImage();
    const bool icon = held.Type() == rt::vbPicTypeIcon;
    DrawStateA(image_.get(), nullptr, nullptr, static_cast<LPARAM>(held.Handle()), 0, p_.PicturePosX,
               p_.PicturePosY, w, h, (icon ? DST_ICON : DST_BITMAP) | DSS_NORMAL);
}

void TitelBar::PaintWindow(HDC dc) {
    EnsureImage();
    BitBlt(dc, 0, 0, imageSize_.cx, imageSize_.cy, image_.get(), 0, 0, SRCCOPY);
    for (Which w : {Minimise, Maximise, Close}) {
        const ButtonElement& b = buttons_[w];
        const rt::Picture& pic = ButtonPicture(w, b.PictureIndex);
        if (!b.Visible || pic.Empty()) continue;
        DrawIconEx(dc, rt::RoundEven(b.Left), rt::RoundEven(b.Top), reinterpret_cast<HICON>(pic.Handle()), b.Width,
                   b.Height, 0, nullptr, DI_NORMAL);
    }
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
    if (on) SetTimer(hwnd_, kLeaveTimer, 25, nullptr);
    else KillTimer(hwnd_, kLeaveTimer);
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
    const int x = static_cast<short>(LOWORD(lp)), y = static_cast<short>(HIWORD(lp));
    result = 0;
    switch (msg) {
    case WM_ERASEBKGND:
        result = 1;
        return true;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd_, &ps);
        PaintWindow(dc);
        EndPaint(hwnd_, &ps);
        return true;
    }
    case WM_PRINTCLIENT:
        PaintWindow(reinterpret_cast<HDC>(wp));
        return true;
    case WM_SIZE:
        if (built_) {
            RaiseEvent(Resize);
            rt::Try([&] { Refresh(); });
        }
        return true;
    case WM_TIMER:
        if (wp != kLeaveTimer) return false;
        if (!IsCursorInside()) {
            TimerOn(false);
            ToIdle();
            ReleaseIfHeld(hwnd_);
        }
        return true;
    case WM_MOUSEMOVE: {
        int hit = ButtonAt(x, y);
        if (hit >= 0) {
            ButtonMove(static_cast<Which>(hit));
        } else {
            rt::Try([&] { SurfaceMove(ButtonOf(wp), ShiftOf(), float(x), float(y)); });
        }
        return true;
    }
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN: {
        int hit = ButtonAt(x, y);
        pressedButton_ = hit;
        if (hit == Maximise) {
            rt::Try([&] { ButtonAction(Maximise); });
        } else if (hit < 0) {
            if (GetCapture() != hwnd_) SetCapture(hwnd_);
            ToIdle();
            int16_t b = ButtonOfMessage(msg), s = ShiftOf();
            float fx = float(x), fy = float(y);
            RaiseEvent(MouseDown, b, s, fx, fy);
        }
        return true;
    }
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP: {
        int hit = pressedButton_ >= 0 ? pressedButton_ : ButtonAt(x, y);
        pressedButton_ = -1;
        if (hit == Minimise || hit == Close) {
            rt::Try([&] { ButtonAction(static_cast<Which>(hit)); });
        } else if (hit < 0) {
            ToIdle();
            ReleaseIfHeld(hwnd_);
            int16_t b = ButtonOfMessage(msg), s = ShiftOf();
            float fx = float(x), fy = float(y);
            RaiseEvent(MouseUp, b, s, fx, fy);
            if (msg == WM_LBUTTONUP) RaiseEvent(Click);
        }
        return true;
    }
    case WM_LBUTTONDBLCLK:
        if (ButtonAt(x, y) < 0) RaiseEvent(DblClick);
        return true;
    case WM_KEYDOWN: {
        int16_t code = static_cast<int16_t>(wp), s = ShiftOf();
        RaiseEvent(KeyDown, code, s);
        return true;
    }
    case WM_KEYUP: {
        int16_t code = static_cast<int16_t>(wp), s = ShiftOf();
        RaiseEvent(KeyUp, code, s);
        return true;
    }
    case WM_CHAR: {
        int16_t ascii = static_cast<int16_t>(wp);
        RaiseEvent(KeyPress, ascii);
        return true;
    }
    default:
        return false;
    }
}

}  // namespace controls
