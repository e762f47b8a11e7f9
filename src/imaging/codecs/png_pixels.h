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

// Rebuilds the pixels row by row from the inflated data as it comes (filter bytes included, the
// rows of the seven passes one after another for an interlaced picture) into `bits` (width x height
// x 4 bytes, zero-filled, bottom row first). `palette` is the PLTE data as kept (the grey ramp
// replaces an empty one). A feed fails for an unknown filter in an interlaced image, or a palette
// index beyond the palette. Bytes past the picture's last row are ignored.
class RowDecoder {
public:
    RowDecoder(const ImageHeader& h, std::vector<uint8_t> palette, const Transparency& trans, uint8_t* bits);
    bool Feed(const uint8_t* data, size_t n);
    // Rows of zero bytes, for the part of the data that a short stream did not produce.
    bool FeedZeros(size_t n);

private:
    void NextPass();
    bool Row(const uint8_t* stored);  // one stored row: filter byte and samples

    ImageHeader h_;
    std::vector<uint8_t> palette_;
    Transparency trans_;
    uint8_t* bits_;
    size_t distance_ = 1;
    bool interlaced_ = false;
    int pass_ = 0;  // 1..7 for the passes, 8 for a plain image
    uint64_t cols_ = 0, rows_ = 0, row_k_ = 0;
    size_t rowBytes_ = 0;  // samples of a row of this pass; 0 once every row is done
    bool havePrior_ = false;
    std::vector<uint8_t> stored_;  // a stored row that arrives in pieces
    size_t pending_ = 0;
    std::vector<uint8_t> row_, prior_;
};

}  // namespace imaging::png
