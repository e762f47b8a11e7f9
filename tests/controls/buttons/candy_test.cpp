// The glossy button on a form: the looks' pixels in their states, the rounded region, the idle
// button's paints, keys, disabled events, colour schemes and the stored settings.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "controls/buttons/buttons_fixture.h"

using controls::CandyButton;

namespace buttonstest {
namespace {

struct Candy : ButtonsTest {
    CandyButton* b = nullptr;
    std::vector<std::string> log;
    void SetUp() override {
        ButtonsTest::SetUp();
        auto& t = form->Macbt[0];
        t.Click = [this](int) { log.push_back("Click"); };
        t.DblClick = [this](int) { log.push_back("DblClick"); };
        t.HoverEnter = [this](int) { log.push_back("HoverEnter"); };
        t.HoverLeave = [this](int) { log.push_back("HoverLeave"); };
        auto mouse = [this](const char* name) {
            return [this, name](int, int16_t button, int16_t shift, float x, float y) {
                log.push_back(std::string(name) + "(" + std::to_string(button) + "," + std::to_string(shift) + "," +
                              std::to_string(static_cast<int>(x)) + "," + std::to_string(static_cast<int>(y)) + ")");
            };
        };
        t.MouseDown = mouse("MouseDown");
        t.MouseUp = mouse("MouseUp");
        t.MouseMove = mouse("MouseMove");
        b = &Place(form->Macbt, 1, 20, 20, 100, 30);
        b->Caption("");
        log.clear();
    }
    void Hover() {
        PointerTo(b->hWnd(), 50, 15);
        ASSERT_TRUE(PumpUntil([&] { return b->Hovering(); }));
    }
    void Unhover() {
        Away();
        ASSERT_TRUE(PumpUntil([&] { return !b->Hovering(); }));
    }
    COLORREF At(int x, int y) {
        rt::DoEvents();
        return Px(b->hWnd(), x, y);
    }
};

TEST_F(Candy, Style0ClassicLook) {
    b->Style(0);
    EXPECT_EQ(At(50, 13), Rgb(225, 222, 214));
    EXPECT_EQ(At(50, 0), Rgb(0, 60, 116));
    EXPECT_EQ(At(1, 0), Rgb(122, 149, 168));
    b->Checked(true);
    EXPECT_EQ(At(50, 13), Rgb(225, 222, 214));
    b->Checked(false);
    Hover();
    EXPECT_EQ(At(50, 1), Rgb(255, 240, 202));
    EXPECT_EQ(At(1, 10), Rgb(251, 203, 106));
    Unhover();
    b->SetFocus();
    EXPECT_EQ(At(50, 1), Rgb(206, 231, 255));
    SendMessageA(b->hWnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(50, 15));
    EXPECT_EQ(At(50, 1), Rgb(209, 204, 193));
    SendMessageA(b->hWnd(), WM_LBUTTONUP, 0, MAKELPARAM(50, 15));
}

TEST_F(Candy, Style1ToolbarLook) {
    b->Style(1);
    EXPECT_EQ(At(50, 13), kFormBack);
    EXPECT_EQ(At(1, 1), kFormBack);
    Hover();
    EXPECT_EQ(At(50, 1), Rgb(254, 254, 253));
    EXPECT_EQ(At(50, 0), Rgb(206, 206, 195));
    Unhover();
    b->Checked(true);
    EXPECT_EQ(At(50, 1), Rgb(255, 255, 255));
    EXPECT_EQ(At(50, 0), Rgb(122, 152, 175));
}

TEST_F(Candy, Style2GlossWithScheme1) {
    b->Style(2);
    b->ColorScheme(1);
    EXPECT_EQ(At(50, 2), Rgb(242, 246, 253));
    EXPECT_EQ(At(50, 15), Rgb(153, 186, 234));
    EXPECT_EQ(At(1, 15), Rgb(32, 103, 208));
    Hover();
    EXPECT_EQ(At(50, 15), Rgb(175, 209, 245));
    Unhover();
    b->BorderBrightness(100);
    EXPECT_EQ(At(1, 15), Rgb(255, 255, 255));
    b->BorderBrightness(-100);
    EXPECT_EQ(At(1, 15), Rgb(0, 0, 0));
    b->BorderBrightness(0);
    b->Enabled(false);
    EXPECT_EQ(At(1, 15), Rgb(192, 192, 176));
}

TEST_F(Candy, Style6PearlWithDefaultColours) {
    b->Move(b->Left(), b->Top(), rt::ToTwipsX(100), rt::ToTwipsY(31));
    b->Style(6);
    EXPECT_EQ(At(49, 15), Rgb(80, 153, 233));
    EXPECT_EQ(At(50, 15), Rgb(80, 153, 233));
    EXPECT_EQ(At(1, 15), Rgb(40, 76, 116));
    EXPECT_EQ(At(49, 3), Rgb(240, 246, 254));
    EXPECT_EQ(At(49, 2), Rgb(162, 225, 251));
}

TEST_F(Candy, Style2RegionIsACapsule) {
    b->Style(2);
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(GetWindowRgn(b->hWnd(), region), ERROR);
    auto span = [&](int y) {
        int first = -1, last = -1;
        for (int x = 0; x < 100; ++x)
            if (PtInRegion(region, x, y)) {
                if (first < 0) first = x;
                last = x;
            }
        return std::make_pair(first, last);
    };
    EXPECT_EQ(span(0), std::make_pair(-1, -1));
    EXPECT_EQ(span(1), std::make_pair(13, 87));
    EXPECT_EQ(span(15), std::make_pair(1, 99));
    DeleteObject(region);
    EXPECT_EQ(b->CornerRadius(), 16);
    // Back to a classic look: rectangular again.
    b->Style(0);
    region = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(GetWindowRgn(b->hWnd(), region), ERROR);
    DeleteObject(region);
}

TEST_F(Candy, AnIdleButtonGetsNoFurtherPaints) {
    for (int style = 0; style <= 8; ++style) {
        b->Style(style);
        Pump(100);
        PaintCounter counter(b->hWnd());
        const int ticks = form->ticks;
        Pump(300);
        EXPECT_EQ(counter.paints, 0) << style;
        EXPECT_GT(form->ticks - ticks, 5) << style;
    }
}

TEST_F(Candy, EnterPressesAndClicksSpaceDoesNothing) {
    SendMessageA(b->hWnd(), WM_KEYDOWN, VK_RETURN, 0);
    SendMessageA(b->hWnd(), WM_KEYUP, VK_RETURN, 0);
    EXPECT_EQ(log, (std::vector<std::string>{"MouseDown(1,0,0,0)", "MouseUp(1,0,0,0)", "Click"}));
    log.clear();
    SendMessageA(b->hWnd(), WM_KEYDOWN, VK_SPACE, 0);
    SendMessageA(b->hWnd(), WM_KEYUP, VK_SPACE, 0);
    EXPECT_TRUE(log.empty());
}

TEST_F(Candy, DisabledRaisesNoMouseEventsButStillHovers) {
    b->Enabled(false);
    SendMessageA(b->hWnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(50, 15));
    SendMessageA(b->hWnd(), WM_LBUTTONUP, 0, MAKELPARAM(50, 15));
    SendMessageA(b->hWnd(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(50, 15));
    Hover();
    Unhover();
    EXPECT_EQ(log, (std::vector<std::string>{"HoverEnter", "HoverLeave"}));
}

TEST_F(Candy, ALeftDragOntoTheButtonShowsNoHover) {
    // Only the move that the left button is held for (the pointer itself stays away).
    PostMessageA(b->hWnd(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(50, 15));
    Pump(100);
    EXPECT_FALSE(b->Hovering());
    EXPECT_EQ(log, (std::vector<std::string>{"MouseMove(1,0,50,15)"}));
}

TEST_F(Candy, SchemesSetTheFourColoursUntilOneIsSetByHand) {
    b->ColorScheme(2);
    EXPECT_EQ(b->ColorButtonUp(), 0xD09060u);
    EXPECT_EQ(b->ColorButtonHover(), 0xE06000u);
    EXPECT_EQ(b->ColorButtonDown(), 0xA98050u);
    EXPECT_EQ(b->ColorBright(), 0xFFFAFAu);
    EXPECT_EQ(b->ColorScheme(), 2);
    b->ColorButtonUp(0x123456);
    EXPECT_EQ(b->ColorScheme(), 0);
    EXPECT_EQ(b->ColorButtonHover(), 0xE06000u);
    b->ColorScheme(7);
    EXPECT_EQ(b->ColorScheme(), 7);
    EXPECT_EQ(b->ColorButtonUp(), 0x123456u);

    b->BorderBrightness(150);
    EXPECT_EQ(b->BorderBrightness(), 100);
    b->BorderBrightness(-250);
    EXPECT_EQ(b->BorderBrightness(), -100);

    // The same style again reports and draws nothing.
    b->Style(3);
    b->ClearChangedProperties();
    b->Style(3);
    EXPECT_TRUE(b->ChangedProperties().empty());
}

TEST_F(Candy, CheckedShowsTheCheckedLookWhateverHappens) {
    b->Style(2);
    b->Checked(true);
    const COLORREF checked = At(50, 20);
    Hover();
    EXPECT_EQ(At(50, 20), checked);
    SendMessageA(b->hWnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(50, 15));
    SendMessageA(b->hWnd(), WM_LBUTTONUP, 0, MAKELPARAM(50, 15));
    EXPECT_EQ(At(50, 20), checked);
    Unhover();
    EXPECT_EQ(At(50, 20), checked);
}

TEST_F(Candy, ThePictureSitsByItsAlignmentMovesWhenDownAndIsEmbossedWhenDisabled) {
    b->Style(1);  // the container's colour: only the picture shows
    b->PictureAlignment(2);
    b->Picture(testutil::SolidPicture(16, 16, RGB(255, 0, 0)));
    // At the left, 8 pixels in (no region was built yet), vertically centred one pixel down.
    EXPECT_EQ(At(8, 8), Rgb(255, 0, 0));
    EXPECT_EQ(At(23, 23), Rgb(255, 0, 0));
    EXPECT_EQ(At(7, 12), kFormBack);
    SendMessageA(b->hWnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(50, 15));
    EXPECT_EQ(At(8, 8), Rgb(229, 228, 221));  // the down look shows through: run 2, t = 8 / 23
    EXPECT_EQ(At(24, 24), Rgb(255, 0, 0));
    SendMessageA(b->hWnd(), WM_LBUTTONUP, 0, MAKELPARAM(50, 15));
    b->Enabled(false);
    EXPECT_NE(At(12, 12), Rgb(255, 0, 0));
}

TEST_F(Candy, TinySizesDivideByNothing) {
    // Heights of 0 to 4 pixels: Style 0's first run at 0 / 0, a glow with no half height, Style 3
    // without height, a pearl of one row. Every look paints without failing.
    for (int h : {0, 1, 2, 4})
        for (int style = 0; style <= 7; ++style) {
            b->Move(b->Left(), b->Top(), rt::ToTwipsX(h), rt::ToTwipsY(h));
            b->Style(style);
            b->CandyRedraw(CandyButton::Hover);
        }
    b->Move(b->Left(), b->Top(), rt::ToTwipsX(100), rt::ToTwipsY(4));
    b->Style(0);
    // With H = 3 the first run has one row, drawn in its start colour, then the second run and the
    // border go over it; the row below shows the second run's next colour.
    EXPECT_EQ(At(50, 1), Rgb(221, 217, 208));  // t = 2 / 3
}

TEST_F(Candy, StoredSettingsKeepTheirKeysAndDefaults) {
    b->Caption("CandyButton");
    rt::PropertyBag bag = b->SaveProperties();
    // The eight last keys are written whatever their values; the others only when not default.
    EXPECT_EQ(bag.Names(), (std::vector<std::string>{"Checked", "ColorButtonHover", "ColorButtonUp", "ColorButtonDown",
                                                     "BorderBrightness", "ColorBright", "DisplayHand", "ColorScheme"}));
    EXPECT_EQ(bag.ReadProperty("ColorButtonDown", 0u), 0xE99950u);
    b->ColorScheme(3);
    b->BorderBrightness(-40);
    CandyButton& copy = form->Macbt.Load(2);
    EXPECT_EQ(copy.Caption(), "CandyButton");  // the template's empty bag: its read default
    rt::PropertyBag again = b->SaveProperties();
    EXPECT_EQ(again.ReadProperty("ColorScheme", 0), 3);
    EXPECT_EQ(again.ReadProperty("BorderBrightness", 0), -40);
    EXPECT_EQ(again.ReadProperty("ColorButtonUp", 0u), 0x800000u);
}

TEST_F(Candy, ARunTimeButtonWithoutStoredSettingsStaysDisabledAndUnhooked) {
    CandyButton loose(*form, "loose");
    EXPECT_FALSE(loose.Enabled());
    EXPECT_FALSE(loose.TracksLeave());
    EXPECT_EQ(loose.Caption(), "loose");
    EXPECT_TRUE(b->TracksLeave());
    EXPECT_TRUE(b->Enabled());
}

}  // namespace
}  // namespace buttonstest
