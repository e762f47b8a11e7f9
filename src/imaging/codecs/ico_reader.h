// ICO and CUR reader: checks the directory, chooses the entry that best fits a requested size and
// depth, and decodes it into a DibTarget (PNG entries through the PNG decoder, bitmap entries with
// their AND mask or alpha channel). Window-free; converting icon handles stays in the Windows build,
// which uses ApplyIconMask for the mask step.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "imaging/codecs/png_decoder.h"
#include "imaging/dib_target.h"

namespace imaging {

class cICOparser {
public:
    explicit cICOparser(ZlibFunctions zlib = {}, GdiPlusLoader gdiPlus = {});

    // The icon or cursor file in inStream from streamOffset for streamLength bytes (0: to the end of
    // the array); the directory and every image offset count from streamOffset. False when the
    // directory or an entry fails its checks (the target is untouched). True otherwise; with a
    // target, the chosen entry is decoded into it (no picture when that fails), and without one only
    // the directory is read (IconCount, Width, Height, bitDepth, IsIconPNG).
    bool LoadStream(std::span<const uint8_t> inStream, int32_t desiredWidth, int32_t desiredHeight,
                    DibTarget* cHost, int64_t streamOffset, int64_t streamLength, int32_t icoBitDepth,
                    uintptr_t GlobalToken = 0);

    // Directory properties, entries counted from 1.
    int32_t IconCount() const { return static_cast<int32_t>(entries_.size()); }
    int32_t Width(int32_t index) const;
    int32_t Height(int32_t index) const;
    int32_t bitDepth(int32_t index) const;
    bool IsIconPNG(int32_t index) const;

    // Makes mask-transparent pixels of `image` 0,0,0,0 and the rest opaque. The mask has rows of
    // ((width + 31) / 32) * 4 bytes, bottom row first, the leftmost pixel in the top bit; missing
    // bytes count as clear. Image type 3 (icon) or 5 (cursor); alpha flag true when a bit was set.
    static void ApplyIconMask(DibTarget& image, std::span<const uint8_t> mask, bool isIcon);

private:
    struct Entry {
        uint8_t width, height, colorCount, reserved;
        uint16_t planes, bitCount;
        uint32_t bytesInRes, imageOffset;
    };
    bool ProbePngEntry(Entry& e, std::span<const uint8_t> data);
    int ChooseIconEntry(int32_t w, int32_t h, int32_t depth) const;
    bool DecodeBitmapEntry(const Entry& e, std::span<const uint8_t> data, DibTarget& image) const;

    ZlibFunctions zlib_;
    GdiPlusLoader gdiPlus_;
    uint16_t reserved_ = 0, type_ = 0;
    std::vector<Entry> entries_;
};

}  // namespace imaging
