#pragma once
// Every test here starts with no virtual camera in the video input category and an
// empty settings record, and ends with the bound filter released.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "sim/virtual_camera.h"
#include "tests/win32_device/fixture/virtual_camera_fixture.h"

namespace tamsel::testing {

class CameraTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;
};

// The KsProperty calls of a log, in order.
std::vector<sim::CallRecord> PropertyCalls(const std::vector<sim::CallRecord>& log);

// The 32 request bytes of an extension-unit property call, spelled out byte by byte so
// the test doesn't share the code it checks.
std::vector<std::uint8_t> ExpectedRequest(std::uint8_t selector, std::uint32_t flags,
                                          std::uint32_t node);

}  // namespace tamsel::testing
