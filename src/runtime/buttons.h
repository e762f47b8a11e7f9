#pragma once

#include <cstdint>
#include <string>

#include "runtime/textcontrol.h"

namespace rt {

class CheckBox : public TextControl {
public:
    CheckBox(Container& c, std::string name, int index = -1);
    CheckBox(const CheckBox& templ, int index);

    std::string Caption() const;
    void Caption(const std::string& text);
    int16_t Value() const noexcept { return value_; }
    void Value(int16_t v);  // 0 unchecked, 1 checked, 2 greyed; a change raises Click

    bool OnCommand(WORD code) override;
    HBRUSH OnColor(HDC dc) override;

private:
    int16_t value_ = 0;
};

// Option buttons placed directly on one container form one group: selecting one clears the others,
// hidden ones included.
class OptionButton : public TextControl {
public:
    OptionButton(Container& c, std::string name, int index = -1);
    OptionButton(const OptionButton& templ, int index);

    std::string Caption() const;
    void Caption(const std::string& text);
    bool Value() const noexcept { return value_; }
    void Value(bool v);  // true clears the group and raises Click
    int16_t Alignment() const noexcept { return alignment_; }
    void Alignment(int16_t a);  // 0 button left of the caption, 1 right

    bool OnCommand(WORD code) override;
    HBRUSH OnColor(HDC dc) override;

private:
    void setChecked(bool v);
    bool value_ = false;
    int16_t alignment_ = 0;
};

class CommandButton : public TextControl {
public:
    CommandButton(Container& c, std::string name, int index = -1);
    CommandButton(const CommandButton& templ, int index);

    std::string Caption() const;
    void Caption(const std::string& text);
    void Value(bool v);  // true raises Click, as a press does

    bool OnCommand(WORD code) override;
};

}  // namespace rt
