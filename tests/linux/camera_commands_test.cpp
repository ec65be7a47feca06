// The whole way from the command set to the camera on Linux: discovery through the V4L2
// list, the transport through the uvcvideo adapter, and a fake kernel answering like
// uvcvideo with the camera's firmware model behind it.

#include <gtest/gtest.h>
#include <linux/usb/video.h>

#include "device/device_settings.h"
#include "device/discovery.h"
#include "device/xu_command.h"
#include "tests/linux/camera_rig.h"

namespace tamsel::linux_platform {
namespace {

using linux_test::CameraRig;
using linux_test::RigCamera;

class CameraCommands : public ::testing::Test {
  protected:
    void SetUp() override {
        TheDeviceSettings() = DeviceSettings{};
        firmware_ = &rig_.AddCamera(RigCamera{});
        source_ = rig_.Source();
        ASSERT_EQ(FindCaptureDevice(*source_, L"SD Camera"), 0);
        rig_.kernel.ClearQueries();
    }
    void TearDown() override { TheDeviceSettings() = DeviceSettings{}; }

    CameraRig rig_;
    sim::Firmware* firmware_ = nullptr;
    std::unique_ptr<V4l2DeviceSource> source_;
};

TEST_F(CameraCommands, StartUpReadsFillTheSettingsRecordFromTheCamera) {
    firmware_->registers().volume = {3, 0, 14, 1, 0, 1};
    firmware_->registers().color = {200, 10, 20, 30};
    firmware_->registers().quality = 3;
    EXPECT_EQ(XuGetCommand(XU_GET_VOLUME, nullptr, nullptr), 0);
    EXPECT_EQ(XuGetCommand(XU_GET_COLOR, nullptr, nullptr), 0);
    EXPECT_EQ(XuGetCommand(XU_GET_QUALITY, nullptr, nullptr), 0);

    const DeviceSettings& settings = TheDeviceSettings();
    EXPECT_EQ(settings.auxLevel, 3);
    EXPECT_EQ(settings.earphoneLevel, 1);
    EXPECT_EQ(settings.micLevel, 15);
    EXPECT_EQ(settings.auxMute, 1);
    EXPECT_EQ(settings.earphoneMute, 0);
    EXPECT_EQ(settings.micMute, 1);
    EXPECT_EQ(settings.brightness, 200);
    EXPECT_EQ(settings.saturation, 30);
    EXPECT_EQ(settings.quality, 3);

    // Each read: GET_LEN then GET_CUR of the reported size, on unit 3.
    const std::vector<std::pair<std::uint8_t, std::uint16_t>> expected = {
        {UVC_GET_LEN, 2}, {UVC_GET_CUR, 6}, {UVC_GET_LEN, 2},
        {UVC_GET_CUR, 4}, {UVC_GET_LEN, 2}, {UVC_GET_CUR, 1}};
    ASSERT_EQ(rig_.kernel.queries().size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(rig_.kernel.queries()[i].unit, 3) << i;
        EXPECT_EQ(rig_.kernel.queries()[i].query, expected[i].first) << i;
        EXPECT_EQ(rig_.kernel.queries()[i].size, expected[i].second) << i;
        EXPECT_EQ(rig_.kernel.queries()[i].error, 0) << i;
    }
}

TEST_F(CameraCommands, SetButtonsReachTheFirmwareRegisters) {
    DeviceSettings& settings = TheDeviceSettings();
    settings.year = 2019, settings.month = 6, settings.day = 10;
    settings.hour = 9, settings.minute = 32, settings.second = 30;
    EXPECT_EQ(XuSetCommand(XU_SET_DATETIME, 0), 0);
    EXPECT_EQ(rig_.kernel.queries().back().dataIn,
              (std::vector<std::uint8_t>{19, 6, 10, 9, 32, 30}));
    EXPECT_EQ(rig_.kernel.queries().back().selector, 29);

    settings.quality = 3;
    EXPECT_EQ(XuSetCommand(XU_SET_QUALITY, 0), 0);
    EXPECT_EQ(firmware_->registers().quality, 3);

    settings.auxLevel = 6, settings.earphoneLevel = 1, settings.micLevel = 15;
    settings.auxMute = 0, settings.earphoneMute = 1, settings.micMute = 0;
    for (int item = 0; item < 6; ++item) EXPECT_EQ(XuSetCommand(XU_SET_VOLUME_ITEM, item), 0);
    EXPECT_EQ(firmware_->PendingItemWrites(), 6u) << "items wait for the closing write";
    EXPECT_EQ(XuSetCommand(XU_SET_FINISH, 0), 0);
    EXPECT_EQ(firmware_->registers().volume, (std::array<std::uint8_t, 6>{6, 0, 14, 0, 1, 0}));
    EXPECT_EQ(rig_.kernel.queries().back().selector, 23);
    EXPECT_EQ(rig_.kernel.queries().back().dataIn, (std::vector<std::uint8_t>{0}));
}

TEST_F(CameraCommands, TheOptionalCodesWorkThroughTheSameUnit) {
    int value = 0;
    std::string text;
    EXPECT_EQ(XuSetCommand(1, 258), 0);
    EXPECT_EQ(rig_.kernel.queries().back().dataIn, (std::vector<std::uint8_t>{0, 0, 1, 2}));
    EXPECT_EQ(XuGetCommand(9, &value, &text), 0);
    EXPECT_FALSE(text.empty());
    EXPECT_EQ(text.find('\0'), std::string::npos);
}

TEST_F(CameraCommands, ACameraPulledOutMidSessionGivesDeviceNotConnectedFromThenOn) {
    rig_.kernel.UnplugAfterQueries(2);
    EXPECT_EQ(XuGetCommand(XU_GET_QUALITY, nullptr, nullptr), 0);
    EXPECT_EQ(XuSetCommand(XU_SET_QUALITY, 0), static_cast<int>(kDeviceNotConnected));
    EXPECT_EQ(XuGetCommand(XU_GET_VOLUME, nullptr, nullptr), static_cast<int>(kDeviceNotConnected));
    EXPECT_EQ(rig_.kernel.openDescriptors(), 1);
    TheDeviceSettings().filter.reset();
    EXPECT_EQ(rig_.kernel.openDescriptors(), 0);
}

}  // namespace
}  // namespace tamsel::linux_platform
