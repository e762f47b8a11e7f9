// The picture-shaped button on a shown form: its outline, face, the poll's state pictures and
// events, and leaks.
#include "controls/buttons/ShapedButton.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

#include "runtime/control_array.h"
#include "runtime/form.h"
#include "runtime/ui.h"
#include "support/handle_counter.h"

namespace {

// 40 by 20: columns 0-9 magenta, the rest in the colour.
rt::Picture StatePicture(COLORREF colour) {
    rt::ScreenDC screen;
    rt::MemoryDC dc(screen.get());
    HBITMAP bm = CreateCompatibleBitmap(screen.get(), 40, 20);
    HGDIOBJ old = SelectObject(dc.get(), bm);
    rt::Brush fill(CreateSolidBrush(colour)), magenta(CreateSolidBrush(RGB(255, 0, 255)));
    RECT all{0, 0, 40, 20}, left{0, 0, 10, 20};
    FillRect(dc.get(), &all, fill.get());
    FillRect(dc.get(), &left, magenta.get());
    SelectObject(dc.get(), old);
    return rt::Picture::FromBitmap(bm);
}

class ShapedForm : public rt::Form {
public:
    ShapedForm() : Form("ShapedForm") {
        BorderStyle(rt::vbBSNone);
        Move(0, 0, rt::ToTwipsX(200), rt::ToTwipsY(120));
        BackColor(0x808080);
        button[0].Visible(false);
    }
    rt::ControlArray<controls::ShapedButton> button{*this, "button"};
};

struct ShapedButtonTest : ::testing::Test {
    void TearDown() override {
        rt::UnloadAll();
        rt::DoEvents();
    }
    static controls::ShapedButton& Placed(ShapedForm& f) {
        controls::ShapedButton& b = f.button.Load(1);
        b.Move(0, 0, rt::ToTwipsX(80), rt::ToTwipsY(40));
        b.MaskColor(0xFF00FF);
        b.PictureOnMouseLeave(StatePicture(RGB(255, 0, 0)));
        b.PictureOnMouseMove(StatePicture(RGB(0, 255, 0)));
        b.PictureOnMouseDown(StatePicture(RGB(0, 0, 255)));
        b.Visible(true);
        return b;
    }
    // Lets the poll run a few ticks.
    static void Pump() {
        for (int i = 0; i < 10; ++i) {
            rt::DoEvents();
            Sleep(10);
        }
        rt::DoEvents();
    }
    static POINT Screen(HWND h, int x, int y) {
        POINT p{x, y};
        ClientToScreen(h, &p);
        return p;
    }
    static COLORREF ScreenPixel(HWND h, int x, int y) {
        POINT p = Screen(h, x, y);
        rt::ScreenDC screen;
        return GetPixel(screen.get(), p.x, p.y) & 0xFFFFFF;
    }
};

TEST_F(ShapedButtonTest, PicturesShapeTheButtonAndFollowThePointer) {
    ShapedForm& f = rt::Load<ShapedForm>();
    int clicks = 0, leaves = 0;
    f.button[0].Click = [&](int) { ++clicks; };
    f.button[0].MouseLeave = [&](int) { ++leaves; };
    controls::ShapedButton& b = Placed(f);
    f.Show();
    Pump();
    const HWND h = b.hWnd();
    ASSERT_NE(h, nullptr);
    POINT see = Screen(h, 10, 20), solid = Screen(h, 60, 20);
    EXPECT_NE(WindowFromPoint(see), h);
    EXPECT_EQ(WindowFromPoint(solid), h);
    EXPECT_EQ(ScreenPixel(h, 60, 20), RGB(255, 0, 0));
    EXPECT_EQ(ScreenPixel(h, 10, 20), RGB(128, 128, 128));

    SetCursorPos(solid.x, solid.y);
    SendMessageA(h, WM_MOUSEMOVE, 0, MAKELPARAM(60, 20));
    Pump();
    EXPECT_EQ(ScreenPixel(h, 60, 20), RGB(0, 255, 0));
    SendMessageA(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(60, 20));
    Pump();
    EXPECT_EQ(ScreenPixel(h, 60, 20), RGB(0, 0, 255));
    SendMessageA(h, WM_LBUTTONUP, 0, MAKELPARAM(60, 20));
    Pump();
    EXPECT_EQ(ScreenPixel(h, 60, 20), RGB(0, 255, 0));
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(leaves, 0);

    SetCursorPos(solid.x + 100, solid.y + 60);
    Pump();
    EXPECT_EQ(ScreenPixel(h, 60, 20), RGB(255, 0, 0));
    EXPECT_EQ(leaves, 1);
    Pump();
    EXPECT_EQ(leaves, 1);
}

// No normal picture: nothing of the button shows but its caption, from the first paint on and
// before the pointer ever came near.
TEST_F(ShapedButtonTest, WithoutANormalPictureOnlyTheCaptionShows) {
    ShapedForm& f = rt::Load<ShapedForm>();
    controls::ShapedButton& b = f.button.Load(1);
    b.Move(0, 0, rt::ToTwipsX(80), rt::ToTwipsY(40));
    b.Caption("Go");
    b.ForeColor(0x0000FF);
    b.MaskColor(0xFF00FF);
    b.PictureOnMouseMove(StatePicture(RGB(0, 255, 0)));
    b.PictureOnMouseDown(StatePicture(RGB(0, 0, 255)));
    const HWND h = b.hWnd();
    const RECT caption = b.lblCaption.PixelRect();
    ASSERT_FALSE(IsRectEmpty(&caption));
    ASSERT_TRUE(caption.left > 0 && caption.right < 80 && caption.top > 0 && caption.bottom < 40);

    rt::Region outline(CreateRectRgn(0, 0, 0, 0));
    ASSERT_EQ(GetWindowRgn(h, outline.get()), COMPLEXREGION) << "the caption's text has a shape";
    RECT box{};
    GetRgnBox(outline.get(), &box);
    EXPECT_GE(box.left, caption.left);
    EXPECT_GE(box.top, caption.top);
    EXPECT_LE(box.right, caption.right);
    EXPECT_LE(box.bottom, caption.bottom);

    b.Visible(true);
    f.Show();
    rt::DoEvents();
    // The button's rectangle as the screen shows it, read in one go.
    const POINT corner = Screen(h, 0, 0);
    rt::ScreenDC screen;
    rt::MemoryDC copy(screen.get());
    rt::Bitmap shot(CreateCompatibleBitmap(screen.get(), 80, 40));
    {
        rt::SelectGuard sel(copy.get(), shot.get());
        BitBlt(copy.get(), 0, 0, 80, 40, screen.get(), corner.x, corner.y, SRCCOPY);
    }
    BITMAPINFO bi{};
    bi.bmiHeader = {sizeof bi.bmiHeader, 80, -40, 1, 32, BI_RGB};
    std::vector<uint32_t> pixels(80 * 40);
    ASSERT_EQ(GetDIBits(copy.get(), shot.get(), 0, 40, pixels.data(), &bi, DIB_RGB_COLORS), 40);
    int text = 0;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 80; ++x) {
            const uint32_t bgr = pixels[y * 80 + x];
            const COLORREF c = RGB(GetBValue(bgr), GetGValue(bgr), GetRValue(bgr));
            const POINT p{x, y};
            if (!PtInRect(&caption, p))
                ASSERT_EQ(c, RGB(128, 128, 128)) << x << "," << y;
            else if (c == RGB(255, 0, 0))
                ++text;
        }
    EXPECT_GT(text, 0);
    EXPECT_NE(WindowFromPoint(Screen(h, 5, 5)), h);
}

TEST_F(ShapedButtonTest, HoverAndCreateCyclesLeaveNoHandle) {
    ShapedForm& f = rt::Load<ShapedForm>();
    f.Show();
    controls::ShapedButton& b = Placed(f);
    Pump();
    const HWND h = b.hWnd();
    POINT solid = Screen(h, 60, 20);
    testsupport::HandleCounter counter;
    for (int i = 0; i < 200; ++i) {
        SetCursorPos(solid.x, solid.y);
        SendMessageA(h, WM_MOUSEMOVE, 0, MAKELPARAM(60, 20));
        rt::DoEvents();
        Sleep(2);
        rt::DoEvents();
        SetCursorPos(solid.x + 150, solid.y + 80);
        Sleep(2);
        rt::DoEvents();
    }
    Pump();
    // No growth: at most the face shown now.
    EXPECT_LE(counter.GdiObjects(), 1u) << counter.Report();
    f.button.Unload(1);
    counter.Start();
    for (int i = 0; i < 200; ++i) {
        Placed(f);
        if (i % 20 == 0) rt::DoEvents();
        f.button.Unload(1);
    }
    rt::DoEvents();
    // No growth over the cycles (one handle the platform may still hold for the last window).
    EXPECT_LE(counter.GdiObjects(), 1u) << counter.Report();
    EXPECT_EQ(counter.Windows(), 0u) << counter.Report();
}

}  // namespace
