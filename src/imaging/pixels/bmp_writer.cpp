#include "imaging/pixels/bmp_writer.h"

#include <cstring>

#include "imaging/pixels/image_math.h"
#include "imaging/pixels/pixel_access.h"
#include "runtime/byte_order.h"

namespace imaging {

namespace {

constexpr size_t kHeaderBytes = 54;

}  // namespace

bool WriteBmp(const ImageView& image, bool alpha, std::vector<uint8_t>& out) {
    out.clear();
    if (image.empty()) return false;
    const int32_t bits = alpha ? 32 : 24;
    const int64_t pixelBytes = AlignedRowBytes(bits, image.width) * image.height;
    if (pixelBytes + static_cast<int64_t>(kHeaderBytes) > INT32_MAX) return false;

    PixelBytes rows;
    if (!alpha) {
        PixelLayout layout;
        layout.bits32 = false;
        if (!ExportPixels(image, rows, true, layout, 0, 0, 0, 0)) return false;
    }
    out.assign(kHeaderBytes + static_cast<size_t>(pixelBytes), 0);
    uint8_t* h = out.data();
    h[0] = 'B';
    h[1] = 'M';
    rt::WriteLE32(h + 2, static_cast<uint32_t>(out.size()));
    rt::WriteLE32(h + 10, kHeaderBytes);
    rt::WriteLE32(h + 14, 40);
    rt::WriteLE32(h + 18, static_cast<uint32_t>(image.width));
    rt::WriteLE32(h + 22, static_cast<uint32_t>(image.height));
    h[26] = 1;
    h[28] = static_cast<uint8_t>(bits);
    rt::WriteLE32(h + 34, static_cast<uint32_t>(pixelBytes));
    std::memcpy(h + kHeaderBytes, alpha ? image.bits : rows.bytes.data(), static_cast<size_t>(pixelBytes));
    return true;
}

}  // namespace imaging
