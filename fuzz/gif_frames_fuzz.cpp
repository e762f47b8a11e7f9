// Cutting any bytes into GIF frames: every frame is the header, a run of the input's blocks and
// the trailer; the runs, one after the other, are one stretch of the input (only extensions before
// the first frame may be left out), and timing and disposal stay in their ranges.
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <span>
#include <vector>

#include "controls/media/gif_frames.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const auto frames = controls::gif::SplitFrames(std::span<const uint8_t>(data, size));
    if (frames.pieces.empty()) return 0;
    const size_t header = 13 + ((data[10] & 0x80) ? 3u << ((data[10] & 7) + 1) : 0u);
    if (size < header) abort();
    std::vector<uint8_t> runs;
    for (const auto& piece : frames.pieces) {
        const auto& b = piece.bytes;
        if (b.size() < header + 1 || std::memcmp(b.data(), data, header) != 0 || b.back() != ';') abort();
        if (piece.delay < 1 || piece.delay > 65535 || piece.disposal < 0 || piece.disposal > 7) abort();
        runs.insert(runs.end(), b.begin() + static_cast<long>(header), b.end() - 1);
    }
    if (std::search(data + header, data + size, runs.begin(), runs.end()) == data + size && !runs.empty())
        abort();
    return 0;
}
