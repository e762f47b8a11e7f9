#pragma once

#include <cstdint>
#include <string>

#include "runtime/textcontrol.h"

namespace rt {

class Label : public TextControl {
public:
    Label(Container& c, std::string name, int index = -1);
    Label(const Label& templ, int index);

    const std::string& Caption() const noexcept { return caption_; }
    void Caption(std::string text);
    int16_t Alignment() const noexcept { return alignment_; }
    void Alignment(int16_t a);
    bool AutoSize() const noexcept { return autoSize_; }
    void AutoSize(bool v);
    bool WordWrap() const noexcept { return wordWrap_; }
    void WordWrap(bool v);
    int16_t BackStyle() const noexcept { return backStyle_; }
    void BackStyle(int16_t v);
    int16_t BorderStyle() const noexcept { return borderStyle_; }
    void BorderStyle(int16_t v);

    Event<> Change;

    void Paint(HDC dc) override;

private:
    void fontChanged() override;
    void fit();
    std::string caption_;
    int16_t alignment_ = 0, backStyle_ = 1, borderStyle_ = 0;
    bool autoSize_ = false, wordWrap_ = false;
};

}  // namespace rt
