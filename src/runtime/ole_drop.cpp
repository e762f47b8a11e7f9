#include "runtime/ole_drop.h"

#include <memory>
#include <unordered_map>

#include "runtime/error.h"
#include "runtime/usercontrol.h"

namespace rt {

namespace {

constexpr DWORD kAltKey = 0x20;  // MK_ALT of the drag key state

int16_t DragButton(DWORD keys) {
    return static_cast<int16_t>(((keys & MK_LBUTTON) ? vbLeftButton : 0) |
                                ((keys & MK_RBUTTON) ? vbRightButton : 0) |
                                ((keys & MK_MBUTTON) ? vbMiddleButton : 0));
}

int16_t DragShift(DWORD keys) {
    return static_cast<int16_t>(((keys & MK_SHIFT) ? vbShiftMask : 0) |
                                ((keys & MK_CONTROL) ? vbCtrlMask : 0) | ((keys & kAltKey) ? vbAltMask : 0));
}

}  // namespace

// The drop target of one window. It lives as long as the platform or the runtime holds it; once
// revoked it answers every drag with "no drop".
class DropSite final : public IDropTarget {
public:
    DropSite(HWND window, Container& owner) : window_(window), owner_(&owner) {}
    DropSite(const DropSite&) = delete;
    DropSite& operator=(const DropSite&) = delete;

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override {
        if (!out) return E_POINTER;
        if (iid == IID_IUnknown || iid == IID_IDropTarget) {
            *out = static_cast<IDropTarget*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return ++refs_; }
    STDMETHODIMP_(ULONG) Release() override {
        const ULONG n = --refs_;
        if (n == 0) std::unique_ptr<DropSite> last(this);  // the last reference: the site goes
        return n;
    }

    // Each call is one handler for the runtime: a control unloaded inside it lives on until it returned.
    STDMETHODIMP DragEnter(IDataObject* data, DWORD keys, POINTL pt, DWORD* effect) override {
        if (!effect) return E_INVALIDARG;
        HandlerScope scope;
        data_ = ComPtr<IDataObject>(data, true);
        current_ = nullptr;
        *effect = track(keys, pt, *effect);
        return S_OK;
    }
    STDMETHODIMP DragOver(DWORD keys, POINTL pt, DWORD* effect) override {
        if (!effect) return E_INVALIDARG;
        HandlerScope scope;
        *effect = track(keys, pt, *effect);
        return S_OK;
    }
    STDMETHODIMP DragLeave() override {
        HandlerScope scope;
        leave();
        data_.reset();
        return S_OK;
    }
    STDMETHODIMP Drop(IDataObject* data, DWORD keys, POINTL pt, DWORD* effect) override {
        if (!effect) return E_INVALIDARG;
        HandlerScope scope;
        data_ = ComPtr<IDataObject>(data, true);
        const DWORD allowed = *effect;
        POINT local{};
        UserControl* target = find(pt, local);
        if (target != current_) {
            leave();
            target = find(pt, local);  // the leaving control's handler may have changed the page
        }
        current_ = nullptr;
        *effect = DROPEFFECT_NONE;
        if (target) *effect = raise(*target, keys, local, allowed, -1);
        data_.reset();
        return S_OK;
    }

    void Join() { ++users_; }
    // A control leaves: it is no longer dragged over. True when no control is left.
    bool Leave(UserControl& control) {
        if (current_ == &control) current_ = nullptr;
        return --users_ == 0;
    }
    void Revoke() {
        RevokeDragDrop(window_);
        owner_ = nullptr;
        current_ = nullptr;
    }

private:
    // The control that takes drops at a screen point, and the point in its own pixels: the
    // topmost windowless control there, inside windowless user controls as deep as one takes
    // drops; else the window's own user control.
    UserControl* find(POINTL pt, POINT& local) const {
        if (!owner_) return nullptr;
        POINT p{pt.x, pt.y};
        ScreenToClient(window_, &p);
        const POINT origin = owner_->ContainerOrigin();
        p.x -= origin.x;
        p.y -= origin.y;
        if (UserControl* inner = findIn(*owner_, p, local)) return inner;
        auto* self = dynamic_cast<UserControl*>(owner_);
        if (self && self->TakesDrops()) {
            local = p;
            return self;
        }
        return nullptr;
    }
    static UserControl* findIn(const Container& c, POINT p, POINT& local) {
        auto* u = dynamic_cast<UserControl*>(c.WindowlessLookupAt(p.x, p.y));
        if (!u) return nullptr;
        const RECT r = u->PixelRect();
        const POINT inner{p.x - r.left, p.y - r.top};
        if (UserControl* deeper = findIn(*u, inner, local)) return deeper;
        if (!u->TakesDrops()) return nullptr;
        local = inner;
        return u;
    }

    DWORD track(DWORD keys, POINTL pt, DWORD allowed) {
        POINT local{};
        UserControl* target = find(pt, local);
        int16_t state = vbOver;
        if (target != current_) {
            leave();
            target = find(pt, local);  // the leaving control's handler may have changed the page
            current_ = target;
            state = vbEnter;
        }
        if (!target) return DROPEFFECT_NONE;
        lastKeys_ = keys;
        lastLocal_ = local;
        lastAllowed_ = allowed;
        const DWORD effect = raise(*target, keys, local, allowed, state);
        // The handler may have unloaded the control or ended its drop mode.
        return current_ == target ? effect : DROPEFFECT_NONE;
    }
    void leave() {
        UserControl* was = current_;
        current_ = nullptr;
        if (was) raise(*was, lastKeys_, lastLocal_, lastAllowed_, vbLeave);
    }
    // OLEDragOver with `state`, or OLEDragDrop when state is negative; the effect the handler
    // chose among the allowed ones. A failing handler is the container's to drop.
    DWORD raise(UserControl& target, DWORD keys, POINT local, DWORD allowed, int16_t state) {
        ComPtr<DropSite> alive(this, true);
        int32_t effect = static_cast<int32_t>(allowed);
        try {
            target.OLEDrag(data_.get(), effect, DragButton(keys), DragShift(keys), local, state);
        } catch (...) {
            RecordCurrentException();
            return DROPEFFECT_NONE;
        }
        return static_cast<DWORD>(effect) & allowed;
    }

    ULONG refs_ = 1;
    HWND window_;
    Container* owner_;
    int users_ = 0;
    ComPtr<IDataObject> data_;
    UserControl* current_ = nullptr;  // the control the data is over
    DWORD lastKeys_ = 0, lastAllowed_ = 0;
    POINT lastLocal_{};
};

namespace {
std::unordered_map<HWND, ComPtr<DropSite>>& Sites() {
    static std::unordered_map<HWND, ComPtr<DropSite>> sites;
    return sites;
}
}  // namespace

bool DropRegistration::Register(HWND window, Container& owner, UserControl& control) {
    reset();
    if (!window) return false;
    auto& sites = Sites();
    auto it = sites.find(window);
    if (it == sites.end()) {
        EnsureOle();
        ComPtr<DropSite> site(std::make_unique<DropSite>(window, owner).release());
        if (FAILED(RegisterDragDrop(window, site.get()))) return false;
        it = sites.emplace(window, std::move(site)).first;
    }
    it->second->Join();
    window_ = window;
    control_ = &control;
    return true;
}

void DropRegistration::reset() {
    if (!window_) return;
    auto& sites = Sites();
    auto it = sites.find(window_);
    if (it != sites.end() && it->second->Leave(*control_)) {
        ComPtr<DropSite> site = std::move(it->second);
        sites.erase(it);
        site->Revoke();
    }
    window_ = nullptr;
    control_ = nullptr;
}

IDropTarget* DropTargetOf(HWND window) {
    auto it = Sites().find(window);
    return it == Sites().end() ? nullptr : it->second.get();
}

}  // namespace rt
