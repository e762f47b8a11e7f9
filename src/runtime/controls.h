// The intrinsic controls: Label, TextBox, PictureBox, Image, ListBox, ComboBox, FileListBox,
// CheckBox, OptionButton, CommandButton, ScrollBar, Shape, Timer, Menu and MenuItem.
//
// Each has a design-time constructor (container, name, index = -1 outside an array) and the
// template constructor of control arrays (see control.h). Properties are get/set member pairs with
// the runtime's names; values outside a property's set raise 380.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "runtime/canvas.h"
#include "runtime/control.h"
#include "runtime/font.h"
#include "runtime/list_sink.h"
#include "runtime/picture.h"

namespace rt {

enum AlignmentValue : int16_t { vbLeftJustify = 0, vbRightJustify = 1, vbCenter = 2 };
enum BackStyleValue : int16_t { vbTransparent = 0, vbOpaque = 1 };

// Font, colours and pointer shared by the text-bearing controls.
class TextControl : public Control {
public:
    Font& GetFont() noexcept { return font_; }
    void SetFont(Font f);  // shares the object: later changes of f reach this control at once
    uint32_t BackColor() const noexcept { return backColor_; }
    void BackColor(uint32_t c);
    uint32_t ForeColor() const noexcept { return foreColor_; }
    void ForeColor(uint32_t c);
    int16_t MousePointer() const noexcept { return cursor_.Pointer(); }
    void MousePointer(int16_t v) { cursor_.Pointer(v, Name()); }
    const Picture& MouseIcon() const noexcept { return cursor_.Icon(); }
    void MouseIcon(Picture p) { cursor_.Icon(std::move(p)); }
    // The pointer over this control: the custom one only (nullptr: the default).
    HCURSOR Cursor() const override { return cursor_.Custom(); }

protected:
    TextControl(Container& c, std::string name, int index, Kind kind, uint32_t backColor, uint32_t foreColor);
    TextControl(const TextControl& templ, int index);
    virtual void fontChanged();  // applies the font (windowed: WM_SETFONT) and repaints
    HBRUSH backBrush();

private:
    void subscribe();
    Font font_;
    Font::Subscription fontSub_;
    uint32_t backColor_, foreColor_;
    MouseCursor cursor_;
    Brush brush_;
    uint32_t brushColor_ = 0;
};

class Label : public TextControl {
public:
    Label(Container& c, std::string name, int index = -1);
    Label(const Label& templ, int index);

    const std::string& Caption() const noexcept { return caption_; }
    void Caption(std::string text);
    int16_t Alignment() const noexcept { return alignment_; }
    void Alignment(int16_t a);
    bool AutoSize() const noexcept { return autoSize_; }
    void AutoSize(bool v);
    bool WordWrap() const noexcept { return wordWrap_; }
    void WordWrap(bool v);
    int16_t BackStyle() const noexcept { return backStyle_; }
    void BackStyle(int16_t v);
    int16_t BorderStyle() const noexcept { return borderStyle_; }
    void BorderStyle(int16_t v);

    Event<> Change;

    void Paint(HDC dc) override;

private:
    void fontChanged() override;
    void fit();
    std::string caption_;
    int16_t alignment_ = 0, backStyle_ = 1, borderStyle_ = 0;
    bool autoSize_ = false, wordWrap_ = false;
};

class TextBox : public TextControl {
public:
    TextBox(Container& c, std::string name, int index = -1);
    TextBox(const TextBox& templ, int index);

    // The text; a change (by code or by typing) raises Change before the setter returns.
    const std::string& Text() const noexcept { return text_; }
    void Text(std::string text);
    bool MultiLine() const noexcept { return multiLine_; }
    void MultiLine(bool v);
    int16_t ScrollBars() const noexcept { return scrollBars_; }
    void ScrollBars(int16_t v);  // 0 none, 1 horizontal, 2 vertical, 3 both
    bool Locked() const noexcept { return locked_; }
    void Locked(bool v);
    // "" shows the text; one character masks every character, also in a multi-line box.
    const std::string& PasswordChar() const noexcept { return passwordChar_; }
    void PasswordChar(const std::string& c);
    int16_t Alignment() const noexcept { return alignment_; }
    void Alignment(int16_t a);
    int32_t MaxLength() const noexcept { return maxLength_; }
    void MaxLength(int32_t n);
    int32_t SelStart() const;
    void SelStart(int32_t pos);
    int32_t SelLength() const;
    void SelLength(int32_t n);
    void SetFocus();
    // The box's own hidden text value: kept with the box, never shown.
    const std::string& Password() const noexcept { return password_; }
    void Password(std::string v) { password_ = std::move(v); }

    Event<> Change;
    Event<int16_t&, int16_t> KeyDown;  // KeyCode (0 swallows the key), Shift
    Event<int16_t&> KeyPress;          // KeyAscii (0 swallows the character)

    bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
    bool OnCommand(WORD code) override;
    HBRUSH OnColor(HDC dc) override;

private:
    void create(bool replacing = false);  // replacing: in the place of the window there is
    void recreate();
    std::string shown() const;
    void showText();
    void userEdited();

    std::string text_, passwordChar_, password_;
    bool multiLine_ = false, locked_ = false;
    int16_t scrollBars_ = 0, alignment_ = 0;
    int32_t maxLength_ = 0;
    bool settingText_ = false;
    DWORD selBefore_ = 0;  // selection start before the message that changes the text
    bool selKnown_ = false;
};

// A picture box holds controls as a form does: windowed ones are child windows of it, windowless
// ones are painted on it above its picture and take its mouse; both are placed in its client
// pixels.
class PictureBox : public TextControl, public Container {
public:
    PictureBox(Container& c, std::string name, int index = -1);
    PictureBox(const PictureBox& templ, int index);
    ~PictureBox() override;

    const Picture& GetPicture() const { return canvas_.GetPicture(); }
    void SetPicture(Picture p);
    bool AutoSize() const noexcept { return autoSize_; }
    void AutoSize(bool v);
    int16_t BorderStyle() const noexcept { return borderStyle_; }
    void BorderStyle(int16_t v);  // 0 none, 1 fixed single
    bool AutoRedraw() const { return canvas_.AutoRedraw(); }
    void AutoRedraw(bool v) { canvas_.AutoRedraw(v); }
    Canvas& Surface() noexcept { return canvas_; }
    double ScaleWidth() const;
    double ScaleHeight() const;

    HDC hDC() { return canvas_.hDC(); }
    void Cls() { canvas_.Cls(); }
    void PSet(double x, double y, uint32_t color) { canvas_.PSet(x, y, color); }
    void Line(double x1, double y1, double x2, double y2, uint32_t color, bool box = false,
              bool fill = false) {
        canvas_.Line(x1, y1, x2, y2, color, box, fill);
    }
    void PaintPicture(const Picture& p, double x, double y, double w = -1, double h = -1) {
        canvas_.PaintPicture(p, x, y, w, h);
    }
    uint32_t Point(double x, double y) { return canvas_.Point(x, y); }
    double TextWidth(const std::string& s) { return canvas_.TextWidth(s); }
    double TextHeight(const std::string& s) { return canvas_.TextHeight(s); }
    Picture Image() { return canvas_.Image(); }

    Event<> PaintEvent;  // the Paint event (without AutoRedraw)
    Event<> Resize;

    bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
    bool OnAccessKey(unsigned char key) override;
    HWND ContainerWindow() const override { return hwnd_; }
    Form& ContainerForm() override { return OwnerForm(); }
    void ChildFocus(Control& child, bool gained, HWND other) override;

private:
    void create();
    void fit();
    void Placed() override;
    Canvas canvas_;
    bool autoSize_ = false;
    int16_t borderStyle_ = 1;
};

class Image : public Control {
public:
    Image(Container& c, std::string name, int index = -1);
    Image(const Image& templ, int index);

    const Picture& GetPicture() const noexcept { return picture_; }
    void SetPicture(Picture p);  // without Stretch the control takes the picture's size
    bool Stretch() const noexcept { return stretch_; }
    void Stretch(bool v);
    int16_t BorderStyle() const noexcept { return borderStyle_; }
    void BorderStyle(int16_t v);
    void Paint(HDC dc) override;

private:
    void fit();
    Picture picture_;
    bool stretch_ = false;
    int16_t borderStyle_ = 0;
};

// List controls fill and read by position (ListSink), visible or as hidden lists.
class ListBox : public TextControl, public ListSink {
public:
    ListBox(Container& c, std::string name, int index = -1);
    ListBox(const ListBox& templ, int index);

    void Clear() override;
    void AddItem(const std::string& item, int index = -1) override;
    int ListCount() const override;
    std::string List(int index) const override;  // "" past the end, as the platform list answers
    void RemoveItem(int index);
    int ListIndex() const;
    void ListIndex(int index);  // -1 selects nothing; raises 380 past the end
    std::string Text() const;   // the selected item
    bool Sorted() const noexcept { return sorted_; }
    void Sorted(bool v);

    bool OnCommand(WORD code) override;
    HBRUSH OnColor(HDC dc) override;

protected:
    ListBox(Container& c, std::string name, int index, bool sorted);
    void create();
    bool sorted_ = false;

private:
    // The list's items as the window holds them, so that reading the list sends no messages.
    std::vector<std::string> items_;
};

class ComboBox : public TextControl, public ListSink {
public:
    ComboBox(Container& c, std::string name, int index = -1);
    ComboBox(const ComboBox& templ, int index);

    void Clear() override;
    void AddItem(const std::string& item, int index = -1) override;
    int ListCount() const override;
    std::string List(int index) const override;
    void RemoveItem(int index);
    int ListIndex() const;
    void ListIndex(int index);
    std::string Text() const;
    void Text(const std::string& text);
    int16_t Style() const noexcept { return style_; }
    void Style(int16_t v);  // 0 drop-down combo, 2 drop-down list
    bool Sorted() const noexcept { return sorted_; }
    void Sorted(bool v);

    Event<> Change;
    // A key pressed in the text field of a drop-down combo (KeyCode, 0 swallows the key; Shift).
    Event<int16_t&, int16_t> KeyDown;

    bool OnCommand(WORD code) override;
    HBRUSH OnColor(HDC dc) override;

private:
    void create();
    void recreate();
    static LRESULT CALLBACK EditProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
    int16_t style_ = 0;
    bool sorted_ = false;
};

// The files of a folder that match the pattern, sorted by name (ignoring case), files only.
class FileListBox : public ListBox {
public:
    FileListBox(Container& c, std::string name, int index = -1);
    FileListBox(const FileListBox& templ, int index);

    const std::string& Path() const noexcept { return path_; }
    void Path(const std::string& folder);  // raises 76 for a folder that does not exist; keeps the old one
    const std::string& Pattern() const noexcept { return pattern_; }
    void Pattern(const std::string& patterns);  // several joined by ';'
    std::string FileName() const { return Text(); }
    void Refresh();

private:
    std::string path_, pattern_ = "*.*";
};

class CheckBox : public TextControl {
public:
    CheckBox(Container& c, std::string name, int index = -1);
    CheckBox(const CheckBox& templ, int index);

    std::string Caption() const;
    void Caption(const std::string& text);
    int16_t Value() const noexcept { return value_; }
    void Value(int16_t v);  // 0 unchecked, 1 checked, 2 greyed; a change raises Click

    bool OnCommand(WORD code) override;
    HBRUSH OnColor(HDC dc) override;

private:
    int16_t value_ = 0;
};

// Option buttons placed directly on one container form one group: selecting one clears the others,
// hidden ones included.
class OptionButton : public TextControl {
public:
    OptionButton(Container& c, std::string name, int index = -1);
    OptionButton(const OptionButton& templ, int index);

    std::string Caption() const;
    void Caption(const std::string& text);
    bool Value() const noexcept { return value_; }
    void Value(bool v);  // true clears the group and raises Click
    int16_t Alignment() const noexcept { return alignment_; }
    void Alignment(int16_t a);  // 0 button left of the caption, 1 right

    bool OnCommand(WORD code) override;
    HBRUSH OnColor(HDC dc) override;

private:
    void setChecked(bool v);
    bool value_ = false;
    int16_t alignment_ = 0;
};

class CommandButton : public TextControl {
public:
    CommandButton(Container& c, std::string name, int index = -1);
    CommandButton(const CommandButton& templ, int index);

    std::string Caption() const;
    void Caption(const std::string& text);
    void Value(bool v);  // true raises Click, as a press does

    bool OnCommand(WORD code) override;
};

class ScrollBar : public Control {
public:
    enum Orientation { Horizontal, Vertical };
    ScrollBar(Container& c, std::string name, int index = -1, Orientation o = Horizontal);
    ScrollBar(const ScrollBar& templ, int index);

    int16_t Min() const noexcept { return min_; }
    void Min(int16_t v);
    int16_t Max() const noexcept { return max_; }
    void Max(int16_t v);
    int16_t Value() const noexcept { return value_; }
    void Value(int16_t v);  // raises 380 outside Min..Max; a change raises Change
    int16_t SmallChange() const noexcept { return small_; }
    void SmallChange(int16_t v);
    int16_t LargeChange() const noexcept { return large_; }
    void LargeChange(int16_t v);

    Event<> Change;
    Event<> Scroll;

    bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
    void scrolled(int code);  // from the container's WM_HSCROLL/WM_VSCROLL

private:
    void apply();
    Orientation orientation_;
    int16_t min_ = 0, max_ = 32767, value_ = 0, small_ = 1, large_ = 1;
};

class Shape : public Control {
public:
    enum ShapeValue : int16_t { Rectangle = 0, Square, Oval, Circle, RoundedRectangle, RoundedSquare };
    Shape(Container& c, std::string name, int index = -1);
    Shape(const Shape& templ, int index);

    int16_t ShapeKind() const noexcept { return shape_; }
    void ShapeKind(int16_t v);
    int16_t BackStyle() const noexcept { return backStyle_; }
    void BackStyle(int16_t v);
    uint32_t BackColor() const noexcept { return backColor_; }
    void BackColor(uint32_t v);
    int16_t FillStyle() const noexcept { return fillStyle_; }
    void FillStyle(int16_t v);  // 0 solid, 1 transparent
    uint32_t FillColor() const noexcept { return fillColor_; }
    void FillColor(uint32_t v);
    uint32_t BorderColor() const noexcept { return borderColor_; }
    void BorderColor(uint32_t v);
    int16_t BorderWidth() const noexcept { return borderWidth_; }
    void BorderWidth(int16_t v);
    int16_t BorderStyle() const noexcept { return borderStyle_; }
    void BorderStyle(int16_t v);  // 0 transparent, 1 solid

    void Paint(HDC dc) override;
    int HitTest(int x, int y) const override { return vbHitResultOutside; }  // shapes take no mouse

private:
    int16_t shape_ = 0, backStyle_ = 0, fillStyle_ = 1, borderWidth_ = 1, borderStyle_ = 1;
    uint32_t backColor_ = 0x8000000F, fillColor_ = 0, borderColor_ = 0x80000008;
};

// Ticks only from the message loop; while its handler runs (also through a message box or
// DoEvents inside it) further ticks of this timer are dropped.
class Timer : public Control {
public:
    // Enabled with interval 0 (not ticking) until the construction code sets Interval.
    Timer(Container& c, std::string name, int index = -1);
    Timer(const Timer& templ, int index);
    ~Timer() override;

    uint32_t Interval() const noexcept { return interval_; }
    void Interval(int64_t ms);  // 0 to 65535, else 380; restarts the count
    bool Enabled() const noexcept { return on_; }
    void Enabled(bool v) override;  // restarts the count
    Event<> TimerEvent;             // the Timer event
    bool Running() const noexcept { return running_; }

public:
    void tick();  // from the runtime window's timer message

private:
    void arm();
    uint32_t interval_;
    bool on_;
    bool running_ = false;
    UINT_PTR id_ = 0;
};

class MenuItem;

// A menu: a popup whose items are MenuItem controls (also run-time arrays of them).
class Menu : public Control {
public:
    Menu(Container& c, std::string name, int index = -1, std::string caption = {});
    Menu(const Menu& templ, int index) = delete;
    ~Menu() override;
    const std::string& Caption() const noexcept { return caption_; }
    void Caption(std::string c) { caption_ = std::move(c); }
    HMENU Handle() const noexcept { return menu_; }
    // The item of a command identifier of this menu (nullptr when none).
    MenuItem* ItemOf(UINT id) const;

private:
    friend class MenuItem;
    void add(MenuItem* item);
    void remove(MenuItem* item);
    void rebuild();
    std::string caption_;
    HMENU menu_ = nullptr;
    std::vector<MenuItem*> items_;
};

class MenuItem : public Control {
public:
    MenuItem(Container& c, std::string name, int index, Menu& menu);
    MenuItem(const MenuItem& templ, int index);
    ~MenuItem() override;

    const std::string& Caption() const noexcept { return caption_; }
    void Caption(std::string c);
    bool Checked() const noexcept { return checked_; }
    void Checked(bool v);
    bool Visible() const noexcept { return shown_; }  // loaded items keep their template's
    void Visible(bool v) override;
    void Enabled(bool v) override;
    UINT Id() const noexcept { return id_; }

private:
    Menu& menu_;
    std::string caption_;
    bool checked_ = false;
    bool shown_ = true;
    UINT id_;
};

}  // namespace rt
