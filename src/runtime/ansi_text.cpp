#include "runtime/ansi_text.h"

#include <windows.h>

#include <algorithm>

namespace rt {

std::wstring Widen(std::string_view text) {
    if (text.empty()) return {};
    const int length = static_cast<int>(text.size());
    const int n = MultiByteToWideChar(CP_ACP, 0, text.data(), length, nullptr, 0);
    std::wstring out(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), length, out.data(), n);
    return out;
}

std::string Narrow(std::wstring_view text) {
    if (text.empty()) return {};
    const int length = static_cast<int>(text.size());
    const int n = WideCharToMultiByte(CP_ACP, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_ACP, 0, text.data(), length, out.data(), n, nullptr, nullptr);
    return out;
}

void SortIgnoringCase(std::vector<std::string>& items, bool unique) {
    auto compare = [](const std::string& a, const std::string& b) { return lstrcmpiA(a.c_str(), b.c_str()); };
    std::sort(items.begin(), items.end(),
              [&](const std::string& a, const std::string& b) { return compare(a, b) < 0; });
    if (!unique) return;
    items.erase(std::unique(items.begin(), items.end(),
                            [&](const std::string& a, const std::string& b) { return compare(a, b) == 0; }),
                items.end());
}

}  // namespace rt
