#include "imaging/gdiplus_bridge.h"

#include <cmath>
#include <cwchar>

#include "imaging/c32bppDIB.h"
#include "imaging/gdiplus_owner.h"
#include "imaging/parsers_win.h"
#include "imaging/pixels/image_math.h"
#include "imaging/pixels/soft_render.h"
#include "runtime/ansi_text.h"
#include "runtime/handles.h"

namespace imaging {

namespace {

// A GDI+ bitmap over bottom-up pixels that GDI+ sees upright (a negative stride), so the
// image object's memory is never turned.
gdip::Status BitmapOver(const GdiplusApi& api, const ImageView& view, gdip::GpBitmap** bitmap) {
    const INT stride = view.width * 4;
    BYTE* top = view.bits + static_cast<size_t>(view.height - 1) * static_cast<size_t>(stride);
    return api.GdipCreateBitmapFromScan0(view.width, view.height, -stride, gdip::PixelFormat32bppPARGB, top,
                                         bitmap);
}

}  // namespace

bool cGDIPlus::GdiPlusStartStop(ULONG_PTR& token, bool shutdown) {
    GdiplusService& service = GdiplusService::Instance();
    if (shutdown) {
        service.Stop(token);
        return false;
    }
    return service.Start(token);
}

bool cGDIPlus::isGDIplusOk(ULONG_PTR& gdiToken, bool KeepToken) {
    if (!GdiplusService::Instance().Available()) return false;
    const bool ok = GdiPlusStartStop(gdiToken, false);
    if (!KeepToken && gdiToken != 0) GdiPlusStartStop(gdiToken, true);
    return ok;
}

int cGDIPlus::FindEncoderClsid(const GdiplusApi& api, const std::wstring& mimeType, CLSID& clsid) {
    UINT count = 0, size = 0;
    if (api.GdipGetImageEncodersSize(&count, &size) != gdip::Ok || count == 0 || size == 0) return -1;
    std::vector<uint64_t> buffer((size + sizeof(uint64_t) - 1) / sizeof(uint64_t));
    auto* codecs = reinterpret_cast<gdip::ImageCodecInfo*>(buffer.data());
    if (api.GdipGetImageEncoders(count, size, codecs) != gdip::Ok) return -1;
    for (UINT i = 0; i < count; ++i) {
        if (codecs[i].MimeType && _wcsicmp(codecs[i].MimeType, mimeType.c_str()) == 0) {
            clsid = codecs[i].Clsid;
            return static_cast<int>(i) + 1;
        }
    }
    return -1;
}

ComPtr<IStream> cGDIPlus::StreamFromBytes(const uint8_t* data, size_t length) {
    return rt::StreamOnCopy(data, length);
}

bool cGDIPlus::BytesFromStream(IStream* stream, std::vector<uint8_t>& bytes) {
    if (!stream) return false;
    HGLOBAL block = nullptr;
    if (FAILED(GetHGlobalFromStream(stream, &block)) || !block) return false;
    // The stream's own size: the block may be larger than what was written.
    STATSTG stat{};
    if (FAILED(stream->Stat(&stat, STATFLAG_NONAME))) return false;
    const uint64_t size = stat.cbSize.QuadPart;
    if (size < 1 || size > GlobalSize(block)) return false;
    const void* p = GlobalLock(block);
    if (!p) return false;
    bytes.assign(static_cast<const uint8_t*>(p), static_cast<const uint8_t*>(p) + size);
    GlobalUnlock(block);
    return true;
}

bool cGDIPlus::RenderWithGdiPlus(c32bppDIB& image, HDC dc, float angle, int32_t opacity, int32_t DestX,
                                 int32_t DestY, int32_t DestWidth, int32_t DestHeight, int32_t SrcX,
                                 int32_t SrcY, int32_t SrcWidth, int32_t SrcHeight, bool highQuality,
                                 int32_t grayScale, ULONG_PTR token, float lightness) {
    if (opacity == 0) return true;
    if (!image.Handle() || !dc) return false;
    GdiplusSession session(token);
    if (!session) return false;
    const GdiplusApi& api = *session.api();

    // Mirroring draws from a mirrored copy of the picture; the rectangle is counted in it.
    PixelArray mirrored;
    ImageView source = image.View();
    if (DestWidth < 0 || DestHeight < 0) {
        int32_t sx = 0, sy = 0, dw = DestWidth < 0 ? -1 : 1, dh = DestHeight < 0 ? -1 : 1;
        float noLight = 0;
        if (!MirrorPixels(source, sx, sy, source.width, source.height, dw, dh, mirrored, nullptr, noLight))
            return false;
        source = mirrored.View();
    }
    const int32_t w = DestWidth < 0 ? -DestWidth : DestWidth;
    const int32_t h = DestHeight < 0 ? -DestHeight : DestHeight;

    GdipImage bitmap(&api);
    if (BitmapOver(api, source, bitmap.put()) != gdip::Ok) return false;
    GdipGraphics graphics(&api);
    if (api.GdipCreateFromHDC(dc, graphics.put()) != gdip::Ok) return false;
    api.GdipSetInterpolationMode(graphics.get(), highQuality ? gdip::InterpolationModeHighQualityBicubic
                                                             : gdip::InterpolationModeNearestNeighbor);

    gdip::ColorMatrix matrix{};
    auto baseMatrix = [&] {
        matrix = gdip::ColorMatrix{};
        if (grayScale != -1) {
            float r, g, b;
            GrayscaleWeights(grayScale, r, g, b);
            for (int c = 0; c < 3; ++c) {
                matrix.m[0][c] = r;
                matrix.m[1][c] = g;
                matrix.m[2][c] = b;
            }
        } else {
            matrix.m[0][0] = matrix.m[1][1] = matrix.m[2][2] = 1;
        }
        matrix.m[3][3] = 1;
        matrix.m[4][4] = 1;
        if (lightness != 0) matrix.m[4][0] = matrix.m[4][1] = matrix.m[4][2] = lightness / 100.0f;
    };
    GdipImageAttributes attributes(&api);
    auto setMatrix = [&] {
        return api.GdipSetImageAttributesColorMatrix(attributes.get(), gdip::ColorAdjustTypeBitmap, TRUE,
                                                     &matrix, &matrix, 0) == gdip::Ok;
    };
    if (grayScale != -1 || lightness != 0) {
        if (api.GdipCreateImageAttributes(attributes.put()) == gdip::Ok) {
            baseMatrix();
            if (!setMatrix()) attributes.reset();  // draws on without grey scale and lightness
        }
    }
    auto draw = [&](INT dx, INT dy, INT dw, INT dh) {
        return api.GdipDrawImageRectRectI(graphics.get(), bitmap.get(), dx, dy, dw, dh, SrcX, SrcY, SrcWidth,
                                          SrcHeight, gdip::UnitPixel, attributes.get(), nullptr,
                                          nullptr) == gdip::Ok;
    };
    if (angle == 0 && opacity == 100) return draw(DestX, DestY, w, h);

    if (!attributes.get()) {
        if (api.GdipCreateImageAttributes(attributes.put()) != gdip::Ok) return false;
        baseMatrix();
    }
    matrix.m[3][3] = static_cast<float>(opacity) / 100.0f;
    if (!setMatrix()) return false;
    if (angle == 0) return draw(DestX, DestY, w, h);

    const int32_t sx = DestWidth < 0 ? -1 : 1, sy = DestHeight < 0 ? -1 : 1;
    if (api.GdipRotateWorldTransform(graphics.get(), angle + 180.0f, gdip::MatrixOrderPrepend) == gdip::Ok)
        api.GdipTranslateWorldTransform(graphics.get(), static_cast<float>(DestX + sx * (w / 2)),
                                        static_cast<float>(DestY + sy * (h / 2)), gdip::MatrixOrderAppend);
    return draw(w / 2, h / 2, -w, -h);
}

bool cGDIPlus::LoadWithGdiPlus(const std::string& fileName, const uint8_t* data, size_t length,
                               c32bppDIB& image, ULONG_PTR token) {
    GdiplusSession session(token);
    if (!session) return false;
    const GdiplusApi& api = *session.api();

    GdipImage picture(&api);
    if (!fileName.empty()) {
        const std::wstring wide = rt::Widen(fileName);
        if (api.GdipLoadImageFromFile(wide.c_str(), picture.put()) != gdip::Ok) return false;
    } else {
        ComPtr<IStream> stream = StreamFromBytes(data, length);
        if (!stream || !data || length == 0) return false;
        if (api.GdipLoadImageFromStream(stream.get(), picture.put()) != gdip::Ok) return false;
    }
    if (!picture.get()) return false;

    gdip::RectF bounds{};
    INT unit = 0;
    const bool drawn = [&] {
        if (api.GdipGetImageBounds(picture.get(), &bounds, &unit) != gdip::Ok) return false;
        const int32_t w = static_cast<int32_t>(std::nearbyint(bounds.Width));
        const int32_t h = static_cast<int32_t>(std::nearbyint(bounds.Height));
        if (!image.InitializeDIB(w, h)) return false;
        // Drawn into a GDI+ bitmap over the section's own pixels, so the alpha channel arrives
        // premultiplied and exact.
        GdipImage target(&api);
        if (BitmapOver(api, image.View(), target.put()) != gdip::Ok) return false;
        GdipGraphics graphics(&api);
        if (api.GdipGetImageGraphicsContext(target.get(), graphics.put()) != gdip::Ok) return false;
        api.GdipSetCompositingMode(graphics.get(), gdip::CompositingModeSourceCopy);
        api.GdipSetInterpolationMode(graphics.get(), gdip::InterpolationModeNearestNeighbor);
        api.GdipSetPixelOffsetMode(graphics.get(), gdip::PixelOffsetModeHalf);
        return api.GdipDrawImageRectRect(graphics.get(), picture.get(), 0, 0, static_cast<float>(w),
                                         static_cast<float>(h), bounds.X, bounds.Y, bounds.Width,
                                         bounds.Height, gdip::UnitPixel, nullptr, nullptr,
                                         nullptr) == gdip::Ok;
    }();
    if (!drawn) {
        image.DestroyDIB();
        return false;
    }
    INT format = 0;
    api.GdipGetImagePixelFormat(picture.get(), &format);
    image.SetAlpha(format == gdip::PixelFormat32bppARGB || format == gdip::PixelFormat32bppPARGB);
    image.SetImageType(imgPNG);
    return true;
}

bool cGDIPlus::SaveToPNG(const std::string& Filename, std::vector<uint8_t>& outStream, c32bppDIB& cHost,
                         ULONG_PTR GlobalToken) {
    if (!cHost.Handle()) return false;
    GdiplusSession session(GlobalToken);
    if (!session) return false;
    const GdiplusApi& api = *session.api();
    GdipImage bitmap(&api);
    if (BitmapOver(api, cHost.View(), bitmap.put()) != gdip::Ok) return false;
    CLSID encoder{};
    if (FindEncoderClsid(api, L"image/png", encoder) < 0) return false;
    if (!Filename.empty()) {
        const std::wstring wide = rt::Widen(Filename);
        return api.GdipSaveImageToFile(bitmap.get(), wide.c_str(), &encoder, nullptr) == gdip::Ok;
    }
    outStream.clear();
    ComPtr<IStream> stream = StreamFromBytes(nullptr, 0);
    if (!stream) return false;
    if (api.GdipSaveImageToStream(bitmap.get(), stream.get(), &encoder, nullptr) != gdip::Ok) return false;
    // Bytes that could not be copied out are no saved picture.
    return BytesFromStream(stream.get(), outStream);
}

}  // namespace imaging
