// The stored settings of the alpha picture, the vector shape, the thumbnail browser, the list box
// and the slide show, compared exactly: the names, their order, the kinds and the values written
// by a new control, by a control read from a bag where every setting differs from its defaults,
// and by one whose conditional settings are off. The expected texts were saved from the controls
// as first written; a change in how their settings are declared must leave them as they are.
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <initializer_list>
#include <memory>
#include <string>

#include "controls/alpha/AlphaShapeCtl.h"
#include "controls/alpha/aicAlphaImage.h"
#include "controls/alpha/alpha_fixture.h"
#include "controls/chrome/combobx.h"
#include "controls/media/slideshowacx.h"
#include "controls/media/thumb.h"
#include "runtime/form.h"
#include "runtime/lifetime.h"
#include "support/settings_fixture.h"
#include "support/window_helpers.h"

namespace {

using testsupport::Courier;
using testsupport::Shown;

// A control read from a bag (none: a new control) and what it writes. A stable case also writes
// the same again once read from what it wrote.
struct Case {
    const char* what;
    std::function<rt::PropertyBag()> bag;
    std::string expected;
    bool stable = false;
};

class StoredSettings : public testsupport::SettingsTest<> {
protected:
    template <class C>
    void Check(std::initializer_list<Case> cases) {
        for (const Case& c : cases) {
            SCOPED_TRACE(c.what);
            const rt::PropertyBag saved = Make<C>(Stored(c.bag))->SaveProperties();
            EXPECT_EQ(Shown(saved.Dump()), c.expected);
            if (c.stable) {
                EXPECT_EQ(Make<C>(std::make_shared<const rt::PropertyBag>(saved))->SaveProperties().Dump(),
                          saved.Dump());
            }
        }
    }
};

// What the alpha picture writes after its picture for a new control.
constexpr const char* kAlphaDefaults =
    "Opacity = Long 100\n"
    "Mirror = Long 0\n"
    "Angle = Long 0\n"
    "Enabled = Boolean True\n"
    "MPointer = Long 0\n"
    "OLEdrop = Long 0\n"
    "MIcon = Picture\n"
    "GrayScale = Long -1\n"
    "HitTest = Long 0\n";
constexpr const char* kAlphaShadowDefaults =
    "ShadowColor = Long 4210752\n"
    "ShadowDepth = Long 2\n"
    "ShadowX = Long 2\n"
    "ShadowY = Long 2\n"
    "ShadowOpacity = Long 50\n"
    "Intensity = Double 0\n";

TEST_F(StoredSettings, AlphaPicture) {
    const std::string newPicture = std::string("Image = Bytes\nScaler = Long 0\n") + kAlphaDefaults +
                                   "Props = Long 5\n"
                                   "MaskUsed = Boolean False\n"
                                   "MaskColor = Long -2147483633\n"
                                   "MaskSource = Long 0\n" +
                                   kAlphaShadowDefaults +
                                   "Caption = String \"Text\"\n"
                                   "ForeColor = Long -2147483630\n"
                                   "FontName = String \"Tahoma\"\n"
                                   "FontSize = Double 8.25\n"
                                   "FontBold = Boolean False\n"
                                   "Font = Font \"Tahoma\" 8.25 weight 400 charset 1\n"
                                   "FontItalic = Boolean False\n"
                                   "FontStrikethru = Boolean False\n";
    const std::string unusual =
        "Image = Bytes <png>\n"
        "Scaler = Long 4\n"
        "Opacity = Long 60\n"
        "Mirror = Long 1\n"
        "Angle = Long 90\n"
        "Enabled = Boolean False\n"
        "MPointer = Long 2\n"
        "OLEdrop = Long 1\n"
        "MIcon = Picture type 1 3x2\n"
        "GrayScale = Long 2\n"
        "HitTest = Long 1\n"
        "Props = Long 473\n"
        "MaskUsed = Boolean True\n"
        "MaskColor = Long 65280\n"
        "MaskSource = Long 1\n"
        "Mask = Long 255\n"
        "ShadowColor = Long 1056816\n"
        "ShadowDepth = Long 4\n"
        "ShadowX = Long -3\n"
        "ShadowY = Long 5\n"
        "ShadowOpacity = Long 70\n"
        "Intensity = Double 12.5\n"
        "ScaleCx = Long 30\n"
        "ScaleCy = Long 20\n"
        "Caption = String \"Hello\"\n"
        "ForeColor = Long 1193046\n"
        "FontName = String \"Courier New\"\n"
        "FontSize = Double 11.25\n"
        "FontBold = Boolean True\n"
        "Font = Font \"Courier New\" 11.25 weight 700 charset 238 bold italic strike\n"
        "FontItalic = Boolean True\n"
        "FontStrikethru = Boolean True\n";
    // No key, no scaling to a size: Mask and ScaleCx/Cy are neither read nor written. The caption
    // takes the container's font.
    const std::string conditionsOff = std::string("Image = Bytes <png>\nScaler = Long 2\n") + kAlphaDefaults +
                                      "Props = Long 1\n"
                                      "MaskUsed = Boolean False\n"
                                      "MaskColor = Long -2147483633\n"
                                      "MaskSource = Long 0\n" +
                                      kAlphaShadowDefaults +
                                      "Caption = String \"Text\"\n"
                                      "ForeColor = Long -2147483630\n"
                                      "FontName = String \"Arial\"\n"
                                      "FontSize = Double 9.75\n"
                                      "FontBold = Boolean False\n"
                                      "Font = Font \"Arial\" 9.75 weight 400 charset 1\n"
                                      "FontItalic = Boolean False\n"
                                      "FontStrikethru = Boolean False\n";
    // A caption setting that does not convert is passed over; the others are still read.
    const std::string badCaption = std::string("Image = Bytes\nScaler = Long 0\n") + kAlphaDefaults +
                                   "Props = Long 1\n"
                                   "MaskUsed = Boolean False\n"
                                   "MaskColor = Long -2147483633\n"
                                   "MaskSource = Long 0\n" +
                                   kAlphaShadowDefaults +
                                   "Caption = String \"Still\"\n"
                                   "ForeColor = Long -2147483630\n"
                                   "FontName = String \"Arial\"\n"
                                   "FontSize = Double 9.75\n"
                                   "FontBold = Boolean False\n"
                                   "Font = Font \"Arial\" 9.75 weight 400 charset 1 italic\n"
                                   "FontItalic = Boolean True\n"
                                   "FontStrikethru = Boolean False\n";
    Check<aicAlphaImage>({
        {"new", nullptr, newPicture},
        {"unusual",
         [] {
             return rt::PropertyBag{
                 {"Image",
                  alphatest::Bmp(4, 3, [](int x, int) { return x < 2 ? RGB(255, 0, 0) : RGB(0, 0, 255); })},
                 {"Scaler", int32_t{4}},
                 {"Opacity", int32_t{60}},
                 {"Mirror", int32_t{1}},
                 {"Angle", int32_t{90}},
                 {"Enabled", false},
                 {"MPointer", int16_t{2}},
                 {"OLEdrop", int16_t{1}},
                 {"MIcon", testutil::SolidPicture(3, 2, RGB(1, 2, 3))},
                 {"GrayScale", int32_t{2}},
                 {"HitTest", int32_t{1}},
                 {"Props", int32_t{1 | 8 | 16 | 32 | 64 | 128 | 256}},  // 32, the buffer, is never stored
                 {"MaskUsed", true},
                 {"MaskColor", 0x00FF00u},
                 {"MaskSource", int32_t{1}},
                 {"Mask", 0x0000FFu},
                 {"ShadowColor", 0x102030u},
                 {"ShadowDepth", int32_t{4}},
                 {"ShadowX", int32_t{-3}},
                 {"ShadowY", int32_t{5}},
                 {"ShadowOpacity", int32_t{70}},
                 {"Intensity", 12.5f},
                 {"ScaleCx", int32_t{30}},
                 {"ScaleCy", int32_t{20}},
                 {"Caption", "Hello"},
                 {"ForeColor", 0x123456u},
                 {"FontName", "Arial"},  // the whole Font read after it wins
                 {"FontSize", 12.0f},
                 {"FontBold", true},
                 {"Font", Courier()},
                 {"FontItalic", true},
                 {"FontStrikethru", true}};
         },
         unusual, true},
        {"conditions off",
         [] {
             return rt::PropertyBag{{"Image", alphatest::Bmp(4, 3, [](int, int) { return RGB(0, 128, 0); })},
                                    {"Scaler", int32_t{2}},
                                    {"MaskUsed", false},
                                    {"Mask", 0x0000FFu},
                                    {"ScaleCx", int32_t{30}},
                                    {"ScaleCy", int32_t{20}}};
         },
         conditionsOff},
        {"a caption setting that fails",
         [] {
             return rt::PropertyBag{{"Caption", "Still"},
                                    {"ForeColor", rt::Picture()},
                                    {"FontSize", "big"},
                                    {"FontItalic", true}};
         },
         badCaption},
    });
}

TEST_F(StoredSettings, VectorShape) {
    Check<controls::AlphaShapeCtl>({
        {"new", nullptr, ""},
        {"unusual",
         [] {
             return rt::PropertyBag{{"Settings", 0x40010012u},  // a fixed size
                                    {"Angle", 30.5f},
                                    {"TransColors", 0x80000003u},  // the top bit: disabled
                                    {"BkColor", 0xFF0000u},
                                    {"BdrColor", 0x0000FFu},
                                    {"FillColor", 0x00FF00u},
                                    {"MouseIco", testutil::SolidPicture(3, 2, RGB(1, 2, 3))},
                                    {"MousePtr", int16_t{3}},
                                    {"Image", testutil::SolidPicture(5, 4, RGB(4, 5, 6))},
                                    {"Font", Courier()},
                                    {"Text", rt::PropertyBag::Bytes{72, 0, 105}},  // an odd last byte
                                    {"fCx", 12.5f},
                                    {"fCy", 7.25f}};
         },
         "Settings = Long 1073807378\n"
         "BdrColor = Long 255\n"
         "FillColor = Long 65280\n"
         "BkColor = Long 16711680\n"
         "TransColors = Long -2147483645\n"
         "Angle = Double 30.5\n"
         "MouseIco = Picture type 1 3x2\n"
         "MousePtr = Long 3\n"
         "Image = Picture type 1 5x4\n"
         "Text = Bytes 72 0 105 0\n"
         "fCx = Double 12.5\n"
         "fCy = Double 7.25\n"
         "Font = Font \"Courier New\" 11.25 weight 700 charset 238 bold italic\n",
         true},
        // A host path comes back as a rectangle; without a fixed size fCx and fCy are neither read
        // nor written, and the initial font is left out.
        {"conditions off",
         [] {
             return rt::PropertyBag{{"Settings", 0x00010015u},
                                    {"fCx", 12.5f},
                                    {"fCy", 7.25f},
                                    {"Font", rt::Font("Times New Roman", 48, true)}};
         },
         ""},
    });
}

TEST_F(StoredSettings, ThumbnailBrowser) {
    Check<controls::thumb>({
        {"new", nullptr,
         "BackColor = Long -2147483633\n"
         "ForeColor = Long -2147483630\n"
         "Font = Font \"MS Sans Serif\" 8.25 weight 400 charset 1\n"},
        {"unusual",
         [] {
             return rt::PropertyBag{
                 {"Enabled", true},       {"BackStyle", int16_t{1}}, {"BorderStyle", int16_t{2}},
                 {"Text", "4"},           {"BackColor", 0x112233u},  {"ForeColor", 0x445566u},
                 {"Font", Courier()},     {"FontBold", true},        {"FontItalic", true},
                 {"FontName", "Verdana"}, {"FontSize", 10.5f}};
         },
         "Enabled = Boolean True\n"
         "BackStyle = Long 1\n"
         "BorderStyle = Long 2\n"
         "Text = String \"4\"\n"
         "BackColor = Long 1122867\n"
         "ForeColor = Long 4478310\n"
         "Font = Font \"Courier New\" 11.25 weight 700 charset 238 bold italic\n"
         "FontBold = Boolean True\n"
         "FontItalic = Boolean True\n"
         "FontName = String \"Verdana\"\n"
         "FontSize = Double 10.5\n",
         true},
        // BorderStyle is stored twice with two defaults: 0 is left out by the first, written by the second.
        {"no border",
         [] {
             return rt::PropertyBag{{"BorderStyle", int16_t{0}}};
         },
         "BorderStyle = Long 0\n"},
        // A zoom text that does not convert is passed over.
        {"a text that fails",
         [] {
             return rt::PropertyBag{{"Text", rt::Picture()}, {"FontBold", true}};
         },
         "FontBold = Boolean True\n"},
    });
}

TEST_F(StoredSettings, ListBox) {
    Check<controls::combobx>({
        {"new", nullptr, "Textn = String \"\"\nFont = Font \"MS Sans Serif\" 8.25 weight 400 charset 1\n"},
        {"unusual",
         [] {
             return rt::PropertyBag{{"Enabled", true},           {"BackStyle", int16_t{1}},
                                    {"BorderStyle", int16_t{1}}, {"Textn", "Pick"},
                                    {"BackColor", 0x112233u},    {"ForeColor", 0x445566u},
                                    {"Font", Courier()},         {"liston", true}};
         },
         "Enabled = Boolean True\n"
         "BackStyle = Long 1\n"
         "BorderStyle = Long 1\n"
         "Textn = String \"Pick\"\n"
         "BackColor = Long 1122867\n"
         "ForeColor = Long 4478310\n"
         "Font = Font \"Courier New\" 11.25 weight 700 charset 238 bold italic\n"
         "liston = Boolean True\n",
         true},
    });
    // The list shows the colours and the font stored for the box.
    auto box = Make<controls::combobx>(std::make_shared<const rt::PropertyBag>(
        rt::PropertyBag{{"BackColor", 0x112233u}, {"ForeColor", 0x445566u}, {"Font", Courier()}}));
    EXPECT_EQ(box->List2.BackColor(), 0x112233u);
    EXPECT_EQ(box->List2.ForeColor(), 0x445566u);
    EXPECT_EQ(box->List2.GetFont().Name(), "Courier New");
}

TEST_F(StoredSettings, SlideShow) {
    Check<controls::slideshowacx>({
        {"new", nullptr, ""},
        {"unusual",
         [] {
             return rt::PropertyBag{{"StartPlay", true},
                                    {"Interval", int32_t{100000}},  // beyond what a timer takes
                                    {"trnsname", "xy"},
                                    {"BackColor", 0x00FF00u},
                                    {"FPath", "C:\\nowhere"}};
         },
         "StartPlay = Boolean True\n"
         "Interval = Long 65535\n"
         "trnsname = String \"xy\"\n"
         "BackColor = Long 65280\n"
         "FPath = String \"C:\\nowhere\"\n",
         true},
    });
}

}  // namespace
