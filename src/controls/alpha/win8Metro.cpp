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
    // The icon keeps the size the layout gives it: as a designed part it has its stored settings,
    // where AutoSize is off, not those of a control new on a form.
    aicAlphaImage1.AutoSize(false);
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

// In the order of the keys. "Texture" is written only; the bag keeps no automation objects, so
// "ShapeObject" is neither written nor read and the other object references read back as none.
// The background and caption keys go straight to the constituents, unmarked.
const rt::PropertyTable<win8Metro>& win8Metro::Properties() {
    using T = win8Metro;
    const rt::Picture none;
    auto ambientFont = [](T& t) { return t.Ambient().Font; };
    auto ambientFontCopy = [](T& t) { return t.Ambient().Font.Clone(); };
    static const rt::PropertyTable<T> table{
        {"BackColor", [](T& t) { return t.BackColor(); },
         [](T& t, uint32_t v) { t.AlphaShapeCtl1.BackColor(v); }, 0xFFFFFFu, 0xFFFFFFu},
        {"Enabled", &T::enabled_, false},
        {"BackStyle", &T::backStyle_, 0},
        {"BorderStyle", &T::borderStyle_, 0},
        {"WantMouseEvents", &T::wantMouseEvents_, false},
        {"TextureMode", &T::textureMode_, 0},
        {"Texture", &T::texture_, rt::kNotRead, none},
        {"StretchQuality", &T::stretchQuality_, false},
        {"Stretch", &T::stretch_, false},
        {"SizeFixed", &T::sizeFixed_, false},
        {"ShapeText", &T::shapeText_, ""},
        {"Shape", &T::shape_, 0},
        {"ShadowOpacity", &T::shadowOpacity_, 0},
        {"ShadowOffsetY", &T::shadowOffsetY_, 0},
        {"ShadowOffsetX", &T::shadowOffsetX_, 0},
        {"ShadowEnabled", &T::shadowEnabled_, false},
        {"ShadowDepth", &T::shadowDepth_, 0},
        {"ShadowColor", &T::shadowColor_, 0},
        {"SetRedraw", &T::setRedraw_, false},
        {"ScaleWidth", &T::scaleWidth_, 0},
        {"ScaleTop", &T::scaleTop_, 0},
        {"ScaleMode", &T::scaleMode_, 0},
        {"ScaleMethod", &T::scaleMethod_, 0},
        {"ScaleLeft", &T::scaleLeft_, 0},
        {"ScaleHeight", &T::scaleHeight_, 0},
        {"Rotation", &T::rotation_, 0},
        {"RotateEnabled", &T::rotateEnabled_, false},
        {"RightToLeft", &T::rightToLeft_, false},
        {"PolygonSides", &T::polygonSides_, 0},
        {"PolygonAngle", &T::polygonAngle_, 0},
        {"Picture", &T::picture_, none},
        {"PaletteMode", &T::paletteMode_, 0},
        {"Palette", &T::palette_, none},
        {"Opacity", &T::opacity_, 0},
        {"OLEDropMode", &T::oleDropMode_, 0},
        {"MousePointer", &T::mousePointer_, 0},
        {"MouseIcon", &T::mouseIcon_, none},
        {"Mirror", &T::mirror_, 0},
        {"MaskUsed", &T::maskUsed_, 0},
        {"MaskPicture", &T::maskPicture_, none},
        {"MaskColor", &T::maskColor_, 0},
        {"KeepOriginalFormat", &T::keepOriginalFormat_, false},
        {"InversedImage", &T::inversedImage_, false},
        {"IntensityOffset", &T::intensityOffset_, 0},
        {"ImageType", &T::imageType_, 0},
        {"Image", &T::image_, none},
        {"HyperLink", &T::hyperLink_, rt::kNotStored},
        {"hWnd", &T::hwnd_, 0},
        {"HitBehavior", &T::hitBehavior_, 0},
        {"hDC", &T::hdc_, 0},
        {"HasDC", &T::hasDC_, false},
        {"grayScale", &T::grayScale_, 0},
        {"GDIplusInitialized", &T::gdiplusInitialized_, false},
        {"GDIplusEnabled", &T::gdiplusEnabled_, false},
        {"FontUnderline", &T::fontUnderline_, false},
        {"FontTransparent", &T::fontTransparent_, false},
        {"FillStyle", [](T& t) { return t.FillStyle(); },
         [](T& t, int32_t v) { t.AlphaShapeCtl1.FillStyle(v); }, 57, 57},
        {"FillColor", [](T& t) { return t.FillColor(); },
         [](T& t, uint32_t v) { t.AlphaShapeCtl1.FillColor(v); }, 0xFFu, 0xFFu},
        {"DrawWidth", &T::drawWidth_, 0},
        {"DrawStyle", &T::drawStyle_, 0},
        {"DrawMode", &T::drawMode_, 0},
        {"DataMembers", &T::dataMembers_, rt::kNotStored},
        {"CurrentY", &T::currentY_, 0},
        {"CurrentX", &T::currentX_, 0},
        {"Controls", &T::controls_, rt::kNotStored},
        {"ContainerHwnd", &T::containerHwnd_, 0},
        {"ClipControls", &T::clipControls_, false},
        {"ClipBehavior", &T::clipBehavior_, 0},
        {"BorderWidth", &T::borderWidth_, 0},
        {"BorderTransparency", [](T& t) { return t.BorderTransparency(); },
         [](T& t, int32_t v) { t.AlphaShapeCtl1.BorderTransparency(v); }, 60, 60},
        {"BorderColor", [](T& t) { return t.BorderColor(); },
         [](T& t, uint32_t v) { t.AlphaShapeCtl1.BorderColor(v); }, kWindowText, kWindowText},
        {"BackTransparency", [](T& t) { return t.BackTransparency(); },
         [](T& t, int32_t v) { t.AlphaShapeCtl1.BackTransparency(v); }, 0, 0},
        {"AutoSize", &T::autoSize_, false},
        {"AutoRedraw", &T::autoRedraw_, false},
        {"Appearance", &T::appearance_, 0},
        {"AlignCenter", &T::alignCenter_, false},
        {"ActiveControl", &T::activeControl_, rt::kNotStored},
        {"Caption", [](T& t) { return t.Caption(); },
         [](T& t, std::string v) { t.Label1.Caption(std::move(v)); }, "Label1", "Label1"},
        {"ForeColor", [](T& t) { return t.ForeColor(); }, [](T& t, uint32_t v) { t.Label1.ForeColor(v); },
         0xFFFFFFu, 0xFFFFFFu},
        {"FontName", [](T& t) { return t.FontName(); },
         [](T& t, std::string v) { t.Label1.GetFont().Name(v); }, "Arial", ""},
        {"FontSize", [](T& t) { return t.FontSize(); }, [](T& t, float v) { t.Label1.GetFont().Size(v); }, 10,
         0},
        {"FontBold", [](T& t) { return t.FontBold(); }, [](T& t, bool v) { t.Label1.GetFont().Bold(v); },
         false, false},
        {"FontItalic", [](T& t) { return t.FontItalic(); },
         [](T& t, bool v) { t.Label1.GetFont().Italic(v); }, false, false},
        {"FontStrikethru", [](T& t) { return t.FontStrikethru(); },
         [](T& t, bool v) { t.Label1.GetFont().Strikethrough(v); }, false, false},
        {"Font", [](T& t) -> rt::Font& { return t.Label1.GetFont(); },
         [](T& t, rt::Font f) { t.Label1.SetFont(std::move(f)); }, ambientFontCopy, ambientFont},
        {"Value", [](T& t) { return t.Value(); }, [](T& t, int16_t v) { t.Check1.Value(v); }, 0, 0},
        {"tot", [](T& t) { return t.tot(); }, [](T& t, std::string v) { t.Text1.Text(std::move(v)); }, "",
         ""},
    };
    return table;
}

void win8Metro::UserControl_ReadProperties(rt::PropertyBag& b) {
    Properties().ReadAll(*this, b);
}

void win8Metro::UserControl_WriteProperties(rt::PropertyBag& b) {
    Properties().WriteAll(*this, b);
}

}  // namespace controls
