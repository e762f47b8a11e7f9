// The kilobyte figure of module requmet, kept free of the platform so it builds everywhere.
#pragma once

#include <cstdint>
#include <string>

namespace requmet {

// Below 1024: "k KB"; up to 1073741823: k / 1024 as a single-precision number with at most 7
// significant digits ("2048", "2047.5"); from 1073741824: k itself.
std::string FormatKilobytes(int32_t k);

}  // namespace requmet
