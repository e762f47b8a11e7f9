// The multi-style page button: settings, the pointer through the hook, mouse, keys and focus.
// Its drawing is in vxbutton_paint.cpp.
#include "controls/buttons/vxbutton.h"

#include "controls/buttons/vx_math.h"
#include "runtime/error.h"
#include "runtime/property_table.h"
#include "runtime/ui.h"

namespace controls {

namespace {

constexpr int16_t kKeyEnter = 13, kKeyEscape = 27, kKeySpace = 32;
constexpr double kMinimumTwips = 220;

}  // namespace

vxbutton::vxbutton(rt::Container& parent, std::string name, int index,
                   std::shared_ptr<const rt::PropertyBag> stored)
    : UserControl(parent, std::move(name), index, Windowing::Windowed, std::move(stored)),
      hook_("vxbutton", this, HookReporting::Silent, HookArgs::ByReference) {
    Surface().ScaleMode(rt::vbPixels);
    GetFont() = rt::Font("Tahoma", 8.25f);
    Create();
}

vxbutton::vxbutton(const vxbutton& templ, int index)
    : UserControl(templ, index),
      HoverEnter(templ.HoverEnter),
      HoverLeave(templ.HoverLeave),
      MouseMove(templ.MouseMove),
      MouseUp(templ.MouseUp),
      MouseDown(templ.MouseDown),
      KeyDown(templ.KeyDown),
      KeyUp(templ.KeyUp),
      KeyPress(templ.KeyPress),
      hook_("vxbutton", this, HookReporting::Silent, HookArgs::ByReference) {
    Surface().ScaleMode(rt::vbPixels);
    Create();
}

vxbutton::~vxbutton() {
    rt::Try([&] { hook_.HookTerminate(); });
}

void vxbutton::About() {
    rt::MsgBox("VXButton\r\nA Multistyle Button Control\r\n\r\nPart of the menu player's page controls.",
               rt::vbInformation, "About");
}

// ---- Property bag

void vxbutton::UserControl_InitProperties() {
    Properties().InitAll(*this);
    GetFont().Name("Tahoma");
    RefreshSize();
    ApplyLookColors();
}

VANTREL_PROPERTY_TABLE(vxbutton, VANTREL_VXBUTTON_PROPERTIES)

void vxbutton::UserControl_ReadProperties(rt::PropertyBag& PropBag) {
    Properties().ReadAll(*this, PropBag);
    UserControl::ForeColor(settings_.ForeColor);
    UserControl::Enabled(settings_.Enabled);
    VxSetAccessKeys();
    RefreshSize();
    ResizeStep();

    if (Ambient().UserMode) {
        // The mouse-leave probe: without either export there is no hover tracking at all.
        m_TrackLeave = true;
        m_UserTrack = ExportExists("TrackMouseEvent", "User32");
        if (!m_UserTrack && !ExportExists("_TrackMouseEvent", "Comctl32")) m_TrackLeave = false;
        if (m_TrackLeave && hook_.sc_Subclass(hWnd())) {
            hook_.HookAddMessage(hWnd(), WM_MOUSEMOVE, WindowHook::MSG_AFTER);
            hook_.HookAddMessage(hWnd(), WM_MOUSELEAVE, WindowHook::MSG_AFTER);
        }
    }
}

void vxbutton::UserControl_WriteProperties(rt::PropertyBag& PropBag) {
    Properties().WriteAll(*this, PropBag);
}

// ---- Properties

void vxbutton::ButtonStyle(int32_t v) {
    settings_.ButtonStyle = v;
    ApplyLookColors();
    VxMakeRegion();
    VxRedraw();
    PropertyChanged("ButtonStyle");
}

void vxbutton::ApplyLookColors() {
    uint32_t back = kButtonFace, fore = kButtonText;
    bool focusRect = false;
    switch (settings_.ButtonStyle) {
        case 2:
            back = 0xE7EBEC;
            break;
        case 3:
            back = VxShiftColor(0xD4D4D4, 0.06f);
            break;
        case 5:
            back = 0xAA6D00, fore = 0xFFFFFF;
            break;
        case 6:
            back = 0xECF1F1;
            break;
        case 8:
        case 10:
            back = 0xFFD1AD;
            break;
        case 9:
            back = 0xE1D6D5, focusRect = true;
            break;
        default:
            focusRect = settings_.ButtonStyle == 0 || settings_.ButtonStyle == 1;
            break;
    }
    settings_.BackColor = VxTranslateColor(back);
    settings_.ForeColor = VxTranslateColor(fore);
    settings_.ShowFocusRect = focusRect;
}

void vxbutton::Caption(std::string v) {
    Store(settings_.Caption, std::move(v), "Caption");
    VxSetAccessKeys();
    VxRedraw();
}

void vxbutton::CheckBoxMode(bool v) {
    settings_.CheckBoxMode = v;
    if (!v) m_State = 0;
    VxRedraw();
    PropertyChanged("Value");
    PropertyChanged("CheckBoxMode");
}

void vxbutton::Value(bool v) {
    if (!settings_.CheckBoxMode) {
        m_State = 0;
        VxRedraw();
        return;
    }
    settings_.Value = v;
    if (!v) m_State = 0;
    VxRedraw();
    PropertyChanged("Value");
}

void vxbutton::Enabled(bool v) {
    Store(settings_.Enabled, v, "Enabled");
    UserControl::Enabled(v);
    VxRedraw();
}

void vxbutton::Font(rt::Font f) {
    GetFont() = std::move(f);
    Refresh();
    VxRedraw();
    PropertyChanged("Font");
}

void vxbutton::ForeColor(uint32_t v) {
    settings_.ForeColor = v;
    UserControl::ForeColor(v);
    ResizeStep();
    PropertyChanged("ForeColor");
}

void vxbutton::MouseIcon(rt::Picture p) {
    const bool none = p.Empty();
    UserControl::MouseIcon(std::move(p));
    UserControl::MousePointer(none ? int16_t{0} : int16_t{99});
    PropertyChanged("MouseIcon");
}

void vxbutton::Picture(rt::Picture p) {
    settings_.Picture = std::move(p);
    if (settings_.Picture.Empty()) {
        ResizeStep();
        return;
    }
    VxPickMaskColor();
    VxRedraw();
    PropertyChanged("Picture");
    PropertyChanged("MaskColor");
}

void vxbutton::PictureAlign(int32_t v) {
    Store(settings_.PictureAlign, v, "PictureAlign");
    if (!settings_.Picture.Empty()) VxRedraw();
}

void vxbutton::UseMaskColor(bool v) {
    Store(settings_.UseMaskColor, v, "UseMaskColor");
    if (!settings_.Picture.Empty()) VxRedraw();
}

void vxbutton::VxSetAccessKeys() {
    const char key = VxAccessKey(settings_.Caption);
    AccessKeys(key ? std::string(1, key) : std::string());
}

// ---- Size

void vxbutton::UserControl_Resize() {
    ResizeStep();
}

void vxbutton::ResizeStep() {
    // Smaller than 220 twips either way grows back to 220.
    if (Height() < kMinimumTwips) Height(kMinimumTwips);
    if (Width() < kMinimumTwips) Width(kMinimumTwips);
    VxMakeRegion();
    VxRedraw();
}

// ---- Pointer

void vxbutton::StartLeaveTracking() {
    if (m_TrackLeave) controls::StartLeaveTracking(hWnd());
}

void vxbutton::HookProc(bool bBefore, bool& bHandled, LRESULT& lReturn, HWND& hWnd, UINT& uMsg,
                        WPARAM& wParam, LPARAM& lParam, int32_t&) {
    zSubclass_Proc(bBefore, bHandled, lReturn, hWnd, uMsg, wParam, lParam);
}

void vxbutton::zSubclass_Proc(bool, bool&, LRESULT&, HWND&, UINT& uMsg, WPARAM&, LPARAM&) {
    rt::HandlerScope scope;
    if (uMsg == WM_MOUSEMOVE) {
        if (m_MouseInside) return;
        m_MouseInside = true;
        StartLeaveTracking();
        if (!m_SpaceDown) m_State = 1;
        VxRedraw();
        RaiseEvent(HoverEnter);
    } else if (uMsg == WM_MOUSELEAVE) {
        m_MouseInside = false;
        if (m_SpaceDown) return;
        if (settings_.Enabled) m_State = 0;
        VxRedraw();
        RaiseEvent(HoverLeave);
    }
}

void vxbutton::UserControl_MouseMove(int16_t Button, int16_t Shift, float X, float Y) {
    POINT cursor{};
    GetCursorPos(&cursor);
    if (WindowFromPoint(cursor) != hWnd()) {
        m_MouseInside = false;
        RaiseEvent(HoverLeave);
    }
    StartLeaveTracking();
    if (m_MouseInside) {
        if (m_MouseDown)
            m_State = 2;
        else if (!m_SpaceDown)
            m_State = 1;
        VxRedraw();
    }
    RaiseEvent(MouseMove, Button, Shift, X, Y);
}

void vxbutton::UserControl_MouseDown(int16_t Button, int16_t Shift, float X, float Y) {
    if (!settings_.Enabled) return;
    // A press takes the focus, as it does on any button of the platform.
    if (Button == rt::vbLeftButton || Button == rt::vbRightButton) rt::Try([&] { SetFocus(); });
    MouseDownStep(Button, Shift, X, Y);
}

void vxbutton::MouseDownStep(int16_t Button, int16_t Shift, float X, float Y) {
    if (!settings_.Enabled) return;
    m_LastButton = Button, m_LastShift = Shift, m_LastX = X, m_LastY = Y;
    if (Button == rt::vbLeftButton) {
        m_HasFocus = true;
        m_MouseDown = true;
        if (m_MouseInside && m_State != 2) {
            m_State = 2;
            VxRedraw();
        }
        RaiseEvent(MouseDown, Button, Shift, X, Y);
    } else if (Button == rt::vbRightButton) {
        RaiseEvent(MouseDown, Button, Shift, X, Y);
    }
}

void vxbutton::UserControl_MouseUp(int16_t Button, int16_t Shift, float X, float Y) {
    if (Button == rt::vbLeftButton) {
        m_MouseDown = false;
        if (X > 0 && X < ScaleWidth() && Y > 0 && Y < ScaleHeight()) {
            if (settings_.CheckBoxMode) ToggleValue();
            VxRedraw();
            RaiseEvent(Click);
        }
    }
    RaiseEvent(MouseUp, Button, Shift, X, Y);
}

void vxbutton::UserControl_DblClick() {
    if (m_LastButton != rt::vbLeftButton) return;
    SetCapture(hWnd());
    m_State = 2;
    VxRedraw();
    MouseDownStep(m_LastButton, m_LastShift, m_LastX, m_LastY);
    RaiseEvent(DblClick);
}

// ---- Keys

bool vxbutton::LeftButtonHeld() const {
    return (GetKeyState(VK_LBUTTON) & 0x8000) != 0;
}

void vxbutton::UserControl_KeyDown(int16_t& KeyCode, int16_t Shift) {
    switch (KeyCode) {
        case kKeyEnter:
            RaiseEvent(Click);
            break;
        case kKeySpace:
            if (LeftButtonHeld()) break;
            if (Shift == rt::vbAltMask) return;  // Alt+Space belongs to the window menu
            m_SpaceDown = true;
            if (settings_.CheckBoxMode) {
                ToggleValue();
                VxRedraw();
            } else if (m_State != 2) {
                m_State = 2;
                VxRedraw();
            }
            if (GetCapture() != hWnd()) {
                ReleaseCapture();
                SetCapture(hWnd());
            }
            break;
        default:
            rt::MoveFocusByArrow(*this, KeyCode);
            break;
    }
    RaiseEvent(KeyDown, KeyCode, Shift);
}

void vxbutton::UserControl_KeyUp(int16_t& KeyCode, int16_t Shift) {
    if (KeyCode != kKeySpace) return;
    // Like its key-down, Space with Alt alone held does nothing: no click, no capture.
    if (Shift == rt::vbAltMask) return;
    const bool held = LeftButtonHeld();
    bool click = false;
    if (m_MouseInside && held) {
        m_State = 2;
    } else if (m_MouseInside) {
        m_State = 1;
        click = true;
    } else {
        m_State = 0;
        click = true;
    }
    VxRedraw();
    if (click) RaiseEvent(Click);
    if (GetCapture() == hWnd())
        ReleaseCapture();
    else
        SetCapture(hWnd());
    int16_t shift = Shift;
    RaiseEvent(KeyUp, KeyCode, shift);
    m_SpaceDown = false;
    m_MouseDown = false;
}

void vxbutton::UserControl_AccessKeyPress(int16_t KeyAscii) {
    if (!settings_.Enabled) return;
    if (m_SpaceDown) {
        m_SpaceDown = false;
        m_MouseDown = false;
    }
    if (settings_.CheckBoxMode) {
        if (KeyAscii == kKeyEnter || KeyAscii == kKeyEscape) return;
        ToggleValue();
        if (!settings_.Value) m_State = 0;
        VxRedraw();
    }
    rt::DoEvents();
    RaiseEvent(Click);
}

// ---- Focus and ambient

void vxbutton::UserControl_GotFocus() {
    m_HasFocus = true;
    VxRedraw();
}

void vxbutton::UserControl_LostFocus() {
    m_HasFocus = false;
    m_MouseDown = false;
    m_SpaceDown = false;
    m_State = m_MouseInside ? 1 : 0;
    VxRedraw();
    if (m_IsDefault) VxRedraw();
}

void vxbutton::UserControl_AmbientChanged(const std::string& PropertyName) {
    m_IsDefault = Ambient().DisplayAsDefault;
    if (settings_.Enabled && !m_MouseInside &&
        (PropertyName == "DisplayAsDefault" || PropertyName == "BackColor"))
        VxRedraw();
}

}  // namespace controls
