// The standard picture object: a platform picture (IPicture) holding a bitmap, metafile or icon
// handle with its type. Copies share one reference-counted picture; the empty picture has type 0
// and handle 0. Files are loaded through the platform's picture loader (OleLoadPicture).
#pragma once

#include <olectl.h>

#include <cstdint>
#include <string>

#include "runtime/win.h"

namespace rt {

enum PictureType : int16_t {
    vbPicTypeNone = 0,
    vbPicTypeBitmap = 1,
    vbPicTypeMetafile = 2,
    vbPicTypeIcon = 3,
    vbPicTypeEMetafile = 4,
};

class Picture {
public:
    Picture() = default;  // the empty picture
    explicit Picture(ComPtr<IPicture> picture) : p_(std::move(picture)) {}

    // Wraps a handle; with own = true the picture deletes the handle with its last reference.
    static Picture FromBitmap(HBITMAP bitmap, bool own = true, HPALETTE palette = nullptr);
    static Picture FromIcon(HICON icon, bool own = true);
    static Picture FromMetafile(HMETAFILE mf, int xExt, int yExt, bool own = true);
    static Picture FromEnhMetafile(HENHMETAFILE emf, bool own = true);

    bool Empty() const noexcept { return !p_; }
    int16_t Type() const;
    // The handle as the platform gives it (HBITMAP, HICON, HMETAFILE or HENHMETAFILE); 0 when empty.
    uintptr_t Handle() const;
    // Size in HIMETRIC units (hundredths of a millimetre) and in screen pixels.
    long Width() const;
    long Height() const;
    int PixelWidth() const;
    int PixelHeight() const;

    // Draws the whole picture stretched into the pixel rectangle; transparent parts (icons,
    // transparent GIFs) let the background show. Nothing happens for the empty picture.
    void Render(HDC dc, int x, int y, int cx, int cy) const;
    // The same picture drawn onto a new bitmap of its pixel size over the colour, as a bitmap picture.
    Picture ToBitmap(COLORREF background) const;

    IPicture* get() const noexcept { return p_.get(); }
    bool SameObject(const Picture& o) const noexcept { return p_.get() == o.p_.get(); }

private:
    ComPtr<IPicture> p_;
};

// A new cursor from an icon or cursor picture (the caller destroys it); nullptr for other pictures.
HCURSOR CursorFromPicture(const Picture& picture);

// The platform's picture loader on a file: bitmaps, JPEG, GIF, icons, cursors, metafiles.
// An empty path gives the empty picture. Raises 53 for a missing file, 481 for data that is no picture.
Picture LoadPicture(const std::string& path);
Picture LoadPictureFromMemory(const void* data, size_t size);

}  // namespace rt
