#include "shell/mMain.h"

namespace mMain {

void SetFormIcons(HWND hwnd, const std::string& iconResName, bool includeOwner) {
    HWND owner = nullptr;
    if (includeOwner) {
        owner = hwnd;
        while (HWND next = GetWindow(owner, GW_OWNER)) owner = next;
    }
    HINSTANCE module = GetModuleHandleA(nullptr);
    auto send = [&](int cx, int cy, WPARAM which) {
        auto icon =
            static_cast<HICON>(LoadImageA(module, iconResName.c_str(), IMAGE_ICON, cx, cy, LR_SHARED));
        if (owner && owner != hwnd) SendMessageA(owner, WM_SETICON, which, reinterpret_cast<LPARAM>(icon));
        SendMessageA(hwnd, WM_SETICON, which, reinterpret_cast<LPARAM>(icon));
    };
    send(GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON), ICON_BIG);
    send(GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), ICON_SMALL);
}

}  // namespace mMain
