#include "runtime/inputbox.h"

#include <windows.h>

#include <cstring>
#include <vector>

#include "runtime/ansi_text.h"
#include "runtime/form.h"
#include "runtime/lifetime.h"
#include "runtime/ui.h"

namespace rt {

namespace {
constexpr WORD kPromptId = 100, kAnswerId = 101;

struct InputState {
    std::string prompt, text;
};

// Dialog units of the box: a prompt on the left, the buttons on the right, the answer below.
void Align(std::vector<WORD>& t) {
    while (t.size() % 2) t.push_back(0);
}
void AddString(std::vector<WORD>& t, const char* s) {
    const std::wstring wide = Widen(s);
    t.insert(t.end(), wide.begin(), wide.end());
    t.push_back(0);
}
void AddItem(std::vector<WORD>& t, DWORD style, short x, short y, short cx, short cy, WORD id, WORD cls,
             const char* text) {
    Align(t);
    DLGITEMTEMPLATE item{};
    item.style = style | WS_CHILD | WS_VISIBLE;
    item.x = x;
    item.y = y;
    item.cx = cx;
    item.cy = cy;
    item.id = id;
    size_t at = t.size();
    t.resize(at + sizeof(item) / sizeof(WORD));
    std::memcpy(&t[at], &item, sizeof(item));
    t.push_back(0xFFFF);
    t.push_back(cls);
    AddString(t, text);
    t.push_back(0);  // no creation data
}

INT_PTR CALLBACK InputProc(HWND dlg, UINT msg, WPARAM wp, LPARAM lp) {
    MessageScope scope;
    auto* st = reinterpret_cast<InputState*>(GetWindowLongPtrA(dlg, DWLP_USER));
    switch (msg) {
        case WM_INITDIALOG: {
            SetWindowLongPtrA(dlg, DWLP_USER, lp);
            st = reinterpret_cast<InputState*>(lp);
            SetDlgItemTextA(dlg, kPromptId, st->prompt.c_str());
            SetDlgItemTextA(dlg, kAnswerId, st->text.c_str());
            HWND answer = GetDlgItem(dlg, kAnswerId);
            SendMessageA(answer, EM_SETSEL, 0, -1);
            SetFocus(answer);
            return FALSE;  // the focus is set
        }
        case WM_COMMAND:
            if (LOWORD(wp) == IDOK) {
                HWND answer = GetDlgItem(dlg, kAnswerId);
                int n = GetWindowTextLengthA(answer);
                std::string s(static_cast<size_t>(n) + 1, '\0');
                n = GetWindowTextA(answer, s.data(), n + 1);
                s.resize(static_cast<size_t>(n < 0 ? 0 : n));
                st->text = s;
                EndDialog(dlg, IDOK);
                return TRUE;
            }
            if (LOWORD(wp) == IDCANCEL) {
                st->text.clear();
                EndDialog(dlg, IDCANCEL);
                return TRUE;
            }
            return FALSE;
        default:
            return FALSE;
    }
}
}  // namespace

std::string InputBox(const std::string& prompt, const std::string& title, const std::string& defaultText) {
    HWND owner = DialogOwner();
    const std::string& caption = title.empty() ? App::Title() : title;

    std::vector<WORD> t;
    DLGTEMPLATE head{};
    head.style = DS_MODALFRAME | DS_SETFONT | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU;
    head.cdit = 4;
    head.cx = 240;
    head.cy = 80;
    t.resize(sizeof(head) / sizeof(WORD));
    std::memcpy(t.data(), &head, sizeof(head));
    t.push_back(0);  // no menu
    t.push_back(0);  // the dialog class
    AddString(t, caption.c_str());
    t.push_back(8);  // point size
    AddString(t, "MS Shell Dlg");
    AddItem(t, SS_LEFT | SS_NOPREFIX, 6, 6, 172, 44, kPromptId, 0x0082, "");
    AddItem(t, BS_DEFPUSHBUTTON | WS_TABSTOP, 184, 6, 50, 14, IDOK, 0x0080, "OK");
    AddItem(t, BS_PUSHBUTTON | WS_TABSTOP, 184, 24, 50, 14, IDCANCEL, 0x0080, "Cancel");
    AddItem(t, ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 6, 58, 228, 13, kAnswerId, 0x0081, "");

    InputState st{prompt, defaultText};
    INT_PTR r =
        DialogBoxIndirectParamA(GetModuleHandleA(nullptr), reinterpret_cast<LPCDLGTEMPLATEA>(t.data()), owner,
                                InputProc, reinterpret_cast<LPARAM>(&st));
    return r == IDOK ? st.text : std::string();
}

}  // namespace rt
