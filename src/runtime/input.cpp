#include "runtime/input.h"

#include "runtime/error.h"

namespace rt {

namespace {
constexpr int16_t kCustom = 99;

// The mouse buttons as message key flags and as the runtime's button bits.
struct ButtonFlag {
    WPARAM key;
    int16_t button;
};
constexpr ButtonFlag kButtonFlags[] = {
    {MK_LBUTTON, vbLeftButton}, {MK_RBUTTON, vbRightButton}, {MK_MBUTTON, vbMiddleButton}};

// The buttons set in one form, in the other.
template <class To, class From>
To Translated(From set, From ButtonFlag::*from, To ButtonFlag::*to) {
    To out = 0;
    for (const ButtonFlag& f : kButtonFlags)
        if (set & f.*from) out |= f.*to;
    return out;
}
}  // namespace

int16_t ShiftState() {
    int16_t s = 0;
    if (GetKeyState(VK_SHIFT) < 0) s |= vbShiftMask;
    if (GetKeyState(VK_CONTROL) < 0) s |= vbCtrlMask;
    if (GetKeyState(VK_MENU) < 0) s |= vbAltMask;
    return s;
}

int16_t ButtonState(WPARAM keys) {
    return Translated(keys, &ButtonFlag::key, &ButtonFlag::button);
}

int16_t ButtonOf(UINT msg) {
    switch (msg) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
        case WM_LBUTTONDBLCLK:
            return vbLeftButton;
        case WM_RBUTTONDOWN:
        case WM_RBUTTONUP:
        case WM_RBUTTONDBLCLK:
            return vbRightButton;
        case WM_MBUTTONDOWN:
        case WM_MBUTTONUP:
        case WM_MBUTTONDBLCLK:
            return vbMiddleButton;
        default:
            return 0;
    }
}

WPARAM KeysOf(int16_t buttons) {
    return Translated(buttons, &ButtonFlag::button, &ButtonFlag::key);
}

POINT MousePoint(LPARAM lp) {
    return POINT{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
}

POINT CursorIn(HWND window) {
    POINT pt{};
    GetCursorPos(&pt);
    ScreenToClient(window, &pt);
    return pt;
}

// ---- MouseCursor

MouseCursor::MouseCursor(const MouseCursor& o) : pointer_(o.pointer_), icon_(o.icon_) {}

void MouseCursor::Pointer(int16_t v, const std::string& source) {
    if (v < 0 || (v > 15 && v != kCustom)) Raise(errInvalidPropertyValue, source);
    pointer_ = v;
}

void MouseCursor::Icon(Picture p) {
    icon_ = std::move(p);
    cursor_.reset();
    made_ = false;
}

HCURSOR MouseCursor::cursor() const noexcept {
    if (!made_) {
        made_ = true;
        try {
            cursor_.reset(CursorFromPicture(icon_));
        } catch (...) {
            cursor_.reset();  // a picture that gives no cursor leaves the pointer without one
        }
    }
    return cursor_.get();
}

HCURSOR MouseCursor::Custom() const noexcept {
    return pointer_ == kCustom ? cursor() : nullptr;
}

HCURSOR MouseCursor::Shape() const {
    static const LPCSTR ids[] = {nullptr,      IDC_ARROW,       IDC_CROSS,    IDC_IBEAM,
                                 IDC_ICON,     IDC_SIZEALL,     IDC_SIZENESW, IDC_SIZENS,
                                 IDC_SIZENWSE, IDC_SIZEWE,      IDC_UPARROW,  IDC_WAIT,
                                 IDC_NO,       IDC_APPSTARTING, IDC_HELP,     IDC_SIZEALL};
    if (pointer_ == kCustom) return cursor();
    if (pointer_ <= 0 || pointer_ >= static_cast<int16_t>(sizeof(ids) / sizeof(ids[0]))) return nullptr;
    return LoadCursorA(nullptr, ids[pointer_]);
}

}  // namespace rt
