// Win32 plumbing the runtime shares: handle owners (handles.h), COM pointers, twips and colours.
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
#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>

#include "runtime/handles.h"

namespace rt {

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

// A stream over a copy of the bytes (an empty stream for none) that frees its memory when it
// goes; null when the memory or the stream is refused.
ComPtr<IStream> StreamOnCopy(const void* data, size_t length);

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

// What ToColorRef makes of a value that the platform's translation refuses (an unknown system
// colour index, a high byte it does not know), and whether the platform is asked at all. The
// callers have always differed here, and each keeps its own rule.
enum class OleColorRule {
    // The platform's translation; where it has none, a value with the top bit set names the system
    // colour of its low byte, any other its low three bytes. The runtime's own controls.
    Platform,
    // The platform's translation, black where it has none.
    PlatformOrBlack,
    // The platform is not asked: the top bit set names the system colour of the low byte, and any
    // other value stands as it is (palette-relative values included).
    TopBitOnly,
    // The platform's translation, CLR_INVALID (all bits set) where it has none.
    PlatformOrInvalid,
};

// OLE colour (red in the low byte; top bit set: system colour index) to a GDI colour. The one
// translation of the program: every OLE colour goes through here.
COLORREF ToColorRef(uint32_t oleColor, OleColorRule rule = OleColorRule::Platform);

// Text in the ANSI code page: the runtime's strings are single-byte.
inline std::string WindowText(HWND hwnd) {
    int n = GetWindowTextLengthA(hwnd);
    std::string s(static_cast<size_t>(n) + 1, '\0');
    n = GetWindowTextA(hwnd, s.data(), n + 1);
    s.resize(static_cast<size_t>(n < 0 ? 0 : n));
    return s;
}

}  // namespace rt
