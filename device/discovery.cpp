#include "device/discovery.h"

#include "device/device_settings.h"

namespace tamsel {

namespace {
constexpr int kFound = 0;
constexpr int kNotFoundResult = 1;
}  // namespace

int FindCaptureDevice(CaptureDeviceSource& devices, const std::wstring& name) {
    // The enumerator lives in a unique_ptr, so it is released on every way out.
    std::unique_ptr<CaptureDeviceEnumerator> enumerator;
    const HResult enumerated = devices.EnumerateVideoInputDevices(&enumerator);
    // S_FALSE is an empty category; a failure means there is no list to walk.
    if (enumerated != kOk || !enumerator) return kNotFoundResult;

    std::unique_ptr<CaptureDevice> device;
    while (enumerator->Next(&device) == kOk) {
        std::unique_ptr<CaptureDevice> current = std::move(device);
        if (!current) continue;

        std::wstring friendlyName;
        if (Failed(current->ReadFriendlyName(&friendlyName))) continue;  // skipped
        if (friendlyName != name) continue;

        // A matching device whose filter can't be bound doesn't count as found: every
        // command would fail on it. We keep walking, so a later device of the same name
        // that does bind is used instead (devices of one name can't be told apart anyway).
        std::unique_ptr<KsFilter> filter;
        if (Failed(current->BindFilter(&filter)) || !filter) continue;

        TheDeviceSettings().filter = std::move(filter);
        return kFound;
    }
    return kNotFoundResult;
}

}  // namespace tamsel
