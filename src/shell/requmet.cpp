#include "shell/requmet.h"

#include <windows.h>

#include "runtime/convert.h"
#include "runtime/dispatch.h"
#include "runtime/effects.h"
#include "runtime/error.h"

namespace requmet {

std::string& MemoryFigure() {
    static std::string figure;
    return figure;
}

void GatherSystemInfo() {
    rt::Object locator, service, results;
    rt::Try([&] { locator = rt::CreateObject("WbemScripting.SWbemLocator"); });
    rt::Try([&] { service = locator.Call("ConnectServer", "", "root\\cimv2").ToObject(); });
    rt::Try([&] { service.Get("Security_").ToObject().Let("ImpersonationLevel", rt::Variant(int32_t{3})); });
    rt::Try([&] {
        // 48: return at once, forward only.
        results =
            service.Call("ExecQuery", "Select * from Win32_OperatingSystem", "WQL", int32_t{48}).ToObject();
    });
    rt::Try([&] {
        rt::ForEach(results, [](const rt::Variant& item) {
            rt::Try([&] {
                rt::Object os = item.ToObject();
                MemoryFigure() =
                    FormatKilobytes(rt::TextToInt32(os.Get("TotalVisibleMemorySize").ToString()));
            });
        });
    });
}

std::string RegReadValue(const std::string& path) {
    std::string value;
    rt::Try([&] { value = rt::CreateObject("wscript.shell").Call("RegRead", path).ToString(); });
    return value;
}

int32_t SetDisplayMode(int32_t width, int32_t height, int32_t bits) {
    DEVMODEA mode{};
    mode.dmSize = sizeof mode;
    EnumDisplaySettingsA(nullptr, 0, &mode);
    mode.dmFields = DM_BITSPERPEL | DM_PELSWIDTH | DM_PELSHEIGHT;
    mode.dmBitsPerPel = static_cast<DWORD>(bits);
    mode.dmPelsWidth = static_cast<DWORD>(width);
    mode.dmPelsHeight = static_cast<DWORD>(height);
    // CDS_TEST only asks whether the display can show the mode.
    LONG tested = rt::Effects().ChangeDisplaySettingsA(&mode, CDS_TEST);
    if (tested != DISP_CHANGE_SUCCESSFUL) return tested;
    rt::Effects().ChangeDisplaySettingsA(&mode, CDS_UPDATEREGISTRY);
    // A hung window must not hold the start-up for ever.
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(
        HWND_BROADCAST, WM_DISPLAYCHANGE, static_cast<WPARAM>(bits),
        static_cast<LPARAM>(static_cast<uint32_t>(height) * 65536u + static_cast<uint32_t>(width)),
        SMTO_ABORTIFHUNG, 5000, &ignored);
    return 0;
}

}  // namespace requmet
