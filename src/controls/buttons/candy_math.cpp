#include "controls/buttons/candy_math.h"

#include <cmath>
#include <cstdlib>

namespace controls {

namespace {

int Channel(uint32_t c, int shift) {
    return static_cast<int>((c >> shift) & 0xFF);
}

int Round(double v) {
    return static_cast<int>(std::nearbyint(v));
}

int Clamp(int v, int low, int high) {
    if (v < low) v = low;
    if (v > high) v = high;
    return v;
}

}  // namespace

uint32_t CandyBlend(uint32_t rgb1, uint32_t rgb2, int32_t& Percentage) {
    Percentage = Percentage < 0 ? 0 : Percentage > 100 ? 100 : Percentage;
    auto mix = [&](int shift) {
        const int a = Channel(rgb1, shift), b = Channel(rgb2, shift);
        return static_cast<uint32_t>(a + ((b - a) * Percentage) / 100);
    };
    return mix(0) | (mix(8) << 8) | (mix(16) << 16);
}

bool CandyInCorner(int a, int b, int R) {
    const double room = static_cast<double>(R) * R - static_cast<double>(a) * a;
    if (room < 0) return false;
    return std::abs(b - R) < Round(std::sqrt(room));
}

bool CandyInRoundRect(int x, int y, int X, int Y, int W, int H, int R) {
    const int dx = x - X, dy = y - Y;
    if (dx > R && dy > R && dx + R < W && dy + R < H) return true;
    if (dx < R && dy <= R) return CandyInCorner(dx - R, dy, R);
    if (dx + R > W && dy <= R) return CandyInCorner(dx - W + R, dy, R);
    if (dy + R >= H && dx < R) return CandyInCorner(dx - R, dy - H + 2 * R, R);
    if (dx + R > W && dy + R >= H) return CandyInCorner(dx - W + R, dy - H + 2 * R, R);
    return dx > 0 && dx < W && dy > 0 && dy < H;
}

int CandyRegionRadius(int32_t style, double SW, double SH) {
    const int w = Round(SW), h = Round(SH);
    switch (style) {
        case 2:
        case 4:
        case 5:
            return Clamp(h / 2 + 1, 1, w / 2);
        case 3:
            return 12;
        case 6:
            return Clamp(h / 3, 1, w / 3);
        case 7:
            return Clamp(h / 4 + 1, 1, w / 4);
        default:
            return 0;
    }
}

bool CandyGlossShape(int32_t style, int R, double SW, double SH, CandyGlossParams& out) {
    auto& P = out.P;
    P.fill(0);
    P[6] = Round(SW + 2 * R);
    P[9] = Round(SW / 2);
    P[10] = Round(SH);
    switch (style) {
        case 2:
            P[1] = 50, P[2] = R / 2, P[3] = 1, P[4] = R / 2, P[5] = Round(R * 1.1);
            P[7] = 300, P[8] = 60, P[11] = 120;
            return true;
        case 3: {
            // 700 \ height: a button without height has no body to paint.
            const int h = Round(SH);
            if (h == 0) return false;
            P[1] = 70, P[2] = R / 3, P[3] = 0, P[4] = 10, P[5] = 12;
            P[7] = 200, P[8] = 100 - 700 / h, P[11] = 130;
            if (P[8] > 80) P[8] = 80;
            return true;
        }
        case 4:
            P[1] = 70, P[2] = R / 3 - 1, P[3] = 0, P[4] = R / 2, P[5] = R;
            P[7] = 200, P[8] = 70, P[11] = 130;
            return true;
        case 5:
            P[1] = 40, P[2] = -(R / 2) - 1, P[3] = -R, P[4] = R, P[5] = R + 1;
            P[7] = 60, P[8] = 60, P[11] = 130;
            return true;
        case 7:
            P[1] = 50, P[2] = Round(R / 2.0), P[3] = 2, P[4] = Round(R / 2.0), P[5] = R + 1;
            P[6] = Round(SW - R);
            P[7] = 60, P[8] = 60, P[10] = Round(SH / 2), P[11] = 100;
            return true;
        default:
            return false;
    }
}

CandyGlowBox CandyGlowSize(int W, int H, const CandyGlossParams& p) {
    return CandyGlowBox{Round(W * static_cast<double>(p.P[7]) / 100), Round(H * static_cast<double>(p.P[8]) / 100)};
}

uint32_t CandyRunColor(uint32_t S, uint32_t E, double num, double den) {
    const double t = den == 0 ? 0.0 : num / den;
    auto mix = [&](int shift) {
        const double s = Channel(S, shift), e = Channel(E, shift);
        return static_cast<uint32_t>(Clamp(Round(t * e + s - t * s), 0, 255));
    };
    return mix(0) | (mix(8) << 8) | (mix(16) << 16);
}

}  // namespace controls
