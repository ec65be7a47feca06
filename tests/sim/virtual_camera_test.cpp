// The virtual driver, called directly: which requests it answers and how, its faults,
// the objects it hands out and its call log in text form.

#include "sim/virtual_camera.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <ostream>
#include <vector>

#include "device/guid.h"
#include "device/xu_transport.h"

namespace tamsel::sim {
namespace {

using Bytes = std::vector<std::uint8_t>;

// Cases print as their names in test output rather than as raw bytes.
template <typename Case>
requires requires(const Case& c) {
    c.name;
}
void PrintTo(const Case& c, std::ostream* os) {
    *os << c.name;
}

constexpr Guid kOtherSet =
    Guid::FromParts(0x63610682, 0x5070, 0x49AB, {0xB8, 0xCC, 0xB3, 0x85, 0x5E, 0x8D, 0x22, 0x1E});

struct PropertyCase {
    const char* name;
    Guid set;
    std::uint32_t selector;
    std::uint32_t flags;
    std::uint32_t node;  // the control's node and the request's node
    std::uint32_t requestLength;
    std::uint32_t bufferLength;  // 0 with no buffer: a size probe
    HResult result;
    std::uint32_t bytesReturned;
};

class DriverAnswerTest : public ::testing::TestWithParam<PropertyCase> {};

TEST_P(DriverAnswerTest, AnswersLikeADriver) {
    const PropertyCase& c = GetParam();
    VirtualCamera camera;
    camera.topology().nodeCount = 6;
    camera.topology().extensionUnitNodes = {3, 5};
    const KspNodeBytes request = BuildKspNode(c.set, c.selector, c.flags, c.node);
    Bytes buffer(c.bufferLength, 0xCD);
    std::uint32_t returned = 0xDEAD;
    const HResult result =
        camera.KsProperty(c.node, request.data(), c.requestLength,
                          c.bufferLength ? buffer.data() : nullptr, c.bufferLength, &returned);
    EXPECT_EQ(result, c.result);
    EXPECT_EQ(returned, c.bytesReturned);
    ASSERT_EQ(camera.log().size(), 1u);
    EXPECT_EQ(camera.log()[0].result, c.result);
    EXPECT_EQ(camera.log()[0].request, Bytes(request.begin(), request.begin() + c.requestLength));
}

constexpr std::uint32_t kGet = 0x10000001;
constexpr std::uint32_t kSet = 0x10000002;
constexpr std::uint32_t kUntouched = 0xDEAD;

INSTANTIATE_TEST_SUITE_P(
    Requests, DriverAnswerTest,
    ::testing::Values(
        PropertyCase{"ProbeGivesTheSize", kXuPropertySetGuid, 22, kGet, 3, 32, 0, kMoreData, 6},
        PropertyCase{"ReadWithTheRightBuffer", kXuPropertySetGuid, 22, kGet, 3, 32, 6, kOk, 6},
        PropertyCase{"ReadWithALargerBuffer", kXuPropertySetGuid, 28, kGet, 3, 32, 16, kOk, 1},
        PropertyCase{"ReadWithTooSmallABuffer", kXuPropertySetGuid, 22, kGet, 3, 32, 5,
                     kInsufficientBuffer, 0},
        PropertyCase{"SecondExtensionUnitAnswersToo", kXuPropertySetGuid, 28, kGet, 5, 32, 1, kOk,
                     1},
        PropertyCase{"OtherNode", kXuPropertySetGuid, 22, kGet, 2, 32, 6, kNotFound, kUntouched},
        PropertyCase{"OtherSet", kOtherSet, 22, kGet, 3, 32, 6, kSetNotFound, kUntouched},
        PropertyCase{"UnknownSelector", kXuPropertySetGuid, 26, kGet, 3, 32, 6, kNotFound,
                     kUntouched},
        PropertyCase{"SelectorAbove255", kXuPropertySetGuid, 0x116, kGet, 3, 32, 6, kNotFound,
                     kUntouched},
        PropertyCase{"ShortRequest", kXuPropertySetGuid, 22, kGet, 3, 31, 6, kInvalidArgument,
                     kUntouched},
        PropertyCase{"GetWithoutTopologyFlag", kXuPropertySetGuid, 22, 0x1, 3, 32, 6,
                     kInvalidArgument, kUntouched},
        PropertyCase{"BasicSupport", kXuPropertySetGuid, 22, 0x10000200, 3, 32, 6, kInvalidArgument,
                     kUntouched},
        PropertyCase{"WriteOfTheRightLength", kXuPropertySetGuid, 28, kSet, 3, 32, 1, kOk, 0},
        PropertyCase{"WriteOfTheWrongLength", kXuPropertySetGuid, 28, kSet, 3, 32, 2,
                     kInvalidArgument, 0},
        PropertyCase{"WriteToAReadOnlySelector", kXuPropertySetGuid, 22, kSet, 3, 32, 6, kNotFound,
                     0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(VirtualCameraTest, RequestForAnotherNodeThanTheControlsIsRefused) {
    VirtualCamera camera;
    camera.topology().extensionUnitNodes = {1, 3};
    const KspNodeBytes request = BuildKspNode(kXuPropertySetGuid, 28, kGet, 1);
    std::uint8_t byte = 0;
    std::uint32_t returned = 0;
    EXPECT_EQ(camera.KsProperty(3, request.data(), 32, &byte, 1, &returned), kNotFound);
}

TEST(VirtualCameraTest, ReadCopiesTheRegisterAndLogsIt) {
    VirtualCamera camera;
    camera.firmware().registers().color = {1, 2, 3, 4};
    const KspNodeBytes request = BuildKspNode(kXuPropertySetGuid, 25, kGet, 3);
    Bytes buffer(4, 0xEE);
    std::uint32_t returned = 0;
    ASSERT_EQ(camera.KsProperty(3, request.data(), 32, buffer.data(), 4, &returned), kOk);
    EXPECT_EQ(buffer, (Bytes{1, 2, 3, 4}));
    const CallRecord& call = camera.log().back();
    EXPECT_TRUE(call.hasBuffer);
    EXPECT_EQ(call.dataLength, 4u);
    EXPECT_EQ(call.dataIn, (Bytes{0xEE, 0xEE, 0xEE, 0xEE}));
    EXPECT_EQ(call.dataOut, (Bytes{1, 2, 3, 4}));
    EXPECT_EQ(call.bytesReturned, 4u);
}

TEST(VirtualCameraTest, ShortReplyIsWhatProbeAndReadReport) {
    VirtualCamera camera;
    camera.faults().shortReply[22] = 2;
    const KspNodeBytes request = BuildKspNode(kXuPropertySetGuid, 22, kGet, 3);
    std::uint32_t returned = 0;
    EXPECT_EQ(camera.KsProperty(3, request.data(), 32, nullptr, 0, &returned), kMoreData);
    EXPECT_EQ(returned, 2u);
    Bytes buffer(6, 0);
    EXPECT_EQ(camera.KsProperty(3, request.data(), 32, buffer.data(), 6, &returned), kOk);
    EXPECT_EQ(returned, 2u);
    const auto& volume = camera.firmware().registers().volume;
    EXPECT_EQ(buffer, (Bytes{volume[0], volume[1], 0, 0, 0, 0}));
}

TEST(VirtualCameraTest, ProbeThatReportsNothingLeavesTheCountAlone) {
    VirtualCamera camera;
    camera.faults().probeReportsNothing = true;
    const KspNodeBytes request = BuildKspNode(kXuPropertySetGuid, 22, kGet, 3);
    std::uint32_t returned = 41;
    EXPECT_TRUE(Failed(camera.KsProperty(3, request.data(), 32, nullptr, 0, &returned)));
    EXPECT_EQ(returned, 41u);
    // A read with a buffer is still answered.
    Bytes buffer(6, 0);
    EXPECT_EQ(camera.KsProperty(3, request.data(), 32, buffer.data(), 6, &returned), kOk);
}

TEST(VirtualCameraTest, FailsTheNthCallAndOnlyThatOne) {
    VirtualCamera camera;
    camera.faults().failCallNumber = 2;
    camera.faults().failResult = kBusy;
    std::uint32_t count = 0;
    Guid type;
    EXPECT_EQ(camera.QueryTopology(), kOk);
    EXPECT_EQ(camera.GetNumNodes(&count), kBusy);
    EXPECT_EQ(count, 0u);
    EXPECT_EQ(camera.GetNumNodes(&count), kOk);
    EXPECT_EQ(count, 5u);
    EXPECT_EQ(camera.GetNodeType(3, &type), kOk);
    EXPECT_EQ(type, kKsNodeTypeDevSpecific);
}

TEST(VirtualCameraTest, UnpluggedFailsEveryCall) {
    VirtualCamera camera;
    camera.faults().unplugged = true;
    std::uint32_t count = 0;
    Guid type;
    const KspNodeBytes request = BuildKspNode(kXuPropertySetGuid, 22, kGet, 3);
    EXPECT_EQ(camera.QueryTopology(), kDeviceNotConnected);
    EXPECT_EQ(camera.GetNumNodes(&count), kDeviceNotConnected);
    EXPECT_EQ(camera.GetNodeType(3, &type), kDeviceNotConnected);
    EXPECT_EQ(camera.CreateNodeControl(3), kDeviceNotConnected);
    EXPECT_EQ(camera.KsProperty(3, request.data(), 32, nullptr, 0, &count), kDeviceNotConnected);
    EXPECT_EQ(camera.log().size(), 5u);
}

TEST(VirtualCameraTest, TopologyShowsTheChosenNodes) {
    VirtualCamera camera;
    camera.topology().nodeCount = 4;
    camera.topology().extensionUnitNodes = {1, 2};
    for (std::uint32_t node = 0; node < 4; ++node) {
        Guid type;
        ASSERT_EQ(camera.GetNodeType(node, &type), kOk);
        EXPECT_EQ(type == kKsNodeTypeDevSpecific, node == 1 || node == 2) << node;
    }
    Guid type;
    EXPECT_TRUE(Failed(camera.GetNodeType(4, &type)));
    EXPECT_TRUE(Failed(camera.CreateNodeControl(4)));
}

TEST(VirtualCameraTest, CountsTheObjectsItHandsOut) {
    VirtualCamera camera;
    auto filter = camera.CreateFilter();
    std::unique_ptr<KsTopology> topology;
    ASSERT_EQ(filter->QueryTopology(&topology), kOk);
    std::unique_ptr<KsControl> control;
    ASSERT_EQ(topology->CreateNodeControl(3, &control), kOk);
    EXPECT_EQ(camera.LiveObjects(), 3);
    control.reset();
    topology.reset();
    EXPECT_EQ(camera.LiveObjects(), 1);
    filter.reset();
    EXPECT_EQ(camera.LiveObjects(), 0);

    EXPECT_EQ(camera.TopologiesReleasedBeforeControls(), 0);

    filter = camera.CreateFilter();
    ASSERT_EQ(filter->QueryTopology(&topology), kOk);
    ASSERT_EQ(topology->CreateNodeControl(3, &control), kOk);
    topology.reset();  // the wrong way round
    control.reset();
    EXPECT_EQ(camera.TopologiesReleasedBeforeControls(), 1);
    filter.reset();

    camera.faults().noTopology = true;
    filter = camera.CreateFilter();
    EXPECT_TRUE(Failed(filter->QueryTopology(&topology)));
    EXPECT_FALSE(topology);
    EXPECT_EQ(camera.LiveObjects(), 1);
}

TEST(CallLogTextTest, RoundTripsEveryField) {
    VirtualCamera camera;
    auto filter = camera.CreateFilter();
    std::unique_ptr<KsTopology> topology;
    ASSERT_EQ(filter->QueryTopology(&topology), kOk);
    std::uint32_t count = 0;
    topology->GetNumNodes(&count);
    std::unique_ptr<KsControl> control;
    ASSERT_EQ(topology->CreateNodeControl(3, &control), kOk);
    const KspNodeBytes read = BuildKspNode(kXuPropertySetGuid, 22, kGet, 3);
    std::uint32_t returned = 0;
    control->KsProperty(read.data(), 32, nullptr, 0, &returned);
    Bytes buffer(6, 0);
    control->KsProperty(read.data(), 32, buffer.data(), 6, &returned);
    const KspNodeBytes write = BuildKspNode(kXuPropertySetGuid, 28, kSet, 3);
    std::uint8_t quality = 3;
    control->KsProperty(write.data(), 32, &quality, 1, &returned);

    std::vector<CallRecord> parsed;
    ASSERT_TRUE(VirtualCamera::LogFromText(camera.LogToText(), &parsed));
    const auto& log = camera.log();
    ASSERT_EQ(parsed.size(), log.size());
    for (std::size_t i = 0; i < log.size(); ++i) {
        EXPECT_EQ(parsed[i].kind, log[i].kind) << i;
        EXPECT_EQ(parsed[i].node, log[i].node) << i;
        EXPECT_EQ(parsed[i].request, log[i].request) << i;
        EXPECT_EQ(parsed[i].requestLength, log[i].requestLength) << i;
        EXPECT_EQ(parsed[i].hasBuffer, log[i].hasBuffer) << i;
        EXPECT_EQ(parsed[i].dataLength, log[i].dataLength) << i;
        EXPECT_EQ(parsed[i].dataIn, log[i].dataIn) << i;
        EXPECT_EQ(parsed[i].dataOut, log[i].dataOut) << i;
        EXPECT_EQ(parsed[i].bytesReturned, log[i].bytesReturned) << i;
        EXPECT_EQ(parsed[i].result, log[i].result) << i;
    }
    EXPECT_EQ(parsed[3].result, kMoreData);  // a negative result survives the text
    EXPECT_EQ(parsed[5].dataIn, Bytes{3});
}

TEST(CallLogTextTest, ReadsTheLineFormatAndWindowsLineEnds) {
    const std::string text =
        "KsProperty node=3 request=0102 request-length=32 buffer=1 data-length=6 in=- "
        "out=030e returned=2 result=800700ea\r\n"
        "GetNumNodes node=0 request=- request-length=0 buffer=0 data-length=0 in=- out=- "
        "returned=0 result=00000000\n";
    std::vector<CallRecord> records;
    ASSERT_TRUE(VirtualCamera::LogFromText(text, &records));
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].kind, CallRecord::Kind::KsProperty);
    EXPECT_EQ(records[0].node, 3u);
    EXPECT_EQ(records[0].request, (Bytes{1, 2}));
    EXPECT_TRUE(records[0].hasBuffer);
    EXPECT_EQ(records[0].dataOut, (Bytes{3, 14}));
    EXPECT_EQ(records[0].result, kMoreData);
    EXPECT_EQ(records[1].kind, CallRecord::Kind::GetNumNodes);
}

TEST(CallLogTextTest, RefusesMalformedLines) {
    const char* lines[] = {
        "Bogus node=0 request=- request-length=0 buffer=0 data-length=0 in=- out=- returned=0 "
        "result=00000000",
        "KsProperty node=x request=- request-length=0 buffer=0 data-length=0 in=- out=- "
        "returned=0 result=00000000",
        "KsProperty node=0 request=abc request-length=0 buffer=0 data-length=0 in=- out=- "
        "returned=0 result=00000000",
        "KsProperty node=0 request=- request-length=0 buffer=2 data-length=0 in=- out=- "
        "returned=0 result=00000000",
        "KsProperty request=- node=0 request-length=0 buffer=0 data-length=0 in=- out=- "
        "returned=0 result=00000000",
        "KsProperty node=0 request=- request-length=0 buffer=0 data-length=0 in=- out=- "
        "returned=0 result=0000",
        "KsProperty node=0 request=- request-length=0 buffer=0 data-length=0 in=- out=- "
        "returned=0 result=00000000 extra=1",
        "KsProperty node=0 request=- request-length=0 buffer=0 data-length=0 in=- out=-",
    };
    for (const char* line : lines) {
        std::vector<CallRecord> records(1);
        EXPECT_FALSE(VirtualCamera::LogFromText(line, &records)) << line;
        EXPECT_EQ(records.size(), 1u) << line;
    }
}

}  // namespace
}  // namespace tamsel::sim
