// The stored settings of the page buttons, the dialog button, the picture button and the shape
// wrapper, compared exactly: the names, their order, the kinds and the values written by a new
// control, by one read from an empty bag, by one read from a bag where every setting differs from
// its defaults, and by one whose public setters ran, with the names those setters marked changed.
// The expected texts were saved from the controls as first written; a change in how their
// settings are declared must leave them as they are.
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <initializer_list>
#include <memory>
#include <string>

#include "controls/buttons/CandyButton.h"
#include "controls/buttons/ShapedButton.h"
#include "controls/buttons/Shaper.h"
#include "controls/buttons/chameleonButton.h"
#include "controls/buttons/vxbutton.h"
#include "runtime/form.h"
#include "runtime/lifetime.h"
#include "support/settings_fixture.h"
#include "support/window_helpers.h"

namespace {

using controls::CandyButton;
using controls::chameleonButton;
using controls::ShapedButton;
using controls::Shaper;
using controls::vxbutton;

using testsupport::Courier;

// A control made from a bag (none: a new control), in design mode or not, whose public setters
// then run; what it writes, followed, when setters ran, by the names they marked changed.
template <class C>
struct Case {
    const char* what;
    std::function<rt::PropertyBag()> bag;
    std::string expected;
    std::function<void(C&)> set = nullptr;
    bool design = false;
};

// Pictures told apart by their sizes in the dumps.
rt::Picture Pic(int w, int h) {
    return testutil::SolidPicture(w, h, RGB(200, 40, 90));
}

class ButtonsSettings : public testsupport::SettingsTest<> {
protected:
    void TearDown() override {
        rt::UserControl::SetDesignMode(false);
        SettingsTest::TearDown();
    }
    template <class C>
    void Check(std::initializer_list<Case<C>> cases) {
        for (const Case<C>& c : cases) {
            SCOPED_TRACE(c.what);
            rt::UserControl::SetDesignMode(c.design);
            auto control = Make<C>(Stored(c.bag));
            std::string changed;
            if (c.set) {
                control->ClearChangedProperties();
                c.set(*control);
                changed = "changed:";
                for (const std::string& name : control->ChangedProperties()) changed += " " + name;
                changed += "\n";
            }
            const std::string got = control->SaveProperties().Dump() + changed;
            EXPECT_EQ(got, c.expected);
            rt::UserControl::SetDesignMode(false);
        }
    }
};

rt::PropertyBag Empty() {
    return {};
}

TEST_F(ButtonsSettings, ShapeWrapper) {
    const std::string unusual =
        "ForeColor = Long 1193046\n"
        "Enabled = Boolean True\n"
        "Font = Font \"Courier New\" 11.25 weight 700 charset 238 bold italic\n"
        "BackStyle = Long 1\n"
        "BorderStyle = Long 3\n"
        "BorderWidth = Long 4\n"
        "FillColor = Long 65280\n"
        "Shape = Long 2\n"
        "BackColor = Long 16711680\n"
        "BorderColor = Long 255\n";
    Check<Shaper>({
        // A new wrapper keeps the shape's own colours.
        {"new", nullptr, "BackColor = Long -2147483633\nBorderColor = Long -2147483640\n"},
        {"empty bag", Empty, ""},
        {"unusual",
         [] {
             return rt::PropertyBag{{"ForeColor", 0x123456u},    {"Enabled", true},
                                    {"Font", Courier()},         {"BackStyle", int16_t{1}},
                                    {"BorderStyle", int16_t{3}}, {"BorderWidth", int16_t{4}},
                                    {"FillColor", 0x00FF00u},    {"Shape", int16_t{2}},
                                    {"BackColor", 0xFF0000u},    {"BorderColor", 0x0000FFu}};
         },
         unusual},
        {"setters", Empty,
         unusual +
             "changed: ForeColor Enabled Font BackStyle BorderStyle BorderWidth FillColor Shape BackColor "
             "BorderColor\n",
         [](Shaper& s) {
             s.ForeColor(0x123456);
             s.Enabled(true);
             s.Font(Courier());
             s.BackStyle(1);
             s.BorderStyle(3);
             s.BorderWidth(4);
             s.FillColor(0x00FF00);
             s.Shape(2);
             s.BackColor(0xFF0000);
             s.BorderColor(0x0000FF);
         }},
    });
}

TEST_F(ButtonsSettings, PictureButton) {
    const std::string unusual =
        "PictureOnMouseLeave = Picture type 1 6x4\n"
        "ShowPicture = Boolean False\n"
        "MaskColor = Long 16711935\n"
        "BackColor = Long 1056816\n"
        "PictureOnMouseMove = Picture type 1 7x4\n"
        "PictureOnMouseDown = Picture type 1 8x4\n"
        "Caption = String \"Go\"\n"
        "Font = Font \"Courier New\" 8.25 weight 400 charset 1\n"
        "ForeColor = Long 4478310\n"
        "Enable = Boolean False\n"
        "MouseIcon = Picture type 1 3x2\n";
    Check<ShapedButton>({
        {"new", nullptr, ""},
        {"empty bag", Empty, ""},
        {"unusual",
         [] {
             return rt::PropertyBag{{"PictureOnMouseLeave", Pic(6, 4)},
                                    {"ShowPicture", false},
                                    {"MaskColor", 0xFF00FFu},
                                    {"BackColor", 0x102030u},
                                    {"PictureOnMouseMove", Pic(7, 4)},
                                    {"PictureOnMouseDown", Pic(8, 4)},
                                    {"Caption", "Go"},
                                    {"Font", Courier()},  // only the name comes back
                                    {"ForeColor", 0x445566u},
                                    {"Enable", false},
                                    {"MouseIcon", Pic(3, 2)}};
         },
         unusual},
        {"setters", Empty,
         unusual + "changed: ShowPicture PictureOnMouseLeave PictureOnMouseMove PictureOnMouseDown MaskColor "
                   "BackColor Caption ForeColor MouseIcon\n",
         [](ShapedButton& b) {
             b.ShowPicture(false);
             b.PictureOnMouseLeave(Pic(6, 4));
             b.PictureOnMouseMove(Pic(7, 4));
             b.PictureOnMouseDown(Pic(8, 4));
             b.MaskColor(0xFF00FF);
             b.BackColor(0x102030);
             b.Caption("Go");
             b.Font().Name("Courier New");
             b.ForeColor(0x445566);
             b.Enable(false);
             b.MouseIcon(Pic(3, 2));
         }},
    });
}

// What the glossy button always writes, with the default colours.
constexpr const char* kCandyAlways =
    "Checked = Boolean False\n"
    "ColorButtonHover = Long 16760976\n"
    "ColorButtonUp = Long 15309136\n"
    "ColorButtonDown = Long 15309136\n"
    "BorderBrightness = Long 0\n"
    "ColorBright = Long 16772528\n"
    "DisplayHand = Boolean False\n"
    "ColorScheme = Long 0\n";

TEST_F(ButtonsSettings, GlossyButton) {
    // A new button has its name as caption and its own font; at run time it has no colours and
    // stays disabled.
    const std::string newButton =
        "Font = Font \"Tahoma\" 9 weight 400 charset 1\n"
        "Caption = String \"Saved\"\n"
        "IconHighLiteColor = Long 0\n"
        "CaptionHighLiteColor = Long 0\n";
    Check<CandyButton>({
        {"new", nullptr,
         "Enabled = Boolean False\n" + newButton +
             "Checked = Boolean False\n"
             "ColorButtonHover = Long 0\n"
             "ColorButtonUp = Long 0\n"
             "ColorButtonDown = Long 0\n"
             "BorderBrightness = Long 0\n"
             "ColorBright = Long 0\n"
             "DisplayHand = Boolean False\n"
             "ColorScheme = Long 0\n"},
        {"new, design mode", nullptr, newButton + kCandyAlways, nullptr, true},
        {"empty bag", Empty, kCandyAlways},
        {"unusual",
         [] {
             return rt::PropertyBag{{"Enabled", false},
                                    {"Font", Courier()},
                                    {"Caption", "Press"},
                                    {"IconHighLite", true},
                                    {"IconHighLiteColor", 0x0000FFu},
                                    {"CaptionHighLite", true},
                                    {"CaptionHighLiteColor", 0xFF0000u},
                                    {"ForeColor", 0x123456u},
                                    {"Picture", Pic(6, 4)},
                                    {"PictureAlignment", int32_t{2}},
                                    {"Style", int32_t{3}},
                                    {"Checked", true},
                                    {"ColorButtonHover", 0x111111u},
                                    {"ColorButtonUp", 0x222222u},
                                    {"ColorButtonDown", 0x333333u},
                                    {"BorderBrightness", int32_t{40}},
                                    {"ColorBright", 0x444444u},
                                    {"DisplayHand", true},
                                    {"ColorScheme", int32_t{4}}};
         },
         "Enabled = Boolean False\n"
         "Font = Font \"Courier New\" 11.25 weight 700 charset 238 bold italic\n"
         "Caption = String \"Press\"\n"
         "IconHighLite = Boolean True\n"
         "IconHighLiteColor = Long 255\n"
         "CaptionHighLite = Boolean True\n"
         "CaptionHighLiteColor = Long 16711680\n"
         "ForeColor = Long 1193046\n"
         "Picture = Picture type 1 6x4\n"
         "PictureAlignment = Long 2\n"
         "Style = Long 3\n"
         "Checked = Boolean True\n"
         "ColorButtonHover = Long 1118481\n"
         "ColorButtonUp = Long 2236962\n"
         "ColorButtonDown = Long 3355443\n"
         "BorderBrightness = Long 40\n"
         "ColorBright = Long 4473924\n"
         "DisplayHand = Boolean True\n"
         "ColorScheme = Long 4\n"},
        // The scheme's colours and the brightness are marked under their member names.
        {"setters", Empty,
         "Enabled = Boolean False\n"
         "Font = Font \"Courier New\" 11.25 weight 700 charset 238 bold italic\n"
         "Caption = String \"Go\"\n"
         "IconHighLite = Boolean True\n"
         "IconHighLiteColor = Long 255\n"
         "CaptionHighLite = Boolean True\n"
         "CaptionHighLiteColor = Long 16711680\n"
         "ForeColor = Long 1193046\n"
         "Picture = Picture type 1 6x4\n"
         "PictureAlignment = Long 1\n"
         "Style = Long 4\n"
         "Checked = Boolean True\n"
         "ColorButtonHover = Long 1118481\n"
         "ColorButtonUp = Long 2236962\n"
         "ColorButtonDown = Long 3355443\n"
         "BorderBrightness = Long 100\n"
         "ColorBright = Long 4473924\n"
         "DisplayHand = Boolean True\n"
         "ColorScheme = Long 0\n"
         "changed: Enabled m_ColorButtonUp m_ColorButtonHover m_ColorButtonDown m_ColorBright m_ColorScheme "
         "m_ColorScheme m_ColorButtonUp m_ColorButtonHover m_ColorButtonDown m_ColorBright "
         "m_BorderBrightness "
         "IconHighLite IconHighLiteColor CaptionHighLite CaptionHighLiteColor ForeColor Picture Checked "
         "Style "
         "PictureAlignment Caption Font\n",
         [](CandyButton& b) {
             b.DisplayHand(true);
             b.Enabled(false);
             b.ColorScheme(2);
             b.ColorButtonUp(0x222222);  // ends the preset
             b.ColorButtonHover(0x111111);
             b.ColorButtonDown(0x333333);
             b.ColorBright(0x444444);
             b.BorderBrightness(150);
             b.IconHighLite(true);
             b.IconHighLiteColor(0x0000FF);
             b.CaptionHighLite(true);
             b.CaptionHighLiteColor(0xFF0000);
             b.ForeColor(0x123456);
             b.Picture(Pic(6, 4));
             b.Checked(true);
             b.Style(4);
             b.PictureAlignment(1);
             b.Caption("Go");
             b.Font(Courier());
         }},
    });
}

TEST_F(ButtonsSettings, DialogButton) {
    // Every key is written; the colours are the system's button face and text.
    auto line = [](const char* key, COLORREF c) {
        return std::string(key) + " = Long " + std::to_string(c) + "\n";
    };
    const COLORREF face = GetSysColor(COLOR_BTNFACE), text = GetSysColor(COLOR_BTNTEXT);
    const std::string defaults = "COLTYPE = Long 1\nFOCUSR = Boolean True\n" + line("BCOL", face) +
                                 line("BCOLO", face) + line("FCOL", text) + line("FCOLO", text) +
                                 "MCOL = Long 12632256\n"
                                 "MPTR = Long 0\n"
                                 "MICON = Picture\n"
                                 "PICN = Picture\n"
                                 "PICH = Picture\n"
                                 "UMCOL = Boolean True\n"
                                 "SOFT = Boolean False\n"
                                 "PICPOS = Long 0\n"
                                 "NGREY = Boolean False\n"
                                 "FX = Long 0\n"
                                 "HAND = Boolean False\n"
                                 "CHECK = Boolean False\n"
                                 "VALUE = Boolean False\n";
    Check<chameleonButton>({
        // A new button takes its name and the container's font; read, the font stays its own.
        {"new", nullptr,
         "BTYPE = Long 2\nTX = String \"Saved\"\nENAB = Boolean True\n"
         "FONT = Font \"Arial\" 9.75 weight 400 charset 1\n" +
             defaults},
        {"empty bag", Empty,
         "BTYPE = Long 2\nTX = String \"\"\nENAB = Boolean True\n"
         "FONT = Font \"MS Sans Serif\" 8.25 weight 400 charset 1\n" +
             defaults},
        {"unusual",
         [] {
             return rt::PropertyBag{
                 {"BTYPE", int32_t{5}},   {"TX", "&Open"},        {"ENAB", false},     {"FONT", Courier()},
                 {"COLTYPE", int32_t{2}}, {"FOCUSR", false},      {"BCOL", 0x102030u}, {"BCOLO", 0x203040u},
                 {"FCOL", 0x304050u},     {"FCOLO", 0x405060u},   {"MCOL", 0xFF00FFu}, {"MPTR", int16_t{2}},
                 {"MICON", Pic(3, 2)},    {"PICN", Pic(6, 4)},    {"PICH", Pic(7, 4)}, {"UMCOL", false},
                 {"SOFT", true},          {"PICPOS", int32_t{3}}, {"NGREY", true},     {"FX", int32_t{2}},
                 {"HAND", true},          {"CHECK", true},        {"VALUE", true}};
         },
         "BTYPE = Long 5\n"
         "TX = String \"&Open\"\n"
         "ENAB = Boolean False\n"
         "FONT = Font \"Courier New\" 11.25 weight 700 charset 238 bold italic\n"
         "COLTYPE = Long 2\n"
         "FOCUSR = Boolean False\n"
         "BCOL = Long 1056816\n"
         "BCOLO = Long 2109504\n"
         "FCOL = Long 3162192\n"
         "FCOLO = Long 4214880\n"
         "MCOL = Long 16711935\n"
         "MPTR = Long 2\n"
         "MICON = Picture type 1 3x2\n"
         "PICN = Picture type 1 6x4\n"
         "PICH = Picture type 1 7x4\n"
         "UMCOL = Boolean False\n"
         "SOFT = Boolean True\n"
         "PICPOS = Long 3\n"
         "NGREY = Boolean True\n"
         "FX = Long 2\n"
         "HAND = Boolean False\n"  // never read back
         "CHECK = Boolean True\n"
         "VALUE = Boolean True\n"},
        // The font's own setters mark nothing; the picture shown over the button is marked "PICO".
        {"setters", Empty,
         "BTYPE = Long 4\n"
         "TX = String \"&Open\"\n"
         "ENAB = Boolean False\n"
         "FONT = Font \"Courier New\" 12 weight 700 charset 238 bold italic underline\n"
         "COLTYPE = Long 2\n"
         "FOCUSR = Boolean False\n"
         "BCOL = Long 1056816\n"
         "BCOLO = Long 2109504\n"
         "FCOL = Long 3162192\n"
         "FCOLO = Long 4214880\n"
         "MCOL = Long 16711935\n"
         "MPTR = Long 3\n"
         "MICON = Picture type 1 3x2\n"
         "PICN = Picture type 1 6x4\n"
         "PICH = Picture type 1 7x4\n"
         "UMCOL = Boolean False\n"
         "SOFT = Boolean True\n"
         "PICPOS = Long 1\n"
         "NGREY = Boolean True\n"
         "FX = Long 1\n"
         "HAND = Boolean True\n"
         "CHECK = Boolean True\n"
         "VALUE = Boolean True\n"
         "changed: BTYPE COLTYPE BCOL BCOLO FCOL FCOLO MCOL TX ENAB FONT FOCUSR HAND MPTR MICON SOFT PICN "
         "PICO "
         "PICPOS UMCOL NGREY FX CHECK VALUE\n",
         [](chameleonButton& b) {
             b.ButtonType(4);
             b.ColorScheme(2);
             b.BackColor(0x102030);
             b.BackOver(0x203040);
             b.ForeColor(0x304050);
             b.ForeOver(0x405060);
             b.MaskColor(0xFF00FF);
             b.Caption("&Open");
             b.Enabled(false);
             b.Font(Courier());
             b.FontUnderline(true);
             b.FontSize(12);
             b.ShowFocusRect(false);
             b.HandPointer(true);
             b.MousePointer(3);
             b.MouseIcon(Pic(3, 2));
             b.SoftBevel(true);
             b.PictureNormal(Pic(6, 4));
             b.PictureOver(Pic(7, 4));
             b.PicturePosition(1);
             b.UseMaskColor(false);
             b.UseGreyscale(true);
             b.SpecialEffect(1);
             b.CheckBoxBehaviour(true);
             b.Value(true);
         }},
    });
}

TEST_F(ButtonsSettings, MultiStyleButton) {
    const std::string unusual =
        "ButtonStyle = Long 5\n"
        "ShowFocusRect = Boolean True\n"
        "Enabled = Boolean False\n"
        "Font = Font \"Courier New\" 11.25 weight 700 charset 238 bold italic\n"
        "BackColor = Long 1056816\n"
        "Caption = String \"&Go\"\n"
        "ForeColor = Long 3162192\n"
        "CheckBoxMode = Boolean True\n"
        "Value = Boolean True\n"
        "MousePointer = Long 2\n"
        "MouseIcon = Picture type 1 3x2\n"
        "Picture = Picture type 1 6x4\n"
        "PictureAlign = Long 0\n"
        "UseMaskCOlor = Boolean True\n"
        "MaskColor = Long 16711935\n"
        "CaptionAlign = Long 2\n";
    Check<vxbutton>({
        {"new", nullptr,
         "ButtonStyle = Long 0\n"
         "ShowFocusRect = Boolean True\n"
         "Font = Font \"Tahoma\" 8.25 weight 400 charset 1\n"
         "Caption = String \"Saved\"\n"
         "UseMaskCOlor = Boolean True\n"},
        // The caption read by default is not the one written by default.
        {"empty bag", Empty, "Caption = String \"vxbutton\"\n"},
        {"unusual",
         [] {
             return rt::PropertyBag{
                 {"ButtonStyle", int32_t{5}},  {"ShowFocusRect", true},  {"Enabled", false},
                 {"Font", Courier()},          {"BackColor", 0x102030u}, {"Caption", "&Go"},
                 {"ForeColor", 0x304050u},     {"CheckBoxMode", true},   {"Value", true},
                 {"MousePointer", int16_t{2}}, {"MouseIcon", Pic(3, 2)}, {"Picture", Pic(6, 4)},
                 {"PictureAlign", int32_t{0}}, {"UseMaskCOlor", true},   {"MaskColor", 0xFF00FFu},
                 {"CaptionAlign", int32_t{2}}};
         },
         unusual},
        // The look's colours give way to those set after it.
        {"setters", Empty,
         unusual +
             "changed: ButtonStyle BackColor Caption CaptionAlign Value CheckBoxMode Value Enabled Font "
             "ForeColor Picture MaskColor MaskColor MouseIcon MousePointer PictureAlign ShowFocusRect "
             "UseMaskColor\n",
         [](vxbutton& b) {
             b.ButtonStyle(5);
             b.BackColor(0x102030);
             b.Caption("&Go");
             b.CaptionAlign(2);
             b.CheckBoxMode(true);
             b.Value(true);
             b.Enabled(false);
             b.Font(Courier());
             b.ForeColor(0x304050);
             b.Picture(Pic(6, 4));
             b.MaskColor(0xFF00FF);
             b.MouseIcon(Pic(3, 2));
             b.MousePointer(2);
             b.PictureAlign(0);
             b.ShowFocusRect(true);
             b.UseMaskColor(true);
         }},
    });
}

}  // namespace
