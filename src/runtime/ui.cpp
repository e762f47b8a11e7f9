#include "runtime/ui.h"

#include <shellapi.h>
#include <shlobj.h>

#include <algorithm>

#include "runtime/ansi_text.h"
#include "runtime/drop_files.h"
#include "runtime/error.h"
#include "runtime/form.h"
#include "runtime/lifetime.h"
#include "runtime/win.h"

namespace rt {

void DoEvents() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));  // for the outer loop
            break;
        }
        if (RouteTabKey(msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    FlushDeferred();
}

int32_t MsgBox(const std::string& prompt, int32_t buttons, const std::string& title) {
    HWND owner = DialogOwner();
    const std::string& caption = title.empty() ? App::Title() : title;
    return MessageBoxA(owner, prompt.c_str(), caption.c_str(), static_cast<UINT>(buttons));
}

// ---- Clipboard

namespace {
class OpenClipboardScope {
public:
    OpenClipboardScope() {
        // Another program may hold the clipboard for a moment.
        for (int i = 0; i < 10 && !(open_ = OpenClipboard(nullptr) != FALSE); ++i) Sleep(10);
    }
    ~OpenClipboardScope() {
        if (open_) CloseClipboard();
    }
    bool open() const { return open_; }

private:
    bool open_ = false;
};

void PutGlobal(UINT format, const void* data, size_t size) {
    GlobalMemory mem(GlobalAlloc(GMEM_MOVEABLE, size));
    if (!mem) Raise(errOutOfMemory);
    memcpy(GlobalLock(mem.get()), data, size);
    GlobalUnlock(mem.get());
    if (!SetClipboardData(format, mem.get())) Raise(errCannotOpenClipboard);
    mem.release();  // the clipboard's now
}

// A copy of a bitmap onto the open clipboard, which owns it once it is there.
void PutBitmap(HANDLE bitmap) {
    Bitmap copy(static_cast<HBITMAP>(CopyImage(bitmap, IMAGE_BITMAP, 0, 0, 0)));
    if (copy && SetClipboardData(CF_BITMAP, copy.get())) copy.release();
}
}  // namespace

void Clipboard::Clear() {
    OpenClipboardScope c;
    if (!c.open()) Raise(errCannotOpenClipboard);
    EmptyClipboard();
}

void Clipboard::SetText(const std::string& text) {
    OpenClipboardScope c;
    if (!c.open()) Raise(errCannotOpenClipboard);
    EmptyClipboard();
    PutGlobal(CF_TEXT, text.c_str(), text.size() + 1);
}

std::string Clipboard::GetText() {
    OpenClipboardScope c;
    if (!c.open()) return {};
    HANDLE h = GetClipboardData(CF_TEXT);
    if (!h) return {};
    const char* p = static_cast<const char*>(GlobalLock(h));
    std::string s = p ? std::string(p, strnlen(p, GlobalSize(h))) : std::string();
    GlobalUnlock(h);
    return s;
}

bool Clipboard::GetFormat(unsigned format) {
    return IsClipboardFormatAvailable(format) != FALSE;
}

void Clipboard::SetData(const Picture& picture) {
    OpenClipboardScope c;
    if (!c.open()) Raise(errCannotOpenClipboard);
    EmptyClipboard();
    switch (picture.Type()) {
        case vbPicTypeBitmap: {
            PutBitmap(reinterpret_cast<HANDLE>(picture.Handle()));
            break;
        }
        case vbPicTypeEMetafile: {
            EnhMetaFileHandle copy(
                CopyEnhMetaFileA(reinterpret_cast<HENHMETAFILE>(picture.Handle()), nullptr));
            if (copy && SetClipboardData(CF_ENHMETAFILE, copy.get())) copy.release();
            break;
        }
        default: {
            // Icons and metafiles go as a bitmap of their image.
            Picture bmp = picture.ToBitmap(GetSysColor(COLOR_WINDOW));
            PutBitmap(reinterpret_cast<HANDLE>(bmp.Handle()));
            break;
        }
    }
}

Picture Clipboard::GetData() {
    OpenClipboardScope c;
    if (!c.open()) return {};
    if (HANDLE h = GetClipboardData(CF_BITMAP)) {
        HBITMAP copy = static_cast<HBITMAP>(CopyImage(h, IMAGE_BITMAP, 0, 0, 0));
        return Picture::FromBitmap(copy, true);
    }
    if (HANDLE h = GetClipboardData(CF_ENHMETAFILE)) {
        return Picture::FromEnhMetafile(CopyEnhMetaFileA(static_cast<HENHMETAFILE>(h), nullptr), true);
    }
    if (HANDLE h = GetClipboardData(CF_METAFILEPICT)) {
        auto* mfp = static_cast<METAFILEPICT*>(GlobalLock(h));
        Picture p;
        if (mfp) p = Picture::FromMetafile(CopyMetaFileA(mfp->hMF, nullptr), mfp->xExt, mfp->yExt, true);
        GlobalUnlock(h);
        return p;
    }
    return {};
}

bool FileNamesOfDropBlock(void* block, std::vector<std::wstring>& names) {
    HGLOBAL memory = static_cast<HGLOBAL>(block);
    const SIZE_T size = memory ? GlobalSize(memory) : 0;
    const void* p = size ? GlobalLock(memory) : nullptr;
    if (!p) return false;
    DropFileList list;
    const bool ok = ParseDropFiles(static_cast<const uint8_t*>(p), size, list);
    GlobalUnlock(memory);
    if (!ok) return false;
    std::vector<std::wstring> read;
    for (const std::u16string& name : list.unicode) read.emplace_back(name.begin(), name.end());
    for (const std::string& name : list.ansi) read.push_back(Widen(name));
    names = std::move(read);
    return true;
}

bool Clipboard::GetFileNames(std::vector<std::wstring>& names) {
    OpenClipboardScope c;
    if (!c.open()) return false;
    HANDLE drop = GetClipboardData(CF_HDROP);
    return drop && FileNamesOfDropBlock(drop, names);
}

std::vector<std::string> Clipboard::GetFileNames() {
    std::vector<std::wstring> wide;
    std::vector<std::string> out;
    if (!GetFileNames(wide)) return out;
    for (const std::wstring& name : wide) out.push_back(Narrow(name));
    return out;
}

void Clipboard::SetFileNames(const std::vector<std::string>& paths) {
    std::string names;
    for (auto& p : paths) names += p + '\0';
    names += '\0';
    std::string block(sizeof(DROPFILES), '\0');
    auto* df = reinterpret_cast<DROPFILES*>(block.data());
    df->pFiles = sizeof(DROPFILES);
    df->fWide = FALSE;
    block += names;
    OpenClipboardScope c;
    if (!c.open()) Raise(errCannotOpenClipboard);
    EmptyClipboard();
    PutGlobal(CF_HDROP, block.data(), block.size());
}

// ---- App

namespace {
std::string ModulePath() {
    char buf[MAX_PATH] = {};
    DWORD n = GetModuleFileNameA(nullptr, buf, MAX_PATH);
    return std::string(buf, n);
}
}  // namespace

namespace {
std::string& PathOverride() {
    static std::string folder;
    return folder;
}
std::function<void()>& EndHandler() {
    static std::function<void()> handler;
    return handler;
}
}  // namespace

std::string App::Path() {
    if (!PathOverride().empty()) return PathOverride();
    std::string p = ModulePath();
    size_t cut = p.find_last_of("\\/");
    if (cut == std::string::npos) return p;
    // A drive root keeps its backslash ("C:\"), every other folder has none.
    return cut <= 2 ? p.substr(0, cut + 1) : p.substr(0, cut);
}

void App::SetPathForTests(std::string folder) {
    PathOverride() = std::move(folder);
}

std::string App::PathSuffix() {
    return Path().size() > 3 ? "\\" : "";
}

void App::End() {
    if (EndHandler()) {
        EndHandler()();
        return;
    }
    rt::End();
}

void App::SetEndForTests(std::function<void()> handler) {
    EndHandler() = std::move(handler);
}

std::string App::EXEName() {
    std::string p = ModulePath();
    size_t cut = p.find_last_of("\\/");
    std::string name = cut == std::string::npos ? p : p.substr(cut + 1);
    size_t dot = name.find_last_of('.');
    return dot == std::string::npos ? name : name.substr(0, dot);
}

namespace {
std::string& TitleText() {
    static std::string t = App::EXEName();
    return t;
}
}  // namespace
const std::string& App::Title() {
    return TitleText();
}
void App::Title(std::string title) {
    TitleText() = std::move(title);
}

// ---- Screen

double Screen::Width() {
    return ToTwipsX(GetSystemMetrics(SM_CXSCREEN));
}
double Screen::Height() {
    return ToTwipsY(GetSystemMetrics(SM_CYSCREEN));
}
int Screen::TwipsPerPixelX() {
    return rt::TwipsPerPixelX();
}
int Screen::TwipsPerPixelY() {
    return rt::TwipsPerPixelY();
}

namespace {
std::vector<std::string>& FontList() {
    static std::vector<std::string> list;
    return list;
}
bool fontsRead = false;

int CALLBACK CollectFont(const LOGFONTA* lf, const TEXTMETRICA*, DWORD, LPARAM data) {
    auto* names = reinterpret_cast<std::vector<std::string>*>(data);
    if (lf->lfFaceName[0] != '@') names->emplace_back(lf->lfFaceName);  // vertical faces are not listed
    return 1;
}
}  // namespace

void Screen::RefreshFonts() {
    std::vector<std::string> names;
    {
        ScreenDC dc;
        LOGFONTA lf{};
        lf.lfCharSet = DEFAULT_CHARSET;
        EnumFontFamiliesExA(dc.get(), &lf, CollectFont, reinterpret_cast<LPARAM>(&names), 0);
    }
    SortIgnoringCase(names, true);
    FontList() = std::move(names);
    fontsRead = true;
}

const std::vector<std::string>& Screen::FontNames() {
    if (!fontsRead) RefreshFonts();
    return FontList();
}
int Screen::FontCount() {
    return static_cast<int>(FontNames().size());
}
std::string Screen::Fonts(int index) {
    const auto& f = FontNames();
    if (index < 0 || index >= static_cast<int>(f.size())) Raise(errSubscriptOutOfRange, "Screen");
    return f[static_cast<size_t>(index)];
}

}  // namespace rt
