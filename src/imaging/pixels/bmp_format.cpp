#include "imaging/pixels/bmp_format.h"

#include <algorithm>
#include <cstring>

#include "imaging/pixels/image_math.h"
#include "runtime/byte_order.h"

namespace imaging {

namespace {

constexpr size_t kFileHeaderBytes = 14;

// Whether `rows` rows of `rowBytes` bytes from `offset` end within `length` bytes and below 2^31,
// worked out without a product that could overflow (the header's sizes reach 2^31 x 2^31 x 8191).
bool FitsAfterOffset(int64_t offset, int64_t rowBytes, int64_t rows, size_t length) {
    const int64_t available = std::min<int64_t>(static_cast<int64_t>(length), INT32_MAX) - offset;
    if (available < 0) return false;
    return rowBytes == 0 || rows <= available / rowBytes;
}

}  // namespace

BmpKind InspectBmp(const uint8_t* data, size_t length, BmpHeader& header) {
    header = BmpHeader{};
    if (data == nullptr || length < 2 || data[0] != 'B' || data[1] != 'M') return BmpKind::NotBmp;
    if (length < 34) return BmpKind::Refused;
    header.pixelOffset = rt::ReadLE32(data + 10);
    header.infoSize = static_cast<int32_t>(rt::ReadLE32(data + 14));
    header.width = static_cast<int32_t>(rt::ReadLE32(data + 18));
    header.height = static_cast<int32_t>(rt::ReadLE32(data + 22));
    header.bitsPerPixel = rt::ReadLE16(data + 28);
    header.compression = static_cast<int32_t>(rt::ReadLE32(data + 30));
    if (header.width < 1 || header.height == 0 || header.height == INT32_MIN) return BmpKind::Refused;
    // The pixels can neither start inside the headers nor past the end of the data.
    if (header.pixelOffset < static_cast<int64_t>(kFileHeaderBytes) + (header.infoSize > 0 ? header.infoSize : 0) ||
        header.pixelOffset > static_cast<int64_t>(length))
        return BmpKind::Refused;
    if (header.infoSize < 40) return BmpKind::Platform;

    const int64_t rows = header.height < 0 ? -static_cast<int64_t>(header.height) : header.height;
    const int64_t rowBytes = AlignedRowBytes(header.bitsPerPixel, header.width);
    const bool complete = FitsAfterOffset(header.pixelOffset, rowBytes, rows, length);
    if (complete && header.bitsPerPixel == 32 && header.compression == 0) return BmpKind::Own32;
    return BmpKind::Platform;
}

bool CopyBmp32(const uint8_t* data, size_t length, const BmpHeader& header, DibTarget& host) {
    if (header.width < 1 || header.height == 0 || header.height == INT32_MIN || header.pixelOffset < 0)
        return false;
    const int32_t rows = header.height < 0 ? -header.height : header.height;
    if (!FitsAfterOffset(header.pixelOffset, static_cast<int64_t>(header.width) * 4, rows, length))
        return false;
    const size_t rowBytes = static_cast<size_t>(header.width) * 4;
    if (!host.InitializeDIB(header.width, rows)) return false;
    uint8_t* bits = host.Bits();
    if (!bits) return false;
    const uint8_t* pixels = data + header.pixelOffset;
    if (header.height < 0) {
        // Stored top-down: image row i (from the bottom) is data row rows - 1 - i.
        for (int32_t i = 0; i < rows; ++i)
            std::memcpy(bits + rowBytes * i, pixels + rowBytes * static_cast<size_t>(rows - 1 - i), rowBytes);
    } else {
        std::memcpy(bits, pixels, rowBytes * static_cast<size_t>(rows));
    }
    bool hasAlpha = false;
    int32_t type = imgBlank;
    ClassifyAlphaChannel(PixelBlock{bits, header.width, rows}, true, hasAlpha, type);
    host.SetAlpha(hasAlpha);
    host.SetImageType(type);
    return true;
}

}  // namespace imaging
