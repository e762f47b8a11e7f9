#include "imaging/pixels/pixel_access.h"

#include <algorithm>
#include <cstring>

#include "imaging/pixels/image_math.h"

namespace imaging {

namespace {

// A premultiplied colour divided back by its alpha; a colour above its alpha gives 255.
inline uint8_t Straight(uint8_t c, uint8_t a) {
    return static_cast<uint8_t>(std::min<uint32_t>(255u, static_cast<uint32_t>(c) * 255u / a));
}

// The rectangle of a pixel member: 0 means "to the picture's edge"; the far edges are cut.
bool ClipRectangle(const ImageView& image, int32_t x, int32_t y, int32_t& w, int32_t& h) {
    if (x < 0 || y < 0 || w < 0 || h < 0 || x >= image.width || y >= image.height) return false;
    if (w == 0 || static_cast<int64_t>(x) + w > image.width) w = image.width - x;
    if (h == 0 || static_cast<int64_t>(y) + h > image.height) h = image.height - y;
    return true;
}

}  // namespace

int64_t PixelLayout::RowLength(int32_t width) const {
    if (bits32) return static_cast<int64_t>(width) * 4;
    return wordAligned ? AlignedRowBytes(24, width) : static_cast<int64_t>(width) * 3;
}

int32_t ReadPixel(const ImageView& image, int32_t x, int32_t y, int32_t* alphaValue, bool asPreMultiplied) {
    if (alphaValue) *alphaValue = 0;
    if (image.empty() || x < 0 || y < 0 || x >= image.width || y >= image.height) return -1;
    const uint8_t* p = image.RowFromTop(y) + static_cast<size_t>(x) * 4;
    const uint8_t a = p[3];
    if (alphaValue) *alphaValue = a;
    uint8_t b = p[0], g = p[1], r = p[2];
    if (!asPreMultiplied && a != 0 && a != 255) {
        b = Straight(b, a);
        g = Straight(g, a);
        r = Straight(r, a);
    }
    return r + g * 256 + b * 65536;
}

bool ExportPixels(const ImageView& image, PixelBytes& out, bool as2dArray, const PixelLayout& layout,
                  int32_t x, int32_t y, int32_t width, int32_t height) {
    if (image.empty() || !ClipRectangle(image, x, y, width, height)) return false;
    const int32_t bpp = layout.BytesPerPixel();
    const size_t rowLength = static_cast<size_t>(layout.RowLength(width));
    PixelBytes result;
    result.bytes.assign(rowLength * static_cast<size_t>(height), 0);
    result.rowLength = static_cast<int32_t>(rowLength);
    result.rows = height;
    result.twoDimensional = as2dArray;

    const bool whole = x == 0 && y == 0 && width == image.width && height == image.height;
    if (whole && layout.bits32 && layout.bgr && layout.bottomUp && layout.premultiplied) {
        std::memcpy(result.bytes.data(), image.bits, result.bytes.size());
    } else {
        for (int32_t k = 0; k < height; ++k) {
            const uint8_t* s = image.RowFromTop(y + k) + static_cast<size_t>(x) * 4;
            const int32_t outRow = layout.bottomUp ? height - 1 - k : k;
            uint8_t* d = result.bytes.data() + rowLength * static_cast<size_t>(outRow);
            for (int32_t i = 0; i < width; ++i, s += 4, d += bpp) {
                uint8_t b = s[0], g = s[1], r = s[2];
                const uint8_t a = s[3];
                if (!layout.premultiplied && a != 255) {
                    if (a == 0) {
                        b = g = r = 0;
                    } else {
                        b = Straight(b, a);
                        g = Straight(g, a);
                        r = Straight(r, a);
                    }
                }
                d[0] = layout.bgr ? b : r;
                d[1] = g;
                d[2] = layout.bgr ? r : b;
                if (bpp == 4) d[3] = a;
            }
        }
    }
    out = std::move(result);
    return true;
}

bool ImportPixels(const ImageView& image, const uint8_t* data, size_t size, const PixelLayout& layout,
                  int32_t dstx, int32_t dsty, int32_t dstwidth, int32_t dstheight, bool& hasAlpha) {
    if (image.empty() || data == nullptr || size == 0) return false;
    if (!ClipRectangle(image, dstx, dsty, dstwidth, dstheight)) return false;
    const int32_t bpp = layout.BytesPerPixel();
    const size_t rowLength = static_cast<size_t>(layout.RowLength(dstwidth));
    // Rows are read from the array's start, so it must hold a row for every picture row.
    if (size < rowLength * static_cast<size_t>(image.height)) return false;

    for (int32_t k = 0; k < dstheight; ++k) {
        uint8_t* d = image.RowFromTop(dsty + k) + static_cast<size_t>(dstx) * 4;
        const int32_t sourceRow = layout.bottomUp ? dstheight - 1 - k : k;
        const uint8_t* s = data + rowLength * static_cast<size_t>(sourceRow);
        for (int32_t i = 0; i < dstwidth; ++i, s += bpp, d += 4) {
            d[0] = layout.bgr ? s[0] : s[2];
            d[1] = s[1];
            d[2] = layout.bgr ? s[2] : s[0];
            if (bpp == 4) d[3] = s[3];
        }
    }
    int32_t type = imgBlank;
    ClassifyAlphaChannel(PixelBlock{image.bits, image.width, image.height}, true, hasAlpha, type);
    return true;
}

size_t AlphaRegionRects(const ImageView& image, int32_t style, std::vector<RegionRect>& list) {
    list.assign(2, RegionRect{});
    if (image.empty() || style < 0 || style > 2) return 0;
    list.reserve(static_cast<size_t>(image.width) * 3 + 1);
    int32_t left = image.width, right = -1, top = -1, bottom = -1;
    for (int32_t y = 0; y < image.height; ++y) {
        const uint8_t* row = image.RowFromTop(y);
        int32_t first = -1, last = -1;
        int32_t runStart = -1;
        for (int32_t x = 0; x < image.width; ++x) {
            const bool visible = row[static_cast<size_t>(x) * 4 + 3] != 0;
            if (visible) {
                if (first < 0) first = x;
                last = x;
                if (runStart < 0) runStart = x;
            } else if (runStart >= 0) {
                if (style == 2) list.push_back(RegionRect{runStart, y, x, y + 1});
                runStart = -1;
            }
        }
        if (first < 0) continue;
        if (style == 2 && runStart >= 0) list.push_back(RegionRect{runStart, y, image.width, y + 1});
        if (style == 1) list.push_back(RegionRect{first, y, last + 1, y + 1});
        left = std::min(left, first);
        right = std::max(right, last + 1);
        if (top < 0) top = y;
        bottom = y + 1;
    }
    if (style == 0 && top >= 0) list.push_back(RegionRect{left, top, right, bottom});
    return list.size() - 2;
}

}  // namespace imaging
