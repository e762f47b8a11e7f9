// A GDI+ image that the program made: disposed when its owner goes.
#pragma once

#include "imaging/gdiplus_owner.h"

namespace controls {

using GdipImage = imaging::GdipImage;

}  // namespace controls
