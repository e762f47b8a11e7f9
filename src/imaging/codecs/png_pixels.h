// PNG pixel reconstruction: expected data size, unfiltering, Adam7 passes, and the conversion of
// every colour type and depth into premultiplied BGRA rows, bottom row first.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace imaging::png {

struct ImageHeader {
    int32_t width = 0, height = 0;
    uint8_t bitDepth = 0, colorType = 0, interlace = 0;
};

struct Transparency {
    int32_t TransKey = -1;  // -1 none; grey: the sample's low byte; RGB: r << 16 | g << 8 | b (low bytes)
    uint8_t keySamples[6] = {};  // the tRNS bytes the key came from (16-bit samples compare their high bytes)
    std::vector<uint8_t> alphaTable;  // palette images: one alpha per index, padded to 256 with 255
};

// Bytes of inflated data the header calls for (filter bytes included); 0 for an unusable header.
uint64_t ExpectedDataSize(const ImageHeader& h);

// Rebuilds the pixels from `data` (ExpectedDataSize bytes, unfiltered in place) into `bits`
// (width x height x 4 bytes, zero-filled, bottom row first). `palette` is the PLTE data as kept (the
// grey ramp replaces an empty one). False: unknown filter in an interlaced image, or a palette index
// beyond the palette.
bool Reconstruct(const ImageHeader& h, uint8_t* data, size_t size, std::vector<uint8_t> palette,
                 const Transparency& trans, uint8_t* bits);

}  // namespace imaging::png
