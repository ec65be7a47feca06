// The transport as the camera sees it: the exact request bytes, the call sequence of a
// read and a write, which node is addressed, and what every failure along the way does.

#include "device/xu_transport.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <vector>

#include "device/xu_command.h"
#include "tests/device/camera_fixture.h"

namespace tamsel {
namespace {

using sim::CallRecord;
using Bytes = std::vector<std::uint8_t>;

// Cases print as their names in test output rather than as raw bytes.
template <typename Case>
requires requires(const Case& c) {
    c.name;
}
void PrintTo(const Case& c, std::ostream* os) {
    *os << c.name;
}

constexpr std::uint8_t kXuSetGuidBytes[16] = {0x82, 0x06, 0x61, 0x63, 0x70, 0x50, 0xAB, 0x49,
                                              0xB8, 0xCC, 0xB3, 0x85, 0x5E, 0x8D, 0x22, 0x1D};

Bytes Request(std::uint8_t selector, std::uint8_t flagsLow, std::uint8_t node) {
    Bytes bytes(std::begin(kXuSetGuidBytes), std::end(kXuSetGuidBytes));
    const Bytes tail = {selector, 0, 0, 0, flagsLow, 0, 0, 0x10, node, 0, 0, 0, 0, 0, 0, 0};
    bytes.insert(bytes.end(), tail.begin(), tail.end());
    return bytes;
}

TEST(KspNodeTest, LaysOutTheVendorRequestLittleEndian) {
    const KspNodeBytes bytes = BuildKspNode(kXuPropertySetGuid, 0x1D, kXuWriteFlags, 0x04030201);
    const Bytes expected = {0x82, 0x06, 0x61, 0x63, 0x70, 0x50, 0xAB, 0x49, 0xB8, 0xCC, 0xB3,
                            0x85, 0x5E, 0x8D, 0x22, 0x1D, 0x1D, 0x00, 0x00, 0x00, 0x02, 0x00,
                            0x00, 0x10, 0x01, 0x02, 0x03, 0x04, 0x00, 0x00, 0x00, 0x00};
    EXPECT_EQ(Bytes(bytes.begin(), bytes.end()), expected);
}

TEST(KspNodeTest, ParsesWhatItBuildsAndRefusesAShortRequest) {
    const KspNodeBytes bytes = BuildKspNode(kKsNodeTypeDevSpecific, 0xA1B2C3D4, kXuReadFlags, 7);
    KspNode node;
    ASSERT_TRUE(ParseKspNode(bytes.data(), kKspNodeLength, &node));
    EXPECT_EQ(node.propertySet, kKsNodeTypeDevSpecific);
    EXPECT_EQ(node.propertyId, 0xA1B2C3D4u);
    EXPECT_EQ(node.flags, 0x10000001u);
    EXPECT_EQ(node.nodeId, 7u);
    EXPECT_EQ(node.reserved, 0u);

    KspNode untouched;
    untouched.nodeId = 99;
    EXPECT_FALSE(ParseKspNode(bytes.data(), kKspNodeLength - 1, &untouched));
    EXPECT_EQ(untouched.nodeId, 99u);
    EXPECT_FALSE(ParseKspNode(nullptr, kKspNodeLength, &untouched));
}

using TransportTest = test::BoundCameraTest;

TEST_F(TransportTest, ClockWriteCarriesTheExactRequestAndPayload) {
    TheDeviceSettings().year = 2019;
    TheDeviceSettings().month = 6;
    TheDeviceSettings().day = 10;
    TheDeviceSettings().hour = 9;
    TheDeviceSettings().minute = 32;
    TheDeviceSettings().second = 30;
    ASSERT_EQ(XuSetCommand(XU_SET_DATETIME, 0), kOk);

    const auto calls = PropertyCalls();
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].request, Request(0x1D, 0x02, 3));
    EXPECT_EQ(calls[0].requestLength, 32u);
    EXPECT_EQ(calls[0].node, 3u);
    EXPECT_TRUE(calls[0].hasBuffer);
    EXPECT_EQ(calls[0].dataLength, 6u);
    EXPECT_EQ(calls[0].dataIn, (Bytes{19, 6, 10, 9, 32, 30}));
}

TEST_F(TransportTest, VolumeReadProbesThenReadsExactlyTheProbedSize) {
    std::vector<std::uint8_t> reply;
    ASSERT_EQ(XuPropertyGet(TheDeviceSettings().filter.get(), 22, &reply), kOk);

    const auto calls = PropertyCalls();
    ASSERT_EQ(calls.size(), 2u);
    for (const auto& call : calls) {
        EXPECT_EQ(call.request, Request(0x16, 0x01, 3));
        EXPECT_EQ(call.requestLength, 32u);
    }
    EXPECT_FALSE(calls[0].hasBuffer);
    EXPECT_EQ(calls[0].dataLength, 0u);
    EXPECT_EQ(calls[0].result, kMoreData);
    EXPECT_EQ(calls[0].bytesReturned, 6u);
    EXPECT_TRUE(calls[1].hasBuffer);
    EXPECT_EQ(calls[1].dataLength, 6u);
    const auto& volume = camera.firmware().registers().volume;
    EXPECT_EQ(reply, Bytes(volume.begin(), volume.end()));
}

TEST_F(TransportTest, EveryCommandWalksTheTopologyAfreshAndReleasesItAll) {
    ASSERT_EQ(XuSetCommand(XU_SET_QUALITY, 0), kOk);
    ASSERT_EQ(XuGetCommand(XU_GET_QUALITY, nullptr, nullptr), kOk);

    using K = CallRecord::Kind;
    const std::vector<K> oneWalk = {K::QueryTopology,    K::GetNumNodes, K::GetNodeType,
                                    K::GetNodeType,      K::GetNodeType, K::GetNodeType,
                                    K::CreateNodeControl};
    std::vector<K> expected = oneWalk;
    expected.push_back(K::KsProperty);
    expected.insert(expected.end(), oneWalk.begin(), oneWalk.end());
    expected.push_back(K::KsProperty);
    expected.push_back(K::KsProperty);

    std::vector<K> seen;
    for (const auto& call : camera.log()) seen.push_back(call.kind);
    EXPECT_EQ(seen, expected);
    // Only the bound filter is left, and each control went before its topology.
    EXPECT_EQ(camera.LiveObjects(), 1);
    EXPECT_EQ(camera.TopologiesReleasedBeforeControls(), 0);
}

struct NodeCase {
    const char* name;
    std::uint32_t nodeCount;
    std::vector<std::uint32_t> extensionUnits;
    bool found;
    std::uint32_t node;
};

class NodeSelectionTest : public test::BoundCameraTest,
                          public ::testing::WithParamInterface<NodeCase> {};

TEST_P(NodeSelectionTest, AddressesTheFirstDeviceSpecificNodeOnly) {
    const NodeCase& c = GetParam();
    camera.topology().nodeCount = c.nodeCount;
    camera.topology().extensionUnitNodes = c.extensionUnits;

    const int result = XuSetCommand(XU_SET_QUALITY, 0);
    const auto calls = PropertyCalls();
    if (!c.found) {
        EXPECT_EQ(result, kNotFound);
        EXPECT_TRUE(calls.empty());
    } else {
        EXPECT_EQ(result, kOk);
        ASSERT_EQ(calls.size(), 1u);
        EXPECT_EQ(calls[0].node, c.node);
        EXPECT_EQ(calls[0].request, Request(28, 0x02, static_cast<std::uint8_t>(c.node)));
    }
    // The walk stops at the first device-specific node: nothing past it is looked at.
    for (const auto& call : camera.log()) {
        if (call.kind == CallRecord::Kind::GetNodeType && c.found) {
            EXPECT_LE(call.node, c.node);
        }
        if (call.kind == CallRecord::Kind::CreateNodeControl) {
            EXPECT_EQ(call.node, c.node);
        }
    }
    EXPECT_EQ(camera.LiveObjects(), 1);
}

INSTANTIATE_TEST_SUITE_P(Topologies, NodeSelectionTest,
                         ::testing::Values(NodeCase{"AtIndexThree", 5, {3}, true, 3},
                                           NodeCase{"TwoTakesTheLower", 6, {4, 2}, true, 2},
                                           NodeCase{"AtIndexZero", 5, {0}, true, 0},
                                           NodeCase{"LastNode", 8, {7}, true, 7},
                                           NodeCase{"None", 5, {}, false, 0},
                                           NodeCase{"BeyondTheCount", 4, {4}, false, 0},
                                           NodeCase{"NoNodes", 0, {0}, false, 0}),
                         [](const auto& info) { return std::string(info.param.name); });

// A fault at each step of a command, one call at a time: the command must fail (or, for
// a step it can do without, still land), return the fault, and leave nothing open.
struct StepFault {
    const char* name;
    int call;        // position in the command's call sequence, from 1
    HResult result;  // what the command then returns
};

constexpr HResult kInjected = kBusy;

class WriteStepFaultTest : public test::BoundCameraTest,
                           public ::testing::WithParamInterface<StepFault> {};

TEST_P(WriteStepFaultTest, FailsCleanly) {
    const StepFault& c = GetParam();
    camera.faults().failCallNumber = c.call;
    camera.faults().failResult = kInjected;
    TheDeviceSettings().quality = 3;

    EXPECT_EQ(XuSetCommand(XU_SET_QUALITY, 0), c.result);
    // The write landed exactly when the command reports success.
    EXPECT_EQ(camera.firmware().registers().quality == 3, c.result == kOk);
    EXPECT_EQ(camera.LiveObjects(), 1);
    TheDeviceSettings().filter.reset();
    EXPECT_EQ(camera.LiveObjects(), 0);
}

// A write against the default topology is 8 calls: topology, count, four node types,
// the control and the property.
INSTANTIATE_TEST_SUITE_P(EachCall, WriteStepFaultTest,
                         ::testing::Values(StepFault{"QueryTopology", 1, kInjected},
                                           StepFault{"GetNumNodes", 2, kNotFound},
                                           StepFault{"TypeOfNode0", 3, kOk},
                                           StepFault{"TypeOfNode1", 4, kOk},
                                           StepFault{"TypeOfNode2", 5, kOk},
                                           StepFault{"TypeOfNode3", 6, kNotFound},
                                           StepFault{"CreateNodeControl", 7, kInjected},
                                           StepFault{"KsProperty", 8, kInjected}),
                         [](const auto& info) { return std::string(info.param.name); });

class ReadStepFaultTest : public test::BoundCameraTest,
                          public ::testing::WithParamInterface<StepFault> {};

TEST_P(ReadStepFaultTest, FailsCleanly) {
    const StepFault& c = GetParam();
    camera.faults().failCallNumber = c.call;
    camera.faults().failResult = kInjected;

    std::vector<std::uint8_t> reply;
    EXPECT_EQ(XuPropertyGet(TheDeviceSettings().filter.get(), 22, &reply), c.result);
    if (c.result == kOk) {
        EXPECT_EQ(reply.size(), 6u);
    }
    EXPECT_EQ(camera.LiveObjects(), 1);
    TheDeviceSettings().filter.reset();
    EXPECT_EQ(camera.LiveObjects(), 0);
}

// A failed probe reports no size, so the read goes out with no buffer and the driver
// answers it as another probe.
INSTANTIATE_TEST_SUITE_P(
    EachCall, ReadStepFaultTest,
    ::testing::Values(StepFault{"QueryTopology", 1, kInjected},
                      StepFault{"GetNumNodes", 2, kNotFound}, StepFault{"TypeOfNode0", 3, kOk},
                      StepFault{"TypeOfNode1", 4, kOk}, StepFault{"TypeOfNode2", 5, kOk},
                      StepFault{"TypeOfNode3", 6, kNotFound},
                      StepFault{"CreateNodeControl", 7, kInjected},
                      StepFault{"Probe", 8, kMoreData}, StepFault{"Read", 9, kInjected}),
    [](const auto& info) { return std::string(info.param.name); });

struct DriverFault {
    const char* name;
    void (*apply)(sim::Faults&);
    HResult result;
    bool reachesProperty;
};

class DriverFaultTest : public test::BoundCameraTest,
                        public ::testing::WithParamInterface<DriverFault> {};

TEST_P(DriverFaultTest, WriteAndReadFailWithoutLeaking) {
    const DriverFault& c = GetParam();
    c.apply(camera.faults());

    EXPECT_EQ(XuSetCommand(XU_SET_FINISH, 0), c.result);
    std::vector<std::uint8_t> reply;
    EXPECT_EQ(XuPropertyGet(TheDeviceSettings().filter.get(), 28, &reply), c.result);
    EXPECT_TRUE(reply.empty());
    EXPECT_EQ(PropertyCalls().empty(), !c.reachesProperty);
    EXPECT_EQ(camera.firmware().registers().finishCount, 0);
    EXPECT_EQ(camera.LiveObjects(), 1);
}

INSTANTIATE_TEST_SUITE_P(
    Faults, DriverFaultTest,
    ::testing::Values(
        DriverFault{"NoTopology", [](sim::Faults& f) { f.noTopology = true; }, kNoInterface, false},
        DriverFault{"NoControl", [](sim::Faults& f) { f.noControl = true; }, kNoInterface, false},
        DriverFault{"NoNodeCount", [](sim::Faults& f) { f.noNodeCount = true; }, kNotFound, false},
        DriverFault{"Unplugged", [](sim::Faults& f) { f.unplugged = true; }, kDeviceNotConnected,
                    false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TransportWithoutFilterTest, FailsWithoutTouchingAnything) {
    XuControl xu;
    EXPECT_EQ(OpenXuControl(nullptr, &xu), kPointer);
    const std::uint8_t byte = 0;
    EXPECT_EQ(XuPropertySet(nullptr, 28, &byte, 1), kPointer);
    std::vector<std::uint8_t> reply{1, 2, 3};
    EXPECT_EQ(XuPropertyGet(nullptr, 28, &reply), kPointer);
    EXPECT_TRUE(reply.empty());
}

TEST_F(TransportTest, ProbeThatReportsNothingLeadsToAnEmptyRead) {
    camera.faults().probeReportsNothing = true;
    std::vector<std::uint8_t> reply{9, 9};
    const HResult result = XuPropertyGet(TheDeviceSettings().filter.get(), 22, &reply);

    const auto calls = PropertyCalls();
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[1].dataLength, 0u);
    EXPECT_TRUE(reply.empty());
    // The empty read's own answer comes back, not the probe's.
    EXPECT_EQ(result, calls[1].result);
    EXPECT_TRUE(Failed(result));
}

TEST_F(TransportTest, ShortReplyIsReadAtTheSizeTheDeviceReports) {
    camera.faults().shortReply[22] = 2;
    std::vector<std::uint8_t> reply;
    EXPECT_EQ(XuPropertyGet(TheDeviceSettings().filter.get(), 22, &reply), kOk);
    const auto calls = PropertyCalls();
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[1].dataLength, 2u);
    const auto& volume = camera.firmware().registers().volume;
    EXPECT_EQ(reply, (Bytes{volume[0], volume[1]}));
}

TEST_F(TransportTest, ImplausiblyLargeProbeIsRefusedBeforeAllocating) {
    camera.faults().shortReply[22] = 0x10000;
    std::vector<std::uint8_t> reply;
    EXPECT_TRUE(Failed(XuPropertyGet(TheDeviceSettings().filter.get(), 22, &reply)));
    EXPECT_EQ(PropertyCalls().size(), 1u);
    EXPECT_TRUE(reply.empty());
    EXPECT_EQ(camera.LiveObjects(), 1);
}

TEST_F(TransportTest, LargestControlLengthIsStillRead) {
    camera.faults().shortReply[22] = 0xFFFF;
    std::vector<std::uint8_t> reply;
    EXPECT_EQ(XuPropertyGet(TheDeviceSettings().filter.get(), 22, &reply), kOk);
    EXPECT_EQ(reply.size(), 0xFFFFu);
}

}  // namespace
}  // namespace tamsel
