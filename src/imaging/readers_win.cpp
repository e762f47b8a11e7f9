#include "imaging/readers_win.h"

#include <cstring>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "imaging/c32bppDIB.h"
#include "imaging/codecs/gif_reader.h"
#include "imaging/codecs/ico_reader.h"
#include "imaging/gdiplus_bridge.h"
#include "imaging/pixels/image_math.h"
#include "imaging/zlib_access.h"
#include "runtime/dib.h"
#include "runtime/handles.h"

namespace imaging {

namespace {

constexpr uint8_t kPngSignature[8] = {0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A};

bool StartsAsPng(const uint8_t* data, size_t length) {
    return data && length >= 8 && std::memcmp(data, kPngSignature, 8) == 0;
}

// Reserved 0 and type 1 (icon) or 2 (cursor): worth opening zlib for.
bool StartsAsIconDirectory(const uint8_t* data, size_t length) {
    return data && length >= 6 && data[0] == 0 && data[1] == 0 && (data[2] == 1 || data[2] == 2) &&
           data[3] == 0;
}

// The zlib library found for one load, held for as long as its functions are in use. The library is
// looked for at every load, so one put beside the program (or taken away) counts from the next load.
class ZlibForLoad {
public:
    ZlibForLoad() : library_(ZlibLibrary::Open()) {}
    ZlibFunctions Functions() const {
        ZlibFunctions z;
        if (!library_) return z;
        z.LibraryFlag = library_->LibraryFlag();
        z.crc32 = library_->Api().crc32;
        z.uncompress = library_->Api().uncompress;
        return z;
    }

private:
    std::unique_ptr<ZlibLibrary> library_;
};

// GDI+ for the PNG decoder, when the image object has it switched on.
GdiPlusLoader GdiPlusFor(DibTarget& image) {
    const auto* dib = dynamic_cast<const c32bppDIB*>(&image);
    if (!dib || !dib->isGDIplusEnabled()) return {};
    return
        [](const std::string& fileName, std::span<const uint8_t> bytes, DibTarget& target, uintptr_t token) {
            auto* host = dynamic_cast<c32bppDIB*>(&target);
            return host && cGDIPlus().LoadWithGdiPlus(fileName, bytes.data(), bytes.size(), *host, token);
        };
}

// A reader that raises leaves no half-made picture behind (a PNG's picture is made before its data
// is inflated); the error itself goes on to the loader.
template <class F>
bool Guarded(DibTarget& image, F&& read) {
    try {
        return read();
    } catch (...) {
        image.DestroyDIB();
        throw;
    }
}

bool Fail(c32bppDIB& image) {
    image.DestroyDIB();
    return false;
}

}  // namespace

int64_t HandleFileSource::Size() {
    if (size_ < 0) {
        LARGE_INTEGER size{};
        size_ = GetFileSizeEx(file_, &size) ? size.QuadPart : 0;
    }
    return size_;
}

bool HandleFileSource::ReadAt(int64_t position, uint8_t* buffer, size_t count) {
    if (position < 0) return false;
    LARGE_INTEGER at{};
    at.QuadPart = position;
    if (!SetFilePointerEx(file_, at, nullptr, FILE_BEGIN)) return false;
    while (count > 0) {
        const DWORD part = count > 0x40000000u ? 0x40000000u : static_cast<DWORD>(count);
        DWORD read = 0;
        if (!ReadFile(file_, buffer, part, &read, nullptr) || read == 0) return false;
        buffer += read;
        count -= read;
    }
    return true;
}

bool ConvertIconHandle(HICON handle, c32bppDIB& image) {
    image.DestroyDIB();
    if (!handle) return false;
    ICONINFO info{};
    if (!GetIconInfo(handle, &info)) return false;
    // Both bitmaps of the icon information are ours to delete.
    const rt::Bitmap colour(info.hbmColor), mask(info.hbmMask);
    const bool isIcon = info.fIcon != FALSE;
    DibTarget& target = image;
    rt::ScreenDC screen;

    if (colour) {
        BITMAPINFO query{};
        query.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        if (!GetDIBits(screen.get(), colour.get(), 0, 0, nullptr, &query, DIB_RGB_COLORS)) return Fail(image);
        const int32_t width = query.bmiHeader.biWidth;
        const int32_t height =
            query.bmiHeader.biHeight < 0 ? -query.bmiHeader.biHeight : query.bmiHeader.biHeight;
        if (!image.InitializeDIB(width, height)) return Fail(image);
        BITMAPINFO wanted = rt::DibHeader(width, height, 32, true);
        if (GetDIBits(screen.get(), colour.get(), 0, static_cast<UINT>(height), image.BitsPointer(), &wanted,
                      DIB_RGB_COLORS) != height)
            return Fail(image);
        const uint8_t* bits = image.BitsPointer();
        const size_t pixels = static_cast<size_t>(width) * static_cast<size_t>(height);
        bool withAlpha = false;
        for (size_t i = 0; i < pixels && !withAlpha; ++i) withAlpha = bits[i * 4 + 3] != 0;
        if (withAlpha) {
            bool hasAlpha = false;
            int32_t type = imgBitmap;
            ClassifyAlphaChannel(PixelBlock{image.BitsPointer(), width, height}, true, hasAlpha, type);
            target.SetImageType(isIcon ? imgIconAlpha : imgCursorAlpha);
            target.SetAlpha(true);
            return true;
        }
    }

    // No alpha channel: the AND mask cuts the picture out.
    BITMAP maskInfo{};
    if (!mask || GetObjectA(mask.get(), sizeof maskInfo, &maskInfo) != sizeof maskInfo) return Fail(image);
    const int32_t maskRows = maskInfo.bmHeight < 0 ? -maskInfo.bmHeight : maskInfo.bmHeight;
    if (!colour) {
        // A monochrome icon: its mask bitmap holds the AND mask above the XOR mask.
        if (!image.InitializeDIB(maskInfo.bmWidth, maskRows / 2)) return Fail(image);
        HDC dc = image.LoadDIBinDC(true);
        // At the icon's own size: DrawIcon would stretch it to the system's icon size.
        const bool drawn =
            dc && DrawIconEx(dc, 0, 0, handle, image.Width(), image.Height(), 0, nullptr, DI_NORMAL);
        image.LoadDIBinDC(false);
        if (!drawn) return Fail(image);
    }
    const int32_t width = image.Width(), height = image.Height();
    if (maskInfo.bmWidth != width || maskRows < height) return Fail(image);

    struct {
        BITMAPINFOHEADER header;
        RGBQUAD colours[2];
    } maskFormat{};
    maskFormat.header = rt::DibHeader(width, maskRows, 1, true).bmiHeader;
    maskFormat.colours[1] = RGBQUAD{255, 255, 255, 0};
    const size_t rowBytes = static_cast<size_t>(AlignedRowBytes(1, width));
    std::vector<uint8_t> maskBits(rowBytes * static_cast<size_t>(maskRows));
    if (GetDIBits(screen.get(), mask.get(), 0, static_cast<UINT>(maskRows), maskBits.data(),
                  reinterpret_cast<BITMAPINFO*>(&maskFormat), DIB_RGB_COLORS) != maskRows)
        return Fail(image);
    // The AND mask is the top `height` rows of the bitmap, the last ones of this bottom-up copy.
    const std::span<const uint8_t> andMask(
        maskBits.data() + rowBytes * static_cast<size_t>(maskRows - height),
        rowBytes * static_cast<size_t>(height));
    cICOparser::ApplyIconMask(target, andMask, isIcon);
    return true;
}

void InstallImageReaders(ImageReaders& readers) {
    readers.pngFile = [](void* fileHandle, const std::string& fileName, DibTarget& image, uintptr_t token) {
        HandleFileSource file(static_cast<HANDLE>(fileHandle));
        uint8_t head[8];
        if (!file.ReadAt(0, head, sizeof head) || !StartsAsPng(head, sizeof head)) return false;
        return Guarded(image, [&] {
            const ZlibForLoad zlib;
            cPNGparser parser(zlib.Functions(), GdiPlusFor(image));
            return parser.LoadFile(file, fileName, image, token);
        });
    };
    readers.pngStream = [](const uint8_t* data, size_t length, DibTarget& image, uintptr_t token) {
        if (!StartsAsPng(data, length)) return false;
        return Guarded(image, [&] {
            const ZlibForLoad zlib;
            cPNGparser parser(zlib.Functions(), GdiPlusFor(image));
            return parser.LoadStream({data, length}, image, 0, static_cast<int64_t>(length), token);
        });
    };
    readers.gifStream = [](const uint8_t* data, size_t length, DibTarget& image) {
        if (!data) return false;
        return Guarded(image, [&] {
            return cGIFparser().LoadStream({data, length}, image, 0, static_cast<int64_t>(length));
        });
    };
    readers.icoStream = [](const uint8_t* data, size_t length, int32_t iconCx, int32_t iconCy,
                           int32_t iconBitDepth, DibTarget& image, uintptr_t token) {
        if (!StartsAsIconDirectory(data, length)) return false;
        return Guarded(image, [&] {
            // zlib and GDI+ serve an entry stored as PNG.
            const ZlibForLoad zlib;
            cICOparser parser(zlib.Functions(), GdiPlusFor(image));
            return parser.LoadStream({data, length}, iconCx, iconCy, &image, 0, static_cast<int64_t>(length),
                                     iconBitDepth, token);
        });
    };
    readers.icoConvert = [](void* iconHandle, DibTarget& image) {
        auto* host = dynamic_cast<c32bppDIB*>(&image);
        return host && ConvertIconHandle(static_cast<HICON>(iconHandle), *host);
    };
}

}  // namespace imaging
