#include "platform/win32/host/window_centring.h"

namespace tamsel::win32 {

void CenterWindowOnOwnerOrWorkArea(HWND window) {
    HWND centreOn = ::GetWindow(window, GW_OWNER);
    if (centreOn != nullptr) {
        const LONG_PTR ownerStyle = ::GetWindowLongPtrW(centreOn, GWL_STYLE);
        // An invisible or minimised owner is no place to centre on.
        if (!(ownerStyle & WS_VISIBLE) || (ownerStyle & WS_MINIMIZE)) centreOn = nullptr;
    }

    RECT dialog{};
    ::GetWindowRect(window, &dialog);

    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    RECT centre{};
    if (centreOn == nullptr) {
        ::GetMonitorInfoW(::MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY), &monitor);
        centre = monitor.rcWork;
    } else {
        ::GetWindowRect(centreOn, &centre);
        ::GetMonitorInfoW(::MonitorFromWindow(centreOn, MONITOR_DEFAULTTONEAREST), &monitor);
    }
    const RECT& area = monitor.rcWork;

    const int width = dialog.right - dialog.left;
    const int height = dialog.bottom - dialog.top;
    int left = (centre.left + centre.right) / 2 - width / 2;
    int top = (centre.top + centre.bottom) / 2 - height / 2;

    // Keep the whole window on the work area, its top left corner first of all.
    if (left + width > area.right) left = area.right - width;
    if (left < area.left) left = area.left;
    if (top + height > area.bottom) top = area.bottom - height;
    if (top < area.top) top = area.top;

    ::SetWindowPos(window, nullptr, left, top, -1, -1, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace tamsel::win32
