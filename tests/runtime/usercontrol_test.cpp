#include "runtime/usercontrol.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "runtime/control_array.h"
#include "runtime/controls.h"
#include "runtime/error.h"
#include "runtime/form.h"
#include "support/handle_counter.h"
#include "support/window_helpers.h"

namespace {

constexpr COLORREF kFormBack = RGB(255, 255, 255);

// A windowless control of this test: a coloured square whose left strip (10 pixels) lets the
// pointer through, with a by-reference event and a few persisted settings.
class Pad : public rt::UserControl {
public:
    Pad(rt::Container& c, std::string name, int index = -1,
        std::shared_ptr<const rt::PropertyBag> stored = nullptr)
        : UserControl(c, std::move(name), index, Windowing::Windowless, std::move(stored)) {
        Create();
    }
    Pad(const Pad& t, int index) : UserControl(t, index), Tapped(t.Tapped) { Create(); }

    rt::Event<int32_t&> Tapped;  // the container may change the value

    uint32_t Colour = 0x00FF00;
    std::string Caption = "Pad";
    double Weight = 1.5;
    bool Flag = false;
    rt::PropertyBag::Bytes Data;
    rt::Font TextFont;
    int32_t answer = 0;
    std::vector<std::string> log;
    int hitTests = 0;

protected:
    void UserControl_InitProperties() override {
        log.push_back("init");
        TextFont = Ambient().Font;
    }
    void UserControl_ReadProperties(rt::PropertyBag& bag) override {
        log.push_back("read");
        Colour = bag.ReadProperty("Colour", 0x00FF00u);
        Caption = bag.ReadProperty("Caption", "Pad");
        Weight = bag.ReadProperty("Weight", 1.5);
        Flag = bag.ReadProperty("Flag", false);
        Data = bag.ReadProperty("Data", rt::PropertyBag::Bytes{});
        TextFont = bag.ReadProperty("Font", Ambient().Font);
    }
    void UserControl_WriteProperties(rt::PropertyBag& bag) override {
        bag.WriteProperty("Colour", Colour, 0x00FF00u);
        bag.WriteProperty("Caption", Caption, "Pad");
        bag.WriteProperty("Weight", Weight, 1.5);
        bag.WriteProperty("Flag", Flag, false);
        bag.WriteProperty("Data", Data, rt::PropertyBag::Bytes{});
        bag.WriteProperty("Font", TextFont, Ambient().Font);
    }
    void UserControl_Resize() override { log.push_back("resize"); }
    void UserControl_Show() override { log.push_back("show"); }
    void UserControl_Hide() override { log.push_back("hide"); }
    void UserControl_Paint() override {
        // Deliberately larger than the control: the clip keeps it in place.
        rt::Brush b(CreateSolidBrush(Colour));
        RECT r{-40, -40, ToPixelsX(Width()) + 40, ToPixelsY(Height()) + 40};
        FillRect(hDC(), &r, b.get());
    }
    void UserControl_HitTest(float X, float Y, int& HitResult) override {
        ++hitTests;
        if (X < 10.0 * rt::TwipsPerPixelX()) HitResult = rt::vbHitResultTransparent;
    }
    void UserControl_MouseDown(int16_t Button, int16_t, float X, float Y) override {
        log.push_back("down " + std::to_string(static_cast<int>(X)) + "," +
                      std::to_string(static_cast<int>(Y)));
    }
    void UserControl_MouseMove(int16_t Button, int16_t, float, float) override {
        if (Button) log.push_back("drag");
    }
    void UserControl_MouseUp(int16_t, int16_t, float, float) override { log.push_back("up"); }
    void UserControl_Click() override {
        int32_t value = 1;
        RaiseEvent(Tapped, value);
        answer = value;
    }

private:
    static int ToPixelsX(double t) { return rt::ToPixelsX(t); }
    static int ToPixelsY(double t) { return rt::ToPixelsY(t); }
};

class PadForm : public rt::Form {
public:
    PadForm() : Form("PadForm") {
        BorderStyle(rt::vbBSNone);
        Move(0, 0, 3000, 3000);
        BackColor(0xFFFFFF);
        pad[0].Tapped = [this](int Index, int32_t& value) { value = 100 + Index; };
        pad[0].Visible(false);
    }
    rt::ControlArray<Pad> pad{*this, "pad"};
};

struct UserControlTest : ::testing::Test {
    void TearDown() override {
        rt::UnloadAll();
        rt::DoEvents();
    }
    // Three members; 2 is loaded last, so it lies on top where it overlaps 1 (pixels 40..60).
    static PadForm& ThreePads() {
        PadForm& f = rt::Load<PadForm>();
        const uint32_t colours[] = {0, 0x0000FF, 0xFF0000};
        for (int i = 1; i <= 2; ++i) {
            Pad& p = f.pad.Load(i);
            p.Colour = colours[i];
            p.Move(rt::ToTwipsX(10 + 30 * (i - 1)), rt::ToTwipsY(10 + 30 * (i - 1)), rt::ToTwipsX(50),
                   rt::ToTwipsY(50));
            p.Visible(true);
        }
        f.Show();
        return f;
    }
};

LPARAM At(int x, int y) {
    return MAKELPARAM(x, y);
}

TEST_F(UserControlTest, HitTestsReachOnlyTheTopmostMemberUnderThePointer) {
    PadForm& f = ThreePads();
    Pad &p1 = f.pad[1], &p2 = f.pad[2];
    struct Case {
        int x, y;
        Pad* expected;
        int p1Tests, p2Tests;  // hit tests each member answered for the press
    } cases[] = {
        {55, 55, &p2, 0, 1},       // overlap, in 2's hit area: 1 is never asked
        {45, 45, &p1, 1, 1},       // overlap, 2's transparent strip lets 1 have it
        {45, 80, nullptr, 0, 1},   // 2's transparent strip, outside 1: nobody
        {25, 25, &p1, 1, 0},       // only 1 lies there
        {200, 200, nullptr, 0, 0}  // nothing
    };
    for (const Case& c : cases) {
        p1.log.clear();
        p2.log.clear();
        p1.hitTests = p2.hitTests = 0;
        SendMessageA(f.hWnd(), WM_LBUTTONDOWN, MK_LBUTTON, At(c.x, c.y));
        EXPECT_EQ(p1.hitTests, c.p1Tests) << c.x << "," << c.y;
        EXPECT_EQ(p2.hitTests, c.p2Tests) << c.x << "," << c.y;
        SendMessageA(f.hWnd(), WM_LBUTTONUP, 0, At(c.x, c.y));
        bool got1 = !p1.log.empty(), got2 = !p2.log.empty();
        EXPECT_EQ(got1, c.expected == &p1) << c.x << "," << c.y;
        EXPECT_EQ(got2, c.expected == &p2) << c.x << "," << c.y;
    }
    // The press reports the point in the member's own twips.
    p2.log.clear();
    SendMessageA(f.hWnd(), WM_LBUTTONDOWN, MK_LBUTTON, At(55, 55));
    SendMessageA(f.hWnd(), WM_LBUTTONUP, 0, At(55, 55));
    ASSERT_FALSE(p2.log.empty());
    EXPECT_EQ(p2.log[0], "down " + std::to_string(15 * rt::TwipsPerPixelX()) + "," +
                             std::to_string(15 * rt::TwipsPerPixelY()));
}

TEST_F(UserControlTest, ThePressedMemberKeepsTheMouseUntilRelease) {
    PadForm& f = ThreePads();
    Pad &p1 = f.pad[1], &p2 = f.pad[2];
    p1.log.clear();
    p2.log.clear();
    SendMessageA(f.hWnd(), WM_LBUTTONDOWN, MK_LBUTTON, At(55, 55));
    EXPECT_EQ(GetCapture(), f.hWnd());
    p1.hitTests = p2.hitTests = 0;
    SendMessageA(f.hWnd(), WM_MOUSEMOVE, MK_LBUTTON, At(25, 25));  // over 1 only
    SendMessageA(f.hWnd(), WM_LBUTTONUP, 0, At(25, 25));
    EXPECT_EQ(p1.hitTests, 0);
    EXPECT_TRUE(p1.log.empty());
    std::string down =
        "down " + std::to_string(15 * rt::TwipsPerPixelX()) + "," + std::to_string(15 * rt::TwipsPerPixelY());
    EXPECT_EQ(p2.log, (std::vector<std::string>{down, "drag", "up"}));
    EXPECT_NE(GetCapture(), f.hWnd());
    EXPECT_EQ(p2.answer, 0);  // released outside: no click
}

TEST_F(UserControlTest, AnEventArgumentChangedByTheContainerIsReadBack) {
    PadForm& f = ThreePads();
    SendMessageA(f.hWnd(), WM_LBUTTONDOWN, MK_LBUTTON, At(55, 55));
    SendMessageA(f.hWnd(), WM_LBUTTONUP, 0, At(55, 55));
    EXPECT_EQ(f.pad[2].answer, 102);  // the handler of member 0 serves member 2 with its index
    EXPECT_EQ(f.pad[1].answer, 0);
}

TEST_F(UserControlTest, PaintLandsAtEachMembersPlaceInZOrder) {
    PadForm& f = ThreePads();
    testutil::Snapshot s(f.hWnd());
    EXPECT_EQ(s.at(12, 12), RGB(255, 0, 0));  // 1 (colour 0x0000FF is red)
    EXPECT_EQ(s.at(45, 45), RGB(0, 0, 255));  // 2 over 1
    EXPECT_EQ(s.at(85, 85), RGB(0, 0, 255));  // 2 alone
    EXPECT_EQ(s.at(5, 5), kFormBack);         // left of 1: its overdraw was clipped
    EXPECT_EQ(s.at(95, 95), kFormBack);       // below 2
    EXPECT_EQ(s.at(65, 20), kFormBack);       // right of 1, above 2
    f.pad[2].ZOrder(1);
    testutil::Snapshot behind(f.hWnd());
    EXPECT_EQ(behind.at(45, 45), RGB(255, 0, 0));
    EXPECT_EQ(behind.at(85, 85), RGB(0, 0, 255));
}

TEST_F(UserControlTest, LifecycleRunsInOrderAndShowHideFollowVisible) {
    PadForm& f = rt::Load<PadForm>();
    EXPECT_EQ(f.pad[0].log, (std::vector<std::string>{"init", "resize", "show", "hide"}));
    Pad& p = f.pad.Load(1);  // member 0 has no stored settings: a new control
    EXPECT_EQ(p.log, (std::vector<std::string>{"init", "resize"}));
    p.log.clear();
    p.Visible(true);
    p.Move(0, 0, 600, 600);
    p.Move(15, 15);  // no new size: no Resize
    p.Visible(false);
    EXPECT_EQ(p.log, (std::vector<std::string>{"show", "resize", "hide"}));
}

TEST_F(UserControlTest, PropertyBagRoundTripsWithDefaultsLeftUnwritten) {
    PadForm& f = rt::Load<PadForm>();
    Pad& p = f.pad.Load(1);
    EXPECT_EQ(p.SaveProperties().Count(), 0u);  // a new control at its defaults writes nothing

    p.Colour = 0x123456;
    p.Flag = true;
    p.Data = {1, 2, 3};
    p.TextFont = rt::Font("Arial", 12, true);
    rt::PropertyBag bag = p.SaveProperties();
    EXPECT_EQ(bag.Names(), (std::vector<std::string>{"Colour", "Flag", "Data", "Font"}));

    Pad loaded(f, "loaded", -1, std::make_shared<rt::PropertyBag>(bag));
    EXPECT_EQ(loaded.log.front(), "read");
    EXPECT_EQ(loaded.Colour, 0x123456u);
    EXPECT_EQ(loaded.Caption, "Pad");
    EXPECT_EQ(loaded.Weight, 1.5);
    EXPECT_TRUE(loaded.Flag);
    EXPECT_EQ(loaded.Data, (rt::PropertyBag::Bytes{1, 2, 3}));
    EXPECT_EQ(loaded.TextFont.Name(), "Arial");
    EXPECT_TRUE(loaded.TextFont.Bold());
    EXPECT_FALSE(loaded.TextFont.SameObject(p.TextFont));
    EXPECT_TRUE(loaded.SaveProperties() == bag);
}

// An array whose member 0 was stored as data: new members read the same settings.
class StoredPadForm : public rt::Form {
public:
    StoredPadForm() : Form("StoredPadForm") {}
    rt::ControlArray<Pad> pad{*this, "pad",
                              std::make_shared<rt::PropertyBag>(rt::PropertyBag{
                                  {"Colour", 0xFFC0FFu}, {"Caption", "Tile"}, {"Weight", 2}})};
};

TEST_F(UserControlTest, ArrayMembersReadTheTemplatesStoredSettings) {
    StoredPadForm& f = rt::Load<StoredPadForm>();
    f.pad[0].Colour = 1;  // run-time changes of the template do not reach new members
    Pad& p = f.pad.Load(4);
    EXPECT_EQ(p.log.front(), "read");
    EXPECT_EQ(p.Colour, 0xFFC0FFu);
    EXPECT_EQ(p.Caption, "Tile");
    EXPECT_EQ(p.Weight, 2.0);
    EXPECT_EQ(p.Ambient().DisplayName, "pad(4)");
}

// A windowed control with constituents: a text box, a check box and a label.
class Panel : public rt::UserControl {
public:
    Panel(rt::Container& c, std::string name, int index = -1)
        : UserControl(c, std::move(name), index, Windowing::Windowed) {
        Create();
    }
    Panel(const Panel& t, int index) : UserControl(t, index) { Create(); }

    rt::TextBox Text1{*this, "Text1"};
    rt::CheckBox Check1{*this, "Check1"};
    rt::Label Label1{*this, "Label1"};
    std::vector<std::string> log;

protected:
    void UserControl_Initialize() override {
        Text1.Move(0, 0, 1500, 300);
        Check1.Move(0, 400, 1500, 300);
        Label1.Move(0, 800, 1500, 300);
        Label1.Caption("&Label");
        AccessKeys("p");
    }
    void UserControl_EnterFocus() override { log.push_back("enter"); }
    void UserControl_ExitFocus() override { log.push_back("exit"); }
    void UserControl_AccessKeyPress(int16_t KeyAscii) override {
        log.push_back("key " + std::string(1, static_cast<char>(KeyAscii)));
    }
    void UserControl_AmbientChanged(const std::string& name) override { log.push_back("ambient " + name); }
};

class PanelForm : public rt::Form {
public:
    PanelForm() : Form("PanelForm") {
        Move(0, 0, 6000, 4000);
        panel[0].Move(0, 0, 3000, 2000);
        Other.Move(3500, 0, 1500, 300);
    }
    rt::ControlArray<Panel> panel{*this, "panel"};
    rt::TextBox Other{*this, "Other"};
};

TEST_F(UserControlTest, WindowedControlSeesFocusAccessKeysAndAmbientChanges) {
    PanelForm& f = rt::Load<PanelForm>();
    f.Show();
    SetForegroundWindow(f.hWnd());
    Panel& p = f.panel[0];
    ASSERT_TRUE(p.hWnd());
    EXPECT_EQ(GetParent(p.Text1.hWnd()), p.hWnd());

    p.Text1.SetFocus();
    SetFocus(p.Check1.hWnd());  // moving inside the control is no exit
    f.Other.SetFocus();
    EXPECT_EQ(p.log, (std::vector<std::string>{"enter", "exit"}));

    p.log.clear();
    SendMessageA(GetFocus(), WM_SYSCHAR, 'P', 1 << 29);  // Alt+P: case does not matter
    SendMessageA(GetFocus(), WM_SYSCHAR, 'q', 1 << 29);  // not an access key of the control
    EXPECT_EQ(p.log, (std::vector<std::string>{"enter", "key P"}));
    EXPECT_TRUE(GetFocus() == p.hWnd() || IsChild(p.hWnd(), GetFocus()));

    p.log.clear();
    f.BackColor(0x00FFFF);
    f.GetFont().Size(14);
    p.Default(true);
    EXPECT_EQ(p.log,
              (std::vector<std::string>{"ambient BackColor", "ambient Font", "ambient DisplayAsDefault"}));
    EXPECT_TRUE(p.Ambient().DisplayAsDefault);
    EXPECT_EQ(p.Ambient().BackColor, 0x00FFFFu);
    EXPECT_TRUE(p.Ambient().Font.SameObject(f.GetFont()));
    EXPECT_EQ(p.ContainerHwnd(), f.hWnd());
}

TEST_F(UserControlTest, ScaleConversions) {
    PadForm& f = rt::Load<PadForm>();
    Pad& p = f.pad[0];
    const int tx = rt::TwipsPerPixelX();
    EXPECT_DOUBLE_EQ(p.ScaleX(1, rt::vbInches, rt::vbTwipsUnit), 1440);
    EXPECT_DOUBLE_EQ(p.ScaleX(2540, rt::vbHimetric, rt::vbTwipsUnit), 1440);
    EXPECT_DOUBLE_EQ(p.ScaleX(10, rt::vbPixelsUnit, rt::vbContainerPosition),
                     10.0 * tx);  // the form is in twips
    p.ScaleMode(rt::vbPixels);
    p.Move(0, 0, 40 * tx, 20 * rt::TwipsPerPixelY());
    EXPECT_DOUBLE_EQ(p.ScaleWidth(), 40);
    EXPECT_DOUBLE_EQ(p.ScaleX(30 * tx, rt::vbTwipsUnit), 30);  // to the control's own unit
    EXPECT_THROW(p.ScaleMode(5), rt::RuntimeError);
}

TEST_F(UserControlTest, NoLeaksOverManyLoadsAndUnloads) {
    rt::EnsureOle();
    {
        PadForm& f = ThreePads();
        rt::Load<PanelForm>().Show();
        rt::DoEvents();
        (void)f;
    }
    rt::UnloadAll();
    rt::DoEvents();

    testsupport::HandleCounter counter;
    {
        PadForm& pads = rt::Load<PadForm>();
        PanelForm& panels = rt::Load<PanelForm>();
        pads.Show();
        panels.Show();
        for (int i = 0; i < 500; ++i) {
            int index = 1 + i % 7;
            Pad& p = pads.pad.Load(index);
            p.Move(0, 0, 600, 600);
            p.Visible(true);
            p.ToolTipText("tip");
            Panel& q = panels.panel.Load(index);
            q.Visible(true);
            q.Text1.Text("text");
            UpdateWindow(pads.hWnd());
            UpdateWindow(q.hWnd());
            pads.pad.Unload(index);
            panels.panel.Unload(index);
            rt::FlushDeferred();
        }
    }
    rt::UnloadAll();
    rt::DoEvents();
    EXPECT_EQ(counter.Total(), 0u) << counter.Report();
}

}  // namespace
