#include "sim/virtual_device_list.h"

#include <limits>

#include "sim/virtual_camera.h"

namespace tamsel::sim {

struct VirtualDeviceList::State {
    std::vector<Entry> entries;
    HResult enumerationResult = kOk;
    std::size_t failNextIndex = std::numeric_limits<std::size_t>::max();
    HResult failNextResult = kFail;
    int liveObjects = 0;
    std::vector<std::wstring> namesRead;
    int bindAttempts = 0;
};

namespace {

// The list's objects share its state, so a device handed out stays valid (and counted)
// even if a test drops the list first.
class VirtualDevice final : public CaptureDevice {
  public:
    VirtualDevice(std::shared_ptr<VirtualDeviceList::State> state, std::size_t index)
        : state_(std::move(state)), index_(index) {
        ++state_->liveObjects;
    }
    ~VirtualDevice() override { --state_->liveObjects; }

    HResult ReadFriendlyName(std::wstring* friendlyName) override {
        const auto& entry = state_->entries[index_];
        if (!entry.nameReadable) return kFail;
        if (friendlyName == nullptr) return kPointer;
        *friendlyName = entry.name;
        state_->namesRead.push_back(entry.name);
        return kOk;
    }

    HResult BindFilter(std::unique_ptr<KsFilter>* filter) override {
        ++state_->bindAttempts;
        const auto& entry = state_->entries[index_];
        if (filter == nullptr) return kPointer;
        if (!entry.bindable || entry.camera == nullptr) return kNoInterface;
        *filter = entry.camera->CreateFilter();
        return kOk;
    }

  private:
    std::shared_ptr<VirtualDeviceList::State> state_;
    std::size_t index_;
};

class VirtualEnumerator final : public CaptureDeviceEnumerator {
  public:
    explicit VirtualEnumerator(std::shared_ptr<VirtualDeviceList::State> state)
        : state_(std::move(state)) {
        ++state_->liveObjects;
    }
    ~VirtualEnumerator() override { --state_->liveObjects; }

    HResult Next(std::unique_ptr<CaptureDevice>* device) override {
        if (device == nullptr) return kPointer;
        if (next_ == state_->failNextIndex) return state_->failNextResult;
        if (next_ >= state_->entries.size()) return kFalse;
        *device = std::make_unique<VirtualDevice>(state_, next_++);
        return kOk;
    }

  private:
    std::shared_ptr<VirtualDeviceList::State> state_;
    std::size_t next_ = 0;
};

}  // namespace

VirtualDeviceList::VirtualDeviceList() : state_(std::make_shared<State>()) {}
VirtualDeviceList::~VirtualDeviceList() = default;

void VirtualDeviceList::Add(Entry entry) {
    state_->entries.push_back(std::move(entry));
}
const std::vector<VirtualDeviceList::Entry>& VirtualDeviceList::entries() const {
    return state_->entries;
}

void VirtualDeviceList::SetEnumerationResult(HResult result) {
    state_->enumerationResult = result;
}

void VirtualDeviceList::FailNextAt(std::size_t index, HResult result) {
    state_->failNextIndex = index;
    state_->failNextResult = result;
}

HResult VirtualDeviceList::EnumerateVideoInputDevices(
    std::unique_ptr<CaptureDeviceEnumerator>* devices) {
    if (devices == nullptr) return kPointer;
    if (state_->enumerationResult != kOk) return state_->enumerationResult;
    // The system answers S_FALSE, and no enumerator, for a category with no devices.
    if (state_->entries.empty()) return kFalse;
    *devices = std::make_unique<VirtualEnumerator>(state_);
    return kOk;
}

int VirtualDeviceList::LiveObjects() const {
    return state_->liveObjects;
}
const std::vector<std::wstring>& VirtualDeviceList::namesRead() const {
    return state_->namesRead;
}
int VirtualDeviceList::bindAttempts() const {
    return state_->bindAttempts;
}

}  // namespace tamsel::sim
