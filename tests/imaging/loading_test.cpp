// Loading pictures: the reader chain and its order, the BMP reader at every depth, JPEG,
// metafiles and TIFF through the platform loader or GDI+, files, byte ranges, kept source
// bytes, handles, picture objects, the clipboard and resources; GDI+ on and off.
#include <gtest/gtest.h>
#include <windows.h>
#include <olectl.h>

#include <cstring>
#include <filesystem>

#include "imaging/bmp_builder.h"
#include "imaging/c32bppDIB.h"
#include "imaging/parsers_win.h"
#include "imaging/reader_chain.h"
#include "imaging/win_support.h"
#include "runtime/error.h"
#include "support/temp_dir.h"

using namespace imaging;
using namespace imaging_test;

namespace {

// Restores an empty reader table at the end of a test.
// Empties the reader table for one test and puts the installed readers back afterwards.
class ReaderTableScope {
public:
    ReaderTableScope() : saved_(Readers()) { Readers() = ImageReaders{}; }
    ~ReaderTableScope() { Readers() = saved_; }

private:
    ImageReaders saved_;
};

// One image object per GDI+ setting.
struct Setting {
    const char* name;
    bool gdiplus;
};
const Setting kSettings[] = {{"GDI+ on", true}, {"GDI+ off", false}};

void Configure(c32bppDIB& image, const Setting& s) {
    image.isGDIplusEnabled(s.gdiplus);
    ASSERT_EQ(image.isGDIplusEnabled(), s.gdiplus);
}

const std::vector<uint32_t> kGreyRamp = [] {
    std::vector<uint32_t> p;
    for (uint32_t i = 0; i < 256; ++i) p.push_back(i * 0x010101u);
    return p;
}();

// A 6 x 4 picture with three colours in columns pairs; the top row differs so orientation shows.
uint32_t ColourAt(int x, int y) {
    if (y == 0) return 0x0000FF;                // blue top row
    return x < 2 ? 0xFF0000 : x < 4 ? 0x00FF00 : 0xFFFFFF;
}

}  // namespace

TEST(Loading, BmpOfEveryDepthIsAnOpaqueBitmap) {
    struct Depth {
        int bpp;
        std::vector<uint32_t> palette;
        std::function<uint32_t(int, int)> pixel;
    };
    const std::vector<uint32_t> palette = {0x0000FF, 0xFF0000, 0x00FF00, 0xFFFFFF};
    auto index = [](int x, int y) -> uint32_t { return y == 0 ? 0 : x < 2 ? 1 : x < 4 ? 2 : 3; };
    const std::vector<Depth> depths = {
        {1, {0x000000, 0xFFFFFF}, [](int x, int y) -> uint32_t { return y == 0 ? 0 : 1; }},
        {4, palette, index},
        {8, palette, index},
        {16, {}, [](int x, int y) -> uint32_t {  // 5-5-5
             const uint32_t c = ColourAt(x, y);
             return ((c >> 19) & 31) << 10 | ((c >> 11) & 31) << 5 | ((c >> 3) & 31);
         }},
        {24, {}, ColourAt},
        {32, {0xFF0000, 0xFF00, 0xFF}, ColourAt},  // bit fields: through the platform's loader
    };
    for (const Setting& s : kSettings)
        for (const Depth& d : depths) {
            const std::vector<uint8_t> bmp = MakeBmp(6, 4, d.bpp, d.palette, d.pixel, d.bpp == 32 ? 3 : 0);
            c32bppDIB image;
            Configure(image, s);
            ASSERT_TRUE(image.LoadPicture_Stream(bmp)) << s.name << " " << d.bpp;
            EXPECT_EQ(image.ImageType(), 1) << s.name << " " << d.bpp;
            EXPECT_FALSE(image.Alpha()) << s.name << " " << d.bpp;
            ASSERT_EQ(image.Width(), 6);
            ASSERT_EQ(image.Height(), 4);
            if (d.bpp == 1) {
                EXPECT_EQ(PixelOf(image, 0, 0), (Bgra{0, 0, 0, 255})) << s.name;
                EXPECT_EQ(PixelOf(image, 5, 3), (Bgra{255, 255, 255, 255})) << s.name;
                continue;
            }
            EXPECT_EQ(PixelOf(image, 3, 0), (Bgra{255, 0, 0, 255})) << s.name << " " << d.bpp;  // blue on top
            EXPECT_EQ(PixelOf(image, 0, 2), (Bgra{0, 0, 255, 255})) << s.name << " " << d.bpp;
            EXPECT_EQ(PixelOf(image, 3, 3), (Bgra{0, 255, 0, 255})) << s.name << " " << d.bpp;
            EXPECT_EQ(PixelOf(image, 5, 1), (Bgra{255, 255, 255, 255})) << s.name << " " << d.bpp;
        }
}

TEST(Loading, Bmp32KeepsItsAlphaChannel) {
    struct Case {
        const char* what;
        uint32_t pixel;  // 0xAARRGGBB as stored
        int type;
        bool alpha;
        Bgra loaded;
    };
    const Case cases[] = {
        {"alpha bytes all 0", 0x00204060, 1, false, {0x60, 0x40, 0x20, 255}},
        {"straight alpha", 0x80FF0000, 6, true, {0, 0, 128, 128}},
        {"premultiplied", 0x80400000, 7, true, {0, 0, 0x40, 128}},
    };
    for (const Case& c : cases)
        for (int32_t height : {3, -3}) {
            const std::vector<uint8_t> bmp = MakeBmp(2, height, 32, {}, [&](int x, int y) -> uint32_t {
                // Top-right blue marks the orientation; its alpha joins the case's.
                return (x == 1 && y == 0) ? (c.type == 1 ? 0x000000FFu : 0xFF0000FFu) : c.pixel;
            });
            c32bppDIB image;
            ASSERT_TRUE(image.LoadPicture_Stream(bmp)) << c.what;
            EXPECT_EQ(image.ImageType(), c.type) << c.what;
            EXPECT_EQ(image.Alpha(), c.alpha) << c.what;
            EXPECT_EQ(PixelOf(image, 0, 2), c.loaded) << c.what << " " << height;
            EXPECT_EQ(PixelOf(image, 1, 0), (Bgra{255, 0, 0, 255})) << c.what << " " << height;
        }
}

TEST(Loading, RefusedBmpsLeaveNoPicture) {
    const std::vector<uint8_t> good = MakeBmp(4, 4, 24, {}, ColourAt);
    struct Bad {
        const char* what;
        size_t at;
        uint32_t value;
    };
    const Bad bad[] = {{"width 0", 18, 0},
                       {"most negative height", 22, 0x80000000u},
                       {"pixel offset inside the headers", 10, 8},
                       {"pixel offset past the end", 10, 0x7FFFFFF0u}};
    for (const Bad& b : bad) {
        std::vector<uint8_t> v = good;
        PutLE(v, b.at, b.value, 4);
        c32bppDIB image;
        FillImage(image, 1, 1, [](int, int) { return Bgra{1, 1, 1, 255}; });
        EXPECT_FALSE(image.LoadPicture_Stream(v)) << b.what;
        EXPECT_EQ(image.Handle(), nullptr) << b.what;
        EXPECT_EQ(image.ImageType(), -1) << b.what;
    }
}

TEST(Loading, JpegMetafilesAndTiff) {
    c32bppDIB source;
    FillImage(source, 8, 8, [](int, int) { return Bgra{40, 120, 200, 255}; }, false);
    const std::vector<uint8_t> jpeg = EncodeWithGdiPlus(source, L"image/jpeg");
    const std::vector<uint8_t> tiff = EncodeWithGdiPlus(source, L"image/tiff");
    ASSERT_FALSE(jpeg.empty());
    ASSERT_FALSE(tiff.empty());
    const std::vector<uint8_t> emf = EmfBytes(RGB(255, 0, 0));
    const std::vector<uint8_t> wmf = PlaceableWmfBytes(RGB(0, 0, 255));

    for (const Setting& s : kSettings) {
        // JPEG: the platform's loader, before GDI+ is asked.
        c32bppDIB image;
        Configure(image, s);
        ASSERT_TRUE(image.LoadPicture_Stream(jpeg)) << s.name;
        EXPECT_EQ(image.ImageType(), 1) << s.name;
        EXPECT_FALSE(image.Alpha()) << s.name;
        const Bgra p = PixelOf(image, 4, 4);
        EXPECT_NEAR(p[0], 40, 4) << s.name;
        EXPECT_NEAR(p[2], 200, 4) << s.name;
        EXPECT_EQ(p[3], 255) << s.name;

        // Enhanced metafile: the undrawn background is transparent, the drawing opaque.
        ASSERT_TRUE(image.LoadPicture_Stream(emf)) << s.name;
        EXPECT_EQ(image.ImageType(), 4) << s.name;
        EXPECT_TRUE(image.Alpha()) << s.name;
        EXPECT_EQ(image.Width(), 40) << s.name;
        EXPECT_EQ(PixelOf(image, 2, 2), (Bgra{0, 0, 0, 0})) << s.name;
        EXPECT_EQ(PixelOf(image, 20, 15), (Bgra{0, 0, 255, 255})) << s.name;

        // Placeable Windows metafile.
        ASSERT_TRUE(image.LoadPicture_Stream(wmf)) << s.name;
        EXPECT_EQ(image.ImageType(), 2) << s.name;
        EXPECT_TRUE(image.Alpha()) << s.name;
        EXPECT_EQ(PixelOf(image, 1, 1), (Bgra{0, 0, 0, 0})) << s.name;
        EXPECT_EQ(PixelOf(image, 20, 15), (Bgra{255, 0, 0, 255})) << s.name;

        // TIFF: only GDI+ reads it; with SaveFormat the kept bytes are PNG bytes.
        const bool loaded = image.LoadPicture_Stream(tiff, 0, 0, 0, 0, true);
        EXPECT_EQ(loaded, s.gdiplus) << s.name;
        std::vector<uint8_t> kept;
        if (s.gdiplus) {
            EXPECT_EQ(image.ImageType(), 10);
            EXPECT_NEAR(PixelOf(image, 3, 3)[2], 200, 2);
            ASSERT_TRUE(image.GetOrginalFormat(kept));
            ASSERT_GT(kept.size(), 8u);
            EXPECT_EQ(kept[1], 'P');
            EXPECT_TRUE(image.LoadPicture_FromOrignalFormat());
        } else {
            EXPECT_EQ(image.ImageType(), -1);
            EXPECT_FALSE(image.GetOrginalFormat(kept));
        }
    }
}

TEST(Loading, ReaderChainOrder) {
    ReaderTableScope scope;
    std::string order;
    ImageReaders& readers = Readers();
    bool pngAnswer = false, gifAnswer = false;
    readers.pngStream = [&](const uint8_t*, size_t, DibTarget&, uintptr_t) {
        order += "png ";
        return pngAnswer;
    };
    readers.gifStream = [&](const uint8_t*, size_t, DibTarget&) {
        order += "gif ";
        return gifAnswer;
    };
    int cx = -1, cy = -1, depth = -1;
    readers.icoStream = [&](const uint8_t*, size_t, int32_t iconCx, int32_t iconCy, int32_t bits, DibTarget&,
                            uintptr_t) {
        order += "ico ";
        cx = iconCx, cy = iconCy, depth = bits;
        return false;
    };
    const std::vector<uint8_t> bmp = MakeBmp(4, 4, 24, {}, ColourAt);
    c32bppDIB image;
    ASSERT_TRUE(image.LoadPicture_Stream(bmp, -5, 16, 0, 0, false, 48));
    EXPECT_EQ(order, "png gif ico ");  // then the BMP reader loaded it
    EXPECT_EQ(image.ImageType(), 1);
    EXPECT_EQ(cx, 0);
    EXPECT_EQ(cy, 16);
    EXPECT_EQ(depth, 32);

    // A reader that recognised its format ends the readers, even without a picture; GDI+ is
    // still asked.
    order.clear();
    gifAnswer = true;
    image.isGDIplusEnabled(false);
    EXPECT_FALSE(image.LoadPicture_Stream(bmp));
    EXPECT_EQ(order, "png gif ");
    EXPECT_EQ(image.ImageType(), -1);
    image.isGDIplusEnabled(true);
    EXPECT_TRUE(image.LoadPicture_Stream(bmp));
    EXPECT_EQ(image.ImageType(), 10);

    // A PNG signature seen ends the whole chain: the PNG reader has asked GDI+ itself.
    order.clear();
    pngAnswer = true;
    EXPECT_FALSE(image.LoadPicture_Stream(bmp));
    EXPECT_EQ(order, "png ");
    EXPECT_EQ(image.ImageType(), -1);

    // A reader that fills the image: no further reader is asked.
    order.clear();
    pngAnswer = false;
    gifAnswer = false;
    readers.gifStream = [&](const uint8_t*, size_t, DibTarget& target) {
        order += "gif ";
        target.InitializeDIB(3, 3);
        target.SetImageType(9);
        return true;
    };
    ASSERT_TRUE(image.LoadPicture_Stream(bmp));
    EXPECT_EQ(order, "png gif ");
    EXPECT_EQ(image.ImageType(), 9);
}

namespace {
std::string g_shown;
void RecordShown(const std::string& text) { g_shown = text; }
}  // namespace

TEST(Loading, ErrorLeftByThePngStepIsShownAndLoadingGoesOn) {
    ReaderTableScope scope;
    SetLoadErrorNotifier(&RecordShown);
    g_shown.clear();
    Readers().pngStream = [](const uint8_t*, size_t, DibTarget&, uintptr_t) -> bool {
        rt::Raise(rt::errOutOfMemory, "cPNGparser", "Out of memory");
    };
    c32bppDIB image;
    EXPECT_TRUE(image.LoadPicture_Stream(MakeBmp(4, 4, 24, {}, ColourAt)));
    EXPECT_EQ(g_shown, "Out of memory");
    SetLoadErrorNotifier(nullptr);
}

TEST(Loading, MinimumSizeAndByteRanges) {
    const std::vector<uint8_t> bmp = MakeBmp(4, 4, 24, {}, ColourAt);  // 54 + 48 bytes
    c32bppDIB image;
    auto withPicture = [&] { FillImage(image, 2, 2, [](int, int) { return Bgra{9, 9, 9, 255}; }); };

    // Refusals leave the current picture in place.
    withPicture();
    EXPECT_FALSE(image.LoadPicture_Stream(std::vector<uint8_t>(56, 'x')));
    EXPECT_EQ(image.Width(), 2);
    EXPECT_FALSE(image.LoadPicture_Stream({}));
    EXPECT_EQ(image.Width(), 2);
    EXPECT_FALSE(image.LoadPicture_Stream(bmp, 0, 0, 60, 0));  // 42 bytes left
    EXPECT_EQ(image.Width(), 2);
    // A range whose end lies beyond the bytes.
    EXPECT_FALSE(image.LoadPicture_Stream(bmp, 0, 0, 10, static_cast<int32_t>(bmp.size())));
    EXPECT_EQ(image.Width(), 2);
    EXPECT_EQ(image.ImageType(), 7);

    // 57 bytes of garbage: tried, and the picture is gone.
    EXPECT_FALSE(image.LoadPicture_Stream(std::vector<uint8_t>(57, 'x')));
    EXPECT_EQ(image.Handle(), nullptr);
    EXPECT_EQ(image.ImageType(), -1);

    // A start below the array's start begins at its start.
    EXPECT_TRUE(image.LoadPicture_Stream(bmp, 0, 0, -7, 0));
    EXPECT_EQ(image.Width(), 4);

    // A range inside a larger array; with SaveFormat all of the array is kept.
    for (int32_t height : {4, -4}) {
        std::vector<uint8_t> big(1000, 0xAB);
        const std::vector<uint8_t> bmp32 =
            MakeBmp(4, height, 32, {}, [](int x, int y) -> uint32_t { return y == 0 ? 0xFF0000FFu : 0xFF00FF00u; });
        std::copy(bmp32.begin(), bmp32.end(), big.begin() + 100);
        ASSERT_TRUE(image.LoadPicture_Stream(big, 0, 0, 100, static_cast<int32_t>(bmp32.size()), true)) << height;
        EXPECT_EQ(PixelOf(image, 0, 0), (Bgra{255, 0, 0, 255})) << height;
        EXPECT_EQ(PixelOf(image, 0, 3), (Bgra{0, 255, 0, 255})) << height;
        std::vector<uint8_t> kept;
        ASSERT_TRUE(image.GetOrginalFormat(kept));
        EXPECT_EQ(kept, big);
    }

    // Without SaveFormat nothing is kept, and reloading from kept bytes is refused untouched.
    ASSERT_TRUE(image.LoadPicture_Stream(bmp));
    std::vector<uint8_t> kept = {1};
    EXPECT_FALSE(image.GetOrginalFormat(kept));
    EXPECT_TRUE(kept.empty());
    EXPECT_FALSE(image.LoadPicture_FromOrignalFormat());
    EXPECT_EQ(image.Width(), 4);
}

TEST(Loading, Files) {
    testsupport::TempDir dir;
    const std::vector<uint8_t> bmp = MakeBmp(4, 4, 24, {}, ColourAt);
    ASSERT_TRUE(WriteFileBytes(dir.File("a.bmp"), bmp));
    ASSERT_TRUE(WriteFileBytes(dir.File("short.bin"), std::vector<uint8_t>(56, 'x')));
    ASSERT_TRUE(WriteFileBytes(dir.File("junk.bin"), std::vector<uint8_t>(57, 'x')));

    for (const Setting& s : kSettings) {
        c32bppDIB image;
        Configure(image, s);
        ASSERT_TRUE(image.LoadPicture_File(dir.File("a.bmp"), 0, 0, true)) << s.name;
        EXPECT_EQ(image.ImageType(), 1);
        EXPECT_EQ(PixelOf(image, 0, 0), (Bgra{255, 0, 0, 255}));
        std::vector<uint8_t> kept;
        ASSERT_TRUE(image.GetOrginalFormat(kept));
        EXPECT_EQ(kept, bmp);  // the file's bytes

        // The kept bytes load again and stay kept.
        ASSERT_TRUE(image.LoadPicture_FromOrignalFormat());
        EXPECT_TRUE(image.GetOrginalFormat(kept));
        EXPECT_EQ(kept, bmp);

        EXPECT_FALSE(image.LoadPicture_File(dir.File("missing.bmp")));
        EXPECT_EQ(image.Width(), 4);
        EXPECT_FALSE(image.LoadPicture_File(dir.File("short.bin")));
        EXPECT_EQ(image.Width(), 4);
        EXPECT_FALSE(image.LoadPicture_File(dir.File("junk.bin")));
        EXPECT_EQ(image.ImageType(), -1);
    }
}

TEST(Loading, HandlesAndPictureObjects) {
    ReaderTableScope scope;
    // A device-dependent bitmap: opaque, ImageType 1.
    rt::ScreenDC screen;
    rt::Bitmap ddb(CreateCompatibleBitmap(screen.get(), 5, 3));
    {
        rt::MemoryDC dc(screen.get());
        rt::SelectGuard select(dc.get(), ddb.get());
        rt::Brush brush(CreateSolidBrush(RGB(10, 20, 30)));
        RECT r{0, 0, 5, 3};
        FillRect(dc.get(), &r, brush.get());
    }
    c32bppDIB image;
    ASSERT_TRUE(image.LoadPicture_ByHandle(ddb.get()));
    EXPECT_EQ(image.ImageType(), 1);
    EXPECT_FALSE(image.Alpha());
    EXPECT_EQ(image.Width(), 5);
    EXPECT_EQ(PixelOf(image, 4, 2), (Bgra{30, 20, 10, 255}));

    // A 32-bit section with premultiplied alpha is classified.
    c32bppDIB source;
    FillImage(source, 2, 2, [](int x, int) { return x ? Bgra{0, 0, 0, 0} : Bgra{0, 50, 0, 128}; });
    ASSERT_TRUE(image.LoadPicture_ByHandle(source.Handle()));
    EXPECT_EQ(image.ImageType(), 7);
    EXPECT_TRUE(image.Alpha());
    EXPECT_EQ(PixelOf(image, 0, 1), (Bgra{0, 50, 0, 128}));

    // An enhanced-metafile handle: transparent background; the handle goes with the picture.
    HENHMETAFILE emf = MakeEmf(RGB(0, 255, 0));
    ASSERT_TRUE(image.LoadPicture_ByHandle(emf));
    EXPECT_EQ(image.ImageType(), 4);
    EXPECT_EQ(PixelOf(image, 0, 0), (Bgra{0, 0, 0, 0}));
    EXPECT_EQ(PixelOf(image, 20, 15), (Bgra{0, 255, 0, 255}));
    EXPECT_EQ(GetObjectType(emf), 0u);

    EXPECT_FALSE(image.LoadPicture_ByHandle(nullptr));
    EXPECT_EQ(image.ImageType(), -1);
    // An icon goes to the icon reader; with none in place it is not loaded.
    rt::IconHandle icon(CopyIcon(LoadIconA(nullptr, MAKEINTRESOURCEA(32512))));
    ASSERT_TRUE(icon);
    bool iconAsked = false;
    Readers().icoConvert = [&](void* handle, DibTarget&) {
        iconAsked = handle == icon.get();
        return false;
    };
    EXPECT_FALSE(image.LoadPicture_ByHandle(icon.get()));
    EXPECT_TRUE(iconAsked);

    // Picture objects: a bitmap picture, and an empty one.
    rt::Bitmap copy(static_cast<HBITMAP>(CopyImage(ddb.get(), IMAGE_BITMAP, 0, 0, 0)));
    PicturePtr picture = PictureFromHandle(copy.get(), PICTYPE_BITMAP);
    ASSERT_TRUE(picture);
    copy.release();
    ASSERT_TRUE(image.LoadPicture_StdPicture(picture.get()));
    EXPECT_EQ(image.ImageType(), 1);
    EXPECT_EQ(PixelOf(image, 0, 0), (Bgra{30, 20, 10, 255}));

    PICTDESC none{};
    none.cbSizeofstruct = sizeof none;
    none.picType = PICTYPE_NONE;
    PicturePtr empty;
    ASSERT_TRUE(SUCCEEDED(OleCreatePictureIndirect(&none, IID_IPicture, TRUE, reinterpret_cast<void**>(empty.put()))));
    EXPECT_FALSE(image.LoadPicture_StdPicture(empty.get()));
    EXPECT_EQ(image.ImageType(), -1);
    EXPECT_FALSE(image.LoadPicture_StdPicture(nullptr));
}

TEST(Loading, Clipboard) {
    c32bppDIB image;
    FillImage(image, 2, 2, [](int, int) { return Bgra{9, 9, 9, 255}; });
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    HGLOBAL text = GlobalAlloc(GMEM_MOVEABLE, 6);
    std::memcpy(GlobalLock(text), "hello", 6);
    GlobalUnlock(text);
    SetClipboardData(CF_TEXT, text);
    CloseClipboard();
    EXPECT_FALSE(image.LoadPicture_ClipBoard());
    EXPECT_EQ(image.Width(), 2);  // untouched

    rt::ScreenDC screen;
    HBITMAP bitmap = CreateCompatibleBitmap(screen.get(), 3, 2);
    {
        rt::MemoryDC dc(screen.get());
        rt::SelectGuard select(dc.get(), bitmap);
        rt::Brush brush(CreateSolidBrush(RGB(200, 100, 50)));
        RECT r{0, 0, 3, 2};
        FillRect(dc.get(), &r, brush.get());
    }
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    SetClipboardData(CF_BITMAP, bitmap);  // the clipboard owns it now
    CloseClipboard();
    ASSERT_TRUE(image.LoadPicture_ClipBoard());
    EXPECT_EQ(image.Width(), 3);
    EXPECT_EQ(image.ImageType(), 1);
    EXPECT_EQ(PixelOf(image, 2, 1), (Bgra{50, 100, 200, 255}));
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    CloseClipboard();
}

TEST(Loading, Resources) {
    c32bppDIB image;
    FillImage(image, 2, 2, [](int, int) { return Bgra{9, 9, 9, 255}; });
    EXPECT_FALSE(image.LoadPicture_Resource(9999, std::string("PNG")));
    EXPECT_EQ(image.Width(), 2);  // a missing resource changes nothing
    EXPECT_FALSE(image.LoadPicture_Resource(9999, 0));

    // A bitmap resource of a system library (the close-box bitmap of user32).
    HMODULE user32 = GetModuleHandleA("user32.dll");
    ASSERT_TRUE(user32);
    if (!FindResourceA(user32, MAKEINTRESOURCEA(32754), MAKEINTRESOURCEA(2)))
        GTEST_SKIP() << "this system's user32 carries no close-box bitmap";
    ASSERT_TRUE(image.LoadPicture_Resource(32754, 0, user32));
    EXPECT_EQ(image.ImageType(), 1);
    EXPECT_GT(image.Width(), 0);
}
