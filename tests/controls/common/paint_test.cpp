// The painting helpers controls share: the one OLE colour translation under each caller's rule,
// and gradient rows.
#include "controls/common/paint.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>

namespace {

TEST(OleColor, EachRuleKeepsItsCallersResult) {
    const COLORREF face = GetSysColor(COLOR_BTNFACE), text = GetSysColor(COLOR_WINDOWTEXT);
    const COLORREF window = GetSysColor(COLOR_WINDOW);
    struct Case {
        uint32_t ole;
        COLORREF platform, realColor, topBitOnly;
    };
    const Case cases[] = {
        {16711680, 16711680, 16711680, 16711680},  // pure blue
        {0, 0, 0, 0},
        {0x8000000F, face, face, face},
        {0x80000008, text, text, text},
        {0x800000FF, 0, 0, 0},                     // no system colour has index 255
        {0x81000005, window, 0, window},           // top bit set, a high byte the platform refuses
        {0x05123456, 0x123456, 0, 0x05123456},     // a high byte the platform refuses
    };
    for (const Case& c : cases) {
        EXPECT_EQ(rt::ToColorRef(c.ole), c.platform) << std::hex << c.ole;
        EXPECT_EQ(controls::GetRealColor(c.ole), c.realColor) << std::hex << c.ole;
        EXPECT_EQ(controls::TranslateOleColor(c.ole), c.topBitOnly) << std::hex << c.ole;
    }
    // Palette-relative values are not the platform's to change under the top-bit rule.
    EXPECT_EQ(controls::TranslateOleColor(0x01000005), 0x01000005u);
    EXPECT_EQ(controls::TranslateOleColor(0x02123456), 0x02123456u);
}

TEST(GradientRow, RunsFromBeginToEndRoundingHalvesToEvenAndStaysInRange) {
    const COLORREF b = RGB(255, 0, 10), e = RGB(0, 255, 200);
    EXPECT_EQ(controls::GradientRow(b, e, 10, 0), b);
    EXPECT_EQ(controls::GradientRow(b, e, 10, 10), e);
    // Steps of 0.5, 1.5 and 2.5: row 1 lands on halves.
    EXPECT_EQ(controls::GradientRow(RGB(0, 0, 0), RGB(1, 3, 5), 2, 1), RGB(0, 2, 2));
    // Two rows past the end of a 4-row gradient: red would fall below 0, green rise above 255.
    EXPECT_EQ(controls::GradientRow(RGB(200, 0, 100), RGB(0, 200, 100), 4, 6), RGB(0, 255, 100));
}

}  // namespace
