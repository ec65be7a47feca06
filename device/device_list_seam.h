#pragma once
// The device-list seam: the system's video capture devices, walked one at a time as
// DirectShow's class enumerator does, each with a friendly name and a bind to a filter.

#include <memory>
#include <string>

#include "device/hresult.h"
#include "device/ks_seam.h"

namespace tamsel {

// One entry of the video input device category (an IMoniker with its property bag).
class CaptureDevice {
public:
    virtual ~CaptureDevice() = default;
    // Opens the property bag and reads "FriendlyName". A failure means the device is skipped.
    virtual HResult ReadFriendlyName(std::wstring* friendlyName) = 0;
    // BindToObject(IID_IBaseFilter).
    virtual HResult BindFilter(std::unique_ptr<KsFilter>* filter) = 0;
};

// IEnumMoniker over the category.
class CaptureDeviceEnumerator {
public:
    virtual ~CaptureDeviceEnumerator() = default;
    // kOk with *device set, or kFalse (S_FALSE) at the end of the list, or a failure.
    virtual HResult Next(std::unique_ptr<CaptureDevice>* device) = 0;
};

// The system device enumerator, asked for the video input device category.
class CaptureDeviceSource {
public:
    virtual ~CaptureDeviceSource() = default;
    // kOk with an enumerator; kFalse when the category is empty; a failure otherwise
    // (also when the system enumerator itself can't be created).
    virtual HResult EnumerateVideoInputDevices(std::unique_ptr<CaptureDeviceEnumerator>* devices) = 0;
};

}  // namespace tamsel
