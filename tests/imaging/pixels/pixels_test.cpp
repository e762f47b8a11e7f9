// Window-free image arithmetic: alpha classification, shared routines, the BMP header rules and
// the own drawing pipeline (mirroring, resampling, lightness, blending).
#include <gtest/gtest.h>

#include <array>
#include <climits>
#include <cstring>

#include "imaging/bmp_builder.h"
#include "imaging/dib_target.h"
#include "imaging/pixels/bmp_format.h"
#include "imaging/pixels/image_math.h"
#include "imaging/pixels/soft_render.h"

using namespace imaging;

namespace {

using Px = std::array<uint8_t, 4>;  // blue, green, red, alpha

std::vector<uint8_t> Pixels(std::initializer_list<Px> list) {
    std::vector<uint8_t> v;
    for (const Px& p : list) v.insert(v.end(), p.begin(), p.end());
    return v;
}

Px At(const ImageView& v, int x, int yFromTop) {
    const uint8_t* p = v.RowFromTop(yFromTop) + x * 4;
    return {p[0], p[1], p[2], p[3]};
}

// A picture whose pixel (x, y from the top) carries x in blue and y in green, opaque.
PixelArray Ramp(int w, int h) {
    PixelArray a;
    a.Dimension(w, h);
    ImageView v = a.View();
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            uint8_t* p = v.RowFromTop(y) + x * 4;
            p[0] = static_cast<uint8_t>(x);
            p[1] = static_cast<uint8_t>(y);
            p[2] = 0;
            p[3] = 255;
        }
    return a;
}

}  // namespace

TEST(ClassifyAlpha, DecidesOpaqueStraightOrPremultiplied) {
    struct Case {
        const char* what;
        std::vector<uint8_t> in;
        int32_t typeIn;
        int32_t code;
        bool alpha;
        std::vector<uint8_t> out;  // after modify
    };
    const std::vector<Case> cases = {
        {"all alpha 0 (24-bit data)", Pixels({{10, 20, 30, 0}, {1, 2, 3, 0}}), 0, 1, false,
         Pixels({{10, 20, 30, 255}, {1, 2, 3, 255}})},
        {"all opaque", Pixels({{10, 20, 30, 255}, {1, 2, 3, 255}}), 0, 1, false,
         Pixels({{10, 20, 30, 255}, {1, 2, 3, 255}})},
        {"colour above alpha", Pixels({{200, 10, 10, 128}, {0, 0, 0, 255}}), 0, 6, true,
         Pixels({{100, 5, 5, 128}, {0, 0, 0, 255}})},
        {"coloured transparent then visible", Pixels({{0, 0, 1, 0}, {5, 5, 5, 255}}), 0, 6, true,
         Pixels({{0, 0, 0, 0}, {5, 5, 5, 255}})},
        {"first pixel red above alpha", Pixels({{0, 0, 150, 100}, {0, 0, 0, 0}}), 0, 6, true,
         Pixels({{0, 0, 58, 100}, {0, 0, 0, 0}})},
        {"premultiplied with black transparent", Pixels({{50, 60, 70, 128}, {0, 0, 0, 0}, {9, 9, 9, 255}}), 0, 7,
         true, Pixels({{50, 60, 70, 128}, {0, 0, 0, 0}, {9, 9, 9, 255}})},
        {"type -1 is not examined", Pixels({{50, 60, 70, 128}, {0, 0, 0, 0}}), -1, 1, false,
         Pixels({{50, 60, 70, 255}, {0, 0, 0, 255}})},
    };
    for (const Case& c : cases) {
        std::vector<uint8_t> pixels = c.in;
        bool alpha = !c.alpha;
        int32_t type = c.typeIn;
        ClassifyAlphaChannel(PixelBlock{pixels.data(), static_cast<int32_t>(pixels.size() / 4), 1}, true, alpha,
                             type);
        EXPECT_EQ(type, c.code) << c.what;
        EXPECT_EQ(alpha, c.alpha) << c.what;
        EXPECT_EQ(pixels, c.out) << c.what;

        // Without modify the answer is the same and the pixels stay.
        pixels = c.in;
        type = c.typeIn;
        ClassifyAlphaChannel(PixelBlock{pixels.data(), static_cast<int32_t>(pixels.size() / 4), 1}, false, alpha,
                             type);
        EXPECT_EQ(type, c.code) << c.what;
        EXPECT_EQ(pixels, c.in) << c.what;
    }

    bool alpha = true;
    int32_t type = 0;
    ClassifyAlphaChannel(PixelBlock{nullptr, 0, 0}, true, alpha, type);
    EXPECT_EQ(type, 1);
    EXPECT_FALSE(alpha);
}

TEST(ClassifyAlpha, ExaminesRowsAcrossTheWholeBlock) {
    // Two rows: only the second row's pixel proves straight alpha.
    std::vector<uint8_t> pixels = Pixels({{0, 0, 0, 0}, {0, 0, 0, 0}, {0, 0, 0, 255}, {90, 0, 0, 60}});
    bool alpha = false;
    int32_t type = 0;
    ClassifyAlphaChannel(PixelBlock{pixels.data(), 2, 2}, true, alpha, type);
    EXPECT_EQ(type, 6);
    EXPECT_EQ(pixels[12], 90 * 60 / 255);
}

TEST(SharedRoutines, GrayscaleWeightsTable) {
    struct Row {
        int formula;
        float r, g, b;
    };
    const Row rows[] = {{-1, 1, 1, 1},           {0, 0.299f, 0.587f, 0.114f}, {1, 0.213f, 0.715f, 0.072f},
                        {2, 0.333f, 0.334f, 0.333f}, {3, 0.8f, 0.1f, 0.1f},       {4, 0.1f, 0.8f, 0.1f},
                        {5, 0.1f, 0.1f, 0.8f},       {6, 0.45f, 0.45f, 0.1f},     {7, 0.1f, 0.45f, 0.45f},
                        {9, 0.299f, 0.587f, 0.114f}, {-2, 0.299f, 0.587f, 0.114f}};
    for (const Row& row : rows) {
        float r = 0, g = 0, b = 0;
        GrayscaleWeights(row.formula, r, g, b);
        EXPECT_EQ(r, row.r) << row.formula;
        EXPECT_EQ(g, row.g) << row.formula;
        EXPECT_EQ(b, row.b) << row.formula;
    }
}

TEST(SharedRoutines, RowBytesByteSwapAndAddresses) {
    EXPECT_EQ(AlignedRowBytes(24, 1), 4);
    EXPECT_EQ(AlignedRowBytes(24, 5), 16);
    EXPECT_EQ(AlignedRowBytes(1, 33), 8);
    EXPECT_EQ(AlignedRowBytes(32, 3), 12);
    EXPECT_EQ(AlignedRowBytes(32, INT32_MAX), int64_t{INT32_MAX} * 4);  // no 32-bit overflow

    EXPECT_EQ(SwapLongBytes(0x12345678), 0x78563412);
    EXPECT_EQ(SwapLongBytes(0x000000FF), static_cast<int32_t>(0xFF000000u));

    EXPECT_EQ(AddressAdd(0x7FFFFFFFu, 1), 0x80000000u);
    EXPECT_EQ(AddressAdd(0xFFFFFFFFu, 1), 0u);
    EXPECT_EQ(AddressAdd(5, -10), 0u);
    EXPECT_EQ(AddressAdd(0x80000000u, -1), 0x7FFFFFFFu);
    EXPECT_EQ(AddressAdd(1234, 0), 1234u);
}

TEST(SharedRoutines, CapabilityFlagsFollowTheVersion) {
    struct Row {
        const char* system;
        uint32_t platform, major, minor, sp;
        int32_t flags;
    };
    const Row rows[] = {
        {"Windows 95", 1, 4, 0, 0, 32}, {"Windows 98", 1, 4, 10, 0, 24}, {"Windows Me", 1, 4, 90, 0, 24},
        {"NT 4 SP5", 2, 4, 0, 5, 32},   {"NT 4 SP6", 2, 4, 0, 6, 0},     {"Windows 2000", 2, 5, 0, 0, 9},
        {"Windows 7", 2, 6, 1, 1, 9},
    };
    for (const Row& r : rows) EXPECT_EQ(CapabilityFlagsForVersion(r.platform, r.major, r.minor, r.sp), r.flags) << r.system;
}

TEST(Mirror, TakesTheRectangleFromTheMirroredPicture) {
    PixelArray image = Ramp(100, 3);
    const ImageView view = image.View();
    struct Case {
        int srcX, srcW, destW, destH;
        int firstX, lastX;   // expected source columns of the first and last output column
        int firstY;          // source row (from the top) of the first output row
    };
    const Case cases[] = {
        {0, 100, -100, 3, 99, 0, 0},   // whole row reversed
        {10, 20, -20, 3, 89, 70, 0},   // rectangle counted in the mirrored picture
        {10, 20, 20, -3, 10, 29, 2},   // vertical only
        {10, 20, -20, -3, 89, 70, 2},  // both axes
    };
    for (const Case& c : cases) {
        int32_t sx = c.srcX, sy = 0, dw = c.destW, dh = c.destH;
        float light = 0;
        PixelArray out;
        ASSERT_TRUE(MirrorPixels(view, sx, sy, c.srcW, 3, dw, dh, out, nullptr, light));
        EXPECT_EQ(sx, 0);
        EXPECT_EQ(dw, c.srcW);
        EXPECT_EQ(dh, 3);
        ImageView o = out.View();
        ASSERT_EQ(o.width, c.srcW);
        EXPECT_EQ(At(o, 0, 0)[0], c.firstX);
        EXPECT_EQ(At(o, c.srcW - 1, 0)[0], c.lastX);
        EXPECT_EQ(At(o, 0, 0)[1], c.firstY);
    }

    int32_t sx = 0, sy = 0, dw = 100, dh = 3;
    float light = 0;
    PixelArray out;
    EXPECT_FALSE(MirrorPixels(view, sx, sy, 100, 3, dw, dh, out, nullptr, light));
    // A rectangle reaching outside the picture is refused, not read.
    dw = -100;
    sx = 10;
    EXPECT_FALSE(MirrorPixels(view, sx, sy, 100, 3, dw, dh, out, nullptr, light));
}

TEST(Mirror, AppliesAPendingLightnessOnce) {
    PixelArray image;
    image.Dimension(2, 1);
    std::memcpy(image.bytes.data(), Pixels({{100, 100, 100, 255}, {0, 0, 0, 255}}).data(), 8);
    int32_t sx = 0, sy = 0, dw = -2, dh = 1;
    float light = 50;
    PixelArray out;
    ASSERT_TRUE(MirrorPixels(image.View(), sx, sy, 2, 1, dw, dh, out, nullptr, light));
    EXPECT_EQ(light, 0);
    EXPECT_EQ(At(out.View(), 1, 0), (Px{227, 227, 227, 255}));
    EXPECT_EQ(At(out.View(), 0, 0), (Px{127, 127, 127, 255}));
}

TEST(Resample, NearestPixel) {
    PixelArray image = Ramp(2, 1);
    PixelArray out, none;
    int32_t dw = 4, dh = 1;
    float light = 0;
    ASSERT_TRUE(ResampleImage(image.View(), out, none, nullptr, false, 0, 0, 2, 1, 0, 0, dw, dh, light));
    ASSERT_EQ(out.width, 4);
    for (int x = 0; x < 4; ++x) EXPECT_EQ(At(out.View(), x, 0)[0], x / 2) << x;

    // Left clipping: 40 columns, the first from scaled position 10.
    PixelArray wide = Ramp(50, 2);
    dw = 50;
    dh = 2;
    ASSERT_TRUE(ResampleImage(wide.View(), out, none, nullptr, false, 0, 0, 50, 2, -10, 0, dw, dh, light));
    EXPECT_EQ(dw, 40);
    EXPECT_EQ(At(out.View(), 0, 0)[0], 10);
    EXPECT_EQ(At(out.View(), 39, 0)[0], 49);

    // Top clipping cuts the top rows: the bottom row stays the picture's bottom row.
    PixelArray tall = Ramp(1, 4);
    dw = 1;
    dh = 4;
    ASSERT_TRUE(ResampleImage(tall.View(), out, none, nullptr, false, 0, 0, 1, 4, 0, -1, dw, dh, light));
    EXPECT_EQ(dh, 3);
    EXPECT_EQ(At(out.View(), 0, 2)[1], 3);

    // A sub-rectangle: rows and columns counted from the top-left.
    PixelArray grid = Ramp(4, 4);
    dw = 4;
    dh = 4;
    ASSERT_TRUE(ResampleImage(grid.View(), out, none, nullptr, false, 2, 1, 2, 2, 0, 0, dw, dh, light));
    EXPECT_EQ(At(out.View(), 0, 0), (Px{2, 1, 0, 255}));
    EXPECT_EQ(At(out.View(), 3, 3), (Px{3, 2, 0, 255}));

    // Nothing left after clipping.
    dw = 5;
    dh = 1;
    EXPECT_FALSE(ResampleImage(image.View(), out, none, nullptr, false, 0, 0, 2, 1, -5, 0, dw, dh, light));
}

TEST(Resample, WeightedSampling) {
    PixelArray image;
    image.Dimension(2, 1);
    std::memcpy(image.bytes.data(), Pixels({{100, 100, 100, 100}, {201, 201, 201, 201}}).data(), 8);
    PixelArray out, none;
    int32_t dw = 4, dh = 1;
    float light = 0;
    ASSERT_TRUE(ResampleImage(image.View(), out, none, nullptr, true, 0, 0, 2, 1, 0, 0, dw, dh, light));
    const int expected[] = {100, 150, 201, 201};  // 0.5 x 100 + 0.5 x 201 = 150.5, floored
    for (int x = 0; x < 4; ++x) EXPECT_EQ(At(out.View(), x, 0)[0], expected[x]) << x;

    // On an exact row above 0, the row below takes weight 1.
    PixelArray tall = Ramp(1, 3);  // green = row from the top: bottom-up rows hold 2, 1, 0
    dw = 1;
    dh = 3;
    ASSERT_TRUE(ResampleImage(tall.View(), out, none, nullptr, true, 0, 0, 1, 3, 0, 0, dw, dh, light));
    const uint8_t* bottomUp = out.bytes.data();
    EXPECT_EQ(bottomUp[1], 2);
    EXPECT_EQ(bottomUp[4 + 1], 2);
    EXPECT_EQ(bottomUp[8 + 1], 1);
}

TEST(Lightness, OffsetsPremultipliedColours) {
    PixelArray a;
    a.Dimension(5, 1);
    std::memcpy(a.bytes.data(),
                Pixels({{200, 100, 0, 255}, {100, 50, 0, 128}, {7, 7, 7, 0}, {0, 0, 0, 255}, {0, 0, 0, 255}}).data(),
                20);
    PixelArray up = a;
    AdjustLightness(nullptr, 50, up);
    EXPECT_EQ(At(up.View(), 0, 0), (Px{255, 227, 127, 255}));
    EXPECT_EQ(At(up.View(), 2, 0), (Px{7, 7, 7, 0}));  // alpha 0 untouched
    PixelArray down = a;
    AdjustLightness(nullptr, -50, down);
    EXPECT_EQ(At(down.View(), 1, 0), (Px{36, 0, 0, 128}));

    // With a source: an adjusted copy; the source stays.
    PixelArray copy;
    ImageView src = a.View();
    AdjustLightness(&src, 50, copy);
    EXPECT_EQ(At(copy.View(), 0, 0), (Px{255, 227, 127, 255}));
    EXPECT_EQ(At(a.View(), 0, 0), (Px{200, 100, 0, 255}));
}

TEST(Blend, WorkBitmapFormulas) {
    struct Case {
        const char* what;
        Px src;
        uint8_t ca;
        int gray;
        uint8_t target;
        std::array<uint8_t, 3> expected;
    };
    const Case cases[] = {
        {"opaque replaces", {64, 64, 64, 255}, 255, -1, 200, {64, 64, 64}},
        {"transparent leaves", {0, 0, 0, 0}, 255, -1, 200, {200, 200, 200}},
        {"alpha 128", {64, 64, 64, 128}, 255, -1, 200, {163, 163, 163}},
        {"opacity 50 %", {64, 64, 64, 255}, 127, -1, 200, {132, 132, 132}},
        {"grey formula 0 of red", {0, 0, 255, 255}, 255, 0, 9, {76, 76, 76}},
        {"grey formula 3 of red", {0, 0, 255, 255}, 255, 3, 9, {204, 204, 204}},
        {"unlisted formula -2 is formula 0", {0, 0, 255, 255}, 255, -2, 9, {76, 76, 76}},
        {"grey with alpha", {0, 0, 128, 128}, 255, 0, 200, {99 + 38, 99 + 38, 99 + 38}},
        {"grey at 50 %", {0, 0, 255, 255}, 127, 0, 200, {(200 * 128 + 76 * 127) / 255, (200 * 128 + 76 * 127) / 255,
                                                         (200 * 128 + 76 * 127) / 255}},
        {"overflowing byte keeps its value", {250, 0, 0, 128}, 255, -1, 200, {200, 99, 99}},
    };
    for (const Case& c : cases) {
        PixelArray src;
        src.Dimension(1, 1);
        std::memcpy(src.bytes.data(), c.src.data(), 4);
        uint8_t work[4] = {c.target, c.target, c.target, 0xEE};
        BlendTarget t{work, 1, 1, 4, 3};
        BlendPixels(src.View(), 0, 0, t, 0, 0, 1, 1, c.ca, c.gray);
        EXPECT_EQ(work[0], c.expected[0]) << c.what;
        EXPECT_EQ(work[1], c.expected[1]) << c.what;
        EXPECT_EQ(work[2], c.expected[2]) << c.what;
        EXPECT_EQ(work[3], 0xEE) << c.what;  // padding untouched
    }
}

TEST(Blend, HostImageWritesAlphaAndStaysInside) {
    PixelArray src;
    src.Dimension(2, 1);
    std::memcpy(src.bytes.data(), Pixels({{0, 0, 255, 255}, {64, 64, 64, 128}}).data(), 8);
    PixelArray host;
    host.Dimension(2, 2);
    for (size_t i = 0; i < host.bytes.size(); ++i) host.bytes[i] = (i % 4 == 3) ? 100 : 200;
    BlendTarget t{host.bytes.data(), 2, 2, 8, 4};
    // Grey, at the host's top row, starting one column in: the second source pixel falls outside.
    BlendPixels(src.View(), 0, 0, t, 1, 0, 2, 1, 255, 0);
    EXPECT_EQ(At(host.View(), 1, 0), (Px{76, 76, 76, 255}));
    EXPECT_EQ(At(host.View(), 0, 0), (Px{200, 200, 200, 100}));
    EXPECT_EQ(At(host.View(), 1, 1), (Px{200, 200, 200, 100}));

    // Colour, alpha 128 at full opacity: d = d x 127 \ 255 + s for all four bytes.
    BlendPixels(src.View(), 1, 0, t, 0, 1, 1, 1, 255, -1);
    EXPECT_EQ(At(host.View(), 0, 1), (Px{163, 163, 163, 49 + 128}));
}

TEST(Bmp, HeaderRules) {
    using imaging_test::MakeBmp;
    auto opaque = [](int, int) { return 0xFF102030u; };
    BmpHeader h;
    EXPECT_EQ(InspectBmp(nullptr, 0, h), BmpKind::NotBmp);
    const uint8_t jpeg[60] = {0xFF, 0xD8, 0xFF};
    EXPECT_EQ(InspectBmp(jpeg, sizeof jpeg, h), BmpKind::NotBmp);

    std::vector<uint8_t> good = MakeBmp(3, 2, 32, {}, opaque);
    EXPECT_EQ(InspectBmp(good.data(), good.size(), h), BmpKind::Own32);
    EXPECT_EQ(InspectBmp(MakeBmp(3, -2, 32, {}, opaque).data(), good.size(), h), BmpKind::Own32);
    std::vector<uint8_t> rgb = MakeBmp(3, 2, 24, {}, opaque);
    EXPECT_EQ(InspectBmp(rgb.data(), rgb.size(), h), BmpKind::Platform);
    std::vector<uint8_t> fields = MakeBmp(3, 2, 32, {0xFF0000, 0xFF00, 0xFF}, opaque, 3);
    EXPECT_EQ(InspectBmp(fields.data(), fields.size(), h), BmpKind::Platform);
    // Incomplete 32-bit data is no own copy.
    EXPECT_EQ(InspectBmp(good.data(), good.size() - 1, h), BmpKind::Platform);

    struct Bad {
        const char* what;
        size_t at;
        uint32_t value;
    };
    const Bad bad[] = {
        {"width 0", 18, 0},
        {"negative width", 18, 0xFFFFFFFFu},
        {"height 0", 22, 0},
        {"most negative height", 22, 0x80000000u},
        {"pixels inside the headers", 10, 20},
        {"pixels past the end", 10, static_cast<uint32_t>(good.size() + 1)},
        {"pixel offset beyond 2^31", 10, 0xFFFFFFF0u},
    };
    for (const Bad& b : bad) {
        std::vector<uint8_t> v = good;
        imaging_test::PutLE(v, b.at, b.value, 4);
        EXPECT_EQ(InspectBmp(v.data(), v.size(), h), BmpKind::Refused) << b.what;
    }

    // A size whose byte count overflows 32 bits is incomplete, not an own copy.
    std::vector<uint8_t> huge = good;
    imaging_test::PutLE(huge, 18, 0x40000000u, 4);
    imaging_test::PutLE(huge, 22, 0x40000000u, 4);
    EXPECT_EQ(InspectBmp(huge.data(), huge.size(), h), BmpKind::Platform);
    // Sizes whose byte count overflows 64 bits (the largest width and height at 32 or 65535 bits
    // per pixel, top-down too) are incomplete as well, and the own copy refuses them.
    for (uint32_t bpp : {32u, 0xFFFFu}) {
        for (uint32_t height : {0x7FFFFFFFu, 0x80000001u}) {
            std::vector<uint8_t> v = good;
            imaging_test::PutLE(v, 18, 0x7FFFFFFFu, 4);
            imaging_test::PutLE(v, 22, height, 4);
            imaging_test::PutLE(v, 28, bpp, 2);
            EXPECT_EQ(InspectBmp(v.data(), v.size(), h), BmpKind::Platform) << bpp << " " << height;
            MemoryDib dib;
            EXPECT_FALSE(CopyBmp32(v.data(), v.size(), h, dib));
            EXPECT_FALSE(dib.HasPicture());
        }
    }
}

TEST(Bmp, OwnCopyOf32BitData) {
    using imaging_test::MakeBmp;
    // Straight alpha: column 0 half-transparent white, column 1 opaque blue; top row red-tinted.
    auto pixel = [](int x, int y) -> uint32_t {
        if (x == 0) return 0x80FFFFFFu;
        return y == 0 ? 0xFFFF0000u : 0xFF0000FFu;
    };
    for (int32_t height : {2, -2}) {
        std::vector<uint8_t> bytes = MakeBmp(2, height, 32, {}, pixel);
        BmpHeader h;
        ASSERT_EQ(InspectBmp(bytes.data(), bytes.size(), h), BmpKind::Own32);
        MemoryDib dib;
        ASSERT_TRUE(CopyBmp32(bytes.data(), bytes.size(), h, dib));
        EXPECT_EQ(dib.Width(), 2);
        EXPECT_EQ(dib.Height(), 2);
        EXPECT_TRUE(dib.Alpha());
        EXPECT_EQ(dib.ImageType(), 6);
        ImageView v{dib.Bits(), 2, 2};
        EXPECT_EQ(At(v, 0, 0), (Px{128, 128, 128, 128})) << height;
        EXPECT_EQ(At(v, 1, 0), (Px{0, 0, 255, 255})) << height;  // upright: red on top
        EXPECT_EQ(At(v, 1, 1), (Px{255, 0, 0, 255})) << height;
    }

    // Alpha bytes all 0: an opaque picture.
    std::vector<uint8_t> noAlpha = MakeBmp(2, 1, 32, {}, [](int, int) { return 0x00336699u; });
    BmpHeader h;
    ASSERT_EQ(InspectBmp(noAlpha.data(), noAlpha.size(), h), BmpKind::Own32);
    MemoryDib dib;
    ASSERT_TRUE(CopyBmp32(noAlpha.data(), noAlpha.size(), h, dib));
    EXPECT_FALSE(dib.Alpha());
    EXPECT_EQ(dib.ImageType(), 1);
    EXPECT_EQ(At(ImageView{dib.Bits(), 2, 1}, 1, 0), (Px{0x99, 0x66, 0x33, 255}));
}
