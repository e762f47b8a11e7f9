// The PNG decoder on any bytes, with zlib (CRCs checked, zlib inflates, the own inflater as fallback)
// or without it (own inflater, no CRCs), through the byte-range and the file entry.
#include <zlib.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "fuzz_support.h"
#include "imaging/codecs/png_decoder.h"

namespace {

class MemoryFile final : public imaging::PngFileSource {
public:
    MemoryFile(const uint8_t* d, size_t n) : data_(d), size_(n) {}
    int64_t Size() override { return static_cast<int64_t>(size_); }
    bool ReadAt(int64_t pos, uint8_t* buf, size_t n) override {
        if (pos < 0 || static_cast<uint64_t>(pos) + n > size_) return false;
        std::memcpy(buf, data_ + pos, n);
        return true;
    }

private:
    const uint8_t* data_;
    size_t size_;
};

imaging::ZlibFunctions SystemZlib() {
    imaging::ZlibFunctions z;
    z.LibraryFlag = 2;
    z.crc32 = [](uint32_t crc, const uint8_t* p, uint32_t n) {
        return static_cast<uint32_t>(::crc32(crc, p, n));
    };
    z.uncompress = [](uint8_t* d, uint32_t* dl, const uint8_t* s, uint32_t sl) {
        uLongf len = *dl;
        const int r = ::uncompress(d, &len, s, sl);
        *dl = static_cast<uint32_t>(len);
        return static_cast<int32_t>(r);
    };
    return z;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    const uint8_t mode = data[0];
    ++data;
    --size;
    // The signature is given, so that the runs spend their time behind it.
    std::vector<uint8_t> png = {0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A};
    if (size >= 8 && std::memcmp(data, png.data(), 8) == 0) png.clear();
    png.insert(png.end(), data, data + size);

    imaging::cPNGparser parser(mode & 1 ? SystemZlib() : imaging::ZlibFunctions{});
    fuzz::LimitedDib dib;
    bool recognised;
    if (mode & 2) {
        MemoryFile file(png.data(), png.size());
        recognised = parser.LoadFile(file, "", dib);
    } else {
        recognised = parser.LoadStream(png, dib, 0, static_cast<int64_t>(png.size()));
    }
    if (!recognised) abort();
    if (dib.HasPicture() && !dib.PixelsArePremultiplied()) abort();
    return 0;
}
