// Helpers of the image engine's Windows tests: a memory canvas to draw on and read back, images
// filled from code, and picture files (JPEG, TIFF, metafiles) made at test time.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>
#include <objidl.h>

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "imaging/c32bppDIB.h"
#include "imaging/gdiplus_bridge.h"
#include "imaging/gdiplus_service.h"
#include "imaging/zlib_access.h"
#include "runtime/handles.h"

namespace imaging_test {

// Points the GDI+ service at a library that does not exist, for one scope. Image objects made
// inside the scope start with GDI+ off.
class NoGdiPlus {
public:
    NoGdiPlus() : saved_(imaging::GdiplusService::Instance().LibraryName()) {
        imaging::GdiplusService::Instance().SetLibraryName("vantrel-no-gdiplus.dll");
    }
    ~NoGdiPlus() { imaging::GdiplusService::Instance().SetLibraryName(saved_); }
    NoGdiPlus(const NoGdiPlus&) = delete;
    NoGdiPlus& operator=(const NoGdiPlus&) = delete;

private:
    std::string saved_;
};

// zlib looked for in one folder only while this lives.
class ZlibFolder {
public:
    explicit ZlibFolder(const std::string& folder) { imaging::SetZlibSearchFolder(folder); }
    ~ZlibFolder() { imaging::SetZlibSearchFolder(""); }
    ZlibFolder(const ZlibFolder&) = delete;
    ZlibFolder& operator=(const ZlibFolder&) = delete;
};

using Bgra = std::array<uint8_t, 4>;
using Bgr = std::array<uint8_t, 3>;

// A top-down 32-bit DIB section in a memory DC, filled with one colour.
class Canvas {
public:
    Canvas(int w, int h, Bgr fill) : w_(w), h_(h) {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = w;
        info.bmiHeader.biHeight = -h;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        rt::ScreenDC screen;
        dc_.reset(CreateCompatibleDC(screen.get()));
        void* bits = nullptr;
        bitmap_.reset(CreateDIBSection(dc_.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        bits_ = static_cast<uint8_t*>(bits);
        old_ = SelectObject(dc_.get(), bitmap_.get());
        for (int i = 0; i < w * h; ++i) {
            bits_[i * 4] = fill[0];
            bits_[i * 4 + 1] = fill[1];
            bits_[i * 4 + 2] = fill[2];
            bits_[i * 4 + 3] = 0;
        }
    }
    ~Canvas() { SelectObject(dc_.get(), old_); }
    HDC dc() const { return dc_.get(); }
    Bgr At(int x, int y) const {
        GdiFlush();
        const uint8_t* p = bits_ + (static_cast<size_t>(y) * w_ + x) * 4;
        return {p[0], p[1], p[2]};
    }

private:
    int w_, h_;
    rt::CreatedDC dc_;
    rt::Bitmap bitmap_;
    HGDIOBJ old_ = nullptr;
    uint8_t* bits_ = nullptr;
};

// Fills an image of w x h with premultiplied pixels given per (x, y from the top).
inline void FillImage(imaging::c32bppDIB& image, int w, int h, const std::function<Bgra(int, int)>& pixel,
                      bool alpha = true) {
    ASSERT_TRUE(image.InitializeDIB(w, h));
    uint8_t* bits = image.BitsPointer();
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const Bgra p = pixel(x, y);
            std::copy(p.begin(), p.end(), bits + (static_cast<size_t>(h - 1 - y) * w + x) * 4);
        }
    imaging::DibTarget& target = image;
    target.SetAlpha(alpha);
    target.SetImageType(alpha ? 7 : 1);
}

// The pixel (x, y from the top) of an image.
inline Bgra PixelOf(const imaging::c32bppDIB& image, int x, int y) {
    GdiFlush();
    const uint8_t* p = image.BitsPointer() + (static_cast<size_t>(image.Height() - 1 - y) * image.Width() + x) * 4;
    return {p[0], p[1], p[2], p[3]};
}

// Encodes an image through GDI+ with the encoder of a MIME type ("image/jpeg", "image/tiff").
inline std::vector<uint8_t> EncodeWithGdiPlus(imaging::c32bppDIB& image, const wchar_t* mime) {
    using namespace imaging;
    std::vector<uint8_t> out;
    GdiplusSession session(0);
    if (!session) return out;
    const GdiplusApi& api = *session.api();
    gdip::GpBitmap* bitmap = nullptr;
    const INT stride = image.scanWidth();
    BYTE* top = image.BitsPointer() + static_cast<size_t>(image.Height() - 1) * stride;
    if (api.GdipCreateBitmapFromScan0(image.Width(), image.Height(), -stride, gdip::PixelFormat32bppPARGB, top,
                                      &bitmap) != gdip::Ok)
        return out;
    CLSID encoder{};
    ComPtr<IStream> stream = cGDIPlus::StreamFromBytes(nullptr, 0);
    if (cGDIPlus::FindEncoderClsid(api, mime, encoder) > 0 &&
        api.GdipSaveImageToStream(bitmap, stream.get(), &encoder, nullptr) == gdip::Ok)
        cGDIPlus::BytesFromStream(stream.get(), out);
    api.GdipDisposeImage(bitmap);
    return out;
}

// An enhanced metafile of 40 x 30 pixels with a filled rectangle from (10, 5) to (30, 25).
inline HENHMETAFILE MakeEmf(COLORREF colour) {
    rt::ScreenDC screen;
    const int mmX = GetDeviceCaps(screen.get(), HORZSIZE), mmY = GetDeviceCaps(screen.get(), VERTSIZE);
    const int pxX = GetDeviceCaps(screen.get(), HORZRES), pxY = GetDeviceCaps(screen.get(), VERTRES);
    RECT frame{0, 0, 40 * mmX * 100 / pxX, 30 * mmY * 100 / pxY};
    HDC dc = CreateEnhMetaFileA(screen.get(), nullptr, &frame, nullptr);
    rt::Brush brush(CreateSolidBrush(colour));
    RECT r{10, 5, 30, 25};
    FillRect(dc, &r, brush.get());
    return CloseEnhMetaFile(dc);
}

inline std::vector<uint8_t> EmfBytes(COLORREF colour) {
    rt::EnhMetaFileHandle emf(MakeEmf(colour));
    const UINT size = GetEnhMetaFileBits(emf.get(), 0, nullptr);
    std::vector<uint8_t> bytes(size);
    GetEnhMetaFileBits(emf.get(), size, bytes.data());
    return bytes;
}

// A placeable Windows metafile of 40 x 30 units at 96 units per inch with a filled rectangle.
inline std::vector<uint8_t> PlaceableWmfBytes(COLORREF colour) {
    HDC dc = CreateMetaFileA(nullptr);
    SetWindowOrgEx(dc, 0, 0, nullptr);
    SetWindowExtEx(dc, 40, 30, nullptr);
    rt::Brush brush(CreateSolidBrush(colour));
    HGDIOBJ old = SelectObject(dc, brush.get());
    SelectObject(dc, GetStockObject(NULL_PEN));
    Rectangle(dc, 10, 5, 31, 26);
    SelectObject(dc, old);
    rt::MetaFileHandle wmf(CloseMetaFile(dc));
    const UINT size = GetMetaFileBitsEx(wmf.get(), 0, nullptr);
    std::vector<uint8_t> bytes(22 + size);
    GetMetaFileBitsEx(wmf.get(), size, bytes.data() + 22);
    const uint16_t header[11] = {0xCDD7, 0x9AC6, 0, 0, 0, 40, 30, 96, 0, 0, 0};
    uint16_t words[11];
    std::copy(header, header + 11, words);
    uint16_t checksum = 0;
    for (int i = 0; i < 10; ++i) checksum ^= words[i];
    words[10] = checksum;
    for (int i = 0; i < 11; ++i) {
        bytes[i * 2] = static_cast<uint8_t>(words[i]);
        bytes[i * 2 + 1] = static_cast<uint8_t>(words[i] >> 8);
    }
    return bytes;
}

inline bool WriteFileBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
    rt::KernelHandle f(
        CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    return f && WriteFile(f.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
           written == bytes.size();
}

}  // namespace imaging_test
