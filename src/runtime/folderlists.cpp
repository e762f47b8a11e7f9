#include "runtime/folderlists.h"

#include <algorithm>
#include <cctype>

#include "runtime/ansi_text.h"
#include "runtime/error.h"
#include "runtime/files.h"

namespace rt {

namespace {
constexpr uint32_t kWindowColor = 0x80000005, kWindowText = 0x80000008;

// "x:" followed by nothing or by a label part: the drive letter, else 0.
char DriveLetterOf(const std::string& text) {
    if (text.size() >= 2 && text[1] == ':' && std::isalpha(static_cast<unsigned char>(text[0])) &&
        (text.size() == 2 || text[2] == ' '))
        return static_cast<char>(std::tolower(static_cast<unsigned char>(text[0])));
    return 0;
}

std::string RootOf(char letter) {
    return std::string(1, letter) + ":\\";
}

// True when the drive exists and can be read now (a CD drive without a disc cannot).
bool DriveReady(const std::string& root) {
    UINT type = GetDriveTypeA(root.c_str());
    if (type == DRIVE_NO_ROOT_DIR || type == DRIVE_UNKNOWN) return false;
    // No "insert a disc" box from the system while asking.
    UINT old = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    DWORD serial = 0;
    bool ready = type == DRIVE_FIXED || type == DRIVE_RAMDISK ||
                 GetVolumeInformationA(root.c_str(), nullptr, 0, &serial, nullptr, nullptr, nullptr, 0);
    SetErrorMode(old);
    return ready;
}

std::string WithoutTrailingSlash(std::string p) {
    while (p.size() > 3 && (p.back() == '\\' || p.back() == '/')) p.pop_back();
    return p;
}

std::string CurrentFolder() {
    char buf[MAX_PATH] = {};
    DWORD n = GetCurrentDirectoryA(MAX_PATH, buf);
    return WithoutTrailingSlash(std::string(buf, n < MAX_PATH ? n : 0));
}
}  // namespace

// ---- DirListBox

DirListBox::DirListBox(Container& c, std::string name, int index)
    : ListBox(c, std::move(name), index, false), path_(CurrentFolder()) {
    fill();
}

DirListBox::DirListBox(const DirListBox& t, int index) : ListBox(t, index), Change(t.Change), path_(t.path_) {
    fill();
}

void DirListBox::Path(const std::string& folder) {
    std::string given = folder;
    if (char letter = DriveLetterOf(folder))
        given = std::string(1, letter) + ":";  // the drive's current folder
    char full[MAX_PATH] = {};
    DWORD n = GetFullPathNameA(given.c_str(), MAX_PATH, full, nullptr);
    if (n == 0 || n >= MAX_PATH) Raise(errPathNotFound, Name());
    std::string path = WithoutTrailingSlash(full);
    if (path.size() < 2 || path[1] != ':') {
        // A network path: no drive to ask.
        if (!IsDirectory(path)) Raise(errPathNotFound, Name());
    } else {
        if (!DriveReady(RootOf(static_cast<char>(std::tolower(static_cast<unsigned char>(path[0]))))))
            Raise(errDeviceUnavailable, Name());
        UINT old = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
        DWORD attr = GetFileAttributesA(path.c_str());
        DWORD err = GetLastError();
        SetErrorMode(old);
        if (attr == INVALID_FILE_ATTRIBUTES && err == ERROR_NOT_READY) Raise(errDeviceUnavailable, Name());
        if (attr == INVALID_FILE_ATTRIBUTES || !(attr & FILE_ATTRIBUTE_DIRECTORY))
            Raise(errPathNotFound, Name());
    }
    bool changed = lstrcmpiA(path.c_str(), path_.c_str()) != 0;
    path_ = path;
    fill();
    if (changed) RaiseEvent(Change);
}

void DirListBox::Refresh() {
    fill();
}

std::string DirListBox::FolderAt(int index) const {
    if (index < 0 || index >= static_cast<int>(folders_.size())) Raise(errInvalidPropertyValue, Name());
    return folders_[static_cast<size_t>(index)];
}

void DirListBox::fill() {
    folders_.clear();
    std::vector<std::string> shown;
    // The chain from the root down to the current folder, each one step further in.
    std::string p = path_;
    std::vector<std::string> chain;
    while (true) {
        chain.push_back(p);
        size_t cut = p.find_last_of('\\');
        if (p.size() <= 3 || cut == std::string::npos) break;
        p = WithoutTrailingSlash(cut <= 2 ? p.substr(0, 3) : p.substr(0, cut));
    }
    std::reverse(chain.begin(), chain.end());
    int depth = 0;
    for (const std::string& folder : chain) {
        size_t cut = folder.find_last_of('\\');
        std::string label = folder.size() <= 3 ? folder : folder.substr(cut + 1);
        shown.push_back(std::string(static_cast<size_t>(depth) * 2, ' ') + label);
        folders_.push_back(folder);
        ++depth;
    }
    // The sub-folders of the current one, sorted by name (ignoring case), hidden ones left out.
    std::vector<std::string> subs;
    std::string base = path_.size() <= 3 ? path_ : path_ + "\\";
    if (base.size() == 2) base += "\\";
    WIN32_FIND_DATAA fd;
    UINT old = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    FindHandle h(FindFirstFileA((base + "*").c_str(), &fd));
    SetErrorMode(old);
    if (h) {
        do {
            std::string n = fd.cFileName;
            if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || n == "." || n == ".." ||
                (fd.dwFileAttributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)))
                continue;
            subs.push_back(n);
        } while (FindNextFileA(h.get(), &fd));
        h.reset();
    }
    SortIgnoringCase(subs);
    for (const std::string& s : subs) {
        shown.push_back(std::string(static_cast<size_t>(depth) * 2, ' ') + s);
        folders_.push_back(base + s);
    }
    SendMessageA(hWnd(), WM_SETREDRAW, FALSE, 0);
    Clear();
    for (const std::string& s : shown) AddItem(s);
    SendMessageA(hWnd(), LB_SETCURSEL, chain.size() - 1, 0);
    SendMessageA(hWnd(), WM_SETREDRAW, TRUE, 0);
    InvalidateRect(hWnd(), nullptr, TRUE);
}

bool DirListBox::OnCommand(WORD code) {
    if (code == LBN_DBLCLK) {
        int i = ListIndex();
        if (i >= 0 && i < static_cast<int>(folders_.size())) {
            std::string target = folders_[static_cast<size_t>(i)];
            // A folder that went away meanwhile: the list stays as it is.
            Try([&] { Path(target); });
        }
        RaiseEvent(DblClick);
        return true;
    }
    return ListBox::OnCommand(code);
}

bool DirListBox::OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
    if (msg == WM_KEYDOWN && wp == VK_RETURN) {
        OnCommand(LBN_DBLCLK);
        result = 0;
        return true;
    }
    if (msg == WM_GETDLGCODE) return false;
    return ListBox::OnMessage(msg, wp, lp, result);
}

// ---- DriveListBox

DriveListBox::DriveListBox(Container& c, std::string name, int index)
    : TextControl(c, std::move(name), index, Kind::Windowed, kWindowColor, kWindowText) {
    create();
    char cwd[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, cwd);
    char letter = DriveLetterOf(std::string(cwd).substr(0, 2));
    for (size_t i = 0; i < texts_.size(); ++i)
        if (texts_[i][0] == letter) choose(static_cast<int>(i), false);
}

DriveListBox::DriveListBox(const DriveListBox& t, int index) : TextControl(t, index), Change(t.Change) {
    create();
    if (t.current_ >= 0 && t.current_ < static_cast<int>(texts_.size())) choose(t.current_, false);
}

void DriveListBox::create() {
    CreateChild("COMBOBOX", WS_VSCROLL | WS_TABSTOP | CBS_DROPDOWNLIST | CBS_HASSTRINGS);
    fontToNewWindow();
    Refresh();
}

void DriveListBox::Refresh() {
    char keep = current_ >= 0 ? texts_[static_cast<size_t>(current_)][0] : 0;
    texts_.clear();
    DWORD mask = GetLogicalDrives();
    for (int i = 0; i < 26; ++i) {
        if (!(mask & (1u << i))) continue;
        char letter = static_cast<char>('a' + i);
        std::string text = std::string(1, letter) + ":";
        std::string root = RootOf(letter);
        UINT type = GetDriveTypeA(root.c_str());
        if (type == DRIVE_FIXED || type == DRIVE_RAMDISK || DriveReady(root)) {
            char label[MAX_PATH] = {};
            UINT old = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
            if (GetVolumeInformationA(root.c_str(), label, MAX_PATH, nullptr, nullptr, nullptr, nullptr, 0) &&
                label[0])
                text += " [" + std::string(label) + "]";
            SetErrorMode(old);
        }
        texts_.push_back(text);
    }
    SendMessageA(hwnd_, CB_RESETCONTENT, 0, 0);
    for (const std::string& t : texts_)
        SendMessageA(hwnd_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(t.c_str()));
    current_ = -1;
    for (size_t i = 0; i < texts_.size(); ++i)
        if (texts_[i][0] == keep) current_ = static_cast<int>(i);
    SendMessageA(hwnd_, CB_SETCURSEL, static_cast<WPARAM>(current_), 0);
}

std::string DriveListBox::Drive() const {
    return current_ < 0 ? std::string() : texts_[static_cast<size_t>(current_)];
}

void DriveListBox::Drive(const std::string& drive) {
    char letter =
        drive.size() >= 1 ? static_cast<char>(std::tolower(static_cast<unsigned char>(drive[0]))) : 0;
    if (drive.size() >= 2 && drive[1] != ':') letter = 0;
    for (size_t i = 0; i < texts_.size(); ++i)
        if (texts_[i][0] == letter) {
            choose(static_cast<int>(i), true);
            return;
        }
    Raise(errDeviceUnavailable, Name());
}

int DriveListBox::ListCount() const {
    return static_cast<int>(texts_.size());
}

std::string DriveListBox::List(int index) const {
    return index >= 0 && index < ListCount() ? texts_[static_cast<size_t>(index)] : std::string();
}

int DriveListBox::ListIndex() const {
    return current_;
}

void DriveListBox::choose(int index, bool raise) {
    SendMessageA(hwnd_, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    if (index == current_) return;
    current_ = index;
    if (raise) RaiseEvent(Change);
}

bool DriveListBox::OnCommand(WORD code) {
    if (code == CBN_SELCHANGE) {
        int i = static_cast<int>(SendMessageA(hwnd_, CB_GETCURSEL, 0, 0));
        if (i >= 0 && i != current_) {
            current_ = i;
            RaiseEvent(Change);
        }
        return true;
    }
    return false;
}

HBRUSH DriveListBox::OnColor(HDC dc) {
    return platformColors(dc);
}

}  // namespace rt
