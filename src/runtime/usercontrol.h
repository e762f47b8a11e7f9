// User controls: the program's own controls, made of a surface, constituent controls and code.
// A whole control, windowless, with painting, a click, a hover look that ends when the pointer
// leaves, two stored properties and a timer:
//
//   #define LAMP_PROPERTIES(X) X(Set, uint32_t, Colour, 0x00FF00u) X(Set, bool, Lit, false)
//   class Lamp : public rt::UserControl {  // a click switches it; it blinks while lit
//   public:
//       Lamp(rt::Container& c, std::string name, std::shared_ptr<const rt::PropertyBag> stored = nullptr)
//           : UserControl(c, std::move(name), -1, Windowing::Windowless, std::move(stored)) {
//           ScaleMode(rt::vbPixels);
//           blink_.Interval(100);
//           blink_.TimerEvent = [this](int) { Redraw(hover_, !bright_); };
//           Create();  // always the last statement of a constructor
//       }
//       // Colour() and Lit(), and their setters: each stores, marks changed, repaints.
//       VANTREL_PROPERTY_ACCESSORS(LAMP_PROPERTIES)
//       bool Hover() const { return hover_; }
//
//   protected:
//       void UserControl_InitProperties() override { Properties().InitAll(*this); }
//       void UserControl_ReadProperties(rt::PropertyBag& b) override { Properties().ReadAll(*this, b); }
//       void UserControl_WriteProperties(rt::PropertyBag& b) override { Properties().WriteAll(*this, b); }
//       void UserControl_Paint() override {  // on hDC(), origin at the control's corner
//           RECT r{0, 0, static_cast<int>(ScaleWidth()), static_cast<int>(ScaleHeight())};
//           const bool on = settings_.Lit && bright_;
//           rt::Brush fill(CreateSolidBrush(on ? rt::ToColorRef(settings_.Colour) : RGB(0, 0, 0)));
//           FillRect(hDC(), &r, fill.get());
//           if (hover_) FrameRect(hDC(), &r, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
//       }
//       void UserControl_MouseMove(int16_t, int16_t, float, float) override {
//           if (!hover_) leave_.Start();
//           Redraw(true, bright_);
//       }
//       void UserControl_Click() override {
//           Lit(!Lit());
//           RaiseEvent(Click);
//       }
//
//   private:
//       static const rt::PropertyTable<Lamp>& Properties();
//       struct Settings {  // the stored values, one field a line of the list
//           VANTREL_PROPERTY_FIELDS(LAMP_PROPERTIES)
//       } settings_;
//       void Redraw(bool hover, bool bright) {
//           hover_ = hover;
//           bright_ = bright;
//           Refresh();
//       }
//       bool bright_ = true, hover_ = false;
//       rt::Timer blink_{*this, "Blink"};  // a constituent: ticks from the message loop
//       rt::LeaveWatch leave_{*this, 20, [this] { Redraw(false, bright_); }};
//   };
//   VANTREL_PROPERTY_TABLE(Lamp, LAMP_PROPERTIES)  // Properties(): the rows, in the .cpp
//
// It includes runtime/controls.h (the timer), runtime/leave_watch.h and runtime/property_list.h
// (the list, its kinds of line and the table); tests/runtime/control_example_test.cpp holds it
// with its test.
//
// An event to the container with an argument by reference is an Event member raised with
// RaiseEvent; the value is read back after the handler ran:
//   rt::Event<int32_t&> Changed;   ...   int32_t value = 5; RaiseEvent(Changed, value);
// A control that can be a member of a control array also has the template constructor; the new
// member reads the template's stored settings and takes the handlers of the template's events:
//   Lamp(const Lamp& templ, int index) : UserControl(templ, index), Changed(templ.Changed) { Create(); }
//
// Lifecycle. Create() runs Initialize, then ReadProperties with the stored settings when there are
// any (an array member reads its template's) or else InitProperties, then Resize, and Show when the
// control is visible. Terminate is the derived class's destructor. Show and Hide follow Visible;
// Resize follows every change of size.
//
// Windowed controls have a child window (hWnd) with a drawing surface (Surface(): back colour,
// AutoRedraw image, picture, font, ScaleMode); their constituents are children of it. Windowless
// controls draw on their container during its paint, take the mouse through UserControl_HitTest
// (one hit test per mouse message; the control that took a button press keeps the mouse until the
// release), and may hold windowless constituents only (labels, images, shapes, windowless user
// controls), placed in the control's own pixels.
//
// Events to the container are Event members of the derived class, raised with RaiseEvent; an
// argument passed by reference is read back after the handler ran. The control's own mouse
// coordinates are in its ScaleMode units.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "runtime/canvas.h"
#include "runtime/control.h"
#include "runtime/font.h"
#include "runtime/ole_drop.h"
#include "runtime/picture.h"
#include "runtime/propertybag.h"

namespace rt {

// Units of ScaleX and ScaleY.
enum ScaleUnit : int16_t {
    vbUser = 0,
    vbTwipsUnit = 1,
    vbPoints = 2,
    vbPixelsUnit = 3,
    vbCharacters = 4,
    vbInches = 5,
    vbMillimeters = 6,
    vbCentimeters = 7,
    vbHimetric = 8,
    vbContainerPosition = 9,
    vbContainerSize = 10,
};

class UserControl : public Control, public Container {
public:
    enum class Windowing { Windowed, Windowless };

    ~UserControl() override;

    // ---- the container's side
    // The container's view of this control (Name, Index, Left, Top, Tag, ToolTipText, ZOrder ...).
    Control& Extender() noexcept { return *this; }
    // The extender's Default: the container shows this control as its default button
    // (the ambient DisplayAsDefault); a change raises AmbientChanged("DisplayAsDefault").
    bool Default() const noexcept { return default_; }
    void Default(bool v);

    struct AmbientProperties {
        bool UserMode = true;           // false only in design mode (see SetDesignMode)
        bool DisplayAsDefault = false;  // the extender's Default
        std::string DisplayName;        // the container's name for the control: "Name" or "Name(Index)"
        Font Font;                      // the container's font object itself
        uint32_t BackColor = 0;
        uint32_t ForeColor = 0;
        int16_t ScaleMode = vbTwips;  // the container's scale mode
    };
    AmbientProperties Ambient() const;
    HWND ContainerHwnd() const { return Parent().ContainerWindow(); }
    // Design mode for every user control (Ambient().UserMode false); run mode by default.
    static void SetDesignMode(bool design);

    // ---- the control's own surface
    Canvas& Surface() noexcept { return canvas_; }
    // The device context to draw on: during Paint the paint DC (origin at the control's corner);
    // otherwise the surface's (windowed) or nullptr (windowless).
    HDC hDC();
    uint32_t BackColor() const { return canvas_.BackColor(); }
    void BackColor(uint32_t c);
    uint32_t ForeColor() const { return canvas_.ForeColor(); }
    void ForeColor(uint32_t c) { canvas_.ForeColor(c); }
    int16_t BackStyle() const noexcept { return backStyle_; }  // windowless: 0 transparent, 1 opaque
    void BackStyle(int16_t v);
    bool AutoRedraw() const { return canvas_.AutoRedraw(); }
    void AutoRedraw(bool v) { canvas_.AutoRedraw(v); }
    Font& GetFont() noexcept { return canvas_.GetFont(); }
    int16_t MousePointer() const noexcept { return cursor_.Pointer(); }
    void MousePointer(int16_t v) { cursor_.Pointer(v, Name()); }
    const Picture& MouseIcon() const noexcept { return cursor_.Icon(); }
    void MouseIcon(Picture p) { cursor_.Icon(std::move(p)); }
    HCURSOR Cursor() const override;
    // Windowless: the result proposed to UserControl_HitTest. vbHitResultHit by default; a control
    // that tells its own inside from outside proposes vbHitResultOutside and raises it where it hits.
    int ProposedHitResult() const noexcept { return proposedHit_; }
    void ProposedHitResult(int v) noexcept { proposedHit_ = v; }
    // vbOLEDropManual: the control takes the platform's drag and drop (UserControl_OLEDragOver,
    // UserControl_OLEDragDrop); vbOLEDropNone: it does not. Other values: 380.
    int16_t OLEDropMode() const noexcept { return oleDropMode_; }
    void OLEDropMode(int16_t v);
    // Alt + one of these characters raises AccessKeyPress (case does not matter).
    const std::string& AccessKeys() const noexcept { return accessKeys_; }
    void AccessKeys(std::string keys) { accessKeys_ = std::move(keys); }

    // Scale: twips (1) or pixels (3); ScaleWidth and ScaleHeight of the inner area in that unit.
    int16_t ScaleMode() const { return canvas_.ScaleMode(); }
    void ScaleMode(int16_t mode) { canvas_.ScaleMode(mode); }
    double ScaleWidth() const;
    double ScaleHeight() const;
    // Converts a width (ScaleX) or height (ScaleY) between units (ScaleUnit); vbUser is ScaleMode,
    // vbContainerPosition and vbContainerSize the container's scale mode.
    double ScaleX(double value, int16_t from = vbHimetric, int16_t to = vbUser) const;
    double ScaleY(double value, int16_t from = vbHimetric, int16_t to = vbUser) const;
    // Asks the container for a new size, in twips.
    void Size(double width, double height);
    void SetFocus();

    // Marks a property as changed for the container (what a design environment saves).
    void PropertyChanged(const std::string& name = {});
    const std::vector<std::string>& ChangedProperties() const noexcept { return changed_; }
    void ClearChangedProperties() { changed_.clear(); }
    // The settings as WriteProperties stores them.
    PropertyBag SaveProperties();
    // The settings the control was loaded from (nullptr: a new control).
    const std::shared_ptr<const PropertyBag>& StoredProperties() const noexcept { return stored_; }

    // ---- Control and Container
    void Visible(bool v) override;
    using Control::Visible;
    HWND ContainerWindow() const override;
    Form& ContainerForm() override { return OwnerForm(); }
    POINT ContainerOrigin() const override;
    void Paint(HDC dc) override;
    int HitTest(int x, int y) const override;
    bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
    bool OnAccessKey(unsigned char key) override;
    void OnAmbientChanged(const std::string& name) override;

protected:
    UserControl(Container& parent, std::string name, int index, Windowing windowing,
                std::shared_ptr<const PropertyBag> stored = nullptr);
    UserControl(const UserControl& templ, int index);  // the template's settings and stored bag
    // The last statement of every constructor of the derived control.
    void Create();

    // The setter of a stored property (see property_table.h): stores the value, marks the property
    // changed and shows the change with PropertyRefresh. Store does the first two only, for a
    // property whose change shows another way or not at all.
    template <class T, class V>
    void Set(T& member, V&& value, const char* name) {
        Store(member, std::forward<V>(value), name);
        PropertyRefresh();
    }
    template <class T, class V>
    void Store(T& member, V&& value, const char* name) {
        member = std::forward<V>(value);
        PropertyChanged(name);
    }
    // How a stored property's change is shown: Refresh by default (the control repaints now).
    virtual void PropertyRefresh() { Refresh(); }

    // The control's own events; the derived control overrides what it handles.
    virtual void UserControl_Initialize() {}
    virtual void UserControl_InitProperties() {}
    virtual void UserControl_ReadProperties(PropertyBag& PropBag) {}
    virtual void UserControl_WriteProperties(PropertyBag& PropBag) {}
    virtual void UserControl_Resize() {}
    virtual void UserControl_Show() {}
    virtual void UserControl_Hide() {}
    virtual void UserControl_Paint() {}
    virtual void UserControl_AmbientChanged(const std::string& PropertyName) {}
    virtual void UserControl_GotFocus() {}
    virtual void UserControl_LostFocus() {}
    virtual void UserControl_EnterFocus() {}  // the focus came into the control or a constituent
    virtual void UserControl_ExitFocus() {}   // the focus left the control and its constituents
    virtual void UserControl_AccessKeyPress(int16_t KeyAscii) {}
    // Windowless: X and Y in ScaleMode units; HitResult comes in as ProposedHitResult().
    virtual void UserControl_HitTest(float X, float Y, int& HitResult) {}
    // During UserControl_HitTest: whether the hit test only looks (the pointer shape at
    // WM_SETCURSOR, a hit test outside mouse routing, or a further hit test for a mouse message
    // that was already hit-tested). A control that raises events from its hit test raises them
    // once per mouse message: only when this is false.
    bool HitTestIsLookup() const noexcept { return hitLookup_; }
    virtual void UserControl_MouseDown(int16_t Button, int16_t Shift, float X, float Y) {}
    virtual void UserControl_MouseUp(int16_t Button, int16_t Shift, float X, float Y) {}
    virtual void UserControl_MouseMove(int16_t Button, int16_t Shift, float X, float Y) {}
    virtual void UserControl_Click() {}
    virtual void UserControl_DblClick() {}
    virtual void UserControl_KeyDown(int16_t& KeyCode, int16_t Shift) {}
    virtual void UserControl_KeyUp(int16_t& KeyCode, int16_t Shift) {}
    virtual void UserControl_KeyPress(int16_t& KeyAscii) {}
    // Data dragged over the control (State vbEnter, vbOver, vbLeave) or dropped on it. Effect comes
    // in as the effects the source allows and goes back as the one the control chose (DROPEFFECT_*);
    // Button and Shift as in the mouse events, X and Y in ScaleMode units.
    virtual void UserControl_OLEDragOver(IDataObject*& Data, int32_t& Effect, int16_t& Button, int16_t& Shift,
                                         float& X, float& Y, int16_t& State) {}
    virtual void UserControl_OLEDragDrop(IDataObject*& Data, int32_t& Effect, int16_t& Button, int16_t& Shift,
                                         float& X, float& Y) {}

    void Placed() override;
    void WindowlessMouse(MouseAction action, int16_t button, int16_t shift, int x, int y) override;
    void ChildFocus(Control& child, bool gained, HWND other) override;

private:
    friend class DropSite;
    bool TakesDrops() const noexcept;
    // From the window's drop target: at `local` pixels of the control; state below 0 is the drop.
    void OLEDrag(IDataObject* data, int32_t& effect, int16_t button, int16_t shift, POINT local,
                 int16_t state);
    bool contains(HWND w) const;
    void resized();
    double scaled(double value, int16_t from, int16_t to, bool horizontal) const;  // ScaleX, ScaleY
    void mouse(MouseAction action, int16_t button, int16_t shift, int x, int y);
    void paintWindowed();
    void runPaint(HDC dc);  // the control's Paint on dc, with the surface's font and text colour
    void subscribeAmbientFont();

    Canvas canvas_;
    std::shared_ptr<const PropertyBag> stored_;
    std::vector<std::string> changed_;
    std::string accessKeys_;
    int16_t backStyle_ = 1;
    int16_t oleDropMode_ = vbOLEDropNone;
    DropRegistration drop_;
    MouseCursor cursor_;
    bool default_ = false;
    bool created_ = false;
    bool dying_ = false;
    bool focusInside_ = false;
    bool constituentPress_ = false;  // windowless: a constituent took the current button press
    bool pressed_ = false;           // windowed: a press on the surface itself, for Click
    SIZE size_{-1, -1};
    int proposedHit_ = vbHitResultHit;
    bool hitLookup_ = false;
    unsigned long lastHitMessage_ = 0;  // the routed mouse message of the last hit test
    HDC paintDC_ = nullptr;
    Font::Subscription ambientFont_;
};

}  // namespace rt
