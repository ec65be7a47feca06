// The command set over the real kernel-streaming COM path: the bound filter's
// IKsTopologyInfo, the extension-unit node's IKsControl, and the virtual camera behind
// them in its COM server. The camera's call log is the oracle for the bytes.

#include <gtest/gtest.h>

#include <array>
#include <ostream>
#include <utility>
#include <vector>

#include "device/device_settings.h"
#include "device/discovery.h"
#include "device/xu_command.h"
#include "platform/win32/device/directshow_device_source.h"
#include "tests/win32_device/camera_test_base.h"

namespace tamsel::testing {
namespace {

constexpr std::uint32_t kReadFlags = 0x10000001;
constexpr std::uint32_t kWriteFlags = 0x10000002;

using Kind = sim::CallRecord::Kind;

class TransportTest : public CameraTest {
  protected:
    void Bind(VirtualCameraRegistration& camera) {
        ASSERT_HRESULT_SUCCEEDED(camera.result());
        win32::DirectShowDeviceSource source;
        ASSERT_EQ(FindCaptureDevice(source, *camera.options().friendlyName), 0);
        camera.ClearCallLog();
    }
};

TEST_F(TransportTest, StartUpReadsFillTheSettingsFromTheRegisters) {
    VirtualCameraRegistration camera;
    sim::FirmwareRegisters registers;
    registers.volume = {3, 0, 14, 1, 0, 1};
    registers.color = {200, 10, 20, 30};
    registers.quality = 3;
    ASSERT_TRUE(camera.WriteRegisters(registers));
    Bind(camera);

    EXPECT_EQ(XuGetCommand(XU_GET_VOLUME, nullptr, nullptr), 0);
    EXPECT_EQ(XuGetCommand(XU_GET_COLOR, nullptr, nullptr), 0);
    EXPECT_EQ(XuGetCommand(XU_GET_QUALITY, nullptr, nullptr), 0);

    const DeviceSettings& s = TheDeviceSettings();
    EXPECT_EQ(std::vector<int>(
                  {s.auxLevel, s.earphoneLevel, s.micLevel, s.auxMute, s.earphoneMute, s.micMute}),
              std::vector<int>({3, 1, 15, 1, 0, 1}));
    EXPECT_EQ(std::vector<int>({s.brightness, s.contrast, s.hue, s.saturation}),
              std::vector<int>({200, 10, 20, 30}));
    EXPECT_EQ(s.quality, 3);
}

TEST_F(TransportTest, ReadIsASizeProbeThenAReadOfExactlyThatSize) {
    VirtualCameraRegistration camera;
    Bind(camera);

    ASSERT_EQ(XuGetCommand(XU_GET_VOLUME, nullptr, nullptr), 0);

    const auto calls = PropertyCalls(camera.ReadCallLog());
    ASSERT_EQ(calls.size(), 2u);
    for (const auto& call : calls) {
        EXPECT_EQ(call.request, ExpectedRequest(22, kReadFlags, 3));
        EXPECT_EQ(call.requestLength, 32u);
        EXPECT_EQ(call.node, 3u);
    }
    EXPECT_FALSE(calls[0].hasBuffer);
    EXPECT_EQ(calls[0].dataLength, 0u);
    EXPECT_EQ(calls[0].bytesReturned, 6u);
    EXPECT_TRUE(calls[1].hasBuffer);
    EXPECT_EQ(calls[1].dataLength, 6u);
}

TEST_F(TransportTest, EveryCommandWalksTheTopologyAfresh) {
    VirtualCameraRegistration camera;
    Bind(camera);

    ASSERT_EQ(XuSetCommand(XU_SET_FINISH, 0), 0);
    ASSERT_EQ(XuSetCommand(XU_SET_FINISH, 0), 0);

    std::vector<std::pair<Kind, std::uint32_t>> seen;
    for (const auto& call : camera.ReadCallLog()) seen.emplace_back(call.kind, call.node);
    const std::vector<std::pair<Kind, std::uint32_t>> oneCommand = {
        {Kind::QueryTopology, 0},     {Kind::GetNumNodes, 0}, {Kind::GetNodeType, 0},
        {Kind::GetNodeType, 1},       {Kind::GetNodeType, 2}, {Kind::GetNodeType, 3},
        {Kind::CreateNodeControl, 3}, {Kind::KsProperty, 3}};
    std::vector<std::pair<Kind, std::uint32_t>> twoCommands = oneCommand;
    twoCommands.insert(twoCommands.end(), oneCommand.begin(), oneCommand.end());
    EXPECT_EQ(seen, twoCommands);
}

struct Write {
    std::uint8_t selector;
    std::vector<std::uint8_t> data;
};

struct WriteSequenceCase {
    const char* label;
    void (*prepare)(DeviceSettings&);
    std::vector<std::pair<int, int>> commands;  // op, argument
    std::vector<Write> expectedWrites;
    void (*checkRegisters)(const sim::FirmwareRegisters&);
};

const WriteSequenceCase kWriteSequences[] = {
    {"Volume",
     [](DeviceSettings& s) {
         s.auxLevel = 6;
         s.earphoneLevel = 12;
         s.micLevel = 1;
         s.auxMute = 1;
         s.earphoneMute = 0;
         s.micMute = 1;
     },
     {{XU_SET_VOLUME_ITEM, 0},
      {XU_SET_VOLUME_ITEM, 1},
      {XU_SET_VOLUME_ITEM, 2},
      {XU_SET_VOLUME_ITEM, 3},
      {XU_SET_VOLUME_ITEM, 4},
      {XU_SET_VOLUME_ITEM, 5},
      {XU_SET_FINISH, 0}},
     {{21, {0, 6}},
      {21, {1, 11}},
      {21, {2, 0}},
      {21, {3, 1}},
      {21, {4, 0}},
      {21, {5, 1}},
      {23, {0}}},
     [](const sim::FirmwareRegisters& r) {
         EXPECT_EQ(r.volume, (std::array<std::uint8_t, 6>{6, 11, 0, 1, 0, 1}));
     }},
    {"Colour",
     [](DeviceSettings& s) {
         s.brightness = 10;
         s.contrast = 20;
         s.hue = 30;
         s.saturation = 40;
     },
     {{XU_SET_COLOR_ITEM, 0},
      {XU_SET_COLOR_ITEM, 1},
      {XU_SET_COLOR_ITEM, 2},
      {XU_SET_COLOR_ITEM, 3},
      {XU_SET_FINISH, 0}},
     {{24, {0, 10}}, {24, {1, 20}}, {24, {2, 30}}, {24, {3, 40}}, {23, {0}}},
     [](const sim::FirmwareRegisters& r) {
         EXPECT_EQ(r.color, (std::array<std::uint8_t, 4>{10, 20, 30, 40}));
     }},
    // Without the closing write the camera keeps the items staged, not applied.
    {"ColourWithoutClosingWrite",
     [](DeviceSettings& s) { s.brightness = 99; },
     {{XU_SET_COLOR_ITEM, 0}},
     {{24, {0, 99}}},
     [](const sim::FirmwareRegisters& r) {
         EXPECT_EQ(r.color, (std::array<std::uint8_t, 4>{50, 50, 50, 50}));
     }},
    {"Quality",
     [](DeviceSettings& s) { s.quality = 3; },
     {{XU_SET_QUALITY, 0}},
     {{28, {3}}},
     [](const sim::FirmwareRegisters& r) { EXPECT_EQ(r.quality, 3); }},
    {"DateAndTime",
     [](DeviceSettings& s) {
         s.year = 2019;
         s.month = 6;
         s.day = 10;
         s.hour = 9;
         s.minute = 32;
         s.second = 30;
     },
     {{XU_SET_DATETIME, 0}},
     {{29, {19, 6, 10, 9, 32, 30}}},
     [](const sim::FirmwareRegisters& r) {
         EXPECT_EQ(r.clock, (std::array<std::uint8_t, 6>{19, 6, 10, 9, 32, 30}));
     }},
};

void PrintTo(const WriteSequenceCase& c, std::ostream* out) {
    *out << c.label;
}

class WriteSequenceTest : public TransportTest,
                          public ::testing::WithParamInterface<WriteSequenceCase> {};

TEST_P(WriteSequenceTest, SendsExactlyTheseRequestsAndTheCameraKeepsThem) {
    const WriteSequenceCase& c = GetParam();
    VirtualCameraRegistration camera;
    Bind(camera);
    c.prepare(TheDeviceSettings());

    for (const auto& [op, argument] : c.commands) {
        EXPECT_EQ(XuSetCommand(op, argument), 0) << "op " << op;
    }

    const auto calls = PropertyCalls(camera.ReadCallLog());
    ASSERT_EQ(calls.size(), c.expectedWrites.size());
    for (std::size_t i = 0; i < calls.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(calls[i].request, ExpectedRequest(c.expectedWrites[i].selector, kWriteFlags, 3));
        EXPECT_EQ(calls[i].requestLength, 32u);
        EXPECT_TRUE(calls[i].hasBuffer);
        EXPECT_EQ(calls[i].dataLength, c.expectedWrites[i].data.size());
        EXPECT_EQ(calls[i].dataIn, c.expectedWrites[i].data);
        EXPECT_EQ(calls[i].result, kOk);
    }
    c.checkRegisters(camera.ReadRegisters());
}

INSTANTIATE_TEST_SUITE_P(Sequences, WriteSequenceTest, ::testing::ValuesIn(kWriteSequences),
                         [](const auto& info) { return std::string(info.param.label); });

TEST_F(TransportTest, OnlyTheFirstDeviceSpecificNodeIsAddressed) {
    VirtualCameraOptions options;
    options.nodeCount = 6;
    options.extensionUnitNodes = L"1,4";
    VirtualCameraRegistration camera(options);
    Bind(camera);

    ASSERT_EQ(XuSetCommand(XU_SET_FINISH, 0), 0);

    const auto log = camera.ReadCallLog();
    const auto calls = PropertyCalls(log);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].request, ExpectedRequest(23, kWriteFlags, 1));
    EXPECT_EQ(calls[0].node, 1u);
    for (const auto& call : log) {
        if (call.kind == Kind::GetNodeType || call.kind == Kind::CreateNodeControl) {
            EXPECT_LE(call.node, 1u);
        }
    }
}

TEST_F(TransportTest, CameraWithoutExtensionUnitGetsNoPropertyCall) {
    VirtualCameraOptions options;
    options.extensionUnitNodes = L"";
    VirtualCameraRegistration camera(options);
    Bind(camera);

    EXPECT_LT(XuSetCommand(XU_SET_FINISH, 0), 0);
    EXPECT_TRUE(PropertyCalls(camera.ReadCallLog()).empty());
    EXPECT_EQ(camera.LiveObjects(), 1);
}

TEST_F(TransportTest, RegistersSurviveTheProgramThatSetThem) {
    VirtualCameraRegistration camera;
    Bind(camera);
    TheDeviceSettings().quality = 1;
    ASSERT_EQ(XuSetCommand(XU_SET_QUALITY, 0), 0);
    TheDeviceSettings() = DeviceSettings{};

    // A second run binds the camera afresh and reads back what the first one set.
    Bind(camera);
    TheDeviceSettings().quality = 2;
    ASSERT_EQ(XuGetCommand(XU_GET_QUALITY, nullptr, nullptr), 0);
    EXPECT_EQ(TheDeviceSettings().quality, 1);
    EXPECT_EQ(camera.ReadRegisters().quality, 1);
}

}  // namespace
}  // namespace tamsel::testing
