// The virtual camera as a Linux device: listed after the real cameras when
// TAMSEL_VIRTUAL_CAMERA names a file, its registers kept in that file from run to run.

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>

#include "device/device_settings.h"
#include "device/discovery.h"
#include "device/xu_command.h"
#include "device/xu_transport.h"
#include "platform/linux/persistent_virtual_camera.h"
#include "platform/linux/v4l2_device_source.h"
#include "tests/linux/camera_rig.h"

namespace tamsel::linux_platform {
namespace {

namespace fs = std::filesystem;
using linux_test::CameraRig;
using linux_test::RigCamera;

std::vector<std::wstring> Names(CaptureDeviceSource& source) {
    std::vector<std::wstring> names;
    std::unique_ptr<CaptureDeviceEnumerator> devices;
    if (source.EnumerateVideoInputDevices(&devices) != kOk) return names;
    std::unique_ptr<CaptureDevice> device;
    while (devices->Next(&device) == kOk) {
        std::wstring name;
        if (device->ReadFriendlyName(&name) == kOk) names.push_back(name);
    }
    return names;
}

class VirtualCameraFile : public ::testing::Test {
  protected:
    void SetUp() override {
        TheDeviceSettings() = DeviceSettings{};
        file_ = rig_.sysfs.root() + "/virtual-camera.txt";
    }
    void TearDown() override {
        TheDeviceSettings() = DeviceSettings{};
        unsetenv(kVirtualCameraVariable);
    }

    CameraRig rig_;
    std::string file_;
};

TEST_F(VirtualCameraFile, TheVariableNamesTheFileAndIsOffByDefault) {
    unsetenv(kVirtualCameraVariable);
    EXPECT_EQ(VirtualCameraFileFromEnvironment(), "");
    EXPECT_EQ(SystemDeviceSourceOptions().virtualCameraFile, "");
    setenv(kVirtualCameraVariable, file_.c_str(), 1);
    EXPECT_EQ(VirtualCameraFileFromEnvironment(), file_);
    EXPECT_EQ(SystemDeviceSourceOptions().virtualCameraFile, file_);
    EXPECT_EQ(SystemDeviceSourceOptions().sysfsRoot, "/sys");

    rig_.AddCamera(RigCamera{});
    EXPECT_EQ(Names(*rig_.Source()), (std::vector<std::wstring>{L"SD Camera"}));
    EXPECT_EQ(Names(*rig_.Source(VirtualCameraFileFromEnvironment())),
              (std::vector<std::wstring>{L"SD Camera", L"Tamsel Virtual Camera"}));
}

TEST_F(VirtualCameraFile, WithNoRealCameraTheVirtualOneIsTheWholeList) {
    EXPECT_EQ(Names(*rig_.Source(file_)), (std::vector<std::wstring>{L"Tamsel Virtual Camera"}));
}

TEST_F(VirtualCameraFile, WhatOneRunSetsTheNextRunReads) {
    {
        auto source = rig_.Source(file_);
        ASSERT_EQ(FindCaptureDevice(*source, kVirtualCameraName), 0);
        DeviceSettings& settings = TheDeviceSettings();
        settings.quality = 3;
        EXPECT_EQ(XuSetCommand(XU_SET_QUALITY, 0), 0);
        settings.brightness = 91, settings.contrast = 12, settings.hue = 0,
        settings.saturation = 100;
        for (int item = 0; item < 4; ++item) EXPECT_EQ(XuSetCommand(XU_SET_COLOR_ITEM, item), 0);
        EXPECT_EQ(XuSetCommand(XU_SET_FINISH, 0), 0);
        TheDeviceSettings() = DeviceSettings{};
    }
    ASSERT_TRUE(fs::exists(file_));
    EXPECT_FALSE(fs::exists(file_ + ".tmp"));

    auto source = rig_.Source(file_);
    ASSERT_EQ(FindCaptureDevice(*source, kVirtualCameraName), 0);
    EXPECT_EQ(XuGetCommand(XU_GET_QUALITY, nullptr, nullptr), 0);
    EXPECT_EQ(XuGetCommand(XU_GET_COLOR, nullptr, nullptr), 0);
    EXPECT_EQ(TheDeviceSettings().quality, 3);
    EXPECT_EQ(TheDeviceSettings().brightness, 91);
    EXPECT_EQ(TheDeviceSettings().contrast, 12);
    EXPECT_EQ(TheDeviceSettings().saturation, 100);
}

TEST_F(VirtualCameraFile, ItemWritesWithoutTheClosingWriteAreNotKept) {
    {
        auto source = rig_.Source(file_);
        ASSERT_EQ(FindCaptureDevice(*source, kVirtualCameraName), 0);
        TheDeviceSettings().brightness = 77;
        EXPECT_EQ(XuSetCommand(XU_SET_COLOR_ITEM, 0), 0);
        TheDeviceSettings() = DeviceSettings{};
    }
    auto camera = PersistentVirtualCamera::Open(file_);
    EXPECT_TRUE(camera->loadedFromFile());
    EXPECT_NE(camera->camera().firmware().registers().color[0], 77);
}

TEST_F(VirtualCameraFile, TheBoundFilterMayOutliveTheSourceThatListedIt) {
    auto source = rig_.Source(file_);
    ASSERT_EQ(FindCaptureDevice(*source, kVirtualCameraName), 0);
    source.reset();
    TheDeviceSettings().quality = 2;
    EXPECT_EQ(XuSetCommand(XU_SET_QUALITY, 0), 0);
    EXPECT_EQ(PersistentVirtualCamera::Open(file_)->camera().firmware().registers().quality, 2);
}

TEST_F(VirtualCameraFile, AWriteThatCannotBeSavedIsReportedAsFailed) {
    const std::string nowhere = rig_.sysfs.root() + "/no-such-directory/camera.txt";
    auto source = rig_.Source(nowhere);
    ASSERT_EQ(FindCaptureDevice(*source, kVirtualCameraName), 0);
    TheDeviceSettings().quality = 3;
    EXPECT_EQ(XuSetCommand(XU_SET_QUALITY, 0), static_cast<int>(kGenFailure));
    // Reads don't touch the file and still work.
    EXPECT_EQ(XuGetCommand(XU_GET_QUALITY, nullptr, nullptr), 0);
}

TEST_F(VirtualCameraFile, ADamagedFileStartsFromTheFactoryRegistersAndIsReplacedOnWrite) {
    {
        std::ofstream damaged(file_);
        damaged << "not a firmware file\n";
    }
    auto camera = PersistentVirtualCamera::Open(file_);
    EXPECT_FALSE(camera->loadedFromFile());
    auto filter = PersistentVirtualCamera::CreateFilter(camera);
    const std::uint8_t quality = 1;
    EXPECT_EQ(XuPropertySet(filter.get(), 28, &quality, 1), kOk);
    EXPECT_TRUE(PersistentVirtualCamera::Open(file_)->loadedFromFile());
}

}  // namespace
}  // namespace tamsel::linux_platform
