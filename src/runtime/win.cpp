#include "runtime/win.h"

#include <olectl.h>

#include <cstring>

#include "runtime/screen_metrics.h"

namespace rt {

void EnsureOle() {
    static bool started = false;
    if (started) return;
    // OleInitialize also gives the clipboard and drag-and-drop services; S_FALSE: already started.
    HRESULT hr = OleInitialize(nullptr);
    started = SUCCEEDED(hr) || hr == RPC_E_CHANGED_MODE;
}

ComPtr<IStream> StreamOnCopy(const void* data, size_t length) {
    ComPtr<IStream> stream;
    if (!data || length == 0) {
        if (FAILED(CreateStreamOnHGlobal(nullptr, TRUE, stream.put()))) return {};
        return stream;
    }
    GlobalMemory block(GlobalAlloc(GMEM_MOVEABLE, length));
    if (!block) return {};
    void* p = GlobalLock(block.get());
    if (!p) return {};
    std::memcpy(p, data, length);
    GlobalUnlock(block.get());
    if (FAILED(CreateStreamOnHGlobal(block.get(), TRUE, stream.put()))) return {};
    block.release();  // the stream frees it now
    return stream;
}

const ScreenMetrics& ScreenMetrics::Get() {
    static const ScreenMetrics metrics = [] {
        ScreenMetrics m;
        ScreenDC dc;
        if (!dc) return m;
        auto ask = [&](int index, int& into) {
            const int v = GetDeviceCaps(dc.get(), index);
            if (v > 0) into = v;
        };
        ask(LOGPIXELSX, m.dpiX);
        ask(LOGPIXELSY, m.dpiY);
        ask(BITSPIXEL, m.bitsPerPixel);
        return m;
    }();
    return metrics;
}

int TwipsPerPixelX() {
    return 1440 / ScreenMetrics::Get().dpiX;
}
int TwipsPerPixelY() {
    return 1440 / ScreenMetrics::Get().dpiY;
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
