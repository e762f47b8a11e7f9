#include "controls/media/modGDIPlusResize.h"

#include <limits>

#include "controls/common/paint.h"
#include "controls/media/Module4.h"
#include "controls/media/gdip_image.h"
#include "runtime/error.h"
#include "runtime/handles.h"
#include "runtime/win.h"

namespace modGDIPlusResize {

namespace {

using imaging::GdiplusApi;
using imaging::GdiplusSession;
namespace gdip = imaging::gdip;

// The GDI+ image of a picture handle by its type; none for another type or an unreadable handle.
controls::GdipImage ImageOfHandle(const GdiplusApi& api, uintptr_t handle, int16_t type, int width,
                                  int height) {
    gdip::GpImage* image = nullptr;
    switch (type) {
        case rt::vbPicTypeBitmap:
            api.GdipCreateBitmapFromHBITMAP(reinterpret_cast<HBITMAP>(handle), nullptr, &image);
            break;
        case rt::vbPicTypeMetafile: {
            gdip::WmfPlaceableFileHeader header{};
            FillPlaceableWmfHeader(header, width, height);
            api.GdipCreateMetafileFromWmf(reinterpret_cast<HMETAFILE>(handle), FALSE, &header, &image);
            break;
        }
        case rt::vbPicTypeIcon:
            api.GdipCreateBitmapFromHICON(reinterpret_cast<HICON>(handle), &image);
            break;
        case rt::vbPicTypeEMetafile:
            api.GdipCreateMetafileFromEmf(reinterpret_cast<HENHMETAFILE>(handle), FALSE, &image);
            break;
        default:
            break;
    }
    return controls::GdipImage(&api, image);
}

// A screen-format bitmap of width x height painted with the back colour.
rt::Bitmap CreateFilledBitmap(HDC memory, uint32_t backColor, int width, int height) {
    rt::Bitmap bitmap(CreateBitmap(width, height, static_cast<UINT>(GetDeviceCaps(memory, PLANES)),
                                   static_cast<UINT>(GetDeviceCaps(memory, BITSPIXEL)), nullptr));
    if (!bitmap) rt::Raise(rt::errOutOfMemory, "modGDIPlusResize");
    rt::SelectGuard selected(memory, bitmap.get());
    rt::Brush fill(CreateSolidBrush(controls::TranslateOleColor(backColor)));
    rt::SelectGuard brush(memory, fill.get());
    PatBlt(memory, 0, 0, width, height, PATCOPY);
    return bitmap;
}

void DrawImageFitted(const GdiplusApi& api, gdip::GpImage* image, HDC memory, int width, int height,
                     bool keepAspect) {
    imaging::GdipGraphics graphics(&api);
    api.GdipCreateFromHDC(memory, graphics.put());
    if (!graphics) return;
    api.GdipSetInterpolationMode(graphics.get(), gdip::InterpolationModeHighQualityBicubic);
    if (!keepAspect) {
        api.GdipDrawImageRectI(graphics.get(), image, 0, 0, width, height);
    } else {
        UINT iw = 0, ih = 0;
        api.GdipGetImageWidth(image, &iw);
        api.GdipGetImageHeight(image, &ih);
        const RECT r = FittedRect(iw, ih, width, height);
        if (r.right > r.left && r.bottom > r.top)
            api.GdipDrawImageRectRectI(graphics.get(), image, r.left, r.top, r.right - r.left,
                                       r.bottom - r.top, 0, 0, static_cast<INT>(iw), static_cast<INT>(ih),
                                       gdip::UnitPixel, nullptr, nullptr, nullptr);
    }
}

}  // namespace

ULONG_PTR GdipStartToken() {
    ULONG_PTR token = 0;
    imaging::GdiplusService::Instance().Start(token);
    return token;
}

void GdipEndToken(ULONG_PTR& token) {
    imaging::GdiplusService::Instance().Stop(token);
    token = 0;
}

void FillPlaceableWmfHeader(gdip::WmfPlaceableFileHeader& header, int width, int height) {
    constexpr int kMax = std::numeric_limits<int16_t>::max();
    if (width > kMax || height > kMax || width < -kMax - 1 || height < -kMax - 1)
        rt::Raise(rt::errOverflow, "modGDIPlusResize");
    header = gdip::WmfPlaceableFileHeader{};
    header.Key = 0x9AC6CDD7u;
    header.Right = static_cast<INT16>(width);
    header.Bottom = static_cast<INT16>(height);
    header.Inch = 1440;
}

RECT FittedRect(uint32_t iw, uint32_t ih, int width, int height) {
    if (iw == 0 || ih == 0 || width <= 0 || height <= 0) return RECT{};
    const double rp = static_cast<double>(iw) / ih;
    const double rt = static_cast<double>(width) / height;
    int fw, fh;
    if (rp > rt) {
        fw = width;
        fh = rt::RoundEven(width / rp);
    } else {
        fw = rt::RoundEven(height * rp);
        fh = height;
    }
    const int x = rt::RoundEven((width - fw) / 2.0);
    const int y = rt::RoundEven((height - fh) / 2.0);
    return RECT{x, y, x + fw, y + fh};
}

rt::Picture ScalePictureGdip(uintptr_t handle, int16_t type, int width, int height, uint32_t backColor,
                             bool keepAspect, bool /*crop*/) {
    // A box without area has nothing to fit into (and no ratio to fit by).
    if (width <= 0 || height <= 0) return rt::Picture();
    GdiplusSession session(0);
    if (!session) rt::Raise(rt::errFileNotFound, "modGDIPlusResize", "File not found: gdiplus");
    const GdiplusApi& api = *session.api();
    controls::GdipImage image = ImageOfHandle(api, handle, type, width, height);
    if (!image) return rt::Picture();
    UINT iw = 0, ih = 0;
    api.GdipGetImageWidth(image.get(), &iw);
    api.GdipGetImageHeight(image.get(), &ih);
    if (iw == 0 || ih == 0) return rt::Picture();

    rt::MemoryDC memory(nullptr);
    rt::Bitmap bitmap = CreateFilledBitmap(memory.get(), backColor, width, height);
    {
        rt::SelectGuard selected(memory.get(), bitmap.get());
        DrawImageFitted(api, image.get(), memory.get(), width, height, keepAspect);
    }
    image.reset();
    // The picture owns the bitmap from here; one that cannot be made frees it.
    return Module4::PictureFromBitmapHandle(bitmap.release(), nullptr);
}

}  // namespace modGDIPlusResize
