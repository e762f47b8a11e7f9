// The window-free arithmetic of the multi-style page button: colour shifts and blends, gradient
// tables, the placement of caption and picture, and the access key of a caption.
// Colours here are plain RGB values with red in the low byte.
#pragma once

#include <cstdint>
#include <string>

namespace controls {

// Lightens (fraction > 0) or darkens (fraction <= 0) every channel by fraction * 255, from the
// 32-bit value of the fraction, rounded half to even and kept within 0 to 255.
uint32_t VxShiftColor(uint32_t color, float fraction);
// The halfway colour, each channel rounded half to even.
uint32_t VxBlendColors(uint32_t a, uint32_t b);
// Entry i of a gradient table of n entries from c1 to c2 (truncating steps; n = 1 gives the
// halves of both ends added).
uint32_t VxGradientEntry(uint32_t c1, uint32_t c2, int i, int n);
// The w x h pixels of a gradient block, top row first, as 32-bit DIB values (0x00RRGGBB).
// direction: 0 horizontal, 1 vertical, 2 diagonal down, 3 diagonal up. Empty for w or h <= 0.
void VxGradientPixels(int w, int h, uint32_t c1, uint32_t c2, int direction, uint32_t* out);

// The access key of a caption, in lower case; 0 for none.
char VxAccessKey(const std::string& caption);

// Placement of the picture and the caption on the face.
struct VxCaptionInput {
    int W = 0, H = 0;    // face size
    int tw = 0, th = 0;  // caption extent
    int ps = 0;          // picture size (0: no picture), at most 48
    bool hasPicture = false;
    bool hasAccessKey = false;
    int32_t pictureAlign = 1, captionAlign = 1;
    int32_t look = 0, state = 0;
};
struct VxCaptionLayout {
    int px = 0, py = 0;                               // picture
    int left = 0, top = 0, right = 0, bottom = 0;     // caption rectangle
    bool setsFocusRect = false;                       // the caption focus rectangle follows
    int focusLeft = 0, focusTop = 0, focusRight = 0, focusBottom = 0;
};
VxCaptionLayout VxLayoutCaption(const VxCaptionInput& in);

}  // namespace controls
