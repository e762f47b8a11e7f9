// The one GDI+ start-up of the program. GDI+ is started on the first Start and shut down when
// the last user has called Stop; the flat API is loaded from the library at run time, so a
// system without it simply has no GDI+. Image objects, the bridge and the token objects of the
// controls all start and stop GDI+ through this service.
#pragma once

#include <objidl.h>
#include <windows.h>

#include <cstdint>
#include <string>
#include <type_traits>

namespace imaging {

namespace gdip {
// The flat API's opaque objects and records, declared here so that no GDI+ header is needed.
struct GpImage;
struct GpGraphics;
struct GpImageAttributes;
struct GpPen;
struct GpBrush;
struct GpPath;
struct GpMatrix;
struct GpRegion;
struct GpFontFamily;
struct GpFontCollection;
struct GpStringFormat;
using GpBitmap = GpImage;
using Status = int;
constexpr Status Ok = 0;

struct RectF {
    float X, Y, Width, Height;
};
struct PointF {
    float X, Y;
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
constexpr int FillModeAlternate = 0;
constexpr int FillModeWinding = 1;
constexpr int SmoothingModeAntiAlias = 4;
constexpr int PixelOffsetModeHighQuality = 2;
constexpr Status NotImplemented = 6;
}  // namespace gdip

struct GdiplusApi {
#define VANTREL_GDIP_FUNCTIONS(X)                                                                           \
    X(GdipCreateBitmapFromScan0, gdip::Status(WINAPI*)(INT, INT, INT, INT, BYTE*, gdip::GpBitmap**))        \
    X(GdipImageRotateFlip, gdip::Status(WINAPI*)(gdip::GpImage*, INT))                                      \
    X(GdipDisposeImage, gdip::Status(WINAPI*)(gdip::GpImage*))                                              \
    X(GdipCreateFromHDC, gdip::Status(WINAPI*)(HDC, gdip::GpGraphics**))                                    \
    X(GdipGetImageGraphicsContext, gdip::Status(WINAPI*)(gdip::GpImage*, gdip::GpGraphics**))               \
    X(GdipDeleteGraphics, gdip::Status(WINAPI*)(gdip::GpGraphics*))                                         \
    X(GdipSetInterpolationMode, gdip::Status(WINAPI*)(gdip::GpGraphics*, INT))                              \
    X(GdipSetPixelOffsetMode, gdip::Status(WINAPI*)(gdip::GpGraphics*, INT))                                \
    X(GdipSetCompositingMode, gdip::Status(WINAPI*)(gdip::GpGraphics*, INT))                                \
    X(GdipCreateImageAttributes, gdip::Status(WINAPI*)(gdip::GpImageAttributes**))                          \
    X(GdipSetImageAttributesColorMatrix,                                                                    \
      gdip::Status(WINAPI*)(gdip::GpImageAttributes*, INT, BOOL, const gdip::ColorMatrix*,                  \
                            const gdip::ColorMatrix*, INT))                                                 \
    X(GdipDisposeImageAttributes, gdip::Status(WINAPI*)(gdip::GpImageAttributes*))                          \
    X(GdipRotateWorldTransform, gdip::Status(WINAPI*)(gdip::GpGraphics*, float, INT))                       \
    X(GdipTranslateWorldTransform, gdip::Status(WINAPI*)(gdip::GpGraphics*, float, float, INT))             \
    X(GdipDrawImageRectRectI,                                                                               \
      gdip::Status(WINAPI*)(gdip::GpGraphics*, gdip::GpImage*, INT, INT, INT, INT, INT, INT, INT, INT, INT, \
                            const gdip::GpImageAttributes*, void*, void*))                                  \
    X(GdipDrawImageRectRect,                                                                                \
      gdip::Status(WINAPI*)(gdip::GpGraphics*, gdip::GpImage*, float, float, float, float, float, float,    \
                            float, float, INT, const gdip::GpImageAttributes*, void*, void*))               \
    X(GdipLoadImageFromFile, gdip::Status(WINAPI*)(const WCHAR*, gdip::GpImage**))                          \
    X(GdipLoadImageFromStream, gdip::Status(WINAPI*)(IStream*, gdip::GpImage**))                            \
    X(GdipGetImageBounds, gdip::Status(WINAPI*)(gdip::GpImage*, gdip::RectF*, INT*))                        \
    X(GdipGetImagePixelFormat, gdip::Status(WINAPI*)(gdip::GpImage*, INT*))                                 \
    X(GdipGetImageEncodersSize, gdip::Status(WINAPI*)(UINT*, UINT*))                                        \
    X(GdipGetImageEncoders, gdip::Status(WINAPI*)(UINT, UINT, gdip::ImageCodecInfo*))                       \
    X(GdipSaveImageToFile, gdip::Status(WINAPI*)(gdip::GpImage*, const WCHAR*, const CLSID*, const void*))  \
    X(GdipSaveImageToStream, gdip::Status(WINAPI*)(gdip::GpImage*, IStream*, const CLSID*, const void*))    \
    X(GdipCreateBitmapFromHBITMAP, gdip::Status(WINAPI*)(HBITMAP, HPALETTE, gdip::GpBitmap**))              \
    X(GdipCreateBitmapFromHICON, gdip::Status(WINAPI*)(HICON, gdip::GpBitmap**))                            \
    X(GdipCreateMetafileFromWmf,                                                                            \
      gdip::Status(WINAPI*)(HMETAFILE, BOOL, const gdip::WmfPlaceableFileHeader*, gdip::GpImage**))         \
    X(GdipCreateMetafileFromEmf, gdip::Status(WINAPI*)(HENHMETAFILE, BOOL, gdip::GpImage**))                \
    X(GdipGetImageWidth, gdip::Status(WINAPI*)(gdip::GpImage*, UINT*))                                      \
    X(GdipGetImageHeight, gdip::Status(WINAPI*)(gdip::GpImage*, UINT*))                                     \
    X(GdipDrawImageRectI, gdip::Status(WINAPI*)(gdip::GpGraphics*, gdip::GpImage*, INT, INT, INT, INT))     \
    X(GdipDrawImageRect,                                                                                    \
      gdip::Status(WINAPI*)(gdip::GpGraphics*, gdip::GpImage*, float, float, float, float))                 \
    X(GdipGetImageThumbnail, gdip::Status(WINAPI*)(gdip::GpImage*, UINT, UINT, gdip::GpImage**, void*, void*))
#define VANTREL_GDIP_MEMBER(name, type) std::type_identity_t<type> name = nullptr;
    VANTREL_GDIP_FUNCTIONS(VANTREL_GDIP_MEMBER)
#undef VANTREL_GDIP_MEMBER
};

// The pens, brushes, paths, matrices, regions and font families of the vector drawing. A table of
// its own: a system whose GDI+ lacks one of these still draws images, it only has no vector shapes.
struct GdiplusShapeApi {
#define VANTREL_GDIP_SHAPE_FUNCTIONS(X)                                                                      \
    X(GdipCreatePen1, gdip::Status(WINAPI*)(UINT32, float, INT, gdip::GpPen**))                              \
    X(GdipDeletePen, gdip::Status(WINAPI*)(gdip::GpPen*))                                                    \
    X(GdipSetPenColor, gdip::Status(WINAPI*)(gdip::GpPen*, UINT32))                                          \
    X(GdipSetPenDashStyle, gdip::Status(WINAPI*)(gdip::GpPen*, INT))                                         \
    X(GdipSetPenWidth, gdip::Status(WINAPI*)(gdip::GpPen*, float))                                           \
    X(GdipGetPenWidth, gdip::Status(WINAPI*)(gdip::GpPen*, float*))                                          \
    X(GdipGetPenColor, gdip::Status(WINAPI*)(gdip::GpPen*, UINT32*))                                         \
    X(GdipGetPenDashStyle, gdip::Status(WINAPI*)(gdip::GpPen*, INT*))                                        \
    X(GdipCreateSolidFill, gdip::Status(WINAPI*)(UINT32, gdip::GpBrush**))                                   \
    X(GdipSetSolidFillColor, gdip::Status(WINAPI*)(gdip::GpBrush*, UINT32))                                  \
    X(GdipGetSolidFillColor, gdip::Status(WINAPI*)(gdip::GpBrush*, UINT32*))                                 \
    X(GdipCreateHatchBrush, gdip::Status(WINAPI*)(INT, UINT32, UINT32, gdip::GpBrush**))                     \
    X(GdipGetHatchStyle, gdip::Status(WINAPI*)(gdip::GpBrush*, INT*))                                        \
    X(GdipGetHatchForegroundColor, gdip::Status(WINAPI*)(gdip::GpBrush*, UINT32*))                           \
    X(GdipGetHatchBackgroundColor, gdip::Status(WINAPI*)(gdip::GpBrush*, UINT32*))                           \
    X(GdipCreateTexture, gdip::Status(WINAPI*)(gdip::GpImage*, INT, gdip::GpBrush**))                        \
    X(GdipCreateTexture2,                                                                                    \
      gdip::Status(WINAPI*)(gdip::GpImage*, INT, float, float, float, float, gdip::GpBrush**))               \
    X(GdipCreateTextureIA, gdip::Status(WINAPI*)(gdip::GpImage*, const gdip::GpImageAttributes*, float,      \
                                                 float, float, float, gdip::GpBrush**))                      \
    X(GdipSetTextureWrapMode, gdip::Status(WINAPI*)(gdip::GpBrush*, INT))                                    \
    X(GdipGetTextureWrapMode, gdip::Status(WINAPI*)(gdip::GpBrush*, INT*))                                   \
    X(GdipSetTextureTransform, gdip::Status(WINAPI*)(gdip::GpBrush*, const gdip::GpMatrix*))                 \
    X(GdipGetTextureTransform, gdip::Status(WINAPI*)(gdip::GpBrush*, gdip::GpMatrix*))                       \
    X(GdipResetTextureTransform, gdip::Status(WINAPI*)(gdip::GpBrush*))                                      \
    X(GdipGetTextureImage, gdip::Status(WINAPI*)(gdip::GpBrush*, gdip::GpImage**))                           \
    X(GdipCreateLineBrushFromRect,                                                                           \
      gdip::Status(WINAPI*)(const gdip::RectF*, UINT32, UINT32, INT, INT, gdip::GpBrush**))                  \
    X(GdipCreateLineBrush,                                                                                   \
      gdip::Status(WINAPI*)(const gdip::PointF*, const gdip::PointF*, UINT32, UINT32, INT, gdip::GpBrush**)) \
    X(GdipSetLineColors, gdip::Status(WINAPI*)(gdip::GpBrush*, UINT32, UINT32))                              \
    X(GdipGetLineColors, gdip::Status(WINAPI*)(gdip::GpBrush*, UINT32*))                                     \
    X(GdipSetLineWrapMode, gdip::Status(WINAPI*)(gdip::GpBrush*, INT))                                       \
    X(GdipGetLineWrapMode, gdip::Status(WINAPI*)(gdip::GpBrush*, INT*))                                      \
    X(GdipCreatePathGradient, gdip::Status(WINAPI*)(const gdip::PointF*, INT, INT, gdip::GpBrush**))         \
    X(GdipCreatePathGradientFromPath, gdip::Status(WINAPI*)(const gdip::GpPath*, gdip::GpBrush**))           \
    X(GdipSetPathGradientCenterColor, gdip::Status(WINAPI*)(gdip::GpBrush*, UINT32))                         \
    X(GdipGetPathGradientCenterColor, gdip::Status(WINAPI*)(gdip::GpBrush*, UINT32*))                        \
    X(GdipSetPathGradientSurroundColorsWithCount,                                                            \
      gdip::Status(WINAPI*)(gdip::GpBrush*, const UINT32*, INT*))                                            \
    X(GdipGetPathGradientSurroundColorsWithCount, gdip::Status(WINAPI*)(gdip::GpBrush*, UINT32*, INT*))      \
    X(GdipSetPathGradientCenterPoint, gdip::Status(WINAPI*)(gdip::GpBrush*, const gdip::PointF*))            \
    X(GdipGetPathGradientCenterPoint, gdip::Status(WINAPI*)(gdip::GpBrush*, gdip::PointF*))                  \
    X(GdipSetPathGradientWrapMode, gdip::Status(WINAPI*)(gdip::GpBrush*, INT))                               \
    X(GdipGetPathGradientWrapMode, gdip::Status(WINAPI*)(gdip::GpBrush*, INT*))                              \
    X(GdipGetBrushType, gdip::Status(WINAPI*)(gdip::GpBrush*, INT*))                                         \
    X(GdipDeleteBrush, gdip::Status(WINAPI*)(gdip::GpBrush*))                                                \
    X(GdipCreatePath, gdip::Status(WINAPI*)(INT, gdip::GpPath**))                                            \
    X(GdipCreatePath2, gdip::Status(WINAPI*)(const gdip::PointF*, const BYTE*, INT, INT, gdip::GpPath**))    \
    X(GdipClonePath, gdip::Status(WINAPI*)(gdip::GpPath*, gdip::GpPath**))                                   \
    X(GdipDeletePath, gdip::Status(WINAPI*)(gdip::GpPath*))                                                  \
    X(GdipResetPath, gdip::Status(WINAPI*)(gdip::GpPath*))                                                   \
    X(GdipSetPathFillMode, gdip::Status(WINAPI*)(gdip::GpPath*, INT))                                        \
    X(GdipGetPathFillMode, gdip::Status(WINAPI*)(gdip::GpPath*, INT*))                                       \
    X(GdipAddPathArc, gdip::Status(WINAPI*)(gdip::GpPath*, float, float, float, float, float, float))        \
    X(GdipAddPathBezier,                                                                                     \
      gdip::Status(WINAPI*)(gdip::GpPath*, float, float, float, float, float, float, float, float))          \
    X(GdipAddPathBeziers, gdip::Status(WINAPI*)(gdip::GpPath*, const gdip::PointF*, INT))                    \
    X(GdipAddPathCurve2, gdip::Status(WINAPI*)(gdip::GpPath*, const gdip::PointF*, INT, float))              \
    X(GdipAddPathLine, gdip::Status(WINAPI*)(gdip::GpPath*, float, float, float, float))                     \
    X(GdipAddPathLine2, gdip::Status(WINAPI*)(gdip::GpPath*, const gdip::PointF*, INT))                      \
    X(GdipAddPathEllipseI, gdip::Status(WINAPI*)(gdip::GpPath*, INT, INT, INT, INT))                         \
    X(GdipAddPathPath, gdip::Status(WINAPI*)(gdip::GpPath*, const gdip::GpPath*, BOOL))                      \
    X(GdipAddPathRectangle, gdip::Status(WINAPI*)(gdip::GpPath*, float, float, float, float))                \
    X(GdipAddPathPie, gdip::Status(WINAPI*)(gdip::GpPath*, float, float, float, float, float, float))        \
    X(GdipAddPathPolygon, gdip::Status(WINAPI*)(gdip::GpPath*, const gdip::PointF*, INT))                    \
    X(GdipAddPathString, gdip::Status(WINAPI*)(gdip::GpPath*, const WCHAR*, INT, const gdip::GpFontFamily*,  \
                                               INT, float, const gdip::RectF*, const gdip::GpStringFormat*)) \
    X(GdipSetPathMarker, gdip::Status(WINAPI*)(gdip::GpPath*))                                               \
    X(GdipClearPathMarkers, gdip::Status(WINAPI*)(gdip::GpPath*))                                            \
    X(GdipClosePathFigure, gdip::Status(WINAPI*)(gdip::GpPath*))                                             \
    X(GdipClosePathFigures, gdip::Status(WINAPI*)(gdip::GpPath*))                                            \
    X(GdipGetPointCount, gdip::Status(WINAPI*)(gdip::GpPath*, INT*))                                         \
    X(GdipGetPathPoints, gdip::Status(WINAPI*)(gdip::GpPath*, gdip::PointF*, INT))                           \
    X(GdipGetPathTypes, gdip::Status(WINAPI*)(gdip::GpPath*, BYTE*, INT))                                    \
    X(GdipGetPathWorldBounds,                                                                                \
      gdip::Status(WINAPI*)(gdip::GpPath*, gdip::RectF*, const gdip::GpMatrix*, const gdip::GpPen*))         \
    X(GdipWindingModeOutline, gdip::Status(WINAPI*)(gdip::GpPath*, gdip::GpMatrix*, float))                  \
    X(GdipFlattenPath, gdip::Status(WINAPI*)(gdip::GpPath*, gdip::GpMatrix*, float))                         \
    X(GdipTransformPath, gdip::Status(WINAPI*)(gdip::GpPath*, gdip::GpMatrix*))                              \
    X(GdipIsVisiblePathPoint, gdip::Status(WINAPI*)(gdip::GpPath*, float, float, gdip::GpGraphics*, BOOL*))  \
    X(GdipFillPath, gdip::Status(WINAPI*)(gdip::GpGraphics*, gdip::GpBrush*, gdip::GpPath*))                 \
    X(GdipDrawPath, gdip::Status(WINAPI*)(gdip::GpGraphics*, gdip::GpPen*, gdip::GpPath*))                   \
    X(GdipSetSmoothingMode, gdip::Status(WINAPI*)(gdip::GpGraphics*, INT))                                   \
    X(GdipSetWorldTransform, gdip::Status(WINAPI*)(gdip::GpGraphics*, gdip::GpMatrix*))                      \
    X(GdipGetWorldTransform, gdip::Status(WINAPI*)(gdip::GpGraphics*, gdip::GpMatrix*))                      \
    X(GdipCreateMatrix, gdip::Status(WINAPI*)(gdip::GpMatrix**))                                             \
    X(GdipCreateMatrix2, gdip::Status(WINAPI*)(float, float, float, float, float, float, gdip::GpMatrix**))  \
    X(GdipCloneMatrix, gdip::Status(WINAPI*)(gdip::GpMatrix*, gdip::GpMatrix**))                             \
    X(GdipDeleteMatrix, gdip::Status(WINAPI*)(gdip::GpMatrix*))                                              \
    X(GdipGetMatrixElements, gdip::Status(WINAPI*)(const gdip::GpMatrix*, float*))                           \
    X(GdipSetMatrixElements,                                                                                 \
      gdip::Status(WINAPI*)(gdip::GpMatrix*, float, float, float, float, float, float))                      \
    X(GdipTranslateMatrix, gdip::Status(WINAPI*)(gdip::GpMatrix*, float, float, INT))                        \
    X(GdipScaleMatrix, gdip::Status(WINAPI*)(gdip::GpMatrix*, float, float, INT))                            \
    X(GdipRotateMatrix, gdip::Status(WINAPI*)(gdip::GpMatrix*, float, INT))                                  \
    X(GdipCreateRegionPath, gdip::Status(WINAPI*)(gdip::GpPath*, gdip::GpRegion**))                          \
    X(GdipGetRegionHRgn, gdip::Status(WINAPI*)(gdip::GpRegion*, gdip::GpGraphics*, HRGN*))                   \
    X(GdipDeleteRegion, gdip::Status(WINAPI*)(gdip::GpRegion*))                                              \
    X(GdipCreateFontFamilyFromName,                                                                          \
      gdip::Status(WINAPI*)(const WCHAR*, gdip::GpFontCollection*, gdip::GpFontFamily**))                    \
    X(GdipGetGenericFontFamilySerif, gdip::Status(WINAPI*)(gdip::GpFontFamily**))                            \
    X(GdipDeleteFontFamily, gdip::Status(WINAPI*)(gdip::GpFontFamily*))                                      \
    X(GdipStringFormatGetGenericDefault, gdip::Status(WINAPI*)(gdip::GpStringFormat**))                      \
    X(GdipCloneImage, gdip::Status(WINAPI*)(gdip::GpImage*, gdip::GpImage**))
#define VANTREL_GDIP_MEMBER(name, type) std::type_identity_t<type> name = nullptr;
    VANTREL_GDIP_SHAPE_FUNCTIONS(VANTREL_GDIP_MEMBER)
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
    // The vector drawing table while GDI+ runs and `token` is its token; nullptr otherwise, and
    // also when the library lacks one of its functions.
    const GdiplusShapeApi* ShapeApi(ULONG_PTR token) const;
    bool Running() const { return token_ != 0; }
    int References() const { return references_; }

    // Tests point the service at another library name to see a system without GDI+.
    void SetLibraryName(std::string name) { library_ = std::move(name); }
    const std::string& LibraryName() const { return library_; }
    // Tests look at (and may wrap) the functions each start loads: the filter runs on both tables
    // after every load, before anything is called through them (a vector function it clears
    // makes that table incomplete). nullptr removes it.
    using TableFilter = void (*)(GdiplusApi& images, GdiplusShapeApi& shapes);
    void SetTableFilter(TableFilter filter) { filter_ = filter; }

private:
    GdiplusService() = default;
    std::string library_ = "gdiplus.dll";
    HMODULE module_ = nullptr;
    ULONG_PTR token_ = 0;
    int references_ = 0;
    GdiplusApi api_;
    GdiplusShapeApi shapeApi_;
    bool shapesComplete_ = false;
    TableFilter filter_ = nullptr;
    void(WINAPI* shutdown_)(ULONG_PTR) = nullptr;
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
