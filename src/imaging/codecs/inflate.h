// The engine's own DEFLATE decoder, used by the PNG decoder when no zlib library is present or
// when zlib refuses the image data.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>

namespace imaging {

// Inflates the zlib stream `input` into `output`, whose size is the output limit. The two zlib
// header bytes are skipped unexamined and no Adler-32 check is made. True when the stream was
// decoded up to its final block; the output then holds the inflated bytes from index 0 and
// `produced` (when given) receives their count. Bytes past them are not produced: up to 16 of them
// are cleared, the rest keep what they held (callers pass zeros). False on any error; the output
// contents are then undefined.
bool InflateData(std::span<uint8_t> output, std::span<const uint8_t> input, size_t* produced = nullptr);

// Receives inflated bytes in order; false stops the inflating, which then fails.
using InflateSink = std::function<bool(const uint8_t* data, size_t count)>;

// The smallest window InflateStream works with: the 64 KB a match may reach back, a stored block
// and the overrun of the fast match copies.
inline constexpr size_t kMinInflateWindow = 2 * 65536 + 512;

// The same decoding and acceptance as InflateData with an output limit of `limit` bytes, but
// through `window` (at least kMinInflateWindow bytes, its contents scratch): the inflated bytes go
// to `sink` in order as the window fills, and once more at the end, so that no buffer of the whole
// output is needed. True when the stream was decoded up to its final block and the sink took
// every byte; `produced` then receives their count.
bool InflateStream(std::span<uint8_t> window, std::span<const uint8_t> input, size_t limit,
                   const InflateSink& sink, size_t* produced = nullptr);

}  // namespace imaging
