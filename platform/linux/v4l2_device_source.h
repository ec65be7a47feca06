#pragma once
// The system's video capture devices on Linux: the V4L2 nodes under
// /sys/class/video4linux in index order, and optionally the virtual camera after them.
//
// Friendly name of a node: the USB device's product string (sysfs `product`), which is
// what the camera calls itself and what Windows lists. uvcvideo's card name is that
// string cut to 31 bytes (newer kernels even append ": " and a function name), so it is
// only the fallback, for a node without a USB product string. A product file that
// exists but can't be read makes the name unreadable, and the device is skipped.

#include <memory>
#include <string>
#include <vector>

#include "device/device_list_seam.h"
#include "platform/linux/linux_kernel.h"
#include "platform/linux/sysfs.h"

namespace tamsel::linux_platform {

class PersistentVirtualCamera;

inline constexpr wchar_t kVirtualCameraName[] = L"Tamsel Virtual Camera";
inline constexpr char kVirtualCameraVariable[] = "TAMSEL_VIRTUAL_CAMERA";

// The file named by TAMSEL_VIRTUAL_CAMERA, or empty when it is unset or empty.
std::string VirtualCameraFileFromEnvironment();

// A node left out of the list, and why; for diagnostics output.
struct SkippedNode {
    std::string devicePath;
    HResult result = kFail;
};

struct V4l2DeviceSourceOptions {
    std::string sysfsRoot = "/sys";
    std::string deviceRoot = "/dev";
    // When not empty, the virtual camera is listed after the real devices, its firmware
    // registers loaded from this file and saved to it after every write.
    std::string virtualCameraFile;
};

// The running system: /sys, /dev, and the virtual camera when TAMSEL_VIRTUAL_CAMERA is set.
V4l2DeviceSourceOptions SystemDeviceSourceOptions();

// Use with RealLinuxKernel() in the program; filters bound from it may outlive it.
class V4l2DeviceSource final : public CaptureDeviceSource {
  public:
    V4l2DeviceSource(LinuxKernel& kernel, V4l2DeviceSourceOptions options);
    ~V4l2DeviceSource() override;

    HResult EnumerateVideoInputDevices(std::unique_ptr<CaptureDeviceEnumerator>* devices) override;

    // Nodes the latest enumeration couldn't open or query.
    const std::vector<SkippedNode>& skippedNodes() const { return skipped_; }

  private:
    LinuxKernel& kernel_;
    Sysfs sysfs_;
    std::string deviceRoot_;
    std::string virtualCameraFile_;
    // Created at the first enumeration that lists it, then shared by every entry and
    // every filter bound from it, so a filter may outlive this source.
    std::shared_ptr<PersistentVirtualCamera> virtualCamera_;
    std::vector<SkippedNode> skipped_;
};

}  // namespace tamsel::linux_platform
