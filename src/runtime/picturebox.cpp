#include "runtime/picturebox.h"

#include "runtime/controls_shared.h"
#include "runtime/convert.h"
#include "runtime/error.h"
#include "runtime/form.h"
#include "runtime/window_class.h"

namespace rt {

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
    RegisterWindowClass("VantrelPicture", DefWindowProcA, CS_DBLCLKS | CS_OWNDC, ClassCursor::Arrow);
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
        case WM_PAINT:
            PaintSurface(canvas_);
            if (!canvas_.AutoRedraw()) RaiseEvent(PaintEvent);
            result = 0;
            return true;
        case WM_PRINTCLIENT:
            PrintSurface(canvas_, reinterpret_cast<HDC>(wp));
            result = 0;
            return true;
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

}  // namespace rt
