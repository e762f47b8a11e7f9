// The BMP reader's own part on any bytes behind a BMP signature: the header checks that decide
// between refusing, copying and handing the file to the platform, and the copy of uncompressed
// 32-bit data. A copied picture has the header's size, is premultiplied, and no colour in it
// exceeds the stored one.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "fuzz_support.h"
#include "imaging/pixels/bmp_format.h"

namespace {

using fuzz::Check;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<uint8_t> bmp = {'B', 'M'};
    if (size >= 2 && data[0] == 'B' && data[1] == 'M') bmp.clear();
    bmp.insert(bmp.end(), data, data + size);

    imaging::BmpHeader header;
    const imaging::BmpKind kind = imaging::InspectBmp(bmp.data(), bmp.size(), header);
    Check(kind != imaging::BmpKind::NotBmp, "a BMP signature was not recognised");
    if (kind == imaging::BmpKind::Refused) return 0;
    // Whatever goes further has a usable size and pixels that start inside the file.
    Check(header.width > 0 && header.height != 0, "a picture without pixels passed");
    Check(header.pixelOffset >= 14 && header.pixelOffset <= static_cast<int64_t>(bmp.size()), "pixel offset");
    if (kind != imaging::BmpKind::Own32) return 0;

    Check(header.bitsPerPixel == 32 && header.compression == 0, "copied data that is not plain 32-bit");
    const int64_t rows = header.height < 0 ? -static_cast<int64_t>(header.height) : header.height;
    const int64_t rowBytes = static_cast<int64_t>(header.width) * 4;
    Check(header.pixelOffset + rowBytes * rows <= static_cast<int64_t>(bmp.size()),
          "copied data runs past the end");

    fuzz::LimitedDib dib;
    if (!imaging::CopyBmp32(bmp.data(), bmp.size(), header, dib)) return 0;
    Check(dib.Width() == header.width && dib.Height() == rows, "picture size differs from the header");
    Check(dib.PixelsArePremultiplied(), "picture not premultiplied");
    const uint8_t* bits = dib.Bits();
    for (int64_t y = 0; y < rows; ++y) {
        // Bottom-up storage keeps its rows; top-down rows are turned over.
        const int64_t stored = header.height < 0 ? rows - 1 - y : y;
        const uint8_t* src = bmp.data() + header.pixelOffset + stored * rowBytes;
        const uint8_t* dst = bits + y * rowBytes;
        for (int64_t i = 0; i < rowBytes; i += 4)
            Check(dst[i] <= src[i] && dst[i + 1] <= src[i + 1] && dst[i + 2] <= src[i + 2],
                  "a colour grew in the copy");
    }
    return 0;
}
