#include "imaging/bmp_reader.h"

#include <cstdlib>
#include <cstring>

#include "imaging/c32bppDIB.h"
#include "imaging/parsers_win.h"
#include "imaging/pixels/bmp_format.h"
#include "imaging/pixels/image_math.h"
#include "runtime/dib.h"
#include "runtime/handles.h"

namespace imaging {

bool cBMPparser::LoadStream(const uint8_t* data, size_t length, c32bppDIB& cHost, bool* refused) {
    BmpHeader header;
    const BmpKind kind = InspectBmp(data, length, header);
    if (refused) *refused = kind == BmpKind::Refused;
    if (kind == BmpKind::Refused) return false;
    if (kind == BmpKind::Own32) return CopyBmp32(data, length, header, cHost) && cHost.Handle();
    PicturePtr picture = PictureFromBytes(data, length);
    if (!picture) return false;
    return ConvertstdPicTo32bpp(picture.get(), nullptr, cHost, kind == BmpKind::NotBmp ? 0 : header.bitsPerPixel);
}

bool cBMPparser::ConvertstdPicTo32bpp(IPicture* stdPic, HBITMAP Handle, c32bppDIB& cHost, int32_t bitCount) {
    int32_t width = 0, height = 0;
    BITMAP bm{};
    SHORT pictureType = PICTYPE_NONE;
    if (!stdPic && Handle) {
        if (GetObjectA(Handle, sizeof bm, &bm) != sizeof bm) return false;
        width = bm.bmWidth;
        height = std::abs(bm.bmHeight);
    } else if (stdPic && SUCCEEDED(stdPic->get_Type(&pictureType)) && pictureType != PICTYPE_NONE) {
        OLE_XSIZE_HIMETRIC hmWidth = 0;
        OLE_YSIZE_HIMETRIC hmHeight = 0;
        stdPic->get_Width(&hmWidth);
        stdPic->get_Height(&hmHeight);
        width = HimetricToPixels(hmWidth, true);
        height = HimetricToPixels(hmHeight, false);
    } else {
        return false;
    }
    if (!cHost.InitializeDIB(width, height)) return false;
    HDC dc = cHost.LoadDIBinDC(true);
    if (!dc) {
        cHost.DestroyDIB();
        return false;
    }
    const ImageView view = cHost.View();
    const size_t bytes = static_cast<size_t>(cHost.scanWidth()) * static_cast<size_t>(height);
    enum { Copied32, CopiedOther, Picture } how = Picture;

    if (!stdPic) {
        bool done = false;
        if (bm.bmBitsPixel == 32 && bm.bmBits) {
            const size_t source = static_cast<size_t>(bm.bmWidthBytes) * static_cast<size_t>(height);
            std::memcpy(view.bits, bm.bmBits, std::min(source, bytes));
            done = true;
        } else if (bm.bmBitsPixel == 32) {
            BITMAPINFO info = rt::DibHeader(width, height, 32, true);
            // The section must not be selected while the platform writes its bits.
            cHost.LoadDIBinDC(false);
            done = GetDIBits(rt::ScreenDC().get(), Handle, 0, static_cast<UINT>(height), view.bits, &info,
                             DIB_RGB_COLORS) == height;
            dc = cHost.LoadDIBinDC(true);
        }
        if (done) {
            how = Copied32;
        } else {
            rt::MemoryDC memory(dc);
            rt::SelectGuard select(memory.get(), Handle);
            if (memory && select.ok()) BitBlt(dc, 0, 0, width, height, memory.get(), 0, 0, SRCCOPY);
            how = CopiedOther;
        }
    } else {
        if (pictureType == PICTYPE_METAFILE || pictureType == PICTYPE_ENHMETAFILE) std::memset(view.bits, 255, bytes);
        OLE_XSIZE_HIMETRIC hmWidth = 0;
        OLE_YSIZE_HIMETRIC hmHeight = 0;
        stdPic->get_Width(&hmWidth);
        stdPic->get_Height(&hmHeight);
        stdPic->Render(dc, 0, 0, width, height, 0, hmHeight, hmWidth, -hmHeight, nullptr);
    }
    GdiFlush();
    cHost.LoadDIBinDC(false);

    uint8_t* p = view.bits;
    const size_t pixels = bytes / 4;
    if (how == Copied32) {
        bool alpha = false;
        int32_t type = imgBlank;
        ClassifyAlphaChannel(PixelBlock{view.bits, width, height}, true, alpha, type);
        cHost.SetAlpha(alpha);
        cHost.SetImageType(type);
    } else if (how == CopiedOther) {
        for (size_t i = 0; i < pixels; ++i) p[i * 4 + 3] = 255;
        cHost.SetAlpha(false);
        cHost.SetImageType(imgBitmap);
    } else if (pictureType == PICTYPE_METAFILE || pictureType == PICTYPE_ENHMETAFILE) {
        // What the drawing left untouched is background.
        bool any = false;
        for (size_t i = 0; i < pixels; ++i, p += 4) {
            if (p[3] == 255) {
                std::memset(p, 0, 4);
                any = true;
            } else {
                p[3] = 255;
            }
        }
        if (any) cHost.SetAlpha(true);
        cHost.SetImageType(pictureType);
    } else {
        for (size_t i = 0; i < pixels; ++i) p[i * 4 + 3] = 255;
        cHost.SetAlpha(false);
        cHost.SetImageType(pictureType);
    }
    return true;
}

}  // namespace imaging
