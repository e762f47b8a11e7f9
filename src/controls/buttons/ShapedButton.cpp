#include "controls/buttons/ShapedButton.h"

#include <utility>
#include <vector>

#include "controls/buttons/shaped_region.h"
#include "controls/common/paint.h"
#include "runtime/dib.h"
#include "runtime/error.h"

namespace controls {

ShapedButton::ShapedButton(rt::Container& c, std::string name, int index,
                           std::shared_ptr<const rt::PropertyBag> stored)
    : UserControl(c, std::move(name), index, Windowing::Windowed, std::move(stored)) {
    Create();
}

ShapedButton::ShapedButton(const ShapedButton& templ, int index)
    : UserControl(templ, index), MouseLeave(templ.MouseLeave) {
    Create();
}

void ShapedButton::UserControl_Initialize() {
    ScaleMode(rt::vbTwips);
    MousePointer(99);
    lblCaption.BackStyle(0);
    lblCaption.AutoSize(true);
    lblCaption.Caption("");
    lblCaption.MouseMove = [this](int, int16_t b, int16_t s, float x, float y) {
        RaiseEvent(MouseMove, b, s, x, y);
    };
    lblCaption.MouseDown = [this](int, int16_t b, int16_t s, float x, float y) {
        pressed_ = true;
        RaiseEvent(MouseDown, b, s, x, y);
    };
    lblCaption.MouseUp = [this](int, int16_t, int16_t, float, float) { pressed_ = false; };
    lblCaption.Click = [this](int) { RaiseEvent(Click); };
    lblCaption.DblClick = [this](int) { RaiseEvent(DblClick); };
}

void ShapedButton::UserControl_InitProperties() {
    Properties().InitAll(*this);
}

VANTREL_PROPERTY_TABLE(ShapedButton, VANTREL_SHAPED_BUTTON_PROPERTIES)

void ShapedButton::UserControl_ReadProperties(rt::PropertyBag& bag) {
    Properties().ReadAll(*this, bag);
    if (settings_.PictureOnMouseLeave.Handle()) show(settings_.PictureOnMouseLeave, true);
    centerCaption();
}

void ShapedButton::UserControl_WriteProperties(rt::PropertyBag& bag) {
    Properties().WriteAll(*this, bag);
}

void ShapedButton::centerCaption() {
    const float left = static_cast<float>(ScaleWidth()) / 2 - static_cast<float>(lblCaption.Width()) / 2;
    const float top = static_cast<float>(ScaleHeight()) / 2 - static_cast<float>(lblCaption.Height()) / 2;
    lblCaption.Move(left, top);
    reshape();
}

void ShapedButton::clearFace() {
    face_.reset();
    Invalidate();
}

namespace {

// A top-down 32-bit section of w x h pixels filled with one colour, drawn on by draw(dc): the
// runs of the pixels that drawing left in another colour, moved to the corner at. The section
// goes to keep when one is given.
template <class Draw>
std::vector<ShapedRun> DrawnRuns(int w, int h, COLORREF back, POINT at, rt::Bitmap* keep, Draw draw) {
    std::vector<ShapedRun> runs;
    if (w <= 0 || h <= 0) return runs;
    const BITMAPINFO bi = rt::DibHeader(w, h, 32);
    void* bits = nullptr;
    rt::ScreenDC screen;
    rt::Bitmap section(CreateDIBSection(screen.get(), &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!section || !bits) return runs;
    {
        rt::MemoryDC dc(screen.get());
        rt::SelectGuard sel(dc.get(), section.get());
        SolidFill(dc.get(), RECT{0, 0, w, h}, back);
        draw(dc.get());
        GdiFlush();
    }
    runs = ShapedOpaqueRuns(static_cast<const uint8_t*>(bits), w, h, back);
    for (ShapedRun& r : runs) {
        r.left += at.x;
        r.right += at.x;
        r.top += at.y;
        r.bottom += at.y;
    }
    if (keep) *keep = std::move(section);
    return runs;
}

}  // namespace

void ShapedButton::show(const rt::Picture& p, bool force) {
    HWND h = hWnd();
    if (!h) return;
    const RECT client = rt::ClientRectOf(h);
    const int w = client.right, ht = client.bottom;
    const uint32_t mask = TranslateOleColor(settings_.MaskColor);
    if (!force && shown_ == p.get() && shownW_ == w && shownH_ == ht && shownMask_ == mask) return;
    shown_ = p.get();
    shownW_ = w;
    shownH_ = ht;
    shownMask_ = mask;

    // The stretched picture over the mask colour: its other pixels are the button's shape.
    rt::Bitmap stretched;
    maskRuns_.clear();
    if (p.Handle())
        maskRuns_ = DrawnRuns(w, ht, mask, POINT{0, 0}, &stretched, [&](HDC dc) {
            SetStretchBltMode(dc, COLORONCOLOR);
            p.Render(dc, 0, 0, w, ht);
        });
    if (settings_.ShowPicture)
        face_ = std::move(stretched);
    else
        face_.reset();
    centerCaption();
    Invalidate();
}

// The window takes the shape of the picture applied as mask and of the caption's text; without
// a picture only the caption shows, the page showing through everywhere else.
void ShapedButton::reshape() {
    HWND h = hWnd();
    if (!h) return;
    std::vector<ShapedRun> runs = maskRuns_;
    if (!lblCaption.Caption().empty() && lblCaption.Visible()) {
        const RECT c = lblCaption.PixelRect();
        // A colour the text is not drawn in, so every pixel of it stands out.
        const COLORREF back = TranslateOleColor(lblCaption.ForeColor()) ^ 0xFFFFFF;
        const std::vector<ShapedRun> text =
            DrawnRuns(c.right - c.left, c.bottom - c.top, back, POINT{c.left, c.top}, nullptr, [&](HDC dc) {
                SetViewportOrgEx(dc, -c.left, -c.top, nullptr);
                lblCaption.Paint(dc);
            });
        runs.insert(runs.end(), text.begin(), text.end());
    }
    rt::Region outline(CreateRectRgn(0, 0, 0, 0));
    for (const ShapedRun& r : runs) {
        rt::Region part(CreateRectRgn(r.left, r.top, r.right, r.bottom));
        CombineRgn(outline.get(), outline.get(), part.get(), RGN_OR);
    }
    if (SetWindowRgn(h, outline.get(), TRUE)) outline.release();  // the window owns it now
}

void ShapedButton::UserControl_Paint() {
    HDC dc = hDC();
    RECT r{};
    GetClientRect(hWnd(), &r);
    if (!face_) {
        rt::Brush b(CreateSolidBrush(TranslateOleColor(BackColor())));
        FillRect(dc, &r, b.get());
        return;
    }
    rt::MemoryDC mem(dc);
    rt::SelectGuard sel(mem.get(), face_.get());
    BitBlt(dc, 0, 0, r.right, r.bottom, mem.get(), 0, 0, SRCCOPY);
}

void ShapedButton::UserControl_Resize() {
    centerCaption();
    if (settings_.PictureOnMouseLeave.Handle()) show(settings_.PictureOnMouseLeave, true);
}

void ShapedButton::UserControl_MouseDown(int16_t Button, int16_t Shift, float X, float Y) {
    pressed_ = true;
    RaiseEvent(MouseDown, Button, Shift, X, Y);
}

void ShapedButton::UserControl_MouseUp(int16_t Button, int16_t Shift, float X, float Y) {
    pressed_ = false;
    RaiseEvent(MouseUp, Button, Shift, X, Y);
}

void ShapedButton::UserControl_MouseMove(int16_t Button, int16_t Shift, float X, float Y) {
    if (!leave_.Watching()) leave_.Start();
    RaiseEvent(MouseMove, Button, Shift, X, Y);
}

bool ShapedButton::pointerStays() {
    POINT cursor{};
    GetCursorPos(&cursor);
    RECT r{};
    GetClientRect(hWnd(), &r);
    POINT tl{r.left, r.top}, br{r.right, r.bottom};
    ClientToScreen(hWnd(), &tl);
    ClientToScreen(hWnd(), &br);
    SetRect(&r, tl.x, tl.y, br.x, br.y);
    if (!PtInRect(&r, cursor)) return false;
    rt::Try([&] {
        if (pressed_ && settings_.PictureOnMouseDown.Handle())
            show(settings_.PictureOnMouseDown, false);
        else if (settings_.PictureOnMouseMove.Handle())
            show(settings_.PictureOnMouseMove, false);
    });
    return true;
}

void ShapedButton::pointerLeft() {
    rt::Try([&] {
        show(settings_.PictureOnMouseLeave, false);
        RaiseEvent(MouseLeave);
    });
}

void ShapedButton::ShowPicture(bool v) {
    settings_.ShowPicture = v;
    if (!face_ && settings_.PictureOnMouseLeave.Handle() && v)
        show(settings_.PictureOnMouseLeave, true);
    else
        clearFace();
    PropertyChanged("ShowPicture");
}

void ShapedButton::PictureOnMouseLeave(rt::Picture p) {
    settings_.PictureOnMouseLeave = std::move(p);
    show(settings_.PictureOnMouseLeave, true);
    if (!settings_.PictureOnMouseLeave.Handle()) clearFace();
    PropertyChanged("PictureOnMouseLeave");
}

void ShapedButton::MaskColor(uint32_t c) {
    settings_.MaskColor = c;
    // The see-through pixels follow the new colour on the picture shown now.
    if (shown_) {
        const Settings& s = settings_;
        const rt::Picture* p = shown_ == s.PictureOnMouseMove.get()   ? &s.PictureOnMouseMove
                               : shown_ == s.PictureOnMouseDown.get() ? &s.PictureOnMouseDown
                                                                      : &s.PictureOnMouseLeave;
        show(*p, true);
    }
    Invalidate();
    PropertyChanged("MaskColor");
}

void ShapedButton::Caption(std::string text) {
    lblCaption.Caption(std::move(text));
    UserControl_Resize();
    PropertyChanged("Caption");
}

void ShapedButton::MouseIcon(rt::Picture p) {
    UserControl::MouseIcon(std::move(p));
    PropertyChanged("MouseIcon");
}

}  // namespace controls
