#include "controls/alpha/cCrossComm.h"

#include <memory>
#include <utility>
#include <vector>

#include "imaging/gdiplus_service.h"
#include "runtime/callback_timer.h"
#include "runtime/handles.h"

namespace {

constexpr char kKeeperClass[] = "Static";
constexpr char kKeeperTitle[] = "GDI+Safe Patch";
constexpr UINT kKeeperDelayMs = 50;

struct Keeper;
void Forget(const Keeper* keeper);

// What a keeper window owns: made with the window, given up by its own timer after the window died.
struct Keeper {
    HWND window = nullptr;  // none once the window died
    int nesting = 0;
    bool destroyed = false;
    WNDPROC previous = nullptr;
    ULONG_PTR token = 0;
    rt::Library library;  // an extra load reference, so GDI+ stays loaded until the shut-down
    rt::CallbackTimer release{[this] { Forget(this); }};

    Keeper() = default;
    Keeper(const Keeper&) = delete;
    Keeper& operator=(const Keeper&) = delete;
    ~Keeper() { imaging::GdiplusService::Instance().Stop(token); }
};

// The keepers. Never destroyed: what keepers remain at the program's end keep GDI+ to the end.
std::vector<std::unique_ptr<Keeper>>& Keepers() {
    static auto* keepers = new std::vector<std::unique_ptr<Keeper>>;
    return *keepers;
}

Keeper* KeeperOf(HWND window) {
    for (const auto& k : Keepers())
        if (window && k->window == window) return k.get();
    return nullptr;
}

void Forget(const Keeper* keeper) {
    std::erase_if(Keepers(), [keeper](const std::unique_ptr<Keeper>& k) { return k.get() == keeper; });
}

LRESULT CALLBACK KeeperProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    Keeper* k = KeeperOf(hwnd);
    if (!k) return DefWindowProcA(hwnd, msg, wp, lp);
    ++k->nesting;
    LRESULT result = CallWindowProcA(k->previous, hwnd, msg, wp, lp);
    --k->nesting;
    if (msg == WM_DESTROY) k->destroyed = true;
    if (k->nesting == 0 && k->destroyed) {
        // The window's own procedure goes back; the start is given back once every handler of the
        // dying top window has returned.
        SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(k->previous));
        k->window = nullptr;
        if (!k->release.Start(nullptr, kKeeperDelayMs)) Forget(k);  // no timer: given back now
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
        const Keeper* k = KeeperOf(existing);
        imageToken_ = k ? k->token : 0;
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
    auto made = std::make_unique<Keeper>();
    made->window = CreateWindowExA(0, kKeeperClass, kKeeperTitle, WS_CHILD, 0, 0, 0, 0, top, nullptr,
                                   GetModuleHandleA(nullptr), nullptr);
    if (!made->window) return;  // no keeper: the start stays with the program
    made->token = token;
    made->library.reset(LoadLibraryA(service.LibraryName().c_str()));
    Keeper* k = Keepers().emplace_back(std::move(made)).get();
    k->previous = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(k->window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&KeeperProc)));
}
