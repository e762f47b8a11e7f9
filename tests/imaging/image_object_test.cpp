// The image object's lifecycle, capability flags and device-context protocol; the shared GDI+
// start-up; the GDI+ bridge's own members; zlib access and the cdecl bridge.
#include <gtest/gtest.h>
#include <windows.h>
#include <shlwapi.h>

#include <filesystem>

#include "imaging/c32bppDIB.h"
#include "imaging/gdiplus_bridge.h"
#include "imaging/gdiplus_service.h"
#include "imaging/zlib_access.h"
#include "imaging/win_support.h"
#include "runtime/error.h"
#include "support/temp_dir.h"

using namespace imaging;
using namespace imaging_test;

namespace {

bool SectionSelectedIn(HDC dc, const c32bppDIB& image) {
    return dc && GetCurrentObject(dc, OBJ_BITMAP) == image.Handle();
}

}  // namespace

TEST(ImageObject, NewInitializedAndDestroyed) {
    c32bppDIB image;
    EXPECT_EQ(image.ImageType(), 0);
    EXPECT_FALSE(image.Alpha());
    EXPECT_EQ(image.Handle(), nullptr);
    EXPECT_EQ(image.Width(), 0);

    ASSERT_TRUE(image.InitializeDIB(10, -5));
    EXPECT_EQ(image.Width(), 10);
    EXPECT_EQ(image.Height(), 5);
    EXPECT_EQ(image.scanWidth(), 40);
    EXPECT_TRUE(image.Alpha());
    EXPECT_EQ(image.ImageType(), 0);
    BITMAP bm{};
    ASSERT_EQ(GetObjectA(image.Handle(), sizeof bm, &bm), static_cast<int>(sizeof bm));
    EXPECT_EQ(bm.bmBitsPixel, 32);
    EXPECT_EQ(bm.bmHeight, 5);  // positive: stored bottom-up
    for (int i = 0; i < 10 * 5 * 4; ++i) ASSERT_EQ(image.BitsPointer()[i], 0);

    image.BitsPointer()[7] = 9;
    image.EraseDIB();
    EXPECT_EQ(image.BitsPointer()[7], 0);

    HBITMAP section = image.Handle();
    image.DestroyDIB();
    EXPECT_EQ(image.ImageType(), -1);
    EXPECT_EQ(image.Handle(), nullptr);
    EXPECT_EQ(GetObjectType(section), 0u);  // the section is gone

    struct Bad {
        int w, h;
    };
    for (Bad b : {Bad{-1, 5}, Bad{5, 0}, Bad{0, 5}, Bad{0x10000, 0x10000}}) {
        EXPECT_FALSE(image.InitializeDIB(b.w, b.h)) << b.w << "x" << b.h;
        EXPECT_EQ(image.Handle(), nullptr);
    }
}

TEST(ImageObject, OwnDeviceContextProtocol) {
    c32bppDIB image;
    EXPECT_EQ(image.LoadDIBinDC(true), nullptr);  // no picture: nothing made
    ASSERT_TRUE(image.InitializeDIB(4, 4));

    HDC first = image.LoadDIBinDC(true);
    ASSERT_TRUE(SectionSelectedIn(first, image));
    EXPECT_EQ(image.LoadDIBinDC(true), first);
    EXPECT_EQ(image.LoadDIBinDC(false), nullptr);
    EXPECT_EQ(GetObjectType(first), 0u);  // not managed: deleted

    image.ManageOwnDC(true);
    HDC kept = image.LoadDIBinDC(true);
    image.LoadDIBinDC(false);
    EXPECT_FALSE(SectionSelectedIn(kept, image));
    EXPECT_NE(GetObjectType(kept), 0u);  // managed: kept for the next use
    EXPECT_EQ(image.LoadDIBinDC(true), kept);
    image.DestroyDIB();
    EXPECT_EQ(GetObjectType(kept), 0u);
    EXPECT_TRUE(image.ManageOwnDC());

    ASSERT_TRUE(image.InitializeDIB(2, 2));
    HDC made = image.LoadDIBinDC(true);
    image.ManageOwnDC(false);
    EXPECT_EQ(GetObjectType(made), 0u);
}

TEST(ImageObject, CapabilityFlagsFollowTheReportedVersion) {
    const bool gdiplus = GdiplusService::Instance().Available();
    struct Row {
        const char* system;
        SystemVersion version;
        int32_t flags;
    };
    const Row rows[] = {
        {"Windows 95", {1, 4, 0, 0}, 32},    {"Windows 98", {1, 4, 10, 0}, 24}, {"Windows Me", {1, 4, 90, 0}, 24},
        {"NT 4 SP5", {2, 4, 0, 5}, 32},      {"NT 4 SP6", {2, 4, 0, 6}, 0},     {"Windows 2000", {2, 5, 0, 0}, 9},
        {"Windows 7", {2, 6, 1, 1}, 9},
    };
    for (const Row& r : rows) {
        c32bppDIB image(r.version);
        const bool gdiplusUsable = gdiplus && !(r.flags & 32);
        EXPECT_EQ(image.CapabilityFlags(), r.flags | (gdiplusUsable ? 2 : 0)) << r.system;
        EXPECT_EQ(image.isGDIplusEnabled(), gdiplusUsable) << r.system;
        EXPECT_EQ(image.HighQualityInterpolation(), gdiplusUsable) << r.system;
        // AlphaBlend can only be switched on where the system has it.
        image.isAlphaBlendFriendly(true);
        EXPECT_EQ(image.isAlphaBlendFriendly(), (r.flags & 8) != 0) << r.system;
        image.isAlphaBlendFriendly(false);
        EXPECT_FALSE(image.isAlphaBlendFriendly()) << r.system;
        // Bit 32 forbids GDI+ without a test.
        image.isGDIplusEnabled(true);
        EXPECT_EQ(image.isGDIplusEnabled(), gdiplusUsable) << r.system;
    }
    c32bppDIB reported;
    EXPECT_EQ(reported.CapabilityFlags() & ~2, 9);  // the test system reports Windows 7
}

TEST(GdiPlus, OneReferenceCountedStartUp) {
    GdiplusService& service = GdiplusService::Instance();
    ASSERT_TRUE(service.Available());
    const int before = service.References();
    ULONG_PTR a = 0, b = 0;
    ASSERT_TRUE(service.Start(a));
    ASSERT_TRUE(service.Start(b));
    EXPECT_NE(a, 0u);
    EXPECT_EQ(a, b);
    EXPECT_EQ(service.References(), before + 2);
    service.Stop(b);
    EXPECT_TRUE(service.Running());
    EXPECT_NE(service.Api(a), nullptr);
    service.Stop(a);
    EXPECT_EQ(service.References(), before);

    // The bridge's test gives its start-up back unless asked to keep it.
    ULONG_PTR token = 0;
    EXPECT_TRUE(cGDIPlus().isGDIplusOk(token, false));
    EXPECT_EQ(service.References(), before);
    token = 0;
    EXPECT_TRUE(cGDIPlus().isGDIplusOk(token, true));
    EXPECT_EQ(service.References(), before + 1);
    cGDIPlus().GdiPlusStartStop(token, true);
    EXPECT_EQ(service.References(), before);

    // Starting and stopping again works.
    ASSERT_TRUE(service.Start(a));
    service.Stop(a);
}

TEST(GdiPlus, MissingLibraryMeansNoGdiPlus) {
    NoGdiPlus none;
    ULONG_PTR token = 0;
    EXPECT_FALSE(cGDIPlus().isGDIplusOk(token, false));
    EXPECT_EQ(token, 0u);
    c32bppDIB image;
    EXPECT_FALSE(image.isGDIplusEnabled());
    EXPECT_FALSE(image.HighQualityInterpolation());
    std::vector<uint8_t> png;
    FillImage(image, 2, 2, [](int, int) { return Bgra{1, 2, 3, 255}; });
    EXPECT_FALSE(cGDIPlus().SaveToPNG("", png, image, 0));
}

TEST(GdiPlus, SaveToPngAndLoadBack) {
    c32bppDIB image;
    FillImage(image, 3, 2, [](int x, int y) {
        if (x == 0) return Bgra{0, 0, 0, 0};
        return y == 0 ? Bgra{0, 0, 128, 128} : Bgra{255, 0, 0, 255};
    });
    std::vector<uint8_t> png;
    ASSERT_TRUE(cGDIPlus().SaveToPNG("", png, image, 0));
    ASSERT_GT(png.size(), 8u);
    EXPECT_EQ(png[1], 'P');
    EXPECT_EQ(png[2], 'N');
    EXPECT_EQ(PixelOf(image, 2, 0), (Bgra{0, 0, 128, 128}));  // the object's pixels keep their orientation

    c32bppDIB loaded;
    ASSERT_TRUE(cGDIPlus().LoadWithGdiPlus("", png.data(), png.size(), loaded, 0));
    EXPECT_EQ(loaded.ImageType(), 10);
    EXPECT_TRUE(loaded.Alpha());  // a 32-bit ARGB picture
    EXPECT_EQ(loaded.Width(), 3);
    EXPECT_EQ(PixelOf(loaded, 0, 0), (Bgra{0, 0, 0, 0}));
    EXPECT_EQ(PixelOf(loaded, 1, 0), (Bgra{0, 0, 128, 128}));
    EXPECT_EQ(PixelOf(loaded, 2, 1), (Bgra{255, 0, 0, 255}));

    // A JPEG is 24-bit: no alpha.
    std::vector<uint8_t> jpeg = EncodeWithGdiPlus(image, L"image/jpeg");
    ASSERT_FALSE(jpeg.empty());
    ASSERT_TRUE(cGDIPlus().LoadWithGdiPlus("", jpeg.data(), jpeg.size(), loaded, 0));
    EXPECT_FALSE(loaded.Alpha());
    EXPECT_EQ(loaded.ImageType(), 10);

    // Into a file; the byte array stays as it was.
    testsupport::TempDir dir;
    std::vector<uint8_t> untouched = {1, 2, 3};
    ASSERT_TRUE(cGDIPlus().SaveToPNG(dir.File("out.png"), untouched, image, 0));
    EXPECT_EQ(untouched, (std::vector<uint8_t>{1, 2, 3}));
    EXPECT_GT(std::filesystem::file_size(dir.File("out.png")), 8u);

    c32bppDIB empty;
    EXPECT_FALSE(cGDIPlus().SaveToPNG("", png, empty, 0));
}

TEST(GdiPlus, BytesThatCannotBeCopiedOutAreNoSave) {
    // A stream that is not on global memory cannot hand its bytes out.
    ComPtr<IStream> memory(SHCreateMemStream(nullptr, 0));
    ASSERT_TRUE(memory);
    ULONG written = 0;
    memory->Write("abcd", 4, &written);
    std::vector<uint8_t> out;
    EXPECT_FALSE(cGDIPlus::BytesFromStream(memory.get(), out));

    ComPtr<IStream> global = cGDIPlus::StreamFromBytes(nullptr, 0);
    global->Write("abcd", 4, &written);
    EXPECT_TRUE(cGDIPlus::BytesFromStream(global.get(), out));
    EXPECT_EQ(out, (std::vector<uint8_t>{'a', 'b', 'c', 'd'}));  // the written bytes, not the whole block
}

TEST(GdiPlus, EncoderLookupIgnoresCase) {
    GdiplusSession session(0);
    ASSERT_TRUE(session);
    CLSID id{};
    EXPECT_GT(cGDIPlus::FindEncoderClsid(*session.api(), L"IMAGE/PNG", id), 0);
    EXPECT_EQ(cGDIPlus::FindEncoderClsid(*session.api(), L"image/none", id), -1);
}

// --- zlib ---------------------------------------------------------------------------------------

namespace {

std::string BesideExe(const char* name) {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string p = path;
    return p.substr(0, p.find_last_of("\\/") + 1) + name;
}

const char kCheck[] = "123456789";

}  // namespace

TEST(Zlib, FindsZlib1BesideTheProgram) {
    std::string name;
    int32_t flag = -1;
    bool isCdecl = true, compress2 = false;
    ASSERT_TRUE(LocateZlib(name, flag, isCdecl, compress2, false));
    EXPECT_EQ(name, "zlib1.dll");
    EXPECT_EQ(flag, 2);
    EXPECT_TRUE(compress2);
#if !defined(__i386__)
    EXPECT_FALSE(isCdecl);  // one calling convention off 32-bit x86
#endif
    EXPECT_TRUE(c32bppDIB().isZlibEnabled());

    std::unique_ptr<ZlibLibrary> zlib = ZlibLibrary::Open();
    ASSERT_TRUE(zlib);
    const ZlibApi& api = zlib->Api();
    EXPECT_EQ(api.crc32(0, reinterpret_cast<const uint8_t*>(kCheck), 9), 0xCBF43926u);
    std::vector<uint8_t> text(1000);
    for (size_t i = 0; i < text.size(); ++i) text[i] = static_cast<uint8_t>("imaging"[i % 7]);
    std::vector<uint8_t> packed(1200), unpacked(1000);
    uint32_t packedLength = 1200, unpackedLength = 1000;
    ASSERT_TRUE(api.compress2);
    ASSERT_EQ(api.compress2(packed.data(), &packedLength, text.data(), 1000, 9), 0);
    EXPECT_LT(packedLength, 100u);
    ASSERT_EQ(api.uncompress(unpacked.data(), &unpackedLength, packed.data(), packedLength), 0);
    EXPECT_EQ(unpackedLength, 1000u);
    EXPECT_EQ(unpacked, text);
}

TEST(Zlib, LibraryNamesInOrder) {
    testsupport::TempDir dir;
    const std::string real = BesideExe("zlib1.dll");
    const std::string other = BesideExe("nocrc_library.dll");  // a library without crc32

    struct Case {
        const char* what;
        const char* zlib1;  // copied as zlib1.dll (nullptr: absent)
        const char* zlib;   // copied as zlib.dll
        int32_t flag;
    };
    const Case cases[] = {
        {"none", nullptr, nullptr, 0},
        {"only zlib.dll", nullptr, "real", 1},
        {"both: zlib1.dll wins", "real", "real", 2},
        {"a zlib.dll without crc32", nullptr, "other", 0},
    };
    int n = 0;
    for (const Case& c : cases) {
        const std::string folder = dir.Path() + std::to_string(n++);
        std::filesystem::create_directories(folder);
        auto place = [&](const char* which, const char* as) {
            if (which) std::filesystem::copy_file(which[0] == 'r' ? real : other, folder + "\\" + as);
        };
        place(c.zlib1, "zlib1.dll");
        place(c.zlib, "zlib.dll");
        ZlibFolder only(folder);
        std::string name;
        int32_t flag = -1;
        bool isCdecl = false, compress2 = true;
        EXPECT_EQ(LocateZlib(name, flag, isCdecl, compress2, false), c.flag != 0) << c.what;
        EXPECT_EQ(flag, c.flag) << c.what;
        if (c.flag == 0) {
            EXPECT_FALSE(compress2) << c.what;
            EXPECT_FALSE(c32bppDIB().isZlibEnabled()) << c.what;
            EXPECT_FALSE(ZlibLibrary::Open()) << c.what;
        } else {
            EXPECT_EQ(name, c.flag == 2 ? "zlib1.dll" : "zlib.dll") << c.what;
            std::unique_ptr<ZlibLibrary> zlib = ZlibLibrary::Open();
            ASSERT_TRUE(zlib) << c.what;
            EXPECT_EQ(zlib->Api().crc32(0, reinterpret_cast<const uint8_t*>(kCheck), 9), 0xCBF43926u) << c.what;
        }
    }
}

TEST(Zlib, CdeclBridgeCallsAndErrors) {
    cCDECL bridge;
    auto raised = [](const std::function<void()>& f) -> std::pair<int32_t, std::string> {
        try {
            f();
        } catch (const rt::RuntimeError& e) {
            EXPECT_EQ(e.Source(), "cCDECL");
            return {e.Number(), e.Description()};
        }
        return {0, ""};
    };
    const intptr_t text = reinterpret_cast<intptr_t>(kCheck);
    EXPECT_EQ(raised([&] { bridge.CallFunc("crc32", {0, text, 9}); }),
              std::make_pair(static_cast<int32_t>(0x80040000u), std::string("DLL not loaded")));
    EXPECT_FALSE(bridge.DllUnload());

    ASSERT_TRUE(bridge.DllLoad("zlib1.dll"));
    EXPECT_EQ(static_cast<uint32_t>(bridge.CallFunc("crc32", {0, text, 9})), 0xCBF43926u);
    EXPECT_EQ(static_cast<uint32_t>(bridge.CallFunc("crc32", {0, text, 9})), 0xCBF43926u);
    EXPECT_EQ(bridge.Lookups(), 1);  // resolved once for repeated calls
    EXPECT_EQ(bridge.LastError(), 0);
    ASSERT_TRUE(bridge.DllLoad("zlib1.dll"));
    bridge.CallFunc("crc32", {0, text, 9});
    EXPECT_EQ(bridge.Lookups(), 2);  // a new library resolves again

    EXPECT_EQ(raised([&] { bridge.CallFunc("nothere", {}); }),
              std::make_pair(static_cast<int32_t>(0x80040001u), std::string("Failed to locate function: nothere")));
    EXPECT_EQ(raised([&] { bridge.CallFunc("crc32", {0, text, 9, 0, 0, 0}); }),
              std::make_pair(static_cast<int32_t>(0x80040002u), std::string("Too many parameters")));
    EXPECT_TRUE(bridge.DllUnload());
}

namespace {
// Routines that remove their own arguments, where the processor has such a convention.
#if defined(__i386__)
#define CALLEE_CLEANS __stdcall
#else
#define CALLEE_CLEANS
#endif
int32_t CALLEE_CLEANS Weigh(int32_t a, int32_t b, int32_t c, int32_t d, int32_t e) {
    return a + 2 * b + 3 * c + 4 * d + 5 * e;
}
int32_t CALLEE_CLEANS Twice(int32_t a) {
    return 2 * a;
}
#if defined(__i386__)
int32_t CALLEE_CLEANS Three(int32_t a, intptr_t b, int32_t c) {
    return a + c + (b != 0);
}
#endif
}  // namespace

TEST(Zlib, CallbackWrapperLetsTheCallerRemoveTheArguments) {
    using Five = int32_t(__cdecl*)(int32_t, int32_t, int32_t, int32_t, int32_t);
    using One = int32_t(__cdecl*)(int32_t);
    cCDECL bridge;
    void* wrapper = bridge.WrapCallback(reinterpret_cast<const void*>(&Weigh), 5);
    ASSERT_NE(wrapper, nullptr);
    // Again and again through one wrapper: a stack left unbalanced would not survive the loop.
    int32_t sum = 0;
    for (int32_t i = 0; i < 100; ++i) sum += reinterpret_cast<Five>(wrapper)(i, 1, 1, 1, 1);
    EXPECT_EQ(sum, 4950 + 100 * 14);
#if defined(__i386__)
    // What the caller finds still on the stack after a three-argument call: its own arguments.
    EXPECT_TRUE(CallerCleansUp(reinterpret_cast<FARPROC>(bridge.WrapCallback(reinterpret_cast<const void*>(&Three), 3))));
    EXPECT_FALSE(CallerCleansUp(reinterpret_cast<FARPROC>(&Three)));
#endif
    // Set up again for another routine: the same wrapper now reaches that one.
    EXPECT_EQ(bridge.WrapCallback(reinterpret_cast<const void*>(&Twice), 1), wrapper);
    EXPECT_EQ(reinterpret_cast<One>(wrapper)(21), 42);
    // Each object has its own wrapper.
    cCDECL other;
    void* second = other.WrapCallback(reinterpret_cast<const void*>(&Weigh), 5);
    EXPECT_NE(second, wrapper);
    EXPECT_EQ(reinterpret_cast<Five>(second)(1, 1, 1, 1, 1), 15);
    EXPECT_EQ(reinterpret_cast<One>(wrapper)(5), 10);
}

TEST(Zlib, StdcallLibraryIsCalledDirectly) {
#if defined(__i386__)
    // The tests build a stdcall "zlib.dll" beside the program (32-bit builds only).
    testsupport::TempDir dir;
    std::filesystem::copy_file(BesideExe("stdcall_zlib.dll"), dir.File("zlib.dll"));
    ZlibFolder only(dir.Path());
    std::string name;
    int32_t flag = 0;
    bool isCdecl = true, compress2 = true;
    ASSERT_TRUE(LocateZlib(name, flag, isCdecl, compress2, false));
    EXPECT_EQ(flag, 1);
    EXPECT_FALSE(isCdecl);
    std::unique_ptr<ZlibLibrary> zlib = ZlibLibrary::Open();
    ASSERT_TRUE(zlib);
    EXPECT_EQ(zlib->Api().crc32(0, reinterpret_cast<const uint8_t*>(kCheck), 9), 0xCBF43926u);

    // The real zlib1.dll of this toolchain is cdecl and goes through the bridge.
    ZlibFolder none("");
    ASSERT_TRUE(LocateZlib(name, flag, isCdecl, compress2, false));
    EXPECT_TRUE(isCdecl);
#else
    GTEST_SKIP() << "stdcall and cdecl are one calling convention on this processor; the 32-bit build tests this";
#endif
}
