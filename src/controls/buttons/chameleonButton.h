// The dialog button of the secondary windows: a push button that paints itself in fourteen looks
// (ButtonType 1 to 14) and four colour schemes, with an optional picture beside or behind a
// word-wrapped caption, caption and picture effects, an optional check-box behaviour and a hover
// look.
//
// A windowed user control keeping its drawing in the surface's persistent image; every redraw
// paints the whole control there. Its window carries the outline of its look, so the clickable
// area follows cut corners and the oval. The hover look starts on a pointer move and ends when the
// leave watch on OverTimer finds the pointer over another window.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "controls/buttons/chameleon_colors.h"
#include "controls/common/paint.h"
#include "runtime/controls.h"
#include "runtime/error.h"
#include "runtime/font.h"
#include "runtime/handles.h"
#include "runtime/leave_watch.h"
#include "runtime/picture.h"
#include "runtime/property_list.h"
#include "runtime/propertybag.h"
#include "runtime/usercontrol.h"

namespace controls {

// The stored properties (see runtime/property_list.h), each under a short key of its own, read and
// written in this order, every one always written. The over colours follow the normal ones when not
// stored; "HAND" is written, never read back: a loaded button starts with the arrow. The font read
// is a copy. A new button takes its name as caption and a copy of the container's font.
// clang-format off
#define VANTREL_CHAMELEON_PROPERTIES(X)                                                              \
    X(Keyed, int32_t, ButtonType, "BTYPE", int32_t{2}, rt::kAlwaysWritten)                           \
    X(Keyed, std::string, Caption, "TX", "", rt::kAlwaysWritten,                                     \
      rt::ForNew([](auto& b) { return b.Ambient().DisplayName; }))                                   \
    X(Keyed, bool, Enabled, "ENAB", true, rt::kAlwaysWritten)                                        \
    X(Via, rt::Font, FONT, [](auto& b) -> rt::Font& { return b.GetFont(); },                         \
      [](auto& b, rt::Font f) { b.GetFont() = f.Clone(); }, [](auto& b) { return b.GetFont(); },     \
      rt::kAlwaysWritten, rt::ForNew([](auto& b) { return b.Ambient().Font; }))                      \
    X(Keyed, int32_t, ColorScheme, "COLTYPE", int32_t{1}, rt::kAlwaysWritten)                        \
    X(Keyed, bool, ShowFocusRect, "FOCUSR", true, rt::kAlwaysWritten)                                \
    X(Keyed, uint32_t, BackColor, "BCOL", [](auto&) { return TranslateOleColor(kButtonFace); },      \
      rt::kAlwaysWritten)                                                                            \
    X(Keyed, uint32_t, BackOver, "BCOLO", [](auto& b) { return b.BackColor(); }, rt::kAlwaysWritten) \
    X(Keyed, uint32_t, ForeColor, "FCOL", [](auto&) { return TranslateOleColor(kButtonText); },      \
      rt::kAlwaysWritten)                                                                            \
    X(Keyed, uint32_t, ForeOver, "FCOLO", [](auto& b) { return b.ForeColor(); }, rt::kAlwaysWritten) \
    X(Keyed, uint32_t, MaskColor, "MCOL", 0xC0C0C0u, rt::kAlwaysWritten)                             \
    X(Via, int16_t, MPTR, [](auto& b) { return b.UserControl::MousePointer(); },                     \
      [](auto& b, int16_t v) { b.UserControl::MousePointer(v); }, int16_t{0}, rt::kAlwaysWritten,    \
      rt::ForNew(rt::kKept))                                                                         \
    X(Via, rt::Picture, MICON, [](auto& b) { return b.UserControl::MouseIcon(); },                   \
      [](auto& b, rt::Picture p) { rt::Try([&] { b.UserControl::MouseIcon(std::move(p)); }); },      \
      rt::Picture(), rt::kAlwaysWritten, rt::ForNew(rt::kKept))                                      \
    X(Keyed, rt::Picture, PictureNormal, "PICN", rt::Picture(), rt::kAlwaysWritten)                  \
    X(Keyed, rt::Picture, PictureOver, "PICH", rt::Picture(), rt::kAlwaysWritten)                    \
    X(Keyed, bool, UseMaskColor, "UMCOL", true, rt::kAlwaysWritten)                                  \
    X(Keyed, bool, SoftBevel, "SOFT", false, rt::kAlwaysWritten)                                     \
    X(Keyed, int32_t, PicturePosition, "PICPOS", int32_t{0}, rt::kAlwaysWritten)                     \
    X(Keyed, bool, UseGreyscale, "NGREY", false, rt::kAlwaysWritten)                                 \
    X(Keyed, int32_t, SpecialEffect, "FX", int32_t{0}, rt::kAlwaysWritten)                           \
    X(Keyed, bool, HandPointer, "HAND", rt::kNotRead, rt::kAlwaysWritten)                            \
    X(Keyed, bool, CheckBoxBehaviour, "CHECK", false, rt::kAlwaysWritten)                            \
    X(Keyed, bool, Value, "VALUE", false, rt::kAlwaysWritten)
// clang-format on

class chameleonButton : public rt::UserControl {
public:
    chameleonButton(rt::Container& parent, std::string name, int index = -1,
                    std::shared_ptr<const rt::PropertyBag> stored = nullptr);
    chameleonButton(const chameleonButton& templ, int index);
    ~chameleonButton() override;

    // The stored properties; each setter, written below, shows its change in its own way.
    VANTREL_PROPERTY_ACCESSORS(VANTREL_CHAMELEON_PROPERTIES)
    void BackColor(uint32_t v);
    void BackOver(uint32_t v);
    void ForeColor(uint32_t v);
    void ForeOver(uint32_t v);
    void MaskColor(uint32_t v);
    void ButtonType(int32_t v);
    void Caption(std::string v);
    void Enabled(bool v) override;
    rt::Font& Font() noexcept { return GetFont(); }
    void Font(rt::Font f);
    bool FontBold() { return GetFont().Bold(); }
    void FontBold(bool v);
    bool FontItalic() { return GetFont().Italic(); }
    void FontItalic(bool v);
    bool FontUnderline() { return GetFont().Underline(); }
    void FontUnderline(bool v);
    int16_t FontSize();
    void FontSize(int16_t v);
    std::string FontName() { return GetFont().Name(); }
    void FontName(const std::string& v);
    void ColorScheme(int32_t v);
    void ShowFocusRect(bool v);
    int32_t MousePointer() const noexcept { return UserControl::MousePointer(); }
    void MousePointer(int32_t v);
    const rt::Picture& MouseIcon() const noexcept { return UserControl::MouseIcon(); }
    void MouseIcon(rt::Picture p);
    void HandPointer(bool v);
    // Where HandPointer takes its pointer picture from (empty: the platform's hand). Tests put a
    // source here; an empty picture is a pointer that cannot be loaded.
    static std::function<rt::Picture()>& HandPointerSource();
    HWND hwnd() const noexcept { return hWnd(); }
    void SoftBevel(bool v);
    void PictureNormal(rt::Picture p);
    void PictureOver(rt::Picture p);
    void PicturePosition(int32_t v);
    void UseMaskColor(bool v);
    void UseGreyscale(bool v);
    void SpecialEffect(int32_t v);
    void CheckBoxBehaviour(bool v);
    void Value(bool v);
    std::string Version() const { return "2.0.6"; }
    // Redraws wait until Refresh or the next showing.
    void DisableRefresh() { redrawOn_ = false; }
    void Refresh();

    // Events besides the container's Click; arguments by reference.
    rt::Event<int16_t&, int16_t&, float&, float&> MouseDown;
    rt::Event<int16_t&, int16_t&, float&, float&> MouseMove;
    rt::Event<int16_t&, int16_t&, float&, float&> MouseUp;
    rt::Event<int16_t&> KeyPress;
    rt::Event<int16_t&, int16_t&> KeyDown;
    rt::Event<int16_t&, int16_t&> KeyUp;
    rt::Event<> MouseOver;
    rt::Event<> MouseOut;

    // The hover poll: runs only while the pointer is over the button.
    rt::Timer OverTimer{*this, "OverTimer"};

    // Run-time state, for the window's own use and its tests.
    bool Hot() const noexcept { return hot_; }
    int LastDrawnState() const noexcept { return lastState_; }
    const ChameleonColors& Colors() const noexcept { return colors_; }

    // The redraw: state 0 up, 2 down; an unforced request draws only when the state or the caption
    // changed.
    void ChameleonRedraw(int state, bool force);

protected:
    void UserControl_Initialize() override;
    void UserControl_InitProperties() override;
    void UserControl_ReadProperties(rt::PropertyBag& PropBag) override;
    void UserControl_WriteProperties(rt::PropertyBag& PropBag) override;
    void UserControl_Resize() override;
    void UserControl_Show() override;
    void UserControl_Hide() override { redrawOn_ = false; }
    void UserControl_MouseDown(int16_t Button, int16_t Shift, float X, float Y) override;
    void UserControl_MouseUp(int16_t Button, int16_t Shift, float X, float Y) override;
    void UserControl_MouseMove(int16_t Button, int16_t Shift, float X, float Y) override;
    void UserControl_Click() override;
    void UserControl_DblClick() override;
    void UserControl_KeyDown(int16_t& KeyCode, int16_t Shift) override;
    void UserControl_KeyUp(int16_t& KeyCode, int16_t Shift) override;
    void UserControl_KeyPress(int16_t& KeyAscii) override;
    void UserControl_GotFocus() override;
    void UserControl_LostFocus() override;
    void UserControl_AccessKeyPress(int16_t KeyAscii) override;
    void UserControl_AmbientChanged(const std::string& PropertyName) override;
    // The setters redraw as each property says; the table's Set is not used for showing.
    void PropertyRefresh() override {}

private:
    static const rt::PropertyTable<chameleonButton>& Properties();
    // What a colour's setter and a font's setter do after storing.
    void ColoursChanged(const char* name);
    // A colour's setter; in design mode the over colour, when given, follows the colour.
    void SetColour(uint32_t& field, uint32_t v, const char* name, uint32_t* over = nullptr);
    void FontChanged();

    // Colours, geometry and the outline.
    void ChameleonSetColors();
    void ResizeStep();
    void ChameleonLayoutCaption();
    void ChameleonMeasurePicture();
    void ChameleonPlacePicture();
    void ChameleonCopyBackground();
    void DeriveAccessKey();
    bool ChameleonCursorOver() const;

    // Input.
    void PressStep(int16_t& Button, int16_t& Shift, float& X, float& Y);
    void ClickStep();
    void PointerLeft();

    // Painting (chameleon_paint.cpp), on the surface of the redraw under way.
    void PaintLook(int state);
    void PaintType3(int state);
    void PaintType4(int state);
    void PaintType14(int state);
    void ChameleonDrawCaption(int mode);
    void ChameleonCaptionEffect(const RECT& r);
    void ChameleonDrawPicture(int mode);
    void ChameleonPictureEffect(int offset, const rt::Picture& picture);
    void ChameleonDrawFocusRect();
    void CaptionText(const RECT& r, uint32_t colour);
    void Picture(const rt::Picture& p, int x, int y, int64_t paint, bool darkOnly, bool grey, bool blend);
    void ChameleonDrawRect(int x, int y, int w, int h, uint32_t c, bool frameOnly);
    void ChameleonDrawEllipse(int x, int y, int w, int h, uint32_t pen, uint32_t brush);
    void ChameleonDrawLine(int x1, int y1, int x2, int y2, uint32_t c);
    void ChameleonDrawBevel(uint32_t c1, uint32_t c2, uint32_t c3, uint32_t c4, int16_t k, bool single);
    void ChameleonDrawPixel(int x, int y, uint32_t c);
    void Corners(uint32_t c);
    uint32_t S(uint32_t c, int n) const { return ChameleonShiftColor(c, n, false, settings_.SoftBevel); }
    uint32_t SB(uint32_t c, int n) const { return ChameleonShiftColor(c, n, true, settings_.SoftBevel); }

    static constexpr uint32_t kButtonFace = 0x8000000Fu, kButtonText = 0x80000012u;
    struct Settings {
        VANTREL_PROPERTY_FIELDS(VANTREL_CHAMELEON_PROPERTIES)
    } settings_;

    // Run-time state.
    int lastState_ = 0;
    std::string lastCaption_;
    bool redrawOn_ = true;
    bool hot_ = false;
    bool copying_ = false;  // the background of type 11 is being copied
    bool hasFocus_ = false;
    int16_t lastButton_ = 0;
    uint8_t lastKey_ = 0;
    int captionMode_ = 0;
    int W = 0, H = 0;
    ChameleonColors colors_;
    RECT focusRect_{}, captionRect_{}, pressedRect_{}, layoutArea_{};
    int captionW_ = 0, captionH_ = 0;
    int picW_ = 0, picH_ = 0, picX_ = 0, picY_ = 0;
    rt::MemoryDC background_;  // type 11: what lies under the button
    rt::Bitmap backgroundBitmap_;
    HGDIOBJ backgroundOld_ = nullptr;
    HDC dc_ = nullptr;  // the surface of the redraw under way
    // The hover ends when the pointer is over another window.
    rt::LeaveWatch leave_{OverTimer, 3, [this] { return ChameleonCursorOver(); }, [this] { PointerLeft(); }};
};

}  // namespace controls
