// The GIF reader on any bytes behind a GIF signature; pictures it makes are opaque or transparent.
#include <cstdlib>
#include <cstring>
#include <vector>

#include "fuzz_support.h"
#include "imaging/codecs/gif_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<uint8_t> gif = {'G', 'I', 'F', '8', '9', 'a'};
    if (size >= 6 && (std::memcmp(data, "GIF8", 4) == 0 || std::memcmp(data, "gif8", 4) == 0)) gif.clear();
    gif.insert(gif.end(), data, data + size);
    fuzz::LimitedDib dib;
    imaging::cGIFparser().LoadStream(gif, dib, 0, static_cast<int64_t>(gif.size()));
    if (dib.HasPicture()) {
        if (!dib.PixelsArePremultiplied()) abort();
    }
    return 0;
}
