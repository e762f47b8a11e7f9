// A "zlib.dll" whose crc32 removes its own arguments, as some zlib builds for 32-bit Windows do.
#include <windows.h>

extern "C" unsigned long WINAPI crc32(unsigned long crc, const unsigned char* data, unsigned length) {
    crc = ~crc;
    for (unsigned i = 0; i < length; ++i) {
        crc ^= data[i];
        for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}
