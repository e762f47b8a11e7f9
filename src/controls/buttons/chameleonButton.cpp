// The dialog button: settings, colours, geometry, the pointer poll, mouse, keys and focus. Its
// drawing is in chameleon_paint.cpp.
#include "controls/buttons/chameleonButton.h"

#include <cmath>
#include <utility>

#include "controls/buttons/chameleon_draw.h"
#include "controls/common/paint.h"
#include "runtime/error.h"
#include "runtime/ui.h"
#include "runtime/win.h"

namespace controls {

namespace {

constexpr int16_t kKeySpace = 32;
constexpr int16_t kArrow = 1, kCustom = 99;

bool Blank(const std::string& s) {
    return s.find_first_not_of(' ') == std::string::npos;
}

}  // namespace

chameleonButton::chameleonButton(rt::Container& parent, std::string name, int index,
                                 std::shared_ptr<const rt::PropertyBag> stored)
    : UserControl(parent, std::move(name), index, Windowing::Windowed, std::move(stored)) {
    Create();
}

chameleonButton::chameleonButton(const chameleonButton& templ, int index)
    : UserControl(templ, index),
      MouseDown(templ.MouseDown),
      MouseMove(templ.MouseMove),
      MouseUp(templ.MouseUp),
      KeyPress(templ.KeyPress),
      KeyDown(templ.KeyDown),
      KeyUp(templ.KeyUp),
      MouseOver(templ.MouseOver),
      MouseOut(templ.MouseOut) {
    Create();
}

chameleonButton::~chameleonButton() {
    redrawOn_ = false;
    if (background_ && backgroundOld_) SelectObject(background_.get(), backgroundOld_);
}

void chameleonButton::UserControl_Initialize() {
    Surface().ScaleMode(rt::vbPixels);
    Surface().AutoRedraw(true);
}

// ---- Property bag

void chameleonButton::UserControl_InitProperties() {
    Properties().InitAll(*this);
    ChameleonSetColors();
    DeriveAccessKey();
    ChameleonLayoutCaption();
}

VANTREL_PROPERTY_TABLE(chameleonButton, VANTREL_CHAMELEON_PROPERTIES)

void chameleonButton::UserControl_ReadProperties(rt::PropertyBag& PropBag) {
    Properties().ReadAll(*this, PropBag);
    UserControl::Enabled(settings_.Enabled);
    ChameleonSetColors();
    ChameleonMeasurePicture();
    ChameleonLayoutCaption();
    DeriveAccessKey();
}

void chameleonButton::UserControl_WriteProperties(rt::PropertyBag& PropBag) {
    Properties().WriteAll(*this, PropBag);
}

// ---- Properties

void chameleonButton::ColoursChanged(const char* name) {
    ChameleonSetColors();
    ChameleonRedraw(lastState_, true);
    PropertyChanged(name);
}

void chameleonButton::FontChanged() {
    ChameleonLayoutCaption();
    ChameleonRedraw(0, true);
}

void chameleonButton::SetColour(uint32_t& field, uint32_t v, const char* name, uint32_t* over) {
    field = v;
    if (over && !Ambient().UserMode) *over = v;
    ColoursChanged(name);
}

void chameleonButton::BackColor(uint32_t v) {
    SetColour(settings_.BackColor, v, "BCOL", &settings_.BackOver);
}

void chameleonButton::BackOver(uint32_t v) {
    SetColour(settings_.BackOver, v, "BCOLO");
}

void chameleonButton::ForeColor(uint32_t v) {
    SetColour(settings_.ForeColor, v, "FCOL", &settings_.ForeOver);
}

void chameleonButton::ForeOver(uint32_t v) {
    SetColour(settings_.ForeOver, v, "FCOLO");
}

void chameleonButton::MaskColor(uint32_t v) {
    SetColour(settings_.MaskColor, v, "MCOL");
}

void chameleonButton::ButtonType(int32_t v) {
    settings_.ButtonType = v;
    if (v == 5 && !Ambient().UserMode)
        GetFont().Bold(true);
    else if (v == 11 && redrawOn_)
        ChameleonCopyBackground();
    // The tinted face is blue-weighted for type 3 only.
    ChameleonSetColors();
    ResizeStep();
    PropertyChanged("BTYPE");
}

void chameleonButton::Caption(std::string v) {
    settings_.Caption = std::move(v);
    DeriveAccessKey();
    ChameleonLayoutCaption();
    ChameleonRedraw(0, true);
    PropertyChanged("TX");
}

void chameleonButton::Enabled(bool v) {
    settings_.Enabled = v;
    ChameleonRedraw(0, true);
    UserControl::Enabled(v);
    PropertyChanged("ENAB");
}

void chameleonButton::Font(rt::Font f) {
    GetFont() = std::move(f);
    FontChanged();
    PropertyChanged("FONT");
}

void chameleonButton::FontBold(bool v) {
    GetFont().Bold(v);
    FontChanged();
}

void chameleonButton::FontItalic(bool v) {
    GetFont().Italic(v);
    FontChanged();
}

void chameleonButton::FontUnderline(bool v) {
    GetFont().Underline(v);
    FontChanged();
}

int16_t chameleonButton::FontSize() {
    return static_cast<int16_t>(std::nearbyint(GetFont().Size()));
}

void chameleonButton::FontSize(int16_t v) {
    GetFont().Size(v);
    FontChanged();
}

void chameleonButton::FontName(const std::string& v) {
    GetFont().Name(v);
    FontChanged();
}

void chameleonButton::ColorScheme(int32_t v) {
    settings_.ColorScheme = v;
    ChameleonSetColors();
    ChameleonRedraw(0, true);
    PropertyChanged("COLTYPE");
}

void chameleonButton::ShowFocusRect(bool v) {
    settings_.ShowFocusRect = v;
    ChameleonRedraw(lastState_, true);
    PropertyChanged("FOCUSR");
}

void chameleonButton::MousePointer(int32_t v) {
    UserControl::MousePointer(static_cast<int16_t>(v));
    PropertyChanged("MPTR");
}

void chameleonButton::MouseIcon(rt::Picture p) {
    // A picture the platform refuses as a pointer is left out; the change is reported anyway.
    rt::Try([&] { UserControl::MouseIcon(std::move(p)); });
    PropertyChanged("MICON");
}

std::function<rt::Picture()>& chameleonButton::HandPointerSource() {
    static std::function<rt::Picture()> source;
    return source;
}

void chameleonButton::HandPointer(bool v) {
    settings_.HandPointer = v;
    if (v) {
        // The platform's hand in place of a cursor resource of our own. When there is none the
        // caller hears of it and the pointer stays as it was; the flag keeps the value given.
        const auto& source = HandPointerSource();
        rt::Picture hand = source ? source() : HandPointerPicture();
        if (hand.Empty()) rt::Raise(rt::errResourceNotFound, Name());
        UserControl::MouseIcon(std::move(hand));
        UserControl::MousePointer(kCustom);
    } else {
        UserControl::MouseIcon(rt::Picture());
        UserControl::MousePointer(kArrow);
    }
    PropertyChanged("HAND");
}

void chameleonButton::SoftBevel(bool v) {
    settings_.SoftBevel = v;
    ColoursChanged("SOFT");
}

void chameleonButton::PictureNormal(rt::Picture p) {
    settings_.PictureNormal = std::move(p);
    ChameleonMeasurePicture();
    ChameleonLayoutCaption();
    ChameleonRedraw(lastState_, true);
    PropertyChanged("PICN");
}

void chameleonButton::PictureOver(rt::Picture p) {
    settings_.PictureOver = std::move(p);
    if (hot_) ChameleonRedraw(lastState_, true);
    PropertyChanged("PICO");
}

void chameleonButton::PicturePosition(int32_t v) {
    settings_.PicturePosition = v;
    PropertyChanged("PICPOS");
    ChameleonLayoutCaption();
    ChameleonRedraw(lastState_, true);
}

void chameleonButton::UseMaskColor(bool v) {
    settings_.UseMaskColor = v;
    if (!settings_.PictureNormal.Empty()) ChameleonRedraw(lastState_, true);
    PropertyChanged("UMCOL");
}

void chameleonButton::UseGreyscale(bool v) {
    settings_.UseGreyscale = v;
    if (!settings_.PictureNormal.Empty()) ChameleonRedraw(lastState_, true);
    PropertyChanged("NGREY");
}

void chameleonButton::SpecialEffect(int32_t v) {
    settings_.SpecialEffect = v;
    ChameleonRedraw(lastState_, true);
    PropertyChanged("FX");
}

void chameleonButton::CheckBoxBehaviour(bool v) {
    settings_.CheckBoxBehaviour = v;
    ChameleonRedraw(lastState_, true);
    PropertyChanged("CHECK");
}

void chameleonButton::Value(bool v) {
    settings_.Value = v;
    if (settings_.CheckBoxBehaviour) ChameleonRedraw(0, true);
    PropertyChanged("VALUE");
}

void chameleonButton::Refresh() {
    if (settings_.ButtonType == 11) ChameleonCopyBackground();
    ChameleonSetColors();
    ChameleonLayoutCaption();
    redrawOn_ = true;
    ChameleonRedraw(lastState_, true);
}

void chameleonButton::DeriveAccessKey() {
    std::wstring wide;
    for (char ch : settings_.Caption) wide.push_back(static_cast<wchar_t>(static_cast<unsigned char>(ch)));
    const wchar_t key = ChameleonAccessKey(wide);
    AccessKeys(key ? std::string(1, static_cast<char>(key)) : std::string());
}

// ---- Colours and geometry

void chameleonButton::ChameleonSetColors() {
    ChameleonSystemColors sys{};
    sys.face = GetSysColor(COLOR_BTNFACE);
    sys.text = GetSysColor(COLOR_BTNTEXT);
    sys.shadow = GetSysColor(COLOR_BTNSHADOW);
    sys.light = GetSysColor(COLOR_3DLIGHT);
    sys.highlight = GetSysColor(COLOR_BTNHIGHLIGHT);
    sys.dark = GetSysColor(COLOR_3DDKSHADOW);
    sys.selection = GetSysColor(COLOR_HIGHLIGHT);
    ChameleonSchemeInput in{};
    in.scheme = settings_.ColorScheme;
    in.buttonType = settings_.ButtonType;
    in.softBevel = settings_.SoftBevel;
    in.mask = TranslateOleColor(settings_.MaskColor);
    if (settings_.ColorScheme == 2) {
        in.back = TranslateOleColor(settings_.BackColor);
        in.fore = TranslateOleColor(settings_.ForeColor);
        in.foreOver = TranslateOleColor(settings_.ForeOver);
    } else if (settings_.ColorScheme == 4) {
        HWND parent = hWnd() ? GetParent(hWnd()) : nullptr;
        rt::WindowDC dc(parent);
        if (dc.get()) {
            in.back = GetBkColor(dc.get());
            in.fore = GetTextColor(dc.get());
        }
    }
    colors_ = ChameleonSchemeColors(in, sys);
}

void chameleonButton::UserControl_Resize() {
    ResizeStep();
}

void chameleonButton::ResizeStep() {
    if (copying_) return;
    RECT client{};
    if (hWnd()) client = rt::ClientRectOf(hWnd());
    W = client.right;
    H = client.bottom;
    focusRect_ = client;
    const int inset = ChameleonFocusInset(settings_.ButtonType);
    InflateRect(&focusRect_, -inset, -inset);
    if (settings_.ButtonType == 14) OffsetRect(&focusRect_, 1, 1);
    ChameleonLayoutCaption();
    if (hWnd()) {
        rt::Region outline = ChameleonMakeRegion(settings_.ButtonType, W, H);
        // The window owns the region once it took it; a refused one leaves the old outline.
        if (outline && SetWindowRgn(hWnd(), outline.get(), TRUE)) outline.release();
    }
    if (H != 0) ChameleonRedraw(0, true);
}

void chameleonButton::ChameleonLayoutCaption() {
    const int w = picW_, h = picH_;
    switch (settings_.PicturePosition) {
        case 0:
            layoutArea_ = {w + 1, 1, W - 2, H - 2};
            break;
        case 1:
            layoutArea_ = {1, 1, W - w - 2, H - 2};
            break;
        case 2:
            layoutArea_ = {1, h + 1, W - 2, H - 2};
            break;
        case 3:
            layoutArea_ = {1, 1, W - 2, H - h - 2};
            break;
        case 4:
            layoutArea_ = {1, 1, W - 2, H - 2};
            break;
        default:
            break;
    }
    RECT r = layoutArea_;
    {
        rt::ScreenDC screen;
        rt::MemoryDC dc(screen.get());
        rt::SelectGuard font(dc.get(), GetFont().Handle());
        DrawTextA(dc.get(), settings_.Caption.c_str(), static_cast<int>(settings_.Caption.size()), &r,
                  DT_CALCRECT | DT_WORDBREAK);
    }
    captionRect_ = r;
    captionW_ = r.right - r.left;
    captionH_ = r.bottom - r.top;
    switch (settings_.PicturePosition) {
        case 1:
            OffsetRect(&captionRect_, (W - r.right - w - 4) / 2, (H - r.bottom) / 2);
            break;
        case 3:
            OffsetRect(&captionRect_, (W - r.right) / 2, (H - r.bottom - h - 4) / 2);
            break;
        case 0:
        case 2:
        case 4:
            OffsetRect(&captionRect_, (W - r.right) / 2, (H - r.bottom) / 2);
            break;
        default:
            break;
    }
    pressedRect_ = captionRect_;
    OffsetRect(&pressedRect_, 1, 1);
    ChameleonPlacePicture();
}

void chameleonButton::ChameleonMeasurePicture() {
    if (settings_.PictureNormal.Empty()) {
        picW_ = picH_ = 0;
        return;
    }
    picW_ = settings_.PictureNormal.PixelWidth();
    picH_ = settings_.PictureNormal.PixelHeight();
}

void chameleonButton::ChameleonPlacePicture() {
    if (settings_.PictureNormal.Empty() && settings_.PictureOver.Empty()) return;
    const int w = picW_, h = picH_;
    if (!Blank(settings_.Caption) && settings_.PicturePosition != 4) {
        switch (settings_.PicturePosition) {
            case 0:
                picX_ = captionRect_.left - w - 4, picY_ = (H - h) / 2;
                break;
            case 1:
                picX_ = captionRect_.right + 4, picY_ = (H - h) / 2;
                break;
            case 2:
                picX_ = (W - w) / 2, picY_ = captionRect_.top - h - 2;
                break;
            case 3:
                picX_ = (W - w) / 2, picY_ = captionRect_.bottom + 2;
                break;
            default:
                break;
        }
    } else {
        picX_ = (W - w) / 2, picY_ = (H - h) / 2;
    }
}

void chameleonButton::ChameleonCopyBackground() {
    HWND self = hWnd();
    if (!self) return;
    copying_ = true;
    const double height = Height();
    const RECT at = PixelRect();
    const int w = at.right - at.left, h = at.bottom - at.top;
    // Each step may fail; the next one runs all the same.
    rt::Try([&] { Height(0); });
    rt::Try([&] { rt::DoEvents(); });
    rt::Try([&] {
        if (!background_) {
            rt::ScreenDC screen;
            background_ = rt::MemoryDC(screen.get());
        }
        if (backgroundOld_) SelectObject(background_.get(), backgroundOld_);
        backgroundOld_ = nullptr;
        rt::WindowDC parent(GetParent(self));
        backgroundBitmap_.reset(CreateCompatibleBitmap(parent.get(), w, h));
        if (!background_ || !backgroundBitmap_) return;
        backgroundOld_ = SelectObject(background_.get(), backgroundBitmap_.get());
        BitBlt(background_.get(), 0, 0, w, h, parent.get(), at.left, at.top, SRCCOPY);
    });
    rt::Try([&] { Height(height); });
    copying_ = false;
}

// ---- Showing and ambient changes

void chameleonButton::UserControl_Show() {
    if (settings_.ButtonType == 11) ChameleonCopyBackground();
    redrawOn_ = true;
    ChameleonSetColors();
    ChameleonRedraw(0, true);
}

void chameleonButton::UserControl_AmbientChanged(const std::string&) {
    if (settings_.ColorScheme == 2) return;
    ChameleonSetColors();
    ChameleonRedraw(lastState_, true);
}

void chameleonButton::UserControl_GotFocus() {
    hasFocus_ = true;
    ChameleonRedraw(lastState_, true);
}

void chameleonButton::UserControl_LostFocus() {
    hasFocus_ = false;
    ChameleonRedraw(lastState_, true);
}

// ---- Pointer

bool chameleonButton::ChameleonCursorOver() const {
    POINT p{};
    if (!GetCursorPos(&p)) return false;
    return WindowFromPoint(p) == hWnd();
}

// A failure here ends at the control: nothing escapes the timer's message.
void chameleonButton::PointerLeft() {
    rt::Try([&] {
        hot_ = false;
        ChameleonRedraw(0, true);
        RaiseEvent(MouseOut);
    });
}

void chameleonButton::PressStep(int16_t& Button, int16_t& Shift, float& X, float& Y) {
    RaiseEvent(MouseDown, Button, Shift, X, Y);
    lastButton_ = Button;
    if (Button != rt::vbRightButton) ChameleonRedraw(2, false);
}

void chameleonButton::UserControl_MouseDown(int16_t Button, int16_t Shift, float X, float Y) {
    rt::Try([&] {
        // A left press takes the focus, as on any push button of the platform.
        if (Button == rt::vbLeftButton && GetFocus() != hWnd()) SetFocus();
        PressStep(Button, Shift, X, Y);
    });
}

void chameleonButton::UserControl_MouseMove(int16_t Button, int16_t Shift, float X, float Y) {
    rt::Try([&] {
        RaiseEvent(MouseMove, Button, Shift, X, Y);
        if (Button != 0 && Button != rt::vbLeftButton) return;
        if (!ChameleonCursorOver()) {
            ChameleonRedraw(0, false);
        } else if (Button == 0 && !hot_) {
            leave_.Start();
            hot_ = true;
            ChameleonRedraw(0, true);
            RaiseEvent(MouseOver);
        } else if (Button == rt::vbLeftButton) {
            // The down look is drawn as hot; the hover itself is the poll's to end.
            hot_ = true;
            struct Back {
                bool& hot;
                ~Back() { hot = false; }
            } back{hot_};
            ChameleonRedraw(2, false);
        }
    });
}

void chameleonButton::UserControl_MouseUp(int16_t Button, int16_t Shift, float X, float Y) {
    rt::Try([&] {
        RaiseEvent(MouseUp, Button, Shift, X, Y);
        if (Button != rt::vbRightButton) ChameleonRedraw(0, false);
    });
}

void chameleonButton::ClickStep() {
    if (lastButton_ != rt::vbLeftButton || !settings_.Enabled) return;
    if (settings_.CheckBoxBehaviour) settings_.Value = !settings_.Value;
    ChameleonRedraw(0, true);
    // The new look is on screen before the handlers run.
    UpdateWindow(hWnd());
    RaiseEvent(Click);
}

void chameleonButton::UserControl_Click() {
    rt::Try([&] { ClickStep(); });
}

void chameleonButton::UserControl_DblClick() {
    rt::Try([&] {
        if (lastButton_ != rt::vbLeftButton) return;
        int16_t button = rt::vbLeftButton, shift = 0;
        float x = 0, y = 0;
        PressStep(button, shift, x, y);
        // The release comes here, and ends the capture.
        SetCapture(hWnd());
    });
}

// ---- Keys

void chameleonButton::UserControl_KeyDown(int16_t& KeyCode, int16_t Shift) {
    rt::Try([&] {
        int16_t shift = Shift;
        RaiseEvent(KeyDown, KeyCode, shift);
    });
    // Every failing step is skipped: a code beyond a byte keeps the last key and the rest runs.
    if (KeyCode >= 0 && KeyCode <= 255) lastKey_ = static_cast<uint8_t>(KeyCode);
    rt::Try([&] {
        switch (KeyCode) {
            case kKeySpace:
                ChameleonRedraw(2, false);
                break;
            default:
                rt::MoveFocusByArrow(*this, KeyCode);
                break;
        }
    });
}

void chameleonButton::UserControl_KeyUp(int16_t& KeyCode, int16_t Shift) {
    rt::Try([&] {
        int16_t shift = Shift;
        RaiseEvent(KeyUp, KeyCode, shift);
        if (lastKey_ != kKeySpace || KeyCode != kKeySpace) return;
        if (settings_.CheckBoxBehaviour) settings_.Value = !settings_.Value;
        ChameleonRedraw(0, false);
        UpdateWindow(hWnd());
        RaiseEvent(Click);
    });
}

void chameleonButton::UserControl_KeyPress(int16_t& KeyAscii) {
    rt::Try([&] { RaiseEvent(KeyPress, KeyAscii); });
}

void chameleonButton::UserControl_AccessKeyPress(int16_t) {
    rt::Try([&] {
        lastButton_ = rt::vbLeftButton;
        ClickStep();
    });
}

}  // namespace controls
