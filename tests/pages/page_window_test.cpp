// The window after a "Form" record, read back through the platform: frame styles, outer size,
// centring, layered opacity, the shaped window's region and its clearing, the window state.
#include <string>
#include <vector>

#include "pages_fixture.h"
#include "runtime/ui.h"

using namespace pagestest;

namespace {

LONG_PTR Style(const rt::Form& f) {
    return GetWindowLongPtrA(f.hWnd(), GWL_STYLE) & ~static_cast<LONG_PTR>(WS_MAXIMIZE | WS_MINIMIZE);
}
LONG_PTR ExStyle(const rt::Form& f) {
    return GetWindowLongPtrA(f.hWnd(), GWL_EXSTYLE);
}

int Px(double twips) {
    return static_cast<int>(twips / 15);
}

}  // namespace

TEST(PageWindowTest, FormRecordGivesFrameSizePositionAndOpacity) {
    const int screenW = GetSystemMetrics(SM_CXSCREEN), screenH = GetSystemMetrics(SM_CYSCREEN);
    AppFolder app;
    app.Pack({{"sys1 .esr", FormRec("Plain", 3000, 4500, "0", "")},
              {"sys2 .esr", FormRec("Framed", 3000, 4500, "1", "128")},
              {"sys3 .esr", FormRec("Framed again", 1500, 3000, "2", "0")},
              {"sys4 .esr", FormRec("Opaque", 3000, 4500, "0", "255")}});
    ProgramScope program(app);
    program.Start();
    Form1& main = Main();
    ASSERT_TRUE(main.Visible());

    // Borderless: the outer size is the page size, centred, with the borderless style bits.
    const LONG_PTR borderless = 0x14000000 | WS_CLIPCHILDREN | WS_SYSMENU | WS_MAXIMIZEBOX | WS_MINIMIZEBOX;
    RECT r = WindowRect(main);
    EXPECT_EQ(r.right - r.left, Px(4500));
    EXPECT_EQ(r.bottom - r.top, Px(3000));
    EXPECT_NEAR(r.left, (screenW - Px(4500)) / 2, 1);
    EXPECT_NEAR(r.top, (screenH - Px(3000)) / 2, 1);
    EXPECT_EQ(Style(main), borderless);
    EXPECT_EQ(ExStyle(main) & ~static_cast<LONG_PTR>(WS_EX_WINDOWEDGE), WS_EX_APPWINDOW);
    EXPECT_EQ(main.pos.Caption(), "0");

    // Framed: the page size is the client's; the frame measured at load goes around it.
    Jump(main, 2);
    const LONG_PTR framed = 0x14C00080 | WS_CLIPCHILDREN | WS_SYSMENU | WS_MINIMIZEBOX;
    r = WindowRect(main);
    EXPECT_EQ(r.right - r.left, Px(4500 + 2 * main.FrameSide()));
    EXPECT_EQ(r.bottom - r.top, Px(3000 + main.FrameTop() + main.FrameSide()));
    EXPECT_NEAR(r.left, (screenW - (r.right - r.left)) / 2, 1);
    EXPECT_EQ(Style(main), framed);
    EXPECT_EQ(ExStyle(main) & ~static_cast<LONG_PTR>(WS_EX_LAYERED), 0x101 | WS_EX_APPWINDOW);
    EXPECT_EQ(main.pos.Caption(), "1");
    BYTE alpha = 0;
    DWORD flags = 0;
    ASSERT_TRUE(ExStyle(main) & WS_EX_LAYERED);
    ASSERT_TRUE(GetLayeredWindowAttributes(main.hWnd(), nullptr, &alpha, &flags));
    EXPECT_EQ(alpha, 128);
    EXPECT_EQ(flags, static_cast<DWORD>(LWA_ALPHA));

    // A framed page after a centred one keeps the window's place, even when the user moved it.
    SetWindowPos(main.hWnd(), nullptr, 10, 20, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    Jump(main, 3);
    r = WindowRect(main);
    EXPECT_EQ(r.left, 10);
    EXPECT_EQ(r.top, 20);
    EXPECT_EQ(r.right - r.left, Px(3000 + 2 * main.FrameSide()));
    ASSERT_TRUE(ExStyle(main) & WS_EX_LAYERED);
    ASSERT_TRUE(GetLayeredWindowAttributes(main.hWnd(), nullptr, &alpha, &flags));
    EXPECT_EQ(alpha, 0);  // present but invisible

    // Opacity 255 is opaque: the layered bit of the page before is gone.
    Jump(main, 4);
    EXPECT_FALSE(ExStyle(main) & WS_EX_LAYERED);
    r = WindowRect(main);
    EXPECT_NEAR(r.left, (screenW - Px(4500)) / 2, 1);  // borderless pages centre every time
}

TEST(PageWindowTest, ShapedPageKeepsTheNonKeyPixelsAndTheNextPageClearsTheRegion) {
    const uint32_t key = 0xFF00FF;  // magenta, the same in RGB and in the page's colour form
    AppFolder app;
    app.Pack({{"sys1 .esr", FormRec("Shaped", 600, 900, "3", "", "0", key)},
              {"bg1.bmp", TwoColourBitmap(40, 30, key, 20, 10, 0x0000FF)},
              {"sys2 .esr", FormRec("Square", 600, 900, "0", "", "0", key)}});
    ProgramScope program(app);
    program.Start();
    Form1& main = Main();
    EXPECT_TRUE(main.Visible());

    // Only the blue block at the top-left corner (column 0 and row 0 included) stays.
    rt::Region region(CreateRectRgn(0, 0, 0, 0));
    ASSERT_NE(GetWindowRgn(main.hWnd(), region.get()), ERROR);
    rt::Region expected(CreateRectRgn(0, 0, 20, 10));
    rt::Region diff(CreateRectRgn(0, 0, 0, 0));
    EXPECT_EQ(CombineRgn(diff.get(), region.get(), expected.get(), RGN_XOR), NULLREGION);

    Jump(main, 2);
    rt::Region after(CreateRectRgn(0, 0, 0, 0));
    EXPECT_EQ(GetWindowRgn(main.hWnd(), after.get()), ERROR);  // no region any more
}

TEST(PageWindowTest, WindowStateCommandOfThePage) {
    AppFolder app;
    app.Pack({{"sys1 .esr", FormRec("Max", 3000, 4500, "1", "", "2")},
              {"sys2 .esr", FormRec("Normal", 3000, 4500, "1", "", "0")},
              {"sys3 .esr", FormRec("Odd", 3000, 4500, "1", "", "7")}});
    ProgramScope program(app);
    program.Start();
    Form1& main = Main();
    EXPECT_TRUE(IsZoomed(main.hWnd()));
    Jump(main, 2);
    EXPECT_FALSE(IsZoomed(main.hWnd()));
    // An unknown command changes nothing: every build first applies "0", the normal state.
    Jump(main, 3);
    EXPECT_FALSE(IsZoomed(main.hWnd()));
    EXPECT_EQ(main.Text1.Text(), "7");
}

TEST(PageWindowTest, ABuildThatStopsAfterAJumpLeavesTheWindowAsItStands) {
    const uint32_t back = 0x3366CC;
    // Background style 2 fails before the label switches to skip mode.
    const std::string bad = LabelRec(2, "bad", "", "2");
    for (const char* pageStyle : {"0", "1"}) {
        SCOPED_TRACE(pageStyle);
        AppFolder app;
        app.Pack({{"sys1 .esr", FormRec("One", 3000, 4500, pageStyle, "", "0", back) +
                                    Label3Rec("jump***Sepa***2") + LabelRec(1, "one")},
                  {"sys2 .esr", bad + LabelRec(3, "after")},
                  {"sys3 .esr", FormRec("Shaped", 3000, 4500, "3", "", "0", back) + bad}});
        ProgramScope program(app);
        program.Start();
        Form1& main = Main();
        const LONG_PTR style = Style(main), exStyle = ExStyle(main);
        const RECT before = WindowRect(main);

        // The jump empties the window style; a build that stopped must not read it.
        auto expectAsItStood = [&] {
            EXPECT_EQ(Members(main.Label1), (std::vector<int>{2}));
            EXPECT_TRUE(IsWindowVisible(main.hWnd()));
            EXPECT_EQ(Style(main), style);
            EXPECT_EQ(ExStyle(main), exStyle);
            const RECT r = WindowRect(main);
            EXPECT_TRUE(EqualRect(&r, &before));
            EXPECT_EQ(main.Caption(), "One");
            rt::Region region(CreateRectRgn(0, 0, 0, 0));
            EXPECT_EQ(GetWindowRgn(main.hWnd(), region.get()), ERROR);
            PumpUntil([] { return false; }, 200);
            EXPECT_EQ(ScreenPixel(main, Px(4500) / 2, Px(3000) / 2), RGB(0xCC, 0x66, 0x33));
        };
        // Page 1's open actions jump from the one-shot timer.
        ASSERT_TRUE(PumpUntil([&] { return main.page.Text() == "2"; }, 5000));
        expectAsItStood();
        // Back on page 1 they run inside its build: the rest of that build changes the window no
        // more once the build it started has stopped.
        Jump(main, 1);
        EXPECT_EQ(main.page.Text(), "2");
        expectAsItStood();

        // The "Form" record of a shaped page hides the window; the stopped build shows it again.
        Jump(main, 3);
        EXPECT_EQ(main.Caption(), "Shaped");
        EXPECT_TRUE(IsWindowVisible(main.hWnd()));
    }
}
