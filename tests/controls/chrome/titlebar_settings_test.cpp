// The title bar's stored settings, compared exactly: the names, their order, the kinds and the
// values of what it writes, for a new bar, a bar read from an empty bag, a bar read from a bag
// where every setting differs from its defaults, and a bar changed through its setters. The
// expected texts were saved from the bar as first written; a change in how its settings are
// declared must leave them as they are.
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "controls/chrome/TitelBar.h"
#include "runtime/form.h"
#include "runtime/lifetime.h"
#include "support/settings_fixture.h"
#include "support/window_helpers.h"

using controls::TitelBar;

namespace {

class TitleBarSettings : public testsupport::SettingsTest<1500> {
protected:
    std::unique_ptr<TitelBar> Bar(const char* name, std::shared_ptr<const rt::PropertyBag> bag) {
        return std::make_unique<TitelBar>(*host, name, std::move(bag));
    }
};

// Every setting away from both its defaults.
rt::PropertyBag Unusual(const rt::Picture& back, const rt::Picture& icon) {
    rt::Font font = testsupport::Courier();
    return rt::PropertyBag{
        {"AutoRedraw", true},
        {"DashBack", true},
        {"Style", "11"},  // read with the conversions of the bag
        {"BackColor", 0x112233u},
        {"BackColorCover", 6.5f},
        {"BackColorV2Begin", 0x010203u},
        {"BackColorV2End", 0x040506u},
        {"BackColorV1Begin", 0x070809u},
        {"BackColorV1End", 0x0A0B0Cu},
        {"BorderColorHighLight", 0x0D0E0Fu},
        {"BorderColorDarkLight", 0x101112u},
        {"ForeColor", 0x131415u},
        {"CaptionColorBack", 0x161718u},
        {"CaptionColor", 0x191A1Bu},
        {"CaptionBorderColor", 0x1C1D1Eu},
        {"CaptionShadowColor", 0x1F2021u},
        {"CaptionBorder", int32_t{-1}},
        {"Caption3DWidth", int32_t{4}},
        {"Caption3DTop", true},
        {"Caption3DBottom", false},
        {"Caption3DLeft", true},
        {"Caption3DRight", false},
        {"ShowClose", false},
        {"ShowMinimized", false},
        {"ShowMaximized", true},
        {"ShowCloseEnabled", false},
        {"ShowMinimizedEnabled", false},
        {"ShowMaximizedEnabled", true},
        {"Font", font},
        {"ToolTipText", "Drag me"},
        {"Caption", "Other caption"},
        {"CaptionPosX", int32_t{-3}},
        {"CaptionPosY", int32_t{70000}},
        {"BorderNormal", int32_t{1}},
        {"IconStyle", int32_t{2}},
        {"Picture", back},
        {"PictureButton", icon},
        {"PicturePosMode", int32_t{1}},  // centres the icon across
        {"PicturePosX", int16_t{-7}},
        {"PicturePosY", int16_t{9}},
    };
}

const char* const kNewBar =
    "BackColor = Long 5189670\n"
    "BackColorCover = Double 3\n"
    "ForeColor = Long 16777215\n"
    "ShowMaximizedEnabled = Boolean True\n"
    "Font = Font \"Tahoma\" 14.25 weight 400 charset 1\n"
    "BorderNormal = Long 2\n";

const char* const kEmptyBag =
    "BackColor = Long 15132390\n"
    "ForeColor = Long 16777215\n";

const char* const kUnusual =
    "AutoRedraw = Boolean True\n"
    "DashBack = Boolean True\n"
    "Style = Long 11\n"
    "BackColor = Long 1122867\n"
    "BackColorCover = Double 6.5\n"
    "BackColorV2Begin = Long 66051\n"
    "BackColorV2End = Long 263430\n"
    "BackColorV1Begin = Long 460809\n"
    "BackColorV1End = Long 658188\n"
    "BorderColorHighLight = Long 855567\n"
    "BorderColorDarkLight = Long 1052946\n"
    "ForeColor = Long 1645083\n"
    "CaptionColorBack = Long 1447704\n"
    "CaptionColor = Long 1645083\n"
    "CaptionBorderColor = Long 1842462\n"
    "CaptionShadowColor = Long 2039841\n"
    "CaptionBorder = Boolean True\n"
    "Caption3DWidth = Long 4\n"
    "Caption3DTop = Boolean True\n"
    "Caption3DBottom = Boolean False\n"
    "Caption3DLeft = Boolean True\n"
    "Caption3DRight = Boolean False\n"
    "ShowClose = Boolean False\n"
    "ShowMinimized = Boolean False\n"
    "ShowMaximized = Boolean True\n"
    "ShowCloseEnabled = Boolean False\n"
    "ShowMinimizedEnabled = Boolean False\n"
    "ShowMaximizedEnabled = Boolean True\n"
    "Font = Font \"Courier New\" 11.25 weight 700 charset 238 bold italic\n"
    "ToolTipText = String \"Drag me\"\n"
    "Caption = String \"Other caption\"\n"
    "CaptionPosX = Long -3\n"
    "CaptionPosY = Long 70000\n"
    "BorderNormal = Long 1\n"
    "IconStyle = Long 2\n"
    "Picture = Picture type 1 12x6\n"
    "PictureButton = Picture type 1 5x4\n"
    "PicturePosMode = Long 1\n"
    "PicturePosX = Long 38\n"
    "PicturePosY = Long 9\n";

const char* const kThroughSetters =
    "AutoRedraw = Boolean True\n"
    "DashBack = Boolean True\n"
    "Style = Long 12\n"
    "BackColor = Long 2241348\n"
    "BackColorCover = Double 0.5\n"
    "BackColorV2Begin = Long 1\n"
    "BackColorV2End = Long 2\n"
    "BackColorV1Begin = Long 3\n"
    "BackColorV1End = Long 4\n"
    "BorderColorHighLight = Long 5\n"
    "BorderColorDarkLight = Long 6\n"
    "ForeColor = Long 9\n"
    "CaptionColorBack = Long 8\n"
    "CaptionColor = Long 9\n"
    "CaptionBorderColor = Long 10\n"
    "CaptionShadowColor = Long 11\n"
    "CaptionBorder = Boolean True\n"
    "Caption3DWidth = Long 5\n"
    "Caption3DTop = Boolean True\n"
    "Caption3DBottom = Boolean False\n"
    "Caption3DLeft = Boolean True\n"
    "Caption3DRight = Boolean False\n"
    "ShowClose = Boolean False\n"
    "ShowMinimized = Boolean False\n"
    "ShowMaximized = Boolean True\n"
    "ShowCloseEnabled = Boolean False\n"
    "ShowMinimizedEnabled = Boolean False\n"
    "Font = Font \"Verdana\" 8.25 weight 400 charset 1 italic\n"
    "ToolTipText = String \"Tip\"\n"
    "Caption = String \"Set caption\"\n"
    "CaptionPosX = Long 4\n"
    "CaptionPosY = Long -1\n"
    "BorderNormal = Long 3\n"
    "IconStyle = Long 2\n"
    "Picture = Picture type 1 3x2\n"
    "PictureButton = Picture type 1 6x6\n"
    "PicturePosMode = Long 2\n"
    "PicturePosX = Long 1\n"
    "PicturePosY = Long 12\n";

TEST_F(TitleBarSettings, ANewBarWritesItsInitialSettings) {
    auto bar = Bar("Fresh", nullptr);
    EXPECT_EQ(bar->SaveProperties().Dump(), kNewBar);
}

TEST_F(TitleBarSettings, AnEmptyBagReadsTheReadDefaultsAndWritesWhatDiffersFromTheWriteDefaults) {
    auto bar = Bar("Empty", std::make_shared<const rt::PropertyBag>());
    EXPECT_EQ(bar->SaveProperties().Dump(), kEmptyBag);
}

TEST_F(TitleBarSettings, EverySettingGoesInAndComesOutUnchanged) {
    const rt::Picture back = testutil::SolidPicture(12, 6, RGB(1, 2, 3));
    const rt::Picture icon = testutil::SolidPicture(5, 4, RGB(4, 5, 6));
    auto bar = Bar("Unusual", std::make_shared<const rt::PropertyBag>(Unusual(back, icon)));
    const rt::PropertyBag saved = bar->SaveProperties();
    EXPECT_EQ(saved.Dump(), kUnusual);
    EXPECT_TRUE(saved.ReadProperty("Picture", rt::Picture()).SameObject(back)) << "pictures by reference";
    EXPECT_TRUE(saved.ReadProperty("PictureButton", rt::Picture()).SameObject(icon));
    // And a bar read from what it wrote writes the same again.
    auto again = Bar("Again", std::make_shared<const rt::PropertyBag>(saved));
    EXPECT_EQ(again->SaveProperties().Dump(), kUnusual);
}

TEST_F(TitleBarSettings, TheSettersMarkTheirPropertyAndTheBagFollows) {
    auto bar = Bar("Set", nullptr);
    bar->ClearChangedProperties();
    bar->AutoRedraw(true);
    bar->DashBack(true);
    bar->Style(12);
    bar->BackColor(0x223344);
    bar->BackColorCover(0.5f);
    bar->BackColorV2Begin(0x1);
    bar->BackColorV2End(0x2);
    bar->BackColorV1Begin(0x3);
    bar->BackColorV1End(0x4);
    bar->BorderColorHighLight(0x5);
    bar->BorderColorDarkLight(0x6);
    bar->ForeColor(0x7);
    bar->CaptionColorBack(0x8);
    bar->CaptionColor(0x9);
    bar->CaptionBorderColor(0xA);
    bar->CaptionShadowColor(0xB);
    bar->CaptionBorder(true);
    bar->Caption3DWidth(5);
    bar->Caption3DTop(true);
    bar->Caption3DBottom(false);
    bar->Caption3DLeft(true);
    bar->Caption3DRight(false);
    bar->ShowClose(false);
    bar->ShowMinimized(false);
    bar->ShowMaximized(true);
    bar->ShowCloseEnabled(false);
    bar->ShowMinimizedEnabled(false);
    bar->ShowMaximizedEnabled(false);
    bar->SetFont(rt::Font("Verdana", 8.25f, false, true));
    bar->BarToolTipText("Tip");
    bar->Caption("Set caption");
    bar->CaptionPosX(4);
    bar->CaptionPosY(-1);
    bar->BorderNormal(3);
    bar->IconStyle(9);
    bar->SetPicture(testutil::SolidPicture(3, 2, RGB(9, 9, 9)));
    bar->PictureButton(testutil::SolidPicture(6, 6, RGB(8, 8, 8)));
    bar->PicturePosMode(2);
    bar->PicturePosX(1);
    bar->PicturePosY(2);
    EXPECT_EQ(bar->ChangedProperties(), (std::vector<std::string>{"AutoRedraw",
                                                                  "DashBack",
                                                                  "Style",
                                                                  "BackColor",
                                                                  "BackColorCover",
                                                                  "BackColorV2Begin",
                                                                  "BackColorV2End",
                                                                  "BackColorV1Begin",
                                                                  "BackColorV1End",
                                                                  "BorderColorHighLight",
                                                                  "BorderColorDarkLight",
                                                                  "ForeColor",
                                                                  "CaptionColorBack",
                                                                  "CaptionColor",
                                                                  "CaptionBorderColor",
                                                                  "CaptionShadowColor",
                                                                  "CaptionBorder",
                                                                  "Caption3DWidth",
                                                                  "Caption3DTop",
                                                                  "Caption3DBottom",
                                                                  "Caption3DLeft",
                                                                  "Caption3DRight",
                                                                  "ShowClose",
                                                                  "ShowMinimized",
                                                                  "ShowMaximized",
                                                                  "ShowCloseEnabled",
                                                                  "ShowMinimizedEnabled",
                                                                  "ShowMaximizedEnabled",
                                                                  "Font",
                                                                  "ToolTipText",
                                                                  "Caption",
                                                                  "CaptionPosX",
                                                                  "CaptionPosY",
                                                                  "BorderNormal",
                                                                  "IconStyle",
                                                                  "Picture",
                                                                  "PictureButton",
                                                                  "PicturePosMode",
                                                                  "PicturePosX",
                                                                  "PicturePosY"}));
    EXPECT_EQ(bar->SaveProperties().Dump(), kThroughSetters);
}

}  // namespace
