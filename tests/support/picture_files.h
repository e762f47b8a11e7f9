// Picture files for the slideshow and thumbnail tests: solid pictures of a size, written as BMP or
// JPEG through GDI+ (a half-and-half picture shows which way round it was drawn).
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "imaging/gdiplus_bridge.h"
#include "imaging/gdiplus_service.h"

namespace mediatest {

// Writes a w x h picture whose left half is `left` and right half `right` (COLORREF); the format
// by MIME type ("image/bmp", "image/jpeg"). False when GDI+ could not write it.
inline bool WritePicture(const std::string& path, int w, int h, COLORREF left, COLORREF right,
                         const wchar_t* mime = L"image/bmp") {
    imaging::GdiplusSession gdip(0);
    if (!gdip) return false;
    const imaging::GdiplusApi& api = *gdip.api();
    std::vector<uint32_t> pixels(static_cast<size_t>(w) * h);
    const auto argb = [](COLORREF c) {
        return 0xFF000000u | (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
    };
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) pixels[static_cast<size_t>(y) * w + x] = argb(x < w / 2 ? left : right);
    imaging::gdip::GpBitmap* bitmap = nullptr;
    if (api.GdipCreateBitmapFromScan0(w, h, w * 4, imaging::gdip::PixelFormat32bppARGB,
                                      reinterpret_cast<BYTE*>(pixels.data()), &bitmap) != 0)
        return false;
    CLSID encoder{};
    bool ok = imaging::cGDIPlus::FindEncoderClsid(api, mime, encoder) > 0;
    if (ok) {
        std::wstring wide(path.begin(), path.end());
        ok = api.GdipSaveImageToFile(bitmap, wide.c_str(), &encoder, nullptr) == 0;
    }
    api.GdipDisposeImage(bitmap);
    return ok;
}

inline bool WriteSolid(const std::string& path, int w, int h, COLORREF c,
                       const wchar_t* mime = L"image/bmp") {
    return WritePicture(path, w, h, c, c, mime);
}

}  // namespace mediatest
