#pragma once

#include <cstdint>
#include <string>

#include "runtime/control.h"
#include "runtime/picture.h"

namespace rt {

class Image : public Control {
public:
    Image(Container& c, std::string name, int index = -1);
    Image(const Image& templ, int index);

    const Picture& GetPicture() const noexcept { return picture_; }
    void SetPicture(Picture p);  // without Stretch the control takes the picture's size
    bool Stretch() const noexcept { return stretch_; }
    void Stretch(bool v);
    int16_t BorderStyle() const noexcept { return borderStyle_; }
    void BorderStyle(int16_t v);
    void Paint(HDC dc) override;

private:
    void fit();
    Picture picture_;
    bool stretch_ = false;
    int16_t borderStyle_ = 0;
};

}  // namespace rt
