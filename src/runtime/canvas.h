// The drawing surface of a form or picture box: back colour, picture, and the persistent image
// (AutoRedraw). With AutoRedraw on, drawing goes into an image of the surface that stays until Cls,
// and painting and Point read that image; with it off, drawing goes straight onto the window and
// the image drawn so far stays as the background it is painted over (Cls returns to it).
// Drawing coordinates are in the surface's scale: twips (ScaleMode 1) or pixels (ScaleMode 3).
#pragma once

#include <cstdint>
#include <string>

#include "runtime/font.h"
#include "runtime/picture.h"
#include "runtime/win.h"

namespace rt {

enum ScaleModeValue : int16_t { vbTwips = 1, vbPixels = 3 };

class Canvas {
public:
    explicit Canvas(uint32_t backColor = 0x8000000F);
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;
    ~Canvas();

    void Attach(HWND window);  // the window whose surface this is
    HWND Window() const noexcept { return hwnd_; }

    bool AutoRedraw() const noexcept { return autoRedraw_; }
    void AutoRedraw(bool on);
    uint32_t BackColor() const noexcept { return backColor_; }
    void BackColor(uint32_t color);  // also clears the drawing, as a new background does
    uint32_t ForeColor() const noexcept { return foreColor_; }
    void ForeColor(uint32_t color) noexcept { foreColor_ = color; }
    int16_t DrawWidth() const noexcept { return drawWidth_; }
    void DrawWidth(int16_t w);
    int16_t ScaleMode() const noexcept { return scaleMode_; }
    void ScaleMode(int16_t mode);  // raises 380 for other than twips and pixels
    const Picture& GetPicture() const noexcept { return picture_; }
    void SetPicture(Picture p);
    Font& GetFont() noexcept { return font_; }

    // The device context to draw on: the persistent image's with AutoRedraw, else the window's own
    // (class DC). Valid as long as the surface exists.
    HDC hDC();
    // The persistent image's own DC whatever AutoRedraw is now; nullptr until one was made.
    HDC ImageDC() const noexcept { return imageDC_.get(); }
    void Cls();
    void PSet(double x, double y, uint32_t color);
    void PSet(double x, double y) { PSet(x, y, foreColor_); }
    // A line, or with box a rectangle (filled with fill) from (x1, y1) to (x2, y2).
    void Line(double x1, double y1, double x2, double y2, uint32_t color, bool box = false,
              bool fill = false);
    void Line(double x1, double y1, double x2, double y2) { Line(x1, y1, x2, y2, foreColor_); }
    // Draws the picture at (x, y); a width or height below 0 means the picture's own.
    void PaintPicture(const Picture& picture, double x, double y, double width = -1, double height = -1);
    uint32_t Point(double x, double y);  // the colour at the point; -1 outside
    double TextWidth(const std::string& text);
    double TextHeight(const std::string& text);
    // The persistent image as a bitmap picture (an empty picture without AutoRedraw).
    Picture Image();

    // For the owner's window procedure: paint the surface into the paint DC.
    void Paint(HDC dc, const RECT& dirty);
    void Resized();  // the window's client size changed

    int ToPixelX(double v) const;
    int ToPixelY(double v) const;
    double FromPixelX(int px) const;
    double FromPixelY(int px) const;

private:
    void ensureImage();
    void paintBackground(HDC dc, const RECT& area);

    HWND hwnd_ = nullptr;
    bool autoRedraw_ = false;
    uint32_t backColor_;
    uint32_t foreColor_ = 0x80000012;  // button text
    int16_t drawWidth_ = 1;
    int16_t scaleMode_ = vbTwips;
    Picture picture_;
    Font font_;
    MemoryDC imageDC_;
    Bitmap image_;
    HGDIOBJ imageOld_ = nullptr;
    SIZE imageSize_{};
};

}  // namespace rt
