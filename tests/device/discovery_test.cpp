// Discovery over a list of virtual devices: which device is bound, and that the walk
// ends cleanly on every path.

#include "device/discovery.h"

#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "device/device_settings.h"
#include "sim/virtual_camera.h"
#include "sim/virtual_device_list.h"

namespace tamsel {
namespace {

// Cases print as their names in test output rather than as raw bytes.
template <typename Case>
requires requires(const Case& c) {
    c.name;
}
void PrintTo(const Case& c, std::ostream* os) {
    *os << c.name;
}

struct ListedDevice {
    std::wstring name;
    bool nameReadable = true;
    bool bindable = true;
};

struct DiscoveryCase {
    const char* name;
    std::vector<ListedDevice> devices;
    std::wstring wanted;
    int bound;              // index of the device whose filter ends up bound; -1 for none
    std::size_t namesRead;  // how far the walk got
};

class DiscoveryTest : public ::testing::TestWithParam<DiscoveryCase> {
  protected:
    void SetUp() override { TheDeviceSettings() = DeviceSettings{}; }
    void TearDown() override { TheDeviceSettings() = DeviceSettings{}; }
};

TEST_P(DiscoveryTest, BindsTheFirstExactMatch) {
    const DiscoveryCase& c = GetParam();
    std::vector<std::unique_ptr<sim::VirtualCamera>> cameras;
    sim::VirtualDeviceList list;
    for (const ListedDevice& listed : c.devices) {
        cameras.push_back(std::make_unique<sim::VirtualCamera>());
        list.Add({listed.name, cameras.back().get(), listed.nameReadable, listed.bindable});
    }

    EXPECT_EQ(FindCaptureDevice(list, c.wanted), c.bound >= 0 ? 0 : 1);
    EXPECT_EQ(static_cast<bool>(TheDeviceSettings().filter), c.bound >= 0);
    for (std::size_t i = 0; i < cameras.size(); ++i) {
        // A bound camera has exactly one live object: the filter the record holds.
        EXPECT_EQ(cameras[i]->LiveObjects(), static_cast<int>(i) == c.bound ? 1 : 0)
            << "device " << i;
    }
    EXPECT_EQ(list.namesRead().size(), c.namesRead);
    // The class enumerator and every device were released, whatever the outcome.
    EXPECT_EQ(list.LiveObjects(), 0);
    TheDeviceSettings().filter.reset();
}

INSTANTIATE_TEST_SUITE_P(
    Lists, DiscoveryTest,
    ::testing::Values(
        DiscoveryCase{"OnlyDevice", {{L"Cam A"}}, L"Cam A", 0, 1},
        DiscoveryCase{"CaseDiffersBindsTheSecond", {{L"Cam A"}, {L"cam a"}}, L"cam a", 1, 2},
        DiscoveryCase{"CaseDiffersBindsTheFirst", {{L"Cam A"}, {L"cam a"}}, L"Cam A", 0, 1},
        DiscoveryCase{"NoCaseFolding", {{L"Cam A"}}, L"CAM A", -1, 1},
        DiscoveryCase{"DuplicatesTakeTheFirst", {{L"Other"}, {L"Cam"}, {L"Cam"}}, L"Cam", 1, 2},
        DiscoveryCase{"WholeStringOnlyPrefix", {{L"Camera"}}, L"Cam", -1, 1},
        DiscoveryCase{"WholeStringOnlyLonger", {{L"Cam"}}, L"Camera", -1, 1},
        DiscoveryCase{"TrailingSpaceMatters", {{L"Cam "}}, L"Cam", -1, 1},
        DiscoveryCase{"NameCutTo31NeverMatchesTheLongName",
                      {{L"A camera name of forty characters long!!"}},
                      L"A camera name of forty characte",
                      -1,
                      1},
        DiscoveryCase{
            "DefaultNameIsSearchedLikeAnyOther", {{L"Cam"}, {L"No Device"}}, L"No Device", 1, 2},
        DiscoveryCase{"UnreadableNameIsSkipped", {{L"Cam", false}, {L"Cam"}}, L"Cam", 1, 1},
        DiscoveryCase{
            "UnbindableMatchGivesWayToTheNext", {{L"Cam", true, false}, {L"Cam"}}, L"Cam", 1, 2},
        DiscoveryCase{
            "UnbindableOnlyMatchIsNotFound", {{L"Cam", true, false}, {L"Other"}}, L"Cam", -1, 2},
        DiscoveryCase{"NonAsciiName", {{L"Kamera \u00e9\u4e2d"}}, L"Kamera \u00e9\u4e2d", 0, 1},
        DiscoveryCase{"NoMatch", {{L"One"}, {L"Two"}, {L"Three"}}, L"Four", -1, 3}),
    [](const auto& info) { return std::string(info.param.name); });

class DiscoveryFailureTest : public ::testing::Test {
  protected:
    void SetUp() override { TheDeviceSettings() = DeviceSettings{}; }
    void TearDown() override { TheDeviceSettings() = DeviceSettings{}; }
    sim::VirtualCamera camera;
};

TEST_F(DiscoveryFailureTest, NoDevicesAtAll) {
    sim::VirtualDeviceList list;
    EXPECT_EQ(FindCaptureDevice(list, L"Cam"), 1);
    EXPECT_FALSE(TheDeviceSettings().filter);
}

TEST_F(DiscoveryFailureTest, CategoryOrEnumeratorFailureIsNotFound) {
    for (HResult answer : {kFalse, kFail, kOutOfMemory, kNoInterface}) {
        sim::VirtualDeviceList list;
        list.Add({L"Cam", &camera});
        list.SetEnumerationResult(answer);
        EXPECT_EQ(FindCaptureDevice(list, L"Cam"), 1) << answer;
        EXPECT_FALSE(TheDeviceSettings().filter);
        EXPECT_TRUE(list.namesRead().empty());
    }
    EXPECT_EQ(camera.LiveObjects(), 0);
}

TEST_F(DiscoveryFailureTest, WalkStopsWhenNextFails) {
    sim::VirtualDeviceList list;
    list.Add({L"Other", &camera});
    list.Add({L"Cam", &camera});
    list.FailNextAt(1, kFail);
    EXPECT_EQ(FindCaptureDevice(list, L"Cam"), 1);
    EXPECT_FALSE(TheDeviceSettings().filter);
    EXPECT_EQ(list.LiveObjects(), 0);
    EXPECT_EQ(list.bindAttempts(), 0);
}

TEST_F(DiscoveryFailureTest, DeviceWithoutCameraCountsAsUnbindable) {
    sim::VirtualDeviceList list;
    list.Add({L"Cam", nullptr});
    EXPECT_EQ(FindCaptureDevice(list, L"Cam"), 1);
    EXPECT_EQ(list.bindAttempts(), 1);
    EXPECT_FALSE(TheDeviceSettings().filter);
}

}  // namespace
}  // namespace tamsel
