// The stored settings of the thumbnail browser, the list box, the slide show, the link label, the
// slider, the marquee, the skinned scroll bar and the movie box, compared exactly: the names,
// their order, the kinds and the values written by a new control, by one read from an empty bag,
// by one read from a bag where every setting differs from its defaults, and by a new control
// after its public setters ran (with the names those setters marked as changed). The expected
// texts were saved from the controls as first written; a change in how their settings are
// declared must leave them as they are.
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "controls/chrome/EtsLinkLabel.h"
#include "controls/chrome/Scroll.h"
#include "controls/chrome/combobx.h"
#include "controls/chrome/pcsScrollbar.h"
#include "controls/chrome/ucSlider.h"
#include "controls/media/QuendelActiveMovie.h"
#include "controls/media/slideshowacx.h"
#include "controls/media/thumb.h"
#include "runtime/form.h"
#include "runtime/lifetime.h"
#include "support/settings_fixture.h"
#include "support/window_helpers.h"

namespace {

using Names = std::vector<std::string>;

using testsupport::Courier;

// A control read from a bag (none: a new control), then changed through its setters (if any),
// and what it writes; after setters, also the names they marked as changed.
template <class C>
struct Pin {
    const char* what;
    std::function<rt::PropertyBag()> bag;
    std::string expected;
    std::function<void(C&)> set = nullptr;
    Names changed = {};
};

// No bag at all: a new control. An empty one: a control read from a bag without settings.
const std::function<rt::PropertyBag()> kNew = nullptr;
const std::function<rt::PropertyBag()> kEmpty = [] { return rt::PropertyBag{}; };

class MediaSettings : public testsupport::SettingsTest<> {
protected:
    template <class C>
    void Check(std::initializer_list<Pin<C>> pins) {
        for (const Pin<C>& p : pins) {
            SCOPED_TRACE(p.what);
            auto control = Make<C>(Stored(p.bag));
            if (p.set) {
                control->ClearChangedProperties();
                p.set(*control);
                EXPECT_EQ(control->ChangedProperties(), p.changed);
            }
            EXPECT_EQ(control->SaveProperties().Dump(), p.expected);
        }
    }
};

rt::Picture Solid(int w, int h) {
    return testutil::SolidPicture(w, h, RGB(1, 2, 3));
}

TEST_F(MediaSettings, ThumbnailBrowser) {
    Check<controls::thumb>({
        {"empty bag", kEmpty, ""},
        {"setters", kNew,
         "Enabled = Boolean True\n"
         "BackStyle = Long 1\n"
         "Text = String \"2\"\n"
         "BackColor = Long 1122867\n"
         "ForeColor = Long 4478310\n"
         "Font = Font \"Courier New\" 11.25 weight 700 charset 238 bold italic\n"
         "FontBold = Boolean True\n"
         "FontItalic = Boolean True\n"
         "FontName = String \"Verdana\"\n"
         "FontSize = Double 10.5\n"
         "BorderStyle = Long 0\n",
         [](controls::thumb& t) {
             t.Enabled(true);
             t.BackStyle(1);
             t.BorderStyle(0);
             t.Text("2");
             t.BackColor(0x112233u);
             t.ForeColor(0x445566u);
             t.Font(Courier());
             t.FontBold(true);
             t.FontItalic(true);
             t.FontName("Verdana");
             t.FontSize(10.5f);
             t.Caption("not stored");
         },
         Names{"Enabled", "BackStyle", "BorderStyle", "Text", "BackColor", "ForeColor", "Font", "FontBold",
               "FontItalic", "FontName", "FontSize", "Caption"}},
    });
}

TEST_F(MediaSettings, ListBox) {
    Check<controls::combobx>({
        {"empty bag", kEmpty, ""},
        {"setters", kNew,
         "Enabled = Boolean True\n"
         "BackStyle = Long 1\n"
         "BorderStyle = Long 1\n"
         "Textn = String \"Pick\"\n"
         "BackColor = Long 1122867\n"
         "ForeColor = Long 4478310\n"
         "Font = Font \"Courier New\" 11.25 weight 700 charset 238 bold italic\n"
         "liston = Boolean True\n",
         [](controls::combobx& b) {
             b.Enabled(true);
             b.BackStyle(1);
             b.BorderStyle(1);
             b.Textn("Pick");
             b.BackColor(0x112233u);
             b.ForeColor(0x445566u);
             b.Font(Courier());
             b.liston(true);
         },
         Names{"Enabled", "BackStyle", "BorderStyle", "Textn", "BackColor", "ForeColor", "Font", "liston"}},
    });
}

TEST_F(MediaSettings, SlideShow) {
    Check<controls::slideshowacx>({
        {"empty bag", kEmpty, ""},
        // An interval set waits for the next tick: the clock holds 5 ms meanwhile.
        {"setters", kNew,
         "Interval = Long 5\n"
         "trnsname = String \"xy\"\n"
         "BackColor = Long 65280\n"
         "FPath = String \"C:\\nowhere\"\n",
         [](controls::slideshowacx& s) {
             s.StartPlay(true);
             s.Interval(100);
             s.trnsname("xy");
             s.BackColor(0x00FF00u);
             s.FPath("C:\\nowhere");
             s.StartPlay(false);
         },
         Names{"StartPlay", "Interval", "trnsname", "BackColor", "FPath", "StartPlay"}},
    });
}

TEST_F(MediaSettings, LinkLabel) {
    Check<controls::EtsLinkLabel>({
        {"new", kNew,
         "DropColorAngleLeft = Long 15\n"
         "DropColorAngleTop = Long 15\n"},
        {"empty bag", kEmpty, ""},
        {"unusual",
         [] {
             return rt::PropertyBag{{"Caption", "Go there"},           {"Font", Courier()},
                                    {"BackStyle", int16_t{0}},         {"Enabled", false},
                                    {"BackColor", 0x112233u},          {"ForeColor", 0x445566u},
                                    {"DropColor", 0x778899u},          {"DropColorAngleLeft", int16_t{-7}},
                                    {"DropColorAngleTop", int16_t{9}}, {"Hover", false},
                                    {"LinkColor", 0x00AA00u},          {"Style", int32_t{1}},
                                    {"Picture", Solid(3, 2)},          {"URL", "mailto:someone@example.com"}};
         },
         "Caption = String \"Go there\"\n"
         "Font = Font \"Courier New\" 11.25 weight 700 charset 238 bold italic\n"
         "BackStyle = Long 0\n"
         "Enabled = Boolean False\n"
         "BackColor = Long 1122867\n"
         "ForeColor = Long 4478310\n"
         "DropColor = Long 7833753\n"
         "DropColorAngleLeft = Long -7\n"
         "DropColorAngleTop = Long 9\n"
         "Hover = Boolean False\n"
         "LinkColor = Long 43520\n"
         "Style = Long 1\n"
         "Picture = Picture type 1 3x2\n"
         "URL = String \"mailto:someone@example.com\"\n"},
        // The link look (underlined, as Hover is off) is the font's own.
        {"setters", kNew,
         "Caption = String \"Go there\"\n"
         "Font = Font \"Courier New\" 11.25 weight 700 charset 238 bold italic underline\n"
         "BackStyle = Long 0\n"
         "Enabled = Boolean False\n"
         "BackColor = Long 1122867\n"
         "ForeColor = Long 4478310\n"
         "DropColor = Long 7833753\n"
         "DropColorAngleLeft = Long -50\n"
         "DropColorAngleTop = Long 9\n"
         "Hover = Boolean False\n"
         "LinkColor = Long 43520\n"
         "Style = Long 1\n"
         "Picture = Picture type 1 3x2\n"
         "URL = String \"mailto:someone@example.com\"\n",
         [](controls::EtsLinkLabel& l) {
             l.Caption("Go there");
             l.Font(Courier());
             l.BackStyle(0);
             l.Enabled(false);
             l.BackColor(0x112233u);
             l.ForeColor(0x445566u);
             l.DropColor(0x778899u);
             l.DropColorAngleLeft(-70);
             l.DropColorAngleTop(9);
             l.Hover(false);
             l.LinkColor(0x00AA00u);
             l.Style(1);
             l.Picture(Solid(3, 2));
             l.URL("mailto:someone@example.com");
         },
         Names{"Caption", "Font", "BackStyle", "Enabled", "BackColor", "ForeColor", "DropColor",
               "DropColorAngleLeft", "DropColorAngleTop", "Hover", "LinkColor", "Style", "Picture", "URL"}},
    });
}

TEST_F(MediaSettings, Slider) {
    // Its setters give what the bag gives.
    const std::string unusual =
        "BackColor = Long 1122867\n"
        "MousePointer = Long 2\n"
        "MouseIcon = Picture type 1 3x2\n"
        "Enabled = Boolean False\n"
        "Orientation = Long 0\n"
        "RailStyle = Long 3\n"
        "ShowValueTip = Boolean False\n"
        "Min = Long -5\n"
        "Max = Long 40\n"
        "Value = Long 12\n"
        "SliderImage = Picture type 1 5x4\n"
        "RailImage = Picture type 1 6x2\n";
    Check<controls::ucSlider>({
        {"new", kNew, ""},
        {"empty bag", kEmpty, ""},
        {"unusual",
         [] {
             return rt::PropertyBag{
                 {"BackColor", 0x112233u}, {"MousePointer", int16_t{2}}, {"MouseIcon", Solid(3, 2)},
                 {"Enabled", false},       {"Orientation", int32_t{0}},  {"RailStyle", int32_t{3}},
                 {"ShowValueTip", false},  {"Min", int32_t{-5}},         {"Max", int32_t{40}},
                 {"Value", int32_t{12}},   {"SliderImage", Solid(5, 4)}, {"RailImage", Solid(6, 2)}};
         },
         unusual},
        {"setters", kNew, unusual,
         [](controls::ucSlider& s) {
             s.BackColor(0x112233u);
             s.MousePointer(2);
             s.MouseIcon(Solid(3, 2));
             s.Enabled(false);
             s.Orientation(0);
             s.RailStyle(3);
             s.ShowValueTip(false);
             s.Max(40);
             s.Min(-5);
             s.Value(12);
             s.SliderImage(Solid(5, 4));
             s.RailImage(Solid(6, 2));
         },
         Names{}},  // none of its setters marks a change
    });
}

TEST_F(MediaSettings, Marquee) {
    // Its setters give what the bag gives.
    const std::string unusual =
        "Enabled = Boolean True\n"
        "BackStyle = Long 1\n"
        "BorderStyle = Long 1\n"
        "Text = String \"2\"\n"
        "Interval = Long 65535\n"
        "Caption = String \"Moving\"\n"
        "ForeColor = Long 4478310\n"
        "Font = Font \"Verdana\" 14.25 weight 400 charset 238 underline strike\n"
        "FontUnderline = Boolean True\n"
        "FontTransparent = Boolean True\n"
        "FontStrikethru = Boolean True\n"
        "FontSize = Double 14.25\n"
        "FontName = String \"Verdana\"\n"
        "Picture = Picture type 1 3x2\n"
        "BackColor = Long 1122867\n";
    Check<controls::Scroll>({
        {"new", kNew, "Font = Font \"Arial\" 8 weight 400 charset 1\n"},
        {"empty bag", kEmpty, "Font = Font \"Arial\" 8 weight 400 charset 1\n"},
        {"unusual",
         [] {
             return rt::PropertyBag{
                 {"Enabled", true},       {"BackStyle", int16_t{1}},    {"BorderStyle", int16_t{1}},
                 {"Text", "2"},           {"Interval", int32_t{70000}},  // beyond what a timer takes
                 {"Caption", "Moving"},   {"ForeColor", 0x445566u},     {"Font", Courier()},
                 {"FontUnderline", true}, {"FontTransparent", true},    {"FontStrikethru", true},
                 {"FontSize", 14.25f},    {"FontName", "Verdana"},      {"FontItalic", false},
                 {"FontBold", false},     {"Picture", Solid(3, 2)},     {"BackColor", 0x112233u}};
         },
         unusual},
        {"setters", kNew, unusual,
         [](controls::Scroll& s) {
             s.Enabled(true);
             s.BackStyle(1);
             s.BorderStyle(1);
             s.Text("2");
             s.Interval(70000);
             s.Caption("Moving");
             s.ForeColor(0x445566u);
             s.Font(Courier());
             s.FontUnderline(true);
             s.FontTransparent(true);
             s.FontStrikethru(true);
             s.FontSize(14.25f);
             s.FontName("Verdana");
             s.FontItalic(false);
             s.FontBold(false);
             s.Picture(Solid(3, 2));
             s.BackColor(0x112233u);
         },
         Names{"Enabled", "BackStyle", "BorderStyle", "Text", "Interval", "Caption", "ForeColor", "Font",
               "FontUnderline", "FontTransparent", "FontStrikethru", "FontSize", "FontName", "FontItalic",
               "FontBold", "Picture", "BackColor"}},
    });
}

TEST_F(MediaSettings, SkinnedScrollBar) {
    Check<controls::pcsScrollbar>({
        {"new", kNew, "Max = Double 100\n"},  // a new bar's, through its setter
        {"empty bag", kEmpty, ""},
        {"unusual",
         [] {
             return rt::PropertyBag{
                 {"Max", 0.5}, {"Value", 40.0}, {"Enabled", false}};  // as stored, no limits
         },
         "Max = Double 0.5\n"
         "Value = Double 40\n"
         "Enabled = Boolean False\n"},
        {"setters", kNew,
         "Max = Double 10\n"
         "Value = Double 10\n"
         "Enabled = Boolean False\n",
         [](controls::pcsScrollbar& s) {
             s.Max(50);
             s.Value(20);
             s.Max(10);
             s.Enabled(false);
         },
         Names{"Max", "Value", "Value", "Max", "Enabled"}},
    });
}

TEST_F(MediaSettings, MovieBox) {
    Check<controls::QuendelActiveMovie>({
        {"new", kNew, ""},
        {"empty bag", kEmpty, ""},
        {"unusual",
         [] {
             return rt::PropertyBag{{"VideoRun", true},         {"FileName", "C:\\clip.avi"},
                                    {"FileLength", 12.5},       {"StartPosition", 2.5},
                                    {"CurrentPosition", 3.25},  {"BackStyle", int16_t{1}},
                                    {"BorderStyle", int16_t{0}}};
         },
         "VideoRun = Boolean True\n"
         "FileName = String \"C:\\clip.avi\"\n"
         "FileLength = Double 12.5\n"
         "StartPosition = Double 2.5\n"
         "CurrentPosition = Double 3.25\n"
         "BackStyle = Long 1\n"
         "BorderStyle = Long 0\n"},
        {"setters", kNew,
         "FileName = String \"C:\\clip.avi\"\n"
         "FileLength = Double 12.5\n"
         "StartPosition = Double 2.5\n"
         "CurrentPosition = Double 3.25\n"
         "BackStyle = Long 1\n"
         "BorderStyle = Long 0\n",
         [](controls::QuendelActiveMovie& q) {
             q.Filename("C:\\clip.avi");
             q.FileLength(12.5);
             q.StartPosition(2.5);
             q.CurrentPosition(3.25);
             q.BackStyle(1);
             q.BorderStyle(0);
         },
         Names{"FileName", "FileLength", "StartPosition", "CurrentPosition", "BackStyle", "BorderStyle"}},
    });
}

}  // namespace
