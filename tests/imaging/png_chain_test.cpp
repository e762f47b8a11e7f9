// PNG files through the image object's loading chain: PngSuite from files and from bytes with
// GDI+ off, with the zlib library and with the own inflater; corrupt files refused; GDI+ first
// when on; a recognised PNG ending the chain; the message for an error the PNG step leaves.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "imaging/c32bppDIB.h"
#include "imaging/parsers_win.h"
#include "imaging/reader_chain.h"
#include "imaging/readers_support.h"
#include "runtime/error.h"
#include "support/temp_dir.h"

using namespace imaging;
using namespace readers_test;

namespace readers_test {

std::vector<std::string>& ShownMessages() {
    static std::vector<std::string> shown;
    return shown;
}

namespace {
void RecordMessage(const std::string& text) {
    ShownMessages().push_back(text);
}
// No test of this program may open a real message box.
[[maybe_unused]] const bool kQuiet = (SetLoadErrorNotifier(&RecordMessage), true);
}  // namespace

}  // namespace readers_test

namespace {

enum class Source { File, Bytes };
const Source kSources[] = {Source::File, Source::Bytes};
const char* Name(Source s) {
    return s == Source::File ? "file" : "bytes";
}

bool Load(c32bppDIB& image, Source source, const std::string& path) {
    if (source == Source::File) return image.LoadPicture_File(path);
    return image.LoadPicture_Stream(ReadBytes(path));
}

// The two inflating paths: the zlib library beside the program, or none (an empty folder).
struct ZlibSetting {
    const char* name;
    bool present;
};
const ZlibSetting kZlibSettings[] = {{"zlib", true}, {"no zlib", false}};

class ZlibSwitch {
public:
    explicit ZlibSwitch(bool present) {
        if (!present) folder_.emplace(empty_.Path());
    }

private:
    testsupport::TempDir empty_;
    std::optional<ZlibFolder> folder_;
};

// Saves the reader table and puts it back; wraps the GIF and ICO readers to see who is asked.
class ChainRecorder {
public:
    ChainRecorder() : saved_(Readers()) {
        ImageReaders& r = Readers();
        r.gifStream = [this](const uint8_t* d, size_t n, DibTarget& t) {
            asked_ += "gif ";
            return saved_.gifStream(d, n, t);
        };
        r.icoStream = [this](const uint8_t* d, size_t n, int32_t cx, int32_t cy, int32_t bits, DibTarget& t,
                             uintptr_t token) {
            asked_ += "ico ";
            return saved_.icoStream(d, n, cx, cy, bits, t, token);
        };
    }
    ~ChainRecorder() { Readers() = saved_; }
    std::string Take() { return std::exchange(asked_, std::string()); }

private:
    ImageReaders saved_;
    std::string asked_;
};

// Drops the chunk of the given type (the first one) from a PNG.
Bytes WithoutChunk(const Bytes& png, const char* type) {
    size_t pos = 8;
    while (pos + 12 <= png.size()) {
        const size_t length = BigEndian32(png, pos);
        if (std::equal(type, type + 4, png.begin() + static_cast<ptrdiff_t>(pos) + 4)) {
            Bytes out(png.begin(), png.begin() + static_cast<ptrdiff_t>(pos));
            out.insert(out.end(), png.begin() + static_cast<ptrdiff_t>(pos + 12 + length), png.end());
            return out;
        }
        pos += 12 + length;
    }
    return png;
}

// Position of the first data byte of the first chunk of a type.
size_t ChunkData(const Bytes& png, const char* type) {
    size_t pos = 8;
    while (pos + 12 <= png.size()) {
        if (std::equal(type, type + 4, png.begin() + static_cast<ptrdiff_t>(pos) + 4)) return pos + 8;
        pos += 12 + BigEndian32(png, pos);
    }
    return 0;
}

// The PNG with the stored CRC of its first IDAT chunk changed; the data itself is intact.
Bytes WithWrongDataCrc(const Bytes& png) {
    Bytes out = png;
    const size_t data = ChunkData(png, "IDAT");
    out[data + BigEndian32(png, data - 8)] ^= 0x01;
    return out;
}

}  // namespace

TEST(PngChain, SuiteFilesDecodeByTheOwnPathWithAndWithoutZlib) {
    struct Case {
        const char* name;
        bool alpha;
    };
    // Every colour type and depth, interlaced and not, each kind of transparency, every filter,
    // stored and strongly compressed data, one-byte IDAT chunks, tiny interlaced pictures.
    const Case cases[] = {
        {"basn0g01", false}, {"basn0g02", false}, {"basi0g04", false}, {"basn0g08", false},
        {"basi0g16", false}, {"basn2c08", false}, {"basi2c16", false}, {"basn3p01", false},
        {"basi3p02", false}, {"basn3p04", false}, {"basi3p08", false}, {"basn4a08", true},
        {"basi4a16", true},  {"basn6a08", true},  {"basi6a16", true},  {"tbrn2c08", true},
        {"tbbn3p08", true},  {"tbwn0g16", true},  {"tp0n3p08", false}, {"tp1n3p08", true},
        {"s01i3p01", false}, {"s07i3p02", false}, {"s35i3p04", false}, {"f04n2c08", false},
        {"f99n0g04", false}, {"z00n2c08", false}, {"z09n2c08", false}, {"oi9n2c16", false},
        {"ctzn0g04", false}, {"pp0n6a08", true},  {"cs3n2c16", false}, {"ch1n3p04", false},
    };
    for (const ZlibSetting& z : kZlibSettings) {
        ZlibSwitch zlib(z.present);
        ASSERT_EQ(c32bppDIB().isZlibEnabled(), z.present) << z.name;
        for (const Case& c : cases) {
            const SuitePicture expected = ExpectedSuitePicture(c.name);
            ASSERT_FALSE(expected.pixels.empty()) << c.name;
            for (Source source : kSources) {
                SCOPED_TRACE(std::string(c.name) + ", " + z.name + ", " + Name(source));
                c32bppDIB image;
                image.isGDIplusEnabled(false);
                ASSERT_TRUE(Load(image, source, SuitePath(c.name)));
                EXPECT_EQ(image.ImageType(), 10);
                EXPECT_EQ(image.Alpha(), c.alpha);
                ASSERT_EQ(image.Width(), expected.width);
                ASSERT_EQ(image.Height(), expected.height);
                EXPECT_EQ(FirstDifference(PixelsOf(image), expected.pixels), -1);
            }
        }
    }
    EXPECT_TRUE(ShownMessages().empty());
}

TEST(PngChain, CorruptSuiteFilesAreRefused) {
    std::vector<std::string> corrupt;
    for (const auto& file : testsupport::DataFiles("pngsuite/png"))
        if (file.filename().string()[0] == 'x') corrupt.push_back(file.stem().string());
    ASSERT_GE(corrupt.size(), 14u);
    // Their only fault is a checksum, which only a present zlib checks.
    auto checksumOnly = [](const std::string& n) { return n == "xcsn0g01" || n == "xhdn0g08"; };

    for (const ZlibSetting& z : kZlibSettings) {
        ZlibSwitch zlib(z.present);
        for (const std::string& name : corrupt) {
            for (Source source : kSources) {
                SCOPED_TRACE(name + ", " + z.name + ", " + Name(source));
                c32bppDIB image;
                image.isGDIplusEnabled(false);
                const bool loaded = Load(image, source, SuitePath(name));
                if (!z.present && checksumOnly(name)) {
                    ASSERT_TRUE(loaded);
                    EXPECT_EQ(image.ImageType(), 10);
                    EXPECT_EQ(FirstDifference(PixelsOf(image), ExpectedSuitePicture(name).pixels), -1);
                } else {
                    EXPECT_FALSE(loaded);
                    EXPECT_EQ(image.ImageType(), -1);
                    EXPECT_EQ(image.Handle(), nullptr);
                }
            }
        }
    }
    EXPECT_TRUE(ShownMessages().empty());
}

TEST(PngChain, GdiPlusDecodesFirstWhenOn) {
    // With zlib the own path refuses a wrong CRC; GDI+ reads the intact data.
    const Bytes png = WithWrongDataCrc(ReadBytes(SuitePath("basn2c08")));
    const SuitePicture expected = ExpectedSuitePicture("basn2c08");
    testsupport::TempDir dir;
    const std::string path = dir.File("crc.png");
    WriteBytes(path, png);
    ASSERT_TRUE(c32bppDIB().isZlibEnabled());
    for (Source source : kSources) {
        SCOPED_TRACE(Name(source));
        c32bppDIB image;
        image.isGDIplusEnabled(false);
        EXPECT_FALSE(source == Source::File ? image.LoadPicture_File(path) : image.LoadPicture_Stream(png));
        image.isGDIplusEnabled(true);
        ASSERT_TRUE(image.isGDIplusEnabled());
        ASSERT_TRUE(source == Source::File ? image.LoadPicture_File(path) : image.LoadPicture_Stream(png));
        EXPECT_EQ(image.ImageType(), 10);
        EXPECT_FALSE(image.Alpha());
        EXPECT_EQ(FirstDifference(PixelsOf(image), expected.pixels), -1);
    }
}

TEST(PngChain, RecognisedPngEndsTheChain) {
    const Bytes good = ReadBytes(SuitePath("basn2c08"));
    Bytes garbage = Bytes(good.begin(), good.begin() + 8);
    garbage.resize(200, 0x5A);
    const Bytes wrongCrc = WithWrongDataCrc(good);  // refused by the own path where zlib checks CRCs
    const Bytes noEnd = WithoutChunk(good, "IEND");
    // The platform's picture loader reads the one with the wrong CRC: the chain must not hand it over.
    ASSERT_TRUE(PictureFromBytes(wrongCrc.data(), wrongCrc.size()));
    ASSERT_TRUE(c32bppDIB().isZlibEnabled());

    struct Case {
        const char* what;
        const Bytes* bytes;
        bool gdiplus;
    };
    const Case cases[] = {
        {"signature then garbage", &garbage, false},
        {"signature then garbage, GDI+", &garbage, true},
        {"wrong CRC", &wrongCrc, false},
        {"no IEND", &noEnd, false},
        {"no IEND, GDI+", &noEnd, true},
    };
    ChainRecorder chain;
    testsupport::TempDir dir;
    for (const Case& c : cases) {
        const std::string path = dir.File("corrupt.png");
        WriteBytes(path, *c.bytes);
        for (Source source : kSources) {
            SCOPED_TRACE(std::string(c.what) + ", " + Name(source));
            c32bppDIB image;
            image.isGDIplusEnabled(c.gdiplus);
            EXPECT_FALSE(source == Source::File ? image.LoadPicture_File(path)
                                                : image.LoadPicture_Stream(*c.bytes));
            EXPECT_EQ(image.ImageType(), -1);
            EXPECT_EQ(chain.Take(), "");
        }
    }
    // The same readers are asked for data that is no PNG.
    Bytes other = good;
    other[0] = 'x';
    c32bppDIB image;
    image.isGDIplusEnabled(false);
    image.LoadPicture_Stream(other);
    EXPECT_EQ(chain.Take(), "gif ico ");
    EXPECT_TRUE(ShownMessages().empty());
}

TEST(PngChain, ErrorOfAZlibWithoutUncompressIsShown) {
    // As zlib.dll: a zlib1.dll is beside the program already, and this one must be the one found.
    testsupport::TempDir dir;
    std::filesystem::copy_file(BesideExe("crc_only_zlib.dll"), dir.File("zlib.dll"));
    const ZlibFolder only(dir.Path());
    ASSERT_TRUE(c32bppDIB().isZlibEnabled());
    const std::string path = SuitePath("basn0g08");

    for (Source source : kSources) {
        SCOPED_TRACE(Name(source));
        ShownMessages().clear();
        c32bppDIB image;
        image.isGDIplusEnabled(false);
        const bool loaded = Load(image, source, path);
        ASSERT_EQ(ShownMessages().size(), 1u);
        EXPECT_NE(ShownMessages()[0].find("uncompress"), std::string::npos) << ShownMessages()[0];
        // Loading went on past the PNG step. The picture the decoder had begun is gone: a picture
        // now is a later reader's, and shows the file's pixels.
        if (loaded)
            EXPECT_EQ(FirstDifference(PixelsOf(image), ExpectedSuitePicture("basn0g08").pixels), -1);
        else
            EXPECT_EQ(image.Handle(), nullptr);
    }

    // With GDI+ on the PNG is GDI+'s before zlib is called: nothing to show.
    ShownMessages().clear();
    c32bppDIB image;
    ASSERT_TRUE(image.isGDIplusEnabled());
    ASSERT_TRUE(image.LoadPicture_File(path));
    EXPECT_EQ(image.ImageType(), 10);
    EXPECT_TRUE(ShownMessages().empty());

    // A PNG icon entry raises the same error in the ICO step: it reaches the caller of a byte-range
    // load and is absorbed by a file load, and neither leaves the picture the decoder had begun.
    Bytes ico = {0, 0, 1, 0, 1, 0, 32, 32, 0, 0, 1, 0, 32, 0};
    const Bytes png = ReadBytes(path);
    for (uint32_t v : {static_cast<uint32_t>(png.size()), 22u})
        for (int k = 0; k < 4; ++k) ico.push_back(static_cast<uint8_t>(v >> (8 * k)));
    ico.insert(ico.end(), png.begin(), png.end());
    ShownMessages().clear();
    image.isGDIplusEnabled(false);
    EXPECT_THROW(image.LoadPicture_Stream(ico), rt::RuntimeError);
    EXPECT_EQ(image.Handle(), nullptr);
    const std::string icoPath = dir.File("entry.ico");
    WriteBytes(icoPath, ico);
    EXPECT_FALSE(image.LoadPicture_File(icoPath));
    EXPECT_EQ(image.Handle(), nullptr);
    EXPECT_TRUE(ShownMessages().empty());
}
