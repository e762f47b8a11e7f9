#include "runtime/drop_files.h"

#include "runtime/byte_order.h"

namespace rt {

namespace {

constexpr size_t kHeaderBytes = 20;  // offset, point (x, y), non-client flag, wide flag

// Names of `unit`-byte characters from `at` up to an empty name or the end of the block; false
// when a name is not ended inside the block.
template <class Char, class Text>
bool ReadNames(const uint8_t* block, size_t size, size_t at, std::vector<Text>& names) {
    constexpr size_t unit = sizeof(Char);
    while (at + unit <= size) {
        Text name;
        bool ended = false;
        for (; at + unit <= size; at += unit) {
            Char c = 0;
            for (size_t b = 0; b < unit; ++b)
                c = static_cast<Char>(c | static_cast<Char>(block[at + b]) << (8 * b));
            if (c == 0) {
                at += unit;
                ended = true;
                break;
            }
            name.push_back(c);
        }
        if (!ended) return false;
        if (name.empty()) break;
        names.push_back(std::move(name));
    }
    return true;
}

}  // namespace

bool ParseDropFiles(const uint8_t* block, size_t size, DropFileList& list) {
    if (!block || size < kHeaderBytes) return false;
    const size_t offset = ReadLE32(block);
    if (offset < kHeaderBytes || offset > size) return false;
    DropFileList read;
    read.wide = ReadLE32(block + 16) != 0;
    const bool ok = read.wide ? ReadNames<char16_t>(block, size, offset, read.unicode)
                              : ReadNames<char>(block, size, offset, read.ansi);
    if (!ok) return false;
    list = std::move(read);
    return true;
}

}  // namespace rt
