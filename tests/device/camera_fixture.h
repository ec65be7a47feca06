#pragma once
// A virtual camera bound as the process's filter, with the settings record reset around
// every test; the camera's call log is what the tests read the wire from.

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "device/device_settings.h"
#include "sim/virtual_camera.h"

namespace tamsel::test {

class BoundCameraTest : public ::testing::Test {
  protected:
    void SetUp() override {
        TheDeviceSettings() = DeviceSettings{};
        TheDeviceSettings().filter = camera.CreateFilter();
    }
    // The record goes back to its initial state, which releases the filter while the
    // camera still lives.
    void TearDown() override { TheDeviceSettings() = DeviceSettings{}; }

    std::vector<sim::CallRecord> PropertyCalls() const {
        std::vector<sim::CallRecord> calls;
        for (const auto& call : camera.log()) {
            if (call.kind == sim::CallRecord::Kind::KsProperty) calls.push_back(call);
        }
        return calls;
    }

    static std::uint32_t Selector(const sim::CallRecord& call) {
        return call.request.size() < 20
                   ? 0xFFFFFFFFu
                   : std::uint32_t{call.request[16]} | std::uint32_t{call.request[17]} << 8 |
                         std::uint32_t{call.request[18]} << 16 |
                         std::uint32_t{call.request[19]} << 24;
    }
    static std::uint32_t Flags(const sim::CallRecord& call) {
        return call.request.size() < 24
                   ? 0
                   : std::uint32_t{call.request[20]} | std::uint32_t{call.request[21]} << 8 |
                         std::uint32_t{call.request[22]} << 16 |
                         std::uint32_t{call.request[23]} << 24;
    }

    sim::VirtualCamera camera;
};

}  // namespace tamsel::test
