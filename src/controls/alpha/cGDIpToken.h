// Keeps GDI+ running while any vector pen, brush or path object exists. There is one shared token
// (SharedGdipToken); every pen-and-brush and path object takes a reference at its creation and
// gives it back at its end, and the last one to go stops GDI+. The start itself goes through the
// program's one GDI+ service, so an image object that holds GDI+ keeps it running after the last
// shape. Each start also makes a fresh shared mouse-leave tracker (SharedMouseTracker).
//
// The token counts as running only when the service started GDI+ and its vector table is complete;
// otherwise Token reads 0 and the users create nothing.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>

#include "imaging/gdiplus_service.h"

namespace controls {

class cMouseExit;

class cGDIpToken {
public:
    cGDIpToken();  // starts GDI+ (with no reference counted yet)
    ~cGDIpToken();
    cGDIpToken(const cGDIpToken&) = delete;
    cGDIpToken& operator=(const cGDIpToken&) = delete;

    // The running start's token; 0 when GDI+ is not running (also after a failed start).
    ULONG_PTR Token() const noexcept { return failed() ? 0 : token_; }
    int32_t Version() const noexcept { return version_; }
    void AddRef();
    void RemoveRef();
    int32_t References() const noexcept { return references_; }

    // The flat API of the running start; nullptr when Token is 0.
    const imaging::GdiplusApi* Images() const;
    const imaging::GdiplusShapeApi* Shapes() const;

private:
    static constexpr ULONG_PTR kFailed = static_cast<ULONG_PTR>(-1);
    bool failed() const noexcept { return token_ == kFailed; }
    void StartGdiPlus();
    void StopGdiPlus();

    ULONG_PTR token_ = 0;  // 0 not started, kFailed: the last start failed
    int32_t references_ = 0;
    int32_t version_ = 0;
};

// The shared token, made on first use and kept for the rest of the run.
std::shared_ptr<cGDIpToken>& SharedGdipToken();
// The shared mouse-leave tracker; replaced at every start of GDI+.
std::shared_ptr<cMouseExit>& SharedMouseTracker();

// A user's hold on the shared token: made with the token's AddRef, given back with RemoveRef.
class GdipTokenRef {
public:
    GdipTokenRef();
    ~GdipTokenRef();
    GdipTokenRef(const GdipTokenRef&) = delete;
    GdipTokenRef& operator=(const GdipTokenRef&) = delete;
    cGDIpToken& operator*() const noexcept { return *token_; }
    cGDIpToken* operator->() const noexcept { return token_.get(); }

private:
    std::shared_ptr<cGDIpToken> token_;
};

}  // namespace controls
