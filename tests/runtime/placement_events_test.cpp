// What a control sees while it is placed step by step, as a page build places its objects: the
// Resize, Show and Hide events in order, each with the values the control reads inside it, and
// the values read back after every step; the same whether its window follows each step or is held
// until the steps are done. Windowed and windowless members of an array alike.
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "runtime/control_array.h"
#include "runtime/form.h"
#include "runtime/usercontrol.h"

namespace {

using Log = std::vector<std::string>;

// Reads what a handler of the control can read, in twips: Left, Top, Width, Height, ScaleWidth,
// ScaleHeight (pixels) and Visible.
std::string State(rt::UserControl& c) {
    auto n = [](double v) { return std::to_string(static_cast<long>(v)); };
    return n(c.Left()) + "," + n(c.Top()) + " " + n(c.Width()) + "x" + n(c.Height()) + " scale " +
           n(c.ScaleWidth()) + "x" + n(c.ScaleHeight()) + (c.Visible() ? " shown" : " hidden");
}

class Recorder : public rt::UserControl {
public:
    Recorder(rt::Container& c, std::string name, int index, Windowing windowing, Log* log)
        : UserControl(c, std::move(name), index, windowing), log_(log) {
        ScaleMode(rt::vbPixels);
        Create();
    }
    Recorder(const Recorder& t, int index) : UserControl(t, index), log_(t.log_) { Create(); }

protected:
    void UserControl_Resize() override { note("resize"); }
    void UserControl_Show() override { note("show"); }
    void UserControl_Hide() override { note("hide"); }

private:
    void note(const char* what) {
        if (Index() > 0) log_->push_back(std::string(what) + " " + State(*this));
    }
    Log* log_;
};

class Page : public rt::Form {
public:
    Page(rt::UserControl::Windowing w, Log* log) : Form("Page"), objects{*this, "objects", w, log} {
        objects[0].Visible(false);
    }
    rt::ControlArray<Recorder> objects;
};

using Step = std::function<void(rt::UserControl&)>;
struct Sequence {
    const char* name;
    std::vector<Step> steps;  // the state is read back after each step: a "step" line
    Log expected;
};

// The template is 80 x 20 pixels at the origin (1200 x 300 twips); a new member starts hidden
// there. Expected: a Resize at each change of size and Show or Hide at each change of Visible,
// raised at the step that makes it, with the values that step set.
std::vector<Sequence> Sequences() {
    using C = rt::UserControl;
    return {
        {"left, top, shown, height, width",
         {[](C& m) { m.Left(300); }, [](C& m) { m.Top(450); }, [](C& m) { m.Visible(true); },
          [](C& m) { m.Height(600); }, [](C& m) { m.Width(900); }},
         {"step 300,0 1200x300 scale 80x20 hidden", "step 300,450 1200x300 scale 80x20 hidden",
          "show 300,450 1200x300 scale 80x20 shown", "step 300,450 1200x300 scale 80x20 shown",
          "resize 300,450 1200x600 scale 80x40 shown", "step 300,450 1200x600 scale 80x40 shown",
          "resize 300,450 900x600 scale 60x40 shown", "step 300,450 900x600 scale 60x40 shown"}},
        {"hidden, placed, to the front, shown",
         {[](C& m) { m.Visible(false); }, [](C& m) { m.Left(150); }, [](C& m) { m.Top(150); },
          [](C& m) { m.Height(300); }, [](C& m) { m.Width(1500); }, [](C& m) { m.ZOrder(0); },
          [](C& m) { m.Visible(true); }},
         {"step 0,0 1200x300 scale 80x20 hidden", "step 150,0 1200x300 scale 80x20 hidden",
          "step 150,150 1200x300 scale 80x20 hidden", "step 150,150 1200x300 scale 80x20 hidden",
          "resize 150,150 1500x300 scale 100x20 hidden", "step 150,150 1500x300 scale 100x20 hidden",
          "step 150,150 1500x300 scale 100x20 hidden", "show 150,150 1500x300 scale 100x20 shown",
          "step 150,150 1500x300 scale 100x20 shown"}},
        {"shown first, width before height, moved whole, hidden",
         {[](C& m) { m.Visible(true); }, [](C& m) { m.Width(600); }, [](C& m) { m.Height(450); },
          [](C& m) { m.Move(30, 60, 600, 450); }, [](C& m) { m.Move(30, 60, 750, 150); },
          [](C& m) { m.Visible(false); }},
         {"show 0,0 1200x300 scale 80x20 shown", "step 0,0 1200x300 scale 80x20 shown",
          "resize 0,0 600x300 scale 40x20 shown", "step 0,0 600x300 scale 40x20 shown",
          "resize 0,0 600x450 scale 40x30 shown", "step 0,0 600x450 scale 40x30 shown",
          "step 30,60 600x450 scale 40x30 shown", "resize 30,60 750x150 scale 50x10 shown",
          "step 30,60 750x150 scale 50x10 shown", "hide 30,60 750x150 scale 50x10 hidden",
          "step 30,60 750x150 scale 50x10 hidden"}},
    };
}

// The steps on a new member, with the state read back after each; held: inside a HeldPlacement,
// after which the window itself must stand where the last step put the control.
Log PlaceStepByStep(rt::UserControl::Windowing windowing, const Sequence& s, bool held) {
    Log log;
    Page page(windowing, &log);
    page.Show();
    Recorder& m = page.objects.Load(1);
    log.clear();  // the events of its creation are not the steps'
    {
        std::optional<rt::HeldPlacement> hold;
        if (held) hold.emplace(page);
        for (const Step& step : s.steps) {
            step(m);
            log.push_back("step " + State(m));
        }
    }
    if (HWND w = m.hWnd()) {
        RECT r{};
        GetWindowRect(w, &r);
        MapWindowPoints(HWND_DESKTOP, page.hWnd(), reinterpret_cast<POINT*>(&r), 2);
        const RECT want = m.PixelRect();
        EXPECT_TRUE(EqualRect(&r, &want));
        EXPECT_EQ(IsWindowVisible(w) != FALSE, m.Visible());
    }
    return log;
}

using Mode = std::tuple<rt::UserControl::Windowing, bool>;
class PlacementEventsTest : public ::testing::TestWithParam<Mode> {};

TEST_P(PlacementEventsTest, EventsAndValuesFollowEachStep) {
    for (const Sequence& s : Sequences()) {
        SCOPED_TRACE(s.name);
        EXPECT_EQ(PlaceStepByStep(std::get<0>(GetParam()), s, std::get<1>(GetParam())), s.expected);
    }
}

INSTANTIATE_TEST_SUITE_P(WindowingAndHolding, PlacementEventsTest,
                         ::testing::Combine(::testing::Values(rt::UserControl::Windowing::Windowed,
                                                              rt::UserControl::Windowing::Windowless),
                                            ::testing::Bool()));

// The member indexes of the page's windows from the top of the stack down.
std::vector<int> Stack(const Page& page) {
    std::vector<int> out;
    for (HWND w = GetWindow(page.hWnd(), GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT))
        for (int i : page.objects.Indexes())
            if (page.objects[i].hWnd() == w) out.push_back(i);
    return out;
}

// New members come to the top; ZOrder 0 brings one to the top, 1 sends it to the bottom.
TEST(HeldPlacementTest, WindowsStackAsIfEachStepHadMovedThem) {
    for (bool held : {false, true}) {
        SCOPED_TRACE(held ? "held" : "at each step");
        Log log;
        Page page(rt::UserControl::Windowing::Windowed, &log);
        {
            std::optional<rt::HeldPlacement> hold;
            if (held) hold.emplace(page);
            for (int i : {1, 2, 3}) page.objects.Load(i);
            page.objects[1].ZOrder(0);
            page.objects[3].ZOrder(1);
            page.objects.Load(4);
            page.objects[2].ZOrder(0);
        }
        EXPECT_EQ(Stack(page), (std::vector<int>{2, 4, 1, 0, 3}));
    }
}

// A control made later in a place reserved earlier (a template made on first use) goes right below
// the first window made after that place, also when that window is new and waits for its own.
TEST(HeldPlacementTest, AWindowInAReservedPlaceGoesBelowTheWindowMadeAfterIt) {
    for (bool held : {false, true}) {
        SCOPED_TRACE(held ? "held" : "at each step");
        Log log;
        rt::Form page("Page");
        Recorder old(page, "old", -1, rt::UserControl::Windowing::Windowed, &log);
        const int reserved = page.ReserveSlot();
        std::unique_ptr<Recorder> newer, late;
        {
            std::optional<rt::HeldPlacement> hold;
            if (held) hold.emplace(page);
            newer = std::make_unique<Recorder>(page, "newer", -1, rt::UserControl::Windowing::Windowed, &log);
            rt::Container::SlotScope place(page, reserved);
            late = std::make_unique<Recorder>(page, "late", -1, rt::UserControl::Windowing::Windowed, &log);
        }
        std::vector<std::string> stack;
        for (HWND w = GetWindow(page.hWnd(), GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT))
            if (const rt::Control* c = rt::ControlFromWindow(w)) stack.push_back(c->Name());
        EXPECT_EQ(stack, (std::vector<std::string>{"newer", "late", "old"}));
    }
}

}  // namespace
