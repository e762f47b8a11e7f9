// ChangsBor: gives a shown window another frame.
#pragma once

#include <cstdint>

#include "runtime/form.h"

namespace ChangsBor {

// Replaces the window's style and extended style with those of the border style code (0 none,
// 1 fixed single, 2 sizable, 3 fixed dialog, 4 fixed tool window, 5 sizable tool window) and the
// six options, then has the frame recomputed. Bits the window had before are gone afterwards,
// the layered bit among them.
void ChangeBorderStyle(rt::Form& frm, int32_t style, bool clipControls, bool controlBox, bool maxButton,
                       bool minButton, bool showInTaskbar, bool whatsThisButton);

}  // namespace ChangsBor
