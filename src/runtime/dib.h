// The header of an uncompressed device-independent bitmap, as the DIB section and GetDIBits calls
// take it.
#pragma once

#include <windows.h>

namespace rt {

// A w x h DIB of the given bit count, rows from the top down (bottomUp: from the bottom up).
inline BITMAPINFO DibHeader(int w, int h, WORD bitCount, bool bottomUp = false) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = w;
    info.bmiHeader.biHeight = bottomUp ? h : -h;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = bitCount;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

}  // namespace rt
