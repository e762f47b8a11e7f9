#include "runtime/picture.h"

#include "runtime/error.h"
#include "runtime/files.h"
#include "runtime/screen_metrics.h"

namespace rt {

namespace {
Picture Create(PICTDESC& desc, bool own) {
    EnsureOle();
    desc.cbSizeofstruct = sizeof(PICTDESC);
    ComPtr<IPicture> p;
    if (FAILED(OleCreatePictureIndirect(&desc, IID_IPicture, own ? TRUE : FALSE,
                                        reinterpret_cast<void**>(p.put()))))
        Raise(errInvalidPicture);
    return Picture(std::move(p));
}
}  // namespace

Picture Picture::FromBitmap(HBITMAP bitmap, bool own, HPALETTE palette) {
    if (!bitmap) return {};
    PICTDESC d{};
    d.picType = PICTYPE_BITMAP;
    d.bmp.hbitmap = bitmap;
    d.bmp.hpal = palette;
    return Create(d, own);
}
Picture Picture::FromIcon(HICON icon, bool own) {
    if (!icon) return {};
    PICTDESC d{};
    d.picType = PICTYPE_ICON;
    d.icon.hicon = icon;
    return Create(d, own);
}
Picture Picture::FromMetafile(HMETAFILE mf, int xExt, int yExt, bool own) {
    if (!mf) return {};
    PICTDESC d{};
    d.picType = PICTYPE_METAFILE;
    d.wmf.hmeta = mf;
    d.wmf.xExt = xExt;
    d.wmf.yExt = yExt;
    return Create(d, own);
}
Picture Picture::FromEnhMetafile(HENHMETAFILE emf, bool own) {
    if (!emf) return {};
    PICTDESC d{};
    d.picType = PICTYPE_ENHMETAFILE;
    d.emf.hemf = emf;
    return Create(d, own);
}

int16_t Picture::Type() const {
    if (!p_) return vbPicTypeNone;
    SHORT t = PICTYPE_NONE;
    p_->get_Type(&t);
    return t < 0 ? static_cast<int16_t>(vbPicTypeNone) : static_cast<int16_t>(t);
}
uintptr_t Picture::Handle() const {
    if (!p_) return 0;
    OLE_HANDLE h = 0;
    p_->get_Handle(&h);
    return static_cast<uintptr_t>(h);
}
long Picture::Width() const {
    OLE_XSIZE_HIMETRIC w = 0;
    if (p_) p_->get_Width(&w);
    return w;
}
long Picture::Height() const {
    OLE_YSIZE_HIMETRIC h = 0;
    if (p_) p_->get_Height(&h);
    return h;
}
namespace {
int HimetricToPixels(long v, int dpi) {
    return MulDiv(static_cast<int>(v), dpi, 2540);
}
}  // namespace
int Picture::PixelWidth() const {
    return HimetricToPixels(Width(), ScreenMetrics::Get().dpiX);
}
int Picture::PixelHeight() const {
    return HimetricToPixels(Height(), ScreenMetrics::Get().dpiY);
}

void Picture::Render(HDC dc, int x, int y, int cx, int cy) const {
    if (!p_ || cx == 0 || cy == 0) return;
    long w = Width(), h = Height();
    // Picture space runs bottom-up: start at the height and go up by it.
    p_->Render(dc, x, y, cx, cy, 0, h, w, -h, nullptr);
}

Picture Picture::ToBitmap(COLORREF background) const {
    if (!p_) return {};
    int w = PixelWidth(), h = PixelHeight();
    Bitmap bmp;
    {
        ScreenDC screen;
        bmp.reset(CreateCompatibleBitmap(screen.get(), w > 0 ? w : 1, h > 0 ? h : 1));
        MemoryDC dc(screen.get());
        SelectGuard sel(dc.get(), bmp.get());
        RECT r{0, 0, w, h};
        Brush b(CreateSolidBrush(background));
        FillRect(dc.get(), &r, b.get());
        Render(dc.get(), 0, 0, w, h);
    }
    return FromBitmap(bmp.release(), true);
}

HCURSOR CursorFromPicture(const Picture& picture) {
    if (picture.Type() != vbPicTypeIcon) return nullptr;
    return static_cast<HCURSOR>(CopyImage(reinterpret_cast<HANDLE>(picture.Handle()), IMAGE_CURSOR, 0, 0, 0));
}

Picture LoadPictureFromMemory(const void* data, size_t size) {
    EnsureOle();
    if (size == 0) Raise(errInvalidPicture);
    GlobalMemory mem(GlobalAlloc(GMEM_MOVEABLE, size));
    if (!mem) Raise(errOutOfMemory);
    void* dst = GlobalLock(mem.get());
    memcpy(dst, data, size);
    GlobalUnlock(mem.get());
    ComPtr<IStream> stream;
    if (FAILED(CreateStreamOnHGlobal(mem.get(), TRUE, stream.put()))) Raise(errOutOfMemory);
    mem.release();  // the stream's now
    ComPtr<IPicture> p;
    HRESULT hr = OleLoadPicture(stream.get(), static_cast<LONG>(size), FALSE, IID_IPicture,
                                reinterpret_cast<void**>(p.put()));
    if (FAILED(hr) || !p) Raise(errInvalidPicture);
    return Picture(std::move(p));
}

Picture LoadPicture(const std::string& path) {
    if (path.empty()) return {};
    if (!PathExists(path) || IsDirectory(path)) Raise(errFileNotFound, "", "File not found: '" + path + "'");
    std::vector<uint8_t> bytes = ReadAllBytes(path);
    return LoadPictureFromMemory(bytes.data(), bytes.size());
}

}  // namespace rt
