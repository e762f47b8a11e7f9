// The window shadow on a real form: where its strips stand, the alpha ramps handed to the
// platform, following the form, the capability answer, the guards, and GDI objects over many
// repaints. Screen pixels are not read (translucency does not show without a compositor).
#include "controls/chrome/window_shadow.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cmath>
#include <memory>
#include <ostream>
#include <vector>

#include "support/handle_counter.h"
#include "support/test_window.h"

using controls::clsShadow;
using controls::ShadowCapability;
using controls::ShadowStrip;
using controls::ShadowStripImage;

namespace {

HWND MakeForm() {
    return testsupport::MakeTestWindow("ShadowTestForm", DefWindowProcA, WS_POPUP, 10, 10);
}

ShadowCapability Capable(bool luna = false) {
    return ShadowCapability{true, true, luna};
}

// A window rectangle in screen pixels: left, top, right, bottom.
struct Box {
    int left, top, right, bottom;
    bool operator==(const Box&) const = default;
    friend void PrintTo(const Box& b, std::ostream* os) {
        *os << "(" << b.left << "," << b.top << ")-(" << b.right << "," << b.bottom << ")";
    }
};
Box Rect(int left, int top, int right, int bottom) {
    return Box{left, top, right, bottom};
}

Box WindowRect(HWND wnd) {
    RECT r{};
    GetWindowRect(wnd, &r);
    return Box{r.left, r.top, r.right, r.bottom};
}

// One render as the test saw it: place, size, constant alpha and a copy of the pixels.
struct Render {
    ShadowStrip strip;
    Box rect;
    uint8_t constantAlpha;
    std::vector<uint32_t> bits;
};

// The alpha of a strip pixel by the published ramp: integer divisions that truncate.
int RampRight(int w, int h, int r, int c) {
    int base = r < w ? r * 255 / w : r < h - w ? 255 : (h - r) * 255 / w;
    return (w - c) * base / w;
}
int RampBottom(int w, int h, int r, int c) {
    int base = c < h ? c * 255 / h : 255;
    return base * r / h;
}
// The shadow colour premultiplied by alpha, rounded to the nearest, as B, G, R, A in memory.
uint32_t Premultiplied(uint32_t color, int alpha) {
    auto ch = [&](int shift) {
        return static_cast<uint32_t>(std::nearbyint(((color >> shift) & 0xFF) * alpha / 255.0));
    };
    return ch(16) | ch(8) << 8 | ch(0) << 16 | static_cast<uint32_t>(alpha) << 24;
}

class ShadowTest : public ::testing::Test {
protected:
    void SetUp() override {
        form.reset(MakeForm());
        ASSERT_NE(form.get(), nullptr);
    }

    // Records every render of the object.
    void Observe(clsShadow& shadow) {
        shadow.SetRenderObserver([this](const ShadowStripImage& image) {
            renders.push_back(
                Render{image.strip, Rect(image.x, image.y, image.x + image.width, image.y + image.height),
                       image.constantAlpha,
                       std::vector<uint32_t>(image.bits, image.bits + image.width * image.height)});
        });
    }
    int Count(ShadowStrip strip) const {
        int n = 0;
        for (const Render& r : renders) n += r.strip == strip;
        return n;
    }
    const Render* Last(ShadowStrip strip) const {
        for (auto it = renders.rbegin(); it != renders.rend(); ++it)
            if (it->strip == strip) return &*it;
        return nullptr;
    }
    void Place(int x, int y, int cx, int cy, UINT flags = 0) {
        SetWindowPos(form.get(), nullptr, x, y, cx, cy, flags | SWP_NOACTIVATE | SWP_NOZORDER);
    }

    rt::WindowHandle form;
    std::vector<Render> renders;
};

TEST_F(ShadowTest, StripsStandBesideTheFormAndFollowIt) {
    clsShadow shadow([] { return Capable(); });
    Observe(shadow);
    ASSERT_TRUE(shadow.Shadow(form.get()));
    HWND right = shadow.RightStrip(), bottom = shadow.BottomStrip();
    ASSERT_TRUE(IsWindow(right));
    ASSERT_TRUE(IsWindow(bottom));
    for (HWND strip : {right, bottom}) {
        EXPECT_EQ(GetWindow(strip, GW_OWNER), form.get());
        LONG_PTR ex = GetWindowLongPtrA(strip, GWL_EXSTYLE);
        EXPECT_EQ(ex & (WS_EX_LAYERED | WS_EX_TRANSPARENT | WS_EX_NOPARENTNOTIFY),
                  WS_EX_LAYERED | WS_EX_TRANSPARENT | WS_EX_NOPARENTNOTIFY);
        EXPECT_FALSE(IsWindowVisible(strip));  // attached, not shown yet
    }

    // Depth 7 (the default) beside a 300 x 200 form at (200, 150).
    Place(200, 150, 300, 200, SWP_SHOWWINDOW);
    EXPECT_EQ(WindowRect(right), Rect(500, 157, 507, 357));
    EXPECT_EQ(WindowRect(bottom), Rect(207, 350, 500, 357));
    EXPECT_TRUE(IsWindowVisible(right));
    EXPECT_TRUE(IsWindowVisible(bottom));
    ASSERT_EQ(renders.size(), 2u);
    EXPECT_EQ(Last(ShadowStrip::Right)->rect, Rect(500, 157, 507, 357));
    EXPECT_EQ(Last(ShadowStrip::Bottom)->rect, Rect(207, 350, 500, 357));
    EXPECT_EQ(Last(ShadowStrip::Right)->constantAlpha, 140);

    // A pure move draws nothing again.
    renders.clear();
    Place(50, 60, 0, 0, SWP_NOSIZE);
    EXPECT_EQ(WindowRect(right), Rect(350, 67, 357, 267));
    EXPECT_EQ(WindowRect(bottom), Rect(57, 260, 350, 267));
    EXPECT_TRUE(renders.empty());

    // Only the strip whose length changed is drawn again.
    Place(50, 60, 400, 200);
    EXPECT_EQ(Count(ShadowStrip::Bottom), 1);
    EXPECT_EQ(Count(ShadowStrip::Right), 0);
    EXPECT_EQ(WindowRect(bottom), Rect(57, 260, 450, 267));
    EXPECT_EQ(WindowRect(right), Rect(450, 67, 457, 267));
    renders.clear();
    Place(50, 60, 400, 250);
    EXPECT_EQ(Count(ShadowStrip::Bottom), 0);
    EXPECT_EQ(Count(ShadowStrip::Right), 1);
    EXPECT_EQ(WindowRect(right), Rect(450, 67, 457, 317));
    EXPECT_EQ(WindowRect(bottom), Rect(57, 310, 450, 317));

    // Hidden and shown with the form.
    ShowWindow(form.get(), SW_HIDE);
    EXPECT_FALSE(IsWindowVisible(right));
    EXPECT_FALSE(IsWindowVisible(bottom));
    ShowWindow(form.get(), SW_SHOWNOACTIVATE);
    EXPECT_TRUE(IsWindowVisible(right));
    EXPECT_TRUE(IsWindowVisible(bottom));
}

TEST_F(ShadowTest, AlphaRampsInTheStripBuffers) {
    clsShadow shadow([] { return Capable(); });
    Observe(shadow);
    shadow.Color(0x336699);
    shadow.Transparency(200);
    ASSERT_TRUE(shadow.Shadow(form.get()));
    Place(200, 150, 300, 200, SWP_SHOWWINDOW);

    const Render* right = Last(ShadowStrip::Right);
    const Render* bottom = Last(ShadowStrip::Bottom);
    ASSERT_TRUE(right && bottom);
    EXPECT_EQ(right->constantAlpha, 200);
    const int D = 7;
    ASSERT_EQ(right->bits.size(), static_cast<size_t>(D * 200));
    ASSERT_EQ(bottom->bits.size(), static_cast<size_t>(293 * D));

    // Row r counts from the bottom (buffer row 0), column c from the form side / the left.
    for (int r = 0; r < 200; ++r)
        for (int c = 0; c < D; ++c)
            ASSERT_EQ(right->bits[r * D + c], Premultiplied(0x336699, RampRight(D, 200, r, c)))
                << r << "," << c;
    for (int r = 0; r < D; ++r)
        for (int c = 0; c < 293; ++c)
            ASSERT_EQ(bottom->bits[r * 293 + c], Premultiplied(0x336699, RampBottom(293, D, r, c)))
                << r << "," << c;

    // A few values worked out by hand from the ramp.
    struct Spot {
        const Render* strip;
        int w, r, c;
        uint32_t pixel;
    };
    const Spot spots[] = {
        {right, D, 0, 0, 0},                // bottom row of the right strip: transparent
        {right, D, 3, 0, 0x6D412C16},       // fading in: 3*255/7 = 109
        {right, D, 100, 6, 0x24160E07},     // middle, outer column: 255/7 = 36
        {right, D, 199, 6, 0x05030201},     // top row, outer column: (255/7)/7 = 5
        {bottom, 293, 6, 100, 0xDA83572C},  // row next to the form: 255*6/7 = 218
        {bottom, 293, 6, 3, 0x5D382513},    // fading in from the left: (3*255/7)*6/7 = 93
        {bottom, 293, 0, 200, 0},           // outer row: transparent
    };
    for (const Spot& s : spots) EXPECT_EQ(s.strip->bits[s.r * s.w + s.c], s.pixel) << s.r << "," << s.c;
}

TEST_F(ShadowTest, LunaCutsTheRightStripsTopOuterCorner) {
    for (int depth : {7, 3}) {
        clsShadow shadow([] { return Capable(true); });
        Observe(shadow);
        shadow.Depth(depth);
        ASSERT_TRUE(shadow.Shadow(form.get()));
        Place(10, 10, 100, 100, SWP_SHOWWINDOW);
        const Render* right = Last(ShadowStrip::Right);
        ASSERT_NE(right, nullptr);
        const int cut[] = {5, 3, 2, 1, 1};
        for (int i = 0; i < 6; ++i) {
            int r = 100 - 1 - i;
            for (int c = 0; c < depth; ++c) {
                bool cleared = i < 5 && depth - 1 - c < cut[i];
                uint32_t expected = cleared ? 0 : Premultiplied(0, RampRight(depth, 100, r, c));
                EXPECT_EQ(right->bits[r * depth + c], expected)
                    << "depth " << depth << " row " << i << " col " << c;
            }
        }
        ShowWindow(form.get(), SW_HIDE);
        renders.clear();
    }
}

TEST_F(ShadowTest, PropertiesRedrawOnlyWhenChanged) {
    clsShadow shadow([] { return Capable(); });
    EXPECT_EQ(shadow.Color(), 0);
    EXPECT_EQ(shadow.Depth(), 7);
    EXPECT_EQ(shadow.Transparency(), 140);
    Observe(shadow);
    ASSERT_TRUE(shadow.Shadow(form.get()));
    Place(200, 150, 300, 200, SWP_SHOWWINDOW);
    renders.clear();

    shadow.Depth(7);
    shadow.Transparency(140);
    shadow.Color(0);
    EXPECT_TRUE(renders.empty());

    shadow.Depth(10);
    ASSERT_EQ(renders.size(), 2u);
    EXPECT_EQ(renders[0].strip, ShadowStrip::Right);  // right first, then bottom
    EXPECT_EQ(renders[0].rect, Rect(500, 160, 510, 360));
    EXPECT_EQ(renders[1].rect, Rect(210, 350, 500, 360));
    EXPECT_EQ(WindowRect(shadow.BottomStrip()), Rect(210, 350, 500, 360));

    // A system colour is taken at its present value.
    renders.clear();
    shadow.Color(static_cast<int32_t>(0x80000000u | COLOR_HIGHLIGHT));
    EXPECT_EQ(shadow.Color(), static_cast<int32_t>(GetSysColor(COLOR_HIGHLIGHT)));
    EXPECT_EQ(renders.size(), GetSysColor(COLOR_HIGHLIGHT) == 0 ? 0u : 2u);
}

TEST_F(ShadowTest, ChangesWhileHiddenShowWhenTheFormComesBack) {
    clsShadow shadow([] { return Capable(); });
    Observe(shadow);
    ASSERT_TRUE(shadow.Shadow(form.get()));
    Place(200, 150, 300, 200, SWP_SHOWWINDOW);
    ShowWindow(form.get(), SW_HIDE);
    renders.clear();

    shadow.Color(0x0000FF);
    shadow.Depth(5);
    EXPECT_TRUE(renders.empty());  // nothing drawn for a hidden form
    ShowWindow(form.get(), SW_SHOWNOACTIVATE);
    ASSERT_NE(Last(ShadowStrip::Right), nullptr);
    ASSERT_NE(Last(ShadowStrip::Bottom), nullptr);
    EXPECT_EQ(Last(ShadowStrip::Bottom)->bits[4 * 295 + 50],
              Premultiplied(0x0000FF, RampBottom(295, 5, 4, 50)));
    EXPECT_EQ(WindowRect(shadow.RightStrip()), Rect(500, 155, 505, 355));
}

TEST_F(ShadowTest, DepthThatLeavesNoRoomGivesEmptyStrips) {
    struct Case {
        int depth, cx, cy;
    };
    const Case cases[] = {{0, 300, 200},   {-4, 300, 200},  {200, 300, 200},
                          {250, 300, 200}, {300, 300, 200}, {120, 120, 300}};
    for (const Case& c : cases) {
        clsShadow shadow([] { return Capable(); });
        Observe(shadow);
        shadow.Depth(c.depth);
        ASSERT_TRUE(shadow.Shadow(form.get()));
        Place(100, 100, c.cx, c.cy, SWP_SHOWWINDOW);
        for (HWND strip : {shadow.RightStrip(), shadow.BottomStrip()}) {
            Box r = WindowRect(strip);
            EXPECT_EQ(r.right - r.left, 0) << "depth " << c.depth;
            EXPECT_EQ(r.bottom - r.top, 0) << "depth " << c.depth;
        }
        EXPECT_TRUE(renders.empty()) << "depth " << c.depth;
        // A depth that fits again brings the strips back.
        shadow.Depth(3);
        EXPECT_EQ(WindowRect(shadow.BottomStrip()), Rect(103, 100 + c.cy, 100 + c.cx, 103 + c.cy));
        ShowWindow(form.get(), SW_HIDE);
        renders.clear();
    }
}

TEST_F(ShadowTest, OneFormPerObjectAndAFailedHookLeavesNothingBehind) {
    clsShadow shadow([] { return Capable(); });
    // A handle that names no window cannot be hooked; the object stays free.
    EXPECT_FALSE(shadow.Shadow(reinterpret_cast<HWND>(static_cast<UINT_PTR>(0x7FFF0))));
    EXPECT_EQ(shadow.RightStrip(), nullptr);
    EXPECT_TRUE(shadow.Shadow(form.get()));

    rt::WindowHandle other(MakeForm());
    HWND right = shadow.RightStrip();
    EXPECT_FALSE(shadow.Shadow(form.get()));
    EXPECT_FALSE(shadow.Shadow(other.get()));
    EXPECT_EQ(shadow.RightStrip(), right);
    EXPECT_EQ(GetWindow(right, GW_OWNER), form.get());
}

TEST_F(ShadowTest, UnsupportedSystemGetsNoShadow) {
    int probes = 0;
    clsShadow shadow([&] {
        ++probes;
        return ShadowCapability{false, true, false};
    });
    EXPECT_EQ(probes, 1);  // at creation
    Observe(shadow);
    EXPECT_FALSE(shadow.Shadow(form.get()));
    EXPECT_EQ(shadow.RightStrip(), nullptr);
    EXPECT_EQ(shadow.BottomStrip(), nullptr);
    shadow.Depth(9);
    shadow.Color(0xFF);
    EXPECT_EQ(shadow.Depth(), 9);
    EXPECT_EQ(shadow.Color(), 0xFF);
    Place(10, 10, 100, 100, SWP_SHOWWINDOW);
    EXPECT_TRUE(renders.empty());
    // The form was not hooked: a display change asks nothing.
    SendMessageA(form.get(), WM_DISPLAYCHANGE, 24, MAKELPARAM(1280, 1024));
    EXPECT_EQ(probes, 1);
}

TEST_F(ShadowTest, DisplayChangesRemoveAndRestoreTheStrips) {
    bool supported = true;
    clsShadow shadow([&] { return ShadowCapability{supported, true, false}; });
    ASSERT_TRUE(shadow.Shadow(form.get()));
    Place(200, 150, 300, 200, SWP_SHOWWINDOW);
    HWND oldRight = shadow.RightStrip();

    supported = false;
    SendMessageA(form.get(), WM_DISPLAYCHANGE, 8, MAKELPARAM(1280, 1024));
    EXPECT_EQ(shadow.RightStrip(), nullptr);
    EXPECT_FALSE(IsWindow(oldRight));
    Place(210, 150, 0, 0, SWP_NOSIZE);  // following without strips does nothing harmful

    supported = true;
    SendMessageA(form.get(), WM_DISPLAYCHANGE, 24, MAKELPARAM(1280, 1024));
    ASSERT_NE(shadow.RightStrip(), nullptr);
    EXPECT_TRUE(IsWindowVisible(shadow.RightStrip()));
    EXPECT_TRUE(IsWindowVisible(shadow.BottomStrip()));
    EXPECT_EQ(WindowRect(shadow.RightStrip()), Rect(510, 157, 517, 357));
    EXPECT_EQ(WindowRect(shadow.BottomStrip()), Rect(217, 350, 510, 357));
}

TEST_F(ShadowTest, EndOfTheObjectOrOfTheForm) {
    HWND right, bottom;
    {
        clsShadow shadow([] { return Capable(); });
        ASSERT_TRUE(shadow.Shadow(form.get()));
        Place(200, 150, 300, 200, SWP_SHOWWINDOW);
        right = shadow.RightStrip();
        bottom = shadow.BottomStrip();
    }
    EXPECT_FALSE(IsWindow(right));
    EXPECT_FALSE(IsWindow(bottom));
    Place(10, 10, 120, 120);  // the form goes on without its hook
    EXPECT_TRUE(IsWindow(form.get()));

    // The form ends first: its strips go with it, and the object ends quietly later.
    clsShadow shadow([] { return Capable(); });
    ASSERT_TRUE(shadow.Shadow(form.get()));
    right = shadow.RightStrip();
    form.reset();
    EXPECT_FALSE(IsWindow(right));
}

TEST_F(ShadowTest, SystemCapabilityOnThisDisplay) {
    // A true-colour display on an NT system of version 5 or later.
    ShadowCapability answer = clsShadow::CheckShadowSupport();
    EXPECT_TRUE(answer.supported);
    EXPECT_TRUE(answer.themes);
}

TEST_F(ShadowTest, NoGdiObjectsLeakOverManyRepaints) {
    testsupport::HandleCounter counter;
    ASSERT_GT(testsupport::HandleCounter::PatchedImports(), 0);
    {
        clsShadow shadow;  // the system's own capability test, screen DC included
        ASSERT_TRUE(shadow.Shadow(form.get()));
        Place(200, 150, 300, 200, SWP_SHOWWINDOW);
        for (int i = 0; i < 200; ++i) {
            shadow.Depth(5 + i % 2);  // each change draws both strips
            if (i % 20 == 0) SendMessageA(form.get(), WM_THEMECHANGED, 0, 0);
            if (i % 10 == 0) Place(200, 150, 300 + i % 3, 200);
        }
        EXPECT_GE(counter.Created(), 400u);
    }
    EXPECT_EQ(counter.GdiObjects(), 0u) << counter.Report();
    EXPECT_EQ(counter.DeviceContexts(), 0u) << counter.Report();
}

}  // namespace
