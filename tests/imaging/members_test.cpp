// The image object's pixel, region, copy, effect, saving and turned-drawing members on real
// device contexts, regions, GDI+ and zlib; the file names of drops and of the clipboard; and that
// none of them leaves a GDI object or a GDI+ start-up behind.
#include <gtest/gtest.h>
#include <shlobj.h>
#include <windows.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "imaging/c32bppDIB.h"
#include "imaging/codecs/ico_reader.h"
#include "imaging/gdiplus_service.h"
#include "imaging/parsers_win.h"
#include "imaging/png_writer_win.h"
#include "imaging/win_support.h"
#include "imaging/zlib_access.h"
#include "support/handle_counter.h"
#include "support/temp_dir.h"

using namespace imaging;
using namespace imaging_test;

namespace {

using Bytes = std::vector<uint8_t>;

Bgra Opaque(uint8_t b, uint8_t g, uint8_t r) {
    return {b, g, r, 255};
}
const Bgra kRed = Opaque(0, 0, 255), kBlue = Opaque(255, 0, 0), kWhite = Opaque(255, 255, 255);

// A picture of one colour.
void Solid(c32bppDIB& image, int w, int h, Bgra colour) {
    FillImage(
        image, w, h, [colour](int, int) { return colour; }, false);
}

// Red left half, blue right half.
void Halves(c32bppDIB& image, int w, int h) {
    FillImage(
        image, w, h, [w](int x, int) { return x < w / 2 ? kRed : kBlue; }, false);
}

// Distinct opaque pixels: blue x, green y.
void Ramp(c32bppDIB& image, int w, int h) {
    FillImage(
        image, w, h, [](int x, int y) { return Opaque(static_cast<uint8_t>(x), static_cast<uint8_t>(y), 9); },
        false);
}

rt::Region Rects(std::initializer_list<RECT> rects) {
    rt::Region all(CreateRectRgn(0, 0, 0, 0));
    for (const RECT& r : rects) {
        rt::Region one(CreateRectRgnIndirect(&r));
        CombineRgn(all.get(), all.get(), one.get(), RGN_OR);
    }
    return all;
}

// Regions compare through their XOR (the platform may split them into other bands).
bool SameRegion(HRGN a, HRGN b) {
    if (!a || !b) return false;
    rt::Region x(CreateRectRgn(0, 0, 0, 0));
    return CombineRgn(x.get(), a, b, RGN_XOR) == NULLREGION;
}

Bytes PixelsOf(const c32bppDIB& image) {
    GdiFlush();
    return Bytes(image.BitsPointer(),
                 image.BitsPointer() + static_cast<size_t>(image.scanWidth()) * image.Height());
}

// The image object a PNG or BMP reloads into, through the own readers when GDI+ is off.
std::unique_ptr<c32bppDIB> Reload(const Bytes& bytes) {
    auto image = std::make_unique<c32bppDIB>();
    EXPECT_TRUE(image->LoadPicture_Stream(bytes));
    return image;
}

// What a premultiplied pixel comes back as from PNG: divided back and premultiplied again.
Bgra ThroughPng(const Bgra& s) {
    const int a = s[3];
    if (a == 0) return {0, 0, 0, 0};
    if (a == 255) return s;
    Bgra out{0, 0, 0, s[3]};
    for (int c = 0; c < 3; ++c) out[c] = static_cast<uint8_t>(std::min(255, s[c] * 255 / a) * a / 255);
    return out;
}

// A DROPFILES block: offset, drop point, non-client flag, wide flag, then the names.
Bytes DropBlock(uint32_t offset, const std::vector<std::wstring>& names) {
    Bytes b(sizeof(DROPFILES), 0);
    auto* header = reinterpret_cast<DROPFILES*>(b.data());
    header->pFiles = offset;
    header->fWide = TRUE;
    for (const std::wstring& n : names) {
        const auto* p = reinterpret_cast<const uint8_t*>(n.c_str());
        b.insert(b.end(), p, p + (n.size() + 1) * sizeof(wchar_t));
    }
    b.insert(b.end(), {0, 0});
    return b;
}

HGLOBAL GlobalCopy(const Bytes& bytes) {
    HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    std::memcpy(GlobalLock(h), bytes.data(), bytes.size());
    GlobalUnlock(h);
    return h;
}

// A drag-and-drop data object holding one file-list block (or, without one, only text).
class FileDrop final : public IDataObject {
public:
    explicit FileDrop(Bytes block, bool hasList = true) : block_(std::move(block)), hasList_(hasList) {}
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
        if (riid == IID_IUnknown || riid == IID_IDataObject) {
            *out = static_cast<IDataObject*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++refs_; }
    ULONG STDMETHODCALLTYPE Release() override { return --refs_; }  // lives on the test's stack
    HRESULT STDMETHODCALLTYPE GetData(FORMATETC* format, STGMEDIUM* medium) override {
        if (QueryGetData(format) != S_OK) return DV_E_FORMATETC;
        medium->tymed = TYMED_HGLOBAL;
        medium->hGlobal = GlobalCopy(block_);
        medium->pUnkForRelease = nullptr;
        ++gets_;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* format) override {
        return hasList_ && format->cfFormat == CF_HDROP && (format->tymed & TYMED_HGLOBAL) ? S_OK
                                                                                           : DV_E_FORMATETC;
    }
    HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD, IEnumFORMATETC**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override {
        return OLE_E_ADVISENOTSUPPORTED;
    }
    HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
    HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override { return OLE_E_ADVISENOTSUPPORTED; }
    int Gets() const { return gets_; }

private:
    Bytes block_;
    bool hasList_;
    ULONG refs_ = 1;
    int gets_ = 0;
};

// Puts a file-list block on the clipboard.
bool ClipboardFiles(const Bytes& block) {
    for (int i = 0; i < 20; ++i) {
        if (OpenClipboard(nullptr)) {
            EmptyClipboard();
            const bool set = SetClipboardData(CF_HDROP, GlobalCopy(block)) != nullptr;
            CloseClipboard();
            return set;
        }
        Sleep(10);
    }
    return false;
}

// A 32-bit icon file of square entries of the given sizes, and one 8-bit entry of 16 pixels.
Bytes IconFile(std::initializer_list<int> sizes) {
    struct Entry {
        int size, bits;
        Bytes data;
    };
    std::vector<Entry> entries;
    auto put32 = [](Bytes& b, uint32_t v) {
        for (int i = 0; i < 4; ++i) b.push_back(static_cast<uint8_t>(v >> (8 * i)));
    };
    auto bitmap = [&](int size, int bits) {
        Bytes d;
        put32(d, 40);
        put32(d, static_cast<uint32_t>(size));
        put32(d, static_cast<uint32_t>(size * 2));
        d.insert(d.end(), {1, 0, static_cast<uint8_t>(bits), 0});
        for (int i = 0; i < 6; ++i) put32(d, 0);
        if (bits == 8)
            for (int i = 0; i < 256; ++i) put32(d, static_cast<uint32_t>(i * 0x010101));
        const size_t maskRow = static_cast<size_t>((size + 31) / 32) * 4;
        d.resize(d.size() + static_cast<size_t>(size) * size * bits / 8 + maskRow * size, 0x40);
        return d;
    };
    for (int s : sizes) entries.push_back({s, 32, bitmap(s, 32)});
    entries.push_back({16, 8, bitmap(16, 8)});
    Bytes f = {0, 0, 1, 0, static_cast<uint8_t>(entries.size()), 0};
    uint32_t offset = static_cast<uint32_t>(6 + 16 * entries.size());
    for (const Entry& e : entries) {
        f.insert(f.end(), {static_cast<uint8_t>(e.size), static_cast<uint8_t>(e.size), 0, 0, 1, 0,
                           static_cast<uint8_t>(e.bits), 0});
        put32(f, static_cast<uint32_t>(e.data.size()));
        put32(f, offset);
        offset += static_cast<uint32_t>(e.data.size());
    }
    for (const Entry& e : entries) f.insert(f.end(), e.data.begin(), e.data.end());
    return f;
}

}  // namespace

// --- pixel access --------------------------------------------------------------------------------

TEST(Pixels, MembersReadAndWriteTheSection) {
    c32bppDIB image;
    FillImage(image, 3, 2, [](int x, int y) {
        return x == 1 && y == 0 ? Bgra{64, 64, 64, 128} : Opaque(1, 2, 3);
    });
    int32_t alpha = 0;
    EXPECT_EQ(image.GetPixel(1, 0, &alpha), 127 + 127 * 256 + 127 * 65536);
    EXPECT_EQ(alpha, 128);
    EXPECT_EQ(image.GetPixel(1, 0, nullptr, true), 64 + 64 * 256 + 64 * 65536);
    EXPECT_EQ(image.GetPixel(3, 0, &alpha), -1);
    EXPECT_EQ(alpha, 0);

    PixelBytes out;
    ASSERT_TRUE(image.GetDIBbits(out));
    EXPECT_EQ(out.bytes, PixelsOf(image));
    PixelBytes kept = out;
    EXPECT_FALSE(image.GetDIBbits(out, true, true, true, true, true, 3, 0));
    EXPECT_EQ(out.bytes, kept.bytes);

    // 24-bit rows into a blank picture: nothing transparent is left.
    c32bppDIB blank;
    ASSERT_TRUE(blank.InitializeDIB(5, 2));
    const Bytes rows(32, 0x30);
    EXPECT_FALSE(blank.SetDIBbits(Bytes(31, 0), true, false));
    EXPECT_TRUE(blank.Alpha());
    ASSERT_TRUE(blank.SetDIBbits(rows, true, false));
    EXPECT_FALSE(blank.Alpha());
    EXPECT_EQ(blank.ImageType(), 0);  // the image type stays
    EXPECT_EQ(PixelOf(blank, 4, 1), (Bgra{0x30, 0x30, 0x30, 255}));
    EXPECT_FALSE(blank.SetDIBbits(rows, true, false, true, true, 5, 0));
    c32bppDIB none;
    EXPECT_EQ(none.GetPixel(0, 0), -1);
    EXPECT_FALSE(none.GetDIBbits(out));
    EXPECT_FALSE(none.SetDIBbits(rows));
}

// --- regions -------------------------------------------------------------------------------------

TEST(Regions, StylesAgainstTheExpectedRectangles) {
    c32bppDIB gap;
    FillImage(gap, 3, 1, [](int x, int) { return x == 1 ? Bgra{0, 0, 0, 0} : kRed; });
    rt::Region runs(gap.CreateRegion(2)), spans(gap.CreateRegion(1)), box(gap.CreateRegion(0));
    EXPECT_TRUE(SameRegion(runs.get(), Rects({{0, 0, 1, 1}, {2, 0, 3, 1}}).get()));
    EXPECT_TRUE(SameRegion(spans.get(), Rects({{0, 0, 3, 1}}).get()));
    EXPECT_TRUE(SameRegion(box.get(), Rects({{0, 0, 3, 1}}).get()));
    rt::Region moved(gap.CreateRegion(2, 10, -5));
    EXPECT_TRUE(SameRegion(moved.get(), Rects({{10, -5, 11, -4}, {12, -5, 13, -4}}).get()));

    c32bppDIB opaque;
    Ramp(opaque, 7, 4);
    for (int style = 0; style <= 2; ++style) {
        rt::Region r(opaque.CreateRegion(style));
        EXPECT_TRUE(SameRegion(r.get(), Rects({{0, 0, 7, 4}}).get())) << style;
    }
    EXPECT_EQ(opaque.CreateRegion(3), nullptr);
    EXPECT_EQ(opaque.CreateRegion(-1), nullptr);

    c32bppDIB clear;
    ASSERT_TRUE(clear.InitializeDIB(4, 4));
    for (int style = 0; style <= 2; ++style) EXPECT_EQ(clear.CreateRegion(style), nullptr) << style;
    EXPECT_EQ(c32bppDIB().CreateRegion(0), nullptr);
}

TEST(Regions, ChunkedPathEqualsOneCall) {
    // 60 runs in each of 50 rows: 3000 rectangles.
    c32bppDIB dots;
    FillImage(dots, 120, 50, [](int x, int y) { return (x + y) % 2 ? kBlue : Bgra{0, 0, 0, 0}; });
    std::vector<RegionRect> list;
    const size_t count = AlphaRegionRects(ImageView{dots.BitsPointer(), 120, 50}, 2, list);
    ASSERT_EQ(count, 3000u);
    rt::Region whole(RegionFromRectRange(list, 2, list.size() - 1, 0, 120));
    rt::Region chunked(RegionFromRectChunks(list, list.size() - 1, 0, 120));
    ASSERT_TRUE(whole);
    ASSERT_TRUE(chunked);
    EXPECT_TRUE(SameRegion(whole.get(), chunked.get()));
    rt::Region member(dots.CreateRegion(2));
    EXPECT_TRUE(SameRegion(member.get(), whole.get()));
    // One pixel of the picture in and one out.
    EXPECT_TRUE(PtInRegion(chunked.get(), 1, 0));
    EXPECT_FALSE(PtInRegion(chunked.get(), 0, 0));
    EXPECT_TRUE(PtInRegion(chunked.get(), 118, 49));
}

// --- copies --------------------------------------------------------------------------------------

TEST(Copies, ExactScaledMirroredAndRefused) {
    NoGdiPlus off;
    c32bppDIB source;
    source.isAlphaBlendFriendly(false);
    FillImage(source, 2, 1, [](int x, int) { return x == 0 ? kRed : Bgra{10, 20, 30, 128}; });
    source.gdiToken(77);

    std::unique_ptr<c32bppDIB> copy;
    ASSERT_TRUE(source.CopyImageTo(copy));
    ASSERT_TRUE(copy);
    EXPECT_EQ(PixelsOf(*copy), PixelsOf(source));
    EXPECT_TRUE(copy->Alpha());
    EXPECT_EQ(copy->ImageType(), 7);
    EXPECT_EQ(copy->gdiToken(), 77u);
    EXPECT_FALSE(copy->isGDIplusEnabled());
    EXPECT_EQ(copy->HighQualityInterpolation(), source.HighQualityInterpolation());

    struct Case {
        const char* what;
        int32_t w, h;
        std::vector<Bgra> row;
    };
    const Bgra half{10, 20, 30, 128};
    const Case cases[] = {
        {"scaled", 4, 1, {kRed, kRed, half, half}},
        {"mirrored", -2, 1, {half, kRed}},
        {"mirrored and scaled", -4, 2, {half, half, kRed, kRed}},
    };
    for (const Case& c : cases) {
        c32bppDIB target;
        ASSERT_TRUE(source.CopyImageTo(target, c.w, c.h)) << c.what;
        ASSERT_EQ(target.Width(), std::abs(c.w)) << c.what;
        ASSERT_EQ(target.Height(), std::abs(c.h)) << c.what;
        for (int y = 0; y < target.Height(); ++y)
            for (int x = 0; x < target.Width(); ++x)
                EXPECT_EQ(PixelOf(target, x, y), c.row[x]) << c.what << " " << x;
    }

    // A target of the right size is reused without what it held showing through.
    c32bppDIB reused;
    FillImage(reused, 4, 2, [](int, int) { return kBlue; });
    c32bppDIB holes;
    holes.isAlphaBlendFriendly(true);
    holes.HighQualityInterpolation(false);
    FillImage(holes, 2, 1, [](int x, int) { return x == 0 ? kRed : Bgra{0, 0, 0, 0}; });
    ASSERT_TRUE(holes.CopyImageTo(reused, 4, 2));
    EXPECT_EQ(PixelOf(reused, 0, 1), kRed);
    EXPECT_EQ(PixelOf(reused, 3, 0), (Bgra{0, 0, 0, 0}));

    // Sizes that cannot be made: false, and no object handed out.
    std::unique_ptr<c32bppDIB> huge;
    EXPECT_FALSE(source.CopyImageTo(huge, 100000, 100000));
    EXPECT_FALSE(huge);
    EXPECT_FALSE(source.CopyImageTo(huge, INT32_MIN, 1));
    EXPECT_FALSE(c32bppDIB().CopyImageTo(huge));
}

TEST(Copies, ThroughGdiPlusAndWithTheSourceBytes) {
    c32bppDIB source;
    ASSERT_TRUE(source.isGDIplusEnabled());
    source.HighQualityInterpolation(true);
    FillImage(source, 8, 8, [](int x, int) { return x < 4 ? kRed : Bgra{0, 0, 0, 0}; });
    c32bppDIB target;
    ASSERT_TRUE(source.CopyImageTo(target, 16, 16));
    // The transparent half stays transparent and the red half stays opaque red.
    EXPECT_EQ(PixelOf(target, 1, 8), kRed);
    EXPECT_EQ(PixelOf(target, 14, 8), (Bgra{0, 0, 0, 0}));

    c32bppDIB loaded;
    std::vector<uint8_t> bmp;
    ASSERT_TRUE(source.SaveToStream(bmp));
    ASSERT_TRUE(loaded.LoadPicture_Stream(bmp, 0, 0, 0, 0, true));
    std::unique_ptr<c32bppDIB> copy;
    ASSERT_TRUE(loaded.CopyImageTo(copy, 0, 0, true));
    Bytes kept;
    EXPECT_TRUE(copy->GetOrginalFormat(kept));
    EXPECT_EQ(kept, bmp);
}

// --- effects -------------------------------------------------------------------------------------

TEST(Effects, ColourKeyAndRevert) {
    c32bppDIB image;
    FillImage(
        image, 3, 1, [](int x, int) { return x == 1 ? Opaque(0, 0x80, 0xFF) : kBlue; }, false);
    ASSERT_EQ(image.ImageType(), 1);
    EXPECT_TRUE(image.MakeTransparent(0x123456));
    EXPECT_FALSE(image.Alpha());
    EXPECT_EQ(image.ImageType(), 1);
    EXPECT_TRUE(image.MakeTransparent(0x0080FF));
    EXPECT_TRUE(image.Alpha());
    EXPECT_EQ(image.ImageType(), 7);
    EXPECT_EQ(PixelOf(image, 1, 0), (Bgra{0, 0, 0, 0}));
    EXPECT_TRUE(image.MakeTransparent(0x0080FF, true));
    EXPECT_FALSE(image.Alpha());
    EXPECT_EQ(image.ImageType(), 1);
    EXPECT_EQ(PixelOf(image, 1, 0), Opaque(0, 0x80, 0xFF));
    EXPECT_FALSE(c32bppDIB().MakeTransparent(0));
}

TEST(Effects, InverseMirrorShadowAndCheckerboard) {
    c32bppDIB image;
    FillImage(image, 3, 2, [](int x, int y) { return x == 2 ? Bgra{0, 0, 0, 0} : y == 0 ? kWhite : kRed; });
    ASSERT_TRUE(image.MakeImageInverse());
    EXPECT_EQ(PixelOf(image, 0, 0), (Bgra{0, 0, 0, 255}));
    EXPECT_EQ(PixelOf(image, 0, 1), (Bgra{255, 255, 0, 255}));
    EXPECT_EQ(PixelOf(image, 2, 0), (Bgra{0, 0, 0, 0}));

    const Bytes before = PixelsOf(image);
    EXPECT_FALSE(image.MirrorImage(false, false));
    ASSERT_TRUE(image.MirrorImage(true, true));
    EXPECT_EQ(PixelOf(image, 0, 0), (Bgra{0, 0, 0, 0}));
    EXPECT_EQ(PixelOf(image, 2, 1), (Bgra{0, 0, 0, 255}));
    ASSERT_TRUE(image.MirrorImage(true, true));
    EXPECT_EQ(PixelsOf(image), before);

    c32bppDIB square;
    Solid(square, 10, 10, kRed);
    square.gdiToken(5);
    std::unique_ptr<c32bppDIB> shadow = square.CreateDropShadow();
    ASSERT_TRUE(shadow);
    EXPECT_EQ(shadow->Width(), 18);
    EXPECT_EQ(shadow->Height(), 18);
    EXPECT_TRUE(shadow->Alpha());
    EXPECT_EQ(shadow->ImageType(), 7);
    EXPECT_EQ(shadow->gdiToken(), 5u);
    EXPECT_EQ(PixelOf(*shadow, 8, 8), (Bgra{0xC0, 0xC0, 0xC0, 255}));
    EXPECT_EQ(PixelOf(*shadow, 17, 17)[3], 3);
    EXPECT_EQ(square.CreateDropShadow(25)->Width(), 30);
    EXPECT_FALSE(c32bppDIB().CreateDropShadow());

    // Drawn on the spot at half opacity: the grey darkens the white under the shadow's middle.
    square.gdiToken(0);
    Canvas canvas(40, 40, {255, 255, 255});
    ASSERT_TRUE(square.RenderDropShadow_JIT(canvas.dc(), 5, 5));
    const Bgr middle = canvas.At(5 + 8, 5 + 8);
    EXPECT_LT(middle[0], 255);
    EXPECT_GE(middle[0], 0xC0);
    EXPECT_EQ(canvas.At(1, 1), (Bgr{255, 255, 255}));
    EXPECT_FALSE(c32bppDIB().RenderDropShadow_JIT(canvas.dc(), 0, 0));

    c32bppDIB board;
    ASSERT_TRUE(board.InitializeDIB(30, 30));
    const Bytes blank = PixelsOf(board);
    EXPECT_FALSE(board.CreateCheckerBoard(0));
    EXPECT_EQ(PixelsOf(board), blank);
    ASSERT_TRUE(board.CreateCheckerBoard(12));
    EXPECT_FALSE(board.Alpha());
    EXPECT_EQ(board.ImageType(), 64);
    const Bgra grey{0xC0, 0xC0, 0xC0, 255};
    // Squares of 12, 12 and 6 pixels each way, white at the top-left.
    const int edges[] = {0, 11, 12, 23, 24, 29};
    for (int y : edges)
        for (int x : edges) {
            const bool white = ((x / 12) + (y / 12)) % 2 == 0;
            EXPECT_EQ(PixelOf(board, x, y), white ? kWhite : grey) << x << "," << y;
        }
}

// --- saving --------------------------------------------------------------------------------------

TEST(Saving, BmpBytesReloadToTheSamePixels) {
    c32bppDIB blank;
    ASSERT_TRUE(blank.InitializeDIB(2, 2));
    Bytes bmp;
    ASSERT_TRUE(blank.SaveToStream(bmp));
    EXPECT_EQ(bmp.size(), 70u);
    // An all-zero alpha channel counts as none: black and opaque.
    auto back = Reload(bmp);
    EXPECT_EQ(back->ImageType(), 1);
    EXPECT_EQ(PixelOf(*back, 1, 1), (Bgra{0, 0, 0, 255}));

    c32bppDIB opaque;
    Ramp(opaque, 3, 2);
    ASSERT_TRUE(opaque.SaveToStream(bmp));
    ASSERT_EQ(bmp.size(), 78u);
    EXPECT_EQ(bmp[28], 24);
    back = Reload(bmp);
    EXPECT_EQ(PixelsOf(*back), PixelsOf(opaque));

    c32bppDIB partly;
    FillImage(partly, 3, 3, [](int x, int y) { return x == y ? Bgra{10, 20, 30, 40} : kBlue; });
    ASSERT_TRUE(partly.SaveToStream(bmp));
    back = Reload(bmp);
    EXPECT_EQ(back->ImageType(), 7);
    EXPECT_EQ(PixelsOf(*back), PixelsOf(partly));

    Bytes untouched = {1, 2};
    EXPECT_FALSE(c32bppDIB().SaveToStream(untouched));
    EXPECT_EQ(untouched, (Bytes{1, 2}));
}

TEST(Saving, IconSizesAndKeptBytes) {
    const Bytes ico = IconFile({32, 48});
    testsupport::TempDir dir;
    const std::string path = dir.Write("icons.ico", std::string(ico.begin(), ico.end()));

    c32bppDIB plain;
    ASSERT_TRUE(plain.LoadPicture_File(path, 48, 48));
    Bytes kept = {1};
    EXPECT_FALSE(plain.GetOrginalFormat(kept));
    EXPECT_TRUE(kept.empty());
    std::vector<std::array<int32_t, 4>> sizes;
    ASSERT_EQ(plain.SourceIconSizes(sizes), 1);
    EXPECT_EQ(sizes, (std::vector<std::array<int32_t, 4>>{{48, 48, 32, -1}}));

    c32bppDIB withBytes;
    ASSERT_TRUE(withBytes.LoadPicture_File(path, 32, 32, true));
    ASSERT_EQ(withBytes.SourceIconSizes(sizes), 3);
    EXPECT_EQ(sizes,
              (std::vector<std::array<int32_t, 4>>{{32, 32, 32, -1}, {48, 48, 32, -1}, {16, 16, 8, 256}}));

    c32bppDIB png;
    Ramp(png, 4, 4);
    Bytes pngBytes;
    ASSERT_TRUE(png.SaveToStream_PNG(pngBytes));
    ASSERT_TRUE(png.LoadPicture_Stream(pngBytes, 0, 0, 0, 0, true));
    sizes.clear();
    EXPECT_EQ(png.SourceIconSizes(sizes), 0);
    EXPECT_TRUE(sizes.empty());
}

TEST(FileLists, DroppedNames) {
    const std::vector<std::wstring> names = {L"C:\\pictures\\a rather long file name.png", L"D:\\b.jpg",
                                             L"C:\\\u00e9t\u00e9\\c.gif"};
    c32bppDIB image;
    FileDrop drop(DropBlock(sizeof(DROPFILES), names));
    std::vector<std::wstring> files = {L"platform's list"};
    ASSERT_TRUE(image.GetDroppedFileNames(&drop, files));
    EXPECT_EQ(files, names);
    EXPECT_EQ(drop.Gets(), 1);

    FileDrop pastTheEnd(DropBlock(5000, names));
    files = {L"kept"};
    EXPECT_FALSE(image.GetDroppedFileNames(&pastTheEnd, files));
    EXPECT_EQ(files, (std::vector<std::wstring>{L"kept"}));
    FileDrop noList(DropBlock(sizeof(DROPFILES), names), false);
    EXPECT_FALSE(image.GetDroppedFileNames(&noList, files));
    EXPECT_EQ(noList.Gets(), 0);
    EXPECT_FALSE(image.GetDroppedFileNames(nullptr, files));
    EXPECT_EQ(files, (std::vector<std::wstring>{L"kept"}));
}

TEST(FileLists, PastedNames) {
    const std::vector<std::wstring> names = {L"C:\\x.txt", L"C:\\folder with spaces\\y.bmp"};
    c32bppDIB image;
    std::vector<std::wstring> files;
    ASSERT_TRUE(ClipboardFiles(DropBlock(sizeof(DROPFILES), names)));
    EXPECT_EQ(image.GetPastedFileNames(files), 2);
    EXPECT_EQ(files, names);

    ASSERT_TRUE(ClipboardFiles(DropBlock(4096, names)));
    files = {L"kept"};
    EXPECT_EQ(image.GetPastedFileNames(files), 0);
    EXPECT_EQ(files, (std::vector<std::wstring>{L"kept"}));
    // The clipboard was closed again.
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    CloseClipboard();
    EXPECT_EQ(image.GetPastedFileNames(files), 0);
}

// --- turned drawing ------------------------------------------------------------------------------

namespace {

// The 40 x 20 halves turned a quarter into a white 100 x 100 image in the box (30, 40, 40, 20);
// the path the drawing took.
RenderPath TurnHalvesIntoWhite(c32bppDIB& host, bool gdiplus) {
    c32bppDIB picture;
    EXPECT_EQ(picture.isGDIplusEnabled(), gdiplus);
    Halves(picture, 40, 20);
    Solid(host, 100, 100, kWhite);
    EXPECT_TRUE(picture.Render(nullptr, 30, 40, 40, 20, 0, 0, 0, 0, 100, true, true, &host, -1, 0, 90));
    return picture.LastRenderPath();
}

}  // namespace

TEST(TurnedDrawing, OwnRotationWithoutGdiPlus) {
    NoGdiPlus off;
    c32bppDIB host;
    EXPECT_EQ(TurnHalvesIntoWhite(host, false), RenderPath::Rotated);
    EXPECT_EQ(PixelOf(host, 50, 35), kRed);
    EXPECT_EQ(PixelOf(host, 50, 65), kBlue);
    EXPECT_EQ(PixelOf(host, 35, 50), kWhite);
    EXPECT_EQ(PixelOf(host, 65, 50), kWhite);

    // Angles that round to a whole turn draw the picture unturned in its box; the work square's
    // transparent rest leaves the target as it was.
    c32bppDIB ramp;
    Ramp(ramp, 100, 50);
    for (float angle : {0.25f, 360.5f}) {
        c32bppDIB target;
        Solid(target, 200, 200, kWhite);
        ASSERT_TRUE(ramp.Render(nullptr, 50, 60, 0, 0, 0, 0, 0, 0, 100, true, true, &target, -1, 0, angle));
        for (auto [x, y] :
             {std::pair{0, 0}, std::pair{99, 0}, std::pair{0, 49}, std::pair{99, 49}, std::pair{37, 21}})
            EXPECT_EQ(PixelOf(target, 50 + x, 60 + y), PixelOf(ramp, x, y)) << angle << " " << x << "," << y;
        for (auto [x, y] : {std::pair{49, 60}, std::pair{150, 60}, std::pair{50, 59}, std::pair{50, 110},
                            std::pair{44, 29}, std::pair{155, 140}})
            EXPECT_EQ(PixelOf(target, x, y), kWhite) << angle << " " << x << "," << y;
    }

    // Onto a device context; a negative width mirrors before turning.
    c32bppDIB picture;
    Halves(picture, 40, 20);
    Canvas canvas(100, 100, {255, 255, 255});
    ASSERT_TRUE(
        picture.Render(canvas.dc(), 30, 40, -40, 20, 0, 0, 0, 0, 100, true, true, nullptr, -1, 0, 90, false));
    EXPECT_EQ(canvas.At(50 - 40, 35), (Bgr{255, 0, 0}));  // the blue half now ends on top
    EXPECT_EQ(canvas.At(50 - 40, 65), (Bgr{0, 0, 255}));

    // A box whose work square cannot be made draws nothing.
    c32bppDIB untouched;
    Solid(untouched, 10, 10, kWhite);
    const Bytes before = PixelsOf(untouched);
    EXPECT_FALSE(
        picture.Render(nullptr, 0, 0, 40000, 40000, 0, 0, 0, 0, 100, true, true, &untouched, -1, 0, 45));
    EXPECT_FALSE(
        picture.Render(nullptr, 0, 0, 30000, 30000, 0, 0, 0, 0, 100, true, true, &untouched, -1, 0, 45));
    EXPECT_EQ(PixelsOf(untouched), before);
}

TEST(TurnedDrawing, GdiPlusTurnsWhenItIsOn) {
    c32bppDIB host;
    EXPECT_EQ(TurnHalvesIntoWhite(host, true), RenderPath::GdiPlus);
    EXPECT_EQ(PixelOf(host, 50, 38), kRed);
    EXPECT_EQ(PixelOf(host, 50, 62), kBlue);
    EXPECT_EQ(PixelOf(host, 35, 50), kWhite);
}

// --- PNG -----------------------------------------------------------------------------------------

TEST(Png, OwnWriterWhenGdiPlusIsOff) {
    NoGdiPlus off;
    struct Case {
        const char* what;
        int w, h;
        std::function<Bgra(int, int)> pixel;
        bool alpha;
    };
    const Case cases[] = {
        {"soft RGBA", 33, 17,
         [](int x, int y) {
             const uint8_t a = static_cast<uint8_t>((x * 8 + y * 3) % 256);
             return Bgra{static_cast<uint8_t>(a / 2), static_cast<uint8_t>(a / 3), a, a};
         },
         true},
        {"icon-like palette", 16, 16,
         [](int x, int y) {
             return (x + y) % 5 ? Opaque(x * 10, y * 10, 3) : Bgra{0, 0, 0, 0};
         },
         true},
        {"grey", 7, 3, [](int x, int y) { return Opaque(x * 30 + y, x * 30 + y, x * 30 + y); }, false},
        {"photo", 40, 30, [](int x, int y) { return Opaque(x * 6, y * 8, (x * y) & 0xFF); }, false},
    };
    for (const Case& c : cases) {
        c32bppDIB image;
        FillImage(image, c.w, c.h, c.pixel, c.alpha);
        Bytes png;
        ASSERT_TRUE(image.SaveToStream_PNG(png)) << c.what;
        auto back = Reload(png);
        EXPECT_EQ(back->ImageType(), 10) << c.what;
        for (int y = 0; y < c.h; ++y)
            for (int x = 0; x < c.w; ++x)
                ASSERT_EQ(PixelOf(*back, x, y), ThroughPng(c.pixel(x, y))) << c.what << " " << x << "," << y;
    }

    // Into a file; a file that cannot be opened gives false.
    c32bppDIB image;
    Ramp(image, 5, 5);
    testsupport::TempDir dir;
    Bytes unused;
    ASSERT_TRUE(WritePng(image, dir.File("saved.png"), unused));
    c32bppDIB fromFile;
    ASSERT_TRUE(fromFile.LoadPicture_File(dir.File("saved.png")));
    EXPECT_EQ(PixelsOf(fromFile), PixelsOf(image));
    EXPECT_FALSE(WritePng(image, dir.File("missing folder\\saved.png"), unused));

    // With neither GDI+ nor zlib nothing is written and the array stays as it was.
    ZlibFolder noZlib(dir.Path());
    Bytes kept = {7, 7};
    EXPECT_FALSE(image.SaveToStream_PNG(kept));
    EXPECT_EQ(kept, (Bytes{7, 7}));
    EXPECT_FALSE(c32bppDIB().SaveToStream_PNG(kept));
}

TEST(Png, GdiPlusWritesFirst) {
    c32bppDIB image;
    FillImage(image, 6, 4, [](int x, int) { return x < 3 ? kRed : Bgra{0, 0, 0, 0}; });
    Bytes png;
    // Without zlib only GDI+ can write it.
    testsupport::TempDir empty;
    ZlibFolder noZlib(empty.Path());
    ASSERT_TRUE(image.SaveToStream_PNG(png));
    auto back = Reload(png);
    EXPECT_EQ(PixelsOf(*back), PixelsOf(image));
}

// --- leaks ---------------------------------------------------------------------------------------

TEST(Leaks, TwoHundredRoundsLeaveNothingBehind) {
    GdiplusService& service = GdiplusService::Instance();
    const int references = service.References();
    testsupport::HandleCounter counter;
    ASSERT_GT(testsupport::HandleCounter::PatchedImports(), 0);
    for (int round = 0; round < 200; ++round) {
        std::unique_ptr<NoGdiPlus> off;
        if (round % 2) off = std::make_unique<NoGdiPlus>();
        c32bppDIB image;
        FillImage(image, 24, 16, [](int x, int y) { return (x + y) % 3 ? kRed : Bgra{0, 0, 0, 0}; });
        HRGN region = image.CreateRegion(2);
        ASSERT_TRUE(region);
        DeleteObject(region);
        std::unique_ptr<c32bppDIB> copy;
        ASSERT_TRUE(image.CopyImageTo(copy, 31, 9));
        c32bppDIB host;
        ASSERT_TRUE(host.InitializeDIB(60, 60));
        ASSERT_TRUE(image.Render(nullptr, 10, 10, 30, 20, 0, 0, 0, 0, 80, true, true, &host, -1, 0, 33));
        Canvas canvas(60, 60, {0, 0, 0});
        ASSERT_TRUE(
            image.Render(canvas.dc(), 10, 10, 30, 20, 0, 0, 0, 0, 100, true, true, nullptr, -1, 0, 200));
        Bytes png;
        ASSERT_TRUE(image.SaveToStream_PNG(png));
    }
    EXPECT_GT(counter.Created(), 0u);
    EXPECT_EQ(counter.GdiObjects(), 0u) << counter.Report();
    EXPECT_EQ(counter.DeviceContexts(), 0u) << counter.Report();
    EXPECT_EQ(service.References(), references);
}
