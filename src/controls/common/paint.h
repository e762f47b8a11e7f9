// Painting helpers that controls share: OLE colours resolved the ways the controls read them, and
// row-by-row gradients. Every colour goes through rt::ToColorRef; these name its rules.
#pragma once

#include <windows.h>

#include <cstdint>

#include "runtime/win.h"

namespace controls {

// The platform's translation of an OLE colour; black when it has none.
inline uint32_t GetRealColor(uint32_t oleColor) {
    return rt::ToColorRef(oleColor, rt::OleColorRule::PlatformOrBlack);
}

// A negative value (top bit set) names the system colour of its low byte; any other value is an
// RGB colour and comes back as it is.
inline uint32_t TranslateOleColor(uint32_t oleColor) {
    return rt::ToColorRef(oleColor, rt::OleColorRule::TopBitOnly);
}

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

}  // namespace controls
