// A GDI+ image that the program made: disposed when its owner goes. The count of live ones lets
// tests see that every image made was disposed again.
#pragma once

#include <utility>

#include "imaging/gdiplus_service.h"

namespace controls {

class GdipImage {
public:
    GdipImage() = default;
    // Takes an image made through api (nothing for nullptr).
    GdipImage(const imaging::GdiplusApi* api, imaging::gdip::GpImage* image) : api_(api), image_(image) {
        if (image_) ++live_;
    }
    GdipImage(GdipImage&& o) noexcept : api_(o.api_), image_(std::exchange(o.image_, nullptr)) {}
    GdipImage& operator=(GdipImage&& o) noexcept {
        if (this != &o) {
            reset();
            api_ = o.api_;
            image_ = std::exchange(o.image_, nullptr);
        }
        return *this;
    }
    GdipImage(const GdipImage&) = delete;
    GdipImage& operator=(const GdipImage&) = delete;
    ~GdipImage() { reset(); }

    imaging::gdip::GpImage* get() const noexcept { return image_; }
    explicit operator bool() const noexcept { return image_ != nullptr; }
    void reset() noexcept {
        if (!image_) return;
        if (api_ && api_->GdipDisposeImage) api_->GdipDisposeImage(image_);
        image_ = nullptr;
        --live_;
    }
    static int Live() noexcept { return live_; }

private:
    const imaging::GdiplusApi* api_ = nullptr;
    imaging::gdip::GpImage* image_ = nullptr;
    static inline int live_ = 0;
};

}  // namespace controls
