#include "shell/settings_items.h"

#include "runtime/convert.h"
#include "runtime/error.h"
#include "runtime/textfile.h"

namespace shell {

std::vector<std::string> ReadSettingItems(const std::string& path) {
    rt::InputFile file(path);
    std::string joined;
    while (!file.AtEnd()) joined += file.ReadField();
    file.Close();
    return rt::Split(joined, "#");
}

int32_t ItemInt32(const std::vector<std::string>& items, size_t index) {
    int32_t value = 0;
    if (index < items.size()) rt::Try([&] { value = rt::TextToInt32(items[index]); });
    return value;
}

double ItemDouble(const std::vector<std::string>& items, size_t index) {
    double value = 0;
    if (index < items.size()) rt::Try([&] { value = rt::TextToDouble(items[index]); });
    return value;
}

std::string ItemText(const std::vector<std::string>& items, size_t index) {
    return index < items.size() ? items[index] : std::string();
}

}  // namespace shell
