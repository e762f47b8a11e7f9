// One GDI+ pen and one GDI+ brush, made, changed and deleted on request: the outline and the fill
// of a vector shape. Colours are GDI+ colours (alpha in the top byte, then red, green, blue);
// ConvertColorToGDIplusColor makes them from an OLE colour and an opacity.
//
// A creating operation whose arguments are out of range keeps the old pen or brush; once they are
// in range the old one is deleted first, so a creation GDI+ refuses leaves none. A result of
// nullptr means nothing was done or GDI+ refused. Without GDI+ nothing is ever created.
#pragma once

#include <windows.h>
// after windows.h
#include <objidl.h>

#include <cstdint>
#include <optional>

#include "controls/alpha/cGDIpToken.h"
#include "imaging/gdiplus_owner.h"
#include "runtime/picture.h"
#include "runtime/win.h"

namespace controls {

class GDIpPenBrush {
public:
    using GpPen = imaging::gdip::GpPen;
    using GpBrush = imaging::gdip::GpBrush;
    using GpImage = imaging::gdip::GpImage;
    using GpMatrix = imaging::gdip::GpMatrix;
    using GpPath = imaging::gdip::GpPath;
    using GpImageAttributes = imaging::gdip::GpImageAttributes;

    // GDI+ brush types.
    enum : int32_t {
        BrushSolid = 0,
        BrushHatch = 1,
        BrushTexture = 2,
        BrushPathGradient = 3,
        BrushLinearGradient = 4
    };

    GDIpPenBrush();
    ~GDIpPenBrush();
    GDIpPenBrush(const GDIpPenBrush&) = delete;
    GDIpPenBrush& operator=(const GDIpPenBrush&) = delete;

    GpPen* PenHandle() const noexcept { return pen_.get(); }
    GpBrush* BrushHandle() const noexcept { return brush_.get(); }
    // The brush's GDI+ type; -1 without a brush.
    int32_t BrushType() const;
    // A texture brush's image as a new GDI+ image the caller disposes of; nullptr for other brushes.
    GpImage* TextureBrushImage() const;

    GpBrush* SetBrushColors(uint32_t Color1, uint32_t Color2);
    GpBrush* SetBrushWrapMode(int32_t WrapMode);
    GpPen* SetPenColor(uint32_t Color);
    GpPen* SetPenStyle(int32_t Style);
    GpPen* SetPenWidth(float Width);
    // Texture brushes only: the matrix becomes the texture's transform; nullptr resets it.
    bool SetTextureBrushTransformation(GpMatrix* MatrixGDIp);

    GpPen* CreatePen(int32_t Width, int32_t Style, uint32_t Color);
    GpBrush* CreateHatchBrush(int32_t Style, uint32_t ForeColor, uint32_t BackColor);
    GpBrush* CreateTextureBrushHImage(GpImage* hImageGDIp, int32_t WrapMode,
                                      GpImageAttributes* hAttributesGDIp = nullptr,
                                      std::optional<float> SrcX = {}, std::optional<float> SrcY = {},
                                      std::optional<float> SrcWidth = {},
                                      std::optional<float> SrcHeight = {});
    GpBrush* CreateTextureBrushStdPicture(const rt::Picture& Picture, int32_t WrapMode,
                                          GpImageAttributes* hAttributesGDIp = nullptr,
                                          std::optional<float> SrcX = {}, std::optional<float> SrcY = {},
                                          std::optional<float> SrcWidth = {},
                                          std::optional<float> SrcHeight = {});
    GpBrush* CreateGradientBrushRect(float x, float y, float Width, float Height, uint32_t GradientStartColor,
                                     uint32_t GradientStopColor, int32_t Style, int32_t WrapMode);
    GpBrush* CreateGradientBrushLine(float X1, float Y1, float X2, float Y2, uint32_t GradientStartColor,
                                     uint32_t GradientStopColor, int32_t Style, int32_t WrapMode);
    GpBrush* CreateGradientRadialPath(GpPath* hPathGDIp, float RadialCenterX, float RadialCenterY,
                                      uint32_t GradientStartColor, uint32_t GradientStopColor,
                                      int32_t WrapMode);
    GpBrush* CreateGradientRadialRect(float Left, float Top, float Width, float Height, float RadialCenterX,
                                      float RadialCenterY, uint32_t GradientStartColor,
                                      uint32_t GradientStopColor, int32_t WrapMode);
    GpBrush* CreateSolidBrush(uint32_t Color);

    // An OLE colour (system colours resolved) with Opacity 0 (clear) to 255 (opaque) as alpha.
    static uint32_t ConvertColorToGDIplusColor(int32_t Color, int32_t Opacity);

    void DestroyPen();
    void DestroyBrush();

    // A stream holding the picture in its file form; nullptr when it has none. Bitmaps made from a
    // handle are written as a BMP from their bits.
    static rt::ComPtr<IStream> PictureToStream(const rt::Picture& Picture);
    // A memory stream over a copy of the bytes (data nullptr: an empty growable one).
    static rt::ComPtr<IStream> BytesToStream(const void* data, size_t length);

private:
    const imaging::GdiplusShapeApi* shapes() const;
    // The brush or the pen when a step on it succeeded.
    GpBrush* BrushIfOk(imaging::gdip::Status status) const noexcept {
        return status == imaging::gdip::Ok ? brush_.get() : nullptr;
    }
    GpPen* PenIfOk(imaging::gdip::Status status) const noexcept {
        return status == imaging::gdip::Ok ? pen_.get() : nullptr;
    }
    // A radial brush's colours, from the centre to the edge, and its centre.
    void ColourRadial(const imaging::GdiplusShapeApi& api, float centreX, float centreY,
                      uint32_t centreColour, uint32_t edgeColour);
    GpBrush* TextureFromImage(GpImage* image, const imaging::gdip::RectF& bounds, int32_t WrapMode,
                              GpImageAttributes* attributes, std::optional<float> SrcX,
                              std::optional<float> SrcY, std::optional<float> SrcWidth,
                              std::optional<float> SrcHeight);

    GdipTokenRef token_;  // held until the pen and the brush have gone
    imaging::GdipPen pen_;
    imaging::GdipBrush brush_;
};

}  // namespace controls
