// The glossy page button: settings and colour schemes, the pointer through the hook, mouse, keys
// and focus. Its painting is in candy_paint.cpp.
#include "controls/buttons/CandyButton.h"

#include "runtime/win.h"
#include "controls/buttons/candy_math.h"
#include "runtime/error.h"
#include "runtime/property_table.h"

namespace controls {

namespace {

constexpr int16_t kKeyEnter = 13;
constexpr uint32_t kDefaultUp = 0xE99950, kDefaultHover = 0xFFC090, kDefaultBright = 0xFFEDB0;

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
    Surface().ScaleMode(rt::vbPixels);
    Surface().BackColor(0xFFFFFF);
    Surface().AutoRedraw(true);
    GetFont() = rt::Font("Tahoma", 9);
    Create();
}

CandyButton::CandyButton(const CandyButton& templ, int index)
    : UserControl(templ, index),
      Status(templ.Status),
      HoverEnter(templ.HoverEnter),
      HoverLeave(templ.HoverLeave),
      hook_("CandyButton", this) {
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
    if (!Ambient().UserMode) {
        m_ColorButtonUp = m_ColorButtonDown = kDefaultUp;
        m_ColorButtonHover = kDefaultHover;
        m_ColorBright = kDefaultBright;
        enabled_ = true;
        caption_ = "CandyButton";
        Surface().SetPicture(rt::Picture());
    }
    caption_ = Ambient().DisplayName;
    m_Ready = true;
}

// The stored settings, in the order the bag keeps them; the last eight are always written.
const rt::PropertyTable<CandyButton>& CandyButton::Properties() {
    auto ambientFont = [](CandyButton& b) { return b.Ambient().Font; };
    static const rt::PropertyTable<CandyButton> table{
        {"Enabled", &CandyButton::enabled_, true},
        // A font of its own: the container's font is the default, not something to share.
        {"Font", [](CandyButton& b) -> rt::Font& { return b.GetFont(); },
         [](CandyButton& b, rt::Font f) { b.GetFont() = f.Clone(); }, ambientFont, ambientFont},
        {"Caption", &CandyButton::caption_, "CandyButton"},
        {"IconHighLite", &CandyButton::iconHighLite_, false},
        {"IconHighLiteColor", &CandyButton::iconHighLiteColor_, 0xFF00u},
        {"CaptionHighLite", &CandyButton::captionHighLite_, false},
        {"CaptionHighLiteColor", &CandyButton::captionHighLiteColor_, 0xFF00u},
        {"ForeColor", &CandyButton::foreColor_, 0u},
        {"Picture", &CandyButton::picture_, rt::Picture()},
        {"PictureAlignment", &CandyButton::pictureAlignment_, int32_t{0}},
        {"Style", &CandyButton::style_, int32_t{0}},
        {"Checked", &CandyButton::checked_, [](CandyButton& b) { return b.checked_; }, rt::kAlwaysWritten},
        {"ColorButtonHover", &CandyButton::m_ColorButtonHover, kDefaultHover, rt::kAlwaysWritten},
        {"ColorButtonUp", &CandyButton::m_ColorButtonUp, kDefaultUp, rt::kAlwaysWritten},
        {"ColorButtonDown", &CandyButton::m_ColorButtonDown, kDefaultUp, rt::kAlwaysWritten},
        {"BorderBrightness", &CandyButton::m_BorderBrightness, int32_t{0}, rt::kAlwaysWritten},
        {"ColorBright", &CandyButton::m_ColorBright, kDefaultBright, rt::kAlwaysWritten},
        {"DisplayHand", &CandyButton::displayHand_, false, rt::kAlwaysWritten},
        {"ColorScheme", &CandyButton::m_ColorScheme, int32_t{0}, rt::kAlwaysWritten},
    };
    return table;
}

void CandyButton::UserControl_ReadProperties(rt::PropertyBag& PropBag) {
    Properties().ReadAll(*this, PropBag);
    UserControl::MousePointer(displayHand_ ? int16_t{99} : int16_t{1});
    UserControl::ForeColor(foreColor_);
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
    return enabled_;
}

void CandyButton::Enabled(bool v) {
    rt::Try([&] { Set(enabled_, v, "Enabled"); });
}

void CandyButton::ColorScheme(int32_t v) {
    if (v >= 1 && v <= 6) {
        const Scheme& s = kSchemes[v - 1];
        ColorButtonUp(s.up);
        ColorButtonHover(s.hover);
        ColorButtonDown(s.down);
        ColorBright(s.bright);
    }
    Set(m_ColorScheme, v, "m_ColorScheme");
}

void CandyButton::BorderBrightness(int32_t v) {
    Set(m_BorderBrightness, v < -100 ? -100 : v > 100 ? 100 : v, "m_BorderBrightness");
}

void CandyButton::IconHighLite(bool v) {
    Store(iconHighLite_, v, "IconHighLite");
}
void CandyButton::IconHighLiteColor(uint32_t v) {
    Store(iconHighLiteColor_, v, "IconHighLiteColor");
}
void CandyButton::CaptionHighLite(bool v) {
    Store(captionHighLite_, v, "CaptionHighLite");
}
void CandyButton::CaptionHighLiteColor(uint32_t v) {
    Store(captionHighLiteColor_, v, "CaptionHighLiteColor");
}

void CandyButton::SetSchemeColor(uint32_t& field, uint32_t v, const char* name) {
    // A colour of its own ends the preset.
    if (m_ColorScheme != 0) Store(m_ColorScheme, 0, "m_ColorScheme");
    Set(field, v, name);
}

void CandyButton::ColorBright(uint32_t v) {
    SetSchemeColor(m_ColorBright, v, "m_ColorBright");
}
void CandyButton::ColorButtonDown(uint32_t v) {
    SetSchemeColor(m_ColorButtonDown, v, "m_ColorButtonDown");
}
void CandyButton::ColorButtonUp(uint32_t v) {
    SetSchemeColor(m_ColorButtonUp, v, "m_ColorButtonUp");
}
void CandyButton::ColorButtonHover(uint32_t v) {
    SetSchemeColor(m_ColorButtonHover, v, "m_ColorButtonHover");
}

void CandyButton::ForeColor(uint32_t v) {
    UserControl::ForeColor(v);
    Set(foreColor_, v, "ForeColor");
}

void CandyButton::Picture(rt::Picture p) {
    Set(picture_, std::move(p), "Picture");
}

void CandyButton::Checked(bool v) {
    checked_ = v;
    CandyRedraw(v ? CheckedLook : m_Hover ? Hover : Normal);
    PropertyChanged("Checked");
}

void CandyButton::Style(int32_t v) {
    if (v == style_) return;
    Store(style_, v, "Style");
    CandyApplyRegion();
    CandyRedraw(Normal);
}

void CandyButton::PictureAlignment(int32_t v) {
    if (v != pictureAlignment_) Set(pictureAlignment_, v, "PictureAlignment");
}

void CandyButton::Caption(std::string v) {
    Set(caption_, std::move(v), "Caption");
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
    if (!enabled_) return;
    m_HasFocus = true;
    CandyRedraw(Down);
    RaiseEvent(MouseDown, Button, Shift, X, Y);
}

void CandyButton::ReleaseStep(int16_t Button, int16_t Shift, float X, float Y) {
    if (!enabled_) return;
    if (!checked_) {
        if (m_Hover)
            CandyRedraw(Hover);
        else if (m_HasFocus)
            CandyRedraw(Focus);
    }
    RaiseEvent(MouseUp, Button, Shift, X, Y);
}

void CandyButton::UserControl_MouseDown(int16_t Button, int16_t Shift, float X, float Y) {
    if (!enabled_) return;
    // A press takes the focus, as it does on any button of the platform.
    rt::Try([&] { SetFocus(); });
    PressStep(Button, Shift, X, Y);
}

void CandyButton::UserControl_MouseMove(int16_t Button, int16_t Shift, float X, float Y) {
    if (!enabled_) return;
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
    if (enabled_) RaiseEvent(Click);
}

void CandyButton::UserControl_DblClick() {
    if (!enabled_) return;
    CandyRedraw(Down);
    RaiseEvent(DblClick);
}

void CandyButton::UserControl_KeyDown(int16_t& KeyCode, int16_t) {
    if (KeyCode == kKeyEnter) PressStep(rt::vbLeftButton, 0, 0, 0);
}

void CandyButton::UserControl_KeyUp(int16_t& KeyCode, int16_t) {
    if (KeyCode != kKeyEnter || !enabled_) return;
    ReleaseStep(rt::vbLeftButton, 0, 0, 0);
    RaiseEvent(Click);
}

void CandyButton::UserControl_GotFocus() {
    m_HasFocus = true;
    if (enabled_ && !checked_ && !m_Hover) CandyRedraw(Focus);
}

void CandyButton::UserControl_LostFocus() {
    m_HasFocus = false;
    if (enabled_ && !checked_) CandyRedraw(Normal);
}

void CandyButton::HookProc(bool, bool&, LRESULT&, HWND&, UINT& uMsg, WPARAM& wParam, LPARAM& lParam, int32_t&) {
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
        if (!checked_) CandyRedraw(m_HasFocus ? Focus : Normal);
    }
}

}  // namespace controls
