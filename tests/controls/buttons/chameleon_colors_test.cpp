// The dialog button's colour arithmetic, scheme slots, compositing pass and outlines.
#include "controls/buttons/chameleon_colors.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

using controls::ChameleonShiftColor;

constexpr uint32_t Rgb(int r, int g, int b) { return static_cast<uint32_t>(r + 256 * g + 65536 * b); }

TEST(ChameleonShiftColor, PlainBlueWeightedSoftAndLimited) {
    struct Case {
        uint32_t c;
        int n;
        bool blue, soft;
        uint32_t want;
    };
    const uint32_t tinted = Rgb(240, 240, 240);
    const Case cases[] = {
        {tinted, 16, true, false, Rgb(255, 255, 255)},  // capped
        {tinted, 10, true, false, Rgb(250, 250, 252)},
        {tinted, -48, true, false, Rgb(192, 192, 180)},
        {tinted, -36, true, false, Rgb(204, 204, 195)},
        {tinted, -24, true, false, Rgb(216, 216, 210)},
        {tinted, -84, true, false, Rgb(156, 156, 135)},
        {Rgb(208, 208, 200), -15, true, false, Rgb(193, 193, 185)},
        {Rgb(255, 0, 0), 47, false, false, Rgb(255, 47, 47)},
        {Rgb(255, 0, 0), -64, false, false, Rgb(191, 0, 0)},
        {Rgb(255, 0, 0), -192, false, false, Rgb(63, 0, 0)},
        {Rgb(255, 0, 0), 47, false, true, Rgb(255, 23, 23)},     // soft: 47 / 2
        {Rgb(100, 100, 100), -5, false, true, Rgb(98, 98, 98)},  // soft: -5 / 2 toward zero
        {Rgb(10, 20, 0), 30, true, false, Rgb(40, 50, 0)},       // no blue, none added
        {Rgb(10, 20, 200), -192, true, false, Rgb(0, 0, 0)},     // all blue removed
        {Rgb(1, 2, 3), 0, false, false, Rgb(1, 2, 3)},
    };
    for (const Case& k : cases)
        EXPECT_EQ(ChameleonShiftColor(k.c, k.n, k.blue, k.soft), k.want) << std::hex << k.c << " " << std::dec << k.n;
    // Twice in a row, as the pressed face is made.
    EXPECT_EQ(ChameleonShiftColor(ChameleonShiftColor(tinted, -32, true, false), -15, true, false), Rgb(193, 193, 185));
}

TEST(ChameleonLightenColor, RaisesEveryChannelToTheFloor) {
    EXPECT_EQ(controls::ChameleonLightenColor(0x000000, 176), 0xB0B0B0u);
    EXPECT_EQ(controls::ChameleonLightenColor(0xFFFFFF, 176), 0xFFFFFFu);
    // 176 + 79 * 128 / 255 = 215
    EXPECT_EQ(controls::ChameleonLightenColor(Rgb(128, 0, 255), 176), Rgb(215, 176, 255));
}

TEST(ChameleonSchemeColors, EachSchemeFillsItsSlots) {
    const controls::ChameleonSystemColors sys{Rgb(1, 1, 1), Rgb(2, 2, 2), Rgb(3, 3, 3), Rgb(4, 4, 4),
                                              Rgb(5, 5, 5), Rgb(6, 6, 6), Rgb(0, 0, 0)};
    // Scheme 3 ignores the control's colours.
    auto k = controls::ChameleonSchemeColors({3, 0xFF, 0xFF00, 0xFF0000, 0xFF00FF, 3, false}, sys);
    EXPECT_EQ(k.face, 0xC0C0C0u);
    EXPECT_EQ(k.tinted, 0xF0F0F0u);
    EXPECT_EQ(k.shadow, 0x808080u);
    EXPECT_EQ(k.light, 0xDFDFDFu);
    EXPECT_EQ(k.accent, 0x800000u);
    EXPECT_EQ(k.tint, 0xD1ADADu);
    EXPECT_EQ(k.caption, 0u);
    EXPECT_EQ(k.mask, 0xFF00FFu);

    k = controls::ChameleonSchemeColors({2, 0xFF, 0xFF00, 0xFF0000, 0, 1, false}, sys);
    EXPECT_EQ(k.face, 0xFFu);
    EXPECT_EQ(k.caption, 0xFF00u);
    EXPECT_EQ(k.hoverCaption, 0xFF0000u);
    EXPECT_EQ(k.highlight, Rgb(255, 47, 47));
    EXPECT_EQ(k.light, Rgb(255, 31, 31));
    EXPECT_EQ(k.shadow, Rgb(191, 0, 0));
    EXPECT_EQ(k.dark, Rgb(63, 0, 0));
    EXPECT_EQ(k.accent, Rgb(127, 0, 0));
    EXPECT_EQ(k.tint, 0xFFu);
    EXPECT_EQ(k.tinted, Rgb(255, 48, 48));

    // Scheme 1 and unknown schemes read the system; the tint lightens the selection colour.
    for (int scheme : {1, 0, 7}) {
        k = controls::ChameleonSchemeColors({scheme, 0xFF, 0xFF00, 0, 0, 1, false}, sys);
        EXPECT_EQ(k.face, sys.face);
        EXPECT_EQ(k.caption, sys.text);
        EXPECT_EQ(k.hoverCaption, sys.text);
        EXPECT_EQ(k.dark, sys.dark);
        EXPECT_EQ(k.tint, 0xB0B0B0u);
    }
    // Scheme 4: the container's colours, the selection as accent.
    k = controls::ChameleonSchemeColors({4, Rgb(100, 100, 100), 0x123456, 0, 0, 1, false}, sys);
    EXPECT_EQ(k.caption, 0x123456u);
    EXPECT_EQ(k.hoverCaption, 0x123456u);
    EXPECT_EQ(k.shadow, Rgb(36, 36, 36));
    EXPECT_EQ(k.accent, 0u);
    EXPECT_EQ(k.tint, 0xB0B0B0u);
}

// A w by h 24-bit buffer of one colour.
std::vector<uint8_t> Filled(int w, int h, uint32_t rgb) {
    const int stride = controls::ChameleonRowBytes(w);
    std::vector<uint8_t> v(static_cast<size_t>(stride) * h + 8, 0xAA);  // guard bytes after the end
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            uint8_t* p = &v[static_cast<size_t>(y) * stride + 3 * x];
            p[0] = static_cast<uint8_t>(rgb >> 16);
            p[1] = static_cast<uint8_t>(rgb >> 8);
            p[2] = static_cast<uint8_t>(rgb);
        }
    return v;
}

uint32_t At(const std::vector<uint8_t>& v, int w, int x, int y) {
    const uint8_t* p = &v[static_cast<size_t>(y) * controls::ChameleonRowBytes(w) + 3 * x];
    return Rgb(p[2], p[1], p[0]);
}

TEST(ChameleonComposeRows, MaskSilhouetteGreyBlendAndCopy) {
    const int w = 15, h = 3;  // rows of 45 bytes padded to 48
    ASSERT_EQ(controls::ChameleonRowBytes(w), 48);
    auto picture = Filled(w, h, Rgb(255, 0, 0));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < 5; ++x) {
            uint8_t* p = &picture[static_cast<size_t>(y) * 48 + 3 * x];
            p[0] = p[1] = p[2] = 0xC0;  // the mask colour
        }
    struct Case {
        controls::ChameleonBlend how;
        uint32_t masked, red;
    };
    const uint32_t white = 0xFFFFFF, grey = 0xC0C0C0;
    const Case cases[] = {
        {{true, grey, -1, false, false, false}, white, Rgb(255, 0, 0)},
        {{false, grey, -1, false, false, false}, grey, Rgb(255, 0, 0)},
        {{true, grey, -1, false, true, false}, white, Rgb(76, 76, 76)},  // 76.5 to even
        {{true, grey, -1, false, false, true}, white, Rgb(255, 85, 85)},
        {{true, grey, Rgb(1, 2, 3), false, false, false}, white, Rgb(1, 2, 3)},
        // Dark only: a light pixel (sum above 384) keeps the background; red (255) is painted.
        {{false, 0, Rgb(1, 2, 3), true, false, false}, white, Rgb(1, 2, 3)},
    };
    for (const Case& k : cases) {
        auto bg = Filled(w, h, white);
        controls::ChameleonComposeRows(bg.data(), picture.data(), w, h, k.how);
        for (int y = 0; y < h; ++y) {
            EXPECT_EQ(At(bg, w, 0, y), k.masked);
            EXPECT_EQ(At(bg, w, 4, y), k.masked);
            EXPECT_EQ(At(bg, w, 5, y), k.red);
            EXPECT_EQ(At(bg, w, 14, y), k.red);
        }
        for (size_t i = static_cast<size_t>(48) * h; i < bg.size(); ++i) EXPECT_EQ(bg[i], 0xAA) << "overrun";
        for (int y = 0; y < h; ++y)
            for (int i = 45; i < 48; ++i) EXPECT_EQ(bg[static_cast<size_t>(y) * 48 + i], 0xAA) << "padding";
    }
}

TEST(ChameleonOutline, InsetsAndCutCorners) {
    EXPECT_EQ(controls::ChameleonFocusInset(3), 4);
    EXPECT_EQ(controls::ChameleonFocusInset(7), 3);
    EXPECT_EQ(controls::ChameleonFocusInset(13), 3);
    EXPECT_EQ(controls::ChameleonFocusInset(14), 5);
    EXPECT_EQ(controls::ChameleonFocusInset(99), 4);

    auto has = [](const std::vector<controls::ChameleonPixel>& v, int x, int y) {
        for (auto p : v)
            if (p.x == x && p.y == y) return true;
        return false;
    };
    auto t3 = controls::ChameleonCutPixels(3, 80, 25);
    EXPECT_EQ(t3.size(), 12u);
    EXPECT_TRUE(has(t3, 0, 0) && has(t3, 1, 0) && has(t3, 0, 1) && has(t3, 78, 24) && has(t3, 79, 23));
    EXPECT_FALSE(has(t3, 2, 0) || has(t3, 1, 1));
    auto t5 = controls::ChameleonCutPixels(5, 80, 25);
    EXPECT_TRUE(has(t5, 0, 24) && has(t5, 79, 0));
    EXPECT_FALSE(has(t5, 0, 0) || has(t5, 79, 24));
    EXPECT_EQ(controls::ChameleonCutPixels(14, 80, 25).size(), 4u);
    EXPECT_TRUE(controls::ChameleonCutPixels(2, 80, 25).empty());
    EXPECT_TRUE(controls::ChameleonCutPixels(13, 80, 25).empty());
}

TEST(ChameleonAccessKey, AmpersandRules) {
    struct Case {
        const wchar_t* caption;
        wchar_t key;
    };
    const Case cases[] = {
        {L"&Save", L's'}, {L"a&&b", 0},  {L"a&&b&Bc", L'b'}, {L"ab&", 0}, {L"&", 0},
        {L"", 0},         {L"Save", 0}, {L"a&&&&b", 0},      {L"x&Y", L'y'},
    };
    for (const Case& k : cases) EXPECT_EQ(controls::ChameleonAccessKey(k.caption), k.key) << k.caption;
}

}  // namespace
