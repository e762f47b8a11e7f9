#include "controls/chrome/ucSlider.h"

#include <windows.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "runtime/convert.h"
#include "runtime/error.h"
#include "runtime/win.h"

namespace controls {

namespace {

constexpr uint32_t kButtonFace = 0x8000000Fu;
constexpr uint32_t kInfoBackground = 0x80000018u;
constexpr uint32_t kWindowText = 0x80000008u;
constexpr uint32_t k3DHighlight = 0x80000014u;
constexpr uint32_t k3DDarkShadow = 0x80000015u;
constexpr int kDesignThumbTwips = 240;  // the thumb holder's design size without a picture
constexpr int32_t kRailPicture = 99;

// A value rounded to the nearest whole number, a half to the even neighbour, then halved with
// the remainder dropped.
int Half(double v) {
    return rt::RoundEven(v) / 2;
}

int EdgeOfStyle(int32_t style) {
    switch (style) {
        case 0:
            return EDGE_SUNKEN;
        case 1:
            return EDGE_RAISED;
        case 2:
            return BDR_SUNKENOUTER;
        case 3:
            return BDR_RAISEDINNER;
        default:
            return 0;
    }
}

ucSliderTip* LoadedTip() {
    return rt::LoadedForm<ucSliderTip>();
}

void CloseTip() {
    rt::Try([] {
        if (ucSliderTip* tip = LoadedTip()) tip->Unload();
    });
}

}  // namespace

// ---- the value tip window

ucSliderTip::ucSliderTip() : Form("ucSliderTip") {
    BorderStyle(rt::vbBSNone);
    ShowInTaskbar(false);
    BackColor(kInfoBackground);
    Surface().ScaleMode(rt::vbPixels);
    AutoRedraw(true);
    GetFont().Name("Tahoma");
    GetFont().Size(8.25f);
    GetFont().Bold(false);
    lblTip.SetFont(GetFont());
    lblTip.BackStyle(rt::vbTransparent);
    lblTip.ForeColor(kWindowText);
    lblTip.Move(rt::ToTwipsX(2), rt::ToTwipsY(1), rt::ToTwipsX(20),
                rt::ToTwipsY(rt::RoundEven(Surface().TextHeight("0"))));
}

void ucSliderTip::Form_Resize() {
    rt::Canvas& s = Surface();
    RECT r{};
    GetClientRect(hWnd(), &r);
    const int w = r.right, h = r.bottom;
    s.Cls();
    s.Line(0, 0, w, 0, k3DHighlight);
    s.Line(0, 0, 0, h, k3DHighlight);
    s.Line(w - 1, 0, w - 1, h, k3DDarkShadow);
    s.Line(0, h - 1, w, h - 1, k3DDarkShadow);
}

// ---- the slider

ucSlider::ucSlider(rt::Container& c, std::string name, int index,
                   std::shared_ptr<const rt::PropertyBag> stored)
    : UserControl(c, std::move(name), index, Windowing::Windowed, std::move(stored)) {
    Create();
}

ucSlider::ucSlider(const ucSlider& t, int index)
    : UserControl(t, index),
      Click(t.Click),
      ArrivedFirst(t.ArrivedFirst),
      ArrivedLast(t.ArrivedLast),
      Change(t.Change),
      MouseDown(t.MouseDown),
      MouseUp(t.MouseUp) {
    Create();
}

ucSlider::~ucSlider() {
    CloseTip();
}

int ucSlider::controlWidth() const {
    const RECT r = PixelRect();
    return r.right - r.left;
}

int ucSlider::controlHeight() const {
    const RECT r = PixelRect();
    return r.bottom - r.top;
}

bool ucSlider::railPictureMode() const {
    return settings_.RailStyle == kRailPicture && !settings_.RailImage.Empty();
}

float ucSlider::travel() const {
    return settings_.Orientation == 0 ? static_cast<float>(controlWidth()) - thumb_.width
                                      : static_cast<float>(controlHeight()) - thumb_.height;
}

void ucSlider::UserControl_Initialize() {
    ScaleMode(rt::vbPixels);
    AutoRedraw(true);
    thumb_.width = static_cast<float>(kDesignThumbTwips / rt::TwipsPerPixelX());
    thumb_.height = static_cast<float>(kDesignThumbTwips / rt::TwipsPerPixelY());
}

// Read in this order, stored as they are: no setter's checks or effects.
VANTREL_PROPERTY_TABLE(ucSlider, VANTREL_SLIDER_PROPERTIES)

void ucSlider::UserControl_InitProperties() {
    Properties().InitAll(*this);
    range_ = settings_.Max - settings_.Min;
    lastValue_ = settings_.Value;
    PlaceAtStart();
}

void ucSlider::UserControl_ReadProperties(rt::PropertyBag& PropBag) {
    Properties().ReadAll(*this, PropBag);
    range_ = settings_.Max - settings_.Min;
    lastValue_ = settings_.Value;
    // Both axes at once; the first layout corrects the cross axis. A zero range keeps the thumb.
    if (range_ != 0) {
        const double share = static_cast<double>(settings_.Value - settings_.Min) / range_;
        const float travelX = static_cast<float>(controlWidth()) - thumb_.width;
        const float travelY = static_cast<float>(controlHeight()) - thumb_.height;
        thumb_.left = static_cast<float>(travelX * share);
        thumb_.top = static_cast<float>(travelY - travelY * share);
    }
}

void ucSlider::UserControl_WriteProperties(rt::PropertyBag& PropBag) {
    Properties().WriteAll(*this, PropBag);
}

void ucSlider::UserControl_Resize() {
    Layout();
}

void ucSlider::UserControl_Show() {
    PaintSlider();
}

// ---- properties

void ucSlider::Enabled(bool v) {
    settings_.Enabled = v;
}

void ucSlider::BackColor(uint32_t c) {
    UserControl::BackColor(c);
    PaintSlider();
}

void ucSlider::MousePointer(int32_t v) {
    UserControl::MousePointer(rt::NumberToInt16(v));
}

void ucSlider::MouseIcon(rt::Picture p) {
    UserControl::MouseIcon(std::move(p));
}

void ucSlider::Max(int32_t v) {
    settings_.Max = v;
    range_ = settings_.Max - settings_.Min;
}

void ucSlider::Min(int32_t v) {
    if (v >= settings_.Max) rt::Raise(rt::errInvalidPropertyValue, Name());
    settings_.Min = v;
    Value(v);
    range_ = settings_.Max - settings_.Min;
}

void ucSlider::Value(int32_t v) {
    if (v < settings_.Min || v > settings_.Max) rt::Raise(rt::errInvalidPropertyValue, Name());
    settings_.Value = v;
    if (settings_.Value == lastValue_) return;
    if (!dragging_) {
        // With no range there is no place for the value but the start.
        if (range_ == 0)
            PlaceAtStart();
        else
            PlaceFromValue();
    }
    PaintSlider();
    lastValue_ = settings_.Value;
    RaiseEvent(Change);
    if (settings_.Value == settings_.Max) RaiseEvent(ArrivedLast);
    if (settings_.Value == settings_.Min) RaiseEvent(ArrivedFirst);
}

void ucSlider::Orientation(int32_t v) {
    settings_.Orientation = v;
    PlaceAtStart();
    Layout();
}

void ucSlider::RailStyle(int32_t v) {
    settings_.RailStyle = v;
    Layout();
}

void ucSlider::SliderImage(rt::Picture p) {
    SetThumbPicture(std::move(p));
    Layout();
}

// The thumb takes the picture's natural size, or the holder's design size without one.
void ucSlider::SetThumbPicture(rt::Picture p) {
    thumbPicture_ = std::move(p);
    const bool none = thumbPicture_.Empty();
    thumb_.width = none ? static_cast<float>(kDesignThumbTwips / rt::TwipsPerPixelX())
                        : static_cast<float>(thumbPicture_.PixelWidth());
    thumb_.height = none ? static_cast<float>(kDesignThumbTwips / rt::TwipsPerPixelY())
                         : static_cast<float>(thumbPicture_.PixelHeight());
}

void ucSlider::RailImage(rt::Picture p) {
    settings_.RailImage = std::move(p);
    Layout();
}

// ---- geometry

void ucSlider::PlaceAtStart() {
    thumb_.left = 0;
    thumb_.top = settings_.Orientation == 0 ? 0.0f : static_cast<float>(controlHeight()) - thumb_.height;
}

void ucSlider::PlaceFromValue() {
    if (range_ == 0) rt::Raise(11, Name());  // division by zero
    const float t = travel();
    const double share = static_cast<double>(settings_.Value - settings_.Min) / range_;
    if (settings_.Orientation == 0)
        thumb_.left = static_cast<float>(t * share);
    else if (settings_.Orientation == 1)
        thumb_.top = static_cast<float>(t - t * share);
}

void ucSlider::Layout() {
    if (settings_.Orientation == 0 || settings_.Orientation == 1) {
        const bool horizontal = settings_.Orientation == 0;
        const float railW =
            settings_.RailImage.Empty() ? 0.0f : static_cast<float>(settings_.RailImage.PixelWidth());
        const float railH =
            settings_.RailImage.Empty() ? 0.0f : static_cast<float>(settings_.RailImage.PixelHeight());
        // 1. The control's size follows the thumb, or the rail picture.
        rt::Try([&] {
            double w = controlWidth(), h = controlHeight();
            if (railPictureMode()) {
                w = horizontal ? railW + 4 : std::max(thumb_.width, railW);
                h = horizontal ? std::max(thumb_.height, railH) : railH + 4;
            } else if (horizontal) {
                if (w == 0) w = thumb_.width;
                h = thumb_.height;
            } else {
                if (h == 0) h = thumb_.height;
                w = thumb_.width;
            }
            const double twW = rt::RoundEven(w) * rt::TwipsPerPixelX();
            const double twH = rt::RoundEven(h) * rt::TwipsPerPixelY();
            if (twW != Width() || twH != Height()) Size(twW, twH);
        });
        // 2. The thumb on the cross axis.
        if (horizontal)
            thumb_.top = railPictureMode() && railH > thumb_.height
                             ? static_cast<float>(Half(railH - thumb_.height))
                             : 0.0f;
        else
            thumb_.left = railPictureMode() && railW > thumb_.width
                              ? static_cast<float>(Half(railW - thumb_.width))
                              : 0.0f;
        // 3. The thumb along the axis (a zero range keeps it where it is).
        rt::Try([&] { PlaceFromValue(); });
        // 4. The rail: a band 4 pixels thick under the thumb's centre line.
        if (horizontal) {
            rail_.left = Half(thumb_.width) - 2;
            rail_.top = Half(thumb_.height - 4);
            rail_.right = rt::RoundEven(controlWidth() + rail_.left - thumb_.width + 4);
            rail_.bottom = rail_.top + 4;
        } else {
            rail_.left = Half(thumb_.width - 4);
            rail_.right = rail_.left + 4;
            rail_.top = Half(thumb_.height) - 2;
            rail_.bottom = rt::RoundEven(controlHeight() + rail_.top - thumb_.height + 4);
        }
    }
    PaintSlider();
}

void ucSlider::PaintSlider() {
    rt::Try([&] { Surface().Cls(); });
    HDC dc = hDC();
    if (!dc) return;
    if (settings_.RailStyle == kRailPicture) {
        if (!settings_.RailImage.Empty()) {
            const int w = settings_.RailImage.PixelWidth(), h = settings_.RailImage.PixelHeight();
            if (settings_.Orientation == 0)
                settings_.RailImage.Render(dc, 2, Half(controlHeight() - h), w, h);
            else
                settings_.RailImage.Render(dc, Half(controlWidth() - w), 2, w, h);
        }
    } else if (const int edge = EdgeOfStyle(settings_.RailStyle)) {
        RECT r = rail_;
        DrawEdge(dc, &r, static_cast<UINT>(edge), BF_RECT);
    }
    if (!thumbPicture_.Empty()) {
        thumbPicture_.Render(dc, rt::RoundEven(thumb_.left), rt::RoundEven(thumb_.top),
                             thumbPicture_.PixelWidth(), thumbPicture_.PixelHeight());
    } else {
        thumbRect_.left = rt::RoundEven(thumb_.left);
        thumbRect_.top = rt::RoundEven(thumb_.top);
        thumbRect_.right = rt::RoundEven(thumb_.width + thumbRect_.left);
        thumbRect_.bottom = rt::RoundEven(thumb_.height + thumbRect_.top);
        rt::Brush face(CreateSolidBrush(rt::ToColorRef(kButtonFace)));
        FillRect(dc, &thumbRect_, face.get());
        RECT r = thumbRect_;
        DrawEdge(dc, &r, EDGE_RAISED, BF_RECT);
    }
    Invalidate();
    if (settings_.ShowValueTip && dragging_) PlaceValueTip();
}

int32_t ucSlider::ValueFromThumb() {
    if (settings_.Orientation != 0 && settings_.Orientation != 1) return 0;
    const float t = travel();
    // No travel: nothing to measure; the value is Min.
    if (t <= 0) return settings_.Min;
    // The share in double precision: a single-precision quotient such as 35 / 100 falls just
    // below the half that rounding must see.
    const double travelD = t;
    const double share =
        settings_.Orientation == 0 ? thumb_.left / travelD : (travelD - thumb_.top) / travelD;
    const int32_t v = rt::RoundEven(share * range_ + settings_.Min);
    // The thumb snaps to the exact place of the value.
    const int32_t saved = settings_.Value;
    settings_.Value = v;
    rt::Try([&] { PlaceFromValue(); });
    settings_.Value = saved;
    return v;
}

void ucSlider::MoveThumb(float X, float Y) {
    const float t = travel();
    if (settings_.Orientation == 0) {
        const float p = X - grabX_;
        thumb_.left = p < 0 ? 0.0f : (p <= t ? p : t);
    } else if (settings_.Orientation == 1) {
        const float p = Y - grabY_;
        thumb_.top = p < 0 ? 0.0f : (p <= t ? p : t);
    }
    // A value the setter refuses (a range below zero) leaves Value as it is.
    rt::Try([&] { Value(ValueFromThumb()); });
}

// ---- mouse

void ucSlider::UserControl_MouseDown(int16_t Button, int16_t Shift, float X, float Y) {
    if (!settings_.Enabled || Button != rt::vbLeftButton) return;
    dragging_ = true;
    const bool onThumb = thumb_.left <= X && X < thumb_.left + thumb_.width && thumb_.top <= Y &&
                         Y < thumb_.top + thumb_.height;
    if (onThumb) {
        grabX_ = X - thumb_.left;
        grabY_ = Y - thumb_.top;
    } else {
        grabX_ = static_cast<float>(Half(thumb_.width));
        grabY_ = static_cast<float>(Half(thumb_.height));
        MoveThumb(X, Y);
    }
    if (settings_.ShowValueTip) PlaceValueTip();
    int16_t shift = Shift;
    RaiseEvent(MouseDown, shift);
}

void ucSlider::UserControl_MouseMove(int16_t Button, int16_t Shift, float X, float Y) {
    if (dragging_) MoveThumb(X, Y);
}

void ucSlider::UserControl_MouseUp(int16_t Button, int16_t Shift, float X, float Y) {
    if (Button == rt::vbLeftButton && X >= 0 && X < controlWidth() && Y >= 0 && Y < controlHeight())
        RaiseEvent(Click);
    if (dragging_) {
        int16_t shift = Shift;
        RaiseEvent(MouseUp, shift);
    }
    dragging_ = false;
    CloseTip();
}

void ucSlider::PlaceValueTip() {
    rt::Procedure proc(rt::OnError::Skip);
    RECT window{};
    proc.step([&] { GetWindowRect(hWnd(), &window); });
    ucSliderTip* tip = nullptr;
    proc.step([&] { tip = &rt::Load<ucSliderTip>(); });
    if (!tip) return;
    const std::string text = std::to_string(settings_.Value);
    proc.step([&] { tip->lblTip.Width(rt::ToTwipsX(rt::RoundEven(tip->Surface().TextWidth(text)))); });
    proc.step([&] { tip->lblTip.Caption(text); });
    proc.step([&] { tip->lblTip.Refresh(); });
    const RECT label = tip->lblTip.PixelRect();
    const int lw = label.right - label.left, lh = label.bottom - label.top;
    double x, y;
    if (settings_.Orientation == 0) {
        x = rt::RoundEven(window.left + thumb_.left + Half(thumb_.width - lw - 4));
        y = rt::RoundEven(window.top + thumb_.top - lh - 5);
    } else {
        x = rt::RoundEven(window.left + thumb_.left - lw - 6);
        y = rt::RoundEven(window.top + thumb_.top + Half(thumb_.height - lh - 4));
    }
    proc.step([&] {
        tip->Move(x * rt::TwipsPerPixelX(), y * rt::TwipsPerPixelY(), (lw + 4) * rt::TwipsPerPixelX(),
                  (lh + 3) * rt::TwipsPerPixelY());
    });
    // Shown on top of the ordinary windows without taking the activation from the one under the
    // pointer.
    proc.step([&] {
        SetWindowPos(tip->hWnd(), HWND_TOP, 0, 0, 0, 0,
                     SWP_SHOWWINDOW | SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE);
    });
}

}  // namespace controls
