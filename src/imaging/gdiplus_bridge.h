// cGDIPlus: the image engine's door to GDI+. It loads any picture GDI+ reads into an image
// object, draws an image object with opacity, grey scale, lightness, mirroring, rotation and a
// chosen interpolation, and encodes an image object as PNG. It keeps no state: GDI+ runs while
// a lent token is alive, or from an operation's own start to its own stop.
#pragma once

#include <windows.h>
#include <objidl.h>

#include <cstdint>
#include <string>
#include <vector>

#include "imaging/com_ptr.h"
#include "imaging/gdiplus_service.h"

namespace imaging {

class c32bppDIB;

class cGDIPlus {
public:
    // GDI+ can be started; with KeepToken the started token is left in `gdiToken` (one reference
    // of the shared start-up), otherwise it is given back at once.
    bool isGDIplusOk(ULONG_PTR& gdiToken, bool KeepToken);

    // PNG bytes of the image into a file (Filename not empty) or into `outStream`.
    bool SaveToPNG(const std::string& Filename, std::vector<uint8_t>& outStream, c32bppDIB& cHost,
                   ULONG_PTR GlobalToken);

    // Draws the image; negative destination sizes mirror, the source rectangle is counted in the
    // mirrored picture. `opacity` in percent.
    bool RenderWithGdiPlus(c32bppDIB& image, HDC dc, float angle, int32_t opacity, int32_t DestX, int32_t DestY,
                           int32_t DestWidth, int32_t DestHeight, int32_t SrcX, int32_t SrcY, int32_t SrcWidth,
                           int32_t SrcHeight, bool highQuality, int32_t grayScale, ULONG_PTR token,
                           float lightness);

    // Loads a file (fileName not empty) or `length` bytes into the image: ImageType 10, alpha for
    // 32-bit ARGB sources.
    bool LoadWithGdiPlus(const std::string& fileName, const uint8_t* data, size_t length, c32bppDIB& image,
                         ULONG_PTR token);

    // Starts GDI+ into `token`, or with `shutdown` gives the token back (result false).
    bool GdiPlusStartStop(ULONG_PTR& token, bool shutdown);

    // 1-based position of the encoder for a MIME type (case ignored), -1 when none.
    static int FindEncoderClsid(const GdiplusApi& api, const std::wstring& mimeType, CLSID& clsid);
    // A stream over a copy of the bytes, or an empty growable stream when there are none.
    static ComPtr<IStream> StreamFromBytes(const uint8_t* data, size_t length);
    // The bytes written into a stream made on global memory; false when they cannot be reached.
    static bool BytesFromStream(IStream* stream, std::vector<uint8_t>& bytes);
};

}  // namespace imaging
