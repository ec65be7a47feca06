#include "platform/linux/v4l2_device_source.h"

#include <fcntl.h>
#include <linux/videodev2.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <utility>

#include "platform/linux/errno_result.h"
#include "platform/linux/persistent_virtual_camera.h"
#include "platform/linux/unique_fd.h"
#include "platform/linux/utf8.h"
#include "platform/linux/uvc_descriptors.h"
#include "platform/linux/uvc_ks_filter.h"

namespace tamsel::linux_platform {
namespace {

constexpr char kVideoClassDirectory[] = "class/video4linux";
constexpr char kNodePrefix[] = "video";
constexpr int kNodeOpenFlags = O_RDWR | O_NONBLOCK;

// A capture node found by the enumeration, with what QUERYCAP said about it.
struct V4l2Node {
    std::string sysfsPath;   // <root>/class/video4linux/videoN
    std::string devicePath;  // /dev/videoN
    std::string card;        // v4l2_capability.card
};

// The index of "videoN", or nothing for any other name (vbi0, v4l-subdev0, ...).
std::optional<std::uint32_t> NodeIndex(const std::string& name) {
    const std::size_t prefix = std::strlen(kNodePrefix);
    if (name.compare(0, prefix, kNodePrefix) != 0) return std::nullopt;
    return ParseUnsigned(name.substr(prefix), 10);
}

std::string CardName(const v4l2_capability& capability) {
    const auto* card = reinterpret_cast<const char*>(capability.card);
    return std::string(card, strnlen(card, sizeof capability.card));
}

// The node's USB interface and USB device directories, when the node is a USB device.
struct UsbLocation {
    std::string interfaceDirectory;
    std::string deviceDirectory;
};

std::optional<UsbLocation> UsbLocationOf(const std::string& nodeSysfsPath) {
    const auto interfaceDirectory = Sysfs::Resolve(nodeSysfsPath + "/device");
    if (!interfaceDirectory) return std::nullopt;
    // Only a USB interface carries bInterfaceNumber; its parent is the USB device.
    if (!Sysfs::ReadAttribute(*interfaceDirectory + "/bInterfaceNumber")) return std::nullopt;
    const auto slash = interfaceDirectory->rfind('/');
    if (slash == std::string::npos || slash == 0) return std::nullopt;
    return UsbLocation{*interfaceDirectory, interfaceDirectory->substr(0, slash)};
}

std::vector<UvcEntity> ReadVideoControlEntities(const std::string& nodeSysfsPath) {
    const auto usb = UsbLocationOf(nodeSysfsPath);
    if (!usb) return {};
    std::string descriptors;
    if (!Sysfs::ReadFile(usb->deviceDirectory + "/descriptors", &descriptors, nullptr)) return {};

    VideoControlLocation location;
    if (const auto text = Sysfs::ReadAttribute(usb->deviceDirectory + "/bConfigurationValue")) {
        if (const auto value = ParseUnsigned(*text, 10); value && *value <= 0xFF) {
            location.configurationValue = static_cast<std::uint8_t>(*value);
        }
    }
    if (const auto text = Sysfs::ReadAttribute(usb->interfaceDirectory + "/bInterfaceNumber")) {
        if (const auto value = ParseUnsigned(*text, 16); value && *value <= 0xFF) {
            location.interfaceNumber = static_cast<std::uint8_t>(*value);
        }
    }
    return ParseVideoControlEntities(reinterpret_cast<const std::uint8_t*>(descriptors.data()),
                                     descriptors.size(), location);
}

class V4l2CaptureDevice final : public CaptureDevice {
  public:
    V4l2CaptureDevice(LinuxKernel& kernel, V4l2Node node)
        : kernel_(kernel), node_(std::move(node)) {}

    HResult ReadFriendlyName(std::wstring* friendlyName) override {
        if (friendlyName == nullptr) return kPointer;
        if (const auto usb = UsbLocationOf(node_.sysfsPath)) {
            std::string product;
            int error = 0;
            if (Sysfs::ReadFile(usb->deviceDirectory + "/product", &product, &error)) {
                if (!product.empty() && product.back() == '\n') product.pop_back();
                *friendlyName = WideFromUtf8(product);
                return kOk;
            }
            if (error != ENOENT) return HResultFromErrno(error);
        }
        *friendlyName = WideFromUtf8(node_.card);
        return kOk;
    }

    HResult BindFilter(std::unique_ptr<KsFilter>* filter) override {
        if (filter == nullptr) return kPointer;
        int error = 0;
        UniqueFd fd = OpenFd(kernel_, node_.devicePath, kNodeOpenFlags, &error);
        if (!fd.valid()) return HResultFromErrno(error);
        *filter = CreateUvcKsFilter(std::move(fd), ReadVideoControlEntities(node_.sysfsPath));
        return kOk;
    }

  private:
    LinuxKernel& kernel_;
    V4l2Node node_;
};

class VirtualCaptureDevice final : public CaptureDevice {
  public:
    explicit VirtualCaptureDevice(std::shared_ptr<PersistentVirtualCamera> camera)
        : camera_(std::move(camera)) {}

    HResult ReadFriendlyName(std::wstring* friendlyName) override {
        if (friendlyName == nullptr) return kPointer;
        *friendlyName = kVirtualCameraName;
        return kOk;
    }

    HResult BindFilter(std::unique_ptr<KsFilter>* filter) override {
        if (filter == nullptr) return kPointer;
        *filter = PersistentVirtualCamera::CreateFilter(camera_);
        return kOk;
    }

  private:
    std::shared_ptr<PersistentVirtualCamera> camera_;
};

class ListEnumerator final : public CaptureDeviceEnumerator {
  public:
    explicit ListEnumerator(std::vector<std::unique_ptr<CaptureDevice>> devices)
        : devices_(std::move(devices)) {}

    HResult Next(std::unique_ptr<CaptureDevice>* device) override {
        if (device == nullptr) return kPointer;
        if (next_ == devices_.size()) return kFalse;
        *device = std::move(devices_[next_++]);
        return kOk;
    }

  private:
    std::vector<std::unique_ptr<CaptureDevice>> devices_;
    std::size_t next_ = 0;
};

}  // namespace

std::string VirtualCameraFileFromEnvironment() {
    const char* file = std::getenv(kVirtualCameraVariable);
    return file != nullptr ? std::string(file) : std::string();
}

V4l2DeviceSourceOptions SystemDeviceSourceOptions() {
    V4l2DeviceSourceOptions options;
    options.virtualCameraFile = VirtualCameraFileFromEnvironment();
    return options;
}

V4l2DeviceSource::V4l2DeviceSource(LinuxKernel& kernel, V4l2DeviceSourceOptions options)
    : kernel_(kernel),
      sysfs_(std::move(options.sysfsRoot)),
      deviceRoot_(std::move(options.deviceRoot)),
      virtualCameraFile_(std::move(options.virtualCameraFile)) {}

V4l2DeviceSource::~V4l2DeviceSource() = default;

HResult V4l2DeviceSource::EnumerateVideoInputDevices(
    std::unique_ptr<CaptureDeviceEnumerator>* devices) {
    if (devices == nullptr) return kPointer;
    skipped_.clear();

    // Numeric order: video2 comes before video10.
    std::vector<std::pair<std::uint32_t, std::string>> names;
    for (std::string& name : Sysfs::ListDirectory(sysfs_.PathOf(kVideoClassDirectory))) {
        if (const auto index = NodeIndex(name)) names.emplace_back(*index, std::move(name));
    }
    std::sort(names.begin(), names.end());

    std::vector<std::unique_ptr<CaptureDevice>> list;
    for (const auto& [index, name] : names) {
        V4l2Node node{sysfs_.PathOf(std::string(kVideoClassDirectory) + "/" + name),
                      deviceRoot_ + "/" + name,
                      {}};
        int error = 0;
        UniqueFd fd = OpenFd(kernel_, node.devicePath, kNodeOpenFlags, &error);
        if (!fd.valid()) {
            skipped_.push_back({node.devicePath, HResultFromErrno(error)});
            continue;
        }
        v4l2_capability capability{};
        const int result = kernel_.Ioctl(fd.get(), VIDIOC_QUERYCAP, &capability);
        if (result < 0) {
            skipped_.push_back({node.devicePath, HResultFromErrno(-result)});
            continue;
        }
        // device_caps describes this node; capabilities the whole device (all its nodes).
        const std::uint32_t caps = (capability.capabilities & V4L2_CAP_DEVICE_CAPS) != 0
                                       ? capability.device_caps
                                       : capability.capabilities;
        if ((caps & V4L2_CAP_VIDEO_CAPTURE) == 0) continue;  // metadata, output, m2m ...
        node.card = CardName(capability);
        list.push_back(std::make_unique<V4l2CaptureDevice>(kernel_, std::move(node)));
    }

    if (!virtualCameraFile_.empty()) {
        if (!virtualCamera_) virtualCamera_ = PersistentVirtualCamera::Open(virtualCameraFile_);
        list.push_back(std::make_unique<VirtualCaptureDevice>(virtualCamera_));
    }

    if (list.empty()) return kFalse;
    *devices = std::make_unique<ListEnumerator>(std::move(list));
    return kOk;
}

}  // namespace tamsel::linux_platform
