#include "runtime/controls.h"

#include <commctrl.h>

#include <algorithm>
#include <unordered_map>

#include "runtime/convert.h"
#include "runtime/error.h"
#include "runtime/files.h"
#include "runtime/form.h"
#include "runtime/subclass.h"

namespace rt {

namespace {
constexpr UINT kReflected = WM_USER + 0x1C00;
constexpr uint32_t kWindowColor = 0x80000005, kWindowText = 0x80000008, kButtonFace = 0x8000000F,
                   kButtonText = 0x80000012;

void CheckRange(int64_t v, int64_t lo, int64_t hi, const std::string& source) {
    if (v < lo || v > hi) Raise(errInvalidPropertyValue, source);
}
}  // namespace

// ---- TextControl

TextControl::TextControl(Container& c, std::string name, int index, Kind kind, uint32_t back, uint32_t fore)
    : Control(c, std::move(name), index, kind), backColor_(back), foreColor_(fore) {
    subscribe();
}

TextControl::TextControl(const TextControl& t, int index)
    : Control(t, index),
      font_(t.font_.Clone()),
      backColor_(t.backColor_),
      foreColor_(t.foreColor_),
      cursor_(t.cursor_) {
    subscribe();
}

void TextControl::subscribe() {
    fontSub_ = font_.OnChange([this] { fontChanged(); });
}

void TextControl::SetFont(Font f) {
    font_ = std::move(f);
    subscribe();
    fontChanged();
}

void TextControl::fontChanged() {
    // A held window is painted with its container's at the end of the build.
    if (hwnd_) SendMessageA(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Handle()), !WindowHeld());
    Invalidate();
}

void TextControl::BackColor(uint32_t c) {
    backColor_ = c;
    Invalidate();
}
void TextControl::ForeColor(uint32_t c) {
    foreColor_ = c;
    Invalidate();
}

HBRUSH TextControl::backBrush() {
    if (!brush_ || brushColor_ != backColor_) {
        brush_.reset(CreateSolidBrush(ToColorRef(backColor_)));
        brushColor_ = backColor_;
    }
    return brush_.get();
}

// ---- Label

Label::Label(Container& c, std::string name, int index)
    : TextControl(c, std::move(name), index, Kind::Windowless, kButtonFace, kButtonText) {}

Label::Label(const Label& t, int index)
    : TextControl(t, index),
      Change(t.Change),
      caption_(t.caption_),
      alignment_(t.alignment_),
      backStyle_(t.backStyle_),
      borderStyle_(t.borderStyle_),
      autoSize_(t.autoSize_),
      wordWrap_(t.wordWrap_) {}

void Label::Caption(std::string text) {
    if (text == caption_) return;
    caption_ = std::move(text);
    fit();
    Invalidate();
    RaiseEvent(Change);
}
void Label::Alignment(int16_t a) {
    CheckRange(a, 0, 2, Name());
    alignment_ = a;
    Invalidate();
}
void Label::AutoSize(bool v) {
    autoSize_ = v;
    fit();
}
void Label::WordWrap(bool v) {
    wordWrap_ = v;
    fit();
    Invalidate();
}
void Label::BackStyle(int16_t v) {
    CheckRange(v, 0, 1, Name());
    backStyle_ = v;
    Invalidate();
}
void Label::BorderStyle(int16_t v) {
    CheckRange(v, 0, 1, Name());
    borderStyle_ = v;
    Invalidate();
}
void Label::fontChanged() {
    fit();
    Invalidate();
}

void Label::fit() {
    if (!autoSize_) return;
    WindowDC screen(nullptr);
    SelectGuard sel(screen.get(), GetFont().Handle());
    RECT r = PixelRect();
    RECT calc{0, 0, wordWrap_ ? r.right - r.left : 0, 0};
    DrawTextA(screen.get(), caption_.empty() ? " " : caption_.c_str(), -1, &calc,
              DT_CALCRECT | DT_NOPREFIX | (wordWrap_ ? DT_WORDBREAK : 0));
    int border = borderStyle_ ? 2 : 0;
    Move(Left(), Top(), ToTwipsX(calc.right + 2 * border), ToTwipsY(calc.bottom + 2 * border));
}

void Label::Paint(HDC dc) {
    RECT r = PixelRect();
    if (backStyle_ == vbOpaque) FillRect(dc, &r, backBrush());
    if (borderStyle_) {
        FrameRect(dc, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        InflateRect(&r, -1, -1);
    }
    SelectGuard sel(dc, GetFont().Handle());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ToColorRef(ForeColor()));
    UINT fmt = DT_NOPREFIX | DT_WORDBREAK |
               (alignment_ == 1   ? DT_RIGHT
                : alignment_ == 2 ? DT_CENTER
                                  : DT_LEFT);
    DrawTextA(dc, caption_.c_str(), static_cast<int>(caption_.size()), &r, fmt);
}

// ---- TextBox

TextBox::TextBox(Container& c, std::string name, int index)
    : TextControl(c, std::move(name), index, Kind::Windowed, kWindowColor, kWindowText) {
    create();
}

TextBox::TextBox(const TextBox& t, int index)
    : TextControl(t, index),
      Change(t.Change),
      KeyDown(t.KeyDown),
      KeyPress(t.KeyPress),
      text_(t.text_),
      passwordChar_(t.passwordChar_),
      password_(t.password_),
      multiLine_(t.multiLine_),
      locked_(t.locked_),
      scrollBars_(t.scrollBars_),
      alignment_(t.alignment_),
      maxLength_(t.maxLength_) {
    create();
}

void TextBox::create(bool replacing) {
    DWORD style = WS_TABSTOP | ES_AUTOHSCROLL;
    if (multiLine_) {
        style |= ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN;
        if (scrollBars_ == 0 || scrollBars_ == 2) style &= ~static_cast<DWORD>(ES_AUTOHSCROLL);
    }
    if (scrollBars_ & 1) style |= WS_HSCROLL;
    if (scrollBars_ & 2) style |= WS_VSCROLL;
    if (locked_) style |= ES_READONLY;
    style |= alignment_ == 1 ? ES_RIGHT : alignment_ == 2 ? ES_CENTER : ES_LEFT;
    settingText_ = true;
    if (replacing)
        ReplaceChild("EDIT", style, WS_EX_CLIENTEDGE, shown().c_str());
    else
        CreateChild("EDIT", style, WS_EX_CLIENTEDGE, shown().c_str());
    SendMessageA(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(GetFont().Handle()), FALSE);
    if (maxLength_ > 0) SendMessageA(hwnd_, EM_LIMITTEXT, static_cast<WPARAM>(maxLength_), 0);
    settingText_ = false;
}

void TextBox::recreate() {
    if (WindowHeld() && GetFocus() != hwnd_) {
        // The new window takes the old one's place and waits with the container's other windows.
        create(true);
        return;
    }
    RECT r = PixelRect();
    bool vis = Visible();
    HWND old = hwnd_;
    // The platform edit reads these styles only at creation: make a new window in the old one's place.
    HWND after = GetWindow(old, GW_HWNDPREV);
    hwnd_ = nullptr;
    create();
    MoveWindow(hwnd_, r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE);
    SetWindowPos(hwnd_, after ? after : HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    ShowWindow(hwnd_, vis ? SW_SHOWNA : SW_HIDE);
    DestroyWindow(old);  // its NCDESTROY forgets only the old handle
}

std::string TextBox::shown() const {
    if (passwordChar_.empty()) return text_;
    return std::string(text_.size(), passwordChar_[0]);
}

void TextBox::showText() {
    settingText_ = true;
    SetWindowTextA(hwnd_, shown().c_str());
    settingText_ = false;
}

void TextBox::Text(std::string text) {
    if (maxLength_ > 0 && static_cast<int32_t>(text.size()) > maxLength_)
        text.resize(static_cast<size_t>(maxLength_));
    if (text == text_) return;
    text_ = std::move(text);
    showText();
    RaiseEvent(Change);
}

void TextBox::MultiLine(bool v) {
    if (v == multiLine_) return;
    multiLine_ = v;
    recreate();
}
void TextBox::ScrollBars(int16_t v) {
    CheckRange(v, 0, 3, Name());
    scrollBars_ = v;
    recreate();
}
void TextBox::Locked(bool v) {
    locked_ = v;
    SendMessageA(hwnd_, EM_SETREADONLY, v, 0);
}
void TextBox::PasswordChar(const std::string& c) {
    passwordChar_ = c.substr(0, 1);
    showText();
}
void TextBox::Alignment(int16_t a) {
    CheckRange(a, 0, 2, Name());
    alignment_ = a;
    recreate();
}
void TextBox::MaxLength(int32_t n) {
    if (n < 0) Raise(errInvalidPropertyValue, Name());
    maxLength_ = n;
    SendMessageA(hwnd_, EM_LIMITTEXT, static_cast<WPARAM>(n), 0);
}
int32_t TextBox::SelStart() const {
    DWORD s = 0, e = 0;
    SendMessageA(hwnd_, EM_GETSEL, reinterpret_cast<WPARAM>(&s), reinterpret_cast<LPARAM>(&e));
    return static_cast<int32_t>(s);
}
void TextBox::SelStart(int32_t pos) {
    SendMessageA(hwnd_, EM_SETSEL, static_cast<WPARAM>(pos), pos);
}
int32_t TextBox::SelLength() const {
    DWORD s = 0, e = 0;
    SendMessageA(hwnd_, EM_GETSEL, reinterpret_cast<WPARAM>(&s), reinterpret_cast<LPARAM>(&e));
    return static_cast<int32_t>(e - s);
}
void TextBox::SelLength(int32_t n) {
    int32_t s = SelStart();
    SendMessageA(hwnd_, EM_SETSEL, static_cast<WPARAM>(s), s + n);
}
void TextBox::SetFocus() {
    ::SetFocus(hwnd_);
}

// Typing into a masked box: the window holds one mask character per character of the text. The
// edit replaced one range [s, e) of the old text by k characters, leaving the caret at s + k; with
// the selection start before the change (s0) that gives s = min(s0, caret), k = caret - s and
// e = s + old length - new length + k. The typed characters are taken into the text and masked.
void TextBox::userEdited() {
    std::string now = WindowText(hwnd_);
    if (passwordChar_.empty()) {
        text_ = std::move(now);
        return;
    }
    DWORD caret = 0, selEnd = 0;
    SendMessageA(hwnd_, EM_GETSEL, reinterpret_cast<WPARAM>(&caret), reinterpret_cast<LPARAM>(&selEnd));
    size_t oldLen = text_.size(), newLen = now.size();
    size_t s0 = selKnown_ ? selBefore_ : caret;
    size_t s = std::min<size_t>(std::min<size_t>(s0, caret), std::min(oldLen, newLen));
    size_t k = caret >= s ? caret - s : 0;
    if (s + k > newLen) k = newLen - s;
    if (oldLen + k < newLen) k = newLen - oldLen;  // never lose characters
    size_t removed = oldLen + k - newLen;
    if (s + removed > oldLen) removed = oldLen - s;
    text_ = text_.substr(0, s) + now.substr(s, k) + text_.substr(s + removed);
    if (now != shown()) {
        showText();
        SendMessageA(hwnd_, EM_SETSEL, caret, caret);
    }
    SendMessageA(hwnd_, EM_EMPTYUNDOBUFFER, 0, 0);
}

bool TextBox::OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
    if (!passwordChar_.empty()) {
        // A masked box gives nothing away and has no undo that would bring masks back as text.
        if (msg == WM_COPY || msg == WM_CUT || msg == WM_UNDO || msg == EM_UNDO) {
            result = 0;
            return true;
        }
    }
    // Where the selection started before a message that may change the text (see userEdited).
    if (msg == WM_CHAR || msg == WM_KEYDOWN || msg == WM_PASTE || msg == WM_CLEAR || msg == EM_REPLACESEL ||
        msg == WM_IME_CHAR) {
        DWORD s = 0, e = 0;
        SendMessageA(hwnd_, EM_GETSEL, reinterpret_cast<WPARAM>(&s), reinterpret_cast<LPARAM>(&e));
        selBefore_ = s;
        selKnown_ = true;
    }
    switch (msg) {
        case WM_KEYDOWN: {
            int16_t key = static_cast<int16_t>(wp);
            RaiseEvent(KeyDown, key, ShiftState());
            if (key == 0) {
                result = 0;
                return true;
            }
            return false;
        }
        case WM_CHAR: {
            int16_t ch = static_cast<int16_t>(wp & 0xFF);
            RaiseEvent(KeyPress, ch);
            if (ch == 0) {
                result = 0;
                return true;
            }
            if (!hwnd_) {  // the handler took the window away
                result = 0;
                return true;
            }
            result =
                rt::CallNextSubclass(hwnd_, msg, static_cast<WPARAM>(static_cast<unsigned char>(ch)), lp);
            return true;
        }
        default:
            return false;
    }
}

bool TextBox::OnCommand(WORD code) {
    if (code != EN_CHANGE || settingText_) return code == EN_CHANGE;
    std::string before = text_;
    userEdited();
    selKnown_ = false;
    if (text_ != before) RaiseEvent(Change);
    return true;
}

HBRUSH TextBox::OnColor(HDC dc) {
    SetTextColor(dc, ToColorRef(ForeColor()));
    SetBkColor(dc, ToColorRef(BackColor()));
    return backBrush();
}

// ---- PictureBox

namespace {
void RegisterPictureClass() {
    static bool done = [] {
        WNDCLASSA wc{};
        wc.style = CS_DBLCLKS | CS_OWNDC;
        wc.lpfnWndProc = DefWindowProcA;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
        wc.lpszClassName = "VantrelPicture";
        return RegisterClassA(&wc) != 0;
    }();
    (void)done;
}
}  // namespace

PictureBox::PictureBox(Container& c, std::string name, int index)
    : TextControl(c, std::move(name), index, Kind::Windowed, kButtonFace, kButtonText) {
    create();
}

PictureBox::PictureBox(const PictureBox& t, int index)
    : TextControl(t, index),
      PaintEvent(t.PaintEvent),
      Resize(t.Resize),
      autoSize_(t.autoSize_),
      borderStyle_(t.borderStyle_) {
    create();
    canvas_.BackColor(const_cast<PictureBox&>(t).canvas_.BackColor());
    canvas_.ForeColor(const_cast<PictureBox&>(t).canvas_.ForeColor());
    canvas_.ScaleMode(const_cast<PictureBox&>(t).canvas_.ScaleMode());
    canvas_.AutoRedraw(const_cast<PictureBox&>(t).canvas_.AutoRedraw());
    SetPicture(t.GetPicture());
}

PictureBox::~PictureBox() {
    DestroyRuntimeControls();
    DestroyToolTip();
}

void PictureBox::create() {
    RegisterPictureClass();
    CreateChild("VantrelPicture", WS_CLIPCHILDREN, 0);
    if (borderStyle_) SetStyleBits(WS_BORDER, WS_BORDER);
    canvas_.Attach(hwnd_);
}

void PictureBox::SetPicture(Picture p) {
    canvas_.SetPicture(std::move(p));
    fit();
}
void PictureBox::AutoSize(bool v) {
    autoSize_ = v;
    fit();
}
void PictureBox::BorderStyle(int16_t v) {
    CheckRange(v, 0, 1, Name());
    borderStyle_ = v;
    SetStyleBits(WS_BORDER, v ? WS_BORDER : 0);
}
void PictureBox::fit() {
    if (!autoSize_ || canvas_.GetPicture().Empty()) return;
    RECT r = PixelRect();
    int border = borderStyle_ ? 2 * GetSystemMetrics(SM_CXBORDER) : 0;
    Move(ToTwipsX(r.left), ToTwipsY(r.top), ToTwipsX(canvas_.GetPicture().PixelWidth() + border),
         ToTwipsY(canvas_.GetPicture().PixelHeight() + border));
}
void PictureBox::Placed() {
    canvas_.Resized();
    RaiseEvent(Resize);
}
double PictureBox::ScaleWidth() const {
    return canvas_.FromPixelX(ClientRectOf(hwnd_).right);
}
double PictureBox::ScaleHeight() const {
    return canvas_.FromPixelY(ClientRectOf(hwnd_).bottom);
}

bool PictureBox::OnAccessKey(unsigned char key) {
    std::vector<Control*> inner = Controls();
    for (Control* c : inner)
        if (c->OnAccessKey(key)) return true;
    return false;
}

void PictureBox::ChildFocus(Control& child, bool gained, HWND other) {
    // A user control around the box sees the focus move as well.
    Parent().ChildFocus(*this, gained, other);
}

bool PictureBox::OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
    result = 0;
    if (Reflect(msg, wp, lp, result)) return true;
    switch (msg) {
        case WM_ERASEBKGND:
            result = 1;
            return true;
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(hwnd_, &ps);
            canvas_.Paint(dc, ps.rcPaint);
            PaintWindowless(dc, ps.rcPaint);
            EndPaint(hwnd_, &ps);
            if (!canvas_.AutoRedraw()) RaiseEvent(PaintEvent);
            result = 0;
            return true;
        }
        case WM_PRINTCLIENT: {
            RECT r;
            GetClientRect(hwnd_, &r);
            canvas_.Paint(reinterpret_cast<HDC>(wp), r);
            PaintWindowless(reinterpret_cast<HDC>(wp), r);
            result = 0;
            return true;
        }
        case WM_SETCURSOR:
            if (HCURSOR c = WindowlessCursor(wp, lp)) {
                SetCursor(c);
                result = TRUE;
                return true;
            }
            return false;
        case WM_MOUSEMOVE:
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
        case WM_RBUTTONUP:
        case WM_MBUTTONUP:
            // The controls inside the box first; what they leave is the box's own.
            return RouteMouse(msg, wp, lp);
        case WM_LBUTTONUP: {
            if (RouteMouse(msg, wp, lp)) return true;
            const POINT at = MousePoint(lp);
            RaiseEvent(MouseUp, vbLeftButton, 0, static_cast<float>(canvas_.FromPixelX(at.x)),
                       static_cast<float>(canvas_.FromPixelY(at.y)));
            RaiseEvent(Click);
            return true;
        }
        case WM_LBUTTONDBLCLK:
            if (RouteMouse(msg, wp, lp)) return true;
            RaiseEvent(DblClick);
            return true;
        default:
            return false;
    }
}

// ---- Image

Image::Image(Container& c, std::string name, int index)
    : Control(c, std::move(name), index, Kind::Windowless) {}
Image::Image(const Image& t, int index)
    : Control(t, index), picture_(t.picture_), stretch_(t.stretch_), borderStyle_(t.borderStyle_) {}

void Image::SetPicture(Picture p) {
    picture_ = std::move(p);
    fit();
    Invalidate();
}
void Image::Stretch(bool v) {
    stretch_ = v;
    fit();
    Invalidate();
}
void Image::BorderStyle(int16_t v) {
    CheckRange(v, 0, 1, Name());
    borderStyle_ = v;
    fit();
    Invalidate();
}
void Image::fit() {
    if (stretch_ || picture_.Empty()) return;
    int b = borderStyle_ ? 2 : 0;
    Move(Left(), Top(), ToTwipsX(picture_.PixelWidth() + b), ToTwipsY(picture_.PixelHeight() + b));
}
void Image::Paint(HDC dc) {
    RECT r = PixelRect();
    if (borderStyle_) {
        FrameRect(dc, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        InflateRect(&r, -1, -1);
    }
    if (picture_.Empty()) return;
    if (stretch_)
        picture_.Render(dc, r.left, r.top, r.right - r.left, r.bottom - r.top);
    else
        picture_.Render(dc, r.left, r.top, picture_.PixelWidth(), picture_.PixelHeight());
}

// ---- ListBox

ListBox::ListBox(Container& c, std::string name, int index)
    : TextControl(c, std::move(name), index, Kind::Windowed, kWindowColor, kWindowText) {
    create();
}
ListBox::ListBox(Container& c, std::string name, int index, bool sorted)
    : TextControl(c, std::move(name), index, Kind::Windowed, kWindowColor, kWindowText), sorted_(sorted) {
    create();
}
ListBox::ListBox(const ListBox& t, int index) : TextControl(t, index), sorted_(t.sorted_) {
    create();
}

void ListBox::create() {
    DWORD style = WS_VSCROLL | WS_TABSTOP | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | LBS_HASSTRINGS;
    if (sorted_) style |= LBS_SORT;
    CreateChild("LISTBOX", style, WS_EX_CLIENTEDGE);
    SendMessageA(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(GetFont().Handle()), FALSE);
}

void ListBox::Sorted(bool v) {
    if (v == sorted_) return;
    std::vector<std::string> items = std::move(items_);
    items_.clear();
    sorted_ = v;
    RECT r = PixelRect();
    bool vis = Visible();
    HWND old = hwnd_;
    hwnd_ = nullptr;
    create();
    MoveWindow(hwnd_, r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE);
    ShowWindow(hwnd_, vis ? SW_SHOWNA : SW_HIDE);
    DestroyWindow(old);
    for (auto& s : items) AddItem(s);
}

void ListBox::Clear() {
    SendMessageA(hwnd_, LB_RESETCONTENT, 0, 0);
    items_.clear();
}
void ListBox::AddItem(const std::string& item, int index) {
    if (index > ListCount()) Raise(errInvalidProcedureCall, Name());
    LRESULT at;
    if (sorted_ || index < 0 || index >= ListCount())
        at = SendMessageA(hwnd_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
    else
        at = SendMessageA(hwnd_, LB_INSERTSTRING, static_cast<WPARAM>(index),
                          reinterpret_cast<LPARAM>(item.c_str()));
    // The window answers where the item went (a sorted list places it itself), or an error.
    if (at >= 0 && static_cast<size_t>(at) <= items_.size())
        items_.insert(items_.begin() + static_cast<std::ptrdiff_t>(at), std::string(item.c_str()));
}
int ListBox::ListCount() const {
    return static_cast<int>(items_.size());
}
std::string ListBox::List(int index) const {
    if (index < 0 || static_cast<size_t>(index) >= items_.size()) return {};
    return items_[static_cast<size_t>(index)];
}
void ListBox::RemoveItem(int index) {
    if (index < 0 || index >= ListCount()) Raise(errInvalidProcedureCall, Name());
    SendMessageA(hwnd_, LB_DELETESTRING, static_cast<WPARAM>(index), 0);
    items_.erase(items_.begin() + index);
}
int ListBox::ListIndex() const {
    return static_cast<int>(SendMessageA(hwnd_, LB_GETCURSEL, 0, 0));
}
void ListBox::ListIndex(int index) {
    if (index < -1 || index >= ListCount()) Raise(errInvalidPropertyValue, Name());
    if (index == ListIndex()) return;
    SendMessageA(hwnd_, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    RaiseEvent(Click);  // a change of the selection by code is a click too
}
std::string ListBox::Text() const {
    return ListIndex() < 0 ? std::string() : List(ListIndex());
}

bool ListBox::OnCommand(WORD code) {
    if (code == LBN_SELCHANGE) {
        RaiseEvent(Click);
        return true;
    }
    if (code == LBN_DBLCLK) {
        RaiseEvent(DblClick);
        return true;
    }
    return false;
}
HBRUSH ListBox::OnColor(HDC dc) {
    SetTextColor(dc, ToColorRef(ForeColor()));
    SetBkColor(dc, ToColorRef(BackColor()));
    return backBrush();
}

// ---- ComboBox

ComboBox::ComboBox(Container& c, std::string name, int index)
    : TextControl(c, std::move(name), index, Kind::Windowed, kWindowColor, kWindowText) {
    create();
}
ComboBox::ComboBox(const ComboBox& t, int index)
    : TextControl(t, index), Change(t.Change), KeyDown(t.KeyDown), style_(t.style_), sorted_(t.sorted_) {
    create();
}

// The text field is a child window of the combo: its keys reach the combo's KeyDown from here.
LRESULT CALLBACK ComboBox::EditProc(HWND h, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id, DWORD_PTR self) {
    if (msg == WM_NCDESTROY) rt::UnsubclassWindow(h, EditProc, id);
    if (msg == WM_KEYDOWN) {
        int16_t key = static_cast<int16_t>(wp);
        reinterpret_cast<ComboBox*>(self)->RaiseEvent(reinterpret_cast<ComboBox*>(self)->KeyDown, key,
                                                      ShiftState());
        if (key == 0) return 0;
    }
    return rt::CallNextSubclass(h, msg, wp, lp);
}

void ComboBox::create() {
    DWORD style = WS_VSCROLL | WS_TABSTOP | CBS_AUTOHSCROLL | CBS_HASSTRINGS;
    style |= style_ == 2 ? CBS_DROPDOWNLIST : CBS_DROPDOWN;
    if (sorted_) style |= CBS_SORT;
    RECT r = PixelRect();
    CreateChild("COMBOBOX", style, 0);
    // The window's height includes the drop-down list.
    MoveWindow(hwnd_, r.left, r.top, r.right - r.left, std::max<LONG>(r.bottom - r.top, 200), FALSE);
    SendMessageA(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(GetFont().Handle()), FALSE);
    if (HWND edit = FindWindowExA(hwnd_, nullptr, "Edit", nullptr))
        rt::SubclassWindow(edit, EditProc, 1, reinterpret_cast<DWORD_PTR>(this));
}
void ComboBox::recreate() {
    std::vector<std::string> items;
    for (int i = 0; i < ListCount(); ++i) items.push_back(List(i));
    std::string text = Text();
    bool vis = Visible();
    HWND old = hwnd_;
    hwnd_ = nullptr;
    create();
    ShowWindow(hwnd_, vis ? SW_SHOWNA : SW_HIDE);
    DestroyWindow(old);
    for (auto& s : items) AddItem(s);
    if (style_ != 2) SetWindowTextA(hwnd_, text.c_str());
}
void ComboBox::Style(int16_t v) {
    if (v != 0 && v != 2) Raise(errInvalidPropertyValue, Name());
    style_ = v;
    recreate();
}
void ComboBox::Sorted(bool v) {
    sorted_ = v;
    recreate();
}
void ComboBox::Clear() {
    SendMessageA(hwnd_, CB_RESETCONTENT, 0, 0);
}
void ComboBox::AddItem(const std::string& item, int index) {
    if (index > ListCount()) Raise(errInvalidProcedureCall, Name());
    if (sorted_ || index < 0 || index >= ListCount())
        SendMessageA(hwnd_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
    else
        SendMessageA(hwnd_, CB_INSERTSTRING, static_cast<WPARAM>(index),
                     reinterpret_cast<LPARAM>(item.c_str()));
}
int ComboBox::ListCount() const {
    return static_cast<int>(SendMessageA(hwnd_, CB_GETCOUNT, 0, 0));
}
std::string ComboBox::List(int index) const {
    LRESULT n = SendMessageA(hwnd_, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
    if (index < 0 || n == CB_ERR) return {};
    std::string s(static_cast<size_t>(n) + 1, '\0');
    SendMessageA(hwnd_, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(s.data()));
    s.resize(static_cast<size_t>(n));
    return s;
}
void ComboBox::RemoveItem(int index) {
    if (index < 0 || index >= ListCount()) Raise(errInvalidProcedureCall, Name());
    SendMessageA(hwnd_, CB_DELETESTRING, static_cast<WPARAM>(index), 0);
}
int ComboBox::ListIndex() const {
    return static_cast<int>(SendMessageA(hwnd_, CB_GETCURSEL, 0, 0));
}
void ComboBox::ListIndex(int index) {
    if (index < -1 || index >= ListCount()) Raise(errInvalidPropertyValue, Name());
    if (index == ListIndex()) return;
    SendMessageA(hwnd_, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    RaiseEvent(Click);
}
std::string ComboBox::Text() const {
    return WindowText(hwnd_);
}
void ComboBox::Text(const std::string& text) {
    if (style_ == 2) {
        LRESULT i = SendMessageA(hwnd_, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                 reinterpret_cast<LPARAM>(text.c_str()));
        if (i == CB_ERR) Raise(errPropertyReadOnly, Name());
        ListIndex(static_cast<int>(i));
        return;
    }
    if (text == Text()) return;
    SetWindowTextA(hwnd_, text.c_str());
    RaiseEvent(Change);
}
bool ComboBox::OnCommand(WORD code) {
    switch (code) {
        case CBN_SELCHANGE:
            RaiseEvent(Click);
            return true;
        case CBN_EDITCHANGE:
            RaiseEvent(Change);
            return true;
        case CBN_DBLCLK:
            RaiseEvent(DblClick);
            return true;
        default:
            return false;
    }
}
HBRUSH ComboBox::OnColor(HDC dc) {
    SetTextColor(dc, ToColorRef(ForeColor()));
    SetBkColor(dc, ToColorRef(BackColor()));
    return backBrush();
}

// ---- FileListBox

FileListBox::FileListBox(Container& c, std::string name, int index)
    : ListBox(c, std::move(name), index, false) {
    char cwd[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, cwd);
    path_ = cwd;
    Refresh();
}
FileListBox::FileListBox(const FileListBox& t, int index)
    : ListBox(t, index), path_(t.path_), pattern_(t.pattern_) {
    Refresh();
}

void FileListBox::Path(const std::string& folder) {
    if (!IsDirectory(folder)) Raise(errPathNotFound, Name());
    path_ = folder;
    Refresh();
}
void FileListBox::Pattern(const std::string& patterns) {
    pattern_ = patterns;
    Refresh();
}

void FileListBox::Refresh() {
    std::vector<std::string> names;
    std::string base = path_;
    if (!base.empty() && base.back() != '\\' && base.back() != '/') base += '\\';
    for (const std::string& raw : Split(pattern_, ";")) {
        std::string p = raw;
        p.erase(0, p.find_first_not_of(' '));
        p.erase(p.find_last_not_of(' ') + 1);
        if (p.empty()) continue;
        WIN32_FIND_DATAA fd;
        FindHandle h(FindFirstFileA((base + p).c_str(), &fd));
        if (!h) continue;
        do {
            // Files only: no folders, and no hidden or system files, as the file list shows by default.
            if (fd.dwFileAttributes &
                (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM))
                continue;
            names.emplace_back(fd.cFileName);
        } while (FindNextFileA(h.get(), &fd));
    }
    std::sort(names.begin(), names.end(),
              [](const std::string& a, const std::string& b) { return lstrcmpiA(a.c_str(), b.c_str()) < 0; });
    names.erase(std::unique(names.begin(), names.end(),
                            [](const std::string& a, const std::string& b) {
                                return lstrcmpiA(a.c_str(), b.c_str()) == 0;
                            }),
                names.end());
    Clear();
    for (auto& n : names) AddItem(n);
}

// ---- CheckBox, OptionButton, CommandButton

CheckBox::CheckBox(Container& c, std::string name, int index)
    : TextControl(c, std::move(name), index, Kind::Windowed, kButtonFace, kButtonText) {
    CreateChild("BUTTON", BS_3STATE | WS_TABSTOP, 0, Name().c_str());
    SendMessageA(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(GetFont().Handle()), FALSE);
}
CheckBox::CheckBox(const CheckBox& t, int index) : TextControl(t, index), value_(t.value_) {
    CreateChild("BUTTON", BS_3STATE | WS_TABSTOP, 0, t.Caption().c_str());
    SendMessageA(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(GetFont().Handle()), FALSE);
    SendMessageA(hwnd_, BM_SETCHECK, static_cast<WPARAM>(value_), 0);
}
std::string CheckBox::Caption() const {
    return WindowText(hwnd_);
}
void CheckBox::Caption(const std::string& text) {
    SetWindowTextA(hwnd_, text.c_str());
}
void CheckBox::Value(int16_t v) {
    CheckRange(v, 0, 2, Name());
    if (v == value_) return;
    value_ = v;
    SendMessageA(hwnd_, BM_SETCHECK, static_cast<WPARAM>(v), 0);
    RaiseEvent(Click);
}
bool CheckBox::OnCommand(WORD code) {
    if (code != BN_CLICKED) return false;
    Value(value_ == 1 ? 0 : 1);
    return true;
}
HBRUSH CheckBox::OnColor(HDC dc) {
    SetTextColor(dc, ToColorRef(ForeColor()));
    SetBkColor(dc, ToColorRef(BackColor()));
    return backBrush();
}

OptionButton::OptionButton(Container& c, std::string name, int index)
    : TextControl(c, std::move(name), index, Kind::Windowed, kButtonFace, kButtonText) {
    CreateChild("BUTTON", BS_RADIOBUTTON | WS_TABSTOP, 0, Name().c_str());
    SendMessageA(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(GetFont().Handle()), FALSE);
}
OptionButton::OptionButton(const OptionButton& t, int index)
    : TextControl(t, index), alignment_(t.alignment_) {
    // A new member starts unselected: the group keeps its one selection.
    CreateChild("BUTTON", BS_RADIOBUTTON | WS_TABSTOP | (alignment_ ? BS_LEFTTEXT | BS_RIGHT : 0), 0,
                t.Caption().c_str());
    SendMessageA(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(GetFont().Handle()), FALSE);
}
std::string OptionButton::Caption() const {
    return WindowText(hwnd_);
}
void OptionButton::Caption(const std::string& text) {
    SetWindowTextA(hwnd_, text.c_str());
}
void OptionButton::Alignment(int16_t a) {
    CheckRange(a, 0, 1, Name());
    alignment_ = a;
    SetStyleBits(BS_LEFTTEXT | BS_RIGHT, a ? BS_LEFTTEXT | BS_RIGHT : 0);
}
void OptionButton::setChecked(bool v) {
    value_ = v;
    SendMessageA(hwnd_, BM_SETCHECK, v ? BST_CHECKED : BST_UNCHECKED, 0);
}
void OptionButton::Value(bool v) {
    if (!v) {
        setChecked(false);
        return;
    }
    // One group per container: every other option button placed directly on it is cleared.
    for (Control* c : Parent().Controls())
        if (auto* o = dynamic_cast<OptionButton*>(c); o && o != this && o->value_) o->setChecked(false);
    bool was = value_;
    setChecked(true);
    if (!was) RaiseEvent(Click);
}
bool OptionButton::OnCommand(WORD code) {
    if (code != BN_CLICKED) return false;
    Value(true);
    return true;
}
HBRUSH OptionButton::OnColor(HDC dc) {
    SetTextColor(dc, ToColorRef(ForeColor()));
    SetBkColor(dc, ToColorRef(BackColor()));
    return backBrush();
}

CommandButton::CommandButton(Container& c, std::string name, int index)
    : TextControl(c, std::move(name), index, Kind::Windowed, kButtonFace, kButtonText) {
    CreateChild("BUTTON", BS_PUSHBUTTON | WS_TABSTOP, 0, Name().c_str());
    SendMessageA(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(GetFont().Handle()), FALSE);
}
CommandButton::CommandButton(const CommandButton& t, int index) : TextControl(t, index) {
    CreateChild("BUTTON", BS_PUSHBUTTON | WS_TABSTOP, 0, t.Caption().c_str());
    SendMessageA(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(GetFont().Handle()), FALSE);
}
std::string CommandButton::Caption() const {
    return WindowText(hwnd_);
}
void CommandButton::Caption(const std::string& text) {
    SetWindowTextA(hwnd_, text.c_str());
}
void CommandButton::Value(bool v) {
    if (v) RaiseEvent(Click);
}
bool CommandButton::OnCommand(WORD code) {
    if (code != BN_CLICKED) return false;
    RaiseEvent(Click);
    return true;
}

// ---- ScrollBar

ScrollBar::ScrollBar(Container& c, std::string name, int index, Orientation o)
    : Control(c, std::move(name), index, Kind::Windowed), orientation_(o) {
    CreateChild("SCROLLBAR", o == Horizontal ? SBS_HORZ : SBS_VERT, 0);
    apply();
}
ScrollBar::ScrollBar(const ScrollBar& t, int index)
    : Control(t, index),
      Change(t.Change),
      Scroll(t.Scroll),
      orientation_(t.orientation_),
      min_(t.min_),
      max_(t.max_),
      value_(t.value_),
      small_(t.small_),
      large_(t.large_) {
    CreateChild("SCROLLBAR", orientation_ == Horizontal ? SBS_HORZ : SBS_VERT, 0);
    apply();
}
void ScrollBar::apply() {
    SCROLLINFO si{
        sizeof(si), SIF_RANGE | SIF_POS | SIF_PAGE, std::min(min_, max_), std::max(min_, max_), 0, value_, 0};
    SetScrollInfo(hwnd_, SB_CTL, &si, TRUE);
}
void ScrollBar::Min(int16_t v) {
    min_ = v;
    if ((min_ <= max_ && value_ < min_) || (min_ > max_ && value_ > min_)) value_ = min_;
    apply();
}
void ScrollBar::Max(int16_t v) {
    max_ = v;
    if ((min_ <= max_ && value_ > max_) || (min_ > max_ && value_ < max_)) value_ = max_;
    apply();
}
void ScrollBar::Value(int16_t v) {
    CheckRange(v, std::min(min_, max_), std::max(min_, max_), Name());
    if (v == value_) return;
    value_ = v;
    apply();
    RaiseEvent(Change);
}
void ScrollBar::SmallChange(int16_t v) {
    CheckRange(v, 1, 32767, Name());
    small_ = v;
}
void ScrollBar::LargeChange(int16_t v) {
    CheckRange(v, 1, 32767, Name());
    large_ = v;
}
void ScrollBar::scrolled(int code) {
    int lo = std::min(min_, max_), hi = std::max(min_, max_);
    int dir = min_ <= max_ ? 1 : -1;
    int v = value_;
    switch (code) {
        case SB_LINELEFT:
            v -= small_ * dir;
            break;
        case SB_LINERIGHT:
            v += small_ * dir;
            break;
        case SB_PAGELEFT:
            v -= large_ * dir;
            break;
        case SB_PAGERIGHT:
            v += large_ * dir;
            break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: {
            SCROLLINFO si{sizeof(si), SIF_TRACKPOS};
            GetScrollInfo(hwnd_, SB_CTL, &si);
            v = si.nTrackPos;
            break;
        }
        default:
            return;
    }
    v = std::clamp(v, lo, hi);
    if (v == value_) return;
    value_ = static_cast<int16_t>(v);
    apply();
    RaiseEvent(code == SB_THUMBTRACK ? Scroll : Change);
}
bool ScrollBar::OnMessage(UINT msg, WPARAM wp, LPARAM, LRESULT& result) {
    if (msg == kReflected + WM_HSCROLL || msg == kReflected + WM_VSCROLL) {
        scrolled(LOWORD(wp));
        result = 0;
        return true;
    }
    return false;
}

// ---- Shape

Shape::Shape(Container& c, std::string name, int index)
    : Control(c, std::move(name), index, Kind::Windowless) {}
Shape::Shape(const Shape& t, int index)
    : Control(t, index),
      shape_(t.shape_),
      backStyle_(t.backStyle_),
      fillStyle_(t.fillStyle_),
      borderWidth_(t.borderWidth_),
      borderStyle_(t.borderStyle_),
      backColor_(t.backColor_),
      fillColor_(t.fillColor_),
      borderColor_(t.borderColor_) {}

#define RT_SHAPE_SETTER(Prop, member, lo, hi) \
    void Shape::Prop(int16_t v) {             \
        CheckRange(v, lo, hi, Name());        \
        member = v;                           \
        Invalidate();                         \
    }
RT_SHAPE_SETTER(ShapeKind, shape_, 0, 5)
RT_SHAPE_SETTER(BackStyle, backStyle_, 0, 1)
RT_SHAPE_SETTER(FillStyle, fillStyle_, 0, 7)
RT_SHAPE_SETTER(BorderWidth, borderWidth_, 1, 8192)
RT_SHAPE_SETTER(BorderStyle, borderStyle_, 0, 6)
#undef RT_SHAPE_SETTER
void Shape::BackColor(uint32_t v) {
    backColor_ = v;
    Invalidate();
}
void Shape::FillColor(uint32_t v) {
    fillColor_ = v;
    Invalidate();
}
void Shape::BorderColor(uint32_t v) {
    borderColor_ = v;
    Invalidate();
}

void Shape::Paint(HDC dc) {
    RECT r = PixelRect();
    int w = r.right - r.left, h = r.bottom - r.top;
    if (shape_ == Square || shape_ == Circle || shape_ == RoundedSquare) {
        int side = std::min(w, h);
        r.left += (w - side) / 2;
        r.top += (h - side) / 2;
        r.right = r.left + side;
        r.bottom = r.top + side;
    }
    auto draw = [&](HDC d, const RECT& q) {
        int radius = std::min(q.right - q.left, q.bottom - q.top) / 4;
        if (shape_ == Oval || shape_ == Circle)
            Ellipse(d, q.left, q.top, q.right, q.bottom);
        else if (shape_ == RoundedRectangle || shape_ == RoundedSquare)
            RoundRect(d, q.left, q.top, q.right, q.bottom, radius, radius);
        else
            ::Rectangle(d, q.left, q.top, q.right, q.bottom);
    };
    if (backStyle_ == vbOpaque) {
        Brush b(CreateSolidBrush(ToColorRef(backColor_)));
        SelectGuard sb(dc, b.get());
        SelectGuard sp(dc, GetStockObject(NULL_PEN));
        RECT q = r;
        q.right += 1;
        q.bottom += 1;
        draw(dc, q);
    }
    Brush fill(fillStyle_ == 0 ? CreateSolidBrush(ToColorRef(fillColor_)) : nullptr);
    Pen pen(borderStyle_ ? CreatePen(PS_INSIDEFRAME, borderWidth_, ToColorRef(borderColor_)) : nullptr);
    SelectGuard sb(dc, fill ? static_cast<HGDIOBJ>(fill.get()) : GetStockObject(NULL_BRUSH));
    SelectGuard sp(dc, pen ? static_cast<HGDIOBJ>(pen.get()) : GetStockObject(NULL_PEN));
    draw(dc, r);
}

// ---- Timer

namespace {
std::unordered_map<UINT_PTR, Timer*>& Timers() {
    static std::unordered_map<UINT_PTR, Timer*> m;
    return m;
}
UINT_PTR nextTimerId = 1;
}  // namespace

void detail::OnTimerMessage(uintptr_t id) {
    auto it = Timers().find(static_cast<UINT_PTR>(id));
    if (it != Timers().end()) it->second->tick();
}

Timer::Timer(Container& c, std::string name, int index)
    : Control(c, std::move(name), index, Kind::Hidden), interval_(0), on_(true) {}
Timer::Timer(const Timer& t, int index)
    : Control(t, index), TimerEvent(t.TimerEvent), interval_(t.interval_), on_(t.on_) {
    arm();
}
Timer::~Timer() {
    if (id_) {
        KillTimer(static_cast<HWND>(detail::RuntimeWindow()), id_);
        Timers().erase(id_);
    }
}

void Timer::arm() {
    HWND w = static_cast<HWND>(detail::RuntimeWindow());
    if (id_) {
        KillTimer(w, id_);
        Timers().erase(id_);
        id_ = 0;
    }
    if (!on_ || interval_ == 0) return;
    id_ = nextTimerId++;
    Timers()[id_] = this;
    SetTimer(w, id_, interval_, nullptr);
}

void Timer::Interval(int64_t ms) {
    CheckRange(ms, 0, 65535, Name());
    interval_ = static_cast<uint32_t>(ms);
    arm();
}
void Timer::Enabled(bool v) {
    on_ = v;
    arm();
}

void Timer::tick() {
    // A tick that arrives while the handler runs (through a modal loop or DoEvents inside it) is dropped.
    if (running_ || !on_) return;
    running_ = true;
    struct Reset {
        bool& flag;
        ~Reset() { flag = false; }
    } reset{running_};
    RaiseEvent(TimerEvent);
}

// ---- Menu

namespace {
UINT nextMenuId = 0x4000;
}

Menu::Menu(Container& c, std::string name, int index, std::string caption)
    : Control(c, std::move(name), index, Kind::Hidden),
      caption_(std::move(caption)),
      menu_(CreatePopupMenu()) {}
Menu::~Menu() {
    if (menu_) DestroyMenu(menu_);
}
MenuItem* Menu::ItemOf(UINT id) const {
    for (MenuItem* i : items_)
        if (i->Id() == id) return i;
    return nullptr;
}
void Menu::add(MenuItem* item) {
    // Members of one array stay together, in index order.
    auto pos = items_.end();
    for (auto it = items_.begin(); it != items_.end(); ++it)
        if ((*it)->Name() == item->Name()) pos = (*it)->Index() < item->Index() ? it + 1 : pos;
    items_.insert(pos, item);
    rebuild();
}
void Menu::remove(MenuItem* item) {
    items_.erase(std::remove(items_.begin(), items_.end(), item), items_.end());
    rebuild();
}
void Menu::rebuild() {
    while (GetMenuItemCount(menu_) > 0) RemoveMenu(menu_, 0, MF_BYPOSITION);
    for (MenuItem* i : items_) {
        if (!i->Visible()) continue;
        UINT flags = MF_STRING | (i->Checked() ? MF_CHECKED : 0) | (i->Control::Enabled() ? 0 : MF_GRAYED);
        if (i->Caption() == "-")
            AppendMenuA(menu_, MF_SEPARATOR, 0, nullptr);
        else
            AppendMenuA(menu_, flags, i->Id(), i->Caption().c_str());
    }
}

MenuItem::MenuItem(Container& c, std::string name, int index, Menu& menu)
    : Control(c, std::move(name), index, Kind::Hidden), menu_(menu), id_(nextMenuId++) {
    menu_.add(this);
}
MenuItem::MenuItem(const MenuItem& t, int index)
    : Control(t, index),
      menu_(t.menu_),
      caption_(t.caption_),
      checked_(t.checked_),
      shown_(t.shown_),
      id_(nextMenuId++) {
    menu_.add(this);
}
MenuItem::~MenuItem() {
    menu_.remove(this);
}
void MenuItem::Caption(std::string c) {
    caption_ = std::move(c);
    menu_.rebuild();
}
void MenuItem::Checked(bool v) {
    checked_ = v;
    menu_.rebuild();
}
void MenuItem::Visible(bool v) {
    shown_ = v;
    menu_.rebuild();
}
void MenuItem::Enabled(bool v) {
    Control::Enabled(v);
    menu_.rebuild();
}

}  // namespace rt
