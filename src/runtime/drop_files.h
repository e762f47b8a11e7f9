// The names in a file-list memory block (the CF_HDROP clipboard and drag-and-drop format): a
// DROPFILES header (offset of the names, drop point, non-client flag, wide-character flag)
// followed by zero-ended names and an empty name. Window-free.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace rt {

struct DropFileList {
    bool wide = false;
    std::vector<std::string> ansi;        // the names of a list of 8-bit characters
    std::vector<std::u16string> unicode;  // the names of a wide-character list
};

// Reads the list of a block of `size` bytes. Every read stays inside the block: false, with
// `list` unchanged, when the header, the names' offset or a name reaches past its end.
bool ParseDropFiles(const uint8_t* block, size_t size, DropFileList& list);

}  // namespace rt
