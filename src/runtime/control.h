// Controls and their containers.
//
// A Control carries the members that every object on a window has: Name, Index, Left, Top,
// Width, Height (twips), Visible, Enabled, Tag, ToolTipText, ZOrder, Move and a spare whole number
// (Spare) that the container keeps per member. It is either windowed (a child window of its
// container) or windowless (labels, images, shapes): the container paints windowless controls on
// its own surface, below every windowed child, in their z-order, and hit-tests them from the top.
//
// Events are std::function members whose first argument is the member's Index (-1 outside an
// array), so a handler assigned to an array's member 0 serves every member loaded from it. They
// are raised through RaiseEvent, which runs the handler inside a HandlerScope (see lifetime.h).
//
// A control class that can be an array member has a template constructor T(const T& templ, int index):
// a new member of templ's array with templ's settings and handlers, starting hidden.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "runtime/input.h"
#include "runtime/lifetime.h"
#include "runtime/win.h"

namespace rt {

class Canvas;
class Container;
class Form;

template <class... A>
using Event = std::function<void(int Index, A...)>;

// Answers of a windowless control's hit test.
enum HitResult : int {
    vbHitResultOutside = 0,
    vbHitResultTransparent = 1,
    vbHitResultClose = 2,
    vbHitResultHit = 3
};

class Control {
public:
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;
    virtual ~Control();

    const std::string& Name() const noexcept { return name_; }
    int Index() const noexcept { return index_; }
    Container& Parent() const noexcept { return *parent_; }
    virtual HWND hWnd() const noexcept { return hwnd_; }
    bool Windowless() const noexcept { return kind_ == Kind::Windowless; }

    double Left() const;
    double Top() const;
    double Width() const;
    double Height() const;
    void Left(double twips);
    void Top(double twips);
    void Width(double twips);   // raises 380 when negative
    void Height(double twips);  // raises 380 when negative
    void Move(double left);
    void Move(double left, double top);
    void Move(double left, double top, double width);
    void Move(double left, double top, double width, double height);
    RECT PixelRect() const;  // in the container's client pixels

    bool Visible() const noexcept { return visible_; }
    virtual void Visible(bool v);
    bool Enabled() const noexcept { return enabled_; }
    virtual void Enabled(bool v);
    const std::string& Tag() const noexcept { return tag_; }
    void Tag(std::string v) { tag_ = std::move(v); }
    const std::string& ToolTipText() const noexcept { return toolTip_; }
    void ToolTipText(std::string v);
    int32_t Spare() const noexcept { return spare_; }
    void Spare(int32_t v) noexcept { spare_ = v; }
    // True once the control was unloaded from its array: it lives on, detached, until no handler
    // runs, so code that let the message loop run checks this before it goes on.
    bool Unloaded() const noexcept { return unloaded_; }
    void MarkUnloaded() noexcept { unloaded_ = true; }
    // 0: in front of its siblings of the same layer (windowed or windowless); 1: behind them.
    void ZOrder(int position = 0);
    // The place in its container's tab order, from 0; unique in the container (timers and menus
    // have none). A new control takes the next place; setting one moves the control there (past
    // the end: last) and renumbers the others. Negative: 380.
    int16_t TabIndex() const;
    void TabIndex(int16_t position);
    // Whether Tab and MoveFocus stop here (only a control with a window can take the focus).
    bool TabStop() const noexcept { return tabStop_; }
    void TabStop(bool v) noexcept { tabStop_ = v; }
    void Refresh();

    // Mouse events common to the visible controls: Button, Shift, X and Y in twips of the control.
    Event<int16_t, int16_t, float, float> MouseDown;
    Event<int16_t, int16_t, float, float> MouseUp;
    Event<int16_t, int16_t, float, float> MouseMove;
    Event<> Click;
    Event<> DblClick;

    // Runs an event's handler inside a HandlerScope; does nothing when none is assigned.
    template <class... A, class... B>
    void RaiseEvent(const Event<A...>& ev, B&&... args) {
        if (!ev) return;
        HandlerScope scope;
        ev(index_, std::forward<B>(args)...);
    }

    // Windowless controls: paint at PixelRect on the container's DC, and answer the hit test for a
    // point in container pixels. The default hit test answers Hit inside the rectangle.
    virtual void Paint(HDC dc) {}
    virtual int HitTest(int x, int y) const;
    // The pointer over this control (nullptr: the container's).
    virtual HCURSOR Cursor() const { return nullptr; }
    // Alt+key: true when this control (or one inside it) took the key as its access key.
    virtual bool OnAccessKey(unsigned char key) { return false; }
    // The container changed one of its ambient properties ("BackColor", "ForeColor", ...).
    virtual void OnAmbientChanged(const std::string& name) {}

    // Messages of a windowed control: its own (subclassed) and the notifications that its
    // container reflects to it. Return true when handled, with the result in result.
    virtual bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) { return false; }
    virtual bool OnCommand(WORD code) { return false; }
    virtual HBRUSH OnColor(HDC dc) { return nullptr; }

    // The form this control sits on (through its containers).
    Form& OwnerForm() const;

protected:
    // Hidden: no window and never painted (timers, menus).
    enum class Kind { Windowed, Windowless, Hidden };
    Control(Container& parent, std::string name, int index, Kind kind);
    Control(const Control& templ, int index);  // array member: the template's settings, hidden

    // Windowed controls create their window in their constructor, hidden, at the current rectangle.
    void CreateChild(const char* windowClass, DWORD style, DWORD exStyle = 0, const char* text = "");
    // Puts a new window of the class in the place of the control's window: the same rectangle,
    // place among its siblings, visibility and enabled state; the old window goes.
    void ReplaceChild(const char* windowClass, DWORD style, DWORD exStyle = 0, const char* text = "");
    // Replaces the style bits in mask (platform controls read some only at creation: see Recreate).
    void SetStyleBits(DWORD mask, DWORD bits);
    void Invalidate();        // repaint: the window, or the control's area of the container
    virtual void Placed() {}  // after a change of position or size
    // True while the container holds this control's window still (see HeldPlacement): changes to
    // the window wait for the end of the build, and the container is then painted whole.
    bool WindowHeld() const noexcept { return holding(); }
    // Windowless controls: a mouse event that the container routed here, at (x, y) in the
    // control's own pixels. The default raises the matching event, in twips.
    enum class MouseAction { Down, Up, Move, Click, DblClick };
    virtual void WindowlessMouse(MouseAction action, int16_t button, int16_t shift, int x, int y);
    // Raises a mouse event of the control's window: the button, the shift state, (x, y) in twips.
    void RaiseMouse(const Event<int16_t, int16_t, float, float>& ev, int16_t button, int x, int y);

    HWND hwnd_ = nullptr;

private:
    friend class Container;
    friend class HeldPlacement;
    friend RECT ClientRectOf(HWND window);
    static LRESULT CALLBACK SubclassProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
    void setPixelRect(RECT r);
    void updateToolTip();

    Container* parent_;
    std::string name_;
    int index_;
    Kind kind_;
    RECT rect_{};  // windowless: the rectangle in container pixels
    bool visible_ = true;
    bool enabled_ = true;
    std::string tag_;
    std::string toolTip_;
    int32_t spare_ = 0;
    bool unloaded_ = false;
    bool tabStop_ = true;
    int slot_ = 0;  // place in the container's creation order
    // While the container holds its windows still (HeldPlacement): rect_ and visible_ are the
    // control's state, not yet its window's; heldZ_ is the last stacking change asked (-1: none,
    // 0: to the top, 1: to the bottom, kBelowHeld: right below heldBelow_, whose own window waits
    // for its place), heldTurn_ its turn among the container's.
    static constexpr int kBelowHeld = 2;
    bool held_ = false;
    int heldZ_ = -1;
    Control* heldBelow_ = nullptr;
    unsigned long heldTurn_ = 0;
    void hold();
    void releaseHeldAnchor();  // before this control goes: the windows waiting to go below it
    bool holding() const noexcept;
    bool paintHeld() const;        // this control's container, or one around it, is held
    bool containersShown() const;  // every control this one sits in is visible
};

// A window that holds controls: forms and user controls.
class Container {
public:
    virtual ~Container();
    virtual HWND ContainerWindow() const = 0;
    virtual Form& ContainerForm() = 0;
    // Where this container's client origin lies in ContainerWindow's client area (windowless
    // containers draw on the window of their own container).
    virtual POINT ContainerOrigin() const { return POINT{0, 0}; }
    // A windowed control of this container gained or lost the focus; other is the window that
    // lost or gains it.
    virtual void ChildFocus(Control& child, bool gained, HWND other) {}

    // Every control, in creation order ("the window's control collection").
    const std::vector<Control*>& Controls() const noexcept { return controls_; }
    // Windowless controls from the bottom to the top of their layer.
    const std::vector<Control*>& WindowlessOrder() const noexcept { return windowless_; }
    // The topmost visible windowless control that answers Hit at the point (container pixels).
    Control* WindowlessAt(int x, int y) const;
    // The same for a look that is no mouse message: hit tests that raise events leave them out.
    Control* WindowlessLookupAt(int x, int y) const;
    // The controls that have a place in the tab order, in that order (see Control::TabIndex).
    const std::vector<Control*>& TabOrder() const noexcept { return tabOrder_; }

    // A place in the creation order for a control made later (a control array's template): made
    // inside a SlotScope, the control takes that place in the collections above and among the
    // windows, as though it had been made when the place was reserved.
    int ReserveSlot() noexcept { return nextSlot_++; }
    class SlotScope {
    public:
        SlotScope(Container& c, int slot) : c_(c), saved_(c.pendingSlot_) { c.pendingSlot_ = slot; }
        ~SlotScope() { c_.pendingSlot_ = saved_; }
        SlotScope(const SlotScope&) = delete;
        SlotScope& operator=(const SlotScope&) = delete;

    private:
        Container& c_;
        int saved_;
    };

protected:
    Container() = default;
    // For the container's window procedure: paint the windowless controls, route mouse messages
    // to them, and hand notifications of child windows to their control. Each returns true when
    // it handled the message.
    void PaintWindowless(HDC dc, const RECT& dirty);
    // WM_PAINT and WM_PRINTCLIENT of a container with a drawing surface: the surface, then the
    // windowless controls over it; the window's dirty part, or its whole client area on dc.
    void PaintSurface(Canvas& surface);
    void PrintSurface(Canvas& surface, HDC dc);
    bool RouteMouse(UINT msg, WPARAM wp, LPARAM lp);
    bool Reflect(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result);
    // For WM_SETCURSOR: the pointer of the windowless control under the mouse (nullptr when it
    // has none, or when the message is not for the container window's client area).
    HCURSOR WindowlessCursor(WPARAM wp, LPARAM lp) const;
    // Hit tests come from routing a mouse message (each routed message has its own number, from
    // 1) or from a lookup such as the pointer shape at WM_SETCURSOR. RoutedMessage is 0 outside
    // routing and during a lookup.
    static unsigned long RoutedMessage() noexcept;
    static bool InHitLookup() noexcept;
    HWND ToolTipWindow();
    void DestroyToolTip();
    // Destroys the controls added at run time (see activex.h); containers call it first when
    // they are destroyed, while their window still exists.
    void DestroyRuntimeControls();

private:
    friend class Control;
    friend class RuntimeControls;
    void add(Control* c);
    void remove(Control* c);
    void toFront(Control* c);
    void toBack(Control* c);

    // The first control made after a slot that has a window (nullptr: none).
    Control* windowedAfter(int slot) const;
    friend class HeldPlacement;
    bool holding_ = false;
    unsigned long heldTurns_ = 0;
    std::vector<Control*> held_;  // controls whose windows wait for their state

    std::vector<Control*> controls_;
    int nextSlot_ = 0;
    int pendingSlot_ = -1;
    std::vector<Control*> windowless_;
    std::vector<Control*> tabOrder_;
    Control* captured_ = nullptr;  // windowless control that took the mouse with a button press
    Control* pressed_ = nullptr;
    WindowHandle tooltip_;
    std::vector<std::unique_ptr<Control>> runtime_;  // controls added at run time, owned here
};

// While a page is built on a container, the windows of its controls keep still: each control keeps
// the position, size, visibility and stacking that the steps set, answers reads from them and
// raises its events from them at the step that sets them. When the scope ends, each window takes
// its final state in one change, and the container's window is painted once.
class HeldPlacement {
public:
    explicit HeldPlacement(Container& container);
    ~HeldPlacement();
    HeldPlacement(const HeldPlacement&) = delete;
    HeldPlacement& operator=(const HeldPlacement&) = delete;

    // For tests: with holding off, a HeldPlacement holds nothing and each step moves, sizes, shows
    // and stacks the windows at once, so that a build can be compared with itself held.
    static void Enable(bool on) noexcept;

private:
    Container& container_;
    bool outer_;
};

// What the runtime tells a control while it is placed: a change of place or size (Move), a user
// control's change of size (Resize), a change of visibility (Show, Hide).
enum class PlacementEvent { Move, Resize, Show, Hide };
// For tests: a watch told of each of these events as the control gets it, before the control's
// own handler runs, so that it reads what the handler reads; an empty function ends the watch.
void WatchPlacement(std::function<void(Control&, PlacementEvent)> watch);
// Tells the watch, if any, of an event.
void NotifyPlacement(Control& control, PlacementEvent event);

// The client rectangle of a window, as its control has it while its window is held (see
// HeldPlacement); GetClientRect for any other window.
RECT ClientRectOf(HWND window);

// Offers Alt+key to the controls of the form; true when one took it as its access key.
bool RouteAccessKey(Form& form, unsigned char key);
// Tells every control of the container that an ambient property changed.
void NotifyAmbientChanged(Container& container, const std::string& name);

// The control whose window this is (nullptr for other windows).
Control* ControlFromWindow(HWND hwnd);

// Moves the focus from `from` to the next (forward) or previous tab stop of its form, wrapping
// round. The form's controls are taken in tab order, each container's own controls right after
// it; a tab stop is a control with a window and TabStop that is visible and enabled, as are the
// containers it sits in. Returns the control that took the focus, nullptr when no other can.
Control* MoveFocus(Control& from, bool forward = true);
// The arrow keys of a button: Left and Up move the focus back, Right and Down forward, as
// MoveFocus does. True when KeyCode was one of the four.
bool MoveFocusByArrow(Control& from, int16_t KeyCode);
// For message loops: Tab and Shift+Tab on a control move the focus as MoveFocus does, unless the
// control keeps the key for itself (DLGC_WANTTAB). True when the key was used up.
bool RouteTabKey(const MSG& msg);

}  // namespace rt
