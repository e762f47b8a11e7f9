// The zlib functions the PNG decoder and writer are given. Window-free: the Windows side
// (zlib_access.h) finds the library at run time and fills these; an empty `crc32` means no
// library was found.
#pragma once

#include <cstdint>
#include <functional>

namespace imaging {

struct ZlibApi {
    // crc32(crc, data, length)
    std::function<uint32_t(uint32_t, const uint8_t*, uint32_t)> crc32;
    // uncompress(dest, destLength in/out, source, sourceLength): 0 on success
    std::function<int32_t(uint8_t*, uint32_t*, const uint8_t*, uint32_t)> uncompress;
    // compress2(dest, destLength in/out, source, sourceLength, level): empty when not exported
    std::function<int32_t(uint8_t*, uint32_t*, const uint8_t*, uint32_t, int32_t)> compress2;
    // compress(dest, destLength in/out, source, sourceLength)
    std::function<int32_t(uint8_t*, uint32_t*, const uint8_t*, uint32_t)> compress;

    explicit operator bool() const { return static_cast<bool>(crc32); }
};

}  // namespace imaging
