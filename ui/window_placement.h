#pragma once
// Where a centred window goes: the arithmetic of the class library's CenterWindow, which
// every host follows so that the dialog lands on the same spot everywhere.

#include "ui/dialog_host.h"

namespace tamsel::ui {

// `window` moved (size kept) so that its centre is the centre of `centreOn`, then pushed
// back inside `workArea`, its top left corner winning when it is larger than the area.
inline Rect CentredWithin(const Rect& window, const Rect& centreOn, const Rect& workArea) {
    const int width = window.Width();
    const int height = window.Height();
    int left = (centreOn.left + centreOn.right) / 2 - width / 2;
    int top = (centreOn.top + centreOn.bottom) / 2 - height / 2;
    if (left + width > workArea.right) left = workArea.right - width;
    if (left < workArea.left) left = workArea.left;
    if (top + height > workArea.bottom) top = workArea.bottom - height;
    if (top < workArea.top) top = workArea.top;
    return {left, top, left + width, top + height};
}

}  // namespace tamsel::ui
