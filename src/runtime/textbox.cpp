#include "runtime/textbox.h"

#include <commctrl.h>

#include <algorithm>
#include <utility>

#include "runtime/controls_shared.h"
#include "runtime/convert.h"
#include "runtime/error.h"
#include "runtime/form.h"
#include "runtime/subclass.h"

namespace rt {

TextBox::TextBox(Container& c, std::string name, int index)
    : TextControl(c, std::move(name), index, Kind::Windowed, kWindowColor, kWindowText) {
    create();
}

TextBox::TextBox(const TextBox& t, int index)
    : TextControl(t, index),
      Change(t.Change),
      KeyDown(t.KeyDown),
      KeyPress(t.KeyPress),
      text_(t.text_),
      passwordChar_(t.passwordChar_),
      password_(t.password_),
      multiLine_(t.multiLine_),
      locked_(t.locked_),
      scrollBars_(t.scrollBars_),
      alignment_(t.alignment_),
      maxLength_(t.maxLength_) {
    create();
}

void TextBox::create(bool replacing) {
    DWORD style = WS_TABSTOP | ES_AUTOHSCROLL;
    if (multiLine_) {
        style |= ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN;
        if (scrollBars_ == 0 || scrollBars_ == 2) style &= ~static_cast<DWORD>(ES_AUTOHSCROLL);
    }
    if (scrollBars_ & 1) style |= WS_HSCROLL;
    if (scrollBars_ & 2) style |= WS_VSCROLL;
    if (locked_) style |= ES_READONLY;
    style |= alignment_ == 1 ? ES_RIGHT : alignment_ == 2 ? ES_CENTER : ES_LEFT;
    settingText_ = true;
    if (replacing)
        ReplaceChild("EDIT", style, WS_EX_CLIENTEDGE, shown().c_str());
    else
        CreateChild("EDIT", style, WS_EX_CLIENTEDGE, shown().c_str());
    fontToNewWindow();
    if (maxLength_ > 0) SendMessageA(hwnd_, EM_LIMITTEXT, static_cast<WPARAM>(maxLength_), 0);
    settingText_ = false;
}

void TextBox::recreate() {
    if (WindowHeld() && GetFocus() != hwnd_) {
        // The new window takes the old one's place and waits with the container's other windows.
        create(true);
        return;
    }
    RECT r = PixelRect();
    bool vis = Visible();
    // The platform edit reads these styles only at creation: make a new window in the old one's
    // place. The old one goes last; its NCDESTROY forgets only the old handle.
    const WindowHandle old(std::exchange(hwnd_, nullptr));
    HWND after = GetWindow(old.get(), GW_HWNDPREV);
    create();
    MoveWindow(hwnd_, r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE);
    SetWindowPos(hwnd_, after ? after : HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    ShowWindow(hwnd_, vis ? SW_SHOWNA : SW_HIDE);
}

std::string TextBox::shown() const {
    if (passwordChar_.empty()) return text_;
    return std::string(text_.size(), passwordChar_[0]);
}

void TextBox::showText() {
    settingText_ = true;
    SetWindowTextA(hwnd_, shown().c_str());
    settingText_ = false;
}

void TextBox::Text(std::string text) {
    if (maxLength_ > 0 && static_cast<int32_t>(text.size()) > maxLength_)
        text.resize(static_cast<size_t>(maxLength_));
    if (text == text_) return;
    text_ = std::move(text);
    showText();
    RaiseEvent(Change);
}

void TextBox::MultiLine(bool v) {
    if (v == multiLine_) return;
    multiLine_ = v;
    recreate();
}
void TextBox::ScrollBars(int16_t v) {
    CheckRange(v, 0, 3, Name());
    scrollBars_ = v;
    recreate();
}
void TextBox::Locked(bool v) {
    locked_ = v;
    SendMessageA(hwnd_, EM_SETREADONLY, v, 0);
}
void TextBox::PasswordChar(const std::string& c) {
    passwordChar_ = c.substr(0, 1);
    showText();
}
void TextBox::Alignment(int16_t a) {
    CheckRange(a, 0, 2, Name());
    alignment_ = a;
    recreate();
}
void TextBox::MaxLength(int32_t n) {
    if (n < 0) Raise(errInvalidPropertyValue, Name());
    maxLength_ = n;
    SendMessageA(hwnd_, EM_LIMITTEXT, static_cast<WPARAM>(n), 0);
}
int32_t TextBox::SelStart() const {
    DWORD s = 0, e = 0;
    SendMessageA(hwnd_, EM_GETSEL, reinterpret_cast<WPARAM>(&s), reinterpret_cast<LPARAM>(&e));
    return static_cast<int32_t>(s);
}
void TextBox::SelStart(int32_t pos) {
    SendMessageA(hwnd_, EM_SETSEL, static_cast<WPARAM>(pos), pos);
}
int32_t TextBox::SelLength() const {
    DWORD s = 0, e = 0;
    SendMessageA(hwnd_, EM_GETSEL, reinterpret_cast<WPARAM>(&s), reinterpret_cast<LPARAM>(&e));
    return static_cast<int32_t>(e - s);
}
void TextBox::SelLength(int32_t n) {
    int32_t s = SelStart();
    SendMessageA(hwnd_, EM_SETSEL, static_cast<WPARAM>(s), s + n);
}
void TextBox::SetFocus() {
    ::SetFocus(hwnd_);
}

// Typing into a masked box: the window holds one mask character per character of the text. The
// edit replaced one range [s, e) of the old text by k characters, leaving the caret at s + k; with
// the selection start before the change (s0) that gives s = min(s0, caret), k = caret - s and
// e = s + old length - new length + k. The typed characters are taken into the text and masked.
void TextBox::userEdited() {
    std::string now = WindowText(hwnd_);
    if (passwordChar_.empty()) {
        text_ = std::move(now);
        return;
    }
    DWORD caret = 0, selEnd = 0;
    SendMessageA(hwnd_, EM_GETSEL, reinterpret_cast<WPARAM>(&caret), reinterpret_cast<LPARAM>(&selEnd));
    size_t oldLen = text_.size(), newLen = now.size();
    size_t s0 = selKnown_ ? selBefore_ : caret;
    size_t s = std::min<size_t>(std::min<size_t>(s0, caret), std::min(oldLen, newLen));
    size_t k = caret >= s ? caret - s : 0;
    if (s + k > newLen) k = newLen - s;
    if (oldLen + k < newLen) k = newLen - oldLen;  // never lose characters
    size_t removed = oldLen + k - newLen;
    if (s + removed > oldLen) removed = oldLen - s;
    text_ = text_.substr(0, s) + now.substr(s, k) + text_.substr(s + removed);
    if (now != shown()) {
        showText();
        SendMessageA(hwnd_, EM_SETSEL, caret, caret);
    }
    SendMessageA(hwnd_, EM_EMPTYUNDOBUFFER, 0, 0);
}

bool TextBox::OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
    if (!passwordChar_.empty()) {
        // A masked box gives nothing away and has no undo that would bring masks back as text.
        if (msg == WM_COPY || msg == WM_CUT || msg == WM_UNDO || msg == EM_UNDO) {
            result = 0;
            return true;
        }
    }
    // Where the selection started before a message that may change the text (see userEdited).
    if (msg == WM_CHAR || msg == WM_KEYDOWN || msg == WM_PASTE || msg == WM_CLEAR || msg == EM_REPLACESEL ||
        msg == WM_IME_CHAR) {
        DWORD s = 0, e = 0;
        SendMessageA(hwnd_, EM_GETSEL, reinterpret_cast<WPARAM>(&s), reinterpret_cast<LPARAM>(&e));
        selBefore_ = s;
        selKnown_ = true;
    }
    switch (msg) {
        case WM_KEYDOWN: {
            int16_t key = static_cast<int16_t>(wp);
            RaiseEvent(KeyDown, key, ShiftState());
            if (key == 0) {
                result = 0;
                return true;
            }
            return false;
        }
        case WM_CHAR: {
            int16_t ch = static_cast<int16_t>(wp & 0xFF);
            RaiseEvent(KeyPress, ch);
            if (ch == 0) {
                result = 0;
                return true;
            }
            if (!hwnd_) {  // the handler took the window away
                result = 0;
                return true;
            }
            result =
                rt::CallNextSubclass(hwnd_, msg, static_cast<WPARAM>(static_cast<unsigned char>(ch)), lp);
            return true;
        }
        default:
            return false;
    }
}

bool TextBox::OnCommand(WORD code) {
    if (code != EN_CHANGE || settingText_) return code == EN_CHANGE;
    std::string before = text_;
    userEdited();
    selKnown_ = false;
    if (text_ != before) RaiseEvent(Change);
    return true;
}

HBRUSH TextBox::OnColor(HDC dc) {
    return platformColors(dc);
}

}  // namespace rt
