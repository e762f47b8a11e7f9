// The engine's own DEFLATE decoder, used by the PNG decoder when no zlib library is present or
// when zlib refuses the image data.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace imaging {

// Inflates the zlib stream `input` into `output`, whose size is the output limit. The two zlib
// header bytes are skipped unexamined and no Adler-32 check is made. True when the stream was
// decoded up to its final block; the output then holds the inflated bytes from index 0 and
// `produced` (when given) receives their count. Bytes past them are not produced: up to 16 of them
// are cleared, the rest keep what they held (callers pass zeros). False on any error; the output
// contents are then undefined.
bool InflateData(std::span<uint8_t> output, std::span<const uint8_t> input, size_t* produced = nullptr);

}  // namespace imaging
