// The picture resizer: a new screen-format bitmap picture of a given pixel size, filled with a
// background colour, with a bitmap, icon, WMF or EMF picture drawn into it by GDI+ in
// high-quality bicubic interpolation, centred and as large as fits without distortion. The caller
// starts GDI+ before and stops it after each use with GdipStartToken and GdipEndToken.
#pragma once

#include <windows.h>

#include <cstdint>

#include "imaging/gdiplus_service.h"
#include "runtime/picture.h"

namespace modGDIPlusResize {

// A start of the program's one GDI+ service: its token, 0 when GDI+ could not start.
ULONG_PTR GdipStartToken();
// Gives the start back (the last one shuts GDI+ down); the token becomes 0.
void GdipEndToken(ULONG_PTR& token);

// The picture (handle and type 1 bitmap, 2 WMF, 3 icon, 4 EMF) on a new width x height bitmap
// over backColor (an OLE colour). The empty picture when GDI+ cannot make an image of the handle,
// and for a box or picture without width or height. Raises 53 when GDI+ is not running and cannot
// be started. Crop is not used: the picture is fitted either way.
rt::Picture ScalePictureGdip(uintptr_t handle, int16_t type, int width, int height, uint32_t backColor,
                             bool keepAspect, bool crop);

// Where a picture of iw x ih lands in a width x height box when its aspect is kept: one side fills
// the box, the other is centred; sizes and offsets rounded half to even. Empty for zero sizes.
RECT FittedRect(uint32_t iw, uint32_t ih, int width, int height);

// The placeable header that gives a WMF the target size at 1440 units per inch.
void FillPlaceableWmfHeader(imaging::gdip::WmfPlaceableFileHeader& header, int width, int height);

}  // namespace modGDIPlusResize
