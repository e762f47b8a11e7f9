// The buttons' window-free arithmetic: colour shifts, blends and gradient tables, caption
// placement, access keys, the glossy button's region carving, gloss parameters and pearl pixels.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "controls/buttons/candy_math.h"
#include "controls/buttons/vx_math.h"

using namespace controls;

namespace {

constexpr uint32_t Rgb(int r, int g, int b) {
    return static_cast<uint32_t>(r) | (static_cast<uint32_t>(g) << 8) | (static_cast<uint32_t>(b) << 16);
}
constexpr uint32_t kBase = Rgb(80, 112, 144);
constexpr uint32_t kWhite = 0xFFFFFF;

TEST(VxColors, ShiftUsesTheFloatValueAndClampsPerChannel) {
    struct Case {
        uint32_t color;
        float f;
        uint32_t want;
    } cases[] = {
        {kBase, 0.3f, Rgb(157, 189, 221)},   // 0.3 adds 77
        {kBase, 0.2f, Rgb(131, 163, 195)},   // 0.2 adds 51
        {kBase, 0.07f, Rgb(98, 130, 162)},   // 17.85 rounds to 18
        {kBase, -0.1f, Rgb(54, 86, 118)},    // 25.5 (plus a little) taken away
        {kBase, -0.34f, Rgb(0, 25, 57)},     // red would go below 0
        {Rgb(216, 239, 248), 0.04f, Rgb(226, 249, 255)},
        {kWhite, 0.2f, kWhite},
        {0, -0.4f, 0},
    };
    for (const Case& c : cases) EXPECT_EQ(VxShiftColor(c.color, c.f), c.want) << c.f;
}

TEST(VxColors, BlendRoundsHalvesToEven) {
    EXPECT_EQ(VxBlendColors(kWhite, kBase), Rgb(168, 184, 200));
    EXPECT_EQ(VxBlendColors(Rgb(1, 3, 0), Rgb(0, 0, 1)), Rgb(0, 2, 0));
}

TEST(VxColors, GradientTablesAndBlocks) {
    // Row 12 of a 24-row vertical gradient from S(B, 0.07) to B.
    EXPECT_EQ(VxGradientEntry(Rgb(98, 130, 162), kBase, 12, 24), Rgb(89, 121, 153));
    EXPECT_EQ(VxGradientEntry(Rgb(10, 20, 30), Rgb(40, 50, 60), 0, 5), Rgb(10, 20, 30));
    EXPECT_EQ(VxGradientEntry(Rgb(10, 20, 30), Rgb(40, 50, 60), 4, 5), Rgb(40, 50, 60));

    // One row between two whites: both halves added, 254.
    uint32_t one = 0;
    VxGradientPixels(1, 1, kWhite, kWhite, 1, &one);
    EXPECT_EQ(one, 0xFEFEFEu);

    // Directions: c1 at the start corner, c2 at the far one; DIB order (red in bits 16 to 23).
    std::vector<uint32_t> px(3 * 2);
    const uint32_t red = Rgb(255, 0, 0), blue = Rgb(0, 0, 255);
    VxGradientPixels(3, 2, red, blue, 0, px.data());
    EXPECT_EQ(px[0], 0xFF0000u);
    EXPECT_EQ(px[2], 0x0000FFu);
    EXPECT_EQ(px[3], 0xFF0000u);
    VxGradientPixels(3, 2, red, blue, 2, px.data());
    EXPECT_EQ(px[0], 0xFF0000u);
    EXPECT_EQ(px[5], 0x0000FFu);
    VxGradientPixels(3, 2, red, blue, 3, px.data());
    EXPECT_EQ(px[3], 0xFF0000u);  // bottom left
    EXPECT_EQ(px[2], 0x0000FFu);  // top right
}

TEST(VxCaption, AccessKeys) {
    const std::map<std::string, char> cases = {
        {"&Save", 's'}, {"a&&b", 0}, {"a&&b&Bc", 'b'}, {"ab&", 0}, {"&", 0}, {"", 0},
        {"x", 0},       {"&&", 0},   {"a&&b&&c&d", 0},
    };
    for (const auto& [caption, key] : cases) EXPECT_EQ(VxAccessKey(caption), key) << caption;
}

TEST(VxCaption, PlacementWithoutPicture) {
    VxCaptionInput in;
    in.W = 100, in.H = 30, in.tw = 40, in.th = 14, in.pictureAlign = 7;
    int lefts[] = {4, 30, 56};
    for (int align = 0; align < 3; ++align) {
        in.captionAlign = align;
        VxCaptionLayout out = VxLayoutCaption(in);
        EXPECT_EQ(out.left, lefts[align]);
        EXPECT_EQ(out.top, 8);
        EXPECT_EQ(out.right, lefts[align] + 40);
        EXPECT_EQ(out.px, 0);
    }
    in.captionAlign = 1;
    in.hasAccessKey = true;
    EXPECT_EQ(VxLayoutCaption(in).left, 33);
    // The focus rectangle follows the caption while not pressed.
    VxCaptionLayout out = VxLayoutCaption(in);
    EXPECT_TRUE(out.setsFocusRect);
    EXPECT_EQ(out.focusLeft, 31);
    EXPECT_EQ(out.focusBottom, 23);
}

TEST(VxCaption, PressedAndLookOffsets) {
    VxCaptionInput in;
    in.W = 100, in.H = 60, in.tw = 20, in.th = 10, in.ps = 16, in.hasPicture = true, in.pictureAlign = 4;
    in.captionAlign = 1;
    const VxCaptionLayout rest = VxLayoutCaption(in);
    EXPECT_EQ(rest.px, 42);
    EXPECT_EQ(rest.py, 22);
    in.state = 2;
    VxCaptionLayout pressed = VxLayoutCaption(in);
    EXPECT_EQ(pressed.px, 43);
    EXPECT_EQ(pressed.left, rest.left + 1);
    EXPECT_EQ(pressed.top, rest.top + 1);
    EXPECT_FALSE(pressed.setsFocusRect);
    in.look = 5;
    pressed = VxLayoutCaption(in);
    EXPECT_EQ(pressed.px, 44);
    EXPECT_EQ(pressed.left, rest.left + 1);
    EXPECT_EQ(pressed.top, rest.top + 2);
    EXPECT_EQ(pressed.bottom, rest.bottom + 1);
    in.state = 1;
    VxCaptionLayout raised = VxLayoutCaption(in);
    EXPECT_EQ(raised.px, 41);
    EXPECT_EQ(raised.left, rest.left - 2);
    EXPECT_EQ(raised.top, rest.top - 2);
    EXPECT_FALSE(raised.setsFocusRect);
}

TEST(VxCaption, PictureAlignments) {
    VxCaptionInput in;
    in.W = 200, in.H = 60, in.tw = 40, in.th = 10, in.ps = 48, in.hasPicture = true;
    struct Case {
        int align, px, py, tx, ty;
    } cases[] = {
        {0, 4, 6, 104, 25},   {1, 56, 6, 107, 25}, {2, 148, 6, 108, 25}, {3, 96, 6, 53, 25},
        {4, 76, 6, 80, 25},   {5, 76, 4, 80, 51},  {6, 76, 4, 80, 51},   {7, 76, 8, 80, -1},
        {8, 76, 8, 80, -1},   {9, 0, 0, 0, 0},
    };
    for (const Case& c : cases) {
        in.pictureAlign = c.align;
        in.captionAlign = 1;
        VxCaptionLayout out = VxLayoutCaption(in);
        EXPECT_EQ(out.px, c.px) << c.align;
        EXPECT_EQ(out.py, c.py) << c.align;
        EXPECT_EQ(out.left, c.tx) << c.align;
        EXPECT_EQ(out.top, c.ty) << c.align;
    }
    in.pictureAlign = 1, in.captionAlign = 0;
    EXPECT_EQ(VxLayoutCaption(in).left, 56 + 48 + 4);
    in.pictureAlign = 2, in.captionAlign = 2;
    EXPECT_EQ(VxLayoutCaption(in).left, 108);
    in.pictureAlign = 5;
    EXPECT_EQ(VxLayoutCaption(in).left, 156);
}

TEST(CandyColors, BlendClampsAndWritesBack) {
    int32_t p = 150;
    EXPECT_EQ(CandyBlend(Rgb(10, 20, 30), Rgb(200, 100, 50), p), Rgb(200, 100, 50));
    EXPECT_EQ(p, 100);
    p = -5;
    EXPECT_EQ(CandyBlend(Rgb(10, 20, 30), Rgb(200, 100, 50), p), Rgb(10, 20, 30));
    EXPECT_EQ(p, 0);
    // The gloss band of Style 2, row 15 of a 30-pixel button: 46 percent toward the body.
    EXPECT_EQ(CandyBlendBy(kWhite, Rgb(32, 103, 208), 46), Rgb(153, 186, 234));
}

TEST(CandyColors, ClassicRuns) {
    // Style 0 normal, row 13 of a 30-pixel button (H = 29).
    EXPECT_EQ(CandyRunColor(Rgb(236, 235, 230), Rgb(214, 208, 197), 13, 26), Rgb(225, 222, 214));
    // Hover side strip, i = 10.
    EXPECT_EQ(CandyRunColor(Rgb(253, 216, 137), Rgb(248, 178, 48), 10, 29), Rgb(251, 203, 106));
    // 0 / 0 draws the start colour.
    EXPECT_EQ(CandyRunColor(Rgb(236, 235, 230), Rgb(214, 208, 197), 0, 0), Rgb(236, 235, 230));
    // Fractions above 1 extrapolate.
    EXPECT_EQ(CandyRunColor(Rgb(226, 226, 218), Rgb(242, 241, 238), 4, 3), Rgb(247, 246, 245));
}

TEST(CandyGeometry, RegionRadii) {
    EXPECT_EQ(CandyRegionRadius(2, 100, 30), 16);
    EXPECT_EQ(CandyRegionRadius(3, 100, 30), 12);
    EXPECT_EQ(CandyRegionRadius(4, 20, 30), 10);  // at most half the width
    EXPECT_EQ(CandyRegionRadius(6, 100, 31), 10);
    EXPECT_EQ(CandyRegionRadius(7, 100, 30), 8);
    EXPECT_EQ(CandyRegionRadius(0, 100, 30), 0);
    EXPECT_EQ(CandyRegionRadius(8, 100, 30), 0);
}

// The carved region as rows of inside pixels.
std::vector<std::vector<bool>> Carve(int w, int h, int r) {
    std::vector<std::vector<bool>> in(static_cast<size_t>(h), std::vector<bool>(static_cast<size_t>(w), true));
    CandyCarveRegion(0, 0, w, h, r, [&](int l, int t, int rr, int b) {
        for (int y = t; y < b && y < h; ++y)
            for (int x = l; x < rr && x < w; ++x) in[size_t(y)][size_t(x)] = !in[size_t(y)][size_t(x)];
    });
    return in;
}

std::pair<int, int> Span(const std::vector<bool>& row) {
    int first = -1, last = -1;
    for (int x = 0; x < static_cast<int>(row.size()); ++x)
        if (row[size_t(x)]) {
            if (first < 0) first = x;
            last = x;
        }
    return {first, last};
}

TEST(CandyGeometry, Style2RegionAt100x30) {
    auto in = Carve(100, 30, 16);
    EXPECT_EQ(Span(in[0]), std::make_pair(-1, -1));
    EXPECT_EQ(Span(in[1]), std::make_pair(13, 87));
    EXPECT_EQ(Span(in[15]), std::make_pair(1, 99));
    // Rows are solid between their ends, and the shape is symmetric top to bottom but for the
    // one-column shorter right side.
    for (int y = 0; y < 30; ++y) {
        auto [first, last] = Span(in[size_t(y)]);
        for (int x = first; first >= 0 && x <= last; ++x) EXPECT_TRUE(in[size_t(y)][size_t(x)]) << x << "," << y;
    }
}

TEST(CandyGeometry, PointTest) {
    EXPECT_FALSE(CandyInRoundRect(0, 15, 0, 0, 100, 30, 16));  // column 0 is always outside
    EXPECT_TRUE(CandyInRoundRect(50, 15, 0, 0, 100, 30, 16));
    EXPECT_TRUE(CandyInRoundRect(1, 15, 0, 0, 99, 30, 10));
    EXPECT_FALSE(CandyInRoundRect(1, 15, 1, 1, 97, 28, 10));
    EXPECT_FALSE(CandyInCorner(5, 0, 3));  // beyond the radius
}

TEST(CandyGeometry, GlossParameters) {
    CandyGlossParams p;
    ASSERT_TRUE(CandyGlossShape(3, 12, 100, 30, p));
    EXPECT_EQ(p.P[2], 4);
    EXPECT_EQ(p.P[3], 0);
    EXPECT_EQ(p.P[4], 10);
    EXPECT_EQ(p.P[5], 12);
    EXPECT_EQ(p.P[6], 124);
    EXPECT_EQ(p.P[8], 77);
    ASSERT_TRUE(CandyGlossShape(2, 16, 100, 30, p));
    EXPECT_EQ(p.P[5], 18);  // 17.6
    EXPECT_EQ(p.P[6], 132);
    CandyGlowBox glow = CandyGlowSize(100, 30, p);
    EXPECT_EQ(glow.cx, 300);
    EXPECT_EQ(glow.cy, 18);
    ASSERT_TRUE(CandyGlossShape(7, 8, 100, 30, p));
    EXPECT_EQ(p.P[6], 92);
    EXPECT_EQ(p.P[10], 15);
    EXPECT_FALSE(CandyGlossShape(3, 12, 100, 0.4, p));  // no height: no body
    EXPECT_FALSE(CandyGlossShape(6, 12, 100, 30, p));
    ASSERT_TRUE(CandyGlossShape(2, 1, 3, 1, p));
    glow = CandyGlowSize(3, 1, p);
    EXPECT_EQ(glow.cy, 1);
}

TEST(CandyGeometry, PearlPixels) {
    // 100 x 31 with the stored default colours: W = 99, H = 30, radius 10.
    const uint32_t up = Rgb(80, 153, 233), bright = Rgb(176, 237, 255);
    std::map<std::pair<int, int>, uint32_t> px;
    CandyPaintPearlPixels(99, 30, 10, up, bright, [&](int x, int y, uint32_t c) {
        px[{x, y}] = c;
        px[{99 - x, y}] = c;
    });
    EXPECT_EQ((px[{49, 15}]), up);
    EXPECT_EQ((px[{50, 15}]), up);
    EXPECT_EQ((px[{1, 15}]), Rgb(40, 76, 116));
    EXPECT_EQ((px[{49, 3}]), Rgb(240, 246, 254));
    EXPECT_EQ((px[{49, 2}]), Rgb(162, 225, 251));
    EXPECT_EQ(px.count({0, 0}), 0u);  // outside the rim: left alone
    // One row of body: nothing to blend over.
    int calls = 0;
    CandyPaintPearlPixels(99, 0, 1, up, bright, [&](int, int, uint32_t) { ++calls; });
    EXPECT_EQ(calls, 0);
}

}  // namespace
