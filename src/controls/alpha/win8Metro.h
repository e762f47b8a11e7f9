// The tile: a coloured background shape over the whole tile, an icon, a one-line caption and an
// invisible surface on top of them that takes the mouse. While the pointer is over the tile the
// icon moves 2 pixels down and right and brightens, and the background's diagonal gradient turns
// the other way; a click anywhere raises Click.
//
// Constituents, from the top down: d (an alpha picture without a picture: the mouse surface, with
// the hand pointer and the tile's tooltip), Label1 (the caption), aicAlphaImage1 (the icon) and
// AlphaShapeCtl1 (the background). Two hidden fields hold values: Check1 the layout mode (Value)
// and Text1 the tooltip text (tot). A change of either acts at once: the layout mode lays the tile
// out, a non-empty tooltip text becomes d's tooltip.
//
// Most members only keep their value for the property bag: they change nothing on screen. The
// members that act reach the constituents; ref lays the tile out and repaints it (Refresh does
// nothing).
#pragma once

#include <oaidl.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "controls/alpha/AlphaShapeCtl.h"
#include "controls/alpha/aicAlphaImage.h"
#include "runtime/controls.h"
#include "runtime/dispatch.h"
#include "runtime/font.h"
#include "runtime/hidden_text.h"
#include "runtime/picture.h"
#include "runtime/property_list.h"
#include "runtime/usercontrol.h"

namespace controls {

// The stored properties, in their stored order (see runtime/property_list.h). Those of the
// background, the caption and the hidden fields are relayed to them; "Texture" is written only;
// the bag keeps no automation objects, so the object references read back as none.
// clang-format off
#define VANTREL_TILE_PROPERTIES(X)                                                                       \
    X(Relay, uint32_t, BackColor, [](auto& t) { return t.BackColor(); },                                 \
      [](auto& t, uint32_t v) { t.AlphaShapeCtl1.BackColor(v); }, 0xFFFFFFu, 0xFFFFFFu)                  \
    X(Field, bool, Enabled, false)                                                                       \
    X(Store, int16_t, BackStyle, 0)                                                                      \
    X(Store, int16_t, BorderStyle, 0)                                                                    \
    X(Store, bool, WantMouseEvents, false)                                                               \
    X(Store, int32_t, TextureMode, 0)                                                                    \
    X(Field, rt::Picture, Texture, rt::kNotRead, rt::Picture())                                          \
    X(Store, bool, StretchQuality, false)                                                                \
    X(Store, bool, Stretch, false)                                                                       \
    X(Store, bool, SizeFixed, false)                                                                     \
    X(Store, std::string, ShapeText, "")                                                                 \
    X(Store, int32_t, Shape, 0)                                                                          \
    X(Store, int32_t, ShadowOpacity, 0)                                                                  \
    X(Store, int32_t, ShadowOffsetY, 0)                                                                  \
    X(Store, int32_t, ShadowOffsetX, 0)                                                                  \
    X(Store, bool, ShadowEnabled, false)                                                                 \
    X(Store, int32_t, ShadowDepth, 0)                                                                    \
    X(Store, int32_t, ShadowColor, 0)                                                                    \
    X(Store, bool, SetRedraw, false)                                                                     \
    X(Store, float, ScaleWidth, 0)                                                                       \
    X(Store, float, ScaleTop, 0)                                                                         \
    X(Store, int16_t, ScaleMode, 0)                                                                      \
    X(Store, int32_t, ScaleMethod, 0)                                                                    \
    X(Store, float, ScaleLeft, 0)                                                                        \
    X(Store, float, ScaleHeight, 0)                                                                      \
    X(Store, int32_t, Rotation, 0)                                                                       \
    X(Store, bool, RotateEnabled, false)                                                                 \
    X(Store, bool, RightToLeft, false)                                                                   \
    X(Store, int32_t, PolygonSides, 0)                                                                   \
    X(Store, float, PolygonAngle, 0)                                                                     \
    X(Store, rt::Picture, Picture, rt::Picture())                                                        \
    X(Store, int16_t, PaletteMode, 0)                                                                    \
    X(Store, rt::Picture, Palette, rt::Picture())                                                        \
    X(Store, int32_t, Opacity, 0)                                                                        \
    X(Store, int16_t, OLEDropMode, 0)                                                                    \
    X(Store, int16_t, MousePointer, 0)                                                                   \
    X(Store, rt::Picture, MouseIcon, rt::Picture())                                                      \
    X(Store, int32_t, Mirror, 0)                                                                         \
    X(Store, int32_t, MaskUsed, 0)                                                                       \
    X(Store, rt::Picture, MaskPicture, rt::Picture())                                                    \
    X(Store, int32_t, MaskColor, 0)                                                                      \
    X(Store, bool, KeepOriginalFormat, false)                                                            \
    X(Store, bool, InversedImage, false)                                                                 \
    X(Store, float, IntensityOffset, 0)                                                                  \
    X(Store, int32_t, ImageType, 0)                                                                      \
    X(Store, rt::Picture, Image, rt::Picture())                                                          \
    X(Store, rt::Object, HyperLink, rt::kNotStored)                                                      \
    X(Field, int32_t, hWnd, 0)                                                                           \
    X(Store, int16_t, HitBehavior, 0)                                                                    \
    X(Field, int32_t, hDC, 0)                                                                            \
    X(Store, bool, HasDC, false)                                                                         \
    X(Store, int32_t, grayScale, 0)                                                                      \
    X(Store, bool, GDIplusInitialized, false)                                                            \
    X(Store, bool, GDIplusEnabled, false)                                                                \
    X(Store, bool, FontUnderline, false)                                                                 \
    X(Store, bool, FontTransparent, false)                                                               \
    X(Relay, int32_t, FillStyle, [](auto& t) { return t.FillStyle(); },                                  \
      [](auto& t, int32_t v) { t.AlphaShapeCtl1.FillStyle(v); }, 57, 57)                                 \
    X(Relay, uint32_t, FillColor, [](auto& t) { return t.FillColor(); },                                 \
      [](auto& t, uint32_t v) { t.AlphaShapeCtl1.FillColor(v); }, 0xFFu, 0xFFu)                          \
    X(Store, int16_t, DrawWidth, 0)                                                                      \
    X(Store, int16_t, DrawStyle, 0)                                                                      \
    X(Store, int16_t, DrawMode, 0)                                                                       \
    X(Store, rt::Object, DataMembers, rt::kNotStored)                                                    \
    X(Store, float, CurrentY, 0)                                                                         \
    X(Store, float, CurrentX, 0)                                                                         \
    X(Store, rt::Object, Controls, rt::kNotStored)                                                       \
    X(Store, int32_t, ContainerHwnd, 0)                                                                  \
    X(Store, bool, ClipControls, false)                                                                  \
    X(Store, int16_t, ClipBehavior, 0)                                                                   \
    X(Store, int32_t, BorderWidth, 0)                                                                    \
    X(Relay, int32_t, BorderTransparency, [](auto& t) { return t.BorderTransparency(); },                \
      [](auto& t, int32_t v) { t.AlphaShapeCtl1.BorderTransparency(v); }, 60, 60)                        \
    X(Relay, uint32_t, BorderColor, [](auto& t) { return t.BorderColor(); },                             \
      [](auto& t, uint32_t v) { t.AlphaShapeCtl1.BorderColor(v); }, kWindowText, kWindowText)            \
    X(Relay, int32_t, BackTransparency, [](auto& t) { return t.BackTransparency(); },                    \
      [](auto& t, int32_t v) { t.AlphaShapeCtl1.BackTransparency(v); }, 0, 0)                            \
    X(Store, bool, AutoSize, false)                                                                      \
    X(Store, bool, AutoRedraw, false)                                                                    \
    X(Store, int16_t, Appearance, 0)                                                                     \
    X(Store, bool, AlignCenter, false)                                                                   \
    X(Store, rt::Object, ActiveControl, rt::kNotStored)                                                  \
    X(Relay, std::string, Caption, [](auto& t) { return t.Caption(); },                                  \
      [](auto& t, std::string v) { t.Label1.Caption(std::move(v)); }, "Label1", "Label1")                \
    X(Relay, uint32_t, ForeColor, [](auto& t) { return t.ForeColor(); },                                 \
      [](auto& t, uint32_t v) { t.Label1.ForeColor(v); }, 0xFFFFFFu, 0xFFFFFFu)                          \
    X(Relay, std::string, FontName, [](auto& t) { return t.FontName(); },                                \
      [](auto& t, std::string v) { t.Label1.GetFont().Name(v); }, "Arial", "")                           \
    X(Relay, float, FontSize, [](auto& t) { return t.FontSize(); },                                      \
      [](auto& t, float v) { t.Label1.GetFont().Size(v); }, 10, 0)                                       \
    X(Relay, bool, FontBold, [](auto& t) { return t.FontBold(); },                                       \
      [](auto& t, bool v) { t.Label1.GetFont().Bold(v); }, false, false)                                 \
    X(Relay, bool, FontItalic, [](auto& t) { return t.FontItalic(); },                                   \
      [](auto& t, bool v) { t.Label1.GetFont().Italic(v); }, false, false)                               \
    X(Relay, bool, FontStrikethru, [](auto& t) { return t.FontStrikethru(); },                           \
      [](auto& t, bool v) { t.Label1.GetFont().Strikethrough(v); }, false, false)                        \
    X(Relay, rt::Font, Font, [](auto& t) -> rt::Font& { return t.Font(); },                              \
      [](auto& t, rt::Font f) { t.Label1.SetFont(std::move(f)); },                                       \
      [](auto& t) { return t.Ambient().Font.Clone(); }, [](auto& t) { return t.Ambient().Font; })        \
    X(Relay, int16_t, Value, [](auto& t) { return t.Value(); },                                          \
      [](auto& t, int16_t v) { t.Check1.Value(v); }, 0, 0)                                               \
    X(Relay, std::string, tot, [](auto& t) { return t.tot(); },                                          \
      [](auto& t, std::string v) { t.Text1.Text(std::move(v)); }, "", "")
// clang-format on

class win8Metro : public rt::UserControl {
public:
    win8Metro(rt::Container& c, std::string name, int index = -1,
              std::shared_ptr<const rt::PropertyBag> stored = nullptr);
    win8Metro(const win8Metro& templ, int index);

    // The stored properties (VANTREL_TILE_PROPERTIES): the members that only keep their value, and
    // the setters of those that reach the constituents.
    VANTREL_PROPERTY_ACCESSORS(VANTREL_TILE_PROPERTIES)

    // ---- members that act
    uint32_t BackColor() const { return AlphaShapeCtl1.BackColor(); }
    bool LoadImage_FromFile(const std::string& Filename, int32_t desiredIconWidth = 0,
                            int32_t desiredIconHeight = 0, int32_t desiredIconBitDepth = 0);
    bool LoadImage_FromStdPicture(rt::Picture& stdPic);
    int32_t FillStyle() const { return AlphaShapeCtl1.FillStyle(); }
    uint32_t FillColor() const { return AlphaShapeCtl1.FillColor(); }
    int32_t BorderTransparency() const { return AlphaShapeCtl1.BorderTransparency(); }
    uint32_t BorderColor() const { return AlphaShapeCtl1.BorderColor(); }
    int32_t BackTransparency() const { return AlphaShapeCtl1.BackTransparency(); }
    // Lays the tile out for its size and layout mode, then repaints it.
    void ref();
    const std::string& Caption() const noexcept { return Label1.Caption(); }
    uint32_t ForeColor() const noexcept { return Label1.ForeColor(); }
    std::string FontName() { return Label1.GetFont().Name(); }
    float FontSize() { return Label1.GetFont().Size(); }
    bool FontBold() { return Label1.GetFont().Bold(); }
    bool FontItalic() { return Label1.GetFont().Italic(); }
    bool FontStrikethru() { return Label1.GetFont().Strikethrough(); }
    // The caption's own font object: a change made through it shows on the caption at once.
    rt::Font& Font() noexcept { return Label1.GetFont(); }
    // The layout mode: 0 the icon at the left with the caption beside it, 1 or 2 the icon filling
    // the tile under a centred caption; anything else raises 380. A change lays the tile out.
    int16_t Value() const noexcept { return Check1.Value(); }
    // The tooltip text; a non-empty one becomes the tooltip of the whole tile.
    const std::string& tot() const noexcept { return Text1.Text(); }

    // ---- members that only keep their value, under other names than their keys
    // Kept only: the tile stays enabled whatever it holds.
    bool Enabled() const noexcept { return settings_.Enabled; }
    void Enabled(bool v) override { Store(settings_.Enabled, v, "Enabled"); }
    int32_t hwnd() const noexcept { return settings_.hWnd; }
    void hwnd(int32_t v) { Store(settings_.hWnd, v, "hWnd"); }
    int32_t hdc() const noexcept { return settings_.hDC; }
    void hdc(int32_t v) { Store(settings_.hDC, v, "hDC"); }
    void Texture(rt::Picture v) { Store(settings_.Texture, std::move(v), "Texture"); }
    // An object reference, kept as given and never stored.
    const rt::Object& ShapeObject() const noexcept { return shapeObject_; }
    void ShapeObject(rt::Object v) { Store(shapeObject_, std::move(v), "ShapeObject"); }

    // ---- members that do nothing
    void Refresh() {}
    void ValidateControls() {}
    float TextWidth(const std::string&) { return 0; }
    float TextHeight(const std::string&) { return 0; }
    void size(float, float) {}
    bool SetImageBytes(const rt::PropertyBag::Bytes&) { return false; }
    float scaleY(float, int16_t = 0, int16_t = 0) { return 0; }
    float scaleX(float, int16_t = 0, int16_t = 0) { return 0; }
    void Scale_(float = 0, float = 0, float = 0, float = 0) {}
    void PSet_(float, float, uint32_t = 0) {}
    void PopupMenu(const rt::Object&, int16_t = 0, float = 0, float = 0) {}
    int32_t POINT(float, float) { return 0; }
    bool PaintShape() { return false; }
    void PaintPicture(const rt::Picture&, float, float) {}
    void OLEDrag() {}
    bool OffsetShadow(int32_t, int32_t) { return false; }
    bool OffsetImage(bool, int32_t&, int32_t&) { return false; }
    bool LoadImage_FromResource(int32_t, const std::string&) { return false; }
    bool LoadImage_FromOrignalBytes() { return false; }
    bool LoadImage_FromHandle(int32_t) { return false; }
    bool LoadImage_FromClipboard() { return false; }
    bool LoadImage_FromArray(const rt::PropertyBag::Bytes&) { return false; }
    void Line(float, float, float, float, uint32_t = 0) {}
    bool isMouseOver() { return false; }
    bool GetImageScales(int32_t&, int32_t&) { return false; }
    bool GetImageBytes(rt::PropertyBag::Bytes&) { return false; }
    bool FadeInOut(int32_t, int32_t, int32_t) { return false; }
    void DataMemberChanged(const std::string&) {}
    void Cls() {}
    bool ClearImage() { return false; }
    void Circle_(float, float, float, uint32_t = 0) {}
    bool CanPropertyChange(const std::string&) { return false; }
    void CancelAsyncRead(const std::string& = {}) {}
    void AsyncRead(const std::string&, int32_t, const std::string& = {}) {}

    // Event: Click of rt::Control, raised for a click with any button.

    // The constituents, for looking at them.
    const aicAlphaImage& IconImage() const noexcept { return aicAlphaImage1; }
    const aicAlphaImage& MouseSurface() const noexcept { return d; }
    const AlphaShapeCtl& Background() const noexcept { return AlphaShapeCtl1; }
    const rt::Label& CaptionLabel() const noexcept { return Label1; }

protected:
    // A new tile keeps the values it starts with: its designed constituents, the list's defaults.
    void UserControl_ReadProperties(rt::PropertyBag& b) override { Properties().ReadAll(*this, b); }
    void UserControl_WriteProperties(rt::PropertyBag& b) override { Properties().WriteAll(*this, b); }
    void UserControl_Resize() override { Layout(true); }

private:
    // A hidden check box's value: 0 clear, 1 ticked, 2 greyed; a change runs its handler before
    // the setter returns.
    class HiddenCheck {
    public:
        explicit HiddenCheck(std::function<void()> onClick) : onClick_(std::move(onClick)) {}
        int16_t Value() const noexcept { return value_; }
        void Value(int16_t v);

    private:
        int16_t value_ = 0;
        std::function<void()> onClick_;
    };

    static const rt::PropertyTable<win8Metro>& Properties();
    void DesignConstituents();
    void wire();
    // Steps 1 to 5 of ref; on a resize the icon keeps its Left in the side-by-side mode.
    void Layout(bool resizing);
    void d_MouseEnter();
    void d_MouseExit();
    void Text1_Change();

    // Constituents, from the bottom up.
    AlphaShapeCtl AlphaShapeCtl1;
    aicAlphaImage aicAlphaImage1{*this, "aicAlphaImage1"};
    rt::Label Label1{*this, "Label1"};
    aicAlphaImage d{*this, "d"};
    HiddenCheck Check1{[this] { ref(); }};
    rt::HiddenText Text1{*this, "", [this] { Text1_Change(); }};

    static constexpr uint32_t kWindowText = 0x80000008u;
    struct Settings {
        VANTREL_PROPERTY_FIELDS(VANTREL_TILE_PROPERTIES)
    } settings_;
    rt::Object shapeObject_;
};

}  // namespace controls
