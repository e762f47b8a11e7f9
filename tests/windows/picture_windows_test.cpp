// The picture popup and the picture viewer, opened by "pic" and "picviw".
#include <gtest/gtest.h>
#include <windows.h>

#include <cmath>
#include <string>

#include "windows/Form11_picture_viewer.h"
#include "windows/Form8_picture_popup.h"
#include "windows_fixture.h"

using namespace actionstest;
using namespace windowstest;

namespace {

using shelltest::Bitmap;

COLORREF ScreenPixel(HWND window, int x, int y) {
    HDC dc = GetDC(window);
    const COLORREF c = GetPixel(dc, x, y);
    ReleaseDC(window, dc);
    return c;
}

TEST_F(MainWindowTest, PicOpensABorderlessWindowOfThePictureCentredThatAClickCloses) {
    app.Write("pics/p.bmp", Bitmap(300, 200, 0x3366CC));
    Run("pic" + kSepa + "pics\\p.bmp");
    Form8* popup = Loaded<Form8>();
    ASSERT_NE(popup, nullptr);
    EXPECT_TRUE(IsWindowVisible(popup->hWnd()));
    const RECT r = OuterRect(*popup);
    EXPECT_EQ(r.right - r.left, 300);
    EXPECT_EQ(r.bottom - r.top, 200);
    EXPECT_EQ(GetWindowLongA(popup->hWnd(), GWL_STYLE) & (WS_CAPTION | WS_THICKFRAME | WS_BORDER), 0);
    EXPECT_TRUE(Centred(*popup));
    UpdateWindow(popup->hWnd());
    EXPECT_EQ(ScreenPixel(popup->hWnd(), 299, 199), RGB(0x33, 0x66, 0xCC));

    ClickAt(popup->hWnd(), 150, 100);
    Pump();
    EXPECT_EQ(Loaded<Form8>(), nullptr);
}

TEST_F(MainWindowTest, PicSnapsBackToThePictureSizeAndOpensEvenWithoutItsPicture) {
    Run("pic" + kSepa + "missing.bmp");
    ASSERT_NE(Loaded<Form8>(), nullptr);
    EXPECT_TRUE(IsWindowVisible(Loaded<Form8>()->hWnd()));

    app.Write("p.bmp", Bitmap(120, 90, 0x00FF00));
    Run("pic" + kSepa + "p.bmp");
    Form8& popup = *Loaded<Form8>();
    // A picture that cannot be loaded leaves the one shown before, at its size.
    Run("pic" + kSepa + "missing.bmp");
    for (SIZE asked : {SIZE{400, 300}, SIZE{120, 90}}) {
        SetWindowPos(popup.hWnd(), nullptr, 0, 0, asked.cx, asked.cy, SWP_NOMOVE | SWP_NOZORDER);
        const RECT r = OuterRect(popup);
        EXPECT_EQ(r.right - r.left, 120);
        EXPECT_EQ(r.bottom - r.top, 90);
    }
}

// Positions and sizes are whole pixels: a length in twips as the window keeps it.
double WholePixels(double twips) {
    return std::nearbyint(twips / 15) * 15;
}

// The viewer's picture `l`, in twips.
struct Rect {
    double left, top, width, height;
};
Rect Of(const rt::Image& l) {
    return {l.Left(), l.Top(), l.Width(), l.Height()};
}

// Centred as the viewer centres: half the outer size less half the picture's, each rounded down;
// positions are whole pixels, so allow one.
void ExpectCentred(const Form11& viewer, const rt::Image& l) {
    EXPECT_NEAR(l.Left(), std::floor(viewer.Width() / 2) - std::floor(l.Width() / 2), 15);
    EXPECT_NEAR(l.Top(), std::floor(viewer.Height() / 2) - std::floor(l.Height() / 2), 15);
}

class ViewerTest : public MainWindowTest {
protected:
    Form11& Open(int width, int height, const std::string& name = "v.bmp") {
        app.Write(name, Bitmap(width, height, 0x808080));
        Run("picviw" + kSepa + name);
        Form11* viewer = Loaded<Form11>();
        EXPECT_NE(viewer, nullptr);
        return *viewer;
    }
    void Close() {
        if (Form11* viewer = Loaded<Form11>()) viewer->Unload();
        Pump();
    }
};

TEST_F(ViewerTest, OneZoomStepAddsAHundredTwipsToTheShorterSideAndKeepsTheProportions) {
    struct Case {
        int width, height;
        double zoomedWidth, zoomedHeight;
    };
    const Case cases[] = {
        {300, 200, 4650, 3100}, {200, 300, 3100, 4650}, {240, 240, 3600, 3600},  // square: only re-centred
    };
    for (const Case& c : cases) {
        Form11& viewer = Open(c.width, c.height);
        EXPECT_TRUE(IsWindowVisible(viewer.hWnd()));
        EXPECT_EQ(viewer.Caption(), "Vantrel Picture Viewer");
        EXPECT_EQ(viewer.l.Width(), c.width * 15.0);
        EXPECT_EQ(viewer.l.Height(), c.height * 15.0);
        ExpectCentred(viewer, viewer.l);
        Press(viewer.chameleonButton2.hWnd());
        EXPECT_EQ(viewer.l.Width(), WholePixels(c.zoomedWidth)) << c.width << "x" << c.height;
        EXPECT_EQ(viewer.l.Height(), WholePixels(c.zoomedHeight)) << c.width << "x" << c.height;
        ExpectCentred(viewer, viewer.l);
        Close();
    }
}

TEST_F(ViewerTest, ActualSizeRestoresThePicturesOwnSizeCentred) {
    Form11& viewer = Open(300, 200);
    Press(viewer.chameleonButton2.hWnd());
    Press(viewer.chameleonButton2.hWnd());
    Press(viewer.chameleonButton1.hWnd());
    Press(viewer.chameleonButton1.hWnd());
    Press(viewer.chameleonButton1.hWnd());
    EXPECT_LT(viewer.l.Width(), 4500);
    Press(viewer.chameleonButton3.hWnd());
    EXPECT_FALSE(viewer.l.Stretch());
    EXPECT_EQ(viewer.l.Width(), 4500);
    EXPECT_EQ(viewer.l.Height(), 3000);
    ExpectCentred(viewer, viewer.l);
}

TEST_F(ViewerTest, ZoomingOutStopsWhenASideWouldTurnNegativeAndAZeroSideIsSkipped) {
    Form11& viewer = Open(30, 15);
    Rect last{};
    for (int i = 0; i < 10; ++i) {
        Press(viewer.chameleonButton1.hWnd());
        ASSERT_GE(viewer.l.Width(), 0);
        ASSERT_GE(viewer.l.Height(), 0);
        last = Of(viewer.l);
    }
    Press(viewer.chameleonButton1.hWnd());
    EXPECT_EQ(viewer.l.Width(), last.width);
    EXPECT_EQ(viewer.l.Height(), last.height);

    // A zero side: the step that divides by it is skipped, the other still runs.
    viewer.l.Move(0, 0, 3000, 0);
    Press(viewer.chameleonButton2.hWnd());
    EXPECT_EQ(viewer.l.Width(), 3000);
    EXPECT_EQ(viewer.l.Height(), WholePixels(100));
}

TEST_F(ViewerTest, KeysMoveAndZoomWhileAToolButtonHasTheFocus) {
    Form11& viewer = Open(300, 200);
    const HWND tool = viewer.chameleonButton3.hWnd();
    struct Case {
        WPARAM key;
        double dx, dy;
    };
    const Case moves[] = {{VK_RIGHT, 50, 0}, {VK_LEFT, -50, 0}, {VK_DOWN, 0, 50}, {VK_UP, 0, -50}};
    for (const Case& c : moves) {
        const Rect before = Of(viewer.l);
        SendMessageA(tool, WM_KEYDOWN, c.key, 0);
        EXPECT_NEAR(viewer.l.Left() - before.left, c.dx, 15) << c.key;  // whole pixels
        EXPECT_NEAR(viewer.l.Top() - before.top, c.dy, 15) << c.key;
        EXPECT_EQ(viewer.l.Width(), before.width);
    }
    SendMessageA(tool, WM_KEYDOWN, VK_ADD, 0);
    EXPECT_EQ(viewer.l.Width(), WholePixels(4650));
    SendMessageA(tool, WM_KEYDOWN, VK_SUBTRACT, 0);
    EXPECT_EQ(viewer.l.Width(), 4500);
    SendMessageA(tool, WM_KEYDOWN, 'A', 0);
    EXPECT_EQ(viewer.l.Width(), 4500);
}

TEST_F(ViewerTest, ANewPictureAfterAZoomFillsTheCurrentRectangle) {
    Form11& viewer = Open(300, 200);
    Press(viewer.chameleonButton2.hWnd());
    SendMessageA(viewer.chameleonButton1.hWnd(), WM_KEYDOWN, VK_RIGHT, 0);
    const Rect before = Of(viewer.l);
    Open(100, 100, "other.bmp");
    EXPECT_TRUE(viewer.l.Stretch());
    const Rect after = Of(viewer.l);
    EXPECT_EQ(after.left, before.left);
    EXPECT_EQ(after.top, before.top);
    EXPECT_EQ(after.width, WholePixels(4650));
    EXPECT_EQ(after.height, WholePixels(3100));
}

TEST_F(MainWindowTest, OpeningAndClosingThePictureWindowsLeavesNoHandles) {
    app.Write("p.bmp", Bitmap(64, 48, 0x123456));
    ExpectNoHandlesLeft([&] {
        Run("pic" + kSepa + "p.bmp");
        ClickAt(Loaded<Form8>()->hWnd(), 5, 5);
        Run("picviw" + kSepa + "p.bmp");
        Form11& viewer = *Loaded<Form11>();
        Press(viewer.chameleonButton2.hWnd());
        viewer.Unload();
        Pump(10);
    });
}

}  // namespace
