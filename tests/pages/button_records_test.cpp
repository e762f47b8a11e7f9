// The button records: page buttons ("obj1") and glossy buttons ("MacBT") built from page scripts,
// their z-order codes, and the handles over many hovers and page switches.
#include <string>
#include <vector>

#include "pages_fixture.h"
#include "support/handle_counter.h"

using namespace pagestest;

namespace {

const std::string kFont = "9**qk**Tahoma**qk**False**qk**False**qk**False**qk**0";

std::string Obj1(int index, const std::string& look, const std::string& back = "255",
                 const std::string& font = kFont, int top = 120) {
    return Rec({"obj1", std::to_string(index), "Button " + std::to_string(index), "120", std::to_string(top), "360",
                "1500", "jump***Sepa***2", back, look, font, "", "tip " + std::to_string(index), "0"});
}

std::string Glossy(int index, const std::string& bright, const std::string& colours,
                   const std::string& font = kFont, int top = 120, const std::string& style = "2") {
    return Rec({"MacBT", std::to_string(index), "Glossy " + std::to_string(index), "2000", std::to_string(top),
                "450", "1500", "", bright, style, font, colours, "glossy tip", "16777215"});
}

}  // namespace

TEST(ButtonRecordsTest, PageButtonsTakeTheirLookColoursFontAndPicture) {
    AppFolder app;
    app.Pack({
        {"sys1 .esr", Obj1(1, "13") + Obj1(2, "12") + Obj1(3, "12.4") + Obj1(4, "7", "255") +
                          Obj1(5, "2", "255", "12**qk**NoSuchFace**qk**True**qk**False**qk**False**qk**0") +
                          Obj1(6, "3", "255", "11**qk**Tahoma") + LabelRec(7, "after the short font")},
        {"sys3 .esr", Obj1(2, "1") + Obj1(3, "1")},
        // In skip mode (the label switched it), an index that is no number fails every step of the
        // page button, its picture's too, and the build goes on.
        {"sys4 .esr", LabelRec(1, "first") +
                          Rec({"obj1", "x", "", "0", "0", "360", "1500", "", "0", "1", kFont, "", "", "0"}) +
                          LabelRec(2, "after")},
        {"3P2but.pic", Bitmap(16, 16, 0x00FF00)},
    });
    ProgramScope program(app);
    program.Start();
    Form1& main = Main();

    EXPECT_EQ(Members(main.Command1), (std::vector<int>{1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(main.Command1[1].ButtonStyle(), 0);   // above 12
    EXPECT_EQ(main.Command1[2].ButtonStyle(), 12);  // kept: no body
    EXPECT_EQ(main.Command1[3].ButtonStyle(), 0);   // 12 first, then above 12
    // The record's back colour stays over the one the look put in place.
    EXPECT_EQ(main.Command1[4].ButtonStyle(), 7);
    EXPECT_EQ(main.Command1[4].BackColor(), 255u);
    EXPECT_EQ(main.Command1[4].Caption(), "Button 4");
    EXPECT_EQ(main.Command1[4].Tag(), "jump***Sepa***2");
    EXPECT_EQ(main.Command1[4].ToolTipText(), "tip 4");
    EXPECT_TRUE(main.Command1[4].Visible());
    EXPECT_DOUBLE_EQ(main.Command1[4].Width(), 1500);
    // A face that is not installed leaves the name; the other font values still apply.
    const std::string face = main.Command1[0].Font().Name();
    EXPECT_FLOAT_EQ(main.Command1[5].Font().Size(), 12);
    EXPECT_TRUE(main.Command1[5].Font().Bold());
    EXPECT_EQ(main.Command1[5].Font().Name(), face);
    // Two font items: size and face set, the later font steps skipped, the build goes on.
    EXPECT_FLOAT_EQ(main.Command1[6].Font().Size(), 11);
    EXPECT_EQ(main.Command1[6].Font().Name(), "Tahoma");
    EXPECT_EQ(Members(main.Label1), (std::vector<int>{7}));

    // Page 3: member 2 gets 3P2but.pic, member 3 has none; no copy stays behind.
    Jump(main, 3);
    EXPECT_EQ(Members(main.Command1), (std::vector<int>{2, 3}));
    EXPECT_EQ(main.Command1[2].Picture().Type(), rt::vbPicTypeBitmap);
    EXPECT_TRUE(main.Command1[3].Picture().Empty());
    EXPECT_TRUE(CopiesLeft().empty());

    Jump(main, 4);
    EXPECT_TRUE(Members(main.Command1).empty());
    EXPECT_EQ(Members(main.Label1), (std::vector<int>{1, 2}));
}

TEST(ButtonRecordsTest, ButtonsOnTheFirstPageArePaintedWhenTheWindowFirstShows) {
    AppFolder app;
    // Look 2 in (80, 112, 144), 80 x 24 pixels; the border style makes the window visible early.
    app.Pack({{"sys1 .esr", FormRec("First", 3000, 4500) +
                                Rec({"obj1", "1", "", "120", "120", "360", "1200", "", "9465936", "2", kFont, "", "",
                                     "0"})}});
    ProgramScope program(app);
    program.Start();
    Form1& main = Main();
    PumpUntil([] { return false; }, 200);
    HWND button = main.Command1[1].hWnd();
    HDC dc = GetDC(button);
    EXPECT_EQ(GetPixel(dc, 40, 12), RGB(89, 121, 153));
    ReleaseDC(button, dc);
}

TEST(ButtonRecordsTest, GlossyButtonsShowTheColourListAndStopTheBuildOnAShortFont) {
    AppFolder app;
    app.Pack({
        {"sys1 .esr", Glossy(1, "65280", "16711680**qk**255**qk**0**qk**16777215") + LabelRec(2, "after")},
        // In stop mode a two-item font ends the build at the glossy button.
        {"sys2 .esr", Glossy(1, "65280", "1**qk**2**qk**3**qk**4", "10**qk**Tahoma") + LabelRec(2, "never")},
    });
    ProgramScope program(app);
    program.Start();
    Form1& main = Main();

    ASSERT_EQ(Members(main.Macbt), (std::vector<int>{1}));
    controls::CandyButton& b = main.Macbt[1];
    EXPECT_EQ(b.ColorBright(), 16777215u);
    EXPECT_EQ(b.ColorButtonUp(), 16711680u);
    EXPECT_EQ(b.ColorButtonHover(), 255u);
    EXPECT_EQ(b.ColorButtonDown(), 0u);
    EXPECT_EQ(b.ColorScheme(), 0);
    EXPECT_EQ(b.Style(), 2);
    EXPECT_EQ(b.Caption(), "Glossy 1");
    EXPECT_EQ(b.ForeColor(), 16777215u);
    EXPECT_EQ(b.ToolTipText(), "glossy tip");
    EXPECT_TRUE(b.Visible());
    EXPECT_EQ(Members(main.Label1), (std::vector<int>{2}));

    Jump(main, 2);
    ASSERT_EQ(Members(main.Macbt), (std::vector<int>{1}));
    EXPECT_FALSE(main.Macbt[1].Visible());  // made visible only at its last step
    EXPECT_FLOAT_EQ(main.Macbt[1].Font().Size(), 10);
    EXPECT_TRUE(Members(main.Label1).empty());
    EXPECT_TRUE(CopiesLeft().empty());
}

TEST(ButtonRecordsTest, ZOrderCodesStackPageAndGlossyButtons) {
    AppFolder app;
    app.Pack({
        {"sys1 .esr", Obj1(1, "1") + Obj1(2, "1") + Glossy(1, "0", "1**qk**2**qk**3**qk**4")},
        {"1psnt.xmz", "cmdID2ID1\r\nMACID1ID0\r\nCMDID1ID1\r\n"},
    });
    ProgramScope program(app);
    program.Start();
    Form1& main = Main();
    // The glossy button came to the front, page button 2 went to the back; the upper-case code
    // did nothing.
    EXPECT_EQ(GetWindow(main.hWnd(), GW_CHILD), main.Macbt[1].hWnd());
    EXPECT_EQ(GetWindow(main.Command1[2].hWnd(), GW_HWNDNEXT), nullptr);
    EXPECT_NE(GetWindow(main.Command1[1].hWnd(), GW_HWNDNEXT), nullptr);
}

TEST(ButtonRecordsTest, HoversAndPageSwitchesOfASixButtonPageLeakNoHandles) {
    const std::string colours = "13657888**qk**15309136**qk**10512144**qk**16772528";
    std::string page;
    for (int i = 1; i <= 3; ++i) page += Obj1(i, std::to_string(i * 3 - 1), "16765357", kFont, i * 500);
    for (int i = 1; i <= 3; ++i) page += Glossy(i, "16772528", colours, kFont, i * 500, std::to_string(i * 2));
    AppFolder app;
    app.Pack({{"sys1 .esr", FormRec("Six", 3000, 4500) + page}, {"sys2 .esr", FormRec("Other", 3000, 4500) + page}});
    ProgramScope program(app);
    program.Start();
    Form1& main = Main();
    ASSERT_EQ(Members(main.Command1), (std::vector<int>{1, 2, 3}));
    ASSERT_EQ(Members(main.Macbt), (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(main.Macbt[3].Style(), 6);

    // One hover cycle: every button sees the pointer come and go.
    auto hovers = [&](int times) {
        for (int n = 0; n < times; ++n) {
            for (int i = 1; i <= 3; ++i)
                for (HWND w : {main.Command1[i].hWnd(), main.Macbt[i].hWnd()}) {
                    SendMessageA(w, WM_MOUSEMOVE, 0, MAKELPARAM(10, 10));
                    SendMessageA(w, WM_MOUSELEAVE, 0, 0);
                }
        }
        rt::DoEvents();
    };
    auto pages = [&](int times) {
        for (int n = 0; n < times; ++n) Jump(main, n % 2 + 1);
        Jump(main, 1);
        PumpUntil([] { return false; }, 100);
    };
    testsupport::HandleCounter counter;
    ASSERT_GT(testsupport::HandleCounter::PatchedImports(), 0);
    hovers(5);
    pages(3);
    counter.Start();
    hovers(5);
    pages(3);
    hovers(5);
    const size_t gdi = counter.GdiObjects(), dcs = counter.DeviceContexts(), user = counter.UserObjects();
    const size_t windows = counter.Windows();
    hovers(500);
    pages(100);
    hovers(5);
    EXPECT_LE(counter.GdiObjects(), gdi) << counter.Report();
    EXPECT_LE(counter.DeviceContexts(), dcs) << counter.Report();
    EXPECT_LE(counter.UserObjects(), user) << counter.Report();
    EXPECT_LE(counter.Windows(), windows) << counter.Report();
}
