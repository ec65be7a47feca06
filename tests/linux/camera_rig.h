#pragma once
// A machine with UVC cameras for the tests: the sysfs tree, the fake kernel answering
// for /dev/videoN, and a firmware model behind each camera's vendor extension unit.

#include <deque>
#include <memory>
#include <optional>
#include <string>

#include "platform/linux/v4l2_device_source.h"
#include "sim/firmware.h"
#include "tests/linux/fake_uvc_kernel.h"
#include "tests/linux/sysfs_tree.h"
#include "tests/linux/uvc_descriptor_builder.h"

namespace tamsel::linux_test {

struct RigCamera {
    unsigned node = 0;  // its capture node is videoN
    std::string usbPath = "1-1";
    std::optional<std::string> product = "SD Camera";
    std::string card = "SD Camera";  // the V4L2 card name
    CameraShape descriptors = VendorCameraDescriptors();
    bool metadataNode = true;  // uvcvideo's second node, video(N+1)

    static CameraShape VendorCameraDescriptors() {
        CameraShape shape;
        shape.extensionUnits = {{3, kXuPropertySetGuid, 4}};
        return shape;
    }
};

class CameraRig {
  public:
    // Adds the camera; its vendor extension units answer from the returned firmware.
    sim::Firmware& AddCamera(const RigCamera& camera) {
        UsbCameraNode node;
        node.nodeIndex = camera.node;
        node.usbPath = camera.usbPath;
        node.product = camera.product;
        node.descriptors = CameraDescriptors(camera.descriptors);
        node.configurationValue = std::to_string(camera.descriptors.configurationValue);
        node.interfaceNumber = camera.descriptors.videoControlInterface;
        sysfs.AddUsbNode(node);

        const std::string path = DevicePath(camera.node);
        kernel.AddNode(UvcCaptureNode(path, camera.card));
        if (camera.metadataNode) {
            node.nodeIndex = camera.node + 1;
            sysfs.AddUsbNode(node);
            kernel.AddNode(UvcMetadataNode(DevicePath(camera.node + 1), camera.card));
        }
        sim::Firmware& firmware = firmwares.emplace_back();
        for (const ExtensionUnitShape& unit : camera.descriptors.extensionUnits) {
            if (unit.guid == kXuPropertySetGuid) kernel.AddExtensionUnit(path, unit.id, &firmware);
        }
        return firmware;
    }

    std::string DevicePath(unsigned node) const {
        return deviceRoot + "/video" + std::to_string(node);
    }

    std::unique_ptr<linux_platform::V4l2DeviceSource> Source(std::string virtualCameraFile = {}) {
        linux_platform::V4l2DeviceSourceOptions options;
        options.sysfsRoot = sysfs.root();
        options.deviceRoot = deviceRoot;
        options.virtualCameraFile = std::move(virtualCameraFile);
        return std::make_unique<linux_platform::V4l2DeviceSource>(kernel, std::move(options));
    }

    SysfsTree sysfs;
    FakeUvcKernel kernel;
    std::deque<sim::Firmware> firmwares;
    const std::string deviceRoot = "/dev";
};

}  // namespace tamsel::linux_test
