// The image object: one picture as a 32-bit bottom-up DIB section with premultiplied alpha, its
// loading members, and drawing onto a device context or into another image object through the
// platform's AlphaBlend, GDI+ or the object's own pipeline.
#pragma once

#include <windows.h>
#include <ocidl.h>

#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "imaging/dib_target.h"
#include "imaging/pixels/image_math.h"
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
