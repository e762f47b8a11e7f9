// Animated pictures, rich-text viewers and web viewers built from page records; the web viewers
// with the test control as their browser, and once with the platform's own.
#include <richedit.h>

#include <string>
#include <vector>

#include "comserver/axtest.h"
#include "controls/media/UserControl1.h"
#include "pages_fixture.h"
#include "support/error_of.h"
#include "support/gif_fixture.h"
#include "support/handle_growth.h"

using namespace pagestest;

namespace {

constexpr const char* kTestBrowser = "Vantrel.TestBrowser.1";

std::string GifRec(int index, const std::string& tag, const std::string& visible = "True") {
    return Rec(
        {"gif", std::to_string(index), "", "150", "300", "900", "1200", "65535", "", "", "", visible, tag});
}
std::string RichRec(int index, const std::string& file, const std::string& back = "255") {
    return Rec({"rt", std::to_string(index), "", "0", "0", "1500", "3000", file, back});
}
std::string WebRec(int index, const std::string& mode, const std::string& address,
                   const std::string& value = "0") {
    return Rec({"web", std::to_string(index), mode, "3000", "0", "4500", "6000", address, value});
}

// Calls by name after the browser's own start (Offline, LocationURL) of each viewer.
std::vector<std::string> Navigations(const axtest::CallLog& log) {
    std::vector<std::string> out;
    for (const std::string& c : log.Calls())
        if (c.rfind("Navigate(", 0) == 0) out.push_back(c);
    return out;
}

class PlayerRecordsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(reg.ok());
        controls::SetWebBrowserProgID(kTestBrowser);
    }
    void TearDown() override {
        program.reset();
        controls::SetWebBrowserProgID("Shell.Explorer.2");
    }
    Form1& Start(const std::vector<Member>& members) {
        app.Pack(members);
        program = std::make_unique<ProgramScope>(app);
        program->Start();
        return Main();
    }
    axtest::Registration reg{kTestBrowser};
    axtest::CallLog log;
    AppFolder app;
    std::unique_ptr<ProgramScope> program;
};

}  // namespace

TEST_F(PlayerRecordsTest, AnimatedPicturesTakeTheirGifsSizeAndStartWithSeveralFrames) {
    Form1& main =
        Start({{"sys1 .esr", GifRec(1, "jump***Sepa***2") + GifRec(2, "", "False") + LabelRec(1, "after")},
               {"1P1.gif", giftest::ThreeFrames()},
               {"sys2 .esr", LabelRec(1, "page 2")}});
    controls::AniGif& gif = main.gif[1];
    EXPECT_DOUBLE_EQ(gif.Left(), 150);
    EXPECT_DOUBLE_EQ(gif.Width(), 300);
    EXPECT_DOUBLE_EQ(gif.Height(), 150);
    EXPECT_TRUE(gif.Visible());
    EXPECT_EQ(gif.Tag(), "jump***Sepa***2");
    EXPECT_EQ(gif.Picture(), 3);
    EXPECT_TRUE(gif.TimerStatus());
    EXPECT_EQ(gif.Picture5.Surface().BackColor(), 65535u);

    // No store member: nothing shown, the page's size kept, the build in skip mode afterwards.
    controls::AniGif& none = main.gif[2];
    EXPECT_EQ(none.Picture(), 0);
    EXPECT_DOUBLE_EQ(none.Width(), 1200);
    EXPECT_DOUBLE_EQ(none.Height(), 900);
    EXPECT_FALSE(none.Visible());
    EXPECT_TRUE(main.Label1.Exists(1));
    EXPECT_TRUE(CopiesLeft().empty());

    // A release on the picture runs its actions.
    rt::HandlerScope scope;
    SendMessageA(gif.Picture5.hWnd(), WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
    EXPECT_EQ(main.page.Text(), "2");
    EXPECT_TRUE(Members(main.gif).empty());
}

TEST_F(PlayerRecordsTest, RichTextViewersShowTheirFileAndTakeTheColour) {
    app.Write("doc.rtf", "{\\rtf1 {\\b bold} plain}");
    Form1& main =
        Start({{"sys1 .esr", RichRec(1, "doc.rtf") + RichRec(2, "", "65280") + RichRec(3, "missing.rtf")}});
    controls::JRTF& rich = main.rt[1];
    const auto& g = rich.TextWindow();
    EXPECT_EQ(g.width, 200);
    EXPECT_EQ(g.height, 100);
    EXPECT_TRUE(rich.Visible());
    char text[64] = {};
    GetWindowTextA(g.window, text, sizeof text);
    EXPECT_STREQ(text, "bold plain");
    auto bold = [&](int from, int to) {
        SendMessageA(g.window, EM_SETSEL, from, to);
        CHARFORMAT2A cf{};
        cf.cbSize = sizeof cf;
        SendMessageA(g.window, EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
        return (cf.dwEffects & CFE_BOLD) != 0;
    };
    EXPECT_TRUE(bold(0, 4));
    EXPECT_FALSE(bold(5, 10));
    EXPECT_EQ(rich.BackColor(), 255u);
    EXPECT_EQ(main.rt[2].BackColor(), 65280u);
    EXPECT_EQ(GetWindowTextLengthA(main.rt[2].TextWindow().window), 0);
    EXPECT_EQ(GetWindowTextLengthA(main.rt[3].TextWindow().window), 0);
    EXPECT_EQ(main.rt[3].BackColor(), 255u);
}

TEST_F(PlayerRecordsTest, WebViewersNavigateByTheirModeAndValueOneTakesTheToolbarsPlace) {
    Form1& main = Start({{"sys1 .esr", WebRec(1, "1", "http://a/") + WebRec(2, "0", "p0.htm", "1") +
                                           WebRec(3, "2", "p2.htm") + WebRec(4, "3", "p3.htm") +
                                           // In skip mode a mode that is no number meets all three tests.
                                           WebRec(5, "x", "q.htm")}});
    const std::string pat = main.pat.Text();
    EXPECT_EQ(Navigations(log),
              (std::vector<std::string>{"Navigate(http://a/)", "Navigate(" + pat + "p0.htm)",
                                        "Navigate(" + pat + "p2.htm)", "Navigate(" + pat + "q.htm)",
                                        "Navigate(q.htm)", "Navigate(" + pat + "q.htm)"}));
    for (int i = 1; i <= 5; ++i) EXPECT_TRUE(main.web[i].Visible()) << i;
    EXPECT_EQ(main.web[1].ToolTipText(), "1");
    EXPECT_EQ(main.web[4].Tag(), "p3.htm");

    controls::UserControl1& valueOne = main.web[2];
    ASSERT_NE(valueOne.w(), nullptr);
    const double bar = valueOne.h.Height();
    EXPECT_DOUBLE_EQ(valueOne.w()->Top(), 0);
    EXPECT_NEAR(valueOne.w()->Height(), 4500 - bar + 370, 7.5);  // whole pixels
    EXPECT_DOUBLE_EQ(main.web[1].w()->Top(), bar);
}

TEST_F(PlayerRecordsTest, WithThePlatformsBrowserAWebPageBuilds) {
    controls::SetWebBrowserProgID("Shell.Explorer.2");
    Form1& main = Start({{"sys1 .esr", WebRec(1, "1", "about:blank") + LabelRec(1, "after")}});
    controls::UserControl1& web = main.web[1];
    EXPECT_TRUE(web.Visible());
    EXPECT_TRUE(main.Label1.Exists(1));
    ASSERT_NE(web.w(), nullptr);
    // Going back without a history fails: the member passes it on, the toolbar button ignores it.
    EXPECT_NE(testsupport::ErrorOf([&] { web.GoBack(); }), 0);
    rt::HandlerScope scope;
    web.Command2.Value(true);
}

TEST_F(PlayerRecordsTest, TwoHundredBuildsOfAnimatedRichAndWebPagesLeakNoHandles) {
    std::vector<giftest::Image> frames;
    for (int i = 0; i < 10; ++i) frames.push_back(giftest::Image{i, 0, 2, 2, {uint8_t(i % 3)}, 1, i % 3});
    app.Write("doc.rtf", "{\\rtf1 text}");
    const std::string page = GifRec(1, "") + RichRec(1, "doc.rtf") + WebRec(1, "1", "http://a/");
    Form1& main = Start({{"sys1 .esr", page},
                         {"sys2 .esr", page},
                         {"1P1.gif", giftest::Gif(12, 4, frames)},
                         {"2P1.gif", giftest::Gif(12, 4, frames)}});
    ASSERT_EQ(main.gif[1].Picture(), 10);
    testsupport::ExpectNoHandleGrowth(
        [&](int times) {
            for (int i = 0; i < times; ++i) Jump(main, i % 2 + 1);
            Jump(main, 1);
            PumpUntil([] { return false; }, 100);
        },
        4, 200);
}
