// PNG decoder: signature, chunk walk, CRC policy, choice of inflater, pixel reconstruction into a
// DibTarget. Window-free; the platform's services (GDI+, the zlib library) come in as callbacks.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "imaging/dib_target.h"

namespace imaging {

// The zlib library as the zlib bridge found it. Empty functions, or LibraryFlag 0, mean no library:
// no chunk CRC is checked and the own DEFLATE decoder inflates.
struct ZlibFunctions {
    int32_t LibraryFlag = 0;  // 2 "zlib1.dll", 1 "zlib.dll", 0 none
    // zlib crc32(crc, data, length)
    std::function<uint32_t(uint32_t crc, const uint8_t* data, uint32_t length)> crc32;
    // zlib uncompress(dest, &destLength, source, sourceLength); 0 is success
    std::function<int32_t(uint8_t* dest, uint32_t* destLength, const uint8_t* source, uint32_t sourceLength)>
        uncompress;

    bool Present() const { return LibraryFlag != 0 && crc32 && uncompress; }
};

// The GDI+ loader, tried before the own decoder: a file by name when the name is not empty, else the
// given bytes. It fills the target and sets its image type and alpha state itself. Empty = GDI+ off.
using GdiPlusLoader = std::function<bool(const std::string& fileName, std::span<const uint8_t> bytes,
                                         DibTarget& target, uintptr_t gdiToken)>;

// An open file for the file entry (the Windows build wraps a file handle). Reads are positioned.
class PngFileSource {
public:
    virtual ~PngFileSource() = default;
    virtual int64_t Size() = 0;
    // Reads exactly `count` bytes at `position`; false when they cannot all be read.
    virtual bool ReadAt(int64_t position, uint8_t* buffer, size_t count) = 0;
};

class cPNGparser {
public:
    explicit cPNGparser(ZlibFunctions zlib = {}, GdiPlusLoader gdiPlus = {});

    // The PNG in Stream[streamOffset, streamOffset + streamLength), clipped to the span. True when
    // the range starts with the PNG signature (or GDI+ loaded it), whether or not decoding then
    // succeeded: the target holds a picture exactly when decoding succeeded.
    bool LoadStream(std::span<const uint8_t> Stream, DibTarget& dibClass, int64_t streamOffset,
                    int64_t streamLength, uintptr_t GlobalToken = 0);

    // The same for a file, read chunk by chunk; Filename goes to the GDI+ loader.
    bool LoadFile(PngFileSource& FileHandle, const std::string& Filename, DibTarget& dibClass,
                  uintptr_t GlobalToken = 0);

    class ChunkReader;  // the source of the chunks: a byte view or a file

private:
    bool ParseChunks(ChunkReader& source, const std::string& fileName, DibTarget& target, uintptr_t token);
    bool ReadHeaderChunk(const uint8_t* typeAndData, uint32_t length, uint32_t storedCrc);
    bool ReadPaletteChunk(const uint8_t* typeAndData, uint32_t length, uint32_t storedCrc);
    void ReadTransparencyChunk(const uint8_t* typeAndData, uint32_t length, uint32_t storedCrc);
    bool CheckChunkCrc(const uint8_t* typeAndData, uint32_t length, uint32_t storedCrc) const;
    bool DecodeImageData(std::vector<uint8_t>& idat, DibTarget& target);
    bool Finish(DibTarget& target) const;  // the alpha state and image type of a decoded picture

    ZlibFunctions zlib_;
    GdiPlusLoader gdiPlus_;
    bool zlibPresent_ = false;

    int32_t width_ = 0, height_ = 0;
    uint8_t bitDepth_ = 0, colorType_ = 0, interlace_ = 0;
    bool headerValid_ = false;
    std::vector<uint8_t> palette_;
    std::vector<uint8_t> transparency_;
    int32_t TransKey = -1;
    std::array<uint8_t, 6> transSamples_{};  // the tRNS bytes TransKey came from
};

}  // namespace imaging
