// FindCaptureDevice through the real DirectShow system device enumerator, with virtual
// cameras registered in the video input category.

#include "device/discovery.h"

#include <gtest/gtest.h>
#include <objbase.h>

#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <thread>
#include <vector>

#include "device/device_settings.h"
#include "device/xu_command.h"
#include "platform/win32/device/directshow_device_source.h"
#include "tests/win32_device/camera_test_base.h"

namespace tamsel::testing {
namespace {

struct Device {
    std::wstring key;
    std::optional<std::wstring> name;
    std::uint8_t quality;  // a register value that tells the devices apart once bound
};

struct DiscoveryCase {
    const char* label;
    std::vector<Device> devices;  // in registration order
    std::wstring search;
    int expectedResult;
    int boundDevice;  // index into devices, -1 for none
};

const DiscoveryCase kDiscoveryCases[] = {
    {"ExactName",
     {{L"TamselVirtualCamera-1", L"Tamsel Virtual Camera", 3}},
     L"Tamsel Virtual Camera",
     0,
     0},
    {"LetterCaseDiffers",
     {{L"TamselVirtualCamera-1", L"Tamsel Virtual Camera", 3}},
     L"tamsel virtual camera",
     1,
     -1},
    {"CaseOnlyTwinsSecondWanted",
     {{L"TamselVirtualCamera-1", L"Cam A", 1}, {L"TamselVirtualCamera-2", L"cam a", 3}},
     L"cam a",
     0,
     1},
    // Registered in the opposite order to the one the enumerator lists them in.
    {"SameNameFirstListedWins",
     {{L"TamselVirtualCamera-2", L"Twin", 1}, {L"TamselVirtualCamera-1", L"Twin", 3}},
     L"Twin",
     0,
     1},
    {"EntryWithoutNameSkipped",
     {{L"TamselVirtualCamera-1", std::nullopt, 1},
      {L"TamselVirtualCamera-2", L"Tamsel Virtual Camera", 3}},
     L"Tamsel Virtual Camera",
     0,
     1},
    {"OnlyNamelessEntry",
     {{L"TamselVirtualCamera-1", std::nullopt, 1}},
     L"Tamsel Virtual Camera",
     1,
     -1},
    {"LongerNameNotMatched",
     {{L"TamselVirtualCamera-1", L"Tamsel Virtual Camera 2", 1}},
     L"Tamsel Virtual Camera",
     1,
     -1},
    {"ShorterNameNotMatched",
     {{L"TamselVirtualCamera-1", L"Tamsel Virtual", 1}},
     L"Tamsel Virtual Camera",
     1,
     -1},
    {"DefaultNameSearchedLikeAnyOther",
     {{L"TamselVirtualCamera-1", L"No Device", 2}},
     L"No Device",
     0,
     0},
    {"NoDevicesAtAll", {}, L"No Device", 1, -1},
};

void PrintTo(const DiscoveryCase& c, std::ostream* out) {
    *out << c.label;
}

class DiscoveryTest : public CameraTest, public ::testing::WithParamInterface<DiscoveryCase> {};

TEST_P(DiscoveryTest, FindsExactlyTheNamedDeviceAndBindsIt) {
    const DiscoveryCase& c = GetParam();
    std::vector<std::unique_ptr<VirtualCameraRegistration>> cameras;
    for (const Device& device : c.devices) {
        VirtualCameraOptions options;
        options.instanceKey = device.key;
        options.friendlyName = device.name;
        cameras.push_back(std::make_unique<VirtualCameraRegistration>(options));
        ASSERT_HRESULT_SUCCEEDED(cameras.back()->result());
        sim::FirmwareRegisters registers;
        registers.quality = device.quality;
        ASSERT_TRUE(cameras.back()->WriteRegisters(registers));
    }

    win32::DirectShowDeviceSource source;
    EXPECT_EQ(FindCaptureDevice(source, c.search), c.expectedResult);

    if (c.boundDevice < 0) {
        EXPECT_EQ(TheDeviceSettings().filter, nullptr);
        for (const auto& camera : cameras) EXPECT_FALSE(camera->LiveObjects().value_or(0) > 0);
        return;
    }
    ASSERT_NE(TheDeviceSettings().filter, nullptr);
    // Reading through the bound filter shows which camera it is.
    XuGetCommand(XU_GET_QUALITY, nullptr, nullptr);
    EXPECT_EQ(TheDeviceSettings().quality, c.devices[c.boundDevice].quality);
    for (std::size_t i = 0; i < cameras.size(); ++i) {
        const bool bound = static_cast<int>(i) == c.boundDevice;
        EXPECT_EQ(!cameras[i]->ReadCallLog().empty(), bound) << "device " << i;
        EXPECT_EQ(cameras[i]->LiveObjects().value_or(0), bound ? 1 : 0) << "device " << i;
    }
    TheDeviceSettings().filter.reset();
}

INSTANTIATE_TEST_SUITE_P(Cases, DiscoveryTest, ::testing::ValuesIn(kDiscoveryCases),
                         [](const auto& info) { return std::string(info.param.label); });

using DeviceSourceTest = CameraTest;

TEST_F(DeviceSourceTest, EmptyCategoryIsReportedAsFalse) {
    win32::DirectShowDeviceSource source;
    std::unique_ptr<CaptureDeviceEnumerator> devices;
    EXPECT_EQ(source.EnumerateVideoInputDevices(&devices), kFalse);
    EXPECT_EQ(devices, nullptr);
}

TEST_F(DeviceSourceTest, WalksEntriesInListOrderAndReadsTheirNames) {
    VirtualCameraOptions second;
    second.instanceKey = L"TamselVirtualCamera-B";
    second.friendlyName = L"Second";
    VirtualCameraOptions nameless;
    nameless.instanceKey = L"TamselVirtualCamera-C";
    nameless.friendlyName = std::nullopt;
    VirtualCameraOptions first;
    first.instanceKey = L"TamselVirtualCamera-A";
    first.friendlyName = L"First";
    VirtualCameraRegistration b(second), c(nameless), a(first);

    win32::DirectShowDeviceSource source;
    std::unique_ptr<CaptureDeviceEnumerator> devices;
    ASSERT_EQ(source.EnumerateVideoInputDevices(&devices), kOk);
    ASSERT_NE(devices, nullptr);

    std::vector<std::wstring> names;
    int unreadable = 0;
    std::unique_ptr<CaptureDevice> device;
    HResult next;
    while ((next = devices->Next(&device)) == kOk) {
        std::wstring name;
        if (Succeeded(device->ReadFriendlyName(&name))) {
            names.push_back(name);
        } else {
            ++unreadable;
        }
        device.reset();
    }
    EXPECT_EQ(next, kFalse);
    EXPECT_EQ(names, (std::vector<std::wstring>{L"First", L"Second"}));
    EXPECT_EQ(unreadable, 1);
    // Reading names binds nothing.
    EXPECT_FALSE(a.LiveObjects().has_value());
    EXPECT_FALSE(b.LiveObjects().has_value());
}

TEST_F(DeviceSourceTest, BoundFilterIsTheOnlyObjectLeftBetweenCommands) {
    VirtualCameraRegistration camera;
    ASSERT_HRESULT_SUCCEEDED(camera.result());
    win32::DirectShowDeviceSource source;
    ASSERT_EQ(FindCaptureDevice(source, L"Tamsel Virtual Camera"), 0);
    EXPECT_EQ(camera.LiveObjects(), 1);

    EXPECT_EQ(XuGetCommand(XU_GET_VOLUME, nullptr, nullptr), 0);
    EXPECT_EQ(XuSetCommand(XU_SET_QUALITY, 0), 0);
    EXPECT_EQ(XuSetCommand(XU_SET_FINISH, 0), 0);
    // Every topology and node control a command opened is gone again.
    EXPECT_EQ(camera.LiveObjects(), 1);

    TheDeviceSettings().filter.reset();
    EXPECT_EQ(camera.LiveObjects(), 0);
}

// The enumeration enters a single-threaded apartment on the calling thread and leaves
// it entered; a thread that already chose another apartment still gets its devices.
TEST_F(DeviceSourceTest, EntersAndKeepsASingleThreadedApartment) {
    VirtualCameraRegistration camera;
    ASSERT_HRESULT_SUCCEEDED(camera.result());

    HRESULT secondEntry = S_OK;
    HResult listed = kFail;
    std::thread fresh([&] {
        win32::DirectShowDeviceSource source;
        std::unique_ptr<CaptureDeviceEnumerator> devices;
        listed = source.EnumerateVideoInputDevices(&devices);
        devices.reset();
        secondEntry = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
        if (SUCCEEDED(secondEntry)) CoUninitialize();
    });
    fresh.join();
    EXPECT_EQ(listed, kOk);
    EXPECT_EQ(secondEntry, RPC_E_CHANGED_MODE);

    int found = 1;
    std::thread multiThreaded([&] {
        CoInitializeEx(nullptr, COINIT_MULTITHREADED);
        win32::DirectShowDeviceSource source;
        found = FindCaptureDevice(source, L"Tamsel Virtual Camera");
        TheDeviceSettings().filter.reset();
        CoUninitialize();
    });
    multiThreaded.join();
    EXPECT_EQ(found, 0);
    EXPECT_EQ(camera.LiveObjects(), 0);
}

}  // namespace
}  // namespace tamsel::testing
