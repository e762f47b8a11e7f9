#include "runtime/form.h"

#include <algorithm>
#include <utility>

#include "runtime/controls.h"
#include "runtime/effects.h"
#include "runtime/error.h"
#include "runtime/window_class.h"

namespace rt {

namespace {
constexpr const char* kFormClass = "VantrelForm";

std::vector<std::unique_ptr<Form>>& LoadedForms() {
    static std::vector<std::unique_ptr<Form>> forms;
    return forms;
}

// The owner of the forms kept off the taskbar. The platform gives every unowned top-level window
// that is no tool window a taskbar button and an Alt+Tab entry, app-window style or not; an owned
// one gets neither. The owner is never shown, so it takes nothing along when it would be hidden
// or minimised, and it lives as long as the program.
HWND& HiddenOwnerSlot() {
    static HWND owner = nullptr;
    return owner;
}
HWND HiddenOwner() {
    HWND& owner = HiddenOwnerSlot();
    if (owner && IsWindow(owner)) return owner;
    RegisterWindowClass("VantrelOwner", DefWindowProcA);
    owner = CreateWindowExA(WS_EX_TOOLWINDOW, "VantrelOwner", "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                            GetModuleHandleA(nullptr), nullptr);
    return owner;
}

}  // namespace

Form::Form(std::string name) : name_(std::move(name)) {
    RegisterWindowClass(kFormClass, &Form::WndProc, CS_DBLCLKS | CS_OWNDC, ClassCursor::Arrow);
    hwnd_ = CreateWindowExA(WS_EX_APPWINDOW, kFormClass, name_.c_str(), WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                            0, 0, 320, 240, nullptr, nullptr, GetModuleHandleA(nullptr), this);
    if (!hwnd_) Raise(errOutOfMemory, name_);
    canvas_.Attach(hwnd_);
}

Form::~Form() {
    DestroyRuntimeControls();
    DestroyToolTip();
    if (hwnd_) {
        SetWindowLongPtrA(hwnd_, GWLP_USERDATA, 0);
        WindowHandle(std::exchange(hwnd_, nullptr)).reset();
    }
}

void detail::AdoptForm(std::unique_ptr<Form> form, Form** slot) {
    form->slot_ = slot;
    *slot = form.get();
    LoadedForms().push_back(std::move(form));
}

void Form::runLoad() {
    if (loaded_) return;
    loaded_ = true;
    HandlerScope scope;
    Form_Load();
}

std::vector<Form*> Forms() {
    std::vector<Form*> out;
    for (auto& f : LoadedForms()) out.push_back(f.get());
    return out;
}

HWND DialogOwner() {
    if (HWND active = GetActiveWindow()) return active;
    for (Form* f : Forms())
        if (f->Visible()) return f->hWnd();
    return nullptr;
}

void UnloadAll() {
    std::vector<Form*> forms = Forms();
    for (auto it = forms.rbegin(); it != forms.rend(); ++it) {
        auto& all = LoadedForms();
        bool still = std::any_of(all.begin(), all.end(), [&](auto& p) { return p.get() == *it; });
        if (still) (*it)->Unload();
    }
}

void End() {
    // At once: no unload events; the windows go with the process.
    ExitProcess(0);
}

int Run() {
    MSG msg;
    while (!LoadedForms().empty()) {
        int r = GetMessageA(&msg, nullptr, 0, 0);
        if (r <= 0) return r == 0 ? static_cast<int>(msg.wParam) : -1;
        if (!RouteTabKey(msg)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        FlushDeferred();
    }
    return 0;
}

void Form::Unload() {
    if (unloading_ || unloaded_) return;
    unloading_ = true;
    int16_t cancel = 0;
    {
        HandlerScope scope;
        Form_Unload(cancel);
    }
    unloading_ = false;
    if (cancel != 0 || unloaded_) return;
    unloaded_ = true;
    ShowWindow(hwnd_, SW_HIDE);
    if (slot_) *slot_ = nullptr;
    auto& all = LoadedForms();
    auto it = std::find_if(all.begin(), all.end(), [&](auto& p) { return p.get() == this; });
    if (it != all.end()) {
        std::unique_ptr<Form> self = std::move(*it);
        all.erase(it);
        DestroyLater(std::move(self));
    }
}

void Form::Show() {
    int cmd = SW_SHOW;
    if (!IsWindowVisible(hwnd_)) {
        // The state set while hidden.
        if (IsZoomed(hwnd_))
            cmd = SW_SHOWMAXIMIZED;
        else if (IsIconic(hwnd_))
            cmd = SW_SHOWMINNOACTIVE;
    }
    ShowWindow(hwnd_, cmd);
    UpdateWindow(hwnd_);
}
void Form::Hide() {
    ShowWindow(hwnd_, SW_HIDE);
}
bool Form::Visible() const {
    return IsWindowVisible(hwnd_) != FALSE;
}
void Form::Visible(bool v) {
    v ? Show() : Hide();
}
bool Form::Enabled() const {
    return IsWindowEnabled(hwnd_) != FALSE;
}
void Form::Enabled(bool v) {
    EnableWindow(hwnd_, v);
}
void Form::Refresh() {
    InvalidateRect(hwnd_, nullptr, TRUE);
    UpdateWindow(hwnd_);
}
void Form::SetFocus() {
    ::SetFocus(hwnd_);
}

std::string Form::Caption() const {
    return WindowText(hwnd_);
}
void Form::Caption(const std::string& text) {
    SetWindowTextA(hwnd_, text.c_str());
}

void Form::BorderStyle(int16_t style) {
    if (style < 0 || style > 5) Raise(errInvalidPropertyValue, name_);
    borderStyle_ = style;
    applyStyles();
}
void Form::ControlBox(bool v) {
    controlBox_ = v;
    applyStyles();
}
void Form::MinButton(bool v) {
    minButton_ = v;
    applyStyles();
}
void Form::MaxButton(bool v) {
    maxButton_ = v;
    applyStyles();
}
void Form::ShowInTaskbar(bool v) {
    showInTaskbar_ = v;
    applyStyles();
}

void Form::applyStyles() {
    LONG_PTR old = GetWindowLongPtrA(hwnd_, GWL_STYLE);
    LONG_PTR style = (old & (WS_VISIBLE | WS_MINIMIZE | WS_MAXIMIZE | WS_DISABLED)) | WS_CLIPCHILDREN;
    LONG_PTR ex =
        GetWindowLongPtrA(hwnd_, GWL_EXSTYLE) &
        ~static_cast<LONG_PTR>(WS_EX_APPWINDOW | WS_EX_TOOLWINDOW | WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE);
    if (borderStyle_ == vbBSNone) {
        style |= WS_POPUP;
    } else {
        style |= WS_CAPTION;
        if (controlBox_) style |= WS_SYSMENU;
        bool sizable = borderStyle_ == vbSizable || borderStyle_ == vbSizableToolWindow;
        if (sizable) style |= WS_THICKFRAME;
        bool tool = borderStyle_ == vbFixedToolWindow || borderStyle_ == vbSizableToolWindow;
        if (tool) ex |= WS_EX_TOOLWINDOW;
        if (borderStyle_ == vbFixedDialog) ex |= WS_EX_DLGMODALFRAME;
        if (!tool && controlBox_) {
            if (minButton_) style |= WS_MINIMIZEBOX;
            if (maxButton_) style |= WS_MAXIMIZEBOX;
        }
    }
    if (showInTaskbar_) ex |= WS_EX_APPWINDOW;
    SetWindowLongPtrA(hwnd_, GWL_STYLE, style);
    SetWindowLongPtrA(hwnd_, GWL_EXSTYLE, ex);
    const HWND owner = GetWindow(hwnd_, GW_OWNER);
    if (!showInTaskbar_ && !owner) {
        if (const HWND hidden = HiddenOwner())
            SetWindowLongPtrA(hwnd_, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(hidden));
    } else if (showInTaskbar_ && owner && owner == HiddenOwnerSlot()) {
        SetWindowLongPtrA(hwnd_, GWLP_HWNDPARENT, 0);
    }
    SetWindowPos(hwnd_, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

int16_t Form::WindowState() const {
    if (IsIconic(hwnd_)) return vbMinimized;
    if (IsZoomed(hwnd_)) return vbMaximized;
    return vbNormal;
}

void Form::WindowState(int16_t state) {
    if (state < 0 || state > 2) Raise(errInvalidPropertyValue, name_);
    bool visible = Visible();
    int cmd = state == vbMinimized   ? (visible ? SW_MINIMIZE : SW_SHOWMINNOACTIVE)
              : state == vbMaximized ? SW_MAXIMIZE
                                     : SW_RESTORE;
    if (!visible) {
        // A hidden form already in that state keeps its place (wherever code moved it).
        if (state == WindowState()) return;
        // A hidden form keeps its state for when it is shown (Show), with its normal place kept
        // for a later restore. A maximised one takes its maximised place now, so that its size
        // can be read before it is shown.
        WINDOWPLACEMENT wp{};
        wp.length = sizeof(wp);
        GetWindowPlacement(hwnd_, &wp);
        const LONG_PTR old = GetWindowLongPtrA(hwnd_, GWL_STYLE);
        LONG_PTR s = old & ~static_cast<LONG_PTR>(WS_MINIMIZE | WS_MAXIMIZE);
        if (state == vbMinimized) s |= WS_MINIMIZE;
        if (state == vbMaximized) s |= WS_MAXIMIZE;
        SetWindowLongPtrA(hwnd_, GWL_STYLE, s);
        RECT place = wp.rcNormalPosition;
        if (state == vbMaximized) place = maximisedRect();
        if (state != vbMinimized)
            SetWindowPos(hwnd_, nullptr, place.left, place.top, place.right - place.left,
                         place.bottom - place.top, SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
        wp.showCmd = SW_HIDE;
        wp.flags = 0;
        if (state == vbMaximized) wp.ptMaxPosition = POINT{place.left, place.top};
        SetWindowPlacement(hwnd_, &wp);
        return;
    }
    ShowWindow(hwnd_, cmd);
}

RECT Form::maximisedRect() const {
    // As the platform maximises: the frame without the caption lies outside the work area (the
    // whole monitor for a window without a caption).
    const LONG_PTR style = GetWindowLongPtrA(hwnd_, GWL_STYLE);
    const LONG_PTR ex = GetWindowLongPtrA(hwnd_, GWL_EXSTYLE);
    const bool captioned = (style & WS_CAPTION) == WS_CAPTION;
    RECT frame{0, 0, 0, 0};
    AdjustWindowRectEx(&frame, static_cast<DWORD>(captioned ? (style & ~WS_BORDER) : style), FALSE,
                       static_cast<DWORD>(ex));
    MONITORINFO mi{};
    mi.cbSize = sizeof(mi);
    GetMonitorInfoA(MonitorFromWindow(hwnd_, MONITOR_DEFAULTTOPRIMARY), &mi);
    RECT area = (captioned || !(style & WS_POPUP)) ? mi.rcWork : mi.rcMonitor;
    return RECT{area.left + frame.left, area.top + frame.top, area.right + frame.right,
                area.bottom + frame.bottom};
}

void Form::ZOrder(int position) {
    if (position != 0 && position != 1) Raise(errInvalidPropertyValue, name_);
    if (position == 0) {
        SetWindowPos(hwnd_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        return;
    }
    // An owned window stays above its owner: the hidden owner goes to the back first.
    const HWND owner = GetWindow(hwnd_, GW_OWNER);
    if (owner && owner == HiddenOwnerSlot())
        SetWindowPos(owner, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SetWindowPos(hwnd_, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void Form::Icon(Picture p) {
    icon_ = std::move(p);
    HICON h = icon_.Type() == vbPicTypeIcon ? reinterpret_cast<HICON>(icon_.Handle()) : nullptr;
    SendMessageA(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(h));
    SendMessageA(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(h));
}

double Form::Left() const {
    RECT r;
    GetWindowRect(hwnd_, &r);
    return ToTwipsX(r.left);
}
double Form::Top() const {
    RECT r;
    GetWindowRect(hwnd_, &r);
    return ToTwipsY(r.top);
}
double Form::Width() const {
    RECT r;
    GetWindowRect(hwnd_, &r);
    return ToTwipsX(r.right - r.left);
}
double Form::Height() const {
    RECT r;
    GetWindowRect(hwnd_, &r);
    return ToTwipsY(r.bottom - r.top);
}
void Form::Left(double v) {
    Move(v);
}
void Form::Top(double v) {
    Move(Left(), v);
}
void Form::Width(double v) {
    Move(Left(), Top(), v, Height());
}
void Form::Height(double v) {
    Move(Left(), Top(), Width(), v);
}
void Form::Move(double left) {
    Move(left, Top());
}
void Form::Move(double left, double top) {
    SetWindowPos(hwnd_, nullptr, ToPixelsX(left), ToPixelsY(top), 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
void Form::Move(double left, double top, double width, double height) {
    if (width < 0 || height < 0) Raise(errInvalidPropertyValue, name_);
    SetWindowPos(hwnd_, nullptr, ToPixelsX(left), ToPixelsY(top), ToPixelsX(width), ToPixelsY(height),
                 SWP_NOZORDER | SWP_NOACTIVATE);
}
double Form::ScaleWidth() const {
    RECT r;
    GetClientRect(hwnd_, &r);
    return ToTwipsX(r.right);
}
double Form::ScaleHeight() const {
    RECT r;
    GetClientRect(hwnd_, &r);
    return ToTwipsY(r.bottom);
}

void Form::PopupMenu(Menu& menu) {
    POINT pt;
    GetCursorPos(&pt);
    SetForegroundWindow(hwnd_);
    UINT id = static_cast<UINT>(TrackPopupMenu(menu.Handle(),
                                               TPM_RETURNCMD | TPM_NONOTIFY | TPM_LEFTALIGN | TPM_RIGHTBUTTON,
                                               pt.x, pt.y, 0, hwnd_, nullptr));
    PostMessageA(hwnd_, WM_NULL, 0, 0);
    if (id == 0) return;
    if (MenuItem* item = menu.ItemOf(id)) item->RaiseEvent(item->Click);
}

bool Form::PrintForm() {
    RECT r;
    GetClientRect(hwnd_, &r);
    WindowDC screen(hwnd_);
    Bitmap bmp(CreateCompatibleBitmap(screen.get(), std::max<LONG>(r.right, 1), std::max<LONG>(r.bottom, 1)));
    {
        MemoryDC dc(screen.get());
        SelectGuard sel(dc.get(), bmp.get());
        if (IsWindowVisible(hwnd_)) {
            BitBlt(dc.get(), 0, 0, r.right, r.bottom, screen.get(), 0, 0, SRCCOPY);
        } else {
            SendMessageA(hwnd_, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc.get()),
                         PRF_CLIENT | PRF_ERASEBKGND);
        }
    }
    return Effects().PrintBitmap(bmp.get(), Caption());
}

void Form::raiseMouse(UINT msg, WPARAM wp, LPARAM lp) {
    const POINT at = MousePoint(lp);
    float x = static_cast<float>(ToTwipsX(at.x));
    float y = static_cast<float>(ToTwipsY(at.y));
    const int16_t buttons = ButtonState(wp);
    HandlerScope scope;
    switch (msg) {
        case WM_MOUSEMOVE:
            Form_MouseMove(buttons, ShiftState(), x, y);
            break;
        case WM_LBUTTONDOWN:
            pressed_ = true;
            Form_MouseDown(vbLeftButton, ShiftState(), x, y);
            break;
        case WM_RBUTTONDOWN:
            Form_MouseDown(vbRightButton, ShiftState(), x, y);
            break;
        case WM_MBUTTONDOWN:
            Form_MouseDown(vbMiddleButton, ShiftState(), x, y);
            break;
        case WM_LBUTTONUP:
            Form_MouseUp(vbLeftButton, ShiftState(), x, y);
            if (pressed_) {
                pressed_ = false;
                Form_Click();
            }
            break;
        case WM_RBUTTONUP:
            Form_MouseUp(vbRightButton, ShiftState(), x, y);
            break;
        case WM_MBUTTONUP:
            Form_MouseUp(vbMiddleButton, ShiftState(), x, y);
            break;
        case WM_LBUTTONDBLCLK:
            Form_DblClick();
            break;
        default:
            break;
    }
}

LRESULT CALLBACK Form::WndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    MessageScope scope;
    if (msg == WM_NCCREATE) {
        auto* cs = reinterpret_cast<CREATESTRUCTA*>(lp);
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
        static_cast<Form*>(cs->lpCreateParams)->hwnd_ = hwnd;
    }
    auto* f = reinterpret_cast<Form*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (!f) return DefWindowProcA(hwnd, msg, wp, lp);
    return f->handle(msg, wp, lp);
}

LRESULT Form::handle(UINT msg, WPARAM wp, LPARAM lp) {
    LRESULT result = 0;
    if (OnFormMessage(msg, wp, lp, result)) return result;
    if (Reflect(msg, wp, lp, result)) return result;
    switch (msg) {
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT:
            PaintSurface(canvas_);
            if (!canvas_.AutoRedraw() && loaded_) {
                HandlerScope scope;
                Form_Paint();
            }
            return 0;
        case WM_PRINTCLIENT:
            PrintSurface(canvas_, reinterpret_cast<HDC>(wp));
            return 0;
        case WM_SIZE:
            canvas_.Resized();
            if (loaded_ && !unloaded_) {
                HandlerScope scope;
                Form_Resize();
            }
            return 0;
        case WM_CLOSE:
            Unload();
            return 0;
        case WM_COMMAND:
            if (lp == 0 && HIWORD(wp) == 0) {
                for (Control* c : Controls())
                    if (auto* m = dynamic_cast<Menu*>(c))
                        if (MenuItem* item = m->ItemOf(LOWORD(wp))) {
                            item->RaiseEvent(item->Click);
                            return 0;
                        }
            }
            break;
        case WM_SETCURSOR: {
            HCURSOR c = WindowlessCursor(wp, lp);
            if (!c && reinterpret_cast<HWND>(wp) == hwnd_ && LOWORD(lp) == HTCLIENT) c = cursor_.Custom();
            if (!c) break;
            SetCursor(c);
            return TRUE;
        }
        case WM_MOUSEMOVE:
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
        case WM_MBUTTONUP:
        case WM_LBUTTONDBLCLK:
            if (RouteMouse(msg, wp, lp)) return 0;
            raiseMouse(msg, wp, lp);
            return 0;
        case WM_SYSCHAR:
            if ((lp & (1 << 29)) && RouteAccessKey(*this, static_cast<unsigned char>(wp))) return 0;
            break;
        case WM_KEYDOWN:
            if (loaded_) {
                int16_t key = static_cast<int16_t>(wp);
                HandlerScope scope;
                Form_KeyDown(key, ShiftState());
            }
            return 0;
        default:
            break;
    }
    return DefWindowProcA(hwnd_, msg, wp, lp);
}

}  // namespace rt
