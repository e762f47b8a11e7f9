// The image engine's own PNG writer on an image object, with the zlib library found at run time
// and, for a file name, the file opened and on failure removed on the Windows side.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace imaging {

class c32bppDIB;

// PNG bytes of the picture into `outStream` (fileName empty) or into the file. False without a
// picture or without zlib (nothing touched), or when writing fails (the array emptied, the file
// removed).
bool WritePng(const c32bppDIB& image, const std::string& fileName, std::vector<uint8_t>& outStream);

}  // namespace imaging
