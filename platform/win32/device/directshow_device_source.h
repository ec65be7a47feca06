#pragma once
// The device-list seam over DirectShow: the system device enumerator's video input
// category, walked one moniker at a time, each read through its property bag and bound
// as an IBaseFilter.

#include "device/device_list_seam.h"

namespace tamsel::win32 {

class DirectShowDeviceSource final : public CaptureDeviceSource {
  public:
    // Enters a single-threaded apartment on the calling thread (and never leaves it: the
    // bound filter is used from this apartment until the program ends), then asks the
    // system device enumerator for the video input category.
    HResult EnumerateVideoInputDevices(std::unique_ptr<CaptureDeviceEnumerator>* devices) override;
};

}  // namespace tamsel::win32
