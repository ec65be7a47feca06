#include "platform/win32/host/window_centring.h"

#include "ui/window_placement.h"

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
    const auto toRect = [](const RECT& r) { return ui::Rect{r.left, r.top, r.right, r.bottom}; };
    const ui::Rect placed =
        ui::CentredWithin(toRect(dialog), toRect(centre), toRect(monitor.rcWork));

    ::SetWindowPos(window, nullptr, placed.left, placed.top, -1, -1,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace tamsel::win32
