// Vector shapes built from page records: the fields and their edge cases (one page a case), the
// texture from the store, the z-order code, a click by the shape's figure, and no handles or GDI+
// objects left behind by many builds.
#include <functional>
#include <string>
#include <vector>

#include "pages_fixture.h"
#include "support/gdip_count.h"
#include "support/handle_counter.h"
#include "support/window_helpers.h"

using namespace pagestest;
using shapestest::GdipObjects;

namespace {

// Items 0 to 11 of F14: outline style, polygon angle and sides, text, the two transparencies,
// fill colour and style, font name, bold, italic, tooltip.
std::string Items(const std::string& fill, const std::string& tip = "item tip", const std::string& text = "",
                  const std::string& font = "Arial") {
    return "1**qk**0**qk**0**qk**" + text + "**qk**0**qk**0**qk**255**qk**" + fill + "**qk**" + font +
           "**qk**True**qk**False**qk**" + tip;
}

std::string ShapeRec(int index, const std::string& shape, const std::string& items,
                     const std::string& actions = "", const std::string& backStyle = "1",
                     const std::string& left = "300", const std::string& top = "300") {
    return Rec({"Shaper1", std::to_string(index), shape, left, top, "1500", "1500", actions, backStyle,
                "field tip", "16711680", "0", "2", items});
}

struct Case {
    const char* what;
    std::vector<Member> members;  // the page script first
    std::function<void(Form1&)> check;
};

std::vector<Case> Cases() {
    return {
        // On page 2: the texture member's name holds the page and F2 as written.
        {"fill style 60 takes the texture from the store and deletes the copy",
         {{"sys2 .esr", ShapeRec(4, "0", Items("60"))}, {"2shptext4.pic", Bitmap(8, 8, 0x00FF00)}},
         [](Form1& f) {
             EXPECT_EQ(f.Shaper1[4].FillStyle(), 60);
             EXPECT_EQ(f.Shaper1[4].Texture().Type(), rt::vbPicTypeBitmap);
             EXPECT_EQ(f.Shaper1[4].PenBrush().BrushType(), controls::GDIpPenBrush::BrushTexture);
             for (const std::string& left : CopiesLeft()) EXPECT_NE(left, "2shptext4.pic");
         }},
        {"an ellipse with a radial gradient and no texture",
         {{"sys3 .esr", ShapeRec(1, "1", Items("59"))}, {"3shptext1.pic", Bitmap(8, 8, 0x00FF00)}},
         [](Form1& f) {
             controls::AlphaShapeCtl& s = f.Shaper1[1];
             EXPECT_EQ(s.Shape(), 1);
             EXPECT_EQ(s.FillStyle(), 59);
             EXPECT_EQ(s.PenBrush().BrushType(), controls::GDIpPenBrush::BrushPathGradient);
             EXPECT_TRUE(s.Texture().Empty());
             EXPECT_TRUE(s.Visible());  // the page's revealing showed it
             EXPECT_EQ(s.BackColor(), 16711680u);
             EXPECT_EQ(s.BorderWidth(), 2);
             EXPECT_EQ(s.FillColor(), 255u);
             EXPECT_EQ(s.ToolTipText(), "item tip");
             EXPECT_EQ(s.Font().Name(), "Arial");
             EXPECT_TRUE(s.Font().Bold());
         }},
        {"values the control does not take keep what it had",
         {{"sys4 .esr", ShapeRec(1, "5", Items("61", ""), "", "2")}},
         [](Form1& f) {
             controls::AlphaShapeCtl& s = f.Shaper1[1];
             EXPECT_EQ(s.Shape(), 0);
             EXPECT_EQ(s.FillStyle(), 0);
             EXPECT_EQ(s.BackStyle(), 0);
             EXPECT_TRUE(s.Texture().Empty());
             EXPECT_EQ(s.ToolTipText(), "field tip");
         }},
        {"an 8-item settings list as the first record ends the build at the font",
         {{"sys5 .esr", ShapeRec(1, "2", "1**qk**0**qk**0**qk****qk**0**qk**0**qk**255**qk**1") +
                            ShapeRec(2, "1", Items("1"))}},
         [](Form1& f) {
             EXPECT_EQ(Members(f.Shaper1), (std::vector<int>{1}));
             EXPECT_EQ(f.Shaper1[1].Shape(), 2);
             EXPECT_EQ(f.Shaper1[1].FillStyle(), 1);
             EXPECT_EQ(f.Shaper1[1].Font().Name(), "Times New Roman");
         }},
        {"a text outline in a face that is not installed still gets the name",
         {{"sys6 .esr", ShapeRec(1, "4", Items("1", "", "Hi", "No Such Face"))}},
         [](Form1& f) {
             EXPECT_EQ(f.Shaper1[1].Font().Name(), "No Such Face");
             EXPECT_EQ(f.Shaper1[1].ShapeText(), L"Hi");
         }},
        {"the z-order file's SHA code stacks shapes",
         {{"sys7 .esr", ShapeRec(1, "0", Items("1")) + ShapeRec(2, "0", Items("1"))},
          {"7psnt.xmz", "SHAID2ID1\r\n"}},
         [](Form1& f) {
             std::vector<int> order;
             for (rt::Control* c : f.WindowlessOrder())
                 if (c->Name() == "Shaper1" && c->Index() > 0) order.push_back(c->Index());
             EXPECT_EQ(order, (std::vector<int>{2, 1}));
         }},
    };
}

}  // namespace

TEST(ShapeRecordsTest, FieldsAndEdgeCases) {
    std::vector<Member> store = {{"sys1 .esr", FormRec("Start", 3000, 4000)}};
    const std::vector<Case> cases = Cases();
    for (const Case& c : cases) store.insert(store.end(), c.members.begin(), c.members.end());
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
    Jump(main, 1);
    EXPECT_TRUE(Members(main.Shaper1).empty());
    EXPECT_FALSE(main.Shaper1[0].Visible());
}

TEST(ShapeRecordsTest, AClickRunsTheActionsOnlyOverTheFigure) {
    AppFolder app;
    // An ellipse of 100 x 100 pixels at (20, 20).
    app.Pack({{"sys1 .esr", FormRec("Click", 3000, 4000) +
                                ShapeRec(1, "1", Items("1"), "jump***Sepa***2", "1", "300", "300")},
              {"sys2 .esr", FormRec("Two", 3000, 4000)}});
    app.Write("Data/enter.wav", "RIFF");
    ProgramScope program(app);
    program.Start();
    Form1& main = Main();
    ASSERT_EQ(Members(main.Shaper1), (std::vector<int>{1}));
    auto click = [&](int x, int y) {
        SendMessageA(main.hWnd(), WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
        SendMessageA(main.hWnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        SendMessageA(main.hWnd(), WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    };
    program.recorder.calls.clear();
    click(23, 23);  // the box corner, outside the ellipse
    EXPECT_EQ(main.page.Text(), "1");
    click(70, 70);
    EXPECT_EQ(main.page.Text(), "2");
    ASSERT_FALSE(program.recorder.calls.empty());
    EXPECT_NE(program.recorder.calls[0].find("enter.wav"), std::string::npos);
}

// Builds of a page of shapes (gradient, texture, text outline, hatch, polygon) and of an empty one.
TEST(ShapeRecordsTest, ManyBuildsLeaveNoHandlesAndNoGdiplusObjects) {
    // A main window's alpha pictures keep GDI+ running until shortly after the window is gone.
    const auto stopped = [] { return !imaging::GdiplusService::Instance().Running(); };
    ASSERT_TRUE(testutil::PumpUntil(stopped, 2000));
    GdipObjects::Install();
    {
        AppFolder app;
        app.Pack(
            {{"sys1 .esr", FormRec("Empty", 3000, 4000)},
             {"sys2 .esr", FormRec("Shapes", 3000, 4000) + ShapeRec(1, "1", Items("59")) +
                               ShapeRec(2, "0", Items("60")) + ShapeRec(3, "4", Items("56", "", "Text")) +
                               ShapeRec(4, "3", Items("20")) + ShapeRec(5, "2", Items("57"))},
             {"2shptext2.pic", Bitmap(8, 8, 0x00FF00)}});
        ProgramScope program(app);
        program.Start();
        Form1& main = Main();
        ASSERT_EQ(GdipObjects::loads, 1);
        auto builds = [&](int n) {
            for (int i = 0; i < n; ++i) {
                Jump(main, 2);
                Jump(main, 1);
                rt::FlushDeferred();
            }
            rt::DoEvents();
        };
        testsupport::HandleCounter counter;
        ASSERT_GT(testsupport::HandleCounter::PatchedImports(), 0);
        builds(2);
        Jump(main, 2);
        EXPECT_EQ(Members(main.Shaper1), (std::vector<int>{1, 2, 3, 4, 5}));
        EXPECT_EQ(main.Shaper1[2].PenBrush().BrushType(), controls::GDIpPenBrush::BrushTexture);
        Jump(main, 1);
        rt::FlushDeferred();
        counter.Start();
        builds(2);
        const size_t gdi = counter.GdiObjects(), dcs = counter.DeviceContexts();
        const int live = GdipObjects::Live();
        const int pens = GdipObjects::pens, brushes = GdipObjects::brushes, paths = GdipObjects::paths;
        builds(50);
        EXPECT_LE(counter.GdiObjects(), gdi) << counter.Report();
        EXPECT_LE(counter.DeviceContexts(), dcs) << counter.Report();
        EXPECT_EQ(GdipObjects::Live(), live);
        EXPECT_EQ(GdipObjects::pens, pens);
        EXPECT_EQ(GdipObjects::brushes, brushes);
        EXPECT_EQ(GdipObjects::paths, paths);
        EXPECT_EQ(GdipObjects::matrices, 0);
        EXPECT_EQ(GdipObjects::images, 0);
        EXPECT_EQ(GdipObjects::attributes, 0);
        EXPECT_EQ(GdipObjects::loads, 1);
    }
    // With the window gone no shape holds GDI+.
    EXPECT_EQ(GdipObjects::Live(), 0);
    EXPECT_TRUE(testutil::PumpUntil(stopped, 2000));
    GdipObjects::Remove();
}
