#include "runtime/canvas.h"

#include <algorithm>

#include "runtime/control.h"
#include "runtime/error.h"

namespace rt {

Canvas::Canvas(uint32_t backColor) : backColor_(backColor) {}

Canvas::~Canvas() {
    if (imageDC_.get() && imageOld_) SelectObject(imageDC_.get(), imageOld_);
}

void Canvas::Attach(HWND window) {
    hwnd_ = window;
}

void Canvas::AutoRedraw(bool on) {
    if (on == autoRedraw_) return;
    autoRedraw_ = on;
    // Turning it off keeps the image: what was drawn so far stays as the background that the
    // window is painted from and that Cls goes back to.
    if (on) ensureImage();
    if (hwnd_) InvalidateRect(hwnd_, nullptr, TRUE);
}

void Canvas::BackColor(uint32_t color) {
    backColor_ = color;
    // A new background erases everything, the persistent drawing included.
    if (imageDC_.get()) {
        RECT r{0, 0, imageSize_.cx, imageSize_.cy};
        paintBackground(imageDC_.get(), r);
    }
    Cls();
}

void Canvas::DrawWidth(int16_t w) {
    if (w < 1) Raise(errInvalidPropertyValue);
    drawWidth_ = w;
}

void Canvas::ScaleMode(int16_t mode) {
    if (mode != vbTwips && mode != vbPixels) Raise(errInvalidPropertyValue);
    scaleMode_ = mode;
}

void Canvas::SetPicture(Picture p) {
    picture_ = std::move(p);
    if (imageDC_.get()) {
        RECT r{0, 0, imageSize_.cx, imageSize_.cy};
        paintBackground(imageDC_.get(), r);
    }
    if (hwnd_) InvalidateRect(hwnd_, nullptr, TRUE);
}

void Canvas::paintBackground(HDC dc, const RECT& area) {
    Brush b(CreateSolidBrush(ToColorRef(backColor_)));
    FillRect(dc, &area, b.get());
    if (!picture_.Empty()) picture_.Render(dc, 0, 0, picture_.PixelWidth(), picture_.PixelHeight());
}

void Canvas::ensureImage() {
    if (!hwnd_) return;
    const RECT cr = ClientRectOf(hwnd_);
    SIZE want{std::max<LONG>(cr.right, 1), std::max<LONG>(cr.bottom, 1)};
    if (imageDC_.get() && want.cx <= imageSize_.cx && want.cy <= imageSize_.cy) return;
    // The image only grows, so what was drawn stays when the surface shrinks and grows again.
    want.cx = std::max(want.cx, imageSize_.cx);
    want.cy = std::max(want.cy, imageSize_.cy);
    WindowDC screen(hwnd_);
    MemoryDC dc(screen.get());
    Bitmap bmp(CreateCompatibleBitmap(screen.get(), want.cx, want.cy));
    HGDIOBJ old = SelectObject(dc.get(), bmp.get());
    RECT all{0, 0, want.cx, want.cy};
    paintBackground(dc.get(), all);
    if (imageDC_.get()) {
        BitBlt(dc.get(), 0, 0, imageSize_.cx, imageSize_.cy, imageDC_.get(), 0, 0, SRCCOPY);
        SelectObject(imageDC_.get(), imageOld_);
    }
    imageDC_ = std::move(dc);
    image_ = std::move(bmp);
    imageOld_ = old;
    imageSize_ = want;
    SelectObject(imageDC_.get(), font_.Handle());
}

HDC Canvas::hDC() {
    if (autoRedraw_) {
        ensureImage();
        return imageDC_.get();
    }
    // The window's class keeps its own DC (CS_OWNDC), so this stays valid.
    return hwnd_ ? GetDC(hwnd_) : nullptr;
}

namespace {
// A DC to draw on: the image's, or the window's, released after the drawing (class DCs ignore
// the release, other windows need it).
struct DrawDC {
    WindowDC window;
    HDC dc = nullptr;
};
}  // namespace

void Canvas::Cls() {
    // Without AutoRedraw only the drawing made on the window goes: the repaint comes from the
    // persistent image, if one was drawn.
    if (autoRedraw_) {
        ensureImage();
        if (imageDC_.get()) {
            RECT r{0, 0, imageSize_.cx, imageSize_.cy};
            paintBackground(imageDC_.get(), r);
        }
    }
    if (hwnd_) InvalidateRect(hwnd_, nullptr, TRUE);
}

int Canvas::ToPixelX(double v) const {
    return scaleMode_ == vbPixels ? RoundEven(v) : ToPixelsX(v);
}
int Canvas::ToPixelY(double v) const {
    return scaleMode_ == vbPixels ? RoundEven(v) : ToPixelsY(v);
}
double Canvas::FromPixelX(int px) const {
    return scaleMode_ == vbPixels ? px : ToTwipsX(px);
}
double Canvas::FromPixelY(int px) const {
    return scaleMode_ == vbPixels ? px : ToTwipsY(px);
}

#define RT_DRAW_BEGIN               \
    DrawDC d;                       \
    if (autoRedraw_) {              \
        ensureImage();              \
        d.dc = imageDC_.get();      \
    } else if (hwnd_) {             \
        d.window = WindowDC(hwnd_); \
        d.dc = d.window.get();      \
    }                               \
    if (!d.dc) return

void Canvas::PSet(double x, double y, uint32_t color) {
    RT_DRAW_BEGIN;
    int px = ToPixelX(x), py = ToPixelY(y);
    if (drawWidth_ <= 1) {
        SetPixelV(d.dc, px, py, ToColorRef(color));
    } else {
        Brush b(CreateSolidBrush(ToColorRef(color)));
        RECT r{px - drawWidth_ / 2, py - drawWidth_ / 2, px - drawWidth_ / 2 + drawWidth_,
               py - drawWidth_ / 2 + drawWidth_};
        FillRect(d.dc, &r, b.get());
    }
    if (autoRedraw_ && hwnd_) InvalidateRect(hwnd_, nullptr, FALSE);
}

void Canvas::Line(double x1, double y1, double x2, double y2, uint32_t color, bool box, bool fill) {
    RT_DRAW_BEGIN;
    int ax = ToPixelX(x1), ay = ToPixelY(y1), bx = ToPixelX(x2), by = ToPixelY(y2);
    COLORREF c = ToColorRef(color);
    if (box) {
        RECT r{std::min(ax, bx), std::min(ay, by), std::max(ax, bx) + 1, std::max(ay, by) + 1};
        Brush b(CreateSolidBrush(c));
        if (fill)
            FillRect(d.dc, &r, b.get());
        else
            FrameRect(d.dc, &r, b.get());
    } else {
        Pen pen(CreatePen(PS_SOLID, drawWidth_, c));
        SelectGuard sel(d.dc, pen.get());
        MoveToEx(d.dc, ax, ay, nullptr);
        LineTo(d.dc, bx, by);
        SetPixelV(d.dc, bx, by, c);  // the end point is part of the line
    }
    if (autoRedraw_ && hwnd_) InvalidateRect(hwnd_, nullptr, FALSE);
}

void Canvas::PaintPicture(const Picture& picture, double x, double y, double width, double height) {
    if (picture.Empty()) Raise(errInvalidProcedureCall);
    RT_DRAW_BEGIN;
    int w = width < 0 ? picture.PixelWidth() : ToPixelX(width);
    int h = height < 0 ? picture.PixelHeight() : ToPixelY(height);
    picture.Render(d.dc, ToPixelX(x), ToPixelY(y), w, h);
    if (autoRedraw_ && hwnd_) InvalidateRect(hwnd_, nullptr, FALSE);
}

uint32_t Canvas::Point(double x, double y) {
    int px = ToPixelX(x), py = ToPixelY(y);
    if (autoRedraw_) {
        ensureImage();
        if (px < 0 || py < 0 || px >= imageSize_.cx || py >= imageSize_.cy) return 0xFFFFFFFFu;
        return GetPixel(imageDC_.get(), px, py);
    }
    if (!hwnd_) return 0xFFFFFFFFu;
    WindowDC dc(hwnd_);
    COLORREF c = GetPixel(dc.get(), px, py);
    return c == CLR_INVALID ? 0xFFFFFFFFu : c;
}

double Canvas::TextWidth(const std::string& text) {
    ScreenDC screen;
    SelectGuard sel(screen.get(), font_.Handle());
    SIZE s{};
    GetTextExtentPoint32A(screen.get(), text.c_str(), static_cast<int>(text.size()), &s);
    return FromPixelX(s.cx);
}

double Canvas::TextHeight(const std::string& text) {
    ScreenDC screen;
    SelectGuard sel(screen.get(), font_.Handle());
    TEXTMETRICA tm{};
    GetTextMetricsA(screen.get(), &tm);
    int lines = 1 + static_cast<int>(std::count(text.begin(), text.end(), '\n'));
    return FromPixelY(tm.tmHeight * lines);
}

Picture Canvas::Image() {
    if (autoRedraw_) ensureImage();
    if (!imageDC_.get()) return {};
    ScreenDC screen;
    Bitmap copy(CreateCompatibleBitmap(screen.get(), imageSize_.cx, imageSize_.cy));
    {
        MemoryDC dc(screen.get());
        SelectGuard sel(dc.get(), copy.get());
        BitBlt(dc.get(), 0, 0, imageSize_.cx, imageSize_.cy, imageDC_.get(), 0, 0, SRCCOPY);
    }
    return Picture::FromBitmap(copy.release(), true);
}

void Canvas::Paint(HDC dc, const RECT& dirty) {
    if (autoRedraw_) ensureImage();
    if (!imageDC_.get()) {
        paintBackground(dc, dirty);
        return;
    }
    RECT inImage{0, 0, imageSize_.cx, imageSize_.cy};
    RECT part;
    if (IntersectRect(&part, &dirty, &inImage))
        BitBlt(dc, part.left, part.top, part.right - part.left, part.bottom - part.top, imageDC_.get(),
               part.left, part.top, SRCCOPY);
    if (!EqualRect(&part, &dirty)) {
        // A surface grown since the image was last drawn (AutoRedraw off): background beyond it.
        int saved = SaveDC(dc);
        ExcludeClipRect(dc, inImage.left, inImage.top, inImage.right, inImage.bottom);
        paintBackground(dc, dirty);
        RestoreDC(dc, saved);
    }
}

void Canvas::Resized() {
    if (autoRedraw_) ensureImage();
}

}  // namespace rt
