// The Windows side of the engine's own readers: the PNG, GIF and ICO/CUR readers placed in the
// loaders' chain with the services they take from the platform (the open file, the zlib library,
// GDI+), and the conversion of icon and cursor handles.
#pragma once

#include <windows.h>

#include <cstdint>

#include "imaging/codecs/png_decoder.h"
#include "imaging/reader_chain.h"

namespace imaging {

class c32bppDIB;

// Fills the table with the PNG, GIF and ICO/CUR readers and the icon handle converter.
void InstallImageReaders(ImageReaders& readers);

// A file handle as the PNG decoder's file source: positioned reads, the size asked once.
class HandleFileSource final : public PngFileSource {
public:
    explicit HandleFileSource(HANDLE file) : file_(file) {}
    int64_t Size() override;
    bool ReadAt(int64_t position, uint8_t* buffer, size_t count) override;

private:
    HANDLE file_;
    int64_t size_ = -1;
};

// An icon or cursor handle into the image: the colour bitmap with its alpha channel when it has
// one (image type 8 icon, 12 cursor), otherwise the colours cut out by the AND mask (3 icon,
// 5 cursor). False, with the image left without a picture, when the handle gives no picture.
bool ConvertIconHandle(HICON handle, c32bppDIB& image);

}  // namespace imaging
