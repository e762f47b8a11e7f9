#include "imaging/pixels/rotation.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace imaging {

bool RotationSquareFor(int32_t DestX, int32_t DestY, int32_t DestWidth, int32_t DestHeight,
                       RotationSquare& square) {
    if (DestWidth < 1 || DestHeight < 1) return false;
    const int64_t squared =
        static_cast<int64_t>(DestWidth) * DestWidth + static_cast<int64_t>(DestHeight) * DestHeight;
    if (squared > INT32_MAX) return false;
    const int64_t side = static_cast<int64_t>(std::nearbyint(std::sqrt(static_cast<double>(squared))));
    const int64_t x = static_cast<int64_t>(DestX) + DestWidth / 2 - side / 2;
    const int64_t y = static_cast<int64_t>(DestY) + DestHeight / 2 - side / 2;
    if (x < INT32_MIN || y < INT32_MIN || x + side > INT32_MAX || y + side > INT32_MAX) return false;
    square = RotationSquare{static_cast<int32_t>(side), static_cast<int32_t>(x), static_cast<int32_t>(y)};
    return true;
}

void RotateIntoSquare(const ImageView& source, int32_t SrcX, int32_t SrcY, int32_t SrcWidth,
                      int32_t SrcHeight, int32_t DestWidth, int32_t DestHeight, float Angle, bool bilinear,
                      const ImageView& work) {
    if (source.empty() || work.empty() || SrcWidth < 1 || SrcHeight < 1 || DestWidth < 1 || DestHeight < 1)
        return;
    if (SrcX < 0 || SrcY < 0 || static_cast<int64_t>(SrcX) + SrcWidth > source.width ||
        static_cast<int64_t>(SrcY) + SrcHeight > source.height)
        return;
    const double sX = static_cast<double>(DestWidth) / SrcWidth;
    const double sY = static_cast<double>(DestHeight) / SrcHeight;
    const double a = std::fmod(std::nearbyint(static_cast<double>(Angle)), 360.0);
    const double t = -(4.0 * std::atan(1.0) * a) / 180.0;
    const double cosW = std::cos(t) / sX, sinW = std::sin(t) / sX;
    const double cosH = std::cos(t) / sY, sinH = std::sin(t) / sY;

    const int32_t D = work.width;
    // Source rows count from the bottom, as in memory.
    const int32_t by = source.height - SrcHeight - SrcY;
    const int32_t xEnd = SrcX + SrcWidth, yEnd = by + SrcHeight;
    const double cx = SrcWidth / 2 + SrcX, cy = SrcHeight / 2 + by;
    // The rectangle's centre sits on the work square's centre, wherever the rectangle lies in
    // the source.
    const int32_t ox = (D - SrcWidth) / 2 + SrcWidth / 2, oy = (D - SrcHeight) / 2 + SrcHeight / 2;
    const size_t srcStride = static_cast<size_t>(source.width) * 4;

    for (int32_t Y = 0; Y < work.height; ++Y) {
        const double u0 = -ox, v = Y - oy;
        double sx = u0 * cosW + v * sinW + cx;
        double sy = v * cosH - u0 * sinH + cy;
        uint8_t* out = work.bits + static_cast<size_t>(Y) * static_cast<size_t>(D) * 4;
        for (int32_t X = 0; X < D; ++X, sx += cosW, sy -= sinH, out += 4) {
            if (!(sx >= SrcX && sx < xEnd && sy >= by && sy < yEnd)) continue;
            const int32_t xi = static_cast<int32_t>(std::floor(sx));
            const int32_t yi = static_cast<int32_t>(std::floor(sy));
            if (!bilinear) {
                std::memcpy(
                    out, source.bits + srcStride * static_cast<size_t>(yi) + static_cast<size_t>(xi) * 4, 4);
                continue;
            }
            const double fx = sx - xi, fy = sy - yi;
            int32_t col[2] = {xi, xi + 1};
            double colWeight[2] = {1.0 - fx, fx};
            if (xi == xEnd - 1) {
                col[1] = xi;
                colWeight[0] = 1.0;
                colWeight[1] = 0.0;
            }
            int32_t row[2] = {yi, yi - 1};
            double rowWeight[2] = {fy, 1.0 - fy};
            if (yi == 0) {
                row[1] = 0;
                rowWeight[0] = 1.0;
                rowWeight[1] = 0.0;
            }
            double sum[4] = {0, 0, 0, 0};
            for (int r = 0; r < 2; ++r)
                for (int c = 0; c < 2; ++c) {
                    const double weight = rowWeight[r] * colWeight[c];
                    if (weight == 0) continue;
                    const uint8_t* p = source.bits + srcStride * static_cast<size_t>(row[r]) +
                                       static_cast<size_t>(col[c]) * 4;
                    for (int b = 0; b < 4; ++b) sum[b] += p[b] * weight;
                }
            for (int b = 0; b < 4; ++b)
                out[b] = static_cast<uint8_t>(std::clamp(std::floor(sum[b]), 0.0, 255.0));
        }
    }
}

}  // namespace imaging
