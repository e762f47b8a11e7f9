// Owners for the GDI and kernel handles of the image engine: every handle the engine creates is
// held by one of these, so that each path out of a function releases it.
#pragma once

#include <windows.h>

#include <utility>

namespace imaging {

template <class H, class Deleter>
class UniqueHandle {
public:
    UniqueHandle() = default;
    explicit UniqueHandle(H h) : h_(h) {}
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& o) noexcept : h_(std::exchange(o.h_, H{})) {}
    UniqueHandle& operator=(UniqueHandle&& o) noexcept {
        if (this != &o) reset(std::exchange(o.h_, H{}));
        return *this;
    }
    ~UniqueHandle() { reset(); }

    H get() const { return h_; }
    explicit operator bool() const { return h_ != H{}; }
    H release() { return std::exchange(h_, H{}); }
    void reset(H h = H{}) {
        if (h_ != H{}) Deleter{}(h_);
        h_ = h;
    }

private:
    H h_{};
};

struct GdiObjectDeleter {
    void operator()(HGDIOBJ h) const { DeleteObject(h); }
};
struct DcDeleter {
    void operator()(HDC h) const { DeleteDC(h); }
};
struct ModuleDeleter {
    void operator()(HMODULE h) const { FreeLibrary(h); }
};
struct GlobalDeleter {
    void operator()(HGLOBAL h) const { GlobalFree(h); }
};
struct FileDeleter {
    void operator()(HANDLE h) const {
        if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
    }
};
struct IconDeleter {
    void operator()(HICON h) const { DestroyIcon(h); }
};
struct EnhMetaFileDeleter {
    void operator()(HENHMETAFILE h) const { DeleteEnhMetaFile(h); }
};
struct MetaFileDeleter {
    void operator()(HMETAFILE h) const { DeleteMetaFile(h); }
};

using UniqueBitmap = UniqueHandle<HBITMAP, GdiObjectDeleter>;
using UniqueRegion = UniqueHandle<HRGN, GdiObjectDeleter>;
using UniqueBrush = UniqueHandle<HBRUSH, GdiObjectDeleter>;
using UniqueDC = UniqueHandle<HDC, DcDeleter>;
using UniqueModule = UniqueHandle<HMODULE, ModuleDeleter>;
using UniqueGlobal = UniqueHandle<HGLOBAL, GlobalDeleter>;
using UniqueIcon = UniqueHandle<HICON, IconDeleter>;
using UniqueEnhMetaFile = UniqueHandle<HENHMETAFILE, EnhMetaFileDeleter>;
using UniqueMetaFile = UniqueHandle<HMETAFILE, MetaFileDeleter>;

// A file handle; INVALID_HANDLE_VALUE and 0 both mean none.
class UniqueFile {
public:
    UniqueFile() = default;
    explicit UniqueFile(HANDLE h) : h_(h == nullptr ? INVALID_HANDLE_VALUE : h) {}
    UniqueFile(const UniqueFile&) = delete;
    UniqueFile& operator=(const UniqueFile&) = delete;
    ~UniqueFile() { FileDeleter{}(h_); }
    HANDLE get() const { return h_; }
    explicit operator bool() const { return h_ != INVALID_HANDLE_VALUE; }

private:
    HANDLE h_ = INVALID_HANDLE_VALUE;
};

// The screen's device context, released at the end of the scope.
class ScreenDC {
public:
    ScreenDC() : dc_(GetDC(nullptr)) {}
    ScreenDC(const ScreenDC&) = delete;
    ScreenDC& operator=(const ScreenDC&) = delete;
    ~ScreenDC() {
        if (dc_) ReleaseDC(nullptr, dc_);
    }
    HDC get() const { return dc_; }

private:
    HDC dc_;
};

// Selects an object into a device context and puts the displaced one back at the end.
class SelectGuard {
public:
    SelectGuard(HDC dc, HGDIOBJ obj) : dc_(dc), old_(dc && obj ? SelectObject(dc, obj) : nullptr) {}
    SelectGuard(const SelectGuard&) = delete;
    SelectGuard& operator=(const SelectGuard&) = delete;
    ~SelectGuard() {
        if (old_ && old_ != HGDI_ERROR) SelectObject(dc_, old_);
    }
    bool ok() const { return old_ != nullptr && old_ != HGDI_ERROR; }

private:
    HDC dc_;
    HGDIOBJ old_;
};

}  // namespace imaging
