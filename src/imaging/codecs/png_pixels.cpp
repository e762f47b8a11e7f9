#include "imaging/codecs/png_pixels.h"

#include <cstdlib>
#include <cstring>

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

// Undoes one row's filter for a distance of D bytes: `raw` (the stored bytes) into `row`; `prior` is
// the unfiltered row above, or null for a first row. The D bytes left of the current ones are
// carried in locals, so that each byte waits only for its own channel, not for a store to memory.
template <size_t D>
void UnfilterFixed(uint8_t filter, const uint8_t* raw, uint8_t* row, const uint8_t* prior, size_t n) {
    uint8_t a[D] = {}, c[D] = {};
    switch (filter) {
        case 1:
            for (size_t i = 0; i < n; i += D)
                for (size_t k = 0; k < D; ++k) row[i + k] = a[k] = static_cast<uint8_t>(raw[i + k] + a[k]);
            break;
        case 2:
            for (size_t i = 0; i < n; ++i) row[i] = static_cast<uint8_t>(raw[i] + prior[i]);
            break;
        case 3:
            for (size_t i = 0; i < n; i += D)
                for (size_t k = 0; k < D; ++k)
                    row[i + k] = a[k] = static_cast<uint8_t>(raw[i + k] + ((a[k] + prior[i + k]) >> 1));
            break;
        case 4:
            for (size_t i = 0; i < n; i += D)
                for (size_t k = 0; k < D; ++k) {
                    const int b = prior[i + k];
                    const int pa = std::abs(b - c[k]), pb = std::abs(a[k] - c[k]),
                              pc = std::abs(a[k] + b - 2 * c[k]);
                    const int pred = (pa <= pb && pa <= pc) ? a[k] : (pb <= pc ? b : c[k]);
                    row[i + k] = a[k] = static_cast<uint8_t>(raw[i + k] + pred);
                    c[k] = static_cast<uint8_t>(b);
                }
            break;
    }
}

// Undoes a row's filter (`n` bytes, a whole number of `d`-byte steps); false for an unknown filter.
bool Unfilter(uint8_t filter, const uint8_t* raw, uint8_t* row, const uint8_t* prior, size_t n, size_t d) {
    if (filter > 4) return false;
    if (filter == 0 || (filter == 2 && !prior)) {
        std::memcpy(row, raw, n);
        return true;
    }
    if (!prior) {
        // Above and upper-left are 0: Average halves the left byte, Sub and Paeth take it whole.
        for (size_t i = 0; i < n; ++i) {
            const uint8_t left = i >= d ? row[i - d] : 0;
            row[i] = static_cast<uint8_t>(raw[i] + (filter == 3 ? left >> 1 : left));
        }
        return true;
    }
    using Fixed = void (*)(uint8_t, const uint8_t*, uint8_t*, const uint8_t*, size_t);
    static constexpr Fixed kByDistance[9] = {nullptr,          UnfilterFixed<1>, UnfilterFixed<2>,
                                             UnfilterFixed<3>, UnfilterFixed<4>, nullptr,
                                             UnfilterFixed<6>, nullptr,          UnfilterFixed<8>};
    if (d > 8 || !kByDistance[d]) return false;
    kByDistance[d](filter, raw, row, prior, n);
    return true;
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

RowDecoder::RowDecoder(const ImageHeader& h, std::vector<uint8_t> palette, const Transparency& trans,
                       uint8_t* bits)
    : h_(h), palette_(std::move(palette)), trans_(trans), bits_(bits) {
    if (h_.colorType == 0 || h_.colorType == 3) PrepareGrayPalette(h_, palette_);
    distance_ = static_cast<size_t>(FilterDistance(h_));
    interlaced_ = h_.interlace == 1;
    pass_ = interlaced_ ? 0 : 7;
    const size_t widest = static_cast<size_t>(ScanlineBytes(h_, static_cast<uint64_t>(h_.width)));
    stored_.resize(widest + 1);
    row_.resize(widest);
    prior_.resize(widest);
    NextPass();
}

// Moves to the next pass that has pixels; past the last one, every further byte is ignored.
void RowDecoder::NextPass() {
    for (++pass_; pass_ <= (interlaced_ ? 7 : 8); ++pass_) {
        const Pass& p = kPasses[pass_];
        cols_ = PassColumns(h_, p);
        rows_ = PassRows(h_, p);
        if (cols_ == 0 || rows_ == 0) continue;
        rowBytes_ = static_cast<size_t>(ScanlineBytes(h_, cols_));
        row_k_ = 0;
        havePrior_ = false;
        return;
    }
    rowBytes_ = 0;
}

bool RowDecoder::Row(const uint8_t* stored) {
    const ConvertContext ctx{h_, palette_, trans_};
    if (!Unfilter(stored[0], stored + 1, row_.data(), havePrior_ ? prior_.data() : nullptr, rowBytes_,
                  distance_)) {
        if (interlaced_) return false;
        std::memcpy(row_.data(), stored + 1, rowBytes_);
    }
    const Pass& pass = kPasses[pass_];
    const uint64_t y = static_cast<uint64_t>(pass.r0) + row_k_ * static_cast<uint64_t>(pass.dr);
    const size_t stride = static_cast<size_t>(h_.width) * 4;
    uint8_t* dst =
        bits_ + (static_cast<uint64_t>(h_.height) - 1 - y) * stride + static_cast<size_t>(pass.c0) * 4;
    if (!ConvertRow(ctx, row_.data(), dst, cols_, static_cast<size_t>(pass.dc) * 4)) return false;
    row_.swap(prior_);
    havePrior_ = true;
    if (++row_k_ == rows_) NextPass();
    return true;
}

bool RowDecoder::Feed(const uint8_t* data, size_t n) {
    while (n > 0 && rowBytes_ > 0) {
        const size_t need = rowBytes_ + 1;
        if (pending_ == 0 && n >= need) {
            // A whole row in the data: unfiltered straight from it.
            if (!Row(data)) return false;
            data += need;
            n -= need;
            continue;
        }
        const size_t take = std::min(need - pending_, n);
        std::memcpy(stored_.data() + pending_, data, take);
        pending_ += take;
        data += take;
        n -= take;
        if (pending_ == need) {
            pending_ = 0;
            if (!Row(stored_.data())) return false;
        }
    }
    return true;
}

bool RowDecoder::FeedZeros(size_t n) {
    static const uint8_t zeros[4096] = {};
    while (n > 0 && rowBytes_ > 0) {
        const size_t take = std::min(n, sizeof zeros);
        if (!Feed(zeros, take)) return false;
        n -= take;
    }
    return true;
}

}  // namespace imaging::png
