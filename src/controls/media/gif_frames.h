// The frames of an animated GIF file, cut along its block structure: each frame is a one-frame
// GIF of its own (the file's header and colour table, the frame's blocks, the trailer) that the
// platform's picture loader can decode, with the timing and placement of its control block.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace controls::gif {

struct FramePiece {
    std::vector<uint8_t> bytes;  // header & blocks & ";"
    int32_t delay = 10;          // milliseconds, 1 to 65535
    int16_t disposal = 0;        // as written, 0 to 7
    int32_t left = 0, top = 0;   // of the frame's image, in pixels of the logical screen
    // An image that stands before any graphic control block: shown for 10 ms, disposal 0.
    bool leading = false;
};

struct Frames {
    int32_t screenWidth = 0, screenHeight = 0;
    std::vector<FramePiece> pieces;  // empty when the data is no GIF or its header is cut short
};

// A frame runs from one graphic control block to the next or to the trailer. Blocks before the
// first control block make a frame only when they hold an image. Every read is bounded: a walk
// that runs out of data (or meets a byte that starts no block) ends there, and the piece it was
// in becomes the last one.
Frames SplitFrames(std::span<const uint8_t> file);

}  // namespace controls::gif
