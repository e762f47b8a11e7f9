// What a control sees while it is placed step by step, as a page build places its objects: the
// Resize, Show and Hide events in order, each with the values the control reads inside it, and
// the values read back after every step. Windowed and windowless members of an array alike.
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
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

Log PlaceStepByStep(rt::UserControl::Windowing windowing, const Sequence& s) {
    Log log;
    Page page(windowing, &log);
    page.Show();
    Recorder& m = page.objects.Load(1);
    log.clear();  // the events of its creation are not the steps'
    for (const Step& step : s.steps) {
        step(m);
        log.push_back("step " + State(m));
    }
    return log;
}

class PlacementEventsTest : public ::testing::TestWithParam<rt::UserControl::Windowing> {};

TEST_P(PlacementEventsTest, EventsAndValuesFollowEachStep) {
    for (const Sequence& s : Sequences()) {
        SCOPED_TRACE(s.name);
        EXPECT_EQ(PlaceStepByStep(GetParam(), s), s.expected);
    }
}

INSTANTIATE_TEST_SUITE_P(Windowing, PlacementEventsTest,
                         ::testing::Values(rt::UserControl::Windowing::Windowed,
                                           rt::UserControl::Windowing::Windowless));

}  // namespace
