// The image object's state, capability flags and lifecycle.
#include "imaging/c32bppDIB.h"

#include <cstring>

#include "imaging/gdiplus_bridge.h"
#include "imaging/zlib_access.h"
#include "runtime/dib.h"
#include "runtime/handles.h"

namespace imaging {

namespace {

SystemVersion ReportedVersion() {
    SystemVersion v{};
    OSVERSIONINFOEXA ex{};
    ex.dwOSVersionInfoSize = sizeof ex;
    if (GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&ex))) {
        v.platformId = ex.dwPlatformId;
        v.major = ex.dwMajorVersion;
        v.minor = ex.dwMinorVersion;
        v.servicePackMajor = ex.wServicePackMajor;
        return v;
    }
    OSVERSIONINFOA plain{};
    plain.dwOSVersionInfoSize = sizeof plain;
    if (GetVersionExA(&plain)) {
        v.platformId = plain.dwPlatformId;
        v.major = plain.dwMajorVersion;
        v.minor = plain.dwMinorVersion;
        v.servicePackMajor = 0;
    }
    return v;
}

}  // namespace

c32bppDIB::c32bppDIB() { InitCapabilities(ReportedVersion()); }

c32bppDIB::c32bppDIB(const SystemVersion& version) { InitCapabilities(version); }

c32bppDIB::c32bppDIB(SiblingOf sibling) {
    const c32bppDIB& source = sibling.source;
    const SystemVersion v = ReportedVersion();
    flags_ = CapabilityFlagsForVersion(v.platformId, v.major, v.minor, v.servicePackMajor) & ~capGdiPlusEnabled;
    flags_ |= source.flags_ & capGdiPlusEnabled;
    highQuality_ = source.highQuality_;
    token_ = source.token_;
}

c32bppDIB::~c32bppDIB() { DestroyDIB(); }

void c32bppDIB::InitCapabilities(const SystemVersion& version) {
    flags_ = CapabilityFlagsForVersion(version.platformId, version.major, version.minor, version.servicePackMajor);
    isGDIplusEnabled(true);
    if (isGDIplusEnabled()) highQuality_ = true;
}

void c32bppDIB::isAlphaBlendFriendly(bool Enabled) {
    if (Enabled && (flags_ & capAlphaBlendPresent))
        flags_ |= capAlphaBlendUsable;
    else
        flags_ &= ~capAlphaBlendUsable;
}

void c32bppDIB::isGDIplusEnabled(bool Enabled) {
    if (Enabled == isGDIplusEnabled()) return;
    flags_ &= ~capGdiPlusEnabled;
    if (Enabled && !(flags_ & capNoGdiPlus)) {
        ULONG_PTR token = 0;
        if (cGDIPlus().isGDIplusOk(token, false)) flags_ |= capGdiPlusEnabled;
    }
}

bool c32bppDIB::isZlibEnabled() const {
    std::string name;
    int32_t flag = 0;
    bool isCdecl = false, compress2 = false;
    return LocateZlib(name, flag, isCdecl, compress2, true);
}

bool c32bppDIB::InitializeDIB(int32_t Width, int32_t Height) {
    DestroyDIB();
    if (Width < 0 || Height == 0) return false;
    const int64_t rows = Height < 0 ? -static_cast<int64_t>(Height) : Height;
    const int64_t bytes = static_cast<int64_t>(Width) * rows * 4;
    if (bytes > INT32_MAX) return false;
    BITMAPINFO info = rt::DibHeader(Width, static_cast<int>(rows), 32, true);
    info.bmiHeader.biSizeImage = static_cast<DWORD>(bytes);
    rt::ScreenDC screen;
    void* bits = nullptr;
    rt::Bitmap section(Width > 0 ? CreateDIBSection(screen.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0)
                                 : nullptr);
    if (!section || !bits) return false;
    if (manageDC_ && !ownDC_) ownDC_.reset(CreateCompatibleDC(screen.get()));
    section_ = std::move(section);
    bits_ = static_cast<uint8_t*>(bits);
    width_ = Width;
    height_ = static_cast<int32_t>(rows);
    alpha_ = true;
    imageType_ = imgBlank;
    return true;
}

void c32bppDIB::DestroyDIB() {
    if (ownDC_) {
        if (displaced_) SelectObject(ownDC_.get(), displaced_);
        ownDC_.reset();
    }
    if (section_) {
        section_.reset();
        sourceBytes_.clear();
        sourceBytes_.shrink_to_fit();
    }
    width_ = height_ = 0;
    bits_ = nullptr;
    displaced_ = nullptr;
    alpha_ = false;
    imageType_ = imgNone;
}

void c32bppDIB::EraseDIB() {
    if (!section_) return;
    GdiFlush();
    std::memset(bits_, 0, static_cast<size_t>(width_) * static_cast<size_t>(height_) * 4);
    imageType_ = imgBlank;
    alpha_ = true;
}

HDC c32bppDIB::LoadDIBinDC(bool bLoad) {
    if (bLoad) {
        if (!section_) return nullptr;
        if (!ownDC_) {
            rt::ScreenDC screen;
            ownDC_.reset(CreateCompatibleDC(screen.get()));
            if (!ownDC_) return nullptr;
        }
        if (!displaced_) {
            HGDIOBJ old = SelectObject(ownDC_.get(), section_.get());
            if (!old || old == HGDI_ERROR) return nullptr;
            displaced_ = old;
        }
        return ownDC_.get();
    }
    if (displaced_) {
        SelectObject(ownDC_.get(), displaced_);
        displaced_ = nullptr;
        if (!manageDC_) ownDC_.reset();
    }
    return nullptr;
}

void c32bppDIB::ManageOwnDC(bool bManage) {
    if (!bManage) {
        if (ownDC_) {
            if (displaced_ && section_) SelectObject(ownDC_.get(), displaced_);
            displaced_ = nullptr;
            ownDC_.reset();
        }
    } else if (!ownDC_ && section_) {
        rt::ScreenDC screen;
        ownDC_.reset(CreateCompatibleDC(screen.get()));
    }
    manageDC_ = bManage;
}

}  // namespace imaging
