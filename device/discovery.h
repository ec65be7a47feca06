#pragma once
// Finds the camera among the video capture devices by its exact friendly name.

#include <string>

#include "device/device_list_seam.h"

namespace tamsel {

// 0 when a device named exactly `name` (case-sensitive, whole string) was found and its
// filter bound into TheDeviceSettings().filter; 1 otherwise. The first match wins.
int FindCaptureDevice(CaptureDeviceSource& devices, const std::wstring& name);

}  // namespace tamsel
