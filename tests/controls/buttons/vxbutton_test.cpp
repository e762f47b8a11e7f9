// The multi-style page button on a form: the looks' pixels in every state, window regions, the
// idle button's paints, pointer, mouse, keys, access keys, focus moves and the stored settings.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "controls/buttons/buttons_fixture.h"

using controls::vxbutton;

namespace buttonstest {
namespace {

constexpr uint32_t kBase = 0x907050;  // (80, 112, 144)
constexpr COLORREF kSys17 = 0xFF000011;  // stands for the grey-text system colour
constexpr COLORREF kFormColour = 0xFF000001;  // stands for the form's back colour

struct VxButtons : ButtonsTest {
    vxbutton* b = nullptr;
    std::vector<std::string> log;
    void SetUp() override {
        ButtonsTest::SetUp();
        auto& t = form->Command1[0];
        t.Click = [this](int) { log.push_back("Click"); };
        t.DblClick = [this](int) { log.push_back("DblClick"); };
        t.HoverEnter = [this](int) { log.push_back("HoverEnter"); };
        t.HoverLeave = [this](int) { log.push_back("HoverLeave"); };
        t.MouseMove = [this](int, int16_t&, int16_t&, float&, float&) { log.push_back("MouseMove"); };
        t.MouseDown = [this](int, int16_t& button, int16_t&, float&, float&) {
            log.push_back("MouseDown " + std::to_string(button));
        };
        t.MouseUp = [this](int, int16_t& button, int16_t&, float&, float&) {
            log.push_back("MouseUp " + std::to_string(button));
        };
        t.KeyDown = [this](int, int16_t& key, int16_t&) { log.push_back("KeyDown " + std::to_string(key)); };
        t.KeyUp = [this](int, int16_t& key, int16_t&) { log.push_back("KeyUp " + std::to_string(key)); };
        b = &Place(form->Command1, 1, 20, 20, 80, 24);
        b->Caption("");
        Away();
        PumpUntil([&] { return !b->MouseInside(); });
        log.clear();
    }
    void Look(int32_t look) {
        b->ButtonStyle(look);
        b->BackColor(kBase);
    }
    // Drives the button to a state: 0 normal, 1 hot (pointer over it), 2 pressed (left button
    // down on it, which focuses it).
    void ToState(int state) {
        if (state == 0) {
            Away();
            ASSERT_TRUE(PumpUntil([&] { return !b->MouseInside() && b->State() == 0; }));
            return;
        }
        PointerTo(b->hWnd(), 40, 12);
        ASSERT_TRUE(PumpUntil([&] { return b->MouseInside() && b->State() == 1; }));
        if (state == 2) {
            SendMessageA(b->hWnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(40, 12));
            rt::DoEvents();
            ASSERT_EQ(b->State(), 2);
        }
    }
    void Release() { SendMessageA(b->hWnd(), WM_LBUTTONUP, 0, MAKELPARAM(40, 12)); }
};

struct PixelCase {
    int look, state, x, y;
    COLORREF want;
};

TEST_F(VxButtons, LooksDrawTheirColoursInEveryState) {
    const PixelCase cases[] = {
        {0, 2, 0, 12, Rgb(0, 0, 0)},          {0, 2, 1, 12, Rgb(172, 168, 153)}, {0, 2, 40, 12, Rgb(80, 112, 144)},
        {1, 2, 0, 12, kSys17},                {1, 2, 79, 12, Rgb(255, 255, 255)},
        {2, 0, 40, 12, Rgb(89, 121, 153)},    {2, 0, 40, 1, Rgb(124, 156, 188)}, {2, 0, 1, 12, Rgb(168, 184, 200)},
        {2, 0, 1, 1, Rgb(77, 137, 193)},      {2, 0, 0, 12, Rgb(0, 60, 116)},
        {2, 1, 40, 1, Rgb(255, 240, 207)},    {2, 1, 40, 22, Rgb(229, 151, 0)},
        {2, 2, 40, 12, Rgb(67, 99, 131)},     {2, 2, 1, 12, Rgb(39, 71, 103)},
        {3, 0, 40, 12, Rgb(75, 107, 139)},    {3, 1, 40, 12, Rgb(185, 230, 254)}, {3, 2, 40, 12, Rgb(131, 196, 230)},
        {3, 0, 40, 0, Rgb(112, 112, 112)},    {3, 1, 40, 0, Rgb(50, 117, 167)},  {3, 2, 40, 0, Rgb(44, 98, 139)},
        {4, 0, 40, 12, Rgb(138, 162, 187)},   {4, 1, 40, 12, Rgb(193, 210, 238)}, {4, 2, 40, 12, Rgb(152, 181, 226)},
        {4, 0, 40, 0, Rgb(200, 216, 232)},    {4, 1, 40, 0, Rgb(49, 106, 197)},  {4, 2, 40, 0, Rgb(75, 75, 111)},
        {5, 0, 75, 12, Rgb(157, 189, 221)},   {5, 0, 76, 12, Rgb(128, 128, 128)}, {5, 0, 77, 12, Rgb(160, 160, 160)},
        {5, 0, 78, 12, Rgb(192, 192, 192)},   {5, 0, 79, 12, kFormColour},
        {5, 2, 1, 1, kFormColour},            {5, 2, 79, 12, Rgb(157, 189, 221)},
        {6, 1, 40, 12, Rgb(84, 116, 148)},    {6, 1, 40, 23, Rgb(37, 69, 101)},  {6, 2, 40, 12, Rgb(67, 99, 131)},
        {7, 0, 40, 12, Rgb(80, 112, 144)},    {7, 1, 40, 12, Rgb(224, 243, 251)}, {7, 2, 40, 12, Rgb(202, 236, 248)},
        {8, 0, 40, 12, Rgb(81, 113, 145)},    {8, 1, 40, 12, Rgb(255, 217, 113)}, {8, 2, 40, 12, Rgb(255, 157, 75)},
        {8, 0, 40, 0, Rgb(0, 25, 57)},
        {9, 0, 20, 2, Rgb(224, 229, 235)},    {9, 0, 20, 23, Rgb(16, 48, 80)},
        {9, 2, 20, 12, Rgb(54, 86, 118)},     {9, 2, 20, 23, Rgb(0, 10, 42)},
        {10, 0, 40, 12, Rgb(97, 125, 153)},   {10, 0, 40, 0, Rgb(0, 28, 60)},
    };
    int look = -1, state = -1;
    for (const PixelCase& c : cases) {
        if (c.look != look || c.state != state) {
            if (state == 2) Release();
            ToState(0);
            Look(c.look);
            ToState(c.state);
            look = c.look, state = c.state;
            if (look == 6 && state == 2) {
                EXPECT_EQ(b->ForeColor(), 0xFFFFFFu);
            }
        }
        COLORREF want = c.want == kSys17 ? GetSysColor(COLOR_GRAYTEXT) : c.want == kFormColour ? kFormBack : c.want;
        EXPECT_EQ(Px(b->hWnd(), c.x, c.y), want) << "look " << c.look << " state " << c.state << " at " << c.x
                                                 << "," << c.y;
    }
    Release();
}

// Look 2's hot rim and its ring when focused: two lines a side, each colour where no later line
// covers it, and the top's ends covered by the sides drawn after it.
TEST_F(VxButtons, TheBlueRoundedLookDrawsEachLineOfItsRims) {
    struct Rim {
        int state;
        bool focused;
        COLORREF topIn, topOut, sideOut, sideIn, bottomIn, bottomOut;
    };
    const Rim rims[] = {
        {1, false, 0x89D8FD, 0xCFF0FF, 0x49BDF9, 0x7AD2FC, 0x30B3F8, 0x0097E5},
        {0, true, 0xF6D4BC, 0xFFE7CE, 0xE6AF8E, 0xF4D1B8, 0xE4AD89, 0xEE8269},
    };
    for (const Rim& r : rims) {
        ToState(0);
        Look(2);
        ToState(r.state);
        if (r.focused) {
            b->SetFocus();
            rt::DoEvents();
        }
        const struct {
            int x, y;
            COLORREF want;
        } points[] = {
            {40, 1, r.topOut},    {40, 2, r.topIn},      {77, 2, r.topIn},    {1, 2, r.sideOut},
            {1, 12, r.sideOut},   {78, 2, r.sideOut},    {78, 12, r.sideOut}, {2, 2, r.sideIn},
            {2, 12, r.sideIn},    {77, 12, r.sideIn},    {2, 21, r.bottomIn}, {40, 21, r.bottomIn},
            {77, 21, r.bottomIn}, {40, 22, r.bottomOut},
        };
        for (const auto& p : points)
            EXPECT_EQ(Px(b->hWnd(), p.x, p.y), p.want) << "state " << r.state << " at " << p.x << "," << p.y;
    }
}

TEST_F(VxButtons, RoundedLooksCutTheirCorners) {
    for (int look = 0; look <= 12; ++look) {
        Look(look);
        rt::DoEvents();
        const bool rounded = look == 2 || look == 3 || look == 6 || look == 7 || look == 9 || look == 10;
        HRGN want = rounded ? CreateRoundRectRgn(0, 0, 81, 25, 3, 3) : CreateRectRgn(0, 0, 80, 24);
        EXPECT_TRUE(RegionEquals(b->hWnd(), want)) << look;
    }
}

TEST_F(VxButtons, AnIdleButtonGetsNoFurtherPaints) {
    for (int look : {0, 1, 2, 3, 5, 6, 7, 9, 10}) {
        Look(look);
        PumpUntil([] { return false; }, 100);
        PaintCounter counter(b->hWnd());
        const int ticks = form->ticks;
        Pump(300);
        EXPECT_EQ(counter.paints, 0) << look;
        EXPECT_GT(form->ticks - ticks, 5) << look;
    }
}

TEST_F(VxButtons, HoverRaisesMouseMoveThenHoverEnterThenShowsTheHotLook) {
    Look(8);
    PointerTo(b->hWnd(), 40, 12);
    ASSERT_TRUE(PumpUntil([&] { return b->MouseInside(); }));
    ASSERT_GE(log.size(), 2u);
    EXPECT_EQ(log[0], "MouseMove");
    EXPECT_EQ(log[1], "HoverEnter");
    EXPECT_EQ(Px(b->hWnd(), 40, 12), Rgb(255, 217, 113));
    log.clear();
    Away();
    // The leave notice may take a while once the pointer has left.
    ASSERT_TRUE(PumpUntil([&] { return !b->MouseInside(); }));
    EXPECT_EQ(log.back(), "HoverLeave");
    EXPECT_EQ(Px(b->hWnd(), 40, 12), Rgb(81, 113, 145));
}

TEST_F(VxButtons, ClicksNeedAReleaseStrictlyInsideWithTheLeftButton) {
    struct Case {
        int x, y;
        bool click;
    } cases[] = {{40, 12, true}, {0, 12, false}, {80, 12, false}, {40, 0, false}, {79, 23, true}};
    for (const Case& c : cases) {
        log.clear();
        SendMessageA(b->hWnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(40, 12));
        SendMessageA(b->hWnd(), WM_LBUTTONUP, 0, MAKELPARAM(c.x, c.y));
        std::vector<std::string> want = {"MouseDown 1"};
        if (c.click) want.push_back("Click");
        want.push_back("MouseUp 1");
        EXPECT_EQ(log, want) << c.x << "," << c.y;
    }
    log.clear();
    SendMessageA(b->hWnd(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(40, 12));
    SendMessageA(b->hWnd(), WM_RBUTTONUP, 0, MAKELPARAM(40, 12));
    EXPECT_EQ(log, (std::vector<std::string>{"MouseDown 2", "MouseUp 2"}));
}

TEST_F(VxButtons, DoubleClickGivesTwoClicks) {
    SendMessageA(b->hWnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(40, 12));
    SendMessageA(b->hWnd(), WM_LBUTTONUP, 0, MAKELPARAM(40, 12));
    SendMessageA(b->hWnd(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(40, 12));
    SendMessageA(b->hWnd(), WM_LBUTTONUP, 0, MAKELPARAM(40, 12));
    EXPECT_EQ(log, (std::vector<std::string>{"MouseDown 1", "Click", "MouseUp 1", "MouseDown 1", "DblClick", "Click",
                                             "MouseUp 1"}));
    EXPECT_NE(GetCapture(), b->hWnd());
}

TEST_F(VxButtons, CheckBoxModeTogglesBeforeClick) {
    b->CheckBoxMode(true);
    std::vector<bool> seen;
    form->Command1[1].Click = [&](int) { seen.push_back(b->Value()); };
    for (int i = 0; i < 2; ++i) {
        SendMessageA(b->hWnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(40, 12));
        SendMessageA(b->hWnd(), WM_LBUTTONUP, 0, MAKELPARAM(40, 12));
    }
    EXPECT_EQ(seen, (std::vector<bool>{true, false}));
    // Outside check-box mode Value stays as it is.
    b->CheckBoxMode(false);
    b->Value(true);
    EXPECT_FALSE(b->Value());
}

TEST_F(VxButtons, SpaceClicksOnceAtKeyUpAndAltSpaceDoesNothing) {
    SendMessageA(b->hWnd(), WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_EQ(b->State(), 2);
    EXPECT_EQ(GetCapture(), b->hWnd());
    SendMessageA(b->hWnd(), WM_KEYUP, VK_SPACE, 0);
    EXPECT_EQ(log, (std::vector<std::string>{"KeyDown 32", "Click", "KeyUp 32"}));
    EXPECT_NE(GetCapture(), b->hWnd());

    // Alt alone held: neither the key-down nor the key-up does anything.
    log.clear();
    BYTE keys[256];
    GetKeyboardState(keys);
    BYTE alt = keys[VK_MENU];
    keys[VK_MENU] = 0x80;
    SetKeyboardState(keys);
    SendMessageA(b->hWnd(), WM_KEYDOWN, VK_SPACE, 0);
    SendMessageA(b->hWnd(), WM_KEYUP, VK_SPACE, 0);
    keys[VK_MENU] = alt;
    SetKeyboardState(keys);
    EXPECT_TRUE(log.empty());
    EXPECT_NE(GetCapture(), b->hWnd());

    // Enter clicks at key-down; other key-ups raise nothing.
    SendMessageA(b->hWnd(), WM_KEYDOWN, VK_RETURN, 0);
    SendMessageA(b->hWnd(), WM_KEYUP, VK_RETURN, 0);
    EXPECT_EQ(log, (std::vector<std::string>{"Click", "KeyDown 13"}));
}

TEST_F(VxButtons, AccessKeysFromTheCaption) {
    const std::pair<const char*, const char*> cases[] = {{"&Save", "s"}, {"a&&b", ""}, {"a&&b&Bc", "b"}, {"ab&", ""}};
    for (auto [caption, key] : cases) {
        b->Caption(caption);
        EXPECT_EQ(b->AccessKeys(), key) << caption;
    }
    b->Caption("&Save");
    log.clear();
    EXPECT_TRUE(rt::RouteAccessKey(*form, 'S'));
    EXPECT_EQ(log, (std::vector<std::string>{"Click"}));
    EXPECT_EQ(GetFocus(), b->hWnd());
}

TEST_F(VxButtons, ArrowKeysMoveTheFocusAndStillRaiseKeyDown) {
    vxbutton& second = Place(form->Command1, 2, 120, 20, 80, 24);
    b->SetFocus();
    SendMessageA(b->hWnd(), WM_KEYDOWN, VK_RIGHT, 0);
    EXPECT_EQ(GetFocus(), second.hWnd());
    SendMessageA(second.hWnd(), WM_KEYDOWN, VK_UP, 0);
    EXPECT_EQ(GetFocus(), b->hWnd());
    EXPECT_EQ(log, (std::vector<std::string>{"KeyDown 39", "KeyDown 38"}));
}

TEST_F(VxButtons, SmallSizesGrowTo220Twips) {
    b->Move(b->Left(), b->Top(), 100, 60);
    EXPECT_EQ(b->Height(), rt::ToTwipsY(rt::ToPixelsY(220)));
    EXPECT_EQ(b->Width(), rt::ToTwipsX(rt::ToPixelsX(220)));
}

TEST_F(VxButtons, LookColoursAndStoredSettings) {
    // System colours become their value; what the platform cannot translate is -1.
    EXPECT_EQ(vxbutton::VxTranslateColor(0x80000012u), GetSysColor(COLOR_BTNTEXT));
    EXPECT_EQ(vxbutton::VxTranslateColor(0x05000000u), 0xFFFFFFFFu);
    b->ButtonStyle(5);
    EXPECT_EQ(b->BackColor(), 0xAA6D00u);
    EXPECT_EQ(b->ForeColor(), 0xFFFFFFu);
    EXPECT_FALSE(b->ShowFocusRect());
    b->ButtonStyle(9);
    EXPECT_EQ(b->BackColor(), 0xE1D6D5u);
    EXPECT_TRUE(b->ShowFocusRect());
    b->ButtonStyle(1);
    EXPECT_EQ(b->BackColor(), GetSysColor(COLOR_BTNFACE));

    // "vxbutton1" is the caption's written default and is not stored; it reads back as "vxbutton".
    b->Caption("vxbutton1");
    b->UseMaskColor(true);
    rt::PropertyBag bag = b->SaveProperties();
    EXPECT_FALSE(bag.Contains("Caption"));
    EXPECT_TRUE(bag.Contains("UseMaskCOlor"));
    EXPECT_EQ(bag.ReadProperty("Caption", "vxbutton"), "vxbutton");

    // A picture brings its top-left colour as the mask colour; clearing it does not.
    b->Picture(testutil::SolidPicture(16, 16, RGB(1, 2, 3)));
    EXPECT_EQ(b->MaskColor(), static_cast<uint32_t>(RGB(1, 2, 3)));
    b->Picture(rt::Picture());
    EXPECT_EQ(b->MaskColor(), static_cast<uint32_t>(RGB(1, 2, 3)));
}

TEST_F(VxButtons, PicturesAreScaledMaskedAndGreyed) {
    Look(1);
    b->PictureAlign(4);  // centred: a 16-pixel picture at (32, 4)
    b->Picture(testutil::SolidPicture(16, 16, RGB(255, 0, 0)));
    rt::DoEvents();
    EXPECT_EQ(Px(b->hWnd(), 40, 12), Rgb(255, 0, 0));
    EXPECT_EQ(Px(b->hWnd(), 31, 12), Rgb(80, 112, 144));
    // The mask colour (the picture's own top-left colour) is left out.
    b->UseMaskColor(true);
    EXPECT_EQ(Px(b->hWnd(), 40, 12), Rgb(80, 112, 144));
    // Disabled: every pixel the mean of its channels, drawn opaque.
    b->Enabled(false);
    EXPECT_EQ(Px(b->hWnd(), 40, 12), Rgb(85, 85, 85));
    b->Enabled(true);
    b->UseMaskColor(false);

    // A 64-pixel picture is laid out and drawn 48 pixels square.
    b->Move(b->Left(), b->Top(), rt::ToTwipsX(100), rt::ToTwipsY(60));
    b->Picture(testutil::SolidPicture(64, 64, RGB(0, 0, 255)));
    rt::DoEvents();
    EXPECT_EQ(Px(b->hWnd(), 26, 6), Rgb(0, 0, 255));
    EXPECT_EQ(Px(b->hWnd(), 73, 53), Rgb(0, 0, 255));
    EXPECT_EQ(Px(b->hWnd(), 74, 30), Rgb(80, 112, 144));
    EXPECT_EQ(Px(b->hWnd(), 50, 54), Rgb(80, 112, 144));
}

TEST(VxDesignMode, WithoutLeaveTrackingItClicksButNeverHovers) {
    rt::UserControl::SetDesignMode(true);
    ButtonForm& f = rt::Load<ButtonForm>();
    f.Show();
    int clicks = 0, hovers = 0;
    f.Command1[0].Click = [&](int) { ++clicks; };
    f.Command1[0].HoverEnter = [&](int) { ++hovers; };
    vxbutton& b = f.Command1.Load(1);
    rt::UserControl::SetDesignMode(false);
    b.Move(rt::ToTwipsX(20), rt::ToTwipsY(20), rt::ToTwipsX(80), rt::ToTwipsY(24));
    b.Visible(true);
    EXPECT_FALSE(b.TracksLeave());
    PointerTo(b.hWnd(), 40, 12);
    Pump(200);
    SendMessageA(b.hWnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(40, 12));
    SendMessageA(b.hWnd(), WM_LBUTTONUP, 0, MAKELPARAM(40, 12));
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(hovers, 0);
    EXPECT_FALSE(b.MouseInside());
    rt::UnloadAll();
    rt::DoEvents();
}

}  // namespace
}  // namespace buttonstest
