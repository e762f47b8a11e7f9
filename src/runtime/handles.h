// Owners of GDI and Win32 handles: every handle the program creates and releases itself is held by
// one of these, so that each path out of a scope (an early return, a raised run-time error)
// releases it once, and ownership shows in the code.
//
//   rt::Bitmap bmp(CreateCompatibleBitmap(screen.get(), w, h));   // DeleteObject when it goes
//   rt::FindHandle find(FindFirstFileA(pattern, &fd));            // FindClose; INVALID_HANDLE_VALUE is none
//   rt::RegKey key; RegOpenKeyExA(root, sub, 0, KEY_READ, key.put());
//   rt::SysString text; player->get_URL(text.put());             // SysFreeString when it goes
//   return Picture::FromBitmap(bmp.release(), true);               // handed over: no longer owned
#pragma once

#include <windows.h>
// After windows.h: the COM allocations' release functions.
#include <objbase.h>
#include <oleauto.h>

#include <utility>

namespace rt {

// One handle and its release. Close is a small struct: `static void Close(H)`, and, where 0 is
// not the only "no handle" value, `static bool Valid(H)`.
template <class H, class Close>
class UniqueHandle {
public:
    UniqueHandle() = default;
    explicit UniqueHandle(H h) : h_(h) {}
    UniqueHandle(UniqueHandle&& o) noexcept : h_(o.release()) {}
    UniqueHandle& operator=(UniqueHandle&& o) noexcept {
        if (this != &o) reset(o.release());
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    ~UniqueHandle() { reset(); }

    H get() const noexcept { return h_; }
    explicit operator bool() const noexcept { return Valid(h_); }
    H release() noexcept { return std::exchange(h_, H{}); }
    void reset(H h = H{}) noexcept {
        if (Valid(h_)) Close::Close(h_);
        h_ = h;
    }
    // For functions that hand a new handle out through a pointer (RegOpenKeyEx, OpenProcessToken).
    H* put() noexcept {
        reset();
        return &h_;
    }

private:
    static bool Valid(H h) noexcept {
        if constexpr (requires { Close::Valid(h); })
            return Close::Valid(h);
        else
            return h != H{};
    }
    H h_{};
};

namespace closers {
struct GdiObject {
    static void Close(HGDIOBJ h) { DeleteObject(h); }
};
struct CreatedDC {
    static void Close(HDC h) { DeleteDC(h); }
};
struct Library {
    static void Close(HMODULE h) { FreeLibrary(h); }
};
struct GlobalMemory {
    static void Close(HGLOBAL h) { GlobalFree(h); }
};
struct KernelObject {  // files, processes, threads, tokens: 0 and INVALID_HANDLE_VALUE are none
    static void Close(HANDLE h) { CloseHandle(h); }
    static bool Valid(HANDLE h) { return h != nullptr && h != INVALID_HANDLE_VALUE; }
};
struct Find {
    static void Close(HANDLE h) { FindClose(h); }
    static bool Valid(HANDLE h) { return h != nullptr && h != INVALID_HANDLE_VALUE; }
};
struct RegKey {
    static void Close(HKEY h) { RegCloseKey(h); }
};
struct Icon {
    static void Close(HICON h) { DestroyIcon(h); }
};
struct Cursor {
    static void Close(HCURSOR h) { DestroyCursor(h); }
};
struct Menu {
    static void Close(HMENU h) { DestroyMenu(h); }
};
struct EnhMetaFile {
    static void Close(HENHMETAFILE h) { DeleteEnhMetaFile(h); }
};
struct MetaFile {
    static void Close(HMETAFILE h) { DeleteMetaFile(h); }
};
struct VirtualMemory {  // VirtualAlloc: the whole reservation goes
    static void Close(void* p) { VirtualFree(p, 0, MEM_RELEASE); }
};
struct SysString {
    static void Close(BSTR b) { SysFreeString(b); }
};
struct TaskMemory {  // CoTaskMemAlloc, and what the shell hands out that way (item lists)
    static void Close(void* p) { CoTaskMemFree(p); }
};
struct Window {  // a window may already be gone with its parent
    static void Close(HWND h) {
        if (IsWindow(h)) DestroyWindow(h);
    }
};
}  // namespace closers

template <class H>
using GdiObject = UniqueHandle<H, closers::GdiObject>;
using Brush = GdiObject<HBRUSH>;
using Pen = GdiObject<HPEN>;
using Bitmap = GdiObject<HBITMAP>;
using Region = GdiObject<HRGN>;
using FontHandle = GdiObject<HFONT>;
using CreatedDC = UniqueHandle<HDC, closers::CreatedDC>;  // CreateDC, CreateCompatibleDC
using Library = UniqueHandle<HMODULE, closers::Library>;
using GlobalMemory = UniqueHandle<HGLOBAL, closers::GlobalMemory>;
using KernelHandle = UniqueHandle<HANDLE, closers::KernelObject>;
using FindHandle = UniqueHandle<HANDLE, closers::Find>;
using RegKey = UniqueHandle<HKEY, closers::RegKey>;
using IconHandle = UniqueHandle<HICON, closers::Icon>;
using CursorHandle = UniqueHandle<HCURSOR, closers::Cursor>;
using MenuHandle = UniqueHandle<HMENU, closers::Menu>;
using EnhMetaFileHandle = UniqueHandle<HENHMETAFILE, closers::EnhMetaFile>;
using MetaFileHandle = UniqueHandle<HMETAFILE, closers::MetaFile>;
using WindowHandle = UniqueHandle<HWND, closers::Window>;
using SysString = UniqueHandle<BSTR, closers::SysString>;
template <class T>
using TaskMemory = UniqueHandle<T*, closers::TaskMemory>;
using VirtualMemory = UniqueHandle<void*, closers::VirtualMemory>;

// A memory device context compatible with another DC (or the screen).
class MemoryDC : public CreatedDC {
public:
    MemoryDC() = default;
    explicit MemoryDC(HDC compatibleWith) : CreatedDC(CreateCompatibleDC(compatibleWith)) {}
};

// A DC from GetDC, released to its window (GetDC/ReleaseDC); with wholeWindow, GetWindowDC's DC of
// the window with its frame. Empty when default-made.
class WindowDC {
public:
    WindowDC() = default;
    explicit WindowDC(HWND hwnd, bool wholeWindow = false)
        : hwnd_(hwnd), h_(wholeWindow ? GetWindowDC(hwnd) : GetDC(hwnd)) {}
    WindowDC(WindowDC&& o) noexcept : hwnd_(o.hwnd_), h_(std::exchange(o.h_, nullptr)) {}
    WindowDC& operator=(WindowDC&& o) noexcept {
        if (this != &o) {
            reset();
            hwnd_ = o.hwnd_;
            h_ = std::exchange(o.h_, nullptr);
        }
        return *this;
    }
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    ~WindowDC() { reset(); }
    HDC get() const noexcept { return h_; }
    explicit operator bool() const noexcept { return h_ != nullptr; }
    void reset() noexcept {
        if (h_) ReleaseDC(hwnd_, std::exchange(h_, nullptr));
    }

private:
    HWND hwnd_ = nullptr;
    HDC h_ = nullptr;
};

// The screen's DC.
class ScreenDC : public WindowDC {
public:
    ScreenDC() : WindowDC(nullptr) {}
};

// Selects an object into a DC for the length of a scope and puts the displaced one back.
class SelectGuard {
public:
    SelectGuard(HDC dc, HGDIOBJ obj) : dc_(dc), old_(dc && obj ? SelectObject(dc, obj) : nullptr) {}
    SelectGuard(const SelectGuard&) = delete;
    SelectGuard& operator=(const SelectGuard&) = delete;
    ~SelectGuard() {
        if (ok()) SelectObject(dc_, old_);
    }
    bool ok() const noexcept { return old_ != nullptr && old_ != HGDI_ERROR; }

private:
    HDC dc_;
    HGDIOBJ old_;
};

}  // namespace rt
