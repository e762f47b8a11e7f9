#include "runtime/win.h"

#include <olectl.h>

namespace rt {

void EnsureOle() {
    static bool started = false;
    if (started) return;
    // OleInitialize also gives the clipboard and drag-and-drop services; S_FALSE: already started.
    HRESULT hr = OleInitialize(nullptr);
    started = SUCCEEDED(hr) || hr == RPC_E_CHANGED_MODE;
}

namespace {
int ScreenDpi(int index) {
    static int dpi[2] = {0, 0};
    int& v = dpi[index == LOGPIXELSX ? 0 : 1];
    if (v == 0) {
        ScreenDC dc;
        v = dc ? GetDeviceCaps(dc.get(), index) : 96;
        if (v <= 0) v = 96;
    }
    return v;
}
}  // namespace

int TwipsPerPixelX() {
    return 1440 / ScreenDpi(LOGPIXELSX);
}
int TwipsPerPixelY() {
    return 1440 / ScreenDpi(LOGPIXELSY);
}

int RoundEven(double v) {
    return static_cast<int>(std::nearbyint(v));
}  // default mode: ties to even

int ToPixelsX(double twips) {
    return RoundEven(twips / TwipsPerPixelX());
}
int ToPixelsY(double twips) {
    return RoundEven(twips / TwipsPerPixelY());
}

COLORREF ToColorRef(uint32_t oleColor, OleColorRule rule) {
    if (rule != OleColorRule::TopBitOnly) {
        COLORREF c = 0;
        if (OleTranslateColor(static_cast<OLE_COLOR>(oleColor), nullptr, &c) == S_OK) return c;
        if (rule == OleColorRule::PlatformOrBlack) return 0;
        if (rule == OleColorRule::PlatformOrInvalid) return CLR_INVALID;
    }
    if (oleColor & 0x80000000u) return GetSysColor(static_cast<int>(oleColor & 0xFF));
    return rule == OleColorRule::TopBitOnly ? oleColor : oleColor & 0xFFFFFF;
}

}  // namespace rt
