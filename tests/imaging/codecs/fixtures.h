// Fixture builders for the decoder tests: PNG chunks and files (compressed with the system zlib),
// a DEFLATE bit writer, and the expected-pixel rules (premultiplied BGRA, bottom row first).
#pragma once

#include <zlib.h>

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "imaging/codecs/png_decoder.h"

namespace fixtures {

using Bytes = std::vector<uint8_t>;

inline void PutBE32(Bytes& b, uint32_t v) {
    for (int s = 24; s >= 0; s -= 8) b.push_back(static_cast<uint8_t>(v >> s));
}

inline Bytes Chunk(const std::string& type, const Bytes& data) {
    Bytes c;
    PutBE32(c, static_cast<uint32_t>(data.size()));
    Bytes td(type.begin(), type.end());
    td.insert(td.end(), data.begin(), data.end());
    c.insert(c.end(), td.begin(), td.end());
    PutBE32(c, static_cast<uint32_t>(::crc32(0, td.data(), static_cast<uInt>(td.size()))));
    return c;
}

inline Bytes Zlib(const Bytes& raw, int level = 9) {
    uLongf len = compressBound(static_cast<uLong>(raw.size()));
    Bytes out(len);
    compress2(out.data(), &len, raw.data(), static_cast<uLong>(raw.size()), level);
    out.resize(len);
    return out;
}

inline Bytes Ihdr(uint32_t w, uint32_t h, uint8_t depth, uint8_t type, uint8_t interlace = 0) {
    Bytes d;
    PutBE32(d, w);
    PutBE32(d, h);
    d.insert(d.end(), {depth, type, 0, 0, interlace});
    return d;
}

inline const Bytes kSignature = {0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A};

// A PNG of the given chunks (already framed), signature first.
inline Bytes Png(std::initializer_list<Bytes> chunks) {
    Bytes png = kSignature;
    for (const Bytes& c : chunks) png.insert(png.end(), c.begin(), c.end());
    return png;
}

// A whole PNG from stored rows (each row: filter byte + row bytes), with optional chunks before IDAT.
inline Bytes SimplePng(uint32_t w, uint32_t h, uint8_t depth, uint8_t type, const Bytes& rows,
                       std::initializer_list<Bytes> before = {}, uint8_t interlace = 0) {
    Bytes png = kSignature;
    auto add = [&](const Bytes& c) { png.insert(png.end(), c.begin(), c.end()); };
    add(Chunk("IHDR", Ihdr(w, h, depth, type, interlace)));
    for (const Bytes& c : before) add(c);
    add(Chunk("IDAT", Zlib(rows)));
    add(Chunk("IEND", {}));
    return png;
}

inline imaging::ZlibFunctions SystemZlib() {
    imaging::ZlibFunctions z;
    z.LibraryFlag = 2;
    z.crc32 = [](uint32_t crc, const uint8_t* p, uint32_t n) {
        return static_cast<uint32_t>(::crc32(crc, p, n));
    };
    z.uncompress = [](uint8_t* d, uint32_t* dl, const uint8_t* s, uint32_t sl) {
        uLongf len = *dl;
        int r = ::uncompress(d, &len, s, sl);
        *dl = static_cast<uint32_t>(len);
        return static_cast<int32_t>(r);
    };
    return z;
}

// zlib's CRC, but an uncompress that always refuses: the own inflater does the work with CRCs checked.
inline imaging::ZlibFunctions CrcOnlyZlib() {
    imaging::ZlibFunctions z = SystemZlib();
    z.uncompress = [](uint8_t*, uint32_t*, const uint8_t*, uint32_t) { return int32_t{-3}; };
    return z;
}

// Premultiplied BGRA as the decoder writes it: alpha 0 leaves 0,0,0,0; colours truncate.
inline void PutExpected(uint8_t* px, unsigned r, unsigned g, unsigned b, unsigned a) {
    if (a == 0) {
        px[0] = px[1] = px[2] = px[3] = 0;
        return;
    }
    px[0] = static_cast<uint8_t>(b * a / 255);
    px[1] = static_cast<uint8_t>(g * a / 255);
    px[2] = static_cast<uint8_t>(r * a / 255);
    px[3] = static_cast<uint8_t>(a);
}

// Expected buffer from straight RGBA rows top to bottom.
inline Bytes ExpectedFromRgba(const std::vector<unsigned>& rgba, int w, int h) {
    Bytes out(static_cast<size_t>(w) * h * 4);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const unsigned* s = &rgba[(static_cast<size_t>(y) * w + x) * 4];
            PutExpected(&out[(static_cast<size_t>(h - 1 - y) * w + x) * 4], s[0], s[1], s[2], s[3]);
        }
    return out;
}

// LSB-first bit writer for hand-made DEFLATE streams.
class BitWriter {
public:
    void Bits(uint32_t value, int n) {
        for (int i = 0; i < n; ++i) Bit((value >> i) & 1);
    }
    // A Huffman code, most significant bit first.
    void Code(uint32_t code, int len) {
        for (int i = len - 1; i >= 0; --i) Bit((code >> i) & 1);
    }
    void AlignToByte() {
        while (count_ != 0) Bit(0);
    }
    void Byte(uint8_t b) { Bits(b, 8); }
    Bytes Finish(bool zlibHeader = true) {
        AlignToByte();
        Bytes out;
        if (zlibHeader) out = {0x78, 0x9C};
        out.insert(out.end(), bytes_.begin(), bytes_.end());
        return out;
    }

private:
    void Bit(uint32_t b) {
        if (count_ == 0) bytes_.push_back(0);
        bytes_.back() = static_cast<uint8_t>(bytes_.back() | (b << count_));
        count_ = (count_ + 1) & 7;
    }
    Bytes bytes_;
    int count_ = 0;
};

// Canonical codes for a list of code lengths.
inline std::vector<uint32_t> CanonicalCodes(const std::vector<int>& lens) {
    int counts[16] = {};
    for (int l : lens) ++counts[l];
    counts[0] = 0;
    uint32_t next[16] = {};
    for (int l = 1; l < 16; ++l) next[l] = (next[l - 1] + counts[l - 1]) << 1;
    std::vector<uint32_t> codes(lens.size());
    for (size_t s = 0; s < lens.size(); ++s)
        if (lens[s]) codes[s] = next[lens[s]]++;
    return codes;
}

// The header of a dynamic block: the code-length code gives every length 0 to 15 a 4-bit code.
inline void DynamicHeader(BitWriter& w, const std::vector<int>& litLens, const std::vector<int>& distLens) {
    w.Bits(static_cast<uint32_t>(litLens.size() - 257), 5);
    w.Bits(static_cast<uint32_t>(distLens.size() - 1), 5);
    w.Bits(15, 4);  // 19 code-length lengths
    static const int order[19] = {16, 17, 18, 0, 8, 7, 9, 6, 10, 5, 11, 4, 12, 3, 13, 2, 14, 1, 15};
    for (int s : order) w.Bits(s < 16 ? 4 : 0, 3);
    for (int l : litLens) w.Code(static_cast<uint32_t>(l), 4);
    for (int l : distLens) w.Code(static_cast<uint32_t>(l), 4);
}

}  // namespace fixtures
