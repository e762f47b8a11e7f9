// The readers the loader offers data to before its own BMP step: PNG, then GIF, then ICO/CUR.
// The codecs' Windows glue fills this table; an empty entry reports "not recognised". Each
// reader returns true when it recognised its format, whether or not decoding then succeeded;
// whether a picture exists is told by the image afterwards.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

#include "imaging/dib_target.h"

namespace imaging {

struct ImageReaders {
    // PNG from an open file (handle positioned anywhere; the reader seeks) and its name.
    std::function<bool(void* fileHandle, const std::string& fileName, DibTarget& image, uintptr_t gdiToken)> pngFile;
    std::function<bool(const uint8_t* data, size_t length, DibTarget& image, uintptr_t gdiToken)> pngStream;
    std::function<bool(const uint8_t* data, size_t length, DibTarget& image)> gifStream;
    std::function<bool(const uint8_t* data, size_t length, int32_t iconCx, int32_t iconCy, int32_t iconBitDepth,
                       DibTarget& image, uintptr_t gdiToken)>
        icoStream;
    // An icon or cursor handle (HICON) converted into the image.
    std::function<bool(void* iconHandle, DibTarget& image)> icoConvert;
};

// The table the loaders use.
ImageReaders& Readers();

}  // namespace imaging
