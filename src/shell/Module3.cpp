#include "shell/Module3.h"

#include <algorithm>
#include <cstring>

#include "runtime/form.h"
#include "runtime/system_library.h"

namespace Module3 {

namespace {
// The first, short form of the record: 88 bytes in the 32-bit program, the tip field 64 bytes.
NOTIFYICONDATAA& Record() {
    static NOTIFYICONDATAA record{};
    return record;
}
BOOL NotifyIcon(DWORD message, NOTIFYICONDATAA& data) {
    static const auto notify =
        rt::SystemFunction<decltype(::Shell_NotifyIconA)>("shell32.dll", "Shell_NotifyIconA");
    return notify && notify(message, &data);
}
bool& Shown() {
    static bool shown = false;
    return shown;
}
}  // namespace

void AddTrayIcon(rt::Form& window, const std::string& tip) {
    NOTIFYICONDATAA& data = Record();
    data = NOTIFYICONDATAA{};
    data.cbSize = NOTIFYICONDATAA_V1_SIZE;
    data.hWnd = window.hWnd();
    const auto icon = reinterpret_cast<HICON>(window.Icon().Handle());
    data.uID = static_cast<UINT>(reinterpret_cast<UINT_PTR>(icon));
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data.uCallbackMessage = WM_MOUSEMOVE;
    data.hIcon = icon;
    std::memset(data.szTip, ' ', 64);
    const size_t n = std::min<size_t>(tip.size(), 63);
    std::memcpy(data.szTip, tip.data(), n);
    data.szTip[n] = '\0';
    if (NotifyIcon(NIM_ADD, data)) Shown() = true;
}

void RemoveTrayIcon() {
    NotifyIcon(NIM_DELETE, Record());
    Shown() = false;
}

bool TrayIconShown() {
    return Shown();
}

const NOTIFYICONDATAA& TrayIconData() {
    return Record();
}

}  // namespace Module3
