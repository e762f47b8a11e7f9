#include "imaging/codecs/gif_reader.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <new>
#include <string>

namespace imaging {
namespace {

constexpr int32_t kImageTypeGif = 9;

struct Truncated {};

// Bounds-checked reads over the source bytes: every read past the end is a fault of the walk.
class Reader {
public:
    explicit Reader(std::span<const uint8_t> b) : b_(b) {}
    uint8_t At(uint64_t pos) const {
        if (pos >= b_.size()) throw Truncated{};
        return b_[pos];
    }
    uint16_t Le16(uint64_t pos) const { return static_cast<uint16_t>(At(pos) | (At(pos + 1) << 8)); }
    void Need(uint64_t end) const {
        if (end > b_.size()) throw Truncated{};
    }
    // Steps over sub-blocks from `pos` and their terminator.
    uint64_t SkipSubBlocks(uint64_t pos) const {
        for (uint8_t n; (n = At(pos)) != 0;) pos += 1u + n;
        return pos + 1;
    }
    const uint8_t* Data() const { return b_.data(); }

private:
    std::span<const uint8_t> b_;
};

// Pixel rows of an interlaced image in the order they are stored.
std::vector<int32_t> RowOrder(int32_t height, bool interlaced) {
    std::vector<int32_t> rows;
    rows.reserve(static_cast<size_t>(height));
    if (!interlaced) {
        for (int32_t y = 0; y < height; ++y) rows.push_back(y);
        return rows;
    }
    static const int32_t start[4] = {0, 4, 2, 1}, step[4] = {8, 8, 4, 2};
    for (int p = 0; p < 4; ++p)
        for (int32_t y = start[p]; y < height; y += step[p]) rows.push_back(y);
    return rows;
}

}  // namespace

bool DecodeGifFrame(std::span<const uint8_t> gif, GifFrame& frame) {
    try {
        Reader r(gif);
        r.Need(13);
        const uint8_t screenFlags = r.At(10);
        uint64_t pos = 13 + ((screenFlags & 0x80) ? 3u * (2u << (screenFlags & 7)) : 0u);
        for (;;) {
            const uint8_t b = r.At(pos);
            if (b == 0x2C) break;
            if (b == 0x21) {
                pos = r.SkipSubBlocks(pos + 2);
            } else if (b == 0x00) {
                ++pos;
            } else {
                return false;
            }
        }
        const uint16_t w = r.Le16(pos + 5), h = r.Le16(pos + 7);
        const uint8_t flags = r.At(pos + 9);
        pos += 10;
        if (flags & 0x80) pos += 3u * (2u << (flags & 7));
        const uint8_t minCodeSize = r.At(pos++);
        if (w == 0 || h == 0 || minCodeSize < 2 || minCodeSize > 8) return false;
        if (static_cast<uint64_t>(w) * h * 4 > 0x7FFFFFFFu) return false;  // no picture could hold it

        // The code stream, joined from its sub-blocks (a truncated stream decodes as far as it goes).
        std::vector<uint8_t> codes;
        for (uint64_t n; pos < gif.size() && (n = gif[pos]) != 0; pos += 1 + n) {
            const uint64_t end = std::min<uint64_t>(pos + 1 + n, gif.size());
            codes.insert(codes.end(), gif.data() + pos + 1, gif.data() + end);
        }

        frame.width = w;
        frame.height = h;
        frame.indices.assign(static_cast<size_t>(w) * h, 0);
        const std::vector<int32_t> rows = RowOrder(h, (flags & 0x40) != 0);
        size_t written = 0;
        const size_t total = frame.indices.size();
        auto put = [&](uint8_t index) {
            const size_t row = written / w, col = written % w;
            frame.indices[static_cast<size_t>(rows[row]) * w + col] = index;
            ++written;
        };

        const uint32_t clear = 1u << minCodeSize, endCode = clear + 1;
        uint16_t prefix[4096];
        uint8_t suffix[4096];
        uint8_t stack[4097];
        uint32_t codeSize = minCodeSize + 1, next = clear + 2;
        int32_t prev = -1;
        uint8_t firstOfPrev = 0;
        uint64_t bitPos = 0;
        const uint64_t totalBits = static_cast<uint64_t>(codes.size()) * 8;
        while (written < total && bitPos + codeSize <= totalBits) {
            uint32_t code = 0;
            for (uint32_t i = 0; i < codeSize; ++i, ++bitPos)
                code |= static_cast<uint32_t>((codes[bitPos >> 3] >> (bitPos & 7)) & 1) << i;
            if (code == clear) {
                codeSize = minCodeSize + 1;
                next = clear + 2;
                prev = -1;
                continue;
            }
            if (code == endCode) break;
            if (prev < 0) {
                if (code >= clear) break;
                put(static_cast<uint8_t>(code));
                prev = static_cast<int32_t>(code);
                firstOfPrev = static_cast<uint8_t>(code);
                continue;
            }
            if (code > next || (code == next && next >= 4096)) break;  // not a code yet: damaged data
            // Unwind the string of `code` (for code == next: prev's string plus its first byte).
            size_t depth = 0;
            uint32_t c = code;
            if (code == next) {
                stack[depth++] = firstOfPrev;
                c = static_cast<uint32_t>(prev);
            }
            while (c >= clear) {
                stack[depth++] = suffix[c];
                c = prefix[c];
            }
            stack[depth++] = static_cast<uint8_t>(c);
            const uint8_t first = static_cast<uint8_t>(c);
            while (depth > 0 && written < total) put(stack[--depth]);
            if (next < 4096) {
                prefix[next] = static_cast<uint16_t>(prev);
                suffix[next] = first;
                ++next;
                if (next == (1u << codeSize) && codeSize < 12) ++codeSize;
            }
            prev = static_cast<int32_t>(code);
            firstOfPrev = first;
        }
        return true;
    } catch (const Truncated&) {
        return false;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

cGIFparser::cGIFparser(GifFrameDecoder decoder) : decoder_(std::move(decoder)) {}

bool cGIFparser::LoadStream(std::span<const uint8_t> inStream, DibTarget& cHost, int64_t streamOffset,
                            int64_t streamLength) {
    const int64_t size = static_cast<int64_t>(inStream.size());
    const int64_t start = std::clamp<int64_t>(streamOffset, 0, size);
    const int64_t length = std::clamp<int64_t>(streamLength, 0, size - start);
    const std::span<const uint8_t> src =
        inStream.subspan(static_cast<size_t>(start), static_cast<size_t>(length));

    if (src.size() < 6) return false;
    std::string head(src.begin(), src.begin() + 6);
    for (char& c : head) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (head != "gif89a" && head != "gif87a") return false;

    try {
        Reader r(src);
        const uint8_t screenFlags = r.At(10);
        uint64_t headerLength = 13;
        uint32_t entries = 0;
        uint64_t tableAt = 13;
        if (screenFlags & 0x80) {
            entries = 2u << (screenFlags & 7);
            headerLength += 3u * entries;
        }
        r.Need(headerLength);

        // The walk to the first image; the last graphic control extension before it counts.
        uint64_t pos = headerLength;
        uint64_t gceStart = 0, gceEnd = 0;
        bool transparent = false;
        uint8_t transparentIndex = 0;
        for (;;) {
            const uint8_t b = r.At(pos);
            if (b == 0x2C) break;
            if (b == 0x00) {
                ++pos;
                continue;
            }
            if (b != 0x21) return false;  // the trailer or an unknown block before any image
            const uint8_t label = r.At(pos + 1);
            if (label == 0xFF) {
                pos += 2;
                pos += 1u + r.At(pos);
                pos = r.SkipSubBlocks(pos);
            } else if (label == 0xF9) {
                // Its length comes from its size byte; the index is there only in a full-sized block.
                const uint8_t blockSize = r.At(pos + 2);
                const uint8_t flags = blockSize >= 1 ? r.At(pos + 3) : 0;
                transparent = (flags & 1) && blockSize >= 4;
                transparentIndex = transparent ? r.At(pos + 6) : 0;
                gceStart = pos;
                pos = r.SkipSubBlocks(pos + 3 + blockSize);
                gceEnd = pos;
            } else {
                pos = r.SkipSubBlocks(pos + 2);
            }
        }

        const uint64_t imageStart = pos;
        const uint8_t imageFlags = r.At(imageStart + 9);
        uint64_t p = imageStart + 10;
        if (imageFlags & 0x80) {
            entries = 2u << (imageFlags & 7);
            tableAt = p;
            p += 3u * entries;
        }
        r.At(p);  // the LZW minimum code size
        const uint64_t imageEnd = r.SkipSubBlocks(p + 1);
        if (imageEnd - imageStart < 4 || entries == 0) return false;

        // The one-frame GIF: header and global table, the control extension, the image, the trailer;
        // the image at 0, 0 and the screen of its size.
        std::vector<uint8_t> one(src.begin(), src.begin() + static_cast<ptrdiff_t>(headerLength));
        if (gceEnd > gceStart) one.insert(one.end(), src.begin() + gceStart, src.begin() + gceEnd);
        const size_t imageInOne = one.size();
        one.insert(one.end(), src.begin() + imageStart, src.begin() + imageEnd);
        one.push_back(0x3B);
        std::fill_n(one.begin() + imageInOne + 1, 4, 0);
        std::copy_n(one.begin() + imageInOne + 5, 4, one.begin() + 6);

        // The picture first, at the image's size: a size the target refuses costs no decoding.
        const int32_t width = r.Le16(imageStart + 5), height = r.Le16(imageStart + 7);
        if (width == 0 || height == 0) return false;
        if (!cHost.InitializeDIB(width, height)) {
            cHost.DestroyDIB();
            return true;
        }
        GifFrame frame;
        const bool decoded = decoder_ ? decoder_(one, frame) : DecodeGifFrame(one, frame);
        std::vector<uint8_t>().swap(one);
        if (!decoded || frame.width != width || frame.height != height ||
            frame.indices.size() != static_cast<size_t>(width) * static_cast<size_t>(height)) {
            cHost.DestroyDIB();
            return false;
        }
        uint8_t* bits = cHost.Bits();
        const uint8_t* table = r.Data() + tableAt;
        const size_t w = static_cast<size_t>(frame.width), h = static_cast<size_t>(frame.height);
        for (size_t y = 0; y < h; ++y) {
            const uint8_t* idx = frame.indices.data() + y * w;
            uint8_t* px = bits + (h - 1 - y) * w * 4;
            for (size_t x = 0; x < w; ++x, px += 4) {
                const uint8_t i = idx[x];
                if (transparent && i == transparentIndex) continue;
                // An index beyond the table's entries is opaque black.
                if (i < entries) {
                    px[0] = table[i * 3 + 2];
                    px[1] = table[i * 3 + 1];
                    px[2] = table[i * 3];
                }
                px[3] = 255;
            }
        }
        cHost.SetAlpha(transparent);
        cHost.SetImageType(kImageTypeGif);
        return true;
    } catch (const Truncated&) {
    } catch (const std::bad_alloc&) {
    }
    cHost.DestroyDIB();
    return true;
}

}  // namespace imaging
