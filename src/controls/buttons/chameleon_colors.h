// The dialog button's window-free arithmetic: colour shifts and lightening, the colour slots of
// each scheme, the picture compositing pass over 24-bit rows, and the outline of each button type.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace controls {

// RGB values, red in the low byte.
// Shifts every channel by n (blue scaled by n/192 of itself when blue-weighted), capped at 255 for
// a positive n and floored at 0 for a negative one. A soft bevel halves n first.
uint32_t ChameleonShiftColor(uint32_t c, int32_t n, bool blueWeighted, bool softBevel);

// Each channel becomes f + (255 - f) * ch / 255.
uint32_t ChameleonLightenColor(uint32_t c, int f);

// The colour slots a redraw paints with.
struct ChameleonColors {
    uint32_t face = 0, caption = 0, hoverCaption = 0, shadow = 0, light = 0, highlight = 0, dark = 0;
    uint32_t accent = 0, tint = 0, mask = 0, tinted = 0;
};

// The system's colours, read by the caller: scheme 1 takes them all, scheme 4 the selection.
struct ChameleonSystemColors {
    uint32_t face, text, shadow, light, highlight, dark, selection;
};

// The scheme's own inputs, already translated to RGB: scheme 2 the control's colours, scheme 4
// the container's background (back) and text (fore).
struct ChameleonSchemeInput {
    int scheme;
    uint32_t back, fore, foreOver, mask;
    int buttonType;
    bool softBevel;
};

ChameleonColors ChameleonSchemeColors(const ChameleonSchemeInput& in, const ChameleonSystemColors& sys);

// The compositing pass of one picture over a background, both w by h bottom-up 24-bit rows
// (blue, green, red; rows padded to 4 bytes). The background rows receive the result.
struct ChameleonBlend {
    bool useMask;
    uint32_t mask;   // RGB compared with each picture pixel
    int64_t paint;   // silhouette colour; below 0 none
    bool darkOnly, grey, blend;
};
void ChameleonComposeRows(uint8_t* background, const uint8_t* picture, int w, int h, const ChameleonBlend& how);

// Bytes of one padded 24-bit row.
inline int ChameleonRowBytes(int w) { return (w * 3 + 3) & ~3; }

// The focus rectangle's inset from the client edge for a type (type 14 also moves it 1 right
// and down).
int ChameleonFocusInset(int buttonType);

// The pixels a type's outline cuts from the (0,0)-(W,H) rectangle; type 13 is an ellipse instead.
struct ChameleonPixel {
    int x, y;
};
std::vector<ChameleonPixel> ChameleonCutPixels(int buttonType, int w, int h);

// The access key a caption marks with "&", in lower case; 0 for none. A doubled "&" is a literal
// one, and the key is then the letter after the next single "&".
wchar_t ChameleonAccessKey(const std::wstring& caption);

}  // namespace controls
