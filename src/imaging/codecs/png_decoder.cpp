#include "imaging/codecs/png_decoder.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <memory>
#include <new>

#include "imaging/codecs/inflate.h"
#include "imaging/codecs/png_pixels.h"
#include "runtime/byte_order.h"

namespace imaging {
namespace {

constexpr uint8_t kSignature[8] = {0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A};
constexpr int32_t kImageTypePng = 10;

inline bool TypeIs(const uint8_t* type, const char (&name)[5]) {
    return std::memcmp(type, name, 4) == 0;
}

bool ValidDepthForType(uint8_t depth, uint8_t type) {
    switch (type) {
        case 0:
            return depth == 1 || depth == 2 || depth == 4 || depth == 8 || depth == 16;
        case 3:
            return depth == 1 || depth == 2 || depth == 4 || depth == 8;
        case 2:
        case 4:
        case 6:
            return depth == 8 || depth == 16;
    }
    return false;
}

}  // namespace

// Where the chunks come from: a view of the caller's bytes (no copy), or a file read chunk by chunk.
class cPNGparser::ChunkReader {
public:
    virtual ~ChunkReader() = default;
    virtual int64_t Total() const = 0;
    virtual bool HasSignature() = 0;
    virtual bool ReadLength(int64_t pos, uint32_t& length) = 0;
    // The type field and the data of the chunk at `pos`, 4 + length bytes; null when unreadable.
    virtual const uint8_t* TypeAndData(int64_t pos, uint32_t length) = 0;
    virtual bool ReadCrc(int64_t pos, uint32_t length, uint32_t& crc) = 0;
    // The bytes for the GDI+ loader; empty for a file, which it reads by name.
    virtual std::span<const uint8_t> WholeData() const { return {}; }
};

namespace {

class StreamChunks final : public cPNGparser::ChunkReader {
public:
    explicit StreamChunks(std::span<const uint8_t> view) : view_(view) {}
    int64_t Total() const override { return static_cast<int64_t>(view_.size()); }
    bool HasSignature() override {
        return view_.size() >= 8 && std::memcmp(view_.data(), kSignature, 8) == 0;
    }
    bool ReadLength(int64_t pos, uint32_t& length) override {
        if (pos + 4 > Total()) return false;
        length = rt::ReadBE32(view_.data() + pos);
        return true;
    }
    const uint8_t* TypeAndData(int64_t pos, uint32_t length) override {
        return pos + 8 + static_cast<int64_t>(length) <= Total() ? view_.data() + pos + 4 : nullptr;
    }
    bool ReadCrc(int64_t pos, uint32_t length, uint32_t& crc) override {
        const int64_t at = pos + 8 + static_cast<int64_t>(length);
        if (at + 4 > Total()) return false;
        crc = rt::ReadBE32(view_.data() + at);
        return true;
    }
    std::span<const uint8_t> WholeData() const override { return view_; }

private:
    std::span<const uint8_t> view_;
};

class FileChunks final : public cPNGparser::ChunkReader {
public:
    explicit FileChunks(PngFileSource& file) : file_(file), total_(file.Size()) {}
    int64_t Total() const override { return total_; }
    bool HasSignature() override {
        uint8_t head[8];
        return total_ >= 8 && file_.ReadAt(0, head, 8) && std::memcmp(head, kSignature, 8) == 0;
    }
    bool ReadLength(int64_t pos, uint32_t& length) override {
        uint8_t b[4];
        if (pos + 4 > total_ || !file_.ReadAt(pos, b, 4)) return false;
        length = rt::ReadBE32(b);
        return true;
    }
    const uint8_t* TypeAndData(int64_t pos, uint32_t length) override {
        if (pos + 8 + static_cast<int64_t>(length) > total_) return nullptr;
        chunk_.resize(4 + static_cast<size_t>(length));
        return file_.ReadAt(pos + 4, chunk_.data(), chunk_.size()) ? chunk_.data() : nullptr;
    }
    bool ReadCrc(int64_t pos, uint32_t length, uint32_t& crc) override {
        uint8_t b[4];
        if (!file_.ReadAt(pos + 8 + static_cast<int64_t>(length), b, 4)) return false;
        crc = rt::ReadBE32(b);
        return true;
    }

private:
    PngFileSource& file_;
    int64_t total_;
    std::vector<uint8_t> chunk_;
};

}  // namespace

cPNGparser::cPNGparser(ZlibFunctions zlib, GdiPlusLoader gdiPlus)
    : zlib_(std::move(zlib)), gdiPlus_(std::move(gdiPlus)) {}

bool cPNGparser::LoadStream(std::span<const uint8_t> Stream, DibTarget& dibClass, int64_t streamOffset,
                            int64_t streamLength, uintptr_t GlobalToken) {
    const int64_t size = static_cast<int64_t>(Stream.size());
    const int64_t start = std::clamp<int64_t>(streamOffset, 0, size);
    const int64_t length = std::clamp<int64_t>(streamLength, 0, size - start);
    StreamChunks view(Stream.subspan(static_cast<size_t>(start), static_cast<size_t>(length)));
    return ParseChunks(view, std::string(), dibClass, GlobalToken);
}

bool cPNGparser::LoadFile(PngFileSource& FileHandle, const std::string& Filename, DibTarget& dibClass,
                          uintptr_t GlobalToken) {
    FileChunks file(FileHandle);
    return ParseChunks(file, Filename, dibClass, GlobalToken);
}

bool cPNGparser::ParseChunks(ChunkReader& source, const std::string& fileName, DibTarget& target,
                             uintptr_t token) {
    if (!source.HasSignature()) return false;
    // From here on the data is a PNG, whatever follows.
    if (gdiPlus_ && gdiPlus_(fileName, source.WholeData(), target, token)) return true;

    TransKey = -1;
    width_ = height_ = 0;
    bitDepth_ = colorType_ = interlace_ = 0;
    headerValid_ = false;
    palette_.clear();
    transparency_.clear();
    transSamples_ = {};
    zlibPresent_ = zlib_.Present();

    bool decoded = false;
    try {
        const int64_t total = source.Total();
        // The joined image data can never outgrow the file: one allocation, no regrowth.
        std::vector<uint8_t> idat;
        idat.reserve(static_cast<size_t>(total));
        bool error = false;
        int64_t pos = 8;
        for (;;) {
            uint32_t length;
            if (!source.ReadLength(pos, length) || (length & 0x80000000u)) {
                error = true;
                break;
            }
            const int64_t next = pos + 12 + static_cast<int64_t>(length);
            if (next > total) {
                error = true;
                break;
            }
            uint32_t storedCrc = 0;
            if (zlibPresent_ && !source.ReadCrc(pos, length, storedCrc)) {
                error = true;
                break;
            }
            const uint8_t* chunk = source.TypeAndData(pos, length);
            if (!chunk) {
                error = true;
                break;
            }
            if (TypeIs(chunk, "IEND")) break;
            if (length > 0) {
                if (TypeIs(chunk, "IHDR")) {
                    if (!ReadHeaderChunk(chunk, length, storedCrc)) {
                        error = true;
                        break;
                    }
                } else if (TypeIs(chunk, "PLTE")) {
                    if (!ReadPaletteChunk(chunk, length, storedCrc)) {
                        error = true;
                        break;
                    }
                } else if (TypeIs(chunk, "tRNS")) {
                    ReadTransparencyChunk(chunk, length, storedCrc);
                } else if (TypeIs(chunk, "IDAT")) {
                    if (storedCrc != 0 && !CheckChunkCrc(chunk, length, storedCrc)) {
                        error = true;
                        break;
                    }
                    idat.insert(idat.end(), chunk + 4, chunk + 4 + length);
                }
            }
            pos = next;
        }
        if (!error && !idat.empty()) decoded = DecodeImageData(idat, target);
    } catch (const std::bad_alloc&) {
        decoded = false;
    }
    if (!decoded) target.DestroyDIB();
    return true;
}

bool cPNGparser::CheckChunkCrc(const uint8_t* typeAndData, uint32_t length, uint32_t storedCrc) const {
    if (!zlibPresent_) return false;
    const uint32_t crc = zlib_.crc32(0, typeAndData, 4 + length);
    return crc != 0 && crc == storedCrc;
}

bool cPNGparser::ReadHeaderChunk(const uint8_t* chunk, uint32_t length, uint32_t storedCrc) {
    headerValid_ = false;
    if (storedCrc != 0 && !CheckChunkCrc(chunk, length, storedCrc)) return false;
    if (length < 13) return false;
    const uint8_t* d = chunk + 4;
    const uint32_t w = rt::ReadBE32(d), h = rt::ReadBE32(d + 4);
    if (w < 1 || h < 1 || w > 0x7FFFFFFFu || h > 0x7FFFFFFFu) return false;
    if (d[10] != 0 || d[11] != 0) return false;
    if (d[12] > 1 || !ValidDepthForType(d[8], d[9])) return false;
    if (static_cast<uint64_t>(w) * 32 * h > 0x7FFFFFFFu) return false;
    width_ = static_cast<int32_t>(w);
    height_ = static_cast<int32_t>(h);
    bitDepth_ = d[8];
    colorType_ = d[9];
    interlace_ = d[12];
    headerValid_ = true;
    return true;
}

bool cPNGparser::ReadPaletteChunk(const uint8_t* chunk, uint32_t length, uint32_t storedCrc) {
    if (colorType_ != 2 && colorType_ != 3 && colorType_ != 6) return true;
    if (storedCrc != 0 && !CheckChunkCrc(chunk, length, storedCrc)) return false;
    if (length % 3 != 0) return false;
    palette_.assign(chunk + 4, chunk + 4 + length);
    return true;
}

void cPNGparser::ReadTransparencyChunk(const uint8_t* chunk, uint32_t length, uint32_t storedCrc) {
    if (colorType_ != 0 && colorType_ != 2 && colorType_ != 3) return;
    if (storedCrc != 0 && !CheckChunkCrc(chunk, length, storedCrc)) return;
    const uint8_t* d = chunk + 4;
    transparency_.assign(d, d + length);
    if (colorType_ == 0) {
        if (length < 2) return;
        TransKey = d[1];
        std::copy(d, d + 2, transSamples_.begin());
    } else if (colorType_ == 2) {
        if (length < 6) return;
        TransKey = (d[1] << 16) | (d[3] << 8) | d[5];
        std::copy(d, d + 6, transSamples_.begin());
    } else {
        if (transparency_.size() < 256) transparency_.resize(256, 255);
        TransKey = 0;
    }
}

namespace {

// The inflate window, kept from one picture to the next: a fresh window of this size would cost
// page faults on every load. A nested or concurrent load makes its own.
class WindowLease {
public:
    WindowLease() {
        if (!busy_.exchange(true)) {
            leased_ = true;
            if (kept_.size() < kWindowBytes) kept_.resize(kWindowBytes);
        } else {
            own_.resize(kWindowBytes);
        }
    }
    ~WindowLease() {
        if (leased_) busy_ = false;
    }
    WindowLease(const WindowLease&) = delete;
    WindowLease& operator=(const WindowLease&) = delete;
    std::span<uint8_t> Window() { return leased_ ? std::span<uint8_t>(kept_) : std::span<uint8_t>(own_); }

private:
    // 64 KB of history and room for some 190 KB more between the moves of the window.
    static constexpr size_t kWindowBytes = 256 * 1024;
    static inline std::atomic<bool> busy_{false};
    static inline std::vector<uint8_t> kept_;
    std::vector<uint8_t> own_;
    bool leased_ = false;
};

}  // namespace

bool cPNGparser::DecodeImageData(std::vector<uint8_t>& idat, DibTarget& target) {
    if (!headerValid_) return false;
    png::ImageHeader header{width_, height_, bitDepth_, colorType_, interlace_};
    const uint64_t expected = png::ExpectedDataSize(header);
    if (expected == 0 || expected > 0xFFFFFFFFu) return false;
    // The picture first: a size the target refuses costs no inflate buffer.
    if (!target.InitializeDIB(width_, height_)) return false;
    uint8_t* bits = target.Bits();
    if (!bits) return false;

    png::Transparency trans;
    trans.TransKey = TransKey;
    std::copy(transSamples_.begin(), transSamples_.end(), trans.keySamples);
    if (colorType_ == 3) trans.alphaTable = transparency_;
    png::RowDecoder rows(header, palette_, trans, bits);

    // The rows are rebuilt as the data is inflated; a stream shorter than the image ends in rows of
    // zero samples.
    const size_t size = static_cast<size_t>(expected);
    size_t produced = 0;
    if (zlibPresent_) {
        // The zlib library inflates in one call into a buffer of the whole data.
        const auto buffer = std::make_unique_for_overwrite<uint8_t[]>(size);
        uint32_t destLength = static_cast<uint32_t>(expected);
        const uint32_t sourceLength = static_cast<uint32_t>(idat.size());
        if (zlib_.uncompress(buffer.get(), &destLength, idat.data(), sourceLength) == 0) {
            produced = std::min<size_t>(destLength, size);
            return rows.Feed(buffer.get(), produced) && rows.FeedZeros(size - produced) && Finish(target);
        }
    }
    WindowLease lease;
    const InflateSink sink = [&](const uint8_t* data, size_t n) { return rows.Feed(data, n); };
    if (!InflateStream(lease.Window(), idat, size, sink, &produced)) return false;
    return rows.FeedZeros(size - produced) && Finish(target);
}

bool cPNGparser::Finish(DibTarget& target) const {
    target.SetAlpha(colorType_ == 4 || colorType_ == 6 || TransKey != -1);
    target.SetImageType(kImageTypePng);
    return true;
}

}  // namespace imaging
