#include "runtime/handle_counter.h"

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <map>

namespace rt {

namespace {

enum class Kind { Window, Gdi, Dc, User, File, Stream };

struct Live {
    bool counting = false;
    std::map<uintptr_t, Kind> handles;
    void add(const void* h, Kind k) {
        if (counting && h) handles[reinterpret_cast<uintptr_t>(h)] = k;
    }
    void drop(const void* h) { handles.erase(reinterpret_cast<uintptr_t>(h)); }
};
Live& L() {
    static Live l;
    return l;
}

// The original functions, filled from the import table when it is patched.
#define RT_ORIG(ret, name, ...)                 \
    using name##_t = ret(WINAPI*)(__VA_ARGS__); \
    name##_t o_##name = nullptr

RT_ORIG(HWND, CreateWindowExA, DWORD, LPCSTR, LPCSTR, DWORD, int, int, int, int, HWND, HMENU, HINSTANCE,
        LPVOID);
RT_ORIG(HWND, CreateWindowExW, DWORD, LPCWSTR, LPCWSTR, DWORD, int, int, int, int, HWND, HMENU, HINSTANCE,
        LPVOID);
RT_ORIG(BOOL, DestroyWindow, HWND);
RT_ORIG(HDC, GetDC, HWND);
RT_ORIG(HDC, GetWindowDC, HWND);
RT_ORIG(HDC, GetDCEx, HWND, HRGN, DWORD);
RT_ORIG(int, ReleaseDC, HWND, HDC);
RT_ORIG(HICON, CreateIconIndirect, PICONINFO);
RT_ORIG(HICON, CopyIcon, HICON);
RT_ORIG(HANDLE, CopyImage, HANDLE, UINT, int, int, UINT);
RT_ORIG(HANDLE, LoadImageA, HINSTANCE, LPCSTR, UINT, int, int, UINT);
RT_ORIG(BOOL, DestroyIcon, HICON);
RT_ORIG(BOOL, DestroyCursor, HCURSOR);
RT_ORIG(HMENU, CreatePopupMenu, void);
RT_ORIG(HMENU, CreateMenu, void);
RT_ORIG(BOOL, DestroyMenu, HMENU);
RT_ORIG(HBRUSH, CreateSolidBrush, COLORREF);
RT_ORIG(HBRUSH, CreateHatchBrush, int, COLORREF);
RT_ORIG(HBRUSH, CreatePatternBrush, HBITMAP);
RT_ORIG(HBRUSH, CreateBrushIndirect, const LOGBRUSH*);
RT_ORIG(HPEN, CreatePen, int, int, COLORREF);
RT_ORIG(HPEN, ExtCreatePen, DWORD, DWORD, const LOGBRUSH*, DWORD, const DWORD*);
RT_ORIG(HFONT, CreateFontIndirectA, const LOGFONTA*);
RT_ORIG(HFONT, CreateFontA, int, int, int, int, int, DWORD, DWORD, DWORD, DWORD, DWORD, DWORD, DWORD, DWORD,
        LPCSTR);
RT_ORIG(HBITMAP, CreateCompatibleBitmap, HDC, int, int);
RT_ORIG(HBITMAP, CreateBitmap, int, int, UINT, UINT, const void*);
RT_ORIG(HBITMAP, CreateDIBSection, HDC, const BITMAPINFO*, UINT, void**, HANDLE, DWORD);
RT_ORIG(HBITMAP, CreateDIBitmap, HDC, const BITMAPINFOHEADER*, DWORD, const void*, const BITMAPINFO*, UINT);
RT_ORIG(HRGN, CreateRectRgn, int, int, int, int);
RT_ORIG(HRGN, CreateRectRgnIndirect, const RECT*);
RT_ORIG(HRGN, CreateEllipticRgn, int, int, int, int);
RT_ORIG(HRGN, CreateRoundRectRgn, int, int, int, int, int, int);
RT_ORIG(HRGN, CreatePolygonRgn, const POINT*, int, int);
RT_ORIG(HRGN, ExtCreateRegion, const XFORM*, DWORD, const RGNDATA*);
RT_ORIG(HDC, CreateCompatibleDC, HDC);
RT_ORIG(HDC, CreateDCA, LPCSTR, LPCSTR, LPCSTR, const DEVMODEA*);
RT_ORIG(BOOL, DeleteObject, HGDIOBJ);
RT_ORIG(BOOL, DeleteDC, HDC);
RT_ORIG(HANDLE, CreateFileA, LPCSTR, DWORD, DWORD, LPSECURITY_ATTRIBUTES, DWORD, DWORD, HANDLE);
RT_ORIG(HANDLE, CreateFileW, LPCWSTR, DWORD, DWORD, LPSECURITY_ATTRIBUTES, DWORD, DWORD, HANDLE);
RT_ORIG(BOOL, CloseHandle, HANDLE);
using fopen_t = FILE*(__cdecl*)(const char*, const char*);
using wfopen_t = FILE*(__cdecl*)(const wchar_t*, const wchar_t*);
using fclose_t = int(__cdecl*)(FILE*);
fopen_t o_fopen = nullptr;
wfopen_t o__wfopen = nullptr;
fclose_t o_fclose = nullptr;
#undef RT_ORIG

bool OwnsDc(HWND hwnd) {
    // Class and own DCs need no release.
    return hwnd && (GetClassLongPtrA(hwnd, GCL_STYLE) & (CS_OWNDC | CS_CLASSDC)) != 0;
}

HWND WINAPI h_CreateWindowExA(DWORD a, LPCSTR b, LPCSTR c, DWORD d, int e, int f, int g, int h, HWND i,
                              HMENU j, HINSTANCE k, LPVOID l) {
    HWND r = o_CreateWindowExA(a, b, c, d, e, f, g, h, i, j, k, l);
    L().add(r, Kind::Window);
    return r;
}
HWND WINAPI h_CreateWindowExW(DWORD a, LPCWSTR b, LPCWSTR c, DWORD d, int e, int f, int g, int h, HWND i,
                              HMENU j, HINSTANCE k, LPVOID l) {
    HWND r = o_CreateWindowExW(a, b, c, d, e, f, g, h, i, j, k, l);
    L().add(r, Kind::Window);
    return r;
}
BOOL WINAPI h_DestroyWindow(HWND h) {
    L().drop(h);
    return o_DestroyWindow(h);
}
HDC WINAPI h_GetDC(HWND w) {
    HDC r = o_GetDC(w);
    if (!OwnsDc(w)) L().add(r, Kind::Dc);
    return r;
}
HDC WINAPI h_GetWindowDC(HWND w) {
    HDC r = o_GetWindowDC(w);
    L().add(r, Kind::Dc);
    return r;
}
HDC WINAPI h_GetDCEx(HWND w, HRGN rg, DWORD f) {
    HDC r = o_GetDCEx(w, rg, f);
    if (!OwnsDc(w)) L().add(r, Kind::Dc);
    return r;
}
int WINAPI h_ReleaseDC(HWND w, HDC dc) {
    L().drop(dc);
    return o_ReleaseDC(w, dc);
}
HICON WINAPI h_CreateIconIndirect(PICONINFO i) {
    HICON r = o_CreateIconIndirect(i);
    L().add(r, Kind::User);
    return r;
}
HICON WINAPI h_CopyIcon(HICON i) {
    HICON r = o_CopyIcon(i);
    L().add(r, Kind::User);
    return r;
}
HANDLE WINAPI h_CopyImage(HANDLE h, UINT type, int cx, int cy, UINT f) {
    HANDLE r = o_CopyImage(h, type, cx, cy, f);
    L().add(r, type == IMAGE_BITMAP ? Kind::Gdi : Kind::User);
    return r;
}
HANDLE WINAPI h_LoadImageA(HINSTANCE inst, LPCSTR name, UINT type, int cx, int cy, UINT f) {
    HANDLE r = o_LoadImageA(inst, name, type, cx, cy, f);
    if (!(f & LR_SHARED)) L().add(r, type == IMAGE_BITMAP ? Kind::Gdi : Kind::User);
    return r;
}
BOOL WINAPI h_DestroyIcon(HICON h) {
    L().drop(h);
    return o_DestroyIcon(h);
}
BOOL WINAPI h_DestroyCursor(HCURSOR h) {
    L().drop(h);
    return o_DestroyCursor(h);
}
HMENU WINAPI h_CreatePopupMenu() {
    HMENU r = o_CreatePopupMenu();
    L().add(r, Kind::User);
    return r;
}
HMENU WINAPI h_CreateMenu() {
    HMENU r = o_CreateMenu();
    L().add(r, Kind::User);
    return r;
}
BOOL WINAPI h_DestroyMenu(HMENU h) {
    L().drop(h);
    return o_DestroyMenu(h);
}

#define RT_GDI(ret, name, params, args) \
    ret WINAPI h_##name params {        \
        ret res = o_##name args;        \
        L().add(res, Kind::Gdi);        \
        return res;                     \
    }
RT_GDI(HBRUSH, CreateSolidBrush, (COLORREF c), (c))
RT_GDI(HBRUSH, CreateHatchBrush, (int s, COLORREF c), (s, c))
RT_GDI(HBRUSH, CreatePatternBrush, (HBITMAP b), (b))
RT_GDI(HBRUSH, CreateBrushIndirect, (const LOGBRUSH* b), (b))
RT_GDI(HPEN, CreatePen, (int s, int w, COLORREF c), (s, w, c))
RT_GDI(HPEN, ExtCreatePen, (DWORD s, DWORD w, const LOGBRUSH* b, DWORD n, const DWORD* st), (s, w, b, n, st))
RT_GDI(HFONT, CreateFontIndirectA, (const LOGFONTA* l), (l))
RT_GDI(HFONT, CreateFontA,
       (int a, int b, int c, int d, int e, DWORD f, DWORD g, DWORD h, DWORD i, DWORD j, DWORD k, DWORD l,
        DWORD m, LPCSTR n),
       (a, b, c, d, e, f, g, h, i, j, k, l, m, n))
RT_GDI(HBITMAP, CreateCompatibleBitmap, (HDC dc, int w, int h), (dc, w, h))
RT_GDI(HBITMAP, CreateBitmap, (int w, int h, UINT p, UINT b, const void* bits), (w, h, p, b, bits))
RT_GDI(HBITMAP, CreateDIBSection, (HDC dc, const BITMAPINFO* bi, UINT u, void** bits, HANDLE s, DWORD o),
       (dc, bi, u, bits, s, o))
RT_GDI(HBITMAP, CreateDIBitmap,
       (HDC dc, const BITMAPINFOHEADER* h, DWORD f, const void* b, const BITMAPINFO* bi, UINT u),
       (dc, h, f, b, bi, u))
RT_GDI(HRGN, CreateRectRgn, (int a, int b, int c, int d), (a, b, c, d))
RT_GDI(HRGN, CreateRectRgnIndirect, (const RECT* r), (r))
RT_GDI(HRGN, CreateEllipticRgn, (int a, int b, int c, int d), (a, b, c, d))
RT_GDI(HRGN, CreateRoundRectRgn, (int a, int b, int c, int d, int e, int f), (a, b, c, d, e, f))
RT_GDI(HRGN, CreatePolygonRgn, (const POINT* p, int n, int m), (p, n, m))
RT_GDI(HRGN, ExtCreateRegion, (const XFORM* x, DWORD n, const RGNDATA* d), (x, n, d))
#undef RT_GDI

HDC WINAPI h_CreateCompatibleDC(HDC dc) {
    HDC r = o_CreateCompatibleDC(dc);
    L().add(r, Kind::Dc);
    return r;
}
HDC WINAPI h_CreateDCA(LPCSTR a, LPCSTR b, LPCSTR c, const DEVMODEA* d) {
    HDC r = o_CreateDCA(a, b, c, d);
    L().add(r, Kind::Dc);
    return r;
}
BOOL WINAPI h_DeleteObject(HGDIOBJ h) {
    L().drop(h);
    return o_DeleteObject(h);
}
BOOL WINAPI h_DeleteDC(HDC h) {
    L().drop(h);
    return o_DeleteDC(h);
}
HANDLE WINAPI h_CreateFileA(LPCSTR a, DWORD b, DWORD c, LPSECURITY_ATTRIBUTES d, DWORD e, DWORD f, HANDLE g) {
    HANDLE r = o_CreateFileA(a, b, c, d, e, f, g);
    if (r != INVALID_HANDLE_VALUE) L().add(r, Kind::File);
    return r;
}
HANDLE WINAPI h_CreateFileW(LPCWSTR a, DWORD b, DWORD c, LPSECURITY_ATTRIBUTES d, DWORD e, DWORD f,
                            HANDLE g) {
    HANDLE r = o_CreateFileW(a, b, c, d, e, f, g);
    if (r != INVALID_HANDLE_VALUE) L().add(r, Kind::File);
    return r;
}
BOOL WINAPI h_CloseHandle(HANDLE h) {
    L().drop(h);
    return o_CloseHandle(h);
}
FILE* __cdecl h_fopen(const char* a, const char* b) {
    FILE* r = o_fopen(a, b);
    L().add(r, Kind::Stream);
    return r;
}
FILE* __cdecl h__wfopen(const wchar_t* a, const wchar_t* b) {
    FILE* r = o__wfopen(a, b);
    L().add(r, Kind::Stream);
    return r;
}
int __cdecl h_fclose(FILE* f) {
    L().drop(f);
    return o_fclose(f);
}

struct HookEntry {
    const char* name;
    void* replacement;
    void** original;
};

#define RT_HOOK(name) \
    { #name, reinterpret_cast < void*>(&h_##name), reinterpret_cast < void**>(&o_##name) }
const HookEntry kHooks[] = {
    RT_HOOK(CreateWindowExA),
    RT_HOOK(CreateWindowExW),
    RT_HOOK(DestroyWindow),
    RT_HOOK(GetDC),
    RT_HOOK(GetWindowDC),
    RT_HOOK(GetDCEx),
    RT_HOOK(ReleaseDC),
    RT_HOOK(CreateIconIndirect),
    RT_HOOK(CopyIcon),
    RT_HOOK(CopyImage),
    RT_HOOK(LoadImageA),
    RT_HOOK(DestroyIcon),
    RT_HOOK(DestroyCursor),
    RT_HOOK(CreatePopupMenu),
    RT_HOOK(CreateMenu),
    RT_HOOK(DestroyMenu),
    RT_HOOK(CreateSolidBrush),
    RT_HOOK(CreateHatchBrush),
    RT_HOOK(CreatePatternBrush),
    RT_HOOK(CreateBrushIndirect),
    RT_HOOK(CreatePen),
    RT_HOOK(ExtCreatePen),
    RT_HOOK(CreateFontIndirectA),
    RT_HOOK(CreateFontA),
    RT_HOOK(CreateCompatibleBitmap),
    RT_HOOK(CreateBitmap),
    RT_HOOK(CreateDIBSection),
    RT_HOOK(CreateDIBitmap),
    RT_HOOK(CreateRectRgn),
    RT_HOOK(CreateRectRgnIndirect),
    RT_HOOK(CreateEllipticRgn),
    RT_HOOK(CreateRoundRectRgn),
    RT_HOOK(CreatePolygonRgn),
    RT_HOOK(ExtCreateRegion),
    RT_HOOK(CreateCompatibleDC),
    RT_HOOK(CreateDCA),
    RT_HOOK(DeleteObject),
    RT_HOOK(DeleteDC),
    RT_HOOK(CreateFileA),
    RT_HOOK(CreateFileW),
    RT_HOOK(CloseHandle),
    RT_HOOK(fopen),
    RT_HOOK(_wfopen),
    RT_HOOK(fclose),
};
#undef RT_HOOK

int patched = -1;

void PatchImports() {
    if (patched >= 0) return;
    patched = 0;
    auto* base = reinterpret_cast<BYTE*>(GetModuleHandleA(nullptr));
    auto* dos = reinterpret_cast<IMAGE_DOS_HEADER*>(base);
    auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (!dir.VirtualAddress) return;
    for (auto* imp = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + dir.VirtualAddress); imp->Name;
         ++imp) {
        if (!imp->OriginalFirstThunk) continue;
        auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + imp->OriginalFirstThunk);
        auto* iat = reinterpret_cast<IMAGE_THUNK_DATA*>(base + imp->FirstThunk);
        for (; names->u1.AddressOfData; ++names, ++iat) {
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) continue;
            auto* byName = reinterpret_cast<IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
            const char* name = reinterpret_cast<const char*>(byName->Name);
            for (const HookEntry& h : kHooks) {
                if (std::strcmp(h.name, name) != 0) continue;
                void** slot = reinterpret_cast<void**>(&iat->u1.Function);
                DWORD old = 0;
                if (!VirtualProtect(slot, sizeof(void*), PAGE_READWRITE, &old)) break;
                if (!*h.original) *h.original = *slot;
                *slot = h.replacement;
                VirtualProtect(slot, sizeof(void*), old, &old);
                ++patched;
                break;
            }
        }
    }
}

const char* KindName(Kind k) {
    switch (k) {
        case Kind::Window:
            return "window";
        case Kind::Gdi:
            return "GDI object";
        case Kind::Dc:
            return "DC";
        case Kind::User:
            return "USER object";
        case Kind::File:
            return "file handle";
        case Kind::Stream:
            return "C stream";
    }
    return "?";
}

// Whether a recorded handle still exists. A handle handed to a picture object is deleted inside the
// platform's picture code, whose calls this counter does not see; the platform knows it is gone.
bool Alive(uintptr_t h, Kind k) {
    void* p = reinterpret_cast<void*>(h);
    switch (k) {
        case Kind::Window:
            return IsWindow(static_cast<HWND>(p)) != FALSE;
        case Kind::Gdi:
        case Kind::Dc:
            return GetObjectType(static_cast<HGDIOBJ>(p)) != 0;
        case Kind::User: {
            if (IsMenu(static_cast<HMENU>(p))) return true;
            ICONINFO ii{};
            if (!GetIconInfo(static_cast<HICON>(p), &ii)) return false;
            if (ii.hbmMask) DeleteObject(ii.hbmMask);
            if (ii.hbmColor) DeleteObject(ii.hbmColor);
            return true;
        }
        default:
            return true;
    }
}

size_t CountOf(Kind k) {
    size_t n = 0;
    for (auto& [h, kind] : L().handles)
        if (kind == k && Alive(h, kind)) ++n;
    return n;
}

}  // namespace

HandleCounter::HandleCounter() {
    PatchImports();
    Start();
}
HandleCounter::~HandleCounter() {
    L().counting = false;
    L().handles.clear();
}
void HandleCounter::Start() {
    L().handles.clear();
    L().counting = true;
}
size_t HandleCounter::Windows() const {
    return CountOf(Kind::Window);
}
size_t HandleCounter::GdiObjects() const {
    return CountOf(Kind::Gdi);
}
size_t HandleCounter::DeviceContexts() const {
    return CountOf(Kind::Dc);
}
size_t HandleCounter::UserObjects() const {
    return CountOf(Kind::User);
}
size_t HandleCounter::Files() const {
    return CountOf(Kind::File) + CountOf(Kind::Stream);
}
size_t HandleCounter::Total() const {
    return Windows() + GdiObjects() + DeviceContexts() + UserObjects() + Files();
}
std::string HandleCounter::Report() const {
    std::string out;
    for (auto& [h, kind] : L().handles) {
        if (!Alive(h, kind)) continue;
        char line[96];
        std::snprintf(line, sizeof line, "%s %p\n", KindName(kind), reinterpret_cast<void*>(h));
        out += line;
        if (kind == Kind::Window) {
            char cls[64] = {};
            GetClassNameA(reinterpret_cast<HWND>(h), cls, sizeof cls);
            out += std::string("  class ") + cls + "\n";
        }
    }
    return out;
}
int HandleCounter::PatchedImports() {
    PatchImports();
    return patched;
}

}  // namespace rt
