#pragma once

#include <cstdint>
#include <string>

#include "runtime/textcontrol.h"

namespace rt {

// The check box, option button and command button: a platform button whose window text is the
// caption.
class PlatformButton : public TextControl {
public:
    std::string Caption() const;
    void Caption(const std::string& text);

protected:
    // The window of a new button (captioned with its name) or of an array member (captioned as its
    // template), with the style bits of its kind.
    PlatformButton(Container& c, std::string name, int index, DWORD style);
    PlatformButton(const PlatformButton& templ, int index, DWORD style);
};

class CheckBox : public PlatformButton {
public:
    CheckBox(Container& c, std::string name, int index = -1);
    CheckBox(const CheckBox& templ, int index);

    int16_t Value() const noexcept { return value_; }
    void Value(int16_t v);  // 0 unchecked, 1 checked, 2 greyed; a change raises Click

    bool OnCommand(WORD code) override;
    HBRUSH OnColor(HDC dc) override;

private:
    int16_t value_ = 0;
};

// Option buttons placed directly on one container form one group: selecting one clears the others,
// hidden ones included.
class OptionButton : public PlatformButton {
public:
    OptionButton(Container& c, std::string name, int index = -1);
    OptionButton(const OptionButton& templ, int index);

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

class CommandButton : public PlatformButton {
public:
    CommandButton(Container& c, std::string name, int index = -1);
    CommandButton(const CommandButton& templ, int index);

    void Value(bool v);  // true raises Click, as a press does

    bool OnCommand(WORD code) override;
};

}  // namespace rt
