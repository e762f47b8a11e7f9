// The movie player on the main window: the background music through the music folder, the page
// movie with its seek bar and end actions, the movie window, and what 20 opens leave behind.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "com_creations.h"
#include "pages/pages_fixture.h"
#include "runtime/form.h"
#include "support/handle_counter.h"
#include "support/main_window_fixture.h"
#include "support/media_files.h"
#include "windows/Form7_movie.h"

namespace {

using actionstest::MainWindowTest;
using pagestest::Rec;
using shelltest::PumpUntil;

const std::string kSepa = "***Sepa***";
constexpr COLORREF kRed = RGB(255, 0, 0);

// Page 1 plain; page 2 with a movie area of 200 x 150 pixels at (30, 30) and the end actions
// "opcd" (recorded as the CD door's command).
std::vector<shelltest::Member> MoviePages() {
    const std::string label3 =
        Rec({"Label3", "0", "", "0", "0", "285", "2000", "3000", "", "450", "450", "0", "0", "0**qk**8"});
    const std::string form =
        Rec({"Form", "Movies**qk****qk****qk****qk**", "16777215**qk****qk**0**qk**140**qk**0", "0", "0",
             "6000", "8000", "2250", "0", "0", "opcd##qk##", "0", "1", ""});
    return {{"sys1 .esr", "\"Form\",0\r\n"}, {"sys2 .esr", label3 + form}, {"name.nme", "\r\n"}};
}

// Which events a player raised, in order: "F1" OnFinished(True), "M0" movierun(False) and so on.
struct PlayerLog {
    std::vector<std::string> events;
    void Watch(controls::QuendelActiveMovie& player) {
        auto previous = player.OnFinished;
        player.OnFinished = [this, previous](int i, bool& v) {
            events.push_back(v ? "F1" : "F0");
            if (previous) previous(i, v);
        };
        auto run = player.movierun;
        player.movierun = [this, run](int i, bool& v) {
            events.push_back(v ? "M1" : "M0");
            if (run) run(i, v);
        };
    }
    int Count(const std::string& e) const {
        return static_cast<int>(std::count(events.begin(), events.end(), e));
    }
};

class MovieTest : public MainWindowTest {
protected:
    void SetUp() override {
        app.Write("data/sound/a.wav", mediatest::Wav(1.0));
        app.Write("data/sound/b.wav", mediatest::Wav(1.0));
        app.Write("movie.avi", mediatest::SolidAvi(64, 48, kRed, 10, 20));
        Start(MoviePages());
    }
    void ToMoviePage() {
        pagestest::Jump(*main, 2);
        PumpUntil([] { return false; }, 100);
    }
    // The pixel at the centre of a control, as the screen shows it.
    static COLORREF ScreenCentre(const rt::Control& c) {
        RECT r;
        GetWindowRect(c.hWnd(), &r);
        HDC screen = GetDC(nullptr);
        const COLORREF p = GetPixel(screen, (r.left + r.right) / 2, (r.top + r.bottom) / 2);
        ReleaseDC(nullptr, screen);
        return p;
    }
};

TEST_F(MovieTest, TheMusicFolderPlaysInALoop) {
    PlayerLog log;
    log.Watch(main->bac);
    // From the first file again, as at the end of an intro.
    main->l.ListIndex(0);
    main->bac.Filename(main->l.Path() + "\\" + main->l.FileName());
    main->bac.PlayAMovie();
    std::vector<std::string> played;
    std::vector<double> lengths;
    auto file = [&] { return main->bac.Filename().substr(main->bac.Filename().size() - 5); };
    played.push_back(file());
    lengths.push_back(main->bac.FileLength());
    // Each end raises OnFinished(True), then movierun(False), once; the next file is open by then.
    while (played.size() < 3) {
        const size_t ends = static_cast<size_t>(log.Count("F1"));
        ASSERT_TRUE(PumpUntil([&] { return static_cast<size_t>(log.Count("M0")) > ends; }, 5000));
        ASSERT_EQ(log.Count("F1"), log.Count("M0"));
        played.push_back(file());
        lengths.push_back(main->bac.FileLength());
    }
    EXPECT_EQ(played, (std::vector<std::string>{"a.wav", "b.wav", "a.wav"}));
    for (double l : lengths) EXPECT_DOUBLE_EQ(l, 1.0);
    // Between two ends, one OnFinished(True) before the one movierun(False).
    int finished = 0;
    for (const std::string& e : log.events) {
        if (e == "F1") ++finished;
        if (e == "M0") {
            EXPECT_EQ(std::exchange(finished, 0), 1);
        }
    }
    EXPECT_EQ(main->st.Text(), "1");
}

TEST_F(MovieTest, ThePageMoviePlaysInItsAreaWithItsSeekBarAndRunsItsEndActions) {
    ToMoviePage();
    Run("movon" + kSepa + "movie.avi");
    EXPECT_FALSE(main->bac.VideoRun());  // the music stops for the movie
    ASSERT_TRUE(PumpUntil([&] { return main->Picture16.Visible(); }, 3000));
    PumpUntil([] { return false; }, 300);
    EXPECT_TRUE(main->mb.Visible());
    EXPECT_EQ(ScreenCentre(main->mb), kRed);
    EXPECT_EQ(main->Picture16.Max(), 2);
    EXPECT_EQ(main->Picture16.Width(), main->mb.Width());
    EXPECT_EQ(main->Picture16.Left(), main->mb.Left());
    EXPECT_EQ(main->Picture16.Top() + main->Picture16.Height(), main->mb.Top() + main->mb.Height());

    // Paused, the position reads 0, so "forw 1" seeks to second 1; playing goes on from there.
    Run("puse");
    EXPECT_EQ(main->mb.CurrentPosition(), 0.0);
    Run("forw" + kSepa + "1");
    Run("play");
    const double resumed = main->mb.CurrentPosition();
    EXPECT_GE(resumed, 0.95);
    EXPECT_LT(resumed, 1.6);

    ASSERT_TRUE(PumpUntil([&] { return !main->mb.Visible(); }, 5000));
    EXPECT_FALSE(main->Picture16.Visible());
    EXPECT_EQ(main->mb.Filename(), "");
    EXPECT_EQ(CountCalls("mciSendString set cdaudio door open"), 1);
}

TEST_F(MovieTest, AMissingMovieStopsAndLeavesTheSeekBarHidden) {
    ToMoviePage();
    PlayerLog log;
    log.Watch(main->mb);
    Run("movon" + kSepa + "missing.avi");
    EXPECT_EQ(log.events, (std::vector<std::string>{"F0", "M1"}));  // the start's own events only
    EXPECT_EQ(main->mb.FileLength(), 0.0);
    EXPECT_FALSE(main->mb.VideoRun());
    PumpUntil([] { return false; }, 700);
    EXPECT_EQ(log.events.size(), 2u);  // no more progress reports, no end
    EXPECT_FALSE(main->Picture16.Visible());
}

TEST_F(MovieTest, TheMovieWindowPlaysFullScreenAndClosingResumesNothing) {
    Run("mov" + kSepa + "movie.avi");
    auto* window = static_cast<Form7*>(shelltest::FindForm("Form7"));
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->Visible());
    EXPECT_FALSE(main->bac.VideoRun());
    ASSERT_TRUE(PumpUntil([&] { return window->ll.CurrentPosition() > 0.3; }, 3000));
    RECT r;
    GetWindowRect(window->hWnd(), &r);
    EXPECT_EQ(r.right - r.left, GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(r.bottom - r.top, GetSystemMetrics(SM_CYSCREEN));
    EXPECT_EQ(ScreenCentre(window->ll), kRed);
    // The close button at the bottom left; the seek bar from it to the right edge.
    EXPECT_EQ(window->Command1.Left(), 0);
    EXPECT_EQ(window->Command1.Top() + window->Command1.Height(), window->ScaleHeight());
    EXPECT_EQ(window->Picture16.Left(), window->Command1.Width());
    EXPECT_EQ(window->Picture16.Left() + window->Picture16.Width(), window->ScaleWidth());
    EXPECT_EQ(window->Picture16.Max(), 2);

    SendMessageA(window->Command1.hWnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
    SendMessageA(window->Command1.hWnd(), WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
    PumpUntil([] { return false; }, 100);
    EXPECT_FALSE(shelltest::FormLoaded("Form7"));
    EXPECT_FALSE(main->mb.VideoRun());
    EXPECT_FALSE(main->bac.VideoRun());
}

TEST_F(MovieTest, TwentyOpensLeaveNoHandlesAndNoObjects) {
    ToMoviePage();
    auto opens = [&](int n) {
        for (int i = 0; i < n; ++i) Run("movon" + kSepa + "movie.avi");
        Run("stop");
        main->mb.Filename("");
        Run("movon" + kSepa + "missing.avi");  // closes the last graph
        PumpUntil([] { return false; }, 100);
    };
    // What the first round makes once (the seek bar's image, fonts of its first painting) stays.
    opens(1);
    mediatest::ComCreations com;
    testsupport::HandleCounter counter;
    opens(20);
    EXPECT_GE(com.Created(), 40u);  // a graph and a video renderer per open
    EXPECT_EQ(com.StillHeld(), 0u);
    EXPECT_EQ(counter.GdiObjects() + counter.DeviceContexts(), 0u) << counter.Report();
}

}  // namespace
