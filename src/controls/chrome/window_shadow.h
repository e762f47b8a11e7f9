// The soft shadow along a top-level window's right and bottom edges: two layered, click-through
// popup windows owned by the form, filled with alpha ramps in the shadow colour and kept beside
// the form through a message hook on the form's window.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <utility>

#include "controls/chrome/shadow_pixels.h"
#include "controls/hook/window_hook.h"
#include "runtime/handles.h"

namespace controls {

// What the capability test finds: layered windows with per-pixel alpha can be used, whether
// visual styles exist, and whether the current one is Luna (nullopt: could not be asked, the
// earlier answer stays).
struct ShadowCapability {
    bool supported = false;
    bool themes = false;
    std::optional<bool> luna;
};
using ShadowCapabilityTest = std::function<ShadowCapability()>;

// One strip as it is handed to the platform: its place and size on the screen and its pixels
// (width * height values, bottom row first, premultiplied BGRA).
struct ShadowStripImage {
    ShadowStrip strip;
    int32_t x, y, width, height;
    uint8_t constantAlpha;
    const uint32_t* bits;
};

class clsShadow : private HookClient {
public:
    // test answers the capability test; empty means the system's own answer.
    explicit clsShadow(ShadowCapabilityTest test = {});
    ~clsShadow();
    clsShadow(const clsShadow&) = delete;
    clsShadow& operator=(const clsShadow&) = delete;

    int32_t Color() const { return color_; }
    void Color(int32_t value);
    int32_t Depth() const { return depth_; }
    void Depth(int32_t value);
    uint8_t Transparency() const { return transparency_; }
    void Transparency(uint8_t value);

    // Attaches the shadow to a form; one form per object.
    bool Shadow(HWND form);

    // The system's capability test.
    static ShadowCapability CheckShadowSupport();

    // For tests and diagnostics.
    HWND RightStrip() const { return right_.get(); }
    HWND BottomStrip() const { return bottom_.get(); }
    bool Supported() const { return supported_; }
    void SetRenderObserver(std::function<void(const ShadowStripImage&)> observer) {
        observer_ = std::move(observer);
    }

private:
    struct StripRect {
        int32_t x, y, w, h;
    };

    void HookProc(bool bBefore, bool& bHandled, LRESULT& lReturn, HWND& hWnd, UINT& uMsg, WPARAM& wParam,
                  LPARAM& lParam, int32_t& userValue) override;

    void RunCapabilityTest();
    void CreateShadowWindows();
    void DestroyShadowWindows();
    StripRect Geometry(ShadowStrip strip) const;
    void UpdateShadow();
    void RenderShadowStrip(ShadowStrip strip);
    void ShowShadows(bool show, bool force);
    void MoveShadows();

    ShadowCapabilityTest test_;
    std::function<void(const ShadowStripImage&)> observer_;
    int32_t color_ = 0;
    int32_t depth_ = 7;
    uint8_t transparency_ = 140;
    bool supported_ = false;
    bool themes_ = false;
    bool luna_ = false;
    bool shown_ = false;
    bool stale_ = false;  // a property changed while the strips could not be drawn
    int32_t lastWidth_ = 0, lastHeight_ = 0;
    rt::WindowHandle right_, bottom_;
    HWND form_ = nullptr;
    struct {
        int32_t x = 0, y = 0, cx = 0, cy = 0;
        UINT flags = 0;
    } lastPos_;
    WindowHook hook_{"cShadow", this, HookReporting::Silent};
};

}  // namespace controls
