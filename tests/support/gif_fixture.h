// GIF files written by the tests: a logical screen with a global colour table of 8 colours and
// frames of palette indices, each with its own graphic control block (or none), encoded with
// literal codes only (a clear code every few pixels keeps the code width fixed).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace giftest {

using Bytes = std::string;

// Palette indices of the fixtures.
enum : uint8_t { kRed = 0, kGreen = 1, kBlue = 2, kWhite = 3, kBlack = 4, kClear = 7 };
inline const uint32_t kPalette[8] = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF,
                                     0x000000, 0x808080, 0x404040, 0xFF00FF};

struct Image {
    int left = 0, top = 0, width = 1, height = 1;
    std::vector<uint8_t> pixels;  // width * height indices, top row first; one value fills the image
    int delay = 10;               // hundredths of a second
    int disposal = 0;
    int transparent = -1;  // the transparent index, or -1
    bool control = true;   // with a graphic control block before it
};

inline void Word(Bytes& b, int v) {
    b += static_cast<char>(v & 0xFF);
    b += static_cast<char>((v >> 8) & 0xFF);
}

// The image data: code size 3 (4-bit codes), a clear code before every 4 pixels.
inline Bytes ImageData(const Image& im) {
    const int clear = 8, end = 9;
    std::vector<int> codes;
    const size_t count = static_cast<size_t>(im.width) * static_cast<size_t>(im.height);
    for (size_t i = 0; i < count; ++i) {
        if (i % 4 == 0) codes.push_back(clear);
        codes.push_back(im.pixels.size() == 1 ? im.pixels[0] : im.pixels[i]);
    }
    codes.push_back(end);
    Bytes packed;
    for (size_t i = 0; i < codes.size(); i += 2)
        packed += static_cast<char>(codes[i] | (i + 1 < codes.size() ? codes[i + 1] << 4 : 0));
    Bytes out(1, '\x03');
    for (size_t at = 0; at < packed.size(); at += 255) {
        const Bytes piece = packed.substr(at, 255);
        out += static_cast<char>(piece.size());
        out += piece;
    }
    return out + '\0';
}

inline Bytes ControlBlock(int delay, int disposal, int transparent) {
    Bytes b = "\x21\xF9\x04";
    b += static_cast<char>((disposal << 2) | (transparent >= 0 ? 1 : 0));
    Word(b, delay);
    b += static_cast<char>(transparent >= 0 ? transparent : 0);
    return b + '\0';
}

inline Bytes Descriptor(int left, int top, int width, int height) {
    Bytes b = "\x2C";
    Word(b, left);
    Word(b, top);
    Word(b, width);
    Word(b, height);
    return b + '\0';
}

inline Bytes Header(int width, int height) {
    Bytes b = "GIF89a";
    Word(b, width);
    Word(b, height);
    b += "\xF2";  // global table of 8 colours
    b += std::string("\0\0", 2);
    for (uint32_t c : kPalette) {
        b += static_cast<char>(c >> 16);
        b += static_cast<char>(c >> 8);
        b += static_cast<char>(c);
    }
    return b;
}

inline Bytes LoopBlock() {
    return std::string("\x21\xFF\x0BNETSCAPE2.0\x03\x01\x00\x00\x00", 19);
}

inline Bytes Gif(int width, int height, const std::vector<Image>& images, const Bytes& before = {}) {
    Bytes b = Header(width, height) + before;
    for (const Image& im : images) {
        if (im.control) b += ControlBlock(im.delay, im.disposal, im.transparent);
        b += Descriptor(im.left, im.top, im.width, im.height) + ImageData(im);
    }
    return b + ";";
}

// The animation of the tests: a 20x10 screen; frame 1 all red for 1 s, disposal 2 (back to the
// background); frame 2 green, 10x5 at (5, 2), its left column transparent, delay 0; frame 3 blue,
// 4x4 at the corner, 0.5 s.
inline Bytes ThreeFrames() {
    Image red{0, 0, 20, 10, {kRed}, 100, 2};
    Image green{5, 2, 10, 5, {}, 0, 1, kClear};
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 10; ++x) green.pixels.push_back(x == 0 ? kClear : kGreen);
    Image blue{0, 0, 4, 4, {kBlue}, 50, 0};
    return Gif(20, 10, {red, green, blue});
}

// A GIF whose first frame's image data holds the bytes 0, 33, 249 (the end of a block followed by
// the start of a graphic control block): one row of 123 pixels in 8-bit codes from a local table
// of 128 colours, 119 blue, then red, green, and code 249 (red, green again); frame 2 is one white
// pixel at the corner.
inline Bytes ControlBytesInImageData() {
    Bytes local(128 * 3, '\0');
    local[0] = '\xFF';                            // 0 red
    local[2 * 3 + 2] = '\xFF';                    // 2 blue
    local[33 * 3 + 1] = '\xFF';                   // 33 green
    Bytes codes = "\x80" + Bytes(119, '\x02');    // clear, 119 blue
    codes += std::string("\x00\x21\xF9\x81", 4);  // red, green, the entry "red green", end
    Bytes b = Header(123, 1) + ControlBlock(10, 0, -1) + Descriptor(0, 0, 123, 1);
    b.back() = '\x86';  // a local table of 128 colours
    b += local + "\x07";
    b += static_cast<char>(codes.size());
    b += codes + std::string(1, '\0');
    Image white{0, 0, 1, 1, {kWhite}, 10, 0};
    b += ControlBlock(white.delay, 0, -1) + Descriptor(0, 0, 1, 1) + ImageData(white);
    return b + ";";
}

}  // namespace giftest
