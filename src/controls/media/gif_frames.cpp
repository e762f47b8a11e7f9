#include "controls/media/gif_frames.h"

#include <algorithm>
#include <cstddef>

#include "runtime/byte_order.h"

namespace controls::gif {

namespace {

constexpr uint8_t kExtension = 0x21, kControlLabel = 0xF9, kImage = 0x2C, kTrailer = 0x3B;
constexpr size_t kScreenHeader = 13;

class Walk {
public:
    explicit Walk(std::span<const uint8_t> d) : d_(d) {}
    bool Has(size_t pos) const noexcept { return pos < d_.size(); }
    uint8_t At(size_t pos) const noexcept { return d_[pos]; }
    uint16_t Word(size_t pos) const noexcept { return rt::ReadLE16(d_.data() + pos); }
    // The position after the sub-blocks starting at pos and their terminator; 0 when the data
    // ends first.
    size_t SkipSubBlocks(size_t pos) const noexcept {
        while (Has(pos)) {
            const uint8_t n = d_[pos];
            if (n == 0) return pos + 1;
            pos += size_t{n} + 1;
        }
        return 0;
    }
    std::span<const uint8_t> Bytes(size_t from, size_t to) const { return d_.subspan(from, to - from); }

private:
    std::span<const uint8_t> d_;
};

}  // namespace

Frames SplitFrames(std::span<const uint8_t> file) {
    Frames out;
    const Walk w(file);
    if (file.size() < kScreenHeader || file[0] != 'G' || file[1] != 'I' || file[2] != 'F') return out;
    const uint8_t packed = file[10];
    const size_t headerLength = kScreenHeader + ((packed & 0x80) ? 3u << ((packed & 7) + 1) : 0u);
    if (headerLength > file.size()) return out;
    out.screenWidth = w.Word(6);
    out.screenHeight = w.Word(8);
    const std::span<const uint8_t> header = file.first(headerLength);

    FramePiece current;
    current.leading = true;
    bool hasImage = false;
    size_t start = headerLength;
    auto close = [&](size_t end) {
        if (current.leading && !hasImage) return;  // extensions alone, such as a loop block
        current.bytes.assign(header.begin(), header.end());
        const auto blocks = w.Bytes(start, end);
        current.bytes.insert(current.bytes.end(), blocks.begin(), blocks.end());
        current.bytes.push_back(kTrailer);
        out.pieces.push_back(std::move(current));
    };

    size_t pos = headerLength;
    for (;;) {
        if (!w.Has(pos)) break;
        const uint8_t b = w.At(pos);
        if (b == kTrailer) break;
        if (b == kExtension) {
            if (!w.Has(pos + 1)) break;
            if (w.At(pos + 1) == kControlLabel) {
                if (!w.Has(pos + 5)) break;
                close(pos);
                current = FramePiece{};
                hasImage = false;
                start = pos;
                current.disposal = static_cast<int16_t>((w.At(pos + 3) & 0x1C) >> 2);
                current.delay = std::clamp(int32_t{w.Word(pos + 4)} * 10, 1, 65535);
            }
            const size_t next = w.SkipSubBlocks(pos + 2);
            if (next == 0) break;
            pos = next;
        } else if (b == kImage) {
            if (!w.Has(pos + 10)) break;
            if (!hasImage) {
                current.left = w.Word(pos + 1);
                current.top = w.Word(pos + 3);
                hasImage = true;
            }
            const uint8_t flags = w.At(pos + 9);
            const size_t data = pos + 10 + ((flags & 0x80) ? 3u << ((flags & 7) + 1) : 0u);
            const size_t next = w.Has(data) ? w.SkipSubBlocks(data + 1) : 0;  // past the code size
            if (next == 0) {
                pos = file.size();
                break;
            }
            pos = next;
        } else {
            break;  // no block starts here: the rest is not read
        }
    }
    // The trailer, the end of the data, or the first byte that could not be read ends the piece.
    close(std::min(pos, file.size()));
    return out;
}

}  // namespace controls::gif
