// The slideshow on a real window: the order of the pictures and the wrap at both ends, the click
// actions of the shown picture, the clock's switches, the random transition's repeatable choice,
// the listed extensions, the interval limits, an advance whose control goes away under it, and the
// handles and GDI+ images after many ticks.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "controls/media/gdip_image.h"
#include "controls/media/modTransEffects.h"
#include "controls/media/slides_fixture.h"
#include "controls/media/slideshowacx.h"
#include "runtime/control_array.h"
#include "runtime/lifetime.h"
#include "runtime/random.h"
#include "support/handle_counter.h"

using namespace mediatest;

namespace {

constexpr int W = 160, H = 120;

class SlideshowTest : public SlidesTest {
protected:
    void SetUp() override {
        SlidesTest::SetUp();
        Solid("slides\\a.bmp", 80, 60, kRed);
        Solid("slides\\b.bmp", 80, 60, kGreen);
        Solid("slides\\c.bmp", 80, 60, kBlue);
    }
    // Member 1 of an array whose template was stored with the folder "slides".
    controls::slideshowacx& Make(const std::string& code = "wd") {
        stage = std::make_unique<Stage>(W, H);
        shows = std::make_unique<rt::ControlArray<controls::slideshowacx>>(
            *stage, "shows",
            std::make_shared<const rt::PropertyBag>(
                rt::PropertyBag{{"FPath", std::string("slides")}, {"BackColor", 0x00FFFFu}}));
        controls::slideshowacx& s = shows->Load(1);
        s.Move(0, 0, W * 15.0, H * 15.0);
        s.Visible(true);
        s.trnsname(code);
        return s;
    }
    COLORREF Centre(controls::slideshowacx& s) { return At(s.Picture7.hWnd(), W / 2, H / 2); }
    void TearDown() override {
        shows.reset();
        stage.reset();
        SlidesTest::TearDown();
    }
    std::unique_ptr<Stage> stage;
    std::unique_ptr<rt::ControlArray<controls::slideshowacx>> shows;
};

}  // namespace

TEST_F(SlideshowTest, StepsThroughTheFolderAndWrapsBothWays) {
    controls::slideshowacx& s = Make();
    // The folder held pictures when the settings were read: the index starts at the first.
    EXPECT_EQ(s.CurrentIndex(), "0");
    EXPECT_EQ(Centre(s), 0x00FFFFu);  // the back colour until the first transition
    struct Step {
        bool back;
        const char* name;
        COLORREF colour;
        const char* index;
    };
    const Step steps[] = {
        {false, "b.bmp", kGreen, "1"}, {false, "c.bmp", kBlue, "2"}, {false, "a.bmp", kRed, "0"},
        {false, "b.bmp", kGreen, "1"}, {true, "a.bmp", kRed, "0"},   {true, "c.bmp", kBlue, "2"},
    };
    for (const Step& st : steps) {
        st.back ? s.backp() : s.nextp();
        EXPECT_EQ(s.ShownName(), st.name);
        EXPECT_EQ(s.CurrentIndex(), st.index);
        EXPECT_EQ(Centre(s), st.colour) << st.name;
        // The picture is fitted over the back colour: 80 x 60 fills 160 x 120.
        EXPECT_EQ(At(s.Picture7.hWnd(), 3, 3), st.colour);
    }
}

TEST_F(SlideshowTest, AClickRunsTheFirstItemOfTheShownName) {
    controls::slideshowacx& s = Make();
    s.goslid(Items({"b.bmp##qk##", "b.bmp##qk##never", "c.bmp",
                    "a.bmp##qk##jump***Sepa***2***code******code***end", "a.bmp##qk##second"}));
    EXPECT_EQ(s.List1.ListCount(), 5);
    const auto click = [&] {
        SendMessageA(s.Picture7.hWnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
        SendMessageA(s.Picture7.hWnd(), WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
    };
    int clicks = 0;
    s.Click = [&](int) { ++clicks; };
    s.nextp();  // b: an empty action part stops the search
    click();
    s.nextp();  // c: no "##qk##", no actions
    click();
    EXPECT_TRUE(runs.empty());
    s.nextp();  // a
    click();
    EXPECT_EQ(clicks, 3);
    EXPECT_EQ(runs, (std::vector<std::string>{"jump***Sepa***2***code******code***end"}));
}

TEST_F(SlideshowTest, TheClockStopsItselfAndNextStillSteps) {
    controls::slideshowacx& s = Make();
    // Ticks well apart: a transition takes a few hundred milliseconds here.
    s.Interval(1000);
    EXPECT_EQ(s.Interval(), 5);  // the first tick comes at once
    s.StartPlayv = false;
    s.StartPlay(true);
    ASSERT_TRUE(testutil::PumpUntil([&] { return !s.StartPlay(); }, 2000));
    EXPECT_EQ(s.Interval(), 1000);
    EXPECT_EQ(s.CurrentIndex(), "0");  // the tick showed nothing
    s.nextp();
    EXPECT_EQ(s.ShownName(), "b.bmp");
    EXPECT_FALSE(s.StartPlay());
    // Playing again advances with the stored interval.
    s.StartPlayv = true;
    s.playp();
    ASSERT_TRUE(testutil::PumpUntil([&] { return s.ShownName() == "c.bmp"; }, 3000));
    s.StartPlay(false);

    // Intervals beyond the timer's range are held at its limit; the tick does not fail.
    s.Interval(70000);
    EXPECT_EQ(s.Interval(), 5);
    s.StartPlay(true);
    ASSERT_TRUE(testutil::PumpUntil([&] { return s.Interval() == 65535; }, 2000));
    EXPECT_EQ(s.ShownName(), "a.bmp");
    s.StartPlay(false);
}

TEST_F(SlideshowTest, AnEmptyCodePicksTheSameEffectsOnEveryRun) {
    controls::slideshowacx& s = Make("");
    auto& seam = modTransEffects::Seam();
    int refreshes = 0;
    seam.refreshed = [&](rt::PictureBox&) { ++refreshes; };
    const auto run = [&] {
        rt::detail::ResetRnd();
        std::vector<int> perStep;
        for (int i = 0; i < 6; ++i) {
            refreshes = 0;
            s.nextp();
            perStep.push_back(refreshes);
        }
        return perStep;
    };
    const std::vector<int> first = run();
    const std::vector<int> second = run();
    seam.refreshed = nullptr;
    EXPECT_EQ(first, second);
    EXPECT_GT(first[0], 0);  // an effect ran each time

    // A code that is no transition moves the index but shows nothing new.
    s.trnsname("zz");
    const COLORREF before = Centre(s);
    const std::string index = s.CurrentIndex();
    s.nextp();
    EXPECT_NE(s.CurrentIndex(), index);
    EXPECT_EQ(Centre(s), before);
}

TEST_F(SlideshowTest, JpegPicturesAreListedAndAShrunkFolderWraps) {
    controls::slideshowacx& s = Make();
    Solid("photos\\x.jpeg", 80, 60, kGreen, L"image/jpeg");
    Solid("photos\\z.png", 80, 60, kBlue, L"image/png");  // not a slideshow picture
    s.nextp();
    s.nextp();  // index 2 in "slides"
    s.FPath("photos");
    s.nextp();  // index 2 is past the one picture: back to the first
    EXPECT_EQ(s.File1.ListCount(), 1);
    EXPECT_EQ(s.ShownName(), "x.jpeg");
    const COLORREF c = Centre(s);
    EXPECT_LT(GetRValue(c), 40);
    EXPECT_GT(GetGValue(c), 200);
    // A folder that is missing keeps the last listing.
    s.FPath("nowhere");
    s.nextp();
    EXPECT_EQ(s.ShownName(), "x.jpeg");
}

TEST_F(SlideshowTest, AnAdvanceEndsWhenItsControlIsUnloadedMeanwhile) {
    controls::slideshowacx& s = Make();
    s.nextp();
    ASSERT_EQ(s.CurrentIndex(), "1");
    rt::HandlerScope handler;  // as in a tick: the unloaded member stays alive, detached
    bool unloaded = false;
    // Stands for an event that runs while the advance lets the message loop run: the advance
    // asks for the folder before its first pass, and finds its control gone after it.
    controls::MainWindow().pat = [&, folder = app.Path()] {
        if (!unloaded) {
            unloaded = true;
            shows->Unload(1);
        }
        return folder;
    };
    s.nextp();
    EXPECT_TRUE(unloaded);
    EXPECT_TRUE(s.Unloaded());
    EXPECT_EQ(s.CurrentIndex(), "1");  // the advance stopped at its first pass
}

TEST_F(SlideshowTest, AdvancesLeaveNoHandlesNorImages) {
    controls::slideshowacx& s = Make("rlh");
    s.nextp();  // first use: GDI+ and the boxes' images settle
    testsupport::HandleCounter counter;
    // The clock's advance without its clock, so that the count does not depend on timing.
    for (int i = 0; i < 50; ++i) s.nextp();
    EXPECT_GT(counter.Created(), 100u);
    // What lives is what the boxes show: the old and the new picture, as before the advances.
    EXPECT_EQ(counter.GdiObjects(), 2u) << counter.Report();
    EXPECT_EQ(counter.DeviceContexts(), 0u) << counter.Report();
    EXPECT_EQ(controls::GdipImage::Live(), 0);
}
