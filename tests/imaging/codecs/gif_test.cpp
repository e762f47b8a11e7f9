#include <gtest/gtest.h>

#include <map>
#include <string>

#include "imaging/codecs/fixtures.h"
#include "imaging/codecs/gif_reader.h"

namespace {

using fixtures::Bytes;
using imaging::MemoryDib;

// LZW as GIF encoders write it: the code size grows once the next free code reaches 2^size, and a
// clear code restarts the table when it is full.
Bytes Lzw(const Bytes& indices, int minCodeSize) {
    Bytes out;
    uint32_t acc = 0;
    int bits = 0;
    int size = minCodeSize + 1;
    const int clear = 1 << minCodeSize, eoi = clear + 1;
    int next = clear + 2;
    auto emit = [&](int code) {
        acc |= static_cast<uint32_t>(code) << bits;
        bits += size;
        while (bits >= 8) {
            out.push_back(static_cast<uint8_t>(acc));
            acc >>= 8;
            bits -= 8;
        }
        if (next >= (1 << size) && size < 12) ++size;
    };
    std::map<std::pair<int, int>, int> table;
    emit(clear);
    int prefix = -1;
    for (uint8_t c : indices) {
        if (prefix < 0) {
            prefix = c;
            continue;
        }
        auto it = table.find({prefix, c});
        if (it != table.end()) {
            prefix = it->second;
            continue;
        }
        emit(prefix);
        if (next < 4095) {
            table[{prefix, c}] = next++;
        } else {
            emit(clear);
            table.clear();
            next = clear + 2;
            size = minCodeSize + 1;
        }
        prefix = c;
    }
    if (prefix >= 0) emit(prefix);
    emit(eoi);
    if (bits > 0) out.push_back(static_cast<uint8_t>(acc));
    return out;
}

Bytes SubBlocks(const Bytes& data, size_t blockSize = 255) {
    Bytes out;
    for (size_t i = 0; i < data.size(); i += blockSize) {
        const size_t n = std::min(blockSize, data.size() - i);
        out.push_back(static_cast<uint8_t>(n));
        out.insert(out.end(), data.begin() + static_cast<long>(i), data.begin() + static_cast<long>(i + n));
    }
    out.push_back(0);
    return out;
}

void Le16(Bytes& b, int v) {
    b.push_back(static_cast<uint8_t>(v));
    b.push_back(static_cast<uint8_t>(v >> 8));
}

// A table of `entries` colours (entries a power of two), colour i = (i*10, i*10+1, i*10+2).
Bytes Table(int entries) {
    Bytes t;
    for (int i = 0; i < entries; ++i)
        t.insert(t.end(), {uint8_t(i * 10), uint8_t(i * 10 + 1), uint8_t(i * 10 + 2)});
    return t;
}
uint8_t SizeBits(int entries) {
    int n = 0;
    while ((2 << n) < entries) ++n;
    return static_cast<uint8_t>(n);
}

Bytes Header(const std::string& version, int w, int h, int globalEntries) {
    Bytes b(version.begin(), version.end());
    Le16(b, w);
    Le16(b, h);
    b.push_back(globalEntries ? static_cast<uint8_t>(0x80 | SizeBits(globalEntries)) : 0);
    b.push_back(0);
    b.push_back(0);
    if (globalEntries) {
        Bytes t = Table(globalEntries);
        b.insert(b.end(), t.begin(), t.end());
    }
    return b;
}

Bytes Gce(int transparentIndex, int sizeByte = 4) {
    Bytes b = {0x21, 0xF9, static_cast<uint8_t>(sizeByte)};
    Bytes data(static_cast<size_t>(sizeByte), 0);
    if (transparentIndex >= 0 && sizeByte >= 1) data[0] = 1;
    if (transparentIndex >= 0 && sizeByte >= 4) data[3] = static_cast<uint8_t>(transparentIndex);
    b.insert(b.end(), data.begin(), data.end());
    b.push_back(0);
    return b;
}

Bytes Image(int left, int top, int w, int h, const Bytes& indices, int minCodeSize = 8, int localEntries = 0,
            bool interlaced = false) {
    Bytes b = {0x2C};
    Le16(b, left);
    Le16(b, top);
    Le16(b, w);
    Le16(b, h);
    b.push_back(
        static_cast<uint8_t>((localEntries ? 0x80 | SizeBits(localEntries) : 0) | (interlaced ? 0x40 : 0)));
    if (localEntries) {
        Bytes t = Table(localEntries);
        for (uint8_t& v : t) v = static_cast<uint8_t>(v + 100);
        b.insert(b.end(), t.begin(), t.end());
    }
    b.push_back(static_cast<uint8_t>(minCodeSize));
    Bytes lzw = SubBlocks(Lzw(indices, minCodeSize), 7);
    b.insert(b.end(), lzw.begin(), lzw.end());
    return b;
}

Bytes Cat(std::initializer_list<Bytes> parts) {
    Bytes out;
    for (const Bytes& p : parts) out.insert(out.end(), p.begin(), p.end());
    return out;
}

struct Loaded {
    bool recognised;
    MemoryDib dib;
};
Loaded Load(const Bytes& gif) {
    Loaded l;
    l.dib.InitializeDIB(2, 2);  // an earlier picture, which a load replaces or drops
    l.recognised = imaging::cGIFparser().LoadStream(gif, l.dib, 0, static_cast<int64_t>(gif.size()));
    return l;
}

Bytes Pixel(const MemoryDib& dib, int x, int y) {
    const uint8_t* p =
        dib.Pixels().data() + (static_cast<size_t>(dib.Height() - 1 - y) * dib.Width() + x) * 4;
    return Bytes(p, p + 4);
}
// Colour i of the table above, opaque, as B, G, R, A.
Bytes Colour(int i, int add = 0) {
    return {uint8_t(i * 10 + 2 + add), uint8_t(i * 10 + 1 + add), uint8_t(i * 10 + add), 255};
}

const Bytes kIndices = {0, 1, 2, 3, 3, 2, 1, 0, 1, 1, 2, 2};  // 4 x 3

TEST(GifReader, TransparencyAndColours) {
    struct Case {
        const char* name;
        Bytes gif;
        int transparent;  // index shown as 0,0,0,0, or -1
    } cases[] = {
        {"no control extension", Cat({Header("GIF89a", 4, 3, 4), Image(0, 0, 4, 3, kIndices, 2), {0x3B}}),
         -1},
        {"transparent index 0",
         Cat({Header("GIF89a", 4, 3, 4), Gce(0), Image(0, 0, 4, 3, kIndices, 2), {0x3B}}), 0},
        {"transparent index 2",
         Cat({Header("GIF89a", 4, 3, 4), Gce(2), Image(0, 0, 4, 3, kIndices, 2), {0x3B}}), 2},
        {"control extension without the flag",
         Cat({Header("GIF89a", 4, 3, 4), Gce(-1), Image(0, 0, 4, 3, kIndices, 2), {0x3B}}), -1},
        {"the last control extension counts",
         Cat({Header("GIF89a", 4, 3, 4), Gce(1), Gce(3), Image(0, 0, 4, 3, kIndices, 2), {0x3B}}), 3},
        {"control extension of 6 bytes, by its size byte",
         Cat({Header("GIF89a", 4, 3, 4), Gce(1, 6), Image(0, 0, 4, 3, kIndices, 2), {0x3B}}), 1},
        {"control extension too short for an index",
         Cat({Header("GIF89a", 4, 3, 4), Gce(1, 2), Image(0, 0, 4, 3, kIndices, 2), {0x3B}}), -1},
        {"GIF87a", Cat({Header("GIF87a", 4, 3, 4), Image(0, 0, 4, 3, kIndices, 2), {0x3B}}), -1},
        {"header in mixed case",
         Cat({Header("gIf89A", 4, 3, 4), Gce(0), Image(0, 0, 4, 3, kIndices, 2), {0x3B}}), 0},
        {"comment and application extensions skipped",
         Cat({Header("GIF89a", 4, 3, 4),
              {0x21, 0xFE, 3, 'a', 'b', 'c', 0},
              {0x21, 0xFF, 11, 'N', 'E', 'T', 'S', 'C', 'A', 'P', 'E', '2', '.', '0', 3, 1, 0, 0, 0},
              Gce(0),
              Image(0, 0, 4, 3, kIndices, 2),
              {0x3B}}),
         0},
        {"interlaced",
         Cat({Header("GIF89a", 4, 3, 4),
              Gce(0),
              Image(0, 0, 4, 3, Bytes{0, 1, 2, 3, 1, 1, 2, 2, 3, 2, 1, 0}, 2, 0, true),
              {0x3B}}),
         0},
    };
    for (const Case& c : cases) {
        Loaded l = Load(c.gif);
        ASSERT_TRUE(l.recognised) << c.name;
        ASSERT_TRUE(l.dib.HasPicture()) << c.name;
        ASSERT_EQ(l.dib.Width(), 4);
        ASSERT_EQ(l.dib.Height(), 3);
        for (int i = 0; i < 12; ++i) {
            const int index = kIndices[static_cast<size_t>(i)];
            const Bytes want = index == c.transparent ? Bytes{0, 0, 0, 0} : Colour(index);
            EXPECT_EQ(Pixel(l.dib, i % 4, i / 4), want) << c.name << " pixel " << i;
        }
        EXPECT_EQ(l.dib.Alpha(), c.transparent >= 0) << c.name;
        EXPECT_EQ(l.dib.ImageType(), 9) << c.name;
    }
}

TEST(GifReader, FirstFrameLocalTableAndIndicesBeyondTheTable) {
    // Two frames; the first lies at 5, 5 in a larger screen and has its own table.
    Bytes first = Image(5, 5, 4, 3, kIndices, 2, 4);
    Bytes second = Image(0, 0, 2, 2, {1, 1, 1, 1}, 2);
    Loaded l = Load(Cat({Header("GIF89a", 20, 20, 2), Gce(-1), first, Gce(-1), second, {0x3B}}));
    ASSERT_TRUE(l.dib.HasPicture());
    EXPECT_EQ(l.dib.Width(), 4);
    EXPECT_EQ(l.dib.Height(), 3);
    EXPECT_EQ(Pixel(l.dib, 1, 0), Colour(1, 100)) << "colours from the local table";
    // A global table of 2 entries and indices 2 and 3: opaque black.
    Loaded k = Load(Cat({Header("GIF89a", 4, 3, 2), Image(0, 0, 4, 3, kIndices, 2), {0x3B}}));
    ASSERT_TRUE(k.dib.HasPicture());
    EXPECT_EQ(Pixel(k.dib, 1, 0), Colour(1));
    EXPECT_EQ(Pixel(k.dib, 2, 0), Bytes({0, 0, 0, 255}));
    EXPECT_EQ(Pixel(k.dib, 3, 0), Bytes({0, 0, 0, 255}));
}

TEST(GifReader, LargeCompressedImage) {
    // Long runs and noise fill the code table, grow the code size to 12 bits and restart it.
    const int w = 300, h = 200;
    Bytes indices(static_cast<size_t>(w) * h);
    uint32_t seed = 1;
    for (size_t i = 0; i < indices.size(); ++i) {
        seed = seed * 1103515245 + 12345;
        indices[i] = (i / 997) % 2 ? static_cast<uint8_t>((i / 13) % 7) : static_cast<uint8_t>(seed >> 24);
    }
    Loaded l = Load(Cat({Header("GIF89a", w, h, 256), Gce(255), Image(0, 0, w, h, indices, 8), {0x3B}}));
    ASSERT_TRUE(l.dib.HasPicture());
    int wrong = 0;
    for (int i = 0; i < w * h; ++i) {
        const int index = indices[static_cast<size_t>(i)];
        const Bytes want = index == 255 ? Bytes{0, 0, 0, 0} : Colour(index);
        if (Pixel(l.dib, i % w, i / w) != want) ++wrong;
    }
    EXPECT_EQ(wrong, 0);
}

TEST(GifReader, WidelyUsedOnePixelGif) {
    // The common 1 x 1 transparent GIF: white and black table, index 0 transparent.
    const Bytes gif = {'G',  'I', 'F', '8', '9',  'a',  1, 0, 1, 0,    0x80, 0, 0,    0xFF, 0xFF,
                       0xFF, 0,   0,   0,   0x21, 0xF9, 4, 1, 0, 0,    0,    0, 0x2C, 0,    0,
                       0,    0,   1,   0,   1,    0,    0, 2, 2, 0x44, 0x01, 0, 0x3B};
    Loaded l = Load(gif);
    ASSERT_TRUE(l.dib.HasPicture());
    EXPECT_EQ(Pixel(l.dib, 0, 0), Bytes({0, 0, 0, 0}));
    EXPECT_TRUE(l.dib.Alpha());
}

TEST(GifReader, RefusalsAndDamage) {
    const Bytes good = Cat({Header("GIF89a", 4, 3, 4), Gce(0), Image(0, 0, 4, 3, kIndices, 2), {0x3B}});
    struct Case {
        const char* name;
        Bytes gif;
        bool recognised, picture;
    } cases[] = {
        {"GIF88a", Cat({Header("GIF88a", 4, 3, 4), Image(0, 0, 4, 3, kIndices, 2), {0x3B}}), false, true},
        {"trailer before any image", Cat({Header("GIF89a", 4, 3, 4), Gce(0), {0x3B}}), false, true},
        {"unknown block before the image",
         Cat({Header("GIF89a", 4, 3, 4), {0x77}, Image(0, 0, 4, 3, kIndices, 2)}), false, true},
        {"no colour table", Cat({Header("GIF89a", 4, 3, 0), Image(0, 0, 4, 3, kIndices, 2), {0x3B}}), false,
         true},
        {"image of no pixels", Cat({Header("GIF89a", 4, 3, 4), Image(0, 0, 0, 3, {}, 2), {0x3B}}), false,
         true},
        {"cut inside the image's sub-blocks", Bytes(good.begin(), good.end() - 4), true, false},
        {"cut inside the colour table", Bytes(good.begin(), good.begin() + 16), true, false},
        {"cut inside an extension", Bytes(good.begin(), good.begin() + 27), true, false},
        {"cut in the header", Bytes(good.begin(), good.begin() + 8), true, false},
    };
    for (const Case& c : cases) {
        Loaded l = Load(c.gif);
        EXPECT_EQ(l.recognised, c.recognised) << c.name;
        EXPECT_EQ(l.dib.HasPicture(), c.picture) << c.name;
    }
    // The range is honoured: a GIF inside a larger array.
    Bytes outer(9, 0);
    outer.insert(outer.end(), good.begin(), good.end());
    MemoryDib dib;
    EXPECT_TRUE(imaging::cGIFparser().LoadStream(outer, dib, 9, static_cast<int64_t>(good.size())));
    EXPECT_TRUE(dib.HasPicture());
    // Another frame decoder takes the one-frame GIF: image at 0, 0, the screen of its size.
    Bytes seen;
    imaging::cGIFparser hooked([&](std::span<const uint8_t> one, imaging::GifFrame& f) {
        seen.assign(one.begin(), one.end());
        return imaging::DecodeGifFrame(one, f);
    });
    Bytes offset = Cat({Header("GIF89a", 30, 30, 4),
                        {0x21, 0xFE, 1, 'x', 0},
                        Gce(0),
                        Image(7, 9, 4, 3, kIndices, 2),
                        {0x3B}});
    EXPECT_TRUE(hooked.LoadStream(offset, dib, 0, static_cast<int64_t>(offset.size())));
    ASSERT_GT(seen.size(), 13u);
    EXPECT_EQ(Bytes(seen.begin() + 6, seen.begin() + 10), Bytes({4, 0, 3, 0}));
    const Bytes expected = Cat({Header("GIF89a", 4, 3, 4), Gce(0), Image(0, 0, 4, 3, kIndices, 2), {0x3B}});
    EXPECT_EQ(seen, expected) << "header, table, control extension, image, trailer; the comment left out";
}

}  // namespace
