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
#include "runtime/property_table.h"
#include "runtime/usercontrol.h"

namespace controls {

// Declares a member that only keeps its value: the getter, and the setter that stores the value
// and marks the key changed.
#define VANTREL_TILE_STORED(Type, Member, Key, field) \
    Type Member() const {                             \
        return field;                                 \
    }                                                 \
    void Member(Type v) {                             \
        Store(field, std::move(v), Key);              \
    }

class win8Metro : public rt::UserControl {
public:
    win8Metro(rt::Container& c, std::string name, int index = -1,
              std::shared_ptr<const rt::PropertyBag> stored = nullptr);
    win8Metro(const win8Metro& templ, int index);

    // ---- members that act
    uint32_t BackColor() const { return AlphaShapeCtl1.BackColor(); }
    void BackColor(uint32_t v);
    bool LoadImage_FromFile(const std::string& Filename, int32_t desiredIconWidth = 0,
                            int32_t desiredIconHeight = 0, int32_t desiredIconBitDepth = 0);
    bool LoadImage_FromStdPicture(rt::Picture& stdPic);
    int32_t FillStyle() const { return AlphaShapeCtl1.FillStyle(); }
    void FillStyle(int32_t v);
    uint32_t FillColor() const { return AlphaShapeCtl1.FillColor(); }
    void FillColor(uint32_t v);
    int32_t BorderTransparency() const { return AlphaShapeCtl1.BorderTransparency(); }
    void BorderTransparency(int32_t v);
    uint32_t BorderColor() const { return AlphaShapeCtl1.BorderColor(); }
    void BorderColor(uint32_t v);
    int32_t BackTransparency() const { return AlphaShapeCtl1.BackTransparency(); }
    void BackTransparency(int32_t v);
    // Lays the tile out for its size and layout mode, then repaints it.
    void ref();
    const std::string& Caption() const noexcept { return Label1.Caption(); }
    void Caption(std::string v);
    uint32_t ForeColor() const noexcept { return Label1.ForeColor(); }
    void ForeColor(uint32_t v);
    std::string FontName() { return Label1.GetFont().Name(); }
    void FontName(const std::string& v);
    float FontSize() { return Label1.GetFont().Size(); }
    void FontSize(float v);
    bool FontBold() { return Label1.GetFont().Bold(); }
    void FontBold(bool v);
    bool FontItalic() { return Label1.GetFont().Italic(); }
    void FontItalic(bool v);
    bool FontStrikethru() { return Label1.GetFont().Strikethrough(); }
    void FontStrikethru(bool v);
    // The caption's own font object: a change made through it shows on the caption at once.
    rt::Font& Font() noexcept { return Label1.GetFont(); }
    void Font(rt::Font v);
    // The layout mode: 0 the icon at the left with the caption beside it, 1 or 2 the icon filling
    // the tile under a centred caption; anything else raises 380. A change lays the tile out.
    int16_t Value() const noexcept { return Check1.Value(); }
    void Value(int16_t v);
    // The tooltip text; a non-empty one becomes the tooltip of the whole tile.
    const std::string& tot() const noexcept { return Text1.Text(); }
    void tot(std::string v);

    // ---- members that only keep their value
    // Kept only: the tile stays enabled whatever it holds.
    bool Enabled() const noexcept { return enabled_; }
    void Enabled(bool v) override { Store(enabled_, v, "Enabled"); }
    VANTREL_TILE_STORED(bool, WantMouseEvents, "WantMouseEvents", wantMouseEvents_)
    VANTREL_TILE_STORED(bool, StretchQuality, "StretchQuality", stretchQuality_)
    VANTREL_TILE_STORED(bool, Stretch, "Stretch", stretch_)
    VANTREL_TILE_STORED(bool, SizeFixed, "SizeFixed", sizeFixed_)
    VANTREL_TILE_STORED(bool, ShadowEnabled, "ShadowEnabled", shadowEnabled_)
    VANTREL_TILE_STORED(bool, SetRedraw, "SetRedraw", setRedraw_)
    VANTREL_TILE_STORED(bool, RotateEnabled, "RotateEnabled", rotateEnabled_)
    VANTREL_TILE_STORED(bool, RightToLeft, "RightToLeft", rightToLeft_)
    VANTREL_TILE_STORED(bool, KeepOriginalFormat, "KeepOriginalFormat", keepOriginalFormat_)
    VANTREL_TILE_STORED(bool, InversedImage, "InversedImage", inversedImage_)
    VANTREL_TILE_STORED(bool, HasDC, "HasDC", hasDC_)
    VANTREL_TILE_STORED(bool, GDIplusInitialized, "GDIplusInitialized", gdiplusInitialized_)
    VANTREL_TILE_STORED(bool, GDIplusEnabled, "GDIplusEnabled", gdiplusEnabled_)
    VANTREL_TILE_STORED(bool, FontUnderline, "FontUnderline", fontUnderline_)
    VANTREL_TILE_STORED(bool, FontTransparent, "FontTransparent", fontTransparent_)
    VANTREL_TILE_STORED(bool, ClipControls, "ClipControls", clipControls_)
    VANTREL_TILE_STORED(bool, AutoSize, "AutoSize", autoSize_)
    VANTREL_TILE_STORED(bool, AutoRedraw, "AutoRedraw", autoRedraw_)
    VANTREL_TILE_STORED(bool, AlignCenter, "AlignCenter", alignCenter_)

    VANTREL_TILE_STORED(int16_t, BackStyle, "BackStyle", backStyle_)
    VANTREL_TILE_STORED(int16_t, BorderStyle, "BorderStyle", borderStyle_)
    VANTREL_TILE_STORED(int16_t, ScaleMode, "ScaleMode", scaleMode_)
    VANTREL_TILE_STORED(int16_t, PaletteMode, "PaletteMode", paletteMode_)
    VANTREL_TILE_STORED(int16_t, OLEDropMode, "OLEDropMode", oleDropMode_)
    VANTREL_TILE_STORED(int16_t, MousePointer, "MousePointer", mousePointer_)
    VANTREL_TILE_STORED(int16_t, HitBehavior, "HitBehavior", hitBehavior_)
    VANTREL_TILE_STORED(int16_t, DrawWidth, "DrawWidth", drawWidth_)
    VANTREL_TILE_STORED(int16_t, DrawStyle, "DrawStyle", drawStyle_)
    VANTREL_TILE_STORED(int16_t, DrawMode, "DrawMode", drawMode_)
    VANTREL_TILE_STORED(int16_t, ClipBehavior, "ClipBehavior", clipBehavior_)
    VANTREL_TILE_STORED(int16_t, Appearance, "Appearance", appearance_)

    VANTREL_TILE_STORED(int32_t, TextureMode, "TextureMode", textureMode_)
    VANTREL_TILE_STORED(int32_t, Shape, "Shape", shape_)
    VANTREL_TILE_STORED(int32_t, ShadowOpacity, "ShadowOpacity", shadowOpacity_)
    VANTREL_TILE_STORED(int32_t, ShadowOffsetY, "ShadowOffsetY", shadowOffsetY_)
    VANTREL_TILE_STORED(int32_t, ShadowOffsetX, "ShadowOffsetX", shadowOffsetX_)
    VANTREL_TILE_STORED(int32_t, ShadowDepth, "ShadowDepth", shadowDepth_)
    VANTREL_TILE_STORED(int32_t, ShadowColor, "ShadowColor", shadowColor_)
    VANTREL_TILE_STORED(int32_t, ScaleMethod, "ScaleMethod", scaleMethod_)
    VANTREL_TILE_STORED(int32_t, Rotation, "Rotation", rotation_)
    VANTREL_TILE_STORED(int32_t, PolygonSides, "PolygonSides", polygonSides_)
    VANTREL_TILE_STORED(int32_t, Opacity, "Opacity", opacity_)
    VANTREL_TILE_STORED(int32_t, Mirror, "Mirror", mirror_)
    VANTREL_TILE_STORED(int32_t, MaskUsed, "MaskUsed", maskUsed_)
    VANTREL_TILE_STORED(int32_t, MaskColor, "MaskColor", maskColor_)
    VANTREL_TILE_STORED(int32_t, ImageType, "ImageType", imageType_)
    VANTREL_TILE_STORED(int32_t, hwnd, "hWnd", hwnd_)
    VANTREL_TILE_STORED(int32_t, hdc, "hDC", hdc_)
    VANTREL_TILE_STORED(int32_t, grayScale, "grayScale", grayScale_)
    VANTREL_TILE_STORED(int32_t, ContainerHwnd, "ContainerHwnd", containerHwnd_)
    VANTREL_TILE_STORED(int32_t, BorderWidth, "BorderWidth", borderWidth_)

    VANTREL_TILE_STORED(float, ScaleWidth, "ScaleWidth", scaleWidth_)
    VANTREL_TILE_STORED(float, ScaleTop, "ScaleTop", scaleTop_)
    VANTREL_TILE_STORED(float, ScaleLeft, "ScaleLeft", scaleLeft_)
    VANTREL_TILE_STORED(float, ScaleHeight, "ScaleHeight", scaleHeight_)
    VANTREL_TILE_STORED(float, PolygonAngle, "PolygonAngle", polygonAngle_)
    VANTREL_TILE_STORED(float, IntensityOffset, "IntensityOffset", intensityOffset_)
    VANTREL_TILE_STORED(float, CurrentY, "CurrentY", currentY_)
    VANTREL_TILE_STORED(float, CurrentX, "CurrentX", currentX_)

    VANTREL_TILE_STORED(std::string, ShapeText, "ShapeText", shapeText_)

    VANTREL_TILE_STORED(rt::Picture, Picture, "Picture", picture_)
    VANTREL_TILE_STORED(rt::Picture, Palette, "Palette", palette_)
    VANTREL_TILE_STORED(rt::Picture, MouseIcon, "MouseIcon", mouseIcon_)
    VANTREL_TILE_STORED(rt::Picture, MaskPicture, "MaskPicture", maskPicture_)
    VANTREL_TILE_STORED(rt::Picture, Image, "Image", image_)

    // Object references, kept as given.
    void Texture(rt::Picture v) { Store(texture_, std::move(v), "Texture"); }
    VANTREL_TILE_STORED(rt::Object, ShapeObject, "ShapeObject", shapeObject_)
    VANTREL_TILE_STORED(rt::Object, HyperLink, "HyperLink", hyperLink_)
    VANTREL_TILE_STORED(rt::Object, DataMembers, "DataMembers", dataMembers_)
    VANTREL_TILE_STORED(rt::Object, Controls, "Controls", controls_)
    VANTREL_TILE_STORED(rt::Object, ActiveControl, "ActiveControl", activeControl_)

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
    void UserControl_InitProperties() override;
    void UserControl_ReadProperties(rt::PropertyBag& PropBag) override;
    void UserControl_WriteProperties(rt::PropertyBag& PropBag) override;
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

    bool enabled_ = false, wantMouseEvents_ = false, stretchQuality_ = false, stretch_ = false,
         sizeFixed_ = false, shadowEnabled_ = false, setRedraw_ = false, rotateEnabled_ = false,
         rightToLeft_ = false, keepOriginalFormat_ = false, inversedImage_ = false, hasDC_ = false,
         gdiplusInitialized_ = false, gdiplusEnabled_ = false, fontUnderline_ = false,
         fontTransparent_ = false, clipControls_ = false, autoSize_ = false, autoRedraw_ = false,
         alignCenter_ = false;
    int16_t backStyle_ = 0, borderStyle_ = 0, scaleMode_ = 0, paletteMode_ = 0, oleDropMode_ = 0,
            mousePointer_ = 0, hitBehavior_ = 0, drawWidth_ = 0, drawStyle_ = 0, drawMode_ = 0,
            clipBehavior_ = 0, appearance_ = 0;
    int32_t textureMode_ = 0, shape_ = 0, shadowOpacity_ = 0, shadowOffsetY_ = 0, shadowOffsetX_ = 0,
            shadowDepth_ = 0, shadowColor_ = 0, scaleMethod_ = 0, rotation_ = 0, polygonSides_ = 0,
            opacity_ = 0, mirror_ = 0, maskUsed_ = 0, maskColor_ = 0, imageType_ = 0, hwnd_ = 0, hdc_ = 0,
            grayScale_ = 0, containerHwnd_ = 0, borderWidth_ = 0;
    float scaleWidth_ = 0, scaleTop_ = 0, scaleLeft_ = 0, scaleHeight_ = 0, polygonAngle_ = 0,
          intensityOffset_ = 0, currentY_ = 0, currentX_ = 0;
    std::string shapeText_;
    rt::Picture picture_, palette_, mouseIcon_, maskPicture_, image_, texture_;
    rt::Object shapeObject_, hyperLink_, dataMembers_, controls_, activeControl_;
};

#undef VANTREL_TILE_STORED

}  // namespace controls
