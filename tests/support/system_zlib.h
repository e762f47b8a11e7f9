// The functions of the zlib the native build links, as the image engine's ZlibApi (the Windows
// build finds its zlib at run time instead). For native tests and benchmarks of the PNG writer.
#pragma once

#include <zlib.h>

#include "imaging/zlib_api.h"

namespace testsupport {

inline imaging::ZlibApi SystemZlib(bool withCompress2 = true) {
    imaging::ZlibApi z;
    z.crc32 = [](uint32_t c, const uint8_t* d, uint32_t n) {
        return static_cast<uint32_t>(::crc32(c, d, n));
    };
    // zlib's lengths are unsigned long: wide on 64-bit Linux, 32 bits in the API.
    auto call = [](auto&& f, uint32_t* length) {
        uLongf l = *length;
        const int r = f(&l);
        *length = static_cast<uint32_t>(l);
        return r;
    };
    z.uncompress = [call](uint8_t* d, uint32_t* dl, const uint8_t* s, uint32_t sl) {
        return call([&](uLongf* l) { return ::uncompress(d, l, s, sl); }, dl);
    };
    z.compress = [call](uint8_t* d, uint32_t* dl, const uint8_t* s, uint32_t sl) {
        return call([&](uLongf* l) { return ::compress(d, l, s, sl); }, dl);
    };
    if (withCompress2)
        z.compress2 = [call](uint8_t* d, uint32_t* dl, const uint8_t* s, uint32_t sl, int32_t level) {
            return call([&](uLongf* l) { return ::compress2(d, l, s, sl, level); }, dl);
        };
    return z;
}

}  // namespace testsupport
