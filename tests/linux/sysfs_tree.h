#pragma once
// A sysfs tree in a temporary directory, laid out like the real one: the USB device
// directory with product, descriptors and bConfigurationValue, its interface directory,
// the video4linux node below it, and /sys/class/video4linux/videoN as a symbolic link
// to that node with `device` pointing back at the interface.

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "tests/linux/uvc_descriptor_builder.h"

namespace tamsel::linux_test {

struct UsbCameraNode {
    unsigned nodeIndex = 0;              // videoN
    std::string usbPath = "1-1";         // USB device directory name
    std::optional<std::string> product;  // no product file when empty
    Bytes descriptors;
    std::string configurationValue = "1";  // bConfigurationValue contents, without newline
    std::uint8_t interfaceNumber = 0;      // the VideoControl interface the node hangs off
};

class SysfsTree {
  public:
    SysfsTree();
    ~SysfsTree();
    SysfsTree(const SysfsTree&) = delete;
    SysfsTree& operator=(const SysfsTree&) = delete;

    std::string root() const { return root_.string(); }

    // A USB camera's video node; more nodes of the same USB device share its directory.
    void AddUsbNode(const UsbCameraNode& node);
    // A node of a device that isn't on USB (a capture card, a loopback device).
    void AddPlatformNode(unsigned nodeIndex);
    // Any other entry of the class directory (vbi0, v4l-subdev0, ...).
    void AddClassEntry(const std::string& name);

    // The USB device directory of a node added with AddUsbNode.
    std::filesystem::path UsbDeviceDirectory(const std::string& usbPath) const;
    void WriteFile(const std::filesystem::path& path, const std::string& contents) const;

  private:
    std::filesystem::path LinkNode(const std::filesystem::path& nodeDirectory, unsigned nodeIndex,
                                   const std::filesystem::path& deviceDirectory) const;

    std::filesystem::path root_;
};

}  // namespace tamsel::linux_test
