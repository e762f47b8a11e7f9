#include "controls/chrome/pcsScrollbar.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "runtime/error.h"
#include "runtime/handles.h"

namespace controls {

namespace {

constexpr int kWidth = 16;  // pixels
constexpr double kWidthTwips = 240;
constexpr int kArrow = 24;  // arrow height
constexpr int kMinThumb = 30;
constexpr int kCap = 2;
constexpr double kStep = 50;
constexpr int16_t kRepeatDelay = 1000;  // the repeat counter climbs by 50 a tick up to here
constexpr int kSkinWidth = 64, kSkinHeight = 48;

// The hidden list's items.
enum : int { kUpItem = 0, kIdleItem = 1, kDownItem = 2 };

// One skin box: a fill with a 1-pixel outline, and a chevron pointing up or down (or none).
void SkinBox(HDC dc, int x, int y, int w, int h, COLORREF fill, COLORREF outline, COLORREF chevron,
             int pointing) {
    rt::Brush brush(CreateSolidBrush(fill));
    rt::Pen edge(CreatePen(PS_SOLID, 1, outline));
    {
        rt::SelectGuard b(dc, brush.get());
        rt::SelectGuard p(dc, edge.get());
        Rectangle(dc, x, y, x + w, y + h);
    }
    if (pointing == 0) return;
    rt::Pen arrow(CreatePen(PS_SOLID, 2, chevron));
    rt::SelectGuard p(dc, arrow.get());
    const int cx = x + w / 2, cy = y + h / 2, tip = 2 * pointing;
    const POINT points[3] = {{cx - 4, cy + tip}, {cx, cy - tip}, {cx + 4, cy + tip}};
    Polyline(dc, points, 3);
}

}  // namespace

rt::Picture ScrollbarSkin() {
    rt::ScreenDC screen;
    rt::MemoryDC dc(screen.get());
    rt::Bitmap bitmap(CreateCompatibleBitmap(screen.get(), kSkinWidth, kSkinHeight));
    {
        rt::SelectGuard select(dc.get(), bitmap.get());
        struct Look {
            COLORREF fill, outline, chevron;
        };
        const Look looks[3] = {{RGB(224, 224, 224), RGB(150, 150, 150), RGB(40, 100, 210)},  // normal
                               {RGB(244, 244, 244), RGB(150, 150, 150), RGB(40, 100, 210)},  // hover
                               {RGB(188, 188, 188), RGB(110, 110, 110), RGB(10, 40, 120)}};  // pressed
        for (int look = 0; look < 3; ++look) {
            const Look& l = looks[look];
            SkinBox(dc.get(), look * kWidth, 0, kWidth, kArrow, l.fill, l.outline, l.chevron, 1);
            SkinBox(dc.get(), look * kWidth, kArrow, kWidth, kArrow, l.fill, l.outline, l.chevron, -1);
        }
        // The thumb: its caps are the box's top and bottom rows, its body a middle slice.
        SkinBox(dc.get(), 48, 0, kWidth, kArrow, looks[0].fill, looks[0].outline, 0, 0);
        for (int x = 0; x < kWidth; ++x) {
            const int grey = 200 + 40 * std::min(x, kWidth - 1 - x) / (kWidth / 2);
            rt::Pen pen(CreatePen(PS_SOLID, 1, RGB(grey, grey, grey)));
            rt::SelectGuard p(dc.get(), pen.get());
            MoveToEx(dc.get(), 48 + x, kArrow, nullptr);
            LineTo(dc.get(), 48 + x, kSkinHeight);
        }
    }
    return rt::Picture::FromBitmap(bitmap.release(), true);
}

// The memory copy of the skin that every blit reads; the selection is undone before the DC and
// the bitmap go.
struct pcsScrollbar::SkinCopy {
    rt::Bitmap bitmap;
    rt::MemoryDC dc;
    std::optional<rt::SelectGuard> select;
};

pcsScrollbar::pcsScrollbar(rt::Container& c, std::string name, int index,
                           std::shared_ptr<const rt::PropertyBag> stored)
    : UserControl(c, std::move(name), index, Windowing::Windowed, std::move(stored)) {
    wire();
    Create();
}

pcsScrollbar::pcsScrollbar(const pcsScrollbar& t, int index) : UserControl(t, index), Change(t.Change) {
    wire();
    Create();
}

pcsScrollbar::~pcsScrollbar() = default;

void pcsScrollbar::wire() {
    tmrDey.TimerEvent = [this](int) { tmrDey_Timer(); };
    cb.Click = [this](int) { cb_Click(); };
    cb.Change = [this](int) { cb_Click(); };
}

// ---- life

void pcsScrollbar::UserControl_Initialize() {
    Surface().ScaleMode(rt::vbPixels);
    AutoRedraw(true);
    pic.Visible(false);
    pic.SetPicture(ScrollbarSkin());
    tmrDey.Interval(10);
    tmrDey.Enabled(false);
    // Outside the visible strip: it is there only to hold the keyboard focus.
    cb.Style(2);
    cb.Move(rt::ToTwipsX(kWidth + 8), 0, rt::ToTwipsX(60));
    for (const char* item : {"Up", "Idle", "Down"}) cb.AddItem(item);
}

void pcsScrollbar::UserControl_InitProperties() {
    LoadSkin();
    Max(100);
    Value(0);
    cb.ListIndex(kIdleItem);
}

// Max and Value go straight into the fields, without the setters' limits; both are written
// against 0, a new bar's Max of 100 included.
VANTREL_PROPERTY_TABLE(pcsScrollbar, VANTREL_PCSSCROLLBAR_PROPERTIES)

void pcsScrollbar::UserControl_ReadProperties(rt::PropertyBag& PropBag) {
    rt::Try([&] { Properties().ReadAll(*this, PropBag); });
}

void pcsScrollbar::UserControl_WriteProperties(rt::PropertyBag& PropBag) {
    rt::Try([&] { Properties().WriteAll(*this, PropBag); });
}

void pcsScrollbar::UserControl_Show() {
    LoadSkin();
    PaintScrollbar();
    rt::Try([&] { cb.ListIndex(kIdleItem); });
}

void pcsScrollbar::UserControl_Resize() {
    rt::Try([&] { Width(kWidthTwips); });
    rt::Try([&] { PaintScrollbar(); });
}

void pcsScrollbar::LoadSkin() {
    rt::Try([&] {
        skin_.reset();
        auto copy = std::make_unique<SkinCopy>();
        HDC surface = hDC();
        copy->dc = rt::MemoryDC(surface);
        copy->bitmap.reset(CreateCompatibleBitmap(surface, kSkinWidth, kSkinHeight));
        copy->select.emplace(copy->dc.get(), copy->bitmap.get());
        pic.GetPicture().Render(copy->dc.get(), 0, 0, kSkinWidth, kSkinHeight);
        skin_ = std::move(copy);
    });
}

// ---- properties

void pcsScrollbar::Max(double v) {
    if (!(v >= 1)) v = 1;
    if (settings_.Value > v) Value(v);
    settings_.Max = v;
    PaintScrollbar();
    PropertyChanged("Max");
}

void pcsScrollbar::Value(double v) {
    if (!(v >= 0)) v = 0;
    if (v > settings_.Max) v = settings_.Max;
    settings_.Value = v;
    RaiseEvent(Change);
    PaintScrollbar();
    PropertyChanged("Value");
}

// ---- painting

void pcsScrollbar::PaintScrollbar() {
    Surface().Cls();
    const int h = rt::RoundEven(UserControl::ScaleHeight());
    downBox_.top = h - kArrow;
    const double max = ScaleMax();
    const int track = h - 2 * kArrow;
    const int length = std::max(rt::RoundEven(track / max), kMinThumb);
    int top = rt::RoundEven(settings_.Value / max * (track - length) + kArrow);
    top = std::max(top, kArrow);
    top = std::min(top, h - kArrow - length);  // applied last: in a short bar it wins
    thumb_ = RECT{0, top, kWidth, length};
    if (!skin_) return;

    HDC dc = hDC();
    HDC skin = skin_->dc.get();
    SetStretchBltMode(dc, COLORONCOLOR);
    StretchBlt(dc, 0, 0, kWidth, h, skin, 48, kArrow, kWidth, kArrow, SRCCOPY);
    BitBlt(dc, 0, 0, kWidth, kArrow, skin, 0, 0, SRCCOPY);
    BitBlt(dc, 0, h - kArrow, kWidth, kArrow, skin, 0, kArrow, SRCCOPY);
    switch (hit_) {
        case UpHover:
            BitBlt(dc, 0, 0, kWidth, kArrow, skin, 16, 0, SRCCOPY);
            break;
        case UpPressed:
            BitBlt(dc, 0, 0, kWidth, kArrow, skin, 32, 0, SRCCOPY);
            break;
        case DownHover:
            BitBlt(dc, 0, h - kArrow, kWidth, kArrow, skin, 16, kArrow, SRCCOPY);
            break;
        case DownPressed:
            BitBlt(dc, 0, h - kArrow, kWidth, kArrow, skin, 32, kArrow, SRCCOPY);
            break;
        default:
            break;
    }
    StretchBlt(dc, 0, top, kWidth, length, skin, 48, kCap, kWidth, kCap, SRCCOPY);
    BitBlt(dc, 0, top, kWidth, kCap, skin, 48, 0, SRCCOPY);
    BitBlt(dc, 0, top + length - kCap, kWidth, kCap, skin, 48, kArrow - kCap, SRCCOPY);
    Refresh();
}

bool pcsScrollbar::IsCursorOver() const {
    POINT p{};
    if (!GetCursorPos(&p)) return false;
    return hWnd() && WindowFromPoint(p) == hWnd();
}

// ---- the mouse

void pcsScrollbar::UserControl_MouseDown(int16_t Button, int16_t, float X, float Y) {
    const float top = static_cast<float>(thumb_.top), length = static_cast<float>(thumb_.bottom);
    if (Button == rt::vbLeftButton && X >= 0 && X <= kWidth && Y >= top && Y <= top + length) {
        hit_ = Dragging;
        grab_ = Y - top;
    }
    MoveHandling(Button, X, Y);
}

void pcsScrollbar::UserControl_MouseMove(int16_t Button, int16_t, float X, float Y) {
    MoveHandling(Button, X, Y);
}

// An arrow under the pointer keeps its hover look, and nothing steps.
void pcsScrollbar::UserControl_MouseUp(int16_t, int16_t, float X, float Y) {
    hit_ = Idle;
    MoveHandling(rt::vbRightButton, X, Y);
}

void pcsScrollbar::MoveHandling(int16_t Button, float x, float y) {
    leave_.Start();
    const double h = rt::RoundEven(UserControl::ScaleHeight());
    if (hit_ == Dragging) {
        const double travel = h - 2 * kArrow - thumb_.bottom;
        // A track no longer than the thumb leaves nowhere to drag to.
        double v = travel > 0 ? (y - (grab_ + kArrow)) / travel * ScaleMax() : 0;
        v = std::nearbyint(v * 1e5) / 1e5;
        v = std::clamp(v, 0.0, std::max(settings_.Max, 0.0));
        Value(v);
    } else {
        if (x >= 0 && x <= kWidth) {
            const bool leftAlone = Button == rt::vbLeftButton;
            if (y >= 0 && y <= kArrow)
                hit_ = leftAlone ? UpPressed : UpHover;
            else if (y >= h - kArrow && y <= h)
                hit_ = leftAlone ? DownPressed : DownHover;
            else
                hit_ = Idle;
        }
        if (!IsCursorOver()) hit_ = Idle;
    }
    if (!tmrDey.Enabled()) {
        if (hit_ == UpPressed) Value(settings_.Value - kStep);
        if (hit_ == DownPressed) Value(settings_.Value + kStep);
        tmrDey.Enabled(true);
    }
    if (IsCursorOver()) rt::Try([&] { ::SetFocus(cb.hWnd()); });
    PaintScrollbar();
}

// ---- timers and keys

void pcsScrollbar::tmrDey_Timer() {
    if (hit_ != UpPressed && hit_ != DownPressed) {
        repeat_ = 0;
        tmrDey.Enabled(false);
    }
    if (repeat_ < kRepeatDelay) repeat_ = static_cast<int16_t>(repeat_ + 50);
    if (repeat_ >= kRepeatDelay) {
        if (hit_ == UpPressed) Value(settings_.Value - kStep);
        if (hit_ == DownPressed) Value(settings_.Value + kStep);
    }
}

bool pcsScrollbar::PointerStays() const {
    return IsCursorOver() || hit_ == Dragging;
}

void pcsScrollbar::PointerLeft() {
    hit_ = Idle;
    PaintScrollbar();
}

void pcsScrollbar::cb_Click() {
    const int chosen = cb.ListIndex();
    if (chosen == kUpItem) Value(settings_.Value - kStep);
    if (chosen == kDownItem) Value(settings_.Value + kStep);
    if (chosen != kIdleItem) cb.ListIndex(kIdleItem);
}

}  // namespace controls
