#include "imaging/parsers_win.h"

#include <algorithm>
#include <cmath>
#include <exception>
#include <cstring>

#include "imaging/c32bppDIB.h"
#include "runtime/ansi_text.h"
#include "runtime/handles.h"

namespace imaging {

bool HasDllExport(const std::string& library, const char* exportName) {
    rt::Library module(LoadLibraryA(library.c_str()));
    return module && GetProcAddress(module.get(), exportName) != nullptr;
}

PicturePtr PictureFromBytes(const uint8_t* bytes, size_t length) {
    if (!bytes || length == 0) return {};
    ComPtr<IStream> stream = rt::StreamOnCopy(bytes, length);
    if (!stream) return {};
    PicturePtr picture;
    if (FAILED(OleLoadPicture(stream.get(), 0, FALSE, IID_IPicture, reinterpret_cast<void**>(picture.put())))) return {};
    return picture;
}

PicturePtr PictureFromHandle(HANDLE handle, int32_t pictureType) {
    if (!handle) return {};
    PICTDESC desc{};
    desc.cbSizeofstruct = sizeof(PICTDESC);
    desc.picType = static_cast<UINT>(pictureType);
    switch (pictureType) {
        case PICTYPE_BITMAP: desc.bmp.hbitmap = static_cast<HBITMAP>(handle); break;
        case PICTYPE_METAFILE: desc.wmf.hmeta = static_cast<HMETAFILE>(handle); break;
        case PICTYPE_ICON: desc.icon.hicon = static_cast<HICON>(handle); break;
        case PICTYPE_ENHMETAFILE: desc.emf.hemf = static_cast<HENHMETAFILE>(handle); break;
        default: return {};
    }
    PicturePtr picture;
    if (FAILED(OleCreatePictureIndirect(&desc, IID_IPicture, TRUE, reinterpret_cast<void**>(picture.put())))) return {};
    return picture;
}

namespace {
bool UseUnicode(bool forceUnicode) { return forceUnicode || IsWindowUnicode(GetDesktopWindow()); }
}  // namespace

HANDLE OpenFileForIO(const std::string& name, bool forReading, bool forceUnicode) {
    const bool unicode = UseUnicode(forceUnicode);
    const std::wstring wide = unicode ? rt::Widen(name) : std::wstring();
    if (forReading) {
        const DWORD attributes = 0xA7;
        return unicode ? CreateFileW(wide.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                     attributes, nullptr)
                       : CreateFileA(name.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                     attributes, nullptr);
    }
    DWORD attributes = unicode ? GetFileAttributesW(wide.c_str()) : GetFileAttributesA(name.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) attributes = FILE_ATTRIBUTE_NORMAL;
    return unicode ? CreateFileW(wide.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                 attributes, nullptr)
                   : CreateFileA(name.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, attributes,
                                 nullptr);
}

bool RemoveFile(const std::string& name, bool forceUnicode) {
    if (UseUnicode(forceUnicode)) {
        const std::wstring wide = rt::Widen(name);
        return SetFileAttributesW(wide.c_str(), FILE_ATTRIBUTE_NORMAL) && DeleteFileW(wide.c_str());
    }
    return SetFileAttributesA(name.c_str(), FILE_ATTRIBUTE_NORMAL) && DeleteFileA(name.c_str());
}

namespace {
constexpr size_t kRegionChunk = 2000;
}  // namespace

HRGN BuildAlphaRegion(const c32bppDIB& image, int32_t style) {
    if (!image.Handle()) return nullptr;
    if (!image.Alpha()) return CreateRectRgn(0, 0, image.Width(), image.Height());
    try {
        GdiFlush();
        std::vector<RegionRect> list;
        const size_t count =
            AlphaRegionRects(ImageView{image.BitsPointer(), image.Width(), image.Height()}, style, list);
        if (count == 0) return nullptr;
        if (style == 0) {
            const RegionRect& box = list[2];
            return CreateRectRgn(box.left, box.top, box.right, box.bottom);
        }
        const size_t last = list.size() - 1;
        HRGN region = RegionFromRectRange(list, 2, last, 0, image.Width());
        if (!region && count > kRegionChunk) region = RegionFromRectChunks(list, last, 0, image.Width());
        return region;
    } catch (const std::exception&) {
        return nullptr;
    }
}

HRGN RegionFromRectRange(std::vector<RegionRect>& list, size_t first, size_t last, int32_t left, int32_t width) {
    if (first < 2 || last < first || last >= list.size()) return nullptr;
    const size_t count = last - first + 1;
    if (count > (UINT32_MAX - sizeof(RGNDATAHEADER)) / sizeof(RECT)) return nullptr;
    RGNDATAHEADER header{};
    header.dwSize = sizeof(RGNDATAHEADER);
    header.iType = RDH_RECTANGLES;
    header.nCount = static_cast<DWORD>(count);
    header.nRgnSize = static_cast<DWORD>(count * sizeof(RECT));
    header.rcBound = RECT{left, list[first].top, left + width, list[last].bottom};
    static_assert(sizeof(RGNDATAHEADER) == 2 * sizeof(RegionRect), "the header fills two slots");
    std::memcpy(static_cast<void*>(&list[first - 2]), &header, sizeof header);
    return ExtCreateRegion(nullptr, static_cast<DWORD>(sizeof(RGNDATAHEADER) + count * sizeof(RECT)),
                           reinterpret_cast<const RGNDATA*>(&list[first - 2]));
}

HRGN RegionFromRectChunks(std::vector<RegionRect>& list, size_t last, int32_t left, int32_t width) {
    rt::Region total;
    // Consecutive chunks share one rectangle; each chunk's header overwrites two rectangles of
    // the chunk before, which that chunk no longer needs.
    for (size_t start = 2; start <= last; start += kRegionChunk) {
        const size_t end = std::min(start + kRegionChunk, last);
        rt::Region chunk(RegionFromRectRange(list, start, end, left, width));
        if (!chunk) return nullptr;
        if (!total)
            total = std::move(chunk);
        else if (CombineRgn(total.get(), total.get(), chunk.get(), RGN_OR) == ERROR)
            return nullptr;
    }
    return total.release();
}

int32_t HimetricToPixels(int32_t himetric, bool horizontal) {
    rt::ScreenDC screen;
    int dpi = screen.get() ? GetDeviceCaps(screen.get(), horizontal ? LOGPIXELSX : LOGPIXELSY) : 96;
    if (dpi <= 0) dpi = 96;
    const double twipsPerPixel = 1440.0 / dpi;
    return static_cast<int32_t>(std::nearbyint(static_cast<double>(himetric) * 1440.0 / 2540.0 / twipsPerPixel));
}

}  // namespace imaging
