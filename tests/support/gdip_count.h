// Counts the GDI+ objects the program holds (pens, brushes, paths, matrices, images, image
// attributes, regions) and writes down chosen calls, by wrapping the functions of the GDI+
// service's tables. The wrap is made at each start of GDI+: install it while GDI+ is not running.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "imaging/gdiplus_service.h"

namespace shapestest {

struct GdipObjects {
    static inline int pens = 0, brushes = 0, paths = 0, matrices = 0, images = 0, attributes = 0, regions = 0;
    static inline int loads = 0;
    // Names of the calls in `watched`, in the order they were made.
    static inline std::vector<std::string> log;
    static inline std::vector<std::string> watched;

    static int Live() { return pens + brushes + paths + matrices + images + attributes + regions; }
    static void Reset() {
        pens = brushes = paths = matrices = images = attributes = regions = loads = 0;
        log.clear();
    }
    static void Note(const char* name) {
        for (const std::string& w : watched)
            if (w == name) log.push_back(name);
    }
    static void Install() {
        Reset();
        imaging::GdiplusService::Instance().SetTableFilter(&Filter);
    }
    static void Remove() { imaging::GdiplusService::Instance().SetTableFilter(nullptr); }

private:
    template <int Id, class F>
    struct Hook;
    template <int Id, class R, class... A>
    struct Hook<Id, R(WINAPI*)(A...)> {
        static inline R(WINAPI* original)(A...) = nullptr;
        static inline int* counter = nullptr;
        static inline int delta = 0;
        static inline const char* name = "";
        static R WINAPI Call(A... a) {
            Note(name);
            R r = original(a...);
            if (r == 0 && counter) *counter += delta;
            return r;
        }
    };

#define SHAPESTEST_WRAP(table, fn, count, d)             \
    do {                                                 \
        using H = Hook<__COUNTER__, decltype(table.fn)>; \
        H::original = table.fn;                          \
        H::counter = count;                              \
        H::delta = d;                                    \
        H::name = #fn;                                   \
        if (table.fn) table.fn = &H::Call;               \
    } while (0)

    static void Filter(imaging::GdiplusApi& i, imaging::GdiplusShapeApi& s) {
        ++loads;
        SHAPESTEST_WRAP(s, GdipCreatePen1, &pens, 1);
        SHAPESTEST_WRAP(s, GdipDeletePen, &pens, -1);
        SHAPESTEST_WRAP(s, GdipCreateSolidFill, &brushes, 1);
        SHAPESTEST_WRAP(s, GdipCreateHatchBrush, &brushes, 1);
        SHAPESTEST_WRAP(s, GdipCreateTexture, &brushes, 1);
        SHAPESTEST_WRAP(s, GdipCreateTexture2, &brushes, 1);
        SHAPESTEST_WRAP(s, GdipCreateTextureIA, &brushes, 1);
        SHAPESTEST_WRAP(s, GdipCreateLineBrushFromRect, &brushes, 1);
        SHAPESTEST_WRAP(s, GdipCreateLineBrush, &brushes, 1);
        SHAPESTEST_WRAP(s, GdipCreatePathGradient, &brushes, 1);
        SHAPESTEST_WRAP(s, GdipCreatePathGradientFromPath, &brushes, 1);
        SHAPESTEST_WRAP(s, GdipDeleteBrush, &brushes, -1);
        SHAPESTEST_WRAP(s, GdipCreatePath, &paths, 1);
        SHAPESTEST_WRAP(s, GdipCreatePath2, &paths, 1);
        SHAPESTEST_WRAP(s, GdipClonePath, &paths, 1);
        SHAPESTEST_WRAP(s, GdipDeletePath, &paths, -1);
        SHAPESTEST_WRAP(s, GdipCreateMatrix, &matrices, 1);
        SHAPESTEST_WRAP(s, GdipCreateMatrix2, &matrices, 1);
        SHAPESTEST_WRAP(s, GdipCloneMatrix, &matrices, 1);
        SHAPESTEST_WRAP(s, GdipDeleteMatrix, &matrices, -1);
        SHAPESTEST_WRAP(s, GdipCreateRegionPath, &regions, 1);
        SHAPESTEST_WRAP(s, GdipDeleteRegion, &regions, -1);
        SHAPESTEST_WRAP(s, GdipGetTextureImage, &images, 1);
        SHAPESTEST_WRAP(s, GdipCloneImage, &images, 1);
        SHAPESTEST_WRAP(i, GdipLoadImageFromStream, &images, 1);
        SHAPESTEST_WRAP(i, GdipLoadImageFromFile, &images, 1);
        SHAPESTEST_WRAP(i, GdipCreateBitmapFromScan0, &images, 1);
        SHAPESTEST_WRAP(i, GdipCreateBitmapFromHBITMAP, &images, 1);
        SHAPESTEST_WRAP(i, GdipCreateBitmapFromHICON, &images, 1);
        SHAPESTEST_WRAP(i, GdipDisposeImage, &images, -1);
        SHAPESTEST_WRAP(i, GdipCreateImageAttributes, &attributes, 1);
        SHAPESTEST_WRAP(i, GdipDisposeImageAttributes, &attributes, -1);
        // Calls that only show which build ran.
        SHAPESTEST_WRAP(s, GdipResetPath, nullptr, 0);
        SHAPESTEST_WRAP(s, GdipSetSolidFillColor, nullptr, 0);
        SHAPESTEST_WRAP(s, GdipSetPenColor, nullptr, 0);
    }
#undef SHAPESTEST_WRAP
};

}  // namespace shapestest
