// The thumbnail browser on a real window at zoom 3 (box 102, cells 122): thumbnail sizes, cell
// layout and the drawn frame, selection, press and release with their actions, the zoom text, a
// rebuild from another folder, generations cut short by an unload or a newer rebuild, and the
// handles and GDI+ images after repeated rebuilds.
#include "controls/media/thumb.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "controls/media/gdip_image.h"
#include "controls/media/slides_fixture.h"
#include "runtime/control_array.h"
#include "runtime/error.h"
#include "runtime/lifetime.h"
#include "support/handle_counter.h"

using namespace mediatest;

namespace {

// Inside the default border (a pixel on each side) 417 x 300: the scroll bar's Left is
// 417 - 16 - 1 = 400.
constexpr int W = 419, H = 302;

std::function<void()> g_duringGeneration;
void CALLBACK RunDuringGeneration(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    if (auto f = std::exchange(g_duringGeneration, nullptr)) f();
}

class ThumbTest : public SlidesTest {
protected:
    void SetUp() override {
        SlidesTest::SetUp();
        Solid("pics\\a.bmp", 60, 40, kRed);
        Solid("pics\\b.bmp", 100, 200, kGreen);
        Solid("pics\\c.bmp", 200, 100, kBlue);
        Solid("pics\\d.bmp", 170, 85, kRed);
        Solid("pics2\\x.bmp", 30, 30, kGreen);
        Solid("pics2\\y.bmp", 30, 30, kBlue);
        stage = std::make_unique<Stage>(W, H);
        browsers = std::make_unique<rt::ControlArray<controls::thumb>>(
            *stage, "browsers", std::make_shared<const rt::PropertyBag>());
        controls::thumb& t = browsers->Load(1);
        t.Move(0, 0, W * 15.0, H * 15.0);
        t.Visible(true);
        t.pathflder = "pics";
        t.MouseDown = [this](int, int16_t, int16_t, float, float) { ++downs; };
    }
    void TearDown() override {
        browsers.reset();
        stage.reset();
        SlidesTest::TearDown();
    }
    controls::thumb& T() { return (*browsers)[1]; }
    COLORREF Px(int x, int y) { return At(T().picDraw.hWnd(), x, y); }

    std::unique_ptr<Stage> stage;
    std::unique_ptr<rt::ControlArray<controls::thumb>> browsers;
    int downs = 0;
};

}  // namespace

TEST_F(ThumbTest, LaysOutAndDrawsTheGridAtZoomThree) {
    controls::thumb& t = T();
    EXPECT_EQ(t.ZoomBox(), 102);
    EXPECT_EQ(t.CellSize(), 122);
    EXPECT_EQ(t.vs.PixelRect().left, 400);
    t.strtload();
    const auto& e = t.Entries();
    ASSERT_EQ(e.size(), 4u);
    struct Expect {
        int w, h, x, y;
    };
    // a 60 x 40 stays; b 100 x 200 and c 200 x 100 fit the box; d 170 x 85 is 102 x 51. The fourth
    // cell would end at 366 + 102 > 400: a new row.
    const Expect expected[] = {{60, 40, 0, 0}, {51, 102, 122, 0}, {102, 51, 244, 0}, {102, 51, 0, 122}};
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(e[i].thumbWidth, expected[i].w) << i;
        EXPECT_EQ(e[i].thumbHeight, expected[i].h) << i;
        EXPECT_EQ(e[i].cellX, expected[i].x) << i;
        EXPECT_EQ(e[i].cellY, expected[i].y) << i;
        EXPECT_TRUE(e[i].thumbnail) << i;
    }
    EXPECT_EQ(t.ContentHeight(), 244);
    EXPECT_FALSE(t.vs.Visible());  // 244 fits in 300

    // The 60 x 40 picture in cell (0, 0): grey line, two white pixels, grey line, then the picture.
    EXPECT_EQ(Px(27, 27), 0x808080u);
    EXPECT_EQ(Px(28, 28), 0xFFFFFFu);
    EXPECT_EQ(Px(30, 30), 0x808080u);
    EXPECT_EQ(Px(31, 31), kRed);
    EXPECT_EQ(Px(90, 70), kRed);
    EXPECT_EQ(Px(91, 71), 0x808080u);
    // The 100 x 200 picture drawn 51 x 102 from (122 + 36, 0).
    EXPECT_EQ(Px(158, 50), kGreen);
    EXPECT_EQ(Px(208, 50), kGreen);
    EXPECT_EQ(Px(209, 50), 0x808080u);
    EXPECT_EQ(Px(180, 101), kGreen);
    EXPECT_EQ(Px(180, 102), 0x808080u);
}

TEST_F(ThumbTest, PressSelectsAndReleaseRunsTheItemsActions) {
    controls::thumb& t = T();
    t.goslid(Items({"b.bmp##qk##", "a.bmp##qk##act1***code***act2", "a.bmp##qk##never", "##qk##emptytext"}));
    t.strtload();
    // A press through the window, inside cell 0.
    SendMessageA(t.picDraw.hWnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    EXPECT_EQ(downs, 1);
    EXPECT_EQ(t.purefilename, "a.bmp");
    EXPECT_EQ(t.fileselectedname, app.Path() + "pics\\a.bmp");
    EXPECT_TRUE(t.Entries()[0].selected);
    EXPECT_EQ(Px(0, 0), 0x8B6425u);
    EXPECT_EQ(Px(1, 1), 0xFCE1CBu);
    SendMessageA(t.picDraw.hWnd(), WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
    EXPECT_EQ(runs, (std::vector<std::string>{"act1***code***act2"}));

    // The right edge of a cell belongs to it; a top edge to no cell.
    t.picDraw_MouseDown(1, 0, 122, 50);
    EXPECT_EQ(t.purefilename, "a.bmp");
    t.picDraw_MouseDown(1, 0, 50, 0);
    EXPECT_EQ(t.purefilename, "");
    EXPECT_EQ(t.fileselectedname, "");
    EXPECT_FALSE(t.Entries()[0].selected);
    EXPECT_NE(Px(0, 0), 0x8B6425u);
    EXPECT_EQ(downs, 3);

    // A right press empties the names and raises nothing; its release runs the empty text's item.
    t.picDraw_MouseDown(1, 0, 130, 10);
    ASSERT_EQ(t.purefilename, "b.bmp");
    t.picDraw_MouseUp(1, 0, 130, 10);  // an empty action part: nothing
    t.picDraw_MouseDown(2, 0, 10, 10);
    EXPECT_EQ(downs, 4);
    EXPECT_TRUE(t.Entries()[1].selected);  // the highlight stays
    t.picDraw_MouseUp(2, 0, 10, 10);
    EXPECT_EQ(runs, (std::vector<std::string>{"act1***code***act2", "emptytext"}));
}

TEST_F(ThumbTest, TheZoomTextAndTheFolder) {
    controls::thumb& t = T();
    t.Text("5");
    EXPECT_EQ(t.ZoomBox(), 170);
    EXPECT_EQ(t.CellSize(), 190);
    t.Text("1");
    EXPECT_EQ(t.ZoomBox(), 34);
    EXPECT_EQ(t.CellSize(), 54);
    EXPECT_THROW(t.Text("6"), rt::RuntimeError);
    EXPECT_THROW(t.Text("big"), rt::RuntimeError);
    EXPECT_EQ(t.ZoomBox(), 34);
    t.Text("3");

    t.strtload();
    ASSERT_EQ(t.Entries().size(), 4u);
    t.pathflder = "pics2";
    t.strtload();
    ASSERT_EQ(t.Entries().size(), 2u);
    EXPECT_EQ(t.Entries()[1].path, app.Path() + "pics2\\y.bmp");
    // No folder, or a folder without pictures: everything stays.
    t.pathflder = "";
    t.strtload();
    Folder("empty");
    t.pathflder = "empty";
    t.strtload();
    EXPECT_EQ(t.Entries().size(), 2u);
}

TEST_F(ThumbTest, AGenerationStopsForAnUnloadOrANewerRebuild) {
    {
        // A newer rebuild during the first pass: the older one stops and the newer entries stand.
        controls::thumb& t = T();
        g_duringGeneration = [&] {
            t.pathflder = "pics2";
            t.strtload();
        };
        SetTimer(nullptr, 0, 0, RunDuringGeneration);
        Sleep(20);
        t.strtload();
        ASSERT_EQ(t.Entries().size(), 2u);
        EXPECT_TRUE(t.Entries()[0].thumbnail);
        EXPECT_TRUE(t.Entries()[1].thumbnail);
        EXPECT_EQ(controls::GdipImage::Live(), 2);
    }
    {
        rt::HandlerScope handler;  // the unloaded member lives on, detached, until the end of it
        controls::thumb& t = T();
        t.pathflder = "pics";
        g_duringGeneration = [&] { browsers->Unload(1); };
        SetTimer(nullptr, 0, 0, RunDuringGeneration);
        Sleep(20);
        t.strtload();
        EXPECT_TRUE(t.Unloaded());
        ASSERT_EQ(t.Entries().size(), 4u);
        EXPECT_FALSE(t.Entries()[3].thumbnail);  // never made
    }
    testutil::PumpUntil([] { return false; }, 50);
    EXPECT_EQ(controls::GdipImage::Live(), 0);
}

TEST_F(ThumbTest, RebuildsLeaveNoHandlesNorImages) {
    controls::thumb& t = T();
    t.strtload();
    const int live = controls::GdipImage::Live();
    EXPECT_EQ(live, 4);
    testsupport::HandleCounter counter;
    for (int i = 0; i < 10; ++i) t.strtload();
    EXPECT_EQ(counter.GdiObjects(), 0u) << counter.Report();
    EXPECT_EQ(counter.DeviceContexts(), 0u) << counter.Report();
    EXPECT_EQ(controls::GdipImage::Live(), live);
}

// Fixed single, the default: a line round the control and the surface inside it. None: the
// surface covers the whole control.
TEST_F(ThumbTest, TheBorderStyleFramesTheControl) {
    controls::thumb& t = T();
    const HWND form = stage->hWnd();
    auto screenPixel = [form](int x, int y) {
        POINT p{x, y};
        ClientToScreen(form, &p);
        rt::ScreenDC screen;
        return GetPixel(screen.get(), p.x, p.y) & 0xFFFFFF;
    };
    auto screenRect = [](HWND h) {
        RECT r{};
        GetWindowRect(h, &r);
        return r;
    };
    ASSERT_EQ(t.BorderStyle(), 1);
    rt::DoEvents();
    RECT outer = screenRect(t.hWnd()), inner = screenRect(t.picDraw.hWnd());
    InflateRect(&outer, -1, -1);
    EXPECT_TRUE(EqualRect(&outer, &inner));
    const COLORREF line = screenPixel(0, 0), surface = screenPixel(1, 1);
    EXPECT_NE(line, surface);
    const POINT edge[] = {{W / 2, 0}, {0, H / 2}, {W - 1, H / 2}, {W / 2, H - 1}, {W - 1, H - 1}};
    for (POINT p : edge) EXPECT_EQ(screenPixel(p.x, p.y), line) << p.x << "," << p.y;

    t.BorderStyle(0);
    rt::DoEvents();
    outer = screenRect(t.hWnd());
    inner = screenRect(t.picDraw.hWnd());
    EXPECT_TRUE(EqualRect(&outer, &inner));
    EXPECT_EQ(t.vs.PixelRect().left, W - 16 - 1);
    for (POINT p : edge) {  // the scroll bar now reaches the right edge
        if (p.x < W - 1 || p.y == H - 1) {
            EXPECT_EQ(screenPixel(p.x, p.y), surface) << p.x << "," << p.y;
        }
    }

    EXPECT_THROW(t.BorderStyle(2), rt::RuntimeError);
    EXPECT_EQ(t.BorderStyle(), 0);
    t.BorderStyle(1);
    rt::DoEvents();
    EXPECT_EQ(t.vs.PixelRect().left, 400);
    EXPECT_EQ(screenPixel(W - 1, H - 1), line);
}
