// The picture-shaped button's outline runs.
#include "controls/buttons/shaped_region.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

constexpr uint32_t kMagenta = 0xFF00FF;

// A w by h top-down 32-bit picture, every pixel from a function of (x, y) giving RGB.
template <class F>
std::vector<uint8_t> Picture(int w, int h, F rgb) {
    std::vector<uint8_t> v(static_cast<size_t>(w) * h * 4);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            uint32_t c = rgb(x, y);
            uint8_t* p = &v[(static_cast<size_t>(y) * w + x) * 4];
            p[0] = static_cast<uint8_t>(c >> 16);
            p[1] = static_cast<uint8_t>(c >> 8);
            p[2] = static_cast<uint8_t>(c);
            p[3] = 0x77;  // unused byte: never compared
        }
    return v;
}

bool Inside(const std::vector<controls::ShapedRun>& runs, int x, int y) {
    for (auto r : runs)
        if (x >= r.left && x < r.right && y >= r.top && y < r.bottom) return true;
    return false;
}

TEST(ShapedOpaqueRuns, BlockBesideMaskIsOneRectangle) {
    // Columns 0-19 magenta, the rest red, as an 80 by 40 stretched state picture.
    auto pic = Picture(80, 40, [](int x, int) { return x < 20 ? kMagenta : 0x0000FFu; });
    auto runs = controls::ShapedOpaqueRuns(pic.data(), 80, 40, kMagenta);
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].left, 20);
    EXPECT_EQ(runs[0].right, 80);
    EXPECT_EQ(runs[0].top, 0);
    EXPECT_EQ(runs[0].bottom, 40);
}

TEST(ShapedOpaqueRuns, HolesRowsAndFullMask) {
    // A ring: magenta centre and corners.
    auto ring = Picture(10, 10, [](int x, int y) {
        bool centre = x >= 3 && x < 7 && y >= 3 && y < 7;
        bool corner = (x == 0 || x == 9) && (y == 0 || y == 9);
        return centre || corner ? kMagenta : 0x00FF00u;
    });
    auto runs = controls::ShapedOpaqueRuns(ring.data(), 10, 10, kMagenta);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x) {
            bool centre = x >= 3 && x < 7 && y >= 3 && y < 7;
            bool corner = (x == 0 || x == 9) && (y == 0 || y == 9);
            EXPECT_EQ(Inside(runs, x, y), !(centre || corner)) << x << "," << y;
        }
    auto none = Picture(5, 5, [](int, int) { return kMagenta; });
    EXPECT_TRUE(controls::ShapedOpaqueRuns(none.data(), 5, 5, kMagenta).empty());
    // A colour one unit off the mask is opaque.
    auto near = Picture(3, 1, [](int, int) { return kMagenta - 1; });
    EXPECT_EQ(controls::ShapedOpaqueRuns(near.data(), 3, 1, kMagenta).size(), 1u);
}

}  // namespace
