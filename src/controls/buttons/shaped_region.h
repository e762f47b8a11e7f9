// The picture-shaped button's outline: the runs of each row whose pixels differ from the mask
// colour, read from top-down 32-bit rows (blue, green, red, unused).
#pragma once

#include <cstdint>
#include <vector>

namespace controls {

struct ShapedRun {
    int left, top, right, bottom;  // right and bottom excluded
};

// Runs of one row are merged with the run straight above when both span the same columns, so a
// plain block is one rectangle.
std::vector<ShapedRun> ShapedOpaqueRuns(const uint8_t* pixels, int w, int h, uint32_t maskRgb);

}  // namespace controls
