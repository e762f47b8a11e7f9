// Shared pieces of the vector object tests: a table filter that counts the deletes of pens and
// brushes, and a memory DC with a 32-bit surface to read pixels back from.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>

#include "imaging/gdiplus_service.h"
#include "runtime/handles.h"

namespace gdiptest {

namespace gdip = imaging::gdip;

struct DeleteCounts {
    static inline int pens = 0, brushes = 0, matrices = 0, paths = 0;
    static inline gdip::Status(WINAPI* deletePen)(gdip::GpPen*) = nullptr;
    static inline gdip::Status(WINAPI* deleteBrush)(gdip::GpBrush*) = nullptr;
    static inline gdip::Status(WINAPI* deleteMatrix)(gdip::GpMatrix*) = nullptr;
    static inline gdip::Status(WINAPI* deletePath)(gdip::GpPath*) = nullptr;
    static gdip::Status WINAPI DeletePen(gdip::GpPen* p) {
        ++pens;
        return deletePen(p);
    }
    static gdip::Status WINAPI DeleteBrush(gdip::GpBrush* b) {
        ++brushes;
        return deleteBrush(b);
    }
    static gdip::Status WINAPI DeleteMatrix(gdip::GpMatrix* m) {
        ++matrices;
        return deleteMatrix(m);
    }
    static gdip::Status WINAPI DeletePath(gdip::GpPath* p) {
        ++paths;
        return deletePath(p);
    }
    static void Filter(imaging::GdiplusApi&, imaging::GdiplusShapeApi& s) {
        deletePen = s.GdipDeletePen;
        deleteBrush = s.GdipDeleteBrush;
        deleteMatrix = s.GdipDeleteMatrix;
        deletePath = s.GdipDeletePath;
        s.GdipDeletePen = &DeletePen;
        s.GdipDeleteBrush = &DeleteBrush;
        s.GdipDeleteMatrix = &DeleteMatrix;
        s.GdipDeletePath = &DeletePath;
    }
    static void Clear() { pens = brushes = matrices = paths = 0; }
};

// A w x h 32-bit top-down DIB selected into a memory DC, filled with a colour.
class Surface {
public:
    Surface(int w, int h, COLORREF fill) : w_(w), h_(h), dc_(CreateCompatibleDC(nullptr)) {
        BITMAPINFO bi{};
        bi.bmiHeader.biSize = sizeof bi.bmiHeader;
        bi.bmiHeader.biWidth = w;
        bi.bmiHeader.biHeight = -h;
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        bitmap_.reset(CreateDIBSection(dc_.get(), &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
        bits_ = static_cast<uint32_t*>(bits);
        old_ = SelectObject(dc_.get(), bitmap_.get());
        rt::Brush b(CreateSolidBrush(fill));
        RECT r{0, 0, w, h};
        FillRect(dc_.get(), &r, b.get());
        GdiFlush();
    }
    ~Surface() { SelectObject(dc_.get(), old_); }
    HDC dc() const { return dc_.get(); }
    // The pixel as 0xRRGGBB.
    uint32_t At(int x, int y) const {
        GdiFlush();
        return bits_[static_cast<size_t>(y) * static_cast<size_t>(w_) + static_cast<size_t>(x)] & 0xFFFFFF;
    }

private:
    int w_, h_;
    rt::CreatedDC dc_;
    rt::Bitmap bitmap_;
    uint32_t* bits_ = nullptr;
    HGDIOBJ old_ = nullptr;
};

inline int Red(uint32_t c) {
    return static_cast<int>((c >> 16) & 255);
}
inline int Green(uint32_t c) {
    return static_cast<int>((c >> 8) & 255);
}
inline int Blue(uint32_t c) {
    return static_cast<int>(c & 255);
}

}  // namespace gdiptest
