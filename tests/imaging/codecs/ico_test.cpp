#include <gtest/gtest.h>

#include "imaging/codecs/fixtures.h"
#include "imaging/codecs/ico_reader.h"

namespace {

using fixtures::Bytes;
using imaging::MemoryDib;

void Le16(Bytes& b, uint32_t v) {
    b.push_back(static_cast<uint8_t>(v));
    b.push_back(static_cast<uint8_t>(v >> 8));
}
void Le32(Bytes& b, uint32_t v) {
    for (int i = 0; i < 4; ++i) b.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

// Colour of pixel (x, y from the top) in the fixtures: distinct per pixel and per `tint`.
struct Rgb {
    uint8_t r, g, b;
};
Rgb ColourAt(int x, int y, int tint) {
    return {static_cast<uint8_t>(40 * x + tint), static_cast<uint8_t>(50 * y + 3),
            static_cast<uint8_t>(200 - tint)};
}
// Mask bit of the fixtures: set (transparent) on a diagonal.
bool MaskAt(int x, int y) {
    return (x + y) % 3 == 0;
}
uint8_t AlphaAt(int x, int y) {
    return static_cast<uint8_t>(x == 0 ? 0 : x == 1 ? 255 : 60 + 10 * y);
}

struct Entry {
    uint8_t dirW, dirH;  // directory size bytes (0 = 256)
    uint16_t bitCount;   // in the directory
    Bytes data;
};

// A bitmap entry of w x h pixels: 1/4/8-bit use a palette of the pixels' colours (index = pixel
// number), 24/32-bit store them directly; 32-bit carries AlphaAt; all carry the MaskAt mask.
Entry BitmapEntry(int w, int h, int bc, int tint = 0, bool headerBitCount = true) {
    Bytes d;
    Le32(d, 40);
    Le32(d, static_cast<uint32_t>(w));
    Le32(d, static_cast<uint32_t>(h * 2));
    Le16(d, 1);
    Le16(d, headerBitCount ? static_cast<uint32_t>(bc) : 0);
    for (int i = 0; i < 6; ++i) Le32(d, 0);
    if (bc <= 8) {
        for (int i = 0; i < (1 << bc); ++i) {
            Rgb c = i < w * h ? ColourAt(i % w, i / w, tint) : Rgb{9, 9, 9};
            d.insert(d.end(), {c.b, c.g, c.r, 0});
        }
    }
    const int colorRow = ((bc * w + 31) / 32) * 4, maskRow = ((w + 31) / 32) * 4;
    for (int row = 0; row < h; ++row) {  // bottom row first
        const int y = h - 1 - row;
        Bytes r(static_cast<size_t>(colorRow), 0);
        for (int x = 0; x < w; ++x) {
            const int index = y * w + x;
            Rgb c = ColourAt(x, y, tint);
            if (bc == 1) r[x / 8] |= static_cast<uint8_t>((index & 1) << (7 - x % 8));
            if (bc == 4) r[x / 2] |= static_cast<uint8_t>((index & 15) << (x % 2 ? 0 : 4));
            if (bc == 8) r[x] = static_cast<uint8_t>(index & 255);
            if (bc == 24) std::copy_n(Bytes{c.b, c.g, c.r}.begin(), 3, r.begin() + x * 3);
            if (bc == 32) std::copy_n(Bytes{c.b, c.g, c.r, AlphaAt(x, y)}.begin(), 4, r.begin() + x * 4);
        }
        d.insert(d.end(), r.begin(), r.end());
    }
    for (int row = 0; row < h; ++row) {
        const int y = h - 1 - row;
        Bytes r(static_cast<size_t>(maskRow), 0);
        for (int x = 0; x < w; ++x)
            if (MaskAt(x, y)) r[x / 8] |= static_cast<uint8_t>(0x80 >> (x % 8));
        d.insert(d.end(), r.begin(), r.end());
    }
    return {static_cast<uint8_t>(w & 0xFF), static_cast<uint8_t>(h & 0xFF), static_cast<uint16_t>(bc), d};
}

Bytes IconFile(const std::vector<Entry>& entries, uint16_t type = 1) {
    Bytes f;
    Le16(f, 0);
    Le16(f, type);
    Le16(f, static_cast<uint32_t>(entries.size()));
    uint32_t offset = 6 + 16 * static_cast<uint32_t>(entries.size());
    for (const Entry& e : entries) {
        f.insert(f.end(), {e.dirW, e.dirH, 0, 0});
        Le16(f, 1);
        Le16(f, e.bitCount);
        Le32(f, static_cast<uint32_t>(e.data.size()));
        Le32(f, offset);
        offset += static_cast<uint32_t>(e.data.size());
    }
    for (const Entry& e : entries) f.insert(f.end(), e.data.begin(), e.data.end());
    return f;
}

struct Loaded {
    bool result;
    MemoryDib dib;
    imaging::cICOparser parser;
};
std::unique_ptr<Loaded> Load(const Bytes& file, int w = 32, int h = 32, int depth = 32) {
    auto l = std::make_unique<Loaded>();
    l->dib.InitializeDIB(1, 1);  // an earlier picture
    l->result = l->parser.LoadStream(file, w, h, &l->dib, 0, 0, depth);
    return l;
}

Bytes Pixel(const MemoryDib& dib, int x, int y) {
    const uint8_t* p =
        dib.Pixels().data() + (static_cast<size_t>(dib.Height() - 1 - y) * dib.Width() + x) * 4;
    return Bytes(p, p + 4);
}

TEST(IcoReader, BitmapEntriesOfEveryDepth) {
    for (int bc : {1, 4, 8, 24, 32}) {
        for (uint16_t type : {uint16_t{1}, uint16_t{2}}) {
            auto l = Load(IconFile({BitmapEntry(3, 2, bc)}, type));
            ASSERT_TRUE(l->result) << bc;
            ASSERT_TRUE(l->dib.HasPicture()) << bc;
            ASSERT_EQ(l->dib.Width(), 3);
            ASSERT_EQ(l->dib.Height(), 2);
            for (int y = 0; y < 2; ++y)
                for (int x = 0; x < 3; ++x) {
                    // 1-bit entries have two palette colours: pixel numbers 0 and 1.
                    const int n = bc == 1 ? (y * 3 + x) & 1 : y * 3 + x;
                    Rgb c = ColourAt(n % 3, n / 3, 0);
                    Bytes want(4);
                    if (bc == 32) {
                        fixtures::PutExpected(want.data(), c.r, c.g, c.b, AlphaAt(x, y));
                    } else if (MaskAt(x, y)) {
                        want = {0, 0, 0, 0};
                    } else {
                        want = {c.b, c.g, c.r, 255};
                    }
                    EXPECT_EQ(Pixel(l->dib, x, y), want) << bc << "-bit pixel " << x << "," << y;
                }
            const int wantType = bc == 32 ? (type == 1 ? 8 : 12) : (type == 1 ? 3 : 5);
            EXPECT_EQ(l->dib.ImageType(), wantType) << bc;
            EXPECT_TRUE(l->dib.Alpha());
        }
    }
    // A 32-bit entry whose alpha bytes are all 0 is wholly transparent; a mask with no bit set is opaque.
    Entry clear = BitmapEntry(2, 2, 32);
    for (size_t i = 40 + 3; i < 40 + 16; i += 4) clear.data[i] = 0;
    auto l = Load(IconFile({clear}));
    EXPECT_EQ(l->dib.Pixels(), Bytes(16, 0));
    Entry opaque = BitmapEntry(2, 2, 24);
    std::fill(opaque.data.end() - 8, opaque.data.end(), 0);
    auto o = Load(IconFile({opaque}));
    EXPECT_FALSE(o->dib.Alpha());
    EXPECT_EQ(Pixel(o->dib, 0, 0)[3], 255);
}

TEST(IcoReader, EntryChoice) {
    struct Size {
        int w, bc;
    };
    struct Case {
        const char* name;
        std::vector<Size> entries;
        int w, h, depth;
        int chosen;  // index into entries
    } cases[] = {
        {"one entry, whatever the request", {{16, 32}}, 48, 48, 32, 0},
        {"exact size and depth", {{16, 32}, {32, 32}, {48, 32}}, 32, 32, 32, 1},
        {"next larger wins over smaller", {{16, 32}, {48, 32}}, 32, 32, 32, 1},
        {"exact depth among equal sizes", {{32, 32}, {32, 4}}, 32, 32, 4, 1},
        {"closest depth", {{32, 4}, {32, 8}, {32, 1}}, 32, 32, 32, 1},
        {"only smaller: least distance, depth counted", {{16, 32}, {24, 8}}, 48, 48, 32, 1},
        {"only smaller: ties go to the later entry", {{16, 24}, {16, 24}}, 48, 48, 32, 1},
        {"request below 1 counts as 32", {{16, 32}, {32, 32}, {48, 32}}, 0, -3, 32, 1},
    };
    for (const Case& c : cases) {
        std::vector<Entry> entries;
        for (size_t i = 0; i < c.entries.size(); ++i)
            entries.push_back(
                BitmapEntry(c.entries[i].w, c.entries[i].w, c.entries[i].bc, static_cast<int>(i) * 7));
        auto l = Load(IconFile(entries), c.w, c.h, c.depth);
        ASSERT_TRUE(l->dib.HasPicture()) << c.name;
        const Size& want = c.entries[static_cast<size_t>(c.chosen)];
        EXPECT_EQ(l->dib.Width(), want.w) << c.name;
        // The tint tells equal-sized entries apart (pixel 1,1 is never masked); palette entries
        // hold only the first pixels' colours, and 32-bit pixels vary in alpha.
        if (want.bc == 32 || (want.bc <= 8 && want.w * want.w > (1 << want.bc))) continue;
        const Rgb colour = ColourAt(1, 1, c.chosen * 7);
        EXPECT_EQ(Pixel(l->dib, 1, 1), Bytes({colour.b, colour.g, colour.r, 255})) << c.name;
    }
}

TEST(IcoReader, PngEntries) {
    // A 256-pixel PNG entry with size bytes 0 beside a small bitmap entry.
    Bytes rows;
    for (int y = 0; y < 256; ++y) {
        rows.push_back(0);
        for (int x = 0; x < 256; ++x) rows.insert(rows.end(), {uint8_t(x), uint8_t(y), 7, 128});
    }
    Entry png{0, 0, 0, fixtures::SimplePng(256, 256, 8, 6, rows)};
    Bytes file = IconFile({BitmapEntry(16, 16, 8), png});
    for (bool withZlib : {false, true}) {
        imaging::cICOparser parser(withZlib ? fixtures::SystemZlib() : imaging::ZlibFunctions{});
        MemoryDib dib;
        ASSERT_TRUE(parser.LoadStream(file, 256, 256, &dib, 0, 0, 32));
        EXPECT_EQ(parser.Width(2), 256);
        EXPECT_EQ(parser.Height(2), 256);
        EXPECT_TRUE(parser.IsIconPNG(2));
        EXPECT_FALSE(parser.IsIconPNG(1));
        EXPECT_EQ(parser.bitDepth(2), 32) << "from the PNG header: RGBA";
        ASSERT_TRUE(dib.HasPicture());
        EXPECT_EQ(dib.Width(), 256);
        EXPECT_EQ(dib.ImageType(), 11);
        Bytes want(4);
        fixtures::PutExpected(want.data(), 200, 10, 7, 128);
        EXPECT_EQ(Pixel(dib, 200, 10), want);
    }
    // A PNG entry that is damaged past its header: true, no picture.
    Entry broken = png;
    broken.data.resize(60);
    auto l = Load(IconFile({broken}));
    EXPECT_TRUE(l->result);
    EXPECT_FALSE(l->dib.HasPicture());
    // A PNG entry cut before its IHDR fields is no valid entry.
    Entry cut = png;
    cut.data.resize(20);
    EXPECT_FALSE(Load(IconFile({cut}))->result);
}

TEST(IcoReader, DirectoryChecks) {
    const Bytes good = IconFile({BitmapEntry(4, 4, 8)});
    auto patched = [&](size_t at, std::initializer_list<uint8_t> bytes) {
        Bytes b = good;
        std::copy(bytes.begin(), bytes.end(), b.begin() + static_cast<long>(at));
        return b;
    };
    struct Case {
        const char* name;
        Bytes file;
        int64_t length;
    } cases[] = {
        {"five bytes", good, 5},
        {"reserved not 0", patched(0, {1}), 0},
        {"type 3", patched(2, {3}), 0},
        {"no entries", patched(4, {0}), 0},
        {"directory past the data", patched(4, {9}), 0},
        {"image offset inside the directory", patched(6 + 12, {10, 0, 0, 0}), 0},
        {"image data past the end", patched(6 + 8, {0xFF, 0xFF, 0, 0}), 0},
        {"offset near 4 GB", patched(6 + 12, {0xF0, 0xFF, 0xFF, 0xFF}), 0},
        {"entry shorter than a header", patched(6 + 8, {10, 0, 0, 0}), 0},
        {"no bit count anywhere",
         [&] {
             Bytes b = patched(6 + 6, {0, 0});
             b[22 + 14] = 0;
             return b;
         }(),
         0},
    };
    for (const Case& c : cases) {
        MemoryDib dib;
        dib.InitializeDIB(1, 1);
        imaging::cICOparser parser;
        EXPECT_FALSE(parser.LoadStream(c.file, 32, 32, &dib, 0, c.length, 32)) << c.name;
        EXPECT_TRUE(dib.HasPicture()) << c.name << ": the target is untouched";
    }
    // The header's bit count 0 takes the directory's, without changing the caller's bytes.
    Entry noHeaderDepth = BitmapEntry(4, 4, 8, 0, false);
    const Bytes file = IconFile({noHeaderDepth});
    const Bytes copy = file;
    auto l = Load(file);
    ASSERT_TRUE(l->dib.HasPicture());
    EXPECT_EQ(file, copy);
    Rgb c = ColourAt(2, 0, 0);
    EXPECT_EQ(Pixel(l->dib, 2, 0), Bytes({c.b, c.g, c.r, 255}));
    // Colour bits running past the entry: true, no picture.
    Bytes shortBits = good;
    shortBits[6 + 8] = 0x1A;  // 1050 bytes: header and table, but not all colour bits
    shortBits[6 + 9] = 0x04;
    auto s = Load(shortBits);
    EXPECT_TRUE(s->result);
    EXPECT_FALSE(s->dib.HasPicture());
}

TEST(IcoReader, StreamOffsetDirectoryOnlyAndLargeEntries) {
    const Bytes ico = IconFile({BitmapEntry(3, 2, 24), BitmapEntry(20, 20, 4)});
    Bytes outer(7, 0xEE);
    outer.insert(outer.end(), ico.begin(), ico.end());
    outer.resize(outer.size() + 5, 0xEE);
    imaging::cICOparser parser;
    MemoryDib dib;
    ASSERT_TRUE(parser.LoadStream(outer, 3, 2, &dib, 7, static_cast<int64_t>(ico.size()), 24));
    EXPECT_EQ(dib.Width(), 3);
    EXPECT_EQ(dib.ImageType(), 3);
    // Without a target only the directory is read.
    imaging::cICOparser dir;
    ASSERT_TRUE(dir.LoadStream(ico, 0, 0, nullptr, 0, 0, 32));
    EXPECT_EQ(dir.IconCount(), 2);
    EXPECT_EQ(dir.Width(2), 20);
    EXPECT_EQ(dir.bitDepth(1), 24);
    EXPECT_EQ(dir.Width(3), 0);
    // A 256-pixel bitmap entry: size bytes 0 read as 256 for the picture and its mask.
    Entry big = BitmapEntry(256, 256, 4);
    auto l = Load(IconFile({big}), 256, 256, 4);
    ASSERT_TRUE(l->dib.HasPicture());
    EXPECT_EQ(l->dib.Width(), 256);
    EXPECT_EQ(Pixel(l->dib, 0, 0), Bytes({0, 0, 0, 0}));
    EXPECT_EQ(Pixel(l->dib, 1, 0)[3], 255);
    EXPECT_EQ(Pixel(l->dib, 255, 255), Bytes({0, 0, 0, 0})) << "(255 + 255) % 3 == 0: masked";
    // Extra bytes after an 8-bit entry's data: the colour count is clamped to the table.
    Entry padded = BitmapEntry(4, 4, 8);
    const size_t maskBytes = 4 * 4;
    padded.data.insert(padded.data.end() - static_cast<long>(maskBytes), 4000, 0);
    auto p = Load(IconFile({padded}));
    ASSERT_TRUE(p->dib.HasPicture());
    Rgb c = ColourAt(2, 3, 0);
    EXPECT_EQ(Pixel(p->dib, 2, 3), Bytes({c.b, c.g, c.r, 255}));
}

TEST(IcoReader, MaskForIconHandles) {
    MemoryDib dib;
    dib.InitializeDIB(9, 2);
    std::fill(dib.Bits(), dib.Bits() + 9 * 2 * 4, 0x40);
    // Rows of 4 bytes, bottom row first: bottom row masks pixels 0 and 8, the top row nothing.
    const Bytes mask = {0x80, 0x80, 0, 0, 0, 0, 0, 0};
    imaging::cICOparser::ApplyIconMask(dib, mask, false);
    EXPECT_EQ(Pixel(dib, 0, 1), Bytes({0, 0, 0, 0}));
    EXPECT_EQ(Pixel(dib, 8, 1), Bytes({0, 0, 0, 0}));
    EXPECT_EQ(Pixel(dib, 1, 1), Bytes({0x40, 0x40, 0x40, 255}));
    EXPECT_EQ(Pixel(dib, 0, 0), Bytes({0x40, 0x40, 0x40, 255}));
    EXPECT_EQ(dib.ImageType(), 5);
    EXPECT_TRUE(dib.Alpha());
}

}  // namespace
