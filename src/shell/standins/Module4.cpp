#include "shell/standins/Module4.h"

#include <windows.h>

#include "runtime/win.h"

namespace Module4 {

rt::Picture GrabFormImage(rt::Form& form) {
    RECT client{};
    if (!GetClientRect(form.hWnd(), &client) || client.right <= 0 || client.bottom <= 0) return {};
    rt::WindowDC screen(form.hWnd());
    if (!screen.get()) return {};
    rt::MemoryDC copy(screen.get());
    HBITMAP bitmap = CreateCompatibleBitmap(screen.get(), client.right, client.bottom);
    if (!bitmap) return {};
    HGDIOBJ old = SelectObject(copy.get(), bitmap);
    BitBlt(copy.get(), 0, 0, client.right, client.bottom, screen.get(), 0, 0, SRCCOPY);
    SelectObject(copy.get(), old);
    // The picture owns the bitmap from here on.
    return rt::Picture::FromBitmap(bitmap, true);
}

void PageTransWl() {}
void PageTransWr() {}
void PageTransWu() {}
void PageTransWd() {}
void PageTransWh() {}
void PageTransWv() {}
void PageTransSp() {}
void PageTransSu() {}
void PageTransRlh() {}
void PageTransRlv() {}

}  // namespace Module4
