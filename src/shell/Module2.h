// Module2: OLE colours to plain RGB colours.
#pragma once

#include <cstdint>

namespace Module2 {

// A value of 0 or more is an RGB colour and comes back unchanged; a negative value names the
// system colour of its low byte.
int32_t TranslateOleColor(int32_t& colour);

}  // namespace Module2
