// The loading members of the image object: files, byte ranges, resources, picture objects,
// handles and the clipboard, and the reader chain behind files and byte ranges.
#include <cstring>

#include "imaging/bmp_reader.h"
#include "imaging/c32bppDIB.h"
#include "imaging/gdiplus_bridge.h"
#include "imaging/parsers_win.h"
#include "imaging/reader_chain.h"
#include "imaging/readers_win.h"
#include "runtime/error.h"
#include "runtime/handles.h"

namespace imaging {

namespace {

constexpr int64_t kMinimumBytes = 57;

// The engine's own readers are in the chain before the first load.
[[maybe_unused]] const bool kReadersInstalled = [] {
    InstallImageReaders(Readers());
    return true;
}();

void ShowLoadError(const std::string& description) {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string title = path;
    const size_t slash = title.find_last_of("\\/");
    if (slash != std::string::npos) title.erase(0, slash + 1);
    const size_t dot = title.find_last_of('.');
    if (dot != std::string::npos) title.erase(dot);
    MessageBoxA(nullptr, description.c_str(), title.c_str(), MB_OK);
}

LoadErrorNotifier& Notifier() {
    static LoadErrorNotifier notifier = &ShowLoadError;
    return notifier;
}

bool ReadWholeFile(HANDLE file, std::vector<uint8_t>& bytes) {
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file, &size) || size.QuadPart > INT32_MAX) return false;
    bytes.assign(static_cast<size_t>(size.QuadPart), 0);
    LARGE_INTEGER zero{};
    if (!SetFilePointerEx(file, zero, nullptr, FILE_BEGIN)) return false;
    DWORD read = 0;
    return bytes.empty() || (ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) &&
                             read == bytes.size());
}

LPCSTR ResourcePointer(const ResourceName& name) {
    if (const int32_t* id = std::get_if<int32_t>(&name)) return MAKEINTRESOURCEA(*id);
    return std::get<std::string>(name).c_str();
}

}  // namespace

void SetLoadErrorNotifier(LoadErrorNotifier notifier) { Notifier() = notifier ? notifier : &ShowLoadError; }

bool c32bppDIB::LoadPicture_File(const std::string& Filename, int32_t iconCx, int32_t iconCy, bool SaveFormat,
                                 int32_t iconBitDepth) {
    bool loaded = false;
    rt::Try([&] {
        const bool forceUnicode = (flags_ & capAlphaBlendPresent) && !(flags_ & capWin9x);
        rt::KernelHandle file(OpenFileForIO(Filename, true, forceUnicode));
        if (!file) return;
        LARGE_INTEGER size{};
        if (!GetFileSizeEx(file.get(), &size) || size.QuadPart < kMinimumBytes || size.QuadPart > INT32_MAX) return;
        std::vector<uint8_t> none;
        loaded = LoadImageData(file.get(), Filename, none, iconCx, iconCy, 0, 0, SaveFormat, iconBitDepth);
    });
    return loaded;
}

bool c32bppDIB::LoadPicture_Stream(const std::vector<uint8_t>& inStream, int32_t iconCx, int32_t iconCy,
                                   int32_t streamStart, int32_t streamLength, bool SaveFormat, int32_t iconBitDepth) {
    if (inStream.empty()) return false;
    const int64_t size = static_cast<int64_t>(inStream.size());
    const int64_t start = streamStart < 0 ? 0 : streamStart;
    const int64_t length = streamLength == 0 ? size - start : streamLength;
    // The range must lie inside the bytes.
    if (length < kMinimumBytes || start + length > size) return false;
    std::vector<uint8_t> bytes = inStream;
    return LoadImageData(nullptr, std::string(), bytes, iconCx, iconCy, static_cast<int32_t>(start),
                         static_cast<int32_t>(length), SaveFormat, iconBitDepth);
}

bool c32bppDIB::LoadImageData(HANDLE file, const std::string& fileName, std::vector<uint8_t>& bytes,
                              int32_t iconCx, int32_t iconCy, int32_t start, int32_t length, bool SaveFormat,
                              int32_t iconBitDepth) {
    DestroyDIB();
    if (iconCx < 0) iconCx = 0;
    if (iconCy < 0) iconCy = 0;
    if (iconBitDepth < 0 || iconBitDepth > 32) iconBitDepth = 32;
    ImageReaders& readers = Readers();

    bool pngSeen = false, bmpRefused = false;
    try {
        if (file) {
            if (readers.pngFile) pngSeen = readers.pngFile(file, fileName, *this, token_);
        } else if (readers.pngStream) {
            pngSeen = readers.pngStream(bytes.data() + start, static_cast<size_t>(length), *this, token_);
        }
    } catch (...) {
        // An error the PNG step left pending is shown; loading goes on.
        rt::RecordCurrentException();
        Notifier()(rt::Err().Description);
    }

    // A PNG signature that was seen ends the chain, decoded or not.
    if (!pngSeen && !HasPicture()) {
        if (file) {
            if (!ReadWholeFile(file, bytes)) bytes.clear();
            start = 0;
            length = static_cast<int32_t>(bytes.size());
        }
        if (!bytes.empty()) {
            const uint8_t* data = bytes.data() + start;
            const size_t n = static_cast<size_t>(length);
            bool seen = readers.gifStream && readers.gifStream(data, n, *this);
            if (!seen && readers.icoStream)
                seen = readers.icoStream(data, n, iconCx, iconCy, iconBitDepth, *this, token_);
            if (!seen) cBMPparser().LoadStream(data, n, *this, &bmpRefused);
        }
        // A BMP with impossible sizes or pixel offset goes to no other decoder either.
        if (!HasPicture() && !bmpRefused && isGDIplusEnabled()) {
            cGDIPlus bridge;
            const bool viaFile = file && !fileName.empty();
            const uint8_t* data = bytes.empty() ? nullptr : bytes.data() + start;
            if (bridge.LoadWithGdiPlus(viaFile ? fileName : std::string(), data, viaFile ? 0 : static_cast<size_t>(length),
                                       *this, token_) &&
                SaveFormat) {
                // From here on the PNG the bridge wrote is the source.
                std::vector<uint8_t> png;
                if (bridge.SaveToPNG(std::string(), png, *this, token_)) {
                    bytes = std::move(png);
                    file = nullptr;
                }
            }
        }
    }

    if (!HasPicture()) {
        DestroyDIB();
        return false;
    }
    if (SaveFormat) {
        if (!bytes.empty() || !file) {
            sourceBytes_ = bytes;
        } else {
            std::vector<uint8_t> whole;
            if (ReadWholeFile(file, whole)) sourceBytes_ = std::move(whole);
        }
    }
    return true;
}

bool c32bppDIB::LoadPicture_FromOrignalFormat(int32_t iconCx, int32_t iconCy, int32_t iconBitDepth) {
    if (sourceBytes_.empty()) return false;
    const std::vector<uint8_t> copy = sourceBytes_;
    return LoadPicture_Stream(copy, iconCx, iconCy, 0, 0, true, iconBitDepth);
}

bool c32bppDIB::GetOrginalFormat(std::vector<uint8_t>& outStream) const {
    outStream = sourceBytes_;
    return !sourceBytes_.empty();
}

bool c32bppDIB::LoadPicture_StdPicture(IPicture* Picture) {
    DestroyDIB();
    if (!Picture) return false;
    SHORT type = PICTYPE_NONE;
    OLE_HANDLE handle = 0;
    if (FAILED(Picture->get_Type(&type)) || FAILED(Picture->get_Handle(&handle))) return false;
    if (type == PICTYPE_ICON) {
        ImageReaders& readers = Readers();
        if (readers.icoConvert) readers.icoConvert(reinterpret_cast<void*>(static_cast<uintptr_t>(handle)), *this);
    } else if (type == PICTYPE_BITMAP) {
        cBMPparser().ConvertstdPicTo32bpp(nullptr, reinterpret_cast<HBITMAP>(static_cast<uintptr_t>(handle)), *this,
                                          0);
    } else if (type != PICTYPE_NONE && type != PICTYPE_UNINITIALIZED) {
        cBMPparser().ConvertstdPicTo32bpp(Picture, nullptr, *this, 0);
    }
    return HasPicture();
}

bool c32bppDIB::LoadPicture_ByHandle(HANDLE Handle) {
    DestroyDIB();
    if (!Handle) return false;
    switch (GetObjectType(Handle)) {
        case OBJ_BITMAP:
            return cBMPparser().ConvertstdPicTo32bpp(nullptr, static_cast<HBITMAP>(Handle), *this, 0);
        case OBJ_ENHMETAFILE: {
            // A picture object made around an enhanced-metafile handle has no size on every
            // system; one read from the metafile's bytes has. The handle is the picture's now.
            rt::EnhMetaFileHandle owned(static_cast<HENHMETAFILE>(Handle));
            const UINT size = GetEnhMetaFileBits(owned.get(), 0, nullptr);
            if (size == 0) return false;
            std::vector<uint8_t> bits(size);
            GetEnhMetaFileBits(owned.get(), size, bits.data());
            PicturePtr picture = PictureFromBytes(bits.data(), bits.size());
            return picture && LoadPicture_StdPicture(picture.get());
        }
        case OBJ_METAFILE: {
            PicturePtr picture = PictureFromHandle(Handle, PICTYPE_METAFILE);
            return picture && LoadPicture_StdPicture(picture.get());
        }
        default: {
            ICONINFO info{};
            if (!GetIconInfo(static_cast<HICON>(Handle), &info)) return false;
            rt::Bitmap mask(info.hbmMask), colour(info.hbmColor);
            mask.reset();
            colour.reset();
            ImageReaders& readers = Readers();
            return readers.icoConvert && readers.icoConvert(Handle, *this) && HasPicture();
        }
    }
}

bool c32bppDIB::LoadPicture_ClipBoard() {
    bool loaded = false;
    rt::Try([&] {
        const bool any = IsClipboardFormatAvailable(CF_BITMAP) | IsClipboardFormatAvailable(CF_DIB) |
                         IsClipboardFormatAvailable(CF_ENHMETAFILE) | IsClipboardFormatAvailable(CF_METAFILEPICT);
        if (!any || !OpenClipboard(nullptr)) return;
        PicturePtr picture;
        if (HBITMAP bitmap = static_cast<HBITMAP>(GetClipboardData(CF_BITMAP))) {
            rt::Bitmap copy(static_cast<HBITMAP>(CopyImage(bitmap, IMAGE_BITMAP, 0, 0, 0)));
            if (copy && (picture = PictureFromHandle(copy.get(), PICTYPE_BITMAP))) copy.release();
        } else if (HENHMETAFILE emf = static_cast<HENHMETAFILE>(GetClipboardData(CF_ENHMETAFILE))) {
            const UINT size = GetEnhMetaFileBits(emf, 0, nullptr);
            std::vector<uint8_t> bits(size);
            if (size && GetEnhMetaFileBits(emf, size, bits.data())) picture = PictureFromBytes(bits.data(), size);
        } else if (HGLOBAL mfp = GetClipboardData(CF_METAFILEPICT)) {
            if (auto* pict = static_cast<METAFILEPICT*>(GlobalLock(mfp))) {
                const UINT size = GetMetaFileBitsEx(pict->hMF, 0, nullptr);
                std::vector<uint8_t> bits(size);
                if (size && GetMetaFileBitsEx(pict->hMF, size, bits.data())) {
                    rt::EnhMetaFileHandle emf(SetWinMetaFileBits(size, bits.data(), nullptr, pict));
                    const UINT esize = emf ? GetEnhMetaFileBits(emf.get(), 0, nullptr) : 0;
                    std::vector<uint8_t> ebits(esize);
                    if (esize && GetEnhMetaFileBits(emf.get(), esize, ebits.data()))
                        picture = PictureFromBytes(ebits.data(), esize);
                }
                GlobalUnlock(mfp);
            }
        }
        CloseClipboard();
        if (picture) loaded = LoadPicture_StdPicture(picture.get());
    });
    rt::Err().Clear();
    return loaded;
}

bool c32bppDIB::LoadPicture_Resource(const ResourceName& ResIndex, const ResourceSection& ResSection,
                                     HMODULE ResourceSource, int32_t iconCx, int32_t iconCy, int32_t streamStart,
                                     int32_t streamLength, int32_t iconBitDepth) {
    HMODULE module = ResourceSource ? ResourceSource : GetModuleHandleA(nullptr);
    bool loaded = false;
    rt::Try([&] {
        if (const std::string* section = std::get_if<std::string>(&ResSection)) {
            HRSRC found = FindResourceA(module, ResourcePointer(ResIndex), section->c_str());
            if (!found) return;
            HGLOBAL data = LoadResource(module, found);
            const DWORD size = SizeofResource(module, found);
            const auto* p = data ? static_cast<const uint8_t*>(LockResource(data)) : nullptr;
            if (!p || size == 0) return;
            const std::vector<uint8_t> bytes(p, p + size);
            loaded = LoadPicture_Stream(bytes, iconCx, iconCy, streamStart, streamLength, false, iconBitDepth);
            return;
        }
        const int32_t kind = std::get<int32_t>(ResSection);
        const UINT imageType = kind == 0 ? IMAGE_BITMAP : kind == 1 ? IMAGE_ICON : kind == 2 ? IMAGE_CURSOR : 0xFFFF;
        if (imageType == 0xFFFF) return;
        HANDLE handle = LoadImageA(module, ResourcePointer(ResIndex), imageType, 0, 0, 0);
        if (!handle) return;
        // Owned here until a picture takes it.
        rt::Bitmap bitmap(kind == 0 ? static_cast<HBITMAP>(handle) : nullptr);
        rt::IconHandle icon(kind == 0 ? nullptr : static_cast<HICON>(handle));
        PicturePtr picture = PictureFromHandle(handle, kind == 0 ? PICTYPE_BITMAP : PICTYPE_ICON);
        if (!picture) return;
        bitmap.release();
        icon.release();
        loaded = LoadPicture_StdPicture(picture.get());
    });
    rt::Err().Clear();
    return loaded;
}

}  // namespace imaging
