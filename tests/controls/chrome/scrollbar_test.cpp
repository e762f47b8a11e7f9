// The skinned scroll bar: the thumb's place and its pixels against the skin's cells, the hover
// look under the real pointer, the thumb drag, the arrows with their repeat, the keys, the
// setters' limits, and handles.
#include <cmath>
#include <limits>

#include "labels_fixture.h"

using namespace labelstest;
using controls::pcsScrollbar;

namespace {

class Scrollbar : public Labels {
protected:
    pcsScrollbar& Make(int height) {
        pcsScrollbar& b = form->bar.Load(++next);
        b.Move(Tw(100 + 30 * next), Tw(10), Tw(40), Tw(height));
        b.Visible(true);
        b.Change = [this](int) { ++changes; };
        rt::DoEvents();
        return b;
    }
    // Puts the real pointer over a point of the bar, as the bar's over-the-bar test reads it.
    static void PointerAt(pcsScrollbar& b, int x, int y) {
        POINT p{x, y};
        ClientToScreen(b.hWnd(), &p);
        SetCursorPos(p.x, p.y);
    }
    static LPARAM At(int x, int y) { return MAKELPARAM(x, y); }

    // The skin's pixels, as the bar's picture box holds them.
    struct Skin {
        rt::ScreenDC screen;
        rt::MemoryDC dc{screen.get()};
        rt::Bitmap bitmap{CreateCompatibleBitmap(screen.get(), 64, 48)};
        rt::SelectGuard select{dc.get(), bitmap.get()};
        explicit Skin(pcsScrollbar& b) { b.pic.GetPicture().Render(dc.get(), 0, 0, 64, 48); }
        COLORREF at(int x, int y) const { return GetPixel(dc.get(), x, y); }
    };
    // Rows [top, top + rows) of the bar equal rows [cellY, ...) of the skin cell at cellX.
    static ::testing::AssertionResult SameRows(pcsScrollbar& b, const Skin& skin, int top, int rows,
                                               int cellX, int cellY) {
        for (int y = 0; y < rows; ++y)
            for (int x = 0; x < 16; ++x)
                if (b.Surface().Point(x, top + y) != skin.at(cellX + x, cellY + y))
                    return ::testing::AssertionFailure() << "differs at bar (" << x << ", " << top + y << ")";
        return ::testing::AssertionSuccess();
    }

    int next = 0;
    int changes = 0;
};

}  // namespace

TEST_F(Scrollbar, TheThumbIsPaintedFromTheSkinsCells) {
    pcsScrollbar& b = Make(200);
    EXPECT_DOUBLE_EQ(b.Width(), 240);  // 16 pixels whatever it was given
    b.Max(100);
    b.Value(50);
    ASSERT_EQ(b.ThumbBox().top, 85);
    ASSERT_EQ(b.ThumbBox().bottom, 30);  // its length
    Skin skin(b);
    EXPECT_TRUE(SameRows(b, skin, 85, 2, 48, 0));    // top cap
    EXPECT_TRUE(SameRows(b, skin, 113, 2, 48, 22));  // bottom cap
    EXPECT_TRUE(SameRows(b, skin, 0, 24, 0, 0));     // up arrow, normal
    EXPECT_TRUE(SameRows(b, skin, 176, 24, 0, 24));  // down arrow, normal

    // A short bar pushes the thumb up over the arrow.
    pcsScrollbar& shortBar = Make(70);
    EXPECT_EQ(shortBar.ThumbBox().top, 16);
    // A long track with a small Max lengthens the thumb.
    b.Max(2);
    EXPECT_EQ(b.ThumbBox().bottom, 76);
}

TEST_F(Scrollbar, TheHoverLookFollowsTheRealPointer) {
    pcsScrollbar& b = Make(200);
    Skin skin(b);
    PointerAt(b, 5, 10);
    SendMessageA(b.hWnd(), WM_MOUSEMOVE, 0, At(5, 10));
    EXPECT_EQ(b.Hit(), pcsScrollbar::UpHover);
    EXPECT_TRUE(SameRows(b, skin, 0, 24, 16, 0));
    EXPECT_EQ(GetFocus(), b.cb.hWnd());
    PointerAt(b, 5, 190);
    SendMessageA(b.hWnd(), WM_MOUSEMOVE, 0, At(5, 190));
    EXPECT_EQ(b.Hit(), pcsScrollbar::DownHover);
    EXPECT_TRUE(SameRows(b, skin, 176, 24, 16, 24));
    EXPECT_TRUE(SameRows(b, skin, 0, 24, 0, 0));

    // The leave timer clears it once the pointer is elsewhere.
    SetCursorPos(0, 0);
    b.tmrOver.tick();
    EXPECT_EQ(b.Hit(), pcsScrollbar::Idle);
    EXPECT_TRUE(SameRows(b, skin, 176, 24, 0, 24));
    EXPECT_FALSE(b.tmrOver.Enabled());
}

TEST_F(Scrollbar, DraggingTheThumb) {
    pcsScrollbar& b = Make(200);
    b.Max(100);
    b.Value(50);
    changes = 0;
    PointerAt(b, 5, 90);
    SendMessageA(b.hWnd(), WM_LBUTTONDOWN, MK_LBUTTON, At(5, 90));
    EXPECT_EQ(b.Hit(), pcsScrollbar::Dragging);
    EXPECT_DOUBLE_EQ(b.Value(), 50);
    EXPECT_EQ(changes, 1);
    SendMessageA(b.hWnd(), WM_MOUSEMOVE, MK_LBUTTON, At(5, 100));
    EXPECT_DOUBLE_EQ(b.Value(), 58.19672);
    EXPECT_EQ(changes, 2);
    // Above and below the bar the value stays in its range.
    SendMessageA(b.hWnd(), WM_MOUSEMOVE, MK_LBUTTON, At(5, -300));
    EXPECT_DOUBLE_EQ(b.Value(), 0);
    SendMessageA(b.hWnd(), WM_MOUSEMOVE, MK_LBUTTON, At(5, 900));
    EXPECT_DOUBLE_EQ(b.Value(), 100);
    SendMessageA(b.hWnd(), WM_LBUTTONUP, 0, At(5, 900));
    EXPECT_NE(b.Hit(), pcsScrollbar::Dragging);

    // A press on the track away from the thumb and the arrows changes nothing.
    b.Value(0);
    changes = 0;
    PointerAt(b, 5, 150);
    SendMessageA(b.hWnd(), WM_LBUTTONDOWN, MK_LBUTTON, At(5, 150));
    SendMessageA(b.hWnd(), WM_LBUTTONUP, 0, At(5, 150));
    EXPECT_EQ(changes, 0);
    EXPECT_DOUBLE_EQ(b.Value(), 0);

    // Where the track is no longer than the thumb, a drag gives 0.
    pcsScrollbar& shortBar = Make(78);
    shortBar.Value(60);
    PointerAt(shortBar, 5, 30);
    SendMessageA(shortBar.hWnd(), WM_LBUTTONDOWN, MK_LBUTTON, At(5, 30));
    EXPECT_DOUBLE_EQ(shortBar.Value(), 0);
    SendMessageA(shortBar.hWnd(), WM_LBUTTONUP, 0, At(5, 30));
}

TEST_F(Scrollbar, HoldingAnArrowRepeatsAfterItsDelay) {
    pcsScrollbar& b = Make(200);
    b.Max(1000);
    b.Value(500);
    PointerAt(b, 5, 10);
    SendMessageA(b.hWnd(), WM_LBUTTONDOWN, MK_LBUTTON, At(5, 10));
    EXPECT_EQ(b.Hit(), pcsScrollbar::UpPressed);
    EXPECT_DOUBLE_EQ(b.Value(), 450);  // at once
    EXPECT_TRUE(b.tmrDey.Enabled());
    for (int tick = 1; tick <= 19; ++tick) b.tmrDey.tick();
    EXPECT_DOUBLE_EQ(b.Value(), 450);
    b.tmrDey.tick();
    EXPECT_DOUBLE_EQ(b.Value(), 400);  // the 20th tick
    b.tmrDey.tick();
    EXPECT_DOUBLE_EQ(b.Value(), 350);

    // Released: the arrow keeps its hover look, nothing steps, the repeat stops at its next tick.
    SendMessageA(b.hWnd(), WM_LBUTTONUP, 0, At(5, 10));
    EXPECT_EQ(b.Hit(), pcsScrollbar::UpHover);
    b.tmrDey.tick();
    EXPECT_FALSE(b.tmrDey.Enabled());
    EXPECT_DOUBLE_EQ(b.Value(), 350);

    // The down arrow steps up to Max and no further.
    b.Value(980);
    PointerAt(b, 5, 190);
    SendMessageA(b.hWnd(), WM_LBUTTONDOWN, MK_LBUTTON, At(5, 190));
    EXPECT_DOUBLE_EQ(b.Value(), 1000);
    SendMessageA(b.hWnd(), WM_LBUTTONUP, 0, At(5, 190));
}

TEST_F(Scrollbar, ArrowKeysStepThroughTheHiddenList) {
    pcsScrollbar& b = Make(200);
    b.Max(1000);
    b.Value(500);
    EXPECT_EQ(b.cb.ListIndex(), 1);
    PointerAt(b, 5, 100);
    SendMessageA(b.hWnd(), WM_MOUSEMOVE, 0, At(5, 100));
    ASSERT_EQ(GetFocus(), b.cb.hWnd());
    SendMessageA(b.cb.hWnd(), WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_DOUBLE_EQ(b.Value(), 550);
    EXPECT_EQ(b.cb.ListIndex(), 1);
    SendMessageA(b.cb.hWnd(), WM_KEYDOWN, VK_UP, 0);
    EXPECT_DOUBLE_EQ(b.Value(), 500);
    EXPECT_EQ(b.cb.ListIndex(), 1);
}

TEST_F(Scrollbar, TheSettersKeepTheirLimitsAndAlwaysRaiseChange) {
    pcsScrollbar& b = Make(200);
    b.Max(100);
    changes = 0;
    b.Value(-5);
    EXPECT_DOUBLE_EQ(b.Value(), 0);
    EXPECT_EQ(changes, 1);
    b.Value(0);
    EXPECT_EQ(changes, 2);  // unchanged, raised all the same
    b.Value(150);
    EXPECT_DOUBLE_EQ(b.Value(), 100);
    b.Value(std::numeric_limits<double>::quiet_NaN());
    EXPECT_DOUBLE_EQ(b.Value(), 0);

    b.Value(80);
    changes = 0;
    b.Max(50);  // Value first comes down to the new Max
    EXPECT_DOUBLE_EQ(b.Value(), 50);
    EXPECT_EQ(changes, 1);
    b.Max(0.5);
    EXPECT_DOUBLE_EQ(b.Max(), 1);
    b.Max(std::numeric_limits<double>::quiet_NaN());
    EXPECT_DOUBLE_EQ(b.Max(), 1);

    // Stored values come in as they are; a Max of 0 paints as 1.
    auto stored = std::make_shared<const rt::PropertyBag>(rt::PropertyBag{{"Value", 3.0}});
    pcsScrollbar loaded(*form, "loaded", -1, stored);
    EXPECT_DOUBLE_EQ(loaded.Max(), 0);
    EXPECT_DOUBLE_EQ(loaded.Value(), 3);
    loaded.Move(0, 0, Tw(16), Tw(200));
    EXPECT_EQ(loaded.ThumbBox().top, 24);  // as with Max 1: the thumb fills the track
    EXPECT_EQ(loaded.ThumbBox().bottom, 152);
    // A new bar: Max 100, saved with the stored default 0, so written.
    pcsScrollbar fresh(*form, "fresh");
    EXPECT_DOUBLE_EQ(fresh.Max(), 100);
    const rt::PropertyBag bag = fresh.SaveProperties();
    EXPECT_TRUE(bag.Contains("Max"));
    EXPECT_FALSE(bag.Contains("Value"));
    EXPECT_FALSE(bag.Contains("Enabled"));
}

TEST_F(Scrollbar, PaintsAndMembersLeaveNoHandles) {
    pcsScrollbar& b = Make(200);
    ExpectNoHandleGrowth([&](int i) {
        b.Value(i % 100);
        pcsScrollbar& m = form->bar.Load(1000);
        m.Visible(true);
        m.Value(5);
        form->bar.Unload(1000);
    });
}
