// GIF reader: the first image of a GIF 87a/89a file, with its transparent colour, into a DibTarget.
#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <vector>

#include "imaging/dib_target.h"

namespace imaging {

// The palette indices of a one-frame GIF's image, top row first, width x height of them.
struct GifFrame {
    int32_t width = 0, height = 0;
    std::vector<uint8_t> indices;
};

// Decodes the image of a one-frame GIF (screen = image, image at 0, 0) into indices. The reader
// uses DecodeGifFrame unless another decoder is given.
using GifFrameDecoder = std::function<bool(std::span<const uint8_t> oneFrameGif, GifFrame& frame)>;

// The engine's own decoder: LZW, interlaced rows put in place. Pixels the data does not reach get
// index 0. False when the bytes hold no image it can decode.
bool DecodeGifFrame(std::span<const uint8_t> oneFrameGif, GifFrame& frame);

class cGIFparser {
public:
    explicit cGIFparser(GifFrameDecoder decoder = {});

    // The GIF in inStream[streamOffset, streamOffset + streamLength), clipped to the span. True when
    // the bytes are a GIF this reader took: the target then holds the first image, or no picture when
    // the file is damaged (truncated, for instance). False when they are not a GIF, hold no image
    // before the trailer, have no colour table, or the frame cannot be decoded.
    bool LoadStream(std::span<const uint8_t> inStream, DibTarget& cHost, int64_t streamOffset,
                    int64_t streamLength);

private:
    GifFrameDecoder decoder_;
};

}  // namespace imaging
