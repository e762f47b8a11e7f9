// The media side of pages: the transition of a page change, page timers, and the intro video that
// the first page may name.
#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "controls/media/modTransEffects.h"
#include "pages/pages_fixture.h"
#include "runtime/convert.h"
#include "runtime/form.h"
#include "support/handle_counter.h"
#include "support/main_window_fixture.h"
#include "support/media_files.h"
#include "windows/Form2_intro.h"

namespace {

using actionstest::MainWindowTest;
using pagestest::FormRec;
using pagestest::Rec;
using shelltest::FormLoaded;
using shelltest::PumpUntil;

constexpr uint32_t kRedBack = 0x0000FF, kBlueBack = 0xFF0000;

// ---- page transitions

class PageTransitionTest : public MainWindowTest {
protected:
    void SetUp() override {
        // Pages 1 and 3 red, 2 and 4 blue; the codes "wd", "WL" and "".
        Start({{"sys1 .esr", FormRec("One", 9000, 12000, "1", "", "0", kRedBack, "wd")},
               {"sys2 .esr", FormRec("Two", 9000, 12000, "1", "", "0", kBlueBack, "wd")},
               {"sys3 .esr", FormRec("Three", 9000, 12000, "1", "", "0", kRedBack, "WL")},
               {"sys4 .esr", FormRec("Four", 9000, 12000, "1", "", "0", kBlueBack, "")},
               {"name.nme", "\r\n"}});
        modTransEffects::Seam().tickCount = [this] { return ++tick; };
        modTransEffects::Seam().refreshed = [this](rt::PictureBox&) { ++refreshes; };
    }
    void TearDown() override {
        modTransEffects::Seam() = {};
        MainWindowTest::TearDown();
    }
    // Jumps and lets the transition timer play.
    int JumpAndCount(int page) {
        refreshes = 0;
        pagestest::Jump(*main, page);
        PumpUntil([&] { return !main->Timer6.Enabled(); }, 3000);
        return refreshes;
    }
    COLORREF ClientPixel(int x, int y) {
        POINT p{x, y};
        ClientToScreen(main->hWnd(), &p);
        HDC screen = GetDC(nullptr);
        const COLORREF c = GetPixel(screen, p.x, p.y);
        ReleaseDC(nullptr, screen);
        return c;
    }

    uint32_t tick = 0;
    int refreshes = 0;
};

TEST_F(PageTransitionTest, TheFirstPageShowsAtOnceAndLaterPagesPlayTheirOwnCode) {
    EXPECT_EQ(refreshes, 0);  // page 1 at start: no transition, whatever its code
    EXPECT_FALSE(main->Picture7.Visible());
    EXPECT_EQ(JumpAndCount(2), 120);  // "wd"
    EXPECT_FALSE(main->Picture7.Visible());
    EXPECT_EQ(ClientPixel(100, 100), RGB(0, 0, 255));  // the new page shows
    EXPECT_EQ(JumpAndCount(3), 0);                     // "WL" is not "wl"
    EXPECT_FALSE(main->Picture7.Visible());
    EXPECT_EQ(ClientPixel(100, 100), RGB(255, 0, 0));
    EXPECT_EQ(JumpAndCount(4), 0);  // no code
    EXPECT_FALSE(main->Picture7.Visible());
    EXPECT_EQ(ClientPixel(100, 100), RGB(0, 0, 255));
}

TEST_F(PageTransitionTest, TwentyPageChangesLeaveNoGdiHandles) {
    JumpAndCount(2);
    testsupport::HandleCounter counter;
    for (int i = 0; i < 20; ++i) EXPECT_EQ(JumpAndCount(i % 2 ? 2 : 1), 120);
    // The boxes keep the captures of the last change; without them nothing is left.
    for (rt::PictureBox* box : {&main->Picture5, &main->Picture6, &main->Picture7}) box->SetPicture({});
    EXPECT_EQ(counter.GdiObjects() + counter.DeviceContexts(), 0u) << counter.Report();
}

// ---- page timers

const char* const kTargets[] = {"1", "3", "0", "05", "5.0"};

class PageTimerTest : public MainWindowTest {
protected:
    void SetUp() override {
        // Page 2 holds the timers; each runs "URL" with its own target as the address when it fires.
        std::string page;
        int index = 1;
        for (const char* target : kTargets)
            page += Rec({"picture3", std::to_string(index++), target, "", "", "", "",
                         std::string("URL***Sepa***") + target});
        Start({{"sys1 .esr", ""}, {"sys2 .esr", page}, {"name.nme", "\r\n"}});
    }
};

TEST_F(PageTimerTest, TimersFireOnceWhenTheirCountReachesTheTarget) {
    const auto start = std::chrono::steady_clock::now();
    pagestest::Jump(*main, 2);
    ASSERT_TRUE(main->picture3.Exists(5));
    EXPECT_FALSE(main->picture3[1].Visible());
    EXPECT_EQ(main->picture3[1].Tag(), "URL***Sepa***1");
    std::map<std::string, double> fired;
    std::map<int, int> ticks;
    for (int i = 1; i <= 5; ++i) {
        const std::string target = kTargets[i - 1];
        auto handler = main->picture3[i].Timer;
        main->picture3[i].Timer = [&, handler, target](int index) {
            ++ticks[index];
            const size_t before = Calls().size();
            handler(index);
            if (Calls().size() > before) {
                EXPECT_EQ(fired.count(target), 0u) << target;
                fired[target] =
                    std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
                if (target == "1") {
                    EXPECT_EQ(ticks[index], 2);
                }
            }
        };
    }
    PumpUntil([&] { return fired.count("05") != 0 && fired.count("5.0") != 0; }, 7000);
    PumpUntil([] { return false; }, 300);
    ASSERT_EQ(fired.size(), 4u);
    // "3": between about 1.2 and 2.4 seconds, by where in the clock's second the start fell.
    EXPECT_GT(fired["3"], 1.0);
    EXPECT_LT(fired["3"], 2.8);
    // "05" and "5.0" are the number 5: met at the count 5, three to four seconds after the first
    // tick (the first tick counts 1).
    EXPECT_GT(fired["05"], 2.8);
    EXPECT_GT(fired["5.0"], 2.8);
    EXPECT_LT(fired["1"], fired["3"]);
    // Fired timers stand still, reset to "0"; the target 0 never starts.
    EXPECT_EQ(main->picture3[1].Interval(), 0);
    EXPECT_EQ(main->picture3[1].Text(), "0");
    EXPECT_EQ(ticks.count(3), 0u);
}

TEST_F(PageTimerTest, ATargetThatIsNoNumberIsComparedAsText) {
    pagestest::Jump(*main, 2);
    controls::timer& t = main->picture3[1];
    t.Text("x1");
    t.Caption("x1");
    const size_t before = Calls().size();
    main->picture3_Timer(1);
    EXPECT_EQ(Calls().size(), before + 1);
    EXPECT_EQ(t.Caption(), "0");
    t.Text("x1");
    t.Caption("1");
    main->picture3_Timer(1);
    EXPECT_EQ(Calls().size(), before + 1);
}

TEST_F(PageTimerTest, ThePageBuilderRemovesThemWithThePage) {
    pagestest::Jump(*main, 2);
    ASSERT_TRUE(main->picture3.Exists(2));
    EXPECT_EQ(main->picture3[2].Interval(), 100);  // counting since the build
    pagestest::Jump(*main, 1);
    EXPECT_FALSE(main->picture3.Exists(2));
}

// ---- the intro video

class IntroTest : public MainWindowTest {
protected:
    void SetUp() override {}  // each test starts its own project
    void StartWithIntro(const std::string& video, bool writeIt = true) {
        app.Write("data/sound/a.wav", mediatest::Wav(1.0));
        if (writeIt) app.Write("Data/" + video, mediatest::SolidAvi(64, 48, RGB(255, 0, 0), 10, 10));
        std::string form = FormRec("Intro", 6000, 8000);
        const std::string marker = "\"##qk##\",\"0\"";
        form.replace(form.find(marker), marker.size(), "\"##qk##\",\"" + video + "\"");
        Start({{"sys1 .esr", form}, {"name.nme", "\r\n"}});
    }
    Form2* Intro() { return static_cast<Form2*>(shelltest::FindForm("Form2")); }
    bool Restored() { return !FormLoaded("Form2") && main->Visible(); }
    double left = 0;
};

TEST_F(IntroTest, TheMainWindowWaitsOffScreenUntilTheVideoEnds) {
    StartWithIntro("intro.avi");
    ASSERT_NE(Intro(), nullptr);
    EXPECT_FALSE(main->Visible());
    // Far off-screen (the platform may stop short of -900000 twips).
    RECT r;
    GetWindowRect(main->hWnd(), &r);
    EXPECT_LT(r.right, 0);
    left = rt::TextToDouble(Intro()->Text1.Text());
    ASSERT_TRUE(PumpUntil([&] { return Restored(); }, 6000));
    EXPECT_EQ(main->Left(), left);
    // The music starts from the first file of the music folder.
    EXPECT_TRUE(main->bac.VideoRun());
    EXPECT_EQ(main->bac.Filename(), main->l.Path() + "\\a.wav");
}

TEST_F(IntroTest, AMissingVideoShowsTheWindowAtOnce) {
    StartWithIntro("none.avi", false);
    EXPECT_TRUE(PumpUntil([&] { return Restored(); }, 300));
    EXPECT_GT(main->Left(), -10000);
}

// The skip button, a double-click on the window's black border and one on the video.
TEST_F(IntroTest, SkipEndsTheIntro) {
    StartWithIntro("intro.avi");
    ASSERT_NE(Intro(), nullptr);
    // A multi-style page button in look 8.
    EXPECT_EQ(Intro()->chameleonButton1.ButtonStyle(), 8);
    EXPECT_EQ(Intro()->chameleonButton1.Caption(), "S K I P");
    EXPECT_EQ(Intro()->chameleonButton1.BackColor(), 0xE0E0E0u);
    rt::HandlerScope scope;
    SendMessageA(Intro()->chameleonButton1.hWnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageA(Intro()->chameleonButton1.hWnd(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_TRUE(PumpUntil([&] { return Restored(); }, 200));
}

TEST_F(IntroTest, ADoubleClickOnTheWindowEndsTheIntro) {
    StartWithIntro("intro.avi");
    ASSERT_NE(Intro(), nullptr);
    rt::HandlerScope scope;
    SendMessageA(Intro()->hWnd(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_TRUE(PumpUntil([&] { return Restored(); }, 200));
}

TEST_F(IntroTest, ADoubleClickOnTheVideoEndsTheIntro) {
    StartWithIntro("intro.avi");
    ASSERT_NE(Intro(), nullptr);
    rt::HandlerScope scope;
    SendMessageA(Intro()->mb.Video.hWnd(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_TRUE(PumpUntil([&] { return Restored(); }, 200));
}

}  // namespace
