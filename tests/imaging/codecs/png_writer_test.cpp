// The own PNG writer against libpng and the own decoder: every file decodes through both to the
// same pixels, with libpng checking every CRC; the colour type, PLTE, tRNS and chunk order follow
// the colour analysis; the optional chunks when a test sets their flags.
#include "imaging/codecs/png_writer.h"

#include <gtest/gtest.h>
#include <png.h>
#include <zlib.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <functional>
#include <map>
#include <set>
#include <span>
#include <string>
#include <vector>

#include "imaging/codecs/png_decoder.h"
#include "imaging/dib_target.h"
#include "support/system_zlib.h"

using namespace imaging;
using testsupport::SystemZlib;

namespace {

using Bytes = std::vector<uint8_t>;
using Px = std::array<uint8_t, 4>;  // blue, green, red, alpha; premultiplied

// A picture as the image object holds it: bottom row first.
struct Image {
    int w = 0, h = 0;
    bool alpha = false;
    Bytes bits;
    Image(int width, int height, bool hasAlpha, const std::function<Px(int, int)>& at)
        : w(width), h(height), alpha(hasAlpha), bits(static_cast<size_t>(width) * height * 4) {
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const Px p = at(x, y);
                std::memcpy(&bits[(static_cast<size_t>(h - 1 - y) * w + x) * 4], p.data(), 4);
            }
    }
    Px At(int x, int y) const {
        Px p;
        std::memcpy(p.data(), &bits[(static_cast<size_t>(h - 1 - y) * w + x) * 4], 4);
        return p;
    }
    PngSourceImage Source() const { return PngSourceImage{bits.data(), w, h, alpha}; }
};

struct Chunk {
    std::string type;
    Bytes data;
};

uint32_t BE32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) << 24 | static_cast<uint32_t>(p[1]) << 16 |
           static_cast<uint32_t>(p[2]) << 8 | p[3];
}

// The chunks of a PNG, each CRC checked here too.
std::vector<Chunk> Chunks(const Bytes& png) {
    std::vector<Chunk> out;
    const uint8_t sig[8] = {0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A};
    EXPECT_TRUE(png.size() >= 8 && std::equal(sig, sig + 8, png.begin()));
    for (size_t pos = 8; pos + 12 <= png.size();) {
        const uint32_t len = BE32(&png[pos]);
        EXPECT_LE(pos + 12 + len, png.size());
        if (pos + 12 + len > png.size()) break;
        Chunk c{
            std::string(png.begin() + static_cast<long>(pos + 4), png.begin() + static_cast<long>(pos + 8)),
            Bytes(png.begin() + static_cast<long>(pos + 8), png.begin() + static_cast<long>(pos + 8 + len))};
        EXPECT_EQ(BE32(&png[pos + 8 + len]), ::crc32(0, &png[pos + 4], len + 4)) << c.type;
        out.push_back(std::move(c));
        pos += 12 + len;
    }
    return out;
}

std::vector<std::string> Types(const std::vector<Chunk>& chunks) {
    std::vector<std::string> t;
    for (const Chunk& c : chunks) t.push_back(c.type);
    return t;
}

const Chunk* Find(const std::vector<Chunk>& chunks, const std::string& type) {
    for (const Chunk& c : chunks)
        if (c.type == type) return &c;
    return nullptr;
}

// libpng's reading: straight RGBA rows, top row first; every CRC error ends the read.
bool LibpngDecode(const Bytes& data, int& w, int& h, Bytes& rgba) {
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    struct Reader {
        const Bytes* data;
        size_t pos;
    } reader{&data, 0};
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, &info, nullptr);
        return false;
    }
    png_set_crc_action(png, PNG_CRC_ERROR_QUIT, PNG_CRC_ERROR_QUIT);
    png_set_read_fn(png, &reader, [](png_structp p, png_bytep out, png_size_t n) {
        auto* r = static_cast<Reader*>(png_get_io_ptr(p));
        if (r->pos + n > r->data->size()) png_error(p, "short");
        std::memcpy(out, r->data->data() + r->pos, n);
        r->pos += n;
    });
    png_read_info(png, info);
    png_set_expand(png);
    png_set_gray_to_rgb(png);
    png_set_filler(png, 0xFF, PNG_FILLER_AFTER);
    png_read_update_info(png, info);
    w = static_cast<int>(png_get_image_width(png, info));
    h = static_cast<int>(png_get_image_height(png, info));
    rgba.assign(static_cast<size_t>(w) * h * 4, 0);
    std::vector<png_bytep> rows(static_cast<size_t>(h));
    for (int y = 0; y < h; ++y) rows[static_cast<size_t>(y)] = &rgba[static_cast<size_t>(y) * w * 4];
    png_read_image(png, rows.data());
    png_read_end(png, nullptr);
    png_destroy_read_struct(&png, &info, nullptr);
    return true;
}

// The own decoder's premultiplication: c x a \ 255, transparent pixels 0.
Px Premultiply(uint8_t r, uint8_t g, uint8_t b, uint8_t a) {
    if (a == 0) return {0, 0, 0, 0};
    if (a == 255) return {b, g, r, 255};
    return {static_cast<uint8_t>(b * a / 255), static_cast<uint8_t>(g * a / 255),
            static_cast<uint8_t>(r * a / 255), a};
}

// What a source pixel comes back as: divided back (at most 255) and premultiplied again.
Px Expected(const Px& s) {
    const uint8_t a = s[3];
    if (a == 0 || a == 255) return a == 0 ? Px{0, 0, 0, 0} : s;
    auto straight = [a](uint8_t c) { return static_cast<uint8_t>(std::min(255, c * 255 / a)); };
    return Premultiply(straight(s[2]), straight(s[1]), straight(s[0]), a);
}

// Writes the picture, decodes it both ways and compares; returns the chunks.
std::vector<Chunk> RoundTrip(const Image& img, const char* what, cPNGwriter* writerIn = nullptr) {
    cPNGwriter local{SystemZlib()};
    cPNGwriter& writer = writerIn ? *writerIn : local;
    Bytes png;
    EXPECT_TRUE(writer.WritePng(img.Source(), png)) << what;
    int w = 0, h = 0;
    Bytes rgba;
    EXPECT_TRUE(LibpngDecode(png, w, h, rgba)) << what;
    EXPECT_EQ(w, img.w) << what;
    EXPECT_EQ(h, img.h) << what;

    ZlibFunctions zlib;
    zlib.LibraryFlag = 2;
    zlib.crc32 = [](uint32_t c, const uint8_t* d, uint32_t n) {
        return static_cast<uint32_t>(::crc32(c, d, n));
    };
    zlib.uncompress = SystemZlib().uncompress;
    MemoryDib own;
    EXPECT_TRUE(cPNGparser(zlib).LoadStream(png, own, 0, static_cast<int64_t>(png.size()))) << what;
    EXPECT_TRUE(own.HasPicture()) << what;
    if (!own.HasPicture() || rgba.size() != img.bits.size()) return Chunks(png);
    int mismatches = 0;
    for (int y = 0; y < img.h && mismatches < 5; ++y)
        for (int x = 0; x < img.w && mismatches < 5; ++x) {
            const uint8_t* l = &rgba[(static_cast<size_t>(y) * img.w + x) * 4];
            const Px viaLibpng = Premultiply(l[0], l[1], l[2], l[3]);
            Px viaOwn;
            std::memcpy(viaOwn.data(), &own.Pixels()[(static_cast<size_t>(img.h - 1 - y) * img.w + x) * 4],
                        4);
            const Px want = Expected(img.At(x, y));
            if (viaLibpng != want || viaOwn != want) {
                ++mismatches;
                ADD_FAILURE() << what << " at " << x << "," << y << ": libpng " << int(viaLibpng[0]) << " "
                              << int(viaLibpng[1]) << " " << int(viaLibpng[2]) << " " << int(viaLibpng[3])
                              << ", own " << int(viaOwn[0]) << " " << int(viaOwn[1]) << " " << int(viaOwn[2])
                              << " " << int(viaOwn[3]) << ", want " << int(want[0]) << " " << int(want[1])
                              << " " << int(want[2]) << " " << int(want[3]);
            }
        }
    return Chunks(png);
}

uint8_t ColourTypeOf(const std::vector<Chunk>& chunks) {
    return chunks.empty() ? 255 : chunks[0].data[9];
}

Px Opaque(int b, int g, int r) {
    return {static_cast<uint8_t>(b), static_cast<uint8_t>(g), static_cast<uint8_t>(r), 255};
}

}  // namespace

TEST(PngWriter, ColourTypesAndTables) {
    using T = std::vector<std::string>;
    // 256 distinct opaque colours, not all grey: a palette of 256 entries, with or without the
    // alpha flag.
    auto colours256 = [](int x, int y) { return Opaque((x + 16 * y) & 0xFF, 7, (x * 3) & 0xFF); };
    for (bool alpha : {false, true}) {
        const Image img(16, 16, alpha, colours256);
        const auto chunks = RoundTrip(img, alpha ? "256 colours, alpha flag" : "256 colours");
        EXPECT_EQ(ColourTypeOf(chunks), 3);
        EXPECT_EQ(Types(chunks), (T{"IHDR", "PLTE", "IDAT", "IEND"}));
        ASSERT_TRUE(Find(chunks, "PLTE"));
        EXPECT_EQ(Find(chunks, "PLTE")->data.size(), 768u);
    }
    // 257 colours: RGB without tRNS; with the alpha flag, a grey tRNS colour that no pixel has.
    auto colours257 = [](int x, int y) { return y == 16 ? Opaque(1, 200, 9) : Opaque(x + 16 * y, 0, 5); };
    {
        const Image img(16, 17, false, colours257);
        const auto chunks = RoundTrip(img, "257 colours");
        EXPECT_EQ(ColourTypeOf(chunks), 2);
        EXPECT_EQ(Types(chunks), (T{"IHDR", "IDAT", "IEND"}));
    }
    {
        // Blue uses every value; green leaves 1 free first.
        const Image img(16, 17, true, colours257);
        const auto chunks = RoundTrip(img, "257 colours, alpha flag");
        EXPECT_EQ(ColourTypeOf(chunks), 2);
        EXPECT_EQ(Types(chunks), (T{"IHDR", "tRNS", "IDAT", "IEND"}));
        EXPECT_EQ(Find(chunks, "tRNS")->data, (Bytes{0, 1, 0, 1, 0, 1}));
    }
    {
        // Full transparency only, more than 256 colours: the smallest free blue stands for it.
        const Image img(20, 20, true, [](int x, int y) {
            return (x + y) % 7 == 0 ? Px{0, 0, 0, 0} : Opaque(x == 0 ? 0 : 2 + x, y, 3 * x + y);
        });
        const auto chunks = RoundTrip(img, "transparent pixels among many colours");
        EXPECT_EQ(ColourTypeOf(chunks), 2);
        EXPECT_EQ(Find(chunks, "tRNS")->data, (Bytes{0, 1, 0, 1, 0, 1}));
    }
    {
        // Every blue, green and red value used by opaque pixels: RGBA.
        const Image img(256, 3, true, [](int x, int y) {
            return y == 2 && x == 5 ? Px{0, 0, 0, 0} : Opaque(x, x, x ^ y);
        });
        const auto chunks = RoundTrip(img, "every channel value used");
        EXPECT_EQ(ColourTypeOf(chunks), 6);
        EXPECT_FALSE(Find(chunks, "tRNS"));
    }
    {
        // Soft edges and every alpha value: RGBA, divided back and premultiplied again.
        const Image img(64, 32, true, [](int x, int y) {
            const int a = (x + 64 * y) % 256;  // every alpha value
            return Px{static_cast<uint8_t>(a * x / 63), static_cast<uint8_t>(a * y / 31),
                      static_cast<uint8_t>(a / 2), static_cast<uint8_t>(a)};
        });
        const auto chunks = RoundTrip(img, "soft RGBA");
        EXPECT_EQ(ColourTypeOf(chunks), 6);
        EXPECT_EQ(Types(chunks), (T{"IHDR", "IDAT", "IEND"}));
    }
}

TEST(PngWriter, GreyAndTransparentPalettes) {
    using T = std::vector<std::string>;
    {
        const Image img(9, 5, false, [](int x, int y) { return Opaque(x * 20 + y, x * 20 + y, x * 20 + y); });
        const auto chunks = RoundTrip(img, "grey");
        EXPECT_EQ(ColourTypeOf(chunks), 0);
        EXPECT_EQ(Types(chunks), (T{"IHDR", "IDAT", "IEND"}));
    }
    {
        const Image img(7, 3, true, [](int, int) { return Px{0, 0, 0, 0}; });
        const auto chunks = RoundTrip(img, "fully transparent");
        EXPECT_EQ(ColourTypeOf(chunks), 0);
        EXPECT_EQ(Find(chunks, "tRNS")->data, (Bytes{0, 0}));
        EXPECT_EQ(Types(chunks), (T{"IHDR", "tRNS", "IDAT", "IEND"}));
    }
    {
        // Opaque levels 0, 1 and 3 beside transparency: level 2 is the first free one.
        const Image img(5, 4, true, [](int x, int y) {
            const int level[] = {0, 1, 3, 0, 1};
            return y == 3 && x > 2 ? Px{0, 0, 0, 0} : Opaque(level[x], level[x], level[x]);
        });
        const auto chunks = RoundTrip(img, "grey with level 0 in use");
        EXPECT_EQ(ColourTypeOf(chunks), 0);
        EXPECT_EQ(Find(chunks, "tRNS")->data, (Bytes{0, 2}));
    }
    {
        // One half-transparent grey among opaque greys: greyscale would lose its alpha (or turn
        // an opaque level transparent), so a palette with tRNS.
        const Image img(4, 4, true, [](int x, int y) {
            return x == 3 && y == 3 ? Px{32, 32, 32, 128} : Opaque(x * 3 + y, x * 3 + y, x * 3 + y);
        });
        const auto chunks = RoundTrip(img, "grey with one half-transparent level");
        EXPECT_EQ(ColourTypeOf(chunks), 3);
        EXPECT_EQ(Find(chunks, "tRNS")->data, (Bytes{128}));
        EXPECT_EQ(Bytes(Find(chunks, "PLTE")->data.begin(), Find(chunks, "PLTE")->data.begin() + 3),
                  (Bytes{63, 63, 63}));
    }
    {
        const Image img(3, 3, true, [](int x, int y) {
            return x == 1 && y == 1 ? Px{0, 0, 0, 0} : Opaque(x, 50, y);
        });
        const auto chunks = RoundTrip(img, "palette with one transparent colour");
        EXPECT_EQ(ColourTypeOf(chunks), 3);
        EXPECT_EQ(Types(chunks), (T{"IHDR", "PLTE", "tRNS", "IDAT", "IEND"}));
        EXPECT_EQ(Find(chunks, "tRNS")->data, (Bytes{0}));
        EXPECT_EQ(Bytes(Find(chunks, "PLTE")->data.begin(), Find(chunks, "PLTE")->data.begin() + 3),
                  (Bytes{0, 0, 0}));
    }
    {
        // Partly transparent entries first in sorted order (as signed values, so alpha 128 comes
        // before alpha 64), divided back; opaque entries after them in reverse sorted order.
        const Px colours[] = {Opaque(10, 0, 0), Px{20, 10, 0, 64}, Opaque(30, 0, 0), Px{100, 0, 50, 128},
                              Opaque(40, 0, 0)};
        const Image img(5, 2, true, [&](int x, int) { return colours[x]; });
        const auto chunks = RoundTrip(img, "palette with partly transparent colours");
        EXPECT_EQ(ColourTypeOf(chunks), 3);
        EXPECT_EQ(Find(chunks, "tRNS")->data, (Bytes{128, 64}));
        EXPECT_EQ(Find(chunks, "PLTE")->data, (Bytes{99, 0, 199, 0, 39, 79, 0, 0, 40, 0, 0, 30, 0, 0, 10}));
    }
}

TEST(PngWriter, SizesAndFilters) {
    for (int w : {1, 3, 7, 13}) {
        for (int h : {1, 2, 5}) {
            const Image rgb(w, h, false, [](int x, int y) { return Opaque(x * 37 + y, y * 91, x ^ y); });
            const Image rgba(w, h, true, [](int x, int y) {
                const uint8_t a = static_cast<uint8_t>((x * 53 + y * 17) % 256);
                return Px{static_cast<uint8_t>(a / 3), static_cast<uint8_t>(a / 2), a, a};
            });
            const std::string size = std::to_string(w) + "x" + std::to_string(h);
            RoundTrip(rgb, ("RGB " + size).c_str());
            RoundTrip(rgba, ("RGBA " + size).c_str());
        }
    }
    // Every filter choice, the per-row choice included, on photo-like RGB (more than 256
    // colours) and on a palette picture.
    const Image photo(40, 30, false, [](int x, int y) { return Opaque(x * 6, y * 8, (x * y) & 0xFF); });
    const Image icon(33, 9, true, [](int x, int y) {
        return x % 5 == 0 ? Px{0, 0, 0, 0} : Opaque(x % 7 * 30, y * 20, 9);
    });
    for (int choice = 0; choice <= 7; ++choice) {
        for (const Image* img : {&photo, &icon}) {
            cPNGwriter writer{SystemZlib(choice % 2 == 0)};
            writer.FilterChoice = choice;
            const std::string what = "filter choice " + std::to_string(choice);
            const auto chunks = RoundTrip(*img, what.c_str(), &writer);
            ASSERT_TRUE(Find(chunks, "IDAT"));
            // The filter type of the top row, read back from the inflated data.
            Bytes raw(200000);
            uLongf n = raw.size();
            ASSERT_EQ(::uncompress(raw.data(), &n, Find(chunks, "IDAT")->data.data(),
                                   Find(chunks, "IDAT")->data.size()),
                      Z_OK);
            const int forType = img == &photo ? 4 : 0;  // by colour type: Paeth, else None
            if (choice == 0 || choice == 7) EXPECT_EQ(raw[0], forType) << what;
            if (choice >= 1 && choice <= 5) EXPECT_EQ(raw[0], choice - 1) << what;
            if (choice == 6) EXPECT_LE(raw[0], 1) << what << ": the top row has no Up, Average or Paeth";
        }
    }
}

TEST(PngWriter, RefusalsAndFailures) {
    const Image img(4, 4, false, [](int x, int y) { return Opaque(x, y, 0); });
    Bytes out = {1, 2, 3};
    cPNGwriter noZlib{ZlibApi{}};
    EXPECT_FALSE(noZlib.WritePng(img.Source(), out));
    EXPECT_EQ(out, (Bytes{1, 2, 3}));
    cPNGwriter writer{SystemZlib()};
    EXPECT_FALSE(writer.WritePng(PngSourceImage{}, out));
    EXPECT_EQ(out, (Bytes{1, 2, 3}));

    // A failing compression ends the file: nothing is handed out.
    ZlibApi failing = SystemZlib();
    failing.compress2 = [](uint8_t*, uint32_t*, const uint8_t*, uint32_t, int32_t) { return -5; };
    cPNGwriter broken{failing};
    EXPECT_FALSE(broken.WritePng(img.Source(), out));
    EXPECT_TRUE(out.empty());

    // A time text that is no date fails the time step, after IDAT.
    cPNGwriter timed{SystemZlib()};
    timed.ChunkFlags = cPNGwriter::chunkTime;
    timed.TextEntries.resize(11);
    timed.TextEntries[10] = "not a date";
    out = {1};
    EXPECT_FALSE(timed.WritePng(img.Source(), out));
    EXPECT_TRUE(out.empty());

    // A sink that refuses a write.
    struct Refusing : PngOutput {
        int writes = 0;
        bool Write(const uint8_t*, size_t) override { return ++writes < 3; }
    } sink;
    EXPECT_FALSE(writer.WritePng(img.Source(), sink));
    EXPECT_EQ(sink.writes, 3);  // nothing more is written after the refusal
}

TEST(PngWriter, OptionalChunks) {
    using T = std::vector<std::string>;
    const Image palette(4, 2, true, [](int x, int) {
        return x == 0 ? Px{0, 0, 0, 0} : Opaque(x * 10, 0, 0);
    });
    cPNGwriter writer{SystemZlib()};
    writer.ChunkFlags = cPNGwriter::chunkTitle | cPNGwriter::chunkAuthor | cPNGwriter::chunkComment |
                        cPNGwriter::chunkSoftware | cPNGwriter::chunkCustomText | cPNGwriter::chunkTime |
                        cPNGwriter::chunkBackground;
    writer.TextEntries.resize(11);
    writer.TextEntries[0] = "A title";
    writer.TextEntries[9] = "Remark";
    writer.TextEntries[10] = "2021-03-04 05:06:07";
    const std::string longText(1025, 'z'), shortText(1024, 'y');
    writer.TextEntries.push_back(std::string("Short\0", 6) + shortText);
    writer.TextEntries.push_back(std::string("Long\0", 5) + longText);
    writer.TextEntries.push_back(std::string("After\0tiny", 10));
    writer.BackgroundColor = 0x00FF00;  // not in the palette: appended
    const auto chunks = RoundTrip(palette, "optional chunks", &writer);
    EXPECT_EQ(Types(chunks), (T{"IHDR", "tEXt", "tEXt", "PLTE", "bKGD", "tRNS", "IDAT", "tIME", "tEXt",
                                "tEXt", "tEXt", "zTXt", "tEXt", "IEND"}));
    EXPECT_EQ(std::string(chunks[1].data.begin(), chunks[1].data.end()), std::string("Title\0A title", 13));
    EXPECT_EQ(std::string(chunks[2].data.begin(), chunks[2].data.end()), std::string("Author\0", 7));
    EXPECT_EQ(chunks[3].data.size(), 5u * 3);
    EXPECT_EQ(Bytes(chunks[3].data.end() - 3, chunks[3].data.end()), (Bytes{0, 255, 0}));
    EXPECT_EQ(chunks[4].data, (Bytes{4}));
    EXPECT_EQ(chunks[7].data, (Bytes{0x07, 0xE5, 3, 4, 5, 6, 7}));
    EXPECT_EQ(std::string(chunks[8].data.begin(), chunks[8].data.end()), std::string("Software\0", 9));
    EXPECT_EQ(std::string(chunks[9].data.begin(), chunks[9].data.end()), std::string("Comment\0Remark", 14));
    EXPECT_EQ(chunks[10].data.size(), 6 + 1024u);
    const Bytes& z = chunks[11].data;
    ASSERT_GT(z.size(), 6u);
    EXPECT_EQ(Bytes(z.begin(), z.begin() + 6), (Bytes{'L', 'o', 'n', 'g', 0, 0}));
    Bytes text(2000);
    uLongf n = text.size();
    ASSERT_EQ(::uncompress(text.data(), &n, z.data() + 6, z.size() - 6), Z_OK);
    EXPECT_EQ(std::string(text.begin(), text.begin() + static_cast<long>(n)), longText);
    EXPECT_EQ(std::string(chunks[12].data.begin(), chunks[12].data.end()), std::string("After\0tiny", 10));

    // Backgrounds of the other colour types; a full palette has no room and leaves bKGD out.
    struct Case {
        const char* what;
        Image img;
        int32_t colour;
        Bytes bkgd;
    };
    const Case cases[] = {
        {"RGB",
         Image(20, 20, false, [](int x, int y) { return Opaque(x, y, x * y); }),
         0x030201,
         {0, 1, 0, 2, 0, 3}},
        {"grey", Image(3, 1, false, [](int x, int) { return Opaque(x, x, x); }), 0x77, {0, 0x77}},
        {"palette, colour present",
         Image(3, 1, false, [](int x, int) { return Opaque(x, 9, 9); }),
         0x020909,
         {2}},
        {"full palette",
         Image(16, 16, false, [](int x, int y) { return Opaque(x + 16 * y, 1, 1); }),
         0x123456,
         {}},
    };
    for (const Case& c : cases) {
        cPNGwriter w{SystemZlib()};
        w.ChunkFlags = cPNGwriter::chunkBackground;
        w.BackgroundColor = c.colour;
        const auto got = RoundTrip(c.img, c.what, &w);
        const Chunk* bkgd = Find(got, "bKGD");
        if (c.bkgd.empty()) {
            EXPECT_FALSE(bkgd) << c.what;
        } else {
            ASSERT_TRUE(bkgd) << c.what;
            EXPECT_EQ(bkgd->data, c.bkgd) << c.what;
        }
    }

    // Dates in the other spelling; impossible dates fail.
    for (auto [text, ok] :
         {std::pair{"3/4/2021 5:06:07 PM", true}, std::pair{"2020-02-29", true},
          std::pair{"2021-02-29", false}, std::pair{"13/1/2021", false}, std::pair{"", false}}) {
        cPNGwriter w{SystemZlib()};
        w.ChunkFlags = cPNGwriter::chunkTime;
        w.TextEntries.resize(11);
        w.TextEntries[10] = text;
        Bytes out;
        EXPECT_EQ(w.WritePng(palette.Source(), out), ok) << text;
        if (ok && std::string(text) == "3/4/2021 5:06:07 PM")
            EXPECT_EQ(Find(Chunks(out), "tIME")->data, (Bytes{0x07, 0xE5, 3, 4, 17, 6, 7}));
    }
}
