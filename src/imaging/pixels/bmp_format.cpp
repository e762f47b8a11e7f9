#include "imaging/pixels/bmp_format.h"

#include <cstring>

#include "imaging/pixels/image_math.h"

namespace imaging {

namespace {

int32_t ReadLE32(const uint8_t* p) {
    return static_cast<int32_t>(static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
                                static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24);
}
int32_t ReadLE16(const uint8_t* p) { return static_cast<int32_t>(p[0] | p[1] << 8); }

constexpr size_t kFileHeaderBytes = 14;

}  // namespace

BmpKind InspectBmp(const uint8_t* data, size_t length, BmpHeader& header) {
    header = BmpHeader{};
    if (data == nullptr || length < 2 || data[0] != 'B' || data[1] != 'M') return BmpKind::NotBmp;
    if (length < 34) return BmpKind::Refused;
    header.pixelOffset = static_cast<uint32_t>(ReadLE32(data + 10));
    header.infoSize = ReadLE32(data + 14);
    header.width = ReadLE32(data + 18);
    header.height = ReadLE32(data + 22);
    header.bitsPerPixel = ReadLE16(data + 28);
    header.compression = ReadLE32(data + 30);
    if (header.width < 1 || header.height == 0 || header.height == INT32_MIN) return BmpKind::Refused;
    // The pixels can neither start inside the headers nor past the end of the data.
    if (header.pixelOffset < static_cast<int64_t>(kFileHeaderBytes) + (header.infoSize > 0 ? header.infoSize : 0) ||
        header.pixelOffset > static_cast<int64_t>(length))
        return BmpKind::Refused;
    if (header.infoSize < 40) return BmpKind::Platform;

    const int64_t rows = header.height < 0 ? -static_cast<int64_t>(header.height) : header.height;
    const int64_t rowBytes = AlignedRowBytes(header.bitsPerPixel, header.width);
    const int64_t end = header.pixelOffset + rowBytes * rows;
    const bool complete = end <= static_cast<int64_t>(length) && end <= INT32_MAX;
    if (complete && header.bitsPerPixel == 32 && header.compression == 0) return BmpKind::Own32;
    return BmpKind::Platform;
}

bool CopyBmp32(const uint8_t* data, size_t length, const BmpHeader& header, DibTarget& host) {
    const int32_t rows = header.height < 0 ? -header.height : header.height;
    const size_t rowBytes = static_cast<size_t>(header.width) * 4;
    if (header.pixelOffset + static_cast<int64_t>(rowBytes) * rows > static_cast<int64_t>(length)) return false;
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
