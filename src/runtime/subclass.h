// Window subclassing with the platform's subclass-procedure signature, kept in the program's own
// table. The platform's service looks its chain up through a window property on every message,
// and each such lookup is a round trip to the window manager on some systems; this chain costs a
// table lookup. The rules are the platform's: the procedure added last runs first, CallNextSubclass
// passes a message on down the chain and at its end to the window's own procedure, a procedure can
// remove itself while it runs, and the chain goes with the window (after WM_NCDESTROY).
//
//   rt::SubclassWindow(hwnd, Proc, 1, reinterpret_cast<DWORD_PTR>(this));
//   LRESULT CALLBACK Proc(HWND h, UINT m, WPARAM w, LPARAM l, UINT_PTR id, DWORD_PTR ref) {
//       ...
//       return rt::CallNextSubclass(h, m, w, l);
//   }
//   rt::UnsubclassWindow(hwnd, Proc, 1);
//
// Windows belong to the thread that made them; so do their chains.
#pragma once

#include <windows.h>

#include <commctrl.h>

namespace rt {

// Adds the procedure under the id, or gives an existing one (same procedure and id) the new data.
bool SubclassWindow(HWND hwnd, SUBCLASSPROC proc, UINT_PTR id, DWORD_PTR data);
// Takes the procedure under the id off; false when it is not on the window.
bool UnsubclassWindow(HWND hwnd, SUBCLASSPROC proc, UINT_PTR id);
// From inside a subclass procedure: the next procedure down the chain, or the window's own.
LRESULT CallNextSubclass(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);

}  // namespace rt
