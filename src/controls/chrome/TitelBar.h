// The custom caption bar: a gradient background in one of fifteen styles, an extruded caption,
// an icon and up to three caption buttons (minimise, maximise, close) that act on the main window
// and on the window that holds the bar. Pressing the left button on the bar and moving starts the
// platform's move of the holding window. Coordinates are pixels of the bar's own surface.
//
// A windowed user control. Every Refresh draws into the persistent image of its surface and then
// turns the image off, so that the drawing stays as the background the window is painted from;
// the caption buttons are painted on top of it. Its stored settings are one table (Properties,
// in TitelBar.cpp), kept in the property bag under the property names.
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
#include "runtime/property_table.h"
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

    bool AutoRedraw() const { return autoRedraw_; }
    void AutoRedraw(bool v) { Store(autoRedraw_, v, "AutoRedraw"); }
    bool DashBack() const { return dashBack_; }
    void DashBack(bool v) { Set(dashBack_, v, "DashBack"); }
    int16_t Style() const { return style_; }
    void Style(int32_t v) { Set(style_, rt::NumberToInt16(v), "Style"); }  // beyond 16 bits: overflow
    uint32_t BackColor() const { return UserControl::BackColor(); }
    void BackColor(uint32_t v);
    float BackColorCover() const { return backColorCover_; }
    void BackColorCover(float v) {
        Set(backColorCover_, v >= 10 ? 10.0f : v <= 0 ? 1.0f : v, "BackColorCover");
    }
    uint32_t BackColorV2Begin() const { return backColorV2Begin_; }
    void BackColorV2Begin(uint32_t v) { Set(backColorV2Begin_, v, "BackColorV2Begin"); }
    uint32_t BackColorV2End() const { return backColorV2End_; }
    void BackColorV2End(uint32_t v) { Set(backColorV2End_, v, "BackColorV2End"); }
    uint32_t BackColorV1Begin() const { return backColorV1Begin_; }
    void BackColorV1Begin(uint32_t v) { Set(backColorV1Begin_, v, "BackColorV1Begin"); }
    uint32_t BackColorV1End() const { return backColorV1End_; }
    void BackColorV1End(uint32_t v) { Set(backColorV1End_, v, "BackColorV1End"); }
    uint32_t BorderColorHighLight() const { return borderColorHighLight_; }
    void BorderColorHighLight(uint32_t v) { Set(borderColorHighLight_, v, "BorderColorHighLight"); }
    uint32_t BorderColorDarkLight() const { return borderColorDarkLight_; }
    void BorderColorDarkLight(uint32_t v) { Set(borderColorDarkLight_, v, "BorderColorDarkLight"); }
    uint32_t ForeColor() const { return UserControl::ForeColor(); }
    void ForeColor(uint32_t v);
    uint32_t CaptionColorBack() const { return captionColorBack_; }
    void CaptionColorBack(uint32_t v) { Set(captionColorBack_, v, "CaptionColorBack"); }
    uint32_t CaptionColor() const { return captionColor_; }
    void CaptionColor(uint32_t v);  // also the surface's text colour
    uint32_t CaptionBorderColor() const { return captionBorderColor_; }
    void CaptionBorderColor(uint32_t v) { Set(captionBorderColor_, v, "CaptionBorderColor"); }
    uint32_t CaptionShadowColor() const { return captionShadowColor_; }
    void CaptionShadowColor(uint32_t v) { Set(captionShadowColor_, v, "CaptionShadowColor"); }
    bool CaptionBorder() const { return captionBorder_; }
    void CaptionBorder(bool v) { Set(captionBorder_, v, "CaptionBorder"); }
    uint8_t Caption3DWidth() const { return caption3DWidth_; }
    void Caption3DWidth(uint8_t v) { Set(caption3DWidth_, v, "Caption3DWidth"); }
    bool Caption3DTop() const { return caption3DTop_; }
    void Caption3DTop(bool v) { Set(caption3DTop_, v, "Caption3DTop"); }
    bool Caption3DBottom() const { return caption3DBottom_; }
    void Caption3DBottom(bool v) { Set(caption3DBottom_, v, "Caption3DBottom"); }
    bool Caption3DLeft() const { return caption3DLeft_; }
    void Caption3DLeft(bool v) { Set(caption3DLeft_, v, "Caption3DLeft"); }
    bool Caption3DRight() const { return caption3DRight_; }
    void Caption3DRight(bool v) { Set(caption3DRight_, v, "Caption3DRight"); }
    // The caption buttons' settings lay the buttons out again rather than repaint the bar.
    bool ShowClose() const { return showClose_; }
    void ShowClose(bool v) { SetButtons(showClose_, v, "ShowClose"); }
    bool ShowMinimized() const { return showMinimized_; }
    void ShowMinimized(bool v) { SetButtons(showMinimized_, v, "ShowMinimized"); }
    bool ShowMaximized() const { return showMaximized_; }
    void ShowMaximized(bool v) { SetButtons(showMaximized_, v, "ShowMaximized"); }
    bool ShowCloseEnabled() const { return showCloseEnabled_; }
    void ShowCloseEnabled(bool v) { SetButtons(showCloseEnabled_, v, "ShowCloseEnabled"); }
    bool ShowMinimizedEnabled() const { return showMinimizedEnabled_; }
    void ShowMinimizedEnabled(bool v) { SetButtons(showMinimizedEnabled_, v, "ShowMinimizedEnabled"); }
    bool ShowMaximizedEnabled() const { return showMaximizedEnabled_; }
    void ShowMaximizedEnabled(bool v) { SetButtons(showMaximizedEnabled_, v, "ShowMaximizedEnabled"); }
    const rt::Font& GetFont() { return Surface().GetFont(); }
    void SetFont(rt::Font f) { Set(Surface().GetFont(), std::move(f), "Font"); }
    const std::string& BarToolTipText() const { return toolTipText_; }
    void BarToolTipText(std::string v) { Store(toolTipText_, std::move(v), "ToolTipText"); }
    const std::string& Caption() const { return caption_; }
    void Caption(std::string v) { Set(caption_, std::move(v), "Caption"); }
    int32_t CaptionPosX() const { return captionPosX_; }
    void CaptionPosX(int32_t v) { Set(captionPosX_, v, "CaptionPosX"); }
    int32_t CaptionPosY() const { return captionPosY_; }
    void CaptionPosY(int32_t v) { Set(captionPosY_, v, "CaptionPosY"); }
    uint8_t BorderNormal() const { return borderNormal_; }
    void BorderNormal(uint8_t v) { Set(borderNormal_, v, "BorderNormal"); }
    uint8_t IconStyle() const { return iconStyle_; }
    void IconStyle(uint8_t v) { Set(iconStyle_, v >= 2 ? uint8_t{2} : v, "IconStyle"); }
    const rt::Picture& GetPicture() { return Surface().GetPicture(); }
    void SetPicture(rt::Picture pic);
    const rt::Picture& PictureButton() const { return pictureButton_; }
    void PictureButton(rt::Picture pic) { Set(pictureButton_, std::move(pic), "PictureButton"); }
    int32_t PicturePosMode() const { return picturePosMode_; }
    void PicturePosMode(int32_t v) { Set(picturePosMode_, v, "PicturePosMode"); }
    int16_t PicturePosX() const { return picturePosX_; }
    void PicturePosX(int16_t v) { Set(picturePosX_, v, "PicturePosX"); }
    int16_t PicturePosY() const { return picturePosY_; }
    void PicturePosY(int16_t v) { Set(picturePosY_, v, "PicturePosY"); }

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
    // The stored properties, in their table (TitelBar.cpp); BackColor, ForeColor, Font and
    // Picture are the surface's own.
    static const rt::PropertyTable<TitelBar>& Properties();
    bool autoRedraw_{}, dashBack_{};
    int16_t style_{};
    float backColorCover_{};
    uint32_t backColorV2Begin_{}, backColorV2End_{}, backColorV1Begin_{}, backColorV1End_{};
    uint32_t borderColorHighLight_{}, borderColorDarkLight_{};
    uint32_t captionColorBack_{}, captionColor_{}, captionBorderColor_{}, captionShadowColor_{};
    bool captionBorder_{};
    uint8_t caption3DWidth_{};
    bool caption3DTop_{}, caption3DBottom_{}, caption3DLeft_{}, caption3DRight_{};
    bool showClose_{}, showMinimized_{}, showMaximized_{};
    bool showCloseEnabled_{}, showMinimizedEnabled_{}, showMaximizedEnabled_{};
    std::string toolTipText_, caption_;
    int32_t captionPosX_{}, captionPosY_{};
    uint8_t borderNormal_{}, iconStyle_{};
    rt::Picture pictureButton_;
    int32_t picturePosMode_{};
    int16_t picturePosX_{}, picturePosY_{};

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
