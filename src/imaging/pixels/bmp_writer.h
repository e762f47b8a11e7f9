// BMP file bytes of an image object's picture, without a window: a 54-byte header and the rows
// bottom first, 32 bits per pixel as stored when the picture has alpha, else 24 bits padded to
// 4-byte rows.
#pragma once

#include <cstdint>
#include <vector>

#include "imaging/pixels/soft_render.h"

namespace imaging {

// `out` becomes the file bytes; false, with `out` emptied, when there is no picture or the file
// would not fit 32 bits.
bool WriteBmp(const ImageView& image, bool alpha, std::vector<uint8_t>& out);

}  // namespace imaging
