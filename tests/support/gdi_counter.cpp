#include "support/gdi_counter.h"

#include <windows.h>

#include <cstring>
#include <set>
#include <vector>

namespace testsupport {

namespace {

std::set<void*> g_live;
std::set<HDC> g_heldDCs;
std::size_t g_created = 0;

void Created(void* handle) {
    if (handle == nullptr) return;
    ++g_created;
    g_live.insert(handle);
}

// One counting replacement per import: the original's address is kept beside it.
#define COUNT_CREATE(name, ret, params, args)     \
    using name##_fn = ret(WINAPI*) params;        \
    name##_fn g_##name = nullptr;                 \
    ret WINAPI Count_##name params {              \
        ret handle = g_##name args;               \
        Created(reinterpret_cast<void*>(handle)); \
        return handle;                            \
    }

COUNT_CREATE(CreateCompatibleDC, HDC, (HDC dc), (dc))
COUNT_CREATE(CreateDCA, HDC, (LPCSTR a, LPCSTR b, LPCSTR c, const DEVMODEA* d), (a, b, c, d))
COUNT_CREATE(CreateDCW, HDC, (LPCWSTR a, LPCWSTR b, LPCWSTR c, const DEVMODEW* d), (a, b, c, d))
COUNT_CREATE(CreateICA, HDC, (LPCSTR a, LPCSTR b, LPCSTR c, const DEVMODEA* d), (a, b, c, d))
COUNT_CREATE(CreateDIBSection, HBITMAP,
             (HDC dc, const BITMAPINFO* bi, UINT usage, void** bits, HANDLE sec, DWORD off),
             (dc, bi, usage, bits, sec, off))
COUNT_CREATE(CreateCompatibleBitmap, HBITMAP, (HDC dc, int w, int h), (dc, w, h))
COUNT_CREATE(CreateBitmap, HBITMAP, (int w, int h, UINT planes, UINT bpp, const void* bits),
             (w, h, planes, bpp, bits))
COUNT_CREATE(CreateBitmapIndirect, HBITMAP, (const BITMAP* bm), (bm))
COUNT_CREATE(CreateDIBitmap, HBITMAP,
             (HDC dc, const BITMAPINFOHEADER* h, DWORD init, const void* bits, const BITMAPINFO* bi,
              UINT usage),
             (dc, h, init, bits, bi, usage))
COUNT_CREATE(CreateSolidBrush, HBRUSH, (COLORREF c), (c))
COUNT_CREATE(CreateHatchBrush, HBRUSH, (int style, COLORREF c), (style, c))
COUNT_CREATE(CreatePatternBrush, HBRUSH, (HBITMAP bm), (bm))
COUNT_CREATE(CreateBrushIndirect, HBRUSH, (const LOGBRUSH* lb), (lb))
COUNT_CREATE(CreatePen, HPEN, (int style, int width, COLORREF c), (style, width, c))
COUNT_CREATE(CreatePenIndirect, HPEN, (const LOGPEN* lp), (lp))
COUNT_CREATE(ExtCreatePen, HPEN, (DWORD style, DWORD width, const LOGBRUSH* lb, DWORD n, const DWORD* st),
             (style, width, lb, n, st))
COUNT_CREATE(CreateFontIndirectA, HFONT, (const LOGFONTA* lf), (lf))
COUNT_CREATE(CreateFontIndirectW, HFONT, (const LOGFONTW* lf), (lf))
COUNT_CREATE(CreateRectRgn, HRGN, (int a, int b, int c, int d), (a, b, c, d))
COUNT_CREATE(CreateRectRgnIndirect, HRGN, (const RECT* r), (r))
COUNT_CREATE(CreateEllipticRgn, HRGN, (int a, int b, int c, int d), (a, b, c, d))
COUNT_CREATE(CreateRoundRectRgn, HRGN, (int a, int b, int c, int d, int e, int f), (a, b, c, d, e, f))
COUNT_CREATE(CreatePolygonRgn, HRGN, (const POINT* p, int n, int mode), (p, n, mode))
COUNT_CREATE(ExtCreateRegion, HRGN, (const XFORM* x, DWORD n, const RGNDATA* d), (x, n, d))

#undef COUNT_CREATE

using DeleteObject_fn = BOOL(WINAPI*)(HGDIOBJ);
DeleteObject_fn g_DeleteObject = nullptr;
BOOL WINAPI Count_DeleteObject(HGDIOBJ object) {
    BOOL ok = g_DeleteObject(object);
    if (ok) g_live.erase(object);
    return ok;
}
using DeleteDC_fn = BOOL(WINAPI*)(HDC);
DeleteDC_fn g_DeleteDC = nullptr;
BOOL WINAPI Count_DeleteDC(HDC dc) {
    BOOL ok = g_DeleteDC(dc);
    if (ok) g_live.erase(dc);
    return ok;
}

using GetDC_fn = HDC(WINAPI*)(HWND);
GetDC_fn g_GetDC = nullptr, g_GetWindowDC = nullptr;
HDC WINAPI Count_GetDC(HWND wnd) {
    HDC dc = g_GetDC(wnd);
    if (dc) g_heldDCs.insert(dc);
    return dc;
}
HDC WINAPI Count_GetWindowDC(HWND wnd) {
    HDC dc = g_GetWindowDC(wnd);
    if (dc) g_heldDCs.insert(dc);
    return dc;
}
using GetDCEx_fn = HDC(WINAPI*)(HWND, HRGN, DWORD);
GetDCEx_fn g_GetDCEx = nullptr;
HDC WINAPI Count_GetDCEx(HWND wnd, HRGN clip, DWORD flags) {
    HDC dc = g_GetDCEx(wnd, clip, flags);
    if (dc) g_heldDCs.insert(dc);
    return dc;
}
using ReleaseDC_fn = int(WINAPI*)(HWND, HDC);
ReleaseDC_fn g_ReleaseDC = nullptr;
int WINAPI Count_ReleaseDC(HWND wnd, HDC dc) {
    int released = g_ReleaseDC(wnd, dc);
    if (released) g_heldDCs.erase(dc);
    return released;
}

struct Replacement {
    const char* module;
    const char* name;
    void* counting;
    void** original;
};

#define ENTRY(module, name) \
    { module, #name, reinterpret_cast<void*>(&Count_##name), reinterpret_cast<void**>(&g_##name) }
const Replacement kReplacements[] = {
    ENTRY("gdi32.dll", CreateCompatibleDC),
    ENTRY("gdi32.dll", CreateDCA),
    ENTRY("gdi32.dll", CreateDCW),
    ENTRY("gdi32.dll", CreateICA),
    ENTRY("gdi32.dll", CreateDIBSection),
    ENTRY("gdi32.dll", CreateCompatibleBitmap),
    ENTRY("gdi32.dll", CreateBitmap),
    ENTRY("gdi32.dll", CreateBitmapIndirect),
    ENTRY("gdi32.dll", CreateDIBitmap),
    ENTRY("gdi32.dll", CreateSolidBrush),
    ENTRY("gdi32.dll", CreateHatchBrush),
    ENTRY("gdi32.dll", CreatePatternBrush),
    ENTRY("gdi32.dll", CreateBrushIndirect),
    ENTRY("gdi32.dll", CreatePen),
    ENTRY("gdi32.dll", CreatePenIndirect),
    ENTRY("gdi32.dll", ExtCreatePen),
    ENTRY("gdi32.dll", CreateFontIndirectA),
    ENTRY("gdi32.dll", CreateFontIndirectW),
    ENTRY("gdi32.dll", CreateRectRgn),
    ENTRY("gdi32.dll", CreateRectRgnIndirect),
    ENTRY("gdi32.dll", CreateEllipticRgn),
    ENTRY("gdi32.dll", CreateRoundRectRgn),
    ENTRY("gdi32.dll", CreatePolygonRgn),
    ENTRY("gdi32.dll", ExtCreateRegion),
    ENTRY("gdi32.dll", DeleteObject),
    ENTRY("gdi32.dll", DeleteDC),
    ENTRY("user32.dll", GetDC),
    ENTRY("user32.dll", GetWindowDC),
    ENTRY("user32.dll", GetDCEx),
    ENTRY("user32.dll", ReleaseDC),
};
#undef ENTRY

struct Patch {
    void** slot;
    void* original;
};
std::vector<Patch> g_patches;

void WriteSlot(void** slot, void* value) {
    DWORD protection = 0;
    VirtualProtect(slot, sizeof(void*), PAGE_READWRITE, &protection);
    *slot = value;
    VirtualProtect(slot, sizeof(void*), protection, &protection);
}

// Walks the program's import descriptors and redirects every entry named in kReplacements.
void PatchImports() {
    auto* base = reinterpret_cast<BYTE*>(GetModuleHandleA(nullptr));
    auto* dos = reinterpret_cast<IMAGE_DOS_HEADER*>(base);
    auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (dir.VirtualAddress == 0) return;
    for (auto* desc = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + dir.VirtualAddress); desc->Name != 0;
         ++desc) {
        const char* module = reinterpret_cast<const char*>(base + desc->Name);
        if (desc->OriginalFirstThunk == 0) continue;
        auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + desc->OriginalFirstThunk);
        auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + desc->FirstThunk);
        for (; names->u1.AddressOfData != 0; ++names, ++slots) {
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) continue;
            auto* byName = reinterpret_cast<IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
            const char* name = reinterpret_cast<const char*>(byName->Name);
            for (const Replacement& r : kReplacements) {
                if (_stricmp(module, r.module) != 0 || std::strcmp(name, r.name) != 0) continue;
                void** slot = reinterpret_cast<void**>(&slots->u1.Function);
                *r.original = *slot;
                g_patches.push_back({slot, *slot});
                WriteSlot(slot, r.counting);
            }
        }
    }
}

}  // namespace

GdiCounter::GdiCounter() {
    g_live.clear();
    g_heldDCs.clear();
    g_created = 0;
    PatchImports();
}

GdiCounter::~GdiCounter() {
    for (const Patch& p : g_patches) WriteSlot(p.slot, p.original);
    g_patches.clear();
}

std::size_t GdiCounter::LiveObjects() const {
    return g_live.size();
}
std::size_t GdiCounter::Created() const {
    return g_created;
}
std::size_t GdiCounter::HeldDCs() const {
    return g_heldDCs.size();
}
std::size_t GdiCounter::Patched() const {
    return g_patches.size();
}

}  // namespace testsupport
