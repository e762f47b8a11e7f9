// The window-free half of the BMP reader: header checks and the image object's own copy of
// uncompressed 32-bit BMP data (every other BMP goes to the platform's picture loader).
#pragma once

#include <cstddef>
#include <cstdint>

#include "imaging/dib_target.h"

namespace imaging {

struct BmpHeader {
    int64_t pixelOffset = 0;
    int32_t width = 0;
    int32_t height = 0;
    int32_t bitsPerPixel = 0;
    int32_t compression = 0;
    int32_t infoSize = 0;
};

enum class BmpKind {
    NotBmp,    // no BMP signature: the platform's loader may still read it
    Refused,   // a BMP that nothing may load (bad size or pixel offset)
    Own32,     // complete, uncompressed 32-bit data: copied by the image object itself
    Platform,  // any other BMP: the platform's picture loader
};

BmpKind InspectBmp(const uint8_t* data, size_t length, BmpHeader& header);

// Fills `host` from complete 32-bit data that InspectBmp called Own32, turning top-down rows
// upright and classifying the alpha channel. False when the picture cannot be made.
bool CopyBmp32(const uint8_t* data, size_t length, const BmpHeader& header, DibTarget& host);

}  // namespace imaging
