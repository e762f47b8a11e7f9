#include "runtime/lists.h"

#include <commctrl.h>

#include <algorithm>
#include <utility>

#include "runtime/ansi_text.h"
#include "runtime/controls_shared.h"
#include "runtime/convert.h"
#include "runtime/error.h"
#include "runtime/files.h"
#include "runtime/form.h"
#include "runtime/subclass.h"

namespace rt {

ListBox::ListBox(Container& c, std::string name, int index)
    : TextControl(c, std::move(name), index, Kind::Windowed, kWindowColor, kWindowText) {
    create();
}
ListBox::ListBox(Container& c, std::string name, int index, bool sorted)
    : TextControl(c, std::move(name), index, Kind::Windowed, kWindowColor, kWindowText), sorted_(sorted) {
    create();
}
ListBox::ListBox(const ListBox& t, int index) : TextControl(t, index), sorted_(t.sorted_) {
    create();
}

void ListBox::create() {
    DWORD style = WS_VSCROLL | WS_TABSTOP | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | LBS_HASSTRINGS;
    if (sorted_) style |= LBS_SORT;
    CreateChild("LISTBOX", style, WS_EX_CLIENTEDGE);
    fontToNewWindow();
}

void ListBox::Sorted(bool v) {
    if (v == sorted_) return;
    std::vector<std::string> items = std::move(items_);
    items_.clear();
    sorted_ = v;
    RECT r = PixelRect();
    bool vis = Visible();
    WindowHandle old(std::exchange(hwnd_, nullptr));
    create();
    MoveWindow(hwnd_, r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE);
    ShowWindow(hwnd_, vis ? SW_SHOWNA : SW_HIDE);
    old.reset();
    for (auto& s : items) AddItem(s);
}

void ListBox::Clear() {
    SendMessageA(hwnd_, LB_RESETCONTENT, 0, 0);
    items_.clear();
}
void ListBox::AddItem(const std::string& item, int index) {
    if (index > ListCount()) Raise(errInvalidProcedureCall, Name());
    LRESULT at;
    if (sorted_ || index < 0 || index >= ListCount())
        at = SendMessageA(hwnd_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
    else
        at = SendMessageA(hwnd_, LB_INSERTSTRING, static_cast<WPARAM>(index),
                          reinterpret_cast<LPARAM>(item.c_str()));
    // The window answers where the item went (a sorted list places it itself), or an error.
    if (at >= 0 && static_cast<size_t>(at) <= items_.size())
        items_.insert(items_.begin() + static_cast<std::ptrdiff_t>(at), std::string(item.c_str()));
}
int ListBox::ListCount() const {
    return static_cast<int>(items_.size());
}
std::string ListBox::List(int index) const {
    if (index < 0 || static_cast<size_t>(index) >= items_.size()) return {};
    return items_[static_cast<size_t>(index)];
}
void ListBox::RemoveItem(int index) {
    if (index < 0 || index >= ListCount()) Raise(errInvalidProcedureCall, Name());
    SendMessageA(hwnd_, LB_DELETESTRING, static_cast<WPARAM>(index), 0);
    items_.erase(items_.begin() + index);
}
int ListBox::ListIndex() const {
    return static_cast<int>(SendMessageA(hwnd_, LB_GETCURSEL, 0, 0));
}
void ListBox::ListIndex(int index) {
    if (index < -1 || index >= ListCount()) Raise(errInvalidPropertyValue, Name());
    if (index == ListIndex()) return;
    SendMessageA(hwnd_, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    RaiseEvent(Click);  // a change of the selection by code is a click too
}
std::string ListBox::Text() const {
    return ListIndex() < 0 ? std::string() : List(ListIndex());
}

bool ListBox::OnCommand(WORD code) {
    if (code == LBN_SELCHANGE) {
        RaiseEvent(Click);
        return true;
    }
    if (code == LBN_DBLCLK) {
        RaiseEvent(DblClick);
        return true;
    }
    return false;
}
HBRUSH ListBox::OnColor(HDC dc) {
    return platformColors(dc);
}

// ---- ComboBox

ComboBox::ComboBox(Container& c, std::string name, int index)
    : TextControl(c, std::move(name), index, Kind::Windowed, kWindowColor, kWindowText) {
    create();
}
ComboBox::ComboBox(const ComboBox& t, int index)
    : TextControl(t, index), Change(t.Change), KeyDown(t.KeyDown), style_(t.style_), sorted_(t.sorted_) {
    create();
}

// The text field is a child window of the combo: its keys reach the combo's KeyDown from here.
LRESULT CALLBACK ComboBox::EditProc(HWND h, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id, DWORD_PTR self) {
    if (msg == WM_NCDESTROY) rt::UnsubclassWindow(h, EditProc, id);
    if (msg == WM_KEYDOWN) {
        int16_t key = static_cast<int16_t>(wp);
        reinterpret_cast<ComboBox*>(self)->RaiseEvent(reinterpret_cast<ComboBox*>(self)->KeyDown, key,
                                                      ShiftState());
        if (key == 0) return 0;
    }
    return rt::CallNextSubclass(h, msg, wp, lp);
}

void ComboBox::create() {
    DWORD style = WS_VSCROLL | WS_TABSTOP | CBS_AUTOHSCROLL | CBS_HASSTRINGS;
    style |= style_ == 2 ? CBS_DROPDOWNLIST : CBS_DROPDOWN;
    if (sorted_) style |= CBS_SORT;
    RECT r = PixelRect();
    CreateChild("COMBOBOX", style, 0);
    // The window's height includes the drop-down list.
    MoveWindow(hwnd_, r.left, r.top, r.right - r.left, std::max<LONG>(r.bottom - r.top, 200), FALSE);
    fontToNewWindow();
    if (HWND edit = FindWindowExA(hwnd_, nullptr, "Edit", nullptr))
        rt::SubclassWindow(edit, EditProc, 1, reinterpret_cast<DWORD_PTR>(this));
}
void ComboBox::recreate() {
    std::vector<std::string> items;
    for (int i = 0; i < ListCount(); ++i) items.push_back(List(i));
    std::string text = Text();
    bool vis = Visible();
    WindowHandle old(std::exchange(hwnd_, nullptr));
    create();
    ShowWindow(hwnd_, vis ? SW_SHOWNA : SW_HIDE);
    old.reset();
    for (auto& s : items) AddItem(s);
    if (style_ != 2) SetWindowTextA(hwnd_, text.c_str());
}
void ComboBox::Style(int16_t v) {
    if (v != 0 && v != 2) Raise(errInvalidPropertyValue, Name());
    style_ = v;
    recreate();
}
void ComboBox::Sorted(bool v) {
    sorted_ = v;
    recreate();
}
void ComboBox::Clear() {
    SendMessageA(hwnd_, CB_RESETCONTENT, 0, 0);
}
void ComboBox::AddItem(const std::string& item, int index) {
    if (index > ListCount()) Raise(errInvalidProcedureCall, Name());
    if (sorted_ || index < 0 || index >= ListCount())
        SendMessageA(hwnd_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
    else
        SendMessageA(hwnd_, CB_INSERTSTRING, static_cast<WPARAM>(index),
                     reinterpret_cast<LPARAM>(item.c_str()));
}
int ComboBox::ListCount() const {
    return static_cast<int>(SendMessageA(hwnd_, CB_GETCOUNT, 0, 0));
}
std::string ComboBox::List(int index) const {
    LRESULT n = SendMessageA(hwnd_, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
    if (index < 0 || n == CB_ERR) return {};
    std::string s(static_cast<size_t>(n) + 1, '\0');
    SendMessageA(hwnd_, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(s.data()));
    s.resize(static_cast<size_t>(n));
    return s;
}
void ComboBox::RemoveItem(int index) {
    if (index < 0 || index >= ListCount()) Raise(errInvalidProcedureCall, Name());
    SendMessageA(hwnd_, CB_DELETESTRING, static_cast<WPARAM>(index), 0);
}
int ComboBox::ListIndex() const {
    return static_cast<int>(SendMessageA(hwnd_, CB_GETCURSEL, 0, 0));
}
void ComboBox::ListIndex(int index) {
    if (index < -1 || index >= ListCount()) Raise(errInvalidPropertyValue, Name());
    if (index == ListIndex()) return;
    SendMessageA(hwnd_, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    RaiseEvent(Click);
}
std::string ComboBox::Text() const {
    return WindowText(hwnd_);
}
void ComboBox::Text(const std::string& text) {
    if (style_ == 2) {
        LRESULT i = SendMessageA(hwnd_, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                 reinterpret_cast<LPARAM>(text.c_str()));
        if (i == CB_ERR) Raise(errPropertyReadOnly, Name());
        ListIndex(static_cast<int>(i));
        return;
    }
    if (text == Text()) return;
    SetWindowTextA(hwnd_, text.c_str());
    RaiseEvent(Change);
}
bool ComboBox::OnCommand(WORD code) {
    switch (code) {
        case CBN_SELCHANGE:
            RaiseEvent(Click);
            return true;
        case CBN_EDITCHANGE:
            RaiseEvent(Change);
            return true;
        case CBN_DBLCLK:
            RaiseEvent(DblClick);
            return true;
        default:
            return false;
    }
}
HBRUSH ComboBox::OnColor(HDC dc) {
    return platformColors(dc);
}

// ---- FileListBox

FileListBox::FileListBox(Container& c, std::string name, int index)
    : ListBox(c, std::move(name), index, false) {
    char cwd[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, cwd);
    path_ = cwd;
    Refresh();
}
FileListBox::FileListBox(const FileListBox& t, int index)
    : ListBox(t, index), path_(t.path_), pattern_(t.pattern_) {
    Refresh();
}

void FileListBox::Path(const std::string& folder) {
    if (!IsDirectory(folder)) Raise(errPathNotFound, Name());
    path_ = folder;
    Refresh();
}
void FileListBox::Pattern(const std::string& patterns) {
    pattern_ = patterns;
    Refresh();
}

void FileListBox::Refresh() {
    std::vector<std::string> names;
    std::string base = path_;
    if (!base.empty() && base.back() != '\\' && base.back() != '/') base += '\\';
    for (const std::string& raw : Split(pattern_, ";")) {
        const std::string p = Trim(raw);
        if (p.empty()) continue;
        WIN32_FIND_DATAA fd;
        FindHandle h(FindFirstFileA((base + p).c_str(), &fd));
        if (!h) continue;
        do {
            // Files only: no folders, and no hidden or system files, as the file list shows by default.
            if (fd.dwFileAttributes &
                (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM))
                continue;
            names.emplace_back(fd.cFileName);
        } while (FindNextFileA(h.get(), &fd));
    }
    SortIgnoringCase(names, true);
    Clear();
    for (auto& n : names) AddItem(n);
}

}  // namespace rt
