// The animated picture, the rich-text viewer and the web viewer on a window of their own.
#include <gtest/gtest.h>
#include <richedit.h>
#include <windows.h>

#include <filesystem>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "comserver/axtest.h"
#include "controls/media/AniGif.h"
#include "controls/media/JRTF.h"
#include "controls/media/UserControl1.h"
#include "runtime/error.h"
#include "runtime/form.h"
#include "runtime/ui.h"
#include "support/error_of.h"
#include "support/gif_fixture.h"
#include "support/temp_dir.h"
#include "support/window_helpers.h"

namespace {

using giftest::Image;

constexpr COLORREF kRed = RGB(255, 0, 0), kGreen = RGB(0, 255, 0), kBlue = RGB(0, 0, 255);
constexpr uint32_t kBack = 0x00FFFF;  // OLE yellow
constexpr COLORREF kBackPixel = RGB(255, 255, 0);
constexpr const char* kTestBrowser = "Vantrel.TestBrowser.1";
constexpr double kHalfPixel = 7.5;  // twips: sizes are kept in whole pixels

class Host : public rt::Form {
public:
    Host() : Form("Host") {
        BorderStyle(rt::vbBSNone);
        Move(600, 600, 9000, 7500);
    }
    controls::AniGif Gif{*this, "Gif"};
    controls::JRTF Rich{*this, "Rich"};
};

class ViewerTest : public ::testing::Test {
protected:
    void SetUp() override {
        host = &rt::Load<Host>();
        host->Show();
    }
    void TearDown() override {
        host->Unload();
        testutil::PumpUntil([] { return false; }, 20);
    }
    Host* host = nullptr;
    testsupport::TempDir dir;
};

// ---- animated picture

class AniGifTest : public ViewerTest {
protected:
    void SetUp() override {
        ViewerTest::SetUp();
        gif().Visible(true);
        gif().BackColor(kBack);
    }
    controls::AniGif& gif() { return host->Gif; }
    COLORREF At(int x, int y) { return GetPixel(gif().Picture5.hDC(), x, y) & 0xFFFFFF; }
    void Load(const std::string& bytes, bool doNotStart = true) {
        gif().LoadFile(dir.Write("a.gif", bytes), doNotStart);
    }
    bool WaitFor(const std::function<bool()>& done) { return testutil::PumpUntil(done, 10000); }
};

TEST_F(AniGifTest, EachStepComposesTheFrameOverTheDisplayAfterThePreviousFramesDisposal) {
    gif().Move(0, 0, 4000, 4000);
    Load(giftest::ThreeFrames());
    EXPECT_EQ(gif().Picture(), 3);
    EXPECT_FALSE(gif().TimerStatus());
    EXPECT_DOUBLE_EQ(gif().Width(), 300);  // the GIF's own screen, 20 x 10 pixels
    EXPECT_DOUBLE_EQ(gif().Height(), 150);

    struct Pixel {
        int x, y;
        COLORREF colour;
    };
    struct Step {
        int frame;
        uint32_t interval;
        std::vector<Pixel> pixels;
    };
    const Step steps[] = {
        {1, 1000, {{0, 0, kRed}, {19, 9, kRed}, {5, 3, kRed}}},
        // Frame 1 went back to the background; frame 2's transparent column shows it.
        {2,
         1,
         {{0, 0, kBackPixel}, {5, 3, kBackPixel}, {6, 3, kGreen}, {14, 6, kGreen}, {15, 3, kBackPixel}}},
        {3, 500, {{0, 0, kBlue}, {3, 3, kBlue}, {4, 4, kBackPixel}, {6, 3, kGreen}, {19, 9, kBackPixel}}},
        {1, 1000, {{0, 0, kRed}, {6, 3, kRed}, {19, 9, kRed}}},
    };
    for (size_t i = 0; i < std::size(steps); ++i) {
        if (i > 0) gif().NextFrame();
        EXPECT_EQ(gif().CurrentFrame(), steps[i].frame) << i;
        EXPECT_EQ(gif().Timer1.Interval(), steps[i].interval) << i;
        for (const Pixel& p : steps[i].pixels)
            EXPECT_EQ(At(p.x, p.y), p.colour) << i << ": " << p.x << "," << p.y;
    }
}

TEST_F(AniGifTest, StoppingAtTheFirstFrameRunsTheCycleOutAndStopsOnFrameOne) {
    Load(giftest::ThreeFrames(), false);
    ASSERT_TRUE(gif().TimerStatus());
    ASSERT_TRUE(WaitFor([&] { return gif().CurrentFrame() == 2; }));
    gif().StopAnimate(true, false);
    std::set<int> seen;
    ASSERT_TRUE(WaitFor([&] {
        seen.insert(gif().CurrentFrame());
        return !gif().TimerStatus();
    }));
    EXPECT_EQ(gif().CurrentFrame(), 1);
    EXPECT_TRUE(seen.count(3));
    EXPECT_EQ(At(0, 0), kRed);

    // Finishing the cycle fast: the frames after this one come at 1 ms, then it stops on frame 1.
    gif().RestartAnimate();
    ASSERT_TRUE(WaitFor([&] { return gif().CurrentFrame() == 2; }));
    gif().FinishCycleFast();
    ASSERT_TRUE(WaitFor([&] { return gif().CurrentFrame() == 3; }));
    EXPECT_EQ(gif().Timer1.Interval(), 1u);
    ASSERT_TRUE(WaitFor([&] { return !gif().TimerStatus(); }));
    EXPECT_EQ(gif().CurrentFrame(), 1);

    // Stopped, neither does anything; stopping at once shows frame 1.
    gif().FinishCycleFast();
    gif().StopAnimate(true, false);
    EXPECT_FALSE(gif().TimerStatus());
    gif().RestartAnimate();
    gif().StopAnimate(true, true);
    EXPECT_FALSE(gif().TimerStatus());
    EXPECT_EQ(gif().CurrentFrame(), 1);
}

TEST_F(AniGifTest, RestoreToPreviousPutsBackWhatTheFrameCoveredAndReservedValuesLeaveIt) {
    for (int disposal : {3, 5}) {
        Load(giftest::Gif(
            20, 10,
            {Image{0, 0, 20, 10, {giftest::kRed}, 10, 0}, Image{0, 0, 4, 4, {giftest::kBlue}, 10, disposal},
             Image{10, 0, 4, 4, {giftest::kGreen}, 10, 0}}));
        gif().NextFrame();
        EXPECT_EQ(At(1, 1), kBlue) << disposal;
        gif().NextFrame();
        EXPECT_EQ(At(10, 0), kGreen) << disposal;  // the animation goes on
        EXPECT_EQ(At(1, 1), disposal == 3 ? kRed : kBlue) << disposal;
        EXPECT_EQ(At(19, 9), kRed) << disposal;
    }
}

TEST_F(AniGifTest, ControlBytesInsideTheImageDataDoNotCutTheFrame) {
    Load(giftest::ControlBytesInImageData());
    EXPECT_EQ(gif().Picture(), 2);
    EXPECT_EQ(At(0, 0), kBlue);
    EXPECT_EQ(At(118, 0), kBlue);
    EXPECT_EQ(At(119, 0), kRed);
    EXPECT_EQ(At(120, 0), kGreen);
    EXPECT_EQ(At(121, 0), kRed);
    EXPECT_EQ(At(122, 0), kGreen);
}

std::set<std::string> Listing(const std::filesystem::path& folder) {
    std::set<std::string> names;
    std::error_code ec;
    for (auto& e : std::filesystem::directory_iterator(folder, ec))
        names.insert(e.path().filename().string());
    return names;
}

TEST_F(AniGifTest, DamagedFilesShowNothingAndLoadingWritesNoFile) {
    const auto temp = std::filesystem::temp_directory_path();
    const std::set<std::string> tempBefore = Listing(temp), rootBefore = Listing("C:\\");
    const std::string file = giftest::ThreeFrames();
    std::string noSignature = file;
    noSignature[1] = 'X';
    std::string tableTooLong = file.substr(0, 40);
    tableTooLong[10] = '\xF7';
    auto empty = [&] {
        return gif().Picture() == 0 && !gif().TimerStatus() && At(0, 0) == kBackPixel &&
               At(10, 5) == kBackPixel;
    };
    for (const std::string& bad : {file.substr(0, 6), file.substr(0, 12), noSignature, tableTooLong}) {
        Load(file);
        Load(bad, false);
        EXPECT_TRUE(empty()) << bad.size();
    }
    Load(file);
    gif().LoadFile(dir.File("missing.gif"), false);
    EXPECT_TRUE(empty());
    Load(file);
    gif().LoadFile("   ", false);
    EXPECT_TRUE(empty());
    for (size_t n = 0; n < file.size(); ++n) {
        Load(file.substr(0, n), false);
        ASSERT_LE(gif().Picture(), 3) << n;
    }
    EXPECT_EQ(Listing(temp), tempBefore);
    EXPECT_EQ(Listing("C:\\"), rootBefore);
}

TEST_F(AniGifTest, AReleaseOnTheDisplayIsTheControlsMouseUp) {
    std::vector<int> buttons;
    gif().MouseUp = [&](int, int16_t button, int16_t, float, float) { buttons.push_back(button); };
    Load(giftest::ThreeFrames());
    rt::HandlerScope scope;
    SendMessageA(gif().Picture5.hWnd(), WM_RBUTTONUP, 0, MAKELPARAM(3, 3));
    EXPECT_EQ(buttons, std::vector<int>{2});
}

// ---- rich-text viewer

class RichTextTest : public ViewerTest {
protected:
    controls::JRTF& rich() { return host->Rich; }
    std::string Text() {
        char buf[256] = {};
        GetWindowTextA(rich().TextWindow().window, buf, sizeof buf);
        return buf;
    }
    bool Bold(int from, int to) {
        HWND w = rich().TextWindow().window;
        SendMessageA(w, EM_SETSEL, from, to);
        CHARFORMAT2A cf{};
        cf.cbSize = sizeof cf;
        SendMessageA(w, EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
        return (cf.dwMask & CFM_BOLD) && (cf.dwEffects & CFE_BOLD);
    }
};

TEST_F(RichTextTest, TheTextWindowFillsTheControlAndShowsRichOrPlainText) {
    rich().Move(0, 0, 3000, 1500);
    const auto& g = rich().TextWindow();
    EXPECT_EQ(g.parent, rich().hWnd());
    EXPECT_EQ(g.x, 0);
    EXPECT_EQ(g.y, 0);
    EXPECT_EQ(g.width, 200);
    EXPECT_EQ(g.height, 100);
    RECT r{};
    GetWindowRect(g.window, &r);
    EXPECT_EQ(r.right - r.left, 200);
    EXPECT_EQ(r.bottom - r.top, 100);

    rich().LoadFile(dir.Write("a.rtf", "{\\rtf1 {\\b bold} plain}"));
    EXPECT_EQ(Text(), "bold plain");
    EXPECT_TRUE(Bold(0, 4));
    EXPECT_FALSE(Bold(5, 10));

    rich().LoadFile(dir.Write("a.txt", "{\\b not rich} text"));
    EXPECT_EQ(Text(), "{\\b not rich} text");
    rich().LoadFile(dir.File("missing.rtf"));
    EXPECT_EQ(Text(), "{\\b not rich} text");
    rich().LoadFile(dir.Write("empty.txt", ""));
    EXPECT_EQ(Text(), "");

    // A resize makes a new, empty window; after DestroyRTF nothing shows until the next resize.
    rich().LoadFile(dir.File("a.txt"));
    rich().Width(1500);
    EXPECT_EQ(rich().TextWindow().width, 100);
    EXPECT_EQ(Text(), "");
    rich().DestroyRTF();
    EXPECT_EQ(rich().TextWindow().window, nullptr);
    rich().LoadFile(dir.File("a.txt"));
    EXPECT_EQ(rich().TextWindow().window, nullptr);

    rich().BackColor(0x123456);
    EXPECT_EQ(rich().BackColor(), 0x123456u);
}

// ---- web viewer

// A web viewer on its own window with the test control as its browser.
class WebHost : public rt::Form {
public:
    WebHost() : Form("WebHost") {
        BorderStyle(rt::vbBSNone);
        Move(600, 600, 9000, 7500);
    }
    controls::UserControl1 Web{*this, "Web"};
};

class WebViewerTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(reg.ok());
        controls::SetWebBrowserProgID(kTestBrowser);
    }
    void TearDown() override {
        if (host) host->Unload();
        testutil::PumpUntil([] { return false; }, 20);
        controls::SetWebBrowserProgID("Shell.Explorer.2");
    }
    controls::UserControl1& Make() {
        host = &rt::Load<WebHost>();
        host->Show();
        return host->Web;
    }
    axtest::Registration reg{kTestBrowser};
    axtest::CallLog log;
    WebHost* host = nullptr;
};

TEST_F(WebViewerTest, TheBrowserSitsUnderTheToolbarUntilValueOneTakesItsPlace) {
    controls::UserControl1& web = Make();
    ASSERT_NE(web.w(), nullptr);
    const auto calls = log.Calls();
    ASSERT_GE(calls.size(), 2u);
    EXPECT_EQ(calls[0], "Offline=True");
    EXPECT_EQ(calls[1], "LocationURL()");

    web.Move(0, 0, 6000, 4500);
    rt::Control& w = *web.w();
    const double bar = web.h.Height();
    EXPECT_DOUBLE_EQ(w.Top(), bar);
    EXPECT_NEAR(w.Height(), 4500 - bar, kHalfPixel);
    EXPECT_DOUBLE_EQ(w.Width(), 6000);
    EXPECT_DOUBLE_EQ(web.h.Width(), 6000);
    EXPECT_DOUBLE_EQ(web.Command6.Left(), 6000 - web.Command6.Width());

    web.Value(1);
    EXPECT_DOUBLE_EQ(w.Top(), 0);
    EXPECT_NEAR(w.Height(), 4500 - bar + 370, kHalfPixel);
    web.Value(1);
    EXPECT_NEAR(w.Height(), 4500 - bar + 370, kHalfPixel);
    web.Value(0);
    EXPECT_DOUBLE_EQ(w.Top(), 360);
    EXPECT_NEAR(w.Height(), 4500 - bar + 370, kHalfPixel);
    web.Value(1);
    web.Height(3000);  // a resize with Value 1
    EXPECT_DOUBLE_EQ(w.Top(), 0);
    EXPECT_NEAR(w.Height(), 3000 - bar, kHalfPixel);
    EXPECT_EQ(testsupport::ErrorOf([&] { web.Value(3); }), 380);
}

TEST_F(WebViewerTest, ButtonsAndEnterCallTheBrowser) {
    controls::UserControl1& web = Make();
    rt::HandlerScope scope;
    web.Command2.Value(true);
    web.Command3.Value(true);
    web.Command4.Value(true);
    web.Command5.Value(true);
    web.h.Text("http://a/");
    web.Command6.Value(true);
    web.h.Text("");
    HWND edit = FindWindowExA(web.h.hWnd(), nullptr, "Edit", nullptr);
    ASSERT_NE(edit, nullptr);
    SendMessageA(edit, WM_KEYDOWN, 'A', 0);
    SendMessageA(edit, WM_KEYDOWN, VK_RETURN, 0);
    web.Navigate("page.htm");
    web.GoHome();
    web.Stopbrow();
    std::vector<std::string> calls = log.Calls();
    calls.erase(calls.begin(), calls.begin() + 2);  // Offline, LocationURL
    EXPECT_EQ(calls, (std::vector<std::string>{"GoBack()", "GoForward()", "Stop()", "Refresh()",
                                               "Navigate(http://a/)", "Navigate()", "Navigate(page.htm)",
                                               "GoHome()", "Stop()"}));
    ASSERT_EQ(web.h.ListCount(), 2);
    EXPECT_EQ(web.h.List(0), "http://a/");
    EXPECT_EQ(web.h.List(1), "");

    // Each button shows a 24-bit picture of its own size.
    struct Face {
        rt::CommandButton& button;
        int width, height;
    };
    for (const Face& f : {Face{web.Command2, 23, 24}, Face{web.Command3, 22, 24}, Face{web.Command4, 19, 23},
                          Face{web.Command5, 19, 23}, Face{web.Command6, 18, 18}}) {
        auto picture = reinterpret_cast<HBITMAP>(SendMessageA(f.button.hWnd(), BM_GETIMAGE, IMAGE_BITMAP, 0));
        BITMAP b{};
        ASSERT_NE(GetObjectA(picture, sizeof b, &b), 0) << f.button.Name();
        EXPECT_EQ(b.bmWidth, f.width) << f.button.Name();
        EXPECT_EQ(b.bmHeight, f.height) << f.button.Name();
        EXPECT_EQ(b.bmBitsPixel, 24) << f.button.Name();
    }
}

TEST_F(WebViewerTest, TheAddressBoxShowsTheLocationOnFocusAndProgress) {
    controls::UserControl1& web = Make();
    rt::Object browser = web.w()->object();
    browser.Let("LocationURL", "http://first/");
    web.h.Text("typed");
    EXPECT_EQ(web.h.Text(), "typed");
    browser.Call("Fire", 108);  // ProgressChange
    EXPECT_EQ(web.h.Text(), "http://first/");
    browser.Call("Fire", 250);  // BeforeNavigate2: not followed
    browser.Let("LocationURL", "http://second/");
    browser.Call("Fire", 250);
    EXPECT_EQ(web.h.Text(), "http://first/");
    SetFocus(web.h.hWnd());
    SetFocus(web.w()->hWnd());
    EXPECT_EQ(web.h.Text(), "http://second/");
}

TEST_F(WebViewerTest, WithoutABrowserTheToolbarStaysAndTheMembersRaise429) {
    controls::SetWebBrowserProgID("Vantrel.NoSuchBrowser.1");
    controls::UserControl1& web = Make();
    EXPECT_EQ(web.w(), nullptr);
    EXPECT_NE(web.h.hWnd(), nullptr);
    EXPECT_NE(web.Command6.hWnd(), nullptr);
    for (auto member : std::vector<std::function<void()>>{[&] { web.Navigate("x"); }, [&] { web.GoBack(); },
                                                          [&] { web.GoForward(); }, [&] { web.GoHome(); },
                                                          [&] { web.Refresh(); }, [&] { web.Stopbrow(); }})
        EXPECT_EQ(testsupport::ErrorOf(member), 429);
    rt::HandlerScope scope;
    web.Command2.Value(true);
    web.h.Text("typed");
    web.Command6.Value(true);
    EXPECT_EQ(web.h.ListCount(), 1);
    EXPECT_EQ(web.h.Text(), "typed");
    web.Value(1);
}

TEST_F(WebViewerTest, ThePlainHostShowsTheBrowserOnlyWithAnAddress) {
    host = &rt::Load<WebHost>();
    controls::fls plain(*host, "plain");
    ASSERT_NE(plain.WebBrowser1(), nullptr);
    plain.Move(0, 0, 3000, 2000);
    EXPECT_DOUBLE_EQ(plain.WebBrowser1()->Width(), 3000);
    EXPECT_NEAR(plain.WebBrowser1()->Height(), 2000, kHalfPixel);
    plain.Navigate("http://b/");
    EXPECT_TRUE(plain.WebBrowser1()->Visible());
    plain.Navigate("");
    EXPECT_FALSE(plain.WebBrowser1()->Visible());
    EXPECT_EQ(log.Calls().back(), "Navigate(http://b/)");
}

}  // namespace
