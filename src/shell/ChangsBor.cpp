#include "shell/ChangsBor.h"

#include <windows.h>

#include <iterator>

#include "runtime/error.h"

namespace ChangsBor {

namespace {
// The window style and extended style bits of the border styles 0 to 5.
struct BorderBits {
    LONG_PTR style, exStyle;
};
constexpr BorderBits kBorderStyles[] = {
    {0x14000000, 0},     {0x14C00000, 0x100}, {0x14C40000, 0x100},
    {0x14C00080, 0x101}, {0x14C00000, 0x180}, {0x14C40000, 0x180},
};
}  // namespace

void ChangeBorderStyle(rt::Form& frm, int32_t style, bool clipControls, bool controlBox, bool maxButton,
                       bool minButton, bool showInTaskbar, bool whatsThisButton) {
    // The runtime's forms always clip their children; the option only adds the style bit.
    LONG_PTR ws = 0;
    LONG_PTR ex = 0;
    if (clipControls) ws |= WS_CLIPCHILDREN;
    if (controlBox) ws |= WS_SYSMENU;
    if (maxButton) ws |= WS_MAXIMIZEBOX;
    if (minButton) ws |= WS_MINIMIZEBOX;
    if (showInTaskbar) ex |= WS_EX_APPWINDOW;
    if (whatsThisButton) ex |= WS_EX_CONTEXTHELP;
    if (GetWindowLongPtrA(frm.hWnd(), GWL_EXSTYLE) & WS_EX_MDICHILD) ex |= WS_EX_MDICHILD;
    if (style >= 0 && style < static_cast<int32_t>(std::size(kBorderStyles))) {
        ws |= kBorderStyles[style].style;
        ex |= kBorderStyles[style].exStyle;
    }
    HWND hwnd = frm.hWnd();
    // Styles that stay as they are leave the frame as it is: the window only comes to the top.
    const bool same = GetWindowLongPtrA(hwnd, GWL_STYLE) == ws && GetWindowLongPtrA(hwnd, GWL_EXSTYLE) == ex;
    rt::Procedure proc(rt::OnError::Skip);
    proc.step([&] { SetWindowLongPtrA(hwnd, GWL_STYLE, ws); });
    proc.step([&] { SetWindowLongPtrA(hwnd, GWL_EXSTYLE, ex); });
    proc.step([&] {
        SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, (same ? 0 : SWP_FRAMECHANGED) | SWP_NOMOVE | SWP_NOSIZE);
    });
    // The form's BorderStyle is a design-time setting: the runtime refuses it here (as the
    // platform's forms do), and the styles just written stay.
}

}  // namespace ChangsBor
