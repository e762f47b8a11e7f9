// The image object's members without a window: pixel reads, pixel bytes out and in, the alpha
// region's rectangles, inversion, the colour key, the shadow blur, the turned drawing's work square
// and samplers, the BMP writer, the file-list block and the PNG writer's text rules.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <functional>
#include <random>
#include <vector>

#include "imaging/codecs/png_writer.h"
#include "imaging/pixels/bmp_writer.h"
#include "imaging/pixels/pixel_access.h"
#include "imaging/pixels/pixel_effects.h"
#include "imaging/pixels/rotation.h"
#include "runtime/drop_files.h"

using namespace imaging;

namespace {

using Px = std::array<uint8_t, 4>;  // blue, green, red, alpha

// A picture of w x h pixels given per (x, y from the top), stored bottom row first.
struct Picture {
    PixelArray pixels;
    Picture(int w, int h, const std::function<Px(int, int)>& at) {
        pixels.Dimension(w, h);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) Set(x, y, at(x, y));
    }
    ImageView View() { return pixels.View(); }
    void Set(int x, int y, Px p) { std::memcpy(View().RowFromTop(y) + x * 4, p.data(), 4); }
    Px At(int x, int y) {
        Px p;
        std::memcpy(p.data(), View().RowFromTop(y) + x * 4, 4);
        return p;
    }
};

Px At(const ImageView& v, int x, int y) {
    Px p;
    std::memcpy(p.data(), v.RowFromTop(y) + x * 4, 4);
    return p;
}

// Distinct opaque pixels: blue x, green y, red 7.
Picture Ramp(int w, int h) {
    return Picture(w, h, [](int x, int y) {
        return Px{static_cast<uint8_t>(x), static_cast<uint8_t>(y), 7, 255};
    });
}

}  // namespace

// --- pixel access ------------------------------------------------------------------------------

TEST(PixelAccess, ReadPixel) {
    Picture p(2, 2, [](int x, int y) { return Px{static_cast<uint8_t>(10 * x + y), 0, 0, 255}; });
    // The top-left pixel lies in the last memory row.
    const ImageView v = p.View();
    EXPECT_EQ(v.RowFromTop(0), v.bits + 8);
    EXPECT_EQ(ReadPixel(v, 0, 0, nullptr, false), 0);
    EXPECT_EQ(ReadPixel(v, 1, 0, nullptr, false), 10 * 65536);
    EXPECT_EQ(ReadPixel(v, 0, 1, nullptr, false), 1 * 65536);

    struct Case {
        const char* what;
        Px pixel;
        bool premultiplied;
        int32_t colour, alpha;
    };
    const Case cases[] = {
        {"half transparent, straight", {64, 64, 64, 128}, false, 127 + 127 * 256 + 127 * 65536, 128},
        {"half transparent, premultiplied", {64, 64, 64, 128}, true, 64 + 64 * 256 + 64 * 65536, 128},
        {"colour above alpha reads 255", {10, 20, 200, 100}, false, 255 + 51 * 256 + 25 * 65536, 100},
        {"opaque", {1, 2, 3, 255}, false, 3 + 2 * 256 + 1 * 65536, 255},
        {"transparent", {0, 0, 0, 0}, false, 0, 0},
    };
    for (const Case& c : cases) {
        Picture one(1, 1, [&](int, int) { return c.pixel; });
        int32_t alpha = -5;
        EXPECT_EQ(ReadPixel(one.View(), 0, 0, &alpha, c.premultiplied), c.colour) << c.what;
        EXPECT_EQ(alpha, c.alpha) << c.what;
    }
    for (auto [x, y] : {std::pair{2, 0}, std::pair{0, 2}, std::pair{-1, 0}, std::pair{0, -1}}) {
        int32_t alpha = 9;
        EXPECT_EQ(ReadPixel(v, x, y, &alpha, true), -1) << x << "," << y;
        EXPECT_EQ(alpha, 0);
    }
}

TEST(PixelAccess, ExportLayouts) {
    Picture p = Ramp(5, 3);
    const ImageView v = p.View();
    PixelBytes out;
    ASSERT_TRUE(ExportPixels(v, out, true, PixelLayout{}, 0, 0, 0, 0));
    EXPECT_TRUE(out.twoDimensional);
    EXPECT_EQ(out.rowLength, 20);
    EXPECT_EQ(out.rows, 3);
    EXPECT_EQ(out.bytes, p.pixels.bytes);  // the section memory as it is

    // 24 bits, rows padded to 16 bytes, top row first, red first.
    PixelLayout layout;
    layout.bits32 = false;
    layout.bottomUp = false;
    layout.bgr = false;
    ASSERT_TRUE(ExportPixels(v, out, false, layout, 0, 0, 0, 0));
    EXPECT_EQ(out.rowLength, 16);
    ASSERT_EQ(out.bytes.size(), 48u);
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 5; ++x) {
            const uint8_t* q = &out.bytes[y * 16 + x * 3];
            EXPECT_EQ(q[0], 7);
            EXPECT_EQ(q[1], y);
            EXPECT_EQ(q[2], x);
        }
        EXPECT_EQ(out.bytes[y * 16 + 15], 0);
    }
    layout.wordAligned = false;
    ASSERT_TRUE(ExportPixels(v, out, false, layout, 0, 0, 0, 0));
    EXPECT_EQ(out.rowLength, 15);

    // A rectangle reaching past the picture is cut; bottom-up output starts with its last row.
    ASSERT_TRUE(ExportPixels(v, out, true, PixelLayout{}, 3, 1, 10, 10));
    EXPECT_EQ(out.rowLength, 8);
    EXPECT_EQ(out.rows, 2);
    EXPECT_EQ(out.bytes[0], 3);  // x 3
    EXPECT_EQ(out.bytes[1], 2);  // y 2: the rectangle's bottom row
    EXPECT_EQ(out.bytes[8 + 1], 1);

    // Straight output divides back, clamped; alpha 0 gives 0.
    Picture t(3, 1, [](int x, int) {
        return x == 0 ? Px{64, 64, 64, 128} : x == 1 ? Px{200, 0, 0, 100} : Px{9, 9, 9, 0};
    });
    PixelLayout straight;
    straight.premultiplied = false;
    ASSERT_TRUE(ExportPixels(t.View(), out, true, straight, 0, 0, 0, 0));
    EXPECT_EQ(out.bytes, (std::vector<uint8_t>{127, 127, 127, 128, 255, 0, 0, 100, 0, 0, 0, 0}));
}

TEST(PixelAccess, ExportRefusesRectanglesOutsideThePicture) {
    Picture p = Ramp(4, 3);
    PixelBytes out;
    out.bytes = {1, 2, 3};
    out.rowLength = 3;
    for (auto [x, y, w, h] : {std::array{4, 0, 0, 0}, std::array{0, 3, 0, 0}, std::array{-1, 0, 0, 0},
                              std::array{0, 0, -1, 0}, std::array{0, 0, 0, -2}, std::array{100, 100, 1, 1}}) {
        EXPECT_FALSE(ExportPixels(p.View(), out, true, PixelLayout{}, x, y, w, h)) << x << "," << y;
        EXPECT_EQ(out.bytes, (std::vector<uint8_t>{1, 2, 3}));
        EXPECT_EQ(out.rowLength, 3);
    }
    EXPECT_FALSE(ExportPixels(ImageView{}, out, true, PixelLayout{}, 0, 0, 0, 0));
}

TEST(PixelAccess, Import) {
    // 24-bit data into a blank picture: every alpha stays 0, so the picture turns opaque.
    Picture p(5, 2, [](int, int) { return Px{0, 0, 0, 0}; });
    PixelLayout layout;
    layout.bits32 = false;
    std::vector<uint8_t> rows(32, 0);
    for (int x = 0; x < 5; ++x) rows[x * 3] = static_cast<uint8_t>(x + 1);  // source row 0 = bottom row
    bool alpha = true;
    ASSERT_TRUE(ImportPixels(p.View(), rows.data(), rows.size(), layout, 0, 0, 0, 0, alpha));
    EXPECT_FALSE(alpha);
    EXPECT_EQ(p.At(2, 1), (Px{3, 0, 0, 255}));
    EXPECT_EQ(p.At(2, 0), (Px{0, 0, 0, 255}));

    // 32-bit top-down red-first rows with straight alpha: premultiplied by the classification.
    Picture q(2, 2, [](int, int) { return Px{0, 0, 0, 0}; });
    PixelLayout rgba;
    rgba.bgr = false;
    rgba.bottomUp = false;
    const std::vector<uint8_t> in = {200, 10, 20, 128, 1, 2, 3, 255, 0, 0, 0, 255, 4, 5, 6, 255};
    ASSERT_TRUE(ImportPixels(q.View(), in.data(), in.size(), rgba, 0, 0, 0, 0, alpha));
    EXPECT_TRUE(alpha);
    EXPECT_EQ(q.At(0, 0), (Px{10, 5, 100, 128}));
    EXPECT_EQ(q.At(1, 1), (Px{6, 5, 4, 255}));

    // A rectangle: rows of its own width; alpha bytes untouched with 3 bytes per pixel.
    Picture r = Ramp(4, 4);
    const std::vector<uint8_t> two = {9, 9, 9, 8, 8, 8, 0, 0, 7, 7, 7, 6, 6, 6, 0, 0,
                                      0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    ASSERT_TRUE(ImportPixels(r.View(), two.data(), two.size(), layout, 1, 2, 2, 2, alpha));
    EXPECT_EQ(r.At(1, 3), (Px{9, 9, 9, 255}));
    EXPECT_EQ(r.At(2, 2), (Px{6, 6, 6, 255}));
    EXPECT_EQ(r.At(0, 2), (Px{0, 2, 7, 255}));

    // Refusals change nothing: too few bytes for the picture's height (even for a small
    // rectangle), a start outside the picture, no data.
    const std::vector<uint8_t> before = r.pixels.bytes;
    const std::vector<uint8_t> shortRows(8 * 3, 1);
    EXPECT_FALSE(ImportPixels(r.View(), shortRows.data(), shortRows.size(), layout, 1, 2, 2, 2, alpha));
    const std::vector<uint8_t> full(64, 1);
    EXPECT_FALSE(ImportPixels(r.View(), full.data(), full.size(), PixelLayout{}, 4, 0, 0, 0, alpha));
    EXPECT_FALSE(ImportPixels(r.View(), full.data(), full.size(), PixelLayout{}, 0, 4, 0, 0, alpha));
    EXPECT_FALSE(ImportPixels(r.View(), full.data(), full.size(), PixelLayout{}, -1, 0, 0, 0, alpha));
    EXPECT_FALSE(ImportPixels(r.View(), nullptr, 0, PixelLayout{}, 0, 0, 0, 0, alpha));
    EXPECT_EQ(r.pixels.bytes, before);
}

// --- regions -----------------------------------------------------------------------------------

TEST(AlphaRegion, RectangleLists) {
    auto rects = [](Picture& p, int style) {
        std::vector<RegionRect> list;
        const size_t n = AlphaRegionRects(p.View(), style, list);
        EXPECT_EQ(list.size(), n + 2);
        std::vector<std::array<int32_t, 4>> out;
        for (size_t i = 2; i < list.size(); ++i)
            out.push_back({list[i].left, list[i].top, list[i].right, list[i].bottom});
        return out;
    };
    using R = std::vector<std::array<int32_t, 4>>;
    Picture gap(3, 1, [](int x, int) { return x == 1 ? Px{0, 0, 0, 0} : Px{1, 1, 1, 255}; });
    EXPECT_EQ(rects(gap, 2), (R{{0, 0, 1, 1}, {2, 0, 3, 1}}));
    EXPECT_EQ(rects(gap, 1), (R{{0, 0, 3, 1}}));
    EXPECT_EQ(rects(gap, 0), (R{{0, 0, 3, 1}}));
    EXPECT_EQ(rects(gap, 3), R{});

    Picture column(5, 4, [](int x, int y) { return x == 3 && y > 0 ? Px{1, 1, 1, 1} : Px{0, 0, 0, 0}; });
    EXPECT_EQ(rects(column, 0), (R{{3, 1, 4, 4}}));
    EXPECT_EQ(rects(column, 1), (R{{3, 1, 4, 2}, {3, 2, 4, 3}, {3, 3, 4, 4}}));

    Picture empty(4, 2, [](int, int) { return Px{0, 0, 0, 0}; });
    for (int style = 0; style <= 2; ++style) EXPECT_EQ(rects(empty, style), R{});
}

// --- effects -----------------------------------------------------------------------------------

TEST(Effects, InverseStaysPremultiplied) {
    Picture p(4, 1, [](int x, int) {
        const Px px[] = {{255, 255, 255, 255}, {10, 20, 30, 128}, {5, 5, 5, 0}, {200, 10, 10, 100}};
        return px[x];
    });
    InvertPixels(p.View());
    EXPECT_EQ(p.At(0, 0), (Px{0, 0, 0, 255}));
    EXPECT_EQ(p.At(1, 0), (Px{118, 108, 98, 128}));
    EXPECT_EQ(p.At(2, 0), (Px{5, 5, 5, 0}));
    EXPECT_EQ(p.At(3, 0), (Px{200, 90, 90, 100}));  // a colour above its alpha does not wrap
}

TEST(Effects, ColourKey) {
    const int32_t orange = 0x0080FF;  // red 255, green 128
    Picture p(3, 1, [](int x, int) {
        return x == 0 ? Px{0, 128, 255, 255} : x == 1 ? Px{0, 64, 127, 128} : Px{1, 2, 3, 255};
    });
    EXPECT_EQ(ColourKey(orange), 0xFFFF8000u);
    EXPECT_TRUE(KeyColourToTransparent(p.View(), orange));
    EXPECT_EQ(p.At(0, 0), (Px{0, 0, 0, 0}));
    EXPECT_EQ(p.At(1, 0), (Px{0, 64, 127, 128}));  // partial alpha is not keyed
    EXPECT_FALSE(KeyColourToTransparent(p.View(), 0x123456));
    TransparentToKeyColour(p.View(), orange);
    EXPECT_EQ(p.At(0, 0), (Px{0, 128, 255, 255}));
}

TEST(Effects, ShadowBlur) {
    // The sum over the box of rows Y - a .. Y and columns X - a .. X of the source, as stated.
    auto reference = [](Picture& src, int depth, int X, int Y) {
        const int a = 2 * depth;
        int sum = 0;
        for (int y = Y - a; y <= Y; ++y)
            for (int x = X - a; x <= X; ++x)
                if (x >= 0 && y >= 0 && x < src.View().width && y < src.View().height) sum += src.At(x, y)[3];
        return sum / ((a + 1) * (a + 1));
    };
    auto shadowOf = [](Picture& src, int depth, int32_t colour) {
        const int a = 2 * ShadowBlurDepth(depth);
        Picture shadow(src.View().width + a, src.View().height + a, [](int, int) { return Px{9, 9, 9, 9}; });
        BlurShadow(src.View(), shadow.View(), depth, colour);
        return shadow;
    };

    Picture dot(1, 1, [](int, int) { return Px{0, 0, 0, 255}; });
    Picture s1 = shadowOf(dot, 1, 0xFFFFFF);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 3; ++x) EXPECT_EQ(s1.At(x, y)[3], 28);

    Picture square(10, 10, [](int, int) { return Px{1, 1, 1, 255}; });
    Picture s4 = shadowOf(square, 4, 0xC0C0C0);
    EXPECT_EQ(s4.View().width, 18);
    EXPECT_EQ(s4.At(8, 8), (Px{192, 192, 192, 255}));
    EXPECT_EQ(s4.At(17, 17)[3], 3);
    EXPECT_EQ(s4.At(17, 17)[0], 192 * 3 / 255);
    EXPECT_EQ(s4.At(0, 0)[3], 255 / 81);

    // A colour with red in the low byte; depth 25 works as 10.
    Picture s25 = shadowOf(square, 25, 0x0000FF);
    EXPECT_EQ(s25.View().width, 30);
    EXPECT_EQ(s25.At(10, 10)[3], reference(square, 10, 10, 10));
    EXPECT_EQ(s25.At(20, 20), (Px{0, 0, 57, 57}));  // 100 x 255 \ 441

    // Any picture: every shadow pixel is the box formula; depth 0 copies the alpha.
    std::mt19937 rng(7);
    Picture noisy(13, 9, [&](int, int) {
        const uint8_t a = static_cast<uint8_t>(rng() % 4 == 0 ? 0 : rng() % 256);
        return Px{0, 0, 0, a};
    });
    for (int depth : {0, 2, 3}) {
        Picture s = shadowOf(noisy, depth, 0xFFFFFF);
        for (int y = 0; y < s.View().height; ++y)
            for (int x = 0; x < s.View().width; ++x) {
                const int alpha = reference(noisy, depth, x, y);
                ASSERT_EQ(s.At(x, y)[3], alpha) << depth << " at " << x << "," << y;
                ASSERT_EQ(s.At(x, y)[0], alpha) << "white premultiplied";
            }
    }
}

// --- turned drawing ----------------------------------------------------------------------------

TEST(Rotation, WorkSquare) {
    RotationSquare sq;
    ASSERT_TRUE(RotationSquareFor(200, 300, 100, 50, sq));
    EXPECT_EQ(sq.side, 112);
    EXPECT_EQ(sq.x, 200 - 6);
    EXPECT_EQ(sq.y, 300 - 31);
    ASSERT_TRUE(RotationSquareFor(0, 0, 40, 20, sq));
    EXPECT_EQ(sq.side, 45);
    // A diagonal whose square leaves the 32-bit range cannot be made.
    EXPECT_FALSE(RotationSquareFor(0, 0, 40000, 40000, sq));
    EXPECT_TRUE(RotationSquareFor(0, 0, 30000, 30000, sq));
    EXPECT_FALSE(RotationSquareFor(INT32_MAX - 10, 0, 100, 50, sq));
}

TEST(Rotation, UnturnedAndQuarterTurns) {
    // Angles that round to a multiple of 360 leave the picture as it is, centred in the square.
    Picture src = Ramp(100, 50);
    PixelArray work;
    work.Dimension(112, 112);
    RotateIntoSquare(src.View(), 0, 0, 100, 50, 100, 50, 0.25f, false, work.View());
    for (int y = 0; y < 112; ++y)
        for (int x = 0; x < 112; ++x) {
            const bool inside = x >= 6 && x < 106 && y >= 31 && y < 81;
            const Px want = inside ? src.At(x - 6, y - 31) : Px{0, 0, 0, 0};
            ASSERT_EQ(At(work.View(), x, y), want) << x << "," << y;
        }
    PixelArray again;
    again.Dimension(112, 112);
    RotateIntoSquare(src.View(), 0, 0, 100, 50, 100, 50, 360.5f, false, again.View());
    EXPECT_EQ(again.bytes, work.bytes);

    // A sub-rectangle lands on the square's centre like a whole picture.
    PixelArray part;
    part.Dimension(28, 28);
    RotateIntoSquare(src.View(), 40, 10, 20, 20, 20, 20, 0, false, part.View());
    EXPECT_EQ(At(part.View(), 4, 4), src.At(40, 10));
    EXPECT_EQ(At(part.View(), 23, 23), src.At(59, 29));
    EXPECT_EQ(At(part.View(), 3, 3)[3], 0);

    // Quarter turns: +90 puts the top edge on the right, -90 and 270 on the left.
    Picture halves(40, 20, [](int x, int y) { return y < 10 ? Px{0, 0, 255, 255} : Px{255, 0, 0, 255}; });
    auto centreOfSide = [&](float angle, int x, int y) {
        PixelArray w;
        w.Dimension(45, 45);
        RotateIntoSquare(halves.View(), 0, 0, 40, 20, 40, 20, angle, false, w.View());
        return At(w.View(), x, y);
    };
    const Px red{0, 0, 255, 255}, blue{255, 0, 0, 255}, none{0, 0, 0, 0};
    EXPECT_EQ(centreOfSide(90, 27, 22), red);
    EXPECT_EQ(centreOfSide(90, 17, 22), blue);
    EXPECT_EQ(centreOfSide(90, 3, 22), none);
    EXPECT_EQ(centreOfSide(-90, 17, 22), red);
    EXPECT_EQ(centreOfSide(270, 17, 22), red);
    EXPECT_EQ(centreOfSide(180, 22, 27), red);
}

TEST(Rotation, BilinearRowsAndLastColumn) {
    // At whole positions the bilinear sampler takes the column alone and, above row 0, the row
    // below it (row yi weighs its fraction, 0 here); row 0 is taken alone.
    Picture src = Ramp(4, 3);
    PixelArray work;
    work.Dimension(5, 5);
    RotateIntoSquare(src.View(), 0, 0, 4, 3, 4, 3, 0, true, work.View());
    // The picture sits at columns 0..3, rows 1..3 of the square (offsets (5 - 4) \ 2, (5 - 3) \ 2).
    EXPECT_EQ(At(work.View(), 2, 1), src.At(2, 1));  // top row: memory row 2 takes row 1
    EXPECT_EQ(At(work.View(), 2, 2), src.At(2, 2));  // middle: memory row 1 takes row 0
    EXPECT_EQ(At(work.View(), 2, 3), src.At(2, 2));  // bottom: row 0 alone
    EXPECT_EQ(At(work.View(), 3, 3), src.At(3, 2));  // last column alone

    // Halfway between two columns: the mean, truncated.
    Picture two(2, 1, [](int x, int) { return x == 0 ? Px{0, 0, 0, 255} : Px{101, 0, 0, 255}; });
    PixelArray wide;
    wide.Dimension(4, 4);
    RotateIntoSquare(two.View(), 0, 0, 2, 1, 4, 1, 0, true, wide.View());
    std::vector<uint8_t> blues;
    for (int x = 0; x < 4; ++x) blues.push_back(At(wide.View(), x, 2)[0]);
    EXPECT_EQ(blues, (std::vector<uint8_t>{0, 50, 101, 101}));
}

// --- BMP bytes ---------------------------------------------------------------------------------

TEST(BmpWriter, HeaderAndRows) {
    Picture blank(2, 2, [](int, int) { return Px{0, 0, 0, 0}; });
    std::vector<uint8_t> out;
    ASSERT_TRUE(WriteBmp(blank.View(), true, out));
    ASSERT_EQ(out.size(), 70u);
    const std::vector<uint8_t> header32 = {'B', 'M', 70, 0, 0, 0, 0, 0, 0, 0,  54, 0, 0, 0, 40, 0,  0, 0, 2,
                                           0,   0,   0,  2, 0, 0, 0, 1, 0, 32, 0,  0, 0, 0, 0,  16, 0, 0, 0};
    EXPECT_TRUE(std::equal(header32.begin(), header32.end(), out.begin()));
    EXPECT_TRUE(std::all_of(out.begin() + 38, out.end(), [](uint8_t b) { return b == 0; }));

    Picture opaque = Ramp(3, 2);
    ASSERT_TRUE(WriteBmp(opaque.View(), false, out));
    ASSERT_EQ(out.size(), 78u);
    EXPECT_EQ(out[2], 78);
    EXPECT_EQ(out[28], 24);
    EXPECT_EQ(out[34], 24);
    // Bottom row first: 9 pixel bytes and 3 zero bytes per row.
    const std::vector<uint8_t> bottom = {0, 1, 7, 1, 1, 7, 2, 1, 7, 0, 0, 0};
    EXPECT_TRUE(std::equal(bottom.begin(), bottom.end(), out.begin() + 54));
    EXPECT_EQ(out[54 + 12 + 1], 0);  // the top row's green

    out = {1};
    EXPECT_FALSE(WriteBmp(ImageView{}, true, out));
    EXPECT_TRUE(out.empty());
}

// --- file-list blocks --------------------------------------------------------------------------

namespace {

std::vector<uint8_t> DropBlock(uint32_t offset, bool wide, const std::vector<std::u16string>& names,
                               bool terminate = true) {
    std::vector<uint8_t> b(20, 0);
    for (int i = 0; i < 4; ++i) b[i] = static_cast<uint8_t>(offset >> (8 * i));
    b[16] = wide ? 1 : 0;
    for (const std::u16string& n : names) {
        for (char16_t c : n) {
            b.push_back(static_cast<uint8_t>(c));
            if (wide) b.push_back(static_cast<uint8_t>(c >> 8));
        }
        b.push_back(0);
        if (wide) b.push_back(0);
    }
    if (terminate) b.insert(b.end(), wide ? 2 : 1, 0);
    return b;
}

}  // namespace

TEST(DropFiles, ReadsInsideTheBlockOnly) {
    const std::vector<std::u16string> names = {u"C:\\a long name with spaces.png", u"D:\\b.jpg",
                                               u"C:\\\u00e9t\u00e9\\c.gif"};
    rt::DropFileList list;
    std::vector<uint8_t> wide = DropBlock(20, true, names);
    ASSERT_TRUE(rt::ParseDropFiles(wide.data(), wide.size(), list));
    EXPECT_TRUE(list.wide);
    EXPECT_EQ(list.unicode, names);

    std::vector<uint8_t> ansi = DropBlock(20, false, {u"C:\\x.txt", u"C:\\y.txt"});
    ASSERT_TRUE(rt::ParseDropFiles(ansi.data(), ansi.size(), list));
    EXPECT_FALSE(list.wide);
    EXPECT_EQ(list.ansi, (std::vector<std::string>{"C:\\x.txt", "C:\\y.txt"}));

    // A last name that ends at the block's end needs no empty name after it.
    std::vector<uint8_t> open = DropBlock(20, true, {u"C:\\z"}, false);
    ASSERT_TRUE(rt::ParseDropFiles(open.data(), open.size(), list));
    EXPECT_EQ(list.unicode, (std::vector<std::u16string>{u"C:\\z"}));

    struct Refused {
        const char* what;
        std::vector<uint8_t> block;
    };
    std::vector<uint8_t> unended = DropBlock(20, true, {u"C:\\a"}, false);
    unended.pop_back();
    const Refused refused[] = {
        {"offset past the block", DropBlock(5000, true, names)},
        {"offset inside the header", DropBlock(8, true, names)},
        {"name not ended inside the block", unended},
        {"shorter than the header", std::vector<uint8_t>(12, 0)},
    };
    for (const Refused& r : refused) {
        rt::DropFileList kept;
        kept.ansi = {"kept"};
        EXPECT_FALSE(rt::ParseDropFiles(r.block.data(), r.block.size(), kept)) << r.what;
        EXPECT_EQ(kept.ansi, (std::vector<std::string>{"kept"})) << r.what;
    }
}

// --- PNG writer text rules ---------------------------------------------------------------------

TEST(PngWriterText, Rules) {
    EXPECT_EQ(cPNGwriter::CleanTextValue(""), "");
    EXPECT_EQ(cPNGwriter::CleanTextValue("a\r\nb\rc\n\td"), "a\nb\nc\n\td");
    EXPECT_EQ(cPNGwriter::CleanTextValue(std::string("bad\x01", 4)), "");
    EXPECT_EQ(cPNGwriter::CleanTextValue(std::string(40000, 'x')).size(), 32700u);

    struct Keyword {
        std::string in, out;
        int32_t flag;
    };
    const Keyword keywords[] = {
        {"  title ", "title", 1},
        {"Creation   Time", "Creation Time", 16},
        {"COMMENT", "COMMENT", 512},
        {"My key", "My key", -1},
        {"\xa0Key", " Key", -1},
        {"tab\there", "", 0},
        {"   ", "", 0},
        {std::string(100, 'k'), std::string(79, 'k'), -1},
    };
    for (const Keyword& k : keywords) {
        std::string keyword = k.in;
        EXPECT_EQ(cPNGwriter::CleanKeyword(keyword), k.flag) << k.in;
        EXPECT_EQ(keyword, k.out) << k.in;
    }
    for (int32_t v = -2; v <= 16384; ++v) {
        const bool power = v == 1 || v == 2 || v == 4 || v == 8 || v == 16 || v == 32 || v == 64 ||
                           v == 128 || v == 256 || v == 512 || v == 1024 || v == 2048 || v == 4096 ||
                           v == 8192;
        ASSERT_EQ(cPNGwriter::IsChunkFlag(v), power) << v;
    }
    cPNGwriter writer{ZlibApi{}};
    writer.TextEntries.resize(11);
    writer.TextEntries.push_back(std::string("First\0one", 9));
    writer.TextEntries.push_back(std::string("Second\0two", 10));
    EXPECT_EQ(writer.TextSlot(1024, "Second"), 12);
    EXPECT_EQ(writer.TextSlot(1024, "second"), -1);
    EXPECT_EQ(writer.TextSlot(8, "anything"), 3);
    EXPECT_EQ(writer.TextSlot(2048, ""), 10);
}
