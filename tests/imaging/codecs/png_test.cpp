#include <gtest/gtest.h>

#include <filesystem>
#include <random>

#include "imaging/codecs/fixtures.h"
#include "imaging/codecs/png_decoder.h"
#include "support/test_data.h"

namespace {

using fixtures::Bytes;
using fixtures::Chunk;
using fixtures::SimplePng;
using imaging::MemoryDib;

enum class Path { Zlib, OwnInflater, OwnInflaterWithCrc };
const char* Name(Path p) {
    return p == Path::Zlib ? "zlib" : p == Path::OwnInflater ? "own inflater" : "own inflater, zlib CRCs";
}
imaging::ZlibFunctions ZlibFor(Path p) {
    return p == Path::Zlib          ? fixtures::SystemZlib()
           : p == Path::OwnInflater ? imaging::ZlibFunctions{}
                                    : fixtures::CrcOnlyZlib();
}
constexpr Path kAllPaths[] = {Path::Zlib, Path::OwnInflater, Path::OwnInflaterWithCrc};

struct Decoded {
    bool recognised;
    MemoryDib dib;
};

Decoded Decode(const Bytes& png, Path path = Path::OwnInflater) {
    Decoded d;
    imaging::cPNGparser parser(ZlibFor(path));
    d.recognised = parser.LoadStream(png, d.dib, 0, static_cast<int64_t>(png.size()));
    return d;
}

// One pixel of the picture, counted from the top-left, as B, G, R, A.
Bytes Pixel(const MemoryDib& dib, int x, int y) {
    const uint8_t* p =
        dib.Pixels().data() + (static_cast<size_t>(dib.Height() - 1 - y) * dib.Width() + x) * 4;
    return Bytes(p, p + 4);
}

std::string SuiteFile(const std::string& relative) {
    return testsupport::DataPath("pngsuite/" + relative);
}

TEST(PngSuite, EveryFileDecodesOrIsRefusedOnEveryPath) {
    const std::vector<std::filesystem::path> files = testsupport::DataFiles("pngsuite/png");
    ASSERT_GE(files.size(), 170u);
    for (Path path : kAllPaths) {
        const bool crcChecked = path != Path::OwnInflater;
        for (const auto& file : files) {
            const std::string name = file.stem().string();
            const Bytes png = testsupport::ReadBytes(file.string());
            Decoded d = Decode(png, path);
            const bool checksumOnly = name == "xcsn0g01" || name == "xhdn0g08";
            if (name[0] == 'x' && (crcChecked || !checksumOnly)) {
                EXPECT_FALSE(d.dib.HasPicture()) << name << " on " << Name(path);
                continue;
            }
            ASSERT_TRUE(d.recognised) << name;
            ASSERT_TRUE(d.dib.HasPicture()) << name << " on " << Name(path);
            std::vector<unsigned> rgba = testsupport::ReadJsonArray(SuiteFile("json/" + name + ".json"));
            if (name.substr(name.size() - 2) == "16")
                for (unsigned& v : rgba) v >>= 8;  // 16-bit samples keep their high byte
            const int w = d.dib.Width(), h = d.dib.Height();
            ASSERT_EQ(rgba.size(), static_cast<size_t>(w) * h * 4) << name;
            EXPECT_EQ(d.dib.Pixels(), fixtures::ExpectedFromRgba(rgba, w, h)) << name << " on " << Name(path);
            EXPECT_EQ(d.dib.ImageType(), 10) << name;
            const bool hasAlpha = name.find("4a") != std::string::npos ||
                                  name.find("6a") != std::string::npos ||
                                  (name[0] == 't' && name.substr(0, 3) != "tp0");
            EXPECT_EQ(d.dib.Alpha(), hasAlpha) << name;
        }
    }
}

// Checksums count only when zlib is there: a flipped byte in a stored CRC refuses the file then,
// and is not noticed without zlib; a stored CRC of zero is never checked.
TEST(PngDecoder, ChecksumsAreCheckedOnlyWithZlib) {
    const Bytes rows = {0, 10, 20, 30, 0, 40, 50, 60};
    const Bytes good = SimplePng(1, 2, 8, 2, rows);
    const size_t ihdrCrc = 8 + 8 + 13;  // signature, IHDR length and type, IHDR data
    struct Case {
        const char* name;
        std::function<void(Bytes&)> change;
        bool withZlib, withoutZlib;
    } cases[] = {
        {"IHDR CRC flipped", [&](Bytes& b) { b[ihdrCrc] ^= 1; }, false, true},
        {"IHDR CRC zero", [&](Bytes& b) { std::fill_n(b.begin() + ihdrCrc, 4, 0); }, true, true},
        {"IDAT CRC flipped", [&](Bytes& b) { b[b.size() - 12 - 1] ^= 0x80; }, false, true},
    };
    for (const Case& c : cases) {
        Bytes png = good;
        c.change(png);
        EXPECT_EQ(Decode(png, Path::Zlib).dib.HasPicture(), c.withZlib) << c.name;
        EXPECT_EQ(Decode(png, Path::OwnInflater).dib.HasPicture(), c.withoutZlib) << c.name;
    }
    // A changed byte in an unknown ancillary chunk is ignored; in an IDAT chunk it refuses the file.
    Bytes extra = Chunk("zzAb", {1, 2, 3});
    extra[9] ^= 0xFF;
    Bytes png = SimplePng(1, 2, 8, 2, rows, {extra});
    EXPECT_TRUE(Decode(png, Path::Zlib).dib.HasPicture());
}

TEST(PngDecoder, ImageDataWithABadZlibWrapperFallsBackToTheOwnInflater) {
    const Bytes rows = {0, 1, 2, 3};
    Bytes png = SimplePng(1, 1, 8, 2, rows);
    // Corrupt the Adler-32 (the last 4 data bytes of IDAT) and fix the chunk CRC.
    const size_t idat = 8 + 25;
    const uint32_t len = (png[idat] << 24) | (png[idat + 1] << 16) | (png[idat + 2] << 8) | png[idat + 3];
    png[idat + 8 + len - 1] ^= 0x55;
    Bytes td(png.begin() + idat + 4, png.begin() + idat + 8 + len);
    const uint32_t crc = static_cast<uint32_t>(::crc32(0, td.data(), static_cast<uInt>(td.size())));
    for (int i = 0; i < 4; ++i) png[idat + 8 + len + i] = static_cast<uint8_t>(crc >> (24 - 8 * i));
    Decoded d = Decode(png, Path::Zlib);
    ASSERT_TRUE(d.dib.HasPicture());
    EXPECT_EQ(Pixel(d.dib, 0, 0), Bytes({3, 2, 1, 255}));
}

// Sample conversion rules, each a one- or two-row image.
TEST(PngPixels, SampleConversionTable) {
    struct Case {
        const char* name;
        uint32_t w, h;
        uint8_t depth, type;
        Bytes rows;
        std::vector<Bytes> chunks;  // before IDAT
        std::vector<Bytes> pixels;  // B, G, R, A left to right, top to bottom
        bool alpha;
    } cases[] = {
        {"1-bit grey A5",
         8,
         1,
         1,
         0,
         {0, 0xA5},
         {},
         {{255, 255, 255, 255},
          {0, 0, 0, 255},
          {255, 255, 255, 255},
          {0, 0, 0, 255},
          {0, 0, 0, 255},
          {255, 255, 255, 255},
          {0, 0, 0, 255},
          {255, 255, 255, 255}},
         false},
        {"2-bit grey ramp",
         4,
         1,
         2,
         0,
         {0, 0x1B},
         {},
         {{0, 0, 0, 255}, {85, 85, 85, 255}, {170, 170, 170, 255}, {255, 255, 255, 255}},
         false},
        {"4-bit grey", 2, 1, 4, 0, {0, 0x1F}, {}, {{17, 17, 17, 255}, {255, 255, 255, 255}}, false},
        {"RGBA premultiplied, truncating",
         2,
         1,
         8,
         6,
         {0, 200, 100, 50, 128, 255, 255, 255, 1},
         {},
         {{25, 50, 100, 128}, {1, 1, 1, 1}},
         true},
        {"RGBA alpha 0 keeps zeros", 1, 1, 8, 6, {0, 200, 100, 50, 0}, {}, {{0, 0, 0, 0}}, true},
        {"grey+alpha", 1, 1, 8, 4, {0, 200, 64}, {}, {{50, 50, 50, 64}}, true},
        {"16-bit RGB keeps high bytes",
         1,
         1,
         16,
         2,
         {0, 0x12, 0xFF, 0x34, 0x00, 0x56, 0x01},
         {},
         {{86, 52, 18, 255}},
         false},
        {"16-bit RGBA", 1, 1, 16, 6, {0, 200, 9, 100, 9, 50, 9, 128, 9}, {}, {{25, 50, 100, 128}}, true},
        {"16-bit grey+alpha", 1, 1, 16, 4, {0, 255, 0, 0, 255}, {}, {{0, 0, 0, 0}}, true},
        {"RGB tRNS key",
         2,
         1,
         8,
         2,
         {0, 10, 20, 30, 10, 20, 31},
         {Chunk("tRNS", {0, 10, 0, 20, 0, 30})},
         {{0, 0, 0, 0}, {31, 20, 10, 255}},
         true},
        {"16-bit RGB tRNS key compares high bytes",
         3,
         1,
         16,
         2,
         {0, 1, 2, 3, 4, 5, 6, 1, 9, 3, 9, 5, 9, 1, 2, 3, 4, 6, 6},
         {Chunk("tRNS", {1, 2, 3, 4, 5, 6})},
         {{0, 0, 0, 0}, {0, 0, 0, 0}, {6, 3, 1, 255}},
         true},
        {"grey tRNS key",
         2,
         1,
         8,
         0,
         {0, 7, 8},
         {Chunk("tRNS", {0, 7})},
         {{0, 0, 0, 0}, {8, 8, 8, 255}},
         true},
        {"2-bit grey tRNS key",
         2,
         1,
         2,
         0,
         {0, 0x60},
         {Chunk("tRNS", {0, 1})},
         {{0, 0, 0, 0}, {170, 170, 170, 255}},
         true},
        {"16-bit grey tRNS key compares high bytes",
         3,
         1,
         16,
         0,
         {0, 0x40, 0x00, 0x40, 0x07, 0x41, 0x00},
         {Chunk("tRNS", {0x40, 0x00})},
         {{0, 0, 0, 0}, {0, 0, 0, 0}, {0x41, 0x41, 0x41, 255}},
         true},
        {"grey tRNS of 1 byte is ignored", 1, 1, 8, 0, {0, 7}, {Chunk("tRNS", {7})}, {{7, 7, 7, 255}}, false},
        {"palette tRNS of 3 entries",
         4,
         1,
         8,
         3,
         {0, 0, 1, 2, 3},
         {Chunk("PLTE", {10, 20, 30, 40, 50, 60, 70, 80, 90, 100, 110, 120}), Chunk("tRNS", {0, 255, 51})},
         {{0, 0, 0, 0}, {60, 50, 40, 255}, {18, 16, 14, 51}, {120, 110, 100, 255}},
         true},
        {"4-bit palette",
         3,
         1,
         4,
         3,
         {0, 0x10, 0x20},
         {Chunk("PLTE", {1, 2, 3, 4, 5, 6, 7, 8, 9})},
         {{6, 5, 4, 255}, {3, 2, 1, 255}, {9, 8, 7, 255}},
         false},
        {"Sub, Paeth, Average and Up",
         2,
         4,
         8,
         0,
         {1, 10, 5, 4, 1, 2, 3, 4, 6, 2, 1, 1},
         {},
         {{10, 10, 10, 255},
          {15, 15, 15, 255},
          {11, 11, 11, 255},
          {17, 17, 17, 255},
          {9, 9, 9, 255},
          {19, 19, 19, 255},
          {10, 10, 10, 255},
          {20, 20, 20, 255}},
         false},
        {"Average on the first row",
         2,
         1,
         8,
         0,
         {3, 10, 5},
         {},
         {{10, 10, 10, 255}, {10, 10, 10, 255}},
         false},
        {"Paeth on the first row", 2, 1, 8, 0, {4, 10, 5}, {}, {{10, 10, 10, 255}, {15, 15, 15, 255}}, false},
        {"unknown filter: the row as stored",
         2,
         1,
         8,
         0,
         {7, 10, 5},
         {},
         {{10, 10, 10, 255}, {5, 5, 5, 255}},
         false},
    };
    for (const Case& c : cases) {
        Bytes png = fixtures::kSignature;
        auto add = [&](const Bytes& b) { png.insert(png.end(), b.begin(), b.end()); };
        add(Chunk("IHDR", fixtures::Ihdr(c.w, c.h, c.depth, c.type)));
        for (const Bytes& ch : c.chunks) add(ch);
        add(Chunk("IDAT", fixtures::Zlib(c.rows)));
        add(Chunk("IEND", {}));
        for (Path path : kAllPaths) {
            Decoded d = Decode(png, path);
            ASSERT_TRUE(d.dib.HasPicture()) << c.name;
            for (uint32_t i = 0; i < c.w * c.h; ++i)
                EXPECT_EQ(Pixel(d.dib, static_cast<int>(i % c.w), static_cast<int>(i / c.w)), c.pixels[i])
                    << c.name << " pixel " << i << " on " << Name(path);
            EXPECT_EQ(d.dib.Alpha(), c.alpha) << c.name;
        }
    }
}

// Raw rows (filter 0) of random samples for an image, stored plainly or in Adam7 passes.
Bytes StoredRows(const std::vector<Bytes>& rows, uint32_t w, uint32_t h, int bitsPerPixel, bool interlaced) {
    Bytes out;
    auto pack = [&](uint32_t y, uint32_t c0, uint32_t dc) {
        out.push_back(0);
        Bytes packed;
        int bitPos = 0;
        for (uint32_t x = c0; x < w; x += dc) {
            for (int b = 0; b < bitsPerPixel; ++b) {
                const size_t srcBit = static_cast<size_t>(x) * bitsPerPixel + b;
                const int bit = (rows[y][srcBit / 8] >> (7 - srcBit % 8)) & 1;
                if (bitPos % 8 == 0) packed.push_back(0);
                packed.back() = static_cast<uint8_t>(packed.back() | (bit << (7 - bitPos % 8)));
                ++bitPos;
            }
        }
        out.insert(out.end(), packed.begin(), packed.end());
    };
    if (!interlaced) {
        for (uint32_t y = 0; y < h; ++y) pack(y, 0, 1);
        return out;
    }
    static const int pass[7][4] = {{0, 0, 8, 8}, {0, 4, 8, 8}, {4, 0, 8, 4}, {0, 2, 4, 4},
                                   {2, 0, 4, 2}, {0, 1, 2, 2}, {1, 0, 2, 1}};
    for (const auto& p : pass) {
        if (static_cast<uint32_t>(p[1]) >= w) continue;  // a pass without columns has no rows stored
        for (uint32_t y = static_cast<uint32_t>(p[0]); y < h; y += static_cast<uint32_t>(p[2]))
            pack(y, static_cast<uint32_t>(p[1]), static_cast<uint32_t>(p[3]));
    }
    return out;
}

// Interlaced images, also smaller than the 8 x 8 pass grid, decode to the same pixels as the same
// image stored plainly.
TEST(PngPixels, InterlacedEqualsPlain) {
    std::mt19937 rng(3);
    struct Format {
        uint8_t depth, type;
        int bpp;
        Bytes chunk;
    } formats[] = {{1, 0, 1, {}},   {2, 3, 2, Chunk("PLTE", Bytes(12, 77))},
                   {4, 0, 4, {}},   {8, 6, 32, {}},
                   {16, 2, 48, {}}, {8, 2, 24, {}}};
    const std::pair<uint32_t, uint32_t> sizes[] = {{1, 1}, {3, 3}, {5, 5}, {2, 9}, {9, 2}, {8, 8}, {13, 11}};
    for (const Format& f : formats)
        for (auto [sw, sh] : sizes) {
            const uint32_t w = sw, h = sh;
            std::vector<Bytes> rows(h, Bytes((w * f.bpp + 7) / 8));
            for (Bytes& r : rows)
                for (uint8_t& b : r) b = static_cast<uint8_t>(rng());
            std::initializer_list<Bytes> none = {};
            auto make = [&](bool interlaced) {
                Bytes raw = StoredRows(rows, w, h, f.bpp, interlaced);
                return f.chunk.empty() ? SimplePng(w, h, f.depth, f.type, raw, none, interlaced)
                                       : SimplePng(w, h, f.depth, f.type, raw, {f.chunk}, interlaced);
            };
            Decoded plain = Decode(make(false)), inter = Decode(make(true));
            ASSERT_TRUE(plain.dib.HasPicture() && inter.dib.HasPicture())
                << w << "x" << h << " depth " << +f.depth;
            EXPECT_EQ(plain.dib.Pixels(), inter.dib.Pixels()) << w << "x" << h << " depth " << +f.depth;
        }
}

// Rows stored with each of the five filters in turn (the row's number modulo 5), as an encoder
// would write them: `rows` are the samples, `d` the filter distance in bytes.
Bytes FilteredRows(const std::vector<Bytes>& rows, size_t d) {
    Bytes out;
    const Bytes none(rows.empty() ? 0 : rows[0].size(), 0);
    for (size_t y = 0; y < rows.size(); ++y) {
        const Bytes& x = rows[y];
        const Bytes& up = y ? rows[y - 1] : none;
        const uint8_t filter = static_cast<uint8_t>(y % 5);
        out.push_back(filter);
        for (size_t i = 0; i < x.size(); ++i) {
            const int a = i >= d ? x[i - d] : 0, b = up[i], c = i >= d ? up[i - d] : 0;
            const int p = a + b - c, pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
            const int predictors[5] = {0, a, b, (a + b) / 2, pa <= pb && pa <= pc ? a : pb <= pc ? b : c};
            out.push_back(static_cast<uint8_t>(x[i] - predictors[filter]));
        }
    }
    return out;
}

// Pictures whose data is several times the inflater's window decode row by row to the same pixels
// whichever filters their rows use, at every sample size, on every path.
TEST(PngPixels, LargeFilteredPicturesDecodeLikePlainOnes) {
    std::mt19937 rng(11);
    struct Format {
        uint8_t depth, type;
        size_t bytesPerPixel;
    } formats[] = {{8, 0, 1}, {8, 4, 2}, {8, 2, 3}, {8, 6, 4}, {16, 2, 6}, {16, 6, 8}};
    const uint32_t w = 300, h = 290;
    for (const Format& f : formats) {
        // Smooth ramps with noise, as photographs: long matches and literals both.
        std::vector<Bytes> rows(h, Bytes(w * f.bytesPerPixel));
        for (uint32_t y = 0; y < h; ++y)
            for (size_t i = 0; i < rows[y].size(); ++i)
                rows[y][i] =
                    static_cast<uint8_t>((i / f.bytesPerPixel + y) * (1 + i % f.bytesPerPixel) + rng() % 9);
        const Bytes plain = SimplePng(w, h, f.depth, f.type,
                                      StoredRows(rows, w, h, static_cast<int>(f.bytesPerPixel * 8), false));
        const Bytes filtered = SimplePng(w, h, f.depth, f.type, FilteredRows(rows, f.bytesPerPixel));
        for (Path path : kAllPaths) {
            Decoded a = Decode(plain, path), b = Decode(filtered, path);
            ASSERT_TRUE(a.dib.HasPicture() && b.dib.HasPicture()) << +f.type << " on " << Name(path);
            EXPECT_EQ(a.dib.Pixels(), b.dib.Pixels()) << +f.type << "/" << +f.depth << " on " << Name(path);
        }
        if (f.type == 6 && f.depth == 8) {
            std::vector<unsigned> rgba;
            for (const Bytes& r : rows) rgba.insert(rgba.end(), r.begin(), r.end());
            EXPECT_EQ(Decode(filtered).dib.Pixels(), fixtures::ExpectedFromRgba(rgba, w, h));
        }
    }
}

// The chunk walk's outcomes: recognised (true) in every case below, and a picture only where said.
TEST(PngDecoder, ChunkWalkOutcomes) {
    const Bytes rows = {0, 9, 8, 7};
    const Bytes ihdr = Chunk("IHDR", fixtures::Ihdr(1, 1, 8, 2));
    const Bytes idat = Chunk("IDAT", fixtures::Zlib(rows));
    const Bytes iend = Chunk("IEND", {});
    const Bytes z = fixtures::Zlib(rows);
    const Bytes idatA = Chunk("IDAT", Bytes(z.begin(), z.begin() + 3));
    const Bytes idatB = Chunk("IDAT", Bytes(z.begin() + 3, z.end()));
    Bytes shortIhdr = fixtures::Ihdr(1, 1, 8, 2);
    shortIhdr.pop_back();
    Bytes endWithData = Chunk("IEND", {1, 2});
    struct Case {
        const char* name;
        Bytes png;
        bool picture;
    } cases[] = {
        {"plain", fixtures::Png({ihdr, idat, iend}), true},
        {"garbage after the signature",
         [] {
             Bytes b = fixtures::kSignature;
             b.resize(80, 0xEE);
             return b;
         }(),
         false},
        {"no IEND", fixtures::Png({ihdr, idat}), false},
        {"IEND with data ends the walk", fixtures::Png({ihdr, idat, endWithData, Bytes{1, 2, 3}}), true},
        {"IDAT split around other chunks",
         fixtures::Png({ihdr, idatA, Chunk("tEXt", {'a', 0, 'b'}), idatB, iend}), true},
        {"IDAT before IHDR", fixtures::Png({idat, ihdr, iend}), true},
        {"no IDAT", fixtures::Png({ihdr, iend}), false},
        {"IHDR of 12 bytes", fixtures::Png({Chunk("IHDR", shortIhdr), idat, iend}), false},
        {"PLTE of 7 bytes in a palette image",
         fixtures::Png({Chunk("IHDR", fixtures::Ihdr(1, 1, 8, 3)), Chunk("PLTE", Bytes(7, 1)),
                        Chunk("IDAT", fixtures::Zlib({0, 0})), iend}),
         false},
        {"PLTE of 7 bytes in a grey image is passed over",
         fixtures::Png({Chunk("IHDR", fixtures::Ihdr(1, 1, 8, 0)), Chunk("PLTE", Bytes(7, 1)),
                        Chunk("IDAT", fixtures::Zlib({0, 0})), iend}),
         true},
        {"palette index beyond the palette",
         fixtures::Png({Chunk("IHDR", fixtures::Ihdr(1, 1, 8, 3)), Chunk("PLTE", Bytes(6, 1)),
                        Chunk("IDAT", fixtures::Zlib({0, 2})), iend}),
         false},
        {"unknown filter in an interlaced image", SimplePng(1, 1, 8, 0, {5, 1}, {}, 1), false},
        {"chunk length with the top bit set",
         fixtures::Png({ihdr, Bytes{0x80, 0, 0, 0, 'a', 'b', 'c', 'd'}, idat, iend}), false},
        {"chunk running past the end",
         fixtures::Png({ihdr, idat, Bytes{0, 0, 0, 40, 'I', 'E', 'N', 'D', 0, 0}}), false},
        {"RGB at 4 bits", SimplePng(1, 1, 4, 2, {0, 0x12, 0x30}), false},
        {"palette at 16 bits", SimplePng(1, 1, 16, 3, {0, 0, 0}), false},
        {"interlace method 2", SimplePng(1, 1, 8, 0, {0, 0}, {}, 2), false},
        {"a size whose pixels overflow", SimplePng(0x10000, 0x10000, 8, 0, {0, 0}), false},
        {"a tiny file claiming a large picture", SimplePng(3000, 3000, 16, 6, {0, 0}), true},
        {"compressed data shorter than the image", SimplePng(2, 2, 8, 0, {0, 5, 6}), true},
    };
    for (const Case& c : cases) {
        for (Path path : kAllPaths) {
            Decoded d = Decode(c.png, path);
            EXPECT_TRUE(d.recognised) << c.name;
            EXPECT_EQ(d.dib.HasPicture(), c.picture) << c.name << " on " << Name(path);
        }
    }
    // Data short of the image: the rest stays zero, i.e. rows of zero samples.
    Decoded d = Decode(SimplePng(2, 2, 8, 0, {0, 5, 6}));
    EXPECT_EQ(Pixel(d.dib, 1, 0), Bytes({6, 6, 6, 255}));
    EXPECT_EQ(Pixel(d.dib, 0, 1), Bytes({0, 0, 0, 255}));
}

// A picture the target cannot hold (memory refused) ends the load with no picture, still recognised.
TEST(PngDecoder, RefusedPictureMemory) {
    class Refusing final : public imaging::DibTarget {
    public:
        bool InitializeDIB(int32_t, int32_t) override {
            ++asked;
            return false;
        }
        void DestroyDIB() override {}
        bool HasPicture() const override { return false; }
        int32_t Width() const override { return 0; }
        int32_t Height() const override { return 0; }
        uint8_t* Bits() override { return nullptr; }
        void SetAlpha(bool) override {}
        void SetImageType(int32_t) override { ++typed; }
        int asked = 0, typed = 0;
    } target;
    const Bytes png = SimplePng(8000, 8000, 16, 6, {0, 0});  // a tiny file claiming 512 MB of samples
    for (Path path : kAllPaths) {
        imaging::cPNGparser parser(ZlibFor(path));
        EXPECT_TRUE(parser.LoadStream(png, target, 0, static_cast<int64_t>(png.size())));
    }
    EXPECT_EQ(target.asked, 3);
    EXPECT_EQ(target.typed, 0);
}

TEST(PngDecoder, SignatureAndRange) {
    const Bytes png = SimplePng(1, 1, 8, 2, {0, 1, 2, 3});
    MemoryDib dib;
    dib.InitializeDIB(3, 3);
    imaging::cPNGparser parser;
    Bytes notPng = png;
    notPng[1] = 'p';
    EXPECT_FALSE(parser.LoadStream(notPng, dib, 0, static_cast<int64_t>(notPng.size())));
    EXPECT_TRUE(dib.HasPicture()) << "a refused signature leaves the target alone";
    // A PNG inside a larger array, as an icon entry: only its range is read.
    Bytes outer(50, 0xAB);
    outer.insert(outer.end(), png.begin(), png.end());
    outer.resize(outer.size() + 30, 0xCD);
    EXPECT_TRUE(parser.LoadStream(outer, dib, 50, static_cast<int64_t>(png.size())));
    ASSERT_TRUE(dib.HasPicture());
    EXPECT_EQ(dib.Width(), 1);
    // The same range cut one byte short misses its IEND.
    EXPECT_TRUE(parser.LoadStream(outer, dib, 50, static_cast<int64_t>(png.size()) - 1));
    EXPECT_FALSE(dib.HasPicture());
    // A range running past the array is clipped to it.
    EXPECT_TRUE(parser.LoadStream(png, dib, 0, 1 << 20));
    EXPECT_TRUE(dib.HasPicture());
}

TEST(PngDecoder, GdiPlusIsAskedFirst) {
    const Bytes png = SimplePng(1, 1, 8, 2, {0, 1, 2, 3});
    int calls = 0;
    size_t seenBytes = 0;
    auto loader = [&](bool succeed) {
        return [&, succeed](const std::string& name, std::span<const uint8_t> bytes, imaging::DibTarget& t,
                            uintptr_t token) {
            ++calls;
            seenBytes = bytes.size();
            EXPECT_TRUE(name.empty());
            EXPECT_EQ(token, 77u);
            if (!succeed) return false;
            t.InitializeDIB(5, 5);
            t.SetImageType(10);
            return true;
        };
    };
    MemoryDib dib;
    imaging::cPNGparser withGdi({}, loader(true));
    EXPECT_TRUE(withGdi.LoadStream(png, dib, 0, static_cast<int64_t>(png.size()), 77));
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(seenBytes, png.size());
    EXPECT_EQ(dib.Width(), 5) << "the GDI+ result stands";
    imaging::cPNGparser gdiFails({}, loader(false));
    EXPECT_TRUE(gdiFails.LoadStream(png, dib, 0, static_cast<int64_t>(png.size()), 77));
    EXPECT_EQ(calls, 2);
    EXPECT_EQ(dib.Width(), 1) << "the own decoder took over";
}

class MemoryFile final : public imaging::PngFileSource {
public:
    explicit MemoryFile(Bytes b) : bytes_(std::move(b)) {}
    int64_t Size() override { return static_cast<int64_t>(bytes_.size()); }
    bool ReadAt(int64_t pos, uint8_t* buf, size_t n) override {
        if (pos < 0 || static_cast<uint64_t>(pos) + n > bytes_.size()) return false;
        std::copy_n(bytes_.begin() + pos, n, buf);
        return true;
    }

private:
    Bytes bytes_;
};

TEST(PngDecoder, FileEntryDecodesLikeTheStreamEntry) {
    for (const char* name : {"basi6a16", "tbrn2c08", "s37i3p04"}) {
        const Bytes png = testsupport::ReadBytes(SuiteFile("png/" + std::string(name) + ".png"));
        MemoryFile file(png);
        MemoryDib fromFile;
        std::string seenName;
        imaging::cPNGparser parser(
            fixtures::SystemZlib(),
            [&](const std::string& n, std::span<const uint8_t> b, imaging::DibTarget&, uintptr_t) {
                seenName = n;
                EXPECT_TRUE(b.empty());
                return false;
            });
        EXPECT_TRUE(parser.LoadFile(file, "x.png", fromFile));
        EXPECT_EQ(seenName, "x.png");
        Decoded fromStream = Decode(png, Path::Zlib);
        ASSERT_TRUE(fromFile.HasPicture()) << name;
        EXPECT_EQ(fromFile.Pixels(), fromStream.dib.Pixels()) << name;
    }
    // A file whose IHDR is cut short is refused, as is one without the signature.
    Bytes shortIhdr = fixtures::Png({Chunk("IHDR", Bytes(12, 1)), Chunk("IEND", {})});
    MemoryFile f(shortIhdr);
    MemoryDib dib;
    EXPECT_TRUE(imaging::cPNGparser().LoadFile(f, "", dib));
    EXPECT_FALSE(dib.HasPicture());
    MemoryFile g(Bytes(60, 'x'));
    EXPECT_FALSE(imaging::cPNGparser().LoadFile(g, "", dib));
}

}  // namespace
