// Link labels, gradient labels and marquees built from page records: each kind's fields with
// their edge cases (one page a case), the failure modes, the marquee's picture, the z-order codes,
// and a page's link label under the pointer and clicked.
#include <functional>
#include <string>
#include <vector>

#include "pages_fixture.h"

using namespace pagestest;

namespace {

const std::string kSkip = TextRec(1, "switches to skipping");

std::string LnkRec(int index, const std::string& linkColour = "65280", const std::string& style = "1",
                   const std::string& fore = "255",
                   const std::string& font = "10**qk**Arial**qk**False**qk**0",
                   const std::string& actions = "") {
    return Rec({"lnk", std::to_string(index), "Link " + std::to_string(index), "120",
                std::to_string(120 + 400 * index), "285", "2000", actions, "", "", linkColour, style, fore,
                font});
}

std::string GradRec(int index, const std::string& look = "0**qk**16777215**qk**0**qk**0**qk**1",
                    const std::string& width = "2400", const std::string& height = "450",
                    const std::string& labelType = "0", const std::string& font = "10**qk**Arial**qk**0") {
    return Rec({"bsGradientLabel1", std::to_string(index), "Gradient", "120", std::to_string(600 * index),
                height, width, "", "0", "16711680", font, "0", labelType, look});
}

std::string ScrollRec(int index, const std::string& interval = "50",
                      const std::string& colours = "255**qk**1", const std::string& style = "True**qk**False",
                      const std::string& font = "10**qk**Arial**qk**0") {
    return Rec({"Scroll1", std::to_string(index), "Marquee text", "120", std::to_string(600 * index), "300",
                "3000", "", interval, "tip", "16777215", style, colours, font});
}

struct Case {
    const char* what;
    std::string script;
    std::function<void(Form1&)> check;
};

std::vector<Case> Cases() {
    return {
        {"lnk: a link colour that is no number ends the build in stop mode", LnkRec(1, "x") + LnkRec(2),
         [](Form1& f) {
             EXPECT_EQ(Members(f.lnk), (std::vector<int>{1}));
             EXPECT_TRUE(f.lnk[1].Visible());
             EXPECT_EQ(f.lnk[1].LinkColor(), 0xFF0000u);
         }},
        {"lnk: ... and is skipped in skip mode", kSkip + LnkRec(1, "x") + LnkRec(2),
         [](Form1& f) {
             EXPECT_EQ(Members(f.lnk), (std::vector<int>{1, 2}));
             EXPECT_EQ(f.lnk[1].LinkColor(), 0xFF0000u);
             EXPECT_EQ(f.lnk[2].LinkColor(), 65280u);
             EXPECT_EQ(f.lnk[2].BackStyle(), 0);  // transparent whatever the record holds
             EXPECT_EQ(f.lnk[2].URL(), "c");      // the template's
         }},
        {"lnk: the normal colour is the whole field",
         LnkRec(1, "65280", "1", "255**qk**0") + LnkRec(2, "65280", "1", "255"),
         [](Form1& f) {
             EXPECT_EQ(f.lnk[1].ForeColor(), 0x80000012u);
             EXPECT_EQ(f.lnk[2].ForeColor(), 255u);
             // Out of the pointer's way: the normal colour, no underline.
             EXPECT_EQ(f.lnk[2].Label1.ForeColor(), 255u);
             EXPECT_FALSE(f.lnk[2].Font().Underline());
         }},
        {"lnk: the style code sets the font and the tooltip", LnkRec(1, "0", "4") + LnkRec(2, "0", "5"),
         [](Form1& f) {
             EXPECT_TRUE(f.lnk[1].Font().Bold());
             EXPECT_TRUE(f.lnk[1].Font().Italic());
             EXPECT_EQ(f.lnk[1].ToolTipText(), "4");
             EXPECT_FALSE(f.lnk[2].Font().Bold());
             EXPECT_FALSE(f.lnk[2].Font().Italic());
             EXPECT_EQ(f.lnk[2].ToolTipText(), "");
         }},
        {"lnk: the font list",
         LnkRec(1, "0", "1", "0", "12**qk**Arial") +
             LnkRec(2, "0", "1", "0", "8.33333**qk**NoSuchFace**qk**True**qk**0") +
             LnkRec(3, "0", "1", "0", "big**qk**Arial**qk**no**qk**1"),
         [](Form1& f) {
             EXPECT_FLOAT_EQ(f.lnk[1].Font().Size(), 12);
             EXPECT_EQ(f.lnk[1].Font().Charset(), 178);  // the template's: the item is missing
             EXPECT_FLOAT_EQ(f.lnk[2].Font().Size(), 8.3333f);
             EXPECT_EQ(f.lnk[2].Font().Name(), "Arial");
             EXPECT_EQ(f.lnk[2].Font().Charset(), 0);
             EXPECT_FLOAT_EQ(f.lnk[3].Font().Size(), 8.25f);
             EXPECT_EQ(f.lnk[3].Font().Charset(), 1);
         }},
        {"bsGradientLabel1: the look list", GradRec(1, "2**qk**255**qk**0**qk**8421504**qk**2"),
         [](Form1& f) {
             controls::bsGradientLabel& g = f.bsGradientLabel1[1];
             EXPECT_EQ(g.GradientType(), 2);
             EXPECT_EQ(g.Colour1(), 0u);
             EXPECT_EQ(g.Colour2(), 16711680u);
             EXPECT_EQ(g.Colour3(), 0xFFFFu);  // the template's
             EXPECT_EQ(g.Colour4(), 0xFFu);
             EXPECT_EQ(g.CaptionColour(), 255u);
             EXPECT_EQ(g.ShadowColour(), 0u);
             EXPECT_EQ(g.TextShadowColour(), 8421504u);
             EXPECT_EQ(g.CaptionAlignment(), 2);
             EXPECT_TRUE(g.TextShadow());
             EXPECT_EQ(g.Tag(), "");
             EXPECT_DOUBLE_EQ(g.Width(), 2400);
             EXPECT_DOUBLE_EQ(g.Height(), 450);
         }},
        {"bsGradientLabel1: four look items end the build in stop mode",
         GradRec(1, "0**qk**255**qk**0**qk**0", "3000", "450") + LabelRec(1, "after"),
         [](Form1& f) {
             EXPECT_EQ(Members(f.bsGradientLabel1), (std::vector<int>{1}));
             EXPECT_TRUE(Members(f.Label1).empty());
             EXPECT_NE(f.bsGradientLabel1[1].Width(), 3000);
         }},
        {"bsGradientLabel1: ... and in skip mode the size is still set",
         kSkip + GradRec(1, "0**qk**255**qk**0**qk**0", "3000", "450") + LabelRec(1, "after"),
         [](Form1& f) {
             EXPECT_EQ(f.bsGradientLabel1[1].CaptionAlignment(), 1);
             EXPECT_DOUBLE_EQ(f.bsGradientLabel1[1].Width(), 3000);
             EXPECT_DOUBLE_EQ(f.bsGradientLabel1[1].Height(), 450);
             EXPECT_EQ(Members(f.Label1), (std::vector<int>{1}));
         }},
        {"bsGradientLabel1: the size comes after the type",
         kSkip + GradRec(1, "0**qk**0**qk**0**qk**0**qk**1", "3000", "450") +
             GradRec(1, "0**qk**0**qk**0**qk**0**qk**1", "300", "195") +
             GradRec(2, "0**qk**0**qk**0**qk**0**qk**1", "3000", "450") +
             GradRec(2, "0**qk**0**qk**0**qk**0**qk**1", "600", "3000", "1"),
         [](Form1& f) {
             EXPECT_DOUBLE_EQ(f.bsGradientLabel1[1].Width(), 450);
             EXPECT_DOUBLE_EQ(f.bsGradientLabel1[1].Height(), 195);
             EXPECT_DOUBLE_EQ(f.bsGradientLabel1[2].Width(), 600);
             EXPECT_DOUBLE_EQ(f.bsGradientLabel1[2].Height(), 3000);
         }},
        {"bsGradientLabel1: a face is set whether installed or not",
         GradRec(1, "0**qk**0**qk**0**qk**0**qk**1", "2400", "450", "0", "14**qk**NoSuchFace**qk**2"),
         [](Form1& f) {
             EXPECT_EQ(f.bsGradientLabel1[1].Fount().Name(), "NoSuchFace");
             EXPECT_FLOAT_EQ(f.bsGradientLabel1[1].Fount().Size(), 14);
             EXPECT_EQ(f.bsGradientLabel1[1].Fount().Charset(), 2);
         }},
        {"Scroll1: colour and direction, style, font",
         ScrollRec(1) + ScrollRec(2, "50", "255**qk**7", "True**qk**0", "14**qk**NoSuchFace**qk**2"),
         [](Form1& f) {
             controls::Scroll& m = f.Scroll1[1];
             EXPECT_EQ(m.ForeColor(), 255u);
             EXPECT_EQ(m.Text(), "1");
             EXPECT_EQ(m.Interval(), 50);
             EXPECT_EQ(m.ToolTipText(), "tip");
             EXPECT_EQ(m.BackColor(), 16777215u);
             EXPECT_TRUE(m.FontBold());
             EXPECT_FALSE(m.FontItalic());
             EXPECT_EQ(f.Scroll1[2].Text(), "7");
             EXPECT_EQ(f.Scroll1[2].FontName(), "Arial");
             EXPECT_FLOAT_EQ(f.Scroll1[2].FontSize(), 14);
             EXPECT_EQ(f.Scroll1[2].Font().Charset(), 2);
             EXPECT_DOUBLE_EQ(m.Width(), 3000);
             EXPECT_DOUBLE_EQ(m.Height(), 300);
         }},
        {"Scroll1: an empty interval ends the build in stop mode", ScrollRec(1, "") + ScrollRec(2),
         [](Form1& f) {
             EXPECT_EQ(Members(f.Scroll1), (std::vector<int>{1}));
             EXPECT_EQ(f.Scroll1[1].Interval(), 0);
         }},
        {"Scroll1: an interval beyond the timer's range is its longest", ScrollRec(1, "70000") + ScrollRec(2),
         [](Form1& f) {
             EXPECT_EQ(Members(f.Scroll1), (std::vector<int>{1, 2}));
             EXPECT_EQ(f.Scroll1[1].Interval(), 65535);
         }},
    };
}

}  // namespace

TEST(LabelRecordsTest, EachKindsFieldsAndEdgeCases) {
    const std::vector<Case> cases = Cases();
    std::vector<Member> store = {{"sys1 .esr", FormRec("Start", 3000, 4000)}};
    for (size_t i = 0; i < cases.size(); ++i) {
        store.push_back({"sys" + std::to_string(i + 2) + " .esr", cases[i].script});
    }
    AppFolder app;
    app.Pack(store);
    ProgramScope program(app);
    program.Start();
    Form1& main = Main();
    for (size_t i = 0; i < cases.size(); ++i) {
        SCOPED_TRACE(cases[i].what);
        Jump(main, static_cast<int>(i) + 2);
        cases[i].check(main);
    }
    // The next build removes what the pages made.
    Jump(main, 1);
    EXPECT_TRUE(Members(main.lnk).empty());
    EXPECT_TRUE(Members(main.bsGradientLabel1).empty());
    EXPECT_TRUE(Members(main.Scroll1).empty());
    EXPECT_TRUE(main.lnk.Exists(0) && main.bsGradientLabel1.Exists(0) && main.Scroll1.Exists(0));
    EXPECT_FALSE(main.lnk[0].Visible());
    EXPECT_FALSE(main.bsGradientLabel1[0].Visible());
}

TEST(LabelRecordsTest, TheMarqueesPictureFromTheStore) {
    AppFolder app;
    app.Pack({{"sys1 .esr", FormRec("Pictures", 3000, 4000)},
              {"sys2 .esr", ScrollRec(1) + ScrollRec(2) + ScrollRec(0)},
              {"2p1scro.pic", Bitmap(8, 8, 0x00FF00)},
              {"2P0SCRO.PIC", Bitmap(8, 8, 0x0000FF)},
              {"sys3 .esr", ScrollRec(0)},
              {"3p0scro.pic", "not a picture"},
              {"sys4 .esr", ScrollRec(0)}});
    ProgramScope program(app);
    program.Start();
    Form1& main = Main();
    Jump(main, 2);
    EXPECT_EQ(main.Scroll1[1].Picture().Type(), rt::vbPicTypeBitmap);
    EXPECT_TRUE(main.Scroll1[2].Picture().Empty());
    EXPECT_EQ(main.Scroll1[0].Picture().Type(), rt::vbPicTypeBitmap);
    // The template keeps its picture where the store has none, and loses it to one that does
    // not load.
    Jump(main, 4);
    EXPECT_EQ(main.Scroll1[0].Picture().Type(), rt::vbPicTypeBitmap);
    Jump(main, 3);
    EXPECT_TRUE(main.Scroll1[0].Picture().Empty());
    for (const char* copy : {"2p1scro.pic", "2P0SCRO.PIC", "3p0scro.pic"})
        for (const std::string& left : CopiesLeft()) EXPECT_NE(left, copy);
}

TEST(LabelRecordsTest, TheZOrderFileStacksLinkAndGradientLabels) {
    AppFolder app;
    app.Pack({{"sys1 .esr", FormRec("Stack", 3000, 4000) + LnkRec(1) + LnkRec(2) + GradRec(1) + GradRec(2)},
              {"1psnt.xmz", "LNKID2ID1\r\nGRDID1ID0\r\nlnkID1ID1\r\n"}});
    ProgramScope program(app);
    program.Start();
    Form1& main = Main();
    // Link label 2 went to the back of the windowless layer; "lnk" is no code.
    std::vector<rt::Control*> links;
    for (rt::Control* c : main.WindowlessOrder())
        if (c->Name() == "lnk" && c->Index() > 0) links.push_back(c);
    ASSERT_EQ(links.size(), 2u);
    EXPECT_EQ(links.front()->Index(), 2);
    // Gradient label 1 came to the front of the windows.
    EXPECT_EQ(GetWindow(main.hWnd(), GW_CHILD), main.bsGradientLabel1[1].hWnd());
}

TEST(LabelRecordsTest, APagesLinkLabelUnderThePointerAndClicked) {
    AppFolder app;
    app.Pack({{"sys1 .esr",
               FormRec("Links", 3000, 4000) +
                   LnkRec(1, "65280", "3", "255", "10**qk**Arial**qk**False**qk**0", "jump***Sepa***2")},
              {"sys2 .esr", FormRec("Two", 3000, 4000)}});
    app.Write("Data/enter.wav", "RIFF");
    ProgramScope program(app);
    program.Start();
    Form1& main = Main();
    ASSERT_EQ(Members(main.lnk), (std::vector<int>{1}));
    controls::EtsLinkLabel& link = main.lnk[1];
    // F13's colour, no underline.
    EXPECT_EQ(link.Label1.ForeColor(), 255u);
    EXPECT_FALSE(link.Font().Underline());
    EXPECT_TRUE(link.Font().Bold());

    const RECT r = link.PixelRect();
    const LPARAM inside = MAKELPARAM(r.left + 4, r.top + 4);
    POINT screen{r.left + 4, r.top + 4};
    ClientToScreen(main.hWnd(), &screen);
    SetCursorPos(screen.x, screen.y);
    SendMessageA(main.hWnd(), WM_MOUSEMOVE, 0, inside);
    EXPECT_EQ(link.Label1.ForeColor(), 65280u);  // F11's colour, underlined, the hand
    EXPECT_TRUE(link.Font().Underline());
    EXPECT_EQ(link.MousePointer(), 99);
    EXPECT_NE(link.Cursor(), nullptr);
    // Leaving restores the normal look.
    SetCursorPos(screen.x, screen.y + 150);
    PumpUntil([] { return false; }, 600);
    EXPECT_EQ(link.Label1.ForeColor(), 255u);
    EXPECT_FALSE(link.Font().Underline());
    SetCursorPos(screen.x, screen.y);
    SendMessageA(main.hWnd(), WM_MOUSEMOVE, 0, inside);
    EXPECT_TRUE(link.Hovered());

    program.recorder.calls.clear();
    SendMessageA(main.hWnd(), WM_LBUTTONDOWN, MK_LBUTTON, inside);
    SendMessageA(main.hWnd(), WM_LBUTTONUP, 0, inside);
    // No shell call for "c"; the enter sound, then the actions.
    ASSERT_EQ(program.recorder.calls.size(), 1u);
    EXPECT_EQ(program.recorder.calls[0].rfind("PlaySound ", 0), 0u);
    EXPECT_NE(program.recorder.calls[0].find("enter.wav"), std::string::npos);
    EXPECT_EQ(main.page.Text(), "2");
    EXPECT_TRUE(Members(main.lnk).empty());
}

TEST(LabelRecordsTest, ClicksOnLabelsWithoutActions) {
    AppFolder app;
    app.Pack({{"sys1 .esr", FormRec("Quiet", 3000, 4000) + LnkRec(1) + GradRec(1)}});
    app.Write("Data/enter.wav", "RIFF");
    ProgramScope program(app);
    program.Start();
    Form1& main = Main();
    program.recorder.calls.clear();
    // A link label without actions is silent; a gradient label sounds always.
    main.lnk_Click(1);
    EXPECT_TRUE(program.recorder.calls.empty());
    main.bsGradientLabel1_Click(1);
    ASSERT_EQ(program.recorder.calls.size(), 1u);
    EXPECT_NE(program.recorder.calls[0].find("enter.wav"), std::string::npos);
    // A gradient label's actions run through the interpreter.
    main.bsGradientLabel1[1].Tag("jump***Sepa***1");
    SendMessageA(main.bsGradientLabel1[1].hWnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
    SendMessageA(main.bsGradientLabel1[1].hWnd(), WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
    EXPECT_EQ(program.recorder.calls.size(), 2u);
}
