// cPNGwriter: the image engine's own PNG encoder, used when GDI+ cannot encode. It picks 8-bit
// palette, greyscale, RGB or RGBA from the picture's colours, divides the premultiplied colours
// back, filters the rows, compresses them with zlib into one IDAT chunk and frames every chunk
// with its CRC. Text, time and background chunks are written only when their flags are set,
// which nothing in the program does. Window-free: zlib comes in as functions, and the output is a
// byte array or any sink (the Windows side wraps a file).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "imaging/zlib_api.h"

namespace imaging {

// The picture as the image object holds it: `height` rows of width x 4 bytes, bottom row first,
// blue, green, red, alpha, colours premultiplied. Without `Alpha` every alpha byte is 255.
struct PngSourceImage {
    const uint8_t* bits = nullptr;
    int32_t width = 0;
    int32_t height = 0;
    bool Alpha = false;
};

// Where the file bytes go. A write that does not take every byte fails.
class PngOutput {
public:
    virtual ~PngOutput() = default;
    virtual bool Write(const uint8_t* data, size_t length) = 0;
};

class cPNGwriter {
public:
    // Bits of ChunkFlags.
    enum : int32_t {
        chunkTitle = 1,
        chunkAuthor = 2,
        chunkDescription = 4,
        chunkCopyright = 8,
        chunkCreationTime = 16,
        chunkSoftware = 32,
        chunkDisclaimer = 64,
        chunkWarning = 128,
        chunkSource = 256,
        chunkComment = 512,
        chunkCustomText = 1024,
        chunkTime = 2048,
        chunkBackground = 4096,
    };
    static constexpr int32_t kTimeSlot = 10;
    static constexpr int32_t kFirstCustomSlot = 11;

    explicit cPNGwriter(ZlibApi zlib);

    // `outStream` becomes exactly the PNG bytes. False without a picture or without zlib (the
    // array is then untouched), and false with the array emptied when a later step fails.
    bool WritePng(const PngSourceImage& image, std::vector<uint8_t>& outStream);
    // The same into a sink (an open file); the caller removes the file when this is false.
    bool WritePng(const PngSourceImage& image, PngOutput& output);

    // Settings of the optional chunks and the row filter; 0 and empty unless a test sets them.
    // Text slots 0 to 9 belong to the bits 1 to 512, slot 10 holds the time as date text, slots
    // 11 on hold custom entries: keyword, NUL, text.
    int32_t ChunkFlags = 0;
    std::vector<std::string> TextEntries;
    int32_t BackgroundColor = 0;
    int32_t FilterChoice = 0;  // 0 by colour type, 1 None .. 5 Paeth, 6 per row

    // The rules a PNG keyword and text must meet.
    static std::string CleanTextValue(const std::string& text);
    // Cleans `keyword` in place; 0 when nothing is left, else KeywordFlag of the result.
    static int32_t CleanKeyword(std::string& keyword);
    // The bit of a predefined keyword (case ignored), -1 for any other.
    static int32_t KeywordFlag(const std::string& keyword);
    static bool IsChunkFlag(int32_t value);
    // The text slot of a bit: for custom entries the first whose keyword equals `keyword`, or -1.
    int32_t TextSlot(int32_t flag, const std::string& keyword) const;

    // The colour type the last WritePng chose (0, 2, 3, 6; -1 before).
    int32_t ColorType() const { return colorType_; }

private:
    bool Encode(const PngSourceImage& image, PngOutput& output);
    bool BuildPaletteRows(const PngSourceImage& image);
    void BuildTrueColorRows(const PngSourceImage& image);
    bool WriteHeader(const PngSourceImage& image, PngOutput& out);
    bool WriteTextChunks(PngOutput& out, bool firstGroup);
    bool WritePalette(PngOutput& out, bool& noRoomForBackground);
    bool WriteBackground(PngOutput& out);
    bool WriteTransparency(PngOutput& out);
    bool FilterAndDeflate(const PngSourceImage& image, PngOutput& out);
    bool WriteTimeChunk(PngOutput& out);
    bool WriteCustomTexts(PngOutput& out);
    bool WriteEndChunk(PngOutput& out);
    // Compresses `length` bytes into `out` after its first `reserved` bytes; false on a zlib error.
    bool DeflateData(const uint8_t* data, size_t length, std::vector<uint8_t>& out, size_t reserved);
    // Writes one chunk whose type is in the first 4 bytes of `chunk`, followed by `dataLength`
    // bytes of data.
    bool WriteChunk(PngOutput& out, const uint8_t* chunk, size_t dataLength);
    bool WriteChunk(PngOutput& out, const char* type, const std::vector<uint8_t>& data);

    ZlibApi zlib_;
    int32_t colorType_ = -1;
    int32_t transparent_ = -1;
    std::vector<int32_t> table_;  // distinct pixel values, sorted as signed numbers
    std::vector<uint8_t> paletteAlpha_;
    std::vector<uint8_t> palette_;       // 4 bytes for the chunk type, then red, green, blue per entry
    std::vector<uint8_t> transparency_;  // 4 bytes for the chunk type, then the tRNS data
    std::vector<uint8_t> rows_;          // converted rows, bottom row first
};

}  // namespace imaging
