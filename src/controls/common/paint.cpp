#include "controls/common/paint.h"

#include <algorithm>

namespace controls {

void SolidLine(HDC dc, int x1, int y1, int x2, int y2, COLORREF color) {
    rt::Pen pen(CreatePen(PS_SOLID, 1, color));
    rt::SelectGuard sel(dc, pen.get());
    MoveToEx(dc, x1, y1, nullptr);
    LineTo(dc, x2, y2);
}

void SolidFill(HDC dc, const RECT& r, COLORREF color) {
    rt::Brush brush(CreateSolidBrush(color));
    FillRect(dc, &r, brush.get());
}

RgbChannels SplitRgb(uint32_t rgb) {
    return {static_cast<int>(rgb % 256), static_cast<int>((rgb / 256) % 256), static_cast<int>(rgb / 65536 % 256)};
}

namespace {

// One row's channel: begin minus i steps. Rows past the end (a curve band runs one row long) stay
// inside the channel's range.
int GradientChannel(int b, int e, int rows, int i) {
    float step = static_cast<float>(static_cast<double>(b - e) / rows);
    double v = static_cast<double>(b) - static_cast<double>(static_cast<float>(i)) * static_cast<double>(step);
    return std::clamp(rt::RoundEven(v), 0, 255);
}

}  // namespace

COLORREF GradientRow(uint32_t beginRgb, uint32_t endRgb, int rows, int i) {
    RgbChannels b = SplitRgb(beginRgb), e = SplitRgb(endRgb);
    int r = GradientChannel(b.r, e.r, rows, i);
    int g = GradientChannel(b.g, e.g, rows, i);
    int bl = GradientChannel(b.b, e.b, rows, i);
    return static_cast<COLORREF>(r + 256 * g + 65536 * bl);
}

const rt::Picture& HandPointerPicture() {
    static const rt::Picture hand = [] {
        HCURSOR shared = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_HAND));
        return shared ? rt::Picture::FromIcon(CopyIcon(shared), true) : rt::Picture();
    }();
    return hand;
}

}  // namespace controls
