// The custom caption bar: a gradient background in one of fifteen styles, an extruded caption,
// an icon and up to three caption buttons (minimise, maximise, close) that act on the main window
// and on the window that holds the bar. Pressing the left button on the bar and moving starts the
// platform's move of the holding window. Coordinates are pixels of the bar's own surface.
//
// A windowed user control. Every Refresh draws into the persistent image of its surface and then
// turns the image off, so that the drawing stays as the background the window is painted from;
// the caption buttons are painted on top of it. Its stored settings are one list
// (VANTREL_TITLEBAR_PROPERTIES, titlebar_paint.h), kept in the property bag under their names.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "controls/chrome/titlebar_paint.h"
#include "runtime/convert.h"
#include "runtime/font.h"
#include "runtime/leave_watch.h"
#include "runtime/picture.h"
#include "runtime/property_list.h"
#include "runtime/propertybag.h"
#include "runtime/usercontrol.h"
#include "runtime/win.h"

namespace controls {

class TitelBar : public rt::UserControl {
public:
    // A bar read from its stored settings, or a new bar without them; it repaints once at the end.
    TitelBar(rt::Container& parent, std::string name,
             std::shared_ptr<const rt::PropertyBag> stored = nullptr);

    uint32_t GetRealColor(uint32_t color) const { return controls::GetRealColor(color); }

    // The stored properties (their list: VANTREL_TITLEBAR_PROPERTIES); the setters of those
    // below do more than store, mark and repaint.
    VANTREL_PROPERTY_ACCESSORS(VANTREL_TITLEBAR_PROPERTIES)
    // Beyond 16 bits: overflow.
    void Style(int32_t v) { Set(settings_.Style, rt::NumberToInt16(v), "Style"); }
    uint32_t BackColor() const { return UserControl::BackColor(); }
    void BackColor(uint32_t v);
    void BackColorCover(float v) {
        Set(settings_.BackColorCover, v >= 10 ? 10.0f : v <= 0 ? 1.0f : v, "BackColorCover");
    }
    uint32_t ForeColor() const { return UserControl::ForeColor(); }
    void ForeColor(uint32_t v);
    void CaptionColor(uint32_t v);  // also the surface's text colour
    // The caption buttons' settings lay the buttons out again rather than repaint the bar.
    void ShowClose(bool v) { SetButtons(settings_.ShowClose, v, "ShowClose"); }
    void ShowMinimized(bool v) { SetButtons(settings_.ShowMinimized, v, "ShowMinimized"); }
    void ShowMaximized(bool v) { SetButtons(settings_.ShowMaximized, v, "ShowMaximized"); }
    void ShowCloseEnabled(bool v) { SetButtons(settings_.ShowCloseEnabled, v, "ShowCloseEnabled"); }
    void ShowMinimizedEnabled(bool v) {
        SetButtons(settings_.ShowMinimizedEnabled, v, "ShowMinimizedEnabled");
    }
    void ShowMaximizedEnabled(bool v) {
        SetButtons(settings_.ShowMaximizedEnabled, v, "ShowMaximizedEnabled");
    }
    const rt::Font& GetFont() { return Surface().GetFont(); }
    void SetFont(rt::Font f) { Set(Surface().GetFont(), std::move(f), "Font"); }
    const std::string& BarToolTipText() const { return settings_.ToolTipText; }
    void BarToolTipText(std::string v) { Store(settings_.ToolTipText, std::move(v), "ToolTipText"); }
    void IconStyle(uint8_t v) { Set(settings_.IconStyle, v >= 2 ? uint8_t{2} : v, "IconStyle"); }
    const rt::Picture& GetPicture() { return Surface().GetPicture(); }
    void SetPicture(rt::Picture pic);

    HDC hdc() { return hDC(); }
    bool HasDC() const { return true; }
    void Cls() { Surface().Cls(); }
    void Refresh();

    // The caption buttons: minimise, maximise, close.
    struct ButtonElement {
        double Left, Top;
        int Width = 16, Height = 16;
        bool Visible = true;
        int PictureIndex = -1;  // index into its picture set; -1: none
    };
    enum Which { Minimise = 0, Maximise = 1, Close = 2 };
    const ButtonElement& Button(Which which) const { return buttons_[which]; }
    // The picture of a set (index IconStyle * 10 + state: 1 hover, 2 normal, 3 disabled).
    const rt::Picture& ButtonPicture(Which which, int index) const;
    bool Tracking() const { return tracking_ == 1; }

    // The seam the caption is written through (the platform's text calls by default).
    void CaptionText(CaptionTextSink* sink) { text_ = sink ? sink : &PlatformCaptionText(); }
    // The persistent image of the surface.
    HDC ImageDC() { return Surface().ImageDC(); }

    // Events, arguments by reference.
    rt::Event<int16_t&, int16_t&> KeyDown;
    rt::Event<int16_t&> KeyPress;
    rt::Event<int16_t&, int16_t&> KeyUp;
    rt::Event<int16_t&, int16_t&, float&, float&> MouseDown;
    rt::Event<int16_t&, int16_t&, float&, float&> MouseMove;
    rt::Event<int16_t&, int16_t&, float&, float&> MouseUp;
    rt::Event<> Resize;

    bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

protected:
    void UserControl_InitProperties() override;
    void UserControl_ReadProperties(rt::PropertyBag& PropBag) override;
    void UserControl_WriteProperties(rt::PropertyBag& PropBag) override;
    void UserControl_Resize() override;
    void UserControl_Paint() override;
    void UserControl_MouseDown(int16_t Button, int16_t Shift, float X, float Y) override;
    void UserControl_MouseUp(int16_t Button, int16_t Shift, float X, float Y) override;
    void UserControl_MouseMove(int16_t Button, int16_t Shift, float X, float Y) override;
    void UserControl_Click() override;
    void UserControl_DblClick() override;
    void UserControl_KeyDown(int16_t& KeyCode, int16_t Shift) override;
    void UserControl_KeyUp(int16_t& KeyCode, int16_t Shift) override;
    void UserControl_KeyPress(int16_t& KeyAscii) override;
    void PropertyRefresh() override { Refresh(); }

private:
    static const rt::PropertyTable<TitelBar>& Properties();
    TitleBarSettings settings_;

    void SetButtons(bool& member, bool v, const char* name) {
        Store(member, v, name);
        SetTBX_();
    }
    void SetTBX_();
    void SetImageI();
    TitleBarLook Look();
    void ShowPicture(Which which, int index);
    void PaintButtons(HDC dc);
    int ButtonAt(int x, int y) const;
    void SurfaceMove(int16_t button, int16_t shift, float x, float y);
    void ButtonMove(Which which);
    void ButtonAction(Which which);
    void ToIdle();
    void LeftTheBar();

    std::array<ButtonElement, 3> buttons_;
    std::array<std::array<rt::Picture, 24>, 3> sets_;  // imgMin, imgMax, imgClose
    uint8_t tracking_ = 255;                           // 255 idle, 1 tracking
    int pressedButton_ = -1;                           // the element that took the button press
    bool clickOnSurface_ = false;                      // the last release was on the surface
    rt::LeaveWatch leave_{*this, 25, [this] { LeftTheBar(); }};
    CaptionTextSink* text_ = &PlatformCaptionText();
    bool built_ = false;
};

}  // namespace controls
