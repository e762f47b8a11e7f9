// What a picture reader needs of the image object it fills: a 32-bit bottom-up BGRA pixel buffer
// with premultiplied alpha, and the friend setters for the alpha flag and the image type.
// c32bppDIB implements it over a DIB section; the window-free readers (PNG, GIF, ICO/CUR, BMP
// parsing) are written against this interface only, so they also build and run natively, where
// MemoryDib (below) stands in for the image object.
#pragma once

#include <cstdint>
#include <vector>

namespace imaging {

class DibTarget {
public:
    virtual ~DibTarget() = default;

    // Drops any picture, then makes a blank (all-zero) picture of width x |height| pixels.
    // False when width < 0, height == 0, the size overflows, or memory is refused.
    virtual bool InitializeDIB(int32_t width, int32_t height) = 0;
    virtual void DestroyDIB() = 0;
    virtual bool HasPicture() const = 0;   // the image object's Handle is not 0
    virtual int32_t Width() const = 0;
    virtual int32_t Height() const = 0;
    // Row 0 of the buffer is the bottom row of the picture; a row is Width() * 4 bytes (B, G, R, A).
    virtual uint8_t* Bits() = 0;
    virtual void SetAlpha(bool alpha) = 0;
    virtual void SetImageType(int32_t type) = 0;
};

// The window-free stand-in: a heap buffer with the same rules.
class MemoryDib final : public DibTarget {
public:
    bool InitializeDIB(int32_t width, int32_t height) override {
        DestroyDIB();
        if (width < 0 || height == 0) return false;
        int64_t h = height < 0 ? -static_cast<int64_t>(height) : height;
        int64_t bytes = static_cast<int64_t>(width) * h * 4;
        if (width == 0 || bytes > INT32_MAX) return false;
        try {
            bits_.assign(static_cast<size_t>(bytes), 0);
        } catch (...) {
            bits_.clear();
            return false;
        }
        width_ = width;
        height_ = static_cast<int32_t>(h);
        alpha_ = true;
        imageType_ = 0;
        return true;
    }
    void DestroyDIB() override {
        bits_.clear();
        bits_.shrink_to_fit();
        width_ = height_ = 0;
        alpha_ = false;
        imageType_ = -1;
    }
    bool HasPicture() const override { return !bits_.empty(); }
    int32_t Width() const override { return width_; }
    int32_t Height() const override { return height_; }
    uint8_t* Bits() override { return bits_.empty() ? nullptr : bits_.data(); }
    void SetAlpha(bool alpha) override { alpha_ = alpha; }
    void SetImageType(int32_t type) override { imageType_ = type; }

    bool Alpha() const { return alpha_; }
    int32_t ImageType() const { return imageType_; }
    const std::vector<uint8_t>& Pixels() const { return bits_; }

private:
    std::vector<uint8_t> bits_;
    int32_t width_ = 0, height_ = 0;
    bool alpha_ = false;
    int32_t imageType_ = 0;
};

}  // namespace imaging
