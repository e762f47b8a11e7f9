// cBMPparser: the BMP reader of the loading chain and the converter of bitmap handles and
// picture objects into the image object.
#pragma once

#include <windows.h>
#include <ocidl.h>

#include <cstdint>

namespace imaging {

class c32bppDIB;

class cBMPparser {
public:
    // Copies uncompressed 32-bit BMP data itself and hands any other data to the platform's
    // picture loader (other BMPs, JPEG, GIF, icons, metafiles). `refused` tells a BMP whose header
    // forbids loading it at all (no other reader may try it either).
    bool LoadStream(const uint8_t* data, size_t length, c32bppDIB& cHost, bool* refused = nullptr);
    // Converts a picture object, or (with no picture) a bitmap handle, into the image.
    bool ConvertstdPicTo32bpp(IPicture* stdPic, HBITMAP Handle, c32bppDIB& cHost, int32_t bitCount);
};

}  // namespace imaging
