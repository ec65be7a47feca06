#include "tests/win32_device/camera_test_base.h"

#include <objbase.h>

#include "device/device_settings.h"

namespace tamsel::testing {

void CameraTest::SetUp() {
    ASSERT_HRESULT_SUCCEEDED(RemoveAllVirtualCameras());
    TheDeviceSettings() = DeviceSettings{};
}

void CameraTest::TearDown() {
    TheDeviceSettings() = DeviceSettings{};
    RemoveAllVirtualCameras();
}

std::vector<sim::CallRecord> PropertyCalls(const std::vector<sim::CallRecord>& log) {
    std::vector<sim::CallRecord> calls;
    for (const sim::CallRecord& call : log) {
        if (call.kind == sim::CallRecord::Kind::KsProperty) calls.push_back(call);
    }
    return calls;
}

std::vector<std::uint8_t> ExpectedRequest(std::uint8_t selector, std::uint32_t flags,
                                          std::uint32_t node) {
    std::vector<std::uint8_t> bytes{0x82, 0x06, 0x61, 0x63, 0x70, 0x50, 0xAB, 0x49,
                                    0xB8, 0xCC, 0xB3, 0x85, 0x5E, 0x8D, 0x22, 0x1D};
    for (std::uint32_t field : {std::uint32_t{selector}, flags, node, std::uint32_t{0}}) {
        for (int shift = 0; shift < 32; shift += 8) {
            bytes.push_back(static_cast<std::uint8_t>(field >> shift));
        }
    }
    return bytes;
}

}  // namespace tamsel::testing
