// A zlib library that exports crc32 (a real one, so chunk checks pass) but no uncompress.
#include <cstdint>

extern "C" __declspec(dllexport) unsigned long crc32(unsigned long crc, const unsigned char* data,
                                                     unsigned length) {
    uint32_t c = static_cast<uint32_t>(crc) ^ 0xFFFFFFFFu;
    for (unsigned i = 0; data && i < length; ++i) {
        c ^= data[i];
        for (int k = 0; k < 8; ++k) c = (c >> 1) ^ (0xEDB88320u & (0u - (c & 1u)));
    }
    return c ^ 0xFFFFFFFFu;
}
