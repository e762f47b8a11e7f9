// The custom caption bar: a gradient background in one of fifteen styles, an extruded caption,
// an icon and up to three caption buttons (minimise, maximise, close) that act on the main window
// and on the window that holds the bar. Pressing the left button on the bar and moving starts the
// platform's move of the holding window. Coordinates are pixels of the bar's own surface.
//
// A windowed user control. Every Refresh draws into the persistent image of its surface and then
// turns the image off, so that the drawing stays as the background the window is painted from;
// the caption buttons are painted on top of it. Its settings live in the property bag under the
// property names.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "controls/chrome/titlebar_paint.h"
#include "runtime/font.h"
#include "runtime/picture.h"
#include "runtime/propertybag.h"
#include "runtime/usercontrol.h"
#include "runtime/win.h"

namespace controls {

class TitelBar : public rt::UserControl {
public:
    // A bar read from its stored settings, or a new bar without them; it repaints once at the end.
    TitelBar(rt::Container& parent, std::string name,
             std::shared_ptr<const rt::PropertyBag> stored = nullptr);
    ~TitelBar() override;

    uint32_t GetRealColor(uint32_t color) const { return controls::GetRealColor(color); }

    bool AutoRedraw() const { return p_.AutoRedraw; }
    void AutoRedraw(bool v);
    bool DashBack() const { return p_.DashBack; }
    void DashBack(bool v);
    int16_t Style() const { return p_.Style; }
    void Style(int32_t v);  // beyond 16 bits: overflow, nothing changes
    uint32_t BackColor() const { return UserControl::BackColor(); }
    void BackColor(uint32_t v);
    float BackColorCover() const { return p_.BackColorCover; }
    void BackColorCover(float v);
    uint32_t BackColorV2Begin() const { return p_.BackColorV2Begin; }
    void BackColorV2Begin(uint32_t v);
    uint32_t BackColorV2End() const { return p_.BackColorV2End; }
    void BackColorV2End(uint32_t v);
    uint32_t BackColorV1Begin() const { return p_.BackColorV1Begin; }
    void BackColorV1Begin(uint32_t v);
    uint32_t BackColorV1End() const { return p_.BackColorV1End; }
    void BackColorV1End(uint32_t v);
    uint32_t BorderColorHighLight() const { return p_.BorderColorHighLight; }
    void BorderColorHighLight(uint32_t v);
    uint32_t BorderColorDarkLight() const { return p_.BorderColorDarkLight; }
    void BorderColorDarkLight(uint32_t v);
    uint32_t ForeColor() const { return UserControl::ForeColor(); }
    void ForeColor(uint32_t v);
    uint32_t CaptionColorBack() const { return p_.CaptionColorBack; }
    void CaptionColorBack(uint32_t v);
    uint32_t CaptionColor() const { return p_.CaptionColor; }
    void CaptionColor(uint32_t v);
    uint32_t CaptionBorderColor() const { return p_.CaptionBorderColor; }
    void CaptionBorderColor(uint32_t v);
    uint32_t CaptionShadowColor() const { return p_.CaptionShadowColor; }
    void CaptionShadowColor(uint32_t v);
    bool CaptionBorder() const { return p_.CaptionBorder; }
    void CaptionBorder(bool v);
    uint8_t Caption3DWidth() const { return p_.Caption3DWidth; }
    void Caption3DWidth(uint8_t v);
    bool Caption3DTop() const { return p_.Caption3DTop; }
    void Caption3DTop(bool v);
    bool Caption3DBottom() const { return p_.Caption3DBottom; }
    void Caption3DBottom(bool v);
    bool Caption3DLeft() const { return p_.Caption3DLeft; }
    void Caption3DLeft(bool v);
    bool Caption3DRight() const { return p_.Caption3DRight; }
    void Caption3DRight(bool v);
    bool ShowClose() const { return p_.ShowClose; }
    void ShowClose(bool v);
    bool ShowMinimized() const { return p_.ShowMinimized; }
    void ShowMinimized(bool v);
    bool ShowMaximized() const { return p_.ShowMaximized; }
    void ShowMaximized(bool v);
    bool ShowCloseEnabled() const { return p_.ShowCloseEnabled; }
    void ShowCloseEnabled(bool v);
    bool ShowMinimizedEnabled() const { return p_.ShowMinimizedEnabled; }
    void ShowMinimizedEnabled(bool v);
    bool ShowMaximizedEnabled() const { return p_.ShowMaximizedEnabled; }
    void ShowMaximizedEnabled(bool v);
    const rt::Font& GetFont() { return Surface().GetFont(); }
    void SetFont(rt::Font f);
    const std::string& BarToolTipText() const { return p_.ToolTipText; }
    void BarToolTipText(std::string v);
    const std::string& Caption() const { return p_.Caption; }
    void Caption(std::string v);
    int32_t CaptionPosX() const { return p_.CaptionPosX; }
    void CaptionPosX(int32_t v);
    int32_t CaptionPosY() const { return p_.CaptionPosY; }
    void CaptionPosY(int32_t v);
    uint8_t BorderNormal() const { return p_.BorderNormal; }
    void BorderNormal(uint8_t v);
    uint8_t IconStyle() const { return p_.IconStyle; }
    void IconStyle(uint8_t v);  // 2 or more becomes 2
    const rt::Picture& GetPicture() { return Surface().GetPicture(); }
    void SetPicture(rt::Picture pic);
    const rt::Picture& PictureButton() const { return p_.PictureButton; }
    void PictureButton(rt::Picture pic);
    int32_t PicturePosMode() const { return p_.PicturePosMode; }
    void PicturePosMode(int32_t v);
    int16_t PicturePosX() const { return p_.PicturePosX; }
    void PicturePosX(int16_t v);
    int16_t PicturePosY() const { return p_.PicturePosY; }
    void PicturePosY(int16_t v);

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

private:
    // The stored properties; BackColor, ForeColor, Font and Picture are the surface's own.
    struct Props {
        bool AutoRedraw = false;
        bool DashBack = false;
        int16_t Style = 8;
        float BackColorCover = 0;
        uint32_t BackColorV2Begin = 0x8C6E5A, BackColorV2End = 0x4F3026;
        uint32_t BackColorV1Begin = 0xE6E6E6, BackColorV1End = 0x8C6E5A;
        uint32_t BorderColorHighLight = 0xFFFFFF, BorderColorDarkLight = 0;
        uint32_t CaptionColorBack = 0x3C3C3C, CaptionColor = 0xFFFFFF, CaptionBorderColor = 0,
                 CaptionShadowColor = 0x3C3C3C;
        bool CaptionBorder = false;
        uint8_t Caption3DWidth = 2;
        bool Caption3DTop = false, Caption3DBottom = true, Caption3DLeft = false, Caption3DRight = true;
        bool ShowClose = true, ShowMinimized = true, ShowMaximized = false;
        bool ShowCloseEnabled = true, ShowMinimizedEnabled = true, ShowMaximizedEnabled = false;
        std::string ToolTipText;
        std::string Caption = "TitelBar";
        int32_t CaptionPosX = 0, CaptionPosY = 2;
        uint8_t BorderNormal = 0;
        uint8_t IconStyle = 0;
        rt::Picture PictureButton;
        int32_t PicturePosMode = 0;
        int16_t PicturePosX = 6, PicturePosY = 4;
    };

    void SetTBX_();
    void SetImageI();
    TitleBarLook Look();
    void ShowPicture(Which which, int index);
    void PaintButtons(HDC dc);
    int ButtonAt(int x, int y) const;
    void SurfaceMove(int16_t button, int16_t shift, float x, float y);
    void ButtonMove(Which which);
    void ButtonAction(Which which);
    bool IsCursorInside() const;
    void TimerOn(bool on);
    void ToIdle();

    Props p_;
    std::array<ButtonElement, 3> buttons_;
    std::array<std::array<rt::Picture, 24>, 3> sets_;  // imgMin, imgMax, imgClose
    uint8_t tracking_ = 255;                           // 255 idle, 1 tracking
    int pressedButton_ = -1;                           // the element that took the button press
    bool clickOnSurface_ = false;                      // the last release was on the surface
    bool timerOn_ = false;
    CaptionTextSink* text_ = &PlatformCaptionText();
    bool built_ = false;
};

}  // namespace controls
