// Forms: top-level windows whose design-time settings are construction code.
//
//   class Form6 : public rt::Form {
//   public:
//       Form6() : Form("Form6") { Caption("Exit"); BorderStyle(0); }   // design-time settings
//       rt::Label Label1{*this, "Label1"};
//       rt::Timer Timer1{*this, "Timer1"};   // Form6(): Timer1.Interval(2000); Timer1.TimerEvent = ...
//       void Form_Load() override;
//   };
//   rt::Load<Form6>().Show();   // first use creates the form and runs Form_Load before returning
//
// A form's window exists from construction (hidden); Form_Load runs once, right after the form
// has been created by Load<F>(). Unload runs Form_Unload(Cancel); unless cancelled, the form
// leaves the forms collection at once, its window is hidden, and it is destroyed when no handler
// runs any more (lifetime.h); the next Load<F>() creates a fresh one. End ends the program at once.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "runtime/canvas.h"
#include "runtime/control.h"

namespace rt {

class Menu;
class Form;
namespace detail {
void AdoptForm(std::unique_ptr<Form> form, Form** slot);
}

enum FormBorderStyle : int16_t {
    vbBSNone = 0,
    vbFixedSingle = 1,
    vbSizable = 2,
    vbFixedDialog = 3,
    vbFixedToolWindow = 4,
    vbSizableToolWindow = 5,
};
enum WindowStateValue : int16_t { vbNormal = 0, vbMinimized = 1, vbMaximized = 2 };
enum MousePointerValue : int16_t { vbDefault = 0, vbArrow = 1, vbHourglass = 11, vbCustom = 99 };

class Form : public Container {
public:
    explicit Form(std::string name);
    ~Form() override;
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    // Events; the derived form overrides the ones it handles.
    virtual void Form_Load() {}
    virtual void Form_Unload(int16_t& Cancel) {}
    virtual void Form_Resize() {}
    virtual void Form_Click() {}
    virtual void Form_DblClick() {}
    virtual void Form_MouseDown(int16_t Button, int16_t Shift, float X, float Y) {}
    virtual void Form_MouseUp(int16_t Button, int16_t Shift, float X, float Y) {}
    virtual void Form_MouseMove(int16_t Button, int16_t Shift, float X, float Y) {}
    // With KeyPreview, keys of every control of the form come here first; KeyCode 0 swallows the key.
    virtual void Form_KeyDown(int16_t& KeyCode, int16_t Shift) {}
    virtual void Form_Paint() {}

    const std::string& Name() const noexcept { return name_; }
    HWND hWnd() const noexcept { return hwnd_; }
    HWND ContainerWindow() const override { return hwnd_; }
    Form& ContainerForm() override { return *this; }
    bool Loaded() const noexcept { return loaded_ && !unloaded_; }

    void Show();
    void Hide();
    bool Visible() const;
    void Visible(bool v);
    void Unload();  // Form_Unload(Cancel) first; a second Unload while one runs does nothing
    bool Enabled() const;
    void Enabled(bool v);
    void Refresh();
    void SetFocus();

    std::string Caption() const;
    void Caption(const std::string& text);
    int16_t BorderStyle() const noexcept { return borderStyle_; }
    void BorderStyle(int16_t style);  // 0 to 5, else 380
    bool ControlBox() const noexcept { return controlBox_; }
    void ControlBox(bool v);
    bool MinButton() const noexcept { return minButton_; }
    void MinButton(bool v);
    bool MaxButton() const noexcept { return maxButton_; }
    void MaxButton(bool v);
    bool ShowInTaskbar() const noexcept { return showInTaskbar_; }
    void ShowInTaskbar(bool v);
    int16_t WindowState() const;
    // 0 normal, 1 minimised, 2 maximised, else 380. A hidden form takes the state at once (a
    // maximised one has its maximised size) and is shown in it.
    void WindowState(int16_t state);
    // 0 in front of every other window, 1 behind them all; else 380.
    void ZOrder(int position = 0);
    bool KeyPreview() const noexcept { return keyPreview_; }
    void KeyPreview(bool v) noexcept { keyPreview_ = v; }
    const Picture& Icon() const noexcept { return icon_; }
    void Icon(Picture p);
    const Picture& GetPicture() const { return canvas_.GetPicture(); }
    void SetPicture(Picture p) { canvas_.SetPicture(std::move(p)); }
    uint32_t BackColor() const { return canvas_.BackColor(); }
    void BackColor(uint32_t c) {
        canvas_.BackColor(c);
        NotifyAmbientChanged(*this, "BackColor");
    }
    uint32_t ForeColor() const { return canvas_.ForeColor(); }
    void ForeColor(uint32_t c) {
        canvas_.ForeColor(c);
        NotifyAmbientChanged(*this, "ForeColor");
    }
    bool AutoRedraw() const { return canvas_.AutoRedraw(); }
    void AutoRedraw(bool v) { canvas_.AutoRedraw(v); }
    int16_t MousePointer() const noexcept { return cursor_.Pointer(); }
    void MousePointer(int16_t v) { cursor_.Pointer(v, name_); }
    const Picture& MouseIcon() const noexcept { return cursor_.Icon(); }
    void MouseIcon(Picture p) { cursor_.Icon(std::move(p)); }
    const std::string& Tag() const noexcept { return tag_; }
    void Tag(std::string v) { tag_ = std::move(v); }
    Canvas& Surface() noexcept { return canvas_; }
    Font& GetFont() noexcept { return canvas_.GetFont(); }

    // Outer position and size of the window, and the size of its client area, in twips.
    double Left() const;
    double Top() const;
    double Width() const;
    double Height() const;
    void Left(double twips);
    void Top(double twips);
    void Width(double twips);
    void Height(double twips);
    void Move(double left);
    void Move(double left, double top);
    void Move(double left, double top, double width, double height);
    double ScaleWidth() const;
    double ScaleHeight() const;

    // Drawing (see Canvas), in twips of the client area.
    HDC hDC() { return canvas_.hDC(); }
    void Cls() { canvas_.Cls(); }
    uint32_t Point(double x, double y) { return canvas_.Point(x, y); }
    Picture Image() { return canvas_.Image(); }

    // Shows the menu at the pointer and returns when it is closed; the chosen item's Click runs
    // before it returns.
    void PopupMenu(Menu& menu);
    // Prints the client area's image on the default printer (through the effects seam).
    bool PrintForm();

protected:
    // Lets a derived form react to any message first (return true when handled).
    virtual bool OnFormMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) { return false; }

private:
    template <class F>
    friend F& Load();
    friend void detail::AdoptForm(std::unique_ptr<Form>, Form**);
    friend void UnloadAll();
    static LRESULT CALLBACK WndProc(HWND, UINT, WPARAM, LPARAM);
    LRESULT handle(UINT msg, WPARAM wp, LPARAM lp);
    void applyStyles();
    RECT maximisedRect() const;
    void runLoad();
    void raiseMouse(UINT msg, WPARAM wp, LPARAM lp);

    std::string name_;
    HWND hwnd_ = nullptr;
    Canvas canvas_;
    bool loaded_ = false;
    bool unloading_ = false;
    bool unloaded_ = false;
    int16_t borderStyle_ = vbSizable;
    bool controlBox_ = true, minButton_ = true, maxButton_ = true, showInTaskbar_ = true;
    bool keyPreview_ = false;
    Picture icon_;
    MouseCursor cursor_;
    std::string tag_;
    bool pressed_ = false;
    Form** slot_ = nullptr;  // Load<F>'s record of this form, cleared at unload
};

// The loaded forms, in the order they were loaded.
std::vector<Form*> Forms();

// The loaded form of type F, or nullptr when none is; unlike Load, makes none.
template <class F>
F* LoadedForm() {
    for (Form* f : Forms())
        if (auto* form = dynamic_cast<F*>(f)) return form;
    return nullptr;
}

// The owner of a modal dialog: the active window, else the first visible loaded form (nullptr
// when there is none).
HWND DialogOwner();

// The form of type F: created on first use (window, controls, then Form_Load), afterwards the same
// object until it is unloaded.
template <class F>
F& Load() {
    static Form* slot = nullptr;
    if (slot && slot->Loaded()) return static_cast<F&>(*slot);
    auto form = std::make_unique<F>();
    F& ref = *form;
    detail::AdoptForm(std::move(form), &slot);
    ref.runLoad();
    return ref;
}

// Unloads every loaded form, the last loaded first.
void UnloadAll();

// Ends the program at once: no unload event runs, windows go with the process.
[[noreturn]] void End();

// Runs the message loop until no form is loaded or the quit message arrives.
int Run();

}  // namespace rt
