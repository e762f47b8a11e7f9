// The dialog button on a black form: the pixels of its looks, its outlines, real pointer and key
// input, access keys, stored settings and leaks.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "controls/buttons/chameleonButton.h"
#include "runtime/control_array.h"
#include "runtime/controls.h"
#include "runtime/error.h"
#include "runtime/form.h"
#include "runtime/ui.h"
#include "support/error_of.h"
#include "support/handle_counter.h"
#include "support/pointer_input.h"

namespace {

using controls::chameleonButton;

class DialogForm : public rt::Form {
public:
    DialogForm() : Form("DialogForm") {
        BorderStyle(rt::vbBSNone);
        Move(rt::ToTwipsX(50), rt::ToTwipsY(50), rt::ToTwipsX(300), rt::ToTwipsY(200));
        BackColor(0);
        button[0].Visible(false);
        other.Move(rt::ToTwipsX(200), rt::ToTwipsY(170), rt::ToTwipsX(90), rt::ToTwipsY(24));
    }
    rt::ControlArray<chameleonButton> button{*this, "button", std::make_shared<const rt::PropertyBag>()};
    rt::TextBox other{*this, "other"};
};

void Pump(int rounds = 6) {
    for (int i = 0; i < rounds; ++i) {
        rt::DoEvents();
        Sleep(12);
    }
    rt::DoEvents();
}

POINT ScreenPoint(HWND h, int x, int y) {
    POINT p{x, y};
    ClientToScreen(h, &p);
    return p;
}

// What the screen shows at a client point of the window.
COLORREF Px(HWND h, int x, int y) {
    POINT p = ScreenPoint(h, x, y);
    rt::ScreenDC screen;
    return GetPixel(screen.get(), p.x, p.y) & 0xFFFFFF;
}

// Real pointer input: a move to a screen point, or a button going down or up there.
void SendPointer(POINT p, DWORD flags = 0) {
    testsupport::SendPointerInput(p, flags);
    Pump(3);
}

struct ChameleonTest : ::testing::Test {
    DialogForm* form = nullptr;
    std::vector<std::string> log;

    void SetUp() override {
        form = &rt::Load<DialogForm>();
        form->Show();
        SetForegroundWindow(form->hWnd());
        Away();
        chameleonButton& t = form->button[0];
        t.Click = [this](int) { log.push_back("Click"); };
        t.MouseOver = [this](int) { log.push_back("MouseOver"); };
        t.MouseOut = [this](int) { log.push_back("MouseOut"); };
        t.MouseDown = [this](int, int16_t& b, int16_t&, float&, float&) {
            log.push_back("MouseDown " + std::to_string(b));
        };
        t.MouseUp = [this](int, int16_t& b, int16_t&, float&, float&) {
            log.push_back("MouseUp " + std::to_string(b));
        };
    }
    void TearDown() override {
        rt::UnloadAll();
        rt::DoEvents();
    }
    // The pointer on the form far from the buttons, the focus on the text box.
    void Away() {
        SetFocus(form->other.hWnd());
        POINT p = ScreenPoint(form->hWnd(), 290, 10);
        SetCursorPos(p.x, p.y);
        Pump(2);
    }
    // A button at client pixels (10, 10), scheme 3, type 3, no caption.
    chameleonButton& Place(int w = 80, int h = 25, int index = 1, bool pump = true) {
        chameleonButton& b = form->button.Load(index);
        b.Move(rt::ToTwipsX(10), rt::ToTwipsY(10), rt::ToTwipsX(w), rt::ToTwipsY(h));
        b.Caption("");
        b.ColorScheme(3);
        b.ButtonType(3);
        b.Visible(true);
        if (pump) Pump(2);
        return b;
    }
    size_t Count(const std::string& what) const {
        return static_cast<size_t>(std::count(log.begin(), log.end(), what));
    }
};

// A square bitmap picture, red but for its first columns in the mask grey.
rt::Picture RedPicture(int size, int greyColumns) {
    rt::ScreenDC screen;
    rt::MemoryDC mem(screen.get());
    HBITMAP bm = CreateCompatibleBitmap(screen.get(), size, size);
    rt::SelectGuard sel(mem.get(), bm);
    rt::Brush red(CreateSolidBrush(RGB(255, 0, 0))), grey(CreateSolidBrush(0xC0C0C0));
    RECT all{0, 0, size, size}, left{0, 0, greyColumns, size};
    FillRect(mem.get(), &all, red.get());
    FillRect(mem.get(), &left, grey.get());
    return rt::Picture::FromBitmap(bm);
}

struct Probe {
    int x, y;
    COLORREF rgb;
};

void ExpectPixels(HWND h, const std::vector<Probe>& probes, const char* state) {
    for (const Probe& p : probes)
        EXPECT_EQ(Px(h, p.x, p.y), p.rgb) << state << " at (" << p.x << "," << p.y << ")";
}

TEST_F(ChameleonTest, TypeThreeLooksInEveryState) {
    chameleonButton& b = Place();
    const HWND h = b.hWnd();
    ExpectPixels(h,
                 {{0, 12, RGB(0, 60, 115)},
                  {1, 1, RGB(16, 77, 123)},
                  {40, 1, RGB(255, 255, 255)},
                  {40, 2, RGB(250, 250, 252)},
                  {40, 10, RGB(230, 230, 228)},
                  {40, 23, RGB(192, 192, 180)},
                  {78, 12, RGB(204, 204, 195)}},
                 "up");

    SendPointer(ScreenPoint(h, 40, 12));
    ASSERT_TRUE(b.Hot());
    ExpectPixels(h, {{40, 2, RGB(255, 219, 140)}, {1, 12, RGB(255, 178, 49)}}, "hot");
    // Focused while hot: the hover ring, not the focus ring.
    b.SetFocus();
    b.ChameleonRedraw(0, true);
    Pump(1);
    ExpectPixels(h, {{40, 2, RGB(255, 219, 140)}}, "hot and focused");

    Away();
    b.SetFocus();
    Pump(2);
    ASSERT_FALSE(b.Hot());
    ExpectPixels(h, {{40, 1, RGB(206, 231, 255)}}, "focused");

    Away();
    b.ChameleonRedraw(2, true);
    Pump(1);
    ExpectPixels(h, {{40, 10, RGB(193, 193, 185)}, {77, 12, RGB(240, 240, 240)}}, "down");

    b.Enabled(false);
    Pump(1);
    ExpectPixels(h, {{40, 10, RGB(216, 216, 210)}, {0, 12, RGB(156, 156, 135)}}, "disabled");

    // Scheme 1, as the secondary windows have it: the platform's button face, tinted.
    b.Enabled(true);
    b.ColorScheme(1);
    Pump(1);
    auto sb = [](uint32_t c, int n) { return controls::ChameleonShiftColor(c, n, true, false); };
    const uint32_t tinted = sb(GetSysColor(COLOR_BTNFACE), 48);
    ExpectPixels(h, {{40, 10, sb(tinted, -10)}, {40, 23, sb(tinted, -48)}}, "scheme 1");
}

TEST_F(ChameleonTest, OwnColoursBevelsAndPictures) {
    chameleonButton& b = Place();
    const HWND h = b.hWnd();
    b.ColorScheme(2);
    b.ButtonType(1);
    b.BackColor(0xFF);
    b.BackOver(0xFF);
    Pump(1);
    ExpectPixels(h,
                 {{40, 12, RGB(255, 0, 0)},
                  {40, 1, RGB(255, 47, 47)},
                  {40, 23, RGB(191, 0, 0)},
                  {0, 12, RGB(63, 0, 0)}},
                 "type 1");
    b.SoftBevel(true);
    Pump(1);
    ExpectPixels(h, {{40, 1, RGB(255, 23, 23)}}, "soft bevel");
    b.SoftBevel(false);

    // The hot look lends the hover face, and gives the stored face back.
    b.BackOver(0xFF00);
    SendPointer(ScreenPoint(h, 40, 12));
    ASSERT_TRUE(b.Hot());
    ExpectPixels(h, {{40, 12, RGB(0, 255, 0)}}, "hot");
    EXPECT_EQ(b.BackColor(), 0xFFu);
    EXPECT_EQ(b.Colors().face, 0xFFu);
    Away();
    Pump(3);
    EXPECT_FALSE(b.Hot());
    ExpectPixels(h, {{40, 12, RGB(255, 0, 0)}}, "after hot");

    // Type 10 with a picture: left half the mask grey, right half red.
    b.Move(rt::ToTwipsX(10), rt::ToTwipsY(10), rt::ToTwipsX(32), rt::ToTwipsY(32));
    b.ButtonType(10);
    b.BackColor(0xFFFFFF);
    b.PictureNormal(RedPicture(16, 8));
    Pump(1);
    ExpectPixels(h, {{10, 16, RGB(255, 255, 255)}, {20, 16, RGB(255, 0, 0)}}, "type 10");
    b.UseGreyscale(true);
    Pump(1);
    ExpectPixels(h, {{20, 16, RGB(76, 76, 76)}}, "greyscale");
    b.UseGreyscale(false);
    b.ButtonType(9);
    Pump(1);
    ExpectPixels(h, {{20, 16, RGB(255, 85, 85)}}, "type 9 blend");
}

// A redraw that fails half-way (here: a listener of the button's font, while the default button's
// caption is drawn in bold) leaves the stored face, the font's weight and the redraws as they were.
TEST_F(ChameleonTest, AFailedRedrawUndoesItsLoans) {
    chameleonButton& b = Place();
    const HWND h = b.hWnd();
    b.ButtonType(14);
    b.ColorScheme(2);
    b.BackColor(0xFF);
    b.BackOver(0xFF00);
    b.Default(true);
    SendPointer(ScreenPoint(h, 40, 12));
    ASSERT_TRUE(b.Hot());
    bool fail = true;
    rt::Font::Subscription sub = b.Font().OnChange([&] {
        if (std::exchange(fail, false)) rt::Raise(5);
    });
    EXPECT_ANY_THROW(b.ChameleonRedraw(0, true));
    EXPECT_EQ(b.BackColor(), 0xFFu);
    EXPECT_EQ(b.Colors().face, 0xFFu);
    EXPECT_FALSE(b.FontBold());
    b.ChameleonRedraw(2, false);
    EXPECT_EQ(b.LastDrawnState(), 2);
    sub = rt::Font::Subscription();

    // Type 4's pressed caption borrows the tinted face and gives it back.
    b.ButtonType(4);
    b.ChameleonRedraw(2, true);
    EXPECT_EQ(b.Colors().tinted, controls::ChameleonShiftColor(b.Colors().face, 48, false, false));
}

TEST_F(ChameleonTest, OutlinesFollowTheType) {
    chameleonButton& b = Place();
    const HWND h = b.hWnd();
    auto over = [&](int x, int y) { return WindowFromPoint(ScreenPoint(h, x, y)) == h; };
    EXPECT_FALSE(over(0, 0));
    EXPECT_FALSE(over(1, 0));
    EXPECT_FALSE(over(0, 1));
    EXPECT_TRUE(over(2, 0));
    EXPECT_TRUE(over(1, 1));
    b.Move(rt::ToTwipsX(10), rt::ToTwipsY(10), rt::ToTwipsX(60), rt::ToTwipsY(30));
    b.ButtonType(13);
    Pump(1);
    EXPECT_FALSE(over(1, 1));
    EXPECT_TRUE(over(30, 15));
    // Type 5 cuts only the bottom-left and top-right corners.
    b.ButtonType(5);
    Pump(1);
    EXPECT_TRUE(over(0, 0));
    EXPECT_TRUE(over(59, 29));
    EXPECT_FALSE(over(0, 29));
    EXPECT_FALSE(over(59, 0));
}

TEST_F(ChameleonTest, ABlankCaptionCentresThePicture) {
    chameleonButton& b = Place(80, 60);
    const HWND h = b.hWnd();
    b.ButtonType(10);
    b.UseMaskColor(false);
    b.PictureNormal(RedPicture(8, 0));
    for (int position = 0; position <= 4; ++position) {
        b.PicturePosition(position);
        b.Caption(position % 2 ? "" : "   ");
        Pump(1);
        // (80 - 8) / 2 = 36, (60 - 8) / 2 = 26.
        ExpectPixels(h,
                     {{36, 26, RGB(255, 0, 0)},
                      {43, 33, RGB(255, 0, 0)},
                      {35, 26, RGB(192, 192, 192)},
                      {44, 33, RGB(192, 192, 192)}},
                     std::to_string(position).c_str());
    }
}

TEST_F(ChameleonTest, RedrawRequestsAndArrows) {
    chameleonButton& b = Place();
    // In check-box mode with Value set, an up request draws the down look; Value off, up again.
    b.CheckBoxBehaviour(true);
    b.Value(true);
    b.ChameleonRedraw(0, false);
    EXPECT_EQ(b.LastDrawnState(), 2);
    b.Value(false);
    EXPECT_EQ(b.LastDrawnState(), 0);
    // Outside check-box mode Value draws nothing.
    b.CheckBoxBehaviour(false);
    b.ChameleonRedraw(2, true);
    b.Value(true);
    EXPECT_EQ(b.LastDrawnState(), 2);
    b.Value(false);

    // A collapsed button never paints.
    b.Move(rt::ToTwipsX(10), rt::ToTwipsY(10), rt::ToTwipsX(80), 0);
    b.ChameleonRedraw(2, true);
    EXPECT_EQ(b.LastDrawnState(), 2);
    b.ChameleonRedraw(0, true);
    EXPECT_EQ(b.LastDrawnState(), 2);

    // The arrows move through the tab order and still raise KeyDown.
    chameleonButton& second = Place(80, 25, 2);
    second.Move(rt::ToTwipsX(100), rt::ToTwipsY(10));
    b.Move(rt::ToTwipsX(10), rt::ToTwipsY(10), rt::ToTwipsX(80), rt::ToTwipsY(25));
    int keys = 0;
    b.KeyDown = second.KeyDown = [&](int, int16_t&, int16_t&) { ++keys; };
    b.SetFocus();
    SendMessageA(b.hWnd(), WM_KEYDOWN, VK_RIGHT, 0);
    EXPECT_EQ(GetFocus(), second.hWnd());
    SendMessageA(second.hWnd(), WM_KEYDOWN, VK_UP, 0);
    EXPECT_EQ(GetFocus(), b.hWnd());
    EXPECT_EQ(keys, 2);
}

TEST_F(ChameleonTest, PointerHoverPressAndDrag) {
    chameleonButton& b = Place();
    const HWND h = b.hWnd();
    SendPointer(ScreenPoint(h, 20, 12));
    SendPointer(ScreenPoint(h, 30, 12));
    SendPointer(ScreenPoint(h, 40, 12));
    EXPECT_EQ(Count("MouseOver"), 1u);
    EXPECT_EQ(Count("MouseOut"), 0u);
    EXPECT_TRUE(b.OverTimer.Enabled());
    SendPointer(ScreenPoint(h, 150, 120));
    Pump(4);
    EXPECT_EQ(Count("MouseOut"), 1u);
    EXPECT_FALSE(b.OverTimer.Enabled());

    // Pressed, dragged off and released: up again, no click.
    log.clear();
    SendPointer(ScreenPoint(h, 40, 12));
    SendPointer(ScreenPoint(h, 40, 12), MOUSEEVENTF_LEFTDOWN);
    EXPECT_EQ(b.LastDrawnState(), 2);
    SendPointer(ScreenPoint(h, 150, 120));
    EXPECT_EQ(b.LastDrawnState(), 0);
    SendPointer(ScreenPoint(h, 150, 120), MOUSEEVENTF_LEFTUP);
    Pump(4);
    EXPECT_EQ(Count("Click"), 0u);
    EXPECT_EQ(Count("MouseDown 1"), 1u);
    EXPECT_EQ(Count("MouseUp 1"), 1u);

    // A full click inside (away from the last press, which would make it a double click).
    log.clear();
    const POINT at = ScreenPoint(h, 60, 12);
    SendPointer(at);
    SendPointer(at, MOUSEEVENTF_LEFTDOWN);
    SendPointer(at, MOUSEEVENTF_LEFTUP);
    EXPECT_EQ(Count("Click"), 1u);
    EXPECT_EQ(b.LastDrawnState(), 0);
    // A second press there is a double click: down again, the mouse held until the release.
    SendPointer(at, MOUSEEVENTF_LEFTDOWN);
    EXPECT_EQ(b.LastDrawnState(), 2);
    EXPECT_EQ(GetCapture(), h);
    SendPointer(at, MOUSEEVENTF_LEFTUP);
    EXPECT_EQ(b.LastDrawnState(), 0);
    EXPECT_NE(GetCapture(), h);
    EXPECT_EQ(Count("Click"), 1u);
    EXPECT_EQ(Count("MouseDown 1"), 2u);

    // A right press raises its events and changes no look.
    Pump(1);
    const COLORREF face = Px(h, 40, 10);
    log.clear();
    SendPointer(ScreenPoint(h, 40, 12), MOUSEEVENTF_RIGHTDOWN);
    EXPECT_EQ(b.LastDrawnState(), 0);
    EXPECT_EQ(Px(h, 40, 10), face);
    SendPointer(ScreenPoint(h, 40, 12), MOUSEEVENTF_RIGHTUP);
    EXPECT_EQ(log, (std::vector<std::string>{"MouseDown 2", "MouseUp 2"}));
    EXPECT_EQ(Px(h, 40, 10), face);
}

TEST_F(ChameleonTest, SpaceClicksAndChecks) {
    chameleonButton& b = Place();
    const HWND h = b.hWnd();
    b.SetFocus();
    auto space = [&] {
        SendMessageA(h, WM_KEYDOWN, VK_SPACE, 0);
        EXPECT_EQ(b.LastDrawnState(), 2);
        SendMessageA(h, WM_KEYUP, VK_SPACE, 0);
    };
    space();
    EXPECT_EQ(Count("Click"), 1u);
    EXPECT_EQ(b.LastDrawnState(), 0);
    // Enter and Escape do nothing.
    for (WPARAM k : {VK_RETURN, VK_ESCAPE}) {
        SendMessageA(h, WM_KEYDOWN, k, 0);
        SendMessageA(h, WM_KEYUP, k, 0);
    }
    EXPECT_EQ(Count("Click"), 1u);

    // Check-box behaviour: the value flips before the click, and the button stays down.
    b.CheckBoxBehaviour(true);
    bool valueAtClick = false;
    b.Click = [&](int) {
        valueAtClick = b.Value();
        log.push_back("Click");
    };
    space();
    EXPECT_TRUE(valueAtClick);
    EXPECT_TRUE(b.Value());
    EXPECT_EQ(b.LastDrawnState(), 2);
    space();
    EXPECT_FALSE(b.Value());
    EXPECT_EQ(b.LastDrawnState(), 0);
}

TEST_F(ChameleonTest, AccessKeysThroughTheControl) {
    chameleonButton& b = Place();
    const std::pair<const char*, const char*> cases[] = {
        {"&Save", "s"}, {"a&&b", ""}, {"a&&b&Bc", "b"}, {"ab&", ""}};
    for (auto [caption, key] : cases) {
        b.Caption(caption);
        EXPECT_EQ(b.AccessKeys(), key) << caption;
    }
    b.Caption("&Save");
    EXPECT_TRUE(rt::RouteAccessKey(*form, 'S'));
    EXPECT_EQ(Count("Click"), 1u);
    b.Enabled(false);
    rt::RouteAccessKey(*form, 'S');
    EXPECT_EQ(Count("Click"), 1u);
}

TEST_F(ChameleonTest, AHandPointerThatCannotBeLoadedLeavesThePointerAndTellsTheCaller) {
    chameleonButton& b = Place();
    b.MousePointer(2);
    const HCURSOR before = b.Cursor();
    const auto icon = b.MouseIcon().Handle();
    struct NoHand {
        NoHand() {
            chameleonButton::HandPointerSource() = [] { return rt::Picture(); };
        }
        ~NoHand() { chameleonButton::HandPointerSource() = nullptr; }
    };
    {
        NoHand noHand;
        b.ClearChangedProperties();
        EXPECT_EQ(testsupport::ErrorOf([&] { b.HandPointer(true); }), rt::errResourceNotFound);
        EXPECT_TRUE(b.HandPointer());
        EXPECT_EQ(b.UserControl::MousePointer(), 2);
        EXPECT_EQ(b.MouseIcon().Handle(), icon);
        EXPECT_EQ(b.Cursor(), before);
        EXPECT_TRUE(b.ChangedProperties().empty());
    }
    b.HandPointer(true);
    EXPECT_EQ(b.UserControl::MousePointer(), 99);
    EXPECT_FALSE(b.MouseIcon().Empty());
}

TEST_F(ChameleonTest, StoredSettingsInTheirOrder) {
    chameleonButton& b = Place();
    b.HandPointer(false);
    EXPECT_EQ(b.UserControl::MousePointer(), 1);
    b.HandPointer(true);
    EXPECT_EQ(b.UserControl::MousePointer(), 99);
    EXPECT_NE(b.Cursor(), nullptr);
    const rt::PropertyBag bag = b.SaveProperties();
    const std::vector<std::string> order{"BTYPE", "TX",    "ENAB", "FONT",  "COLTYPE", "FOCUSR",
                                         "BCOL",  "BCOLO", "FCOL", "FCOLO", "MCOL",    "MPTR",
                                         "MICON", "PICN",  "PICH", "UMCOL", "SOFT",    "PICPOS",
                                         "NGREY", "FX",    "HAND", "CHECK", "VALUE"};
    EXPECT_EQ(bag.Names(), order);
    // "HAND" is written but not read back.
    chameleonButton loaded(*form, "loaded", -1, std::make_shared<const rt::PropertyBag>(bag));
    EXPECT_FALSE(loaded.HandPointer());
    EXPECT_EQ(loaded.ButtonType(), 3);
    EXPECT_EQ(loaded.ColorScheme(), 3);
    EXPECT_EQ(loaded.Version(), "2.0.6");
    // Missing keys: the defaults, the over colours following the normal ones.
    chameleonButton empty(*form, "empty", -1,
                          std::make_shared<const rt::PropertyBag>(rt::PropertyBag{{"BCOL", 0x123456u}}));
    EXPECT_EQ(empty.ButtonType(), 2);
    EXPECT_EQ(empty.Caption(), "");
    EXPECT_EQ(empty.BackOver(), 0x123456u);
    EXPECT_EQ(empty.MaskColor(), 0xC0C0C0u);
    EXPECT_TRUE(empty.UseMaskColor());
}

TEST_F(ChameleonTest, CreateAndHoverCyclesLeaveNothing) {
    chameleonButton& b = Place();
    const HWND h = b.hWnd();
    const POINT in = ScreenPoint(h, 40, 12), out = ScreenPoint(h, 150, 120);
    testsupport::HandleCounter counter;
    for (int i = 0; i < 200; ++i) {
        SetCursorPos(in.x, in.y);
        SendMessageA(h, WM_MOUSEMOVE, 0, MAKELPARAM(40, 12));
        ASSERT_TRUE(b.Hot());
        SetCursorPos(out.x, out.y);
        // The poll ends the hover at one of its next ticks.
        for (int wait = 0; wait < 100 && b.Hot(); ++wait) {
            Sleep(2);
            rt::DoEvents();
        }
    }
    EXPECT_EQ(Count("MouseOver"), 200u);
    EXPECT_EQ(Count("MouseOut"), 200u);
    EXPECT_EQ(counter.GdiObjects(), 0u) << counter.Report();
    EXPECT_EQ(counter.DeviceContexts(), 0u) << counter.Report();
    form->button.Unload(1);
    rt::DoEvents();
    counter.Start();
    for (int i = 0; i < 200; ++i) {
        Place(60, 30, 2, false).ButtonType(13);
        form->button.Unload(2);
        if (i % 20 == 0) rt::DoEvents();
    }
    rt::DoEvents();
    EXPECT_LE(counter.GdiObjects(), 1u) << counter.Report();
    EXPECT_EQ(counter.Windows(), 0u) << counter.Report();
    EXPECT_EQ(counter.DeviceContexts(), 0u) << counter.Report();
}

}  // namespace
