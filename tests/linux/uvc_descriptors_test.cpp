// The VideoControl parser against real-shaped descriptor sets and against damaged ones:
// it must find the units of the right interface in descriptor order and never read
// outside the bytes it is given.

#include "platform/linux/uvc_descriptors.h"

#include <gtest/gtest.h>

#include <random>

#include "device/guid.h"
#include "platform/linux/uvc_ks_filter.h"
#include "tests/linux/uvc_descriptor_builder.h"

namespace tamsel::linux_platform {
namespace {

using linux_test::Bytes;
using linux_test::CameraShape;
using linux_test::ExtensionUnitShape;
using linux_test::kOtherVendorGuid;

std::vector<UvcEntity> Parse(const Bytes& bytes, VideoControlLocation location = {}) {
    // An exact-size heap copy, so a read past the end is a read past an allocation.
    auto copy = std::make_unique<std::uint8_t[]>(bytes.size());
    std::copy(bytes.begin(), bytes.end(), copy.get());
    return ParseVideoControlEntities(bytes.empty() ? nullptr : copy.get(), bytes.size(), location);
}

CameraShape VendorCamera() {
    CameraShape shape;
    shape.extensionUnits = {{3, kXuPropertySetGuid, 4}};
    return shape;
}

TEST(UvcDescriptors, ARealShapedCameraGivesItsTerminalsAndUnitsInDescriptorOrder) {
    const auto entities = Parse(linux_test::CameraDescriptors(VendorCamera()));
    ASSERT_EQ(entities.size(), 4u);
    EXPECT_EQ(entities[0].kind, UvcEntityKind::InputTerminal);
    EXPECT_EQ(entities[0].id, 1);
    EXPECT_EQ(entities[0].terminalType, 0x0201);
    EXPECT_EQ(entities[1].kind, UvcEntityKind::ProcessingUnit);
    EXPECT_EQ(entities[1].id, 2);
    EXPECT_EQ(entities[2].kind, UvcEntityKind::ExtensionUnit);
    EXPECT_EQ(entities[2].id, 3);
    EXPECT_EQ(entities[2].extensionCode, kXuPropertySetGuid);
    EXPECT_EQ(entities[3].kind, UvcEntityKind::OutputTerminal);
    EXPECT_EQ(entities[3].id, 4);
}

TEST(UvcDescriptors, TheExtensionUnitGuidKeepsTheUsbByteOrderWhichIsTheWindowsMemoryLayout) {
    const Bytes bytes = linux_test::CameraDescriptors(VendorCamera());
    // guidExtensionCode as it travels on the wire: 82 06 61 63 70 50 AB 49 ...
    const Bytes wire = {0x82, 0x06, 0x61, 0x63, 0x70, 0x50, 0xAB, 0x49,
                        0xB8, 0xCC, 0xB3, 0x85, 0x5E, 0x8D, 0x22, 0x1D};
    ASSERT_NE(std::search(bytes.begin(), bytes.end(), wire.begin(), wire.end()), bytes.end());
    const auto entities = Parse(bytes);
    ASSERT_EQ(entities.size(), 4u);
    EXPECT_TRUE(std::equal(wire.begin(), wire.end(), entities[2].extensionCode.bytes.begin()));
}

TEST(UvcDescriptors, NodeTypesMakeOnlyExtensionUnitsDeviceSpecific) {
    CameraShape shape = VendorCamera();
    shape.extensionUnits = {{5, kOtherVendorGuid, 2}, {3, kXuPropertySetGuid, 4}};
    const auto entities = Parse(linux_test::CameraDescriptors(shape));
    ASSERT_EQ(entities.size(), 5u);
    std::vector<bool> deviceSpecific;
    for (const UvcEntity& entity : entities) {
        deviceSpecific.push_back(KsNodeTypeOf(entity) == kKsNodeTypeDevSpecific);
    }
    EXPECT_EQ(deviceSpecific, (std::vector<bool>{false, false, true, true, false}));
    EXPECT_EQ(entities[2].extensionCode, kOtherVendorGuid);
    EXPECT_EQ(entities[3].extensionCode, kXuPropertySetGuid);
    EXPECT_NE(KsNodeTypeOf(entities[0]), KsNodeTypeOf(entities[1]));
}

TEST(UvcDescriptors, OnlyTheActiveConfigurationIsRead) {
    CameraShape shape = VendorCamera();
    shape.configurationValue = 2;
    const Bytes bytes = linux_test::TwoConfigurationDescriptors(shape);
    EXPECT_EQ(Parse(bytes, {2, 0}).size(), 4u);
    EXPECT_TRUE(Parse(bytes, {1, 0}).empty());
    // Without the active configuration the first one counts; it has no video.
    EXPECT_TRUE(Parse(bytes, {std::nullopt, 0}).empty());
}

TEST(UvcDescriptors, TheNodesInterfaceNumberPicksItsOwnFunction) {
    CameraShape first = VendorCamera();
    CameraShape second;
    second.videoControlInterface = 2;
    second.extensionUnits = {{6, kOtherVendorGuid, 2}, {7, kXuPropertySetGuid, 2}};
    const Bytes bytes = linux_test::TwoFunctionDescriptors(first, second);

    const auto ofFirst = Parse(bytes, {1, 0});
    ASSERT_EQ(ofFirst.size(), 4u);
    EXPECT_EQ(ofFirst[2].id, 3);

    const auto ofSecond = Parse(bytes, {1, 2});
    ASSERT_EQ(ofSecond.size(), 5u);
    EXPECT_EQ(ofSecond[2].id, 6);
    EXPECT_EQ(ofSecond[3].id, 7);

    EXPECT_TRUE(Parse(bytes, {1, 1}).empty()) << "interface 1 is VideoStreaming, not control";
    EXPECT_EQ(Parse(bytes, {1, std::nullopt}).size(), 4u) << "unknown: the first function";
}

// Damaged descriptor sets, each built from a good one, with how many entities survive.
struct DamagedCase {
    const char* name;
    Bytes bytes;
    std::size_t entities;
};

Bytes Header() {
    return {18, 0x01, 0x00, 0x02, 0xEF, 0x02, 0x01, 64, 0, 0, 0, 0, 0, 1, 1, 2, 0, 1};
}
Bytes VcStart() {
    return {9,  0x02, 0xFF, 0x00, 1,    1,    0,    0x80, 250,  // configuration 1
            9,  0x04, 0,    0,    0,    0x0E, 0x01, 0x00, 0,    // VideoControl interface 0
            13, 0x24, 0x01, 0x00, 0x01, 0,    0,    0,    0,   0, 0, 1, 1};
}
Bytes Join(std::initializer_list<Bytes> parts) {
    Bytes out;
    for (const Bytes& part : parts) out.insert(out.end(), part.begin(), part.end());
    return out;
}
Bytes GoodTerminal() {
    return {8, 0x24, 0x02, 1, 0x01, 0x02, 0, 0};
}
Bytes GoodUnit() {
    return linux_test::ExtensionUnitDescriptor({3, kXuPropertySetGuid, 2}, 1);
}

std::vector<DamagedCase> DamagedCases() {
    Bytes shortUnit = GoodUnit();
    shortUnit.resize(20);  // GUID cut short
    shortUnit[0] = 20;

    Bytes manyPins = GoodUnit();
    manyPins[21] = 200;  // bNrInPins pointing far beyond the descriptor

    Bytes bigControls = GoodUnit();
    bigControls[23] = 0xF0;  // bControlSize beyond the descriptor

    Bytes overlong = GoodUnit();
    overlong[0] = 0xFF;  // bLength past the end of the data

    return {
        {"empty", {}, 0},
        {"one byte", {9}, 0},
        {"zero length stops the walk",
         Join({Header(), VcStart(), {0, 0x24, 0x02, 1}, GoodTerminal()}), 0},
        {"length one stops the walk", Join({Header(), VcStart(), {1, 0x24}, GoodTerminal()}), 0},
        {"length past the end stops the walk",
         Join({Header(), VcStart(), GoodTerminal(), overlong}), 1},
        {"extension unit shorter than its GUID",
         Join({Header(), VcStart(), shortUnit, GoodTerminal()}), 1},
        {"extension unit with too many input pins",
         Join({Header(), VcStart(), manyPins, GoodTerminal()}), 1},
        {"extension unit with too large a control size",
         Join({Header(), VcStart(), bigControls, GoodTerminal()}), 1},
        {"terminal too short for its type",
         Join({Header(), VcStart(), {5, 0x24, 0x02, 1, 0x01}, GoodUnit()}), 1},
        {"class-specific descriptor without an id",
         Join({Header(), VcStart(), {3, 0x24, 0x06}, GoodUnit()}), 1},
        {"truncated interface descriptor stops the walk",
         Join({Header(), VcStart(), GoodUnit(), {4, 0x04, 1, 0}, GoodTerminal()}), 1},
        {"truncated configuration descriptor stops the walk",
         Join({Header(), {4, 0x02, 0, 0}, VcStart(), GoodUnit()}), 0},
        {"units before any interface are not the VideoControl's", Join({Header(), GoodUnit()}), 0},
        {"a vendor interface is not VideoControl",
         Join({Header(),
               {9, 0x02, 0xFF, 0x00, 1, 1, 0, 0x80, 250, 9, 0x04, 0, 0, 0, 0xFF, 0x01, 0, 0},
               GoodUnit()}),
         0},
        {"an alternate setting of the interface is not read",
         Join({Header(),
               {9, 0x02, 0xFF, 0x00, 1, 1, 0, 0x80, 250, 9, 0x04, 0, 1, 0, 0x0E, 0x01, 0, 0},
               GoodUnit()}),
         0},
    };
}

TEST(UvcDescriptors, DamagedDescriptorsAreReadOnlyAsFarAsTheyHold) {
    for (const DamagedCase& damaged : DamagedCases()) {
        EXPECT_EQ(Parse(damaged.bytes, {1, 0}).size(), damaged.entities) << damaged.name;
    }
}

TEST(UvcDescriptors, EveryTruncationGivesAPrefixOfTheFullResult) {
    CameraShape shape = VendorCamera();
    shape.extensionUnits.push_back({5, kOtherVendorGuid, 2});
    const Bytes full = linux_test::CameraDescriptors(shape);
    const auto all = Parse(full);
    ASSERT_EQ(all.size(), 5u);
    for (std::size_t size = 0; size < full.size(); ++size) {
        const auto some =
            Parse(Bytes(full.begin(), full.begin() + static_cast<std::ptrdiff_t>(size)));
        ASSERT_LE(some.size(), all.size()) << size;
        for (std::size_t i = 0; i < some.size(); ++i) {
            EXPECT_EQ(some[i].id, all[i].id) << "cut at " << size;
            EXPECT_EQ(some[i].extensionCode, all[i].extensionCode) << "cut at " << size;
        }
    }
}

TEST(UvcDescriptors, RandomlyCorruptedDescriptorsGiveOnlyWellFormedEntities) {
    const Bytes good = linux_test::CameraDescriptors(VendorCamera());
    std::mt19937 random(20261211);
    for (int round = 0; round < 2000; ++round) {
        Bytes bytes = good;
        const int flips = 1 + static_cast<int>(random() % 8);
        for (int i = 0; i < flips; ++i) {
            bytes[random() % bytes.size()] = static_cast<std::uint8_t>(random());
        }
        for (const UvcEntity& entity : Parse(bytes)) {
            const auto kind = static_cast<int>(entity.kind);
            EXPECT_GE(kind, 0x02) << "round " << round;
            EXPECT_LE(kind, 0x07) << "round " << round;
        }
        // Each entity needs at least its own descriptor, the shortest being 6 bytes.
        EXPECT_LE(Parse(bytes).size() * 6, bytes.size()) << "round " << round;
    }
}

}  // namespace
}  // namespace tamsel::linux_platform
