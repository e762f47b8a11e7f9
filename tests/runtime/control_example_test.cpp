// The minimal control of usercontrol.h's header, as written there, and the pointer-leave watch it
// stands on, for windowed and windowless controls.
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "runtime/controls.h"
#include "runtime/form.h"
#include "runtime/handles.h"
#include "runtime/input.h"
#include "runtime/leave_watch.h"
#include "runtime/property_list.h"
#include "runtime/usercontrol.h"
#include "support/window_helpers.h"

namespace {

// ---- The control, as in the header

#define LAMP_PROPERTIES(X) X(Set, uint32_t, Colour, 0x00FF00u) X(Set, bool, Lit, false)
class Lamp : public rt::UserControl {  // a click switches it; it blinks while lit
public:
    Lamp(rt::Container& c, std::string name, std::shared_ptr<const rt::PropertyBag> stored = nullptr)
        : UserControl(c, std::move(name), -1, Windowing::Windowless, std::move(stored)) {
        ScaleMode(rt::vbPixels);
        blink_.Interval(100);
        blink_.TimerEvent = [this](int) { Redraw(hover_, !bright_); };
        Create();  // always the last statement of a constructor
    }
    // Colour() and Lit(), and their setters: each stores, marks changed, repaints.
    VANTREL_PROPERTY_ACCESSORS(LAMP_PROPERTIES)
    bool Hover() const { return hover_; }

protected:
    void UserControl_InitProperties() override { Properties().InitAll(*this); }
    void UserControl_ReadProperties(rt::PropertyBag& b) override { Properties().ReadAll(*this, b); }
    void UserControl_WriteProperties(rt::PropertyBag& b) override { Properties().WriteAll(*this, b); }
    void UserControl_Paint() override {  // on hDC(), origin at the control's corner
        RECT r{0, 0, static_cast<int>(ScaleWidth()), static_cast<int>(ScaleHeight())};
        const bool on = settings_.Lit && bright_;
        rt::Brush fill(CreateSolidBrush(on ? rt::ToColorRef(settings_.Colour) : RGB(0, 0, 0)));
        FillRect(hDC(), &r, fill.get());
        if (hover_) FrameRect(hDC(), &r, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    }
    void UserControl_MouseMove(int16_t, int16_t, float, float) override {
        if (!hover_) leave_.Start();
        Redraw(true, bright_);
    }
    void UserControl_Click() override {
        Lit(!Lit());
        RaiseEvent(Click);
    }

private:
    static const rt::PropertyTable<Lamp>& Properties();
    struct Settings {  // the stored values, one field a line of the list
        VANTREL_PROPERTY_FIELDS(LAMP_PROPERTIES)
    } settings_;
    void Redraw(bool hover, bool bright) {
        hover_ = hover;
        bright_ = bright;
        Refresh();
    }
    bool bright_ = true, hover_ = false;
    rt::Timer blink_{*this, "Blink"};  // a constituent: ticks from the message loop
    rt::LeaveWatch leave_{*this, 20, [this] { Redraw(false, bright_); }};
};
VANTREL_PROPERTY_TABLE(Lamp, LAMP_PROPERTIES)  // Properties(): the rows, in the .cpp

// ---- Its container

constexpr COLORREF kGrey = RGB(128, 128, 128);
const RECT kLampAt{20, 20, 60, 50};  // form pixels

class LampForm : public rt::Form {
public:
    LampForm() : Form("LampForm") {
        BorderStyle(rt::vbBSNone);
        Move(rt::ToTwipsX(100), rt::ToTwipsY(100), rt::ToTwipsX(200), rt::ToTwipsY(120));
        BackColor(0x808080);
    }
    std::unique_ptr<Lamp> Place(std::shared_ptr<const rt::PropertyBag> stored = nullptr) {
        auto lamp = std::make_unique<Lamp>(*this, "Lamp1", std::move(stored));
        lamp->Move(rt::ToTwipsX(kLampAt.left), rt::ToTwipsY(kLampAt.top),
                   rt::ToTwipsX(kLampAt.right - kLampAt.left), rt::ToTwipsY(kLampAt.bottom - kLampAt.top));
        return lamp;
    }
};

// Puts the real pointer at a point of the form's client area.
void PointerAt(const rt::Form& form, int x, int y) {
    POINT p{x, y};
    ClientToScreen(form.hWnd(), &p);
    SetCursorPos(p.x, p.y);
}

void PumpFor(DWORD ms) {
    testutil::PumpUntil([] { return false; }, ms);
}

struct ControlExample : ::testing::Test {
    void SetUp() override {
        form = &rt::Load<LampForm>();
        form->Show();
        PointerAt(*form, 150, 100);  // away from everything
        PumpFor(30);
    }
    void TearDown() override {
        rt::UnloadAll();
        rt::DoEvents();
    }
    LampForm* form = nullptr;
};

TEST_F(ControlExample, PaintsClicksAndKeepsItsTwoPropertiesInTheBag) {
    auto lamp = form->Place();
    int clicks = 0;
    lamp->Click = [&](int) { ++clicks; };
    EXPECT_EQ(testutil::Snapshot(form->hWnd()).at(30, 30), RGB(0, 0, 0)) << "dark while off";
    EXPECT_EQ(testutil::Snapshot(form->hWnd()).at(70, 30), kGrey) << "the form around it";

    SendMessageA(form->hWnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(30, 30));
    SendMessageA(form->hWnd(), WM_LBUTTONUP, 0, MAKELPARAM(30, 30));
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(lamp->Lit());
    EXPECT_EQ(testutil::Snapshot(form->hWnd()).at(30, 30), RGB(0, 255, 0)) << "lit in its colour";
    lamp->Colour(0x0000FF);
    EXPECT_EQ(testutil::Snapshot(form->hWnd()).at(30, 30), RGB(255, 0, 0));
    EXPECT_EQ(lamp->ChangedProperties(), (std::vector<std::string>{"Lit", "Colour"}));

    const rt::PropertyBag saved = lamp->SaveProperties();
    EXPECT_EQ(saved.Dump(), "Colour = Long 255\nLit = Boolean True\n");
    lamp.reset();
    auto copy = form->Place(std::make_shared<const rt::PropertyBag>(saved));
    EXPECT_EQ(copy->Colour(), 0x0000FFu);
    EXPECT_TRUE(copy->Lit());
    copy.reset();
    auto fresh = form->Place(std::make_shared<const rt::PropertyBag>());
    EXPECT_EQ(fresh->Colour(), 0x00FF00u) << "an absent name reads its default";
    EXPECT_FALSE(fresh->Lit());
    EXPECT_EQ(fresh->SaveProperties().Count(), 0u) << "defaults are not written";
}

TEST_F(ControlExample, HoverLastsWhileThePointerIsOverItAndEndsWhenItLeaves) {
    auto lamp = form->Place();
    PointerAt(*form, 30, 30);
    SendMessageA(form->hWnd(), WM_MOUSEMOVE, 0, MAKELPARAM(30, 30));
    EXPECT_TRUE(lamp->Hover());
    EXPECT_EQ(testutil::Snapshot(form->hWnd()).at(kLampAt.left, kLampAt.top), RGB(255, 255, 255)) << "framed";
    PumpFor(120);
    EXPECT_TRUE(lamp->Hover()) << "still over it";
    PointerAt(*form, 150, 100);
    EXPECT_TRUE(testutil::PumpUntil([&] { return !lamp->Hover(); }, 2000));
    EXPECT_EQ(testutil::Snapshot(form->hWnd()).at(kLampAt.left, kLampAt.top), RGB(0, 0, 0)) << "frame gone";
}

TEST_F(ControlExample, TheTimerBlinksTheLampWhileLit) {
    auto lamp = form->Place();
    lamp->Lit(true);
    auto colour = [&] { return testutil::Snapshot(form->hWnd()).at(30, 30); };
    EXPECT_EQ(colour(), RGB(0, 255, 0));
    EXPECT_TRUE(testutil::PumpUntil([&] { return colour() == RGB(0, 0, 0); }, 3000)) << "dark";
    EXPECT_TRUE(testutil::PumpUntil([&] { return colour() == RGB(0, 255, 0); }, 3000)) << "and bright again";
}

// ---- The leave watch on its own

TEST_F(ControlExample, TheLeaveWatchCallsBackOnceForWindowedAndWindowlessControls) {
    // A windowed picture box, a windowless label, and a label inside the windowless lamp (whose
    // place in the form's window adds the lamp's).
    rt::PictureBox box(*form, "Box");
    box.Move(rt::ToTwipsX(100), rt::ToTwipsY(10), rt::ToTwipsX(40), rt::ToTwipsY(30));
    box.Visible(true);
    rt::Label label(*form, "Label");
    label.Move(rt::ToTwipsX(100), rt::ToTwipsY(60), rt::ToTwipsX(40), rt::ToTwipsY(20));
    auto lamp = form->Place();
    rt::Label inner(*lamp, "Inner");
    inner.Move(rt::ToTwipsX(5), rt::ToTwipsY(5), rt::ToTwipsX(10), rt::ToTwipsY(10));
    struct Case {
        const char* what;
        rt::Control& control;
        RECT inForm;
    } cases[] = {
        {"windowed", box, {100, 10, 140, 40}},
        {"windowless", label, {100, 60, 140, 80}},
        {"inside a windowless control", inner, {25, 25, 35, 35}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        int calls = 0;
        rt::LeaveWatch watch(c.control, 15, [&] {
            ++calls;
            PumpFor(60);  // ticks meanwhile neither re-enter nor call again
        });
        const int midY = (c.inForm.top + c.inForm.bottom) / 2;
        PointerAt(*form, c.inForm.right, midY);
        EXPECT_TRUE(watch.PointerInside()) << "the right edge counts as inside";
        PointerAt(*form, c.inForm.right + 1, midY);
        EXPECT_FALSE(watch.PointerInside());

        PointerAt(*form, c.inForm.left + 2, midY);
        watch.Start();
        PumpFor(80);
        EXPECT_EQ(calls, 0);
        EXPECT_TRUE(watch.Watching());
        PointerAt(*form, 190, 110);
        EXPECT_TRUE(testutil::PumpUntil([&] { return calls > 0; }, 2000));
        PumpFor(80);
        EXPECT_EQ(calls, 1);
        EXPECT_FALSE(watch.Watching());

        // Stopped before the pointer leaves: no call.
        PointerAt(*form, c.inForm.left + 2, midY);
        watch.Start();
        PumpFor(40);
        watch.Stop();
        PointerAt(*form, 190, 110);
        PumpFor(80);
        EXPECT_EQ(calls, 1);
    }
}

TEST_F(ControlExample, AShapeInsideTestEndsTheWatchInTheRectanglesCorner) {
    // An oval over the box's rectangle: its corner is in the rectangle but off the shape.
    rt::PictureBox box(*form, "Box");
    box.Move(rt::ToTwipsX(100), rt::ToTwipsY(10), rt::ToTwipsX(60), rt::ToTwipsY(40));
    box.Visible(true);
    rt::Region oval(CreateEllipticRgn(100, 10, 160, 50));
    ASSERT_TRUE(oval);
    int calls = 0;
    rt::LeaveWatch watch(
        box, 15,
        [&] {
            const POINT p = rt::CursorIn(form->hWnd());
            return PtInRegion(oval.get(), p.x, p.y) != FALSE;
        },
        [&] { ++calls; });
    rt::LeaveWatch rectangle(box, 15, [] {});

    PointerAt(*form, 130, 30);  // the middle
    watch.Start();
    rectangle.Start();
    PumpFor(80);
    EXPECT_EQ(calls, 0);
    EXPECT_TRUE(watch.Watching());

    PointerAt(*form, 102, 12);  // the corner
    EXPECT_TRUE(rectangle.PointerInside());
    EXPECT_FALSE(watch.PointerInside());
    EXPECT_TRUE(testutil::PumpUntil([&] { return calls > 0; }, 2000));
    PumpFor(60);
    EXPECT_EQ(calls, 1);
    EXPECT_FALSE(watch.Watching());
    EXPECT_TRUE(rectangle.Watching()) << "still in the rectangle";
}

}  // namespace
