#pragma once
// A list of video capture devices for discovery to walk, standing in for the system's
// device enumerator: named entries, each backed by a virtual camera, with the ways a real
// list misbehaves (no enumerator, empty category, a name that can't be read, a device
// that won't bind).

#include <memory>
#include <string>
#include <vector>

#include "device/device_list_seam.h"
#include "device/hresult.h"

namespace tamsel::sim {

class VirtualCamera;

class VirtualDeviceList : public CaptureDeviceSource {
  public:
    struct Entry {
        std::wstring name;
        VirtualCamera* camera = nullptr;  // the filter a bind gives; null binds nothing
        bool nameReadable = true;         // false: reading "FriendlyName" fails
        bool bindable = true;             // false: BindToObject fails
    };

    VirtualDeviceList();
    ~VirtualDeviceList() override;

    void Add(Entry entry);
    const std::vector<Entry>& entries() const;

    // What asking for the category returns instead of an enumerator: a failure (the
    // system enumerator can't be created) or kFalse (an empty category). kOk restores the
    // normal answer, which is kFalse by itself when there are no entries.
    void SetEnumerationResult(HResult result);
    // Next fails with `result` when it reaches entry `index` (from 0).
    void FailNextAt(std::size_t index, HResult result);

    HResult EnumerateVideoInputDevices(std::unique_ptr<CaptureDeviceEnumerator>* devices) override;

    // Enumerators and devices handed out and not yet released.
    int LiveObjects() const;
    // Names read and filters bound, in order, for tests that check how far a walk went.
    const std::vector<std::wstring>& namesRead() const;
    int bindAttempts() const;

    // Shared with the enumerators and devices handed out; defined in the .cpp.
    struct State;

  private:
    std::shared_ptr<State> state_;
};

}  // namespace tamsel::sim
