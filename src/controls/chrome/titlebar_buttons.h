// The pictures of the title bar's caption buttons: three sets of icons with a transparency mask.
#pragma once

#include "runtime/picture.h"

namespace controls {

// which: 0 minimise, 1 maximise, 2 close; iconStyle 0 (16 x 16), 1 (26 x 18), 2 (20 x 14);
// state 1 hover, 2 normal, 3 disabled.
rt::Picture MakeButtonPicture(int which, int iconStyle, int state);

}  // namespace controls
