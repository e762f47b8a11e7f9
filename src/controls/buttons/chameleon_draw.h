// The dialog button's GDI side of compositing and outlines.
#pragma once

#include <windows.h>

#include <cstdint>

#include "controls/buttons/chameleon_colors.h"
#include "runtime/handles.h"
#include "runtime/picture.h"

namespace controls {

// Draws a picture on dc at (x, y), w by h (negative: the picture's own size), as the blend says:
// mask pixels left out, silhouette, grey, 2:1 blend, or copied. A picture that is not a bitmap is
// drawn as an icon at its natural size over a box of the mask colour first. Only pixels inside
// both the picture and dc's surface are read or written.
void ChameleonMaskBlt(HDC dc, int x, int y, int w, int h, const rt::Picture& picture, const ChameleonBlend& how);

// The window outline of a button type at W by H.
rt::Region ChameleonMakeRegion(int buttonType, int w, int h);

}  // namespace controls
