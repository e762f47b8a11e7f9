#include "shell/store/dTools.h"

#include "runtime/files.h"

namespace dTools {

std::string AddBackslash(std::string text) {
    if (text.empty() || !(text.back() == kBackslash || rt::IsPathSeparator(text.back()))) text += kBackslash;
    return text;
}

std::string GetTempFolder() {
    std::string path = rt::SystemTempPath();
    if (!path.empty()) path.pop_back();
    return path;
}

}  // namespace dTools
