// Writes BMP files in memory for the tests: any depth from 1 to 32 bits, top-down or bottom-up.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

namespace imaging_test {

inline void PutLE(std::vector<uint8_t>& v, size_t at, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) v[at + i] = static_cast<uint8_t>(value >> (8 * i));
}

// `pixel(x, y)` with y counted from the top gives a palette index (1-8 bits), a 5-5-5 value
// (16 bits), 0xRRGGBB (24 bits) or 0xAARRGGBB (32 bits). A negative height writes top-down rows.
inline std::vector<uint8_t> MakeBmp(int32_t width, int32_t height, int bpp, const std::vector<uint32_t>& palette,
                                    const std::function<uint32_t(int, int)>& pixel, uint32_t compression = 0) {
    const int32_t rows = height < 0 ? -height : height;
    const size_t rowBytes = ((static_cast<size_t>(bpp) * width + 31) & ~static_cast<size_t>(31)) / 8;
    const size_t offset = 14 + 40 + palette.size() * 4;
    std::vector<uint8_t> v(offset + rowBytes * rows, 0);
    v[0] = 'B';
    v[1] = 'M';
    PutLE(v, 2, static_cast<uint32_t>(v.size()), 4);
    PutLE(v, 10, static_cast<uint32_t>(offset), 4);
    PutLE(v, 14, 40, 4);
    PutLE(v, 18, static_cast<uint32_t>(width), 4);
    PutLE(v, 22, static_cast<uint32_t>(height), 4);
    PutLE(v, 26, 1, 2);
    PutLE(v, 28, static_cast<uint32_t>(bpp), 2);
    PutLE(v, 30, compression, 4);
    PutLE(v, 34, static_cast<uint32_t>(rowBytes * rows), 4);
    PutLE(v, 46, static_cast<uint32_t>(palette.size()), 4);
    for (size_t i = 0; i < palette.size(); ++i) PutLE(v, 54 + i * 4, palette[i], 4);
    for (int32_t y = 0; y < rows; ++y) {
        // Storage row of picture row y.
        const int32_t stored = height < 0 ? y : rows - 1 - y;
        uint8_t* row = v.data() + offset + rowBytes * stored;
        for (int32_t x = 0; x < width; ++x) {
            const uint32_t p = pixel(x, y);
            if (bpp < 8) {
                const int bit = x * bpp;
                row[bit / 8] |= static_cast<uint8_t>(p << (8 - bpp - bit % 8));
            } else {
                for (int b = 0; b < bpp / 8; ++b) row[x * (bpp / 8) + b] = static_cast<uint8_t>(p >> (8 * b));
            }
        }
    }
    return v;
}

}  // namespace imaging_test
