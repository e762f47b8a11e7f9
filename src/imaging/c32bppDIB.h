// The image object: one picture as a 32-bit bottom-up DIB section with premultiplied alpha, its
// loading members, and drawing onto a device context or into another image object through the
// platform's AlphaBlend, GDI+ or the object's own pipeline.
#pragma once

#include <windows.h>
#include <ocidl.h>

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "imaging/dib_target.h"
#include "imaging/pixels/image_math.h"
#include "imaging/pixels/pixel_access.h"
#include "imaging/pixels/soft_render.h"
#include "runtime/handles.h"

class aicAlphaImage;

namespace imaging {

class cGDIPlus;
class cBMPparser;

// What GetVersionEx reports; tests inject one to see the capability rules.
struct SystemVersion {
    uint32_t platformId = 2;
    uint32_t major = 6;
    uint32_t minor = 1;
    uint32_t servicePackMajor = 0;
};

// Which way the last Render call drew (tests and diagnostics).
enum class RenderPath { None, AlphaBlend, GdiPlus, Rotated, Own };

// A resource named by number or by text.
using ResourceName = std::variant<int32_t, std::string>;
// A resource section: a section name for raw bytes, or a picture kind (0 bitmap, 1 icon, 2 cursor).
using ResourceSection = std::variant<int32_t, std::string>;

class c32bppDIB final : public DibTarget {
public:
    c32bppDIB();
    explicit c32bppDIB(const SystemVersion& version);
    c32bppDIB(const c32bppDIB&) = delete;
    c32bppDIB& operator=(const c32bppDIB&) = delete;
    ~c32bppDIB() override;

    // Loading.
    bool LoadPicture_File(const std::string& Filename, int32_t iconCx = 0, int32_t iconCy = 0, bool SaveFormat = false,
                          int32_t iconBitDepth = 32);
    bool LoadPicture_Stream(const std::vector<uint8_t>& inStream, int32_t iconCx = 0, int32_t iconCy = 0,
                            int32_t streamStart = 0, int32_t streamLength = 0, bool SaveFormat = false,
                            int32_t iconBitDepth = 32);
    // `ResourceSource` is the module holding the resources; nullptr = the program itself.
    bool LoadPicture_Resource(const ResourceName& ResIndex, const ResourceSection& ResSection,
                              HMODULE ResourceSource = nullptr, int32_t iconCx = 0, int32_t iconCy = 0,
                              int32_t streamStart = 0, int32_t streamLength = 0, int32_t iconBitDepth = 32);
    bool LoadPicture_StdPicture(IPicture* Picture);
    bool LoadPicture_ByHandle(HANDLE Handle);
    bool LoadPicture_ClipBoard();
    bool LoadPicture_FromOrignalFormat(int32_t iconCx = 0, int32_t iconCy = 0, int32_t iconBitDepth = 32);
    bool GetOrginalFormat(std::vector<uint8_t>& outStream) const;

    // State.
    bool Alpha() const { return alpha_; }
    void HighQualityInterpolation(bool Value) { highQuality_ = Value; }
    bool HighQualityInterpolation() const { return highQuality_; }
    int32_t ImageType() const { return imageType_; }
    int32_t Width() const override { return width_; }
    int32_t Height() const override { return height_; }
    uint8_t* BitsPointer() const { return bits_; }
    int32_t scanWidth() const { return width_ * 4; }
    HBITMAP Handle() const { return section_.get(); }
    HDC LoadDIBinDC(bool bLoad);
    void ManageOwnDC(bool bManage);
    bool ManageOwnDC() const { return manageDC_; }
    bool isAlphaBlendFriendly() const { return (flags_ & capAlphaBlendUsable) != 0; }
    void isAlphaBlendFriendly(bool Enabled);
    bool isGDIplusEnabled() const { return (flags_ & capGdiPlusEnabled) != 0; }
    void isGDIplusEnabled(bool Enabled);
    bool isZlibEnabled() const;
    void gdiToken(ULONG_PTR Token) { token_ = Token; }
    ULONG_PTR gdiToken() const { return token_; }
    int32_t CapabilityFlags() const { return flags_; }

    // Lifecycle.
    bool InitializeDIB(int32_t Width, int32_t Height) override;
    void DestroyDIB() override;
    void EraseDIB();

    // Drawing. Mirrors on negative sizes; Opacity in percent; grayScale -1 = colour.
    bool Render(HDC destinationDC, int32_t DestX = 0, int32_t DestY = 0, int32_t DestWidth = 0, int32_t DestHeight = 0,
                int32_t SrcX = 0, int32_t SrcY = 0, int32_t SrcWidth = 0, int32_t SrcHeight = 0, int32_t Opacity = 100,
                bool Blend = true, bool SetHalfTone = true, c32bppDIB* destHostDIB = nullptr,
                int32_t grayScale = -1, float LightAdjustment = 0, float Angle = 0, bool CenterOnDestXY = false);
    RenderPath LastRenderPath() const { return lastPath_; }

    // Pixel access, regions and copies. Coordinates count from the top-left pixel.
    // Colour as red + green * 256 + blue * 65536 (divided back by alpha unless asPreMultiplied),
    // -1 outside the picture.
    int32_t GetPixel(int32_t x, int32_t y, int32_t* AlphaValue = nullptr, bool asPreMultiplied = false) const;
    bool GetDIBbits(PixelBytes& outStream, bool as2dArray = true, bool asBGRformat = true, bool as32bpp = true,
                    bool asWordAligned = true, bool asBottomUp = true, int32_t x = 0, int32_t y = 0,
                    int32_t Width = 0, int32_t Height = 0, bool asPreMultiplied = true) const;
    bool SetDIBbits(const std::vector<uint8_t>& inStream, bool isBGRformat = true, bool is32bpp = true,
                    bool isWordAligned = true, bool isBottomUp = true, int32_t dstx = 0, int32_t dsty = 0,
                    int32_t dstwidth = 0, int32_t dstheight = 0);
    // A region of the visible pixels (Style 0 bounding box, 1 row spans, 2 runs), moved by the
    // offsets; 0 when there is none. The caller owns and deletes it.
    HRGN CreateRegion(int32_t Style = 0, int32_t xOffset = 0, int32_t yOffset = 0) const;
    // Copies the picture into `cDIBclass`, scaled to newWidth x newHeight (0: the own size,
    // negative: mirrored); true when the copy was made. The second form makes the target when
    // it is empty and hands it to the caller.
    bool CopyImageTo(c32bppDIB& cDIBclass, int32_t newWidth = 0, int32_t newHeight = 0,
                     bool CopyOriginalFormat = false);
    bool CopyImageTo(std::unique_ptr<c32bppDIB>& cDIBclass, int32_t newWidth = 0, int32_t newHeight = 0,
                     bool CopyOriginalFormat = false);

    // Effects. Colours have red in the low byte.
    bool MakeImageInverse();
    bool MakeTransparent(int32_t TransparentColor, bool Revert = false);
    bool MirrorImage(bool MirrorAxisX, bool MirrorAxisY);
    std::unique_ptr<c32bppDIB> CreateDropShadow(int32_t blurDepth = 4, int32_t Color = 0xC0C0C0) const;
    bool RenderDropShadow_JIT(HDC hdc, int32_t x, int32_t y, int32_t blurDepth = 4, int32_t Color = 0xC0C0C0,
                              int32_t Opacity = 50) const;
    bool CreateCheckerBoard(int32_t CheckerSize = 12, int32_t FirstColor = 0xFFFFFF, int32_t SecondColor = 0xC0C0C0);

    // Saving and file lists.
    bool SaveToStream(std::vector<uint8_t>& outStream);
    bool SaveToStream_PNG(std::vector<uint8_t>& outStream);
    // Width, height, bits per pixel and colour code of each icon in the kept source bytes.
    int32_t SourceIconSizes(std::vector<std::array<int32_t, 4>>& sizeArray) const;
    // Unicode names of the files of a drop; `Files` (the drop's own list) is refilled.
    bool GetDroppedFileNames(IDataObject* OLEDragDrop_DataObject, std::vector<std::wstring>& Files) const;
    // Names of the files on the clipboard; their number.
    int32_t GetPastedFileNames(std::vector<std::wstring>& ListOfFiles) const;

    // DibTarget.
    bool HasPicture() const override { return static_cast<bool>(section_); }
    uint8_t* Bits() override { return bits_; }

private:
    friend class cGDIPlus;
    friend class cBMPparser;
    friend class ::aicAlphaImage;

    // Friend setters: the readers reach the first two through DibTarget.
    void SetAlpha(bool alpha) override { alpha_ = alpha; }
    void SetImageType(int32_t type) override { imageType_ = type; }
    void SetOriginalBytes(const std::vector<uint8_t>& bytes) { sourceBytes_ = bytes; }

    // A new object with this one's GDI+ state, interpolation and token, made without a GDI+ test.
    struct SiblingOf {
        const c32bppDIB& source;
    };
    explicit c32bppDIB(SiblingOf sibling);

    void InitCapabilities(const SystemVersion& version);
    ImageView View() const { return ImageView{bits_, width_, height_}; }
    bool LoadImageData(HANDLE file, const std::string& fileName, std::vector<uint8_t>& bytes, int32_t iconCx,
                       int32_t iconCy, int32_t start, int32_t length, bool SaveFormat, int32_t iconBitDepth);
    bool BlendOntoDC(HDC destinationDC, PixelArray& pixels, int32_t SrcX, int32_t SrcY, int32_t DestX, int32_t DestY,
                     int32_t DestWidth, int32_t DestHeight, uint8_t constantAlpha, c32bppDIB* destHostDIB,
                     int32_t grayScale, float LightAdjustment, bool clipArray);
    bool RenderRotated(HDC destinationDC, float Angle, int32_t DestX, int32_t DestY, int32_t DestWidth,
                       int32_t DestHeight, int32_t SrcX, int32_t SrcY, int32_t SrcWidth, int32_t SrcHeight,
                       int32_t opacity, c32bppDIB* destHostDIB, int32_t grayScale, float LightAdjustment);

    bool highQuality_ = false;
    rt::Bitmap section_;
    uint8_t* bits_ = nullptr;
    int32_t height_ = 0;
    int32_t width_ = 0;
    rt::CreatedDC ownDC_;
    HGDIOBJ displaced_ = nullptr;
    int32_t flags_ = 0;
    int32_t imageType_ = imgBlank;
    bool manageDC_ = false;
    bool alpha_ = false;
    ULONG_PTR token_ = 0;
    std::vector<uint8_t> sourceBytes_;
    RenderPath lastPath_ = RenderPath::None;
};

// The message shown when the PNG step of loading leaves an error pending. Tests replace it.
using LoadErrorNotifier = void (*)(const std::string& description);
void SetLoadErrorNotifier(LoadErrorNotifier notifier);

}  // namespace imaging
