// The image engine holds COM interfaces (picture objects, streams) in the runtime's owner.
#pragma once

#include "runtime/win.h"

namespace imaging {
using rt::ComPtr;
}  // namespace imaging
