// The page build: a store of three pages walked by setting `page`, the two failure modes, the
// temporary copies and the handles over many page switches.
#include <algorithm>
#include <string>
#include <vector>

#include "pages_fixture.h"
#include "support/handle_growth.h"

using namespace pagestest;

namespace {

bool Has(const std::vector<std::string>& names, const std::string& name) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

// Three pages: labels, text boxes and pictures with different indexes on each; page 2 leaves a
// gap in its label numbering; page 3 reconfigures the label template.
std::vector<Member> ThreePages() {
    return {
        {"sys1 .esr", FormRec("One", 3000, 4000) + Label3Rec("") + LabelRec(1, "one-a") +
                          LabelRec(2, "one-b") + TextRec(1, "t1") + ImageRec(1)},
        {"sys2 .esr", FormRec("Two", 3600, 4800) + Label3Rec("") + LabelRec(1, "two-a") +
                          LabelRec(5, "two-e") + TextRec(2, "", "secret")},
        {"sys3 .esr",
         FormRec("Three", 3000, 4000) + Label3Rec("") + LabelRec(0, "template") + ImageRec(2, "False")},
        {"1p1.pic", Bitmap(16, 16, 0xFF0000)},
        {"3p2.pic", Bitmap(8, 8, 0x00FF00)},
        {"bg2.bmp", Bitmap(20, 20, 0x0000FF)},
    };
}

}  // namespace

TEST(PageBuildTest, SettingThePageRebuildsTheWindowFromItsScript) {
    AppFolder app;
    app.Pack(ThreePages());
    ProgramScope program(app);
    program.Start();
    Form1& main = Main();

    EXPECT_EQ(main.Caption(), "One");
    EXPECT_EQ(Members(main.Label1), (std::vector<int>{1, 2}));
    EXPECT_EQ(main.Label1[1].Caption(), "one-a");
    EXPECT_TRUE(main.Label1[1].Visible());
    EXPECT_EQ(Members(main.txt), (std::vector<int>{1}));
    EXPECT_EQ(main.txt[1].Text(), "t1");
    ASSERT_EQ(Members(main.pic), (std::vector<int>{1}));
    EXPECT_EQ(main.pic[1].GetPicture().Type(), rt::vbPicTypeBitmap);
    // Placed as the record says, in twips; stretched to its size.
    EXPECT_DOUBLE_EQ(main.pic[1].Left(), 120);
    EXPECT_DOUBLE_EQ(main.pic[1].Width(), 480);
    EXPECT_TRUE(main.pic[1].Stretch());

    Jump(main, 2);
    EXPECT_EQ(main.Caption(), "Two");
    EXPECT_EQ(Members(main.Label1), (std::vector<int>{1, 5}));
    EXPECT_EQ(main.Label1[5].Caption(), "two-e");
    EXPECT_EQ(Members(main.txt), (std::vector<int>{2}));
    EXPECT_TRUE(Members(main.pic).empty());
    // A password box starts empty, unlocked and masked; the password is kept, never shown.
    EXPECT_EQ(main.txt[2].Text(), "");
    EXPECT_EQ(main.txt[2].Password(), "secret");
    EXPECT_EQ(main.txt[2].PasswordChar(), "*");
    EXPECT_FALSE(main.txt[2].Locked());
    EXPECT_EQ(main.GetPicture().Type(), rt::vbPicTypeBitmap);  // bg2.bmp

    Jump(main, 3);
    EXPECT_TRUE(Members(main.Label1).empty());  // 1 and 5 both gone
    EXPECT_TRUE(Members(main.txt).empty());
    EXPECT_EQ(Members(main.pic), (std::vector<int>{2}));
    EXPECT_DOUBLE_EQ(main.pic[2].Width(), 8 * 15);  // not stretched: the picture's own size
    EXPECT_TRUE(main.GetPicture().Empty());         // no bg3.bmp
    // The template member is configured by an index-0 record, and survives every build.
    EXPECT_EQ(main.Label1[0].Caption(), "template");
    EXPECT_TRUE(main.Label1[0].Visible());

    Jump(main, 1);
    EXPECT_EQ(Members(main.Label1), (std::vector<int>{1, 2}));
    EXPECT_EQ(main.Label1[0].Caption(), "template");
    EXPECT_TRUE(main.Label1.Exists(0) && main.txt.Exists(0) && main.pic.Exists(0) && main.o.Exists(0) &&
                main.File.Exists(0) && main.Picture2.Exists(0) && main.WMPlayer.Exists(0));

    // No copy of a page script, picture or background stays behind.
    const auto left = CopiesLeft();
    for (const char* name : {"sys1 .esr", "sys2 .esr", "sys3 .esr", "1p1.pic", "3p2.pic", "bg2.bmp"})
        EXPECT_FALSE(Has(left, name)) << name;
}

TEST(PageBuildTest, StopModeEndsTheBuildAndTheFirstBuildShowsTheWindowAsItStands) {
    // The label record's background style 2 fails before the label switches to skip mode.
    const std::string bad = Rec({"obj2", "2", "bad", "120", "420", "285", "2000", "", "2", "", "16777215",
                                 "1", "0**qk**0", "10**qk**Arial**qk**False**qk**0"});
    AppFolder app;
    app.Pack(
        {{"sys1 .esr", FormRec("Stopped", 3000, 4500, "0", "", "0", 0x3366CC) + bad + LabelRec(3, "after")},
         {"sys2 .esr", TextRec(1, "skip on") + bad + LabelRec(3, "after")}});
    ProgramScope program(app);
    program.Start();
    Form1& main = Main();

    // Stop: the record before stands, the failing one stays hidden, nothing after it exists.
    EXPECT_EQ(main.Caption(), "Stopped");
    EXPECT_EQ(Members(main.Label1), (std::vector<int>{2}));
    EXPECT_FALSE(main.Label1[2].Visible());
    EXPECT_EQ(main.Label1[2].Caption(), "bad");
    // ...and the page is not finished. A window never shown before is shown as the records left
    // it: the design's fixed-dialog frame and size (not the page's borderless one), centred by
    // the "Form" record, its page area in the record's colour. The script is released.
    EXPECT_TRUE(main.Visible());
    EXPECT_TRUE(IsWindowVisible(main.hWnd()));
    const LONG_PTR style = GetWindowLongPtrA(main.hWnd(), GWL_STYLE);
    EXPECT_EQ(style & WS_CAPTION, WS_CAPTION);
    EXPECT_FALSE(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
    EXPECT_TRUE(GetWindowLongPtrA(main.hWnd(), GWL_EXSTYLE) & WS_EX_DLGMODALFRAME);
    const RECT r = WindowRect(main);
    EXPECT_NEAR(r.left, (GetSystemMetrics(SM_CXSCREEN) - (r.right - r.left)) / 2, 1);
    RECT client{};
    GetClientRect(main.hWnd(), &client);
    PumpUntil([] { return false; }, 200);
    EXPECT_EQ(ScreenPixel(main, client.right / 2, client.bottom / 2), RGB(0xCC, 0x66, 0x33));
    EXPECT_FALSE(Has(CopiesLeft(), "sys1 .esr"));

    // Skip: the text box switched the build; the bad step alone is skipped.
    Jump(main, 2);
    EXPECT_EQ(Members(main.Label1), (std::vector<int>{2, 3}));
    EXPECT_TRUE(main.Label1[2].Visible());
    EXPECT_EQ(main.Label1[2].BackStyle(), 1);  // the template's, the bad value skipped
    EXPECT_EQ(main.Label1[3].Caption(), "after");
}

TEST(PageBuildTest, MissingScriptAndShortRecordsLeaveAUsableWindow) {
    AppFolder app;
    // Page 2 has no script; page 3 ends in a record of three fields; page 4 mixes letter case.
    app.Pack({{"sys1 .esr", LabelRec(1, "one")},
              {"sys3 .esr", LabelRec(1, "three") + "\"obj2\",\"4\",\"short\"\r\n"},
              {"sys4 .esr", Rec({"OBJ2", "1", "upper"}) + LabelRec(2, "lower")}});
    ProgramScope program(app);
    program.Start();
    Form1& main = Main();
    Jump(main, 2);
    EXPECT_TRUE(Members(main.Label1).empty());
    EXPECT_TRUE(main.Visible());
    // The short record's read runs out in skip mode: its kind still runs, with the fields it
    // got and the rest as the record before left them.
    Jump(main, 3);
    EXPECT_EQ(Members(main.Label1), (std::vector<int>{1, 4}));
    EXPECT_EQ(main.Label1[4].Caption(), "short");
    Jump(main, 4);
    EXPECT_EQ(Members(main.Label1), (std::vector<int>{2}));
}

TEST(PageBuildTest, HundredPageSwitchesLeakNoHandles) {
    AppFolder app;
    app.Pack(ThreePages());
    ProgramScope program(app);
    program.Start();
    Form1& main = Main();
    testsupport::ExpectNoHandleGrowth(
        [&](int times) {
            for (int i = 0; i < times; ++i) Jump(main, i % 3 + 1);
            Jump(main, 1);
            PumpUntil([] { return false; }, 100);
        },
        3, 100);
}
