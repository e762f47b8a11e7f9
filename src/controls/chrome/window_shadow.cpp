#include "controls/chrome/window_shadow.h"

#include <cwchar>
#include <vector>

#include "controls/common/paint.h"
#include "runtime/dib.h"
#include "runtime/handles.h"

namespace controls {

namespace {

template <class Fn>
Fn ProcAddress(HMODULE module, const char* name) {
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

// Whether the active visual style is Luna; nullopt when the theme library cannot be loaded.
std::optional<bool> CheckLunaTheme() {
    rt::Library uxtheme(LoadLibraryA("uxtheme.dll"));
    if (!uxtheme) return std::nullopt;
    using CurrentThemeNameFn = HRESULT(WINAPI*)(LPWSTR, int, LPWSTR, int, LPWSTR, int);
    using DocumentationPropertyFn = HRESULT(WINAPI*)(LPCWSTR, LPCWSTR, LPWSTR, int);
    auto currentThemeName = ProcAddress<CurrentThemeNameFn>(uxtheme.get(), "GetCurrentThemeName");
    auto documentationProperty =
        ProcAddress<DocumentationPropertyFn>(uxtheme.get(), "GetThemeDocumentationProperty");
    if (currentThemeName == nullptr || documentationProperty == nullptr) return false;
    std::vector<wchar_t> file(256, L'\0'), name(256, L'\0');
    currentThemeName(file.data(), 255, nullptr, 0, nullptr, 0);
    documentationProperty(file.data(), L"ThemeName", name.data(), 255);
    return _wcsicmp(name.data(), L"Luna") == 0;
}

}  // namespace

ShadowCapability clsShadow::CheckShadowSupport() {
    ShadowCapability answer;
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof version;
    if (!GetVersionExA(&version)) return answer;
    if (version.dwPlatformId != VER_PLATFORM_WIN32_NT || version.dwMajorVersion <= 4) return answer;
    // Visual styles came with 5.1 and stayed.
    if (version.dwMajorVersion > 5 || version.dwMinorVersion > 0) {
        answer.themes = true;
        answer.luna = CheckLunaTheme();
    }
    rt::ScreenDC screen;
    answer.supported = screen && GetDeviceCaps(screen.get(), BITSPIXEL) > 15;
    return answer;
}

clsShadow::clsShadow(ShadowCapabilityTest test) : test_(std::move(test)) {
    RunCapabilityTest();
}

clsShadow::~clsShadow() {
    hook_.HookTerminate();
    DestroyShadowWindows();
}

void clsShadow::RunCapabilityTest() {
    ShadowCapability answer = test_ ? test_() : CheckShadowSupport();
    supported_ = answer.supported;
    themes_ = answer.themes;
    if (answer.luna) luna_ = *answer.luna;
}

void clsShadow::Color(int32_t value) {
    // A system colour is taken at its current value, so later changes of it do not follow.
    value = static_cast<int32_t>(TranslateOleColor(static_cast<uint32_t>(value)));
    if (value == color_) return;
    color_ = value;
    UpdateShadow();
}

void clsShadow::Depth(int32_t value) {
    if (value == depth_) return;
    depth_ = value;
    UpdateShadow();
}

void clsShadow::Transparency(uint8_t value) {
    if (value == transparency_) return;
    transparency_ = value;
    UpdateShadow();
}

bool clsShadow::Shadow(HWND form) {
    // A second form is refused (silently, like every failure of this class).
    if (form_ != nullptr) return false;
    if (!supported_) return false;
    form_ = form;
    if (!hook_.sc_Subclass(form, 0)) {
        // Not recorded, so that a later call can still attach.
        form_ = nullptr;
        return false;
    }
    hook_.HookAddMessage(form, WM_WINDOWPOSCHANGED, WindowHook::MSG_BEFORE);
    hook_.HookAddMessage(form, WM_SIZE, WindowHook::MSG_BEFORE);
    hook_.HookAddMessage(form, WM_DISPLAYCHANGE, WindowHook::MSG_BEFORE);
    if (themes_) hook_.HookAddMessage(form, WM_THEMECHANGED, WindowHook::MSG_BEFORE);
    CreateShadowWindows();
    return true;
}

void clsShadow::CreateShadowWindows() {
    const DWORD exStyle = WS_EX_LAYERED | WS_EX_TRANSPARENT | WS_EX_NOPARENTNOTIFY;
    HINSTANCE instance = GetModuleHandleA(nullptr);
    right_.reset(
        CreateWindowExA(exStyle, "#32770", "", WS_POPUP, 0, 0, 0, 0, form_, nullptr, instance, nullptr));
    bottom_.reset(
        CreateWindowExA(exStyle, "#32770", "", WS_POPUP, 0, 0, 0, 0, form_, nullptr, instance, nullptr));
}

void clsShadow::DestroyShadowWindows() {
    bottom_.reset();
    right_.reset();
}

// A depth at or beyond either side of the form leaves no room for a shadow: both strips are empty.
clsShadow::StripRect clsShadow::Geometry(ShadowStrip strip) const {
    const int32_t x = lastPos_.x, y = lastPos_.y, cx = lastPos_.cx, cy = lastPos_.cy, d = depth_;
    const bool empty = d <= 0 || d >= cx || d >= cy;
    if (strip == ShadowStrip::Right) return {x + cx, y + d, empty ? 0 : d, empty ? 0 : cy};
    return {x + d, y + cy, empty ? 0 : cx - d, empty ? 0 : d};
}

void clsShadow::UpdateShadow() {
    if (!supported_ || form_ == nullptr) return;
    if (!IsWindowVisible(form_)) {
        stale_ = true;
        return;
    }
    RenderShadowStrip(ShadowStrip::Right);
    RenderShadowStrip(ShadowStrip::Bottom);
    stale_ = false;
}

void clsShadow::RenderShadowStrip(ShadowStrip strip) {
    HWND window = strip == ShadowStrip::Right ? right_.get() : bottom_.get();
    if (window == nullptr) return;
    const StripRect g = Geometry(strip);
    if (g.w <= 0 || g.h <= 0) {
        MoveWindow(window, g.x, g.y, 0, 0, FALSE);
        return;
    }

    rt::MemoryDC dc(nullptr);
    if (!dc) return;
    BITMAPINFO info = rt::DibHeader(g.w, g.h, 32, true);  // bottom-up: row 0 is the bottom row
    info.bmiHeader.biSizeImage = static_cast<DWORD>(g.w) * static_cast<DWORD>(g.h) * 4;
    void* bits = nullptr;
    rt::Bitmap bitmap(CreateDIBSection(dc.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap || bits == nullptr) return;

    auto* pixels = static_cast<uint32_t*>(bits);
    shadow::FillStrip(pixels, strip, g.w, g.h, color_, luna_);
    if (observer_) observer_(ShadowStripImage{strip, g.x, g.y, g.w, g.h, transparency_, pixels});

    rt::SelectGuard selected(dc.get(), bitmap.get());
    POINT destination{g.x, g.y};
    SIZE size{g.w, g.h};
    POINT source{0, 0};
    BLENDFUNCTION blend{AC_SRC_OVER, 0, transparency_, AC_SRC_ALPHA};
    UpdateLayeredWindow(window, nullptr, &destination, &size, dc.get(), &source, 0, &blend, ULW_ALPHA);
}

void clsShadow::ShowShadows(bool show, bool force) {
    if (!force && show == shown_) return;
    shown_ = show;
    const int command = show ? SW_SHOWNOACTIVATE : SW_HIDE;
    if (right_) ShowWindow(right_.get(), command);
    if (bottom_) ShowWindow(bottom_.get(), command);
}

void clsShadow::MoveShadows() {
    if (lastPos_.flags & SWP_HIDEWINDOW) {
        ShowShadows(false, false);
        return;
    }
    // Only a strip whose length changed is drawn again; a pure move just moves the windows.
    bool bottomDrawn = false, rightDrawn = false;
    if (lastPos_.cx != lastWidth_) {
        lastWidth_ = lastPos_.cx;
        RenderShadowStrip(ShadowStrip::Bottom);
        bottomDrawn = true;
    }
    if (lastPos_.cy != lastHeight_) {
        lastHeight_ = lastPos_.cy;
        RenderShadowStrip(ShadowStrip::Right);
        rightDrawn = true;
    }
    // A colour, depth or transparency set while the form was hidden shows now, not only after
    // the next resize.
    if (stale_) {
        if (!rightDrawn) RenderShadowStrip(ShadowStrip::Right);
        if (!bottomDrawn) RenderShadowStrip(ShadowStrip::Bottom);
        stale_ = false;
    }
    const StripRect r = Geometry(ShadowStrip::Right), b = Geometry(ShadowStrip::Bottom);
    if (right_) MoveWindow(right_.get(), r.x, r.y, r.w, r.h, FALSE);
    if (bottom_) MoveWindow(bottom_.get(), b.x, b.y, b.w, b.h, FALSE);
    if (lastPos_.flags & SWP_SHOWWINDOW) ShowShadows(true, false);
}

// The shadow only watches: it never handles a message, so the form's own procedure always runs.
void clsShadow::HookProc(bool, bool&, LRESULT&, HWND&, UINT& uMsg, WPARAM& wParam, LPARAM& lParam, int32_t&) {
    switch (uMsg) {
        case WM_SIZE:
            if (wParam == SIZE_RESTORED && IsWindowVisible(form_)) ShowShadows(true, false);
            break;
        case WM_WINDOWPOSCHANGED: {
            const auto* pos = reinterpret_cast<const WINDOWPOS*>(lParam);
            lastPos_.x = pos->x;
            lastPos_.y = pos->y;
            lastPos_.cx = pos->cx;
            lastPos_.cy = pos->cy;
            lastPos_.flags = pos->flags;
            MoveShadows();
            break;
        }
        case WM_DISPLAYCHANGE: {
            const bool was = supported_;
            RunCapabilityTest();
            if (was && !supported_) {
                DestroyShadowWindows();
            } else if (!was && supported_) {
                CreateShadowWindows();
                UpdateShadow();
                if (IsWindowVisible(form_)) ShowShadows(true, true);
            }
            break;
        }
        case WM_THEMECHANGED:
            RunCapabilityTest();
            UpdateShadow();
            break;
        default:
            break;
    }
}

}  // namespace controls
