// What the alpha picture paints on a white form: placement for each scale method, rotation,
// opacity, brightness, grey scale, the drop shadow, the colour key and the design-time checkerboard.
#include "alpha_fixture.h"

using namespace alphatest;

namespace {

constexpr COLORREF kRed = RGB(255, 0, 0), kBlue = RGB(0, 0, 255), kWhite = RGB(255, 255, 255),
                   kMagenta = RGB(255, 0, 255);
constexpr int kX = 10, kY = 10;  // where the 100 x 100 picture control sits

TEST_F(Alpha, ScaleMethodsPlaceThePicture) {
    aicAlphaImage& p = Make(kX, kY);
    // Fit: 200 x 100 becomes 100 x 50 at (0, 25).
    ASSERT_TRUE(p.LoadImage_FromArray(SolidBmp(200, 100, kRed)));
    EXPECT_EQ(p.DrawWidth(), 100);
    EXPECT_EQ(p.DrawHeight(), 50);
    EXPECT_TRUE(Near(At(kX + 50, kY + 30), 255, 0, 0));
    EXPECT_TRUE(Near(At(kX + 50, kY + 20), 255, 255, 255));
    EXPECT_TRUE(Near(At(kX + 50, kY + 74), 255, 0, 0));
    EXPECT_TRUE(Near(At(kX + 50, kY + 75), 255, 255, 255));

    // Fit but never larger: 50 x 20 stays so, centred at (25, 40).
    p.ScaleMethod(2);
    ASSERT_TRUE(p.LoadImage_FromArray(SolidBmp(50, 20, kRed)));
    EXPECT_EQ(p.ImageX(), 25);
    EXPECT_EQ(p.ImageY(), 40);
    for (POINT red : {POINT{25, 40}, POINT{74, 59}}) EXPECT_TRUE(Near(At(kX + red.x, kY + red.y), 255, 0, 0));
    for (POINT white : {POINT{24, 40}, POINT{75, 60}})
        EXPECT_TRUE(Near(At(kX + white.x, kY + white.y), 255, 255, 255));

    // Stretch fills the control.
    p.ScaleMethod(1);
    EXPECT_EQ(p.DrawWidth(), 100);
    EXPECT_EQ(p.DrawHeight(), 100);
    EXPECT_TRUE(Near(At(kX + 15, kY + 15), 255, 0, 0));
    EXPECT_TRUE(Near(At(kX + 85, kY + 85), 255, 0, 0));

    // Actual size larger than the control: anchored at the top-left corner.
    p.ScaleMethod(3);
    ASSERT_TRUE(p.LoadImage_FromArray(SolidBmp(300, 300, kBlue)));
    EXPECT_EQ(p.ImageX(), 0);
    EXPECT_EQ(p.ImageY(), 0);
    EXPECT_TRUE(Near(At(kX, kY), 0, 0, 255));
    EXPECT_TRUE(Near(At(kX + 100, kY + 100), 255, 255, 255));  // nothing outside the control
}

TEST_F(Alpha, RotationTurnsThePictureInItsSquare) {
    aicAlphaImage& p = Make(kX, kY);
    p.ScaleMethod(3);
    p.RotateEnabled(true);
    p.Rotation(90);
    ASSERT_TRUE(p.LoadImage_FromArray(Bmp(40, 20, [](int x, int) { return x < 20 ? kRed : kBlue; })));
    EXPECT_TRUE(Near(At(kX + 50, kY + 35), 255, 0, 0));
    EXPECT_TRUE(Near(At(kX + 50, kY + 64), 0, 0, 255));
    EXPECT_TRUE(Near(At(kX + 35, kY + 50), 255, 255, 255));
    // The square that holds the picture at any angle: nint(sqrt(40² + 20²)) = 45.
    p.AutoSize(true);
    const RECT r = p.PixelRect();
    EXPECT_EQ(r.right - r.left, 45);
    EXPECT_EQ(r.bottom - r.top, 45);

    // The angle is kept modulo 360 with its sign; while rotation is off it is only stored.
    p.Rotation(450);
    EXPECT_EQ(p.Rotation(), 90);
    p.Rotation(-370);
    EXPECT_EQ(p.Rotation(), -10);
}

struct ColourCase {
    const char* what;
    COLORREF picture;
    std::function<void(aicAlphaImage&)> set;
    int r, g, b;
};

TEST_F(Alpha, OpacityBrightnessAndGreyScale) {
    const ColourCase cases[] = {
        {"opacity 50", RGB(200, 0, 0), [](aicAlphaImage& p) { p.Opacity(50); }, 228, 128, 128},
        {"brighter", RGB(100, 100, 100), [](aicAlphaImage& p) { p.IntensityOffset(20); }, 151, 151, 151},
        {"darker", RGB(100, 100, 100), [](aicAlphaImage& p) { p.IntensityOffset(-20); }, 49, 49, 49},
        {"grey", RGB(255, 0, 0), [](aicAlphaImage& p) { p.grayScale(1); }, 76, 76, 76},
        {"opacity 0 draws nothing", RGB(255, 0, 0), [](aicAlphaImage& p) { p.Opacity(0); }, 255, 255, 255},
    };
    for (const ColourCase& c : cases) {
        aicAlphaImage& p = Make(kX, kY);
        ASSERT_TRUE(p.LoadImage_FromArray(SolidBmp(100, 100, c.picture))) << c.what;
        c.set(p);
        EXPECT_TRUE(Near(At(kX + 50, kY + 50), c.r, c.g, c.b)) << c.what;
        Drop(p);
    }
}

TEST_F(Alpha, SettersKeepTheirRanges) {
    aicAlphaImage& p = Make(kX, kY);
    const std::pair<int, int> opacity[] = {{0, 0}, {100, 100}, {250, 50}, {-40, 40}, {300, 100}, {150, 50}};
    for (auto [set, stored] : opacity) {
        p.Opacity(set);
        EXPECT_EQ(p.Opacity(), stored) << set;
    }
    p.grayScale(3);
    p.grayScale(9);
    EXPECT_EQ(p.grayScale(), 3);
    p.ShadowDepth(11);
    p.ShadowOpacity(101);
    p.HitTest(4);
    p.Mirror(4);
    p.IntensityOffset(101);
    EXPECT_EQ(p.ShadowDepth(), 2);
    EXPECT_EQ(p.ShadowOpacity(), 50);
    EXPECT_EQ(p.HitTest(), 0);
    EXPECT_EQ(p.Mirror(), 0);
    EXPECT_EQ(p.IntensityOffset(), 0);
}

TEST_F(Alpha, SmallShadowIsDrawnBesideThePicture) {
    aicAlphaImage& p = Make(kX, kY);
    p.ScaleMethod(3);
    p.ShadowColor(0);
    p.ShadowDepth(0);
    p.ShadowOffsetX(4);
    p.ShadowOffsetY(4);
    p.ShadowOpacity(50);
    p.ShadowEnabled(true);
    ASSERT_TRUE(p.LoadImage_FromArray(SolidBmp(20, 20, kRed)));
    EXPECT_FALSE(p.HasShadowImage());  // small and unscaled: made at each paint
    EXPECT_TRUE(Near(At(kX + 62, kY + 62), 128, 128, 128));
    EXPECT_TRUE(Near(At(kX + 65, kY + 65), 255, 255, 255));
    EXPECT_TRUE(Near(At(kX + 50, kY + 50), 255, 0, 0));
    // The shadow's opacity follows the picture's.
    p.Opacity(50);
    EXPECT_TRUE(Near(At(kX + 62, kY + 62), 191, 191, 191, 2));
}

TEST_F(Alpha, ShadowOfTheAutoRedrawBufferIsNotTurnedTwice) {
    // A turned picture pre-drawn into the buffer: the buffer's shadow is already turned and placed.
    aicAlphaImage& p = Make(kX, kY);
    p.AutoRedraw(true);
    p.ScaleMethod(3);
    p.RotateEnabled(true);
    p.Rotation(90);
    p.ShadowColor(0);
    p.ShadowDepth(0);
    p.ShadowOffsetX(6);
    p.ShadowOffsetY(0);
    p.ShadowOpacity(100);
    p.ShadowEnabled(true);
    ASSERT_TRUE(p.LoadImage_FromArray(SolidBmp(60, 20, kRed)));
    ASSERT_TRUE(p.HasRedrawBuffer());
    ASSERT_TRUE(p.HasShadowImage());
    // The picture stands upright, 20 x 60 around the centre: x 40..59, y 20..79.
    EXPECT_TRUE(Near(At(kX + 50, kY + 22), 255, 0, 0));
    EXPECT_TRUE(Near(At(kX + 50, kY + 17), 255, 255, 255));
    // Its shadow is the same upright shape 6 pixels to the right: x 46..65.
    EXPECT_TRUE(Near(At(kX + 63, kY + 50), 0, 0, 0, 2));
    EXPECT_TRUE(Near(At(kX + 67, kY + 50), 255, 255, 255));
    // A shadow turned a second time would lie across the control.
    EXPECT_TRUE(Near(At(kX + 20, kY + 50), 255, 255, 255));
    EXPECT_TRUE(Near(At(kX + 80, kY + 50), 255, 255, 255));
}

TEST_F(Alpha, ColourKeyFromACornerAndBack) {
    aicAlphaImage& p = Make(kX, kY);
    p.ScaleMethod(3);
    // Magenta at the top-left pixel and in a square in the middle.
    auto picture = Bmp(100, 100, [](int x, int y) {
        return (x == 0 && y == 0) || (x >= 40 && x < 60 && y >= 40 && y < 60) ? kMagenta : kRed;
    });
    ASSERT_TRUE(p.LoadImage_FromArray(picture));
    EXPECT_TRUE(Near(At(kX + 50, kY + 50), 255, 0, 255));
    p.MaskUsed(2);
    EXPECT_EQ(p.MaskUsed(), 2);
    EXPECT_TRUE(Near(At(kX + 50, kY + 50), 255, 255, 255));
    EXPECT_TRUE(Near(At(kX, kY), 255, 255, 255));
    EXPECT_TRUE(Near(At(kX + 20, kY + 20), 255, 0, 0));
    p.MaskUsed(0);
    EXPECT_TRUE(Near(At(kX + 50, kY + 50), 255, 0, 255));
    EXPECT_TRUE(Near(At(kX, kY), 255, 0, 255));
    // Restored opaque, the picture can be keyed again.
    p.MaskColor(kMagenta);
    p.MaskUsed(1);
    EXPECT_TRUE(Near(At(kX + 50, kY + 50), 255, 255, 255));
}

TEST_F(Alpha, MirrorFlipsByTheDifference) {
    aicAlphaImage& p = Make(kX, kY);
    p.ScaleMethod(3);
    ASSERT_TRUE(p.LoadImage_FromArray(Bmp(100, 100, [](int x, int y) {
        return x < 50 && y < 50 ? kRed : kBlue;  // red top-left quarter
    })));
    p.Mirror(3);
    EXPECT_TRUE(Near(At(kX + 75, kY + 75), 255, 0, 0));
    p.Mirror(1);  // only top to bottom once more
    EXPECT_TRUE(Near(At(kX + 75, kY + 25), 255, 0, 0));
    p.Mirror(0);
    EXPECT_TRUE(Near(At(kX + 25, kY + 25), 255, 0, 0));
}

TEST_F(Alpha, EmptyControlInDesignModeShowsTheCheckerboard) {
    rt::UserControl::SetDesignMode(true);
    aicAlphaImage& p = Make(kX, kY);
    EXPECT_EQ(p.ImageType(), 0);
    EXPECT_TRUE(Near(At(kX, kY), 255, 255, 255, 0));
    EXPECT_TRUE(Near(At(kX + 12, kY + 12), 255, 255, 255, 0));
    EXPECT_TRUE(Near(At(kX + 12, kY), 192, 192, 192, 0));
    rt::UserControl::SetDesignMode(false);

    // At run time an empty control paints nothing.
    aicAlphaImage& run = Make(200, kY);
    EXPECT_TRUE(Near(At(200 + 12, kY), 255, 255, 255, 0));
    EXPECT_EQ(run.ImageType(), 0);
}

}  // namespace
