#include "imaging/pixels/soft_render.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "imaging/pixels/image_math.h"

namespace imaging {

namespace {

// Floating-point value to integer, halves to the even neighbour.
inline int32_t NearestF(float v) { return static_cast<int32_t>(std::nearbyint(v)); }

inline bool RectInside(const ImageView& image, int64_t x, int64_t y, int64_t w, int64_t h) {
    return x >= 0 && y >= 0 && w >= 1 && h >= 1 && x + w <= image.width && y + h <= image.height;
}

void AdjustPixels(uint8_t* p, size_t count, float f) {
    for (size_t i = 0; i < count; ++i, p += 4) {
        const int32_t a = p[3];
        if (a == 0) continue;
        const int32_t m = NearestF(static_cast<float>(a) * f) / 255;
        for (int c = 0; c < 3; ++c) {
            int32_t v = p[c] + m;
            if (f > 0) {
                v = std::min(v, a);
            } else {
                v = std::max(v, 0);
            }
            p[c] = static_cast<uint8_t>(std::clamp(v, 0, 255));
        }
    }
}

}  // namespace

bool MirrorPixels(const ImageView& image, int32_t& SrcX, int32_t& SrcY, int32_t SrcWidth, int32_t SrcHeight,
                  int32_t& DestWidth, int32_t& DestHeight, PixelArray& out, const ImageView* host,
                  float& LightAdjustment) {
    if (DestWidth > 0 && DestHeight > 0) return false;
    if (image.empty() || !RectInside(image, SrcX, SrcY, SrcWidth, SrcHeight)) return false;

    ImageView target;
    if (host) {
        if (host->bits == nullptr ||
            static_cast<int64_t>(host->width) * host->height < static_cast<int64_t>(SrcWidth) * SrcHeight)
            return false;
        target = ImageView{host->bits, SrcWidth, SrcHeight};
    } else {
        out.Dimension(SrcWidth, SrcHeight);
        target = out.View();
    }

    const bool horizontal = DestWidth <= 0;
    const bool vertical = DestHeight < 0;
    for (int32_t k = 0; k < SrcHeight; ++k) {
        const int32_t sy = vertical ? image.height - 1 - SrcY - k : SrcY + k;
        const uint8_t* srcRow = image.RowFromTop(sy);
        uint8_t* dstRow = target.RowFromTop(k);
        if (!horizontal) {
            std::memcpy(dstRow, srcRow + static_cast<size_t>(SrcX) * 4, static_cast<size_t>(SrcWidth) * 4);
        } else {
            for (int32_t j = 0; j < SrcWidth; ++j)
                std::memcpy(dstRow + static_cast<size_t>(j) * 4,
                            srcRow + static_cast<size_t>(image.width - 1 - SrcX - j) * 4, 4);
        }
    }
    SrcX = 0;
    SrcY = 0;
    DestWidth = DestWidth < 0 ? -DestWidth : DestWidth;
    DestHeight = DestHeight < 0 ? -DestHeight : DestHeight;
    if (LightAdjustment != 0 && !host) {
        AdjustLightness(nullptr, LightAdjustment, out);
        LightAdjustment = 0;
    }
    return true;
}

bool ResampleImage(const ImageView& image, PixelArray& out, PixelArray& src, const ImageView* host,
                   bool highQuality, int32_t SrcX, int32_t SrcY, int32_t SrcWidth, int32_t SrcHeight,
                   int32_t DestX, int32_t DestY, int32_t& DestWidth, int32_t& DestHeight,
                   float& LightAdjustment) {
    ImageView source = src.empty() ? image : src.View();
    if (source.empty()) return false;
    if (SrcWidth == 0) SrcWidth = image.width;
    if (SrcHeight == 0) SrcHeight = image.height;
    if (!RectInside(source, SrcX, SrcY, SrcWidth, SrcHeight)) return false;

    int64_t w, h, ox, oy;
    double rx, ry;
    if (!host) {
        w = DestWidth < 0 ? -static_cast<int64_t>(DestWidth) : DestWidth;
        h = DestHeight < 0 ? -static_cast<int64_t>(DestHeight) : DestHeight;
        if (w < 1 || h < 1) return false;
        rx = static_cast<double>(SrcWidth) / static_cast<double>(w);
        ry = static_cast<double>(SrcHeight) / static_cast<double>(h);
        ox = 0;
        oy = 0;
        if (DestX < 0) {
            w += DestX;
            ox = -static_cast<int64_t>(DestX);
        }
        if (DestY < 0) h += DestY;
    } else {
        if (host->empty()) return false;
        w = host->width;
        h = host->height;
        rx = static_cast<double>(SrcWidth) / static_cast<double>(w);
        ry = static_cast<double>(SrcHeight) / static_cast<double>(h);
        ox = DestX;
        oy = DestY;
    }
    if (w < 1 || h < 1) return false;

    ImageView target;
    if (host) {
        target = *host;
    } else {
        out.Dimension(static_cast<int32_t>(w), static_cast<int32_t>(h));
        target = out.View();
    }

    const int64_t sy0 = static_cast<int64_t>(source.height) - SrcHeight - SrcY;
    const int64_t lastColumn = static_cast<int64_t>(SrcX) + SrcWidth - 1;
    const int64_t lastRow = sy0 + SrcHeight - 1;
    const size_t srcStride = static_cast<size_t>(source.width) * 4;
    const size_t dstStride = static_cast<size_t>(target.width) * 4;
    auto clampColumn = [&](int64_t c) { return std::clamp<int64_t>(c, SrcX, lastColumn); };
    auto clampRow = [&](int64_t r) { return std::clamp<int64_t>(r, 0, lastRow); };

    if (!highQuality) {
        std::vector<int64_t> columns(static_cast<size_t>(w));
        for (int64_t x = 0; x < w; ++x)
            columns[static_cast<size_t>(x)] =
                clampColumn(static_cast<int64_t>(std::floor(static_cast<double>(x + ox) * rx + SrcX)));
        for (int64_t y = 0; y < h; ++y) {
            const int64_t sy = clampRow(static_cast<int64_t>(std::floor(static_cast<double>(y + oy) * ry)) + sy0);
            const uint8_t* srcRow = source.bits + srcStride * static_cast<size_t>(sy);
            uint8_t* dstRow = target.bits + dstStride * static_cast<size_t>(y);
            for (int64_t x = 0; x < w; ++x)
                std::memcpy(dstRow + x * 4, srcRow + columns[static_cast<size_t>(x)] * 4, 4);
        }
    } else {
        struct Column {
            int64_t x0, x1;
            double w0, w1;
        };
        std::vector<Column> columns(static_cast<size_t>(w));
        for (int64_t x = 0; x < w; ++x) {
            const double fx = static_cast<double>(x + ox) * rx + SrcX;
            const int64_t xi = static_cast<int64_t>(std::floor(fx));
            Column& c = columns[static_cast<size_t>(x)];
            if (xi >= lastColumn) {
                c = Column{clampColumn(xi), clampColumn(xi), 1.0, 0.0};
            } else {
                const double frac = fx - static_cast<double>(xi);
                c = Column{clampColumn(xi), clampColumn(xi + 1), 1.0 - frac, frac};
            }
        }
        for (int64_t y = 0; y < h; ++y) {
            const double fy = static_cast<double>(y + oy) * ry + static_cast<double>(sy0);
            const int64_t yi = static_cast<int64_t>(std::floor(fy));
            int64_t r0, r1;
            double v0, v1;
            if (yi <= 0) {
                r0 = r1 = 0;
                v0 = 1.0;
                v1 = 0.0;
            } else {
                // Row yi weighs the fraction, the row below it the rest.
                r0 = clampRow(yi);
                r1 = clampRow(yi - 1);
                v0 = fy - static_cast<double>(yi);
                v1 = 1.0 - v0;
            }
            const uint8_t* row0 = source.bits + srcStride * static_cast<size_t>(r0);
            const uint8_t* row1 = source.bits + srcStride * static_cast<size_t>(r1);
            uint8_t* dstRow = target.bits + dstStride * static_cast<size_t>(y);
            for (int64_t x = 0; x < w; ++x) {
                const Column& c = columns[static_cast<size_t>(x)];
                double sum[4] = {0, 0, 0, 0};
                auto add = [&](const uint8_t* row, int64_t col, double weight) {
                    if (weight == 0) return;
                    const uint8_t* p = row + col * 4;
                    for (int b = 0; b < 4; ++b) sum[b] += p[b] * weight;
                };
                add(row0, c.x0, c.w0 * v0);
                add(row0, c.x1, c.w1 * v0);
                add(row1, c.x0, c.w0 * v1);
                add(row1, c.x1, c.w1 * v1);
                for (int b = 0; b < 4; ++b)
                    dstRow[x * 4 + b] = static_cast<uint8_t>(std::clamp(std::floor(sum[b]), 0.0, 255.0));
            }
        }
    }

    DestWidth = static_cast<int32_t>(w);
    DestHeight = static_cast<int32_t>(h);
    src.Erase();
    if (LightAdjustment != 0 && !host) {
        AdjustLightness(nullptr, LightAdjustment, out);
        LightAdjustment = 0;
    }
    return true;
}

void AdjustLightness(const ImageView* source, float LightAdjustment, PixelArray& arr) {
    const float f = LightAdjustment / 100.0f * 255.0f;
    if (source) {
        if (source->empty()) return;
        arr.Dimension(source->width, source->height);
        std::memcpy(arr.bytes.data(), source->bits, arr.bytes.size());
    }
    if (arr.empty()) return;
    AdjustPixels(arr.bytes.data(), arr.bytes.size() / 4, f);
}

void BlendPixels(const ImageView& src, int32_t srcX, int32_t srcY, const BlendTarget& dst, int32_t dstX,
                 int32_t dstY, int32_t w, int32_t h, uint8_t constantAlpha, int32_t grayScale) {
    if (src.empty() || dst.bits == nullptr || w < 1 || h < 1) return;
    const bool host = dst.bytesPerPixel == 4;
    const bool gray = grayScale != -1;
    float wR = 1, wG = 1, wB = 1;
    if (gray) GrayscaleWeights(grayScale, wR, wG, wB);
    const int32_t CA = constantAlpha;
    const int bpp = dst.bytesPerPixel;

    // A blended byte that would exceed 255 keeps its old value.
    auto put = [](uint8_t& d, int32_t v) {
        if (v >= 0 && v <= 255) d = static_cast<uint8_t>(v);
    };

    for (int32_t k = 0; k < h; ++k) {
        const int64_t sy = static_cast<int64_t>(srcY) + k, ty = static_cast<int64_t>(dstY) + k;
        if (sy < 0 || sy >= src.height || ty < 0 || ty >= dst.height) continue;
        const uint8_t* srcRow = src.RowFromTop(static_cast<int32_t>(sy));
        uint8_t* dstRow = dst.bits + static_cast<size_t>(dst.height - 1 - ty) * static_cast<size_t>(dst.stride);
        for (int32_t i = 0; i < w; ++i) {
            const int64_t sx = static_cast<int64_t>(srcX) + i, tx = static_cast<int64_t>(dstX) + i;
            if (sx < 0 || sx >= src.width || tx < 0 || tx >= dst.width) continue;
            const uint8_t* s = srcRow + sx * 4;
            uint8_t* d = dstRow + tx * bpp;
            const int32_t sA = s[3];
            if (sA == 0) continue;
            int32_t g = 0;
            if (gray) {
                const float value = static_cast<float>(s[0]) * wB + static_cast<float>(s[1]) * wG +
                                    static_cast<float>(s[2]) * wR;
                g = NearestF(value) & 0xFF;
            }
            if (CA == 255) {
                if (sA == 255) {
                    if (!gray) {
                        std::memcpy(d, s, static_cast<size_t>(bpp));
                    } else {
                        d[0] = d[1] = d[2] = static_cast<uint8_t>(g);
                        if (host) d[3] = 255;
                    }
                    continue;
                }
                const int32_t inv = 255 - sA;
                for (int c = 0; c < 3; ++c) put(d[c], d[c] * inv / 255 + (gray ? g : s[c]));
                if (host) put(d[3], d[3] * inv / 255 + sA);
            } else {
                const int32_t inv = 255 - sA * CA / 255;
                for (int c = 0; c < 3; ++c) put(d[c], (d[c] * inv + (gray ? g : s[c]) * CA) / 255);
                if (host) put(d[3], (d[3] * inv + sA * CA) / 255);
            }
        }
    }
}

}  // namespace imaging
