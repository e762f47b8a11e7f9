#include "controls/alpha/GDIpPenBrush.h"

#include <olectl.h>

#include <cstring>
#include <iterator>
#include <vector>

#include "runtime/dib.h"

namespace controls {

namespace gdip = imaging::gdip;

namespace {

bool ValidWrapMode(int32_t w) {
    return w >= 0 && w <= 4;
}
bool ValidDashStyle(int32_t s) {
    return s >= 0 && s <= 4;
}

// A bitmap picture in BMP file form, from its bits (32 bits per pixel, bottom-up).
std::vector<BYTE> BitmapFileBytes(HBITMAP bitmap) {
    BITMAP bm{};
    if (!bitmap || !GetObjectA(bitmap, sizeof bm, &bm) || bm.bmWidth <= 0 || bm.bmHeight <= 0) return {};
    BITMAPINFO info = rt::DibHeader(bm.bmWidth, bm.bmHeight, 32, true);
    const size_t pixelBytes = static_cast<size_t>(bm.bmWidth) * static_cast<size_t>(bm.bmHeight) * 4;
    const size_t offset = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
    std::vector<BYTE> file(offset + pixelBytes);
    const rt::ScreenDC screen;
    const int lines = GetDIBits(screen.get(), bitmap, 0, static_cast<UINT>(bm.bmHeight), file.data() + offset,
                                &info, DIB_RGB_COLORS);
    if (lines != bm.bmHeight) return {};
    info.bmiHeader.biSizeImage = static_cast<DWORD>(pixelBytes);
    BITMAPFILEHEADER header{};
    header.bfType = 0x4D42;  // "BM"
    header.bfSize = static_cast<DWORD>(file.size());
    header.bfOffBits = static_cast<DWORD>(offset);
    std::memcpy(file.data(), &header, sizeof header);
    std::memcpy(file.data() + sizeof header, &info.bmiHeader, sizeof info.bmiHeader);
    return file;
}

}  // namespace

GDIpPenBrush::GDIpPenBrush() = default;

GDIpPenBrush::~GDIpPenBrush() {
    DestroyPen();
    DestroyBrush();
}

const imaging::GdiplusShapeApi* GDIpPenBrush::shapes() const {
    return token_->Shapes();
}

int32_t GDIpPenBrush::BrushType() const {
    auto* api = shapes();
    INT type = -1;
    if (!api || !brush_ || api->GdipGetBrushType(brush_.get(), &type) != gdip::Ok) return -1;
    return type;
}

GDIpPenBrush::GpImage* GDIpPenBrush::TextureBrushImage() const {
    auto* api = shapes();
    if (!api || BrushType() != BrushTexture) return nullptr;
    GpImage* image = nullptr;
    if (api->GdipGetTextureImage(brush_.get(), &image) != gdip::Ok) return nullptr;
    return image;
}

GDIpPenBrush::GpBrush* GDIpPenBrush::SetBrushColors(uint32_t Color1, uint32_t Color2) {
    auto* api = shapes();
    if (!api || !brush_) return nullptr;
    gdip::Status status = gdip::Ok;
    switch (BrushType()) {
        case BrushSolid:
            status = api->GdipSetSolidFillColor(brush_.get(), Color1);
            break;
        case BrushHatch: {
            INT style = 0;
            if (api->GdipGetHatchStyle(brush_.get(), &style) != gdip::Ok) return nullptr;
            return CreateHatchBrush(style, Color1, Color2);
        }
        case BrushPathGradient: {
            status = api->GdipSetPathGradientCenterColor(brush_.get(), Color1);
            INT count = 1;
            if (status == gdip::Ok)
                status = api->GdipSetPathGradientSurroundColorsWithCount(brush_.get(), &Color2, &count);
            break;
        }
        case BrushLinearGradient:
            status = api->GdipSetLineColors(brush_.get(), Color1, Color2);
            break;
        default:
            return nullptr;
    }
    return BrushIfOk(status);
}

GDIpPenBrush::GpBrush* GDIpPenBrush::SetBrushWrapMode(int32_t WrapMode) {
    auto* api = shapes();
    if (!api || !brush_ || !ValidWrapMode(WrapMode)) return nullptr;
    // Solid and hatch brushes have no wrap mode.
    const decltype(api->GdipSetLineWrapMode) byType[] = {nullptr, nullptr, api->GdipSetTextureWrapMode,
                                                         api->GdipSetPathGradientWrapMode,
                                                         api->GdipSetLineWrapMode};
    const int32_t type = BrushType();
    if (type < 0 || type >= static_cast<int32_t>(std::size(byType)) || !byType[type]) return nullptr;
    return BrushIfOk(byType[type](brush_.get(), WrapMode));
}

GDIpPenBrush::GpPen* GDIpPenBrush::SetPenColor(uint32_t Color) {
    auto* api = shapes();
    if (!api || !pen_) return nullptr;
    return PenIfOk(api->GdipSetPenColor(pen_.get(), Color));
}

GDIpPenBrush::GpPen* GDIpPenBrush::SetPenStyle(int32_t Style) {
    auto* api = shapes();
    if (!api || !pen_ || !ValidDashStyle(Style)) return nullptr;
    return PenIfOk(api->GdipSetPenDashStyle(pen_.get(), Style));
}

GDIpPenBrush::GpPen* GDIpPenBrush::SetPenWidth(float Width) {
    auto* api = shapes();
    if (!api || !pen_) return nullptr;
    return PenIfOk(api->GdipSetPenWidth(pen_.get(), Width));
}

bool GDIpPenBrush::SetTextureBrushTransformation(GpMatrix* MatrixGDIp) {
    auto* api = shapes();
    if (!api || BrushType() != BrushTexture) return false;
    const gdip::Status status = MatrixGDIp ? api->GdipSetTextureTransform(brush_.get(), MatrixGDIp)
                                           : api->GdipResetTextureTransform(brush_.get());
    return status == gdip::Ok;
}

GDIpPenBrush::GpPen* GDIpPenBrush::CreatePen(int32_t Width, int32_t Style, uint32_t Color) {
    auto* api = shapes();
    if (!api || Width == 0 || !ValidDashStyle(Style)) return nullptr;
    DestroyPen();
    if (api->GdipCreatePen1(Color, static_cast<float>(Width), gdip::UnitPixel, pen_.put(api)) != gdip::Ok) {
        pen_.release();
        return nullptr;
    }
    api->GdipSetPenDashStyle(pen_.get(), Style);
    return pen_.get();
}

GDIpPenBrush::GpBrush* GDIpPenBrush::CreateHatchBrush(int32_t Style, uint32_t ForeColor, uint32_t BackColor) {
    auto* api = shapes();
    if (!api || Style < 0 || Style > 54) return nullptr;
    DestroyBrush();
    if (api->GdipCreateHatchBrush(Style, ForeColor, BackColor, brush_.put(api)) != gdip::Ok) brush_.release();
    return brush_.get();
}

GDIpPenBrush::GpBrush* GDIpPenBrush::TextureFromImage(GpImage* image, const gdip::RectF& bounds,
                                                      int32_t WrapMode, GpImageAttributes* attributes,
                                                      std::optional<float> SrcX, std::optional<float> SrcY,
                                                      std::optional<float> SrcWidth,
                                                      std::optional<float> SrcHeight) {
    auto* api = shapes();
    DestroyBrush();
    const float x = SrcX.value_or(bounds.X), y = SrcY.value_or(bounds.Y);
    const float w = SrcWidth.value_or(bounds.Width), h = SrcHeight.value_or(bounds.Height);
    gdip::Status status;
    if (attributes) {
        status = api->GdipCreateTextureIA(image, attributes, x, y, w, h, brush_.put(api));
        if (status == gdip::Ok && brush_) api->GdipSetTextureWrapMode(brush_.get(), WrapMode);
    } else if (SrcX || SrcY || SrcWidth || SrcHeight) {
        status = api->GdipCreateTexture2(image, WrapMode, x, y, w, h, brush_.put(api));
    } else {
        status = api->GdipCreateTexture(image, WrapMode, brush_.put(api));
    }
    if (status != gdip::Ok) brush_.release();
    return brush_.get();
}

GDIpPenBrush::GpBrush* GDIpPenBrush::CreateTextureBrushHImage(
    GpImage* hImageGDIp, int32_t WrapMode, GpImageAttributes* hAttributesGDIp, std::optional<float> SrcX,
    std::optional<float> SrcY, std::optional<float> SrcWidth, std::optional<float> SrcHeight) {
    auto* images = token_->Images();
    if (!shapes() || !images || !ValidWrapMode(WrapMode) || !hImageGDIp) return nullptr;
    gdip::RectF bounds{};
    INT unit = 0;
    if (images->GdipGetImageBounds(hImageGDIp, &bounds, &unit) != gdip::Ok) return nullptr;
    return TextureFromImage(hImageGDIp, bounds, WrapMode, hAttributesGDIp, SrcX, SrcY, SrcWidth, SrcHeight);
}

GDIpPenBrush::GpBrush* GDIpPenBrush::CreateTextureBrushStdPicture(
    const rt::Picture& Picture, int32_t WrapMode, GpImageAttributes* hAttributesGDIp,
    std::optional<float> SrcX, std::optional<float> SrcY, std::optional<float> SrcWidth,
    std::optional<float> SrcHeight) {
    auto* images = token_->Images();
    if (!shapes() || !images || !ValidWrapMode(WrapMode) || Picture.Empty()) return nullptr;
    rt::ComPtr<IStream> stream = PictureToStream(Picture);
    if (!stream) return nullptr;
    imaging::GdipImage image(images);  // the brush holds its own copy
    if (images->GdipLoadImageFromStream(stream.get(), image.put()) != gdip::Ok || !image) return nullptr;
    gdip::RectF bounds{};
    INT unit = 0;
    if (images->GdipGetImageBounds(image.get(), &bounds, &unit) != gdip::Ok) return nullptr;
    return TextureFromImage(image.get(), bounds, WrapMode, hAttributesGDIp, SrcX, SrcY, SrcWidth, SrcHeight);
}

GDIpPenBrush::GpBrush* GDIpPenBrush::CreateGradientBrushRect(float x, float y, float Width, float Height,
                                                             uint32_t GradientStartColor,
                                                             uint32_t GradientStopColor, int32_t Style,
                                                             int32_t WrapMode) {
    auto* api = shapes();
    if (!api || !(Width > 0) || !(Height > 0) || Style < 0 || Style > 3 || !ValidWrapMode(WrapMode))
        return nullptr;
    DestroyBrush();
    const gdip::RectF rect{x, y, Width, Height};
    if (api->GdipCreateLineBrushFromRect(&rect, GradientStartColor, GradientStopColor, Style, WrapMode,
                                         brush_.put(api)) != gdip::Ok)
        brush_.release();
    return brush_.get();
}

GDIpPenBrush::GpBrush* GDIpPenBrush::CreateGradientBrushLine(float X1, float Y1, float X2, float Y2,
                                                             uint32_t GradientStartColor,
                                                             uint32_t GradientStopColor, int32_t Style,
                                                             int32_t WrapMode) {
    auto* api = shapes();
    if (!api || Style < 0 || Style > 3 || !ValidWrapMode(WrapMode)) return nullptr;
    DestroyBrush();
    const gdip::PointF from{X1, Y1}, to{X2, Y2};
    if (api->GdipCreateLineBrush(&from, &to, GradientStartColor, GradientStopColor, WrapMode,
                                 brush_.put(api)) != gdip::Ok)
        brush_.release();
    return brush_.get();
}

void GDIpPenBrush::ColourRadial(const imaging::GdiplusShapeApi& api, float centreX, float centreY,
                                uint32_t centreColour, uint32_t edgeColour) {
    api.GdipSetPathGradientCenterColor(brush_.get(), centreColour);
    INT count = 1;
    api.GdipSetPathGradientSurroundColorsWithCount(brush_.get(), &edgeColour, &count);
    const gdip::PointF centre{centreX, centreY};
    api.GdipSetPathGradientCenterPoint(brush_.get(), &centre);
}

GDIpPenBrush::GpBrush* GDIpPenBrush::CreateGradientRadialPath(GpPath* hPathGDIp, float RadialCenterX,
                                                              float RadialCenterY,
                                                              uint32_t GradientStartColor,
                                                              uint32_t GradientStopColor, int32_t WrapMode) {
    auto* api = shapes();
    if (!api || !hPathGDIp || !ValidWrapMode(WrapMode)) return nullptr;
    DestroyBrush();
    if (api->GdipCreatePathGradientFromPath(hPathGDIp, brush_.put(api)) != gdip::Ok) {
        brush_.release();
        return nullptr;
    }
    ColourRadial(*api, RadialCenterX, RadialCenterY, GradientStartColor, GradientStopColor);
    api->GdipSetPathGradientWrapMode(brush_.get(), WrapMode);
    return brush_.get();
}

GDIpPenBrush::GpBrush* GDIpPenBrush::CreateGradientRadialRect(float Left, float Top, float Width,
                                                              float Height, float RadialCenterX,
                                                              float RadialCenterY,
                                                              uint32_t GradientStartColor,
                                                              uint32_t GradientStopColor, int32_t WrapMode) {
    auto* api = shapes();
    if (!api || !(Width > 0) || !(Height > 0) || !ValidWrapMode(WrapMode)) return nullptr;
    const float right = Left + Width, bottom = Top + Height;
    const gdip::PointF corners[4] = {{Left, Top}, {right, Top}, {right, bottom}, {Left, bottom}};
    DestroyBrush();
    if (api->GdipCreatePathGradient(corners, 4, WrapMode, brush_.put(api)) != gdip::Ok) {
        brush_.release();
        return nullptr;
    }
    ColourRadial(*api, RadialCenterX, RadialCenterY, GradientStartColor, GradientStopColor);
    return brush_.get();
}

GDIpPenBrush::GpBrush* GDIpPenBrush::CreateSolidBrush(uint32_t Color) {
    auto* api = shapes();
    if (!api) return nullptr;
    DestroyBrush();
    if (api->GdipCreateSolidFill(Color, brush_.put(api)) != gdip::Ok) brush_.release();
    return brush_.get();
}

uint32_t GDIpPenBrush::ConvertColorToGDIplusColor(int32_t Color, int32_t Opacity) {
    uint32_t c = static_cast<uint32_t>(Color);
    if (Color < 0) c = GetSysColor(static_cast<int>(c & 255));
    const uint32_t red = c & 255, green = (c >> 8) & 255, blue = (c >> 16) & 255;
    const uint32_t alpha = static_cast<uint32_t>(Opacity < 0 ? 0 : Opacity > 255 ? 255 : Opacity);
    return (alpha << 24) | (red << 16) | (green << 8) | blue;
}

void GDIpPenBrush::DestroyPen() {
    pen_.reset();
}

void GDIpPenBrush::DestroyBrush() {
    brush_.reset();
}

rt::ComPtr<IStream> GDIpPenBrush::BytesToStream(const void* data, size_t length) {
    // No bytes at an address is no stream; no address, an empty growable one.
    if (data && length == 0) return {};
    return rt::StreamOnCopy(data, length);
}

rt::ComPtr<IStream> GDIpPenBrush::PictureToStream(const rt::Picture& Picture) {
    IPicture* picture = Picture.get();
    if (!picture || Picture.Handle() == 0) return {};
    rt::ComPtr<IStream> stream = BytesToStream(nullptr, 0);
    if (!stream) return {};
    LONG written = 0;
    if (FAILED(picture->SaveAsFile(stream.get(), FALSE, &written))) written = 0;
    ULARGE_INTEGER size{};
    const LARGE_INTEGER start{};
    if (written > 0 && SUCCEEDED(stream->Seek(start, STREAM_SEEK_CUR, &size)) && size.QuadPart > 0) {
        stream->Seek(start, STREAM_SEEK_SET, nullptr);
        return stream;
    }
    // A bitmap made from a handle may save nothing: write its bits as a BMP file.
    if (Picture.Type() != PICTYPE_BITMAP) return {};
    const std::vector<BYTE> file = BitmapFileBytes(reinterpret_cast<HBITMAP>(Picture.Handle()));
    if (file.empty()) return {};
    return BytesToStream(file.data(), file.size());
}

}  // namespace controls
