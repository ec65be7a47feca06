// The Linux device list: which /dev/video nodes count as video capture devices, in
// which order, under which friendly name, and what binding one gives.

#include "platform/linux/v4l2_device_source.h"

#include <gtest/gtest.h>
#include <linux/videodev2.h>

#include <cerrno>
#include <filesystem>

#include "device/device_settings.h"
#include "device/discovery.h"
#include "device/xu_transport.h"
#include "tests/linux/camera_rig.h"

namespace tamsel::linux_platform {
namespace {

using linux_test::CameraRig;
using linux_test::RigCamera;

struct Listed {
    HResult enumeration = kFail;
    std::vector<std::wstring> names;  // devices whose name could be read, in list order
    int unreadable = 0;               // devices whose name could not
};

Listed List(CaptureDeviceSource& source) {
    Listed listed;
    std::unique_ptr<CaptureDeviceEnumerator> devices;
    listed.enumeration = source.EnumerateVideoInputDevices(&devices);
    if (listed.enumeration != kOk) return listed;
    std::unique_ptr<CaptureDevice> device;
    while (devices->Next(&device) == kOk) {
        std::wstring name;
        if (device->ReadFriendlyName(&name) == kOk) {
            listed.names.push_back(name);
        } else {
            ++listed.unreadable;
        }
    }
    return listed;
}

RigCamera Camera(unsigned node, std::string usbPath, std::string product) {
    RigCamera camera;
    camera.node = node;
    camera.usbPath = std::move(usbPath);
    camera.product = product;
    camera.card = product.substr(0, 31);
    return camera;
}

TEST(V4l2DeviceSource, NodesAreListedInNumericOrderWithMetadataNodesLeftOut) {
    CameraRig rig;
    rig.AddCamera(Camera(10, "1-3", "Camera Ten"));
    rig.AddCamera(Camera(2, "1-2", "Camera Two"));
    rig.AddCamera(Camera(0, "1-1", "Camera Zero"));
    const Listed listed = List(*rig.Source());
    EXPECT_EQ(listed.enumeration, kOk);
    EXPECT_EQ(listed.names,
              (std::vector<std::wstring>{L"Camera Zero", L"Camera Two", L"Camera Ten"}));
    EXPECT_EQ(rig.kernel.openDescriptors(), 0) << "listing keeps no node open";
}

TEST(V4l2DeviceSource, OtherEntriesOfTheVideoClassAreNotDevices) {
    CameraRig rig;
    rig.AddCamera(Camera(0, "1-1", "SD Camera"));
    rig.sysfs.AddClassEntry("v4l-subdev0");
    rig.sysfs.AddClassEntry("vbi0");
    rig.sysfs.AddClassEntry("videox");
    const Listed listed = List(*rig.Source());
    EXPECT_EQ(listed.names, (std::vector<std::wstring>{L"SD Camera"}));
    EXPECT_TRUE(rig.Source()->skippedNodes().empty());
}

TEST(V4l2DeviceSource, FriendlyNameIsTheUsbProductNotTheCutCardName) {
    CameraRig rig;
    const std::string longName = "Tamsel SD Recording Camera Model 2000 HD";  // 40 bytes
    RigCamera camera = Camera(0, "1-1", longName);
    camera.card = longName.substr(0, 31);
    rig.AddCamera(camera);
    EXPECT_EQ(List(*rig.Source()).names,
              (std::vector<std::wstring>{L"Tamsel SD Recording Camera Model 2000 HD"}));
}

TEST(V4l2DeviceSource, ProductStringsAreReadAsUtf8) {
    CameraRig rig;
    rig.AddCamera(Camera(0, "1-1", "Kamera f\xC3\xBCr SD \xE2\x82\xAC"));
    EXPECT_EQ(List(*rig.Source()).names, (std::vector<std::wstring>{L"Kamera f\u00FCr SD \u20AC"}));
}

TEST(V4l2DeviceSource, WithoutAProductStringTheCardNameIsUsed) {
    CameraRig rig;
    RigCamera noProduct = Camera(0, "1-1", "x");
    noProduct.product.reset();
    noProduct.card = "USB Camera: USB Camera";
    rig.AddCamera(noProduct);
    // A capture card that isn't on USB at all.
    rig.sysfs.AddPlatformNode(4);
    rig.kernel.AddNode(linux_test::UvcCaptureNode("/dev/video4", "Capture Card"));
    EXPECT_EQ(List(*rig.Source()).names,
              (std::vector<std::wstring>{L"USB Camera: USB Camera", L"Capture Card"}));
}

TEST(V4l2DeviceSource, AProductFileThatCannotBeReadMakesTheNameUnreadable) {
    CameraRig rig;
    rig.AddCamera(Camera(0, "1-1", "First"));
    rig.AddCamera(Camera(2, "1-2", "Second"));
    // A product attribute that exists but fails to read (EISDIR here; EACCES or ENODEV
    // on a real system) must not silently fall back to another name.
    const auto product = rig.sysfs.UsbDeviceDirectory("1-1") / "product";
    std::filesystem::remove(product);
    std::filesystem::create_directory(product);
    const Listed listed = List(*rig.Source());
    EXPECT_EQ(listed.names, (std::vector<std::wstring>{L"Second"}));
    EXPECT_EQ(listed.unreadable, 1);
}

TEST(V4l2DeviceSource, TheCapabilitiesOfTheNodeDecideNotThoseOfTheDevice) {
    CameraRig rig;
    // An old driver without per-node capabilities: the device's count.
    rig.sysfs.AddPlatformNode(0);
    auto old = linux_test::UvcCaptureNode("/dev/video0", "Old Capture");
    old.capabilities = V4L2_CAP_VIDEO_CAPTURE | V4L2_CAP_STREAMING;
    old.deviceCaps = 0;
    rig.kernel.AddNode(old);
    // An output-only node of a device that also captures elsewhere.
    rig.sysfs.AddPlatformNode(1);
    auto output = linux_test::UvcCaptureNode("/dev/video1", "Output");
    output.capabilities |= V4L2_CAP_VIDEO_OUTPUT;
    output.deviceCaps = V4L2_CAP_VIDEO_OUTPUT;
    rig.kernel.AddNode(output);
    EXPECT_EQ(List(*rig.Source()).names, (std::vector<std::wstring>{L"Old Capture"}));
}

TEST(V4l2DeviceSource, NodesThatCannotBeOpenedOrQueriedAreSkippedAndReported) {
    CameraRig rig;
    rig.AddCamera(Camera(0, "1-1", "Locked"));
    rig.AddCamera(Camera(2, "1-2", "Not V4L2"));
    rig.AddCamera(Camera(4, "1-3", "Fine"));
    auto locked = linux_test::UvcCaptureNode("/dev/video0", "Locked");
    locked.openError = EACCES;
    rig.kernel.AddNode(locked);
    auto notV4l2 = linux_test::UvcCaptureNode("/dev/video2", "Not V4L2");
    notV4l2.queryCapabilityError = ENOTTY;
    rig.kernel.AddNode(notV4l2);

    auto source = rig.Source();
    EXPECT_EQ(List(*source).names, (std::vector<std::wstring>{L"Fine"}));
    ASSERT_EQ(source->skippedNodes().size(), 2u);
    EXPECT_EQ(source->skippedNodes()[0].devicePath, "/dev/video0");
    EXPECT_EQ(source->skippedNodes()[0].result, kAccessDenied);
    EXPECT_EQ(source->skippedNodes()[1].devicePath, "/dev/video2");
    EXPECT_EQ(source->skippedNodes()[1].result, kFail);
    EXPECT_EQ(rig.kernel.openDescriptors(), 0);
}

TEST(V4l2DeviceSource, NoCaptureDeviceIsAnEmptyCategory) {
    CameraRig rig;
    EXPECT_EQ(List(*rig.Source()).enumeration, kFalse);
    // Only a metadata node.
    rig.sysfs.AddPlatformNode(1);
    rig.kernel.AddNode(linux_test::UvcMetadataNode("/dev/video1", "Meta"));
    EXPECT_EQ(List(*rig.Source()).enumeration, kFalse);

    V4l2DeviceSourceOptions nowhere;
    nowhere.sysfsRoot = rig.sysfs.root() + "/no-such-directory";
    V4l2DeviceSource source(rig.kernel, nowhere);
    EXPECT_EQ(List(source).enumeration, kFalse);
}

class Discovery : public ::testing::Test {
  protected:
    void SetUp() override { TheDeviceSettings() = DeviceSettings{}; }
    // The bound filter lives in the process-wide record; it goes before the fake kernel.
    void TearDown() override { TheDeviceSettings() = DeviceSettings{}; }

    CameraRig rig;
};

TEST_F(Discovery, TwoCamerasOfTheSameNameBindTheFirstInIndexOrder) {
    sim::Firmware& later = rig.AddCamera(Camera(12, "1-2", "SD Camera"));
    sim::Firmware& first = rig.AddCamera(Camera(3, "1-1", "SD Camera"));
    later.registers().quality = 1;
    first.registers().quality = 3;
    auto source = rig.Source();

    EXPECT_EQ(FindCaptureDevice(*source, L"SD Camera"), 0);
    std::vector<std::uint8_t> reply;
    EXPECT_EQ(XuPropertyGet(TheDeviceSettings().filter.get(), 28, &reply), kOk);
    EXPECT_EQ(reply, (std::vector<std::uint8_t>{3}));
    ASSERT_FALSE(rig.kernel.queries().empty());
    EXPECT_EQ(rig.kernel.queries().back().path, "/dev/video3");
    EXPECT_EQ(rig.kernel.openDescriptors(), 1);
}

TEST_F(Discovery, NamesCompareExactlyAndCaseSensitively) {
    rig.AddCamera(Camera(0, "1-1", "Cam A"));
    rig.AddCamera(Camera(2, "1-2", "cam a"));
    auto source = rig.Source();
    EXPECT_EQ(FindCaptureDevice(*source, L"CAM A"), 1);
    EXPECT_EQ(FindCaptureDevice(*source, L"Cam"), 1);
    EXPECT_EQ(FindCaptureDevice(*source, L"cam a"), 0);
    const std::uint8_t quality = 2;
    EXPECT_EQ(XuPropertySet(TheDeviceSettings().filter.get(), 28, &quality, 1), kOk);
    EXPECT_EQ(rig.kernel.queries().back().path, "/dev/video2");
}

TEST_F(Discovery, ACameraWhoseNodeCannotBeOpenedAtBindIsNotBound) {
    rig.AddCamera(Camera(0, "1-1", "SD Camera"));
    auto source = rig.Source();
    std::unique_ptr<CaptureDeviceEnumerator> devices;
    ASSERT_EQ(source->EnumerateVideoInputDevices(&devices), kOk);
    std::unique_ptr<CaptureDevice> device;
    ASSERT_EQ(devices->Next(&device), kOk);
    // Unplugged between listing and binding.
    auto gone = linux_test::UvcCaptureNode("/dev/video0", "SD Camera");
    gone.openError = ENODEV;
    rig.kernel.AddNode(gone);
    std::unique_ptr<KsFilter> filter;
    EXPECT_EQ(device->BindFilter(&filter), kDeviceNotConnected);
    EXPECT_EQ(filter, nullptr);
    EXPECT_EQ(rig.kernel.openDescriptors(), 0);
}

}  // namespace
}  // namespace tamsel::linux_platform
