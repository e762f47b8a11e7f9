// The title bar's painting steps over a device context: the background styles with the caption
// plate (SetVerlauf), the extruded caption (Shadow), the raised frame (BSetBorder) and the caption
// font. They read a snapshot of the bar's properties, so they can draw into any DC.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "controls/common/paint.h"
#include "runtime/picture.h"
#include "runtime/property_list.h"

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

// The bar's stored properties in their stored order, one line each (see runtime/property_list.h):
// TitleBarSettings holds the values, TitelBar the accessors and the table. rt::ForNew gives a new
// bar's value where it differs from what an empty bag gives.
// clang-format off
#define VANTREL_TITLEBAR_PROPERTIES(X)                                                                     \
    X(Store, bool, AutoRedraw, false)                                                                      \
    X(Set, bool, DashBack, false)                                                                          \
    X(Custom, int16_t, Style, int16_t{8})                                                                  \
    X(Via, uint32_t, BackColor, &rt::UserControl::BackColor, &rt::UserControl::BackColor, 0xE6E6E6u,       \
      0x8000000Fu, rt::ForNew(0x4F3026u))                                                                  \
    X(Custom, float, BackColorCover, 0.0f, rt::ForNew(3.0f))                                               \
    X(Set, uint32_t, BackColorV2Begin, 0x8C6E5Au)                                                          \
    X(Set, uint32_t, BackColorV2End, 0x4F3026u)                                                            \
    X(Set, uint32_t, BackColorV1Begin, 0xE6E6E6u)                                                          \
    X(Set, uint32_t, BackColorV1End, 0x8C6E5Au)                                                            \
    X(Set, uint32_t, BorderColorHighLight, 0xFFFFFFu)                                                      \
    X(Set, uint32_t, BorderColorDarkLight, 0u)                                                             \
    X(Via, uint32_t, ForeColor, &rt::UserControl::ForeColor, &rt::UserControl::ForeColor, 0x80000012u,     \
      0x80000012u, rt::ForNew(0xFFFFFFu))                                                                  \
    X(Set, uint32_t, CaptionColorBack, 0x3C3C3Cu)                                                          \
    X(Custom, uint32_t, CaptionColor, 0xFFFFFFu)                                                           \
    X(Set, uint32_t, CaptionBorderColor, 0u)                                                               \
    X(Set, uint32_t, CaptionShadowColor, 0x3C3C3Cu)                                                        \
    X(Set, bool, CaptionBorder, false)                                                                     \
    X(Set, uint8_t, Caption3DWidth, 2)                                                                     \
    X(Set, bool, Caption3DTop, false)                                                                      \
    X(Set, bool, Caption3DBottom, true)                                                                    \
    X(Set, bool, Caption3DLeft, false)                                                                     \
    X(Set, bool, Caption3DRight, true)                                                                     \
    X(Custom, bool, ShowClose, true)                                                                       \
    X(Custom, bool, ShowMinimized, true)                                                                   \
    X(Custom, bool, ShowMaximized, false)                                                                  \
    X(Custom, bool, ShowCloseEnabled, true)                                                                \
    X(Custom, bool, ShowMinimizedEnabled, true)                                                            \
    X(Custom, bool, ShowMaximizedEnabled, false, rt::ForNew(true))                                         \
    X(Via, rt::Font, Font, [](auto& t) -> rt::Font& { return t.Surface().GetFont(); },                     \
      [](auto& t, rt::Font f) { t.Surface().GetFont() = std::move(f); },                                   \
      [](auto& t) { return t.Ambient().Font; }, [](auto& t) { return t.Ambient().Font; },                  \
      rt::ForNew([](auto&) { return rt::Font("Tahoma", 14.25f); }))                                        \
    X(Field, std::string, ToolTipText, "")                                                                 \
    X(Set, std::string, Caption, "TitelBar")                                                               \
    X(Set, int32_t, CaptionPosX, 0)                                                                        \
    X(Set, int32_t, CaptionPosY, 2)                                                                        \
    X(Set, uint8_t, BorderNormal, 0, rt::ForNew(2))                                                        \
    X(Custom, uint8_t, IconStyle, 0)                                                                       \
    X(Via, rt::Picture, Picture, [](auto& t) -> const rt::Picture& { return t.Surface().GetPicture(); },   \
      [](auto& t, rt::Picture p) { t.Surface().SetPicture(std::move(p)); }, rt::Picture(), rt::Picture())  \
    X(Set, rt::Picture, PictureButton, rt::Picture())                                                      \
    X(Set, int32_t, PicturePosMode, 0)                                                                     \
    X(Set, int16_t, PicturePosX, int16_t{6})                                                               \
    X(Set, int16_t, PicturePosY, int16_t{4})
// clang-format on

// The bar's stored values (BackColor, ForeColor, Font and Picture are its surface's own).
struct TitleBarSettings {
    VANTREL_PROPERTY_FIELDS(VANTREL_TITLEBAR_PROPERTIES)
};

// What the painting steps read of the bar: its settings and what is measured of it.
struct TitleBarLook : TitleBarSettings {
    double ScaleWidth = 0, ScaleHeight = 0;  // pixels
    ButtonBox TBAR_, TBARX;  // the minimise and close buttons
    double CaptionTextWidth = 0;  // the caption's width in the bar's own font (caption plate)
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
