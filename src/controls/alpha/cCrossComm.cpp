#include "controls/alpha/cCrossComm.h"

#include <map>

#include "imaging/gdiplus_service.h"

namespace {

constexpr char kKeeperClass[] = "Static";
constexpr char kKeeperTitle[] = "GDI+Safe Patch";
constexpr UINT kKeeperDelayMs = 50;

// What a keeper window owns: made with the window, freed by its own timer after the window died.
struct Keeper {
    HWND window = nullptr;
    int nesting = 0;
    bool destroyed = false;
    WNDPROC previous = nullptr;
    ULONG_PTR token = 0;
    HMODULE library = nullptr;  // an extra load reference, so GDI+ stays loaded until the shut-down
    UINT_PTR timer = 0;
};

std::map<HWND, Keeper*>& KeepersByWindow() {
    static std::map<HWND, Keeper*> keepers;
    return keepers;
}

std::map<UINT_PTR, Keeper*>& KeepersByTimer() {
    static std::map<UINT_PTR, Keeper*> keepers;
    return keepers;
}

void CALLBACK KeeperTimer(HWND, UINT, UINT_PTR id, DWORD) {
    auto& timers = KeepersByTimer();
    auto it = timers.find(id);
    KillTimer(nullptr, id);
    if (it == timers.end()) return;
    Keeper* k = it->second;
    timers.erase(it);
    imaging::GdiplusService::Instance().Stop(k->token);
    if (k->library) FreeLibrary(k->library);
    delete k;
}

LRESULT CALLBACK KeeperProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    auto& windows = KeepersByWindow();
    auto it = windows.find(hwnd);
    if (it == windows.end()) return DefWindowProcA(hwnd, msg, wp, lp);
    Keeper* k = it->second;
    ++k->nesting;
    LRESULT result = CallWindowProcA(k->previous, hwnd, msg, wp, lp);
    --k->nesting;
    if (msg == WM_DESTROY) k->destroyed = true;
    if (k->nesting == 0 && k->destroyed) {
        // The window's own procedure goes back; the start is given back once every handler of the
        // dying top window has returned.
        SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(k->previous));
        windows.erase(hwnd);
        k->window = nullptr;
        k->timer = SetTimer(nullptr, 0, kKeeperDelayMs, KeeperTimer);
        if (k->timer) {
            KeepersByTimer()[k->timer] = k;
        } else {
            // No timer: give the start back now.
            imaging::GdiplusService::Instance().Stop(k->token);
            if (k->library) FreeLibrary(k->library);
            delete k;
        }
    }
    return result;
}

HWND TopWindowOf(HWND w) {
    while (HWND parent = GetParent(w)) {
        // GetParent answers the owner of a top-level window: climb parents only while w is a child.
        if (!(GetWindowLongPtrA(w, GWL_STYLE) & WS_CHILD)) break;
        w = parent;
    }
    while (HWND owner = GetWindow(w, GW_OWNER)) w = owner;
    return w;
}

}  // namespace

HWND cCrossComm::KeeperWindow(HWND topWindow) {
    return topWindow ? FindWindowExA(topWindow, nullptr, kKeeperClass, kKeeperTitle) : nullptr;
}

bool cCrossComm::FindInstance(intptr_t ucPointer, size_t& index) const {
    size_t low = 0, high = list_.size();
    while (low < high) {
        size_t middle = low + (high - low) / 2;
        if (list_[middle] == ucPointer) {
            index = middle;
            return true;
        }
        if (list_[middle] < ucPointer)
            low = middle + 1;
        else
            high = middle;
    }
    index = low;
    return false;
}

void cCrossComm::AddRef(intptr_t ucPointer) {
    if (ucPointer == 0) return;
    size_t at = 0;
    if (FindInstance(ucPointer, at)) return;
    list_.insert(list_.begin() + static_cast<std::ptrdiff_t>(at), ucPointer);
}

void cCrossComm::RemoveRef(intptr_t ucPointer) {
    size_t at = 0;
    if (!list_.empty() && FindInstance(ucPointer, at)) {
        list_.erase(list_.begin() + static_cast<std::ptrdiff_t>(at));
        if (list_.empty()) list_.shrink_to_fit();
    }
    if (ucPointer == captured_) captured_ = 0;
}

void cCrossComm::CapturedControl(intptr_t ucPointer) {
    if (captured_ != 0 && captured_ != ucPointer) {
        // The holder is still listed or still alive: pictures leave before they go.
        auto* holder = reinterpret_cast<ICrossComm*>(captured_);
        captured_ = 0;
        holder->ReleaseMouseCapture();
    }
    captured_ = ucPointer;
}

void cCrossComm::ManageGDIToken(HWND ContainerHwnd) {
    if (!ContainerHwnd) return;
    HWND top = TopWindowOf(ContainerHwnd);
    if (HWND existing = KeeperWindow(top)) {
        gdiToken_ = -1;
        auto it = KeepersByWindow().find(existing);
        imageToken_ = it != KeepersByWindow().end() ? it->second->token : 0;
        return;
    }
    imaging::GdiplusService& service = imaging::GdiplusService::Instance();
    ULONG_PTR token = 0;
    if (!service.Available() || !service.Start(token) || token == 0) {
        gdiToken_ = 0;
        imageToken_ = 0;
        return;
    }
    gdiToken_ = static_cast<intptr_t>(token);
    imageToken_ = token;
    auto* k = new Keeper;
    k->window = CreateWindowExA(0, kKeeperClass, kKeeperTitle, WS_CHILD, 0, 0, 0, 0, top, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
    if (!k->window) {
        // No keeper: the start stays with the program.
        delete k;
        return;
    }
    k->token = token;
    k->library = LoadLibraryA(service.LibraryName().c_str());
    KeepersByWindow()[k->window] = k;
    k->previous = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(k->window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&KeeperProc)));
}
