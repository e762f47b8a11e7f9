#include "support/handle_counter.h"

#include <windows.h>

#include <cstdio>
#include <map>

#include "support/import_patch.h"

namespace testsupport {

namespace {

enum class Kind { Window, Gdi, Dc, User, File, Stream };

// What a GDI object was when it was made. A handle freed where the hooks cannot see it (inside the
// platform's picture code, say) can come back as the value of another object that the program did not
// make through its imports; the object behind a live recorded handle must still be the one recorded.
struct Made {
    Kind kind = Kind::Gdi;
    DWORD type = 0;
    LONG width = 0, height = 0;
    WORD bitsPerPixel = 0;
};

Made Describe(const void* h, Kind k) {
    Made m;
    m.kind = k;
    if (k != Kind::Gdi && k != Kind::Dc) return m;
    auto* object = static_cast<HGDIOBJ>(const_cast<void*>(h));
    m.type = GetObjectType(object);
    BITMAP bm{};
    if (m.type == OBJ_BITMAP && GetObject(object, sizeof bm, &bm)) {
        m.width = bm.bmWidth;
        m.height = bm.bmHeight;
        m.bitsPerPixel = bm.bmBitsPixel;
    }
    return m;
}

struct Live {
    bool counting = false;
    size_t created = 0;
    std::map<uintptr_t, Made> handles;
    void add(const void* h, Kind k) {
        if (counting && h) handles[reinterpret_cast<uintptr_t>(h)] = Describe(h, k);
    }
    // A GDI object or DC the program made (GetDC only borrows).
    void made(const void* h, Kind k) {
        if (counting && h) ++created;
        add(h, k);
    }
    void drop(const void* h) { handles.erase(reinterpret_cast<uintptr_t>(h)); }
};
Live& L() {
    static Live l;
    return l;
}

// One replacement per import: the original's address beside a function that calls it and records
// the result. MADE: a GDI object or created DC; ADD: any other handle; FREE: a release.
#define HC_ORIGINAL(ret, name, params)    \
    using name##_t = ret(WINAPI*) params; \
    name##_t o_##name = nullptr;
#define HC_RECORD(record, kind, ret, name, params, args) \
    HC_ORIGINAL(ret, name, params)                       \
    ret WINAPI h_##name params {                         \
        ret result = o_##name args;                      \
        L().record(result, kind);                        \
        return result;                                   \
    }
#define HC_MADE(...) HC_RECORD(made, __VA_ARGS__)
#define HC_ADD(...) HC_RECORD(add, __VA_ARGS__)
#define HC_FREE(ret, name, params, args, handle) \
    HC_ORIGINAL(ret, name, params)               \
    ret WINAPI h_##name params {                 \
        L().drop(handle);                        \
        return o_##name args;                    \
    }

HC_ADD(Kind::Window, HWND, CreateWindowExA,
       (DWORD a, LPCSTR b, LPCSTR c, DWORD d, int e, int f, int g, int h, HWND i, HMENU j, HINSTANCE k,
        LPVOID l),
       (a, b, c, d, e, f, g, h, i, j, k, l))
HC_ADD(Kind::Window, HWND, CreateWindowExW,
       (DWORD a, LPCWSTR b, LPCWSTR c, DWORD d, int e, int f, int g, int h, HWND i, HMENU j, HINSTANCE k,
        LPVOID l),
       (a, b, c, d, e, f, g, h, i, j, k, l))
HC_FREE(BOOL, DestroyWindow, (HWND w), (w), w)

HC_ADD(Kind::User, HICON, CreateIconIndirect, (PICONINFO i), (i))
HC_ADD(Kind::User, HICON, CopyIcon, (HICON i), (i))
HC_ADD(Kind::User, HMENU, CreatePopupMenu, (), ())
HC_ADD(Kind::User, HMENU, CreateMenu, (), ())
HC_FREE(BOOL, DestroyIcon, (HICON i), (i), i)
HC_FREE(BOOL, DestroyCursor, (HCURSOR c), (c), c)
HC_FREE(BOOL, DestroyMenu, (HMENU m), (m), m)

HC_MADE(Kind::Gdi, HBRUSH, CreateSolidBrush, (COLORREF c), (c))
HC_MADE(Kind::Gdi, HBRUSH, CreateHatchBrush, (int s, COLORREF c), (s, c))
HC_MADE(Kind::Gdi, HBRUSH, CreatePatternBrush, (HBITMAP b), (b))
HC_MADE(Kind::Gdi, HBRUSH, CreateBrushIndirect, (const LOGBRUSH* b), (b))
HC_MADE(Kind::Gdi, HPEN, CreatePen, (int s, int w, COLORREF c), (s, w, c))
HC_MADE(Kind::Gdi, HPEN, CreatePenIndirect, (const LOGPEN* p), (p))
HC_MADE(Kind::Gdi, HPEN, ExtCreatePen, (DWORD s, DWORD w, const LOGBRUSH* b, DWORD n, const DWORD* st),
        (s, w, b, n, st))
HC_MADE(Kind::Gdi, HFONT, CreateFontIndirectA, (const LOGFONTA* l), (l))
HC_MADE(Kind::Gdi, HFONT, CreateFontIndirectW, (const LOGFONTW* l), (l))
HC_MADE(Kind::Gdi, HFONT, CreateFontA,
        (int a, int b, int c, int d, int e, DWORD f, DWORD g, DWORD h, DWORD i, DWORD j, DWORD k, DWORD l,
         DWORD m, LPCSTR n),
        (a, b, c, d, e, f, g, h, i, j, k, l, m, n))
HC_MADE(Kind::Gdi, HBITMAP, CreateCompatibleBitmap, (HDC dc, int w, int h), (dc, w, h))
HC_MADE(Kind::Gdi, HBITMAP, CreateBitmap, (int w, int h, UINT p, UINT b, const void* bits),
        (w, h, p, b, bits))
HC_MADE(Kind::Gdi, HBITMAP, CreateBitmapIndirect, (const BITMAP* b), (b))
HC_MADE(Kind::Gdi, HBITMAP, CreateDIBSection,
        (HDC dc, const BITMAPINFO* bi, UINT u, void** bits, HANDLE s, DWORD o), (dc, bi, u, bits, s, o))
HC_MADE(Kind::Gdi, HBITMAP, CreateDIBitmap,
        (HDC dc, const BITMAPINFOHEADER* h, DWORD f, const void* b, const BITMAPINFO* bi, UINT u),
        (dc, h, f, b, bi, u))
HC_MADE(Kind::Gdi, HRGN, CreateRectRgn, (int a, int b, int c, int d), (a, b, c, d))
HC_MADE(Kind::Gdi, HRGN, CreateRectRgnIndirect, (const RECT* r), (r))
HC_MADE(Kind::Gdi, HRGN, CreateEllipticRgn, (int a, int b, int c, int d), (a, b, c, d))
HC_MADE(Kind::Gdi, HRGN, CreateRoundRectRgn, (int a, int b, int c, int d, int e, int f), (a, b, c, d, e, f))
HC_MADE(Kind::Gdi, HRGN, CreatePolygonRgn, (const POINT* p, int n, int m), (p, n, m))
HC_MADE(Kind::Gdi, HRGN, ExtCreateRegion, (const XFORM* x, DWORD n, const RGNDATA* d), (x, n, d))
HC_FREE(BOOL, DeleteObject, (HGDIOBJ h), (h), h)

HC_MADE(Kind::Dc, HDC, CreateCompatibleDC, (HDC dc), (dc))
HC_MADE(Kind::Dc, HDC, CreateDCA, (LPCSTR a, LPCSTR b, LPCSTR c, const DEVMODEA* d), (a, b, c, d))
HC_MADE(Kind::Dc, HDC, CreateDCW, (LPCWSTR a, LPCWSTR b, LPCWSTR c, const DEVMODEW* d), (a, b, c, d))
HC_MADE(Kind::Dc, HDC, CreateICA, (LPCSTR a, LPCSTR b, LPCSTR c, const DEVMODEA* d), (a, b, c, d))
HC_FREE(BOOL, DeleteDC, (HDC dc), (dc), dc)

HC_FREE(int, ReleaseDC, (HWND w, HDC dc), (w, dc), dc)
// A region given to a window is the window's: the platform deletes it, and its handle may come
// back for an object of the platform's own.
HC_ORIGINAL(int, SetWindowRgn, (HWND, HRGN, BOOL))
int WINAPI h_SetWindowRgn(HWND w, HRGN r, BOOL redraw) {
    const int result = o_SetWindowRgn(w, r, redraw);
    if (result) L().drop(r);
    return result;
}
HC_FREE(BOOL, CloseHandle, (HANDLE h), (h), h)
#undef HC_MADE
#undef HC_ADD
#undef HC_RECORD
#undef HC_FREE

// A window's DC: class and own DCs need no release.
bool OwnsDc(HWND hwnd) {
    return hwnd && (GetClassLongPtrA(hwnd, GCL_STYLE) & (CS_OWNDC | CS_CLASSDC)) != 0;
}
HC_ORIGINAL(HDC, GetDC, (HWND))
HC_ORIGINAL(HDC, GetWindowDC, (HWND))
HC_ORIGINAL(HDC, GetDCEx, (HWND, HRGN, DWORD))
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

// Images: bitmaps are GDI objects, icons and cursors USER objects; shared images are not owned.
HC_ORIGINAL(HANDLE, CopyImage, (HANDLE, UINT, int, int, UINT))
HC_ORIGINAL(HANDLE, LoadImageA, (HINSTANCE, LPCSTR, UINT, int, int, UINT))
HANDLE RecordImage(HANDLE image, UINT type) {
    if (type == IMAGE_BITMAP)
        L().made(image, Kind::Gdi);
    else
        L().add(image, Kind::User);
    return image;
}
HANDLE WINAPI h_CopyImage(HANDLE h, UINT type, int cx, int cy, UINT f) {
    return RecordImage(o_CopyImage(h, type, cx, cy, f), type);
}
HANDLE WINAPI h_LoadImageA(HINSTANCE inst, LPCSTR name, UINT type, int cx, int cy, UINT f) {
    HANDLE r = o_LoadImageA(inst, name, type, cx, cy, f);
    return f & LR_SHARED ? r : RecordImage(r, type);
}

HC_ORIGINAL(HANDLE, CreateFileA, (LPCSTR, DWORD, DWORD, LPSECURITY_ATTRIBUTES, DWORD, DWORD, HANDLE))
HC_ORIGINAL(HANDLE, CreateFileW, (LPCWSTR, DWORD, DWORD, LPSECURITY_ATTRIBUTES, DWORD, DWORD, HANDLE))
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
#undef HC_ORIGINAL

// The C library's streams (cdecl).
using fopen_t = FILE*(__cdecl*)(const char*, const char*);
using wfopen_t = FILE*(__cdecl*)(const wchar_t*, const wchar_t*);
using fclose_t = int(__cdecl*)(FILE*);
fopen_t o_fopen = nullptr;
wfopen_t o__wfopen = nullptr;
fclose_t o_fclose = nullptr;
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

#define HC_HOOK(name) \
    { #name, reinterpret_cast < void*>(&h_##name), reinterpret_cast < void**>(&o_##name) }
const HookEntry kHooks[] = {
    HC_HOOK(CreateWindowExA),
    HC_HOOK(CreateWindowExW),
    HC_HOOK(DestroyWindow),
    HC_HOOK(GetDC),
    HC_HOOK(GetWindowDC),
    HC_HOOK(GetDCEx),
    HC_HOOK(ReleaseDC),
    HC_HOOK(CreateIconIndirect),
    HC_HOOK(CopyIcon),
    HC_HOOK(CopyImage),
    HC_HOOK(LoadImageA),
    HC_HOOK(DestroyIcon),
    HC_HOOK(DestroyCursor),
    HC_HOOK(CreatePopupMenu),
    HC_HOOK(CreateMenu),
    HC_HOOK(DestroyMenu),
    HC_HOOK(CreateSolidBrush),
    HC_HOOK(CreateHatchBrush),
    HC_HOOK(CreatePatternBrush),
    HC_HOOK(CreateBrushIndirect),
    HC_HOOK(CreatePen),
    HC_HOOK(CreatePenIndirect),
    HC_HOOK(ExtCreatePen),
    HC_HOOK(CreateFontIndirectA),
    HC_HOOK(CreateFontIndirectW),
    HC_HOOK(CreateFontA),
    HC_HOOK(CreateCompatibleBitmap),
    HC_HOOK(CreateBitmap),
    HC_HOOK(CreateBitmapIndirect),
    HC_HOOK(CreateDIBSection),
    HC_HOOK(CreateDIBitmap),
    HC_HOOK(SetWindowRgn),
    HC_HOOK(CreateRectRgn),
    HC_HOOK(CreateRectRgnIndirect),
    HC_HOOK(CreateEllipticRgn),
    HC_HOOK(CreateRoundRectRgn),
    HC_HOOK(CreatePolygonRgn),
    HC_HOOK(ExtCreateRegion),
    HC_HOOK(CreateCompatibleDC),
    HC_HOOK(CreateDCA),
    HC_HOOK(CreateDCW),
    HC_HOOK(CreateICA),
    HC_HOOK(DeleteObject),
    HC_HOOK(DeleteDC),
    HC_HOOK(CreateFileA),
    HC_HOOK(CreateFileW),
    HC_HOOK(CloseHandle),
    HC_HOOK(fopen),
    HC_HOOK(_wfopen),
    HC_HOOK(fclose),
};
#undef HC_HOOK

int patched = -1;

// Redirects every import entry named in kHooks.
void PatchImports() {
    if (patched >= 0) return;
    patched = 0;
    for (const HookEntry& h : kHooks) patched += RedirectImport(h.name, h.replacement, h.original);
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
bool Alive(uintptr_t h, const Made& made) {
    void* p = reinterpret_cast<void*>(h);
    switch (made.kind) {
        case Kind::Window:
            return IsWindow(static_cast<HWND>(p)) != FALSE;
        case Kind::Gdi:
        case Kind::Dc: {
            const Made now = Describe(p, made.kind);
            return now.type != 0 && now.type == made.type && now.width == made.width &&
                   now.height == made.height && now.bitsPerPixel == made.bitsPerPixel;
        }
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
    for (auto& [h, made] : L().handles)
        if (made.kind == k && Alive(h, made)) ++n;
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
    L().created = 0;
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
size_t HandleCounter::Created() const {
    return L().created;
}
std::string HandleCounter::Report() const {
    std::string out;
    for (auto& [h, made] : L().handles) {
        if (!Alive(h, made)) continue;
        char line[96];
        std::snprintf(line, sizeof line, "%s %p\n", KindName(made.kind), reinterpret_cast<void*>(h));
        out += line;
        if (made.kind == Kind::Window) {
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

}  // namespace testsupport
