#include "tests/linux/sysfs_tree.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <stdexcept>

namespace tamsel::linux_test {

namespace fs = std::filesystem;

SysfsTree::SysfsTree() {
    std::string pattern = (fs::temp_directory_path() / "tamsel-sysfs-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    root_ = pattern;
    fs::create_directories(root_ / "class/video4linux");
    fs::create_directories(root_ / "devices/pci0000:00/0000:00:14.0/usb1");
}

SysfsTree::~SysfsTree() {
    std::error_code ignored;
    fs::remove_all(root_, ignored);
}

fs::path SysfsTree::UsbDeviceDirectory(const std::string& usbPath) const {
    return root_ / "devices/pci0000:00/0000:00:14.0/usb1" / usbPath;
}

void SysfsTree::WriteFile(const fs::path& path, const std::string& contents) const {
    fs::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(contents.data(), static_cast<std::streamsize>(contents.size()));
}

fs::path SysfsTree::LinkNode(const fs::path& nodeDirectory, unsigned nodeIndex,
                             const fs::path& deviceDirectory) const {
    const std::string name = "video" + std::to_string(nodeIndex);
    fs::create_directories(nodeDirectory);
    WriteFile(nodeDirectory / "index", "0\n");
    // Relative links, as sysfs has them.
    fs::create_directory_symlink(fs::relative(deviceDirectory, nodeDirectory),
                                 nodeDirectory / "device");
    fs::create_directory_symlink(fs::relative(nodeDirectory, root_ / "class/video4linux"),
                                 root_ / "class/video4linux" / name);
    return nodeDirectory;
}

void SysfsTree::AddUsbNode(const UsbCameraNode& node) {
    const fs::path device = UsbDeviceDirectory(node.usbPath);
    char interfaceName[8];
    std::snprintf(interfaceName, sizeof interfaceName, "%02x", node.interfaceNumber);
    const fs::path interface = device / (node.usbPath + ":" + node.configurationValue + "." +
                                         std::to_string(node.interfaceNumber));

    fs::create_directories(interface);
    if (node.product) WriteFile(device / "product", *node.product + "\n");
    WriteFile(device / "descriptors",
              std::string(node.descriptors.begin(), node.descriptors.end()));
    WriteFile(device / "bConfigurationValue", node.configurationValue + "\n");
    WriteFile(interface / "bInterfaceNumber", std::string(interfaceName) + "\n");
    WriteFile(interface / "bInterfaceClass", "0e\n");
    WriteFile(interface / "bInterfaceSubClass", "01\n");

    const fs::path nodeDirectory =
        interface / "video4linux" / ("video" + std::to_string(node.nodeIndex));
    LinkNode(nodeDirectory, node.nodeIndex, interface);
    WriteFile(nodeDirectory / "name", node.product.value_or("Camera") + "\n");
}

void SysfsTree::AddPlatformNode(unsigned nodeIndex) {
    const fs::path device = root_ / "devices/platform/capture.0";
    fs::create_directories(device);
    WriteFile(device / "driver_override", "(null)\n");
    const fs::path nodeDirectory = device / "video4linux" / ("video" + std::to_string(nodeIndex));
    LinkNode(nodeDirectory, nodeIndex, device);
}

void SysfsTree::AddClassEntry(const std::string& name) {
    const fs::path directory = root_ / "devices/virtual/video4linux" / name;
    fs::create_directories(directory);
    fs::create_directory_symlink(fs::relative(directory, root_ / "class/video4linux"),
                                 root_ / "class/video4linux" / name);
}

}  // namespace tamsel::linux_test
