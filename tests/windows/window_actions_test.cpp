// Window actions on the main window: topmost, size, minimise, the notification area, the page
// buttons and the movie window.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "shell/Module3.h"
#include "support/media_files.h"
#include "windows/Form15_backdrop.h"
#include "windows/Form7_movie.h"
#include "windows_fixture.h"

using namespace actionstest;
using namespace windowstest;

namespace {

bool Topmost(const rt::Form& f) {
    return (GetWindowLongA(f.hWnd(), GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
}

BOOL CALLBACK Disown(HWND hwnd, LPARAM owner) {
    if (GetWindow(hwnd, GW_OWNER) == reinterpret_cast<HWND>(owner))
        SetWindowLongPtrA(hwnd, GWLP_HWNDPARENT, 0);
    return TRUE;
}

TEST_F(MainWindowTest, OnTopAndNoTopSwitchTheTopmostStyle) {
    // The test platform marks the owned popups (the shadow's strips) topmost in place of a window
    // that owns several; without owned windows it behaves as the system does.
    EnumThreadWindows(GetCurrentThreadId(), Disown, reinterpret_cast<LPARAM>(main->hWnd()));
    Run("ontop");
    EXPECT_TRUE(Topmost(*main));
    Run("notop");
    EXPECT_FALSE(Topmost(*main));
}

TEST_F(MainWindowTest, SizeGivesTheOuterSizeInPixelsFromFourDigitsEach) {
    constexpr int kBefore = 500;
    struct Case {
        std::string argument;
        int width, height;
    };
    const Case cases[] = {
        {"08000600", 800, 600},
        {"0800", 800, 800},          // four digits serve both
        {"08x00600", kBefore, 600},  // no number: that side stays
        {"0640480", 640, 480},       // seven: the middle digit belongs to both
    };
    for (const Case& c : cases) {
        SetWindowPos(main->hWnd(), nullptr, 0, 0, kBefore, kBefore, SWP_NOMOVE | SWP_NOZORDER);
        Run("size" + kSepa + c.argument);
        const RECT r = OuterRect(*main);
        EXPECT_EQ(r.right - r.left, c.width) << c.argument;
        EXPECT_EQ(r.bottom - r.top, c.height) << c.argument;
    }
}

TEST_F(MainWindowTest, MinMinimises) {
    Run("min");
    EXPECT_TRUE(IsIconic(main->hWnd()));
    EXPECT_EQ(main->WindowState(), rt::vbMinimized);
}

TEST_F(MainWindowTest, TryHidesTheWindowAndTheBackdropUntilTheIconsRightButtonIsReleased) {
    auto& backdrop = rt::Load<windows::Form15>();
    backdrop.Tag("ok");
    backdrop.Show();
    Run("try");
    EXPECT_FALSE(IsWindowVisible(main->hWnd()));
    EXPECT_FALSE(IsWindowVisible(backdrop.hWnd()));
    ASSERT_TRUE(Module3::TrayIconShown());
    EXPECT_EQ(Module3::TrayIconData().hWnd, main->hWnd());
    EXPECT_STREQ(Module3::TrayIconData().szTip, "Vantrel");

    // The icon reports its mouse messages as moves with the message in place of X.
    SendMessageA(main->hWnd(), WM_MOUSEMOVE, 0, WM_RBUTTONUP);
    EXPECT_TRUE(IsWindowVisible(main->hWnd()));
    EXPECT_TRUE(IsWindowVisible(backdrop.hWnd()));
    EXPECT_FALSE(Module3::TrayIconShown());
}

TEST_F(MainWindowTest, TryWithoutABackdropInUseShowsOnlyTheWindowAgain) {
    auto backdropShown = [] {
        auto* backdrop = Loaded<windows::Form15>();
        return backdrop && IsWindowVisible(backdrop->hWnd());
    };
    Run("try");
    EXPECT_FALSE(IsWindowVisible(main->hWnd()));
    SendMessageA(main->hWnd(), WM_MOUSEMOVE, 0, WM_RBUTTONUP);
    EXPECT_TRUE(IsWindowVisible(main->hWnd()));
    EXPECT_FALSE(backdropShown());
}

TEST_F(MainWindowTest, PageButtonKeywordsTakeTheIndexRoundedHalfToEven) {
    for (int i : {2, 4}) {
        main->Command1.Load(i);
        main->Command1[i].Visible(true);
    }
    auto& two = main->Command1[2];
    auto& four = main->Command1[4];
    Run("ButtonHide" + kSepa + "2.5");
    EXPECT_FALSE(two.Visible());
    EXPECT_TRUE(four.Visible());
    Run("ButtonHide" + kSepa + "3.5");
    EXPECT_FALSE(four.Visible());
    Run("ButtonShow" + kSepa + "2");
    EXPECT_TRUE(two.Visible());
    Run("ButtonDisabled" + kSepa + "4");
    EXPECT_FALSE(four.Enabled());
    EXPECT_TRUE(two.Enabled());
    Run("ButtonEnabled" + kSepa + "4");
    EXPECT_TRUE(four.Enabled());
    // Not a number, or no such member: nothing changes.
    for (const std::string& index : {std::string("two"), std::string("3"), std::string("")}) {
        Run("ButtonHide" + kSepa + index);
        Run("ButtonDisabled" + kSepa + index);
    }
    EXPECT_TRUE(two.Visible());
    EXPECT_TRUE(two.Enabled());
    EXPECT_FALSE(four.Visible());
    EXPECT_TRUE(four.Enabled());
}

TEST_F(MainWindowTest, MaxMovesThePlayingPageMovieIntoTheMaximisedMovieWindow) {
    app.Write("movie.avi", mediatest::SolidAvi(64, 48, RGB(255, 0, 0), 10, 40));
    main->Label2.Move(450, 450, 3000, 2250);
    Run("movon" + kSepa + "movie.avi");
    ASSERT_TRUE(shelltest::PumpUntil([&] { return main->mb.CurrentPosition() > 0.5; }, 5000));
    Run("max");
    auto* window = Loaded<Form7>();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(IsWindowVisible(window->hWnd()));
    EXPECT_TRUE(IsZoomed(window->hWnd()));
    EXPECT_EQ(window->ll.Filename(), main->mb.Filename());
    EXPECT_GE(window->ll.CurrentPosition(), 0.5);  // on from where the page movie was
    EXPECT_EQ(window->Text1.Text(), "1");
    EXPECT_FALSE(main->mb.VideoRun());
    EXPECT_TRUE(main->mb.Visible());  // for the hand-back
}

TEST_F(MainWindowTest, MaxWithoutAPageMovieOpensTheWindowEmpty) {
    Run("max");
    auto* window = Loaded<Form7>();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(IsZoomed(window->hWnd()));
    EXPECT_EQ(window->ll.Filename(), "");
    EXPECT_FALSE(window->ll.VideoRun());
}

}  // namespace
