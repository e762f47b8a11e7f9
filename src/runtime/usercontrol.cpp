#include "runtime/usercontrol.h"

#include <cctype>

#include "runtime/error.h"
#include "runtime/form.h"
#include "runtime/window_class.h"

namespace rt {

namespace {
constexpr const char* kUserControlClass = "VantrelUserControl";
bool designMode = false;

// Twips per unit of the fixed scale units; 0 for the others.
double TwipsPerUnit(int16_t unit, bool horizontal) {
    switch (unit) {
        case vbTwipsUnit:
            return 1.0;
        case vbPoints:
            return 20.0;
        case vbPixelsUnit:
            return horizontal ? TwipsPerPixelX() : TwipsPerPixelY();
        case vbCharacters:
            return horizontal ? 120.0 : 240.0;
        case vbInches:
            return 1440.0;
        case vbMillimeters:
            return 1440.0 / 25.4;
        case vbCentimeters:
            return 1440.0 / 2.54;
        case vbHimetric:
            return 1440.0 / 2540.0;
        default:
            return 0.0;
    }
}
}  // namespace

void UserControl::SetDesignMode(bool design) {
    designMode = design;
}

UserControl::UserControl(Container& parent, std::string name, int index, Windowing windowing,
                         std::shared_ptr<const PropertyBag> stored)
    : Control(parent, std::move(name), index,
              windowing == Windowing::Windowed ? Kind::Windowed : Kind::Windowless),
      stored_(std::move(stored)) {
    if (windowing == Windowing::Windowed) {
        RegisterWindowClass(kUserControlClass, DefWindowProcA, CS_DBLCLKS | CS_OWNDC, ClassCursor::Arrow);
        CreateChild(kUserControlClass, WS_CLIPCHILDREN | WS_TABSTOP, WS_EX_CONTROLPARENT);
        canvas_.Attach(hwnd_);
    }
}

UserControl::UserControl(const UserControl& t, int index)
    : Control(t, index),
      Container(),
      stored_(t.stored_),
      accessKeys_(t.accessKeys_),
      backStyle_(t.backStyle_),
      cursor_(t.cursor_),
      default_(false) {
    if (!t.Windowless()) {
        RegisterWindowClass(kUserControlClass, DefWindowProcA, CS_DBLCLKS | CS_OWNDC, ClassCursor::Arrow);
        CreateChild(kUserControlClass, WS_CLIPCHILDREN | WS_TABSTOP, WS_EX_CONTROLPARENT);
        canvas_.Attach(hwnd_);
    }
    UserControl& src = const_cast<UserControl&>(t);
    canvas_.ScaleMode(src.canvas_.ScaleMode());
    canvas_.ForeColor(src.canvas_.ForeColor());
    canvas_.BackColor(src.canvas_.BackColor());
    canvas_.AutoRedraw(src.canvas_.AutoRedraw());
    if (t.oleDropMode_ == vbOLEDropManual) OLEDropMode(vbOLEDropManual);
}

UserControl::~UserControl() {
    dying_ = true;
    drop_.reset();
    ambientFont_ = Font::Subscription();
    DestroyRuntimeControls();
    DestroyToolTip();
    if (hwnd_ && GetCapture() == hwnd_) ReleaseCapture();
}

void UserControl::Create() {
    created_ = true;
    HandlerScope scope;
    UserControl_Initialize();
    if (stored_) {
        PropertyBag bag = *stored_;
        UserControl_ReadProperties(bag);
    } else {
        UserControl_InitProperties();
    }
    resized();
    if (Visible()) {
        NotifyPlacement(*this, PlacementEvent::Show);
        UserControl_Show();
    }
    subscribeAmbientFont();
}

void UserControl::subscribeAmbientFont() {
    Font f = Ambient().Font;
    ambientFont_ = f.OnChange([this] { OnAmbientChanged("Font"); });
}

// ---- container side

void UserControl::Default(bool v) {
    if (v == default_) return;
    default_ = v;
    OnAmbientChanged("DisplayAsDefault");
}

UserControl::AmbientProperties UserControl::Ambient() const {
    AmbientProperties a;
    a.UserMode = !designMode;
    a.DisplayAsDefault = default_;
    a.DisplayName = Index() >= 0 ? Name() + "(" + std::to_string(Index()) + ")" : Name();
    Container& p = Parent();
    if (auto* f = dynamic_cast<Form*>(&p)) {
        a.Font = f->GetFont();
        a.BackColor = f->BackColor();
        a.ForeColor = f->ForeColor();
        a.ScaleMode = f->Surface().ScaleMode();
    } else if (auto* u = dynamic_cast<UserControl*>(&p)) {
        a.Font = u->GetFont();
        a.BackColor = u->BackColor();
        a.ForeColor = u->ForeColor();
        a.ScaleMode = u->ScaleMode();
    }
    return a;
}

void UserControl::OnAmbientChanged(const std::string& name) {
    if (!created_ || dying_) return;
    HandlerScope scope;
    UserControl_AmbientChanged(name);
}

// ---- surface

HDC UserControl::hDC() {
    if (paintDC_) return paintDC_;
    return Windowless() ? nullptr : canvas_.hDC();
}

void UserControl::BackColor(uint32_t c) {
    canvas_.BackColor(c);
    Invalidate();
    NotifyAmbientChanged(*this, "BackColor");
}

void UserControl::BackStyle(int16_t v) {
    if (v != 0 && v != 1) Raise(errInvalidPropertyValue, Name());
    backStyle_ = v;
    Invalidate();
}

HCURSOR UserControl::Cursor() const {
    return cursor_.Shape();
}

double UserControl::ScaleWidth() const {
    RECT r = PixelRect();
    return canvas_.FromPixelX(r.right - r.left);
}

double UserControl::ScaleHeight() const {
    RECT r = PixelRect();
    return canvas_.FromPixelY(r.bottom - r.top);
}

double UserControl::ScaleX(double value, int16_t from, int16_t to) const {
    return scaled(value, from, to, true);
}

double UserControl::ScaleY(double value, int16_t from, int16_t to) const {
    return scaled(value, from, to, false);
}

double UserControl::scaled(double value, int16_t from, int16_t to, bool horizontal) const {
    auto perUnit = [&](int16_t unit) {
        if (unit == vbUser) unit = ScaleMode();
        if (unit == vbContainerPosition || unit == vbContainerSize) unit = Ambient().ScaleMode;
        double t = TwipsPerUnit(unit, horizontal);
        if (t == 0) Raise(errInvalidPropertyValue, Name());
        return t;
    };
    return value * perUnit(from) / perUnit(to);
}

void UserControl::Size(double width, double height) {
    Move(Left(), Top(), width, height);
}

void UserControl::SetFocus() {
    if (hwnd_) ::SetFocus(hwnd_);
}

void UserControl::OLEDropMode(int16_t v) {
    if (v != vbOLEDropNone && v != vbOLEDropManual) Raise(errInvalidPropertyValue, Name());
    oleDropMode_ = v;
    if (v == vbOLEDropNone) {
        drop_.reset();
        return;
    }
    if (drop_) return;
    // Windowless controls are dragged over on the window of the nearest container that has one.
    Container* owner = this;
    if (Windowless()) {
        owner = &Parent();
        for (auto* u = dynamic_cast<UserControl*>(owner); u && u->Windowless();
             u = dynamic_cast<UserControl*>(owner))
            owner = &u->Parent();
    }
    drop_.Register(ContainerWindow(), *owner, *this);
}

bool UserControl::TakesDrops() const noexcept {
    return oleDropMode_ == vbOLEDropManual && created_ && !dying_ && Visible() && Enabled();
}

void UserControl::OLEDrag(IDataObject* data, int32_t& effect, int16_t button, int16_t shift, POINT local,
                          int16_t state) {
    if (!created_ || dying_) return;
    IDataObject* Data = data;
    float X = static_cast<float>(canvas_.FromPixelX(local.x));
    float Y = static_cast<float>(canvas_.FromPixelY(local.y));
    HandlerScope scope;
    if (state < 0)
        UserControl_OLEDragDrop(Data, effect, button, shift, X, Y);
    else
        UserControl_OLEDragOver(Data, effect, button, shift, X, Y, state);
}

void UserControl::PropertyChanged(const std::string& name) {
    changed_.push_back(name);
}

PropertyBag UserControl::SaveProperties() {
    PropertyBag bag;
    HandlerScope scope;
    UserControl_WriteProperties(bag);
    return bag;
}

// ---- Control and Container

void UserControl::Visible(bool v) {
    if (v == Visible()) return;
    Control::Visible(v);
    if (!created_ || dying_) return;
    HandlerScope scope;
    if (v)
        UserControl_Show();
    else
        UserControl_Hide();
}

HWND UserControl::ContainerWindow() const {
    return Windowless() ? Parent().ContainerWindow() : hwnd_;
}

POINT UserControl::ContainerOrigin() const {
    if (!Windowless()) return POINT{0, 0};
    POINT o = Parent().ContainerOrigin();
    RECT r = PixelRect();
    return POINT{o.x + r.left, o.y + r.top};
}

void UserControl::Placed() {
    resized();
}

void UserControl::resized() {
    RECT r = PixelRect();
    SIZE s{r.right - r.left, r.bottom - r.top};
    if (s.cx == size_.cx && s.cy == size_.cy) return;
    size_ = s;
    if (!Windowless()) canvas_.Resized();
    if (!created_ || dying_) return;
    HandlerScope scope;
    NotifyPlacement(*this, PlacementEvent::Resize);
    UserControl_Resize();
}

void UserControl::Paint(HDC dc) {
    if (dying_ || !created_) return;
    RECT r = PixelRect();
    int saved = SaveDC(dc);
    OffsetViewportOrgEx(dc, r.left, r.top, nullptr);
    RECT local{0, 0, r.right - r.left, r.bottom - r.top};
    if (backStyle_ == 1) {
        Brush b(CreateSolidBrush(ToColorRef(canvas_.BackColor())));
        FillRect(dc, &local, b.get());
    }
    RECT clip;
    if (GetClipBox(dc, &clip) == NULLREGION) clip = RECT{};
    runPaint(dc);
    PaintWindowless(dc, clip);
    RestoreDC(dc, saved);
}

void UserControl::runPaint(HDC dc) {
    SelectObject(dc, canvas_.GetFont().Handle());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ToColorRef(canvas_.ForeColor()));
    paintDC_ = dc;
    {
        HandlerScope scope;
        UserControl_Paint();
    }
    paintDC_ = nullptr;
}

void UserControl::paintWindowed() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd_, &ps);
    canvas_.Paint(dc, ps.rcPaint);
    if (!canvas_.AutoRedraw() && created_ && !dying_) {
        int saved = SaveDC(dc);
        runPaint(dc);
        RestoreDC(dc, saved);
    }
    PaintWindowless(dc, ps.rcPaint);
    EndPaint(hwnd_, &ps);
}

int UserControl::HitTest(int x, int y) const {
    RECT r = PixelRect();
    POINT p{x, y};
    if (!PtInRect(&r, p)) return vbHitResultOutside;
    if (!Windowless() || !created_ || dying_) return vbHitResultHit;
    int result = proposedHit_;
    float X = static_cast<float>(canvas_.FromPixelX(x - r.left));
    float Y = static_cast<float>(canvas_.FromPixelY(y - r.top));
    auto* self = const_cast<UserControl*>(this);
    const unsigned long message = RoutedMessage();
    const bool saved = hitLookup_;
    self->hitLookup_ = message == 0 || message == lastHitMessage_;
    if (message != 0) self->lastHitMessage_ = message;
    // Handlers of the hit test may change the control (hover looks): it is an event like any other.
    HandlerScope scope;
    self->UserControl_HitTest(X, Y, result);
    self->hitLookup_ = saved;
    return result;
}

void UserControl::WindowlessMouse(MouseAction action, int16_t button, int16_t shift, int x, int y) {
    if (dying_) return;
    // Windowless constituents first: a press they take keeps them the mouse until its release.
    UINT msg = 0;
    WPARAM keys = KeysOf(button);
    switch (action) {
        case MouseAction::Down:
            msg = button == vbRightButton    ? WM_RBUTTONDOWN
                  : button == vbMiddleButton ? WM_MBUTTONDOWN
                                             : WM_LBUTTONDOWN;
            constituentPress_ = RouteMouse(msg, keys, MAKELPARAM(x, y));
            if (constituentPress_) return;
            break;
        case MouseAction::Up:
            msg = button == vbRightButton    ? WM_RBUTTONUP
                  : button == vbMiddleButton ? WM_MBUTTONUP
                                             : WM_LBUTTONUP;
            if (constituentPress_) {
                RouteMouse(msg, keys, MAKELPARAM(x, y));
                return;
            }
            break;
        case MouseAction::Move:
            if (constituentPress_ && button != 0) {
                RouteMouse(WM_MOUSEMOVE, keys, MAKELPARAM(x, y));
                return;
            }
            if (button == 0 && RouteMouse(WM_MOUSEMOVE, keys, MAKELPARAM(x, y))) return;
            break;
        case MouseAction::Click:
            if (constituentPress_) {
                constituentPress_ = false;
                return;
            }
            break;
        case MouseAction::DblClick:
            if (RouteMouse(WM_LBUTTONDBLCLK, keys, MAKELPARAM(x, y))) return;
            break;
    }
    mouse(action, button, shift, x, y);
}

void UserControl::mouse(MouseAction action, int16_t button, int16_t shift, int x, int y) {
    if (!created_ || dying_) return;
    float X = static_cast<float>(canvas_.FromPixelX(x));
    float Y = static_cast<float>(canvas_.FromPixelY(y));
    HandlerScope scope;
    switch (action) {
        case MouseAction::Down:
            UserControl_MouseDown(button, shift, X, Y);
            break;
        case MouseAction::Up:
            UserControl_MouseUp(button, shift, X, Y);
            break;
        case MouseAction::Move:
            UserControl_MouseMove(button, shift, X, Y);
            break;
        case MouseAction::Click:
            UserControl_Click();
            break;
        case MouseAction::DblClick:
            UserControl_DblClick();
            break;
    }
}

bool UserControl::contains(HWND w) const {
    return w && hwnd_ && (w == hwnd_ || IsChild(hwnd_, w));
}

void UserControl::ChildFocus(Control& child, bool gained, HWND other) {
    if (!dying_ && created_) {
        if (gained && !focusInside_) {
            focusInside_ = true;
            HandlerScope scope;
            UserControl_EnterFocus();
        } else if (!gained && focusInside_ && !contains(other)) {
            focusInside_ = false;
            HandlerScope scope;
            UserControl_ExitFocus();
        }
    }
    // A user control inside a user control: the outer one sees the focus move as well.
    Parent().ChildFocus(*this, gained, other);
}

bool UserControl::OnAccessKey(unsigned char key) {
    if (dying_ || !created_) return false;
    for (char k : accessKeys_) {
        if (std::tolower(static_cast<unsigned char>(k)) != std::tolower(key)) continue;
        if (!Visible() || !Enabled()) return false;
        if (hwnd_ && !contains(GetFocus())) ::SetFocus(hwnd_);
        HandlerScope scope;
        UserControl_AccessKeyPress(static_cast<int16_t>(key));
        return true;
    }
    std::vector<Control*> inner = Controls();
    for (Control* c : inner)
        if (c->OnAccessKey(key)) return true;
    return false;
}

bool UserControl::OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
    if (dying_) return false;
    result = 0;
    if (Reflect(msg, wp, lp, result)) return true;
    const POINT at = MousePoint(lp);
    const int x = at.x, y = at.y;
    switch (msg) {
        case WM_ERASEBKGND:
            result = 1;
            return true;
        case WM_PAINT:
            paintWindowed();
            return true;
        case WM_PRINTCLIENT:
            PrintSurface(canvas_, reinterpret_cast<HDC>(wp));
            return true;
        case WM_SIZE:
            resized();
            return true;
        case WM_SETCURSOR: {
            if (reinterpret_cast<HWND>(wp) != hwnd_ || LOWORD(lp) != HTCLIENT) return false;
            HCURSOR c = WindowlessCursor(wp, lp);
            if (!c) c = Cursor();
            if (!c) return false;
            SetCursor(c);
            result = TRUE;
            return true;
        }
        case WM_MOUSEMOVE:
            if (!RouteMouse(msg, wp, lp)) mouse(MouseAction::Move, ButtonState(wp), ShiftState(), x, y);
            return true;
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
            if (RouteMouse(msg, wp, lp)) return true;
            pressed_ = msg == WM_LBUTTONDOWN;
            SetCapture(hwnd_);
            mouse(MouseAction::Down, ButtonOf(msg), ShiftState(), x, y);
            return true;
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
        case WM_MBUTTONUP: {
            if (RouteMouse(msg, wp, lp)) return true;
            if (GetCapture() == hwnd_) ReleaseCapture();
            bool click = pressed_ && msg == WM_LBUTTONUP;
            pressed_ = false;
            mouse(MouseAction::Up, ButtonOf(msg), ShiftState(), x, y);
            RECT r;
            GetClientRect(hwnd_, &r);
            POINT p{x, y};
            if (click && hwnd_ && PtInRect(&r, p))
                mouse(MouseAction::Click, vbLeftButton, ShiftState(), x, y);
            return true;
        }
        case WM_LBUTTONDBLCLK:
            if (!RouteMouse(msg, wp, lp)) mouse(MouseAction::DblClick, vbLeftButton, ShiftState(), x, y);
            return true;
        case WM_SETFOCUS:
            if (created_) {
                HandlerScope scope;
                if (!focusInside_) {
                    focusInside_ = true;
                    UserControl_EnterFocus();
                }
                UserControl_GotFocus();
            }
            return true;
        case WM_KILLFOCUS:
            if (created_) {
                HandlerScope scope;
                UserControl_LostFocus();
                if (focusInside_ && !contains(reinterpret_cast<HWND>(wp))) {
                    focusInside_ = false;
                    UserControl_ExitFocus();
                }
            }
            return true;
        case WM_KEYDOWN:
        case WM_KEYUP: {
            int16_t key = static_cast<int16_t>(wp);
            HandlerScope scope;
            if (msg == WM_KEYDOWN)
                UserControl_KeyDown(key, ShiftState());
            else
                UserControl_KeyUp(key, ShiftState());
            return true;
        }
        case WM_CHAR: {
            int16_t ascii = static_cast<int16_t>(wp);
            HandlerScope scope;
            UserControl_KeyPress(ascii);
            return true;
        }
        default:
            return false;
    }
}

}  // namespace rt
