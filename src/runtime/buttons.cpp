#include "runtime/buttons.h"

#include "runtime/controls_shared.h"
#include "runtime/convert.h"
#include "runtime/error.h"
#include "runtime/form.h"

namespace rt {

PlatformButton::PlatformButton(Container& c, std::string name, int index, DWORD style)
    : TextControl(c, std::move(name), index, Kind::Windowed, kButtonFace, kButtonText) {
    CreateChild("BUTTON", style | WS_TABSTOP, 0, Name().c_str());
    fontToNewWindow();
}
PlatformButton::PlatformButton(const PlatformButton& t, int index, DWORD style) : TextControl(t, index) {
    CreateChild("BUTTON", style | WS_TABSTOP, 0, t.Caption().c_str());
    fontToNewWindow();
}
std::string PlatformButton::Caption() const {
    return WindowText(hwnd_);
}
void PlatformButton::Caption(const std::string& text) {
    SetWindowTextA(hwnd_, text.c_str());
}

CheckBox::CheckBox(Container& c, std::string name, int index)
    : PlatformButton(c, std::move(name), index, BS_3STATE) {}
CheckBox::CheckBox(const CheckBox& t, int index) : PlatformButton(t, index, BS_3STATE), value_(t.value_) {
    SendMessageA(hwnd_, BM_SETCHECK, static_cast<WPARAM>(value_), 0);
}
void CheckBox::Value(int16_t v) {
    CheckRange(v, 0, 2, Name());
    if (v == value_) return;
    value_ = v;
    SendMessageA(hwnd_, BM_SETCHECK, static_cast<WPARAM>(v), 0);
    RaiseEvent(Click);
}
bool CheckBox::OnCommand(WORD code) {
    if (code != BN_CLICKED) return false;
    Value(value_ == 1 ? 0 : 1);
    return true;
}
HBRUSH CheckBox::OnColor(HDC dc) {
    return platformColors(dc);
}

OptionButton::OptionButton(Container& c, std::string name, int index)
    : PlatformButton(c, std::move(name), index, BS_RADIOBUTTON) {}
// A new member starts unselected: the group keeps its one selection.
OptionButton::OptionButton(const OptionButton& t, int index)
    : PlatformButton(t, index, BS_RADIOBUTTON | (t.alignment_ ? BS_LEFTTEXT | BS_RIGHT : 0)),
      alignment_(t.alignment_) {}
void OptionButton::Alignment(int16_t a) {
    CheckRange(a, 0, 1, Name());
    alignment_ = a;
    SetStyleBits(BS_LEFTTEXT | BS_RIGHT, a ? BS_LEFTTEXT | BS_RIGHT : 0);
}
void OptionButton::setChecked(bool v) {
    value_ = v;
    SendMessageA(hwnd_, BM_SETCHECK, v ? BST_CHECKED : BST_UNCHECKED, 0);
}
void OptionButton::Value(bool v) {
    if (!v) {
        setChecked(false);
        return;
    }
    // One group per container: every other option button placed directly on it is cleared.
    for (Control* c : Parent().Controls())
        if (auto* o = dynamic_cast<OptionButton*>(c); o && o != this && o->value_) o->setChecked(false);
    bool was = value_;
    setChecked(true);
    if (!was) RaiseEvent(Click);
}
bool OptionButton::OnCommand(WORD code) {
    if (code != BN_CLICKED) return false;
    Value(true);
    return true;
}
HBRUSH OptionButton::OnColor(HDC dc) {
    return platformColors(dc);
}

CommandButton::CommandButton(Container& c, std::string name, int index)
    : PlatformButton(c, std::move(name), index, BS_PUSHBUTTON) {}
CommandButton::CommandButton(const CommandButton& t, int index) : PlatformButton(t, index, BS_PUSHBUTTON) {}
void CommandButton::Value(bool v) {
    if (v) RaiseEvent(Click);
}
bool CommandButton::OnCommand(WORD code) {
    if (code != BN_CLICKED) return false;
    RaiseEvent(Click);
    return true;
}

}  // namespace rt
