#include "imaging/codecs/ico_reader.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "runtime/byte_order.h"

namespace imaging {
namespace {

constexpr int32_t kIconMask = 3, kCursorMask = 5, kIconAlpha = 8, kPngEntry = 11, kCursorAlpha = 12;

// Row bytes of a bitmap, made up to a multiple of 4.
uint64_t AlignedRowBytes(uint32_t bits, uint32_t width) {
    return ((static_cast<uint64_t>(bits) * width + 31) & ~uint64_t{31}) / 8;
}

}  // namespace

cICOparser::cICOparser(ZlibFunctions zlib, GdiPlusLoader gdiPlus)
    : zlib_(std::move(zlib)), gdiPlus_(std::move(gdiPlus)) {}

int32_t cICOparser::Width(int32_t i) const {
    if (i < 1 || i > IconCount()) return 0;
    return entries_[static_cast<size_t>(i - 1)].width ? entries_[static_cast<size_t>(i - 1)].width : 256;
}
int32_t cICOparser::Height(int32_t i) const {
    if (i < 1 || i > IconCount()) return 0;
    return entries_[static_cast<size_t>(i - 1)].height ? entries_[static_cast<size_t>(i - 1)].height : 256;
}
int32_t cICOparser::bitDepth(int32_t i) const {
    return i < 1 || i > IconCount() ? 0 : entries_[static_cast<size_t>(i - 1)].bitCount;
}
bool cICOparser::IsIconPNG(int32_t i) const {
    return i >= 1 && i <= IconCount() && entries_[static_cast<size_t>(i - 1)].planes == 255;
}

bool cICOparser::LoadStream(std::span<const uint8_t> inStream, int32_t desiredWidth, int32_t desiredHeight,
                            DibTarget* cHost, int64_t streamOffset, int64_t streamLength, int32_t icoBitDepth,
                            uintptr_t GlobalToken) {
    entries_.clear();
    const int64_t size = static_cast<int64_t>(inStream.size());
    const int64_t start = std::clamp<int64_t>(streamOffset, 0, size);
    const int64_t length = streamLength <= 0 ? size - start : std::min(streamLength, size - start);
    const std::span<const uint8_t> data =
        inStream.subspan(static_cast<size_t>(start), static_cast<size_t>(length));
    if (data.size() < 6) return false;

    reserved_ = rt::ReadLE16(data.data());
    type_ = rt::ReadLE16(data.data() + 2);
    const uint16_t count = rt::ReadLE16(data.data() + 4);
    const uint64_t directoryEnd = 6 + 16ull * count;
    if (reserved_ != 0 || (type_ != 1 && type_ != 2) || count < 1 || directoryEnd > data.size()) return false;
    uint64_t sum = directoryEnd;
    for (uint16_t i = 0; i < count; ++i) {
        const uint8_t* p = data.data() + 6 + 16 * i;
        Entry e{p[0],
                p[1],
                p[2],
                p[3],
                rt::ReadLE16(p + 4),
                rt::ReadLE16(p + 6),
                rt::ReadLE32(p + 8),
                rt::ReadLE32(p + 12)};
        // Each entry's data lies within the file, after the directory.
        if (e.imageOffset < directoryEnd || static_cast<uint64_t>(e.imageOffset) + e.bytesInRes > data.size())
            return false;
        sum += e.bytesInRes;
        entries_.push_back(e);
    }
    if (sum > data.size()) {
        entries_.clear();
        return false;
    }

    bool valid = true;
    for (Entry& e : entries_) {
        e.planes = 1;
        if (e.bytesInRes < 16) {
            valid = false;
            continue;
        }
        const uint8_t* img = data.data() + e.imageOffset;
        const uint16_t value = rt::ReadLE16(img + 14);
        if (img[14] == 'D' && img[15] == 'R') {
            valid = ProbePngEntry(e, data.subspan(e.imageOffset, e.bytesInRes));
        } else if (value != 0) {
            e.bitCount = value;
        } else if (e.bitCount == 0) {
            valid = false;
        }
    }
    if (!valid) {
        entries_.clear();
        return false;
    }
    if (!cHost) return true;

    const int chosen = ChooseIconEntry(desiredWidth < 1 ? 32 : desiredWidth,
                                       desiredHeight < 1 ? 32 : desiredHeight, icoBitDepth);
    if (chosen < 0) return true;
    const Entry& e = entries_[static_cast<size_t>(chosen)];
    if (e.planes == 255) {
        cPNGparser png(zlib_, gdiPlus_);
        const bool result = png.LoadStream(data, *cHost, e.imageOffset, e.bytesInRes, GlobalToken);
        if (cHost->HasPicture()) cHost->SetImageType(kPngEntry);
        return result;
    }
    if (!DecodeBitmapEntry(e, data.subspan(e.imageOffset, e.bytesInRes), *cHost)) cHost->DestroyDIB();
    return true;
}

bool cICOparser::ProbePngEntry(Entry& e, std::span<const uint8_t> d) {
    static const uint8_t kSignature[8] = {0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A};
    e.planes = 255;
    if (d.size() < 26 || std::memcmp(d.data(), kSignature, 8) != 0 ||
        std::memcmp(d.data() + 12, "IHDR", 4) != 0)
        return false;
    // A side of 1 to 256 pixels goes into the entry as the directory has it (256 as 0); any other
    // leaves the entry without a depth.
    auto side = [&e](uint32_t pixels, uint8_t& field) {
        if (pixels >= 1 && pixels <= 256)
            field = static_cast<uint8_t>(pixels & 0xFF);
        else
            e.bitCount = 0;
    };
    side(rt::ReadBE32(d.data() + 16), e.width);
    side(rt::ReadBE32(d.data() + 20), e.height);
    if (e.bitCount == 0) {
        const uint8_t depth = d[24], colorType = d[25];
        if (depth == 16)
            e.bitCount = 32;
        else if (depth != 0)
            e.bitCount = colorType == 4 || colorType == 6 ? 32 : colorType == 2 ? 24 : depth;
    }
    return e.bitCount > 0;
}

int cICOparser::ChooseIconEntry(int32_t W, int32_t H, int32_t D) const {
    const int n = IconCount();
    if (n == 1) return entries_[0].bitCount ? 0 : -1;
    int32_t best = 10000;
    int chosen = -1;
    std::vector<int32_t> firstScore(static_cast<size_t>(n), 0);
    for (int i = 0; i < n; ++i) {
        const uint16_t bc = entries_[static_cast<size_t>(i)].bitCount;
        if (bc == 0) continue;
        int32_t dw = Width(i + 1) - W, dh = Height(i + 1) - H;
        if (dw < 0) dw *= 2;
        if (dh < 0) dh *= 2;
        int32_t score = dw + dh + std::abs(D - static_cast<int32_t>(bc));
        if (bc > 32) score = -10000;
        firstScore[static_cast<size_t>(i)] = score;
        if (score == 0) return i;
        if (score > 0 && score < best) {
            best = score;
            chosen = i;
        }
    }
    if (chosen >= 0) return chosen;
    // Nothing as large as asked for: the closest, deeper entries preferred, ties to the later one.
    for (int i = n - 1; i >= 0; --i) {
        const uint16_t bc = entries_[static_cast<size_t>(i)].bitCount;
        if (bc == 0) continue;  // an entry of no depth is never chosen here
        const int32_t score =
            std::abs(firstScore[static_cast<size_t>(i)]) + std::abs(32 - static_cast<int32_t>(bc));
        if (score < best) {
            best = score;
            chosen = i;
        }
    }
    return chosen >= 0 ? chosen : 0;
}

bool cICOparser::DecodeBitmapEntry(const Entry& e, std::span<const uint8_t> d, DibTarget& image) const {
    const uint32_t headerSize = rt::ReadLE32(d.data());
    if (headerSize < 40 || headerSize > d.size()) return false;
    if (rt::ReadLE32(d.data() + 16) != 0) return false;  // compressed or bit-field bitmaps are not icon data
    const uint32_t bc = e.bitCount;
    if (bc != 1 && bc != 4 && bc != 8 && bc != 16 && bc != 24 && bc != 32) return false;
    const uint32_t w = e.width ? e.width : 256u, h = e.height ? e.height : 256u;

    const uint64_t colorRow = AlignedRowBytes(bc, w), maskRow = AlignedRowBytes(1, w);
    const uint64_t colorBits = colorRow * h, maskBits = maskRow * h;
    const uint64_t tableEntries = bc <= 8 ? (1u << bc) : 0;
    const uint64_t colorOffset = headerSize + 4 * tableEntries;
    if (colorOffset + colorBits > d.size()) return false;
    if (bc < 32 && maskBits > d.size()) return false;

    // Colours the header's colour count leaves out read as black.
    int64_t colorCount =
        (static_cast<int64_t>(d.size()) - static_cast<int64_t>(headerSize + colorBits + maskBits)) / 4;
    colorCount = std::clamp<int64_t>(colorCount, 0, static_cast<int64_t>(tableEntries));
    if (colorCount == 0) colorCount = static_cast<int64_t>(tableEntries);

    if (!image.InitializeDIB(static_cast<int32_t>(w), static_cast<int32_t>(h))) return false;
    uint8_t* bits = image.Bits();
    const uint8_t* table = d.data() + headerSize;
    const uint8_t* src = d.data() + colorOffset;
    for (uint32_t y = 0; y < h; ++y) {
        const uint8_t* row = src + y * colorRow;
        uint8_t* px = bits + static_cast<size_t>(y) * w * 4;
        for (uint32_t x = 0; x < w; ++x, px += 4) {
            uint32_t index = 0;
            switch (bc) {
                case 1:
                    index = (row[x >> 3] >> (7 - (x & 7))) & 1;
                    break;
                case 4:
                    index = (row[x >> 1] >> ((x & 1) ? 0 : 4)) & 15;
                    break;
                case 8:
                    index = row[x];
                    break;
                case 16: {
                    const uint16_t v = rt::ReadLE16(row + x * 2);
                    const uint32_t r = (v >> 10) & 31, g = (v >> 5) & 31, b = v & 31;
                    px[0] = static_cast<uint8_t>((b << 3) | (b >> 2));
                    px[1] = static_cast<uint8_t>((g << 3) | (g >> 2));
                    px[2] = static_cast<uint8_t>((r << 3) | (r >> 2));
                    continue;
                }
                case 24:
                    std::memcpy(px, row + x * 3, 3);
                    continue;
                case 32:
                    std::memcpy(px, row + x * 4, 3);
                    continue;
            }
            if (index < static_cast<uint64_t>(colorCount)) std::memcpy(px, table + index * 4, 3);
        }
    }

    const bool isIcon = type_ == 1;
    if (bc == 32) {
        // The entry's own alpha channel, premultiplied as it is applied.
        for (uint32_t y = 0; y < h; ++y) {
            const uint8_t* row = src + y * colorRow;
            uint8_t* px = bits + static_cast<size_t>(y) * w * 4;
            for (uint32_t x = 0; x < w; ++x, px += 4) {
                const uint32_t a = row[x * 4 + 3];
                if (a == 0) {
                    std::memset(px, 0, 4);
                } else if (a == 255) {
                    px[3] = 255;
                } else {
                    for (int c = 0; c < 3; ++c) px[c] = static_cast<uint8_t>(px[c] * a / 255);
                    px[3] = static_cast<uint8_t>(a);
                }
            }
        }
        image.SetImageType(isIcon ? kIconAlpha : kCursorAlpha);
        image.SetAlpha(true);
        return true;
    }
    // The AND mask: the last bytes of the entry's data.
    ApplyIconMask(image, d.subspan(static_cast<size_t>(d.size() - maskBits)), isIcon);
    return true;
}

void cICOparser::ApplyIconMask(DibTarget& image, std::span<const uint8_t> mask, bool isIcon) {
    uint8_t* bits = image.Bits();
    const uint32_t w = static_cast<uint32_t>(std::max(image.Width(), 0));
    const uint32_t h = static_cast<uint32_t>(std::max(image.Height(), 0));
    const uint64_t maskRow = AlignedRowBytes(1, w);
    bool anySet = false;
    for (uint32_t y = 0; bits && y < h; ++y) {
        uint8_t* px = bits + static_cast<size_t>(y) * w * 4;
        for (uint32_t x = 0; x < w; ++x, px += 4) {
            const uint64_t at = y * maskRow + (x >> 3);
            const bool set = at < mask.size() && ((mask[at] >> (7 - (x & 7))) & 1);
            if (set) {
                std::memset(px, 0, 4);
                anySet = true;
            } else {
                px[3] = 255;
            }
        }
    }
    image.SetImageType(isIcon ? kIconMask : kCursorMask);
    image.SetAlpha(anySet);
}

}  // namespace imaging
