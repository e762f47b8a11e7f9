// Drawing into memory device contexts and image objects, with the pixels read back and compared
// with the blending, grey scale, lightness, mirroring and scaling formulas; the choice between
// AlphaBlend, GDI+ and the own pipeline.
#include <gtest/gtest.h>
#include <windows.h>

#include <cmath>

#include "imaging/c32bppDIB.h"
#include "imaging/gdiplus_service.h"
#include "imaging/win_support.h"

using namespace imaging;
using namespace imaging_test;

namespace {

enum class Path { AlphaBlend, GdiPlus, Own };
const char* Name(Path p) { return p == Path::AlphaBlend ? "AlphaBlend" : p == Path::GdiPlus ? "GDI+" : "own"; }

// Configures an image so that plain draws take the given path. GDI+ gets a lent token, which the
// returned lease holds.
struct PathSetup {
    ULONG_PTR token = 0;
    ~PathSetup() {
        if (token) GdiplusService::Instance().Stop(token);
    }
    void Apply(c32bppDIB& image, Path path) {
        image.HighQualityInterpolation(false);
        switch (path) {
            case Path::AlphaBlend:
                image.isGDIplusEnabled(false);
                image.isAlphaBlendFriendly(true);
                break;
            case Path::GdiPlus:
                image.isGDIplusEnabled(true);
                ASSERT_TRUE(GdiplusService::Instance().Start(token));
                image.gdiToken(token);
                break;
            case Path::Own:
                image.isGDIplusEnabled(false);
                image.isAlphaBlendFriendly(false);
                break;
        }
    }
};

Bgra Solid(uint8_t b, uint8_t g, uint8_t r) { return {b, g, r, 255}; }

void ExpectNear(const Bgr& got, const Bgr& want, int tolerance, const std::string& what) {
    for (int c = 0; c < 3; ++c) EXPECT_NEAR(got[c], want[c], tolerance) << what << " channel " << c;
}

// Red, green and blue weights of each grey scale formula.
struct Weights {
    int formula;
    float r, g, b;
};
const Weights kWeights[] = {{0, 0.299f, 0.587f, 0.114f}, {1, 0.213f, 0.715f, 0.072f}, {2, 0.333f, 0.334f, 0.333f},
                            {3, 0.8f, 0.1f, 0.1f},       {4, 0.1f, 0.8f, 0.1f},       {5, 0.1f, 0.1f, 0.8f},
                            {6, 0.45f, 0.45f, 0.1f},     {7, 0.1f, 0.45f, 0.45f},     {12, 0.299f, 0.587f, 0.114f}};

}  // namespace

TEST(Render, PathChoice) {
    struct Case {
        const char* what;
        bool gdiplus;
        bool lentToken;
        bool friendly;
        bool highQuality;
        int destWidth;  // 4 = unscaled, 8 = scaled, -4 mirrored
        int grayScale;
        float light;
        RenderPath path;
    };
    const Case cases[] = {
        {"GDI+ enabled, no token, plain", true, false, true, true, 4, -1, 0, RenderPath::AlphaBlend},
        {"GDI+ enabled, no token, grey", true, false, true, true, 4, 0, 0, RenderPath::GdiPlus},
        {"GDI+ enabled and started", true, true, true, false, 4, -1, 0, RenderPath::GdiPlus},
        {"GDI+ enabled, no token, scaled high quality", true, false, true, true, 8, -1, 0, RenderPath::GdiPlus},
        {"no GDI+, scaled high quality", false, false, true, true, 8, -1, 0, RenderPath::Own},
        {"no GDI+, scaled low quality", false, false, true, false, 8, -1, 0, RenderPath::AlphaBlend},
        {"no GDI+, not AlphaBlend friendly", false, false, false, false, 4, -1, 0, RenderPath::Own},
        {"no GDI+, mirrored", false, false, true, false, -4, -1, 0, RenderPath::Own},
        {"no GDI+, lightness", false, false, true, false, 4, -1, 30, RenderPath::Own},
        {"no GDI+, lightness out of range acts as 0", false, false, true, false, 4, -1, 100.5f,
         RenderPath::AlphaBlend},
    };
    for (const Case& c : cases) {
        c32bppDIB image;
        FillImage(image, 4, 4, [](int, int) { return Solid(1, 2, 3); });
        image.isGDIplusEnabled(c.gdiplus);
        image.isAlphaBlendFriendly(c.friendly);
        image.HighQualityInterpolation(c.highQuality);
        ULONG_PTR token = 0;
        if (c.lentToken) {
            ASSERT_TRUE(GdiplusService::Instance().Start(token));
        }
        image.gdiToken(token);
        Canvas canvas(16, 16, {0, 0, 0});
        EXPECT_TRUE(image.Render(canvas.dc(), 0, 0, c.destWidth, 4, 0, 0, 0, 0, 100, true, true, nullptr, c.grayScale,
                                 c.light))
            << c.what;
        EXPECT_EQ(image.LastRenderPath(), c.path) << c.what;
        if (token) GdiplusService::Instance().Stop(token);
    }

    // A whole number of turns is no rotation; a fraction of a degree is.
    c32bppDIB image;
    FillImage(image, 4, 4, [](int, int) { return Solid(1, 2, 3); });
    image.isGDIplusEnabled(false);
    Canvas canvas(8, 8, {0, 0, 0});
    for (float angle : {360.0f, -720.0f}) {
        EXPECT_TRUE(image.Render(canvas.dc(), 0, 0, 0, 0, 0, 0, 0, 0, 100, true, true, nullptr, -1, 0, angle));
        EXPECT_EQ(image.LastRenderPath(), RenderPath::AlphaBlend) << angle;
    }
    image.Render(canvas.dc(), 0, 0, 0, 0, 0, 0, 0, 0, 100, true, true, nullptr, -1, 0, 0.25f);
    EXPECT_EQ(image.LastRenderPath(), RenderPath::Rotated);
}

TEST(Render, OpacityOnEveryPath) {
    struct Case {
        int opacity;
        uint8_t expected;  // target 200, opaque source 64
    };
    // constant alpha = percent x 255 \ 100; 50 % gives 127: (200 x 128 + 64 x 127) \ 255 = 132
    const Case cases[] = {{100, 64}, {50, 132}, {150, 132}, {200, 64}};
    for (Path path : {Path::Own, Path::AlphaBlend, Path::GdiPlus})
        for (const Case& c : cases) {
            c32bppDIB image;
            FillImage(image, 2, 2, [](int, int) { return Solid(64, 64, 64); });
            PathSetup setup;
            setup.Apply(image, path);
            Canvas canvas(4, 4, {200, 200, 200});
            ASSERT_TRUE(image.Render(canvas.dc(), 1, 1, 0, 0, 0, 0, 0, 0, c.opacity)) << Name(path) << c.opacity;
            const int tolerance = path == Path::Own ? 0 : 1;
            ExpectNear(canvas.At(1, 1), {c.expected, c.expected, c.expected}, tolerance,
                       std::string(Name(path)) + " opacity " + std::to_string(c.opacity));
            ExpectNear(canvas.At(0, 0), {200, 200, 200}, 0, Name(path));
        }

    c32bppDIB image;
    FillImage(image, 2, 2, [](int, int) { return Solid(64, 64, 64); });
    Canvas canvas(4, 4, {200, 200, 200});
    EXPECT_TRUE(image.Render(canvas.dc(), 0, 0, 0, 0, 0, 0, 0, 0, 0));
    EXPECT_TRUE(image.Render(canvas.dc(), 0, 0, 0, 0, 0, 0, 0, 0, -5));
    ExpectNear(canvas.At(0, 0), {200, 200, 200}, 0, "nothing drawn");
    c32bppDIB none;
    EXPECT_FALSE(none.Render(canvas.dc(), 0, 0, 0, 0, 0, 0, 0, 0, 0));
    EXPECT_FALSE(none.Render(canvas.dc()));
    EXPECT_FALSE(image.Render(nullptr));
}

TEST(Render, BlendingOntoAColouredBackground) {
    // Premultiplied (64, 32, 0) at alpha 128 over (200, 100, 50): d x 127 \ 255 + s.
    const Bgr expected = {200 * 127 / 255 + 64, 100 * 127 / 255 + 32, 50 * 127 / 255 + 0};
    for (Path path : {Path::Own, Path::AlphaBlend, Path::GdiPlus}) {
        c32bppDIB image;
        FillImage(image, 3, 3, [](int x, int) { return x == 2 ? Bgra{0, 0, 0, 0} : Bgra{64, 32, 0, 128}; });
        PathSetup setup;
        setup.Apply(image, path);
        Canvas canvas(5, 5, {200, 100, 50});
        ASSERT_TRUE(image.Render(canvas.dc(), 1, 1)) << Name(path);
        ExpectNear(canvas.At(1, 1), expected, path == Path::Own ? 0 : 1, Name(path));
        ExpectNear(canvas.At(3, 1), {200, 100, 50}, 0, std::string(Name(path)) + " transparent pixel");
    }
}

TEST(Render, GreyScaleFormulas) {
    // Opaque red 200, green 100, blue 50: grey = 50 x wB + 100 x wG + 200 x wR, rounded.
    for (Path path : {Path::Own, Path::GdiPlus})
        for (const Weights& w : kWeights) {
            c32bppDIB image;
            FillImage(image, 2, 2, [](int, int) { return Solid(50, 100, 200); });
            PathSetup setup;
            setup.Apply(image, path);
            Canvas canvas(2, 2, {0, 0, 0});
            ASSERT_TRUE(image.Render(canvas.dc(), 0, 0, 0, 0, 0, 0, 0, 0, 100, true, true, nullptr, w.formula));
            const float grey = 50.0f * w.b + 100.0f * w.g + 200.0f * w.r;
            const uint8_t g = static_cast<uint8_t>(std::nearbyint(grey));
            ExpectNear(canvas.At(0, 0), {g, g, g}, path == Path::Own ? 0 : 2,
                       std::string(Name(path)) + " formula " + std::to_string(w.formula));
        }

    // Grey at 50 % opacity through the own pipeline: (d x 128 + g x 127) \ 255.
    c32bppDIB image;
    FillImage(image, 1, 1, [](int, int) { return Solid(0, 0, 255); });
    PathSetup setup;
    setup.Apply(image, Path::Own);
    Canvas canvas(1, 1, {200, 200, 200});
    ASSERT_TRUE(image.Render(canvas.dc(), 0, 0, 0, 0, 0, 0, 0, 0, 50, true, true, nullptr, 0));
    const uint8_t v = (200 * 128 + 76 * 127) / 255;
    ExpectNear(canvas.At(0, 0), {v, v, v}, 0, "grey at 50 %");
}

TEST(Render, Lightness) {
    for (Path path : {Path::Own, Path::GdiPlus}) {
        c32bppDIB image;
        FillImage(image, 2, 1, [](int x, int) { return x ? Solid(100, 100, 100) : Solid(200, 0, 0); });
        PathSetup setup;
        setup.Apply(image, path);
        Canvas canvas(2, 1, {0, 0, 0});
        ASSERT_TRUE(image.Render(canvas.dc(), 0, 0, 0, 0, 0, 0, 0, 0, 100, true, true, nullptr, -1, 50));
        // m = nearest(255 x 127.5) \ 255 = 127, limited by alpha.
        ExpectNear(canvas.At(0, 0), {255, 127, 127}, path == Path::Own ? 0 : 2, Name(path));
        ExpectNear(canvas.At(1, 0), {227, 227, 227}, path == Path::Own ? 0 : 2, Name(path));
    }
    // -100 takes all colour away; a value outside -100..100 acts as 0.
    c32bppDIB image;
    FillImage(image, 1, 1, [](int, int) { return Solid(100, 150, 200); });
    PathSetup setup;
    setup.Apply(image, Path::Own);
    Canvas canvas(1, 1, {9, 9, 9});
    image.Render(canvas.dc(), 0, 0, 0, 0, 0, 0, 0, 0, 100, true, true, nullptr, -1, -100);
    ExpectNear(canvas.At(0, 0), {0, 0, 0}, 0, "-100");
    image.Render(canvas.dc(), 0, 0, 0, 0, 0, 0, 0, 0, 100, true, true, nullptr, -1, -101);
    ExpectNear(canvas.At(0, 0), {100, 150, 200}, 0, "-101");
}

TEST(Render, Mirroring) {
    // Four columns A B C D (blue 10, 20, 30, 40); row 1 has green 1.
    auto pixel = [](int x, int y) { return Solid(static_cast<uint8_t>(10 * (x + 1)), static_cast<uint8_t>(y), 0); };
    for (Path path : {Path::Own, Path::GdiPlus}) {
        c32bppDIB image;
        FillImage(image, 4, 2, pixel);
        PathSetup setup;
        setup.Apply(image, path);
        Canvas canvas(8, 4, {0, 0, 0});
        ASSERT_TRUE(image.Render(canvas.dc(), 1, 1, -4, 0)) << Name(path);
        for (int x = 0; x < 4; ++x) EXPECT_EQ(canvas.At(1 + x, 1)[0], 10 * (4 - x)) << Name(path) << " x " << x;
        ASSERT_TRUE(image.Render(canvas.dc(), 1, 1, 4, -2)) << Name(path);
        EXPECT_EQ(canvas.At(1, 1)[1], 1) << Name(path) << " vertical";
        EXPECT_EQ(canvas.At(1, 2)[1], 0) << Name(path) << " vertical";
        EXPECT_EQ(canvas.At(1, 1)[0], 10) << Name(path) << " vertical";
    }

    // A negative source width mirrors the rectangle counted in the mirrored picture:
    // 20 columns of a 100-wide picture, source columns 99 down to 80, stretched to 100.
    c32bppDIB wide;
    FillImage(wide, 100, 1, [](int x, int) { return Solid(static_cast<uint8_t>(x), 0, 0); });
    PathSetup setup;
    setup.Apply(wide, Path::Own);
    Canvas canvas(100, 1, {0, 0, 0});
    ASSERT_TRUE(wide.Render(canvas.dc(), 0, 0, 0, 0, 0, 0, -20, 0));
    for (int x = 0; x < 100; ++x) EXPECT_EQ(canvas.At(x, 0)[0], 99 - x / 5) << x;

    // Mirrored and unscaled at a negative position: cut at the left edge, not shifted.
    c32bppDIB image;
    FillImage(image, 4, 1, pixel);
    setup.Apply(image, Path::Own);
    Canvas small(4, 1, {0, 0, 0});
    ASSERT_TRUE(image.Render(small.dc(), -1, 0, -4, 0));
    EXPECT_EQ(small.At(0, 0)[0], 30);  // mirrored D C B A, D cut off
    EXPECT_EQ(small.At(1, 0)[0], 20);
    EXPECT_EQ(small.At(2, 0)[0], 10);
    EXPECT_EQ(small.At(3, 0)[0], 0);
}

TEST(Render, NearestAndBilinearScaling) {
    auto pixel = [](int x, int) { return x ? Solid(201, 100, 0) : Solid(100, 0, 50); };
    c32bppDIB image;
    FillImage(image, 2, 1, pixel);
    PathSetup setup;
    setup.Apply(image, Path::Own);
    Canvas canvas(4, 1, {7, 7, 7});

    image.HighQualityInterpolation(false);
    ASSERT_TRUE(image.Render(canvas.dc(), 0, 0, 4, 1));
    const uint8_t nearest[] = {100, 100, 201, 201};
    for (int x = 0; x < 4; ++x) EXPECT_EQ(canvas.At(x, 0)[0], nearest[x]) << x;

    image.HighQualityInterpolation(true);
    ASSERT_TRUE(image.Render(canvas.dc(), 0, 0, 4, 1));
    // Column 1 lies half-way: floor(0.5 x 100 + 0.5 x 201) = 150; the last column stands alone.
    const uint8_t blue[] = {100, 150, 201, 201};
    const uint8_t green[] = {0, 50, 100, 100};
    const uint8_t red[] = {50, 25, 0, 0};
    for (int x = 0; x < 4; ++x) EXPECT_EQ(canvas.At(x, 0), (Bgr{blue[x], green[x], red[x]})) << x;

    // Left clipping of a scaled draw: what lands at x 0 is scaled column 2.
    image.HighQualityInterpolation(false);
    Canvas clip(4, 1, {7, 7, 7});
    ASSERT_TRUE(image.Render(clip.dc(), -2, 0, 4, 1));
    EXPECT_EQ(clip.At(0, 0)[0], 201);
    EXPECT_EQ(clip.At(2, 0)[0], 7);
}

TEST(Render, IntoAHostImage) {
    c32bppDIB image;
    FillImage(image, 2, 2, [](int x, int) { return x ? Bgra{64, 64, 64, 128} : Solid(10, 20, 30); });
    PathSetup setup;
    setup.Apply(image, Path::Own);
    c32bppDIB host;
    FillImage(host, 3, 3, [](int, int) { return Bgra{200, 200, 200, 255}; });
    ASSERT_TRUE(image.Render(nullptr, 1, 1, 0, 0, 0, 0, 0, 0, 100, true, true, &host));
    EXPECT_EQ(PixelOf(host, 1, 1), (Bgra{10, 20, 30, 255}));
    EXPECT_EQ(PixelOf(host, 2, 2), (Bgra{163, 163, 163, 255}));  // 200 x 127 \ 255 + 64; alpha 127 + 128
    EXPECT_EQ(PixelOf(host, 0, 0), (Bgra{200, 200, 200, 255}));
    // A box larger than the host stops at its edge.
    ASSERT_TRUE(image.Render(nullptr, 2, 2, 0, 0, 0, 0, 0, 0, 100, true, true, &host));
    EXPECT_EQ(PixelOf(host, 2, 2), (Bgra{10, 20, 30, 255}));
}

TEST(Render, SourceRectanglesAndRefusals) {
    c32bppDIB image;
    FillImage(image, 100, 2, [](int x, int) { return Solid(static_cast<uint8_t>(x), 0, 0); });
    PathSetup setup;
    setup.Apply(image, Path::Own);
    Canvas canvas(120, 2, {255, 255, 255});
    // SrcX 90 with SrcWidth 50 draws the 10 columns there are.
    ASSERT_TRUE(image.Render(canvas.dc(), 0, 0, 10, 2, 90, 0, 50, 0));
    EXPECT_EQ(canvas.At(0, 0)[0], 90);
    EXPECT_EQ(canvas.At(9, 0)[0], 99);
    EXPECT_EQ(canvas.At(10, 0)[0], 255);

    // Nothing left of the source, or coordinates beyond the integer range: nothing drawn.
    struct Bad {
        const char* what;
        int destX, destWidth, srcX, srcWidth;
    };
    const Bad bad[] = {
        {"source starts at the right edge", 0, 0, 100, 0},
        {"source starts beyond the right edge", 0, 0, 150, 10},
        {"source end beyond the integer range", 0, 0, INT32_MAX - 1, 10},
        {"destination end beyond the integer range", INT32_MAX - 5, 10, 0, 0},
        {"most negative size", 0, INT32_MIN, 0, 0},
    };
    for (Path path : {Path::Own, Path::AlphaBlend, Path::GdiPlus}) {
        PathSetup each;
        each.Apply(image, path);
        for (const Bad& b : bad) {
            Canvas untouched(4, 2, {255, 255, 255});
            EXPECT_FALSE(image.Render(untouched.dc(), b.destX, 0, b.destWidth, 0, b.srcX, 0, b.srcWidth, 0))
                << Name(path) << ": " << b.what;
            ExpectNear(untouched.At(0, 0), {255, 255, 255}, 0, b.what);
        }
    }
}

TEST(Render, CentredOnThePosition) {
    c32bppDIB image;
    FillImage(image, 51, 1, [](int, int) { return Solid(1, 2, 3); });
    PathSetup setup;
    setup.Apply(image, Path::Own);
    Canvas canvas(200, 1, {0, 0, 0});
    ASSERT_TRUE(image.Render(canvas.dc(), 100, 0, 51, 1, 0, 0, 0, 0, 100, true, true, nullptr, -1, 0, 0, true));
    EXPECT_EQ(canvas.At(74, 0), (Bgr{0, 0, 0}));
    EXPECT_EQ(canvas.At(75, 0), (Bgr{1, 2, 3}));
    EXPECT_EQ(canvas.At(125, 0), (Bgr{1, 2, 3}));
    EXPECT_EQ(canvas.At(126, 0), (Bgr{0, 0, 0}));
}
