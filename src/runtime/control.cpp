#include "runtime/control.h"

#include <commctrl.h>

#include <algorithm>
#include <unordered_map>
#include <utility>

#include "runtime/canvas.h"
#include "runtime/error.h"
#include "runtime/form.h"
#include "runtime/subclass.h"

namespace rt {

namespace {
std::unordered_map<HWND, Control*>& WindowMap() {
    static std::unordered_map<HWND, Control*> m;
    return m;
}
int nextChildId = 1000;
constexpr UINT kReflected = WM_USER + 0x1C00;
bool holdingEnabled = true;

std::function<void(Control&, PlacementEvent)>& PlacementWatch() {
    static std::function<void(Control&, PlacementEvent)> watch;
    return watch;
}

}  // namespace

void WatchPlacement(std::function<void(Control&, PlacementEvent)> watch) {
    PlacementWatch() = std::move(watch);
}

void NotifyPlacement(Control& control, PlacementEvent event) {
    if (PlacementWatch()) PlacementWatch()(control, event);
}

Control* ControlFromWindow(HWND hwnd) {
    auto it = WindowMap().find(hwnd);
    return it == WindowMap().end() ? nullptr : it->second;
}

// ---- Control

Control::Control(Container& parent, std::string name, int index, Kind kind)
    : parent_(&parent), name_(std::move(name)), index_(index), kind_(kind) {
    rect_ = RECT{0, 0, 80, 20};
    if (kind_ == Kind::Hidden) visible_ = false;
    parent_->add(this);
}

Control::Control(const Control& t, int index)
    : MouseDown(t.MouseDown),
      MouseUp(t.MouseUp),
      MouseMove(t.MouseMove),
      Click(t.Click),
      DblClick(t.DblClick),
      parent_(t.parent_),
      name_(t.name_),
      index_(index),
      kind_(t.kind_),
      rect_(t.PixelRect()),
      visible_(false),
      enabled_(t.enabled_),
      tag_(t.tag_),
      toolTip_(t.toolTip_),
      spare_(t.spare_),
      tabStop_(t.tabStop_) {
    parent_->add(this);
}

Control::~Control() {
    if (parent_->holding_) releaseHeldAnchor();
    if (held_) {
        std::vector<Control*>& held = parent_->held_;
        held.erase(std::remove(held.begin(), held.end(), this), held.end());
    }
    if (!toolTip_.empty()) {
        toolTip_.clear();
        updateToolTip();
    }
    // What a hidden container holds is not on the screen: nothing to paint again.
    if (kind_ == Kind::Windowless && visible_ && containersShown()) Invalidate();
    parent_->remove(this);
    if (hwnd_) {
        WindowMap().erase(hwnd_);
        rt::UnsubclassWindow(hwnd_, SubclassProc, 1);
        WindowHandle(std::exchange(hwnd_, nullptr)).reset();
    }
}

void Control::CreateChild(const char* cls, DWORD style, DWORD exStyle, const char* text) {
    RECT r = rect_;
    HWND parent = parent_->ContainerWindow();
    style |= WS_CHILD | WS_CLIPSIBLINGS;
    // While the container holds its windows, a new window shows when they take their state.
    const bool held = parent_->holding_;
    if (visible_ && !held) style |= WS_VISIBLE;
    if (!enabled_) style |= WS_DISABLED;
    hwnd_ = CreateWindowExA(exStyle, cls, text, style, r.left, r.top, r.right - r.left, r.bottom - r.top,
                            parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(nextChildId++)),
                            GetModuleHandleA(nullptr), nullptr);
    if (!hwnd_) Raise(errOutOfMemory, name_);
    WindowMap()[hwnd_] = this;
    rt::SubclassWindow(hwnd_, SubclassProc, 1, reinterpret_cast<DWORD_PTR>(this));
    if (held && visible_) hold();
    // New controls come in front of their siblings, as windowless ones do; one made in a reserved
    // place goes below the windows made after that place. Held, it waits for its place with the
    // others when that place is known only then.
    Control* after = parent_->windowedAfter(slot_);
    if (held && (!after || after->heldZ_ >= 0)) {
        hold();
        heldZ_ = after ? kBelowHeld : 0;
        heldBelow_ = after;
        heldTurn_ = ++parent_->heldTurns_;
    } else {
        SetWindowPos(hwnd_, after ? after->hwnd_ : HWND_TOP, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    kind_ = Kind::Windowed;
    if (!toolTip_.empty()) updateToolTip();
}

void Control::ReplaceChild(const char* cls, DWORD style, DWORD exStyle, const char* text) {
    // The old window goes when the new one has taken its place, or when none could be made.
    const WindowHandle old(hwnd_);
    if (old) {
        rect_ = PixelRect();
        std::string tip = std::move(toolTip_);
        if (!tip.empty()) {
            // The tip is registered by window: it leaves with the old one, and the new window
            // takes it up when it is made.
            toolTip_.clear();
            updateToolTip();
        }
        toolTip_ = std::move(tip);
        WindowMap().erase(old.get());
        rt::UnsubclassWindow(old.get(), SubclassProc, 1);
        hwnd_ = nullptr;
    }
    // The new window takes the old one's place among its siblings: a stacking change still to come
    // stays the control's. A first window comes in front as any new one does.
    const int heldZ = heldZ_;
    Control* const heldBelow = heldBelow_;
    const unsigned long heldTurn = heldTurn_;
    CreateChild(cls, style, exStyle, text);
    if (old) {
        heldZ_ = heldZ;
        heldBelow_ = heldBelow;
        heldTurn_ = heldTurn;
    }
    // Right below the old window, which then leaves: the new one takes its place.
    if (old) SetWindowPos(hwnd_, old.get(), 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void Control::SetStyleBits(DWORD mask, DWORD bits) {
    if (!hwnd_) return;
    const LONG_PTR was = GetWindowLongPtrA(hwnd_, GWL_STYLE);
    const LONG_PTR s = (was & ~static_cast<LONG_PTR>(mask)) | static_cast<LONG_PTR>(bits & mask);
    if (s == was) return;  // nothing to draw anew
    SetWindowLongPtrA(hwnd_, GWL_STYLE, s);
    SetWindowPos(hwnd_, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    InvalidateRect(hwnd_, nullptr, TRUE);
}

RECT Control::PixelRect() const {
    if (!hwnd_ || held_) return rect_;
    RECT r;
    GetWindowRect(hwnd_, &r);
    MapWindowPoints(HWND_DESKTOP, parent_->ContainerWindow(), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

namespace {
RECT InWindow(const Container& c, RECT r) {
    POINT o = c.ContainerOrigin();
    OffsetRect(&r, o.x, o.y);
    return r;
}
}  // namespace

bool Control::holding() const noexcept {
    return hwnd_ && parent_->holding_;
}

void Control::hold() {
    if (held_) return;
    rect_ = PixelRect();
    held_ = true;
    parent_->held_.push_back(this);
}

void Control::releaseHeldAnchor() {
    for (Control* w : parent_->held_) {
        if (w->heldBelow_ != this) continue;
        if (heldZ_ >= 0) {
            // This window's own place was still to come: the one below it takes that place.
            w->heldZ_ = heldZ_;
            w->heldBelow_ = heldBelow_;
            w->heldTurn_ = heldTurn_;
        } else {
            w->heldZ_ = -1;
            w->heldBelow_ = nullptr;
            if (w->hwnd_ && hwnd_)
                SetWindowPos(w->hwnd_, hwnd_, 0, 0, 0, 0,
                             SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOREDRAW);
        }
    }
}

void Control::setPixelRect(RECT r) {
    if (holding()) {
        hold();
    } else if (hwnd_) {
        MoveWindow(hwnd_, r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE);
    } else {
        if (visible_ && kind_ == Kind::Windowless) Invalidate();
        rect_ = r;
        if (visible_ && kind_ == Kind::Windowless) Invalidate();
    }
    rect_ = r;
    if (!toolTip_.empty()) updateToolTip();
    Placed();
    // After the control's own answer, which a window that follows the step gave from inside the
    // move: the order is the same held or not.
    NotifyPlacement(*this, PlacementEvent::Move);
}

double Control::Left() const {
    return ToTwipsX(PixelRect().left);
}
double Control::Top() const {
    return ToTwipsY(PixelRect().top);
}
double Control::Width() const {
    RECT r = PixelRect();
    return ToTwipsX(r.right - r.left);
}
double Control::Height() const {
    RECT r = PixelRect();
    return ToTwipsY(r.bottom - r.top);
}
void Control::Left(double v) {
    Move(v);
}
void Control::Top(double v) {
    Move(Left(), v);
}
void Control::Width(double v) {
    Move(Left(), Top(), v);
}
void Control::Height(double v) {
    Move(Left(), Top(), Width(), v);
}
void Control::Move(double left) {
    RECT r = PixelRect();
    int x = ToPixelsX(left);
    OffsetRect(&r, x - r.left, 0);
    setPixelRect(r);
}
void Control::Move(double left, double top) {
    RECT r = PixelRect();
    OffsetRect(&r, ToPixelsX(left) - r.left, ToPixelsY(top) - r.top);
    setPixelRect(r);
}
void Control::Move(double left, double top, double width) {
    RECT r = PixelRect();
    Move(left, top, width, ToTwipsY(r.bottom - r.top));
}
void Control::Move(double left, double top, double width, double height) {
    if (width < 0 || height < 0) Raise(errInvalidPropertyValue, name_);
    int x = ToPixelsX(left), y = ToPixelsY(top);
    setPixelRect(RECT{x, y, x + ToPixelsX(width), y + ToPixelsY(height)});
}

void Control::Visible(bool v) {
    if (kind_ == Kind::Hidden) return;
    if (v == visible_) return;
    visible_ = v;
    if (holding() && !unloaded_) {
        hold();  // the window shows or hides when the container's windows take their state
    } else if (hwnd_) {
        // An unloaded control leaves the screen (and the focus) at once, held or not. Held, what
        // lay below it is painted with the whole container at the end.
        const HWND focus = GetFocus();
        if (!v && parent_->holding_ && focus != hwnd_ && !IsChild(hwnd_, focus))
            SetWindowPos(
                hwnd_, nullptr, 0, 0, 0, 0,
                SWP_HIDEWINDOW | SWP_NOREDRAW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        else
            ShowWindow(hwnd_, v ? SW_SHOWNA : SW_HIDE);
    } else if (!paintHeld()) {
        RECT r = InWindow(*parent_, rect_);
        InvalidateRect(parent_->ContainerWindow(), &r, TRUE);
    }
    if (!toolTip_.empty()) updateToolTip();
    NotifyPlacement(*this, v ? PlacementEvent::Show : PlacementEvent::Hide);
}

void Control::Enabled(bool v) {
    enabled_ = v;
    if (hwnd_) EnableWindow(hwnd_, v);
}

void Control::ToolTipText(std::string v) {
    toolTip_.clear();
    updateToolTip();  // drops the old tool
    toolTip_ = std::move(v);
    updateToolTip();
}

void Control::updateToolTip() {
    if (kind_ == Kind::Hidden) return;
    HWND tip = parent_->ToolTipWindow();
    if (!tip) return;
    TTTOOLINFOA ti{};
    ti.cbSize = TTTOOLINFOA_V2_SIZE;
    ti.hwnd = parent_->ContainerWindow();
    if (hwnd_) {
        ti.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        ti.uId = reinterpret_cast<UINT_PTR>(hwnd_);
    } else {
        ti.uFlags = TTF_SUBCLASS;
        ti.uId = reinterpret_cast<UINT_PTR>(this);
    }
    SendMessageA(tip, TTM_DELTOOL, 0, reinterpret_cast<LPARAM>(&ti));
    if (toolTip_.empty() || !visible_) return;
    ti.rect = InWindow(*parent_, rect_);
    ti.lpszText = const_cast<char*>(toolTip_.c_str());
    SendMessageA(tip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&ti));
}

void Control::ZOrder(int position) {
    if (position != 0 && position != 1) Raise(errInvalidPropertyValue, name_);
    if (holding()) {
        hold();
        heldZ_ = position;
        heldBelow_ = nullptr;
        heldTurn_ = ++parent_->heldTurns_;
    } else if (hwnd_) {
        SetWindowPos(hwnd_, position == 0 ? HWND_TOP : HWND_BOTTOM, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    } else if (kind_ == Kind::Windowless) {
        if (position == 0)
            parent_->toFront(this);
        else
            parent_->toBack(this);
        Invalidate();
    }
}

int16_t Control::TabIndex() const {
    const std::vector<Control*>& order = parent_->tabOrder_;
    auto it = std::find(order.begin(), order.end(), this);
    return it == order.end() ? 0 : static_cast<int16_t>(it - order.begin());
}

void Control::TabIndex(int16_t position) {
    if (position < 0) Raise(errInvalidPropertyValue, name_);
    std::vector<Control*>& order = parent_->tabOrder_;
    auto it = std::find(order.begin(), order.end(), this);
    if (it == order.end()) return;
    order.erase(it);
    order.insert(order.begin() + std::min<size_t>(static_cast<size_t>(position), order.size()), this);
}

bool Control::containersShown() const {
    for (auto* c = dynamic_cast<const Control*>(parent_); c; c = dynamic_cast<const Control*>(c->parent_))
        if (!c->visible_) return false;
    return true;
}

bool Control::paintHeld() const {
    for (const Control* c = this;; c = dynamic_cast<const Control*>(c->parent_)) {
        if (!c) return false;
        if (c->parent_->holding_) return true;
    }
}

void Control::Invalidate() {
    // A held container is painted whole, with what lies in it, when its windows take their state.
    if (paintHeld()) return;
    if (hwnd_) {
        InvalidateRect(hwnd_, nullptr, TRUE);
    } else if (kind_ == Kind::Windowless) {
        RECT r = InWindow(*parent_, rect_);
        InvalidateRect(parent_->ContainerWindow(), &r, TRUE);
    }
}

void Control::Refresh() {
    if (paintHeld()) return;
    Invalidate();
    UpdateWindow(hwnd_ ? hwnd_ : parent_->ContainerWindow());
}

int Control::HitTest(int x, int y) const {
    POINT p{x, y};
    return PtInRect(&rect_, p) ? vbHitResultHit : vbHitResultOutside;
}

Form& Control::OwnerForm() const {
    return parent_->ContainerForm();
}

void Control::WindowlessMouse(MouseAction action, int16_t button, int16_t shift, int x, int y) {
    float tx = static_cast<float>(ToTwipsX(x)), ty = static_cast<float>(ToTwipsY(y));
    switch (action) {
        case MouseAction::Down:
            RaiseEvent(MouseDown, button, shift, tx, ty);
            break;
        case MouseAction::Up:
            RaiseEvent(MouseUp, button, shift, tx, ty);
            break;
        case MouseAction::Move:
            RaiseEvent(MouseMove, button, shift, tx, ty);
            break;
        case MouseAction::Click:
            RaiseEvent(Click);
            break;
        case MouseAction::DblClick:
            RaiseEvent(DblClick);
            break;
    }
}

void NotifyAmbientChanged(Container& container, const std::string& name) {
    std::vector<Control*> all = container.Controls();
    for (Control* c : all) c->OnAmbientChanged(name);
}

bool RouteAccessKey(Form& form, unsigned char key) {
    // A handler may load or unload controls: walk a copy.
    std::vector<Control*> all = form.Controls();
    for (Control* c : all)
        if (c->OnAccessKey(key)) return true;
    return false;
}

namespace {
// The form's controls in tab order, each container's own controls right after it.
void TabSequence(const Container& container, std::vector<Control*>& out) {
    for (Control* c : container.TabOrder()) {
        out.push_back(c);
        if (auto* inner = dynamic_cast<const Container*>(c)) TabSequence(*inner, out);
    }
}

bool IsTabStop(const Control& c) {
    if (!c.TabStop() || !c.hWnd()) return false;
    for (const Control* p = &c; p; p = dynamic_cast<const Control*>(&p->Parent()))
        if (!p->Visible() || !p->Enabled()) return false;
    return true;
}
}  // namespace

bool MoveFocusByArrow(Control& from, int16_t KeyCode) {
    switch (KeyCode) {
        case VK_LEFT:
        case VK_UP:
            MoveFocus(from, false);
            return true;
        case VK_RIGHT:
        case VK_DOWN:
            MoveFocus(from, true);
            return true;
        default:
            return false;
    }
}

Control* MoveFocus(Control& from, bool forward) {
    std::vector<Control*> order;
    TabSequence(from.OwnerForm(), order);
    auto at = std::find(order.begin(), order.end(), &from);
    if (at == order.end()) return nullptr;
    const size_t n = order.size(), start = static_cast<size_t>(at - order.begin());
    for (size_t step = 1; step < n; ++step) {
        Control* c = order[forward ? (start + step) % n : (start + n - step) % n];
        if (!IsTabStop(*c)) continue;
        ::SetFocus(c->hWnd());
        return c;
    }
    return nullptr;
}

bool RouteTabKey(const MSG& msg) {
    if (msg.message != WM_KEYDOWN || msg.wParam != VK_TAB) return false;
    const int16_t shift = ShiftState();
    if (shift & (vbCtrlMask | vbAltMask)) return false;
    // The control of the window with the focus, or of the nearest window around it (the edit
    // inside a combo box, the inner windows of a hosted control).
    Control* c = nullptr;
    for (HWND w = msg.hwnd; w && !c;
         w = (GetWindowLongPtrA(w, GWL_STYLE) & WS_CHILD) ? GetParent(w) : nullptr)
        c = ControlFromWindow(w);
    if (!c) return false;
    MSG asked = msg;
    if (SendMessageA(msg.hwnd, WM_GETDLGCODE, VK_TAB, reinterpret_cast<LPARAM>(&asked)) & DLGC_WANTTAB)
        return false;
    return MoveFocus(*c, !(shift & vbShiftMask)) != nullptr;
}

void Control::RaiseMouse(const Event<int16_t, int16_t, float, float>& ev, int16_t button, int x, int y) {
    RaiseEvent(ev, button, ShiftState(), static_cast<float>(ToTwipsX(x)), static_cast<float>(ToTwipsY(y)));
}

LRESULT CALLBACK Control::SubclassProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR ref) {
    MessageScope scope;
    auto* c = reinterpret_cast<Control*>(ref);
    if (msg == WM_NCDESTROY) {
        rt::UnsubclassWindow(hwnd, SubclassProc, 1);
        WindowMap().erase(hwnd);
        if (c->hwnd_ == hwnd) c->hwnd_ = nullptr;
        return rt::CallNextSubclass(hwnd, msg, wp, lp);
    }
    if (msg == WM_KEYDOWN || msg == WM_SYSKEYDOWN) {
        Form& f = c->OwnerForm();
        if (f.KeyPreview()) {
            int16_t key = static_cast<int16_t>(wp);
            {
                HandlerScope hs;
                f.Form_KeyDown(key, ShiftState());
            }
            if (key == 0) return 0;
            wp = static_cast<WPARAM>(key);
        }
    }
    LRESULT result = 0;
    if (msg == WM_SETFOCUS || msg == WM_KILLFOCUS) {
        HWND other = reinterpret_cast<HWND>(wp);
        Container* parent = c->parent_;
        LRESULT r = 0;
        if (!c->OnMessage(msg, wp, lp, r)) r = rt::CallNextSubclass(hwnd, msg, wp, lp);
        parent->ChildFocus(*c, msg == WM_SETFOCUS, other);
        return r;
    }
    if (msg == WM_SYSCHAR && (lp & (1 << 29)) &&
        RouteAccessKey(c->OwnerForm(), static_cast<unsigned char>(wp)))
        return 0;
    if (c->OnMessage(msg, wp, lp, result)) return result;
    const POINT at = MousePoint(lp);
    const int x = at.x, y = at.y;
    switch (msg) {
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
            c->RaiseMouse(c->MouseDown, ButtonOf(msg), x, y);
            break;
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
        case WM_MBUTTONUP:
            c->RaiseMouse(c->MouseUp, ButtonOf(msg), x, y);
            break;
        case WM_MOUSEMOVE:
            c->RaiseMouse(c->MouseMove, ButtonState(wp), x, y);
            break;
        default:
            break;
    }
    return rt::CallNextSubclass(hwnd, msg, wp, lp);
}

// ---- Held placement

HeldPlacement::HeldPlacement(Container& container)
    : container_(container), outer_(holdingEnabled && !container.holding_) {
    if (holdingEnabled) container.holding_ = true;
}

void HeldPlacement::Enable(bool on) noexcept {
    holdingEnabled = on;
}

HeldPlacement::~HeldPlacement() {
    if (!outer_) return;
    Container& c = container_;
    c.holding_ = false;
    std::vector<Control*> held = std::move(c.held_);
    c.held_.clear();
    // The stacking changes in the order they were asked; a window's last change stands for all of
    // its own, which gives the same order as all of them one after another.
    auto turn = [](const Control* x) { return x->heldZ_ >= 0 ? x->heldTurn_ : 0; };
    std::stable_sort(held.begin(), held.end(), [&](Control* a, Control* b) { return turn(a) < turn(b); });
    for (Control* x : held) {
        x->held_ = false;
        int z = std::exchange(x->heldZ_, -1);
        const Control* below = std::exchange(x->heldBelow_, nullptr);
        if (!x->hwnd_) continue;
        if (z == Control::kBelowHeld && !(below && below->hwnd_)) z = -1;
        UINT flags = SWP_NOACTIVATE | SWP_NOREDRAW;
        const RECT now = x->PixelRect(), r = x->rect_;
        if (EqualRect(&now, &r)) flags |= SWP_NOMOVE | SWP_NOSIZE;
        const bool shown = (GetWindowLongPtrA(x->hwnd_, GWL_STYLE) & WS_VISIBLE) != 0;
        if (shown != x->visible_) flags |= x->visible_ ? SWP_SHOWWINDOW : SWP_HIDEWINDOW;
        if (z < 0) flags |= SWP_NOZORDER;
        constexpr UINT kStill = SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER;
        if ((flags & kStill) == kStill && !(flags & (SWP_SHOWWINDOW | SWP_HIDEWINDOW))) continue;
        const HWND insertAfter = z == Control::kBelowHeld ? below->hwnd_ : z == 1 ? HWND_BOTTOM : HWND_TOP;
        SetWindowPos(x->hwnd_, insertAfter, r.left, r.top, r.right - r.left, r.bottom - r.top, flags);
    }
    HWND window = c.ContainerWindow();
    if (window && IsWindowVisible(window))
        RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

RECT ClientRectOf(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    const Control* c = ControlFromWindow(window);
    if (!c || !c->held_) return client;
    RECT outer{};
    GetWindowRect(window, &outer);
    const LONG frameX = (outer.right - outer.left) - client.right,
               frameY = (outer.bottom - outer.top) - client.bottom;
    const RECT& r = c->rect_;
    return RECT{0, 0, std::max<LONG>(0, r.right - r.left - frameX),
                std::max<LONG>(0, r.bottom - r.top - frameY)};
}

// ---- Container

Container::~Container() = default;

void Container::add(Control* c) {
    if (pendingSlot_ >= 0) {
        c->slot_ = pendingSlot_;
        pendingSlot_ = -1;
    } else {
        c->slot_ = nextSlot_++;
    }
    // Before the first control made after it: at the end, unless it fills a reserved place.
    auto place = [c](std::vector<Control*>& list) {
        auto later = std::find_if(list.begin(), list.end(), [c](Control* o) { return o->slot_ > c->slot_; });
        list.insert(later, c);
    };
    place(controls_);
    if (c->kind_ == Control::Kind::Windowless) place(windowless_);
    if (c->kind_ != Control::Kind::Hidden) place(tabOrder_);
}

Control* Container::windowedAfter(int slot) const {
    Control* first = nullptr;
    for (Control* o : controls_)
        if (o->slot_ > slot && o->hwnd_ && (!first || o->slot_ < first->slot_)) first = o;
    return first;
}

void Container::remove(Control* c) {
    controls_.erase(std::remove(controls_.begin(), controls_.end(), c), controls_.end());
    windowless_.erase(std::remove(windowless_.begin(), windowless_.end(), c), windowless_.end());
    tabOrder_.erase(std::remove(tabOrder_.begin(), tabOrder_.end(), c), tabOrder_.end());
    if (captured_ == c) {
        captured_ = nullptr;
        if (GetCapture() == ContainerWindow()) ReleaseCapture();
    }
    if (pressed_ == c) pressed_ = nullptr;
}

void Container::toFront(Control* c) {
    auto it = std::find(windowless_.begin(), windowless_.end(), c);
    if (it == windowless_.end()) return;
    windowless_.erase(it);
    windowless_.push_back(c);
}

void Container::toBack(Control* c) {
    auto it = std::find(windowless_.begin(), windowless_.end(), c);
    if (it == windowless_.end()) return;
    windowless_.erase(it);
    windowless_.insert(windowless_.begin(), c);
}

Control* Container::WindowlessAt(int x, int y) const {
    for (auto it = windowless_.rbegin(); it != windowless_.rend(); ++it) {
        Control* c = *it;
        if (c->Visible() && c->HitTest(x, y) == vbHitResultHit) return c;
    }
    return nullptr;
}

void Container::PaintWindowless(HDC dc, const RECT& dirty) {
    // A handler that loads controls may run while painting; walk a copy.
    std::vector<Control*> order = windowless_;
    for (Control* c : order) {
        if (!c->Visible()) continue;
        RECT r = c->rect_, x;
        if (!IntersectRect(&x, &r, &dirty)) continue;
        int saved = SaveDC(dc);
        IntersectClipRect(dc, r.left, r.top, r.right, r.bottom);
        c->Paint(dc);
        RestoreDC(dc, saved);
    }
}

void Container::PaintSurface(Canvas& surface) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(surface.Window(), &ps);
    surface.Paint(dc, ps.rcPaint);
    PaintWindowless(dc, ps.rcPaint);
    EndPaint(surface.Window(), &ps);
}

void Container::PrintSurface(Canvas& surface, HDC dc) {
    RECT r;
    GetClientRect(surface.Window(), &r);
    surface.Paint(dc, r);
    PaintWindowless(dc, r);
}

namespace {
// The number of the mouse message being routed (0: none) and the depth of hit-test lookups.
unsigned long g_routedMessage = 0;
unsigned long g_lastMessage = 0;
int g_lookups = 0;

class RoutingScope {
public:
    RoutingScope() : saved_(g_routedMessage) { g_routedMessage = ++g_lastMessage; }
    ~RoutingScope() { g_routedMessage = saved_; }
    RoutingScope(const RoutingScope&) = delete;
    RoutingScope& operator=(const RoutingScope&) = delete;

private:
    unsigned long saved_;
};

class LookupScope {
public:
    LookupScope() { ++g_lookups; }
    ~LookupScope() { --g_lookups; }
    LookupScope(const LookupScope&) = delete;
    LookupScope& operator=(const LookupScope&) = delete;
};
}  // namespace

unsigned long Container::RoutedMessage() noexcept {
    return g_lookups > 0 ? 0 : g_routedMessage;
}

bool Container::InHitLookup() noexcept {
    return g_lookups > 0;
}

bool Container::RouteMouse(UINT msg, WPARAM wp, LPARAM lp) {
    RoutingScope routing;
    const POINT at = MousePoint(lp);
    const int x = at.x, y = at.y;
    using Action = Control::MouseAction;
    auto send = [&](Control* c, Action a, int16_t button) {
        RECT r = c->rect_;
        c->WindowlessMouse(a, button, ShiftState(), x - r.left, y - r.top);
    };
    switch (msg) {
        case WM_MOUSEMOVE: {
            Control* c = captured_ ? captured_ : WindowlessAt(x, y);
            if (!c) return false;
            send(c, Action::Move, ButtonState(wp));
            return true;
        }
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN: {
            Control* c = WindowlessAt(x, y);
            if (!c) return false;
            captured_ = pressed_ = c;
            SetCapture(ContainerWindow());
            send(c, Action::Down, ButtonOf(msg));
            return true;
        }
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
        case WM_MBUTTONUP: {
            Control* c = captured_ ? captured_ : WindowlessAt(x, y);
            if (!c) return false;
            Control* pressed = pressed_;
            captured_ = pressed_ = nullptr;
            if (GetCapture() == ContainerWindow()) ReleaseCapture();
            send(c, Action::Up, ButtonOf(msg));
            // A click: released over the control that took the press (it may have been unloaded by now).
            if (pressed == c && std::find(windowless_.begin(), windowless_.end(), c) != windowless_.end() &&
                c->HitTest(x, y) == vbHitResultHit)
                send(c, Action::Click, ButtonOf(msg));
            return true;
        }
        case WM_LBUTTONDBLCLK: {
            Control* c = WindowlessAt(x, y);
            if (!c) return false;
            send(c, Action::DblClick, vbLeftButton);
            return true;
        }
        default:
            return false;
    }
}

bool Container::Reflect(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
    switch (msg) {
        case WM_COMMAND:
            if (lp) {
                if (Control* c = ControlFromWindow(reinterpret_cast<HWND>(lp))) {
                    if (c->OnCommand(HIWORD(wp))) {
                        result = 0;
                        return true;
                    }
                }
            }
            return false;
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORSCROLLBAR:
            if (Control* c = ControlFromWindow(reinterpret_cast<HWND>(lp))) {
                if (HBRUSH b = c->OnColor(reinterpret_cast<HDC>(wp))) {
                    result = reinterpret_cast<LRESULT>(b);
                    return true;
                }
            }
            return false;
        case WM_HSCROLL:
        case WM_VSCROLL:
            if (Control* c = ControlFromWindow(reinterpret_cast<HWND>(lp)))
                return c->OnMessage(kReflected + msg, wp, lp, result);
            return false;
        default:
            return false;
    }
}

HCURSOR Container::WindowlessCursor(WPARAM wp, LPARAM lp) const {
    HWND window = ContainerWindow();
    if (reinterpret_cast<HWND>(wp) != window || LOWORD(lp) != HTCLIENT) return nullptr;
    const POINT pt = CursorIn(window);
    Control* c = WindowlessLookupAt(pt.x, pt.y);
    return c ? c->Cursor() : nullptr;
}

Control* Container::WindowlessLookupAt(int x, int y) const {
    LookupScope lookup;
    return WindowlessAt(x, y);
}

HWND Container::ToolTipWindow() {
    HWND owner = ContainerWindow();
    if (!tooltip_ && owner) {
        static bool init = [] {
            INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES};
            return InitCommonControlsEx(&icc) != FALSE;
        }();
        (void)init;
        tooltip_.reset(CreateWindowExA(
            WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
            CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr, GetModuleHandleA(nullptr), nullptr));
    }
    return tooltip_.get();
}

void Container::DestroyRuntimeControls() {
    while (!runtime_.empty()) {
        std::unique_ptr<Control> c = std::move(runtime_.back());
        runtime_.pop_back();
        c.reset();
    }
}

void Container::DestroyToolTip() {
    tooltip_.reset();
}

}  // namespace rt
