// A picture box as a container: windowed controls as its child windows, windowless ones painted
// over its picture and taking its mouse, all placed in the box's own pixels.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "runtime/control_array.h"
#include "runtime/controls.h"
#include "runtime/form.h"
#include "support/window_helpers.h"

namespace {

constexpr COLORREF kBoxColour = RGB(0, 0, 255), kLabelColour = RGB(255, 0, 0);

class BoxForm : public rt::Form {
public:
    BoxForm() : Form("BoxForm") {
        Move(0, 0, 6000, 4500);
        Box.BorderStyle(0);
        Box.Move(300, 300, 3000, 1500);  // 20, 20; 200 x 100 pixels
        Box.Surface().BackColor(kBoxColour);
        Marquee[0].Move(600, 300, 900, 450);  // 40, 20 in the box; 60 x 30
        Marquee[0].BackColor(kLabelColour);
        Marquee[0].Caption("");
        Button.Move(1500, 750, 1200, 450);  // 100, 50 in the box
    }
    rt::PictureBox Box{*this, "Box"};
    rt::ControlArray<rt::Label> Marquee{Box, "Marquee"};
    rt::CommandButton Button{Box, "Button"};
};

struct PictureBoxTest : ::testing::Test {
    void TearDown() override {
        rt::UnloadAll();
        rt::DoEvents();
    }
};

TEST_F(PictureBoxTest, HoldsWindowedAndWindowlessControlsInItsOwnPixels) {
    BoxForm& f = rt::Load<BoxForm>();
    f.Show();
    ASSERT_EQ(f.Box.Controls().size(), 2u);
    EXPECT_EQ(&f.Marquee[0].Parent(), &f.Box);
    EXPECT_EQ(&f.Marquee[0].OwnerForm(), &f);
    EXPECT_EQ(GetParent(f.Button.hWnd()), f.Box.hWnd());
    RECT r = f.Button.PixelRect();
    EXPECT_EQ(r.left, 100);
    EXPECT_EQ(r.top, 50);
    EXPECT_DOUBLE_EQ(f.Button.Left(), 1500);

    // The label is painted on the box, over its background, where it stands in the box.
    testutil::Snapshot box(f.Box.hWnd());
    EXPECT_EQ(box.at(45, 25), kLabelColour);
    EXPECT_EQ(box.at(95, 45), kLabelColour);
    EXPECT_EQ(box.at(35, 25), kBoxColour);
    EXPECT_EQ(box.at(45, 55), kBoxColour);

    // A member loaded from the template sits in the box too; moving it repaints only the box.
    rt::Label& second = f.Marquee.Load(1);
    second.Move(0, 1050, 450, 450);  // 0, 70
    second.Visible(true);
    EXPECT_EQ(&second.Parent(), &f.Box);
    testutil::Snapshot after(f.Box.hWnd());
    EXPECT_EQ(after.at(5, 75), kLabelColour);
    f.Marquee.Unload(1);
    rt::DoEvents();
    EXPECT_EQ(testutil::Snapshot(f.Box.hWnd()).at(5, 75), kBoxColour);

    // Moving the box carries its controls along.
    f.Box.Move(1500, 600);
    EXPECT_DOUBLE_EQ(f.Button.Left(), 1500);
    RECT screen;
    GetWindowRect(f.Button.hWnd(), &screen);
    POINT origin{0, 0};
    ClientToScreen(f.hWnd(), &origin);
    EXPECT_EQ(screen.left - origin.x, 100 + 100);
}

TEST_F(PictureBoxTest, ControlsInsideTakeTheirMouseAndNotificationsBeforeTheBox) {
    BoxForm& f = rt::Load<BoxForm>();
    f.Show();
    std::vector<std::string> log;
    f.Box.Click = [&](int) { log.push_back("box click"); };
    f.Box.MouseDown = [&](int, int16_t, int16_t, float, float) { log.push_back("box down"); };
    f.Marquee[0].Click = [&](int i) { log.push_back("label click " + std::to_string(i)); };
    f.Marquee[0].MouseDown = [&](int, int16_t button, int16_t, float x, float y) {
        log.push_back("label down " + std::to_string(button) + " " + std::to_string(static_cast<int>(x)) +
                      " " + std::to_string(static_cast<int>(y)));
    };
    f.Button.Click = [&](int) { log.push_back("button click"); };

    HWND box = f.Box.hWnd();
    auto click = [&](int x, int y) {
        SendMessageA(box, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        SendMessageA(box, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    };
    click(50, 30);  // 10, 10 inside the label: 150 twips
    EXPECT_EQ(log, (std::vector<std::string>{"label down 1 150 150", "label click 0"}));
    log.clear();
    click(10, 10);  // the box itself, as before
    EXPECT_EQ(log, (std::vector<std::string>{"box down", "box click"}));
    log.clear();
    // A press taken by the label keeps the mouse: released over the box it is no click of either.
    SendMessageA(box, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(50, 30));
    SendMessageA(box, WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
    EXPECT_EQ(log, (std::vector<std::string>{"label down 1 150 150"}));
    log.clear();

    // The button's notification reaches it through the box.
    SendMessageA(f.Button.hWnd(), BM_CLICK, 0, 0);
    EXPECT_EQ(log, (std::vector<std::string>{"button click"}));
}

}  // namespace
