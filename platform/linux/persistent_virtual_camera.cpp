#include "platform/linux/persistent_virtual_camera.h"

#include <filesystem>
#include <system_error>

#include "device/xu_transport.h"

namespace tamsel::linux_platform {
namespace {

bool IsWrite(const std::uint8_t* request, std::uint32_t requestLength) {
    KspNode property;
    return request != nullptr && ParseKspNode(request, requestLength, &property) &&
           (property.flags & kKsPropertyTypeSet) != 0;
}

// Each wrapper holds the camera before the object it wraps, so the wrapped object (which
// points into the camera) is destroyed first.
class PersistingControl final : public KsControl {
  public:
    PersistingControl(std::shared_ptr<PersistentVirtualCamera> camera,
                      std::unique_ptr<KsControl> inner)
        : camera_(std::move(camera)), inner_(std::move(inner)) {}

    HResult KsProperty(const std::uint8_t* request, std::uint32_t requestLength, std::uint8_t* data,
                       std::uint32_t dataLength, std::uint32_t* bytesReturned) override {
        const HResult result =
            inner_->KsProperty(request, requestLength, data, dataLength, bytesReturned);
        if (!IsWrite(request, requestLength)) return result;
        // A write the device accepted but couldn't keep is reported like a camera whose
        // flash write failed, instead of as a success that the next run would contradict.
        if (!camera_->Save() && Succeeded(result)) return kGenFailure;
        return result;
    }

  private:
    std::shared_ptr<PersistentVirtualCamera> camera_;
    std::unique_ptr<KsControl> inner_;
};

class PersistingTopology final : public KsTopology {
  public:
    PersistingTopology(std::shared_ptr<PersistentVirtualCamera> camera,
                       std::unique_ptr<KsTopology> inner)
        : camera_(std::move(camera)), inner_(std::move(inner)) {}

    HResult GetNumNodes(std::uint32_t* count) override { return inner_->GetNumNodes(count); }
    HResult GetNodeType(std::uint32_t index, Guid* nodeType) override {
        return inner_->GetNodeType(index, nodeType);
    }
    HResult CreateNodeControl(std::uint32_t index, std::unique_ptr<KsControl>* control) override {
        if (control == nullptr) return kPointer;
        std::unique_ptr<KsControl> inner;
        const HResult result = inner_->CreateNodeControl(index, &inner);
        if (Succeeded(result) && inner) {
            *control = std::make_unique<PersistingControl>(camera_, std::move(inner));
        }
        return result;
    }

  private:
    std::shared_ptr<PersistentVirtualCamera> camera_;
    std::unique_ptr<KsTopology> inner_;
};

class PersistingFilter final : public KsFilter {
  public:
    PersistingFilter(std::shared_ptr<PersistentVirtualCamera> camera,
                     std::unique_ptr<KsFilter> inner)
        : camera_(std::move(camera)), inner_(std::move(inner)) {}

    HResult QueryTopology(std::unique_ptr<KsTopology>* topology) override {
        if (topology == nullptr) return kPointer;
        std::unique_ptr<KsTopology> inner;
        const HResult result = inner_->QueryTopology(&inner);
        if (Succeeded(result) && inner) {
            *topology = std::make_unique<PersistingTopology>(camera_, std::move(inner));
        }
        return result;
    }

  private:
    std::shared_ptr<PersistentVirtualCamera> camera_;
    std::unique_ptr<KsFilter> inner_;
};

}  // namespace

PersistentVirtualCamera::PersistentVirtualCamera(std::string file) : file_(std::move(file)) {}

std::shared_ptr<PersistentVirtualCamera> PersistentVirtualCamera::Open(std::string file) {
    std::shared_ptr<PersistentVirtualCamera> camera(new PersistentVirtualCamera(std::move(file)));
    std::error_code status;
    if (std::filesystem::exists(camera->file_, status)) {
        camera->loadedFromFile_ = camera->camera_.firmware().Load(camera->file_);
    }
    return camera;
}

std::unique_ptr<KsFilter> PersistentVirtualCamera::CreateFilter(
    std::shared_ptr<PersistentVirtualCamera> camera) {
    std::unique_ptr<KsFilter> inner = camera->camera_.CreateFilter();
    return std::make_unique<PersistingFilter>(std::move(camera), std::move(inner));
}

bool PersistentVirtualCamera::Save() {
    return camera_.firmware().Save(file_);
}

}  // namespace tamsel::linux_platform
