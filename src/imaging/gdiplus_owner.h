// Owners of the flat API's objects: every GDI+ image, graphics, pen, brush, path, matrix, region or
// font family the program makes is held by one of these, and deleted through the table it was made
// with when the owner goes. A table that GDI+'s shut-down has emptied deletes nothing.
//
//   imaging::GdipPath copy(api);                                   // empty; deletes through api
//   api->GdipClonePath(source, copy.put());                        // the new path is owned
//   imaging::GdipImage image(images, loaded);                      // takes an object made already
//   api->GdipCreatePen1(color, w, unit, pen_.put(api));           // the old pen goes first
//
// The count of live owners of each kind lets tests see that every object made was deleted again.
#pragma once

#include <utility>

#include "imaging/gdiplus_service.h"

namespace imaging {

namespace gdip_detail {
template <class M>
struct TableOf;
template <class Table, class Fn>
struct TableOf<Fn Table::*> {
    using type = Table;
};
}  // namespace gdip_detail

// One GDI+ object; Delete is the table member that deletes it (&GdiplusShapeApi::GdipDeletePen).
template <class T, auto Delete>
class GdipObject {
public:
    using Table = typename gdip_detail::TableOf<decltype(Delete)>::type;

    GdipObject() = default;
    explicit GdipObject(const Table* api, T* p = nullptr) : api_(api), p_(p) {
        if (p_) ++live_;
    }
    GdipObject(GdipObject&& o) noexcept : api_(o.api_), p_(std::exchange(o.p_, nullptr)) {}
    GdipObject& operator=(GdipObject&& o) noexcept {
        if (this != &o) {
            reset();
            api_ = o.api_;
            p_ = std::exchange(o.p_, nullptr);
        }
        return *this;
    }
    GdipObject(const GdipObject&) = delete;
    GdipObject& operator=(const GdipObject&) = delete;
    ~GdipObject() { reset(); }

    T* get() const noexcept { return p_; }
    explicit operator bool() const noexcept { return p_ != nullptr; }
    // Gives up the object without deleting it: handed over, or never made (a refused creation).
    T* release() noexcept {
        if (p_) --live_;
        return std::exchange(p_, nullptr);
    }
    void reset() noexcept {
        if (!p_) return;
        if (api_ && api_->*Delete) (api_->*Delete)(p_);
        p_ = nullptr;
        --live_;
    }

    // For the flat API's out-parameters: the object the call makes is owned once the call returns.
    class Out {
    public:
        explicit Out(GdipObject& o) : o_(o) {}
        Out(const Out&) = delete;
        Out& operator=(const Out&) = delete;
        ~Out() {
            if (o_.p_) ++live_;
        }
        operator T**() const noexcept { return &o_.p_; }

    private:
        GdipObject& o_;
    };
    Out put() noexcept {
        reset();
        return Out(*this);
    }
    // The same, made through (and later deleted through) another table.
    Out put(const Table* api) noexcept {
        reset();
        api_ = api;
        return Out(*this);
    }

    static int Live() noexcept { return live_; }

private:
    const Table* api_ = nullptr;
    T* p_ = nullptr;
    static inline int live_ = 0;
};

using GdipImage = GdipObject<gdip::GpImage, &GdiplusApi::GdipDisposeImage>;
using GdipGraphics = GdipObject<gdip::GpGraphics, &GdiplusApi::GdipDeleteGraphics>;
using GdipImageAttributes = GdipObject<gdip::GpImageAttributes, &GdiplusApi::GdipDisposeImageAttributes>;
using GdipPen = GdipObject<gdip::GpPen, &GdiplusShapeApi::GdipDeletePen>;
using GdipBrush = GdipObject<gdip::GpBrush, &GdiplusShapeApi::GdipDeleteBrush>;
using GdipPath = GdipObject<gdip::GpPath, &GdiplusShapeApi::GdipDeletePath>;
using GdipMatrix = GdipObject<gdip::GpMatrix, &GdiplusShapeApi::GdipDeleteMatrix>;
using GdipRegion = GdipObject<gdip::GpRegion, &GdiplusShapeApi::GdipDeleteRegion>;
using GdipFontFamily = GdipObject<gdip::GpFontFamily, &GdiplusShapeApi::GdipDeleteFontFamily>;

}  // namespace imaging
