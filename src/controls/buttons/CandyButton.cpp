// The glossy page button: settings and colour schemes, the pointer through the hook, mouse, keys
// and focus. Its painting is in candy_paint.cpp.
#include "controls/buttons/CandyButton.h"

#include "controls/buttons/candy_math.h"
#include "runtime/error.h"
#include "runtime/property_table.h"
#include "runtime/win.h"

namespace controls {

namespace {

constexpr int16_t kKeyEnter = 13;

struct Scheme {
    uint32_t up, hover, down, bright;
};
constexpr Scheme kSchemes[] = {
    {0xD06720, 0xE99950, 0xA06710, 0xFFEDB0}, {0xD09060, 0xE06000, 0xA98050, 0xFFFAFA},
    {0x800000, 0xA00000, 0xF00000, 0xFF0000}, {0x80, 0xA0, 0xF0, 0xFF},
    {0x8000, 0xA000, 0xC000, 0xFF00},         {0x8080, 0xA0A0, 0xC0C0, 0xFFFF},
};

}  // namespace

CandyButton::CandyButton(rt::Container& parent, std::string name, int index,
                         std::shared_ptr<const rt::PropertyBag> stored)
    : UserControl(parent, std::move(name), index, Windowing::Windowed, std::move(stored)),
      hook_("CandyButton", this) {
    Start();
}

CandyButton::CandyButton(const CandyButton& templ, int index)
    : UserControl(templ, index),
      Status(templ.Status),
      HoverEnter(templ.HoverEnter),
      HoverLeave(templ.HoverLeave),
      hook_("CandyButton", this) {
    Start();
}

void CandyButton::Start() {
    Surface().ScaleMode(rt::vbPixels);
    Surface().BackColor(0xFFFFFF);
    Surface().AutoRedraw(true);
    GetFont() = rt::Font("Tahoma", 9);
    Create();
}

CandyButton::~CandyButton() {
    hook_.HookTerminate();
    m_InnerRegion.reset();
}

// ---- Property bag

void CandyButton::UserControl_InitProperties() {
    Properties().InitAll(*this);
    if (!Ambient().UserMode) Surface().SetPicture(rt::Picture());
    m_Ready = true;
}

VANTREL_PROPERTY_TABLE(CandyButton, VANTREL_CANDY_PROPERTIES)

void CandyButton::UserControl_ReadProperties(rt::PropertyBag& PropBag) {
    Properties().ReadAll(*this, PropBag);
    UserControl::MousePointer(settings_.DisplayHand ? int16_t{99} : int16_t{1});
    UserControl::ForeColor(settings_.ForeColor);
    if (Ambient().UserMode) {
        m_TrackLeave = true;
        m_UserTrack = ExportExists("TrackMouseEvent", "User32");
        if (!m_UserTrack) m_TrackLeave = ExportExists("_TrackMouseEvent", "Comctl32");
        if (m_TrackLeave && hook_.sc_Subclass(hWnd())) {
            hook_.HookAddMessage(hWnd(), WM_PAINT, WindowHook::MSG_BEFORE);
            hook_.HookAddMessage(hWnd(), WM_MOUSEMOVE, WindowHook::MSG_AFTER);
            hook_.HookAddMessage(hWnd(), WM_MOUSELEAVE, WindowHook::MSG_AFTER);
        }
    }
    m_Ready = true;
}

void CandyButton::UserControl_WriteProperties(rt::PropertyBag& PropBag) {
    Properties().WriteAll(*this, PropBag);
}

// ---- Properties

bool CandyButton::Enabled() {
    Refresh();
    return settings_.Enabled;
}

void CandyButton::Enabled(bool v) {
    rt::Try([&] { Set(settings_.Enabled, v, "Enabled"); });
}

void CandyButton::ColorScheme(int32_t v) {
    if (v >= 1 && v <= 6) {
        const Scheme& s = kSchemes[v - 1];
        ColorButtonUp(s.up);
        ColorButtonHover(s.hover);
        ColorButtonDown(s.down);
        ColorBright(s.bright);
    }
    Set(settings_.ColorScheme, v, "m_ColorScheme");
}

void CandyButton::BorderBrightness(int32_t v) {
    Set(settings_.BorderBrightness, v < -100 ? -100 : v > 100 ? 100 : v, "m_BorderBrightness");
}

void CandyButton::SetSchemeColor(uint32_t& field, uint32_t v, const char* name) {
    // A colour of its own ends the preset.
    if (settings_.ColorScheme != 0) Store(settings_.ColorScheme, 0, "m_ColorScheme");
    Set(field, v, name);
}

void CandyButton::ColorBright(uint32_t v) {
    SetSchemeColor(settings_.ColorBright, v, "m_ColorBright");
}
void CandyButton::ColorButtonDown(uint32_t v) {
    SetSchemeColor(settings_.ColorButtonDown, v, "m_ColorButtonDown");
}
void CandyButton::ColorButtonUp(uint32_t v) {
    SetSchemeColor(settings_.ColorButtonUp, v, "m_ColorButtonUp");
}
void CandyButton::ColorButtonHover(uint32_t v) {
    SetSchemeColor(settings_.ColorButtonHover, v, "m_ColorButtonHover");
}

void CandyButton::ForeColor(uint32_t v) {
    UserControl::ForeColor(v);
    Set(settings_.ForeColor, v, "ForeColor");
}

void CandyButton::Checked(bool v) {
    settings_.Checked = v;
    CandyRedraw(v ? CheckedLook : m_Hover ? Hover : Normal);
    PropertyChanged("Checked");
}

void CandyButton::Style(int32_t v) {
    if (v == settings_.Style) return;
    Store(settings_.Style, v, "Style");
    CandyApplyRegion();
    CandyRedraw(Normal);
}

void CandyButton::PictureAlignment(int32_t v) {
    if (v != settings_.PictureAlignment) Set(settings_.PictureAlignment, v, "PictureAlignment");
}

void CandyButton::Font(rt::Font f) {
    GetFont() = std::move(f);
    PropertyChanged("Font");
    CandyRedraw(Normal);
}

uint32_t CandyButton::BlendColors(uint32_t Color1, uint32_t Color2, int32_t& Percentage) const {
    return CandyBlend(rt::ToColorRef(Color1), rt::ToColorRef(Color2), Percentage);
}

void CandyButton::GetRGB(int32_t& red, int32_t& green, int32_t& blue, uint32_t color) const {
    const uint32_t rgb = rt::ToColorRef(color);
    red = static_cast<int32_t>(rgb & 0xFF);
    green = static_cast<int32_t>((rgb >> 8) & 0xFF);
    blue = static_cast<int32_t>((rgb >> 16) & 0xFF);
}

// ---- Size and showing

void CandyButton::UserControl_Show() {
    CandyApplyRegion();
    CandyRedraw(Normal);
}

void CandyButton::UserControl_Resize() {
    CandyApplyRegion();
    CandyRedraw(Normal);
}

// ---- Mouse, keys, focus

void CandyButton::PressStep(int16_t Button, int16_t Shift, float X, float Y) {
    if (!settings_.Enabled) return;
    m_HasFocus = true;
    CandyRedraw(Down);
    RaiseEvent(MouseDown, Button, Shift, X, Y);
}

void CandyButton::ReleaseStep(int16_t Button, int16_t Shift, float X, float Y) {
    if (!settings_.Enabled) return;
    if (!settings_.Checked) {
        if (m_Hover)
            CandyRedraw(Hover);
        else if (m_HasFocus)
            CandyRedraw(Focus);
    }
    RaiseEvent(MouseUp, Button, Shift, X, Y);
}

void CandyButton::UserControl_MouseDown(int16_t Button, int16_t Shift, float X, float Y) {
    if (!settings_.Enabled) return;
    // A press takes the focus, as it does on any button of the platform.
    rt::Try([&] { SetFocus(); });
    PressStep(Button, Shift, X, Y);
}

void CandyButton::UserControl_MouseMove(int16_t Button, int16_t Shift, float X, float Y) {
    if (!settings_.Enabled) return;
    RaiseEvent(MouseMove, Button, Shift, X, Y);
    if (Button == rt::vbLeftButton && (X < 0 || X > ScaleWidth() || Y < 0 || Y > ScaleHeight())) {
        m_Hover = false;
        CandyRedraw(Normal);
    }
}

void CandyButton::UserControl_MouseUp(int16_t Button, int16_t Shift, float X, float Y) {
    ReleaseStep(Button, Shift, X, Y);
}

void CandyButton::UserControl_Click() {
    if (settings_.Enabled) RaiseEvent(Click);
}

void CandyButton::UserControl_DblClick() {
    if (!settings_.Enabled) return;
    CandyRedraw(Down);
    RaiseEvent(DblClick);
}

void CandyButton::UserControl_KeyDown(int16_t& KeyCode, int16_t) {
    if (KeyCode == kKeyEnter) PressStep(rt::vbLeftButton, 0, 0, 0);
}

void CandyButton::UserControl_KeyUp(int16_t& KeyCode, int16_t) {
    if (KeyCode != kKeyEnter || !settings_.Enabled) return;
    ReleaseStep(rt::vbLeftButton, 0, 0, 0);
    RaiseEvent(Click);
}

void CandyButton::UserControl_GotFocus() {
    m_HasFocus = true;
    if (settings_.Enabled && !settings_.Checked && !m_Hover) CandyRedraw(Focus);
}

void CandyButton::UserControl_LostFocus() {
    m_HasFocus = false;
    if (settings_.Enabled && !settings_.Checked) CandyRedraw(Normal);
}

void CandyButton::HookProc(bool, bool&, LRESULT&, HWND&, UINT& uMsg, WPARAM& wParam, LPARAM& lParam,
                           int32_t&) {
    rt::HandlerScope scope;
    if (uMsg == WM_PAINT) {
        CandyApplyRegion();
    } else if (uMsg == WM_MOUSEMOVE) {
        if (wParam == MK_LBUTTON || m_Hover) return;
        const int x = static_cast<short>(LOWORD(lParam)), y = static_cast<short>(HIWORD(lParam));
        if (x > 0 && x < ScaleWidth() && y > 0 && y < ScaleHeight()) {
            m_Hover = true;
            StartLeaveTracking(hWnd());
            RaiseEvent(HoverEnter);
            CandyRedraw(Hover);
        }
    } else if (uMsg == WM_MOUSELEAVE) {
        m_Hover = false;
        RaiseEvent(HoverLeave);
        if (!settings_.Checked) CandyRedraw(m_HasFocus ? Focus : Normal);
    }
}

}  // namespace controls
