// The coordinator of the alpha pictures of one container. Windowless pictures cannot capture the
// mouse and never hear that the pointer left them, so the pictures of a container share one
// coordinator: it lists the pictures that are shown and enabled, remembers which of them holds the
// pointer (the captured control) and tells that one to let go when another takes the pointer.
//
// It also keeps GDI+ running for the whole top-level window: the first coordinator of a top window
// takes one start of the GDI+ service and hands it to a hidden keeper window ("Static",
// "GDI+Safe Patch") on the top window; 50 ms after the top window is destroyed, once every handler
// of it has returned, the keeper gives the start back. The coordinators never stop GDI+ themselves.
//
// Pictures are known by their identity: the address of the picture's ICrossComm, pointer-sized. The
// coordinator holds no reference on them; a picture always removes itself before it goes.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <vector>

class cCrossComm;

// What every alpha picture offers its coordinator. The interface itself does nothing.
class ICrossComm {
public:
    virtual ~ICrossComm() = default;
    // The coordinator the picture joined; none before it joined one.
    virtual std::shared_ptr<cCrossComm> CrossTalkClass() const { return nullptr; }
    // Stops the picture's leave tracking and raises its MouseExit. Called by the coordinator only.
    virtual void ReleaseMouseCapture() {}

    // The picture's identity with its coordinator and as its timers' identifier.
    intptr_t Identity() const noexcept { return reinterpret_cast<intptr_t>(this); }
};

class cCrossComm {
public:
    cCrossComm() = default;
    cCrossComm(const cCrossComm&) = delete;
    cCrossComm& operator=(const cCrossComm&) = delete;

    // Setting another picture while one holds the pointer first releases the holder; 0 releases it.
    void CapturedControl(intptr_t ucPointer);
    intptr_t CapturedControl() const noexcept { return captured_; }
    // 0: GDI+ not started here; -1: kept running by another coordinator's keeper on the same top
    // window; else the token of the start that this coordinator's keeper holds.
    intptr_t gdiToken() const noexcept { return gdiToken_; }
    // The token the pictures give their image objects: the running start's token also when another
    // coordinator's keeper holds it (-1 above), 0 without GDI+.
    ULONG_PTR ImageToken() const noexcept { return imageToken_; }
    // Registers a picture (0 is ignored, an identity is listed once).
    void AddRef(intptr_t ucPointer);
    // Unregisters a picture; removing the captured control clears the capture without a call.
    void RemoveRef(intptr_t ucPointer);
    // Starts GDI+ for the container's top window and installs the keeper there (once per top window).
    void ManageGDIToken(HWND ContainerHwnd);

    // The registered identities, in ascending order.
    const std::vector<intptr_t>& Instances() const noexcept { return list_; }
    int32_t InstanceCount() const noexcept { return static_cast<int32_t>(list_.size()); }

    // The keeper window of a top window, or nullptr.
    static HWND KeeperWindow(HWND topWindow);

private:
    bool FindInstance(intptr_t ucPointer, size_t& index) const;

    std::vector<intptr_t> list_;
    intptr_t captured_ = 0;
    intptr_t gdiToken_ = 0;
    ULONG_PTR imageToken_ = 0;
};
