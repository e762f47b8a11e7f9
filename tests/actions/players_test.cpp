// The media player and web view actions, loadTXT2WEB's navigation and the animated picture's
// release, with the test control as the web viewers' browser.
#include <string>
#include <vector>

#include "comserver/axtest.h"
#include "controls/media/UserControl1.h"
#include "support/main_window_fixture.h"

using namespace actionstest;

namespace {

constexpr const char* kTestBrowser = "Vantrel.TestBrowser.1";

class PlayerActionsTest : public MainWindowTest {
protected:
    void SetUp() override {
        ASSERT_TRUE(reg.ok());
        controls::SetWebBrowserProgID(kTestBrowser);
        MainWindowTest::SetUp();
    }
    void TearDown() override {
        MainWindowTest::TearDown();
        controls::SetWebBrowserProgID("Shell.Explorer.2");
    }
    // The calls by name since the viewer was made.
    std::vector<std::string> Since(size_t from) {
        const std::vector<std::string> all = log.Calls();
        return {all.begin() + static_cast<long>(std::min(from, all.size())), all.end()};
    }
    axtest::Registration reg{kTestBrowser};
    axtest::CallLog log;
};

}  // namespace

TEST_F(PlayerActionsTest, LoadWebCommandsTheNamedViewerOrOpensAnAddress) {
    main->web.Load(2);
    Names({"1#WEB#2#Browser"});
    const size_t start = log.Calls().size();
    for (const char* what : {"Go Back", "Go Forward", "Stop", "Go Home", "Refresh", "URL#http://a#b",
                             "page.htm", "stop", "URL#"})
        Run(std::string("loadWEB***Sepa***Browser***Sepa***") + what);
    Run("loadWEB***Sepa***Browser");
    Run("loadWEB***Sepa***Other***Sepa***Stop");
    EXPECT_EQ(Since(start),
              (std::vector<std::string>{"GoBack()", "GoForward()", "Stop()", "GoHome()", "Refresh()",
                                        "Navigate(http://a)", "Navigate(" + Pat() + "page.htm)",
                                        "Navigate(" + Pat() + "stop)", "Navigate()"}));
}

TEST_F(PlayerActionsTest, LoadTxt2WebNavigatesToTheTextBoxsText) {
    main->web.Load(1);
    Text(3).Text("http://typed/");
    Names({"1#TXT#3#Box", "1#WEB#1#Browser"});
    const size_t start = log.Calls().size();
    Run("loadTXT2WEB***Sepa***Box***Sepa***Browser");
    EXPECT_EQ(Since(start), std::vector<std::string>{"Navigate(http://typed/)"});
}

TEST_F(PlayerActionsTest, LoadWmpSetsThePlayersSourceAndItsRefusedCommandsPassQuietly) {
    rt::MediaPlayer& player = main->WMPlayer.Load(1);
    Names({"1#wmp#1#Player"});
    Run("loadwmp***Sepa***Player***Sepa***URLUrl**#**URLhttp://x/a.mp3");
    EXPECT_EQ(player.URL(), "http://x/a.mp3");
    Run("loadwmp***Sepa***Player***Sepa***a.wav");
    EXPECT_EQ(player.URL(), Pat() + "a.wav");
    for (const char* what : {"Play", "Pause", "Stop", "Full screen", "Next Track", "Previous Track"})
        Run(std::string("loadwmp***Sepa***Player***Sepa***") + what);
    EXPECT_EQ(player.URL(), Pat() + "a.wav");
    Run("loadwmp***Sepa***Player***Sepa***play");  // not a command word in these capitals
    EXPECT_EQ(player.URL(), Pat() + "play");
}

TEST_F(PlayerActionsTest, AReleaseOnAnAnimatedPictureRunsItsActionsAfterTheSound) {
    controls::AniGif& gif = main->gif.Load(1);
    gif.Move(0, 0, 600, 600);
    gif.Visible(true);
    rt::HandlerScope scope;
    SendMessageA(gif.Picture5.hWnd(), WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
    EXPECT_TRUE(Calls().empty());
    gif.Tag("opcd");
    SendMessageA(gif.Picture5.hWnd(), WM_RBUTTONUP, 0, MAKELPARAM(2, 2));
    EXPECT_EQ(Calls(), (std::vector<std::string>{Sound("enter"), "mciSendString set cdaudio door open"}));
}
