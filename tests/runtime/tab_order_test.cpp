// Tab order among a form's controls: places per container and their renumbering, moving the focus
// past controls that cannot take it, and Tab and Shift+Tab through the message loop.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "runtime/control_array.h"
#include "runtime/controls.h"
#include "runtime/error.h"
#include "runtime/form.h"
#include "runtime/ui.h"

namespace {

class TabForm : public rt::Form {
public:
    TabForm() : Form("TabForm") {
        Move(0, 0, 7000, 4000);
        A.Move(0, 0, 1200, 400);
        Caption.Move(0, 500, 1200, 300);
        B.Move(0, 900, 1200, 400);
        Box.Move(1500, 0, 3000, 2000);
        C.Move(100, 100, 1200, 400);
        D[0].Move(5000, 0, 1200, 400);
    }
    rt::CommandButton A{*this, "A"};
    rt::Label Caption{*this, "Caption"};  // has a place, never takes the focus
    rt::TextBox B{*this, "B"};
    rt::PictureBox Box{*this, "Box"};
    rt::CommandButton C{Box, "C"};  // a place of the box's own
    rt::ControlArray<rt::CommandButton> D{*this, "D"};
    rt::Timer Clock{*this, "Clock"};  // no place
};

struct TabOrderTest : ::testing::Test {
    void TearDown() override {
        rt::UnloadAll();
        rt::DoEvents();
    }
};

std::vector<std::string> Names(const rt::Container& c) {
    std::vector<std::string> out;
    for (rt::Control* control : c.TabOrder())
        out.push_back(control->Name() + (control->Index() > 0 ? std::to_string(control->Index()) : ""));
    return out;
}

std::string Focused() {
    rt::Control* c = rt::ControlFromWindow(GetFocus());
    return c ? c->Name() + (c->Index() > 0 ? std::to_string(c->Index()) : "") : "";
}

TEST_F(TabOrderTest, PlacesAreUniquePerContainerAndRenumberOnEveryChange) {
    TabForm& f = rt::Load<TabForm>();
    // In creation order; the timer has none; the box numbers its own controls.
    EXPECT_EQ(Names(f), (std::vector<std::string>{"A", "Caption", "B", "Box", "D"}));
    EXPECT_EQ(f.Box.TabIndex(), 3);
    EXPECT_EQ(f.C.TabIndex(), 0);
    EXPECT_EQ(f.D.Load(1).TabIndex(), 5);  // a member loaded later comes last

    f.B.TabIndex(0);
    EXPECT_EQ(Names(f), (std::vector<std::string>{"B", "A", "Caption", "Box", "D", "D1"}));
    EXPECT_EQ(f.A.TabIndex(), 1);
    f.A.TabIndex(100);  // past the end: last
    EXPECT_EQ(Names(f), (std::vector<std::string>{"B", "Caption", "Box", "D", "D1", "A"}));
    EXPECT_EQ(f.A.TabIndex(), 5);
    f.Caption.TabIndex(2);
    EXPECT_EQ(Names(f), (std::vector<std::string>{"B", "Box", "Caption", "D", "D1", "A"}));
    EXPECT_THROW(f.A.TabIndex(-1), rt::RuntimeError);
    EXPECT_EQ(f.A.TabIndex(), 5);

    // An unloaded member gives up its place; the ones after it move up.
    f.D.Unload(1);
    rt::DoEvents();
    EXPECT_EQ(Names(f), (std::vector<std::string>{"B", "Box", "Caption", "D", "A"}));
    EXPECT_EQ(f.A.TabIndex(), 4);
}

TEST_F(TabOrderTest, FocusMovesToTheNextStopAndWrapsBothWays) {
    TabForm& f = rt::Load<TabForm>();
    f.D.Load(1).Visible(true);
    f.Show();
    SetForegroundWindow(f.hWnd());
    SetFocus(f.A.hWnd());

    // A, B, Box, the box's C, D, D1; the label is passed over.
    const std::vector<std::string> forward = {"B", "Box", "C", "D", "D1", "A"};
    for (const std::string& next : forward) {
        rt::Control* from = rt::ControlFromWindow(GetFocus());
        ASSERT_NE(from, nullptr);
        rt::Control* to = rt::MoveFocus(*from);
        ASSERT_NE(to, nullptr) << next;
        EXPECT_EQ(Focused(), next);
    }
    rt::MoveFocus(f.A, false);
    EXPECT_EQ(Focused(), "D1");

    // Not stops: disabled, hidden, TabStop off, inside a hidden container.
    f.B.Enabled(false);
    f.D[1].Visible(false);
    f.C.TabStop(false);
    f.Box.TabStop(false);
    EXPECT_EQ(rt::MoveFocus(f.A), &f.D[0]);
    f.C.TabStop(true);
    f.Box.Visible(false);
    EXPECT_EQ(rt::MoveFocus(f.A), &f.D[0]);
    f.Box.Visible(true);
    EXPECT_EQ(rt::MoveFocus(f.A), &f.C);
    EXPECT_EQ(rt::MoveFocus(f.C, false), &f.A);

    // With no other stop the focus stays.
    f.C.Enabled(false);
    f.D[0].TabStop(false);
    SetFocus(f.A.hWnd());
    EXPECT_EQ(rt::MoveFocus(f.A), nullptr);
    EXPECT_EQ(rt::MoveFocus(f.A, false), nullptr);
    EXPECT_EQ(Focused(), "A");
}

TEST_F(TabOrderTest, TabAndShiftTabMoveTheFocusFromTheMessageLoop) {
    TabForm& f = rt::Load<TabForm>();
    f.B.MultiLine(true);  // one that would take a tab character
    f.B.Text("typed");
    f.Show();
    SetForegroundWindow(f.hWnd());
    auto press = [](bool shift) {
        BYTE keys[256] = {};
        GetKeyboardState(keys);
        keys[VK_SHIFT] = shift ? 0x80 : 0;
        SetKeyboardState(keys);
        PostMessageA(GetFocus(), WM_KEYDOWN, VK_TAB, 1);
        rt::DoEvents();
        keys[VK_SHIFT] = 0;
        SetKeyboardState(keys);
    };
    SetFocus(f.A.hWnd());
    press(false);
    EXPECT_EQ(Focused(), "B");
    press(false);  // the text box does not keep the key
    EXPECT_EQ(Focused(), "Box");
    EXPECT_EQ(f.B.Text(), "typed");
    press(true);
    press(true);
    EXPECT_EQ(Focused(), "A");
    press(true);
    EXPECT_EQ(Focused(), "D");
}

}  // namespace
