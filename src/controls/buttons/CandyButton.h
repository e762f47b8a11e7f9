// The glossy page button: a body in one of eight looks (Style 0 to 7) in free colours or one of
// six colour presets, a caption, an optional picture, a checked look, a hover look and optional
// highlight colours for caption and picture under the pointer.
//
// A windowed user control with a persistent surface: every redraw draws into the surface's image
// and refreshes the window from it. Styles 2 to 7 shape the window with a rounded region. The
// pointer's entry and exit come through the window message hook (run mode, when the platform
// offers the mouse-leave request); a button made at run time without stored settings stays
// disabled and unhooked until its properties are set.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "controls/hook/window_hook.h"
#include "runtime/font.h"
#include "runtime/picture.h"
#include "runtime/property_list.h"
#include "runtime/propertybag.h"
#include "runtime/usercontrol.h"
#include "runtime/win.h"

namespace controls {

// What a new button starts with: the value given in design mode; at run time the empty value, so
// that a button made at run time stays disabled and without colours until its properties are set.
template <class T>
struct CandyNew {
    explicit CandyNew(T v) : designed(v) {}
    T operator()(const rt::UserControl& b) const { return b.Ambient().UserMode ? T{} : designed; }
    T designed;
};

// The stored properties (see runtime/property_list.h), in the order the bag keeps them; the last
// eight are always written, and a Checked that is not stored stays as it is. The font read is a
// copy: the container's font is the default, not something to share. A new button keeps its font
// and takes its name as caption.
// clang-format off
#define VANTREL_CANDY_PROPERTIES(X)                                                                       \
    X(Field, bool, Enabled, true, rt::ForNew(CandyNew(true)))                                             \
    X(Via, rt::Font, Font, [](auto& b) -> rt::Font& { return b.GetFont(); },                              \
      [](auto& b, rt::Font f) { b.GetFont() = f.Clone(); }, [](auto& b) { return b.Ambient().Font; },     \
      [](auto& b) { return b.Ambient().Font; }, rt::ForNew(rt::kKept))                                    \
    X(Set, std::string, Caption, "CandyButton",                                                           \
      rt::ForNew([](auto& b) { return b.Ambient().DisplayName; }))                                        \
    X(Store, bool, IconHighLite, false)                                                                   \
    X(Store, uint32_t, IconHighLiteColor, 0xFF00u, rt::ForNew(0u))                                        \
    X(Store, bool, CaptionHighLite, false)                                                                \
    X(Store, uint32_t, CaptionHighLiteColor, 0xFF00u, rt::ForNew(0u))                                     \
    X(Custom, uint32_t, ForeColor, 0u)                                                                    \
    X(Set, rt::Picture, Picture, rt::Picture())                                                           \
    X(Custom, int32_t, PictureAlignment, int32_t{0})                                                      \
    X(Custom, int32_t, Style, int32_t{0})                                                                 \
    X(Custom, bool, Checked, [](auto& b) { return b.Checked(); }, rt::kAlwaysWritten)                     \
    X(Custom, uint32_t, ColorButtonHover, 0xFFC090u, rt::kAlwaysWritten, rt::ForNew(CandyNew(0xFFC090u))) \
    X(Custom, uint32_t, ColorButtonUp, 0xE99950u, rt::kAlwaysWritten, rt::ForNew(CandyNew(0xE99950u)))    \
    X(Custom, uint32_t, ColorButtonDown, 0xE99950u, rt::kAlwaysWritten, rt::ForNew(CandyNew(0xE99950u)))  \
    X(Custom, int32_t, BorderBrightness, int32_t{0}, rt::kAlwaysWritten)                                  \
    X(Custom, uint32_t, ColorBright, 0xFFEDB0u, rt::kAlwaysWritten, rt::ForNew(CandyNew(0xFFEDB0u)))      \
    X(Custom, bool, DisplayHand, false, rt::kAlwaysWritten)                                               \
    X(Custom, int32_t, ColorScheme, int32_t{0}, rt::kAlwaysWritten)
// clang-format on

class CandyButton : public rt::UserControl, private HookClient {
public:
    // What one redraw draws.
    enum CandyState : int32_t { Normal = 0, Down = 1, Focus = 2, Hover = 3, CheckedLook = 4 };

    CandyButton(rt::Container& parent, std::string name, int index = -1,
                std::shared_ptr<const rt::PropertyBag> stored = nullptr);
    CandyButton(const CandyButton& templ, int index);
    ~CandyButton() override;

    // The stored properties; the setters written below do more than store, mark and redraw.
    VANTREL_PROPERTY_ACCESSORS(VANTREL_CANDY_PROPERTIES)
    void DisplayHand(bool v) { settings_.DisplayHand = v; }
    // Reading it also refreshes the surface on screen.
    bool Enabled();
    void Enabled(bool v) override;
    void ColorScheme(int32_t v);
    void BorderBrightness(int32_t v);
    void ColorBright(uint32_t v);
    void ColorButtonDown(uint32_t v);
    void ColorButtonUp(uint32_t v);
    void ColorButtonHover(uint32_t v);
    void ForeColor(uint32_t v);
    void Checked(bool v);
    void Style(int32_t v);
    void PictureAlignment(int32_t v);
    rt::Font& Font() { return GetFont(); }
    void Font(rt::Font f);

    void DrawIconWCaption(int32_t vState);
    uint32_t BlendColors(uint32_t Color1, uint32_t Color2, int32_t& Percentage) const;
    void GetRGB(int32_t& red, int32_t& green, int32_t& blue, uint32_t color) const;

    // Events besides the container's Click, DblClick, MouseMove, MouseUp and MouseDown.
    rt::Event<std::string> Status;  // never raised
    rt::Event<> HoverEnter;
    rt::Event<> HoverLeave;

    bool Hovering() const noexcept { return m_Hover; }
    bool TracksLeave() const noexcept { return m_TrackLeave; }
    int32_t CornerRadius() const noexcept { return m_CornerRadius; }

    void CandyRedraw(int32_t state);
    void CandyApplyRegion();

protected:
    void UserControl_InitProperties() override;
    void UserControl_ReadProperties(rt::PropertyBag& PropBag) override;
    void UserControl_WriteProperties(rt::PropertyBag& PropBag) override;
    void UserControl_Resize() override;
    void UserControl_Show() override;
    void UserControl_MouseDown(int16_t Button, int16_t Shift, float X, float Y) override;
    void UserControl_MouseUp(int16_t Button, int16_t Shift, float X, float Y) override;
    void UserControl_MouseMove(int16_t Button, int16_t Shift, float X, float Y) override;
    void UserControl_Click() override;
    void UserControl_DblClick() override;
    void UserControl_KeyDown(int16_t& KeyCode, int16_t Shift) override;
    void UserControl_KeyUp(int16_t& KeyCode, int16_t Shift) override;
    void UserControl_GotFocus() override;
    void UserControl_LostFocus() override;
    // A stored property's change shows in a redraw of the normal look.
    void PropertyRefresh() override { CandyRedraw(Normal); }

private:
    static const rt::PropertyTable<CandyButton>& Properties();
    // The last step of both constructors: the surface and font a button starts with, then Create.
    void Start();
    // CandyWindowProc: WM_PAINT before the window's procedure, WM_MOUSEMOVE and WM_MOUSELEAVE after.
    void HookProc(bool bBefore, bool& bHandled, LRESULT& lReturn, HWND& hWnd, UINT& uMsg, WPARAM& wParam,
                  LPARAM& lParam, int32_t& userValue) override;

    void SetSchemeColor(uint32_t& field, uint32_t v, const char* name);
    void PressStep(int16_t Button, int16_t Shift, float X, float Y);
    void ReleaseStep(int16_t Button, int16_t Shift, float X, float Y);

    // Painting (candy_paint.cpp).
    rt::Region CandyBuildRegion(int X, int Y, int W, int H, int R);
    void CandyPaintStyle0(int32_t state);
    void CandyPaintStyle1(int32_t state);
    void CandyGlossShape(int32_t state);
    void CandyPaintStyle6(int32_t state);
    uint32_t BodyColor(int32_t state, bool& paints) const;
    bool InInnerRegion(int x, int y) const;

    struct Settings {
        VANTREL_PROPERTY_FIELDS(VANTREL_CANDY_PROPERTIES)
    } settings_;
    bool m_Hover = false, m_HasFocus = false, m_Ready = false, m_TrackLeave = false, m_UserTrack = false;
    int32_t m_CornerRadius = 0;
    rt::Region m_InnerRegion;
    std::vector<uint8_t> innerMask_;  // m_InnerRegion's pixels, maskW_ x maskH_
    int maskW_ = 0, maskH_ = 0;
    // The look and size the regions were last built for: a paint rebuilds them only after a change.
    int32_t regionStyle_ = -1;
    int regionW_ = -1, regionH_ = -1;
    WindowHook hook_;
};

}  // namespace controls
