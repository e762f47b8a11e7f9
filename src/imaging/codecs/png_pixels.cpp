#include "imaging/codecs/png_pixels.h"

#include <cstdlib>

namespace imaging::png {
namespace {

// Row start, column start, row step, column step; pass 8 is the whole image.
struct Pass {
    int r0, c0, dr, dc;
};
constexpr Pass kPasses[9] = {{0, 0, 1, 1}, {0, 0, 8, 8}, {0, 4, 8, 8}, {4, 0, 8, 4}, {0, 2, 4, 4},
                             {2, 0, 4, 2}, {0, 1, 2, 2}, {1, 0, 2, 1}, {0, 0, 1, 1}};

int BitsPerPixel(const ImageHeader& h) {
    switch (h.colorType) {
        case 0:
        case 3:
            return h.bitDepth;
        case 2:
            return h.bitDepth * 3;
        case 4:
            return h.bitDepth * 2;
        case 6:
            return h.bitDepth * 4;
    }
    return 0;
}

// Filter distance in bytes.
int FilterDistance(const ImageHeader& h) {
    int bits = BitsPerPixel(h);
    return bits < 8 ? 1 : bits / 8;
}

uint64_t ScanlineBytes(const ImageHeader& h, uint64_t columns) {
    return (static_cast<uint64_t>(BitsPerPixel(h)) * columns + 7) / 8;
}

uint64_t PassColumns(const ImageHeader& h, const Pass& p) {
    return static_cast<uint64_t>(h.width / p.dc + (p.c0 < h.width % p.dc ? 1 : 0));
}
uint64_t PassRows(const ImageHeader& h, const Pass& p) {
    return static_cast<uint64_t>(h.height / p.dr + (p.r0 < h.height % p.dr ? 1 : 0));
}

// Undoes one row's filter in place; `prior` is the unfiltered row above, or null for a first row.
bool Unfilter(uint8_t filter, uint8_t* row, const uint8_t* prior, size_t n, size_t d) {
    switch (filter) {
        case 0:
            return true;
        case 1:
            for (size_t i = d; i < n; ++i) row[i] = static_cast<uint8_t>(row[i] + row[i - d]);
            return true;
        case 2:
            if (prior)
                for (size_t i = 0; i < n; ++i) row[i] = static_cast<uint8_t>(row[i] + prior[i]);
            return true;
        case 3:
            if (prior) {
                for (size_t i = 0; i < d && i < n; ++i)
                    row[i] = static_cast<uint8_t>(row[i] + (prior[i] >> 1));
                for (size_t i = d; i < n; ++i)
                    row[i] = static_cast<uint8_t>(row[i] + ((row[i - d] + prior[i]) >> 1));
            } else {
                for (size_t i = d; i < n; ++i) row[i] = static_cast<uint8_t>(row[i] + (row[i - d] >> 1));
            }
            return true;
        case 4:
            if (prior) {
                for (size_t i = 0; i < d && i < n; ++i) row[i] = static_cast<uint8_t>(row[i] + prior[i]);
                for (size_t i = d; i < n; ++i) {
                    const int a = row[i - d], b = prior[i], c = prior[i - d];
                    const int p = a + b - c;
                    const int pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
                    const int pred = (pa <= pb && pa <= pc) ? a : (pb <= pc ? b : c);
                    row[i] = static_cast<uint8_t>(row[i] + pred);
                }
            } else {
                // Above and upper-left are 0: Paeth picks the left byte.
                for (size_t i = d; i < n; ++i) row[i] = static_cast<uint8_t>(row[i] + row[i - d]);
            }
            return true;
    }
    return false;
}

// Writes one pixel; fully transparent pixels are left as the blank picture has them.
inline void Put(uint8_t* px, uint32_t r, uint32_t g, uint32_t b, uint32_t a) {
    if (a == 0) return;
    if (a == 255) {
        px[0] = static_cast<uint8_t>(b);
        px[1] = static_cast<uint8_t>(g);
        px[2] = static_cast<uint8_t>(r);
        px[3] = 255;
        return;
    }
    px[0] = static_cast<uint8_t>(b * a / 255);
    px[1] = static_cast<uint8_t>(g * a / 255);
    px[2] = static_cast<uint8_t>(r * a / 255);
    px[3] = static_cast<uint8_t>(a);
}

struct ConvertContext {
    const ImageHeader& h;
    const std::vector<uint8_t>& palette;
    const Transparency& trans;
};

// Converts `n` pixels of one stored row; `dst` steps `step` bytes per pixel.
bool ConvertRow(const ConvertContext& ctx, const uint8_t* s, uint8_t* dst, uint64_t n, size_t step) {
    const ImageHeader& h = ctx.h;
    const int32_t key = ctx.trans.TransKey;
    const uint8_t* ks = ctx.trans.keySamples;
    if (h.bitDepth == 16) {
        switch (h.colorType) {
            case 6:
                for (uint64_t i = 0; i < n; ++i, s += 8, dst += step) Put(dst, s[0], s[2], s[4], s[6]);
                return true;
            case 4:
                for (uint64_t i = 0; i < n; ++i, s += 4, dst += step) Put(dst, s[0], s[0], s[0], s[2]);
                return true;
            case 2:
                for (uint64_t i = 0; i < n; ++i, s += 6, dst += step) {
                    const bool clear = key != -1 && s[0] == ks[0] && s[2] == ks[2] && s[4] == ks[4];
                    if (!clear) Put(dst, s[0], s[2], s[4], 255);
                }
                return true;
            case 0:
                for (uint64_t i = 0; i < n; ++i, s += 2, dst += step)
                    if (key == -1 || s[0] != ks[0]) Put(dst, s[0], s[0], s[0], 255);
                return true;
        }
        return false;
    }
    if (h.colorType == 6) {
        for (uint64_t i = 0; i < n; ++i, s += 4, dst += step) Put(dst, s[0], s[1], s[2], s[3]);
        return true;
    }
    if (h.colorType == 4) {
        for (uint64_t i = 0; i < n; ++i, s += 2, dst += step) Put(dst, s[0], s[0], s[0], s[1]);
        return true;
    }
    if (h.colorType == 2) {
        const int kr = (key >> 16) & 255, kg = (key >> 8) & 255, kb = key & 255;
        for (uint64_t i = 0; i < n; ++i, s += 3, dst += step) {
            if (key != -1 && s[0] == kr && s[1] == kg && s[2] == kb) continue;
            Put(dst, s[0], s[1], s[2], 255);
        }
        return true;
    }
    // Indexed samples of 1 to 8 bits: palette entries, or grey ramp entries for grey images.
    const uint8_t* pal = ctx.palette.data();
    const uint64_t entries = ctx.palette.size() / 3;
    const unsigned depth = h.bitDepth;
    const unsigned mask = (1u << depth) - 1;
    int shift = 8 - static_cast<int>(depth);
    const bool indexed = h.colorType == 3;
    const uint8_t* alpha = ctx.trans.alphaTable.data();
    const bool useAlphaTable = indexed && key != -1 && ctx.trans.alphaTable.size() >= 256;
    for (uint64_t i = 0; i < n; ++i, dst += step) {
        const unsigned sample = (*s >> shift) & mask;
        shift -= static_cast<int>(depth);
        if (shift < 0) {
            shift = 8 - static_cast<int>(depth);
            ++s;
        }
        if (sample >= entries) return false;
        const uint8_t* e = pal + sample * 3;
        if (indexed) {
            Put(dst, e[0], e[1], e[2], useAlphaTable ? alpha[sample] : 255);
        } else if (static_cast<int32_t>(sample) != key) {
            Put(dst, e[0], e[1], e[2], 255);
        }
    }
    return true;
}

// Grey images, and palette images without PLTE: 256 black entries with the grey ramp.
void PrepareGrayPalette(const ImageHeader& h, std::vector<uint8_t>& palette) {
    if (!palette.empty()) return;
    palette.assign(256 * 3, 0);
    if (h.bitDepth > 8) return;
    const unsigned top = (1u << h.bitDepth) - 1;
    const unsigned step = 255 / top;
    for (unsigned i = 1; i <= top; ++i) {
        palette[i * 3] = palette[i * 3 + 1] = palette[i * 3 + 2] = static_cast<uint8_t>(i * step);
    }
}

}  // namespace

uint64_t ExpectedDataSize(const ImageHeader& h) {
    if (h.width < 1 || h.height < 1 || BitsPerPixel(h) == 0) return 0;
    if (h.interlace == 0) return static_cast<uint64_t>(h.height) * (ScanlineBytes(h, h.width) + 1);
    uint64_t total = 0;
    for (int p = 1; p <= 7; ++p) {
        const uint64_t rows = PassRows(h, kPasses[p]);
        total += rows * (ScanlineBytes(h, PassColumns(h, kPasses[p])) + 1);
    }
    return total;
}

bool Reconstruct(const ImageHeader& h, uint8_t* data, size_t size, std::vector<uint8_t> palette,
                 const Transparency& trans, uint8_t* bits) {
    if (h.colorType == 0 || h.colorType == 3) PrepareGrayPalette(h, palette);
    const ConvertContext ctx{h, palette, trans};
    const size_t d = static_cast<size_t>(FilterDistance(h));
    const size_t stride = static_cast<size_t>(h.width) * 4;
    const bool interlaced = h.interlace == 1;
    uint64_t offset = 0;
    for (int p = interlaced ? 1 : 8; p <= (interlaced ? 7 : 8); ++p) {
        const Pass& pass = kPasses[p];
        const uint64_t cols = PassColumns(h, pass), rows = PassRows(h, pass);
        if (cols == 0 || rows == 0) continue;
        const uint64_t rowBytes = ScanlineBytes(h, cols);
        const uint64_t L = rowBytes + 1;
        if (offset + rows * L > size) return false;
        const uint8_t* prior = nullptr;
        for (uint64_t k = 0; k < rows; ++k) {
            uint8_t* row = data + offset + k * L;
            if (!Unfilter(row[0], row + 1, prior, static_cast<size_t>(rowBytes), d) && interlaced)
                return false;
            prior = row + 1;
            const uint64_t y = static_cast<uint64_t>(pass.r0) + k * static_cast<uint64_t>(pass.dr);
            uint8_t* dst =
                bits + (static_cast<uint64_t>(h.height) - 1 - y) * stride + static_cast<size_t>(pass.c0) * 4;
            if (!ConvertRow(ctx, row + 1, dst, cols, static_cast<size_t>(pass.dc) * 4)) return false;
        }
        offset += rows * L;
    }
    return true;
}

}  // namespace imaging::png
