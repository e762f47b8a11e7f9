// The multi-style page button: settings, the pointer through the hook, mouse, keys and focus.
// Its drawing is in vxbutton_paint.cpp.
#include "controls/buttons/vxbutton.h"

#include "controls/buttons/vx_math.h"
#include "runtime/error.h"
#include "runtime/property_table.h"
#include "runtime/ui.h"

namespace controls {

namespace {

constexpr uint32_t kButtonFace = 0x8000000Fu;
constexpr uint32_t kButtonText = 0x80000012u;
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
    showFocusRect_ = true;
    enabled_ = true;
    buttonStyle_ = 0;
    caption_ = Ambient().DisplayName;
    GetFont().Name("Tahoma");
    pictureAlign_ = 1;
    captionAlign_ = 1;
    useMaskColor_ = true;
    maskColor_ = 0xE0E0E0;
    RefreshSize();
    ApplyLookColors();
}

// The stored settings, in the order the bag keeps them. The caption's default differs between
// reading ("vxbutton") and writing ("vxbutton1"); the key of UseMaskColor is "UseMaskCOlor".
const rt::PropertyTable<vxbutton>& vxbutton::Properties() {
    auto ambientFont = [](vxbutton& b) { return b.Ambient().Font; };
    auto buttonFace = [](vxbutton&) { return VxTranslateColor(kButtonFace); };
    auto buttonText = [](vxbutton&) { return VxTranslateColor(kButtonText); };
    static const rt::PropertyTable<vxbutton> table{
        {"ButtonStyle", &vxbutton::buttonStyle_, int32_t{1}},
        {"ShowFocusRect", &vxbutton::showFocusRect_, false},
        {"Enabled", &vxbutton::enabled_, true},
        // A font of its own: the container's font is the default, not something to share.
        {"Font", [](vxbutton& b) -> rt::Font& { return b.GetFont(); },
         [](vxbutton& b, rt::Font f) { b.GetFont() = f.Clone(); }, ambientFont, ambientFont},
        {"BackColor", &vxbutton::backColor_, buttonFace, buttonFace},
        {"Caption", &vxbutton::caption_, "vxbutton", "vxbutton1"},
        {"ForeColor", &vxbutton::foreColor_, buttonText, buttonText},
        {"CheckBoxMode", &vxbutton::checkBoxMode_, false},
        {"Value", &vxbutton::value_, false},
        {"MousePointer", [](vxbutton& b) { return b.UserControl::MousePointer(); },
         [](vxbutton& b, int16_t v) { b.UserControl::MousePointer(v); }, int16_t{0}, int16_t{0}},
        {"MouseIcon", [](vxbutton& b) { return b.UserControl::MouseIcon(); },
         [](vxbutton& b, rt::Picture p) { b.UserControl::MouseIcon(std::move(p)); }, rt::Picture(),
         rt::Picture()},
        {"Picture", &vxbutton::picture_, rt::Picture()},
        {"PictureAlign", &vxbutton::pictureAlign_, int32_t{1}},
        {"UseMaskCOlor", &vxbutton::useMaskColor_, false},
        {"MaskColor", &vxbutton::maskColor_, 0xE0E0E0u},
        {"CaptionAlign", &vxbutton::captionAlign_, int32_t{1}},
    };
    return table;
}

void vxbutton::UserControl_ReadProperties(rt::PropertyBag& PropBag) {
    Properties().ReadAll(*this, PropBag);
    UserControl::ForeColor(foreColor_);
    UserControl::Enabled(enabled_);
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

void vxbutton::BackColor(uint32_t v) {
    Set(backColor_, v, "BackColor");
}

void vxbutton::ButtonStyle(int32_t v) {
    buttonStyle_ = v;
    ApplyLookColors();
    VxMakeRegion();
    VxRedraw();
    PropertyChanged("ButtonStyle");
}

void vxbutton::ApplyLookColors() {
    uint32_t back = kButtonFace, fore = kButtonText;
    bool focusRect = false;
    switch (buttonStyle_) {
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
            focusRect = buttonStyle_ == 0 || buttonStyle_ == 1;
            break;
    }
    backColor_ = VxTranslateColor(back);
    foreColor_ = VxTranslateColor(fore);
    showFocusRect_ = focusRect;
}

void vxbutton::Caption(std::string v) {
    Store(caption_, std::move(v), "Caption");
    VxSetAccessKeys();
    VxRedraw();
}

void vxbutton::CaptionAlign(int32_t v) {
    Set(captionAlign_, v, "CaptionAlign");
}

void vxbutton::CheckBoxMode(bool v) {
    checkBoxMode_ = v;
    if (!v) m_State = 0;
    VxRedraw();
    PropertyChanged("Value");
    PropertyChanged("CheckBoxMode");
}

void vxbutton::Value(bool v) {
    if (!checkBoxMode_) {
        m_State = 0;
        VxRedraw();
        return;
    }
    value_ = v;
    if (!v) m_State = 0;
    VxRedraw();
    PropertyChanged("Value");
}

void vxbutton::Enabled(bool v) {
    Store(enabled_, v, "Enabled");
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
    foreColor_ = v;
    UserControl::ForeColor(v);
    ResizeStep();
    PropertyChanged("ForeColor");
}

void vxbutton::MaskColor(uint32_t v) {
    Set(maskColor_, v, "MaskColor");
}

void vxbutton::MouseIcon(rt::Picture p) {
    const bool none = p.Empty();
    UserControl::MouseIcon(std::move(p));
    UserControl::MousePointer(none ? int16_t{0} : int16_t{99});
    PropertyChanged("MouseIcon");
}

void vxbutton::MousePointer(int16_t v) {
    UserControl::MousePointer(v);
    PropertyChanged("MousePointer");
}

void vxbutton::Picture(rt::Picture p) {
    picture_ = std::move(p);
    if (picture_.Empty()) {
        ResizeStep();
        return;
    }
    VxPickMaskColor();
    VxRedraw();
    PropertyChanged("Picture");
    PropertyChanged("MaskColor");
}

void vxbutton::PictureAlign(int32_t v) {
    Store(pictureAlign_, v, "PictureAlign");
    if (!picture_.Empty()) VxRedraw();
}

void vxbutton::ShowFocusRect(bool v) {
    Store(showFocusRect_, v, "ShowFocusRect");
}

void vxbutton::UseMaskColor(bool v) {
    Store(useMaskColor_, v, "UseMaskColor");
    if (!picture_.Empty()) VxRedraw();
}

void vxbutton::VxSetAccessKeys() {
    const char key = VxAccessKey(caption_);
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
        if (enabled_) m_State = 0;
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
    if (!enabled_) return;
    // A press takes the focus, as it does on any button of the platform.
    if (Button == rt::vbLeftButton || Button == rt::vbRightButton) rt::Try([&] { SetFocus(); });
    MouseDownStep(Button, Shift, X, Y);
}

void vxbutton::MouseDownStep(int16_t Button, int16_t Shift, float X, float Y) {
    if (!enabled_) return;
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
            if (checkBoxMode_) ToggleValue();
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
            if (checkBoxMode_) {
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
    if (!enabled_) return;
    if (m_SpaceDown) {
        m_SpaceDown = false;
        m_MouseDown = false;
    }
    if (checkBoxMode_) {
        if (KeyAscii == kKeyEnter || KeyAscii == kKeyEscape) return;
        ToggleValue();
        if (!value_) m_State = 0;
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
    if (enabled_ && !m_MouseInside && (PropertyName == "DisplayAsDefault" || PropertyName == "BackColor"))
        VxRedraw();
}

}  // namespace controls
