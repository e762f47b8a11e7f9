// The one GDI+ start-up of the program. GDI+ is started on the first Start and shut down when
// the last user has called Stop; the flat API is loaded from the library at run time, so a
// system without it simply has no GDI+. Image objects, the bridge and the token objects of the
// controls all start and stop GDI+ through this service.
#pragma once

#include <windows.h>
#include <objidl.h>

#include <cstdint>
#include <string>
#include <type_traits>

namespace imaging {

namespace gdip {
// The flat API's opaque objects and records, declared here so that no GDI+ header is needed.
struct GpImage;
struct GpGraphics;
struct GpImageAttributes;
using GpBitmap = GpImage;
using Status = int;
constexpr Status Ok = 0;

struct RectF {
    float X, Y, Width, Height;
};
struct ColorMatrix {
    float m[5][5];
};
struct StartupInput {
    UINT32 GdiplusVersion = 1;
    void* DebugEventCallback = nullptr;
    BOOL SuppressBackgroundThread = FALSE;
    BOOL SuppressExternalCodecs = FALSE;
};
struct ImageCodecInfo {
    CLSID Clsid;
    GUID FormatID;
    const WCHAR* CodecName;
    const WCHAR* DllName;
    const WCHAR* FormatDescription;
    const WCHAR* FilenameExtension;
    const WCHAR* MimeType;
    DWORD Flags;
    DWORD Version;
    DWORD SigCount;
    DWORD SigSize;
    const BYTE* SigPattern;
    const BYTE* SigMask;
};

// The 22-byte placeable metafile header, packed as in a file.
#pragma pack(push, 2)
struct WmfPlaceableFileHeader {
    UINT32 Key;
    INT16 Hmf;
    INT16 Left, Top, Right, Bottom;
    INT16 Inch;
    UINT32 Reserved;
    INT16 Checksum;
};
#pragma pack(pop)
static_assert(sizeof(WmfPlaceableFileHeader) == 22);

constexpr int PixelFormat24bppRGB = 0x21808;
constexpr int PixelFormat32bppRGB = 0x22009;
constexpr int PixelFormat32bppARGB = 0x26200A;
constexpr int PixelFormat32bppPARGB = 0xE200B;
constexpr int UnitPixel = 2;
constexpr int InterpolationModeNearestNeighbor = 5;
constexpr int InterpolationModeHighQualityBicubic = 7;
constexpr int PixelOffsetModeHalf = 4;
constexpr int CompositingModeSourceCopy = 1;
constexpr int ColorAdjustTypeBitmap = 1;
constexpr int MatrixOrderPrepend = 0;
constexpr int MatrixOrderAppend = 1;
}  // namespace gdip

struct GdiplusApi {
#define VANTREL_GDIP_FUNCTIONS(X)                                                                               \
    X(GdipCreateBitmapFromScan0, gdip::Status(WINAPI*)(INT, INT, INT, INT, BYTE*, gdip::GpBitmap**))           \
    X(GdipImageRotateFlip, gdip::Status(WINAPI*)(gdip::GpImage*, INT))                                         \
    X(GdipDisposeImage, gdip::Status(WINAPI*)(gdip::GpImage*))                                                 \
    X(GdipCreateFromHDC, gdip::Status(WINAPI*)(HDC, gdip::GpGraphics**))                                       \
    X(GdipGetImageGraphicsContext, gdip::Status(WINAPI*)(gdip::GpImage*, gdip::GpGraphics**))                  \
    X(GdipDeleteGraphics, gdip::Status(WINAPI*)(gdip::GpGraphics*))                                            \
    X(GdipSetInterpolationMode, gdip::Status(WINAPI*)(gdip::GpGraphics*, INT))                                 \
    X(GdipSetPixelOffsetMode, gdip::Status(WINAPI*)(gdip::GpGraphics*, INT))                                   \
    X(GdipSetCompositingMode, gdip::Status(WINAPI*)(gdip::GpGraphics*, INT))                                   \
    X(GdipCreateImageAttributes, gdip::Status(WINAPI*)(gdip::GpImageAttributes**))                             \
    X(GdipSetImageAttributesColorMatrix,                                                                       \
      gdip::Status(WINAPI*)(gdip::GpImageAttributes*, INT, BOOL, const gdip::ColorMatrix*,                     \
                            const gdip::ColorMatrix*, INT))                                                    \
    X(GdipDisposeImageAttributes, gdip::Status(WINAPI*)(gdip::GpImageAttributes*))                             \
    X(GdipRotateWorldTransform, gdip::Status(WINAPI*)(gdip::GpGraphics*, float, INT))                          \
    X(GdipTranslateWorldTransform, gdip::Status(WINAPI*)(gdip::GpGraphics*, float, float, INT))                \
    X(GdipDrawImageRectRectI,                                                                                  \
      gdip::Status(WINAPI*)(gdip::GpGraphics*, gdip::GpImage*, INT, INT, INT, INT, INT, INT, INT, INT, INT,    \
                            const gdip::GpImageAttributes*, void*, void*))                                     \
    X(GdipDrawImageRectRect,                                                                                   \
      gdip::Status(WINAPI*)(gdip::GpGraphics*, gdip::GpImage*, float, float, float, float, float, float,       \
                            float, float, INT, const gdip::GpImageAttributes*, void*, void*))                  \
    X(GdipLoadImageFromFile, gdip::Status(WINAPI*)(const WCHAR*, gdip::GpImage**))                             \
    X(GdipLoadImageFromStream, gdip::Status(WINAPI*)(IStream*, gdip::GpImage**))                               \
    X(GdipGetImageBounds, gdip::Status(WINAPI*)(gdip::GpImage*, gdip::RectF*, INT*))                           \
    X(GdipGetImagePixelFormat, gdip::Status(WINAPI*)(gdip::GpImage*, INT*))                                    \
    X(GdipGetImageEncodersSize, gdip::Status(WINAPI*)(UINT*, UINT*))                                           \
    X(GdipGetImageEncoders, gdip::Status(WINAPI*)(UINT, UINT, gdip::ImageCodecInfo*))                          \
    X(GdipSaveImageToFile, gdip::Status(WINAPI*)(gdip::GpImage*, const WCHAR*, const CLSID*, const void*))     \
    X(GdipSaveImageToStream, gdip::Status(WINAPI*)(gdip::GpImage*, IStream*, const CLSID*, const void*))      \
    X(GdipCreateBitmapFromHBITMAP, gdip::Status(WINAPI*)(HBITMAP, HPALETTE, gdip::GpBitmap**))                 \
    X(GdipCreateBitmapFromHICON, gdip::Status(WINAPI*)(HICON, gdip::GpBitmap**))                               \
    X(GdipCreateMetafileFromWmf,                                                                               \
      gdip::Status(WINAPI*)(HMETAFILE, BOOL, const gdip::WmfPlaceableFileHeader*, gdip::GpImage**))            \
    X(GdipCreateMetafileFromEmf, gdip::Status(WINAPI*)(HENHMETAFILE, BOOL, gdip::GpImage**))                   \
    X(GdipGetImageWidth, gdip::Status(WINAPI*)(gdip::GpImage*, UINT*))                                         \
    X(GdipGetImageHeight, gdip::Status(WINAPI*)(gdip::GpImage*, UINT*))                                        \
    X(GdipDrawImageRectI, gdip::Status(WINAPI*)(gdip::GpGraphics*, gdip::GpImage*, INT, INT, INT, INT))        \
    X(GdipDrawImageRect, gdip::Status(WINAPI*)(gdip::GpGraphics*, gdip::GpImage*, float, float, float, float)) \
    X(GdipGetImageThumbnail, gdip::Status(WINAPI*)(gdip::GpImage*, UINT, UINT, gdip::GpImage**, void*, void*))
#define VANTREL_GDIP_MEMBER(name, type) std::type_identity_t<type> name = nullptr;
    VANTREL_GDIP_FUNCTIONS(VANTREL_GDIP_MEMBER)
#undef VANTREL_GDIP_MEMBER
};

class GdiplusService {
public:
    static GdiplusService& Instance();

    // The library loads and exports "GdiplusStartup" (no start-up is made).
    bool Available() const;
    // Starts GDI+ on first use; `token` receives the running start-up's token. False (token 0)
    // when GDI+ cannot be started.
    bool Start(ULONG_PTR& token);
    // Gives one Start back; the last one shuts GDI+ down. A token that is not the running one
    // is ignored.
    void Stop(ULONG_PTR token);
    // The flat API while GDI+ runs and `token` is its token; nullptr otherwise.
    const GdiplusApi* Api(ULONG_PTR token) const;
    bool Running() const { return token_ != 0; }
    int References() const { return references_; }

    // Tests point the service at another library name to see a system without GDI+.
    void SetLibraryName(std::string name) { library_ = std::move(name); }
    const std::string& LibraryName() const { return library_; }

private:
    GdiplusService() = default;
    std::string library_ = "gdiplus.dll";
    HMODULE module_ = nullptr;
    ULONG_PTR token_ = 0;
    int references_ = 0;
    GdiplusApi api_;
    void (WINAPI* shutdown_)(ULONG_PTR) = nullptr;
};

// One operation's use of GDI+: a lent token is used as it is; with none, GDI+ is started for the
// operation and stopped when the session ends.
class GdiplusSession {
public:
    explicit GdiplusSession(ULONG_PTR lentToken);
    GdiplusSession(const GdiplusSession&) = delete;
    GdiplusSession& operator=(const GdiplusSession&) = delete;
    ~GdiplusSession();
    const GdiplusApi* api() const { return api_; }
    explicit operator bool() const { return api_ != nullptr; }
    ULONG_PTR token() const { return token_; }

private:
    ULONG_PTR token_ = 0;
    bool own_ = false;
    const GdiplusApi* api_ = nullptr;
};

}  // namespace imaging
