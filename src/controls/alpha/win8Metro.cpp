#include "controls/alpha/win8Metro.h"

#include <utility>

#include "controls/common/paint.h"
#include "runtime/error.h"
#include "runtime/lifetime.h"

namespace controls {

namespace {

constexpr uint32_t kWindowColour = 0x80000005u;
constexpr uint32_t kWindowText = 0x80000008u;
constexpr int16_t kCustomPointer = 99;

// The icon beside the caption: 105 x 89 pixels, 16 pixels from the left edge; the caption starts
// 100 twips right of it.
constexpr float kIconLeft = 240, kIconWidth = 1575, kIconHeight = 1335, kCaptionGap = 100;

// The background as designed: a rectangle with back style 1 and border style 1, fill 57 (the
// forward diagonal gradient), mouse events wanted, stretched and centred; back transparency 1.
std::shared_ptr<const rt::PropertyBag> DesignedBackground() {
    static const auto bag = std::make_shared<const rt::PropertyBag>(rt::PropertyBag{
        {"Settings", int32_t{0x20007918}},
        {"BdrColor", 0xE47A23u},
        {"FillColor", 0xFFu},
        {"BkColor", 0xFFC0FFu},
        {"TransColors", int32_t{1}},
    });
    return bag;
}

rt::Font DesignedCaptionFont() {
    rt::Font font("Tahoma", 12, true);
    font.Charset(178);
    return font;
}

// Reading and writing one key of the bag.
template <class T>
void Read(const rt::PropertyBag& bag, const char* key, T& field, const T& def) {
    field = bag.ReadProperty(key, def);
}
template <class T>
void Write(rt::PropertyBag& bag, const char* key, const T& value, const T& def) {
    bag.WriteProperty(key, rt::PropertyBag::Value(value), rt::PropertyBag::Value(def));
}

}  // namespace

void win8Metro::HiddenCheck::Value(int16_t v) {
    if (v < 0 || v > 2) rt::Raise(rt::errInvalidPropertyValue, "Check1");
    if (v == value_) return;
    value_ = v;
    if (onClick_) {
        rt::HandlerScope scope;
        onClick_();
    }
}

win8Metro::win8Metro(rt::Container& c, std::string name, int index,
                     std::shared_ptr<const rt::PropertyBag> stored)
    : UserControl(c, std::move(name), index, Windowing::Windowless, std::move(stored)),
      AlphaShapeCtl1(*this, "AlphaShapeCtl1", -1, DesignedBackground()) {
    DesignConstituents();
    wire();
    Create();
}

win8Metro::win8Metro(const win8Metro& templ, int index)
    : UserControl(templ, index), AlphaShapeCtl1(*this, "AlphaShapeCtl1", -1, DesignedBackground()) {
    DesignConstituents();
    wire();
    Create();
}

void win8Metro::DesignConstituents() {
    UserControl::BackColor(kWindowColour);
    AlphaShapeCtl1.Move(0, 0, 4695, 1335);
    aicAlphaImage1.Caption("");
    aicAlphaImage1.Move(240, 120, 1215, 1095);
    Label1.Caption("Label1");
    Label1.ForeColor(0xFFFFFF);
    Label1.BackStyle(rt::vbTransparent);
    Label1.SetFont(DesignedCaptionFont());
    Label1.AutoSize(true);
    Label1.Move(2160, 600, 810, 285);
    d.HitTest(0);
    d.MouseIcon(HandPointerPicture());
    d.MousePointer(kCustomPointer);
    d.Caption("");
    d.ScaleMethod(1);
    d.Move(720, 720, 1215, 855);
}

void win8Metro::wire() {
    d.Click = [this](int, int16_t&) { RaiseEvent(Click); };
    d.MouseEnter = [this](int) { d_MouseEnter(); };
    d.MouseExit = [this](int) { d_MouseExit(); };
}

// ---- members that act

void win8Metro::BackColor(uint32_t v) {
    AlphaShapeCtl1.BackColor(v);
    PropertyChanged("BackColor");
}

bool win8Metro::LoadImage_FromFile(const std::string& Filename, int32_t desiredIconWidth,
                                   int32_t desiredIconHeight, int32_t desiredIconBitDepth) {
    return aicAlphaImage1.LoadImage_FromFile(Filename, desiredIconWidth, desiredIconHeight,
                                             desiredIconBitDepth);
}

// The icon takes the picture as it is; the reference comes back unchanged.
bool win8Metro::LoadImage_FromStdPicture(rt::Picture& stdPic) {
    return aicAlphaImage1.LoadImage_FromStdPicture(stdPic);
}

void win8Metro::FillStyle(int32_t v) {
    AlphaShapeCtl1.FillStyle(v);
    PropertyChanged("FillStyle");
}

void win8Metro::FillColor(uint32_t v) {
    AlphaShapeCtl1.FillColor(v);
    PropertyChanged("FillColor");
}

void win8Metro::BorderTransparency(int32_t v) {
    AlphaShapeCtl1.BorderTransparency(v);
    PropertyChanged("BorderTransparency");
}

void win8Metro::BorderColor(uint32_t v) {
    AlphaShapeCtl1.BorderColor(v);
    PropertyChanged("BorderColor");
}

void win8Metro::BackTransparency(int32_t v) {
    AlphaShapeCtl1.BackTransparency(v);
    PropertyChanged("BackTransparency");
}

void win8Metro::ref() {
    Layout(false);
    rt::Control::Refresh();
}

void win8Metro::Caption(std::string v) {
    Label1.Caption(std::move(v));
    PropertyChanged("Caption");
}

void win8Metro::ForeColor(uint32_t v) {
    Label1.ForeColor(v);
    PropertyChanged("ForeColor");
}

void win8Metro::FontName(const std::string& v) {
    Label1.GetFont().Name(v);
    PropertyChanged("FontName");
}

void win8Metro::FontSize(float v) {
    Label1.GetFont().Size(v);
    PropertyChanged("FontSize");
}

void win8Metro::FontBold(bool v) {
    Label1.GetFont().Bold(v);
    PropertyChanged("FontBold");
}

void win8Metro::FontItalic(bool v) {
    Label1.GetFont().Italic(v);
    PropertyChanged("FontItalic");
}

void win8Metro::FontStrikethru(bool v) {
    Label1.GetFont().Strikethrough(v);
    PropertyChanged("FontStrikethru");
}

void win8Metro::Font(rt::Font v) {
    Label1.SetFont(std::move(v));
    PropertyChanged("Font");
}

void win8Metro::Value(int16_t v) {
    Check1.Value(v);
    PropertyChanged("Value");
}

void win8Metro::tot(std::string v) {
    Text1.Text(std::move(v));
    PropertyChanged("tot");
}

// ---- layout and the mouse surface

void win8Metro::Layout(bool resizing) {
    const auto w = static_cast<float>(rt::Control::Width());
    const auto h = static_cast<float>(rt::Control::Height());
    auto single = [](double v) { return static_cast<float>(v); };

    AlphaShapeCtl1.Width(w);
    AlphaShapeCtl1.Height(h);
    AlphaShapeCtl1.Top(0);
    AlphaShapeCtl1.Left(0);
    Label1.Top(single(AlphaShapeCtl1.Height()) / 2 - single(Label1.Height()) / 2);
    d.Width(w);
    d.Height(h);
    d.Top(0);
    d.Left(0);
    if (Check1.Value() != 0) {
        aicAlphaImage1.Top(0);
        aicAlphaImage1.Left(0);
        aicAlphaImage1.Width(w);
        aicAlphaImage1.Height(h);
        aicAlphaImage1.ScaleMethod(1);
        Label1.Left(single(AlphaShapeCtl1.Width()) / 2 - single(Label1.Width()) / 2);
    } else {
        const float left = resizing ? single(aicAlphaImage1.Left()) : kIconLeft;
        aicAlphaImage1.ScaleMethod(0);
        aicAlphaImage1.Width(kIconWidth);
        aicAlphaImage1.Height(kIconHeight);
        aicAlphaImage1.Left(left);
        aicAlphaImage1.Top(single(AlphaShapeCtl1.Height()) / 2 - single(aicAlphaImage1.Height()) / 2);
        Label1.Left(single(aicAlphaImage1.Left()) + single(aicAlphaImage1.Width()) + kCaptionGap);
    }
    aicAlphaImage1.Opacity(90);
}

// Under the pointer the icon moves 2 pixels down and right and brightens, and the gradient runs
// along the other diagonal.
void win8Metro::d_MouseEnter() {
    int32_t x = 2, y = 2;
    aicAlphaImage1.OffsetImage(true, x, y);
    aicAlphaImage1.IntensityOffset(5);
    AlphaShapeCtl1.FillStyle(58);
}

void win8Metro::d_MouseExit() {
    int32_t x = 0, y = 0;
    aicAlphaImage1.OffsetImage(true, x, y);
    aicAlphaImage1.IntensityOffset(0);
    AlphaShapeCtl1.FillStyle(57);
}

// An empty text leaves the tooltip as it was.
void win8Metro::Text1_Change() {
    if (!Text1.Text().empty()) d.ToolTipText(Text1.Text());
}

// ---- stored settings

void win8Metro::UserControl_InitProperties() {
    enabled_ = wantMouseEvents_ = stretchQuality_ = stretch_ = sizeFixed_ = shadowEnabled_ = setRedraw_ =
        rotateEnabled_ = rightToLeft_ = keepOriginalFormat_ = inversedImage_ = hasDC_ = gdiplusInitialized_ =
            gdiplusEnabled_ = fontUnderline_ = fontTransparent_ = clipControls_ = autoSize_ = autoRedraw_ =
                alignCenter_ = false;
    backStyle_ = borderStyle_ = scaleMode_ = paletteMode_ = oleDropMode_ = mousePointer_ = hitBehavior_ =
        drawWidth_ = drawStyle_ = drawMode_ = clipBehavior_ = appearance_ = 0;
    textureMode_ = shape_ = shadowOpacity_ = shadowOffsetY_ = shadowOffsetX_ = shadowDepth_ = shadowColor_ =
        scaleMethod_ = rotation_ = polygonSides_ = opacity_ = mirror_ = maskUsed_ = maskColor_ = imageType_ =
            hwnd_ = hdc_ = grayScale_ = containerHwnd_ = borderWidth_ = 0;
    scaleWidth_ = scaleTop_ = scaleLeft_ = scaleHeight_ = polygonAngle_ = intensityOffset_ = currentY_ =
        currentX_ = 0;
    shapeText_.clear();
    picture_ = palette_ = mouseIcon_ = maskPicture_ = image_ = rt::Picture();
}

// In the order of the keys; "Texture" and "ShapeObject" are written only. The bag keeps no
// automation objects, so the object references read back as none.
void win8Metro::UserControl_ReadProperties(rt::PropertyBag& b) {
    const rt::Picture none;
    AlphaShapeCtl1.BackColor(b.ReadProperty("BackColor", 0xFFFFFFu));
    Read(b, "Enabled", enabled_, false);
    Read(b, "BackStyle", backStyle_, int16_t{0});
    Read(b, "BorderStyle", borderStyle_, int16_t{0});
    Read(b, "WantMouseEvents", wantMouseEvents_, false);
    Read(b, "TextureMode", textureMode_, 0);
    Read(b, "StretchQuality", stretchQuality_, false);
    Read(b, "Stretch", stretch_, false);
    Read(b, "SizeFixed", sizeFixed_, false);
    Read(b, "ShapeText", shapeText_, std::string());
    Read(b, "Shape", shape_, 0);
    Read(b, "ShadowOpacity", shadowOpacity_, 0);
    Read(b, "ShadowOffsetY", shadowOffsetY_, 0);
    Read(b, "ShadowOffsetX", shadowOffsetX_, 0);
    Read(b, "ShadowEnabled", shadowEnabled_, false);
    Read(b, "ShadowDepth", shadowDepth_, 0);
    Read(b, "ShadowColor", shadowColor_, 0);
    Read(b, "SetRedraw", setRedraw_, false);
    Read(b, "ScaleWidth", scaleWidth_, 0.0f);
    Read(b, "ScaleTop", scaleTop_, 0.0f);
    Read(b, "ScaleMode", scaleMode_, int16_t{0});
    Read(b, "ScaleMethod", scaleMethod_, 0);
    Read(b, "ScaleLeft", scaleLeft_, 0.0f);
    Read(b, "ScaleHeight", scaleHeight_, 0.0f);
    Read(b, "Rotation", rotation_, 0);
    Read(b, "RotateEnabled", rotateEnabled_, false);
    Read(b, "RightToLeft", rightToLeft_, false);
    Read(b, "PolygonSides", polygonSides_, 0);
    Read(b, "PolygonAngle", polygonAngle_, 0.0f);
    Read(b, "Picture", picture_, none);
    Read(b, "PaletteMode", paletteMode_, int16_t{0});
    Read(b, "Palette", palette_, none);
    Read(b, "Opacity", opacity_, 0);
    Read(b, "OLEDropMode", oleDropMode_, int16_t{0});
    Read(b, "MousePointer", mousePointer_, int16_t{0});
    Read(b, "MouseIcon", mouseIcon_, none);
    Read(b, "Mirror", mirror_, 0);
    Read(b, "MaskUsed", maskUsed_, 0);
    Read(b, "MaskPicture", maskPicture_, none);
    Read(b, "MaskColor", maskColor_, 0);
    Read(b, "KeepOriginalFormat", keepOriginalFormat_, false);
    Read(b, "InversedImage", inversedImage_, false);
    Read(b, "IntensityOffset", intensityOffset_, 0.0f);
    Read(b, "ImageType", imageType_, 0);
    Read(b, "Image", image_, none);
    hyperLink_ = rt::Object();
    Read(b, "hWnd", hwnd_, 0);
    Read(b, "HitBehavior", hitBehavior_, int16_t{0});
    Read(b, "hDC", hdc_, 0);
    Read(b, "HasDC", hasDC_, false);
    Read(b, "grayScale", grayScale_, 0);
    Read(b, "GDIplusInitialized", gdiplusInitialized_, false);
    Read(b, "GDIplusEnabled", gdiplusEnabled_, false);
    Read(b, "FontUnderline", fontUnderline_, false);
    Read(b, "FontTransparent", fontTransparent_, false);
    AlphaShapeCtl1.FillStyle(b.ReadProperty("FillStyle", int32_t{57}));
    AlphaShapeCtl1.FillColor(b.ReadProperty("FillColor", 0xFFu));
    Read(b, "DrawWidth", drawWidth_, int16_t{0});
    Read(b, "DrawStyle", drawStyle_, int16_t{0});
    Read(b, "DrawMode", drawMode_, int16_t{0});
    dataMembers_ = rt::Object();
    Read(b, "CurrentY", currentY_, 0.0f);
    Read(b, "CurrentX", currentX_, 0.0f);
    controls_ = rt::Object();
    Read(b, "ContainerHwnd", containerHwnd_, 0);
    Read(b, "ClipControls", clipControls_, false);
    Read(b, "ClipBehavior", clipBehavior_, int16_t{0});
    Read(b, "BorderWidth", borderWidth_, 0);
    AlphaShapeCtl1.BorderTransparency(b.ReadProperty("BorderTransparency", int32_t{60}));
    AlphaShapeCtl1.BorderColor(b.ReadProperty("BorderColor", kWindowText));
    AlphaShapeCtl1.BackTransparency(b.ReadProperty("BackTransparency", int32_t{0}));
    Read(b, "AutoSize", autoSize_, false);
    Read(b, "AutoRedraw", autoRedraw_, false);
    Read(b, "Appearance", appearance_, int16_t{0});
    Read(b, "AlignCenter", alignCenter_, false);
    activeControl_ = rt::Object();
    Label1.Caption(b.ReadProperty("Caption", "Label1"));
    Label1.ForeColor(b.ReadProperty("ForeColor", 0xFFFFFFu));
    Label1.GetFont().Name(b.ReadProperty("FontName", "Arial"));
    Label1.GetFont().Size(b.ReadProperty("FontSize", 10.0f));
    Label1.GetFont().Bold(b.ReadProperty("FontBold", false));
    Label1.GetFont().Italic(b.ReadProperty("FontItalic", false));
    Label1.GetFont().Strikethrough(b.ReadProperty("FontStrikethru", false));
    Label1.SetFont(b.ReadProperty("Font", Ambient().Font.Clone()));
    Check1.Value(b.ReadProperty("Value", int16_t{0}));
    Text1.Text(b.ReadProperty("tot", ""));
}

// Every key, in order, with its write default.
void win8Metro::UserControl_WriteProperties(rt::PropertyBag& b) {
    const rt::Picture none;
    Write(b, "BackColor", BackColor(), 0xFFFFFFu);
    Write(b, "Enabled", enabled_, false);
    Write(b, "BackStyle", backStyle_, int16_t{0});
    Write(b, "BorderStyle", borderStyle_, int16_t{0});
    Write(b, "WantMouseEvents", wantMouseEvents_, false);
    Write(b, "TextureMode", textureMode_, 0);
    Write(b, "Texture", texture_, none);
    Write(b, "StretchQuality", stretchQuality_, false);
    Write(b, "Stretch", stretch_, false);
    Write(b, "SizeFixed", sizeFixed_, false);
    Write(b, "ShapeText", shapeText_, std::string());
    // "ShapeObject": an automation object, which the bag does not keep.
    Write(b, "Shape", shape_, 0);
    Write(b, "ShadowOpacity", shadowOpacity_, 0);
    Write(b, "ShadowOffsetY", shadowOffsetY_, 0);
    Write(b, "ShadowOffsetX", shadowOffsetX_, 0);
    Write(b, "ShadowEnabled", shadowEnabled_, false);
    Write(b, "ShadowDepth", shadowDepth_, 0);
    Write(b, "ShadowColor", shadowColor_, 0);
    Write(b, "SetRedraw", setRedraw_, false);
    Write(b, "ScaleWidth", scaleWidth_, 0.0f);
    Write(b, "ScaleTop", scaleTop_, 0.0f);
    Write(b, "ScaleMode", scaleMode_, int16_t{0});
    Write(b, "ScaleMethod", scaleMethod_, 0);
    Write(b, "ScaleLeft", scaleLeft_, 0.0f);
    Write(b, "ScaleHeight", scaleHeight_, 0.0f);
    Write(b, "Rotation", rotation_, 0);
    Write(b, "RotateEnabled", rotateEnabled_, false);
    Write(b, "RightToLeft", rightToLeft_, false);
    Write(b, "PolygonSides", polygonSides_, 0);
    Write(b, "PolygonAngle", polygonAngle_, 0.0f);
    Write(b, "Picture", picture_, none);
    Write(b, "PaletteMode", paletteMode_, int16_t{0});
    Write(b, "Palette", palette_, none);
    Write(b, "Opacity", opacity_, 0);
    Write(b, "OLEDropMode", oleDropMode_, int16_t{0});
    Write(b, "MousePointer", mousePointer_, int16_t{0});
    Write(b, "MouseIcon", mouseIcon_, none);
    Write(b, "Mirror", mirror_, 0);
    Write(b, "MaskUsed", maskUsed_, 0);
    Write(b, "MaskPicture", maskPicture_, none);
    Write(b, "MaskColor", maskColor_, 0);
    Write(b, "KeepOriginalFormat", keepOriginalFormat_, false);
    Write(b, "InversedImage", inversedImage_, false);
    Write(b, "IntensityOffset", intensityOffset_, 0.0f);
    Write(b, "ImageType", imageType_, 0);
    Write(b, "Image", image_, none);
    // "HyperLink": an automation object.
    Write(b, "hWnd", hwnd_, 0);
    Write(b, "HitBehavior", hitBehavior_, int16_t{0});
    Write(b, "hDC", hdc_, 0);
    Write(b, "HasDC", hasDC_, false);
    Write(b, "grayScale", grayScale_, 0);
    Write(b, "GDIplusInitialized", gdiplusInitialized_, false);
    Write(b, "GDIplusEnabled", gdiplusEnabled_, false);
    Write(b, "FontUnderline", fontUnderline_, false);
    Write(b, "FontTransparent", fontTransparent_, false);
    Write(b, "FillStyle", FillStyle(), 57);
    Write(b, "FillColor", FillColor(), 0xFFu);
    Write(b, "DrawWidth", drawWidth_, int16_t{0});
    Write(b, "DrawStyle", drawStyle_, int16_t{0});
    Write(b, "DrawMode", drawMode_, int16_t{0});
    // "DataMembers": an automation object.
    Write(b, "CurrentY", currentY_, 0.0f);
    Write(b, "CurrentX", currentX_, 0.0f);
    // "Controls": an automation object.
    Write(b, "ContainerHwnd", containerHwnd_, 0);
    Write(b, "ClipControls", clipControls_, false);
    Write(b, "ClipBehavior", clipBehavior_, int16_t{0});
    Write(b, "BorderWidth", borderWidth_, 0);
    Write(b, "BorderTransparency", BorderTransparency(), 60);
    Write(b, "BorderColor", BorderColor(), kWindowText);
    Write(b, "BackTransparency", BackTransparency(), 0);
    Write(b, "AutoSize", autoSize_, false);
    Write(b, "AutoRedraw", autoRedraw_, false);
    Write(b, "Appearance", appearance_, int16_t{0});
    Write(b, "AlignCenter", alignCenter_, false);
    // "ActiveControl": an automation object.
    Write(b, "Caption", Caption(), std::string("Label1"));
    Write(b, "ForeColor", ForeColor(), 0xFFFFFFu);
    Write(b, "FontName", FontName(), std::string());
    Write(b, "FontSize", FontSize(), 0.0f);
    Write(b, "FontBold", FontBold(), false);
    Write(b, "FontItalic", FontItalic(), false);
    Write(b, "FontStrikethru", FontStrikethru(), false);
    b.WriteProperty("Font", Label1.GetFont(), Ambient().Font);
    Write(b, "Value", Value(), int16_t{0});
    Write(b, "tot", tot(), std::string());
}

}  // namespace controls
