// Alpha pictures built from page records in the real main window: the record's settings, the
// hover modes (light and press, state pictures), the click, "loadaap", the temporary folder, and
// no handles left behind by page switches.
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "pages_fixture.h"
#include "support/handle_growth.h"
#include "support/picture_files.h"
#include "support/window_helpers.h"

using namespace pagestest;

namespace {

constexpr COLORREF kGrey = RGB(100, 100, 100), kRed = RGB(255, 0, 0), kGreen = RGB(0, 255, 0),
                   kBlue = RGB(0, 0, 255);

Bytes ReadBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

Bytes SolidBmp(int w, int h, COLORREF c) {
    AppFolder scratch;
    const std::filesystem::path file = scratch.Fs("p.bmp");
    if (!mediatest::WriteSolid(file.string(), w, h, c)) return {};
    return ReadBytes(file);
}

// A store of its own, as the state pictures of a mode-5 picture are kept.
Bytes NestedStore(const std::vector<Member>& members) {
    AppFolder scratch;
    scratch.Pack(members);
    return ReadBytes(scratch.Fs("quorlin.dat"));
}

// Sixteen settings: scaling, hover mode, caption, colour, font (name, size, bold, underline,
// italic), shadow (on, colour, depth, offsets, opacity), character set.
std::string Settings(int scale, int hover, const std::string& caption = "") {
    return std::to_string(scale) + "**qk**" + std::to_string(hover) + "**qk**" + caption +
           "**qk**0**qk**Arial**qk**10**qk**False**qk**False**qk**False**qk**False**qk**0**qk**2**qk**3**qk**"
           "3**qk**60**qk**0";
}

void Act(Form1& main, const std::string& action) {
    rt::HandlerScope scope;
    main.ExecuteTag(action);
}

// The colour of a point of member i's picture (100 x 100 pixels at 1500 twips) clear of the caption.
COLORREF Middle(Form1& main, int i) {
    aicAlphaImage& m = main.aap[i];
    const int x = static_cast<int>(m.Left() / 15) + 20, y = static_cast<int>(m.Top() / 15) + 20;
    return testutil::Snapshot(main.hWnd()).at(x, y);
}

bool Near(COLORREF c, int r, int g, int b) {
    return std::abs(GetRValue(c) - r) <= 1 && std::abs(GetGValue(c) - g) <= 1 &&
           std::abs(GetBValue(c) - b) <= 1;
}

class AlphaRecordsTest : public ::testing::Test {
protected:
    void SetUp() override {
        const Bytes grey = SolidBmp(100, 100, kGrey);
        const Bytes normal = SolidBmp(100, 100, kRed), over = SolidBmp(100, 100, kGreen),
                    down = SolidBmp(100, 100, kBlue);
        std::filesystem::create_directories(app.Fs("Data"));
        app.Write("Data\\blue.bmp", SolidBmp(50, 50, kBlue));
        const std::string five = AapRec(1, 300, 300, 1500, 1500, Settings(0, 1, "cap"), "jump***Sepa***2") +
                                 AapRec(2, 2100, 300, 1500, 1500, Settings(0, 5)) +
                                 AapRec(3, 3900, 300, 1500, 1500, "1", "", "40", "255") +
                                 AapRec(4, 300, 2100, 1500, 1500, Settings(0, 5)) +
                                 AapRec(5, 2100, 2100, 1500, 1500, Settings(0, 2), "", "", "null");
        app.Pack(
            {{"sys1 .esr", FormRec("alpha", 4500, 6000) + five},
             {"1aap1.pic", grey},
             {"1aap2.pic", NestedStore({{"normal.png", normal}, {"over.png", over}, {"down.png", down}})},
             {"1aap3.pic", grey},
             {"1aap4.pic", NestedStore({{"normal.png", normal}, {"over.png", over}})},
             {"1aap5.pic", grey},
             {"sys2 .esr", FormRec("two", 4500, 6000) + LabelRec(1, "page 2")},
             {"name.nme", "1#aap#1#first\r\n"}});
    }
    AppFolder app;
};

}  // namespace

TEST_F(AlphaRecordsTest, RecordsSetThePicturesAndTheHoverModesReact) {
    ProgramScope program(app);
    program.Start();
    Form1& main = Main();
    ASSERT_EQ(Members(main.aap), (std::vector<int>{1, 2, 3, 4, 5}));
    EXPECT_FALSE(main.png_prs);
    EXPECT_TRUE(CopiesLeft().empty());
    for (int i : Members(main.aap)) EXPECT_TRUE(main.aap[i].Visible()) << i;
    EXPECT_FALSE(main.aap[0].Visible());

    // Mode 1: the hand pointer and a faint shadow in place of the record's.
    aicAlphaImage& one = main.aap[1];
    EXPECT_EQ(one.Spare(), 1);
    EXPECT_EQ(one.ToolTipText(), "tip");
    EXPECT_EQ(one.Tag(), "jump***Sepa***2");
    EXPECT_EQ(one.Caption(), "cap");
    EXPECT_TRUE(one.ShadowEnabled());
    EXPECT_EQ(one.ShadowOpacity(), 15);
    EXPECT_EQ(one.ShadowDepth(), 2);
    EXPECT_EQ(one.MousePointer(), 99);
    EXPECT_FALSE(one.MouseIcon().Empty());
    EXPECT_EQ(one.MaskUsed(), 0);  // "NULL": no key
    EXPECT_EQ(one.Opacity(), 100);
    EXPECT_TRUE(Near(Middle(main, 1), 100, 100, 100)) << std::hex << Middle(main, 1);

    // Mode 2: no pointer, and the record's shadow settings stand.
    aicAlphaImage& other = main.aap[5];
    EXPECT_EQ(other.MousePointer(), 0);
    EXPECT_FALSE(other.ShadowEnabled());
    EXPECT_EQ(other.ShadowOpacity(), 60);
    EXPECT_EQ(other.MaskUsed(), 1);  // "null" is no marker: the key is on, its colour step fails

    // A short settings field is the scaling alone: no caption, shadow or pointer.
    aicAlphaImage& shortOne = main.aap[3];
    EXPECT_EQ(shortOne.ScaleMethod(), 1);
    EXPECT_EQ(shortOne.Caption(), "");
    EXPECT_EQ(shortOne.Opacity(), 40);
    EXPECT_EQ(shortOne.MaskUsed(), 1);
    EXPECT_EQ(shortOne.MaskColor(), 255u);
    EXPECT_EQ(shortOne.MousePointer(), 0);

    {
        rt::HandlerScope handler;
        main.aap_MouseEnter(1);
        EXPECT_TRUE(Near(Middle(main, 1), 151, 151, 151)) << std::hex << Middle(main, 1);
        main.aap_MouseDown(1, rt::vbLeftButton, 0, 0, 0);
        EXPECT_TRUE(Near(Middle(main, 1), 49, 49, 49)) << std::hex << Middle(main, 1);
        int32_t x = 0, y = 0;
        one.OffsetImage(false, x, y);
        EXPECT_EQ(x, 1);
        EXPECT_EQ(y, 1);
        main.aap_MouseUp(1, rt::vbLeftButton, 0, 0, 0);  // the pointer is elsewhere: plain again
        one.OffsetImage(false, x, y);
        EXPECT_EQ(x, 0);
        EXPECT_EQ(y, 0);
        EXPECT_TRUE(Near(Middle(main, 1), 100, 100, 100)) << std::hex << Middle(main, 1);
        // The right button neither presses nor releases.
        main.aap_MouseDown(1, rt::vbRightButton, 0, 0, 0);
        EXPECT_FLOAT_EQ(one.IntensityOffset(), 0);

        // Mode 5: the state pictures from the picture's own archive, read on every event.
        EXPECT_EQ(Middle(main, 2), kRed);
        EXPECT_EQ(main.aap[2].MousePointer(), 99);
        main.aap_MouseEnter(2);
        EXPECT_EQ(Middle(main, 2), kGreen);
        main.aap_MouseDown(2, rt::vbLeftButton, 0, 0, 0);
        EXPECT_EQ(Middle(main, 2), kBlue);
        main.aap_MouseUp(2, rt::vbLeftButton, 0, 0, 0);
        EXPECT_EQ(Middle(main, 2), kRed);
        // Without "down.png" the over picture stays while pressed.
        main.aap_MouseEnter(4);
        main.aap_MouseDown(4, rt::vbLeftButton, 0, 0, 0);
        EXPECT_EQ(Middle(main, 4), kGreen);
        main.aap_MouseExit(4);
        EXPECT_EQ(Middle(main, 4), kRed);
    }
    EXPECT_TRUE(CopiesLeft().empty());

    // "loadaap" shows a file of the application folder; the click runs the actions.
    Act(main, "loadaap***Sepa***first***Sepa***Data\\blue.bmp");
    EXPECT_EQ(one.GetImageObject().Width(), 50);
    {
        rt::HandlerScope handler;
        main.aap_Click(1);
    }
    EXPECT_EQ(main.page.Text(), "2");
    EXPECT_TRUE(Members(main.aap).empty());
    EXPECT_TRUE(CopiesLeft().empty());
}

TEST_F(AlphaRecordsTest, PageSwitchesLeaveNoHandlesBehind) {
    ProgramScope program(app);
    program.Start();
    Form1& main = Main();
    // Page 1 with its pictures drawn through the AutoRedraw buffer, hit on their pixels, one of
    // them lit by the pointer.
    auto pageOne = [&] {
        Jump(main, 1);
        rt::HandlerScope handler;
        for (int i : Members(main.aap)) {
            main.aap[i].AutoRedraw(true);
            main.aap[i].HitTest(3);
        }
        main.aap_MouseEnter(1);
    };
    testsupport::ExpectNoHandleGrowth(
        [&](int n) {
            for (int i = 0; i < n; ++i) i % 2 ? pageOne() : Jump(main, 2);
            pageOne();
            PumpUntil([] { return false; }, 100);
        },
        4, 200);
    EXPECT_EQ(Members(main.aap), (std::vector<int>{1, 2, 3, 4, 5}));
    EXPECT_TRUE(CopiesLeft().empty());
}
