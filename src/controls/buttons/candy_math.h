// The window-free geometry and colour arithmetic of the glossy button: colour mixing, the
// rounded-rectangle point test, the carving of its rounded window region, the gloss parameters
// of each look and the pearl look's pixels. Colours are plain RGB values, red in the low byte.
#pragma once

#include <array>
#include <cstdint>

namespace controls {

// Mixes two RGB colours: Percentage is clamped into 0 to 100 and written back; 0 gives rgb1,
// 100 rgb2, each channel moving by a truncated step.
uint32_t CandyBlend(uint32_t rgb1, uint32_t rgb2, int32_t& Percentage);
// The same mix toward a colour whose percentage needs no write-back.
inline uint32_t CandyBlendBy(uint32_t rgb1, uint32_t rgb2, int32_t percentage) {
    return CandyBlend(rgb1, rgb2, percentage);
}

// Point test against a rounded rectangle (X, Y, W, H) with corner radius R.
bool CandyInCorner(int a, int b, int R);
bool CandyInRoundRect(int x, int y, int X, int Y, int W, int H, int R);

// Radius of the rounded window region of a look (SW, SH: the surface's size in pixels); 0 for
// the looks without one (0, 1 and values outside 0 to 7).
int CandyRegionRadius(int32_t style, double SW, double SH);

// Carves a rounded region out of the rectangle (0, 0)-(X + W, Y + H): every rectangle that the
// carving removes or puts back is handed to toggle(left, top, right, bottom), right and bottom
// excluded, to be combined by exclusive or. Only the left half is tested; the right half
// mirrors it, one column shorter. R below 1 counts as 1. Returns the radius used.
template <class Toggle>
int CandyCarveRegion(int X, int Y, int W, int H, int R, Toggle&& toggle) {
    if (R < 1) R = 1;
    auto apply = [&](int c1, int r1, int c2, int r2) {
        const int l = c1 < c2 ? c1 : c2, r = c1 < c2 ? c2 : c1;
        const int t = r1 < r2 ? r1 : r2, b = r1 < r2 ? r2 : r1;
        if (l < r && t < b) toggle(l, t, r, b);
    };
    int keepCol = 0, keepRow = 0;
    for (int k = 0; k <= Y + H; ++k)
        for (int i = 0; i <= (X + W) / 2; ++i) {
            if (CandyInRoundRect(i, k, X, Y, W, H, R)) continue;
            if (k != keepRow) {
                apply(X + W - keepCol, keepRow, X + W - i, k);
                if (X + W != 2 * keepCol) ++keepCol;
                apply(i, keepRow, keepCol, k);
            }
            keepCol = i;
            keepRow = k;
        }
    return R;
}

// The parameters of a gloss look (Styles 2, 3, 4, 5 and 7) for the corner radius R.
struct CandyGlossParams {
    std::array<int32_t, 12> P{};
};
// False when the look paints no body: a style without gloss, or Style 3 with no height.
bool CandyGlossShape(int32_t style, int R, double SW, double SH, CandyGlossParams& out);

// The glow's half width and half height in pixels, for a body of W x H.
struct CandyGlowBox {
    int cx = 0, cy = 0;
};
CandyGlowBox CandyGlowSize(int W, int H, const CandyGlossParams& p);

// One colour of a classic gradient run: t * E + S - t * S per channel, rounded half to even.
// A fraction of 0 / 0 is taken as 0 (the start colour).
uint32_t CandyRunColor(uint32_t S, uint32_t E, double num, double den);

// The pearl look (Style 6) over columns 0 to W \ 2 of every row: set(x, y, colour) for each pixel
// it paints on the left half; the caller mirrors it to W - x. body is the state's colour.
template <class Set>
void CandyPaintPearlPixels(int W, int H, int R, uint32_t body, uint32_t bright, Set&& set) {
    if (H == 0) return;  // a body of one row: no rows to blend over
    const uint32_t rim = CandyBlendBy(0, body, 50);
    uint32_t top = 0;
    for (int y = 0; y <= H; ++y) {
        if (y < R) top = CandyBlendBy(0xFFFFFF, body, (y * 30) / R);
        int32_t q = ((2 * y - H) * 100) / H;
        if (q < 0) q = -q;
        const uint32_t row = CandyBlendBy(body, bright, q);
        for (int x = 0; x <= W / 2; ++x) {
            if (CandyInRoundRect(x, y, 1, 1, W - 2, H - 2, R)) {
                const bool a = CandyInRoundRect(x, y, 4, 2, W - R, 2 * R - 1, (2 * R) / 3);
                const bool b = CandyInRoundRect(x, y, 4, R / 2, W - R, 2 * R - 1, (2 * R) / 3);
                set(x, y, a && !b ? top : row);
            } else if (CandyInRoundRect(x, y, 0, 0, W, H, R)) {
                set(x, y, rim);
            }
        }
    }
}

}  // namespace controls
