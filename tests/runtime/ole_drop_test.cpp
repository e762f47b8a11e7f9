// The platform's drag and drop onto user controls: which control the data is over, the order of
// entering, moving, leaving and dropping, the arguments each gets, and the window's drop target
// coming and going with the controls that take drops.
#include "runtime/ole_drop.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "runtime/error.h"
#include "runtime/form.h"
#include "runtime/usercontrol.h"
#include "support/error_of.h"
#include "support/file_drag.h"
#include "support/test_window.h"
#include "support/window_helpers.h"

namespace {

constexpr int16_t kDrop = -1;  // in the log: the drop

struct Drag {
    std::string who;
    int16_t state;  // vbEnter, vbLeave, vbOver or kDrop
    int32_t effect;
    int16_t button, shift;
    float x, y;
    IDataObject* data;
};

// A user control that takes drops, logs each drag event and answers with its own effect.
class Target : public rt::UserControl {
public:
    Target(rt::Container& c, std::string name, Windowing w, std::vector<Drag>& log, int32_t answer)
        : UserControl(c, std::move(name), -1, w), log_(log), answer_(answer) {
        Create();
    }
    std::function<void()> OnEvent;  // runs inside each drag event

protected:
    void UserControl_OLEDragOver(IDataObject*& Data, int32_t& Effect, int16_t& Button, int16_t& Shift,
                                 float& X, float& Y, int16_t& State) override {
        log_.push_back({Name(), State, Effect, Button, Shift, X, Y, Data});
        Effect = answer_;
        if (OnEvent) OnEvent();
    }
    void UserControl_OLEDragDrop(IDataObject*& Data, int32_t& Effect, int16_t& Button, int16_t& Shift,
                                 float& X, float& Y) override {
        log_.push_back({Name(), kDrop, Effect, Button, Shift, X, Y, Data});
        Effect = answer_;
        if (OnEvent) OnEvent();
    }

private:
    std::vector<Drag>& log_;
    int32_t answer_;
};

class DropForm : public rt::Form {
public:
    DropForm() : Form("DropForm") {
        BorderStyle(rt::vbBSNone);
        Move(1500, 1500, 6000, 4500);  // 400 x 300 pixels
    }
};

class OleDrop : public ::testing::Test {
protected:
    void SetUp() override {
        form = &rt::Load<DropForm>();
        form->Show();
        rt::DoEvents();
    }
    void TearDown() override {
        targets.clear();
        rt::UnloadAll();
        rt::DoEvents();
        rt::FlushDeferred();
    }
    // A control at (x, y), 100 x 100 pixels, that takes drops.
    Target& Add(const std::string& name, int x, int y, int32_t answer,
                rt::UserControl::Windowing w = rt::UserControl::Windowing::Windowless) {
        targets.push_back(std::make_unique<Target>(*form, name, w, log, answer));
        Target& t = *targets.back();
        t.Move(x * 15.0, y * 15.0, 1500, 1500);
        t.Visible(true);
        t.OLEDropMode(rt::vbOLEDropManual);
        return t;
    }
    POINTL At(int x, int y) const {
        POINT p{x, y};
        ClientToScreen(form->hWnd(), &p);
        return POINTL{p.x, p.y};
    }
    // What the log says, one word a event: name and state ("A+" enter, "A" over, "A-" leave, "A!" drop).
    std::string Story() const {
        std::string s;
        for (const Drag& d : log) {
            s += d.who;
            s += d.state == rt::vbEnter ? "+" : d.state == rt::vbLeave ? "-" : d.state == kDrop ? "!" : "";
            s += ' ';
        }
        return s;
    }

    DropForm* form = nullptr;
    std::vector<Drag> log;
    std::vector<std::unique_ptr<Target>> targets;
};

TEST_F(OleDrop, TheControlUnderThePointerGetsEachStageWithItsArguments) {
    Target& a = Add("A", 10, 10, DROPEFFECT_MOVE);
    Add("B", 60, 60, DROPEFFECT_COPY | DROPEFFECT_LINK);  // over A's lower right quarter
    Target& none = Add("C", 200, 10, DROPEFFECT_COPY);
    none.OLEDropMode(rt::vbOLEDropNone);
    a.ScaleMode(rt::vbPixels);
    targets[1]->ScaleMode(rt::vbTwips);
    IDropTarget* site = rt::DropTargetOf(form->hWnd());
    ASSERT_NE(site, nullptr);
    testsupport::FileData data({L"c:\\a.png"});
    const DWORD allowed = DROPEFFECT_COPY | DROPEFFECT_MOVE;

    DWORD effect = allowed;
    ASSERT_EQ(site->DragEnter(&data, MK_LBUTTON | MK_SHIFT, At(20, 30), &effect), S_OK);
    EXPECT_EQ(effect, DWORD{DROPEFFECT_MOVE});
    effect = allowed;
    site->DragOver(MK_RBUTTON | MK_MBUTTON | MK_CONTROL | 0x20 /* Alt */, At(30, 40), &effect);
    effect = allowed;
    site->DragOver(MK_LBUTTON, At(70, 80), &effect);  // onto B, which lies on top
    EXPECT_EQ(effect, DWORD{DROPEFFECT_COPY});        // only what the source allows
    effect = allowed;
    site->DragOver(MK_LBUTTON, At(250, 50), &effect);  // C takes no drops
    EXPECT_EQ(effect, DWORD{DROPEFFECT_NONE});
    effect = allowed;
    site->DragOver(MK_LBUTTON, At(15, 15), &effect);
    effect = allowed;
    ASSERT_EQ(site->Drop(&data, 0, At(25, 35), &effect), S_OK);
    EXPECT_EQ(effect, DWORD{DROPEFFECT_MOVE});

    EXPECT_EQ(Story(), "A+ A A- B+ B- A+ A! ");
    ASSERT_EQ(log.size(), 7u);
    // Buttons and shift keys as in the mouse events; the position in the control's own unit.
    const Drag& enter = log[0];
    EXPECT_EQ(enter.effect, static_cast<int32_t>(allowed));
    EXPECT_EQ(enter.button, rt::vbLeftButton);
    EXPECT_EQ(enter.shift, rt::vbShiftMask);
    EXPECT_FLOAT_EQ(enter.x, 10);
    EXPECT_FLOAT_EQ(enter.y, 20);
    EXPECT_EQ(enter.data, &data);
    EXPECT_EQ(log[1].button, rt::vbRightButton | rt::vbMiddleButton);
    EXPECT_EQ(log[1].shift, rt::vbCtrlMask | rt::vbAltMask);
    // Leaving repeats where the data last was over the control.
    EXPECT_FLOAT_EQ(log[2].x, 20);
    EXPECT_FLOAT_EQ(log[2].y, 30);
    EXPECT_FLOAT_EQ(log[3].x, 10 * 15);  // B measures in twips
    EXPECT_FLOAT_EQ(log[3].y, 20 * 15);
    const Drag& drop = log[6];
    EXPECT_EQ(drop.button, 0);
    EXPECT_FLOAT_EQ(drop.x, 15);
    EXPECT_FLOAT_EQ(drop.y, 25);
    EXPECT_EQ(drop.data, &data);
}

TEST_F(OleDrop, HiddenDisabledOrWithdrawnControlsTakeNothing) {
    Target& a = Add("A", 10, 10, DROPEFFECT_COPY);
    Target& b = Add("B", 150, 10, DROPEFFECT_COPY);
    IDropTarget* site = rt::DropTargetOf(form->hWnd());
    ASSERT_NE(site, nullptr);
    testsupport::FileData data({L"c:\\a.png"});
    a.Enabled(false);
    b.Visible(false);
    for (POINTL at : {At(50, 50), At(200, 50)}) {
        DWORD effect = DROPEFFECT_COPY;
        site->DragEnter(&data, 0, at, &effect);
        EXPECT_EQ(effect, DWORD{DROPEFFECT_NONE});
        site->DragLeave();
    }
    EXPECT_EQ(Story(), "");

    // A control that stops taking drops in its own handler hears nothing more, and the drop finds
    // no control.
    b.Visible(true);
    b.OnEvent = [&] { b.OLEDropMode(rt::vbOLEDropNone); };
    DWORD effect = DROPEFFECT_COPY;
    site->DragEnter(&data, 0, At(200, 50), &effect);
    EXPECT_EQ(effect, DWORD{DROPEFFECT_NONE});
    effect = DROPEFFECT_COPY;
    site->Drop(&data, 0, At(200, 50), &effect);
    EXPECT_EQ(effect, DWORD{DROPEFFECT_NONE});
    EXPECT_EQ(Story(), "B+ ");
}

TEST_F(OleDrop, TheWindowIsADropTargetWhileAControlTakesDrops) {
    EXPECT_EQ(rt::DropTargetOf(form->hWnd()), nullptr);
    Target& a = Add("A", 10, 10, DROPEFFECT_COPY);
    Add("B", 150, 10, DROPEFFECT_COPY);
    EXPECT_NE(rt::DropTargetOf(form->hWnd()), nullptr);
    EXPECT_EQ(a.OLEDropMode(), rt::vbOLEDropManual);
    EXPECT_EQ(testsupport::ErrorOf([&] { a.OLEDropMode(2); }), rt::errInvalidPropertyValue);
    EXPECT_EQ(a.OLEDropMode(), rt::vbOLEDropManual);
    a.OLEDropMode(rt::vbOLEDropNone);
    EXPECT_NE(rt::DropTargetOf(form->hWnd()), nullptr);  // B still takes drops
    targets.pop_back();                                  // B goes
    EXPECT_EQ(rt::DropTargetOf(form->hWnd()), nullptr);
    // The window was given back to the platform: it can be registered again.
    a.OLEDropMode(rt::vbOLEDropManual);
    EXPECT_NE(rt::DropTargetOf(form->hWnd()), nullptr);
    // A windowed control is a drop target of its own window.
    Target& w = Add("W", 200, 150, DROPEFFECT_COPY, rt::UserControl::Windowing::Windowed);
    EXPECT_NE(rt::DropTargetOf(w.hWnd()), nullptr);
}

TEST_F(OleDrop, ADragOfTheTestProgramThroughThePlatformsLoop) {
    Add("A", 10, 10, DROPEFFECT_MOVE);
    Target& w = Add("W", 200, 100, DROPEFFECT_COPY, rt::UserControl::Windowing::Windowed);
    w.ScaleMode(rt::vbPixels);
    // The drag starts over a window of the test's own, beside the form.
    rt::WindowHandle start(
        testsupport::MakeTestWindow("OleDropStart", DefWindowProcA, WS_POPUP | WS_VISIBLE, 50, 50));
    SetWindowPos(start.get(), HWND_TOP, 600, 100, 50, 50, SWP_SHOWWINDOW);
    POINT from{620, 120};
    SetCursorPos(from.x, from.y);
    testutil::PumpUntil([] { return false; }, 100);

    testsupport::FileData data({L"c:\\a.png", L"c:\\b.gif"});
    std::vector<POINT> path =
        testsupport::OnScreen(form->hWnd(), {{50, 50}, {60, 60}, {250, 150}, {260, 170}});
    path.insert(path.begin(), from);
    DWORD effect = 0;
    EXPECT_EQ(testsupport::DragAlong(data, path, DROPEFFECT_COPY | DROPEFFECT_MOVE, effect), DRAGDROP_S_DROP);
    EXPECT_EQ(effect, DWORD{DROPEFFECT_COPY});

    // Entering, moving and leaving A, then W, where the data is dropped.
    std::string story = Story();
    ASSERT_FALSE(log.empty()) << "the platform's drag loop reached no control";
    EXPECT_EQ(log.front().who + std::to_string(log.front().state), "A0");
    EXPECT_NE(story.find("A- W+ "), std::string::npos) << story;
    EXPECT_EQ(story.substr(story.size() - 3), "W! ") << story;
    const Drag& drop = log.back();
    EXPECT_EQ(drop.data, &data);
    EXPECT_FLOAT_EQ(drop.x, 60);
    EXPECT_FLOAT_EQ(drop.y, 70);
}

}  // namespace
