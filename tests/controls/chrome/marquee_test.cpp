// The marquee's steps in its four directions, its direction changes, its timer's range, its
// design text and stored settings, and handles.
#include <string>
#include <vector>

#include "labels_fixture.h"

using namespace labelstest;
using controls::Scroll;

namespace {

class Marquee : public Labels {
protected:
    // A box of 1935 x 255 twips and a short text.
    Scroll& Make() {
        Scroll& m = form->marquee.Load(++next);
        m.Move(0, Tw(30 * next), 1935, 255);
        m.Visible(true);
        m.Caption("Moving text");
        return m;
    }
    static bool PumpUntilMoved(Scroll& m) {
        const double from = m.Label1.Left();
        const DWORD start = GetTickCount();
        while (m.Label1.Left() == from) {
            if (GetTickCount() - start > 3000) return false;
            Pump(10);
        }
        return true;
    }
    int next = 0;
};

}  // namespace

TEST_F(Marquee, RightAndLeftStartAgainFromTheOtherSide) {
    Scroll& m = Make();
    const double w = m.Label1.Width();
    ASSERT_GT(w, 0);
    m.Text("0");
    m.Label1.Left(1800);
    std::vector<double> lefts;
    for (int i = 0; i < 4; ++i) {
        m.Timer1_Timer();
        lefts.push_back(m.Label1.Left());
    }
    // It jumps back once its left edge has passed 100 twips before the right side.
    EXPECT_EQ(lefts, (std::vector<double>{1830, 1860, -w, -w + 30}));
    EXPECT_DOUBLE_EQ(m.Label1.Top(), 0);

    m.Text("1");
    lefts.clear();
    for (int i = 0; i < 3; ++i) {
        m.Timer1_Timer();
        lefts.push_back(m.Label1.Left());
    }
    // Leftwards it comes back only after it has left the box completely.
    EXPECT_EQ(lefts, (std::vector<double>{-w, -w - 30, 1935}));
}

TEST_F(Marquee, DownAndUpAndStandingStill) {
    Scroll& m = Make();
    const double h = m.Label1.Height();
    m.Label1.Left(495);
    m.Text("2");
    EXPECT_DOUBLE_EQ(m.Label1.Left(), 0);  // along the left side
    EXPECT_DOUBLE_EQ(m.Label1.Top(), 0);
    m.Timer1_Timer();
    EXPECT_DOUBLE_EQ(m.Label1.Top(), 30);
    m.Label1.Top(150);  // 255 - 100 = 155: one more step
    m.Timer1_Timer();
    EXPECT_DOUBLE_EQ(m.Label1.Top(), 180);
    m.Timer1_Timer();
    EXPECT_DOUBLE_EQ(m.Label1.Top(), -h);

    m.Text("3");
    m.Label1.Top(-h);
    m.Timer1_Timer();
    EXPECT_DOUBLE_EQ(m.Label1.Top(), -h - 30);
    m.Timer1_Timer();
    EXPECT_DOUBLE_EQ(m.Label1.Top(), 255);

    for (const char* still : {"7", " 1", "", "01"}) {
        m.Label1.Move(300, 45);
        m.Text(still);
        m.Timer1_Timer();
        EXPECT_DOUBLE_EQ(m.Label1.Left(), 300) << still;
        EXPECT_DOUBLE_EQ(m.Label1.Top(), 45) << still;
    }
}

TEST_F(Marquee, ADirectionChangePutsTheTextOnItsStartLine) {
    Scroll& m = Make();
    m.Text("0");
    m.Label1.Move(495, 0);
    m.Text("2");
    EXPECT_DOUBLE_EQ(m.Label1.Left(), 0);
    EXPECT_DOUBLE_EQ(m.Label1.Top(), 0);
    m.Label1.Move(600, 90);
    m.Text("1");
    EXPECT_DOUBLE_EQ(m.Label1.Left(), 600);
    EXPECT_DOUBLE_EQ(m.Label1.Top(), 0);
}

TEST_F(Marquee, TheIntervalStaysInTheTimersRangeAndTheTimerMovesTheText) {
    Scroll& m = Make();
    m.Interval(70000);
    EXPECT_EQ(m.Interval(), 65535);
    m.Interval(-5);
    EXPECT_EQ(m.Interval(), 0);
    m.Text("0");
    m.Label1.Left(0);
    Pump(100);
    EXPECT_DOUBLE_EQ(m.Label1.Left(), 0);  // interval 0: still
    m.Interval(20);
    ASSERT_TRUE(PumpUntilMoved(m));
    m.Interval(0);
    const double frozen = m.Label1.Left();
    Pump(100);
    EXPECT_DOUBLE_EQ(m.Label1.Left(), frozen);
}

TEST_F(Marquee, DesignTextAndStoredSettings) {
    Scroll fresh(*form, "fresh");
    const std::string design = fresh.Caption();
    ASSERT_EQ(design.size(), 175u);
    EXPECT_EQ(design.substr(0, 23), "Enter You Data Here.   ");
    EXPECT_EQ(design.back(), ' ');
    EXPECT_EQ(fresh.Text(), "0");
    EXPECT_EQ(fresh.ForeColor(), 0xFFu);
    EXPECT_FALSE(fresh.Enabled());
    EXPECT_DOUBLE_EQ(fresh.Width(), 1935);
    EXPECT_DOUBLE_EQ(fresh.Label1.Left(), 0);
    // The design text equals the default: not stored.
    EXPECT_FALSE(fresh.SaveProperties().Contains("Caption"));

    // The single font keys win over the stored font object; the direction is read before the text.
    auto stored = std::make_shared<const rt::PropertyBag>(rt::PropertyBag{
        {"Font", rt::Font("Tahoma", 8)}, {"FontSize", 12.0f}, {"Text", "2"}, {"Interval", 50}});
    Scroll loaded(*form, "loaded", -1, stored);
    EXPECT_FLOAT_EQ(loaded.FontSize(), 12);
    EXPECT_EQ(loaded.FontName(), "Arial");
    EXPECT_EQ(loaded.Text(), "2");
    EXPECT_EQ(loaded.Interval(), 50);
    EXPECT_EQ(loaded.Caption(), design);

    loaded.ClearChangedProperties();
    loaded.BackStyle(1);
    loaded.FontBold(true);
    EXPECT_EQ(loaded.ChangedProperties(), (std::vector<std::string>{"BackStyle", "FontBold"}));
}

TEST_F(Marquee, PaintsAndMembersLeaveNoHandles) {
    Scroll& m = Make();
    m.Text("1");
    ExpectNoHandleGrowth([&](int) {
        m.Timer1_Timer();
        m.Picture1.Refresh();
        Scroll& s = form->marquee.Load(1000);
        s.Visible(true);
        s.Caption("x");
        form->marquee.Unload(1000);
    });
}
