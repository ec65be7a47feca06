// A camera that misbehaves while the program has it bound: every failure comes back as
// the command's result, and nothing the command opened is left behind.

#include <gtest/gtest.h>

#include <ostream>

#include "device/device_settings.h"
#include "device/discovery.h"
#include "device/xu_command.h"
#include "platform/win32/device/directshow_device_source.h"
#include "platform/win32/virtual_camera_server/faults_file.h"
#include "tests/win32_device/camera_test_base.h"

namespace tamsel::testing {
namespace {

using Kind = sim::CallRecord::Kind;

struct FaultCase {
    const char* label;
    sim::Faults (*faults)();
    bool read;          // XU_GET_VOLUME instead of XU_SET_FINISH
    HResult expected;   // 0 for "the command's own result", see check
    bool anyFailure;    // true: only "negative" is asserted
    int propertyCalls;  // KsProperty calls that reached the node
};

void PrintTo(const FaultCase& c, std::ostream* out) {
    *out << c.label;
}

const FaultCase kFaultCases[] = {
    {"Unplugged",
     [] {
         sim::Faults f;
         f.unplugged = true;
         return f;
     },
     false, kDeviceNotConnected, false, 0},
    {"UnpluggedRead",
     [] {
         sim::Faults f;
         f.unplugged = true;
         return f;
     },
     true, kDeviceNotConnected, false, 0},
    {"NoTopology",
     [] {
         sim::Faults f;
         f.noTopology = true;
         return f;
     },
     false, 0, true, 0},
    {"NoControl",
     [] {
         sim::Faults f;
         f.noControl = true;
         return f;
     },
     false, 0, true, 0},
    {"NoNodeCount",
     [] {
         sim::Faults f;
         f.noNodeCount = true;
         return f;
     },
     false, 0, true, 0},
    // A write is call 8: topology, count, four node types, control, property.
    {"WriteFails",
     [] {
         sim::Faults f;
         f.failCallNumber = 8;
         f.failResult = kBusy;
         return f;
     },
     false, kBusy, false, 1},
    // A read is calls 8 (probe) and 9. A failed probe reports no length, so the read
    // that follows has an empty buffer, and its own answer is the result.
    {"FailedProbeLeadsToAnEmptyRead",
     [] {
         sim::Faults f;
         f.failCallNumber = 8;
         f.failResult = kGenFailure;
         return f;
     },
     true, kMoreData, false, 2},
    {"SecondReadCallFails",
     [] {
         sim::Faults f;
         f.failCallNumber = 9;
         f.failResult = kGenFailure;
         return f;
     },
     true, kGenFailure, false, 2},
};

class FaultTest : public CameraTest, public ::testing::WithParamInterface<FaultCase> {};

TEST_P(FaultTest, FailureIsTheCommandsResultAndNothingLeaks) {
    const FaultCase& c = GetParam();
    VirtualCameraRegistration camera;
    ASSERT_HRESULT_SUCCEEDED(camera.result());
    win32::DirectShowDeviceSource source;
    ASSERT_EQ(FindCaptureDevice(source, L"Tamsel Virtual Camera"), 0);
    camera.ClearCallLog();
    ASSERT_TRUE(camera.WriteFaults(c.faults()));

    const int result =
        c.read ? XuGetCommand(XU_GET_VOLUME, nullptr, nullptr) : XuSetCommand(XU_SET_FINISH, 0);
    if (c.anyFailure) {
        EXPECT_LT(result, 0);
    } else {
        EXPECT_EQ(result, c.expected);
    }
    EXPECT_EQ(static_cast<int>(PropertyCalls(camera.ReadCallLog()).size()), c.propertyCalls);
    EXPECT_EQ(camera.LiveObjects(), 1);

    // Plugged back in, the same bound filter works again.
    camera.ClearFaults();
    EXPECT_EQ(XuSetCommand(XU_SET_FINISH, 0), 0);
    EXPECT_EQ(camera.LiveObjects(), 1);
}

INSTANTIATE_TEST_SUITE_P(Faults, FaultTest, ::testing::ValuesIn(kFaultCases),
                         [](const auto& info) { return std::string(info.param.label); });

using ReplyLengthTest = CameraTest;

TEST_F(ReplyLengthTest, ReadBufferIsWhatTheProbeReported) {
    struct Case {
        const char* label;
        sim::Faults faults;
        std::uint32_t probed;
    };
    sim::Faults shortVolume;
    shortVolume.shortReply[22] = 3;
    sim::Faults nothing;
    nothing.probeReportsNothing = true;
    const Case cases[] = {{"Full", {}, 6}, {"Short", shortVolume, 3}, {"Nothing", nothing, 0}};

    VirtualCameraRegistration camera;
    win32::DirectShowDeviceSource source;
    ASSERT_EQ(FindCaptureDevice(source, L"Tamsel Virtual Camera"), 0);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        camera.ClearCallLog();
        ASSERT_TRUE(camera.WriteFaults(c.faults));
        XuGetCommand(XU_GET_VOLUME, nullptr, nullptr);
        const auto calls = PropertyCalls(camera.ReadCallLog());
        ASSERT_EQ(calls.size(), 2u);
        EXPECT_FALSE(calls[0].hasBuffer);
        EXPECT_EQ(calls[1].dataLength, c.probed);
    }
}

TEST(FaultsFileTest, TextRoundTripsEveryFault) {
    sim::Faults faults;
    faults.unplugged = true;
    faults.failCallNumber = 12;
    faults.failResult = kAccessDenied;
    faults.noTopology = true;
    faults.noControl = true;
    faults.noNodeCount = true;
    faults.probeReportsNothing = true;
    faults.shortReply = {{22, 3}, {25, 0}};

    sim::Faults back;
    ASSERT_TRUE(win32::FaultsFromText(win32::FaultsToText(faults), &back));
    EXPECT_EQ(back.unplugged, faults.unplugged);
    EXPECT_EQ(back.failCallNumber, faults.failCallNumber);
    EXPECT_EQ(back.failResult, faults.failResult);
    EXPECT_EQ(back.noTopology, faults.noTopology);
    EXPECT_EQ(back.noControl, faults.noControl);
    EXPECT_EQ(back.noNodeCount, faults.noNodeCount);
    EXPECT_EQ(back.probeReportsNothing, faults.probeReportsNothing);
    EXPECT_EQ(back.shortReply, faults.shortReply);
}

TEST(FaultsFileTest, UnreadableValuesAreReported) {
    for (const char* text : {"unplugged=yes\n", "fail-call=-1\n", "short-reply=22\n",
                             "short-reply=300:1\n", "fail-result=0x1FFFFFFFF\n"}) {
        sim::Faults faults;
        EXPECT_FALSE(win32::FaultsFromText(text, &faults)) << text;
    }
    sim::Faults faults;
    EXPECT_TRUE(win32::FaultsFromText("# comment\nsomething-new=1\r\nno-control=1\r\n", &faults));
    EXPECT_TRUE(faults.noControl);
}

}  // namespace
}  // namespace tamsel::testing
