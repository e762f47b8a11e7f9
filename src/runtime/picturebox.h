#pragma once

#include <cstdint>
#include <string>

#include "runtime/canvas.h"
#include "runtime/picture.h"
#include "runtime/textcontrol.h"

namespace rt {

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

}  // namespace rt
