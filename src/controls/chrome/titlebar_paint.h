// The title bar's painting steps over a device context: the background styles with the caption
// plate (SetVerlauf), the extruded caption (Shadow), the raised frame (BSetBorder) and the caption
// font. They read a snapshot of the bar's properties, so they can draw into any DC.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "controls/common/paint.h"

namespace controls {

// Where the caption's text goes: measuring and writing go through here, so the caption layers can
// be observed call by call.
class CaptionTextSink {
public:
    virtual ~CaptionTextSink() = default;
    // The extent of the text in the font selected into dc.
    virtual SIZE Measure(HDC dc, const std::string& text);
    // Writes the text at (x, y) in the colour.
    virtual void Write(HDC dc, int x, int y, const std::string& text, COLORREF color);
};
// The platform's own text calls.
CaptionTextSink& PlatformCaptionText();

// A caption button's rectangle in surface pixels.
struct ButtonBox {
    double Left = 0, Top = 0, Width = 16, Height = 16;
};

// What the painting steps read of the bar.
struct TitleBarLook {
    double ScaleWidth = 0, ScaleHeight = 0;  // pixels
    int16_t Style = 8;
    float BackColorCover = 3.0f;
    uint8_t BorderNormal = 2;
    bool DashBack = false;
    std::string Caption;
    bool ShowClose = true, ShowMinimized = true;
    uint32_t BorderColorHighLight = 0xFFFFFF, BorderColorDarkLight = 0;
    ButtonBox TBAR_, TBARX;  // the minimise and close buttons
    double CaptionTextWidth = 0;  // the caption's width in the bar's own font (caption plate)

    uint8_t Caption3DWidth = 2;
    bool Caption3DTop = false, Caption3DBottom = true, Caption3DLeft = false, Caption3DRight = true;
    uint32_t CaptionColorBack = 0x3C3C3C, CaptionShadowColor = 0x3C3C3C;
    bool CaptionBorder = false;
    uint32_t CaptionBorderColor = 0;
    int32_t CaptionPosX = 0, CaptionPosY = 2;
    int16_t PicturePosX = 6;
    bool IconHeld = false;   // the icon holder has a picture
    double IconWidth = 0;    // its width in pixels
    uint32_t ForeColor = 0xFFFFFF;  // the caption colour
    std::string FontName = "Tahoma";
    float FontSize = 14.25f;
    bool FontBold = false;
    int16_t FontCharset = 0;
};

void SetVerlauf(HDC dc, const TitleBarLook& look, uint32_t BegColor, uint32_t EndColor, uint32_t BegColor2,
                uint32_t EndColor2);
void Shadow(HDC dc, const TitleBarLook& look, CaptionTextSink& text = PlatformCaptionText());
void BSetBorder(HDC dc, const TitleBarLook& look, uint8_t BorderWidth);
// A new font (the caller deletes it): cell height size * 1.5 pixels.
HFONT CreateCaptionFont(const std::string& face, int16_t size, int16_t width, bool antialias, bool bold,
                        int16_t charset);

}  // namespace controls
