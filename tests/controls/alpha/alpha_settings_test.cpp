// The stored settings of the tile, the alpha picture and the vector shape, compared exactly: the
// names, their order, the kinds and the values written by a new tile, by controls read from an
// empty bag, by a tile read from a bag where every setting differs from its defaults, and by
// controls whose public setters ran, with the changes those setters marked. The expected texts
// were saved from the controls as first written; a change in how their settings are declared
// must leave them as they are. (The alpha picture's and the shape's other cases are in
// stored_settings_test.cpp.)
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "controls/alpha/AlphaShapeCtl.h"
#include "controls/alpha/aicAlphaImage.h"
#include "controls/alpha/alpha_fixture.h"
#include "controls/alpha/win8Metro.h"
#include "runtime/form.h"
#include "runtime/lifetime.h"
#include "support/settings_fixture.h"
#include "support/window_helpers.h"

namespace {

using testsupport::Courier;
using testsupport::Shown;

std::string Joined(const std::vector<std::string>& names) {
    std::string all;
    for (const std::string& n : names) all += n + "\n";
    return all;
}

class AlphaSettings : public testsupport::SettingsTest<> {
protected:
    // A control read from the bag; none: a new control.
    template <class C>
    std::unique_ptr<C> Make(const rt::PropertyBag* bag) {
        std::shared_ptr<const rt::PropertyBag> stored;
        if (bag) stored = std::make_shared<const rt::PropertyBag>(*bag);
        return SettingsTest::Make<C>(std::move(stored));
    }
    template <class C>
    std::string Written(const rt::PropertyBag* bag) {
        return Shown(Make<C>(bag)->SaveProperties().Dump());
    }
    // What a new control writes once the setters ran, and the changes they marked.
    template <class C>
    void CheckSetters(const char* what, const std::function<void(C&)>& setters, const std::string& expected,
                      const std::string& changed) {
        SCOPED_TRACE(what);
        auto control = Make<C>(nullptr);
        control->ClearChangedProperties();
        setters(*control);
        EXPECT_EQ(Joined(control->ChangedProperties()), changed);
        EXPECT_EQ(Shown(control->SaveProperties().Dump()), expected);
    }
};

TEST_F(AlphaSettings, TileNewAndFromAnEmptyBag) {
    EXPECT_EQ(Written<controls::win8Metro>(nullptr),
              "BackColor = Long 16761087\n"
              "BorderTransparency = Long 0\n"
              "BorderColor = Long 14973475\n"
              "BackTransparency = Long 1\n"
              "FontName = String \"Tahoma\"\n"
              "FontSize = Double 12\n"
              "FontBold = Boolean True\n"
              "Font = Font \"Tahoma\" 12 weight 700 charset 178 bold\n");
    const rt::PropertyBag empty;
    EXPECT_EQ(Written<controls::win8Metro>(&empty),
              "FontName = String \"Arial\"\n"
              "FontSize = Double 9.75\n");
}

TEST_F(AlphaSettings, TileWithEverySettingOffItsDefault) {
    using Value = rt::PropertyBag::Value;
    const std::vector<std::pair<std::string, Value>> keys = {
        {"BackColor", 0x102030u},
        {"Enabled", true},
        {"BackStyle", int16_t{1}},
        {"BorderStyle", int16_t{2}},
        {"WantMouseEvents", true},
        {"TextureMode", int32_t{3}},
        {"Texture", testutil::SolidPicture(1, 1, RGB(1, 1, 1))},  // never read
        {"StretchQuality", true},
        {"Stretch", true},
        {"SizeFixed", true},
        {"ShapeText", "text"},
        {"Shape", int32_t{4}},
        {"ShadowOpacity", int32_t{5}},
        {"ShadowOffsetY", int32_t{6}},
        {"ShadowOffsetX", int32_t{7}},
        {"ShadowEnabled", true},
        {"ShadowDepth", int32_t{8}},
        {"ShadowColor", int32_t{9}},
        {"SetRedraw", true},
        {"ScaleWidth", 1.5f},
        {"ScaleTop", 2.5f},
        {"ScaleMode", int16_t{10}},
        {"ScaleMethod", int32_t{11}},
        {"ScaleLeft", 3.5f},
        {"ScaleHeight", 4.5f},
        {"Rotation", int32_t{12}},
        {"RotateEnabled", true},
        {"RightToLeft", true},
        {"PolygonSides", int32_t{13}},
        {"PolygonAngle", 5.5f},
        {"Picture", testutil::SolidPicture(2, 1, RGB(2, 2, 2))},
        {"PaletteMode", int16_t{14}},
        {"Palette", testutil::SolidPicture(3, 1, RGB(3, 3, 3))},
        {"Opacity", int32_t{15}},
        {"OLEDropMode", int16_t{16}},
        {"MousePointer", int16_t{17}},
        {"MouseIcon", testutil::SolidPicture(4, 1, RGB(4, 4, 4))},
        {"Mirror", int32_t{18}},
        {"MaskUsed", int32_t{19}},
        {"MaskPicture", testutil::SolidPicture(5, 1, RGB(5, 5, 5))},
        {"MaskColor", int32_t{20}},
        {"KeepOriginalFormat", true},
        {"InversedImage", true},
        {"IntensityOffset", 6.5f},
        {"ImageType", int32_t{21}},
        {"Image", testutil::SolidPicture(6, 1, RGB(6, 6, 6))},
        {"HyperLink", int32_t{1}},  // an object reference: reads back as none
        {"hWnd", int32_t{22}},
        {"HitBehavior", int16_t{23}},
        {"hDC", int32_t{24}},
        {"HasDC", true},
        {"grayScale", int32_t{25}},
        {"GDIplusInitialized", true},
        {"GDIplusEnabled", true},
        {"FontUnderline", true},
        {"FontTransparent", true},
        {"FillStyle", int32_t{58}},
        {"FillColor", 0x00FF00u},
        {"DrawWidth", int16_t{26}},
        {"DrawStyle", int16_t{27}},
        {"DrawMode", int16_t{28}},
        {"DataMembers", int32_t{1}},
        {"CurrentY", 7.5f},
        {"CurrentX", 8.5f},
        {"Controls", int32_t{1}},
        {"ContainerHwnd", int32_t{29}},
        {"ClipControls", true},
        {"ClipBehavior", int16_t{30}},
        {"BorderWidth", int32_t{31}},
        {"BorderTransparency", int32_t{32}},
        {"BorderColor", 0xE47A23u},
        {"BackTransparency", int32_t{33}},
        {"AutoSize", true},
        {"AutoRedraw", true},
        {"Appearance", int16_t{34}},
        {"AlignCenter", true},
        {"ActiveControl", int32_t{1}},
        {"Caption", "Saved"},
        {"ForeColor", 0x123456u},
        {"FontName", "Verdana"},  // the whole Font read after it wins
        {"FontSize", 14.0f},
        {"FontBold", true},
        {"FontItalic", true},
        {"FontStrikethru", true},
        {"Font", Courier()},
        {"Value", int16_t{1}},
        {"tot", "tip"},
    };
    rt::PropertyBag bag;
    for (const auto& [name, value] : keys) bag.WriteProperty(name, value);
    EXPECT_EQ(Written<controls::win8Metro>(&bag),
              "BackColor = Long 1056816\n"
              "Enabled = Boolean True\n"
              "BackStyle = Long 1\n"
              "BorderStyle = Long 2\n"
              "WantMouseEvents = Boolean True\n"
              "TextureMode = Long 3\n"
              "StretchQuality = Boolean True\n"
              "Stretch = Boolean True\n"
              "SizeFixed = Boolean True\n"
              "ShapeText = String \"text\"\n"
              "Shape = Long 4\n"
              "ShadowOpacity = Long 5\n"
              "ShadowOffsetY = Long 6\n"
              "ShadowOffsetX = Long 7\n"
              "ShadowEnabled = Boolean True\n"
              "ShadowDepth = Long 8\n"
              "ShadowColor = Long 9\n"
              "SetRedraw = Boolean True\n"
              "ScaleWidth = Double 1.5\n"
              "ScaleTop = Double 2.5\n"
              "ScaleMode = Long 10\n"
              "ScaleMethod = Long 11\n"
              "ScaleLeft = Double 3.5\n"
              "ScaleHeight = Double 4.5\n"
              "Rotation = Long 12\n"
              "RotateEnabled = Boolean True\n"
              "RightToLeft = Boolean True\n"
              "PolygonSides = Long 13\n"
              "PolygonAngle = Double 5.5\n"
              "Picture = Picture type 1 2x1\n"
              "PaletteMode = Long 14\n"
              "Palette = Picture type 1 3x1\n"
              "Opacity = Long 15\n"
              "OLEDropMode = Long 16\n"
              "MousePointer = Long 17\n"
              "MouseIcon = Picture type 1 4x1\n"
              "Mirror = Long 18\n"
              "MaskUsed = Long 19\n"
              "MaskPicture = Picture type 1 5x1\n"
              "MaskColor = Long 20\n"
              "KeepOriginalFormat = Boolean True\n"
              "InversedImage = Boolean True\n"
              "IntensityOffset = Double 6.5\n"
              "ImageType = Long 21\n"
              "Image = Picture type 1 6x1\n"
              "hWnd = Long 22\n"
              "HitBehavior = Long 23\n"
              "hDC = Long 24\n"
              "HasDC = Boolean True\n"
              "grayScale = Long 25\n"
              "GDIplusInitialized = Boolean True\n"
              "GDIplusEnabled = Boolean True\n"
              "FontUnderline = Boolean True\n"
              "FontTransparent = Boolean True\n"
              "FillStyle = Long 58\n"
              "FillColor = Long 65280\n"
              "DrawWidth = Long 26\n"
              "DrawStyle = Long 27\n"
              "DrawMode = Long 28\n"
              "CurrentY = Double 7.5\n"
              "CurrentX = Double 8.5\n"
              "ContainerHwnd = Long 29\n"
              "ClipControls = Boolean True\n"
              "ClipBehavior = Long 30\n"
              "BorderWidth = Long 31\n"
              "BorderTransparency = Long 32\n"
              "BorderColor = Long 14973475\n"
              "BackTransparency = Long 33\n"
              "AutoSize = Boolean True\n"
              "AutoRedraw = Boolean True\n"
              "Appearance = Long 34\n"
              "AlignCenter = Boolean True\n"
              "Caption = String \"Saved\"\n"
              "ForeColor = Long 1193046\n"
              "FontName = String \"Courier New\"\n"
              "FontSize = Double 11.25\n"
              "FontBold = Boolean True\n"
              "FontItalic = Boolean True\n"
              "Font = Font \"Courier New\" 11.25 weight 700 charset 238 bold italic\n"
              "Value = Long 1\n"
              "tot = String \"tip\"\n");
}

TEST_F(AlphaSettings, TileAfterItsSetters) {
    CheckSetters<controls::win8Metro>(
        "every setter",
        [](controls::win8Metro& t) {
            t.BackColor(0x102030u);
            t.FillStyle(5);
            t.FillColor(0x00FF00u);
            t.BorderTransparency(10);
            t.BorderColor(0x0000FFu);
            t.BackTransparency(20);
            t.Caption("Set");
            t.ForeColor(0x123456u);
            t.FontName("Verdana");
            t.FontSize(14);
            t.FontBold(false);
            t.FontItalic(true);
            t.FontStrikethru(true);
            t.Value(2);
            t.tot("tip");
            t.Enabled(true);
            t.WantMouseEvents(true);
            t.BackStyle(1);
            t.TextureMode(3);
            t.Texture(testutil::SolidPicture(1, 1, RGB(1, 1, 1)));
            t.ShapeText("text");
            t.Shape(4);
            t.ScaleWidth(1.5f);
            t.hwnd(22);
            t.hdc(24);
            t.grayScale(25);
            t.Picture(testutil::SolidPicture(2, 1, RGB(2, 2, 2)));
            t.HyperLink(rt::Object());
            t.AlignCenter(true);
        },
        "BackColor = Long 1056816\n"
        "Enabled = Boolean True\n"
        "BackStyle = Long 1\n"
        "WantMouseEvents = Boolean True\n"
        "TextureMode = Long 3\n"
        "Texture = Picture type 1 1x1\n"
        "ShapeText = String \"text\"\n"
        "Shape = Long 4\n"
        "ScaleWidth = Double 1.5\n"
        "Picture = Picture type 1 2x1\n"
        "hWnd = Long 22\n"
        "hDC = Long 24\n"
        "grayScale = Long 25\n"
        "FillStyle = Long 5\n"
        "FillColor = Long 65280\n"
        "BorderTransparency = Long 10\n"
        "BorderColor = Long 255\n"
        "BackTransparency = Long 20\n"
        "AlignCenter = Boolean True\n"
        "Caption = String \"Set\"\n"
        "ForeColor = Long 1193046\n"
        "FontName = String \"Verdana\"\n"
        "FontSize = Double 14\n"
        "FontItalic = Boolean True\n"
        "FontStrikethru = Boolean True\n"
        "Font = Font \"Verdana\" 14 weight 400 charset 178 italic strike\n"
        "Value = Long 2\n"
        "tot = String \"tip\"\n",
        "BackColor\n"
        "FillStyle\n"
        "FillColor\n"
        "BorderTransparency\n"
        "BorderColor\n"
        "BackTransparency\n"
        "Caption\n"
        "ForeColor\n"
        "FontName\n"
        "FontSize\n"
        "FontBold\n"
        "FontItalic\n"
        "FontStrikethru\n"
        "Value\n"
        "tot\n"
        "Enabled\n"
        "WantMouseEvents\n"
        "BackStyle\n"
        "TextureMode\n"
        "Texture\n"
        "ShapeText\n"
        "Shape\n"
        "ScaleWidth\n"
        "hWnd\n"
        "hDC\n"
        "grayScale\n"
        "Picture\n"
        "HyperLink\n"
        "AlignCenter\n");
    // The caption's whole font at once.
    CheckSetters<controls::win8Metro>(
        "the font", [](controls::win8Metro& t) { t.Font(Courier()); },
        "BackColor = Long 16761087\n"
        "BorderTransparency = Long 0\n"
        "BorderColor = Long 14973475\n"
        "BackTransparency = Long 1\n"
        "FontName = String \"Courier New\"\n"
        "FontSize = Double 11.25\n"
        "FontBold = Boolean True\n"
        "FontItalic = Boolean True\n"
        "Font = Font \"Courier New\" 11.25 weight 700 charset 238 bold italic\n",
        "Font\n");
}

TEST_F(AlphaSettings, AlphaPictureFromAnEmptyBag) {
    const rt::PropertyBag empty;
    EXPECT_EQ(Written<aicAlphaImage>(&empty),
              "Image = Bytes\n"
              "Scaler = Long 0\n"
              "Opacity = Long 100\n"
              "Mirror = Long 0\n"
              "Angle = Long 0\n"
              "Enabled = Boolean True\n"
              "MPointer = Long 0\n"
              "OLEdrop = Long 0\n"
              "MIcon = Picture\n"
              "GrayScale = Long -1\n"
              "HitTest = Long 0\n"
              "Props = Long 1\n"
              "MaskUsed = Boolean False\n"
              "MaskColor = Long -2147483633\n"
              "MaskSource = Long 0\n"
              "ShadowColor = Long 4210752\n"
              "ShadowDepth = Long 2\n"
              "ShadowX = Long 2\n"
              "ShadowY = Long 2\n"
              "ShadowOpacity = Long 50\n"
              "Intensity = Double 0\n"
              "Caption = String \"Text\"\n"
              "ForeColor = Long -2147483630\n"
              "FontName = String \"Arial\"\n"
              "FontSize = Double 9.75\n"
              "FontBold = Boolean False\n"
              "Font = Font \"Arial\" 9.75 weight 400 charset 1\n"
              "FontItalic = Boolean False\n"
              "FontStrikethru = Boolean False\n");
}

TEST_F(AlphaSettings, AlphaPictureAfterItsSetters) {
    CheckSetters<aicAlphaImage>(
        "every setter",
        [](aicAlphaImage& a) {
            a.LoadImage_FromArray(
                alphatest::Bmp(4, 3, [](int x, int) { return x < 2 ? RGB(255, 0, 0) : RGB(0, 0, 255); }));
            a.ScaleMethod(4);
            a.Opacity(160);
            a.Mirror(1);
            a.RotateEnabled(true);
            a.Rotation(370);
            a.Enabled(false);
            a.MousePointer(2);
            a.OLEDropMode(1);
            a.MouseIcon(testutil::SolidPicture(3, 2, RGB(1, 2, 3)));
            a.grayScale(3);
            a.HitTest(1);
            a.AutoRedraw(true);
            a.KeepOriginalFormat(true);
            a.InversedImage(true);
            a.ShadowEnabled(true);
            a.StretchQuality(false);
            a.MaskColor(0x00FF00u);
            a.MaskUsed(1);
            a.ShadowColor(0x102030u);
            a.ShadowDepth(4);
            a.ShadowOffsetX(-3);
            a.ShadowOffsetY(5);
            a.ShadowOpacity(70);
            a.IntensityOffset(12.5f);
            a.Caption("Hello");
            a.ForeColor(0x123456u);
            a.Font(Courier());
            a.FontName("Verdana");
            a.FontSize(12);
            a.FontBold(true);
            a.FontItalic(true);
            a.FontStrikethru(true);
        },
        "Image = Bytes <png>\n"
        "Scaler = Long 4\n"
        "Opacity = Long 60\n"
        "Mirror = Long 1\n"
        "Angle = Long 10\n"
        "Enabled = Boolean False\n"
        "MPointer = Long 2\n"
        "OLEdrop = Long 1\n"
        "MIcon = Picture type 1 3x2\n"
        "GrayScale = Long 2\n"
        "HitTest = Long 1\n"
        "Props = Long 476\n"
        "MaskUsed = Boolean True\n"
        "MaskColor = Long 65280\n"
        "MaskSource = Long 1\n"
        "Mask = Long 65280\n"
        "ShadowColor = Long 1056816\n"
        "ShadowDepth = Long 4\n"
        "ShadowX = Long -3\n"
        "ShadowY = Long 5\n"
        "ShadowOpacity = Long 70\n"
        "Intensity = Double 12.5\n"
        "ScaleCx = Long 27\n"
        "ScaleCy = Long 20\n"
        "Caption = String \"Hello\"\n"
        "ForeColor = Long 1193046\n"
        "FontName = String \"Verdana\"\n"
        "FontSize = Double 12\n"
        "FontBold = Boolean True\n"
        "Font = Font \"Verdana\" 12 weight 700 charset 238 bold italic strike\n"
        "FontItalic = Boolean True\n"
        "FontStrikethru = Boolean True\n",
        "Stretch\n"
        "Opacity\n"
        "Mirror\n"
        "RotateEnabled\n"
        "Rotation\n"
        "Enabled\n"
        "MousePointer\n"
        "OLEDropMode\n"
        "MouseIcon\n"
        "GrayScale\n"
        "HitTest\n"
        "AutoRedraw\n"
        "KeepOriginalFormat\n"
        "InversedImage\n"
        "ShadowEnabled\n"
        "StretchQuality\n"
        "MaskColor\n"
        "MaskUsed\n"
        "ShadowColor\n"
        "ShadowDepth\n"
        "ShadowOffsetX\n"
        "ShadowOffsetY\n"
        "ShadowOpacity\n"
        "Intensity\n"
        "Caption\n"
        "ForeColor\n"
        "Font\n"
        "FontName\n"
        "FontSize\n"
        "FontBold\n"
        "FontItalic\n"
        "FontStrikethru\n");
    // Setters that refuse their value mark nothing and leave the settings as they were; a rotation
    // is kept, unmarked, while rotating is off.
    CheckSetters<aicAlphaImage>(
        "refused",
        [](aicAlphaImage& a) {
            a.HitTest(4);
            a.Mirror(4);
            a.grayScale(9);
            a.ShadowDepth(11);
            a.ShadowOpacity(101);
            a.IntensityOffset(101);
            a.MaskUsed(6);
            a.Rotation(45);
        },
        "Image = Bytes\n"
        "Scaler = Long 0\n"
        "Opacity = Long 100\n"
        "Mirror = Long 0\n"
        "Angle = Long 45\n"
        "Enabled = Boolean True\n"
        "MPointer = Long 0\n"
        "OLEdrop = Long 0\n"
        "MIcon = Picture\n"
        "GrayScale = Long -1\n"
        "HitTest = Long 0\n"
        "Props = Long 5\n"
        "MaskUsed = Boolean False\n"
        "MaskColor = Long -2147483633\n"
        "MaskSource = Long 0\n"
        "ShadowColor = Long 4210752\n"
        "ShadowDepth = Long 2\n"
        "ShadowX = Long 2\n"
        "ShadowY = Long 2\n"
        "ShadowOpacity = Long 50\n"
        "Intensity = Double 0\n"
        "Caption = String \"Text\"\n"
        "ForeColor = Long -2147483630\n"
        "FontName = String \"Tahoma\"\n"
        "FontSize = Double 8.25\n"
        "FontBold = Boolean False\n"
        "Font = Font \"Tahoma\" 8.25 weight 400 charset 1\n"
        "FontItalic = Boolean False\n"
        "FontStrikethru = Boolean False\n",
        "");
}

TEST_F(AlphaSettings, VectorShapeFromAnEmptyBag) {
    const rt::PropertyBag empty;
    EXPECT_EQ(Written<controls::AlphaShapeCtl>(&empty), "");
}

TEST_F(AlphaSettings, VectorShapeAfterItsSetters) {
    CheckSetters<controls::AlphaShapeCtl>(
        "every setter",
        [](controls::AlphaShapeCtl& s) {
            s.AlignCenter(false);
            s.BackColor(0xFF0000u);
            s.BackStyle(1);
            s.BackTransparency(30);
            s.BorderColor(0x0000FFu);
            s.BorderStyle(2);
            s.BorderTransparency(40);
            s.BorderWidth(3);
            s.FillColor(0x00FF00u);
            s.FillStyle(5);
            s.HitTest(1);
            s.MouseIcon(testutil::SolidPicture(3, 2, RGB(1, 2, 3)));
            s.MousePointer(2);
            s.PolygonAngle(15.5f);
            s.PolygonSides(6);
            s.Shape(3);
            s.ShapeText(std::wstring(L"Hi"));
            s.Stretch(true);
            s.SizeFixed(true);
            s.Texture(testutil::SolidPicture(5, 4, RGB(4, 5, 6)));
            s.TextureMode(2);
            s.WantMouseEvents(true);
            s.Enabled(false);
            s.Font(Courier());
        },
        "Settings = Long -530365013\n"
        "BdrColor = Long 255\n"
        "FillColor = Long 65280\n"
        "BkColor = Long 16711680\n"
        "TransColors = Long -2147342306\n"
        "Angle = Double 15.5\n"
        "MouseIco = Picture type 1 3x2\n"
        "MousePtr = Long 2\n"
        "Image = Picture type 1 5x4\n"
        "Text = Bytes 72 0 105 0\n"
        "fCx = Double 86\n"
        "fCy = Double 26\n"
        "Font = Font \"Courier New\" 11.25 weight 700 charset 238 bold italic\n",
        "AlignCenter\n"
        "BackColor\n"
        "BackStyle\n"
        "BackTransparency\n"
        "BorderColor\n"
        "BorderStyle\n"
        "BorderTransparency\n"
        "BorderWidth\n"
        "FillColor\n"
        "FillStyle\n"
        "HitTest\n"
        "MouseIcon\n"
        "MousePointer\n"
        "PolygonAngle\n"
        "PolygonSides\n"
        "Shape\n"
        "Stretch\n"
        "SizeFixed\n"
        "Texture\n"
        "TextureMode\n"
        "WantMouseEvents\n"
        "Enabled\n"
        "Font\n");
    // Out of range: nothing is marked and the settings stay.
    CheckSetters<controls::AlphaShapeCtl>(
        "refused",
        [](controls::AlphaShapeCtl& s) {
            s.BackTransparency(101);
            s.BorderStyle(6);
            s.BorderTransparency(-1);
            s.BorderWidth(16);
            s.FillStyle(61);
            s.HitTest(2);
            s.PolygonSides(361);
            s.Shape(5);
            s.TextureMode(6);
        },
        "", "");
}

}  // namespace
