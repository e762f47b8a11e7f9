// clsTransparency: cuts a window down to the pixels of its background image that differ from a
// key colour.
#pragma once

#include <windows.h>

#include "runtime/form.h"

class clsTransparency {
public:
    // Sets the window's region to the pixels of its persistent background image (back colour and
    // picture, without its controls) whose colour is not transColor (an RGB colour). A failure
    // leaves the window's region as it was.
    void DoTransparency(rt::Form& frm, COLORREF transColor);
};
