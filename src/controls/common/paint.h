// Painting helpers that controls share: OLE colours resolved the ways the controls read them, and
// row-by-row gradients. Every colour goes through rt::ToColorRef; these name its rules.
#pragma once

#include <windows.h>

#include <cstdint>

#include "runtime/picture.h"
#include "runtime/win.h"

namespace controls {

// The platform's translation of an OLE colour; black when it has none.
inline uint32_t GetRealColor(uint32_t oleColor) {
    return rt::ToColorRef(oleColor, rt::OleColorRule::PlatformOrBlack);
}

// The platform's translation of an OLE colour; CLR_INVALID (all bits set) when it has none.
inline uint32_t TranslateColorOrInvalid(uint32_t oleColor) {
    return rt::ToColorRef(oleColor, rt::OleColorRule::PlatformOrInvalid);
}

// A negative value (top bit set) names the system colour of its low byte; any other value is an
// RGB colour and comes back as it is.
inline uint32_t TranslateOleColor(uint32_t oleColor) {
    return rt::ToColorRef(oleColor, rt::OleColorRule::TopBitOnly);
}

// A one-pixel solid line from (x1, y1) toward (x2, y2), the end point itself not drawn.
void SolidLine(HDC dc, int x1, int y1, int x2, int y2, COLORREF color);
// Fills the rectangle with a solid colour.
void SolidFill(HDC dc, const RECT& r, COLORREF color);

// An RGB colour's channels (red in the low byte).
struct RgbChannels {
    int r, g, b;
};
RgbChannels SplitRgb(uint32_t rgb);

// One gradient's colour at row i: from begin (row 0) to end (row rows), channel by channel. The
// step is held in single precision and rounded half to even; rows past the end stay inside each
// channel's range.
COLORREF GradientRow(uint32_t beginRgb, uint32_t endRgb, int rows, int i);

// A gradient between two RGB colours over a number of rows, read row by row.
struct Gradient {
    uint32_t begin, end;
    int rows;
    COLORREF operator()(int i) const { return GradientRow(begin, end, rows, i); }
};

// The platform's hand pointer as an icon picture, one for every control that shows it.
const rt::Picture& HandPointerPicture();

}  // namespace controls
