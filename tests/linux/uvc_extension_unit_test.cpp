// Kernel-streaming property requests on a uvcvideo node: which UVCIOC_CTRL_QUERY each
// becomes, byte for byte, and what the program sees when the kernel says no.

#include <gtest/gtest.h>
#include <linux/usb/video.h>

#include <cerrno>

#include "device/xu_transport.h"
#include "platform/linux/errno_result.h"
#include "tests/linux/camera_rig.h"

namespace tamsel::linux_platform {
namespace {

using linux_test::CameraRig;
using linux_test::kOtherVendorGuid;
using linux_test::RigCamera;
using linux_test::XuQuery;

std::unique_ptr<KsFilter> BindFirst(CaptureDeviceSource& source) {
    std::unique_ptr<CaptureDeviceEnumerator> devices;
    if (source.EnumerateVideoInputDevices(&devices) != kOk) return nullptr;
    std::unique_ptr<CaptureDevice> device;
    if (devices->Next(&device) != kOk) return nullptr;
    std::unique_ptr<KsFilter> filter;
    if (device->BindFilter(&filter) != kOk) return nullptr;
    return filter;
}

class UvcExtensionUnit : public ::testing::Test {
  protected:
    // Camera terminal, processing unit, the vendor's unit (id 3), a bridge chip's unit
    // (id 5), output terminal: the vendor unit is node 2.
    void SetUp() override {
        RigCamera camera;
        camera.descriptors.extensionUnits = {{3, kXuPropertySetGuid, 4}, {5, kOtherVendorGuid, 2}};
        firmware_ = &rig_.AddCamera(camera);
        source_ = rig_.Source();
        filter_ = BindFirst(*source_);
        ASSERT_NE(filter_, nullptr);
        ASSERT_EQ(rig_.kernel.openDescriptors(), 1) << "the bound filter holds its node";
    }

    HResult Property(const KspNodeBytes& request, std::uint8_t* data, std::uint32_t length,
                     std::uint32_t* returned) {
        std::unique_ptr<KsTopology> topology;
        EXPECT_EQ(filter_->QueryTopology(&topology), kOk);
        std::unique_ptr<KsControl> control;
        EXPECT_EQ(topology->CreateNodeControl(kVendorNode, &control), kOk);
        return control->KsProperty(request.data(), kKspNodeLength, data, length, returned);
    }

    static constexpr std::uint32_t kVendorNode = 2;
    CameraRig rig_;
    sim::Firmware* firmware_ = nullptr;
    std::unique_ptr<V4l2DeviceSource> source_;
    std::unique_ptr<KsFilter> filter_;
};

TEST_F(UvcExtensionUnit, TopologyListsEveryEntityWithExtensionUnitsDeviceSpecific) {
    std::unique_ptr<KsTopology> topology;
    ASSERT_EQ(filter_->QueryTopology(&topology), kOk);
    std::uint32_t count = 0;
    ASSERT_EQ(topology->GetNumNodes(&count), kOk);
    ASSERT_EQ(count, 5u);
    std::vector<std::uint32_t> deviceSpecific;
    for (std::uint32_t i = 0; i < count; ++i) {
        Guid type;
        ASSERT_EQ(topology->GetNodeType(i, &type), kOk);
        if (type == kKsNodeTypeDevSpecific) deviceSpecific.push_back(i);
    }
    EXPECT_EQ(deviceSpecific, (std::vector<std::uint32_t>{2, 3}));
    Guid type;
    EXPECT_EQ(topology->GetNodeType(5, &type), kInvalidArgument);
}

TEST_F(UvcExtensionUnit, ASizeProbeIsGetLenAnsweredAsMoreDataWithTheLength) {
    const auto request = BuildKspNode(kXuPropertySetGuid, 22, kXuReadFlags, kVendorNode);
    std::uint32_t returned = 99;
    EXPECT_EQ(Property(request, nullptr, 0, &returned), kMoreData);
    EXPECT_EQ(returned, 6u);
    ASSERT_EQ(rig_.kernel.queries().size(), 1u);
    const XuQuery& query = rig_.kernel.queries()[0];
    EXPECT_EQ(query.path, "/dev/video0");
    EXPECT_EQ(query.unit, 3);
    EXPECT_EQ(query.selector, 22);
    EXPECT_EQ(query.query, UVC_GET_LEN);
    EXPECT_EQ(query.size, 2);
    EXPECT_EQ(query.dataOut, (std::vector<std::uint8_t>{6, 0}));
}

TEST_F(UvcExtensionUnit, AReadIsProbeThenGetCurOfExactlyTheProbedSize) {
    firmware_->registers().volume = {3, 0, 14, 1, 0, 1};
    std::vector<std::uint8_t> reply;
    EXPECT_EQ(XuPropertyGet(filter_.get(), 22, &reply), kOk);
    EXPECT_EQ(reply, (std::vector<std::uint8_t>{3, 0, 14, 1, 0, 1}));

    ASSERT_EQ(rig_.kernel.queries().size(), 2u);
    const XuQuery& probe = rig_.kernel.queries()[0];
    EXPECT_EQ(probe.query, UVC_GET_LEN);
    const XuQuery& read = rig_.kernel.queries()[1];
    EXPECT_EQ(read.unit, 3);
    EXPECT_EQ(read.selector, 22);
    EXPECT_EQ(read.query, UVC_GET_CUR);
    EXPECT_EQ(read.size, 6);
    EXPECT_TRUE(read.hasData);
    EXPECT_EQ(read.dataOut, (std::vector<std::uint8_t>{3, 0, 14, 1, 0, 1}));
}

TEST_F(UvcExtensionUnit, AWriteIsOneSetCurCarryingThePayload) {
    const std::vector<std::uint8_t> clock = {19, 6, 10, 9, 32, 30};
    EXPECT_EQ(XuPropertySet(filter_.get(), 29, clock.data(), 6), kOk);
    ASSERT_EQ(rig_.kernel.queries().size(), 1u);
    const XuQuery& write = rig_.kernel.queries()[0];
    EXPECT_EQ(write.unit, 3);
    EXPECT_EQ(write.selector, 29);
    EXPECT_EQ(write.query, UVC_SET_CUR);
    EXPECT_EQ(write.size, 6);
    EXPECT_EQ(write.dataIn, clock);
    EXPECT_EQ(firmware_->registers().clock, (std::array<std::uint8_t, 6>{19, 6, 10, 9, 32, 30}));
}

// Requests the driver turns away itself, without a word to the camera.
struct RefusedCase {
    const char* name;
    Guid propertySet;
    std::uint32_t selector;
    std::uint32_t flags;
    std::uint32_t node;
    std::uint32_t requestLength;
    HResult expected;
};

TEST_F(UvcExtensionUnit, RequestsThatDoNotFitTheUnitNeverReachTheCamera) {
    const RefusedCase cases[] = {
        {"the other vendor's set on our unit", kOtherVendorGuid, 22, kXuReadFlags, 2, 32,
         kSetNotFound},
        {"our set on the other vendor's unit", kXuPropertySetGuid, 22, kXuReadFlags, 3, 32,
         kSetNotFound},
        {"a processing unit", kXuPropertySetGuid, 22, kXuReadFlags, 1, 32, kNotFound},
        {"a node past the topology", kXuPropertySetGuid, 22, kXuReadFlags, 9, 32, kNotFound},
        {"a selector wider than a byte", kXuPropertySetGuid, 0x116, kXuReadFlags, 2, 32, kNotFound},
        {"a request shorter than KSP_NODE", kXuPropertySetGuid, 22, kXuReadFlags, 2, 31,
         kInvalidArgument},
        {"get and set at once", kXuPropertySetGuid, 22, kXuReadFlags | kXuWriteFlags, 2, 32,
         kInvalidArgument},
        {"neither get nor set", kXuPropertySetGuid, 22, kKsPropertyTypeTopology, 2, 32,
         kInvalidArgument},
        {"basic support", kXuPropertySetGuid, 22, 0x200 | kKsPropertyTypeTopology, 2, 32,
         kNotImplemented},
    };
    for (const RefusedCase& refused : cases) {
        const auto request =
            BuildKspNode(refused.propertySet, refused.selector, refused.flags, refused.node);
        std::unique_ptr<KsTopology> topology;
        ASSERT_EQ(filter_->QueryTopology(&topology), kOk);
        std::unique_ptr<KsControl> control;
        ASSERT_EQ(topology->CreateNodeControl(kVendorNode, &control), kOk);
        std::uint8_t buffer[6] = {};
        std::uint32_t returned = 77;
        EXPECT_EQ(control->KsProperty(request.data(), refused.requestLength, buffer, 6, &returned),
                  refused.expected)
            << refused.name;
        EXPECT_EQ(returned, 0u) << refused.name;
    }
    EXPECT_TRUE(rig_.kernel.queries().empty());
}

TEST(UvcExtensionUnitOrder, ABridgeUnitBeforeTheVendorsIsTheOneAddressedAndAnswersSetNotFound) {
    // The transport takes the first device-specific node, here the bridge chip's unit,
    // and the vendor's property set is not that unit's.
    CameraRig rig;
    RigCamera camera;
    camera.descriptors.extensionUnits = {{5, kOtherVendorGuid, 2}, {3, kXuPropertySetGuid, 4}};
    rig.AddCamera(camera);
    auto source = rig.Source();
    auto filter = BindFirst(*source);
    ASSERT_NE(filter, nullptr);
    std::vector<std::uint8_t> reply;
    EXPECT_EQ(XuPropertyGet(filter.get(), 22, &reply), kSetNotFound);
    const std::uint8_t quality = 3;
    EXPECT_EQ(XuPropertySet(filter.get(), 28, &quality, 1), kSetNotFound);
    EXPECT_TRUE(rig.kernel.queries().empty());
}

TEST(UvcExtensionUnitOrder, WithTwoVendorUnitsOnlyTheFirstIsAddressed) {
    CameraRig rig;
    RigCamera camera;
    camera.descriptors.extensionUnits = {{4, kXuPropertySetGuid, 4}, {6, kXuPropertySetGuid, 4}};
    camera.descriptors.outputTerminalId = 7;
    rig.AddCamera(camera);
    auto source = rig.Source();
    auto filter = BindFirst(*source);
    ASSERT_NE(filter, nullptr);
    const std::uint8_t quality = 3;
    EXPECT_EQ(XuPropertySet(filter.get(), 28, &quality, 1), kOk);
    std::vector<std::uint8_t> reply;
    EXPECT_EQ(XuPropertyGet(filter.get(), 28, &reply), kOk);
    ASSERT_EQ(rig.kernel.queries().size(), 3u);
    for (const XuQuery& query : rig.kernel.queries()) EXPECT_EQ(query.unit, 4);
}

// The errno table, seen through a read and a write on the vendor unit.
TEST_F(UvcExtensionUnit, KernelErrorsReachTheCallerAsTheMappedResult) {
    const struct {
        int error;
        HResult expected;
    } cases[] = {
        {ENOENT, kNotFound},
        {ENODEV, kDeviceNotConnected},
        {EIO, kGenFailure},
        {EPIPE, kGenFailure},
        {ERANGE, kInvalidArgument},
        {EBUSY, kBusy},
        {EACCES, kAccessDenied},
        {EPERM, kAccessDenied},
        {ENOBUFS, kInsufficientBuffer},
        {EINVAL, kFail},
        {EBADRQC, kFail},
        {EFAULT, kFail},
    };
    for (const auto& c : cases) {
        rig_.kernel.FailQueriesWith(c.error);
        const auto read = BuildKspNode(kXuPropertySetGuid, 28, kXuReadFlags, kVendorNode);
        std::uint8_t byte = 0;
        std::uint32_t returned = 5;
        EXPECT_EQ(Property(read, &byte, 1, &returned), c.expected) << "errno " << c.error;
        EXPECT_EQ(returned, 0u) << "errno " << c.error;
        const auto write = BuildKspNode(kXuPropertySetGuid, 28, kXuWriteFlags, kVendorNode);
        EXPECT_EQ(Property(write, &byte, 1, nullptr), c.expected) << "errno " << c.error;
        // A failing probe is the kernel's answer, not "more data".
        EXPECT_EQ(Property(read, nullptr, 0, &returned), c.expected) << "errno " << c.error;
        EXPECT_EQ(returned, 0u);
    }
}

TEST(ErrnoResult, NoErrorIsSuccessAndEveryMappedResultIsAFailure) {
    EXPECT_EQ(HResultFromErrno(0), kOk);
    for (int error : {ENOENT, ENODEV, EIO, EPIPE, ERANGE, EBUSY, EACCES, EPERM, ENOBUFS, ENOTTY}) {
        EXPECT_TRUE(Failed(HResultFromErrno(error))) << error;
    }
}

TEST(ErrnoResult, PermissionProblemsPointAtTheVideoGroup) {
    EXPECT_NE(ExplainDeviceResult(HResultFromErrno(EACCES)).find("'video' group"),
              std::string::npos);
    EXPECT_NE(ExplainDeviceResult(HResultFromErrno(EPERM)).find("'video' group"),
              std::string::npos);
    EXPECT_EQ(ExplainDeviceResult(kOk), "");
    EXPECT_NE(ExplainDeviceResult(kDeviceNotConnected).find("disconnected"), std::string::npos);
    EXPECT_NE(ExplainDeviceResult(HResultFromBits(0x8000000Au)).find("0x8000000A"),
              std::string::npos);
}

TEST_F(UvcExtensionUnit, ACameraUnpluggedMidSessionFailsEveryLaterCommandAndLeaksNoDescriptor) {
    rig_.kernel.UnplugAfterQueries(3);  // one read (probe + read), one write, then gone
    std::vector<std::uint8_t> reply;
    EXPECT_EQ(XuPropertyGet(filter_.get(), 25, &reply), kOk);
    const std::uint8_t quality = 3;
    EXPECT_EQ(XuPropertySet(filter_.get(), 28, &quality, 1), kOk);
    EXPECT_EQ(XuPropertySet(filter_.get(), 28, &quality, 1), kDeviceNotConnected);
    EXPECT_EQ(XuPropertyGet(filter_.get(), 25, &reply), kDeviceNotConnected);
    EXPECT_EQ(reply.size(), 0u) << "the failed probe reports nothing to read";

    // Enumerating again finds nothing to open; the bound filter still holds only its node.
    std::unique_ptr<CaptureDeviceEnumerator> devices;
    EXPECT_EQ(source_->EnumerateVideoInputDevices(&devices), kFalse);
    EXPECT_EQ(rig_.kernel.openDescriptors(), 1);
    filter_.reset();
    EXPECT_EQ(rig_.kernel.openDescriptors(), 0);
}

TEST_F(UvcExtensionUnit, TopologyAndControlsKeepTheNodeOpenUntilTheLastOneIsGone) {
    std::unique_ptr<KsTopology> topology;
    ASSERT_EQ(filter_->QueryTopology(&topology), kOk);
    std::unique_ptr<KsControl> control;
    ASSERT_EQ(topology->CreateNodeControl(kVendorNode, &control), kOk);
    filter_.reset();
    topology.reset();
    EXPECT_EQ(rig_.kernel.openDescriptors(), 1);
    std::uint32_t returned = 0;
    const auto request = BuildKspNode(kXuPropertySetGuid, 28, kXuReadFlags, kVendorNode);
    EXPECT_EQ(control->KsProperty(request.data(), kKspNodeLength, nullptr, 0, &returned),
              kMoreData);
    EXPECT_EQ(returned, 1u);
    control.reset();
    EXPECT_EQ(rig_.kernel.openDescriptors(), 0);
}

}  // namespace
}  // namespace tamsel::linux_platform
