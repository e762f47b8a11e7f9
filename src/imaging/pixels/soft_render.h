// The image object's own drawing pipeline without a window: mirroring, resampling (nearest and
// weighted), lightness and per-pixel blending with opacity and grey scale. All pixel memory is
// bottom-up 32-bit blue, green, red, alpha with premultiplied colours unless noted.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace imaging {

// Pixels laid over existing memory: `height` rows of width x 4 bytes, row 0 = the bottom row.
struct ImageView {
    uint8_t* bits = nullptr;
    int32_t width = 0;
    int32_t height = 0;

    bool empty() const { return bits == nullptr || width < 1 || height < 1; }
    // Row y counted from the top.
    uint8_t* RowFromTop(int32_t y) const {
        return bits + static_cast<size_t>(height - 1 - y) * static_cast<size_t>(width) * 4;
    }
};

// A pixel array of the pipeline, the same layout as ImageView but owning its bytes. An empty
// array stands for one that was never dimensioned.
struct PixelArray {
    std::vector<uint8_t> bytes;
    int32_t width = 0;
    int32_t rows = 0;

    bool empty() const { return bytes.empty(); }
    void Dimension(int32_t w, int32_t h) {
        bytes.assign(static_cast<size_t>(w) * static_cast<size_t>(h) * 4, 0);
        width = w;
        rows = h;
    }
    void Erase() {
        bytes.clear();
        bytes.shrink_to_fit();
        width = rows = 0;
    }
    ImageView View() { return ImageView{bytes.empty() ? nullptr : bytes.data(), width, rows}; }
};

// Copies the source rectangle, taken from the image as mirrored on the axes whose destination
// size is negative, into `out` (or into the host's memory when `host` is given). Resets the
// source origin, makes the destination sizes positive and applies a pending lightness.
// False when no mirroring is asked or the rectangle does not lie inside the image.
bool MirrorPixels(const ImageView& image, int32_t& SrcX, int32_t& SrcY, int32_t SrcWidth, int32_t SrcHeight,
                  int32_t& DestWidth, int32_t& DestHeight, PixelArray& out, const ImageView* host,
                  float& LightAdjustment);

// Scales the source rectangle of `src` (or of the image when `src` is empty) to the destination
// size, clipped on the left and top at negative positions. Nearest pixel, or weighted when
// `highQuality`. Writes the output size back into DestWidth and DestHeight and empties `src`.
bool ResampleImage(const ImageView& image, PixelArray& out, PixelArray& src, const ImageView* host,
                   bool highQuality, int32_t SrcX, int32_t SrcY, int32_t SrcWidth, int32_t SrcHeight,
                   int32_t DestX, int32_t DestY, int32_t& DestWidth, int32_t& DestHeight,
                   float& LightAdjustment);

// Adds a lightness offset (percent, -100 to 100) to premultiplied pixels: with a source, into
// `arr` as an adjusted copy of it; without, in place.
void AdjustLightness(const ImageView* source, float LightAdjustment, PixelArray& arr);

// The target of a blend: bottom-up rows of `stride` bytes, 3 bytes per pixel (a 24-bit work
// bitmap) or 4 (another image object's pixels, alpha written too).
struct BlendTarget {
    uint8_t* bits = nullptr;
    int32_t width = 0;
    int32_t height = 0;
    int32_t stride = 0;
    int32_t bytesPerPixel = 3;
};

// Blends w x h source pixels from (srcX, srcY) of `src`, both counted from its top-left corner,
// onto the target at (dstX, dstY) counted from the target's top-left corner, with a constant
// alpha and an optional grey scale formula (-1 = colour). Pixels outside either side are left.
void BlendPixels(const ImageView& src, int32_t srcX, int32_t srcY, const BlendTarget& dst, int32_t dstX,
                 int32_t dstY, int32_t w, int32_t h, uint8_t constantAlpha, int32_t grayScale);

}  // namespace imaging
