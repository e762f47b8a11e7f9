// The transition effects on 800 x 600 picture boxes, the old picture red and the new one blue:
// what the overlay shows on the screen at a chosen refresh, how many refreshes each code takes,
// and the running flag after a failure.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "controls/media/Module4.h"
#include "controls/media/modTransEffects.h"
#include "runtime/controls.h"
#include "runtime/form.h"
#include "runtime/random.h"
#include "support/window_helpers.h"

namespace {

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kGreen = RGB(0, 255, 0);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr int W = 800, H = 600;

// A picture of W x H in one colour, with an optional band of rows or columns in another.
rt::Picture Page(COLORREF back, RECT band = {}, COLORREF bandColour = 0) {
    rt::Picture p = testutil::SolidPicture(W, H, back);
    if (band.right > band.left) {
        HDC screen = GetDC(nullptr);
        HDC dc = CreateCompatibleDC(screen);
        HGDIOBJ old = SelectObject(dc, reinterpret_cast<HBITMAP>(p.Handle()));
        HBRUSH b = CreateSolidBrush(bandColour);
        FillRect(dc, &band, b);
        DeleteObject(b);
        SelectObject(dc, old);
        DeleteDC(dc);
        ReleaseDC(nullptr, screen);
    }
    return p;
}

// The three boxes of a page change on a borderless window at the screen's corner.
class Stage : public rt::Form {
public:
    Stage() : Form("Stage") {
        BorderStyle(rt::vbBSNone);
        Move(0, 0, W * 15, H * 15);
        for (rt::PictureBox* b : {&Picture5, &Picture6, &Picture7}) {
            b->BorderStyle(0);
            b->AutoRedraw(true);
            b->AutoSize(true);
            b->Move(0, 0);
        }
        Picture5.Visible(false);
        Picture6.Visible(false);
    }
    rt::PictureBox Picture5{*this, "Picture5"};
    rt::PictureBox Picture6{*this, "Picture6"};
    rt::PictureBox Picture7{*this, "Picture7"};
    Module4::TransitionBoxes Boxes() { return {Picture5, Picture6, Picture7}; }
};

// What a window shows on the screen: its DC's pixels.
struct ScreenPixels {
    int width = 0, height = 0;
    std::vector<uint32_t> px;
    ScreenPixels(HWND hwnd, RECT area) : width(area.right - area.left), height(area.bottom - area.top) {
        BITMAPINFO bi{};
        bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
        bi.bmiHeader.biWidth = width;
        bi.bmiHeader.biHeight = -height;
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        HDC window = GetDC(hwnd);
        HDC mem = CreateCompatibleDC(window);
        HBITMAP dib = CreateDIBSection(window, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
        HGDIOBJ old = SelectObject(mem, dib);
        BitBlt(mem, 0, 0, width, height, window, area.left, area.top, SRCCOPY);
        GdiFlush();
        px.assign(static_cast<const uint32_t*>(bits), static_cast<const uint32_t*>(bits) + width * height);
        SelectObject(mem, old);
        DeleteObject(dib);
        DeleteDC(mem);
        ReleaseDC(hwnd, window);
    }
    COLORREF at(int x, int y) const {
        const uint32_t v = px[static_cast<size_t>(y * width + x)];
        return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
    }
};

class TransitionTest : public ::testing::Test {
protected:
    void SetUp() override {
        stage = &rt::Load<Stage>();
        stage->Show();
        SetWindowPos(stage->hWnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        // Ticks that move on by one at every reading: the effects never wait for the clock.
        modTransEffects::Seam().tickCount = [this] { return ++tick; };
        modTransEffects::Seam().refreshed = [this](rt::PictureBox& dest) {
            ++refreshes;
            if (onRefresh) onRefresh(refreshes, dest);
        };
    }
    void TearDown() override {
        modTransEffects::Seam() = {};
        stage->Unload();
        testutil::PumpUntil([] { return false; }, 20);
    }
    // The overlay shows the old page; the new page waits in Picture6.
    void Prepare(const rt::Picture& oldPage, const rt::Picture& newPage) {
        stage->Picture5.SetPicture(oldPage);
        stage->Picture6.SetPicture(newPage);
        stage->Picture7.SetPicture(oldPage);
        stage->Picture7.Visible(true);
        stage->Picture7.Refresh();
        refreshes = 0;
    }
    // Plays the code and keeps the overlay's screen pixels at one refresh.
    ScreenPixels* PlayAndCapture(const std::string& code, int atRefresh) {
        onRefresh = [&](int n, rt::PictureBox& dest) {
            if (n == atRefresh) shot = std::make_unique<ScreenPixels>(dest.hWnd(), RECT{0, 0, W, H});
        };
        EXPECT_TRUE(Module4::PageTransition(code, stage->Boxes()));
        onRefresh = nullptr;
        return shot.get();
    }

    Stage* stage = nullptr;
    uint32_t tick = 1000;
    int refreshes = 0;
    std::function<void(int, rt::PictureBox&)> onRefresh;
    std::unique_ptr<ScreenPixels> shot;
};

TEST_F(TransitionTest, WipesShowTheNewPageUpToTheStripOfThatRefresh) {
    Prepare(Page(kRed), Page(kBlue));
    ScreenPixels* s = PlayAndCapture("wl", 11);
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->at(79, 300), kBlue);
    EXPECT_EQ(s->at(80, 300), kRed);

    Prepare(Page(kRed), Page(kBlue));
    s = PlayAndCapture("wd", 11);
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->at(400, 49), kBlue);
    EXPECT_EQ(s->at(400, 50), kRed);

    Prepare(Page(kRed), Page(kBlue));
    s = PlayAndCapture("wh", 11);
    ASSERT_NE(s, nullptr);
    for (int y : {0, 40, 79, 520, 560, 599}) EXPECT_EQ(s->at(400, y), kBlue) << "row " << y;
    for (int y : {80, 300, 519}) EXPECT_EQ(s->at(400, y), kRed) << "row " << y;
}

TEST_F(TransitionTest, StretchPushSqueezesTheNewPageInFromTheLeftOverTheOldOne) {
    // New page: green on its left half, blue on its right half.
    Prepare(Page(kRed), Page(kBlue, RECT{0, 0, W / 2, H}, kGreen));
    ScreenPixels* s = PlayAndCapture("sp", 3);
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->at(20, 300), kGreen);
    EXPECT_EQ(s->at(70, 300), kBlue);
    EXPECT_EQ(s->at(100, 300), kRed);
}

TEST_F(TransitionTest, TwoPhaseSlideMovesTheOldPageUp) {
    // A black row 100 on the old page; in the frame drawn at offset 30 (the 11th) it is at row 70.
    Prepare(Page(kRed, RECT{0, 100, W, 101}, kBlack), Page(kBlue));
    ScreenPixels* s = PlayAndCapture("su", 11);
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->at(400, 70), kBlack);
    EXPECT_EQ(s->at(400, 69), kRed);
    EXPECT_EQ(s->at(400, 100), kRed);
    // The band of the new page at the bottom is 30 rows high.
    EXPECT_EQ(s->at(400, 569), kRed);
    EXPECT_EQ(s->at(400, 570), kBlue);
}

TEST_F(TransitionTest, EachCodeTakesItsNumberOfRefreshesAndEndsOnTheNewPage) {
    const struct {
        const char* code;
        int refreshes;
    } cases[] = {{"wl", 100}, {"wr", 40}, {"wu", 75},  {"wd", 120},  {"wh", 38},
                 {"wv", 50},  {"sp", 18}, {"su", 201}, {"rlh", 800}, {"rlv", 600}};
    const rt::Picture newPage = Page(kBlue);
    for (const auto& c : cases) {
        Prepare(Page(kRed), newPage);
        EXPECT_TRUE(Module4::PageTransition(c.code, stage->Boxes()));
        EXPECT_EQ(refreshes, c.refreshes) << c.code;
        EXPECT_TRUE(stage->Picture7.GetPicture().SameObject(newPage)) << c.code;
        EXPECT_TRUE(modTransEffects::EffectIdle()) << c.code;
    }
    // Other codes play nothing.
    for (const char* code : {"WL", "", "x"}) {
        Prepare(Page(kRed), newPage);
        EXPECT_FALSE(Module4::PageTransition(code, stage->Boxes()));
        EXPECT_EQ(refreshes, 0) << code;
    }
}

TEST_F(TransitionTest, RandomLinesAddOneColumnPerRefreshInTheSameOrderEveryRun) {
    // The column each refresh added, read from one row of the screen.
    auto run = [&] {
        rt::detail::ResetRnd();  // as at the start of a new run of the program
        Prepare(Page(kRed), Page(kBlue));
        std::vector<int> order;
        std::vector<bool> blue(W, false);
        onRefresh = [&](int, rt::PictureBox& dest) {
            ScreenPixels row(dest.hWnd(), RECT{0, 300, W, 301});
            int added = 0;
            for (int x = 0; x < W; ++x)
                if (!blue[x] && row.at(x, 0) == kBlue) {
                    blue[x] = true;
                    order.push_back(x);
                    ++added;
                }
            EXPECT_EQ(added, 1);
        };
        Module4::PageTransition("rlh", stage->Boxes());
        onRefresh = nullptr;
        return order;
    };
    const std::vector<int> first = run();
    EXPECT_EQ(first.size(), 800u);  // entry 800 (the column past the edge) is never drawn
    EXPECT_EQ(run(), first);
}

TEST_F(TransitionTest, AFailureInsideAnEffectLeavesLaterEffectsWorking) {
    Prepare(Page(kRed), Page(kBlue));
    onRefresh = [](int n, rt::PictureBox&) {
        if (n == 3) throw std::runtime_error("refresh failed");
    };
    EXPECT_THROW(modTransEffects::WipeEffect(stage->Picture7, stage->Picture6, 4, 8), std::runtime_error);
    EXPECT_TRUE(modTransEffects::EffectIdle());
    onRefresh = nullptr;
    Prepare(Page(kRed), Page(kBlue));
    modTransEffects::EffectStepDelay = 1;
    modTransEffects::WipeEffect(stage->Picture7, stage->Picture6, 4, 8);
    EXPECT_EQ(refreshes, 100);
}

TEST_F(TransitionTest, StepsWaitTheDelayAcrossTheWrapOfTheTickCounter) {
    // The clock stands still for three readings at every value, and wraps half-way through.
    uint32_t now = 0xFFFFFFE0u;
    int reads = 0;
    modTransEffects::Seam().tickCount = [&] {
        if (++reads % 3 == 0) ++now;
        return now;
    };
    std::vector<uint32_t> shown;
    onRefresh = [&](int, rt::PictureBox&) { shown.push_back(now); };
    Prepare(Page(kRed), Page(kBlue));
    modTransEffects::EffectStepDelay = 1;
    modTransEffects::WipeEffect(stage->Picture7, stage->Picture6, 8, 20);  // 40 steps
    ASSERT_EQ(shown.size(), 40u);
    for (size_t i = 1; i < shown.size(); ++i) EXPECT_GE(shown[i] - shown[i - 1], 1u) << i;
    EXPECT_LT(now, 0x100u);  // it did wrap
}

TEST_F(TransitionTest, AnEmptyDestinationOnlyTakesTheNewPicture) {
    const rt::Picture newPage = Page(kBlue);
    Prepare(Page(kRed), newPage);
    stage->Picture7.AutoSize(false);
    stage->Picture7.Width(0);
    modTransEffects::WipeEffect(stage->Picture7, stage->Picture6, 4, 8);
    modTransEffects::RandomLinesEffect(stage->Picture7, stage->Picture6, 1, 0);
    EXPECT_EQ(refreshes, 0);
    EXPECT_TRUE(stage->Picture7.GetPicture().SameObject(newPage));
}

}  // namespace
