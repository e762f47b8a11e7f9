#include "runtime/window_class.h"

#include <algorithm>
#include <string>
#include <vector>

namespace rt {

void RegisterWindowClass(const char* name, WNDPROC proc, UINT style, ClassCursor cursor) {
    static std::vector<std::string> asked;
    if (std::find(asked.begin(), asked.end(), name) != asked.end()) return;
    asked.emplace_back(name);
    WNDCLASSA wc{};
    wc.style = style;
    wc.lpfnWndProc = proc;
    wc.hInstance = GetModuleHandleA(nullptr);
    if (cursor == ClassCursor::Arrow) wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.lpszClassName = name;
    RegisterClassA(&wc);
}

}  // namespace rt
