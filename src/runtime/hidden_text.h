// A hidden text field of a window whose change runs its handler synchronously inside the setter:
// the code that set the field goes on only after the handler has returned. Setting the text it
// already holds is no change.
//
//   rt::HiddenText page{*this, "1", [this] { page_Change(); }};
#pragma once

#include <functional>
#include <string>
#include <utility>

#include "runtime/lifetime.h"

namespace rt {

class Container;

class HiddenText {
public:
    HiddenText(Container&, std::string initial = {}, std::function<void()> onChange = {})
        : text_(std::move(initial)), onChange_(std::move(onChange)) {}
    HiddenText(Container& c, std::function<void()> onChange) : HiddenText(c, {}, std::move(onChange)) {}

    const std::string& Text() const noexcept { return text_; }
    void Text(std::string text) {
        if (text == text_) return;
        text_ = std::move(text);
        if (onChange_) {
            HandlerScope scope;
            onChange_();
        }
    }
    operator const std::string&() const noexcept { return text_; }

private:
    std::string text_;
    std::function<void()> onChange_;
};

}  // namespace rt
