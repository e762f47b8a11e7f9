// The slider on a window: presses, drags, the value's checks and events, the value tip; the
// stored settings of the slider, the page timer and the movie player.
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "controls/chrome/ucSlider.h"
#include "controls/media/QuendelActiveMovie.h"
#include "controls/media/timer.h"
#include "runtime/error.h"
#include "runtime/form.h"
#include "runtime/ui.h"
#include "support/error_of.h"
#include "support/window_helpers.h"

namespace {

using controls::ucSlider;

std::shared_ptr<const rt::PropertyBag> Horizontal() {
    return std::make_shared<const rt::PropertyBag>(rt::PropertyBag{{"Orientation", int32_t{0}}});
}

class Host : public rt::Form {
public:
    Host() : Form("Host") {
        BorderStyle(rt::vbBSNone);
        Move(1500, 1500, 4500, 3000);
    }
    ucSlider Slider{*this, "Slider", -1, Horizontal()};
};

class SliderTest : public ::testing::Test {
protected:
    void SetUp() override {
        host = &rt::Load<Host>();
        host->Show();
        SetForegroundWindow(host->hWnd());
        slider().Width(116 * 15);
        slider().Move(300, 300);
        slider().Visible(true);
        auto record = [this](const char* name) { return [this, name](int) { events.push_back(name); }; };
        slider().Click = record("Click");
        slider().ArrivedFirst = record("ArrivedFirst");
        slider().ArrivedLast = record("ArrivedLast");
        slider().Change = record("Change");
        slider().MouseDown = [this](int, int16_t&) { events.push_back("MouseDown"); };
        slider().MouseUp = [this](int, int16_t&) { events.push_back("MouseUp"); };
    }
    void TearDown() override {
        host->Unload();
        testutil::PumpUntil([] { return false; }, 20);
    }
    ucSlider& slider() { return host->Slider; }
    void Press(int x, int y = 8) {
        rt::HandlerScope scope;
        SendMessageA(slider().hWnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    }
    void Release(int x, int y = 8) {
        rt::HandlerScope scope;
        SendMessageA(slider().hWnd(), WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    }
    void Drag(int x, int y = 8) {
        rt::HandlerScope scope;
        SendMessageA(slider().hWnd(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x, y));
    }
    static bool TipShown() {
        for (rt::Form* f : rt::Forms())
            if (f->Name() == "ucSliderTip") return f->Visible();
        return false;
    }

    Host* host = nullptr;
    std::vector<std::string> events;
};

TEST_F(SliderTest, APressOnTheRailJumpsTheThumbAndTheValueSnaps) {
    // 116 pixels and the 16-pixel drawn thumb: a travel of 100 for the range 0 to 10.
    ASSERT_EQ(slider().ThumbLeft(), 0.0f);
    const struct {
        int x, value;
        float left;
    } presses[] = {{60, 5, 50.0f}, {33, 2, 20.0f}, {43, 4, 40.0f}};
    for (const auto& p : presses) {
        events.clear();
        Press(p.x);
        EXPECT_EQ(slider().Value(), p.value) << p.x;
        EXPECT_FLOAT_EQ(slider().ThumbLeft(), p.left) << p.x;
        EXPECT_EQ(events, (std::vector<std::string>{"Change", "MouseDown"})) << p.x;
        Release(p.x);
    }
    // The drawn thumb, a button-face box, now stands at 40.
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    EXPECT_EQ(testutil::Snapshot(slider().hWnd()).at(48, 8), face);
    EXPECT_EQ(slider().Height(), 16 * 15);
}

TEST_F(SliderTest, DraggingFollowsThePointerAndReleasingEndsTheDragWithAClick) {
    Press(8);  // on the thumb: nothing moves before MouseDown
    EXPECT_EQ(events, (std::vector<std::string>{"MouseDown"}));
    Drag(108);  // the thumb's right end: Max
    EXPECT_EQ(slider().Value(), 10);
    Drag(500);  // held at the end of the travel
    EXPECT_FLOAT_EQ(slider().ThumbLeft(), 100.0f);
    Release(500);
    EXPECT_EQ(events, (std::vector<std::string>{"MouseDown", "Change", "ArrivedLast", "MouseUp"}));
    // A release inside raises Click, with or without a drag; a disabled slider starts no drag.
    events.clear();
    slider().Enabled(false);
    Press(30);
    Release(30);
    EXPECT_EQ(events, (std::vector<std::string>{"Click"}));
    EXPECT_EQ(slider().Value(), 10);
}

TEST_F(SliderTest, TheValueTipShowsWithoutTakingTheActivationAndClosesOnRelease) {
    const HWND active = GetActiveWindow();
    Press(60);
    EXPECT_TRUE(TipShown());
    EXPECT_EQ(GetActiveWindow(), active);
    Release(60);
    EXPECT_FALSE(TipShown());
}

TEST_F(SliderTest, ValuesOutsideTheRangeAreRefusedWithError380) {
    EXPECT_EQ(testsupport::ErrorOf([&] { slider().Value(11); }), rt::errInvalidPropertyValue);
    EXPECT_EQ(testsupport::ErrorOf([&] { slider().Value(-1); }), rt::errInvalidPropertyValue);
    EXPECT_EQ(testsupport::ErrorOf([&] { slider().Min(10); }), rt::errInvalidPropertyValue);
    EXPECT_EQ(slider().Value(), 0);
    EXPECT_TRUE(events.empty());
    // The same value again changes nothing; Max itself is never checked.
    slider().Value(0);
    EXPECT_TRUE(events.empty());
    slider().Max(-3);
    EXPECT_EQ(slider().Max(), -3);
}

TEST_F(SliderTest, ValueSetterRaisesChangeAndTheEndEvents) {
    slider().Value(10);
    slider().Value(0);
    EXPECT_EQ(events, (std::vector<std::string>{"Change", "ArrivedLast", "Change", "ArrivedFirst"}));
    // Min below Max moves the value to the new Min.
    events.clear();
    slider().Min(-5);
    EXPECT_EQ(slider().Value(), -5);
    EXPECT_EQ(events, (std::vector<std::string>{"Change", "ArrivedFirst"}));
}

TEST_F(SliderTest, AZeroRangeKeepsTheThumbAtTheStart) {
    slider().Value(5);
    events.clear();
    slider().Max(0);  // Min 0, Max 0: no range
    slider().Value(0);
    EXPECT_FLOAT_EQ(slider().ThumbLeft(), 0.0f);
    EXPECT_EQ(events, (std::vector<std::string>{"Change", "ArrivedLast", "ArrivedFirst"}));
    // A slider no longer than its thumb has no travel: a drag gives Min.
    slider().Max(10);
    slider().Value(7);
    slider().Width(16 * 15);
    Press(10);
    Drag(12);
    Release(12);
    EXPECT_EQ(slider().Value(), 0);
}

TEST_F(SliderTest, AVerticalSliderHasMinAtTheBottom) {
    slider().Orientation(1);
    slider().Height(116 * 15);
    EXPECT_EQ(slider().Width(), 16 * 15);
    EXPECT_FLOAT_EQ(slider().ThumbTop(), 100.0f);
    Press(8, 28);  // thumb centre at 28: 20 from the top, value 8
    Release(8, 28);
    EXPECT_EQ(slider().Value(), 8);
    EXPECT_FLOAT_EQ(slider().ThumbTop(), 20.0f);
}

}  // namespace

namespace {

// Settings read from a bag: stored as they are, with no events; written back as they were.
class Stored : public rt::Form {
public:
    Stored() : Form("Stored") {}
    static std::shared_ptr<const rt::PropertyBag> SliderBag() {
        return std::make_shared<const rt::PropertyBag>(rt::PropertyBag{{"Orientation", int32_t{0}},
                                                                       {"Min", int32_t{2}},
                                                                       {"Max", int32_t{8}},
                                                                       {"Value", int32_t{5}},
                                                                       {"ShowValueTip", false},
                                                                       {"RailStyle", int32_t{3}}});
    }
    static std::shared_ptr<const rt::PropertyBag> TimerBag(bool interval) {
        rt::PropertyBag bag{{"Text", "3"}, {"Caption", "2"}};
        if (interval) bag.WriteProperty("Interval", int32_t{250});
        return std::make_shared<const rt::PropertyBag>(std::move(bag));
    }
    ucSlider Slider{*this, "Slider", -1, SliderBag()};
    controls::timer Counting{*this, "Counting", -1, TimerBag(true)};
    controls::timer Waiting{*this, "Waiting", -1, TimerBag(false)};
    controls::QuendelActiveMovie Player{*this, "Player", -1,
                                        std::make_shared<const rt::PropertyBag>(rt::PropertyBag{
                                            {"FileName", "C:\\none.avi"}, {"BorderStyle", int16_t{0}}})};
};

TEST(StoredSettingsTest, ControlsReadTheirBagAsItIsAndWriteItBack) {
    Stored& f = rt::Load<Stored>();
    EXPECT_EQ(f.Slider.Value(), 5);
    EXPECT_EQ(f.Slider.Min(), 2);
    EXPECT_EQ(f.Slider.ShowValueTip(), false);
    EXPECT_EQ(f.Slider.SaveProperties(), *Stored::SliderBag());
    // A stored target starts the ticks, but the stored interval read after it decides.
    EXPECT_EQ(f.Counting.Interval(), 250);
    EXPECT_EQ(f.Waiting.Interval(), 0);
    EXPECT_EQ(f.Waiting.Caption(), "2");
    EXPECT_EQ(f.Waiting.SaveProperties(), *Stored::TimerBag(false));
    // The player only keeps the name: nothing is opened.
    EXPECT_EQ(f.Player.Filename(), "C:\\none.avi");
    EXPECT_FALSE(f.Player.VideoRun());
    EXPECT_EQ(f.Player.FileLength(), 0.0);
    EXPECT_EQ(f.Player.BorderStyle(), 0);
    f.Unload();
}

}  // namespace
