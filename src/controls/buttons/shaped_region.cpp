#include "controls/buttons/shaped_region.h"

#include <cstddef>

namespace controls {

std::vector<ShapedRun> ShapedOpaqueRuns(const uint8_t* pixels, int w, int h, uint32_t maskRgb) {
    std::vector<ShapedRun> runs;
    size_t prevBegin = 0, prevEnd = 0;  // the runs of the row above
    for (int y = 0; y < h; ++y) {
        const uint8_t* row = pixels + static_cast<size_t>(y) * w * 4;
        const size_t begin = runs.size();
        for (int x = 0; x < w;) {
            auto opaque = [&](int i) {
                const uint8_t* p = row + 4 * i;
                return (p[2] + 256u * p[1] + 65536u * p[0]) != maskRgb;
            };
            if (!opaque(x)) {
                ++x;
                continue;
            }
            int end = x + 1;
            while (end < w && opaque(end)) ++end;
            runs.push_back({x, y, end, y + 1});
            x = end;
        }
        // A row identical in its runs to the one above extends those rectangles.
        const size_t count = runs.size() - begin;
        bool same = y > 0 && count == prevEnd - prevBegin && count > 0;
        for (size_t i = 0; same && i < count; ++i)
            same = runs[begin + i].left == runs[prevBegin + i].left && runs[begin + i].right == runs[prevBegin + i].right &&
                   runs[prevBegin + i].bottom == y;
        if (same) {
            for (size_t i = 0; i < count; ++i) runs[prevBegin + i].bottom = y + 1;
            runs.resize(begin);
        } else {
            prevBegin = begin;
            prevEnd = runs.size();
        }
    }
    return runs;
}

}  // namespace controls
