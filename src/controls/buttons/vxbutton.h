// The multi-style page button: an owner-drawn push button in twelve looks (ButtonStyle 0 to 11),
// with a caption, an optional small picture, a normal, hot and pressed look, an optional toggle
// (check-box mode), the focus, Enter, Space, the arrow keys and its access key.
//
// A windowed user control that draws straight onto its own window, in pixels, on every change.
// It learns that the pointer entered and left through the window message hook on its own window
// (run mode, when the platform offers the mouse-leave request).
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "controls/common/paint.h"
#include "controls/hook/window_hook.h"
#include "runtime/font.h"
#include "runtime/picture.h"
#include "runtime/property_list.h"
#include "runtime/propertybag.h"
#include "runtime/usercontrol.h"
#include "runtime/win.h"

namespace controls {

// The stored properties (see runtime/property_list.h), in the order the bag keeps them. The
// caption's default differs between reading ("vxbutton") and writing ("vxbutton1"); the key of
// UseMaskColor is "UseMaskCOlor". The font read is a copy: the container's font is the default,
// not something to share. A new button keeps its pointer and pointer picture, and its font but
// for the name; its look's colours come after the list.
// clang-format off
#define VANTREL_VXBUTTON_PROPERTIES(X)                                                                  \
    X(Custom, int32_t, ButtonStyle, int32_t{1}, rt::ForNew(int32_t{0}))                               \
    X(Store, bool, ShowFocusRect, false, rt::ForNew(true))                                            \
    X(Custom, bool, Enabled, true)                                                                    \
    X(Via, rt::Font, Font, [](auto& b) -> rt::Font& { return b.GetFont(); },                          \
      [](auto& b, rt::Font f) { b.GetFont() = f.Clone(); }, [](auto& b) { return b.Ambient().Font; }, \
      [](auto& b) { return b.Ambient().Font; }, rt::ForNew(rt::kKept))                                \
    X(Set, uint32_t, BackColor, [](auto&) { return VxTranslateColor(kButtonFace); },                  \
      [](auto&) { return VxTranslateColor(kButtonFace); })                                            \
    X(Custom, std::string, Caption, "vxbutton", "vxbutton1",                                          \
      rt::ForNew([](auto& b) { return b.Ambient().DisplayName; }))                                    \
    X(Custom, uint32_t, ForeColor, [](auto&) { return VxTranslateColor(kButtonText); },               \
      [](auto&) { return VxTranslateColor(kButtonText); })                                            \
    X(Custom, bool, CheckBoxMode, false)                                                              \
    X(Custom, bool, Value, false)                                                                     \
    X(Relay, int16_t, MousePointer, [](auto& b) { return b.UserControl::MousePointer(); },            \
      [](auto& b, int16_t v) { b.UserControl::MousePointer(v); }, int16_t{0}, int16_t{0},             \
      rt::ForNew(rt::kKept))                                                                          \
    X(Via, rt::Picture, MouseIcon, [](auto& b) { return b.UserControl::MouseIcon(); },                \
      [](auto& b, rt::Picture p) { b.UserControl::MouseIcon(std::move(p)); }, rt::Picture(),          \
      rt::Picture(), rt::ForNew(rt::kKept))                                                           \
    X(Custom, rt::Picture, Picture, rt::Picture())                                                    \
    X(Custom, int32_t, PictureAlign, int32_t{1})                                                      \
    X(Keyed, bool, UseMaskColor, "UseMaskCOlor", false, rt::ForNew(true))                             \
    X(Set, uint32_t, MaskColor, 0xE0E0E0u)                                                            \
    X(Set, int32_t, CaptionAlign, int32_t{1})
// clang-format on

class vxbutton : public rt::UserControl, private HookClient {
public:
    vxbutton(rt::Container& parent, std::string name, int index = -1,
             std::shared_ptr<const rt::PropertyBag> stored = nullptr);
    vxbutton(const vxbutton& templ, int index);
    ~vxbutton() override;

    // The hook's callback: WM_MOUSEMOVE and WM_MOUSELEAVE, after the window's own procedure.
    void zSubclass_Proc(bool bBefore, bool& bHandled, LRESULT& lReturn, HWND& lng_hWnd, UINT& uMsg,
                        WPARAM& wParam, LPARAM& lParam);
    void About();
    // The platform's OLE colour translation without a palette; -1 (all bits set) when it fails.
    static uint32_t VxTranslateColor(uint32_t oleColor) { return TranslateColorOrInvalid(oleColor); }

    // The stored properties; the setters written below do more than store, mark and redraw.
    VANTREL_PROPERTY_ACCESSORS(VANTREL_VXBUTTON_PROPERTIES)
    void ButtonStyle(int32_t v);
    void Caption(std::string v);
    void CheckBoxMode(bool v);
    void Value(bool v);
    void Enabled(bool v) override;
    rt::Font& Font() { return GetFont(); }
    void Font(rt::Font f);
    void ForeColor(uint32_t v);
    HWND hwnd() const noexcept { return hWnd(); }
    const rt::Picture& MouseIcon() const noexcept { return UserControl::MouseIcon(); }
    void MouseIcon(rt::Picture p);
    int16_t MousePointer() const noexcept { return UserControl::MousePointer(); }
    void Picture(rt::Picture p);
    void PictureAlign(int32_t v);
    void UseMaskColor(bool v);

    // Events besides the container's Click and DblClick; arguments by reference.
    rt::Event<> HoverEnter;
    rt::Event<> HoverLeave;
    rt::Event<int16_t&, int16_t&, float&, float&> MouseMove;
    rt::Event<int16_t&, int16_t&, float&, float&> MouseUp;
    rt::Event<int16_t&, int16_t&, float&, float&> MouseDown;
    rt::Event<int16_t&, int16_t&> KeyDown;
    rt::Event<int16_t&, int16_t&> KeyUp;
    rt::Event<int16_t&> KeyPress;  // never raised

    // The drawing state: 0 normal, 1 hot, 2 pressed.
    int32_t State() const noexcept { return m_State; }
    bool MouseInside() const noexcept { return m_MouseInside; }
    bool TracksLeave() const noexcept { return m_TrackLeave; }

    void VxRedraw();

protected:
    void UserControl_InitProperties() override;
    void UserControl_ReadProperties(rt::PropertyBag& PropBag) override;
    void UserControl_WriteProperties(rt::PropertyBag& PropBag) override;
    void UserControl_Resize() override;
    void UserControl_Paint() override;
    void UserControl_MouseDown(int16_t Button, int16_t Shift, float X, float Y) override;
    void UserControl_MouseUp(int16_t Button, int16_t Shift, float X, float Y) override;
    void UserControl_MouseMove(int16_t Button, int16_t Shift, float X, float Y) override;
    void UserControl_DblClick() override;
    void UserControl_KeyDown(int16_t& KeyCode, int16_t Shift) override;
    void UserControl_KeyUp(int16_t& KeyCode, int16_t Shift) override;
    void UserControl_GotFocus() override;
    void UserControl_LostFocus() override;
    void UserControl_AccessKeyPress(int16_t KeyAscii) override;
    void UserControl_AmbientChanged(const std::string& PropertyName) override;
    // A stored property's change shows in a redraw.
    void PropertyRefresh() override { VxRedraw(); }

private:
    static const rt::PropertyTable<vxbutton>& Properties();
    void HookProc(bool bBefore, bool& bHandled, LRESULT& lReturn, HWND& hWnd, UINT& uMsg, WPARAM& wParam,
                  LPARAM& lParam, int32_t& userValue) override;

    // Drawing operations (pixels, on the DC of the redraw under way).
    void VxMakeRegion();
    void VxDrawCaption();
    bool VxDrawPicture(HDC dc, uintptr_t handle, int x, int y, int w, int h);
    void VxLine(int x1, int y1, int x2, int y2, uint32_t color);
    void VxFrameRect(int x, int y, int w, int h, uint32_t color);
    void VxFillRect(uint32_t color, const RECT& r);
    void VxFill(uint32_t color) { VxFillRect(color, face_); }
    void VxGradient(int x, int y, int w, int h, uint32_t c1, uint32_t c2, int direction = 1);
    void VxCornerPixels(uint32_t color);
    void VxEdge(UINT kind);
    void VxFocus(int l, int t, int r, int b);
    void VxPickMaskColor();
    void VxSetAccessKeys();
    void RefreshSize();
    void ApplyLookColors();
    void SetOwnBackColor(uint32_t c);
    void ResizeStep();
    void MouseDownStep(int16_t Button, int16_t Shift, float X, float Y);
    void ToggleValue() { settings_.Value = !settings_.Value; }
    bool LeftButtonHeld() const;
    void StartLeaveTracking();

    // The painters of the looks (0 and 11 share one).
    void PaintLook(int32_t state);
    void PaintClassic(int32_t state);
    void PaintFlat(int32_t state);
    void PaintBlueRounded(int32_t state);
    void PaintSilver(int32_t state);
    void PaintToolbar(int32_t state);
    void PaintShadowed(int32_t state);
    void PaintLight(int32_t state);
    void PaintPaleBlue(int32_t state);
    void PaintGlassy(int32_t state);
    void PaintWhiteTop(int32_t state);
    void PaintBanded(int32_t state);

    bool Checked() const noexcept { return settings_.CheckBoxMode && settings_.Value; }
    bool FocusedOrDefault() const noexcept { return m_HasFocus || m_IsDefault; }

    static constexpr uint32_t kButtonFace = 0x8000000Fu, kButtonText = 0x80000012u;
    struct Settings {
        VANTREL_PROPERTY_FIELDS(VANTREL_VXBUTTON_PROPERTIES)
    } settings_;

    // Run-time state.
    int32_t m_State = 0;
    bool m_MouseDown = false, m_MouseInside = false, m_HasFocus = false, m_IsDefault = false,
         m_SpaceDown = false;
    int16_t m_LastButton = 0, m_LastShift = 0;
    float m_LastX = 0, m_LastY = 0;
    bool m_TrackLeave = false, m_UserTrack = false;
    int W = 0, H = 0;
    RECT face_{}, captionFocus_{};
    // The region last set: the look and the size it was made for (it is set again only when
    // one of them changed, so a repaint never asks for another).
    int32_t regionStyle_ = -1;
    int regionW_ = -1, regionH_ = -1;
    HDC dc_ = nullptr;  // the DC of the redraw under way
    bool painting_ = false;
    WindowHook hook_;
};

}  // namespace controls
