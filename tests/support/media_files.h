// Media files that the tests write: silent PCM sound and uncompressed one-colour video, as plain
// RIFF files.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

namespace mediatest {

inline void Put16(std::string& b, uint32_t v) {
    b += static_cast<char>(v & 0xFF);
    b += static_cast<char>((v >> 8) & 0xFF);
}
inline void Put32(std::string& b, uint32_t v) {
    Put16(b, v & 0xFFFF);
    Put16(b, v >> 16);
}
// A chunk: its four-character code, its size and its data, padded to an even length.
inline std::string Chunk(const char* id, const std::string& data) {
    std::string b(id, 4);
    Put32(b, static_cast<uint32_t>(data.size()));
    b += data;
    if (data.size() % 2) b += '\0';
    return b;
}
inline std::string List(const char* type, const std::string& data) {
    return Chunk("LIST", std::string(type, 4) + data);
}

// seconds of silence: 8 kHz, 8 bits, one channel.
inline std::string Wav(double seconds) {
    const uint32_t rate = 8000;
    std::string fmt;
    Put16(fmt, 1);  // PCM
    Put16(fmt, 1);
    Put32(fmt, rate);
    Put32(fmt, rate);
    Put16(fmt, 1);
    Put16(fmt, 8);
    const std::string data(static_cast<size_t>(seconds * rate), '\x80');
    return Chunk("RIFF", "WAVE" + Chunk("fmt ", fmt) + Chunk("data", data));
}

// frames frames of width x height in one colour at fps frames a second, 24-bit bottom-up DIBs.
inline std::string SolidAvi(int width, int height, COLORREF colour, int fps, int frames) {
    const uint32_t stride = static_cast<uint32_t>((width * 3 + 3) & ~3);
    const uint32_t frameSize = stride * static_cast<uint32_t>(height);
    std::string avih;
    Put32(avih, 1000000u / static_cast<uint32_t>(fps));
    Put32(avih, frameSize * static_cast<uint32_t>(fps));
    Put32(avih, 0);
    Put32(avih, 0x10);  // an index follows
    Put32(avih, static_cast<uint32_t>(frames));
    Put32(avih, 0);
    Put32(avih, 1);
    Put32(avih, frameSize);
    Put32(avih, static_cast<uint32_t>(width));
    Put32(avih, static_cast<uint32_t>(height));
    for (int i = 0; i < 4; ++i) Put32(avih, 0);

    std::string strh = "vidsDIB ";
    Put32(strh, 0);
    Put32(strh, 0);  // priority, language
    Put32(strh, 0);
    Put32(strh, 1);  // scale
    Put32(strh, static_cast<uint32_t>(fps));
    Put32(strh, 0);
    Put32(strh, static_cast<uint32_t>(frames));
    Put32(strh, frameSize);
    Put32(strh, 0xFFFFFFFFu);
    Put32(strh, 0);
    Put16(strh, 0);
    Put16(strh, 0);
    Put16(strh, static_cast<uint32_t>(width));
    Put16(strh, static_cast<uint32_t>(height));

    std::string strf;
    Put32(strf, 40);
    Put32(strf, static_cast<uint32_t>(width));
    Put32(strf, static_cast<uint32_t>(height));
    Put16(strf, 1);
    Put16(strf, 24);
    Put32(strf, 0);
    Put32(strf, frameSize);
    for (int i = 0; i < 4; ++i) Put32(strf, 0);

    std::string pixel;
    pixel += static_cast<char>(GetBValue(colour));
    pixel += static_cast<char>(GetGValue(colour));
    pixel += static_cast<char>(GetRValue(colour));
    std::string row;
    for (int x = 0; x < width; ++x) row += pixel;
    row.resize(stride, '\0');
    std::string frame;
    for (int y = 0; y < height; ++y) frame += row;

    std::string movi, index;
    for (int i = 0; i < frames; ++i) {
        index += "00db";
        Put32(index, 0x10);  // a key frame
        Put32(index, static_cast<uint32_t>(4 + movi.size()));
        Put32(index, frameSize);
        movi += Chunk("00db", frame);
    }
    const std::string hdrl =
        List("hdrl", Chunk("avih", avih) + List("strl", Chunk("strh", strh) + Chunk("strf", strf)));
    return Chunk("RIFF", "AVI " + hdrl + List("movi", movi) + Chunk("idx1", index));
}

}  // namespace mediatest
