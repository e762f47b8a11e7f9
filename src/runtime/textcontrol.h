#pragma once

#include <cstdint>
#include <string>

#include "runtime/control.h"
#include "runtime/font.h"
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
    // For platform controls: a window just made takes the font (no repaint), and the colour
    // message (WM_CTLCOLOR*) gets the fore and back colour on its DC and the back colour's brush.
    void fontToNewWindow();
    HBRUSH platformColors(HDC dc);

private:
    void subscribe();
    Font font_;
    Font::Subscription fontSub_;
    uint32_t backColor_, foreColor_;
    MouseCursor cursor_;
    Brush brush_;
    uint32_t brushColor_ = 0;
};

}  // namespace rt
