// The shared image routines that need the platform: picture objects from bytes or handles,
// files opened with the Unicode or ANSI calls, and export checks of libraries.
#pragma once

#include <windows.h>
#include <ocidl.h>
#include <olectl.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "imaging/com_ptr.h"
#include "imaging/pixels/pixel_access.h"

namespace imaging {

class c32bppDIB;

using PicturePtr = ComPtr<IPicture>;

// The library loads and exports `exportName`; the library is released again at once.
bool HasDllExport(const std::string& library, const char* exportName);

// A picture object read by the platform's picture loader from `length` bytes; none on failure.
PicturePtr PictureFromBytes(const uint8_t* bytes, size_t length);

// A picture object that owns `handle` (releasing the picture deletes it); picture types 1 bitmap,
// 2 metafile, 3 icon, 4 enhanced metafile. None on failure (the handle is then still the caller's).
PicturePtr PictureFromHandle(HANDLE handle, int32_t pictureType);

// Opens a file for reading (share read, existing) or writing (create always, keeping the
// attributes of a file being replaced). INVALID_HANDLE_VALUE on failure.
HANDLE OpenFileForIO(const std::string& name, bool forReading, bool forceUnicode);

// Sets the file's attributes to normal and deletes it; true only when both worked.
bool RemoveFile(const std::string& name, bool forceUnicode);

// The region of an image's visible pixels (Part of CreateRegion): the whole picture when it has no
// alpha, else the bounding box (style 0), row spans (1) or runs (2). 0 when nothing is visible or
// the platform refuses it; the caller owns the region.
HRGN BuildAlphaRegion(const c32bppDIB& image, int32_t style);

// One region from the rectangles in slots first to last of the list; the 32-byte region-data
// header goes into the two slots before `first`. The bounding box spans left to left + width.
HRGN RegionFromRectRange(std::vector<RegionRect>& list, size_t first, size_t last, int32_t left, int32_t width);

// The same region built in chunks of 2000 rectangles joined together, for a list that the
// platform refuses in one piece; 0 when a chunk is refused.
HRGN RegionFromRectChunks(std::vector<RegionRect>& list, size_t last, int32_t left, int32_t width);

// HIMETRIC units to screen pixels, halves to even.
int32_t HimetricToPixels(int32_t himetric, bool horizontal);

}  // namespace imaging
