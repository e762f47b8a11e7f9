// The launcher's two optional settings files (Data\scr.res, Data\data.req): every field of the
// file joined without separator, then split at "#" into items numbered from 0. A file of the one
// quoted field 1024#768 and a file of the fields 1024# and 768 give the same items.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace shell {

// Reads the file's items; fails as the sequential-input reader does (53 for a missing file).
std::vector<std::string> ReadSettingItems(const std::string& path);

// An item as a number: 0 when the item is missing or does not convert.
int32_t ItemInt32(const std::vector<std::string>& items, size_t index);
double ItemDouble(const std::vector<std::string>& items, size_t index);
// An item as text: empty when missing.
std::string ItemText(const std::vector<std::string>& items, size_t index);

}  // namespace shell
