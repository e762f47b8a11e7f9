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
#include "runtime/property_table.h"
#include "runtime/propertybag.h"
#include "runtime/usercontrol.h"
#include "runtime/win.h"

namespace controls {

class CandyButton : public rt::UserControl, private HookClient {
public:
    // What one redraw draws.
    enum CandyState : int32_t { Normal = 0, Down = 1, Focus = 2, Hover = 3, CheckedLook = 4 };

    CandyButton(rt::Container& parent, std::string name, int index = -1,
                std::shared_ptr<const rt::PropertyBag> stored = nullptr);
    CandyButton(const CandyButton& templ, int index);
    ~CandyButton() override;

    bool DisplayHand() const noexcept { return displayHand_; }
    void DisplayHand(bool v) { displayHand_ = v; }
    // Reading it also refreshes the surface on screen.
    bool Enabled();
    void Enabled(bool v) override;
    int32_t ColorScheme() const noexcept { return m_ColorScheme; }
    void ColorScheme(int32_t v);
    int32_t BorderBrightness() const noexcept { return m_BorderBrightness; }
    void BorderBrightness(int32_t v);
    bool IconHighLite() const noexcept { return iconHighLite_; }
    void IconHighLite(bool v);
    uint32_t IconHighLiteColor() const noexcept { return iconHighLiteColor_; }
    void IconHighLiteColor(uint32_t v);
    bool CaptionHighLite() const noexcept { return captionHighLite_; }
    void CaptionHighLite(bool v);
    uint32_t CaptionHighLiteColor() const noexcept { return captionHighLiteColor_; }
    void CaptionHighLiteColor(uint32_t v);
    uint32_t ColorBright() const noexcept { return m_ColorBright; }
    void ColorBright(uint32_t v);
    uint32_t ColorButtonDown() const noexcept { return m_ColorButtonDown; }
    void ColorButtonDown(uint32_t v);
    uint32_t ColorButtonUp() const noexcept { return m_ColorButtonUp; }
    void ColorButtonUp(uint32_t v);
    uint32_t ColorButtonHover() const noexcept { return m_ColorButtonHover; }
    void ColorButtonHover(uint32_t v);
    uint32_t ForeColor() const noexcept { return foreColor_; }
    void ForeColor(uint32_t v);
    const rt::Picture& Picture() const noexcept { return picture_; }
    void Picture(rt::Picture p);
    bool Checked() const noexcept { return checked_; }
    void Checked(bool v);
    int32_t Style() const noexcept { return style_; }
    void Style(int32_t v);
    int32_t PictureAlignment() const noexcept { return pictureAlignment_; }
    void PictureAlignment(int32_t v);
    const std::string& Caption() const noexcept { return caption_; }
    void Caption(std::string v);
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

    uint32_t m_ColorButtonUp = 0, m_ColorButtonHover = 0, m_ColorButtonDown = 0, m_ColorBright = 0;
    int32_t m_ColorScheme = 0, m_BorderBrightness = 0;
    int32_t style_ = 0, pictureAlignment_ = 0;
    bool checked_ = false;
    std::string caption_;
    rt::Picture picture_;
    uint32_t foreColor_ = 0;
    bool displayHand_ = false;
    bool iconHighLite_ = false, captionHighLite_ = false;
    uint32_t iconHighLiteColor_ = 0, captionHighLiteColor_ = 0;
    bool enabled_ = false;
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
