// GIF, ICO and CUR data through the image object's loading chain, icon and cursor handles through
// the handle and picture-object loaders, and byte ranges inside larger arrays for every reader.
#include <gtest/gtest.h>
#include <olectl.h>
#include <windows.h>

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "imaging/c32bppDIB.h"
#include "imaging/parsers_win.h"
#include "imaging/readers_support.h"
#include "runtime/handles.h"
#include "support/temp_dir.h"

using namespace imaging;
using namespace readers_test;

namespace {

using Rgba = std::array<unsigned, 4>;  // straight red, green, blue, alpha

void Put16(Bytes& b, unsigned v) {
    b.push_back(static_cast<uint8_t>(v));
    b.push_back(static_cast<uint8_t>(v >> 8));
}
void Put32(Bytes& b, uint32_t v) {
    Put16(b, v & 0xFFFF);
    Put16(b, v >> 16);
}

// The image object's pixel (x, y from the top) as blue, green, red, alpha.
std::array<uint8_t, 4> PixelAt(const c32bppDIB& image, int x, int y) {
    GdiFlush();
    const uint8_t* p =
        image.BitsPointer() + (static_cast<size_t>(image.Height() - 1 - y) * image.Width() + x) * 4;
    return {p[0], p[1], p[2], p[3]};
}

// --- GIF ----------------------------------------------------------------------------------------

constexpr int kGifW = 5, kGifH = 3;
const uint8_t kGifIndices[kGifH][kGifW] = {{0, 1, 2, 3, 1}, {1, 0, 3, 2, 2}, {3, 3, 0, 1, 0}};
const uint8_t kGifTable[4][3] = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {250, 250, 10}};

// LZW codes of 3 bits (minimum code size 2): every second literal is followed by a clear code, so
// the code size never grows.
Bytes GifCodes() {
    std::vector<unsigned> codes{4};
    int sinceClear = 0;
    for (const auto& row : kGifIndices)
        for (uint8_t i : row) {
            if (sinceClear == 2) {
                codes.push_back(4);
                sinceClear = 0;
            }
            codes.push_back(i);
            ++sinceClear;
        }
    codes.push_back(5);
    Bytes out;
    unsigned bitPos = 0;
    for (unsigned c : codes)
        for (int b = 0; b < 3; ++b, ++bitPos) {
            if (bitPos % 8 == 0) out.push_back(0);
            out.back() = static_cast<uint8_t>(out.back() | (((c >> b) & 1) << (bitPos % 8)));
        }
    return out;
}

// A GIF of the picture above; `transparentIndex` -1 leaves out the graphic control extension.
Bytes MakeGif(const char* signature, int transparentIndex) {
    Bytes g(signature, signature + 6);
    Put16(g, kGifW);
    Put16(g, kGifH);
    g.insert(g.end(), {0x81, 0, 0});  // global table of 4 entries
    for (const auto& e : kGifTable) g.insert(g.end(), e, e + 3);
    if (transparentIndex >= 0)
        g.insert(g.end(), {0x21, 0xF9, 4, 1, 0, 0, static_cast<uint8_t>(transparentIndex), 0});
    g.push_back(0x2C);
    Put16(g, 0);
    Put16(g, 0);
    Put16(g, kGifW);
    Put16(g, kGifH);
    g.push_back(0);
    g.push_back(2);  // minimum code size
    const Bytes codes = GifCodes();
    g.push_back(static_cast<uint8_t>(codes.size()));
    g.insert(g.end(), codes.begin(), codes.end());
    g.insert(g.end(), {0, 0x3B});
    g.resize(std::max<size_t>(g.size(), 57), 0);  // bytes after the trailer are never read
    return g;
}

// --- ICO and CUR --------------------------------------------------------------------------------

// One bitmap entry: a picture of straight colours with an AND mask (true = transparent).
struct IconPicture {
    int width = 4, height = 4;
    int bits = 32;
    std::function<Rgba(int, int)> colour;
    std::function<bool(int, int)> masked;
};

size_t RowBytes(int bits, int width) {
    return ((static_cast<size_t>(bits) * width + 31) / 32) * 4;
}

// The 16-colour palette the low-depth entries use: entry i = (16 i, 255 - 16 i, 8 i).
Rgba PaletteColour(unsigned i) {
    return {16 * i, 255 - 16 * i, 8 * i, 255};
}

Bytes IconBitmap(const IconPicture& p) {
    Bytes d;
    Put32(d, 40);
    Put32(d, static_cast<uint32_t>(p.width));
    Put32(d, static_cast<uint32_t>(p.height * 2));
    Put16(d, 1);
    Put16(d, static_cast<unsigned>(p.bits));
    for (int i = 0; i < 6; ++i) Put32(d, 0);
    const unsigned tableSize = p.bits <= 8 ? 1u << p.bits : 0;
    for (unsigned i = 0; i < tableSize; ++i) {
        const Rgba c = PaletteColour(i < 16 ? i : 0);
        d.insert(d.end(),
                 {static_cast<uint8_t>(c[2]), static_cast<uint8_t>(c[1]), static_cast<uint8_t>(c[0]), 0});
    }
    const size_t colourRow = RowBytes(p.bits, p.width), maskRow = RowBytes(1, p.width);
    for (int y = p.height - 1; y >= 0; --y) {  // bottom row first
        Bytes row(colourRow, 0);
        for (int x = 0; x < p.width; ++x) {
            const Rgba c = p.colour(x, y);
            switch (p.bits) {
                case 1:  // palette index = red / 16 (0 or 1 here)
                case 4:
                case 8: {
                    const unsigned index = c[0] / 16;
                    if (p.bits == 8)
                        row[x] = static_cast<uint8_t>(index);
                    else if (p.bits == 4)
                        row[x / 2] = static_cast<uint8_t>(row[x / 2] | (index << (x % 2 ? 0 : 4)));
                    else
                        row[x / 8] = static_cast<uint8_t>(row[x / 8] | (index << (7 - x % 8)));
                    break;
                }
                case 24:
                case 32: {
                    uint8_t* px = &row[static_cast<size_t>(x) * (p.bits / 8)];
                    px[0] = static_cast<uint8_t>(c[2]);
                    px[1] = static_cast<uint8_t>(c[1]);
                    px[2] = static_cast<uint8_t>(c[0]);
                    if (p.bits == 32) px[3] = static_cast<uint8_t>(c[3]);
                    break;
                }
            }
        }
        d.insert(d.end(), row.begin(), row.end());
    }
    for (int y = p.height - 1; y >= 0; --y) {
        Bytes row(maskRow, 0);
        for (int x = 0; x < p.width; ++x)
            if (p.masked(x, y)) row[x / 8] = static_cast<uint8_t>(row[x / 8] | (0x80 >> (x % 8)));
        d.insert(d.end(), row.begin(), row.end());
    }
    return d;
}

struct IconEntry {
    int width, height, bits;
    Bytes data;
};

// An ICO (type 1) or CUR (type 2) file of the entries, in order.
Bytes MakeIconFile(uint16_t type, const std::vector<IconEntry>& entries) {
    Bytes f;
    Put16(f, 0);
    Put16(f, type);
    Put16(f, static_cast<unsigned>(entries.size()));
    uint32_t offset = static_cast<uint32_t>(6 + 16 * entries.size());
    for (const IconEntry& e : entries) {
        f.push_back(static_cast<uint8_t>(e.width & 0xFF));
        f.push_back(static_cast<uint8_t>(e.height & 0xFF));
        f.push_back(0);
        f.push_back(0);
        Put16(f, type == 1 ? 1 : 2);                              // planes, or hot spot x
        Put16(f, type == 1 ? static_cast<unsigned>(e.bits) : 3);  // bit count, or hot spot y
        Put32(f, static_cast<uint32_t>(e.data.size()));
        Put32(f, offset);
        offset += static_cast<uint32_t>(e.data.size());
    }
    for (const IconEntry& e : entries) f.insert(f.end(), e.data.begin(), e.data.end());
    return f;
}

// Straight colours with every kind of alpha: 0 with a colour, partial above and below the
// colours, and opaque.
Rgba AlphaPicture(int x, int y) {
    static const Rgba row0[4] = {{10, 20, 30, 0}, {200, 100, 50, 128}, {255, 255, 255, 255}, {0, 0, 0, 0}};
    if (y == 0) return row0[x];
    return {static_cast<unsigned>(60 * x), static_cast<unsigned>(40 * y), 90, 255};
}
bool MaskedDiagonal(int x, int y) {
    return x == y;
}
bool NothingMasked(int, int) {
    return false;
}

// What the image object holds for an entry: the alpha channel premultiplied with truncation, or
// the AND mask: masked pixels 0, 0, 0, 0 and the rest opaque.
std::array<uint8_t, 4> ExpectedPixel(const IconPicture& p, int x, int y) {
    Rgba c = p.colour(x, y);
    if (p.bits <= 8) c = PaletteColour(c[0] / 16);
    if (p.bits == 32) {
        const unsigned a = c[3];
        if (a == 0) return {0, 0, 0, 0};
        return {static_cast<uint8_t>(c[2] * a / 255), static_cast<uint8_t>(c[1] * a / 255),
                static_cast<uint8_t>(c[0] * a / 255), static_cast<uint8_t>(a)};
    }
    if (p.masked(x, y)) return {0, 0, 0, 0};
    return {static_cast<uint8_t>(c[2]), static_cast<uint8_t>(c[1]), static_cast<uint8_t>(c[0]), 255};
}

void ExpectPicture(const c32bppDIB& image, const IconPicture& p) {
    ASSERT_EQ(image.Width(), p.width);
    ASSERT_EQ(image.Height(), p.height);
    for (int y = 0; y < p.height; ++y)
        for (int x = 0; x < p.width; ++x)
            EXPECT_EQ(PixelAt(image, x, y), ExpectedPixel(p, x, y)) << x << "," << y;
}

// Palette pictures take red / 16 as the index.
Rgba PalettePicture(int x, int y) {
    return {static_cast<unsigned>(16 * ((x + 3 * y) % 16)), 0, 0, 255};
}
Rgba TwoColourPicture(int x, int y) {
    return {static_cast<unsigned>(16 * ((x + y) % 2)), 0, 0, 255};
}

enum class Source { File, Bytes };
const Source kSources[] = {Source::File, Source::Bytes};
const char* Name(Source s) {
    return s == Source::File ? "file" : "bytes";
}

bool LoadBytes(c32bppDIB& image, Source source, const Bytes& bytes, int cx = 0, int cy = 0) {
    if (source == Source::Bytes) return image.LoadPicture_Stream(bytes, cx, cy);
    testsupport::TempDir dir;
    const std::string path = dir.File("picture.bin");
    WriteBytes(path, bytes);
    return image.LoadPicture_File(path, cx, cy);
}

}  // namespace

TEST(GifChain, FirstImageWithItsTransparency) {
    struct Case {
        const char* what;
        const char* signature;
        int transparent;
    };
    const Case cases[] = {
        {"89a, index 0 transparent", "GIF89a", 0},
        {"89a, index 3 transparent, mixed-case header", "gIf89A", 3},
        {"87a, no transparency", "GIF87a", -1},
    };
    for (const Case& c : cases) {
        const Bytes gif = MakeGif(c.signature, c.transparent);
        for (bool gdiplus : {false, true})
            for (Source source : kSources) {
                SCOPED_TRACE(std::string(c.what) + (gdiplus ? ", GDI+" : "") + ", " + Name(source));
                c32bppDIB image;
                image.isGDIplusEnabled(gdiplus);
                ASSERT_TRUE(LoadBytes(image, source, gif));
                EXPECT_EQ(image.ImageType(), 9);
                EXPECT_EQ(image.Alpha(), c.transparent >= 0);
                ASSERT_EQ(image.Width(), kGifW);
                ASSERT_EQ(image.Height(), kGifH);
                for (int y = 0; y < kGifH; ++y)
                    for (int x = 0; x < kGifW; ++x) {
                        const uint8_t i = kGifIndices[y][x];
                        const std::array<uint8_t, 4> want =
                            i == c.transparent ? std::array<uint8_t, 4>{0, 0, 0, 0}
                                               : std::array<uint8_t, 4>{kGifTable[i][2], kGifTable[i][1],
                                                                        kGifTable[i][0], 255};
                        EXPECT_EQ(PixelAt(image, x, y), want) << x << "," << y;
                    }
            }
    }
}

TEST(IcoChain, BitmapEntriesGiveTheImageTypesOfIconsAndCursors) {
    struct Case {
        const char* what;
        uint16_t type;
        IconPicture picture;
        int imageType;
        bool alpha;
    };
    const Case cases[] = {
        {"icon, 32 bits", 1, {4, 4, 32, AlphaPicture, NothingMasked}, 8, true},
        {"cursor, 32 bits", 2, {4, 4, 32, AlphaPicture, NothingMasked}, 12, true},
        {"icon, 1 bit, masked", 1, {4, 4, 1, TwoColourPicture, MaskedDiagonal}, 3, true},
        {"icon, 4 bits, masked", 1, {4, 4, 4, PalettePicture, MaskedDiagonal}, 3, true},
        {"icon, 8 bits, nothing masked", 1, {5, 3, 8, PalettePicture, NothingMasked}, 3, false},
        {"icon, 24 bits, masked", 1, {4, 4, 24, AlphaPicture, MaskedDiagonal}, 3, true},
        {"cursor, 8 bits, masked", 2, {4, 4, 8, PalettePicture, MaskedDiagonal}, 5, true},
        {"cursor, 24 bits, nothing masked", 2, {4, 4, 24, AlphaPicture, NothingMasked}, 5, false},
    };
    for (const Case& c : cases) {
        const Bytes file = MakeIconFile(
            c.type, {{c.picture.width, c.picture.height, c.picture.bits, IconBitmap(c.picture)}});
        for (Source source : kSources) {
            SCOPED_TRACE(std::string(c.what) + ", " + Name(source));
            c32bppDIB image;
            image.isGDIplusEnabled(false);
            ASSERT_TRUE(LoadBytes(image, source, file));
            EXPECT_EQ(image.ImageType(), c.imageType);
            EXPECT_EQ(image.Alpha(), c.alpha);
            ExpectPicture(image, c.picture);
        }
    }
}

TEST(IcoChain, EntryChoiceFollowsTheRequestedSize) {
    const IconPicture small{16, 16, 32, [](int, int) { return Rgba{255, 0, 0, 255}; }, NothingMasked};
    const IconPicture large{32, 32, 32, [](int, int) { return Rgba{0, 0, 255, 255}; }, NothingMasked};
    const Bytes file = MakeIconFile(1, {{16, 16, 32, IconBitmap(small)}, {32, 32, 32, IconBitmap(large)}});
    for (Source source : kSources) {
        SCOPED_TRACE(Name(source));
        c32bppDIB image;
        ASSERT_TRUE(LoadBytes(image, source, file, 16, 16));
        EXPECT_EQ(image.Width(), 16);
        EXPECT_EQ(PixelAt(image, 3, 3), (std::array<uint8_t, 4>{0, 0, 255, 255}));
        ASSERT_TRUE(LoadBytes(image, source, file));  // no size asked: 32 x 32
        EXPECT_EQ(image.Width(), 32);
        EXPECT_EQ(PixelAt(image, 3, 3), (std::array<uint8_t, 4>{255, 0, 0, 255}));
    }
}

TEST(IcoChain, PngEntryIsImageType11) {
    const Bytes png = ReadBytes(SuitePath("basn6a08"));
    const SuitePicture expected = ExpectedSuitePicture("basn6a08");
    const Bytes file = MakeIconFile(1, {{32, 32, 32, png}});
    for (bool gdiplus : {false, true})
        for (Source source : kSources) {
            SCOPED_TRACE(std::string(gdiplus ? "GDI+, " : "") + Name(source));
            c32bppDIB image;
            image.isGDIplusEnabled(gdiplus);
            ASSERT_EQ(image.isGDIplusEnabled(), gdiplus);
            ASSERT_TRUE(LoadBytes(image, source, file));
            EXPECT_EQ(image.ImageType(), 11);
            EXPECT_TRUE(image.Alpha());
            ASSERT_EQ(image.Width(), 32);
            if (!gdiplus) {
                EXPECT_EQ(FirstDifference(PixelsOf(image), expected.pixels), -1);
            }
        }
}

TEST(ReaderChain, ByteRangeInsideALargerArray) {
    const IconPicture icon{4, 4, 32, AlphaPicture, NothingMasked};
    struct Case {
        const char* what;
        Bytes bytes;
        int imageType;
        int width;
    };
    const Case cases[] = {
        {"PNG", ReadBytes(SuitePath("basn0g08")), 10, 32},
        {"GIF", MakeGif("GIF89a", 0), 9, kGifW},
        {"ICO", MakeIconFile(1, {{4, 4, 32, IconBitmap(icon)}}), 8, 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Bytes array(37, 0xEE);
        array.insert(array.end(), c.bytes.begin(), c.bytes.end());
        array.insert(array.end(), 20, 0xEE);
        c32bppDIB image;
        image.isGDIplusEnabled(false);
        ASSERT_TRUE(image.LoadPicture_Stream(array, 0, 0, 37, static_cast<int32_t>(c.bytes.size())));
        EXPECT_EQ(image.ImageType(), c.imageType);
        EXPECT_EQ(image.Width(), c.width);
    }
}

// --- Icon and cursor handles ----------------------------------------------------------------------

namespace {

// A 32-bit bottom-up section holding the picture's straight colours and alpha.
HBITMAP ColourSection(const IconPicture& p, bool keepAlpha) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = p.width;
    info.bmiHeader.biHeight = p.height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap) return nullptr;
    auto* px = static_cast<uint8_t*>(bits);
    for (int y = 0; y < p.height; ++y)
        for (int x = 0; x < p.width; ++x) {
            const Rgba c = p.colour(x, y);
            uint8_t* q = px + (static_cast<size_t>(p.height - 1 - y) * p.width + x) * 4;
            q[0] = static_cast<uint8_t>(c[2]);
            q[1] = static_cast<uint8_t>(c[1]);
            q[2] = static_cast<uint8_t>(c[0]);
            q[3] = keepAlpha ? static_cast<uint8_t>(c[3]) : 0;
        }
    return bitmap;
}

// A monochrome device bitmap (rows of whole 16-bit words, top row first) of width x rows.
HBITMAP MonoBitmap(int width, int rows, const std::function<bool(int, int)>& set) {
    const size_t rowBytes = ((static_cast<size_t>(width) + 15) / 16) * 2;
    Bytes bits(rowBytes * rows, 0);
    for (int y = 0; y < rows; ++y)
        for (int x = 0; x < width; ++x)
            if (set(x, y))
                bits[y * rowBytes + x / 8] =
                    static_cast<uint8_t>(bits[y * rowBytes + x / 8] | (0x80 >> (x % 8)));
    return CreateBitmap(width, rows, 1, 1, bits.data());
}

rt::IconHandle MakeIcon(bool isIcon, HBITMAP colour, HBITMAP mask) {
    ICONINFO info{};
    info.fIcon = isIcon ? TRUE : FALSE;
    info.hbmColor = colour;
    info.hbmMask = mask;
    return rt::IconHandle(CreateIconIndirect(&info));
}

}  // namespace

TEST(IconHandles, ConvertWithAlphaChannelOrMask) {
    struct Case {
        const char* what;
        bool isIcon;
        bool withAlpha;
        int imageType;
    };
    const Case cases[] = {
        {"icon with alpha", true, true, 8},
        {"cursor with alpha", false, true, 12},
        {"icon with mask", true, false, 3},
        {"cursor with mask", false, false, 5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        IconPicture p{4, 4, c.withAlpha ? 32 : 24, AlphaPicture,
                      c.withAlpha ? NothingMasked : MaskedDiagonal};
        rt::Bitmap colour(ColourSection(p, c.withAlpha));
        rt::Bitmap mask(MonoBitmap(p.width, p.height, p.masked));
        ASSERT_TRUE(colour && mask);
        rt::IconHandle icon = MakeIcon(c.isIcon, colour.get(), mask.get());
        ASSERT_TRUE(icon);

        c32bppDIB image;
        ASSERT_TRUE(image.LoadPicture_ByHandle(icon.get()));
        EXPECT_EQ(image.ImageType(), c.imageType);
        EXPECT_TRUE(image.Alpha());
        ExpectPicture(image, p);

        // The same through a picture object, which owns its copy of the handle.
        PicturePtr picture = PictureFromHandle(CopyIcon(icon.get()), PICTYPE_ICON);
        ASSERT_TRUE(picture);
        c32bppDIB fromPicture;
        ASSERT_TRUE(fromPicture.LoadPicture_StdPicture(picture.get()));
        EXPECT_EQ(fromPicture.ImageType(), c.imageType);
        ExpectPicture(fromPicture, p);
    }
}

TEST(IconHandles, MonochromeIconIsDrawnAndCutOut) {
    // AND mask above the XOR mask; XOR bit set = white.
    constexpr int w = 8, h = 4;
    auto andBit = [](int x, int y) { return x < 2 || y == 3; };
    auto xorBit = [](int x, int y) { return (x + y) % 2 == 0; };
    rt::Bitmap mask(
        MonoBitmap(w, 2 * h, [&](int x, int y) { return y < h ? andBit(x, y) : xorBit(x, y - h); }));
    ASSERT_TRUE(mask);
    rt::IconHandle icon = MakeIcon(true, nullptr, mask.get());
    ASSERT_TRUE(icon);
    c32bppDIB image;
    ASSERT_TRUE(image.LoadPicture_ByHandle(icon.get()));
    EXPECT_EQ(image.ImageType(), 3);
    EXPECT_TRUE(image.Alpha());
    ASSERT_EQ(image.Width(), w);
    ASSERT_EQ(image.Height(), h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const uint8_t v = xorBit(x, y) ? 255 : 0;
            const std::array<uint8_t, 4> want =
                andBit(x, y) ? std::array<uint8_t, 4>{0, 0, 0, 0} : std::array<uint8_t, 4>{v, v, v, 255};
            EXPECT_EQ(PixelAt(image, x, y), want) << x << "," << y;
        }
}
