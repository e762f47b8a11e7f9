// The pointer over alpha pictures: enter and exit once each through the container's coordinator,
// the hit area of each HitTest, isMouseOver, the pressed offset, clicks, and fading.
#include "alpha_fixture.h"

using namespace alphatest;

namespace {

constexpr COLORREF kRed = RGB(255, 0, 0), kMagenta = RGB(255, 0, 255);

class Pointer : public Alpha {
protected:
    // Logs "name+" on MouseEnter and "name-" on MouseExit.
    aicAlphaImage& Logged(aicAlphaImage& p, const std::string& name) {
        p.MouseEnter = [this, name](int) { log += name + "+ "; };
        p.MouseExit = [this, name](int) { log += name + "- "; };
        return p;
    }
    aicAlphaImage& Solid(int x, int y, const std::string& name) {
        aicAlphaImage& p = Logged(Make(x, y), name);
        EXPECT_TRUE(p.LoadImage_FromArray(SolidBmp(100, 100, kRed)));
        return p;
    }
    std::string log;
};

TEST_F(Pointer, FromOnePictureToTheNextAndOffTheForm) {
    aicAlphaImage& a = Solid(10, 10, "A");
    aicAlphaImage& b = Solid(110, 10, "B");
    PointerTo(50, 50);
    CursorLookup(55, 50);
    PointerTo(55, 50);
    EXPECT_EQ(log, "A+ ");
    EXPECT_TRUE(a.isMouseOver());
    PointerTo(150, 50);
    CursorLookup(150, 50);
    EXPECT_EQ(log, "A+ A- B+ ");
    EXPECT_FALSE(a.isMouseOver());
    EXPECT_TRUE(b.isMouseOver());
    // Over the bare form no picture is asked: the leave poll ends B.
    PointerTo(300, 250);
    ASSERT_TRUE(testutil::PumpUntil([&] { return !b.isMouseOver(); }, 2000));
    Pump(250);
    EXPECT_EQ(log, "A+ A- B+ B- ");
}

TEST_F(Pointer, ThePollEndsTheCaptureOverAnotherWindow) {
    aicAlphaImage& a = Solid(10, 10, "A");
    PointerTo(50, 50);
    ASSERT_TRUE(a.isMouseOver());
    // The pointer leaves the form without a message to it.
    POINT off{450, 150};
    ClientToScreen(form->hWnd(), &off);
    SetCursorPos(off.x, off.y);
    ASSERT_TRUE(testutil::PumpUntil([&] { return !a.isMouseOver(); }, 2000));
    Pump(250);
    EXPECT_EQ(log, "A+ A- ");
}

TEST_F(Pointer, HitTestThreeIgnoresATransparentHole) {
    aicAlphaImage& a = Logged(Make(10, 10), "A");
    a.ScaleMethod(3);
    a.HitTest(3);
    ASSERT_TRUE(a.LoadImage_FromArray(Bmp(
        100, 100, [](int x, int y) { return x >= 30 && x < 70 && y >= 30 && y < 70 ? kMagenta : kRed; })));
    a.MaskColor(kMagenta);
    a.MaskUsed(1);
    ASSERT_TRUE(a.HasHitRegion());
    PointerTo(60, 60);  // the hole
    CursorLookup(60, 60);
    EXPECT_EQ(log, "");
    PointerTo(20, 20);
    EXPECT_EQ(log, "A+ ");
    PointerTo(60, 60);  // back into the hole
    EXPECT_EQ(log, "A+ A- ");
    Pump(250);
    EXPECT_EQ(log, "A+ A- ");

    // The container's own proposal is not taken: outside the visible pixels is outside.
    EXPECT_EQ(a.HitTest(60, 60), rt::vbHitResultOutside);
    EXPECT_EQ(a.HitTest(20, 20), rt::vbHitResultHit);
    // HitTest 1: the box of the visible pixels, hole included.
    a.HitTest(1);
    EXPECT_FALSE(a.HasHitRegion());
    EXPECT_EQ(a.HitTest(60, 60), rt::vbHitResultHit);
}

TEST_F(Pointer, TheCursorLookupRaisesNothing) {
    // B overlaps A; the point is in B's rectangle but outside its visible pixels.
    aicAlphaImage& a = Solid(10, 10, "A");
    aicAlphaImage& b = Logged(Make(60, 10), "B");
    b.ScaleMethod(3);
    b.HitTest(2);
    ASSERT_TRUE(b.LoadImage_FromArray(SolidBmp(20, 20, kRed)));  // drawn at (100..119, 50..69) of the form
    ASSERT_TRUE(b.HasHitRegion());
    const RECT area = b.HitArea();
    EXPECT_EQ(area.left, 40);
    EXPECT_EQ(area.top, 40);
    EXPECT_EQ(area.right, 60);
    EXPECT_EQ(area.bottom, 60);
    PointerTo(70, 20);
    const std::string entered = log;
    EXPECT_TRUE(a.isMouseOver()) << log;
    for (int i = 0; i < 3; ++i) CursorLookup(70, 21);
    EXPECT_EQ(log, entered);
    EXPECT_TRUE(a.isMouseOver());
}

TEST_F(Pointer, DisabledOrHiddenPicturesLeaveTheList) {
    aicAlphaImage& a = Solid(10, 10, "A");
    aicAlphaImage& b = Solid(110, 10, "B");
    auto comm = a.CrossTalkClass();
    ASSERT_TRUE(comm);
    EXPECT_EQ(comm, b.CrossTalkClass());
    EXPECT_EQ(comm->InstanceCount(), 2);
    PointerTo(50, 50);
    ASSERT_TRUE(a.isMouseOver());
    a.Enabled(false);
    EXPECT_FALSE(a.isMouseOver());
    EXPECT_EQ(comm->InstanceCount(), 1);
    EXPECT_EQ(comm->CapturedControl(), 0);
    EXPECT_EQ(log, "A+ ");  // leaving the list raises no exit
    a.Enabled(true);
    EXPECT_EQ(comm->InstanceCount(), 2);
    b.Visible(false);
    EXPECT_EQ(comm->InstanceCount(), 1);
    Drop(a);
    EXPECT_EQ(comm->InstanceCount(), 0);
}

TEST_F(Pointer, PressedOffsetMovesTheHitAreaAndBack) {
    for (int hit : {0, 1, 3}) {
        aicAlphaImage& a = Make(10, 10);
        a.ScaleMethod(2);
        a.HitTest(hit);
        ASSERT_TRUE(a.LoadImage_FromArray(SolidBmp(50, 20, kRed)));
        const RECT before = a.HitArea();
        if (hit != 0) {
            // Only the drawn pixels: 50 x 20 at (25, 40), not the empty rest of the control.
            EXPECT_EQ(before.left, 25) << hit;
            EXPECT_EQ(before.top, 40) << hit;
            EXPECT_EQ(before.right, 75) << hit;
            EXPECT_EQ(before.bottom, 60) << hit;
        }
        int32_t x = 1, y = 1;
        a.OffsetImage(true, x, y);
        const RECT pressed = a.HitArea();
        EXPECT_EQ(pressed.left, before.left + 1) << hit;
        EXPECT_EQ(pressed.top, before.top + 1) << hit;
        // The drawn picture moved with it.
        EXPECT_EQ(At(10 + 25, 10 + 40), RGB(255, 255, 255)) << hit;
        EXPECT_EQ(At(10 + 26, 10 + 41), kRed) << hit;
        x = 0;
        y = 0;
        a.OffsetImage(true, x, y);
        const RECT after = a.HitArea();
        EXPECT_EQ(after.left, before.left) << hit;
        EXPECT_EQ(after.top, before.top) << hit;
        EXPECT_EQ(after.right, before.right) << hit;
        EXPECT_EQ(after.bottom, before.bottom) << hit;
        EXPECT_EQ(At(10 + 25, 10 + 40), kRed) << hit;
        // Reading back gives the offsets and the shadow's.
        int32_t sx = 0, sy = 0;
        a.OffsetShadow(7, 8);
        a.OffsetImage(false, x, y, sx, sy);
        EXPECT_EQ(x, 0);
        EXPECT_EQ(sx, 7);
        EXPECT_EQ(sy, 8);
        Drop(a);
    }
}

TEST_F(Pointer, ClicksReportTheReleasedButton) {
    aicAlphaImage& a = Solid(10, 10, "A");
    std::vector<int> clicks;
    a.Click = [&](int, int16_t& button) { clicks.push_back(button); };
    SendMessageA(form->hWnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(50, 50));
    SendMessageA(form->hWnd(), WM_LBUTTONUP, 0, MAKELPARAM(50, 50));
    SendMessageA(form->hWnd(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(50, 50));
    SendMessageA(form->hWnd(), WM_RBUTTONUP, 0, MAKELPARAM(50, 50));
    EXPECT_EQ(clicks, (std::vector<int>{1, 2}));
}

TEST_F(Pointer, FadeStepsToTheTargetAndEndsOnce) {
    aicAlphaImage& a = Solid(10, 10, "A");
    std::vector<int> seen, ended;
    a.FadeTerminated = [&](int, int32_t& opacity) { ended.push_back(opacity); };
    a.FadeInOut(0, 25, 50);
    seen.push_back(a.Opacity());
    testutil::PumpUntil(
        [&] {
            if (a.Opacity() != seen.back()) seen.push_back(a.Opacity());
            return !ended.empty();
        },
        3000);
    if (a.Opacity() != seen.back()) seen.push_back(a.Opacity());
    Pump(200);
    EXPECT_EQ(seen, (std::vector<int>{75, 50, 25, 0}));
    EXPECT_EQ(ended, (std::vector<int>{0}));

    // The first step may already reach the target: the event comes before FadeInOut returns.
    a.FadeInOut(150, 200, 0);
    EXPECT_EQ(a.Opacity(), 100);
    EXPECT_EQ(ended, (std::vector<int>{0, 100}));
    // No step, or already there: nothing.
    a.FadeInOut(40, 0, 10);
    a.FadeInOut(100, 10, 10);
    EXPECT_EQ(a.Opacity(), 100);

    // Hidden during a fade: the fade stops without the event.
    a.FadeInOut(0, 10, 30);
    EXPECT_EQ(a.Opacity(), 90);
    a.Visible(false);
    Pump(300);
    EXPECT_EQ(a.Opacity(), 90);
    EXPECT_EQ(ended.size(), 2u);
}

}  // namespace
