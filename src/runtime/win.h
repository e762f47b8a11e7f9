// Win32 plumbing the runtime shares: handle owners, COM pointers, twips and colours.
//
// Twips: the runtime measures windows and controls in twips. A pixel is TwipsPerPixel() twips
// (1440 / the screen's dots per inch: 15 at 96 dpi). Twips become pixels by rounding to the nearest
// pixel, a half going to the even neighbour; pixels become twips exactly. Every conversion in the
// runtime goes through ToPixels/ToTwips, so a value read back after a set is the set value rounded
// to whole pixels.
#pragma once

#include <ole2.h>
#include <windows.h>

#include <cmath>
#include <cstdint>
#include <string>
#include <utility>

namespace rt {

// Owner of a GDI object (brush, pen, font, bitmap, region).
template <class H>
class GdiObject {
public:
    GdiObject() = default;
    explicit GdiObject(H h) : h_(h) {}
    GdiObject(GdiObject&& o) noexcept : h_(std::exchange(o.h_, nullptr)) {}
    GdiObject& operator=(GdiObject&& o) noexcept {
        if (this != &o) reset(std::exchange(o.h_, nullptr));
        return *this;
    }
    GdiObject(const GdiObject&) = delete;
    GdiObject& operator=(const GdiObject&) = delete;
    ~GdiObject() { reset(); }
    H get() const noexcept { return h_; }
    explicit operator bool() const noexcept { return h_ != nullptr; }
    void reset(H h = nullptr) noexcept {
        if (h_) DeleteObject(h_);
        h_ = h;
    }
    H release() noexcept { return std::exchange(h_, nullptr); }

private:
    H h_ = nullptr;
};
using Brush = GdiObject<HBRUSH>;
using Pen = GdiObject<HPEN>;
using Bitmap = GdiObject<HBITMAP>;
using Region = GdiObject<HRGN>;
using FontHandle = GdiObject<HFONT>;

// Owner of a memory device context (DeleteDC).
class MemoryDC {
public:
    MemoryDC() = default;
    explicit MemoryDC(HDC compatibleWith) : h_(CreateCompatibleDC(compatibleWith)) {}
    MemoryDC(MemoryDC&& o) noexcept : h_(std::exchange(o.h_, nullptr)) {}
    MemoryDC& operator=(MemoryDC&& o) noexcept {
        if (this != &o) {
            reset();
            h_ = std::exchange(o.h_, nullptr);
        }
        return *this;
    }
    ~MemoryDC() { reset(); }
    HDC get() const noexcept { return h_; }
    void reset() noexcept {
        if (h_) DeleteDC(h_);
        h_ = nullptr;
    }

private:
    HDC h_ = nullptr;
};

// A window's DC for the length of a scope (GetDC/ReleaseDC).
class WindowDC {
public:
    explicit WindowDC(HWND hwnd) : hwnd_(hwnd), h_(GetDC(hwnd)) {}
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    ~WindowDC() {
        if (h_) ReleaseDC(hwnd_, h_);
    }
    HDC get() const noexcept { return h_; }

private:
    HWND hwnd_;
    HDC h_;
};

// Selects an object into a DC for the length of a scope.
class SelectGuard {
public:
    SelectGuard(HDC dc, HGDIOBJ obj) : dc_(dc), old_(obj ? SelectObject(dc, obj) : nullptr) {}
    SelectGuard(const SelectGuard&) = delete;
    SelectGuard& operator=(const SelectGuard&) = delete;
    ~SelectGuard() {
        if (old_) SelectObject(dc_, old_);
    }

private:
    HDC dc_;
    HGDIOBJ old_;
};

// Reference-counted COM interface pointer.
template <class T>
class ComPtr {
public:
    ComPtr() = default;
    ComPtr(std::nullptr_t) {}
    explicit ComPtr(T* p, bool addRef = false) : p_(p) {
        if (p_ && addRef) p_->AddRef();
    }
    ComPtr(const ComPtr& o) : p_(o.p_) {
        if (p_) p_->AddRef();
    }
    ComPtr(ComPtr&& o) noexcept : p_(std::exchange(o.p_, nullptr)) {}
    ComPtr& operator=(ComPtr o) noexcept {
        std::swap(p_, o.p_);
        return *this;
    }
    ~ComPtr() { reset(); }
    T* get() const noexcept { return p_; }
    T* operator->() const noexcept { return p_; }
    explicit operator bool() const noexcept { return p_ != nullptr; }
    T** put() noexcept {
        reset();
        return &p_;
    }
    void reset() noexcept {
        if (p_) std::exchange(p_, nullptr)->Release();
    }
    template <class U>
    ComPtr<U> as(REFIID iid) const {
        ComPtr<U> out;
        if (p_) p_->QueryInterface(iid, reinterpret_cast<void**>(out.put()));
        return out;
    }

private:
    T* p_ = nullptr;
};

// OLE (COM on this thread, single-threaded apartment) for pictures, clipboard pictures and
// late-bound objects; started on first use and kept for the process.
void EnsureOle();

// Twips per pixel of the screen (15 at 96 dpi).
int TwipsPerPixelX();
int TwipsPerPixelY();
int ToPixelsX(double twips);
int ToPixelsY(double twips);
inline double ToTwipsX(int pixels) {
    return static_cast<double>(pixels) * TwipsPerPixelX();
}
inline double ToTwipsY(int pixels) {
    return static_cast<double>(pixels) * TwipsPerPixelY();
}
// Nearest integer, a half to the even neighbour (the runtime's rounding).
int RoundEven(double v);

// OLE colour (red in the low byte; top bit set: system colour index) to a GDI colour.
COLORREF ToColorRef(uint32_t oleColor);

// Text in the ANSI code page: the runtime's strings are single-byte.
inline std::string WindowText(HWND hwnd) {
    int n = GetWindowTextLengthA(hwnd);
    std::string s(static_cast<size_t>(n) + 1, '\0');
    n = GetWindowTextA(hwnd, s.data(), n + 1);
    s.resize(static_cast<size_t>(n < 0 ? 0 : n));
    return s;
}

}  // namespace rt
