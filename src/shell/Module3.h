// Module3: the main window's icon in the notification area. The icon's mouse events come back
// to the window as mouse moves whose X carries the mouse message number (Form1::Form_MouseMove).
#pragma once

#include <windows.h>
// after windows.h
#include <shellapi.h>

#include <string>

namespace rt {
class Form;
}

namespace Module3 {

// Adds the window's icon with the tip (at most 63 characters) to the notification area.
void AddTrayIcon(rt::Form& window, const std::string& tip);
// Removes the icon that AddTrayIcon added last; before any AddTrayIcon it removes nothing.
void RemoveTrayIcon();
// Whether an icon added here is still in the notification area (the program removes it when
// it ends).
bool TrayIconShown();
// The record as AddTrayIcon left it.
const NOTIFYICONDATAA& TrayIconData();

}  // namespace Module3
