#pragma once
// Centring a top-level window the way the class library's CenterWindow does when it is
// given no window to centre on.

#include <windows.h>

namespace tamsel::win32 {

// Centres `window` on its owner when the owner is visible and not minimised, otherwise
// on the work area of the monitor it is on; then pushes it back inside that monitor's
// work area. Size and z-order are kept.
void CenterWindowOnOwnerOrWorkArea(HWND window);

}  // namespace tamsel::win32
