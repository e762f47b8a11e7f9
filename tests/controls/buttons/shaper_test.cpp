// The shape wrapper on a form: the shape's drawing, the label's mouse, re-fitting, leaks.
#include "controls/buttons/Shaper.h"

#include <gtest/gtest.h>
#include <windows.h>

#include "runtime/control_array.h"
#include "runtime/form.h"
#include "runtime/ui.h"
#include "support/handle_counter.h"
#include "support/window_helpers.h"

namespace {

class ShaperForm : public rt::Form {
public:
    ShaperForm() : Form("ShaperForm") {
        BorderStyle(rt::vbBSNone);
        Move(0, 0, rt::ToTwipsX(200), rt::ToTwipsY(120));
        BackColor(0xFFFFFF);
        shape[0].Visible(false);
    }
    rt::ControlArray<controls::Shaper> shape{*this, "shape"};
};

struct ShaperTest : ::testing::Test {
    void TearDown() override {
        rt::UnloadAll();
        rt::DoEvents();
    }
    static controls::Shaper& Placed(ShaperForm& f, int i) {
        controls::Shaper& s = f.shape.Load(i);
        s.Move(rt::ToTwipsX(10), rt::ToTwipsY(10), rt::ToTwipsX(100), rt::ToTwipsY(60));
        s.BackStyle(1);
        s.BackColor(0xFF00);
        s.BorderColor(0xFF);
        s.Visible(true);
        return s;
    }
};

TEST_F(ShaperTest, DrawsTheShapeOverTheWholeControl) {
    ShaperForm& f = rt::Load<ShaperForm>();
    controls::Shaper& s = Placed(f, 1);
    f.Show();
    rt::DoEvents();
    {
        testutil::Snapshot snap(f.hWnd());
        EXPECT_EQ(snap.at(10, 40), RGB(255, 0, 0));
        EXPECT_EQ(snap.at(60, 40), RGB(0, 255, 0));
        EXPECT_EQ(snap.at(11, 11), RGB(0, 255, 0));
    }
    s.Shape(2);  // oval: the corner shows the form
    rt::DoEvents();
    testutil::Snapshot snap(f.hWnd());
    EXPECT_EQ(snap.at(11, 11), RGB(255, 255, 255));
    EXPECT_EQ(snap.at(60, 40), RGB(0, 255, 0));
    EXPECT_EQ(s.ChangedProperties().back(), "Shape");
}

TEST_F(ShaperTest, TheLabelsMouseReachesTheContainerButNoRelease) {
    ShaperForm& f = rt::Load<ShaperForm>();
    int clicks = 0, downs = 0, ups = 0, moves = 0;
    f.shape[0].Click = [&](int) { ++clicks; };
    f.shape[0].MouseDown = [&](int, int16_t, int16_t, float, float) { ++downs; };
    f.shape[0].MouseUp = [&](int, int16_t, int16_t, float, float) { ++ups; };
    f.shape[0].MouseMove = [&](int, int16_t, int16_t, float, float) { ++moves; };
    controls::Shaper& s = Placed(f, 1);
    f.Show();
    EXPECT_FALSE(s.Enabled());  // a new instance, and it still raises its events
    SendMessageA(f.hWnd(), WM_MOUSEMOVE, 0, MAKELPARAM(60, 40));
    SendMessageA(f.hWnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(60, 40));
    SendMessageA(f.hWnd(), WM_LBUTTONUP, 0, MAKELPARAM(60, 40));
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(downs, 1);
    EXPECT_GE(moves, 1);
    EXPECT_EQ(ups, 0);
    // Outside the control: nothing.
    SendMessageA(f.hWnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(150, 100));
    SendMessageA(f.hWnd(), WM_LBUTTONUP, 0, MAKELPARAM(150, 100));
    EXPECT_EQ(clicks, 1);
}

TEST_F(ShaperTest, ShapeRefitsAMovedShapeAndSettingsRoundTrip) {
    ShaperForm& f = rt::Load<ShaperForm>();
    controls::Shaper& s = Placed(f, 1);
    s.Shape1.Move(100, 100, 50, 50);
    s.Shape(3);
    EXPECT_EQ(s.Shape1.Left(), 0);
    EXPECT_EQ(s.Shape1.Top(), 0);
    EXPECT_EQ(s.Shape1.Width(), s.Width());
    EXPECT_EQ(s.Shape1.Height(), s.Height());

    s.ForeColor(0x123456);
    s.Enabled(true);
    s.BorderWidth(3);
    auto bag = std::make_shared<const rt::PropertyBag>(s.SaveProperties());
    controls::Shaper copy(f, "copy", -1, bag);
    EXPECT_EQ(copy.ForeColor(), 0x123456u);
    EXPECT_TRUE(copy.Enabled());
    EXPECT_EQ(copy.BorderWidth(), 3);
    EXPECT_EQ(copy.Shape(), 3);
    EXPECT_EQ(copy.BackColor(), 0xFF00u);
    EXPECT_EQ(copy.BorderColor(), 0xFFu);
    EXPECT_EQ(copy.BackStyle(), 1);
    // An empty bag gives the stored defaults.
    controls::Shaper empty(f, "empty", -1, std::make_shared<const rt::PropertyBag>());
    EXPECT_EQ(empty.BackColor(), 0x80000005u);
    EXPECT_EQ(empty.BorderColor(), 0u);
    EXPECT_EQ(empty.BackStyle(), 0);
    EXPECT_FALSE(empty.Enabled());
}

TEST_F(ShaperTest, CreateAndDestroyLeavesNoHandle) {
    ShaperForm& f = rt::Load<ShaperForm>();
    f.Show();
    testsupport::HandleCounter counter;
    for (int i = 0; i < 200; ++i) {
        Placed(f, 1);
        if (i % 20 == 0) rt::DoEvents();
        f.shape.Unload(1);
    }
    rt::DoEvents();
    EXPECT_EQ(counter.GdiObjects(), 0u) << counter.Report();
    EXPECT_EQ(counter.Windows(), 0u) << counter.Report();
}

}  // namespace
