#include "controls/alpha/cUniTextBox.h"

#include <commctrl.h>

#include <utility>
#include <vector>

#include "runtime/ansi_text.h"
#include "runtime/lifetime.h"
#include "runtime/subclass.h"

namespace controls {

namespace {

constexpr char kProperty[] = "cUniTextBox";

void Raise(const std::function<void()>& event) {
    if (!event) return;
    rt::HandlerScope scope;
    auto handler = event;
    handler();
}

}  // namespace

struct UniTextBoxHooks {
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                 DWORD_PTR data) {
        if (msg == WM_NCDESTROY) rt::UnsubclassWindow(hwnd, &Proc, id);  // never outlive the window
        bool unicode = false;
        // The handlers may end the instance: nothing of it is used after this call.
        reinterpret_cast<cUniTextBox*>(data)->DoWindowMsg(hwnd, msg, wParam, lParam, unicode);
        return rt::CallNextSubclass(hwnd, msg, wParam, lParam);
    }
    static UINT_PTR Key(const cUniTextBox* box) { return reinterpret_cast<UINT_PTR>(box); }
};

cUniTextBox::cUniTextBox() : unicode_(IsWindowUnicode(GetDesktopWindow()) != FALSE) {}

cUniTextBox::~cUniTextBox() {
    DetachTextBox(true);
}

HWND cUniTextBox::CreateTextBox(HWND ContainerHwnd, int32_t x, int32_t y, int32_t Width, int32_t Height,
                                uint32_t Style, uint32_t ExtendedStyle, const std::wstring& Text) {
    DetachTextBox(true);
    const DWORD style = Style | WS_CHILD;
    HINSTANCE instance = GetModuleHandleA(nullptr);
    HWND edit = unicode_ ? CreateWindowExW(ExtendedStyle, L"Edit", Text.c_str(), style, x, y, Width, Height,
                                           ContainerHwnd, nullptr, instance, nullptr)
                         : CreateWindowExA(ExtendedStyle, "Edit", rt::Narrow(Text).c_str(), style, x, y,
                                           Width, Height, ContainerHwnd, nullptr, instance, nullptr);
    if (!edit) return nullptr;
    container_ = ContainerHwnd;
    edit_.reset(edit);
    SetPropA(edit, kProperty, reinterpret_cast<HANDLE>(this));
    const WPARAM font = static_cast<WPARAM>(SendMessageA(container_, WM_GETFONT, 0, 0));
    if (unicode_)
        SendMessageW(edit, WM_SETFONT, font, FALSE);
    else
        SendMessageA(edit, WM_SETFONT, font, FALSE);
    rt::SubclassWindow(edit, &UniTextBoxHooks::Proc, UniTextBoxHooks::Key(this),
                       reinterpret_cast<DWORD_PTR>(this));
    SetPropA(container_, kProperty, reinterpret_cast<HANDLE>(this));
    containerHooked_ = rt::SubclassWindow(container_, &UniTextBoxHooks::Proc, UniTextBoxHooks::Key(this),
                                          reinterpret_cast<DWORD_PTR>(this)) != FALSE;
    return edit;
}

void cUniTextBox::DetachTextBox(bool destroy) {
    if (!edit_) return;
    rt::WindowHandle edit = std::move(edit_);
    rt::UnsubclassWindow(edit.get(), &UniTextBoxHooks::Proc, UniTextBoxHooks::Key(this));
    if (GetPropA(edit.get(), kProperty) == reinterpret_cast<HANDLE>(this)) RemovePropA(edit.get(), kProperty);
    if (!destroy) edit.release();  // its WM_DESTROY brought us here: it is on its way already
    edit.reset();
    if (containerHooked_) {
        rt::UnsubclassWindow(container_, &UniTextBoxHooks::Proc, UniTextBoxHooks::Key(this));
        containerHooked_ = false;
    }
    // Another text box on the same container may have named itself there since.
    if (GetPropA(container_, kProperty) == reinterpret_cast<HANDLE>(this)) RemovePropA(container_, kProperty);
}

LRESULT cUniTextBox::DoWindowMsg(HWND hwnd, UINT uMsg, WPARAM wParam, LPARAM lParam, bool& Unicode) {
    const bool forEdit = edit_ && hwnd == edit_.get();
    Unicode = forEdit ? unicode_ : false;
    switch (uMsg) {
        case WM_DESTROY:
            DetachTextBox(false);
            break;
        case WM_SETFOCUS:
            if (forEdit) Raise(GotFocus);
            break;
        case WM_KILLFOCUS:
            if (forEdit) Raise(LostFocus);
            break;
        case WM_COMMAND:
            if (!forEdit && edit_ && hwnd == container_ && reinterpret_cast<HWND>(lParam) == edit_.get() &&
                (HIWORD(wParam) & 0x7FFF) == EN_CHANGE)
                Raise(Changed);
            break;
        default:
            break;
    }
    return 0;
}

std::wstring cUniTextBox::Text() const {
    if (!edit_) return {};
    if (unicode_) {
        const LRESULT length = SendMessageW(edit_.get(), WM_GETTEXTLENGTH, 0, 0);
        if (length <= 0) return {};
        std::vector<wchar_t> buffer(static_cast<size_t>(length) + 1);
        const LRESULT read =
            SendMessageW(edit_.get(), WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()));
        return std::wstring(buffer.data(), static_cast<size_t>(read > 0 ? read : 0));
    }
    const LRESULT length = SendMessageA(edit_.get(), WM_GETTEXTLENGTH, 0, 0);
    if (length <= 0) return {};
    std::vector<char> buffer(static_cast<size_t>(length) + 1);
    const LRESULT read =
        SendMessageA(edit_.get(), WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()));
    return rt::Widen({buffer.data(), static_cast<size_t>(read > 0 ? read : 0)});
}

void cUniTextBox::Text(const std::wstring& newVal) {
    if (!edit_) return;
    if (unicode_) {
        SendMessageW(edit_.get(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(newVal.c_str()));
    } else {
        const std::string ansi = rt::Narrow(newVal);
        SendMessageA(edit_.get(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(ansi.c_str()));
    }
}

void cUniTextBox::SetFocus() {
    if (edit_) ::SetFocus(edit_.get());
}

}  // namespace controls
