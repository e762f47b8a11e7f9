#pragma once

#include <cstdint>
#include <string>

#include "runtime/textcontrol.h"

namespace rt {

class TextBox : public TextControl {
public:
    TextBox(Container& c, std::string name, int index = -1);
    TextBox(const TextBox& templ, int index);

    // The text; a change (by code or by typing) raises Change before the setter returns.
    const std::string& Text() const noexcept { return text_; }
    void Text(std::string text);
    bool MultiLine() const noexcept { return multiLine_; }
    void MultiLine(bool v);
    int16_t ScrollBars() const noexcept { return scrollBars_; }
    void ScrollBars(int16_t v);  // 0 none, 1 horizontal, 2 vertical, 3 both
    bool Locked() const noexcept { return locked_; }
    void Locked(bool v);
    // "" shows the text; one character masks every character, also in a multi-line box.
    const std::string& PasswordChar() const noexcept { return passwordChar_; }
    void PasswordChar(const std::string& c);
    int16_t Alignment() const noexcept { return alignment_; }
    void Alignment(int16_t a);
    int32_t MaxLength() const noexcept { return maxLength_; }
    void MaxLength(int32_t n);
    int32_t SelStart() const;
    void SelStart(int32_t pos);
    int32_t SelLength() const;
    void SelLength(int32_t n);
    void SetFocus();
    // The box's own hidden text value: kept with the box, never shown.
    const std::string& Password() const noexcept { return password_; }
    void Password(std::string v) { password_ = std::move(v); }

    Event<> Change;
    Event<int16_t&, int16_t> KeyDown;  // KeyCode (0 swallows the key), Shift
    Event<int16_t&> KeyPress;          // KeyAscii (0 swallows the character)

    bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
    bool OnCommand(WORD code) override;
    HBRUSH OnColor(HDC dc) override;

private:
    void create(bool replacing = false);  // replacing: in the place of the window there is
    void recreate();
    std::string shown() const;
    void showText();
    void userEdited();

    std::string text_, passwordChar_, password_;
    bool multiLine_ = false, locked_ = false;
    int16_t scrollBars_ = 0, alignment_ = 0;
    int32_t maxLength_ = 0;
    bool settingText_ = false;
    DWORD selBefore_ = 0;  // selection start before the message that changes the text
    bool selKnown_ = false;
};

}  // namespace rt
